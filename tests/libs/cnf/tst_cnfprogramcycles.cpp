#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramcycles.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnfsignalgroup.h"
#include "formatfixture.h"
#include "halm58a/network.h"
#include "plivek/document/containerfile.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
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

// Reads a file of any family, a TIVERK 3.x container too.
bool loadAny(const QString &path, CnfController &controller, QString *error)
{
    if (!path.endsWith(QLatin1String(".xcnf")))
        return FormatFixture::loadFile(path, controller, error);
    Halm58a::Network network;
    QMap<QString, QByteArray> custom;
    ContainerFile file(controller, &network, custom);
    if (!file.read(path))
        *error = file.errorString();
    return error->isEmpty();
}

bool saveAny(const QString &path, const CnfController &controller, QString *error)
{
    if (!path.endsWith(QLatin1String(".xcnf")))
        return CnfNative::save(path, controller, *error);
    Halm58a::Network network;
    QMap<QString, QByteArray> custom;
    ContainerFile file(const_cast<CnfController &>(controller), &network, custom);
    if (!file.write(path))
        *error = file.errorString();
    return error->isEmpty();
}

// TIVERK II: phases 1 {1, 3} and 2 {2}, program 5 running them 20 s and 30 s.
// Group 1 makes the change into phase 2 3 s longer and the one into phase 1
// 2 s longer.
CnfProgramPtr addTiverkIIProgram(CnfController &controller, int type, bool coordinatedProperty,
                                 int cycleLength)
{
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
    return program;
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
    // and 30 s run 30 s and 40 s, 65 s instead of 70 s without it. Without
    // phase 1 its step stays without groups 1 and 3: the change into it loses
    // group 1's red-yellow (2 s), the change out of it their clearing (8 s).
    void tiverkIIPrograms_data()
    {
        QTest::addColumn<bool>("phaseRemoved"); // phase 1, else group 1
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("coordinatedProperty");
        QTest::addColumn<int>("cycleLength");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QList<int>>("lengths");
        QTest::newRow("fixed time") << false << int(CnfProgram::FixedTime) << false << 0
                                    << QStringList { "5: 70 -> 65" } << 65 << QList<int> { 20, 30 };
        QTest::newRow("coordinated") << false << int(CnfProgram::Coordinated) << false << 0
                                     << QStringList { "5: 70 kept" } << 70 << QList<int> { 22, 33 };
        QTest::newRow("fixed time, coordinated")
            << false << int(CnfProgram::FixedTime) << true << 0 << QStringList { "5: 70 kept" }
            << 70 << QList<int> { 22, 33 };
        // A stage-ring program states its cycle; its steps' lengths are minimum greens.
        QTest::newRow("stage ring, coordinated")
            << false << int(CnfProgram::Stagering) << true << 90 << QStringList() << 90
            << QList<int> { 20, 30 };
        QTest::newRow("phase 1, fixed time")
            << true << int(CnfProgram::FixedTime) << false << 0 << QStringList { "5: 70 -> 60" }
            << 60 << QList<int> { 20, 30 };
        QTest::newRow("phase 1, coordinated")
            << true << int(CnfProgram::Coordinated) << false << 0 << QStringList { "5: 70 kept" }
            << 70 << QList<int> { 22, 38 };
        QTest::newRow("phase 1, fixed time, coordinated")
            << true << int(CnfProgram::FixedTime) << true << 0 << QStringList { "5: 70 kept" } << 70
            << QList<int> { 22, 38 };
        QTest::newRow("phase 1, stage ring, coordinated")
            << true << int(CnfProgram::Stagering) << true << 90 << QStringList() << 90
            << QList<int> { 20, 30 };
    }

    void tiverkIIPrograms()
    {
        QFETCH(bool, phaseRemoved);
        QFETCH(int, type);
        QFETCH(bool, coordinatedProperty);
        QFETCH(int, cycleLength);
        QFETCH(QStringList, changes);
        QFETCH(int, cycle);
        QFETCH(QList<int>, lengths);
        CnfController controller;
        const CnfProgramPtr program
            = addTiverkIIProgram(controller, type, coordinatedProperty, cycleLength);

        const QString phase = QStringLiteral("1");
        QCOMPARE(texts(phaseRemoved ? CnfProgramCycles::onPhaseRemoval(controller, { phase })
                                    : CnfProgramCycles::onRemoval(controller, { 1 })),
                 changes);
        QVERIFY(phaseRemoved ? controller.removePhase(phase) : controller.removeSignalGroup(1));
        QCOMPARE(program->phaseCount(), 2);
        QCOMPARE(program->cycle(false), cycle);
        QCOMPARE(ownLengths(*program), lengths);
    }

    // What the question says is what the removal does: the cycle it names
    // after the removal is the cycle the program then makes, also where a
    // change grows longer than the coordinated step it leads into, which then
    // has no own length left to give (the program keeps its own lengths).
    void predictedCycleIsTheCycleMade_data()
    {
        QTest::addColumn<bool>("phaseRemoved"); // else group 1
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("ownLength");
        for (const int type : { int(CnfProgram::FixedTime), int(CnfProgram::Coordinated) }) {
            const char *kind = type == CnfProgram::FixedTime ? "fixed time" : "coordinated";
            for (const int own : { 0, 1, 20 }) {
                QTest::addRow("%s, steps of %d s, group 1", kind, own)
                    << false << "1" << type << own;
                QTest::addRow("%s, steps of %d s, phase 1", kind, own)
                    << true << "1" << type << own;
                QTest::addRow("%s, steps of %d s, phase 2", kind, own)
                    << true << "2" << type << own;
                QTest::addRow("%s, steps of %d s, phase 3", kind, own)
                    << true << "3" << type << own;
            }
        }
    }

    void predictedCycleIsTheCycleMade()
    {
        QFETCH(bool, phaseRemoved);
        QFETCH(QString, id);
        QFETCH(int, type);
        QFETCH(int, ownLength);
        CnfController controller;
        const CnfProgramPtr program = addTiverkIIProgram(controller, type, false, 0);
        // Phase 3 keeps group 2 on and starts group 1: the change into it is
        // group 1's short red-yellow, without phase 3 it is group 2's clearing.
        addPhase(controller, QStringLiteral("3"), { 2, 1 });
        program->appendPhase(controller.findPhase(QStringLiteral("3")), 0);
        for (const CnfPhaseDefPtr &step : program->phases())
            step->setLength(ownLength);
        const int before = program->cycle(false);
        const QList<CnfProgramCycles::Change> changes = phaseRemoved
            ? CnfProgramCycles::onPhaseRemoval(controller, { id })
            : CnfProgramCycles::onRemoval(controller, { id.toInt() });
        QVERIFY(phaseRemoved ? controller.removePhase(id)
                             : controller.removeSignalGroup(id.toInt()));
        if (changes.isEmpty()) {
            QCOMPARE(program->cycle(false), before);
            return;
        }
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.first().before, before);
        QCOMPARE(program->cycle(false), changes.first().after);
        QCOMPARE(changes.first().kept, changes.first().after == before);
    }

    // A phase's removal: programs keep its steps, without its groups, so the
    // changes into and out of them lose the groups' clearing and red-yellow.
    // In the filled TIVERK 3.18 file program 91 (local fixed time, 107 s)
    // runs phases 52, 51, 53, 54, the coordinated 92 (114 s) 52, 51, 53.
    void phaseRemoval_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("phases");
        QTest::addColumn<QStringList>("changes");
        const QString filled
            = TestSupport::dataPath(QStringLiteral("references/tiverk318_filled.cnf"));
        QTest::newRow("TIVERK 3.18 phase 52")
            << filled << QStringList { "52" } << QStringList { "91: 107 -> 100", "92: 114 kept" };
        QTest::newRow("TIVERK 3.18 phase 53")
            << filled << QStringList { "53" } << QStringList { "91: 107 -> 97", "92: 114 kept" };
        QTest::newRow("TIVERK 3.18 phase 54: the coordinated program does not run it")
            << filled << QStringList { "54" } << QStringList { "91: 107 -> 100" };
        QTest::newRow("TIVERK 3.18 phases 53 and 54 at once")
            << filled << QStringList { "53", "54" }
            << QStringList { "91: 107 -> 90", "92: 114 kept" };
        QTest::newRow("TIVERK 3.18 sample, phase 1")
            << TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf"))
            << QStringList { "1" } << QStringList { "1: 107 -> 100", "2: 114 kept" };
        QTest::newRow("TIVERK 3.18 container sample, phase 3")
            << TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf"))
            << QStringList { "3" } << QStringList { "1: 107 -> 97", "2: 114 kept" };
        // The coordinated 92 (64 s) runs phase 51 in a step of no own length,
        // 95 (314 s) in one of 250 s, which is as long as a record's byte holds
        // but 4 s: a change longer than its step, or an own length the record
        // cannot hold, leaves the program its own lengths and a new cycle.
        const QString steps
            = TestSupport::dataPath(QStringLiteral("references/tiverk318_steps.cnf"));
        QTest::newRow("TIVERK 3.18 phase 51: a change longer than its step")
            << steps << QStringList { "51" } << QStringList { "92: 64 -> 57", "95: 314 kept" };
        QTest::newRow("TIVERK 3.18 phase 52: an own length over 254 s")
            << steps << QStringList { "52" } << QStringList { "92: 64 kept", "95: 314 -> 307" };
        QTest::newRow("adapter sample, phase 1: no coordinated program")
            << TestSupport::examplesPath(QStringLiteral("adapter_crossing.txt"))
            << QStringList { "1" } << QStringList { "1: 70 -> 60" };
    }

    void phaseRemoval()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, phases);
        QFETCH(QStringList, changes);
        QString error;
        CnfController controller;
        QVERIFY2(loadAny(path, controller, &error), qPrintable(error));
        QMap<QString, int> cycles;
        QMap<QString, QList<int>> own;
        QMap<QString, QList<int>> full;
        for (const CnfProgramPtr &program : controller.programs()) {
            cycles.insert(program->id, program->cycle(true));
            own.insert(program->id, ownLengths(*program));
            full.insert(program->id, fullLengths(*program));
        }
        const QList<CnfProgramCycles::Change> found
            = CnfProgramCycles::onPhaseRemoval(controller, phases);
        QCOMPARE(texts(found), changes);

        for (const QString &phase : qAsConst(phases))
            QVERIFY(controller.removePhase(phase));
        for (const CnfProgramPtr &program : controller.programs()) {
            const auto change = std::find_if(
                found.begin(), found.end(),
                [&program](const CnfProgramCycles::Change &c) { return c.program == program->id; });
            if (change != found.end() && change->kept) {
                // The steps take the seconds.
                QCOMPARE(fullLengths(*program), full.value(program->id));
                QCOMPARE(program->cycle(true), change->before);
            } else {
                QCOMPARE(ownLengths(*program), own.value(program->id));
                QCOMPARE(program->cycle(true),
                         change != found.end() ? change->after : cycles.value(program->id));
            }
            // The record states what the steps make: their own lengths, and
            // the cycle where it states one.
            const QList<int> durations = recordDurations(controller, *program);
            if (!durations.isEmpty())
                QCOMPARE(durations, ownLengths(*program));
            const int stated
                = CnfProgramRecord::readCycle(controller.tiverkLayout(), program->data());
            if (stated >= 0)
                QCOMPARE(stated, program->cycle(true));
        }

        // The saved file gives the same back.
        QTemporaryDir dir;
        const QString saved = dir.filePath(QFileInfo(path).fileName());
        QVERIFY2(saveAny(saved, controller, &error), qPrintable(error));
        CnfController reopened;
        QVERIFY2(loadAny(saved, reopened, &error), qPrintable(error));
        for (const CnfProgramPtr &program : controller.programs()) {
            const CnfProgramPtr reread = reopened.findProgram(program->id);
            QVERIFY(reread);
            QCOMPARE(ownLengths(*reread), ownLengths(*program));
            QCOMPARE(reread->cycle(true), program->cycle(true));
        }
    }

    // ZU_MOLT plans state their cycles: no group's or stage's removal changes one.
    void zuMoltSampleKeepsEveryCycle_data()
    {
        QTest::addColumn<bool>("stages");
        QTest::newRow("groups") << false;
        QTest::newRow("stages") << true;
    }

    void zuMoltSampleKeepsEveryCycle()
    {
        QFETCH(bool, stages);
        const QByteArray file = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        CnfController sample;
        const CnfNativePtr native = CnfNative::loadNativeConfig(file);
        QVERIFY2(native && native->createController(sample), qPrintable(CnfNative::loadError()));
        QStringList ids;
        if (stages) {
            for (const CnfPhasePtr &phase : sample.phases())
                ids << phase->id;
        } else {
            for (const CnfSignalGroupPtr &group : sample.signalGroups())
                ids << QString::number(group->id);
        }
        QVERIFY(!ids.isEmpty());
        for (const QString &id : qAsConst(ids)) {
            CnfController controller;
            QVERIFY(native->createController(controller));
            QMap<QString, int> cycles;
            for (const CnfProgramPtr &program : controller.programs())
                cycles.insert(program->id, program->cycle(false));
            QCOMPARE(texts(stages ? CnfProgramCycles::onPhaseRemoval(controller, { id })
                                  : CnfProgramCycles::onRemoval(controller, { id.toInt() })),
                     QStringList());
            QVERIFY(stages ? controller.removePhase(id) : controller.removeSignalGroup(id.toInt()));
            for (const CnfProgramPtr &program : controller.programs())
                QCOMPARE(program->cycle(false), cycles.value(program->id));
        }
    }
};

PROJECT_TEST(TestCnfProgramCycles);
#include "tst_cnfprogramcycles.moc"
