#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every record of every day card as "card start: program/reserve" (ids).
QStringList recordIds(const CnfController &c)
{
    QStringList ids;
    for (const CnfDayCardPtr &card : c.dayCards()) {
        for (auto it = card->records.cbegin(); it != card->records.cend(); ++it)
            ids << QStringLiteral("%1 %2: %3/%4")
                       .arg(card->id, it.key().toString(QStringLiteral("HH:mm:ss")),
                            it->programId(), it->reserveId());
    }
    return ids;
}

// Whether every record that names `id` holds `program` (null: none) there.
bool recordsHold(const CnfController &c, const QString &id, const CnfProgramPtr &program)
{
    for (const CnfDayCardPtr &card : c.dayCards()) {
        for (const CnfDayCardRecord &record : card->records) {
            if ((record.programId() == id && record.program != program)
                || (record.reserveId() == id && record.reserve != program))
                return false;
        }
    }
    return true;
}

using FormatFixture::loadFile;

} // namespace

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

    // A deleted program stays named by id in the day cards of every family:
    // the saved file keeps the id, reading gives it back, a second save the
    // same bytes; a program given that id later is the records', before a
    // reload as after.
    void deletedProgramStaysInDayCards_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("deleted");
        QTest::newRow("TIVERK 3.18") << "tiverk318_intersection.cnf"
                                     << "3";
        QTest::newRow("adapter") << "adapter_crossing.txt"
                                 << "2";
        QTest::newRow("TIVERK II") << "tiverkii_intersection.json"
                                   << "3";
        QTest::newRow("ZU_MOLT") << "zumolt_intersection.json"
                                 << "3";
    }

    void deletedProgramStaysInDayCards()
    {
        QFETCH(QString, sample);
        QFETCH(QString, deleted);
        QTemporaryDir dir;
        QString error;
        CnfController edited;
        QVERIFY2(loadFile(TestSupport::examplesPath(sample), edited, &error), qPrintable(error));
        const QStringList before = recordIds(edited);
        const CnfProgramPtr gone = edited.findProgram(deleted);
        QVERIFY(gone);
        QVERIFY(!recordsHold(edited, deleted, CnfProgramPtr()));
        const int programs = edited.programs().size();

        QVERIFY(edited.removeProgram(deleted));
        QCOMPARE(recordIds(edited), before);
        QVERIFY(recordsHold(edited, deleted, CnfProgramPtr()));

        const QString first = dir.filePath(QStringLiteral("first"));
        QVERIFY2(CnfNative::save(first, edited, error), qPrintable(error));
        CnfController reread;
        QVERIFY2(loadFile(first, reread, &error), qPrintable(error));
        QCOMPARE(recordIds(reread), before);
        QCOMPARE(reread.programs().size(), programs - 1);
        QVERIFY(!reread.findProgram(deleted));
        QCOMPARE(FormatFixture::dump(reread), FormatFixture::dump(edited));
        const QString second = dir.filePath(QStringLiteral("second"));
        QVERIFY2(CnfNative::save(second, reread, error), qPrintable(error));
        QCOMPARE(TestSupport::readFile(second), TestSupport::readFile(first));

        for (CnfController *controller : { &edited, &reread }) {
            auto newcomer = CnfProgramPtr::create();
            newcomer->id = deleted;
            newcomer->type = gone->type;
            QVERIFY(controller->addProgram(newcomer));
            QVERIFY(recordsHold(*controller, deleted, newcomer));
            QCOMPARE(recordIds(*controller), before);
        }
    }

    // A new program's id is none that day cards still name: after a Delete of
    // a program they run, and in a file whose cards name a program it does not
    // hold. Such an id names its cards, each once; a program's own id none.
    void newIdSkipsIdsOfDayCards_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("deleted"); // empty: nothing deleted
        QTest::addColumn<QString>("named"); // an id that no program bears
        QTest::addColumn<QString>("cards"); // the cards that name it
        QTest::addColumn<QString>("freeId");
        QTest::newRow("TIVERK 3.18")
            << TestSupport::examplesPath("tiverk318_intersection.cnf") << "3"
            << "3"
            << "1,2"
            << "4";
        QTest::newRow("adapter") << TestSupport::examplesPath("adapter_crossing.txt") << "2"
                                 << "2"
                                 << "1,2"
                                 << "3";
        QTest::newRow("TIVERK II") << TestSupport::examplesPath("tiverkii_intersection.json") << "3"
                                   << "3"
                                   << "1,2"
                                   << "4";
        QTest::newRow("ZU_MOLT") << TestSupport::examplesPath("zumolt_intersection.json") << "3"
                                 << "3"
                                 << "1,2"
                                 << "6";
        QTest::newRow("file names a program it does not hold, as program")
            << TestSupport::dataPath("cnf/daycards_missing_program.cnf") << ""
            << "2"
            << "1"
            << "4";
        QTest::newRow("file names a program it does not hold, as reserve")
            << TestSupport::dataPath("cnf/daycards_missing_program.cnf") << ""
            << "3"
            << "1"
            << "4";
    }

    void newIdSkipsIdsOfDayCards()
    {
        QFETCH(QString, path);
        QFETCH(QString, deleted);
        QFETCH(QString, named);
        QFETCH(QString, cards);
        QFETCH(QString, freeId);
        QString error;
        CnfController controller;
        QVERIFY2(loadFile(path, controller, &error), qPrintable(error));
        if (!deleted.isEmpty())
            QVERIFY(controller.removeProgram(deleted));
        QCOMPARE(controller.dayCardsNamingMissingProgram(named).join(QLatin1Char(',')), cards);
        QCOMPARE(controller.freeProgramId(), freeId);
        for (const CnfProgramPtr &program : controller.programs())
            QVERIFY(controller.dayCardsNamingMissingProgram(program->id).isEmpty());

        // Given to a program anyway (the user said so), the id is the cards' program.
        auto newcomer = CnfProgramPtr::create();
        newcomer->id = named;
        QVERIFY(controller.addProgram(newcomer));
        QVERIFY(recordsHold(controller, named, newcomer));
        QVERIFY(controller.dayCardsNamingMissingProgram(named).isEmpty());
    }

    // A record that kept a deleted program's id takes the program that is
    // given that id; deleting that one leaves the id again.
    void keptIdTakesTheRenamedProgram()
    {
        CnfController controller;
        auto morning = CnfProgramPtr::create();
        morning->id = QStringLiteral("1");
        auto night = CnfProgramPtr::create();
        night->id = QStringLiteral("2");
        QVERIFY(controller.addProgram(morning) && controller.addProgram(night));
        auto day = CnfDayCardPtr::create();
        day->id = QStringLiteral("1");
        day->addRecord(QTime(6, 0), QTime(), morning, night);
        day->addRecord(QTime(22, 0), QTime(), QStringLiteral("2"), QStringLiteral("9"), controller);
        QVERIFY(controller.addDayCard(day));
        QCOMPARE(day->records.value(QTime(22, 0)).program, night);
        QCOMPARE(day->records.value(QTime(22, 0)).missingReserve, QStringLiteral("9"));

        QVERIFY(controller.removeProgram(QStringLiteral("2")));
        QVERIFY(!day->records.value(QTime(6, 0)).reserve);
        QCOMPARE(day->records.value(QTime(6, 0)).reserveId(), QStringLiteral("2"));
        QCOMPARE(day->records.value(QTime(22, 0)).programId(), QStringLiteral("2"));

        QVERIFY(controller.renameProgram(QStringLiteral("1"), QStringLiteral("2")));
        QCOMPARE(day->records.value(QTime(6, 0)).program, morning);
        QCOMPARE(day->records.value(QTime(6, 0)).reserve, morning);
        QCOMPARE(day->records.value(QTime(22, 0)).program, morning);
        QVERIFY(!day->records.value(QTime(22, 0)).reserve);
        QCOMPARE(recordIds(controller), QStringList({ "1 06:00:00: 2/2", "1 22:00:00: 2/9" }));

        QVERIFY(controller.removeProgram(QStringLiteral("2")));
        QCOMPARE(recordIds(controller), QStringList({ "1 06:00:00: 2/2", "1 22:00:00: 2/9" }));
        QVERIFY(recordsHold(controller, QStringLiteral("2"), CnfProgramPtr()));
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
