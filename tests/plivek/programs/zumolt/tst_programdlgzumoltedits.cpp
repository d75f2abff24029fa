#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "plivek/programs/zumolt/programdlgzu_molt.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

// Rows of the two type-10 tables as the user sees them.
enum StepRow { PhaseRow, RecallRow, PassageRow, CallRow, MinGreenRow, MaxGreenRow, CountdownRow };
enum EventRow { StepNumberRow, CalledStepRow, ControlRow, RedirectRow, DetectorRow, IndicatorRow };

// Signal groups 1 "North" and 2 (no name), phases "1" to "3", detectors
// 1 "Loop A" and 2 (no name), unless a test asks for less.
void fillController(CnfController &controller, bool withGroups = true)
{
    if (withGroups) {
        for (int id : { 1, 2 }) {
            auto group = CnfSignalGroupPtr::create();
            group->id = id;
            if (id == 1)
                group->name = QStringLiteral("North");
            QVERIFY(controller.addSignalGroup(group));
        }
    }
    for (const char *id : { "1", "2", "3" }) {
        auto phase = CnfPhasePtr::create();
        phase->id = QLatin1String(id);
        QVERIFY(controller.addPhase(phase));
    }
    for (int id : { 1, 2 }) {
        auto detector = CnfDetectorPtr::create();
        detector->setId(id);
        if (id == 1)
            detector->setName(QStringLiteral("Loop A"));
        QVERIFY(controller.addDetector(detector));
    }
}

CnfProgramPtr addProgram(CnfController &controller, const QString &id, const QString &name,
                         int type)
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = id;
    program->name = name;
    program->type = type;
    if (!controller.addProgram(program))
        return {};
    return program;
}

// A type-10 program with steps of phases 1, 2, 3 and the given detector events.
CnfProgramPtr stepProgram(CnfController &controller, const QVariantList &events)
{
    CnfProgramPtr program = addProgram(controller, QStringLiteral("7"), QStringLiteral("Steps"),
                                       CnfProgram::Stagering);
    for (const char *id : { "1", "2", "3" })
        program->appendPhase(controller.findPhase(QLatin1String(id)), 0);
    program->setProperty("detectors", events);
    return program;
}

template<typename T> T *child(QObject &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

ParametersTable *dataTable(QObject &dialog)
{
    return child<ParametersTable>(dialog, "dataTable");
}

ParametersTable *eventTable(QObject &dialog)
{
    return child<ParametersTable>(dialog, "dtTable");
}

void selectType(QObject &dialog, int type)
{
    auto *box = child<QComboBox>(dialog, "type");
    box->setCurrentIndex(box->findData(type));
}

QStringList rowTitles(QTableWidget *table)
{
    QStringList titles;
    for (int row = 0; row < table->rowCount(); ++row)
        titles << (table->verticalHeaderItem(row) ? table->verticalHeaderItem(row)->text()
                                                  : QString());
    return titles;
}

} // namespace

class TestProgramDlgZU_MOLTEdits : public QObject
{
    Q_OBJECT
private slots:
    void typeShowsItsTables_data();
    void typeShowsItsTables();
    void timelineLoadsSegmentsUpToCycle();
    void stepTableShowsAndStoresProperties();
    void phaseChoiceReachesProgramAtOnce();
    void addAndRemoveStepsReachProgram();
    void cancelLeavesGivenProgramAlone();
};

void TestProgramDlgZU_MOLTEdits::typeShowsItsTables_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("steps");
    QTest::addColumn<bool>("events");
    QTest::addColumn<bool>("coordination");
    QTest::addColumn<bool>("checkable");
    QTest::newRow("other") << int(CnfProgram::OtherAlgorithm) << false << false << false << false;
    QTest::newRow("timeline") << int(CnfProgram::Timeline) << true << false << false << false;
    QTest::newRow("coordinated timeline")
        << int(CnfProgram::CoordinatedTimeline) << true << false << true << false;
    QTest::newRow("steps") << int(CnfProgram::Stagering) << true << true << true << true;
}

void TestProgramDlgZU_MOLTEdits::typeShowsItsTables()
{
    QFETCH(int, type);
    QFETCH(bool, steps);
    QFETCH(bool, events);
    QFETCH(bool, coordination);
    QFETCH(bool, checkable);
    CnfController controller;
    fillController(controller);
    ProgramDlgZU_MOLT dialog(nullptr, {}, &controller);
    dialog.show();
    // Every type starts from a clean page, whatever came before.
    selectType(dialog, CnfProgram::Stagering);
    selectType(dialog, CnfProgram::Timeline);
    selectType(dialog, type);
    QCOMPARE(dataTable(dialog)->isVisible(), steps);
    QCOMPARE(eventTable(dialog)->isVisible(), events);
    QCOMPARE(child<QGroupBox>(dialog, "coordination")->isVisible(), coordination);
    QCOMPARE(child<QGroupBox>(dialog, "coordination")->isCheckable(), checkable);
    QCOMPARE(dataTable(dialog)->autoExtendColumns,
             type == CnfProgram::Timeline || type == CnfProgram::CoordinatedTimeline);
    if (type == CnfProgram::Stagering) {
        QCOMPARE(rowTitles(dataTable(dialog)),
                 (QStringList { "Phase", "Recall", "Passage", "Call", "Min. green", "Max. green",
                                "Countdown board" }));
        QCOMPARE(rowTitles(eventTable(dialog)),
                 (QStringList { "Step", "Called step", "Control", "Redirect", "Detector",
                                "Indicator" }));
    }
}

void TestProgramDlgZU_MOLTEdits::timelineLoadsSegmentsUpToCycle()
{
    CnfController controller;
    fillController(controller);
    const CnfProgramPtr stored = addProgram(controller, "1", "T", CnfProgram::CoordinatedTimeline);
    stored->cycleLength = 50;
    stored->setCycleOffset(7);
    const CnfSignalGroupPtr north = controller.signalGroups().first();
    stored->setTimelineData(north, 0, CnfSignalGroup::Red);
    stored->setTimelineData(north, 15, CnfSignalGroup::Green);

    ProgramDlgZU_MOLT dialog(nullptr, stored, &controller);
    ParametersTable *table = dataTable(dialog);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("red|15"));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("green|35"));
    QCOMPARE(rowTitles(table).first(), north->friendlyName() + "{50}");
    QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 50);
    QCOMPARE(child<QSpinBox>(dialog, "cycleOffset")->value(), 7);

    child<QSpinBox>(dialog, "cycleOffset")->setValue(9);
    dialog.accept();
    QCOMPARE(dialog.program()->cycleOffset(0), 9);
    QCOMPARE(dialog.program()->getTimelineData(north),
             (QMap<int, int> { { 0, CnfSignalGroup::Red }, { 15, CnfSignalGroup::Green } }));
    QCOMPARE(dialog.program()->cycleLength, 50);
}

void TestProgramDlgZU_MOLTEdits::stepTableShowsAndStoresProperties()
{
    CnfController controller;
    fillController(controller);
    const CnfProgramPtr stored = stepProgram(controller, {});
    stored->phaseDefAt(0)->setProperty("recall", QStringLiteral("max"));
    stored->phaseDefAt(0)->setProperty("minGreen", 5);
    stored->setProperty("coordinated", true);
    stored->cycleLength = 80;
    stored->setCycleOffset(4);

    ProgramDlgZU_MOLT dialog(nullptr, stored, &controller);
    ParametersTable *table = dataTable(dialog);
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(table->item(PhaseRow, 1)->text(), QStringLiteral("2"));
    QCOMPARE(tableCellValue(table, RecallRow, 0), QVariant(QStringLiteral("max")));
    QCOMPARE(tableCellValue(table, MinGreenRow, 0).toInt(), 5);
    auto *coordination = child<QGroupBox>(dialog, "coordination");
    QVERIFY(coordination->isChecked());
    QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 80);
    QCOMPARE(child<QSpinBox>(dialog, "cycleOffset")->value(), 4);

    setTableCellValue(table, RecallRow, 0, QVariant(), true);
    setTableCellValue(table, PassageRow, 1, QStringLiteral("3"), true);
    // A step's call names another step by its id.
    setTableCellValue(table, CallRow, 1, QStringLiteral("3"), true);
    setTableCellValue(table, MaxGreenRow, 2, 40, true);
    setTableCellValue(table, CountdownRow, 2, QStringLiteral("adaptive"), true);
    child<QSpinBox>(dialog, "cycleLength")->setValue(90);
    dialog.accept();

    const CnfProgramPtr result = dialog.program();
    QVERIFY(!result->phaseDefAt(0)->property("recall").isValid());
    QCOMPARE(result->phaseDefAt(0)->property("minGreen"), QVariant(5));
    QCOMPARE(result->phaseDefAt(1)->property("passage"), QVariant(3));
    QCOMPARE(result->phaseDefAt(1)->property("call"), QVariant(3));
    QCOMPARE(result->phaseDefAt(2)->property("maxGreen"), QVariant(40));
    QCOMPARE(result->phaseDefAt(2)->property("countdownBoard"),
             QVariant(QStringLiteral("adaptive")));
    QCOMPARE(result->property("coordinated"), QVariant(true));
    QCOMPARE(result->cycleLength, 90);
    QCOMPARE(result->cycleOffset(0), 4);

    // Without coordination the cycle is left as it was.
    ProgramDlgZU_MOLT again(nullptr, stored, &controller);
    child<QGroupBox>(again, "coordination")->setChecked(false);
    child<QSpinBox>(again, "cycleLength")->setValue(120);
    again.accept();
    QCOMPARE(again.program()->property("coordinated"), QVariant(false));
    QCOMPARE(again.program()->cycleLength, 80);
}

void TestProgramDlgZU_MOLTEdits::phaseChoiceReachesProgramAtOnce()
{
    CnfController controller;
    fillController(controller);
    const CnfProgramPtr stored = stepProgram(controller, {});
    ProgramDlgZU_MOLT dialog(nullptr, stored, &controller);
    ParametersTable *table = dataTable(dialog);

    setTableCellValue(table, PhaseRow, 0, QStringLiteral("3"), true);
    QCOMPARE(dialog.program()->phaseDefAt(0)->id(), QStringLiteral("3"));
    // A text that names no phase changes nothing.
    setTableCellValue(table, PhaseRow, 1, QStringLiteral("9"), true);
    QCOMPARE(dialog.program()->phaseDefAt(1)->id(), QStringLiteral("2"));
    // The given program is not the dialog's.
    QCOMPARE(stored->phaseDefAt(0)->id(), QStringLiteral("1"));
}

void TestProgramDlgZU_MOLTEdits::addAndRemoveStepsReachProgram()
{
    CnfController controller;
    fillController(controller);
    const QVariantList events { QVariantMap { { "phase", 3 }, { "detector", 1 } } };
    const CnfProgramPtr stored = stepProgram(controller, events);
    ProgramDlgZU_MOLT dialog(nullptr, stored, &controller);
    ParametersTable *table = dataTable(dialog);
    ParametersTable *eventsTable = eventTable(dialog);
    QCOMPARE(eventsTable->item(StepNumberRow, 0)->text(), QStringLiteral("3"));

    QMetaObject::invokeMethod(&dialog, "addStep");
    QCOMPARE(dialog.program()->phaseCount(), 4);
    QCOMPARE(table->columnCount(), 4);

    // Remove the second and the new fourth step in one go.
    table->setCurrentCell(PhaseRow, 3);
    table->setCurrentCell(PhaseRow, 1, QItemSelectionModel::Select);
    QMetaObject::invokeMethod(&dialog, "removeStep");
    QCOMPARE(dialog.program()->phaseCount(), 2);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(dialog.program()->phaseDefAt(1)->id(), QStringLiteral("3"));
    QCOMPARE(table->item(PhaseRow, 1)->text(), QStringLiteral("3"));

    // Events name steps by id: the third step keeps its id 3 at the second place.
    QCOMPARE(eventsTable->item(StepNumberRow, 0)->text(), QStringLiteral("3"));
    dialog.accept();
    const QVariantList stored2 = dialog.program()->property("detectors").toList();
    QCOMPARE(stored2.size(), 1);
    QCOMPARE(stored2.first().toMap().value("phase"), QVariant(3));
}

void TestProgramDlgZU_MOLTEdits::cancelLeavesGivenProgramAlone()
{
    CnfController controller;
    fillController(controller);
    const CnfProgramPtr stored = stepProgram(controller, {});
    {
        ProgramDlgZU_MOLT dialog(nullptr, stored, &controller);
        QMetaObject::invokeMethod(&dialog, "addStep");
        child<QLineEdit>(dialog, "name")->setText(QStringLiteral("Changed"));
        dialog.reject();
    }
    QCOMPARE(stored->phaseCount(), 3);
    QCOMPARE(stored->name, QStringLiteral("Steps"));
    QCOMPARE(controller.programs().size(), 1);
}

PROJECT_TEST(TestProgramDlgZU_MOLTEdits);
#include "tst_programdlgzumoltedits.moc"
