#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramcycles.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnfsignalgroup.h"
#include "testdata.h"
#include "testmain.h"

#include <QtTest>

namespace {

// The changes as "program: before -> after" or "program: cycle kept".
QStringList texts(const QList<CnfProgramCycles::Change> &changes)
{
    QStringList found;
    for (const CnfProgramCycles::Change &change : changes) {
        found << (change.kept ? QStringLiteral("%1: %2 kept").arg(change.program).arg(change.before)
                              : QStringLiteral("%1: %2 -> %3")
                                    .arg(change.program)
                                    .arg(change.before)
                                    .arg(change.after));
    }
    return found;
}

QList<int> ownLengths(const CnfProgram &program)
{
    QList<int> lengths;
    for (const CnfPhaseDefPtr &step : program.phases())
        lengths << step->length();
    return lengths;
}

QList<int> fullLengths(const CnfProgram &program)
{
    QList<int> lengths;
    for (const CnfPhaseDefPtr &step : program.phases())
        lengths << step->fullLength();
    return lengths;
}

// The durations the program's TIVERK 3.x record states for its steps.
QList<int> recordDurations(const CnfController &controller, const CnfProgram &program)
{
    QList<CnfProgramRecord::Step> steps;
    if (!CnfProgramRecord::readSteps(controller.tiverkLayout(), program.data(), &steps))
        return {};
    QList<int> durations;
    for (const CnfProgramRecord::Step &step : qAsConst(steps))
        durations << step.duration;
    return durations;
}

void addGroup(CnfController &controller, int id, const QByteArray &interstate)
{
    auto group = CnfSignalGroupPtr::create();
    group->id = id;
    group->setInterstate(1, interstate);
    controller.addSignalGroup(group);
}

void addPhase(CnfController &controller, const QString &id, const QList<int> &groups)
{
    auto phase = CnfPhasePtr::create();
    phase->id = id;
    for (int group : groups)
        phase->signalGroups << controller.findSG(group);
    controller.addPhase(phase);
}

} // namespace

// A signal group's removal shortens the changes between steps that it made
// longer: a coordinated program keeps its cycle, its steps taking the seconds,
// another program's cycle gets shorter.
class TestCnfProgramCycles : public QObject
{
    Q_OBJECT
private slots:
    // The TIVERK 3.18 sample: program 1 (local fixed time, 107 s) and program
    // 2 (coordinated, its record states 114 s) both run phases 2, 1, 3 (and 1
    // also 4). Group 1 makes the change from phase 3 into phase 2 2 s longer,
    // group 5 the change from phase 2 into phase 1 5 s longer; group 3 makes
    // no change longer than its twin group 4 does.
    void tiverkSample_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<int>("fixedTimeCycle");
        QTest::addColumn<QList<int>>("coordinatedLengths");
        QTest::newRow("group 1") << 1 << QStringList { "1: 107 -> 105", "2: 114 kept" } << 105
                                 << QList<int> { 14, 50, 25 };
        QTest::newRow("group 5") << 5 << QStringList { "1: 107 -> 102", "2: 114 kept" } << 102
                                 << QList<int> { 12, 55, 25 };
        QTest::newRow("group 3: its twin keeps the changes")
            << 3 << QStringList() << 107 << QList<int> { 12, 50, 25 };
    }

    void tiverkSample()
    {
        QFETCH(int, group);
        QFETCH(QStringList, changes);
        QFETCH(int, fixedTimeCycle);
        QFETCH(QList<int>, coordinatedLengths);
        const QByteArray file = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController controller;
        QVERIFY2(controller.load(file, true), qPrintable(controller.lastError()));
        const CnfProgramPtr fixedTime = controller.findProgram(QStringLiteral("1"));
        const CnfProgramPtr coordinated = controller.findProgram(QStringLiteral("2"));
        const QList<int> coordinatedFull = fullLengths(*coordinated);
        const QList<int> fixedTimeOwn = ownLengths(*fixedTime);
        const QByteArray fixedTimeRecord = fixedTime->data();

        QCOMPARE(texts(CnfProgramCycles::onRemoval(controller, { group })), changes);
        QVERIFY(controller.removeSignalGroup(group));
        QCOMPARE(fixedTime->cycle(true), fixedTimeCycle);
        QCOMPARE(ownLengths(*fixedTime), fixedTimeOwn);
        QCOMPARE(fixedTime->data(), fixedTimeRecord);
        QCOMPARE(coordinated->cycle(true), 114);
        QCOMPARE(fullLengths(*coordinated), coordinatedFull);
        QCOMPARE(ownLengths(*coordinated), coordinatedLengths);
        QCOMPARE(recordDurations(controller, *coordinated), coordinatedLengths);
        QCOMPARE(CnfProgramRecord::readCycle(controller.tiverkLayout(), coordinated->data()), 114);

        // The saved file gives the same back.
        CnfController reopened;
        QVERIFY2(reopened.load(controller.save(1), true), qPrintable(reopened.lastError()));
        QCOMPARE(reopened.findProgram(QStringLiteral("1"))->cycle(true), fixedTimeCycle);
        const CnfProgramPtr reread = reopened.findProgram(QStringLiteral("2"));
        QCOMPARE(ownLengths(*reread), coordinatedLengths);
        QCOMPARE(reread->cycle(true), 114);
        QCOMPARE(reread->data(), coordinated->data());
    }

    // TIVERK II: phases 1 {1, 3} and 2 {2}. Group 1 makes the change into
    // phase 2 3 s longer and the one into phase 1 2 s longer: steps of 20 s
    // and 30 s run 30 s and 40 s, 65 s instead of 70 s without it.
    void tiverkIIPrograms_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("coordinatedProperty");
        QTest::addColumn<int>("cycleLength");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("fixed time") << int(CnfProgram::FixedTime) << false << 0
                                    << QStringList { "5: 70 -> 65" } << 65 << QList<int> { 20, 30 };
        QTest::newRow("coordinated") << int(CnfProgram::Coordinated) << false << 0
                                     << QStringList { "5: 70 kept" } << 70 << QList<int> { 22, 33 };
        QTest::newRow("fixed time, coordinated")
            << int(CnfProgram::FixedTime) << true << 0 << QStringList { "5: 70 kept" } << 70
            << QList<int> { 22, 33 };
        // A stage-ring program states its cycle; its steps' lengths are minimum greens.
        QTest::newRow("stage ring, coordinated") << int(CnfProgram::Stagering) << true << 90
                                                 << QStringList() << 90 << QList<int> { 20, 30 };
    }

    void tiverkIIPrograms()
    {
        QFETCH(int, type);
        QFETCH(bool, coordinatedProperty);
        QFETCH(int, cycleLength);
        QFETCH(QStringList, changes);
        QFETCH(int, cycle);
        QFETCH(QList<int>, lengths);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        addGroup(controller, 1, QByteArray("\x00\x03\x03\x02\x02\x00", 6));
        addGroup(controller, 2, QByteArray("\x00\x03\x03\x02\x02\x00", 6));
        addGroup(controller, 3, QByteArray("\x00\x03\x00\x02\x00\x00", 6));
        addPhase(controller, QStringLiteral("1"), { 1, 3 });
        addPhase(controller, QStringLiteral("2"), { 2 });
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("5");
        program->type = type;
        program->cycleLength = cycleLength;
        if (coordinatedProperty)
            program->setProperty("coordinated", true);
        program->appendPhase(controller.findPhase(QStringLiteral("1")), 20);
        program->appendPhase(controller.findPhase(QStringLiteral("2")), 30);
        controller.addProgram(program);

        QCOMPARE(texts(CnfProgramCycles::onRemoval(controller, { 1 })), changes);
        QVERIFY(controller.removeSignalGroup(1));
        QCOMPARE(program->cycle(false), cycle);
        QCOMPARE(ownLengths(*program), lengths);
    }

    // ZU_MOLT plans state their cycles: no group's removal changes one.
    void zuMoltSampleKeepsEveryCycle()
    {
        const QByteArray file = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        CnfController sample;
        const CnfNativePtr native = CnfNative::loadNativeConfig(file);
        QVERIFY2(native && native->createController(sample), qPrintable(CnfNative::loadError()));
        QVERIFY(!sample.signalGroups().isEmpty());
        for (const CnfSignalGroupPtr &group : sample.signalGroups()) {
            CnfController controller;
            QVERIFY(native->createController(controller));
            QMap<QString, int> cycles;
            for (const CnfProgramPtr &program : controller.programs())
                cycles.insert(program->id, program->cycle(false));
            QCOMPARE(texts(CnfProgramCycles::onRemoval(controller, { group->id })), QStringList());
            QVERIFY(controller.removeSignalGroup(group->id));
            for (const CnfProgramPtr &program : controller.programs())
                QCOMPARE(program->cycle(false), cycles.value(program->id));
        }
    }
};

PROJECT_TEST(TestCnfProgramCycles);
#include "tst_cnfprogramcycles.moc"
