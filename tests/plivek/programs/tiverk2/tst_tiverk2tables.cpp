#include "cnf/cnfcontroller.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/programs/tiverk2/programtiverk2dlg.h"
#include "testmain.h"
#include "tiverk2dialogfixture.h"

#include <QAction>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace Tiverk2Fixture;

namespace {

enum StepRow { Stage = 0, ActivateStep = 3 };
enum ConditionRow { OnStep = 0, ConditionActivate = 4, ConditionDeactivate = 5 };

// Three steps on the phases 1, 2, 1; step i activates step i + 1 (the last none).
// Conditions: on step 1 activating 2, on step 2 activating 3, on step 3
// deactivating 2.
CnfProgramPtr threeSteps(CnfController &controller)
{
    auto program = unlistedProgram(controller, QStringLiteral("9"), CnfProgram::Stagering);
    for (int step = 1; step <= 3; ++step) {
        CnfPhaseDefPtr def = program->appendPhase(
            controller.findPhase(step == 2 ? QStringLiteral("2") : QStringLiteral("1")), 10);
        def->setProperty("minGreen", 10 * step);
        if (step < 3)
            def->setProperty("call", step + 1);
    }
    program->setProperty(
        "conditions",
        QVariantList {
            QVariantMap { { QStringLiteral("phase"), 1 }, { QStringLiteral("call"), 2 } },
            QVariantMap { { QStringLiteral("phase"), 2 }, { QStringLiteral("call"), 3 } },
            QVariantMap { { QStringLiteral("phase"), 3 }, { QStringLiteral("redirect"), 2 } } });
    return program;
}

QVariantList rowValues(const QTableWidget *table, int row)
{
    QVariantList values;
    for (int column = 0; column < table->columnCount(); ++column)
        values << tableCellValue(table, row, column);
    return values;
}

void selectColumn(QTableWidget *table, int column, bool add = false)
{
    if (!add)
        table->clearSelection();
    table->setRangeSelected(QTableWidgetSelectionRange(0, column, table->rowCount() - 1, column),
                            true);
}

QAction *tableAction(QWidget *table, const QString &text)
{
    for (QAction *action : table->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

ComboBoxDelegate *stepChoices(QObject &dialog)
{
    return qobject_cast<ComboBoxDelegate *>(
        table(dialog, "stagering_table")->itemDelegateForRow(ActivateStep));
}

QStringList numbers(int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts << QString::number(i);
    return texts;
}

} // namespace

class TestTiverk2Tables : public QObject
{
    Q_OBJECT
private slots:
    // References to the steps from the new one on move up; the new step is empty.
    void insertBeforeStep2()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, threeSteps(controller), &controller);
        ParametersTable *steps = table(dialog, "stagering_table");
        ParametersTable *conditions = table(dialog, "stagering_dt_table");
        QCOMPARE(stepChoices(dialog)->texts(), numbers(3));
        selectColumn(steps, 1);
        child<QToolButton>(dialog, "insert_step_before")->click();
        QCOMPARE(steps->columnCount(), 4);
        QCOMPARE(rowValues(steps, ActivateStep), (QVariantList { 3, QVariant(), 4, QVariant() }));
        QCOMPARE(tableCellValue(steps, Stage, 2), QVariant(QStringLiteral("2")));
        for (int row = 0; row < steps->rowCount(); ++row)
            QVERIFY(!holdsText(steps, row, 1));
        QCOMPARE(rowValues(conditions, OnStep), (QVariantList { 1, 3, 4 }));
        QCOMPARE(rowValues(conditions, ConditionActivate), (QVariantList { 3, 4, QVariant() }));
        QCOMPARE(rowValues(conditions, ConditionDeactivate),
                 (QVariantList { QVariant(), QVariant(), 3 }));
        QCOMPARE(stepChoices(dialog)->texts(), numbers(4));
        QCOMPARE(stepChoices(dialog)->values(), (QVariantList { 1, 2, 3, 4 }));
    }

    // A condition on the removed step goes; references to it are emptied, later
    // ones move down, in the conditions and in the steps' own row alike.
    void removeStep_data()
    {
        const QVariant none;
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariantList>("stepCalls");
        QTest::addColumn<QVariantList>("onStep");
        QTest::addColumn<QVariantList>("conditionCalls");
        QTest::addColumn<QVariantList>("redirects");
        QTest::newRow("step 2 of 3") << 1 << QVariantList { none, none } << QVariantList { 1, 2 }
                                     << QVariantList { none, none } << QVariantList { none, none };
        QTest::newRow("step 3 of 3") << 2 << QVariantList { 2, none } << QVariantList { 1, 2 }
                                     << QVariantList { 2, none } << QVariantList { none, none };
        QTest::newRow("step 1 of 3") << 0 << QVariantList { 2, none } << QVariantList { 1, 2 }
                                     << QVariantList { 2, none } << QVariantList { none, 1 };
    }

    void removeStep()
    {
        QFETCH(int, column);
        QFETCH(QVariantList, stepCalls);
        QFETCH(QVariantList, onStep);
        QFETCH(QVariantList, conditionCalls);
        QFETCH(QVariantList, redirects);
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, threeSteps(controller), &controller);
        ParametersTable *steps = table(dialog, "stagering_table");
        ParametersTable *conditions = table(dialog, "stagering_dt_table");
        selectColumn(steps, column);
        QVERIFY(child<QToolButton>(dialog, "remove_step")->isEnabled());
        child<QToolButton>(dialog, "remove_step")->click();
        QCOMPARE(steps->columnCount(), 2);
        QCOMPARE(rowValues(steps, ActivateStep), stepCalls);
        QCOMPARE(rowValues(conditions, OnStep), onStep);
        QCOMPARE(rowValues(conditions, ConditionActivate), conditionCalls);
        QCOMPARE(rowValues(conditions, ConditionDeactivate), redirects);
        QCOMPARE(stepChoices(dialog)->texts(), numbers(2));

        QVERIFY(dialog.storeProgram(true));
        QCOMPARE(dialog.program()->phaseCount(), 2);
        QCOMPARE(dialog.program()->phaseDefAt(0)->property("call"), stepCalls.first());
    }

    // Selected as the third, then the first: exactly those two go.
    void removeSelectedColumns_data()
    {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("actionText");
        QTest::newRow("phases") << QStringLiteral("stageTable") << QStringLiteral("Remove phase");
        QTest::newRow("crosswalks")
            << QStringLiteral("pedestrianTable") << QStringLiteral("Remove crosswalk");
        QTest::newRow("conditions")
            << QStringLiteral("stagering_dt_table") << QStringLiteral("Remove call source");
        QTest::newRow("steps") << QStringLiteral("stagering_table")
                               << QStringLiteral("Remove step");
    }

    void removeSelectedColumns()
    {
        QFETCH(QString, tableName);
        QFETCH(QString, actionText);
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller);
        auto *columns = dialog.findChild<ParametersTable *>(tableName);
        {
            const QSignalBlocker blocker(columns);
            columns->setColumnCount(4);
            for (int column = 0; column < 4; ++column)
                columns->setItem(1, column, new QTableWidgetItem(QString::number(column + 1)));
        }
        selectColumn(columns, 2);
        selectColumn(columns, 0, true);
        QCOMPARE(selectedColumns(columns), (QList<int> { 2, 0 }));
        QAction *remove = tableAction(columns, actionText);
        QVERIFY(remove);
        remove->trigger();
        QCOMPARE(columns->columnCount(), 2);
        QCOMPARE(columns->item(1, 0)->text(), QStringLiteral("2"));
        QCOMPARE(columns->item(1, 1)->text(), QStringLiteral("4"));
    }

    // Without a selection both kinds of insertion append (the "before" tools are
    // disabled then, so the slots are called directly).
    void insertWithoutSelection()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, threeSteps(controller), &controller);
        const QList<QPair<const char *, const char *>> insertions {
            { "stagering_table", "stagering_table_insert_step" },
            { "stagering_table", "stagering_table_insert_step_before" },
            { "stagering_dt_table", "stagering_dt_table_insert_detector" },
            { "stagering_dt_table", "stagering_dt_table_insert_detector_before" }
        };
        for (const auto &insertion : insertions) {
            ParametersTable *columns = table(dialog, insertion.first);
            columns->clearSelection();
            const int count = columns->columnCount();
            const QVariant first = tableCellValue(columns, 0, 0);
            QVERIFY(QMetaObject::invokeMethod(&dialog, insertion.second));
            QCOMPARE(columns->columnCount(), count + 1);
            QCOMPARE(tableCellValue(columns, 0, 0), first);
            QVERIFY2(!columns->item(0, count), insertion.second);
        }
    }

    void insertAfterSelection()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, threeSteps(controller), &controller);
        ParametersTable *conditions = table(dialog, "stagering_dt_table");
        selectColumn(conditions, 0);
        selectColumn(conditions, 1, true);
        child<QToolButton>(dialog, "add_detector")->click();
        QCOMPARE(rowValues(conditions, OnStep), (QVariantList { 1, 2, QVariant(), 3 }));
        child<QToolButton>(dialog, "insert_detector_before")->click();
        QCOMPARE(conditions->columnCount(), 5);
        QCOMPARE(tableCellValue(conditions, OnStep, 2), QVariant(2));
    }

    // The "before" tools and actions need a selected column.
    void selectionEnablesTools_data()
    {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("steps") << QStringLiteral("stagering_table")
                               << QStringList { QStringLiteral("insert_step_before"),
                                                QStringLiteral("remove_step") };
        QTest::newRow("conditions") << QStringLiteral("stagering_dt_table")
                                    << QStringList { QStringLiteral("insert_detector_before"),
                                                     QStringLiteral("remove_detector") };
    }

    void selectionEnablesTools()
    {
        QFETCH(QString, tableName);
        QFETCH(QStringList, buttons);
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, threeSteps(controller), &controller);
        auto *columns = dialog.findChild<ParametersTable *>(tableName);
        QAction *before = columns->findChild<QAction *>(QStringLiteral("ins_before"));
        QVERIFY(before);
        auto enabled = [&](bool expected) {
            for (const QString &name : buttons)
                QCOMPARE(dialog.findChild<QToolButton *>(name)->isEnabled(), expected);
            QCOMPARE(before->isEnabled(), expected);
        };
        enabled(false);
        selectColumn(columns, 1);
        enabled(true);
        columns->clearSelection();
        enabled(false);
    }

    // A negative count takes the number of step columns.
    void stepChoicesFollowTheSteps()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, threeSteps(controller), &controller);
        dialog.updateStepChoices(5);
        QCOMPARE(stepChoices(dialog)->texts(), numbers(5));
        dialog.updateStepChoices(-1);
        QCOMPARE(stepChoices(dialog)->texts(), numbers(3));
        QCOMPARE(stepChoices(dialog)->valueForText(QStringLiteral("4")), QVariant());
        dialog.updateStepChoices(0);
        QVERIFY(stepChoices(dialog)->values().isEmpty());
    }

    void phasesGiveTheCycle()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller);
        ParametersTable *stages = table(dialog, "stageTable");
        auto *cycle = child<QSpinBox>(dialog, "cycleLength");
        QCOMPARE(cycle->value(), 60);
        setTableCellValue(stages, 1, 0, 40, true);
        QCOMPARE(cycle->value(), 65);
        QAction *append = tableAction(stages, QStringLiteral("Append phase"));
        append->trigger();
        QCOMPARE(stages->columnCount(), 3);
        QVERIFY(stages->item(0, 2));
        QVERIFY(stages->item(0, 2)->flags() & Qt::ItemIsEditable);
        setTableCellValue(stages, 1, 2, QStringLiteral("x"), true);
        QCOMPARE(cycle->value(), 65);
        // Removing every phase leaves a cycle of 0.
        stages->selectAll();
        tableAction(stages, QStringLiteral("Remove phase"))->trigger();
        QCOMPARE(stages->columnCount(), 0);
        QCOMPARE(cycle->value(), 0);
    }

    // Type 3 only shows the sum; for type 4 it is an edit that starts a refresh.
    void coordinatedCycleIsAnEdit()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("1"));
        program->type = CnfProgram::Coordinated;
        ProgramTiverk2Dlg dialog(nullptr, program, &controller);
        auto *timer = child<QTimer>(dialog, "updateChartDelayTimer");
        QSignalSpy refresh(timer, &QTimer::timeout);
        QVERIFY(refresh.wait(1000));
        {
            const QSignalBlocker blocker(table(dialog, "stageTable"));
            setTableCellValue(table(dialog, "stageTable"), 1, 0, 45, true);
        }
        QVERIFY(!timer->isActive());
        dialog.updateCycleFromStages();
        QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 70);
        QVERIFY(timer->isActive());
    }

    void timelineTotals()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("2")), &controller);
        ParametersTable *rows = table(dialog, "timeline_table");
        auto *cycle = child<QSpinBox>(dialog, "cycleLength");
        const QString first = rows->verticalHeaderItem(0)->text();
        QCOMPARE(first, QStringLiteral("1 (Harbour){60}"));
        // A row without intervals shows its name alone.
        QCOMPARE(rows->verticalHeaderItem(2)->text(), QStringLiteral("3 (Crossing H)"));
        QCOMPARE(cycle->value(), 60);

        // Rows of 30 + 27 and 22 seconds: the longest is the cycle.
        rows->setColumnCount(4);
        setTableCellValue(rows, 0, 0, QStringLiteral("green|30"), true);
        setTableCellValue(rows, 0, 1, QStringLiteral("amber|27"), true);
        setTableCellValue(rows, 0, 2, QVariant(), true);
        setTableCellValue(rows, 0, 3, QVariant(), true);
        setTableCellValue(rows, 1, 0, QStringLiteral("red|22"), true);
        setTableCellValue(rows, 1, 1, QVariant(), true);
        setTableCellValue(rows, 1, 2, QVariant(), true);
        QCOMPARE(rows->verticalHeaderItem(0)->text(), QStringLiteral("1 (Harbour){57}"));
        QCOMPARE(rows->verticalHeaderItem(1)->text(), QStringLiteral("2 (Bridge){22}"));
        QCOMPARE(cycle->value(), 57);

        // A duration that is not a number stops the count and keeps the cycle.
        setTableCellValue(rows, 1, 1, QStringLiteral("green|abc"), true);
        QCOMPARE(rows->verticalHeaderItem(1)->text(), QStringLiteral("2 (Bridge){22}"));
        setTableCellValue(rows, 1, 0, QStringLiteral("red|90"), true);
        QCOMPARE(rows->verticalHeaderItem(1)->text(), QStringLiteral("2 (Bridge){90}"));
        QCOMPARE(cycle->value(), 57);
    }

private:
    static bool holdsText(const QTableWidget *table, int row, int column)
    {
        return !tableCellValue(table, row, column).toString().isEmpty();
    }
};

PROJECT_TEST(TestTiverk2Tables);
#include "tst_tiverk2tables.moc"
