#include "programdlgzu_molt.h"

#include "ui_programdlgzu_molt.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/zu_moltconfig.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "common/widgets/timelineitemdelegate.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/dialogitemvalidator.h"

#include <QMenu>

#include <algorithm>
#include <functional>

namespace {

// Step properties in the rows of the step table below the phase.
const char *const stepKeys[]
    = { "recall", "passage", "call", "minGreen", "maxGreen", "countdownBoard" };
// Keys of an event's map, by row of the event table.
const char *const eventKeys[] = { "phase", "call", "control", "redirect", "detector", "indicator" };

QVariant valueOrInvalid(const QVariant &value)
{
    if (!value.isValid() || (value.type() == QVariant::String && value.toString().isEmpty()))
        return QVariant();
    return value;
}

QVariant integerOrInvalid(const QVariant &value)
{
    const QVariant present = valueOrInvalid(value);
    return present.isValid() ? QVariant(present.toInt()) : QVariant();
}

// "state|seconds" split in two; false for any other text.
bool splitTimelineCell(const QVariant &value, QString *state, QString *seconds)
{
    const QStringList parts = value.toString().split(QLatin1Char('|'));
    if (parts.size() != 2)
        return false;
    *state = parts.at(0);
    *seconds = parts.at(1);
    return true;
}

// Every cell value of a table, row by row, after its size.
QVariantList cellValues(const QTableWidget *table)
{
    QVariantList values { table->rowCount(), table->columnCount() };
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column)
            values << tableCellValue(table, row, column);
    }
    return values;
}

// Removes the selected columns from the highest down; each removed position
// is passed to `before` first.
void removeSelectedColumns(QTableWidget *table, const std::function<void(int)> &before)
{
    QList<int> columns = selectedColumns(table);
    std::sort(columns.begin(), columns.end());
    for (int i = columns.size() - 1; i >= 0; --i) {
        before(columns.at(i));
        table->removeColumn(columns.at(i));
    }
}

} // namespace

ProgramDlgZU_MOLT::ProgramDlgZU_MOLT(QWidget *parent, const CnfProgramPtr &program,
                                     CnfController *controller)
    : QDialog(parent)
    , ui(new Ui::ProgramDlgZU_MOLT)
    , controller(controller)
    , validator(nullptr)
{
    ui->setupUi(this);
    validator = new DialogItemValidator(this);
    defaultDelegate = ui->dataTable->itemDelegate();

    edited = CnfProgramPtr::create(controller);
    if (program) {
        edited->clone(*program);
    } else {
        // Not an id that day cards still name: the new program would run their slots.
        edited->id = controller->freeProgramId();
    }

    QList<int> numbers { 0 };
    QStringList names { QString() };
    for (const CnfProgramPtr &other : controller->programs()) {
        numbers << other->id.toInt();
        names << other->name;
    }
    if (edited->name.isEmpty()) {
        for (int k = 1;; ++k) {
            const QString name = tr("Program.%1").arg(k);
            if (!names.contains(name)) {
                edited->name = name;
                break;
            }
        }
    }
    // The program's own entries are no clash; another program of the same
    // name still is.
    numbers.removeAll(edited->id.toInt());
    if (program)
        names.removeOne(program->name);
    validator->addSpinBox(ui->number, numbers);
    validator->addLineEdit(ui->name, names);

    phaseDelegate = new ComboBoxDelegate(this);
    for (const CnfPhasePtr &phase : controller->phases())
        phaseDelegate->addItem(phase->id);
    countdownDelegate = new ComboBoxDelegate(
        this, { tr("timer"), tr("adaptive"), tr("conditional") },
        { QStringLiteral("timer"), QStringLiteral("adaptive"), QStringLiteral("conditional") });
    recallDelegate = new ComboBoxDelegate(this, { tr("none"), tr("max"), tr("min"), tr("soft") },
                                          { QStringLiteral("none"), QStringLiteral("max"),
                                            QStringLiteral("min"), QStringLiteral("soft") });
    detectorDelegate = new ComboBoxDelegate(this);
    for (const CnfDetectorPtr &detector : controller->detectorsList()) {
        QString text = QString::number(detector->id());
        if (!detector->name().isEmpty())
            text += QStringLiteral(" (") + detector->name() + QLatin1Char(')');
        detectorDelegate->addItem(text, detector->id());
    }
    checkDelegate = new CheckBoxDelegate(this, false, false);
    stepNumberDelegate = new ComboBoxDelegate(this);
    timelineDelegate = new TimelineItemDelegate(this);

    ui->number->setValue(edited->id.toInt());
    ui->name->setText(edited->name);
    const QList<int> types {
        CnfProgram::OtherAlgorithm, CnfProgram::YellowFlash,         CnfProgram::Dark,
        CnfProgram::Timeline,       CnfProgram::CoordinatedTimeline, CnfProgram::Stagering
    };
    ui->type->blockSignals(true);
    for (int type : types)
        ui->type->addItem(CnfProgram::typeName(type, true), type);
    const int index = std::max(0, int(types.indexOf(edited->type)));
    // Selected from the position before it, so that the tables are built once
    // whatever the index.
    ui->type->setCurrentIndex(index - 1);
    ui->type->blockSignals(false);
    ui->type->setCurrentIndex(index);
}

ProgramDlgZU_MOLT::~ProgramDlgZU_MOLT()
{
    delete ui;
}

int ProgramDlgZU_MOLT::currentType() const
{
    return ui->type->currentData().toInt();
}

void ProgramDlgZU_MOLT::on_type_currentIndexChanged(int index)
{
    ParametersTable *data = ui->dataTable;
    for (int row = data->rowCount() - 1; row >= 0; --row)
        data->setItemDelegateForRow(row, nullptr);
    for (int column = data->columnCount() - 1; column >= 0; --column)
        data->setItemDelegateForColumn(column, nullptr);
    for (QTableWidget *table :
         { static_cast<QTableWidget *>(data), static_cast<QTableWidget *>(ui->dtTable) }) {
        table->setRowCount(0);
        table->setColumnCount(0);
        table->hide();
    }
    eventColumns.clear();
    eventsChanged = false;
    ui->coordination->hide();
    ui->coordination->setCheckable(false);
    data->setItemDelegate(defaultDelegate);
    data->autoExtendColumns = false;

    const int type = ui->type->itemData(index).toInt();
    if (type == CnfProgram::CoordinatedTimeline) {
        ui->coordination->show();
        ui->cycleOffset->setValue(edited->cycleOffset(0));
    }
    if (type == CnfProgram::Timeline || type == CnfProgram::CoordinatedTimeline) {
        fillTimelines();
    } else if (type == CnfProgram::Stagering) {
        fillSteps();
        fillEvents();
        ui->coordination->show();
        data->show();
        ui->dtTable->show();
    }
    shownTable = cellValues(data);
    shownCoordination = coordinationState();
}

QVariantList ProgramDlgZU_MOLT::coordinationState() const
{
    return { ui->coordination->isCheckable() && ui->coordination->isChecked(),
             ui->cycleLength->value(), ui->cycleOffset->value() };
}

void ProgramDlgZU_MOLT::fillTimelines()
{
    ParametersTable *table = ui->dataTable;
    ui->cycleLength->setValue(edited->cycleLength);
    table->autoExtendColumns = true;
    table->setItemDelegate(timelineDelegate);
    const QList<CnfSignalGroupPtr> groups = controller->signalGroups();
    for (int row = 0; row < groups.size(); ++row) {
        const CnfSignalGroupPtr &group = groups.at(row);
        table->insertRow(row);
        table->setVerticalHeaderItem(row, new QTableWidgetItem(group->friendlyName()));
        const QMap<int, int> timeline = edited->getTimelineData(group);
        const QList<int> starts = timeline.keys();
        for (int i = 0; i < starts.size(); ++i) {
            if (table->columnCount() <= i)
                table->insertColumn(i);
            const int end = i + 1 < starts.size() ? starts.at(i + 1) : edited->cycle(false);
            const QString cell = CnfSignalGroup::colorState2String(timeline.value(starts.at(i)))
                + QLatin1Char('|') + QString::number(end - starts.at(i));
            setTableCellValue(table, row, i, cell, true);
        }
    }
    if (table->columnCount() == 0)
        table->insertColumn(0);
    table->show();
}

void ProgramDlgZU_MOLT::fillSteps()
{
    ParametersTable *table = ui->dataTable;
    const QStringList headers { tr("Phase"),          tr("Recall"),     tr("Passage"),
                                tr("Call"),           tr("Min. green"), tr("Max. green"),
                                tr("Countdown board") };
    table->setRowCount(StepRowCount);
    table->setVerticalHeaderLabels(headers);
    table->setItemDelegateForRow(PhaseRow, phaseDelegate);
    table->setItemDelegateForRow(RecallRow, recallDelegate);
    // A step's call names another step, as the events do.
    table->setItemDelegateForRow(CallRow, stepNumberDelegate);
    table->setItemDelegateForRow(CountdownRow, countdownDelegate);
    for (int i = 0; i < edited->phaseCount(); ++i) {
        table->insertColumn(i);
        fillStepColumn(i, edited->phaseDefAt(i));
    }
    ui->coordination->setCheckable(true);
    ui->coordination->setChecked(edited->property("coordinated").toBool());
    if (ui->coordination->isChecked()) {
        ui->cycleLength->setValue(edited->cycleLength);
        ui->cycleOffset->setValue(edited->cycleOffset(0));
    }
    updateStepNumbers();
}

void ProgramDlgZU_MOLT::fillEvents()
{
    QTableWidget *table = ui->dtTable;
    table->setRowCount(EventRowCount);
    table->setVerticalHeaderLabels({ tr("Step"), tr("Called step"), tr("Control"), tr("Redirect"),
                                     tr("Detector"), tr("Indicator") });
    table->setItemDelegateForRow(EventStepRow, stepNumberDelegate);
    table->setItemDelegateForRow(CalledStepRow, stepNumberDelegate);
    table->setItemDelegateForRow(ControlRow, checkDelegate);
    table->setItemDelegateForRow(RedirectRow, stepNumberDelegate);
    table->setItemDelegateForRow(DetectorRow, detectorDelegate);
    table->setItemDelegateForRow(IndicatorRow, detectorDelegate);
    const QVariantList events = edited->property("detectors").toList();
    for (int k = 0; k < events.size(); ++k) {
        const QVariantMap event = events.at(k).toMap();
        table->insertColumn(k);
        for (int row = EventStepRow; row <= RedirectRow; ++row)
            setTableCellValue(table, row, k, event.value(QLatin1String(eventKeys[row])), true);
        // Detectors by their id as text; one the controller lacks shows the bare id.
        for (int row : { int(DetectorRow), int(IndicatorRow) })
            setTableCellValue(table, row, k, event.value(QLatin1String(eventKeys[row])).toString(),
                              true);
        EventColumn column { events.at(k), {} };
        for (int row = EventStepRow; row < EventRowCount; ++row)
            column.shown << tableCellValue(table, row, k);
        eventColumns << column;
    }
}

void ProgramDlgZU_MOLT::fillStepColumn(int column, const CnfPhaseDefPtr &step)
{
    if (!step)
        return;
    QTableWidget *table = ui->dataTable;
    setTableCellValue(table, PhaseRow, column, step->id(), true);
    for (int row = RecallRow; row < StepRowCount; ++row)
        setTableCellValue(table, row, column, step->property(stepKeys[row - RecallRow]), true);
    QVariantList shown;
    for (int row = PhaseRow; row < StepRowCount; ++row)
        shown << tableCellValue(table, row, column);
    shownSteps.insert(step.data(), shown);
}

void ProgramDlgZU_MOLT::updateStepNumbers()
{
    // A step without a stage is not written and has no id yet.
    QStringList numbers;
    QStringList headers;
    for (int id : ZU_MOLTConfig::stepIds(*controller, *edited)) {
        headers << (id != 0 ? QString::number(id) : QString());
        if (id != 0)
            numbers << QString::number(id);
    }
    stepNumberDelegate->setTexts(numbers);
    if (currentType() == CnfProgram::Stagering)
        ui->dataTable->setHorizontalHeaderLabels(headers);
}

void ProgramDlgZU_MOLT::on_dataTable_itemChanged(QTableWidgetItem *item)
{
    if (!item)
        return;
    const int type = currentType();
    QTableWidget *table = ui->dataTable;
    if (type == CnfProgram::Timeline || type == CnfProgram::CoordinatedTimeline) {
        const QList<CnfSignalGroupPtr> groups = controller->signalGroups();
        int longest = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            int sum = 0;
            for (int column = 0; column < table->columnCount(); ++column) {
                QString state, seconds;
                bool number = false;
                if (!splitTimelineCell(tableCellValue(table, row, column), &state, &seconds))
                    continue;
                const int duration = seconds.toInt(&number);
                if (number)
                    sum += duration;
            }
            if (row < groups.size()) {
                table->setVerticalHeaderItem(
                    row,
                    new QTableWidgetItem(groups.at(row)->friendlyName()
                                         + QStringLiteral("{%1}").arg(sum)));
            }
            longest = std::max(longest, sum);
        }
        ui->cycleLength->setValue(longest);
    } else if (type == CnfProgram::Stagering && item->row() == PhaseRow) {
        // The phase choice reaches the step at once. A step that gets its
        // first stage takes an id of its own; the others keep theirs.
        const CnfPhaseDefPtr step = edited->phaseDefAt(item->column());
        const CnfPhasePtr phase = controller->findPhase(item->text());
        if (step && phase && step->phase() != phase) {
            ZU_MOLTConfig::setStepStage(*controller, *edited, item->column(), phase);
            updateStepNumbers();
        }
    }
}

void ProgramDlgZU_MOLT::on_dataTable_customContextMenuRequested(const QPoint &pos)
{
    if (currentType() != CnfProgram::Stagering)
        return;
    ParametersTable *table = ui->dataTable;
    QMenu menu(this);
    menu.addAction(tr("Add step"), this, &ProgramDlgZU_MOLT::addStep);
    if (table->itemAt(pos)) {
        menu.addAction(tr("Remove step"), this, &ProgramDlgZU_MOLT::removeStep);
        menu.addAction(tr("Copy"), table, &ParametersTable::copy);
        menu.addAction(tr("Paste"), table, &ParametersTable::paste);
    }
    menu.exec(table->viewport()->mapToGlobal(pos));
}

void ProgramDlgZU_MOLT::on_dtTable_customContextMenuRequested(const QPoint &pos)
{
    ParametersTable *table = ui->dtTable;
    QMenu menu(this);
    menu.addAction(tr("Add event"), this, &ProgramDlgZU_MOLT::addEvent);
    if (table->itemAt(pos)) {
        menu.addAction(tr("Remove event"), this, &ProgramDlgZU_MOLT::removeEvent);
        menu.addAction(tr("Copy"), table, &ParametersTable::copy);
        menu.addAction(tr("Paste"), table, &ParametersTable::paste);
    }
    menu.exec(table->viewport()->mapToGlobal(pos));
}

void ProgramDlgZU_MOLT::addStep()
{
    const int column = ui->dataTable->columnCount();
    ui->dataTable->insertColumn(column);
    const CnfPhaseDefPtr step = edited->appendPhase(CnfPhasePtr::create(), 0);
    fillStepColumn(column, step);
    updateStepNumbers();
    modified = true;
}

void ProgramDlgZU_MOLT::removeStep()
{
    const QList<int> columns = selectedColumns(ui->dataTable);
    if (columns.isEmpty())
        return;
    // What the tables show reaches the program first, so that the format's
    // rule also takes what the user chose here: the remaining steps keep their
    // ids, and whatever named a removed step goes with it rather than naming
    // another. The tables then show the program as the rule left it.
    storeSteps(currentType() == edited->type);
    ZU_MOLTConfig::removeSteps(*controller, *edited, columns);
    modified = true;
    on_type_currentIndexChanged(ui->type->currentIndex());
}

void ProgramDlgZU_MOLT::addEvent()
{
    ui->dtTable->insertColumn(ui->dtTable->columnCount());
    eventColumns.append(EventColumn());
    eventsChanged = true;
}

void ProgramDlgZU_MOLT::removeEvent()
{
    removeSelectedColumns(ui->dtTable, [this](int column) {
        eventColumns.removeAt(column);
        eventsChanged = true;
    });
}

void ProgramDlgZU_MOLT::accept()
{
    const int type = currentType();
    // Values shown for the program's own type can be compared with what the
    // user left; after a change of type everything is stored.
    const bool asShown = type == edited->type;
    const QString number = QString::number(ui->number->value());
    if (!asShown || number != edited->id || ui->name->text() != edited->name)
        modified = true;
    edited->type = type;
    edited->id = number;
    edited->name = ui->name->text();
    if (type == CnfProgram::Timeline || type == CnfProgram::CoordinatedTimeline)
        storeTimelines(asShown);
    else if (type == CnfProgram::Stagering)
        storeSteps(asShown);
    QDialog::accept();
}

void ProgramDlgZU_MOLT::storeTimelines(bool asShown)
{
    const QTableWidget *table = ui->dataTable;
    const QVariantList coordination = coordinationState();
    const bool offsetShown = asShown && coordination.at(2) == shownCoordination.at(2);
    if (currentType() == CnfProgram::CoordinatedTimeline && !offsetShown) {
        edited->setCycleOffset(ui->cycleOffset->value());
        modified = true;
    }
    if (asShown && cellValues(table) == shownTable)
        return;
    modified = true;
    edited->clearTimelineData();
    edited->cycleLength = ui->cycleLength->value();
    if (table->rowCount() == 0) {
        edited->cycleLength = 0;
        return;
    }
    const QList<CnfSignalGroupPtr> groups = controller->signalGroups();
    int longest = 0;
    for (int row = 0; row < table->rowCount() && row < groups.size(); ++row) {
        int start = 0;
        for (int column = 0; column < table->columnCount(); ++column) {
            QString state, seconds;
            if (!splitTimelineCell(valueOrInvalid(tableCellValue(table, row, column)), &state,
                                   &seconds))
                continue;
            edited->setTimelineData(groups.at(row), start,
                                    CnfSignalGroup::string2ColorState(state));
            start += seconds.toInt();
        }
        longest = std::max(longest, start);
    }
    edited->cycleLength = longest;
}

void ProgramDlgZU_MOLT::storeCoordination(bool asShown)
{
    const QVariantList now = coordinationState();
    const auto changed = [&](int field) {
        return !asShown || now.at(field) != shownCoordination.at(field);
    };
    const bool checked = ui->coordination->isChecked();
    if (changed(0)) {
        edited->setProperty("coordinated", checked);
        modified = true;
    }
    // A box ticked now shows values that were not loaded: both are stored.
    if (checked && (changed(0) || changed(1))) {
        edited->cycleLength = ui->cycleLength->value();
        modified = true;
    }
    if (checked && (changed(0) || changed(2))) {
        edited->setCycleOffset(ui->cycleOffset->value());
        modified = true;
    }
}

void ProgramDlgZU_MOLT::storeSteps(bool asShown)
{
    storeCoordination(asShown);
    const QTableWidget *steps = ui->dataTable;
    for (int i = 0; i < edited->phaseCount(); ++i) {
        const CnfPhaseDefPtr step = edited->phaseDefAt(i);
        const QVariantList shown = asShown ? shownSteps.value(step.data()) : QVariantList();
        if (shown.isEmpty() || shown.at(PhaseRow) != tableCellValue(steps, PhaseRow, i))
            modified = true;
        for (int row = RecallRow; row < StepRowCount; ++row) {
            const QVariant value = tableCellValue(steps, row, i);
            // A cell left as shown keeps the step's value, also one that the
            // row's choices do not hold.
            if (!shown.isEmpty() && shown.at(row) == value)
                continue;
            modified = true;
            const bool integer
                = row == PassageRow || row == CallRow || row == MinGreenRow || row == MaxGreenRow;
            step->setProperty(stepKeys[row - RecallRow],
                              integer ? integerOrInvalid(value) : valueOrInvalid(value));
        }
    }
    storeEvents(asShown);
}

void ProgramDlgZU_MOLT::storeEvents(bool asShown)
{
    const QTableWidget *events = ui->dtTable;
    const int columns = std::min(events->columnCount(), int(eventColumns.size()));
    const auto leftAsShown = [&](int row, int column) {
        const QVariantList &shown = eventColumns.at(column).shown;
        return asShown && row < shown.size()
            && shown.at(row) == tableCellValue(events, row, column);
    };
    const auto touched = [&](int column) {
        for (int row = EventStepRow; row < EventRowCount; ++row) {
            if (!leftAsShown(row, column))
                return true;
        }
        return false;
    };
    bool changed = eventsChanged || !asShown;
    for (int column = 0; column < columns && !changed; ++column)
        changed = touched(column);
    if (!changed)
        return;
    modified = true;
    QVariantList list;
    for (int column = 0; column < columns; ++column) {
        const QVariant &entry = eventColumns.at(column).entry;
        if (entry.isValid() && entry.userType() != QMetaType::QVariantMap && !touched(column)) {
            list << entry;
            continue;
        }
        // A cell left as shown keeps the program's value, and the members the
        // table does not show stay; a detector the controller lacks is dropped.
        QVariantMap event = entry.toMap();
        for (int row = EventStepRow; row < EventRowCount; ++row) {
            const bool detector = row == DetectorRow || row == IndicatorRow;
            if (!detector && leftAsShown(row, column))
                continue;
            const QVariant value = tableCellValue(events, row, column);
            const bool integer = row == EventStepRow || row == CalledStepRow || row == RedirectRow;
            const QVariant stored = integer ? integerOrInvalid(value) : valueOrInvalid(value);
            if (stored.isValid())
                event.insert(QLatin1String(eventKeys[row]), stored);
            else
                event.remove(QLatin1String(eventKeys[row]));
        }
        if (!event.isEmpty())
            list << event;
    }
    edited->setProperty("detectors", list.isEmpty() ? QVariant() : QVariant(list));
}
