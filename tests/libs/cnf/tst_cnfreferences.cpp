#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnfreferences.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"
#include "cnf/zu_moltconfig.h"
#include "recordprogram.h"
#include "testdata.h"
#include "testmain.h"

#include <QDomDocument>
#include <QtTest>

namespace {

using Kind = CnfReferences::Kind;
using Note = CnfReferences::Note;

// A TIVERK 3.18 controller with phases 1-4 and signal groups 1-3.
void fill(CnfController &controller)
{
    controller.setProperty("type", QStringLiteral("tiverk"));
    controller.setProperty("version", QStringLiteral("3.18"));
    for (int i = 1; i <= 4; ++i) {
        auto phase = CnfPhasePtr::create();
        phase->id = QString::number(i);
        controller.addPhase(phase);
    }
    for (int i = 1; i <= 3; ++i) {
        auto group = CnfSignalGroupPtr::create();
        group->id = i;
        controller.addSignalGroup(group);
    }
}

CnfReferences::Element phase(const QString &id)
{
    return { Kind::Phase, id, QString() };
}

CnfReferences::Element group(int id)
{
    return { Kind::SignalGroup, QString::number(id), QString() };
}

} // namespace

class TestCnfReferences : public QObject
{
    Q_OBJECT

private slots:
    // A kind-5 record names its priority phase by its place in the phase
    // list. When that phase goes and the program has no step of it, the
    // field becomes not set instead of naming the phase that moves up, and
    // the delete question names the program.
    void priorityPhaseOfARemovedPhase_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<int>("priority"); // the byte after the removal
        QTest::addColumn<bool>("named");
        QTest::newRow("the priority phase") << "2" << 255 << true;
        QTest::newRow("a phase before it") << "1" << 0 << false;
        QTest::newRow("a phase after it") << "4" << 1 << false;
    }

    void priorityPhaseOfARemovedPhase()
    {
        QFETCH(QString, removed);
        QFETCH(int, priority);
        QFETCH(bool, named);
        CnfController controller;
        fill(controller);
        // Kind 5 of 3.18: byte 3 the tram detector, byte 4 the priority phase
        // (phase "2" at place 1), byte 5 its duration.
        const CnfProgramPtr program = addRecordProgram(controller, QStringLiteral("5"), 5,
                                                       { { 3, 7 }, { 4, 1 }, { 5, 20 } });
        const QByteArray before = program->data();
        const QList<CnfReferences::Place> places
            = CnfReferences::places(controller, phase(removed));
        QCOMPARE(CnfReferences::owners(places, Note::ProgramUse),
                 named ? QStringList { QStringLiteral("5") } : QStringList());

        QVERIFY(controller.removePhase(removed));
        QCOMPARE(int(quint8(program->data().at(4))), priority);
        QByteArray expected = before;
        expected[4] = char(priority);
        QCOMPARE(program->data(), expected);
    }

    // A kind-4 record calls its phase by the id as a number a byte holds: a
    // new id it cannot hold is refused while a record calls the phase, and
    // nothing changes; without such a record any id is taken.
    void callPhaseRefusesAnIdNoByteHolds_data()
    {
        QTest::addColumn<bool>("called");
        QTest::addColumn<QString>("newId");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("called, a number") << true << "12" << true;
        QTest::newRow("called, 254") << true << "254" << true;
        QTest::newRow("called, 255") << true << "255" << false;
        QTest::newRow("called, text") << true << "P1" << false;
        QTest::newRow("not called, text") << false << "P1" << true;
    }

    void callPhaseRefusesAnIdNoByteHolds()
    {
        QFETCH(bool, called);
        QFETCH(QString, newId);
        QFETCH(bool, renamed);
        CnfController controller;
        fill(controller);
        // Kind 4 of 3.18: byte 5 is the call phase, by its id.
        const CnfProgramPtr program
            = addRecordProgram(controller, QStringLiteral("4"), 4, { { 5, called ? 1 : 3 } });
        const QByteArray before = program->data();
        QCOMPARE(controller.renamePhase(QStringLiteral("1"), newId), renamed);
        if (renamed) {
            QVERIFY(controller.findPhase(newId));
            if (called)
                QCOMPARE(int(quint8(program->data().at(5))), newId.toInt());
            return;
        }
        QCOMPARE(controller.lastError(),
                 QStringLiteral("Program 4 calls phase 1 by its number: the id must be a "
                                "number from 0 to 254"));
        QVERIFY(controller.findPhase(QStringLiteral("1")));
        QVERIFY(!controller.findPhase(newId));
        QCOMPARE(program->data(), before);
    }

    // A ZU_MOLT file writes a stage's id as a number: a new id that is no
    // number from 1 to 65535 is refused, also while only plan phases (which
    // follow any id) name the stage, and nothing changes.
    void zuMoltStageTakesOnlyANumber_data()
    {
        QTest::addColumn<bool>("panel"); // the panel names stage 51 by its number
        QTest::addColumn<QString>("newId");
        QTest::addColumn<QString>("refusal");
        const QString own = QStringLiteral("A ZU_MOLT file writes the id of phase 51 as a number");
        const QString range = QStringLiteral(": the id must be a number from 1 to 65535");
        QTest::newRow("plan phases only, a number") << false << "151" << QString();
        QTest::newRow("plan phases only, 65535") << false << "65535" << QString();
        QTest::newRow("plan phases only, text") << false << "S1" << own + range;
        QTest::newRow("plan phases only, 07") << false << "07" << own + range;
        QTest::newRow("plan phases only, 0") << false << "0" << own + range;
        QTest::newRow("plan phases only, 65536") << false << "65536" << own + range;
        QTest::newRow("panel too, text") << true << "S1"
                                         << own
                + QStringLiteral("; the remote control panel names phase 51 by its number") + range;
    }

    void zuMoltStageTakesOnlyANumber()
    {
        QFETCH(bool, panel);
        QFETCH(QString, newId);
        QFETCH(QString, refusal);
        QByteArray bytes = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("references/zumolt_filled.json")));
        if (!panel) {
            const QByteArray named = "\"stageId\": [\n                51,";
            QVERIFY(bytes.contains(named));
            bytes.replace(named, "\"stageId\": [\n                null,");
        }
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY(config.loadData(bytes) && config.createController(controller));
        const QByteArray before = config.save(controller);
        QCOMPARE(controller.phaseIdRefusal(QStringLiteral("51"), newId), refusal);
        QCOMPARE(controller.renamePhase(QStringLiteral("51"), newId), refusal.isEmpty());
        if (refusal.isEmpty())
            return;
        QCOMPARE(controller.lastError(), refusal);
        QCOMPARE(config.save(controller), before);
        // A stage still to be added: only the file's own rule.
        QCOMPARE(controller.phaseIdRefusal(QString(), newId),
                 QStringLiteral("A ZU_MOLT file writes the id of a phase as a number: the id must "
                                "be a number from 1 to 65535"));
    }

    // Group ids are any ints: deleting group 1 keeps the values of group -1.
    void removedGroupKeepsTheValuesOfGroupMinusOne()
    {
        CnfController controller;
        fill(controller);
        auto minusOne = CnfSignalGroupPtr::create();
        minusOne->id = -1;
        QVERIFY(controller.addSignalGroup(minusOne));
        auto matrix = CnfMatrixPtr::create();
        matrix->setId(1);
        matrix->setReleaf(1, 2, 3.0);
        matrix->setReleaf(-1, 2, 4.0);
        matrix->setReleaf(2, -1, 5.0);
        matrix->setReleaf(1, -1, 6.0);
        controller.addMatrix(matrix, true, true);

        QVERIFY(controller.removeSignalGroup(1));
        QCOMPARE(matrix->content().size(), 2);
        QCOMPARE(matrix->releaf(-1, 2), 4.0);
        QCOMPARE(matrix->releaf(2, -1), 5.0);
    }

    // The places a Delete changes without the element's own list name their
    // owners, so that the question can list them.
    void storedValuesNameTheirOwners()
    {
        CnfController controller;
        fill(controller);
        auto transition = CnfTransitionPtr::create();
        transition->greenEnd.insert(2, 3);
        controller.findPhase(QStringLiteral("3"))
            ->transitions.insert(QStringLiteral("1"), transition);
        auto other = CnfTransitionPtr::create();
        other->greenStart.insert(2, 4);
        controller.findPhase(QStringLiteral("4"))->transitions.insert(QStringLiteral("2"), other);
        auto matrix = CnfMatrixPtr::create();
        matrix->setId(7);
        matrix->setReleaf(2, 3, 3.0);
        controller.addMatrix(matrix, false, false);
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("9");
        program->setTimelineData(2, 0, 1);
        controller.addProgram(program);

        const QList<CnfReferences::Place> fromPhase
            = CnfReferences::places(controller, phase(QStringLiteral("1")));
        QCOMPARE(CnfReferences::owners(fromPhase, Note::StoredTransition), QStringList({ "3" }));
        const QList<CnfReferences::Place> ofGroup = CnfReferences::places(controller, group(2));
        QCOMPARE(CnfReferences::owners(ofGroup, Note::MatrixValues), QStringList({ "7" }));
        QCOMPARE(CnfReferences::owners(ofGroup, Note::TransitionTimes), QStringList({ "3", "4" }));
        QCOMPARE(CnfReferences::owners(ofGroup, Note::Timeline), QStringList({ "9" }));
        QVERIFY(CnfReferences::places(controller, group(1)).isEmpty());
    }
};

PROJECT_TEST(TestCnfReferences);
#include "tst_cnfreferences.moc"
