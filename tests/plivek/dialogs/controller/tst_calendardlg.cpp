#include "calendarfixture.h"
#include "messagecapture.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/datedelegate.h"
#include "plivek/framework/exttextdelegate.h"
#include "plivek/framework/timedelegate.h"
#include "testmain.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QtTest>

using namespace CalendarFixture;

// The calendar dialog as a whole: its form, what it loads and stores for
// each family, its actions and menus, its limits and the defaults box.
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
        QCOMPARE(headers(c.dayCards),
                 (QStringList { "Number", "Name", "Start", "End", "Program", "Reserve program" }));
        QCOMPARE(headers(c.weekCards), (QStringList { "Number", "Name", "Start", "Daily card" }));
        QCOMPARE(tableHeaders(c.seasonPlan), (QStringList { "Name", "From", "To", "Weekly card" }));
        QCOMPARE(tableHeaders(c.specialDays),
                 (QStringList { "Number", "Name", "Date", "Daily card" }));

        auto *tabs = c.dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QStringList tabTexts;
        for (int i = 0; i < tabs->count(); ++i)
            tabTexts.append(tabs->tabText(i));
        QCOMPARE(tabTexts,
                 (QStringList { "Daily cards", "Weekly cards", "Seasonal timetable",
                                "Special days of year" }));
        QCOMPARE(tabs->currentIndex(), 0);

        // Every cell editor belongs to the dialog.
        const QList<QAbstractItemDelegate *> delegates {
            c.dayCards->itemDelegateForColumn(0),    c.dayCards->itemDelegateForColumn(2),
            c.dayCards->itemDelegateForColumn(3),    c.dayCards->itemDelegateForColumn(4),
            c.weekCards->itemDelegateForColumn(0),   c.weekCards->itemDelegateForColumn(2),
            c.weekCards->itemDelegateForColumn(3),   c.seasonPlan->itemDelegateForColumn(1),
            c.seasonPlan->itemDelegateForColumn(2),  c.seasonPlan->itemDelegateForColumn(3),
            c.specialDays->itemDelegateForColumn(2), c.specialDays->itemDelegateForColumn(3)
        };
        for (const QAbstractItemDelegate *delegate : delegates) {
            QVERIFY(delegate);
            QCOMPARE(delegate->parent(), &c.dialog);
        }
        QVERIFY(qobject_cast<ExtTextDelegate *>(c.dayCards->itemDelegateForColumn(0)));
        QVERIFY(qobject_cast<TimeDelegate *>(c.dayCards->itemDelegateForColumn(3)));
        QCOMPARE(c.dayCards->itemDelegateForColumn(4), c.dayCards->itemDelegateForColumn(5));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.dayCards->itemDelegateForColumn(4))->texts(),
                 (QStringList { "1", "2", "3" }));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.weekCards->itemDelegateForColumn(2))->texts(),
                 (QStringList { "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun" }));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.weekCards->itemDelegateForColumn(3))->texts(),
                 (QStringList { "1", "2", "3" }));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList { "1", "2" }));
        QVERIFY(qobject_cast<DateDelegate *>(c.specialDays->itemDelegateForColumn(2)));

        // The three boxes: "not set" first, then the numbers, the defaults current.
        const QStringList boxes { "def_prog", "def_reserve_prog", "def_daycard" };
        const QStringList current { "1", "3", "1" };
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

        QCOMPARE(topTexts(c.dayCards), (QStringList { "1", "2", "3" }));
        QCOMPARE(topTexts(c.dayCards, 1), (QStringList { "Workday", "Weekend", "" }));
        QTreeWidgetItem *work = c.dayCards->topLevelItem(0);
        QCOMPARE(work->data(0, Qt::UserRole), QVariant(QStringLiteral("1")));
        QVERIFY(work->isExpanded());
        QCOMPARE(work->child(0)->data(2, Qt::EditRole), QVariant(QTime(6, 0)));
        QCOMPARE(work->child(1)->data(2, Qt::EditRole), QVariant(QTime(22, 0)));
        QCOMPARE(work->child(1)->data(3, Qt::EditRole), QVariant(QTime(6, 0)));
        QCOMPARE(childTexts(work, 4), (QStringList { "1", "2" }));
        QCOMPARE(childTexts(work, 5), (QStringList { "2", "" }));
        QCOMPARE(childTexts(c.dayCards->topLevelItem(2), 4), QStringList { QString() });
        QVERIFY(work->child(0)->flags().testFlag(Qt::ItemIsEditable));

        QTreeWidgetItem *summer = c.weekCards->topLevelItem(0);
        QCOMPARE(summer->data(0, Qt::UserRole), QVariant(QStringLiteral("1")));
        QCOMPARE(summer->text(1), QStringLiteral("Summer"));
        QCOMPARE(childTexts(summer, 2), (QStringList { "Mon", "Tue", "Sat", "Sun" }));
        QCOMPARE(childTexts(summer, 3), (QStringList { "1", "1", "2", "3" }));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 2), (QStringList { "Mon", "Fri" }));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 3), (QStringList { "2", "" }));

        QCOMPARE(columnTexts(c.seasonPlan, 0), (QStringList { "Warm", "Cold" }));
        QCOMPARE(c.seasonPlan->item(1, 2)->data(Qt::EditRole), QVariant(QDate(2028, 3, 31)));
        QCOMPARE(columnTexts(c.seasonPlan, 3), (QStringList { "1", "2" }));

        QCOMPARE(columnTexts(c.specialDays, 0), (QStringList { "1", "2" }));
        QCOMPARE(columnTexts(c.specialDays, 1), (QStringList { "New year", "Holiday" }));
        QCOMPARE(c.specialDays->item(1, 2)->data(Qt::EditRole), QVariant(QDate(2027, 5, 9)));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList { "3", "2" }));
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
        QCOMPARE(c.dialog.findChild<QGroupBox *>(QStringLiteral("defaults"))->isHidden(),
                 !defaults);
        auto *tabs = c.dialog.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QCOMPARE(tabs->indexOf(c.dialog.findChild<QWidget *>(QStringLiteral("tab_3"))) >= 0,
                 seasons);
        QCOMPARE(tabs->count(), seasons ? 4 : 3);
        QCOMPARE(c.dayCards->isColumnHidden(1), !names);
        QCOMPARE(c.dayCards->isColumnHidden(3), !end);
        QCOMPARE(c.weekCards->isColumnHidden(1), !names);
        QCOMPARE(c.specialDays->isColumnHidden(0), !names);
        QCOMPARE(c.specialDays->isColumnHidden(1), !names);
        // Hidden or not, the views hold the whole timetable.
        QCOMPARE(topTexts(c.dayCards, 1), (QStringList { "Workday", "Weekend", "" }));
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
        QCOMPARE(controller.seasonPlans().first()->weekCard,
                 controller.findWeekCard(QStringLiteral("1")));
        QCOMPARE(controller.specialDays().value(QDate(2027, 1, 1))->dayCard,
                 controller.findDayCard(QStringLiteral("3")));
        QCOMPARE(controller.defaultDayCard(), controller.findDayCard(QStringLiteral("1")));
        QCOMPARE(controller.reserveProgram(), controller.findProgram(QStringLiteral("3")));
    }

    // A record that names a deleted program shows its id, and OK on an untouched
    // dialog keeps the id.
    void deletedProgramKept_data() { okKeepsTimetable_data(); }

    void deletedProgramKept()
    {
        QFETCH(QString, family);
        CnfController controller;
        fillTimetable(controller, family);
        QVERIFY(controller.removeProgram(QStringLiteral("2")));
        const QByteArray before = controller.save(-1);

        Calendar c(&controller);
        const QTreeWidgetItem *workday = c.dayCards->topLevelItem(0);
        QCOMPARE(childTexts(workday, 4), (QStringList { "1", "2" }));
        QCOMPARE(childTexts(workday, 5), (QStringList { "2", "" }));
        c.pressOk();
        QCOMPARE(c.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromUtf8(controller.save(-1)), QString::fromUtf8(before));
        const CnfDayCardRecord night
            = controller.findDayCard(QStringLiteral("1"))->records.value(QTime(22, 0));
        QVERIFY(!night.program);
        QCOMPARE(night.programId(), QStringLiteral("2"));
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
        QTest::mouseClick(
            c.dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel),
            Qt::LeftButton);
        QCOMPARE(c.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(controller.save(-1), before);
    }

    // Rows that cannot be stored are dropped on OK; of two rows for one
    // weekday the later one wins.
    void storingDropsAndOverrides()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        Calendar c(&controller);

        QTreeWidgetItem *winter = c.weekCards->topLevelItem(1);
        auto *secondMonday
            = new QTreeWidgetItem(winter, QStringList { QString(), QString(), "Mon", "3" });
        Q_UNUSED(secondMonday)

        // Day card 2 loses its only record: the card stays in the view empty.
        c.dayCards->setCurrentItem(c.dayCards->topLevelItem(1)->child(0));
        c.trigger("daycardRemove");
        QCOMPARE(topTexts(c.dayCards), (QStringList { "1", "2", "3" }));
        QCOMPARE(c.dayCards->topLevelItem(1)->childCount(), 0);

        c.seasonPlan->item(0, 3)->setText(QStringLiteral("99"));
        c.trigger("specialDaysAdd"); // no day card chosen
        QCOMPARE(c.specialDays->rowCount(), 3);
        c.pressOk();

        QCOMPARE(ids(controller.dayCards()), (QStringList { "1", "3" }));
        const CnfWeekCardPtr stored = controller.findWeekCard(QStringLiteral("2"));
        QCOMPARE(stored->days.value(Qt::Monday), controller.findDayCard(QStringLiteral("3")));
        QCOMPARE(stored->days.size(), 2);
        QCOMPARE(controller.seasonPlans().size(), 1);
        QCOMPARE(controller.seasonPlans().first()->name, QStringLiteral("Cold"));
        // The holiday named the dropped day card; the new row named none.
        QCOMPARE(controller.specialDays().keys(), QList<QDate> { QDate(2027, 1, 1) });
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
        QCOMPARE(window.errors, (QStringList { "first", "second" }));

        MessageCapture capture;
        QWidget plain;
        CalendarDlg withPlainParent(&plain, &controller);
        withPlainParent.printError(QStringLiteral("no slot"));
        CalendarDlg alone(nullptr, &controller);
        CalendarDlg::printError(&alone, QStringLiteral("no parent"));
        QCOMPARE(capture.criticals(), (QStringList { "no slot", "no parent" }));
    }

    void editActions_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");

        QTest::newRow("daycardAdd") << "dayCards"
                                    << "daycardAdd"
                                    << "Add card" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("daycardItemAdd") << "dayCards"
                                        << "daycardItemAdd"
                                        << "Add record" << QKeySequence(Qt::ALT + Qt::Key_Insert);
        QTest::newRow("daycardRemove") << "dayCards"
                                       << "daycardRemove"
                                       << "Remove" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("weekcardAdd") << "weekCards"
                                     << "weekcardAdd"
                                     << "Add card" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("weekcardItemAdd") << "weekCards"
                                         << "weekcardItemAdd"
                                         << "Add record" << QKeySequence(Qt::ALT + Qt::Key_Insert);
        QTest::newRow("weekcardRemove") << "weekCards"
                                        << "weekcardRemove"
                                        << "Remove" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("seasonPlanAdd") << "seasonPlan"
                                       << "seasonPlanAdd"
                                       << "Add record" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("seasonPlanRemove") << "seasonPlan"
                                          << "seasonPlanRemove"
                                          << "Remove" << QKeySequence(Qt::Key_Delete);
        QTest::newRow("specialDaysAdd") << "specialDays"
                                        << "specialDaysAdd"
                                        << "Add record" << QKeySequence(Qt::Key_Insert);
        QTest::newRow("specialDaysRemove") << "specialDays"
                                           << "specialDaysRemove"
                                           << "Remove" << QKeySequence(Qt::Key_Delete);
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

        QTest::newRow("day cards") << "tiverkii"
                                   << "dayCards" << false << QStringList { "daycardAdd" };
        QTest::newRow("day cards, selection")
            << "tiverkii"
            << "dayCards" << true
            << QStringList { "daycardAdd", "daycardItemAdd", "daycardRemove" };
        QTest::newRow("week cards")
            << "tiverkii"
            << "weekCards" << true
            << QStringList { "weekcardAdd", "weekcardItemAdd", "weekcardRemove" };
        QTest::newRow("TIVERK 3.x week card")
            << "tiverk"
            << "weekCards" << true << QStringList { "weekcardItemAdd", "weekcardRemove" };
        QTest::newRow("TIVERK 3.x, no week card")
            << "tiverk"
            << "weekCards" << false << QStringList { "weekcardAdd" };
        QTest::newRow("season plans") << "tiverkii"
                                      << "seasonPlan" << false << QStringList { "seasonPlanAdd" };
        QTest::newRow("season plans, selection")
            << "tiverkii"
            << "seasonPlan" << true << QStringList { "seasonPlanAdd", "seasonPlanRemove" };
        QTest::newRow("special days, selection")
            << "tiverkii"
            << "specialDays" << true << QStringList { "specialDaysAdd", "specialDaysRemove" };
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
            const CnfWeekCardPtr week
                = addWeekCard(controller, QStringLiteral("1"), { { Qt::Monday, day } });
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

    void defaultNames_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("names"); // day card, week card, season plan, special day

        QTest::newRow("ZU_MOLT") << "ZU_MOLT"
                                 << QStringList { "Daily.1", "Weekly.1", "Seasonly.1",
                                                  "Special.2" };
        QTest::newRow("TIVERK II") << "tiverkii" << QStringList { "", "", "", "" };
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
        QCOMPARE((QStringList {
                     c.dayCards->topLevelItem(0)->text(1), c.weekCards->topLevelItem(0)->text(1),
                     c.seasonPlan->item(0, 0)->text(), c.specialDays->item(0, 1)->text() }),
                 names);
        QCOMPARE(c.specialDays->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(c.specialDays->item(0, 2)->data(Qt::EditRole), QVariant(QDate::currentDate()));
        QCOMPARE(c.seasonPlan->item(0, 2)->data(Qt::EditRole),
                 QVariant(QDate::currentDate().addDays(1)));
        QCOMPARE(c.seasonPlan->item(0, 3)->text(), QStringLiteral("1"));
    }

    void limits_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");

        QTest::newRow("TIVERK 3.x day cards")
            << "tiverk"
            << "daycardAdd"
            << "Impossible to add new daily card. Maximum numbers for given type of controller: 16";
        QTest::newRow("TIVERK 3.x records") << "tiverk"
                                            << "daycardItemAdd"
                                            << "Impossible to add new record to daily card. "
                                               "Maximum numbers for given type of controller: 24";
        QTest::newRow("TIVERK 3.x special days") << "tiverk"
                                                 << "specialDaysAdd"
                                                 << "Impossible to add new special day. Maximum "
                                                    "numbers for given type of controller: 32";
        QTest::newRow("ZU_MOLT day cards")
            << "ZU_MOLT"
            << "daycardAdd"
            << "Impossible to add new daily card. Maximum numbers for given type of controller: 64";
        QTest::newRow("ZU_MOLT records") << "ZU_MOLT"
                                         << "daycardItemAdd"
                                         << "Impossible to add new record to daily card. Maximum "
                                            "numbers for given type of controller: 48";
        QTest::newRow("ZU_MOLT special days") << "ZU_MOLT"
                                              << "specialDaysAdd"
                                              << "Impossible to add new special day. Maximum "
                                                 "numbers for given type of controller: 128";
    }

    void limits()
    {
        QFETCH(QString, family);
        QFETCH(QString, what);
        QFETCH(QString, message);

        CnfController controller;
        controller.setProperty("type", family);
        const int cards
            = controller.getMaxDayCardCount() - (what == QLatin1String("daycardAdd") ? 0 : 1);
        for (int i = 1; i <= cards; ++i)
            addDayCard(controller, QString::number(i))->addRecord(QTime(0, 0), {}, {}, {});
        const CnfDayCardPtr full = controller.dayCards().first();
        for (int i = 1; i < controller.getMaxDayCardItems(); ++i)
            full->addRecord(QTime(0, i), {}, {}, {});
        const int days = controller.getMaxSpecialDayCount()
            - (what == QLatin1String("specialDaysAdd") ? 0 : 1);
        for (int i = 0; i < days; ++i)
            addSpecialDay(controller, QDate(2027, 1, 1).addDays(i), QString::number(i + 1), {},
                          full);

        ErrorSink window;
        Calendar c(&controller, &window);
        c.dayCards->setCurrentItem(c.dayCards->topLevelItem(0));
        const int rows = c.dayCards->topLevelItemCount();
        const int records = c.dayCards->topLevelItem(0)->childCount();
        const int specialRows = c.specialDays->rowCount();

        c.trigger(qPrintable(what));
        QCOMPARE(window.errors, QStringList { message });
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

    // While editing, the default day card stays the card it showed: it
    // follows a rename and goes back to "not set" only with its card.
    void defaultDayCardKept_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("shown");

        QTest::newRow("added record") << "tiverkii"
                                      << "record"
                                      << "1";
        QTest::newRow("added card") << "tiverkii"
                                    << "card"
                                    << "1";
        QTest::newRow("renamed") << "tiverkii"
                                 << "rename"
                                 << "11";
        QTest::newRow("other card removed") << "tiverkii"
                                            << "removeOther"
                                            << "1";
        QTest::newRow("its card removed") << "tiverkii"
                                          << "removeIt"
                                          << "not set";
        QTest::newRow("hidden box, added record") << "tiverk"
                                                  << "record"
                                                  << "1";
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
            c.dayCards->setCurrentItem(
                c.dayCards->topLevelItem(edit == QLatin1String("removeIt") ? 0 : 1));
            c.trigger("daycardRemove");
        }
        QCOMPARE(c.defaultDayCard->currentText(), shown);

        c.pressOk();
        const CnfDayCardPtr expected
            = shown == QLatin1String("not set") ? CnfDayCardPtr() : controller.findDayCard(shown);
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
