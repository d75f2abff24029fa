#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfreferences.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"
#include "zu_moltformat.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// Three stages; plan 1 runs stage 1 in the middle (its phases numbered by
// position, calls and detector records naming all three), plan 2 by its own
// ids, plan 3 runs stage 1 only, plan 4 not at all, plan 5 has no phases.
const QString fixture = QStringLiteral("zumolt/stage-delete.json");

// One compact text per plan, so that a failure shows the plan that differs.
QStringList planTexts(const QJsonValue &plans)
{
    QStringList texts;
    for (const QJsonValue &plan : plans.toArray())
        texts << QString::fromUtf8(QJsonDocument(plan.toObject()).toJson(QJsonDocument::Compact));
    return texts;
}

QJsonObject parsed(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

} // namespace

// Deleting a ZU_MOLT stage: the plan phases that run it go with it, and
// nothing in their plans names them afterwards; what the Delete leaves is what
// the saved file gives back, in plivek and in zumoltc.
class TestCnfPlanPhases : public QObject
{
    Q_OBJECT
private slots:
    void stageDeleteTakesItsPlanPhases_data()
    {
        QTest::addColumn<QStringList>("stages");
        // The places the question names, "plan:plan phase", found before the Delete.
        QTest::addColumn<QStringList>("places");
        QTest::addColumn<QByteArray>("plans"); // the saved file's "plans", compact
        QTest::addColumn<QString>("savedFile"); // the whole saved file, when given

        const QByteArray untouched
            = R"({"algorithm":{"phases":[{"id":1,"stage":2},{"id":2,"call":1,"stage":3}],)"
              R"("sequence":[1,2],"type":"StageRing"},"id":4,"name":"Without stage 1"},)"
              R"({"algorithm":{"mode":"AB","type":"Special"},"id":5,"name":"Flash"}])";
        // Plan 1's phase 3 keeps its id at the place of phase 2; the record on
        // phase 2 goes, the calls and redirects to it go; plan 3 keeps no phase.
        QTest::newRow("stage of a middle phase")
            << QStringList { "1" } << QStringList { "1:2", "2:5", "3:1", "3:2" }
            << QByteArray(
                   R"([{"algorithm":{"cycle":90,"detectors":[)"
                   R"({"control":true,"detector":72,"phase":3},)"
                   R"({"call":3,"detector":71,"indicator":72,"phase":1}],)"
                   R"("phases":[{"call":3,"id":1,"minGreen":8,"stage":2},{"id":3,"stage":3}],)"
                   R"("sequence":[1,3],"type":"StageRing"},"id":1,"name":"Ring"},)"
                   R"({"algorithm":{"phases":[{"id":7,"stage":2}],"sequence":[7],)"
                   R"("type":"StageRing"},"id":2,"name":"Own ids"},)"
                   R"({"algorithm":{"coordinated":true,"cycle":60,"type":"StageRing"},"id":3,)"
                   R"("name":"Stage 1 only"},)")
                + untouched
            << QStringLiteral("zumolt/stage-delete.saved.json");
        QTest::newRow("two stages at once")
            << QStringList { "1", "2" }
            << QStringList { "1:2", "2:5", "3:1", "3:2", "1:1", "2:7", "4:1" }
            << QByteArray(
                   R"([{"algorithm":{"cycle":90,"detectors":[)"
                   R"({"control":true,"detector":72,"phase":3}],)"
                   R"("phases":[{"id":3,"stage":3}],)"
                   R"("sequence":[3],"type":"StageRing"},"id":1,"name":"Ring"},)"
                   R"({"algorithm":{"type":"StageRing"},"id":2,"name":"Own ids"},)"
                   R"({"algorithm":{"coordinated":true,"cycle":60,"type":"StageRing"},"id":3,)"
                   R"("name":"Stage 1 only"},)"
                   R"({"algorithm":{"phases":[{"id":2,"stage":3}],)"
                   R"("sequence":[2],"type":"StageRing"},"id":4,"name":"Without stage 1"},)"
                   R"({"algorithm":{"mode":"AB","type":"Special"},"id":5,"name":"Flash"}])")
            << QString();
        // The last phase: no other phase changes its id.
        QTest::newRow("stage of the last phase")
            << QStringList { "3" } << QStringList { "1:3", "4:2" }
            << QByteArray(
                   R"([{"algorithm":{"cycle":90,"detectors":[)"
                   R"({"detector":71,"phase":2},)"
                   R"({"detector":71,"indicator":72,"phase":1,"redirect":2}],)"
                   R"("phases":[{"id":1,"minGreen":8,"stage":2},)"
                   R"({"id":2,"passage":3,"recall":"max","stage":1}],)"
                   R"("sequence":[1,2],"type":"StageRing"},"id":1,"name":"Ring"},)"
                   R"({"algorithm":{"phases":[{"call":5,"id":7,"stage":2},{"id":5,"stage":1}],)"
                   R"("sequence":[7,5],"type":"StageRing"},"id":2,"name":"Own ids"},)"
                   R"({"algorithm":{"coordinated":true,"cycle":60,"detectors":[)"
                   R"({"detector":71,"phase":1}],"phases":[{"id":1,"stage":1},)"
                   R"({"call":1,"id":2,"stage":1}],"sequence":[1,2],"type":"StageRing"},)"
                   R"("id":3,"name":"Stage 1 only"},)"
                   R"({"algorithm":{"phases":[{"id":1,"stage":2}],)"
                   R"("sequence":[1],"type":"StageRing"},"id":4,"name":"Without stage 1"},)"
                   R"({"algorithm":{"mode":"AB","type":"Special"},"id":5,"name":"Flash"}])")
            << QString();
    }

    void stageDeleteTakesItsPlanPhases()
    {
        QFETCH(QStringList, stages);
        QFETCH(QStringList, places);
        QFETCH(QByteArray, plans);
        QFETCH(QString, savedFile);
        const QByteArray original = TestSupport::readFile(TestSupport::dataPath(fixture));
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(original) && config.createController(controller),
                 qPrintable(config.lastError()));

        // The question's places, all found before anything goes.
        QStringList found;
        for (const QString &stage : qAsConst(stages)) {
            for (const CnfReferences::Place &place : CnfReferences::places(
                     controller, { CnfReferences::Kind::Phase, stage, QString() })) {
                QVERIFY(place.note != CnfReferences::Note::ProgramUse);
                if (place.note == CnfReferences::Note::PlanPhase)
                    found << place.owner + ':' + place.part;
            }
        }
        QCOMPARE(found, places);

        for (const QString &stage : qAsConst(stages))
            QVERIFY(controller.removePhase(stage));
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));
        QJsonObject root = parsed(saved);
        QCOMPARE(planTexts(root.value(QStringLiteral("plans"))),
                 planTexts(QJsonDocument::fromJson(plans).array()));
        // Beyond the stages and the plans nothing changed.
        QJsonObject before = parsed(original);
        QCOMPARE(root.value(QStringLiteral("stages")).toArray().size(),
                 before.value(QStringLiteral("stages")).toArray().size() - stages.size());
        for (const QString &key : { QStringLiteral("stages"), QStringLiteral("plans") }) {
            root.remove(key);
            before.remove(key);
        }
        QCOMPARE(root, before);
        if (!savedFile.isEmpty())
            QCOMPARE(QString::fromUtf8(saved),
                     QString::fromUtf8(TestSupport::readFile(TestSupport::dataPath(savedFile))));

        // The file gives back what the Delete left, and saves to the same bytes.
        ZU_MOLTConfig reader;
        CnfController reloaded;
        QVERIFY2(reader.loadData(saved) && reader.createController(reloaded),
                 qPrintable(reader.lastError()));
        QVERIFY2(reader.warnings().isEmpty(),
                 qPrintable(reader.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(FormatFixture::dump(reloaded), FormatFixture::dump(controller));
        QCOMPARE(QString::fromUtf8(reader.save(reloaded)), QString::fromUtf8(saved));

        // zumoltc reads it without a warning, keeps every plan and loses nothing more.
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(saved, &error), qPrintable(error));
        QVERIFY2(zu.warnings().isEmpty(), qPrintable(zu.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(zu.signalPlans().size(), 5);
        QCOMPARE(QString::fromUtf8(zu.toJson()), QString::fromUtf8(saved));
    }

    // The plan phases after a removed one keep the ids the file gave them,
    // whether they had them by position, as their own, or as the next free
    // number (an own id that an earlier phase holds).
    void laterPlanPhasesKeepTheirIds_data()
    {
        QTest::addColumn<QList<int>>("ownIds"); // of the phases running stages 1, 2, 3; 0: none
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("by position")
            << QList<int> { 0, 0, 0 } << "1" << QList<int> { 1, 2, 3 } << QList<int> { 2, 3 };
        QTest::newRow("own ids") << QList<int> { 9, 4, 0 } << "2" << QList<int> { 9, 4, 3 }
                                 << QList<int> { 9, 3 };
        QTest::newRow("own id repeated")
            << QList<int> { 1, 1, 0 } << "1" << QList<int> { 1, 2, 3 } << QList<int> { 2, 3 };
        QTest::newRow("position taken by a later own id")
            << QList<int> { 0, 0, 2 } << "1" << QList<int> { 1, 3, 2 } << QList<int> { 3, 2 };
        // The phase by position keeps the id the file names it by: the
        // repeated own id takes the next free number after it.
        QTest::newRow("own id repeated before a phase by position")
            << QList<int> { 1, 1, 0, 2 } << "1" << QList<int> { 1, 4, 3, 2 }
            << QList<int> { 4, 3, 2 };
    }

    void laterPlanPhasesKeepTheirIds()
    {
        QFETCH(QList<int>, ownIds);
        QFETCH(QString, stage);
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QStringLiteral("1.0"));
        auto plan = CnfProgramPtr::create(&controller);
        plan->id = QStringLiteral("1");
        plan->type = CnfProgram::Stagering;
        controller.addProgram(plan);
        for (int i = 0; i < ownIds.size(); ++i) {
            auto phase = CnfPhasePtr::create();
            phase->id = QString::number(i + 1);
            controller.addPhase(phase);
            const CnfPhaseDefPtr step = plan->appendPhase(phase, 0);
            if (ownIds.at(i) != 0)
                step->setProperty("id", ownIds.at(i));
        }
        const auto ids = [&] {
            return ZuMoltFormat::stepIds(controller, plan->phases()).toList();
        };
        QCOMPARE(ids(), before);
        QVERIFY(controller.removePhase(stage));
        QCOMPARE(ids(), after);
    }

    // A step that gets its first stage (a new one in the program dialog)
    // takes an id that no other step has; the other steps keep theirs, also
    // one that had its id by a position the new one could have counted first.
    void stepGivenAStageTakesAFreeId_data()
    {
        QTest::addColumn<QList<int>>("ownIds"); // of each step; 0: none
        QTest::addColumn<int>("position"); // of the step without a stage
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("new last step")
            << QList<int> { 0, 0, 0 } << 2 << QList<int> { 1, 2, 0 } << QList<int> { 1, 2, 3 };
        QTest::newRow("its position is free")
            << QList<int> { 0, 0, 3 } << 0 << QList<int> { 0, 2, 3 } << QList<int> { 1, 2, 3 };
        QTest::newRow("its position is an own id")
            << QList<int> { 0, 0, 1 } << 0 << QList<int> { 0, 2, 1 } << QList<int> { 3, 2, 1 };
        QTest::newRow("its own id is taken")
            << QList<int> { 2, 0, 0 } << 0 << QList<int> { 0, 2, 3 } << QList<int> { 1, 2, 3 };
    }

    void stepGivenAStageTakesAFreeId()
    {
        QFETCH(QList<int>, ownIds);
        QFETCH(int, position);
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QStringLiteral("1.0"));
        CnfProgram plan(&controller);
        plan.type = CnfProgram::Stagering;
        auto stage = CnfPhasePtr::create();
        stage->id = QStringLiteral("1");
        controller.addPhase(stage);
        for (int i = 0; i < ownIds.size(); ++i) {
            const CnfPhaseDefPtr step
                = plan.appendPhase(i == position ? CnfPhasePtr::create() : stage, 0);
            if (ownIds.at(i) != 0)
                step->setProperty("id", ownIds.at(i));
        }
        QCOMPARE(ZU_MOLTConfig::stepIds(controller, plan).toList(), before);
        ZU_MOLTConfig::setStepStage(controller, plan, position, stage);
        QCOMPARE(ZU_MOLTConfig::stepIds(controller, plan).toList(), after);
    }
};

PROJECT_TEST(TestCnfPlanPhases);
#include "tst_cnfplanphases.moc"
