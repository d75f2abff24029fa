#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "programtiverk2cells.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/framework/comboboxdelegate.h"

#include <QAction>

// The step page: the steps table and its call-source conditions, whose step
// references follow every insert and removal.

using namespace ProgramTiverk2Cells;

namespace {

enum StepRow {
    StepRowStage = 0,
    StepRowRecall,
    StepRowPassage,
    StepRowCall,
    StepRowMinGreen,
    StepRowMaxGreen,
    StepRowCorrectionMin,
    StepRowCorrectionMax
};
enum ConditionRow {
    ConditionRowOnStep = 0,
    ConditionRowDetector,
    ConditionRowSensor,
    ConditionRowControl,
    ConditionRowCall,
    ConditionRowRedirect,
    ConditionRowCount
};

// The keys of a step's properties in the rows of the steps table.
const QVector<QPair<int, const char *>> &stepKeys()
{
    static const QVector<QPair<int, const char *>> keys { { StepRowRecall, "recall" },
                                                          { StepRowPassage, "passage" },
                                                          { StepRowCall, "call" },
                                                          { StepRowMinGreen, "minGreen" },
                                                          { StepRowMaxGreen, "maxGreen" } };
    return keys;
}

// The keys of a condition map, row by row.
const char *const ConditionKeys[ConditionRowCount]
    = { "phase", "detector", "sensor", "control", "call", "redirect" };

// A new column goes after (or before) the highest selected column; without a
// selection at the end.
int insertPosition(const QTableWidget *table, bool before)
{
    const QList<int> columns = sortedSelectedColumns(table);
    if (columns.isEmpty())
        return table->columnCount();
    return before ? columns.last() : columns.last() + 1;
}

// Actions of the table whose name begins with "ins_before" follow the selection.
void enableInsertBeforeActions(QWidget *table, bool enabled)
{
    for (QAction *action : table->actions()) {
        if (action->objectName().startsWith(QLatin1String("ins_before")))
            action->setEnabled(enabled);
    }
}

} // namespace

void ProgramTiverk2Dlg::fillSteps()
{
    const bool coordinated = m_program->property("coordinated").toBool();
    updateStepChoices(m_program->phaseCount());
    ui->cycleLength->setValue(m_program->cycle(false));
    ui->cycleOffset->setValue(m_program->cycleOffset(0));
    if (ui->coordinated->isChecked() != coordinated)
        ui->coordinated->toggle();
    ui->stagering_table->setRowHidden(StepRowCorrectionMin, !coordinated);
    ui->stagering_table->setRowHidden(StepRowCorrectionMax, !coordinated);

    ParametersTable *steps = ui->stagering_table;
    ParametersTable *conditions = ui->stagering_dt_table;
    const QSignalBlocker stepsBlocker(steps);
    const QSignalBlocker conditionsBlocker(conditions);
    steps->setColumnCount(0);
    conditions->setColumnCount(0);

    const QList<CnfPhaseDefPtr> defs = m_program->phases();
    steps->setColumnCount(defs.size());
    for (int column = 0; column < defs.size(); ++column) {
        const CnfPhaseDefPtr &def = defs.at(column);
        // A step of a removed phase keeps its id, so OK reports it instead of
        // dropping the step unseen.
        if (def->phase())
            setTableCellValue(steps, StepRowStage, column, def->phase()->id, true);
        else if (!def->id().isEmpty())
            setTableCellValue(steps, StepRowStage, column, def->id(), true);
        for (const auto &key : stepKeys())
            setTableCellValue(steps, key.first, column, def->property(key.second), true);
        if (coordinated) {
            setTableCellValue(steps, StepRowCorrectionMin, column, def->property("correctionMin"),
                              true);
            setTableCellValue(steps, StepRowCorrectionMax, column, def->property("correctionMax"),
                              true);
        }
    }

    const QVariantList maps = m_program->property("conditions").toList();
    conditions->setColumnCount(maps.size());
    for (int column = 0; column < maps.size(); ++column) {
        const QVariantMap condition = maps.at(column).toMap();
        for (int row = 0; row < ConditionRowCount; ++row)
            setTableCellValue(conditions, row, column,
                              condition.value(QLatin1String(ConditionKeys[row])), true);
    }
    steps->resizeColumnsToContents();
    conditions->resizeColumnsToContents();
}

bool ProgramTiverk2Dlg::storeSteps(bool validate)
{
    const bool coordinated = ui->coordinated->isChecked();
    m_program->setProperty("coordinated", coordinated);
    if (coordinated) {
        m_program->cycleLength = ui->cycleLength->value();
        m_program->setCycleOffset(ui->cycleOffset->value());
    }
    const QTableWidget *table = ui->stagering_table;
    for (int column = 0; column < table->columnCount(); ++column) {
        // A phase that the choice list does not hold shows its identifier; it is
        // reported rather than dropped unseen.
        QString id = tableCellValue(table, StepRowStage, column).toString();
        if (id.isEmpty() && table->item(StepRowStage, column))
            id = table->item(StepRowStage, column)->text();
        if (id.isEmpty())
            continue;
        const CnfPhasePtr phase = m_controller ? m_controller->findPhase(id) : CnfPhasePtr();
        if (!phase) {
            if (validate) {
                CalendarDlg::printError(this, tr("Phase %1 not found").arg(id));
                return false;
            }
            continue;
        }
        const int minGreen = cellInt(table, StepRowMinGreen, column, -1);
        const int maxGreen = cellInt(table, StepRowMaxGreen, column, -1);
        if (minGreen < 0 && maxGreen < 0 && validate) {
            CalendarDlg::printError(this, tr("'Min. green' or 'Max. green' must be defined"));
            return false;
        }
        const CnfPhaseDefPtr def
            = m_program->appendPhase(phase, minGreen >= 0 ? minGreen : maxGreen);
        if (minGreen >= 0)
            def->setProperty("minGreen", minGreen);
        if (maxGreen >= 0)
            def->setProperty("maxGreen", maxGreen);
        if (coordinated) {
            for (const auto &key :
                 { QPair<int, const char *>(StepRowCorrectionMin, "correctionMin"),
                   QPair<int, const char *>(StepRowCorrectionMax, "correctionMax") }) {
                // Seconds, also when the user typed them as text.
                bool number = false;
                const QVariant value = tableCellValue(table, key.first, column);
                const int seconds = value.toInt(&number);
                if (holdsValue(value))
                    def->setProperty(key.second, number ? QVariant(seconds) : value);
            }
        }
        const QVariant recall = tableCellValue(table, StepRowRecall, column);
        if (holdsValue(recall))
            def->setProperty("recall", recall);
        if (holdsValue(tableCellValue(table, StepRowPassage, column)))
            def->setProperty("passage", cellInt(table, StepRowPassage, column, 0));
        const QVariant call = tableCellValue(table, StepRowCall, column);
        if (holdsValue(call))
            def->setProperty("call", call);
    }
    const QVariantList conditions = conditionsFromTable();
    m_program->setProperty("conditions", conditions.isEmpty() ? QVariant() : QVariant(conditions));
    return true;
}

QVariantList ProgramTiverk2Dlg::conditionsFromTable() const
{
    QVariantList conditions;
    const QTableWidget *table = ui->stagering_dt_table;
    for (int column = 0; column < table->columnCount(); ++column) {
        QVariantMap condition;
        for (int row = 0; row < ConditionRowCount; ++row) {
            const QVariant value = tableCellValue(table, row, column);
            if (!holdsValue(value))
                continue;
            // Step numbers and ids are numbers; the prolongation box keeps its bool.
            bool ok = false;
            const int number = value.toInt(&ok);
            condition.insert(QLatin1String(ConditionKeys[row]),
                             row == ConditionRowControl || !ok ? value : QVariant(number));
        }
        if (!condition.isEmpty())
            conditions << condition;
    }
    return conditions;
}

void ProgramTiverk2Dlg::on_stagering_table_itemChanged(QTableWidgetItem *item)
{
    updateStepChoices(-1);
    if (item)
        ui->stagering_table->resizeColumnToContents(item->column());
    edited();
}

void ProgramTiverk2Dlg::insertStep(int position)
{
    ParametersTable *steps = ui->stagering_table;
    ParametersTable *conditions = ui->stagering_dt_table;
    {
        const QSignalBlocker stepsBlocker(steps);
        const QSignalBlocker conditionsBlocker(conditions);
        steps->insertColumn(position);
        // Every reference to a step after the new one moves up by one.
        auto moveUp = [position](QTableWidget *table, int row, int column) {
            bool ok = false;
            const int step = tableCellValue(table, row, column).toInt(&ok);
            if (ok && step > position)
                setTableCellValue(table, row, column, step + 1, true);
        };
        for (int column = 0; column < steps->columnCount(); ++column)
            moveUp(steps, StepRowCall, column);
        for (int column = 0; column < conditions->columnCount(); ++column) {
            for (int row : { ConditionRowOnStep, ConditionRowCall, ConditionRowRedirect })
                moveUp(conditions, row, column);
        }
    }
    updateStepChoices(steps->columnCount());
    steps->resizeColumnsToContents();
    m_changed = true;
}

void ProgramTiverk2Dlg::stagering_table_insert_step()
{
    insertStep(insertPosition(ui->stagering_table, false));
    edited();
}

void ProgramTiverk2Dlg::stagering_table_insert_step_before()
{
    insertStep(insertPosition(ui->stagering_table, true));
    m_changed = true;
}

void ProgramTiverk2Dlg::renumberAfterRemovedStep(int removed)
{
    ParametersTable *steps = ui->stagering_table;
    ParametersTable *conditions = ui->stagering_dt_table;
    const QSignalBlocker stepsBlocker(steps);
    const QSignalBlocker conditionsBlocker(conditions);
    // A reference to the removed step is emptied, one to a later step moves down.
    auto renumber = [removed](QTableWidget *table, int row, int column) {
        bool ok = false;
        const int step = tableCellValue(table, row, column).toInt(&ok);
        if (!ok)
            return;
        if (step == removed)
            setTableCellValue(table, row, column, QVariant(), true);
        else if (step > removed)
            setTableCellValue(table, row, column, step - 1, true);
    };
    for (int column = 0; column < steps->columnCount(); ++column)
        renumber(steps, StepRowCall, column);
    // A condition on the removed step goes with it.
    for (int column = conditions->columnCount() - 1; column >= 0; --column) {
        bool ok = false;
        const int onStep = tableCellValue(conditions, ConditionRowOnStep, column).toInt(&ok);
        if (ok && onStep == removed) {
            conditions->removeColumn(column);
            continue;
        }
        if (ok && onStep > removed)
            setTableCellValue(conditions, ConditionRowOnStep, column, onStep - 1, true);
        renumber(conditions, ConditionRowCall, column);
        renumber(conditions, ConditionRowRedirect, column);
    }
}

void ProgramTiverk2Dlg::stagering_table_remove_step()
{
    const QList<int> columns = sortedSelectedColumns(ui->stagering_table);
    for (auto it = columns.crbegin(); it != columns.crend(); ++it) {
        {
            const QSignalBlocker blocker(ui->stagering_table);
            ui->stagering_table->removeColumn(*it);
        }
        renumberAfterRemovedStep(*it + 1);
    }
    updateStepChoices(-1);
    edited();
}

void ProgramTiverk2Dlg::updateStepChoices(int count)
{
    auto *choices
        = qobject_cast<ComboBoxDelegate *>(ui->stagering_table->itemDelegateForRow(StepRowCall));
    if (!choices)
        return;
    if (count < 0)
        count = ui->stagering_table->columnCount();
    choices->clear();
    for (int step = 1; step <= count; ++step)
        choices->addItem(QString::number(step), step);
}

void ProgramTiverk2Dlg::on_stagering_table_itemSelectionChanged()
{
    const bool selected = !selectedColumns(ui->stagering_table).isEmpty();
    ui->insert_step_before->setEnabled(selected);
    ui->remove_step->setEnabled(selected);
    enableInsertBeforeActions(ui->stagering_table, selected);
}

void ProgramTiverk2Dlg::stagering_dt_table_remove_detector()
{
    removeSelectedColumns(ui->stagering_dt_table);
    edited();
}

void ProgramTiverk2Dlg::stagering_dt_table_insert_detector()
{
    ui->stagering_dt_table->insertColumn(insertPosition(ui->stagering_dt_table, false));
    m_changed = true;
}

void ProgramTiverk2Dlg::stagering_dt_table_insert_detector_before()
{
    ui->stagering_dt_table->insertColumn(insertPosition(ui->stagering_dt_table, true));
    m_changed = true;
}

void ProgramTiverk2Dlg::on_stagering_dt_table_itemSelectionChanged()
{
    const bool selected = !selectedColumns(ui->stagering_dt_table).isEmpty();
    ui->insert_detector_before->setEnabled(selected);
    ui->remove_detector->setEnabled(selected);
    enableInsertBeforeActions(ui->stagering_dt_table, selected);
}

void ProgramTiverk2Dlg::on_stagering_dt_table_itemChanged(QTableWidgetItem *item)
{
    if (item)
        ui->stagering_dt_table->resizeColumnToContents(item->column());
    edited();
}
