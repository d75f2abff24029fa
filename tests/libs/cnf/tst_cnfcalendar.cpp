#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "testmain.h"

#include <QtTest>

// What the calendar editor relies on when it replaces the whole timetable:
// cards are found by number (never by an empty one), removing a card clears
// the default that named it, and a null default clears it.
class TestCnfCalendar : public QObject
{
    Q_OBJECT
private slots:
    void cardsByNumber()
    {
        CnfController controller;
        auto day = CnfDayCardPtr::create();
        day->id = QStringLiteral("1");
        QVERIFY(controller.addDayCard(day));
        auto week = CnfWeekCardPtr::create();
        week->id = QStringLiteral("W");
        QVERIFY(controller.addWeekCard(week));

        QCOMPARE(controller.findDayCard(QStringLiteral("1")), day);
        QCOMPARE(controller.findWeekCard(QStringLiteral("W")), week);
        QVERIFY(!controller.findDayCard(QString()));
        QVERIFY(!controller.findWeekCard(QString()));
        QVERIFY(!controller.findProgram(QString()));

        // A card without number or with a taken one is not stored, so nothing
        // could refer to it by an ambiguous number.
        auto unnamed = CnfDayCardPtr::create();
        QVERIFY(!controller.addDayCard(unnamed));
        auto twin = CnfDayCardPtr::create();
        twin->id = QStringLiteral("1");
        QVERIFY(!controller.addDayCard(twin));
        QCOMPARE(controller.dayCards(), QList<CnfDayCardPtr> { day });
    }

    void recordsAndSpecialDaysReplace()
    {
        CnfController controller;
        auto program = CnfProgramPtr::create();
        program->id = QStringLiteral("4");
        QVERIFY(controller.addProgram(program));
        auto day = CnfDayCardPtr::create();
        day->id = QStringLiteral("1");
        day->addRecord(QTime(6, 0), QTime(), program, {});
        day->addRecord(QTime(6, 0), QTime(7, 0), {}, program);
        QCOMPARE(day->records.size(), 1);
        QVERIFY(!day->records.value(QTime(6, 0)).program);
        QCOMPARE(day->records.value(QTime(6, 0)).reserve, program);
        QCOMPARE(day->records.value(QTime(6, 0)).end, QTime(7, 0));

        auto first = CnfSpecialDayPtr::create();
        auto second = CnfSpecialDayPtr::create();
        QVERIFY(controller.addSpecialDay(QDate(2027, 1, 1), first));
        QVERIFY(controller.addSpecialDay(QDate(2027, 1, 1), second));
        QCOMPARE(controller.specialDays().size(), 1);
        QCOMPARE(controller.specialDays().first(), second);
        QVERIFY(!controller.addSpecialDay(QDate(), first));
        QVERIFY(controller.removeSpecialDay(QDate(2027, 1, 1)));
        QVERIFY(controller.specialDays().isEmpty());
    }

    void defaults()
    {
        CnfController controller;
        auto program = CnfProgramPtr::create();
        program->id = QStringLiteral("1");
        QVERIFY(controller.addProgram(program));
        auto day = CnfDayCardPtr::create();
        day->id = QStringLiteral("1");
        QVERIFY(controller.addDayCard(day));
        QVERIFY(!controller.defaultDayCard());
        QVERIFY(!controller.defaultProgram());
        QVERIFY(!controller.reserveProgram());

        controller.setDefaultDayCard(day);
        controller.setDefaultProgram(program);
        controller.setReserveProgram(program);
        QCOMPARE(controller.defaultDayCard(), day);
        QCOMPARE(controller.defaultProgram(), program);
        QCOMPARE(controller.reserveProgram(), program);

        controller.setDefaultProgram({});
        controller.setReserveProgram({});
        QVERIFY(!controller.defaultProgram());
        QVERIFY(!controller.reserveProgram());
        QVERIFY(controller.removeDayCard(day));
        QVERIFY(!controller.defaultDayCard());
        QVERIFY(!controller.removeDayCard(day));
    }

    void seasonPlansAndWeekCardsRemove()
    {
        CnfController controller;
        auto week = CnfWeekCardPtr::create();
        week->id = QStringLiteral("1");
        QVERIFY(controller.addWeekCard(week));
        auto plan = CnfSeasonPlanPtr::create();
        plan->weekCard = week;
        QVERIFY(controller.addSeasonPlan(plan));
        QCOMPARE(controller.seasonPlans(), QList<CnfSeasonPlanPtr> { plan });
        QVERIFY(controller.removeSeasonPlan(plan));
        QVERIFY(controller.removeWeekCard(week));
        QVERIFY(controller.seasonPlans().isEmpty());
        QVERIFY(controller.weekCards().isEmpty());
        QVERIFY(!controller.findWeekCard(QStringLiteral("1")));
    }
};

PROJECT_TEST(TestCnfCalendar);
#include "tst_cnfcalendar.moc"
