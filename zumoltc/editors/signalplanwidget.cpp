#include "signalplanwidget.h"
#include "ui_signalplanwidget.h"

#include "editorpages.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/timelineitemdelegate.h"
#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidgetItem>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>

namespace {

const QLatin1String DiagramName("chart_dlg");

// The parts of a timeline cell "state|seconds"; empty parts are dropped, so an
// empty cell has none.
QStringList cellParts(const QVariant &cell)
{
    return cell.toString().split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

// The seconds of a cell that is a state and a whole number; false for any other
// cell, an empty one included.
bool cellLength(const QStringList &parts, int *seconds)
{
    bool ok = false;
    if (parts.size() == 2)
        *seconds = parts.at(1).toInt(&ok);
    return ok;
}

// A cell's integer, zu::NotSet for an empty cell or one that is no number.
int cellInt(const QVariant &cell)
{
    bool ok = false;
    const int value = cell.toInt(&ok);
    return !cell.isNull() && ok ? value : zu::NotSet;
}

// A step or phase reference of a cell as the number the model's look-ups take;
// an invalid variant for a cell that is no number.
QVariant cellNumber(const QVariant &cell)
{
    const int value = cellInt(cell);
    return value == zu::NotSet ? QVariant() : QVariant(value);
}

QVariant intCell(int value)
{
    return value == zu::NotSet ? QVariant() : QVariant(value);
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
                      QAbstractButton *add, Slot insert, const QString &beforeText, QAbstractButton *before,
                      Slot insertBefore, const QString &removeText, QAbstractButton *remove, Slot removeSlot)
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

SignalPlanWidget::SignalPlanWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SignalPlanWidget)
{
    ui->setupUi(this);
    for (const auto &item : enumItems<zu::PlanType>(false))
        ui->type->addItem(item.first, item.second);
    for (const auto &item : enumItems<zu::SpecialMode>(false))
        ui->mode->addItem(item.first, item.second);
    ui->type->setCurrentIndex(-1);
    ui->mode->setCurrentIndex(-1);
    setUpTimeline();
    setUpStageRing();
    m_validator = new DialogItemValidator(this);
    m_validator->removeWidget(ui->stagering_show_diagramm);
    ui->stagering_show_diagramm->hide();
    ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
}

SignalPlanWidget::~SignalPlanWidget()
{
    delete ui;
}

void SignalPlanWidget::setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUSignalPlan>> &objects)
{
    m_configuration = configuration;
    if (configuration) {
        connect(configuration, &ZUConfiguration::objectAdded, this, &SignalPlanWidget::configuration_objectAdded,
                Qt::UniqueConnection);
        connect(configuration, &ZUConfiguration::objectDestroyed, this,
                &SignalPlanWidget::configuration_objectDestroyed, Qt::UniqueConnection);
    }
    ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
    if (objects.isEmpty() || !configuration)
        return;
    const bool one = EditorPages::startLoading(this, m_validator, ui->id, ui->name, objects,
                                               configuration->signalPlans());
    m_plan = one ? objects.first() : nullptr;
    ui->type->setCurrentIndex(-1);
    if (one && m_plan) {
        PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName, Prefixes::prefix(Prefixes::SignalPlan),
                                    m_plan->id(), m_plan->name());
        ui->type->setCurrentIndex(ui->type->findData(m_plan->type()));
    }
    on_stagering_table_itemSelectionChanged();
    on_stagering_dt_table_itemSelectionChanged();
    if (one)
        m_validator->snapshotAll();
}

int SignalPlanWidget::currentType() const
{
    bool ok = false;
    const int type = ui->type->currentData().toInt(&ok);
    return ok ? type : INT_MAX;
}

bool SignalPlanWidget::isValid() const
{
    if (!m_configuration)
        return false;
    switch (currentType()) {
    case zu::Timeline:
        return timelineValid();
    case zu::StageRing:
        return stageRingValid();
    case zu::Special:
        return ui->mode->currentIndex() >= 0;
    default:
        return false;
    }
}

void SignalPlanWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, Prefixes::prefix(Prefixes::SignalPlan), text);
}

void SignalPlanWidget::on_manualName_toggled(bool checked)
{
    PageProtocol::setManualName(ui->name, checked, Prefixes::prefix(Prefixes::SignalPlan), ui->id->text());
}

void SignalPlanWidget::on_type_currentIndexChanged(int index)
{
    if (!m_configuration || !m_plan || index < 0) {
        ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
        return;
    }
    bool ok = false;
    const int type = ui->type->itemData(index).toInt(&ok);
    if (!ok)
        return;
    switch (type) {
    case zu::Timeline:
        ui->stackedWidget->setCurrentWidget(ui->pageTimeline);
        loadTimelinePage();
        break;
    case zu::StageRing:
        ui->stackedWidget->setCurrentWidget(ui->pageStageRing);
        loadStageRingPage();
        break;
    case zu::Special:
        ui->stackedWidget->setCurrentWidget(ui->pageSpecial);
        ui->mode->setCurrentIndex(ui->mode->findData(m_plan->mode()));
        break;
    default:
        ui->stackedWidget->setCurrentWidget(ui->pageEmpty);
        break;
    }
}

void SignalPlanWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, m_configuration && m_plan, *m_validator))
        return;
    if (!isValid()
        && !EditorPages::askSaveAnyway(this, tr("Parameters of algorithm contains invalid data. Save anyway?")))
        return;
    ZUSignalPlan *plan = m_plan;
    if (!plan)
        return;
    EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, plan);
    const int type = currentType();
    const bool typeChanged = m_validator->isChanged(ui->type);
    if (typeChanged)
        plan->setType(type);
    switch (type) {
    case zu::Timeline:
        applyTimeline(plan, typeChanged);
        break;
    case zu::StageRing:
        applyStageRing(plan, typeChanged);
        break;
    case zu::Special:
        if (typeChanged || m_validator->isChanged(ui->mode))
            plan->setMode(ui->mode->currentIndex() < 0 ? int(zu::AB) : ui->mode->currentData().toInt());
        break;
    default:
        break;
    }
    setWindowTitle(plan->text(QString()));
    m_validator->snapshotAll();
    emit configurationChanged(ZUSignalPlan::staticMetaObject.className());
}

void SignalPlanWidget::configurationHasChanged(const char *className)
{
    if (className == ZUStage::staticMetaObject.className() && currentType() == zu::StageRing) {
        updateStageItems();
        updateStageRingChart();
    }
}

void SignalPlanWidget::configuration_objectAdded(ZUBaseObject *obj, int /*pos*/)
{
    onObjectAddedOrDestroyed(obj);
}

void SignalPlanWidget::configuration_objectDestroyed(ZUBaseObject *obj)
{
    onObjectAddedOrDestroyed(obj);
}

void SignalPlanWidget::onObjectAddedOrDestroyed(ZUBaseObject *obj)
{
    // The timeline rows stay as loaded; only the chart follows.
    if (!obj)
        return;
    if (currentType() == zu::StageRing && qobject_cast<ZUStage *>(obj))
        updateStageRingChart();
    else if (currentType() == zu::Timeline && qobject_cast<ZUSignalGroup *>(obj))
        updateTimelineChart();
}

void SignalPlanWidget::applyCycle(ZUSignalPlan *plan, bool all, IntEdit *length, IntEdit *offset,
                                  QCheckBox *coordinated)
{
    if (all || m_validator->isChanged(length))
        plan->setCycle(length->value());
    if (all || m_validator->isChanged(offset))
        plan->setOffset(offset->value());
    if (all || m_validator->isChanged(coordinated))
        plan->setCoordinated(coordinated->isChecked());
}

// --- Timeline ---------------------------------------------------------------

void SignalPlanWidget::setUpTimeline()
{
    ui->timeline_table->autoExtendColumns = true;
    ui->timeline_table->setItemDelegate(new TimelineItemDelegate(ui->timeline_table));
    ui->timeline_chart->setMinGridStepX(1.0);
}

void SignalPlanWidget::loadTimelinePage()
{
    ZUSignalPlan *plan = m_plan;
    if (!plan || !m_configuration)
        return;
    ui->timeline_cycle_length->setValue(plan->cycle());
    ui->timeline_cycle_offset->setValue(plan->offset());
    ui->timeline_coordinated->setChecked(plan->coordinated());

    ParametersTable *table = ui->timeline_table;
    const QSignalBlocker blocker(table);
    table->setRowCount(0);
    table->setColumnCount(0);
    m_timelineGroups.clear();
    for (const QPointer<ZUSignalGroup> &group : m_configuration->signalGroups()) {
        if (!group)
            continue;
        const int row = table->rowCount();
        table->insertRow(row);
        table->setVerticalHeaderItem(row, new QTableWidgetItem(group->text(QString())));
        m_timelineGroups << group;
        for (const ZUSignalPlan::Sequence &sequence : plan->sequences()) {
            if (sequence.group != group)
                continue;
            int column = 0;
            for (auto point = sequence.sequence.cbegin(); point != sequence.sequence.cend(); ++point, ++column) {
                if (table->columnCount() <= column)
                    table->insertColumn(column);
                const auto next = std::next(point);
                // The last interval runs to the cycle's end; a plan without cycle
                // ends at the not-set value.
                const qint64 end = next != sequence.sequence.cend() ? next.key() : qint64(plan->cycle());
                const int state = int(point.value());
                const QString key = state >= zu::green && state <= zu::red_amber ? enumKey<zu::TimelineState>(state)
                                                                                   : QStringLiteral("black");
                table->setCellData(row, column, QStringLiteral("%1|%2").arg(key).arg(end - point.key()), true);
            }
            break;
        }
    }
    if (table->columnCount() == 0)
        table->setColumnCount(1);
    updateTimelineChart();
    table->resizeColumnsToContents();
}

void SignalPlanWidget::updateTimelineChart()
{
    plotlet::Chart *chart = ui->timeline_chart;
    chart->removeAllSeries();
    chart->yAxis()->resetCustomLabels();
    chart->setError(QString());
    auto bars = std::make_unique<plotlet::ColorHBoxSeries>();
    bars->setShowLength(true);

    ParametersTable *table = ui->timeline_table;
    int y = table->rowCount();
    // Totals add up in 64 bits: long intervals must not wrap round to negative lengths.
    qint64 longest = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        bool invalid = false;
        qint64 start = 0;
        qint64 total = 0;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QStringList parts = cellParts(table->cellData(row, column));
            if (parts.isEmpty())
                continue;
            int length = 0;
            if (!cellLength(parts, &length)) {
                invalid = true;
                break;
            }
            total += length;
            const qint64 end = start + length;
            const double from = double(start);
            const double to = double(end);
            const QString &state = parts.at(0);
            if (state == QLatin1String("red"))
                bars->addBar(from, to, y, QColor(Qt::red));
            else if (state == QLatin1String("green"))
                bars->addBar(from, to, y, QColor(Qt::green));
            else if (state == QLatin1String("amber"))
                bars->addBar(from, to, y, QColor(Qt::yellow));
            else if (state == QLatin1String("red_amber"))
                bars->addBar(from, to, y, QColor(Qt::red), QColor(Qt::yellow));
            else if (state == QLatin1String("green_blink"))
                bars->addBar(from, to, y, QPixmap(QStringLiteral(":/images/gb.png")));
            else
                invalid = true;
            start = end;
        }
        if (QTableWidgetItem *header = table->verticalHeaderItem(row)) {
            QString text = header->text();
            const int brace = text.indexOf(QLatin1Char('{'));
            if (brace >= 0)
                text.truncate(brace);
            if (total != 0)
                text += QStringLiteral("{%1}").arg(total);
            header->setText(text);
            // A row without intervals draws nothing: labelled, it would stand at
            // the height of the next row's bars, or of none after the last.
            if (total != 0)
                chart->yAxis()->setCustomLabel(y, text);
        } else {
            invalid = true;
        }
        // A row without intervals leaves its height to the next row.
        if (total != 0) {
            --y;
            longest = std::max(longest, total);
        }
        if (invalid) {
            chart->setError(tr("Table contains invalid data"));
            return;
        }
    }
    ui->timeline_cycle_length->setValue(longest >= INT_MAX ? int(zu::NotSet) : int(longest));
    chart->addSeries(bars.release());
}

void SignalPlanWidget::on_timeline_table_itemChanged(QTableWidgetItem * /*item*/)
{
    updateTimelineChart();
}

bool SignalPlanWidget::timelineValid() const
{
    const ParametersTable *table = ui->timeline_table;
    if (!m_configuration || table->rowCount() > m_configuration->signalGroups().size())
        return false;
    for (int row = 0; row < table->rowCount(); ++row) {
        // A row whose group was deleted since loading has nowhere to go.
        if (!m_timelineGroups.value(row))
            return false;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QStringList parts = cellParts(table->cellData(row, column));
            int length = 0;
            if (!parts.isEmpty() && !cellLength(parts, &length))
                return false;
        }
    }
    return true;
}

void SignalPlanWidget::applyTimeline(ZUSignalPlan *plan, bool all)
{
    applyCycle(plan, all, ui->timeline_cycle_length, ui->timeline_cycle_offset, ui->timeline_coordinated);
    if (!all && !m_validator->isChanged(ui->timeline_table))
        return;
    plan->clearSequences();
    const ParametersTable *table = ui->timeline_table;
    for (int row = 0; row < table->rowCount(); ++row) {
        // Each row goes to the group it was loaded for, wherever that group moved.
        const QPointer<ZUSignalGroup> group = m_timelineGroups.value(row);
        if (!group)
            continue;
        QMap<int, zu::TimelineState> sequence;
        qint64 time = 0;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QStringList parts = cellParts(table->cellData(row, column));
            int length = 0;
            if (!cellLength(parts, &length))
                continue;
            // A point at or beyond the not-set value cannot be stored.
            const int state = enumFromKey<zu::TimelineState>(parts.at(0));
            if (state != zu::NotSet && time >= INT_MIN && time < INT_MAX)
                sequence.insert(int(time), zu::TimelineState(state));
            time += length;
        }
        if (!sequence.isEmpty())
            plan->setGroupSequence(group, sequence);
    }
}

// --- Stage ring -------------------------------------------------------------

void SignalPlanWidget::setUpStageRing()
{
    ParametersTable *steps = ui->stagering_table;
    ParametersTable *sources = ui->stagering_dt_table;
    m_stages = new ComboBoxDelegate(steps, QStringList(), QList<QVariant>());
    m_detectors = new ComboBoxDelegate(sources, QStringList(), QList<QVariant>());
    // One list of step numbers serves every step reference of both tables.
    m_stepNumbers = new ComboBoxDelegate(this, QStringList(), QList<QVariant>());
    steps->setItemDelegateForRow(StageRow, m_stages);
    steps->setItemDelegateForRow(RecallRow, new ComboBoxDelegate(steps, enumItems<zu::Recall>(false)));
    steps->setItemDelegateForRow(ActivateRow, m_stepNumbers);
    steps->setItemDelegateForRow(CountdownRow, new ComboBoxDelegate(steps, enumItems<zu::CountdownBoard>(false)));
    sources->setItemDelegateForRow(OnStepRow, m_stepNumbers);
    sources->setItemDelegateForRow(SourceDetectorRow, m_detectors);
    sources->setItemDelegateForRow(ProlongationRow, new CheckBoxDelegate(sources, false, false));
    sources->setItemDelegateForRow(SourceActivateRow, m_stepNumbers);
    sources->setItemDelegateForRow(DeactivateRow, m_stepNumbers);
    sources->setItemDelegateForRow(IndicatorRow, m_detectors);
    for (ParametersTable *table : {steps, sources})
        table->horizontalHeader()->setSectionsClickable(true);

    addColumnActions(this, steps, tr("Insert step"), ui->add_step, &SignalPlanWidget::stagering_table_insert_step,
                     ui->insert_step_before->toolTip(), ui->insert_step_before,
                     &SignalPlanWidget::stagering_table_insert_step_before, ui->remove_step->toolTip(),
                     ui->remove_step, &SignalPlanWidget::stagering_table_remove_step);
    addColumnActions(this, sources, ui->add_detector->toolTip(), ui->add_detector,
                     &SignalPlanWidget::stagering_dt_table_insert_detector, ui->insert_detector_before->toolTip(),
                     ui->insert_detector_before, &SignalPlanWidget::stagering_dt_table_insert_detector_before,
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
                                 record.detector ? QVariant(record.detector->id()) : QVariant(), true);
            sources->setCellData(ProlongationRow, column, record.control, true);
            sources->setCellData(SourceActivateRow, column, step(record.call), true);
            sources->setCellData(DeactivateRow, column, step(record.redirect), true);
            sources->setCellData(IndicatorRow, column,
                                 record.indicator ? QVariant(record.indicator->id()) : QVariant(), true);
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
        for (int row : {OnStepRow, SourceActivateRow, DeactivateRow})
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
            for (int row : {OnStepRow, SourceActivateRow, DeactivateRow})
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
           && stepsInRange(sources, SourceActivateRow, count) && stepsInRange(sources, DeactivateRow, count);
}

void SignalPlanWidget::applyStageRing(ZUSignalPlan *plan, bool all)
{
    applyCycle(plan, all, ui->stagering_cycle_length, ui->stagering_cycle_offset, ui->stagering_coordinated);
    if (all || m_validator->isChanged(ui->stagering_table) || m_validator->isChanged(ui->stagering_dt_table))
        applyStageRingTables(plan);
}

void SignalPlanWidget::applyStageRingTables(const QPointer<ZUSignalPlan> &plan)
{
    if (!plan || !m_configuration)
        return;
    const ParametersTable *steps = ui->stagering_table;
    const ParametersTable *sources = ui->stagering_dt_table;
    // The phases are numbered 1..N in step order, so step numbers are phase ids.
    QList<QPointer<ZUSignalPlanPhase>> phases;
    for (int column = 0; column < steps->columnCount(); ++column) {
        auto *phase = new ZUSignalPlanPhase(plan, column + 1);
        phase->setStage(m_configuration->findStage(steps->cellData(StageRow, column)));
        phase->setRecall(enumValue<zu::Recall>(steps->cellData(RecallRow, column)));
        phase->setPassage(cellInt(steps->cellData(PassageRow, column)));
        phase->setMinGreen(cellInt(steps->cellData(MinGreenRow, column)));
        phase->setMaxGreen(cellInt(steps->cellData(MaxGreenRow, column)));
        phase->setCountdownBoard(enumValue<zu::CountdownBoard>(steps->cellData(CountdownRow, column)));
        phases << phase;
    }
    for (int column = 0; column < phases.size(); ++column) {
        const int step = cellInt(steps->cellData(ActivateRow, column));
        phases.at(column)->setCall(step >= 1 && step <= phases.size() ? phases.at(step - 1)
                                                                       : QPointer<ZUSignalPlanPhase>());
    }
    plan->setPhases(phases);

    QList<ZUSignalPlan::DetectorControl> records;
    for (int column = 0; column < sources->columnCount(); ++column) {
        ZUSignalPlan::DetectorControl record;
        record.phase = plan->findPhase(cellNumber(sources->cellData(OnStepRow, column)));
        record.detector = m_configuration->findDetector(sources->cellData(SourceDetectorRow, column));
        record.control = sources->cellData(ProlongationRow, column).toBool();
        record.call = plan->findPhase(cellNumber(sources->cellData(SourceActivateRow, column)));
        record.redirect = plan->findPhase(cellNumber(sources->cellData(DeactivateRow, column)));
        record.indicator = m_configuration->findDetector(sources->cellData(IndicatorRow, column));
        records << record;
    }
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
    plotlet::Chart *chart = dialog && dialog->isVisible() ? dialog->findChild<plotlet::Chart *>() : nullptr;
    if (!chart)
        return;
    chart->removeAllSeries();
    chart->yAxis()->resetCustomLabels();
    chart->setError(QString());
}
