#include "common/widgets/parameterstable.h"
#include "modalanswerer.h"
#include "pagewindow.h"
#include "testmain.h"
#include "zumoltc/model/zuextraday.h"
#include "zumoltc/model/zuextraperiod.h"
#include "zumoltc/model/zuswitch.h"

#include <QComboBox>
#include <QTime>

namespace {

template<typename T> ZUBaseObject *withId(const QList<QPointer<T>> &objects, int id)
{
    for (const QPointer<T> &object : objects) {
        if (object && object->id() == id)
            return object;
    }
    return nullptr;
}

// The object of a kind named as the rows below name it.
ZUBaseObject *findObject(ZUConfiguration *c, const QString &kind, int id)
{
    if (kind == QLatin1String("detector"))
        return withId(c->detectors(), id);
    if (kind == QLatin1String("stage"))
        return withId(c->stages(), id);
    if (kind == QLatin1String("group"))
        return withId(c->signalGroups(), id);
    if (kind == QLatin1String("plan"))
        return withId(c->signalPlans(), id);
    if (kind == QLatin1String("day plan"))
        return withId(c->dayPlans(), id);
    if (kind == QLatin1String("week plan"))
        return withId(c->weekPlans(), id);
    if (kind == QLatin1String("extra period"))
        return withId(c->extraPeriods(), id);
    if (kind == QLatin1String("extra day"))
        return withId(c->extraDays(), id);
    if (kind == QLatin1String("switch"))
        return withId(c->switches(), id);
    return nullptr;
}

// The value at a path of member names and array indexes ("a/0/b").
QJsonValue valueAt(const QJsonObject &root, const QString &path)
{
    QJsonValue value = root;
    for (const QString &step : path.split(QLatin1Char('/'))) {
        bool index = false;
        const int at = step.toInt(&index);
        value = index ? value.toArray().at(at) : value.toObject().value(step);
    }
    return value;
}

// What the reference's cell or combo box shows: the id it names, or nothing.
QVariant shownId(QWidget *page, const QString &field, int row, int column)
{
    if (row < 0)
        return page->findChild<QComboBox *>(field)->currentData();
    return page->findChild<ParametersTable *>(field)->cellData(row, column);
}

// Puts value into the page's field as the user does: a table cell (a row
// after the last is added first), a combo box item by its data, or typed text.
void edit(QWidget *page, const QString &field, int row, int column, const QVariant &value)
{
    if (auto *table = page->findChild<ParametersTable *>(field)) {
        while (table->rowCount() <= row)
            table->insertRow(table->rowCount());
        table->setCellData(row, column, value, true);
    } else if (auto *combo = page->findChild<QComboBox *>(field)) {
        combo->setCurrentIndex(combo->findData(value));
    } else if (auto *line = page->findChild<QLineEdit *>(field)) {
        PageTesting::type(line, value.toString());
    }
}

} // namespace

// The pages whose cells or choices name objects of another kind, each open beside
// the page of such an object: they name the object, not the number it had.
class TestObjectReferences : public QObject
{
    Q_OBJECT
private slots:
    void pageFollowsRenumberedObject_data()
    {
        QTest::addColumn<QString>("kind"); // of the object named
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("newId");
        QTest::addColumn<QString>("page"); // a section's text, or the kind and id of an object
        QTest::addColumn<QString>("field"); // a table, or a combo box where row < 0
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("other"); // another field of the open page, edited
        QTest::addColumn<int>("otherRow");
        QTest::addColumn<int>("otherColumn");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("saved"); // where the file holds the reference
        QTest::addColumn<bool>("editFirst"); // the page holds the edit while the id changes

        const QVariant lateEvening(QTime(23, 0));
        for (const bool editFirst : { false, true }) {
            const char *when = editFirst ? ", edited before" : "";
            QTest::addRow("DIO channel detector%s", when)
                << "detector" << 1 << 7 << "DIO1"
                << "channels" << 0 << 3 << "channels" << 1 << 0 << QVariant(5)
                << "inputsOutputs/DIO1/channels/0/detector" << editFirst;
            QTest::addRow("panel button stage%s", when)
                << "stage" << 1 << 7 << "RCP"
                << "buttons" << 0 << 0 << "buttons" << 0 << 3 << QVariant(2)
                << "remoteControlPanel/VPU1/stageId/0" << editFirst;
            QTest::addRow("day-plan program%s", when)
                << "plan" << 4 << 14 << "day plan 1"
                << "plansTable" << 0 << 2 << "plansTable" << 1 << 1 << lateEvening
                << "scheduler/days/0/plans/0/program" << editFirst;
            QTest::addRow("day-plan spare program%s", when)
                << "plan" << 3 << 13 << "day plan 1"
                << "plansTable" << 0 << 3 << "plansTable" << 1 << 1 << lateEvening
                << "scheduler/days/0/plans/0/spareProgram" << editFirst;
            QTest::addRow("week-plan day plan%s", when)
                << "day plan" << 2 << 12 << "week plan 1"
                << "day_plans" << 5 << 0 << "day_plans" << 0 << 0 << QVariant()
                << "scheduler/weeks/0/days/5" << editFirst;
            QTest::addRow("switch group%s", when)
                << "group" << 1 << 7 << "switch 1"
                << "signalGroup" << -1 << -1 << "heads" << -1 << -1 << QVariant(3)
                << "switches/items/0/signalGroup" << editFirst;
            QTest::addRow("scheduler default program%s", when)
                << "plan" << 4 << 14 << "Scheduler"
                << "prog" << -1 << -1 << "spare_prog" << -1 << -1 << QVariant(2)
                << "scheduler/default/program" << editFirst;
            QTest::addRow("extra period week plan%s", when)
                << "week plan" << 1 << 5 << "extra period 1"
                << "week_plan" << -1 << -1 << "start" << -1 << -1 << QVariant("02.06")
                << "scheduler/extraPeriods/0/week" << editFirst;
            QTest::addRow("extra day day plan%s", when)
                << "day plan" << 2 << 12 << "extra day 1"
                << "day_plan" << -1 << -1 << "date" << -1 << -1 << QVariant("02.01")
                << "scheduler/extraDays/0/day" << editFirst;
            QTest::addRow("countdown board group%s", when)
                << "group" << 1 << 7 << "Countdown timers"
                << "cdt_items" << 0 << 0 << "cdt_items" << 0 << 2 << QVariant(3)
                << "countdownBoards/items/0/id" << editFirst;
        }
    }

    void pageFollowsRenumberedObject()
    {
        QFETCH(QString, kind);
        QFETCH(int, id);
        QFETCH(int, newId);
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, other);
        QFETCH(int, otherRow);
        QFETCH(int, otherColumn);
        QFETCH(QVariant, value);
        QFETCH(QString, saved);
        QFETCH(bool, editFirst);
        PageWindow w;
        QVERIFY(w.loaded);
        ZUConfiguration *c = w.configuration();
        const QPointer<ZUBaseObject> named = findObject(c, kind, id);
        QVERIFY(named);

        // The page, then the named object's page beside it: two tabs.
        QTreeWidgetItem *pageItem = nullptr;
        const int space = page.lastIndexOf(QLatin1Char(' '));
        bool byObject = false;
        const int pageId = page.midRef(space + 1).toInt(&byObject);
        if (byObject && space > 0)
            pageItem = w.window.objectItem(findObject(c, page.left(space), pageId));
        else
            pageItem = w.tree()->findItems(page, Qt::MatchStartsWith | Qt::MatchRecursive).value(0);
        QVERIFY(pageItem);
        w.tree()->clearSelection();
        pageItem->setSelected(true);
        const QPointer<QWidget> open = w.tabs()->currentWidget();
        QVERIFY(open);
        w.window.objectItem(named)->setSelected(true);
        QCOMPARE(w.tabs()->count(), 2);
        QWidget *own = w.tabs()->widget(1 - w.tabs()->indexOf(open));
        QCOMPARE(shownId(open, field, row, column), QVariant(id));

        if (editFirst)
            edit(open, other, otherRow, otherColumn, value);
        w.tabs()->setCurrentWidget(own);
        PageTesting::type(PageTesting::field<QLineEdit>(*own, "id"), QString::number(newId));
        {
            // The weekend plan's period of no length makes its own page ask: Yes.
            ModalAnswerer answerer;
            answerer.pressButton(QMessageBox::Yes);
            PageWindow::clickApply(own);
        }
        QCOMPARE(named->id(), newId);

        // The open page names the object by its new id; its edits are its own.
        QCOMPARE(shownId(open, field, row, column), QVariant(newId));
        QCOMPARE(open->property("changed").toBool(), editFirst);
        if (editFirst) {
            // Cancel goes back to the object, not to the number it had.
            QTest::mouseClick(PageTesting::button(*open, QDialogButtonBox::Cancel), Qt::LeftButton);
            QCOMPARE(shownId(open, field, row, column), QVariant(newId));
            QVERIFY(!open->property("changed").toBool());
        }
        edit(open, other, otherRow, otherColumn, value);
        QVERIFY(open->property("changed").toBool());
        w.tabs()->setCurrentWidget(open);
        {
            // No question of invalid data: the page's references are all valid.
            ModalAnswerer answerer;
            answerer.pressButton(QMessageBox::No);
            PageWindow::clickApply(open);
            QVERIFY(!answerer.answered());
        }
        QVERIFY(!open->property("changed").toBool());
        QCOMPARE(w.dialogs->unexpected, 0);
        QCOMPARE(shownId(open, field, row, column), QVariant(newId));
        QCOMPARE(valueAt(w.save(), saved), QJsonValue(newId));

        // A removed object still empties its cell, and that is no edit.
        delete named.data();
        QCOMPARE(shownId(open, field, row, column), QVariant());
        QVERIFY(!open->property("changed").toBool());
    }
};

PROJECT_TEST(TestObjectReferences);
#include "tst_objectreferences.moc"
