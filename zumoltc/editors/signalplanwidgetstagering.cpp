#include "signalplanwidget.h"
#include "ui_signalplanwidget.h"

#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/parameterstable.h"
#include "editorpages.h"
#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidgetItem>

#include <algorithm>
#include <functional>

using EditorPages::cellInt;
using EditorPages::intCell;

namespace {

const QLatin1String DiagramName("chart_dlg");

// A step or phase reference of a cell as the number the model's look-ups take;
// an invalid variant for a cell that is no number.
QVariant cellNumber(const QVariant &cell)
{
    return intCell(cellInt(cell));
}

// The diagram dialog's place on the screen, kept while the program runs.
QByteArray &diagramGeometry()
{
    static QByteArray geometry;
    return geometry;
}

// The columns of the table's selection, highest first.
QList<int> selectedColumnsDescending(const ParametersTable *table)
{
    QList<int> columns = table->selectedColumns();
    std::sort(columns.begin(), columns.end(), std::greater<int>());
    return columns;
}

// The column after the highest selected one (with after) or the highest selected
// one itself; the column count without a selection.
int insertPosition(const ParametersTable *table, bool after)
{
    const QList<int> columns = selectedColumnsDescending(table);
    if (columns.isEmpty())
        return table->columnCount();
    return columns.first() + (after ? 1 : 0);
}

// Gives the cell the reference it has after a step was inserted at position or
// step removed was taken away (removed references become empty).
void renumberCell(ParametersTable *table, int row, int column, int inserted, int removed)
{
    const int step = cellInt(table->cellData(row, column));
    if (step == zu::NotSet)
        return;
    const bool editable = table->isCellEditable(row, column);
    if (inserted >= 0 && step > inserted)
        table->setCellData(row, column, step + 1, editable);
    if (removed > 0 && step == removed)
        table->setCellData(row, column, QVariant(), editable);
    else if (removed > 0 && step > removed)
        table->setCellData(row, column, step - 1, editable);
}

// Whether every cell of the row that holds a number holds a step number 1..count.
bool stepsInRange(const ParametersTable *table, int row, int count)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        bool ok = false;
        const int step = table->cellData(row, column).toInt(&ok);
        if (ok && (step < 1 || step > count))
            return false;
    }
    return true;
}

// Adds the insert, insert-before and remove actions of a step or call-source
// table around the table's own "Copy", "Paste" and "Remove", each beside its tool
// button.
template<typename Slot>
void addColumnActions(SignalPlanWidget *page, ParametersTable *table, const QString &insertText,
                      QAbstractButton *add, Slot insert, const QString &beforeText,
                      QAbstractButton *before, Slot insertBefore, const QString &removeText,
                      QAbstractButton *remove, Slot removeSlot)
{
    const QList<QAction *> own = table->actions();
    auto *insertAction = new QAction(add->icon(), insertText, table);
    insertAction->setObjectName(QStringLiteral("ins_after"));
    insertAction->setShortcut(QKeySequence(Qt::Key_Insert));
    insertAction->setShortcutContext(Qt::WidgetShortcut);
    auto *beforeAction = new QAction(before->icon(), beforeText, table);
    beforeAction->setObjectName(QStringLiteral("ins_before"));
    beforeAction->setEnabled(false);
    auto *removeAction = new QAction(remove->icon(), removeText, table);
    removeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    removeAction->setShortcutContext(Qt::WidgetShortcut);
    table->insertAction(own.value(0), insertAction);
    table->insertAction(own.value(0), beforeAction);
    table->addAction(removeAction);

    QObject::connect(insertAction, &QAction::triggered, page, insert);
    QObject::connect(add, &QAbstractButton::clicked, page, insert);
    QObject::connect(beforeAction, &QAction::triggered, page, insertBefore);
    QObject::connect(before, &QAbstractButton::clicked, page, insertBefore);
    QObject::connect(removeAction, &QAction::triggered, page, removeSlot);
    QObject::connect(remove, &QAbstractButton::clicked, page, removeSlot);
}

// Insert-before and remove (buttons and "ins_before" actions) follow whether
// the table has selected columns.
void followColumnSelection(ParametersTable *table, QWidget *before, QWidget *remove)
{
    const bool any = !table->selectedColumns().isEmpty();
    before->setEnabled(any);
    remove->setEnabled(any);
    for (QAction *action : table->actions()) {
        if (action->objectName().startsWith(QLatin1String("ins_before")))
            action->setEnabled(any);
    }
}

} // namespace

void SignalPlanWidget::setUpStageRing()
{
    ParametersTable *steps = ui->stagering_table;
    ParametersTable *sources = ui->stagering_dt_table;
    m_stages = new ComboBoxDelegate(steps, QStringList(), QList<QVariant>());
    m_detectors = new ComboBoxDelegate(sources, QStringList(), QList<QVariant>());
    // One list of step numbers serves every step reference of both tables.
    m_stepNumbers = new ComboBoxDelegate(this, QStringList(), QList<QVariant>());
    steps->setItemDelegateForRow(StageRow, m_stages);
    steps->setItemDelegateForRow(RecallRow,
                                 new ComboBoxDelegate(steps, enumItems<zu::Recall>(false)));
    steps->setItemDelegateForRow(ActivateRow, m_stepNumbers);
    steps->setItemDelegateForRow(CountdownRow,
                                 new ComboBoxDelegate(steps, enumItems<zu::CountdownBoard>(false)));
    sources->setItemDelegateForRow(OnStepRow, m_stepNumbers);
    sources->setItemDelegateForRow(SourceDetectorRow, m_detectors);
    sources->setItemDelegateForRow(ProlongationRow, new CheckBoxDelegate(sources, false, false));
    sources->setItemDelegateForRow(SourceActivateRow, m_stepNumbers);
    sources->setItemDelegateForRow(DeactivateRow, m_stepNumbers);
    sources->setItemDelegateForRow(IndicatorRow, m_detectors);
    for (ParametersTable *table : { steps, sources })
        table->horizontalHeader()->setSectionsClickable(true);

    addColumnActions(this, steps, tr("Insert step"), ui->add_step,
                     &SignalPlanWidget::stagering_table_insert_step,
                     ui->insert_step_before->toolTip(), ui->insert_step_before,
                     &SignalPlanWidget::stagering_table_insert_step_before,
                     ui->remove_step->toolTip(), ui->remove_step,
                     &SignalPlanWidget::stagering_table_remove_step);
    addColumnActions(this, sources, ui->add_detector->toolTip(), ui->add_detector,
                     &SignalPlanWidget::stagering_dt_table_insert_detector,
                     ui->insert_detector_before->toolTip(), ui->insert_detector_before,
                     &SignalPlanWidget::stagering_dt_table_insert_detector_before,
                     ui->remove_detector->toolTip(), ui->remove_detector,
                     &SignalPlanWidget::stagering_dt_table_remove_detector);
}

void SignalPlanWidget::loadStageRingPage()
{
    ZUSignalPlan *plan = m_plan;
    if (!plan || !m_configuration)
        return;
    const QList<QPointer<ZUSignalPlanPhase>> phases = plan->phases();
    updateStageItems();
    EditorPages::refillObjects(m_detectors, m_configuration->detectors());
    updateStepNumbers(phases.size());
    ui->stagering_cycle_length->setValue(plan->cycle());
    ui->stagering_cycle_offset->setValue(plan->offset());
    ui->stagering_coordinated->setChecked(plan->coordinated());

    ParametersTable *steps = ui->stagering_table;
    ParametersTable *sources = ui->stagering_dt_table;
    {
        const QSignalBlocker stepsBlocker(steps);
        const QSignalBlocker sourcesBlocker(sources);
        steps->setColumnCount(0);
        sources->setColumnCount(0);
        // References show the step number of the phase they name, whatever the
        // phase's id, so that a plan whose ids are not 1..N in order keeps them.
        auto step = [&phases](const QPointer<ZUSignalPlanPhase> &phase) {
            const int index = phase ? phases.indexOf(phase) : -1;
            return index < 0 ? QVariant() : QVariant(index + 1);
        };
        for (int column = 0; column < phases.size(); ++column) {
            const ZUSignalPlanPhase *phase = phases.at(column);
            steps->insertColumn(column);
            const QPointer<ZUStage> stage = phase->stage();
            steps->setCellData(StageRow, column, stage ? QVariant(stage->id()) : QVariant(), true);
            steps->setCellData(RecallRow, column, intCell(phase->recall()), true);
            steps->setCellData(PassageRow, column, intCell(phase->passage()), true);
            steps->setCellData(ActivateRow, column, step(phase->call()), true);
            steps->setCellData(MinGreenRow, column, intCell(phase->minGreen()), true);
            steps->setCellData(MaxGreenRow, column, intCell(phase->maxGreen()), true);
            steps->setCellData(CountdownRow, column, intCell(phase->countdownBoard()), true);
        }
        const QList<ZUSignalPlan::DetectorControl> records = plan->detectors();
        for (int column = 0; column < records.size(); ++column) {
            const ZUSignalPlan::DetectorControl &record = records.at(column);
            sources->insertColumn(column);
            sources->setCellData(OnStepRow, column, step(record.phase), true);
            sources->setCellData(SourceDetectorRow, column,
                                 record.detector ? QVariant(record.detector->id()) : QVariant(),
                                 true);
            sources->setCellData(ProlongationRow, column, record.control, true);
            sources->setCellData(SourceActivateRow, column, step(record.call), true);
            sources->setCellData(DeactivateRow, column, step(record.redirect), true);
            sources->setCellData(IndicatorRow, column,
                                 record.indicator ? QVariant(record.indicator->id()) : QVariant(),
                                 true);
        }
        steps->resizeColumnsToContents();
        sources->resizeColumnsToContents();
    }
    updateStageRingChart();
}

void SignalPlanWidget::updateStageItems()
{
    if (m_configuration)
        EditorPages::refillObjects(m_stages, m_configuration->stages());
    ui->stagering_table->viewport()->update();
}

void SignalPlanWidget::updateStepNumbers(int count)
{
    if (count < 0)
        count = ui->stagering_table->columnCount();
    m_stepNumbers->clear();
    for (int step = 1; step <= count; ++step) {
        m_stepNumbers->texts << QString::number(step);
        m_stepNumbers->values << QVariant(step);
    }
}

void SignalPlanWidget::insertStepColumn(int position)
{
    ParametersTable *steps = ui->stagering_table;
    ParametersTable *sources = ui->stagering_dt_table;
    steps->insertColumn(position);
    for (int column = 0; column < steps->columnCount(); ++column)
        renumberCell(steps, ActivateRow, column, position, 0);
    for (int column = 0; column < sources->columnCount(); ++column) {
        for (int row : { OnStepRow, SourceActivateRow, DeactivateRow })
            renumberCell(sources, row, column, position, 0);
    }
    updateStepNumbers(-1);
}

void SignalPlanWidget::stagering_table_insert_step()
{
    insertStepColumn(insertPosition(ui->stagering_table, true));
}

void SignalPlanWidget::stagering_table_insert_step_before()
{
    insertStepColumn(insertPosition(ui->stagering_table, false));
}

void SignalPlanWidget::stagering_table_remove_step()
{
    ParametersTable *steps = ui->stagering_table;
    ParametersTable *sources = ui->stagering_dt_table;
    // From the highest column down, so the lower columns keep their step numbers.
    const QList<int> columns = selectedColumnsDescending(steps);
    for (int removedColumn : columns) {
        const int removed = removedColumn + 1;
        steps->removeColumn(removedColumn);
        for (int column = 0; column < steps->columnCount(); ++column)
            renumberCell(steps, ActivateRow, column, -1, removed);
        for (int column = sources->columnCount() - 1; column >= 0; --column) {
            // A call source on the removed step goes with it.
            if (cellInt(sources->cellData(OnStepRow, column)) == removed) {
                sources->removeColumn(column);
                continue;
            }
            for (int row : { OnStepRow, SourceActivateRow, DeactivateRow })
                renumberCell(sources, row, column, -1, removed);
        }
    }
    updateStepNumbers(-1);
    if (!columns.isEmpty())
        m_validator->setChanged(steps);
}

void SignalPlanWidget::stagering_dt_table_insert_detector()
{
    ui->stagering_dt_table->insertColumn(insertPosition(ui->stagering_dt_table, true));
}

void SignalPlanWidget::stagering_dt_table_insert_detector_before()
{
    ui->stagering_dt_table->insertColumn(insertPosition(ui->stagering_dt_table, false));
}

void SignalPlanWidget::stagering_dt_table_remove_detector()
{
    const QList<int> columns = selectedColumnsDescending(ui->stagering_dt_table);
    for (int column : columns)
        ui->stagering_dt_table->removeColumn(column);
    if (columns.isEmpty())
        return;
    m_validator->setChanged(ui->stagering_dt_table);
    updateStageRingChart();
}

void SignalPlanWidget::on_stagering_table_itemSelectionChanged()
{
    followColumnSelection(ui->stagering_table, ui->insert_step_before, ui->remove_step);
}

void SignalPlanWidget::on_stagering_dt_table_itemSelectionChanged()
{
    followColumnSelection(ui->stagering_dt_table, ui->insert_detector_before, ui->remove_detector);
}

void SignalPlanWidget::on_stagering_table_itemChanged(QTableWidgetItem *item)
{
    updateStepNumbers(-1);
    ui->stagering_table->resizeColumnToContents(item->column());
    updateStageRingChart();
}

void SignalPlanWidget::on_stagering_dt_table_itemChanged(QTableWidgetItem *item)
{
    ui->stagering_dt_table->resizeColumnToContents(item->column());
    updateStageRingChart();
}

bool SignalPlanWidget::stageRingValid() const
{
    const ParametersTable *steps = ui->stagering_table;
    const ParametersTable *sources = ui->stagering_dt_table;
    const int count = steps->columnCount();
    for (int column = 0; column < count; ++column) {
        bool ok = false;
        const int stage = steps->cellData(StageRow, column).toInt(&ok);
        if (ok && !m_configuration->findStage(stage))
            return false;
    }
    return stepsInRange(steps, ActivateRow, count) && stepsInRange(sources, OnStepRow, count)
        && stepsInRange(sources, SourceActivateRow, count)
        && stepsInRange(sources, DeactivateRow, count);
}

void SignalPlanWidget::applyStageRing(ZUSignalPlan *plan, bool all)
{
    applyCycle(plan, all, ui->stagering_cycle_length, ui->stagering_cycle_offset,
               ui->stagering_coordinated);
    if (all || m_validator->isChanged(ui->stagering_table)
        || m_validator->isChanged(ui->stagering_dt_table))
        applyStageRingTables(plan);
}

void SignalPlanWidget::applyStageRingTables(const QPointer<ZUSignalPlan> &plan)
{
    if (!plan || !m_configuration)
        return;
    const ParametersTable *steps = ui->stagering_table;
    const ParametersTable *sources = ui->stagering_dt_table;
    // Taken before the old phases go, which takes their records out of the list.
    const QList<ZUSignalPlan::DetectorControl> recordsBefore = plan->detectors();
    // The phases are numbered 1..N in step order, so step numbers are phase ids.
    QList<QPointer<ZUSignalPlanPhase>> phases;
    for (int column = 0; column < steps->columnCount(); ++column) {
        auto *phase = new ZUSignalPlanPhase(plan, column + 1);
        phase->setStage(m_configuration->findStage(steps->cellData(StageRow, column)));
        phase->setRecall(enumValue<zu::Recall>(steps->cellData(RecallRow, column)));
        phase->setPassage(cellInt(steps->cellData(PassageRow, column)));
        phase->setMinGreen(cellInt(steps->cellData(MinGreenRow, column)));
        phase->setMaxGreen(cellInt(steps->cellData(MaxGreenRow, column)));
        phase->setCountdownBoard(
            enumValue<zu::CountdownBoard>(steps->cellData(CountdownRow, column)));
        phases << phase;
    }
    for (int column = 0; column < phases.size(); ++column) {
        const int step = cellInt(steps->cellData(ActivateRow, column));
        phases.at(column)->setCall(step >= 1 && step <= phases.size()
                                       ? phases.at(step - 1)
                                       : QPointer<ZUSignalPlanPhase>());
    }
    // A step keeps what the file held for the step at its place.
    const QList<QPointer<ZUSignalPlanPhase>> &before = plan->phases();
    for (int column = 0; column < phases.size() && column < before.size(); ++column)
        phases.at(column)->keptMembers() = before.at(column)->keptMembers();
    plan->setPhases(phases);

    QList<ZUSignalPlan::DetectorControl> records;
    for (int column = 0; column < sources->columnCount(); ++column) {
        ZUSignalPlan::DetectorControl record;
        record.phase = plan->findPhase(cellNumber(sources->cellData(OnStepRow, column)));
        record.detector
            = m_configuration->findDetector(sources->cellData(SourceDetectorRow, column));
        record.control = sources->cellData(ProlongationRow, column).toBool();
        record.call = plan->findPhase(cellNumber(sources->cellData(SourceActivateRow, column)));
        record.redirect = plan->findPhase(cellNumber(sources->cellData(DeactivateRow, column)));
        record.indicator = m_configuration->findDetector(sources->cellData(IndicatorRow, column));
        records << record;
    }
    carryKeptMembers(recordsBefore, records,
                     [](const ZUSignalPlan::DetectorControl &, int column) { return column; });
    plan->setDetectors(records);
}

void SignalPlanWidget::on_stagering_show_diagramm_clicked(bool checked)
{
    auto *dialog = findChild<QDialog *>(DiagramName, Qt::FindDirectChildrenOnly);
    if (!checked) {
        delete dialog;
        return;
    }
    if (!dialog) {
        dialog = new QDialog(this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setObjectName(DiagramName);
        auto *layout = new QHBoxLayout(dialog);
        layout->addWidget(new plotlet::Chart(dialog));
        dialog->restoreGeometry(diagramGeometry());
        connect(dialog, &QDialog::finished, this, [this, dialog] {
            diagramGeometry() = dialog->saveGeometry();
            ui->stagering_show_diagramm->setChecked(false);
        });
    }
    dialog->show();
    updateStageRingChart();
}

void SignalPlanWidget::updateStageRingChart()
{
    // The diagram of the ring is shown empty: nothing is drawn on it yet.
    auto *dialog = findChild<QDialog *>(DiagramName, Qt::FindDirectChildrenOnly);
    plotlet::Chart *chart
        = dialog && dialog->isVisible() ? dialog->findChild<plotlet::Chart *>() : nullptr;
    if (!chart)
        return;
    chart->removeAllSeries();
    chart->yAxis()->resetCustomLabels();
    chart->setError(QString());
}
