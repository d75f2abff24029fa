#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "messagecapture.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/datedelegate.h"
#include "plivek/framework/exttextdelegate.h"
#include "plivek/framework/timedelegate.h"
#include "testmain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// Stands in for the main window: collects what the dialog reports.
class ErrorSink : public QWidget
{
    Q_OBJECT
public:
    QStringList errors;

public slots:
    void printError(const QString &message) { errors.append(message); }
};

CnfProgramPtr addProgram(CnfController &controller, const QString &id)
{
    auto program = CnfProgramPtr::create();
    program->id = id;
    controller.addProgram(program);
    return program;
}

CnfDayCardPtr addDayCard(CnfController &controller, const QString &id, const QString &name = QString())
{
    auto card = CnfDayCardPtr::create();
    card->id = id;
    card->name = name;
    controller.addDayCard(card);
    return card;
}

CnfWeekCardPtr addWeekCard(CnfController &controller, const QString &id, const QMap<int, CnfDayCardPtr> &days,
                           const QString &name = QString())
{
    auto card = CnfWeekCardPtr::create();
    card->id = id;
    card->name = name;
    card->days = days;
    controller.addWeekCard(card);
    return card;
}

void addSeasonPlan(CnfController &controller, const QString &name, const QDate &from, const QDate &to,
                   const CnfWeekCardPtr &weekCard)
{
    auto plan = CnfSeasonPlanPtr::create();
    plan->name = name;
    plan->from = from;
    plan->to = to;
    plan->weekCard = weekCard;
    controller.addSeasonPlan(plan);
}

void addSpecialDay(CnfController &controller, const QDate &date, const QString &id, const QString &name,
                   const CnfDayCardPtr &dayCard)
{
    auto day = CnfSpecialDayPtr::create();
    day->id = id;
    day->name = name;
    day->dayCard = dayCard;
    controller.addSpecialDay(date, day);
}

// A whole timetable: three day cards (reserve programs on some records, one
// record without program), two week cards (one day without card), two season
// plans, two special days and the three defaults.
void fillTimetable(CnfController &controller, const QString &family)
{
    controller.setProperty("type", family);
    if (family == QLatin1String("tiverk"))
        controller.setProperty("version", QStringLiteral("3.18"));
    const CnfProgramPtr p1 = addProgram(controller, QStringLiteral("1"));
    const CnfProgramPtr p2 = addProgram(controller, QStringLiteral("2"));
    const CnfProgramPtr p3 = addProgram(controller, QStringLiteral("3"));

    const CnfDayCardPtr work = addDayCard(controller, QStringLiteral("1"), QStringLiteral("Workday"));
    work->addRecord(QTime(6, 0), QTime(22, 0), p1, p2);
    work->addRecord(QTime(22, 0), QTime(6, 0), p2, {});
    const CnfDayCardPtr weekend = addDayCard(controller, QStringLiteral("2"), QStringLiteral("Weekend"));
    weekend->addRecord(QTime(0, 0), QTime(0, 0), p3, p1);
    const CnfDayCardPtr dark = addDayCard(controller, QStringLiteral("3"));
    dark->addRecord(QTime(7, 30), QTime(7, 30), {}, {});

    const CnfWeekCardPtr summer = addWeekCard(
        controller, QStringLiteral("1"),
        {{Qt::Monday, work}, {Qt::Tuesday, work}, {Qt::Saturday, weekend}, {Qt::Sunday, dark}},
        QStringLiteral("Summer"));
    const CnfWeekCardPtr winter =
        addWeekCard(controller, QStringLiteral("2"), {{Qt::Monday, weekend}, {Qt::Friday, {}}});
    addSeasonPlan(controller, QStringLiteral("Warm"), QDate(2027, 4, 1), QDate(2027, 9, 30), summer);
    addSeasonPlan(controller, QStringLiteral("Cold"), QDate(2027, 10, 1), QDate(2028, 3, 31), winter);
    addSpecialDay(controller, QDate(2027, 1, 1), QStringLiteral("1"), QStringLiteral("New year"), dark);
    addSpecialDay(controller, QDate(2027, 5, 9), QStringLiteral("2"), QStringLiteral("Holiday"), weekend);

    controller.setDefaultDayCard(work);
    controller.setDefaultProgram(p1);
    controller.setReserveProgram(p3);
}

// The dialog with its views, found by object name as the form names them.
struct Calendar
{
    explicit Calendar(CnfController *controller, QWidget *parent = nullptr)
        : dialog(parent, controller)
        , dayCards(dialog.findChild<QTreeWidget *>(QStringLiteral("dayCards")))
        , weekCards(dialog.findChild<QTreeWidget *>(QStringLiteral("weekCards")))
        , seasonPlan(dialog.findChild<QTableWidget *>(QStringLiteral("seasonPlan")))
        , specialDays(dialog.findChild<QTableWidget *>(QStringLiteral("specialDays")))
        , defaultDayCard(dialog.findChild<QComboBox *>(QStringLiteral("def_daycard")))
    {
    }

    void trigger(const char *name)
    {
        QAction *action = dialog.findChild<QAction *>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
    }

    void pressOk()
    {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    void setCreateMinimal()
    {
        dialog.findChild<QCheckBox *>(QStringLiteral("createMinimal"))->setChecked(true);
    }

    // Types `text` into the number editor of a card row and commits it.
    void typeNumber(QTreeWidget *tree, QTreeWidgetItem *item, const QString &text)
    {
        dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentWidget(tree->parentWidget());
        tree->setCurrentItem(item, 0);
        tree->editItem(item, 0);
        auto *editor = tree->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits through a queued call; the closed editor must
        // be gone before the next one is looked for.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CalendarDlg dialog;
    QTreeWidget *dayCards;
    QTreeWidget *weekCards;
    QTableWidget *seasonPlan;
    QTableWidget *specialDays;
    QComboBox *defaultDayCard;
};

QStringList childTexts(const QTreeWidgetItem *card, int column)
{
    QStringList texts;
    for (int i = 0; i < card->childCount(); ++i)
        texts.append(card->child(i)->text(column));
    return texts;
}

QStringList topTexts(const QTreeWidget *tree, int column = 0)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts.append(tree->topLevelItem(i)->text(column));
    return texts;
}

QStringList columnTexts(const QTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts.append(table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

QStringList menuNames(QMenu *menu)
{
    QStringList names;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        names.append(action->objectName());
    delete menu;
    return names;
}

QStringList ids(const QList<CnfDayCardPtr> &cards)
{
    QStringList texts;
    for (const CnfDayCardPtr &card : cards)
        texts.append(card->id);
    return texts;
}

} // namespace

class TestCalendarDlg : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        Calendar c(&controller);
        QCOMPARE(c.dialog.windowTitle(), QStringLiteral("Calendar schedule"));
        QCOMPARE(c.dialog.objectName(), QStringLiteral("CalendarDlg"));
        QVERIFY(!c.dialog.findChild<QCheckBox *>(QStringLiteral("createMinimal"))->isChecked());

        const auto headers = [](QTreeWidget *tree) {
            QStringList texts;
            for (int i = 0; i < tree->columnCount(); ++i)
                texts.append(tree->headerItem()->text(i));
            return texts;
        };
        const auto tableHeaders = [](QTableWidget *table) {
            QStringList texts;
            for (int i = 0; i < table->columnCount(); ++i)
                texts.append(table->horizontalHeaderItem(i)->text());
            return texts;
        };
        QCOMPARE(headers(c.dayCards), (QStringList{"Number", "Name", "Start", "End", "Program", "Reserve program"}));
        QCOMPARE(headers(c.weekCards), (QStringList{"Number", "Name", "Start", "Daily card"}));
        QCOMPARE(tableHeaders(c.seasonPlan), (QStringList{"Name", "From", "To", "Weekly card"}));
        QCOMPARE(tableHeaders(c.specialDays), (QStringList{"Number", "Name", "Date", "Daily card"}));

        auto *tabs = c.dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QStringList tabTexts;
        for (int i = 0; i < tabs->count(); ++i)
            tabTexts.append(tabs->tabText(i));
        QCOMPARE(tabTexts,
                 (QStringList{"Daily cards", "Weekly cards", "Seasonal timetable", "Special days of year"}));
        QCOMPARE(tabs->currentIndex(), 0);

        // Every cell editor belongs to the dialog.
        const QList<QAbstractItemDelegate *> delegates{
            c.dayCards->itemDelegateForColumn(0),  c.dayCards->itemDelegateForColumn(2),
            c.dayCards->itemDelegateForColumn(3),  c.dayCards->itemDelegateForColumn(4),
            c.weekCards->itemDelegateForColumn(0), c.weekCards->itemDelegateForColumn(2),
            c.weekCards->itemDelegateForColumn(3), c.seasonPlan->itemDelegateForColumn(1),
            c.seasonPlan->itemDelegateForColumn(2), c.seasonPlan->itemDelegateForColumn(3),
            c.specialDays->itemDelegateForColumn(2), c.specialDays->itemDelegateForColumn(3)};
        for (const QAbstractItemDelegate *delegate : delegates) {
            QVERIFY(delegate);
            QCOMPARE(delegate->parent(), &c.dialog);
        }
        QVERIFY(qobject_cast<ExtTextDelegate *>(c.dayCards->itemDelegateForColumn(0)));
        QVERIFY(qobject_cast<TimeDelegate *>(c.dayCards->itemDelegateForColumn(3)));
        QCOMPARE(c.dayCards->itemDelegateForColumn(4), c.dayCards->itemDelegateForColumn(5));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.dayCards->itemDelegateForColumn(4))->texts(),
                 (QStringList{"1", "2", "3"}));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.weekCards->itemDelegateForColumn(2))->texts(),
                 (QStringList{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.weekCards->itemDelegateForColumn(3))->texts(),
                 (QStringList{"1", "2", "3"}));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList{"1", "2"}));
        QVERIFY(qobject_cast<DateDelegate *>(c.specialDays->itemDelegateForColumn(2)));

        // The three boxes: "not set" first, then the numbers, the defaults current.
        const QStringList boxes{"def_prog", "def_reserve_prog", "def_daycard"};
        const QStringList current{"1", "3", "1"};
        for (int i = 0; i < boxes.size(); ++i) {
            auto *box = c.dialog.findChild<QComboBox *>(boxes.at(i));
            QCOMPARE(box->count(), 4);
            QCOMPARE(box->itemText(0), QStringLiteral("not set"));
            QCOMPARE(box->itemText(3), QStringLiteral("3"));
            QCOMPARE(box->currentText(), current.at(i));
        }
    }

    void loading()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("ZU_MOLT"));
        Calendar c(&controller);

        QCOMPARE(topTexts(c.dayCards), (QStringList{"1", "2", "3"}));
        QCOMPARE(topTexts(c.dayCards, 1), (QStringList{"Workday", "Weekend", ""}));
        QTreeWidgetItem *work = c.dayCards->topLevelItem(0);
        QCOMPARE(work->data(0, Qt::UserRole), QVariant(QStringLiteral("1")));
        QVERIFY(work->isExpanded());
        QCOMPARE(work->child(0)->data(2, Qt::EditRole), QVariant(QTime(6, 0)));
        QCOMPARE(work->child(1)->data(2, Qt::EditRole), QVariant(QTime(22, 0)));
        QCOMPARE(work->child(1)->data(3, Qt::EditRole), QVariant(QTime(6, 0)));
        QCOMPARE(childTexts(work, 4), (QStringList{"1", "2"}));
        QCOMPARE(childTexts(work, 5), (QStringList{"2", ""}));
        QCOMPARE(childTexts(c.dayCards->topLevelItem(2), 4), QStringList{QString()});
        QVERIFY(work->child(0)->flags().testFlag(Qt::ItemIsEditable));

        QTreeWidgetItem *summer = c.weekCards->topLevelItem(0);
        QCOMPARE(summer->data(0, Qt::UserRole), QVariant(QStringLiteral("1")));
        QCOMPARE(summer->text(1), QStringLiteral("Summer"));
        QCOMPARE(childTexts(summer, 2), (QStringList{"Mon", "Tue", "Sat", "Sun"}));
        QCOMPARE(childTexts(summer, 3), (QStringList{"1", "1", "2", "3"}));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 2), (QStringList{"Mon", "Fri"}));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 3), (QStringList{"2", ""}));

        QCOMPARE(columnTexts(c.seasonPlan, 0), (QStringList{"Warm", "Cold"}));
        QCOMPARE(c.seasonPlan->item(1, 2)->data(Qt::EditRole), QVariant(QDate(2028, 3, 31)));
        QCOMPARE(columnTexts(c.seasonPlan, 3), (QStringList{"1", "2"}));

        QCOMPARE(columnTexts(c.specialDays, 0), (QStringList{"1", "2"}));
        QCOMPARE(columnTexts(c.specialDays, 1), (QStringList{"New year", "Holiday"}));
        QCOMPARE(c.specialDays->item(1, 2)->data(Qt::EditRole), QVariant(QDate(2027, 5, 9)));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList{"3", "2"}));
    }

    void familyRules_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("defaults");
        QTest::addColumn<bool>("seasons");
        QTest::addColumn<bool>("names");
        QTest::addColumn<bool>("end");

        QTest::newRow("TIVERK 3.x") << "tiverk" << false << false << false << false;
        QTest::newRow("adapter") << "adapter" << false << false << false << false;
        QTest::newRow("TIVERK II") << "tiverkii" << true << true << true << false;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT" << true << true << true << true;
    }

    void familyRules()
    {
        QFETCH(QString, family);
        QFETCH(bool, defaults);
        QFETCH(bool, seasons);
        QFETCH(bool, names);
        QFETCH(bool, end);

        CnfController controller;
        fillTimetable(controller, family);
        Calendar c(&controller);
        QCOMPARE(c.dialog.findChild<QGroupBox *>(QStringLiteral("defaults"))->isHidden(), !defaults);
        auto *tabs = c.dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QCOMPARE(tabs->indexOf(c.dialog.findChild<QWidget *>(QStringLiteral("tab_3"))) >= 0, seasons);
        QCOMPARE(tabs->count(), seasons ? 4 : 3);
        QCOMPARE(c.dayCards->isColumnHidden(1), !names);
        QCOMPARE(c.dayCards->isColumnHidden(3), !end);
        QCOMPARE(c.weekCards->isColumnHidden(1), !names);
        QCOMPARE(c.specialDays->isColumnHidden(0), !names);
        QCOMPARE(c.specialDays->isColumnHidden(1), !names);
        // Hidden or not, the views hold the whole timetable.
        QCOMPARE(topTexts(c.dayCards, 1), (QStringList{"Workday", "Weekend", ""}));
        QCOMPARE(c.seasonPlan->rowCount(), 2);
    }

    // OK on an untouched dialog stores the same timetable again, through every
    // hidden column and, for TIVERK 3.x and the adapter, the removed tab.
    void okKeepsTimetable_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("TIVERK 3.x") << "tiverk";
        QTest::newRow("adapter") << "adapter";
        QTest::newRow("TIVERK II") << "tiverkii";
        QTest::newRow("ZU_MOLT") << "ZU_MOLT";
    }

    void okKeepsTimetable()
    {
        QFETCH(QString, family);
        CnfController controller;
        fillTimetable(controller, family);
        const QByteArray before = controller.save(-1);
        const CnfDayCardPtr oldCard = controller.findDayCard(QStringLiteral("1"));

        Calendar c(&controller);
        c.pressOk();
        QCOMPARE(c.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromUtf8(controller.save(-1)), QString::fromUtf8(before));
        // New objects, linked to each other.
        QVERIFY(controller.findDayCard(QStringLiteral("1")) != oldCard);
        QCOMPARE(controller.seasonPlans().first()->weekCard, controller.findWeekCard(QStringLiteral("1")));
        QCOMPARE(controller.specialDays().value(QDate(2027, 1, 1))->dayCard,
                 controller.findDayCard(QStringLiteral("3")));
        QCOMPARE(controller.defaultDayCard(), controller.findDayCard(QStringLiteral("1")));
        QCOMPARE(controller.reserveProgram(), controller.findProgram(QStringLiteral("3")));
    }

    void cancelChangesNothing()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("ZU_MOLT"));
        const QByteArray before = controller.save(-1);
        Calendar c(&controller);
        c.trigger("daycardAdd");
        c.dayCards->setCurrentItem(c.dayCards->topLevelItem(0));
        c.trigger("daycardRemove");
        c.trigger("specialDaysAdd");
        c.defaultDayCard->setCurrentIndex(0);
        QTest::mouseClick(c.dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel),
                          Qt::LeftButton);
        QCOMPARE(c.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(controller.save(-1), before);
    }

    void endTimes_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QTime>("morningEnd");
        QTest::addColumn<QTime>("eveningEnd");
        QTest::addColumn<QTime>("singleEnd");

        QTest::newRow("ZU_MOLT") << "ZU_MOLT" << QTime(22, 0) << QTime(6, 0) << QTime(12, 0);
        QTest::newRow("TIVERK II") << "tiverkii" << QTime() << QTime() << QTime();
    }

    void endTimes()
    {
        QFETCH(QString, family);
        QFETCH(QTime, morningEnd);
        QFETCH(QTime, eveningEnd);
        QFETCH(QTime, singleEnd);

        CnfController controller;
        controller.setProperty("type", family);
        const CnfProgramPtr program = addProgram(controller, QStringLiteral("1"));
        const CnfDayCardPtr day = addDayCard(controller, QStringLiteral("1"));
        day->addRecord(QTime(6, 0), QTime(), program, {});
        day->addRecord(QTime(22, 0), QTime(), program, {});
        const CnfDayCardPtr single = addDayCard(controller, QStringLiteral("2"));
        single->addRecord(QTime(12, 0), QTime(), program, {});

        Calendar c(&controller);
        c.dialog.accept();
        const CnfDayCardPtr stored = controller.findDayCard(QStringLiteral("1"));
        QCOMPARE(stored->records.value(QTime(6, 0)).end, morningEnd);
        QCOMPARE(stored->records.value(QTime(22, 0)).end, eveningEnd);
        QCOMPARE(controller.findDayCard(QStringLiteral("2"))->records.value(QTime(12, 0)).end, singleEnd);
    }

    // Rows that cannot be stored are dropped on OK; of two rows for one
    // weekday the later one wins.
    void storingDropsAndOverrides()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        Calendar c(&controller);

        QTreeWidgetItem *winter = c.weekCards->topLevelItem(1);
        auto *secondMonday = new QTreeWidgetItem(winter, QStringList{QString(), QString(), "Mon", "3"});
        Q_UNUSED(secondMonday)

        // Day card 2 loses its only record: the card stays in the view empty.
        c.dayCards->setCurrentItem(c.dayCards->topLevelItem(1)->child(0));
        c.trigger("daycardRemove");
        QCOMPARE(topTexts(c.dayCards), (QStringList{"1", "2", "3"}));
        QCOMPARE(c.dayCards->topLevelItem(1)->childCount(), 0);

        c.seasonPlan->item(0, 3)->setText(QStringLiteral("99"));
        c.trigger("specialDaysAdd"); // no day card chosen
        QCOMPARE(c.specialDays->rowCount(), 3);
        c.pressOk();

        QCOMPARE(ids(controller.dayCards()), (QStringList{"1", "3"}));
        const CnfWeekCardPtr stored = controller.findWeekCard(QStringLiteral("2"));
        QCOMPARE(stored->days.value(Qt::Monday), controller.findDayCard(QStringLiteral("3")));
        QCOMPARE(stored->days.size(), 2);
        QCOMPARE(controller.seasonPlans().size(), 1);
        QCOMPARE(controller.seasonPlans().first()->name, QStringLiteral("Cold"));
        // The holiday named the dropped day card; the new row named none.
        QCOMPARE(controller.specialDays().keys(), QList<QDate>{QDate(2027, 1, 1)});
        // Week card 1's Saturday named the dropped card too: kept, without card.
        QVERIFY(controller.findWeekCard(QStringLiteral("1"))->days.contains(Qt::Saturday));
        QVERIFY(!controller.findWeekCard(QStringLiteral("1"))->days.value(Qt::Saturday));
    }

    void noPrograms()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        Calendar c(&controller);
        QCOMPARE(c.dialog.findChild<QComboBox *>(QStringLiteral("def_prog"))->count(), 1);
        QCOMPARE(c.dialog.findChild<QComboBox *>(QStringLiteral("def_reserve_prog"))->count(), 1);
        c.trigger("daycardAdd");
        QCOMPARE(c.dayCards->topLevelItem(0)->child(0)->text(4), QString());
        c.pressOk();
        QCOMPARE(controller.dayCards().size(), 1);
        QVERIFY(!controller.dayCards().first()->records.value(QTime(0, 0)).program);
        QVERIFY(!controller.defaultProgram());
    }

    void printError()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        ErrorSink window;
        CalendarDlg withWindow(&window, &controller);
        withWindow.printError(QStringLiteral("first"));
        CalendarDlg::printError(&withWindow, QStringLiteral("second"));
        QCOMPARE(window.errors, (QStringList{"first", "second"}));

        MessageCapture capture;
        QWidget plain;
        CalendarDlg withPlainParent(&plain, &controller);
        withPlainParent.printError(QStringLiteral("no slot"));
        CalendarDlg alone(nullptr, &controller);
        CalendarDlg::printError(&alone, QStringLiteral("no parent"));
        QCOMPARE(capture.criticals(), (QStringList{"no slot", "no parent"}));
    }

    void editActions_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");

        QTest::newRow("daycardAdd") << "dayCards" << "daycardAdd" << "Add card" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("daycardItemAdd")
            << "dayCards" << "daycardItemAdd" << "Add record" << QKeySequence(Qt::ALT + Qt::Key_Insert);
        QTest::newRow("daycardRemove") << "dayCards" << "daycardRemove" << "Remove" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("weekcardAdd") << "weekCards" << "weekcardAdd" << "Add card" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("weekcardItemAdd")
            << "weekCards" << "weekcardItemAdd" << "Add record" << QKeySequence(Qt::ALT + Qt::Key_Insert);
        QTest::newRow("weekcardRemove") << "weekCards" << "weekcardRemove" << "Remove" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("seasonPlanAdd")
            << "seasonPlan" << "seasonPlanAdd" << "Add record" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("seasonPlanRemove")
            << "seasonPlan" << "seasonPlanRemove" << "Remove" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("specialDaysAdd")
            << "specialDays" << "specialDaysAdd" << "Add record" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("specialDaysRemove")
            << "specialDays" << "specialDaysRemove" << "Remove" << QKeySequence(Qt::Key_Delete);
    }

    void editActions()
    {
        QFETCH(QString, view);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        Calendar c(&controller);
        auto *widget = c.dialog.findChild<QWidget *>(view);
        auto *action = widget->findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->shortcutContext(), Qt::WidgetShortcut);
        QVERIFY(widget->actions().contains(action));
    }

    // Insert on the focused view adds there and only there.
    void shortcutsFollowFocus()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        Calendar c(&controller);
        c.dialog.show();
        QApplication::setActiveWindow(&c.dialog);
        QVERIFY(QTest::qWaitForWindowActive(&c.dialog));
        c.dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(3);
        c.specialDays->setFocus();
        QTest::keyClick(c.specialDays, Qt::Key_Insert);
        QCOMPARE(c.specialDays->rowCount(), 1);
        QCOMPARE(c.dayCards->topLevelItemCount(), 0);
        c.dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(0);
        c.dayCards->setFocus();
        QTest::keyClick(c.dayCards, Qt::Key_Insert);
        QCOMPARE(c.dayCards->topLevelItemCount(), 1);
        QCOMPARE(c.specialDays->rowCount(), 1);
    }

    void contextMenus_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("view");
        QTest::addColumn<bool>("select");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("day cards") << "tiverkii" << "dayCards" << false << QStringList{"daycardAdd"};
        QTest::newRow("day cards, selection")
            << "tiverkii" << "dayCards" << true << QStringList{"daycardAdd", "daycardItemAdd", "daycardRemove"};
        QTest::newRow("week cards")
            << "tiverkii" << "weekCards" << true << QStringList{"weekcardAdd", "weekcardItemAdd", "weekcardRemove"};
        QTest::newRow("TIVERK 3.x week card")
            << "tiverk" << "weekCards" << true << QStringList{"weekcardItemAdd", "weekcardRemove"};
        QTest::newRow("TIVERK 3.x, no week card") << "tiverk" << "weekCards" << false << QStringList{"weekcardAdd"};
        QTest::newRow("season plans") << "tiverkii" << "seasonPlan" << false << QStringList{"seasonPlanAdd"};
        QTest::newRow("season plans, selection")
            << "tiverkii" << "seasonPlan" << true << QStringList{"seasonPlanAdd", "seasonPlanRemove"};
        QTest::newRow("special days, selection")
            << "tiverkii" << "specialDays" << true << QStringList{"specialDaysAdd", "specialDaysRemove"};
    }

    void contextMenus()
    {
        QFETCH(QString, family);
        QFETCH(QString, view);
        QFETCH(bool, select);
        QFETCH(QStringList, names);

        CnfController controller;
        controller.setProperty("type", family);
        const CnfProgramPtr program = addProgram(controller, QStringLiteral("1"));
        const CnfDayCardPtr day = addDayCard(controller, QStringLiteral("1"));
        day->addRecord(QTime(6, 0), QTime(), program, {});
        if (select) {
            const CnfWeekCardPtr week = addWeekCard(controller, QStringLiteral("1"), {{Qt::Monday, day}});
            addSeasonPlan(controller, QString(), QDate(2027, 1, 1), QDate(2027, 2, 1), week);
            addSpecialDay(controller, QDate(2027, 1, 1), QStringLiteral("1"), QString(), day);
        }
        Calendar c(&controller);
        auto *widget = c.dialog.findChild<QAbstractItemView *>(view);
        if (select)
            widget->setCurrentIndex(widget->model()->index(0, 0));
        QMenu *menu = c.dialog.contextMenu(widget);
        QCOMPARE(menu->parent(), widget);
        QCOMPARE(menuNames(menu), names);
    }

    void freeNumbers_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("next");

        QTest::newRow("none") << QStringList{} << "1";
        QTest::newRow("1,2,5") << QStringList{"1", "2", "5"} << "6";
        QTest::newRow("5,2,1") << QStringList{"5", "2", "1"} << "3";
        QTest::newRow("A9") << QStringList{"A9"} << "A10";
        QTest::newRow("abc") << QStringList{"abc"} << "abc1";
        QTest::newRow("007") << QStringList{"007"} << "7";
        QTest::newRow("007, 7") << QStringList{"7", "007"} << "8";
    }

    void freeNumbers()
    {
        QFETCH(QStringList, numbers);
        QFETCH(QString, next);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        for (const QString &number : qAsConst(numbers)) {
            addDayCard(controller, number)->addRecord(QTime(1, 0), QTime(), {}, {});
            addWeekCard(controller, number, {{Qt::Monday, {}}});
        }
        Calendar c(&controller);
        c.trigger("daycardAdd");
        c.trigger("weekcardAdd");
        QCOMPARE(topTexts(c.dayCards), numbers + QStringList{next});
        QCOMPARE(topTexts(c.weekCards), numbers + QStringList{next});
        // A new card is remembered under its number and starts with one record.
        QTreeWidgetItem *added = c.dayCards->topLevelItem(numbers.size());
        QCOMPARE(added->data(0, Qt::UserRole), QVariant(next));
        QCOMPARE(added->childCount(), 1);
        QCOMPARE(added->child(0)->data(2, Qt::EditRole), QVariant(QTime(0, 0)));
        QCOMPARE(c.weekCards->topLevelItem(numbers.size())->childCount(), 1);
        QCOMPARE(c.defaultDayCard->itemText(c.defaultDayCard->count() - 1), next);
    }

    // With a selection, a new card follows the selected item's card and a new
    // record the selected record.
    void addAfterSelection()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        Calendar c(&controller);
        QTreeWidgetItem *work = c.dayCards->topLevelItem(0);
        c.dayCards->setCurrentItem(work->child(0));
        c.trigger("daycardItemAdd");
        QCOMPARE(work->childCount(), 3);
        QCOMPARE(work->child(1)->data(2, Qt::EditRole), QVariant(QTime(0, 0)));
        QCOMPARE(work->child(1)->text(4), QStringLiteral("1"));
        QCOMPARE(work->child(1)->text(5), QString());
        QCOMPARE(c.dayCards->currentItem(), work->child(1));
        QCOMPARE(c.dayCards->currentColumn(), 1);

        c.trigger("daycardAdd");
        QCOMPARE(topTexts(c.dayCards), (QStringList{"1", "4", "2", "3"}));
        QCOMPARE(c.dayCards->currentItem(), c.dayCards->topLevelItem(1)->child(0));

        c.weekCards->setCurrentItem(c.weekCards->topLevelItem(0)->child(2));
        c.trigger("weekcardAdd");
        QCOMPARE(topTexts(c.weekCards), (QStringList{"1", "3", "2"}));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 2), QStringList{"Mon"});
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList{"1", "3", "2"}));
    }

    void defaultNames_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("names"); // day card, week card, season plan, special day

        QTest::newRow("ZU_MOLT") << "ZU_MOLT" << QStringList{"Daily.1", "Weekly.1", "Seasonly.1", "Special.2"};
        QTest::newRow("TIVERK II") << "tiverkii" << QStringList{"", "", "", ""};
    }

    void defaultNames()
    {
        QFETCH(QString, family);
        QFETCH(QStringList, names);

        CnfController controller;
        controller.setProperty("type", family);
        Calendar c(&controller);
        c.trigger("daycardAdd");
        c.trigger("weekcardAdd");
        c.trigger("seasonPlanAdd");
        c.trigger("specialDaysAdd");
        QCOMPARE((QStringList{c.dayCards->topLevelItem(0)->text(1), c.weekCards->topLevelItem(0)->text(1),
                              c.seasonPlan->item(0, 0)->text(), c.specialDays->item(0, 1)->text()}),
                 names);
        QCOMPARE(c.specialDays->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(c.specialDays->item(0, 2)->data(Qt::EditRole), QVariant(QDate::currentDate()));
        QCOMPARE(c.seasonPlan->item(0, 2)->data(Qt::EditRole), QVariant(QDate::currentDate().addDays(1)));
        QCOMPARE(c.seasonPlan->item(0, 3)->text(), QStringLiteral("1"));
    }

    // Names already in use push the counter on.
    void defaultNamesCountOn()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("ZU_MOLT"));
        addDayCard(controller, QStringLiteral("1"), QStringLiteral("Daily.2"))->addRecord(QTime(1, 0), {}, {}, {});
        addSpecialDay(controller, QDate(2027, 1, 1), QStringLiteral("1"), QStringLiteral("Special.3"), {});
        Calendar c(&controller);
        c.trigger("daycardAdd");
        c.trigger("specialDaysAdd");
        QCOMPARE(c.dayCards->topLevelItem(1)->text(1), QStringLiteral("Daily.3"));
        QCOMPARE(c.specialDays->item(1, 0)->text(), QStringLiteral("2"));
        QCOMPARE(c.specialDays->item(1, 1)->text(), QStringLiteral("Special.4"));
        c.trigger("seasonPlanAdd");
        c.trigger("seasonPlanAdd");
        QCOMPARE(columnTexts(c.seasonPlan, 0), (QStringList{"Seasonly.1", "Seasonly.2"}));
    }

    void limits_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");

        QTest::newRow("TIVERK 3.x day cards")
            << "tiverk" << "daycardAdd"
            << "Impossible to add new daily card. Maximum numbers for given type of controller: 16";
        QTest::newRow("TIVERK 3.x records")
            << "tiverk" << "daycardItemAdd"
            << "Impossible to add new record to daily card. Maximum numbers for given type of controller: 24";
        QTest::newRow("TIVERK 3.x special days")
            << "tiverk" << "specialDaysAdd"
            << "Impossible to add new special day. Maximum numbers for given type of controller: 32";
        QTest::newRow("ZU_MOLT day cards")
            << "ZU_MOLT" << "daycardAdd"
            << "Impossible to add new daily card. Maximum numbers for given type of controller: 64";
        QTest::newRow("ZU_MOLT records")
            << "ZU_MOLT" << "daycardItemAdd"
            << "Impossible to add new record to daily card. Maximum numbers for given type of controller: 48";
        QTest::newRow("ZU_MOLT special days")
            << "ZU_MOLT" << "specialDaysAdd"
            << "Impossible to add new special day. Maximum numbers for given type of controller: 128";
    }

    void limits()
    {
        QFETCH(QString, family);
        QFETCH(QString, what);
        QFETCH(QString, message);

        CnfController controller;
        controller.setProperty("type", family);
        const int cards = controller.getMaxDayCardCount() - (what == QLatin1String("daycardAdd") ? 0 : 1);
        for (int i = 1; i <= cards; ++i)
            addDayCard(controller, QString::number(i))->addRecord(QTime(0, 0), {}, {}, {});
        const CnfDayCardPtr full = controller.dayCards().first();
        for (int i = 1; i < controller.getMaxDayCardItems(); ++i)
            full->addRecord(QTime(0, i), {}, {}, {});
        const int days = controller.getMaxSpecialDayCount() - (what == QLatin1String("specialDaysAdd") ? 0 : 1);
        for (int i = 0; i < days; ++i)
            addSpecialDay(controller, QDate(2027, 1, 1).addDays(i), QString::number(i + 1), {}, full);

        ErrorSink window;
        Calendar c(&controller, &window);
        c.dayCards->setCurrentItem(c.dayCards->topLevelItem(0));
        const int rows = c.dayCards->topLevelItemCount();
        const int records = c.dayCards->topLevelItem(0)->childCount();
        const int specialRows = c.specialDays->rowCount();

        c.trigger(qPrintable(what));
        QCOMPARE(window.errors, QStringList{message});
        QCOMPARE(c.dayCards->topLevelItemCount(), rows);
        QCOMPARE(c.dayCards->topLevelItem(0)->childCount(), records);
        QCOMPARE(c.specialDays->rowCount(), specialRows);

        // One below the limit the same action adds.
        window.errors.clear();
        if (what == QLatin1String("daycardAdd")) {
            delete c.dayCards->topLevelItem(rows - 1);
            c.dayCards->setCurrentItem(c.dayCards->topLevelItem(0));
        } else if (what == QLatin1String("daycardItemAdd")) {
            delete c.dayCards->topLevelItem(0)->child(0);
            c.dayCards->setCurrentItem(c.dayCards->topLevelItem(0));
        } else {
            c.specialDays->removeRow(0);
        }
        c.trigger(qPrintable(what));
        QVERIFY(window.errors.isEmpty());
    }

    // TIVERK 3.x keeps a single week card: neither the action nor the menu
    // adds a second one.
    void singleWeekCard_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("cards");
        QTest::newRow("TIVERK 3.x") << "tiverk" << 1;
        QTest::newRow("adapter") << "adapter" << 2;
    }

    void singleWeekCard()
    {
        QFETCH(QString, family);
        QFETCH(int, cards);

        CnfController controller;
        controller.setProperty("type", family);
        Calendar c(&controller);
        c.trigger("weekcardAdd");
        QCOMPARE(c.weekCards->topLevelItemCount(), 1);
        c.trigger("weekcardAdd");
        QCOMPARE(c.weekCards->topLevelItemCount(), cards);
        QCOMPARE(menuNames(c.dialog.contextMenu(c.weekCards)).contains(QStringLiteral("weekcardAdd")),
                 cards > 1);
    }

    void weekRecords_data()
    {
        QTest::addColumn<int>("selected"); // -1: the card
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<int>("added");

        QTest::newRow("after Sun") << 1 << QStringList{"Wed", "Sun", "Mon"} << 2;
        QTest::newRow("after Wed") << 0 << QStringList{"Wed", "Thu", "Sun"} << 1;
        QTest::newRow("card with records") << -1 << QStringList{"Wed", "Sun", "Mon"} << 2;
    }

    void weekRecords()
    {
        QFETCH(int, selected);
        QFETCH(QStringList, days);
        QFETCH(int, added);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        const CnfDayCardPtr day = addDayCard(controller, QStringLiteral("4"));
        day->addRecord(QTime(0, 0), {}, {}, {});
        addWeekCard(controller, QStringLiteral("1"), {{Qt::Wednesday, day}, {Qt::Sunday, day}});
        Calendar c(&controller);
        QTreeWidgetItem *card = c.weekCards->topLevelItem(0);
        c.weekCards->setCurrentItem(selected < 0 ? card : card->child(selected));
        c.trigger("weekcardItemAdd");
        QCOMPARE(childTexts(card, 2), days);
        QCOMPARE(childTexts(card, 3), (QStringList{"4", "4", "4"}));
        QCOMPARE(c.weekCards->currentItem(), card->child(added));
    }

    void minimalData()
    {
        // No cards at all: the first day card brings week card 1 with Monday.
        CnfController empty;
        empty.setProperty("type", QStringLiteral("tiverkii"));
        addProgram(empty, QStringLiteral("7"));
        Calendar first(&empty);
        first.setCreateMinimal();
        first.trigger("daycardAdd");
        QCOMPARE(topTexts(first.dayCards), QStringList{"1"});
        QCOMPARE(childTexts(first.dayCards->topLevelItem(0), 4), QStringList{"7"});
        QCOMPARE(topTexts(first.weekCards), QStringList{"1"});
        QCOMPARE(first.weekCards->topLevelItem(0)->data(0, Qt::UserRole), QVariant(QStringLiteral("1")));
        QCOMPARE(childTexts(first.weekCards->topLevelItem(0), 2), QStringList{"Mon"});
        QCOMPARE(childTexts(first.weekCards->topLevelItem(0), 3), QStringList{"1"});

        // One day card and no week card: the first week card gets a second
        // Monday from the minimal step.
        CnfController oneDay;
        oneDay.setProperty("type", QStringLiteral("tiverkii"));
        addDayCard(oneDay, QStringLiteral("5"))->addRecord(QTime(0, 0), {}, {}, {});
        Calendar second(&oneDay);
        second.setCreateMinimal();
        second.trigger("weekcardAdd");
        QCOMPARE(topTexts(second.weekCards), QStringList{"1"});
        QCOMPARE(childTexts(second.weekCards->topLevelItem(0), 2), (QStringList{"Mon", "Mon"}));
        QCOMPARE(childTexts(second.weekCards->topLevelItem(0), 3), (QStringList{"5", "5"}));

        // Unticked, nothing is added.
        CnfController unticked;
        unticked.setProperty("type", QStringLiteral("tiverkii"));
        Calendar third(&unticked);
        third.trigger("daycardAdd");
        QCOMPARE(third.weekCards->topLevelItemCount(), 0);
    }

    // OK runs the minimal step first: one day card and no week card give a
    // stored week card 1 that runs the day card on Monday.
    void minimalDataOnOk()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        addDayCard(controller, QStringLiteral("3"))->addRecord(QTime(0, 0), {}, {}, {});
        Calendar c(&controller);
        c.setCreateMinimal();
        c.pressOk();
        QCOMPARE(controller.weekCards().size(), 1);
        QCOMPARE(controller.weekCards().first()->id, QStringLiteral("1"));
        QCOMPARE(controller.weekCards().first()->days,
                 (QMap<int, CnfDayCardPtr>{{Qt::Monday, controller.findDayCard(QStringLiteral("3"))}}));
    }

    void removeDayCardCascade()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        // Week card 3 runs only day card 3; it and its season plan go with it.
        const CnfWeekCardPtr only3 = addWeekCard(controller, QStringLiteral("3"),
                                                 {{Qt::Monday, controller.findDayCard(QStringLiteral("3"))}});
        addSeasonPlan(controller, QStringLiteral("Dark"), QDate(2027, 1, 1), QDate(2027, 1, 2), only3);
        Calendar c(&controller);
        c.dayCards->setCurrentItem(c.dayCards->topLevelItem(2));
        c.trigger("daycardRemove");

        QCOMPARE(topTexts(c.dayCards), (QStringList{"1", "2"}));
        QCOMPARE(topTexts(c.weekCards), (QStringList{"1", "2"}));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(0), 2), (QStringList{"Mon", "Tue", "Sat"}));
        QCOMPARE(columnTexts(c.seasonPlan, 0), (QStringList{"Warm", "Cold"}));
        QCOMPARE(columnTexts(c.specialDays, 1), QStringList{"Holiday"});
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.weekCards->itemDelegateForColumn(3))->texts(),
                 (QStringList{"1", "2"}));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList{"1", "2"}));
    }

    void removeWeekCardCascade()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        Calendar c(&controller);

        // A record of a card with more records: only that record.
        QTreeWidgetItem *winter = c.weekCards->topLevelItem(1);
        c.weekCards->setCurrentItem(winter->child(1));
        c.trigger("weekcardRemove");
        QCOMPARE(childTexts(winter, 2), QStringList{"Mon"});
        QCOMPARE(c.seasonPlan->rowCount(), 2);

        // Its last record: the week card and its season plan go too.
        c.weekCards->setCurrentItem(winter->child(0));
        c.trigger("weekcardRemove");
        QCOMPARE(topTexts(c.weekCards), QStringList{"1"});
        QCOMPARE(columnTexts(c.seasonPlan, 0), QStringList{"Warm"});
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 QStringList{"1"});

        // A card row: its season plans go with it.
        c.weekCards->setCurrentItem(c.weekCards->topLevelItem(0));
        c.trigger("weekcardRemove");
        QCOMPARE(c.weekCards->topLevelItemCount(), 0);
        QCOMPARE(c.seasonPlan->rowCount(), 0);
    }

    void removeTableRows()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        addSpecialDay(controller, QDate(2027, 12, 31), QStringLiteral("3"), QStringLiteral("Eve"), {});
        Calendar c(&controller);
        // Two rows apart: removing the first must not shift the other out of place.
        c.specialDays->setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 3), true);
        c.specialDays->setRangeSelected(QTableWidgetSelectionRange(2, 0, 2, 3), true);
        c.trigger("specialDaysRemove");
        QCOMPARE(columnTexts(c.specialDays, 1), QStringList{"Holiday"});

        c.seasonPlan->selectRow(1);
        c.trigger("seasonPlanRemove");
        QCOMPARE(columnTexts(c.seasonPlan, 0), QStringList{"Warm"});

        // Without a selection the remove actions do nothing.
        c.dayCards->clearSelection();
        c.trigger("daycardRemove");
        c.trigger("daycardItemAdd");
        QCOMPARE(c.dayCards->topLevelItemCount(), 3);
        QCOMPARE(c.dayCards->topLevelItem(0)->childCount(), 2);
    }

    void renaming()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        Calendar c(&controller);
        c.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.dialog));

        // Day card 3 becomes 10: its week-card and special-day cells follow.
        QTreeWidgetItem *dark = c.dayCards->topLevelItem(2);
        c.typeNumber(c.dayCards, dark, QStringLiteral("10"));
        QCOMPARE(dark->text(0), QStringLiteral("10"));
        QCOMPARE(dark->data(0, Qt::UserRole), QVariant(QStringLiteral("10")));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(0), 3), (QStringList{"1", "1", "2", "10"}));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList{"10", "2"}));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.specialDays->itemDelegateForColumn(3))->texts(),
                 (QStringList{"1", "2", "10"}));

        // A number another card has is refused; nothing is rewritten.
        c.typeNumber(c.dayCards, dark, QStringLiteral("2"));
        QCOMPARE(topTexts(c.dayCards), (QStringList{"1", "2", "10"}));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList{"10", "2"}));

        // Week card 2 becomes W2: its season plan follows.
        c.typeNumber(c.weekCards, c.weekCards->topLevelItem(1), QStringLiteral("W2"));
        QCOMPARE(columnTexts(c.seasonPlan, 3), (QStringList{"1", "W2"}));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList{"1", "W2"}));

        c.pressOk();
        QCOMPARE(controller.specialDays().value(QDate(2027, 1, 1))->dayCard,
                 controller.findDayCard(QStringLiteral("10")));
        QCOMPARE(controller.findWeekCard(QStringLiteral("1"))->days.value(Qt::Sunday),
                 controller.findDayCard(QStringLiteral("10")));
        QCOMPARE(controller.seasonPlans().at(1)->weekCard, controller.findWeekCard(QStringLiteral("W2")));
    }

    // An empty number, typed or set, is refused like a taken one: every
    // reference to the card would be lost on OK.
    void emptyNumberRefused_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<bool>("typed");
        QTest::newRow("day card, typed") << "dayCards" << true;
        QTest::newRow("day card, set") << "dayCards" << false;
        QTest::newRow("week card, typed") << "weekCards" << true;
    }

    void emptyNumberRefused()
    {
        QFETCH(QString, view);
        QFETCH(bool, typed);

        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        const QByteArray before = controller.save(-1);
        Calendar c(&controller);
        c.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.dialog));
        auto *tree = c.dialog.findChild<QTreeWidget *>(view);
        QTreeWidgetItem *card = tree->topLevelItem(0);
        if (typed)
            c.typeNumber(tree, card, QString());
        else
            card->setText(0, QString());
        QCOMPARE(card->text(0), QStringLiteral("1"));
        QCOMPARE(card->data(0, Qt::UserRole), QVariant(QStringLiteral("1")));
        c.pressOk();
        QCOMPARE(controller.save(-1), before);
    }

    // A record row's column 0 is no number: editing it renames nothing, and
    // above all does not write into the empty references of other rows.
    void recordColumnZeroIgnored()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        const QByteArray before = controller.save(-1);
        Calendar c(&controller);
        c.trigger("specialDaysAdd"); // no day card chosen yet
        c.dayCards->topLevelItem(0)->child(0)->setText(0, QStringLiteral("5"));
        c.weekCards->topLevelItem(0)->child(0)->setText(0, QStringLiteral("6"));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 3), (QStringList{"2", ""}));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList{"3", "2", ""}));
        QCOMPARE(columnTexts(c.seasonPlan, 3), (QStringList{"1", "2"}));
        QCOMPARE(topTexts(c.dayCards), (QStringList{"1", "2", "3"}));
        c.pressOk();
        QCOMPARE(controller.save(-1), before);
    }

    // While editing, the default day card stays the card it showed: it
    // follows a rename and goes back to "not set" only with its card.
    void defaultDayCardKept_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("shown");

        QTest::newRow("added record") << "tiverkii" << "record" << "1";
        QTest::newRow("added card") << "tiverkii" << "card" << "1";
        QTest::newRow("renamed") << "tiverkii" << "rename" << "11";
        QTest::newRow("other card removed") << "tiverkii" << "removeOther" << "1";
        QTest::newRow("its card removed") << "tiverkii" << "removeIt" << "not set";
        QTest::newRow("hidden box, added record") << "tiverk" << "record" << "1";
    }

    void defaultDayCardKept()
    {
        QFETCH(QString, family);
        QFETCH(QString, edit);
        QFETCH(QString, shown);

        CnfController controller;
        fillTimetable(controller, family); // default day card: 1
        Calendar c(&controller);
        QCOMPARE(c.defaultDayCard->currentText(), QStringLiteral("1"));
        if (edit == QLatin1String("record")) {
            c.dayCards->setCurrentItem(c.dayCards->topLevelItem(1));
            c.trigger("daycardItemAdd");
        } else if (edit == QLatin1String("card")) {
            c.trigger("daycardAdd");
        } else if (edit == QLatin1String("rename")) {
            c.dayCards->topLevelItem(0)->setText(0, QStringLiteral("11"));
        } else {
            c.dayCards->setCurrentItem(c.dayCards->topLevelItem(edit == QLatin1String("removeIt") ? 0 : 1));
            c.trigger("daycardRemove");
        }
        QCOMPARE(c.defaultDayCard->currentText(), shown);

        c.pressOk();
        const CnfDayCardPtr expected =
            shown == QLatin1String("not set") ? CnfDayCardPtr() : controller.findDayCard(shown);
        QCOMPARE(controller.defaultDayCard(), expected);
        QVERIFY(shown == QLatin1String("not set") || controller.defaultDayCard());
    }

    void notSetClearsDefaults()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("ZU_MOLT"));
        Calendar c(&controller);
        c.defaultDayCard->setCurrentIndex(0);
        c.dialog.findChild<QComboBox *>(QStringLiteral("def_prog"))->setCurrentIndex(0);
        c.dialog.findChild<QComboBox *>(QStringLiteral("def_reserve_prog"))->setCurrentIndex(2);
        c.pressOk();
        QVERIFY(!controller.defaultDayCard());
        QVERIFY(!controller.defaultProgram());
        QCOMPARE(controller.reserveProgram(), controller.findProgram(QStringLiteral("2")));
    }
};

PROJECT_TEST(TestCalendarDlg);
#include "tst_calendardlg.moc"
