#include "testmain.h"
#include "zumoltc/model/zudaymonth.h"
#include "zumoltc/model/zudayplan.h"
#include "zumoltc/model/zuextraday.h"
#include "zumoltc/model/zuextraperiod.h"
#include "zumoltc/model/zuweekplan.h"

#include <QtTest>

class TestZUScheduler : public QObject
{
    Q_OBJECT
private slots:
    void dayMonthFromString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("day"); // -1: invalid
        QTest::addColumn<int>("month");
        QTest::newRow("short") << "1.3" << 1 << 3;
        QTest::newRow("leading zeros") << "01.03" << 1 << 3;
        QTest::newRow("empty part skipped") << "1..3" << 1 << 3;
        QTest::newRow("day not checked against month") << "31.02" << 31 << 2;
        QTest::newRow("bounds") << "31.12" << 31 << 12;
        QTest::newRow("with year") << "1.3.2024" << -1 << -1;
        QTest::newRow("day too large") << "32.1" << -1 << -1;
        QTest::newRow("day zero") << "0.5" << -1 << -1;
        QTest::newRow("month zero") << "5.0" << -1 << -1;
        QTest::newRow("month too large") << "5.13" << -1 << -1;
        QTest::newRow("letters") << "a.b" << -1 << -1;
        QTest::newRow("one part") << "15" << -1 << -1;
        QTest::newRow("empty") << "" << -1 << -1;
        QTest::newRow("negative") << "-1.3" << -1 << -1;
    }
    void dayMonthFromString()
    {
        QFETCH(QString, text);
        QFETCH(int, day);
        QFETCH(int, month);
        const ZUDayMonth value = ZUDayMonth::fromString(text);
        QCOMPARE(value.isValid(), day > 0);
        QCOMPARE(value.day, day);
        if (day > 0)
            QCOMPARE(value.month, month);
    }

    void dayMonthText_data()
    {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::addColumn<QString>("text");
        QTest::newRow("padded") << 5 << 3 << "05.03";
        QTest::newRow("two digits") << 7 << 11 << "07.11";
        QTest::newRow("invalid") << -1 << -1 << "";
        QTest::newRow("month out of range") << 1 << 13 << "";
    }
    void dayMonthText()
    {
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, text);
        const ZUDayMonth value(day, month);
        QCOMPARE(value.toString(), text);
        QCOMPARE(value.toVariant(), text.isEmpty() ? QVariant() : QVariant(text));
        if (!text.isEmpty())
            QCOMPARE(ZUDayMonth::fromString(text), value);
    }

    void dayPlanPeriods()
    {
        QObject owner;
        auto *program = new ZUSignalPlan(&owner);
        auto *spare = new ZUSignalPlan(&owner);
        auto *other = new ZUSignalPlan(&owner);
        ZUDayPlan plan(&owner);
        plan.addPeriod(QTime(6, 0), QTime(9, 0), program, spare);
        plan.addPeriod(QTime(9, 0), QTime(22, 0), other, nullptr);
        ZUDayPlan clone(plan);
        QCOMPARE(clone.periods().size(), 2);
        QCOMPARE(clone.periods().first().program, QPointer<ZUSignalPlan>(program));

        delete spare;
        QCOMPARE(plan.periods().size(), 2);
        QVERIFY(plan.periods().first().spareProgram.isNull());
        delete program;
        QCOMPARE(plan.periods().size(), 1);
        QCOMPARE(plan.periods().first().start, QTime(9, 0));
        plan.clearPeriods();
        QVERIFY(plan.periods().isEmpty());
        QCOMPARE(clone.periods().size(), 1);
    }

    void valueConstructors()
    {
        ZUDayPlan day(4, QStringLiteral("Workday"));
        QCOMPARE(day.id(), 4);
        QCOMPARE(day.name(), QStringLiteral("Workday"));
        QVERIFY(!day.parent());
        ZUWeekPlan week(2, QStringLiteral("Normal"));
        QCOMPARE(week.text(), QStringLiteral("2 (Normal)"));
        QVERIFY(!week.parent());
    }

    void weekPlanIsItsMap()
    {
        QObject owner;
        auto *workday = new ZUDayPlan(&owner);
        auto *week = new ZUWeekPlan(&owner);
        week->insert(Qt::Monday, workday);
        week->insert(Qt::Wednesday, workday);
        QCOMPARE(week->keys(), QList<Qt::DayOfWeek>({ Qt::Monday, Qt::Wednesday }));
        QVERIFY(!week->contains(Qt::Tuesday));
        ZUWeekPlan clone(*week);
        QCOMPARE(clone.keys(), week->keys());
        QCOMPARE(clone.value(Qt::Wednesday), QPointer<ZUDayPlan>(workday));
        QCOMPARE(clone.parent(), &owner);
    }

    void extraObjects()
    {
        ZUExtraPeriod period;
        QVERIFY(!period.start().isValid());
        QVERIFY(period.stop().toString().isEmpty());
        QVERIFY(period.week().isNull());
        ZUWeekPlan week;
        period.setStart(ZUDayMonth(1, 6));
        period.setStop(ZUDayMonth(31, 8));
        period.setWeek(&week);
        const ZUExtraPeriod periodClone(period);
        QCOMPARE(periodClone.start(), ZUDayMonth(1, 6));
        QCOMPARE(periodClone.stop(), ZUDayMonth(31, 8));
        QCOMPARE(periodClone.week(), QPointer<ZUWeekPlan>(&week));

        ZUExtraDay day;
        QVERIFY(!day.date().isValid());
        ZUDayPlan holiday;
        day.setDate(ZUDayMonth(1, 1));
        day.setDayPlan(&holiday);
        const ZUExtraDay dayClone(day);
        QCOMPARE(dayClone.date(), ZUDayMonth(1, 1));
        QCOMPARE(dayClone.dayPlan(), QPointer<ZUDayPlan>(&holiday));
    }
};

PROJECT_TEST(TestZUScheduler);
#include "tst_zuscheduler.moc"
