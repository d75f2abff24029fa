#include "calendarfixture.h"
#include "cnf/zu_moltconfig.h"
#include "plivek/framework/comboboxdelegate.h"
#include "testdata.h"
#include "testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QtTest>

using namespace CalendarFixture;

// The daily-card page: end times, new cards and records, the minimal
// timetable, removing a card, and card numbers (for the weekly cards too).
class TestCalendarDlgDayCards : public QObject
{
    Q_OBJECT
private slots:
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
        QCOMPARE(controller.findDayCard(QStringLiteral("2"))->records.value(QTime(12, 0)).end,
                 singleEnd);
    }

    void freeNumbers_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QString>("next");

        QTest::newRow("none") << QStringList {} << "1";
        QTest::newRow("1,2,5") << QStringList { "1", "2", "5" } << "6";
        QTest::newRow("5,2,1") << QStringList { "5", "2", "1" } << "3";
        QTest::newRow("A9") << QStringList { "A9" } << "A10";
        QTest::newRow("abc") << QStringList { "abc" } << "abc1";
        QTest::newRow("007") << QStringList { "007" } << "7";
        QTest::newRow("007, 7") << QStringList { "7", "007" } << "8";
    }

    void freeNumbers()
    {
        QFETCH(QStringList, numbers);
        QFETCH(QString, next);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        for (const QString &number : qAsConst(numbers)) {
            addDayCard(controller, number)->addRecord(QTime(1, 0), QTime(), {}, {});
            addWeekCard(controller, number, { { Qt::Monday, {} } });
        }
        Calendar c(&controller);
        c.trigger("daycardAdd");
        c.trigger("weekcardAdd");
        QCOMPARE(topTexts(c.dayCards), numbers + QStringList { next });
        QCOMPARE(topTexts(c.weekCards), numbers + QStringList { next });
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
        QCOMPARE(topTexts(c.dayCards), (QStringList { "1", "4", "2", "3" }));
        QCOMPARE(c.dayCards->currentItem(), c.dayCards->topLevelItem(1)->child(0));

        c.weekCards->setCurrentItem(c.weekCards->topLevelItem(0)->child(2));
        c.trigger("weekcardAdd");
        QCOMPARE(topTexts(c.weekCards), (QStringList { "1", "3", "2" }));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 2), QStringList { "Mon" });
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList { "1", "3", "2" }));
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
        QCOMPARE(topTexts(first.dayCards), QStringList { "1" });
        QCOMPARE(childTexts(first.dayCards->topLevelItem(0), 4), QStringList { "7" });
        QCOMPARE(topTexts(first.weekCards), QStringList { "1" });
        QCOMPARE(first.weekCards->topLevelItem(0)->data(0, Qt::UserRole),
                 QVariant(QStringLiteral("1")));
        QCOMPARE(childTexts(first.weekCards->topLevelItem(0), 2), QStringList { "Mon" });
        QCOMPARE(childTexts(first.weekCards->topLevelItem(0), 3), QStringList { "1" });

        // One day card and no week card: the first week card gets a second
        // Monday from the minimal step.
        CnfController oneDay;
        oneDay.setProperty("type", QStringLiteral("tiverkii"));
        addDayCard(oneDay, QStringLiteral("5"))->addRecord(QTime(0, 0), {}, {}, {});
        Calendar second(&oneDay);
        second.setCreateMinimal();
        second.trigger("weekcardAdd");
        QCOMPARE(topTexts(second.weekCards), QStringList { "1" });
        QCOMPARE(childTexts(second.weekCards->topLevelItem(0), 2), (QStringList { "Mon", "Mon" }));
        QCOMPARE(childTexts(second.weekCards->topLevelItem(0), 3), (QStringList { "5", "5" }));

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
                 (QMap<int, CnfDayCardPtr> {
                     { Qt::Monday, controller.findDayCard(QStringLiteral("3")) } }));
    }

    void removeDayCardCascade()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        // Week card 3 runs only day card 3; it and its season plan go with it.
        const CnfWeekCardPtr only3
            = addWeekCard(controller, QStringLiteral("3"),
                          { { Qt::Monday, controller.findDayCard(QStringLiteral("3")) } });
        addSeasonPlan(controller, QStringLiteral("Dark"), QDate(2027, 1, 1), QDate(2027, 1, 2),
                      only3);
        Calendar c(&controller);
        c.dayCards->setCurrentItem(c.dayCards->topLevelItem(2));
        c.trigger("daycardRemove");

        QCOMPARE(topTexts(c.dayCards), (QStringList { "1", "2" }));
        QCOMPARE(topTexts(c.weekCards), (QStringList { "1", "2" }));
        QCOMPARE(childTexts(c.weekCards->topLevelItem(0), 2),
                 (QStringList { "Mon", "Tue", "Sat" }));
        QCOMPARE(columnTexts(c.seasonPlan, 0), (QStringList { "Warm", "Cold" }));
        QCOMPARE(columnTexts(c.specialDays, 1), QStringList { "Holiday" });
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.weekCards->itemDelegateForColumn(3))->texts(),
                 (QStringList { "1", "2" }));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList { "1", "2" }));
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
        QCOMPARE(childTexts(c.weekCards->topLevelItem(0), 3),
                 (QStringList { "1", "1", "2", "10" }));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList { "10", "2" }));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.specialDays->itemDelegateForColumn(3))->texts(),
                 (QStringList { "1", "2", "10" }));

        // A number another card has is refused; nothing is rewritten.
        c.typeNumber(c.dayCards, dark, QStringLiteral("2"));
        QCOMPARE(topTexts(c.dayCards), (QStringList { "1", "2", "10" }));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList { "10", "2" }));

        // Week card 2 becomes W2: its season plan follows.
        c.typeNumber(c.weekCards, c.weekCards->topLevelItem(1), QStringLiteral("W2"));
        QCOMPARE(columnTexts(c.seasonPlan, 3), (QStringList { "1", "W2" }));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 (QStringList { "1", "W2" }));

        c.pressOk();
        QCOMPARE(controller.specialDays().value(QDate(2027, 1, 1))->dayCard,
                 controller.findDayCard(QStringLiteral("10")));
        QCOMPARE(controller.findWeekCard(QStringLiteral("1"))->days.value(Qt::Sunday),
                 controller.findDayCard(QStringLiteral("10")));
        QCOMPARE(controller.seasonPlans().at(1)->weekCard,
                 controller.findWeekCard(QStringLiteral("W2")));
    }

    // The members a ZU_MOLT file holds that plivek does not know stay with their
    // day plan, its periods, their week plan and their special day when the
    // dialog gives them a new number, and with their season plan when another
    // one goes: the dialog builds the calendar anew, by number and place.
    void keptMembersFollowTheNumber_data()
    {
        QTest::addColumn<QString>("view"); // its first row gets the number, or goes
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("path"); // "key=id" picks an item of a list by id
        QTest::addColumn<QJsonValue>("expected");
        QTest::newRow("day plan, as it was")
            << QString() << QString() << QStringList { "days", "id=1", "holiday" }
            << QJsonValue(false);
        QTest::newRow("day plan, new number")
            << "dayCards"
            << "5" << QStringList { "days", "id=5", "holiday" } << QJsonValue(false);
        QTest::newRow("period, new number of its day plan")
            << "dayCards"
            << "5" << QStringList { "days", "id=5", "plans", "start=06:00", "note" }
            << QJsonValue(QStringLiteral("rush"));
        QTest::newRow("week plan, new number") << "weekCards"
                                               << "4" << QStringList { "weeks", "id=4", "season" }
                                               << QJsonValue(QStringLiteral("all"));
        QTest::newRow("special day, new number")
            << "specialDays"
            << "9" << QStringList { "extraDays", "id=9", "tag" } << QJsonValue(QStringLiteral("n"));
        // The second season plan is the first now, and the file's id is its place.
        QTest::newRow("season plan, an earlier one removed")
            << "seasonPlan" << QString() << QStringList { "extraPeriods", "id=1", "tag" }
            << QJsonValue(QStringLiteral("b"));
    }

    void keptMembersFollowTheNumber()
    {
        QFETCH(QString, view);
        QFETCH(QString, number);
        QFETCH(QStringList, path);
        QFETCH(QJsonValue, expected);
        QByteArray bytes = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("zumolt/unknown-members.json")));
        const QByteArray rule = "\"timezoneRule\": \"EU\"";
        QCOMPARE(bytes.count(rule), 1);
        bytes.replace(rule,
                      "\"extraPeriods\": [{\"name\": \"A\", \"id\": 1, \"start\": \"01.01\", "
                      "\"stop\": \"31.05\", \"week\": 1, \"tag\": \"a\"}, {\"name\": \"B\", "
                      "\"id\": 2, \"start\": \"01.06\", \"stop\": \"31.12\", \"week\": 1, "
                      "\"tag\": \"b\"}],\n\"extraDays\": [{\"name\": \"N\", \"id\": 4, "
                      "\"date\": \"01.01\", \"day\": 1, \"tag\": \"n\"}],\n"
                          + rule);
        ZU_MOLTConfig file;
        CnfController controller;
        QVERIFY2(file.loadData(bytes) && file.createController(controller),
                 qPrintable(file.lastError()));
        Calendar c(&controller);
        c.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&c.dialog));
        if (view == QLatin1String("seasonPlan")) {
            c.seasonPlan->removeRow(0);
        } else if (view == QLatin1String("specialDays")) {
            c.specialDays->item(0, 0)->setText(number);
        } else if (!view.isEmpty()) {
            QTreeWidget *tree = c.dialog.findChild<QTreeWidget *>(view);
            c.typeNumber(tree, tree->topLevelItem(0), number);
        }
        c.pressOk();

        const QByteArray saved = ZU_MOLTConfig().save(controller);
        QJsonValue value
            = QJsonDocument::fromJson(saved).object().value(QStringLiteral("scheduler"));
        for (const QString &step : qAsConst(path)) {
            const QStringList pick = step.split(QLatin1Char('='));
            if (pick.size() == 1) {
                value = value.toObject().value(step);
                continue;
            }
            QJsonValue found;
            for (const QJsonValue item : value.toArray()) {
                const QJsonValue key = item.toObject().value(pick.first());
                if (key.toVariant().toString() == pick.last())
                    found = item;
            }
            value = found;
        }
        QCOMPARE(value, expected);
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
        QCOMPARE(childTexts(c.weekCards->topLevelItem(1), 3), (QStringList { "2", "" }));
        QCOMPARE(columnTexts(c.specialDays, 3), (QStringList { "3", "2", "" }));
        QCOMPARE(columnTexts(c.seasonPlan, 3), (QStringList { "1", "2" }));
        QCOMPARE(topTexts(c.dayCards), (QStringList { "1", "2", "3" }));
        c.pressOk();
        QCOMPARE(controller.save(-1), before);
    }
};

PROJECT_TEST(TestCalendarDlgDayCards);
#include "tst_calendardlgdaycards.moc"
