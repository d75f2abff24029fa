#include "modalanswerer.h"
#include "pagetesting.h"
#include "schedulerfixture.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/dayplanwidget.h"

#include "common/widgets/parameterstable.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QToolButton>
#include <QtTest>

using namespace PageTesting;

namespace {

// The scheduler fixture with day plan 1 "Workday" (06:00-22:00 Day/Night,
// 22:00-06:00 Night) shown on the page.
struct Fixture : SchedulerFixture<DayplanWidget, ZUDayPlan>
{
    explicit Fixture(int planCount = 1)
        : SchedulerFixture(&ZUConfiguration::dayPlans, planCount)
    {
    }

    ParametersTable *table() const { return field<ParametersTable>(page, "plansTable"); }
    ZUDayPlan *plan() { return configuration.dayPlans().first(); }
    // Stores a cell value as the cell's editor would.
    void setCell(int row, int column, const QVariant &value) const
    {
        table()->model()->setData(table()->model()->index(row, column), value, Qt::EditRole);
    }
    void addRow(const QVariant &start, const QVariant &stop, const QVariant &program,
                const QVariant &spare)
    {
        QTest::mouseClick(field<QToolButton>(page, "add_plan"), Qt::LeftButton);
        const int row = table()->rowCount() - 1;
        setCell(row, DayplanWidget::StartColumn, start);
        setCell(row, DayplanWidget::StopColumn, stop);
        if (program.isValid())
            setCell(row, DayplanWidget::ProgramColumn, program);
        if (spare.isValid())
            setCell(row, DayplanWidget::SpareProgramColumn, spare);
    }
};

QTime at(int hour, int minute = 0)
{
    return QTime(hour, minute);
}

} // namespace

class TestDayplanWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        ParametersTable *table = f.table();
        QStringList headers;
        for (int column = 0; column < table->columnCount(); ++column)
            headers << table->horizontalHeaderItem(column)->text();
        QCOMPARE(headers, QStringList({ "Start time", "Stop time", "Program", "Spare program" }));
        QCOMPARE(table->itemDelegateForColumn(DayplanWidget::ProgramColumn),
                 table->itemDelegateForColumn(DayplanWidget::SpareProgramColumn));
        auto *delegate = qobject_cast<ComboBoxDelegate *>(
            table->itemDelegateForColumn(DayplanWidget::ProgramColumn));
        QVERIFY(delegate);
        QCOMPARE(delegate->texts, QStringList({ "1 (Day)", "2 (Peak)", "3 (Night)" }));
        QCOMPARE(delegate->values, QList<QVariant>({ 1, 2, 3 }));

        const struct
        {
            const char *name, *tip;
        } tools[] = { { "add_plan", "Add record" }, { "remove_plan", "Remove record" },
                      { "move_top", "Move top" },   { "move_up", "Move up" },
                      { "move_down", "Move down" }, { "move_bottom", "Move bottom" } };
        for (const auto &tool : tools)
            QCOMPARE(field<QToolButton>(f.page, tool.name)->toolTip(), QLatin1String(tool.tip));

        // The context menu: add, remove, then the table's own actions.
        const QList<QAction *> actions = table->actions();
        QVERIFY(actions.size() > 2);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Add record"));
        QCOMPARE(actions.at(0)->shortcut(), QKeySequence(Qt::Key_Insert));
        QCOMPARE(actions.at(1)->text(), QStringLiteral("Remove record"));
        QCOMPARE(actions.at(1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(actions.at(2)->objectName(), QStringLiteral("copy"));
    }

    void load()
    {
        Fixture f;
        QCOMPARE(field<IntEdit>(f.page, "id")->text(), QStringLiteral("1"));
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Workday"));
        QVERIFY(field<QCheckBox>(f.page, "manualName")->isChecked());
        ParametersTable *table = f.table();
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->cellData(0, DayplanWidget::StartColumn), QVariant(at(6)));
        QCOMPARE(table->cellData(0, DayplanWidget::StopColumn), QVariant(at(22)));
        QCOMPARE(table->cellData(0, DayplanWidget::ProgramColumn), QVariant(1));
        QCOMPARE(table->cellData(0, DayplanWidget::SpareProgramColumn), QVariant(3));
        QVERIFY(!table->cellData(1, DayplanWidget::SpareProgramColumn).isValid());
        QVERIFY(!apply(f.page)->isEnabled());
        for (const char *name :
             { "remove_plan", "move_top", "move_up", "move_down", "move_bottom" })
            QVERIFY2(!field<QToolButton>(f.page, name)->isEnabled(), name);
        table->selectRow(1);
        for (const char *name :
             { "remove_plan", "move_top", "move_up", "move_down", "move_bottom" })
            QVERIFY2(field<QToolButton>(f.page, name)->isEnabled(), name);
        table->clearSelection();
        QVERIFY(!field<QToolButton>(f.page, "move_up")->isEnabled());
    }

    // Which rows make Apply ask; No writes nothing.
    void rowCheck_data()
    {
        QTest::addColumn<QVariant>("start");
        QTest::addColumn<QVariant>("stop");
        QTest::addColumn<QVariant>("program");
        QTest::addColumn<QVariant>("spare");
        QTest::addColumn<bool>("asks");

        QTest::newRow("start equals stop")
            << QVariant(at(8)) << QVariant(at(8)) << QVariant(1) << QVariant(2) << true;
        QTest::newRow("across midnight")
            << QVariant(at(8)) << QVariant(at(7)) << QVariant(1) << QVariant(2) << false;
        QTest::newRow("a millisecond apart")
            << QVariant(at(8)) << QVariant(QTime(8, 0, 0, 1)) << QVariant(1) << QVariant() << false;
        QTest::newRow("no program")
            << QVariant(at(8)) << QVariant(at(9)) << QVariant() << QVariant(2) << true;
        QTest::newRow("program gone")
            << QVariant(at(8)) << QVariant(at(9)) << QVariant(7) << QVariant() << true;
        QTest::newRow("no spare") << QVariant(at(8)) << QVariant(at(9)) << QVariant(1) << QVariant()
                                  << false;
        QTest::newRow("new empty row")
            << QVariant(QTime()) << QVariant(QTime()) << QVariant() << QVariant() << true;
    }

    void rowCheck()
    {
        QFETCH(QVariant, start);
        QFETCH(QVariant, stop);
        QFETCH(QVariant, program);
        QFETCH(QVariant, spare);
        QFETCH(bool, asks);

        Fixture f;
        const QByteArray before = f.configuration.toJson();
        f.addRow(start, stop, program, spare);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        clickApply(f.page);
        QCOMPARE(answerer.answered(), asks);
        if (asks) {
            QCOMPARE(answerer.seenTitle(), QStringLiteral("Invalid data"));
            QCOMPARE(
                answerer.seenText(),
                QStringLiteral("Parameters of daily plan contains invalid data. Save anyway?"));
            QCOMPARE(f.configuration.toJson(), before);
            QVERIFY(f.classNames.isEmpty());
            QVERIFY(apply(f.page)->isEnabled());
        } else {
            QCOMPARE(f.plan()->periods().size(), 3);
            QCOMPARE(f.plan()->periods().last().spareProgram.data(),
                     f.configuration.findSignalPlan(spare).data());
            QCOMPARE(f.classNames,
                     QList<const char *>({ ZUDayPlan::staticMetaObject.className() }));
        }
    }

    // A bad row elsewhere in the table is found too: the check runs over every row.
    void badRowAnywhere()
    {
        Fixture f;
        f.setCell(0, DayplanWidget::StopColumn, at(6));
        f.addRow(at(1), at(2), 1, QVariant());
        ModalAnswerer answerer;
        answerer.reject();
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(f.plan()->periods().first().stop, at(22));
    }

    void yesStoresTheTableAsItIs()
    {
        Fixture f;
        f.addRow(at(8), at(8), 2, QVariant());
        f.addRow(at(9), at(10), QVariant(), 1);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(f.classNames.size(), 1);
        // The period without a program is dropped by the model when read.
        const QJsonArray periods = saved(&f.configuration)
                                       .value("scheduler")
                                       .toObject()
                                       .value("days")
                                       .toArray()
                                       .first()
                                       .toObject()
                                       .value("plans")
                                       .toArray();
        QCOMPARE(periods.size(), 3);
        QCOMPARE(periods.last().toObject(),
                 QJsonObject({ { "start", "08:00" }, { "stop", "08:00" }, { "program", 2 } }));
        DayplanWidget again;
        again.setObjects(&f.configuration, f.configuration.dayPlans().mid(0, 1));
        QCOMPARE(field<ParametersTable>(again, "plansTable")->rowCount(), 3);
    }

    // After "Save anyway" the table shows the periods the plan kept: a row without
    // a program is gone at once, not only when the page is opened again.
    void appliedTableShowsWhatIsStored()
    {
        Fixture f;
        f.addRow(at(8), at(8), 2, QVariant());
        QTest::mouseClick(field<QToolButton>(f.page, "add_plan"), Qt::LeftButton);
        f.addRow(at(9), at(10), QVariant(), 1);
        QCOMPARE(f.table()->rowCount(), 5);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        clickApply(f.page);
        QVERIFY(answerer.answered());

        const QList<ZUDayPlan::Period> periods = f.plan()->periods();
        QCOMPARE(periods.size(), 3);
        QCOMPARE(f.table()->rowCount(), periods.size());
        for (int row = 0; row < periods.size(); ++row) {
            QCOMPARE(f.table()->cellData(row, DayplanWidget::StartColumn).toTime(),
                     periods.at(row).start);
            QCOMPARE(f.table()->cellData(row, DayplanWidget::ProgramColumn),
                     QVariant(periods.at(row).program->id()));
        }
        QVERIFY(!apply(f.page)->isEnabled());
        QVERIFY(!field<QToolButton>(f.page, "remove_plan")->isEnabled());

        // The rows shown are the rows stored: editing one of them stores that edit.
        f.setCell(2, DayplanWidget::StopColumn, at(9));
        answerer.pressButton(QMessageBox::No);
        clickApply(f.page);
        QVERIFY(!answerer.answered());
        QCOMPARE(f.plan()->periods().at(2).stop, at(9));
        QCOMPARE(f.table()->rowCount(), 3);
    }

    void rowTools()
    {
        Fixture f;
        ParametersTable *table = f.table();
        table->selectRow(1);
        QTest::mouseClick(field<QToolButton>(f.page, "move_top"), Qt::LeftButton);
        QCOMPARE(table->cellData(0, DayplanWidget::StartColumn), QVariant(at(22)));
        QVERIFY(apply(f.page)->isEnabled());
        table->clearSelection();
        table->selectRow(1);
        QTest::mouseClick(field<QToolButton>(f.page, "remove_plan"), Qt::LeftButton);
        QCOMPARE(table->rowCount(), 1);
        clickApply(f.page);
        QCOMPARE(f.plan()->periods().size(), 1);
        QCOMPARE(f.plan()->periods().first().start, at(22));

        // An emptied table is valid.
        table->selectRow(0);
        QTest::mouseClick(field<QToolButton>(f.page, "remove_plan"), Qt::LeftButton);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        clickApply(f.page);
        QVERIFY(!answerer.answered());
        QVERIFY(f.plan()->periods().isEmpty());
    }

    void idAndName()
    {
        Fixture f;
        auto *id = field<IntEdit>(f.page, "id");
        auto *manual = field<QCheckBox>(f.page, "manualName");
        manual->setChecked(false);
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Daily.1"));
        QVERIFY(field(f.page, "name")->isReadOnly());
        type(id, QStringLiteral("7"));
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Daily.7"));
        manual->setChecked(true);
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Daily.7"));
        QVERIFY(!field(f.page, "name")->isReadOnly());
        // Another day plan's id or name is refused.
        type(id, QStringLiteral("2"));
        QVERIFY(!apply(f.page)->isEnabled());
        type(id, QStringLiteral("0"));
        QVERIFY(apply(f.page)->isEnabled());
        type(field(f.page, "name"), QStringLiteral("Holiday"));
        QVERIFY(!apply(f.page)->isEnabled());
        type(field(f.page, "name"), QStringLiteral("Weekday"));
        clickApply(f.page);
        QCOMPARE(f.plan()->id(), 0);
        QCOMPARE(f.plan()->name(), QStringLiteral("Weekday"));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("0 (Weekday)"));
        // Only id and name changed: the periods are the same.
        QCOMPARE(f.plan()->periods().size(), 2);
    }

    void refill()
    {
        Fixture f;
        f.configuration.findSignalPlan(3)->setName(QStringLiteral("Late"));
        f.page.configurationHasChanged(ZUStage::staticMetaObject.className());
        auto *delegate = qobject_cast<ComboBoxDelegate *>(
            f.table()->itemDelegateForColumn(DayplanWidget::ProgramColumn));
        QCOMPARE(delegate->texts.last(), QStringLiteral("3 (Night)"));
        f.page.configurationHasChanged(ZUSignalPlan::staticMetaObject.className());
        QCOMPARE(delegate->texts.last(), QStringLiteral("3 (Late)"));
        QCOMPARE(f.table()->cellData(1, DayplanWidget::ProgramColumn), QVariant(3));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void severalSelected()
    {
        Fixture f(2);
        const QByteArray before = f.configuration.toJson();
        QVERIFY(allDisabled(f.page));
        QVERIFY(field<IntEdit>(f.page, "id")->text().isEmpty());
        QVERIFY(field(f.page, "name")->text().isEmpty());
        QCOMPARE(f.table()->rowCount(), 0);
        clickApply(f.page);
        QCOMPARE(f.configuration.toJson(), before);
        QVERIFY(f.classNames.isEmpty());

        // One again: enabled and shown.
        f.page.setObjects(&f.configuration, f.configuration.dayPlans().mid(1, 1));
        QVERIFY(f.table()->isEnabled());
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Holiday"));
        QCOMPARE(f.table()->rowCount(), 1);
    }

    // Through the window: No leaves the saved file as it was, Yes saves the row.
    void inWindow()
    {
        WindowFixture w(QStringLiteral("scheduler.json"));
        QVERIFY(w.loaded);
        ZUDayPlan *plan = w.configuration()->dayPlans().first();
        w.selectObjects({ plan });
        auto *page = w.page<DayplanWidget>();
        QVERIFY(page);
        w.save();
        const QByteArray before = w.savedBytes();
        QTest::mouseClick(field<QToolButton>(*page, "add_plan"), Qt::LeftButton);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        clickApply(*page);
        QVERIFY(answerer.answered());
        QVERIFY(!w.tree()->isEnabled());
        auto *table = field<ParametersTable>(*page, "plansTable");
        const QModelIndex start = table->model()->index(2, DayplanWidget::StartColumn);
        table->model()->setData(start, QTime(8, 0), Qt::EditRole);
        table->model()->setData(start.siblingAtColumn(DayplanWidget::StopColumn), QTime(8, 0),
                                Qt::EditRole);
        table->model()->setData(start.siblingAtColumn(DayplanWidget::ProgramColumn), 2,
                                Qt::EditRole);
        answerer.pressButton(QMessageBox::No);
        clickApply(*page);
        QVERIFY(answerer.answered());
        QCOMPARE(w.savedBytes(), before);
        answerer.pressButton(QMessageBox::Yes);
        clickApply(*page);
        QVERIFY(answerer.answered());
        w.save();
        const QJsonArray periods = w.savedFile()
                                       .value("scheduler")
                                       .toObject()
                                       .value("days")
                                       .toArray()
                                       .first()
                                       .toObject()
                                       .value("plans")
                                       .toArray();
        QCOMPARE(periods.size(), 3);
        QCOMPARE(periods.last().toObject().value("program"), QJsonValue(2));

        // Two day plans selected: one disabled page, the tab named by the branch.
        w.selectObjects({ plan, w.configuration()->dayPlans().at(1) });
        QCOMPARE(w.page<DayplanWidget>(), page);
        QVERIFY(allDisabled(*page));
        QCOMPARE(w.tabText(page), QStringLiteral("Daily plans (2)"));
    }
};

PROJECT_TEST(TestDayplanWidget);
#include "tst_dayplanwidget.moc"
