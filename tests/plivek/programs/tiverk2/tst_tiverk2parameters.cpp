#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "common/widgets/tablecells.h"
#include "plivek/programs/tiverk2/programtiverk2dlg.h"
#include "testmain.h"
#include "tiverk2dialogfixture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

using namespace Tiverk2Fixture;

namespace {

using ProgramBuilder = void (*)(CnfController &controller, CnfProgram &program);
using FormEdit = void (*)(ProgramTiverk2Dlg &dialog);

int state(const char *word)
{
    return CnfSignalGroup::string2ColorState(QLatin1String(word));
}

CnfPhasePtr phase(CnfController &controller, const char *id)
{
    return controller.findPhase(QLatin1String(id));
}

void fixedTime(CnfController &controller, CnfProgram &program)
{
    program.type = CnfProgram::FixedTime;
    program.appendPhaseFl(phase(controller, "1"), 35);
    program.appendPhaseFl(phase(controller, "2"), 25);
}

void coordinated(CnfController &controller, CnfProgram &program)
{
    fixedTime(controller, program);
    program.type = CnfProgram::Coordinated;
    program.setCycleOffset(12);
}

void multiRingNumber(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::MultiRing;
    program.setProperty("pattern", 4);
}

void multiRingSpecial(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::MultiRing;
    program.setProperty("pattern",
                        QVariantMap { { QStringLiteral("rings"), QVariantList { 1, 2 } },
                                      { QStringLiteral("name"), QStringLiteral("night") } });
}

void script(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::Script;
    program.setProperty("script", QStringLiteral("adaptive.js"));
    program.setProperty("extensions",
                        QStringList { QStringLiteral("queue"), QStringLiteral("bus") });
    program.setProperty(
        "params",
        QVariantMap { { QStringLiteral("gap"), 3 },
                      { QStringLiteral("lanes"), QVariantList { QStringLiteral("a") } } });
}

void timeline(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::Timeline;
    program.cycleLength = 60;
    program.setTimelineData(1, 0, state("green"));
    program.setTimelineData(1, 30, state("amber"));
    program.setTimelineData(1, 33, state("red"));
    program.setTimelineData(2, 0, state("red"));
    program.setTimelineData(2, 36, state("green"));
}

void coordinatedTimeline(CnfController &controller, CnfProgram &program)
{
    timeline(controller, program);
    program.type = CnfProgram::CoordinatedTimeline;
    program.setCycleOffset(7);
}

void steps(CnfController &controller, CnfProgram &program, bool coordinated)
{
    program.type = CnfProgram::Stagering;
    program.setProperty("coordinated", coordinated);
    if (coordinated) {
        program.cycleLength = 80;
        program.setCycleOffset(5);
    }
    CnfPhaseDefPtr first = program.appendPhase(phase(controller, "1"), 10);
    first->setProperty("recall", QStringLiteral("max"));
    first->setProperty("passage", 3);
    first->setProperty("call", 2);
    first->setProperty("minGreen", 10);
    first->setProperty("maxGreen", 30);
    CnfPhaseDefPtr second = program.appendPhase(phase(controller, "2"), 8);
    second->setProperty("recall", QStringLiteral("soft"));
    second->setProperty("call", 1);
    second->setProperty("minGreen", 8);
    if (coordinated) {
        first->setProperty("correctionMin", 2);
        first->setProperty("correctionMax", 4);
    }
    program.setProperty("conditions",
                        QVariantList { QVariantMap { { QStringLiteral("phase"), 1 },
                                                     { QStringLiteral("detector"), 1 },
                                                     { QStringLiteral("control"), true },
                                                     { QStringLiteral("call"), 2 } },
                                       QVariantMap { { QStringLiteral("phase"), 2 },
                                                     { QStringLiteral("sensor"), 1 },
                                                     { QStringLiteral("control"), false },
                                                     { QStringLiteral("redirect"), 1 } } });
}

void stepsCoordinated(CnfController &controller, CnfProgram &program)
{
    steps(controller, program, true);
}

void stepsFree(CnfController &controller, CnfProgram &program)
{
    steps(controller, program, false);
}

void crosswalks(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::Pedestrian;
    QVariantMap full { { QStringLiteral("groups"), QVariantList { 1 } },
                       { QStringLiteral("pedestrians"), QVariantList { 3, 4 } },
                       { QStringLiteral("sensors"), QVariantList { 1 } },
                       { QStringLiteral("detectors"), QVariantList { 1 } } };
    int seconds = 1;
    for (const char *key : { "minGreen", "pedestrianGreen", "maxGreen", "passage", "minGap",
                             "timeToReduce", "timeBeforeReduction", "cycle", "offset" })
        full.insert(QLatin1String(key), seconds++);
    // A crosswalk without any value is kept as an empty map.
    program.setProperty("crosswalks", QVariantList { full, QVariantMap() });
}

void sequence(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::Sequence;
    program.setProperty("sequence", QVariantList { 2, 1, 2 });
}

void yellowFlash(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::YellowFlash;
}

void dark(CnfController &, CnfProgram &program)
{
    program.type = CnfProgram::Dark;
}

CnfProgramPtr buildProgram(CnfController &controller, ProgramBuilder build)
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = QStringLiteral("9");
    program->name = QStringLiteral("Edited");
    program->matrix = controller.defaultMatrix();
    program->defaultMatrix = true;
    build(controller, *program);
    return program;
}

QVariantMap dynamicProperties(const QObject &object)
{
    QVariantMap properties;
    for (const QByteArray &name : object.dynamicPropertyNames())
        properties.insert(QString::fromLatin1(name), object.property(name.constData()));
    return properties;
}

// Lets the dialog rebuild its program once, as the first refresh after opening
// does, so that the next store reads the form.
void refresh(ProgramTiverk2Dlg &dialog)
{
    QVERIFY(QMetaObject::invokeMethod(&dialog, "refresh_chart"));
}

QPushButton *okButton(QObject &dialog)
{
    return child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok);
}

void compareSteps(const CnfProgram &actual, const CnfProgram &expected)
{
    QCOMPARE(actual.phaseCount(), expected.phaseCount());
    for (int i = 0; i < expected.phaseCount(); ++i) {
        QCOMPARE(actual.phaseDefAt(i)->id(), expected.phaseDefAt(i)->id());
        QCOMPARE(actual.phaseDefAt(i)->length(), expected.phaseDefAt(i)->length());
        QCOMPARE(dynamicProperties(*actual.phaseDefAt(i)),
                 dynamicProperties(*expected.phaseDefAt(i)));
    }
}

// Form edits that make one store fail or go on.
void unknownStagePhase(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "stageTable"), 0, 1, QStringLiteral("77"), true);
}

void unknownStepPhase(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "stagering_table"), 0, 1, QStringLiteral("77"), true);
}

void stepWithoutGreens(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "stagering_table"), 4, 1, QVariant(), true);
    setTableCellValue(table(dialog, "stagering_table"), 5, 1, QVariant(), true);
}

void unknownGroup(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "pedestrianTable"), 0, 0, QStringLiteral("1,9"), true);
}

void unknownSensor(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "pedestrianTable"), 3, 0, QStringLiteral("5"), true);
}

void unknownDetector(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "pedestrianTable"), 4, 0, QStringLiteral("1,6"), true);
}

void unknownSequencePhase(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "stageTable"), 0, 2, QStringLiteral("8"), true);
}

// The sequence program, and a phase whose id is no number.
void sequenceAndLetteredPhase(CnfController &controller, CnfProgram &program)
{
    sequence(controller, program);
    auto phase = CnfPhasePtr::create();
    phase->id = QStringLiteral("A1");
    controller.addPhase(phase);
}

void letteredSequencePhase(ProgramTiverk2Dlg &dialog)
{
    setTableCellValue(table(dialog, "stageTable"), 0, 2, QStringLiteral("A1"), true);
}

void brokenParams(ProgramTiverk2Dlg &dialog)
{
    child<QTextEdit>(dialog, "scriptParam")->setPlainText(QStringLiteral("{\"gap\": }"));
}

void brokenModules(ProgramTiverk2Dlg &dialog)
{
    child<QTextEdit>(dialog, "mr_mod_script")->setPlainText(QStringLiteral("{\"cycle\" 90}"));
}

void brokenSpecialPattern(ProgramTiverk2Dlg &dialog)
{
    child<QTextEdit>(dialog, "patternContent")->setPlainText(QStringLiteral("{\"rings\": [1,}"));
}

} // namespace

Q_DECLARE_METATYPE(ProgramBuilder)
Q_DECLARE_METATYPE(FormEdit)

class TestTiverk2Parameters : public QObject
{
    Q_OBJECT
private slots:
    // Program -> form -> program gives back what the program held, type by type.
    void roundTrip_data()
    {
        QTest::addColumn<ProgramBuilder>("build");
        QTest::addColumn<bool>("keepsMatrix");
        QTest::newRow("1 yellow flash") << ProgramBuilder(yellowFlash) << false;
        QTest::newRow("2 dark") << ProgramBuilder(dark) << false;
        QTest::newRow("3 fixed time") << ProgramBuilder(fixedTime) << true;
        QTest::newRow("4 coordinated") << ProgramBuilder(coordinated) << true;
        QTest::newRow("6 pattern number") << ProgramBuilder(multiRingNumber) << true;
        QTest::newRow("6 special pattern") << ProgramBuilder(multiRingSpecial) << true;
        QTest::newRow("7 script") << ProgramBuilder(script) << false;
        QTest::newRow("8 timeline") << ProgramBuilder(timeline) << false;
        QTest::newRow("9 coordinated timeline") << ProgramBuilder(coordinatedTimeline) << false;
        QTest::newRow("10 coordinated steps") << ProgramBuilder(stepsCoordinated) << true;
        QTest::newRow("10 free steps") << ProgramBuilder(stepsFree) << true;
        QTest::newRow("11 crosswalks") << ProgramBuilder(crosswalks) << true;
        QTest::newRow("12 sequence") << ProgramBuilder(sequence) << true;
    }

    void roundTrip()
    {
        QFETCH(ProgramBuilder, build);
        QFETCH(bool, keepsMatrix);
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr given = buildProgram(controller, build);
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, given, &controller);
        refresh(dialog);
        QVERIFY(dialog.storeProgram(true));
        QCOMPARE(window.errors, QStringList());

        const CnfProgramPtr result = dialog.program();
        QCOMPARE(result->type, given->type);
        QCOMPARE(result->id, given->id);
        QCOMPARE(result->name, given->name);
        QCOMPARE(dynamicProperties(*result), dynamicProperties(*given));
        compareSteps(*result, *given);
        QCOMPARE(result->cycle(false), given->cycle(false));
        QCOMPARE(result->cycleOffset(-1), given->cycleOffset(-1));
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            QCOMPARE(result->getTimelineData(group), given->getTimelineData(group));
        QCOMPARE(bool(result->matrix), keepsMatrix);
    }

    // Names come back as ids, and a pedestrian group listed with the other groups
    // comes back among the pedestrians.
    void crosswalkReferencesByName()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr given = buildProgram(controller, crosswalks);
        given->setProperty(
            "crosswalks",
            QVariantList { QVariantMap {
                { QStringLiteral("groups"), QVariantList { QStringLiteral("Bridge"), 3.0 } },
                { QStringLiteral("pedestrians"), QVariantList { qlonglong(4) } },
                { QStringLiteral("sensors"), QVariantList { QStringLiteral("Bridge button") } },
                { QStringLiteral("detectors"),
                  QVariantList { QStringLiteral("Harbour loop"), QStringLiteral("Nowhere") } } } });
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, given, &controller);
        QCOMPARE(window.errors, QStringList { QStringLiteral("Detector Nowhere not found") });
        QCOMPARE(table(dialog, "pedestrianTable")->item(0, 0)->text(), QStringLiteral("2,3,4"));
        refresh(dialog);
        QVERIFY(dialog.storeProgram(true));
        const QVariantMap stored
            = dialog.program()->property("crosswalks").toList().value(0).toMap();
        QCOMPARE(stored.value(QStringLiteral("groups")).toList(), QVariantList { 2 });
        QCOMPARE(stored.value(QStringLiteral("pedestrians")).toList(), (QVariantList { 3, 4 }));
        QCOMPARE(stored.value(QStringLiteral("sensors")).toList(), QVariantList { 1 });
        QCOMPARE(stored.value(QStringLiteral("detectors")).toList(), QVariantList { 1 });
    }

    void crosswalkTableWithoutColumns()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr given = buildProgram(controller, crosswalks);
        given->setProperty("crosswalks", QVariant());
        ProgramTiverk2Dlg dialog(nullptr, given, &controller);
        QCOMPARE(table(dialog, "pedestrianTable")->columnCount(), 0);
        refresh(dialog);
        QVERIFY(dialog.storeProgram(true));
        QVERIFY(!dialog.program()->dynamicPropertyNames().contains("crosswalks"));
    }

    // A step of a phase removed from the configuration shows the phase's id, and OK
    // after another edit reports it rather than dropping the step unseen.
    void stepOfARemovedPhaseIsReported()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr program = buildProgram(controller, ProgramBuilder(stepsFree));
        QVERIFY(controller.addProgram(program));
        const QString removed = program->phaseDefAt(0)->id();
        QVERIFY(controller.removePhase(removed));
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, program, &controller);
        const QTableWidgetItem *stage = table(dialog, "stagering_table")->item(0, 0);
        QVERIFY(stage);
        QCOMPARE(stage->text(), removed);
        // Another edit, then OK: the form is stored, and the step is named.
        QTest::keyClicks(child<QLineEdit>(dialog, "progName"), QStringLiteral(" 2"));
        dialog.accept();
        QCOMPARE(window.errors, QStringList { QStringLiteral("Phase %1 not found").arg(removed) });
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    // Each message comes with a false result on OK. Without validation the
    // reference checks report nothing and the store goes on; a JSON error is
    // reported either way.
    void messages_data()
    {
        QTest::addColumn<ProgramBuilder>("build");
        QTest::addColumn<FormEdit>("edit");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("storedWithoutValidation");
        QTest::newRow("phase of a fixed-time program")
            << ProgramBuilder(fixedTime) << FormEdit(unknownStagePhase)
            << QStringLiteral("Phase '77' defined in column 1 not exist") << true;
        QTest::newRow("phase of a sequence")
            << ProgramBuilder(sequence) << FormEdit(unknownSequencePhase)
            << QStringLiteral("Phase '8' defined in column 2 not exist") << true;
        QTest::newRow("phase of a sequence, not a number")
            << ProgramBuilder(sequenceAndLetteredPhase) << FormEdit(letteredSequencePhase)
            << QStringLiteral("Phase 'A1' in column 2: a sequence names phases by their numbers")
            << true;
        QTest::newRow("phase of a step") << ProgramBuilder(stepsFree) << FormEdit(unknownStepPhase)
                                         << QStringLiteral("Phase 77 not found") << true;
        QTest::newRow("step without greens")
            << ProgramBuilder(stepsFree) << FormEdit(stepWithoutGreens)
            << QStringLiteral("'Min. green' or 'Max. green' must be defined") << true;
        QTest::newRow("signal group") << ProgramBuilder(crosswalks) << FormEdit(unknownGroup)
                                      << QStringLiteral("Signal group 9 not found") << true;
        QTest::newRow("sensor") << ProgramBuilder(crosswalks) << FormEdit(unknownSensor)
                                << QStringLiteral("Sensor 5 not found") << true;
        QTest::newRow("detector") << ProgramBuilder(crosswalks) << FormEdit(unknownDetector)
                                  << QStringLiteral("Detector 6 not found") << true;
        QTest::newRow("module parameters") << ProgramBuilder(script) << FormEdit(brokenParams)
                                           << QStringLiteral("Error at line 1: ") << false;
        QTest::newRow("MultiRing settings")
            << ProgramBuilder(multiRingNumber) << FormEdit(brokenModules)
            << QStringLiteral("Error at line 1: ") << false;
        QTest::newRow("special pattern")
            << ProgramBuilder(multiRingSpecial) << FormEdit(brokenSpecialPattern)
            << QStringLiteral("Error at line 1: ") << true;
    }

    void messages()
    {
        QFETCH(ProgramBuilder, build);
        QFETCH(FormEdit, edit);
        QFETCH(QString, message);
        QFETCH(bool, storedWithoutValidation);
        const bool json = message.startsWith(QLatin1String("Error at line"));
        CnfController controller;
        QVERIFY(loadExample(controller));
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, buildProgram(controller, build), &controller);
        edit(dialog);
        refresh(dialog);
        QCOMPARE(window.errors.size(), json ? 1 : 0);
        window.errors.clear();

        QVERIFY(!dialog.storeProgram(true));
        QCOMPARE(window.errors.size(), 1);
        if (json)
            QVERIFY2(window.errors.first().startsWith(message), qPrintable(window.errors.first()));
        else
            QCOMPARE(window.errors.first(), message);

        window.errors.clear();
        QCOMPARE(dialog.storeProgram(false), storedWithoutValidation);
        QCOMPARE(window.errors.size(), json ? 1 : 0);
    }

    // The quiet store of a refresh leaves out what it cannot resolve.
    void unresolvedLeftOutWithoutValidation()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, buildProgram(controller, crosswalks), &controller);
        unknownGroup(dialog);
        unknownDetector(dialog);
        refresh(dialog);
        const QVariantMap stored
            = dialog.program()->property("crosswalks").toList().value(0).toMap();
        QCOMPARE(stored.value(QStringLiteral("groups")).toList(), QVariantList { 1 });
        QCOMPARE(stored.value(QStringLiteral("detectors")).toList(), QVariantList { 1 });

        ProgramTiverk2Dlg steps(nullptr, buildProgram(controller, stepsFree), &controller);
        unknownStepPhase(steps);
        refresh(steps);
        QCOMPARE(steps.program()->phaseCount(), 1);
    }

    void fixedTimeColumns_data()
    {
        QTest::addColumn<QVariant>("phase");
        QTest::addColumn<QVariant>("fullLength");
        QTest::newRow("empty phase cell") << QVariant(QString()) << QVariant(40);
        QTest::newRow("phase never set") << QVariant() << QVariant(40);
        QTest::newRow("full length not a number")
            << QVariant(QStringLiteral("2")) << QVariant(QStringLiteral("x"));
    }

    // Such a column is left out without a message.
    void fixedTimeColumns()
    {
        QFETCH(QVariant, phase);
        QFETCH(QVariant, fullLength);
        CnfController controller;
        QVERIFY(loadExample(controller));
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, buildProgram(controller, fixedTime), &controller);
        ParametersTable *stages = table(dialog, "stageTable");
        setTableCellValue(stages, 0, 1, phase, true);
        setTableCellValue(stages, 1, 1, fullLength, true);
        QVERIFY(dialog.storeProgram(true));
        QCOMPARE(window.errors, QStringList());
        QCOMPARE(dialog.program()->phaseCount(), 1);
        QCOMPARE(dialog.program()->phaseDefAt(0)->id(), QStringLiteral("1"));
    }

    void onlyMaxGreen()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, buildProgram(controller, stepsFree), &controller);
        ParametersTable *stepsTable = table(dialog, "stagering_table");
        setTableCellValue(stepsTable, 4, 1, QVariant(), true);
        setTableCellValue(stepsTable, 5, 1, 25, true);
        QVERIFY(dialog.storeProgram(true));
        const CnfPhaseDefPtr step = dialog.program()->phaseDefAt(1);
        QCOMPARE(step->length(), 25);
        QCOMPARE(step->property("maxGreen"), QVariant(25));
        QVERIFY(!step->property("minGreen").isValid());
    }

    // Cells of a new step hold what the user typed, as text; seconds are stored as numbers.
    void typedSecondsStoredAsNumbers()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, buildProgram(controller, stepsCoordinated), &controller);
        ParametersTable *stepsTable = table(dialog, "stagering_table");
        stepsTable->item(2, 1)->setData(Qt::EditRole, QStringLiteral("4"));
        stepsTable->item(7, 1)->setData(Qt::EditRole, QStringLiteral("6"));
        QVERIFY(dialog.storeProgram(true));
        const CnfPhaseDefPtr step = dialog.program()->phaseDefAt(1);
        QCOMPARE(step->property("passage").type(), QVariant::Int);
        QCOMPARE(step->property("passage").toInt(), 4);
        QCOMPARE(step->property("correctionMax").type(), QVariant::Int);
        QCOMPARE(step->property("correctionMax").toInt(), 6);
    }

    void correctionsOnlyWhenCoordinated()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, buildProgram(controller, stepsCoordinated), &controller);
        auto *box = child<QCheckBox>(dialog, "coordinated");
        QVERIFY(box->isChecked());
        ParametersTable *stepsTable = table(dialog, "stagering_table");
        QCOMPARE(tableCellValue(stepsTable, 6, 0), QVariant(2));
        box->click();
        QVERIFY(stepsTable->isRowHidden(6));
        QVERIFY(dialog.storeProgram(true));
        const CnfProgramPtr result = dialog.program();
        QCOMPARE(result->property("coordinated"), QVariant(false));
        QVERIFY(!result->phaseDefAt(0)->property("correctionMin").isValid());
        QVERIFY(!result->phaseDefAt(0)->property("correctionMax").isValid());
        QVERIFY(!result->hasCycleOffset());

        // Not coordinated when shown: the rows stay empty whatever the step holds.
        const CnfProgramPtr free = buildProgram(controller, stepsFree);
        free->phaseDefAt(0)->setProperty("correctionMin", 6);
        ProgramTiverk2Dlg freeDialog(nullptr, free, &controller);
        QVERIFY(!tableCellValue(table(freeDialog, "stagering_table"), 6, 0).isValid());
        QVERIFY(table(freeDialog, "stagering_table")->isRowHidden(6));
    }

    // The longest row is the cycle, whatever the spin box shows; a cell
    // without "|" is passed over.
    void timelineCycle()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, buildProgram(controller, timeline), &controller);
        ParametersTable *rows = table(dialog, "timeline_table");
        QCOMPARE(rows->rowCount(), controller.signalGroups().size());
        QCOMPARE(rows->item(0, 1)->text(), QStringLiteral("amber|3"));
        rows->setColumnCount(4);
        setTableCellValue(rows, 0, 0, QStringLiteral("green|20"), true);
        setTableCellValue(rows, 0, 1, QStringLiteral("amber|30"), true);
        setTableCellValue(rows, 0, 2, QVariant(), true);
        setTableCellValue(rows, 1, 0, QStringLiteral("red|20"), true);
        setTableCellValue(rows, 1, 1, QStringLiteral("green"), true);
        setTableCellValue(rows, 1, 2, QStringLiteral("green|40"), true);
        child<QSpinBox>(dialog, "cycleLength")->setValue(90);
        QVERIFY(dialog.storeProgram(true));
        const CnfProgramPtr result = dialog.program();
        QCOMPARE(result->cycle(false), 60);
        QCOMPARE(result->getTimelineData(1),
                 (QMap<int, int> { { 0, state("green") }, { 20, state("amber") } }));
        QCOMPARE(result->getTimelineData(2),
                 (QMap<int, int> { { 0, state("red") }, { 20, state("green") } }));
    }

    void scriptFields_data()
    {
        QTest::addColumn<QString>("extensions");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("empty field") << QString() << QVariant();
        QTest::newRow("empty parts dropped")
            << QStringLiteral("queue,,bus,")
            << QVariant(QStringList { QStringLiteral("queue"), QStringLiteral("bus") });
    }

    void scriptFields()
    {
        QFETCH(QString, extensions);
        QFETCH(QVariant, stored);
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, buildProgram(controller, script), &controller);
        QCOMPARE(child<QLineEdit>(dialog, "extensions")->text(), QStringLiteral("queue,bus"));
        child<QLineEdit>(dialog, "extensions")->setText(extensions);
        child<QLineEdit>(dialog, "script")->clear();
        refresh(dialog);
        QVERIFY(dialog.storeProgram(true));
        QCOMPARE(dialog.program()->property("extensions").isValid(), stored.isValid());
        if (stored.isValid())
            QCOMPARE(dialog.program()->property("extensions").toStringList(),
                     stored.toStringList());
        QVERIFY(!dialog.program()->property("script").isValid());
    }

    // The line of the error is selected and named in the message.
    void jsonErrorLine()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, buildProgram(controller, script), &controller);
        auto *editor = child<QTextEdit>(dialog, "scriptParam");
        editor->setPlainText(QStringLiteral("{\n  \"gap\": 3,\n  \"lanes\": [1 2]\n}"));
        bool ok = true;
        const QVariant parsed = dialog.parseJsonEdit(editor, &ok);
        QVERIFY(!ok);
        QVERIFY(!parsed.isValid());
        QCOMPARE(window.errors.size(), 1);
        QVERIFY2(window.errors.first().startsWith(QLatin1String("Error at line 3: ")),
                 qPrintable(window.errors.first()));
        QVERIFY(window.errors.first().size() > QStringLiteral("Error at line 3: ").size());
        QCOMPARE(editor->textCursor().selectedText(), QStringLiteral("  \"lanes\": [1 2]"));

        ok = false;
        editor->setPlainText(QStringLiteral("{\"gap\": 3}"));
        QCOMPARE(dialog.parseJsonEdit(editor, &ok).toMap().value(QStringLiteral("gap")).toInt(), 3);
        QVERIFY(ok);
        ok = true;
        QCOMPARE(dialog.parseJsonEdit(nullptr, &ok), QVariant(false));
        QVERIFY(ok);
    }

    // Without an edit since the last store the form is not read at all.
    void clearChangedFlagKeepsProgram()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, buildProgram(controller, fixedTime), &controller);
        {
            const QSignalBlocker blocker(table(dialog, "stageTable"));
            setTableCellValue(table(dialog, "stageTable"), 1, 0, 99, true);
        }
        QVERIFY(dialog.storeProgram(true));
        QCOMPARE(dialog.program()->phaseDefAt(0)->fullLength(), 35);
    }

    // A pattern map ticks "Special pattern" and shows its editor; a number
    // goes into the pattern field.
    void patternKinds()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        controller.nativeData()["modules"]["MultiRing"]
            = QVariant(QVariantMap { { QStringLiteral("cycle"), 90 } });
        ProgramTiverk2Dlg special(nullptr, buildProgram(controller, multiRingSpecial), &controller);
        QVERIFY(child<QCheckBox>(special, "specialPattern")->isChecked());
        QVERIFY(!child<QTextEdit>(special, "patternContent")->isHidden());
        QVERIFY(!child<QLineEdit>(special, "pattern")->isEnabled());
        QVERIFY(child<QTextEdit>(special, "patternContent")
                    ->toPlainText()
                    .contains(QLatin1String("night")));
        QVERIFY(child<QTextEdit>(special, "mr_mod_script")
                    ->toPlainText()
                    .contains(QLatin1String("90")));

        ProgramTiverk2Dlg number(nullptr, buildProgram(controller, multiRingNumber), &controller);
        QVERIFY(!child<QCheckBox>(number, "specialPattern")->isChecked());
        QCOMPARE(child<QLineEdit>(number, "pattern")->text(), QStringLiteral("4"));
        // Edited module settings reach the controller when the dialog closes.
        child<QTextEdit>(number, "mr_mod_script")->setPlainText(QStringLiteral("{\"cycle\": 70}"));
        child<QLineEdit>(number, "pattern")->setText(QStringLiteral("x"));
        number.accept();
        QCOMPARE(number.result(), int(QDialog::Accepted));
        QVERIFY(!number.program()->property("pattern").isValid());
        QCOMPARE(controller.nativeData()["modules"]["MultiRing"].toVariant().toMap().value(
                     QStringLiteral("cycle")),
                 QVariant(70));
    }

    // OK with a broken special pattern keeps the dialog open with its text;
    // the pattern is not thrown away.
    void brokenSpecialPatternKeepsDialogOpen()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, buildProgram(controller, multiRingSpecial), &controller);
        dialog.show();
        brokenSpecialPattern(dialog);
        okButton(dialog)->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(window.errors.size(), 1);
        QCOMPARE(child<QTextEdit>(dialog, "patternContent")->toPlainText(),
                 QStringLiteral("{\"rings\": [1,}"));
        child<QTextEdit>(dialog, "patternContent")
            ->setPlainText(QStringLiteral("{\"rings\": [1]}"));
        okButton(dialog)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(
            dialog.program()->property("pattern").toMap().value(QStringLiteral("rings")).toList(),
            QVariantList { 1 });
    }
};

PROJECT_TEST(TestTiverk2Parameters);
#include "tst_tiverk2parameters.moc"
