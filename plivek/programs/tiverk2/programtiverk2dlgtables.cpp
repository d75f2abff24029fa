#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "programtiverk2cells.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "common/widgets/timelineitemdelegate.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/framework/checkboxcomboboxdelegate.h"
#include "plivek/framework/comboboxdelegate.h"

#include <QAction>

// The table pages: the phases (or phase sequence), the timeline and the
// crosswalks, with the delegates and actions of every table of the form.

using namespace ProgramTiverk2Cells;

namespace {

enum CrosswalkRow {
    CrosswalkRowGroups = 0,
    CrosswalkRowMinGreen,
    CrosswalkRowPedestrianGreen,
    CrosswalkRowSensors,
    CrosswalkRowDetectors,
    CrosswalkRowMaxGreen,
    CrosswalkRowPassage,
    CrosswalkRowMinGap,
    CrosswalkRowTimeToReduce,
    CrosswalkRowTimeBeforeReduction,
    CrosswalkRowCycle,
    CrosswalkRowOffset
};
// What a crosswalk's element list refers to.
enum ReferenceKind { GroupReference, SensorReference, DetectorReference };

// Signal groups of this type code are pedestrian groups.
constexpr int PedestrianGroupType = 1;

// The plain number rows of a crosswalk and their keys.
const QVector<QPair<int, const char *>> &crosswalkTimes()
{
    static const QVector<QPair<int, const char *>> keys {
        { CrosswalkRowMinGreen, "minGreen" },
        { CrosswalkRowPedestrianGreen, "pedestrianGreen" },
        { CrosswalkRowMaxGreen, "maxGreen" },
        { CrosswalkRowPassage, "passage" },
        { CrosswalkRowMinGap, "minGap" },
        { CrosswalkRowTimeToReduce, "timeToReduce" },
        { CrosswalkRowTimeBeforeReduction, "timeBeforeReduction" },
        { CrosswalkRowCycle, "cycle" },
        { CrosswalkRowOffset, "offset" }
    };
    return keys;
}

bool isNumber(const QVariant &value)
{
    switch (value.type()) {
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong:
    case QVariant::ULongLong:
    case QVariant::Double:
        return true;
    default:
        return false;
    }
}

QAction *tableAction(QWidget *table, const QString &text, const QKeySequence &shortcut,
                     const QString &name = QString())
{
    auto *action = new QAction(text, table);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    if (!name.isEmpty())
        action->setObjectName(name);
    return action;
}

// Puts the actions in front of the table's own actions ("Copy", "Paste", ...).
void insertActionsFirst(QWidget *table, const QList<QAction *> &actions)
{
    const QList<QAction *> own = table->actions();
    QAction *before = own.isEmpty() ? nullptr : own.first();
    table->insertActions(before, actions);
}

} // namespace

void ProgramTiverk2Dlg::setUpDelegates()
{
    const QList<CnfPhasePtr> phases = m_controller ? m_controller->phases() : QList<CnfPhasePtr>();
    const QList<CnfSignalGroupPtr> groups
        = m_controller ? m_controller->signalGroups() : QList<CnfSignalGroupPtr>();
    const QList<CnfDetectorPtr> detectors
        = m_controller ? m_controller->detectorsList() : QList<CnfDetectorPtr>();
    const QList<CnfDetectorPtr> sensors
        = m_controller ? m_controller->sensorsList() : QList<CnfDetectorPtr>();

    auto *stagePhases = new ComboBoxDelegate(ui->stageTable);
    auto *stepPhases = new ComboBoxDelegate(ui->stagering_table);
    for (const CnfPhasePtr &phase : phases) {
        stagePhases->addItem(phase->id);
        stepPhases->addItem(phase->friendlyName(), phase->id);
    }
    ui->stageTable->setItemDelegateForRow(StageRowPhase, stagePhases);
    ui->stagering_table->setItemDelegateForRow(0, stepPhases);
    ui->stagering_table->setItemDelegateForRow(
        1,
        new ComboBoxDelegate(ui->stagering_table, { tr("none"), tr("max"), tr("min"), tr("soft") },
                             { QStringLiteral("none"), QStringLiteral("max"), QStringLiteral("min"),
                               QStringLiteral("soft") }));
    // The step numbers follow the number of steps; one delegate serves every row of them.
    m_stepNumbers = new ComboBoxDelegate(this);
    ui->stagering_table->setItemDelegateForRow(3, m_stepNumbers);
    for (int row : { 0, 4, 5 })
        ui->stagering_dt_table->setItemDelegateForRow(row, m_stepNumbers);

    auto *detectorChoice = new ComboBoxDelegate(ui->stagering_dt_table);
    auto *detectorIds = new CheckBoxComboBoxDelegate(ui->pedestrianTable, QStringList());
    for (const CnfDetectorPtr &detector : detectors) {
        detectorChoice->addItem(detector->friendlyName(), detector->id());
        detectorIds->addItem(QString::number(detector->id()));
    }
    auto *sensorChoice = new ComboBoxDelegate(ui->stagering_dt_table);
    auto *pedestrianSensors = new CheckBoxComboBoxDelegate(ui->pedestrianTable, QStringList());
    for (const CnfDetectorPtr &sensor : sensors) {
        sensorChoice->addItem(sensor->friendlyName(), sensor->id());
        if (sensor->name().startsWith(QLatin1String("ped")))
            pedestrianSensors->addItem(QString::number(sensor->id()));
    }
    ui->stagering_dt_table->setItemDelegateForRow(1, detectorChoice);
    ui->stagering_dt_table->setItemDelegateForRow(2, sensorChoice);
    ui->stagering_dt_table->setItemDelegateForRow(
        3, new CheckBoxDelegate(ui->stagering_dt_table, false, false));

    auto *groupChoice = new CheckBoxComboBoxDelegate(ui->pedestrianTable, QStringList());
    for (const CnfSignalGroupPtr &group : groups) {
        groupChoice->addItem(QString::number(group->id) + QLatin1String(" (")
                                 + CnfSignalGroup::type2String(group->type, true, true)
                                 + QLatin1Char(')'),
                             group->id);
    }
    ui->pedestrianTable->setItemDelegateForRow(0, groupChoice);
    ui->pedestrianTable->setItemDelegateForRow(3, pedestrianSensors);
    ui->pedestrianTable->setItemDelegateForRow(4, detectorIds);

    ui->timeline_table->setItemDelegate(new TimelineItemDelegate(ui->timeline_table));
    ui->timeline_table->autoExtendColumns = true;
}

void ProgramTiverk2Dlg::setUpActions()
{
    auto *appendPhaseAction = tableAction(ui->stageTable, tr("Append phase"), Qt::Key_Insert);
    auto *removePhaseAction
        = tableAction(ui->stageTable, tr("Remove phase"), Qt::CTRL + Qt::Key_Delete);
    connect(appendPhaseAction, &QAction::triggered, this, &ProgramTiverk2Dlg::appendPhase);
    connect(removePhaseAction, &QAction::triggered, this, &ProgramTiverk2Dlg::removePhase);
    insertActionsFirst(ui->stageTable, { appendPhaseAction, removePhaseAction });

    auto *appendCrosswalkAction
        = tableAction(ui->pedestrianTable, tr("Append crosswalk"), Qt::Key_Insert);
    auto *removeCrosswalkAction
        = tableAction(ui->pedestrianTable, tr("Remove crosswalk"), Qt::CTRL + Qt::Key_Delete);
    connect(appendCrosswalkAction, &QAction::triggered, this, &ProgramTiverk2Dlg::appendCrosswalk);
    connect(removeCrosswalkAction, &QAction::triggered, this, &ProgramTiverk2Dlg::removeCrosswalk);
    ui->pedestrianTable->addActions({ appendCrosswalkAction, removeCrosswalkAction });

    auto *insertStep = tableAction(ui->stagering_table, tr("Insert step"), Qt::Key_Insert,
                                   QStringLiteral("ins_after"));
    auto *insertStepBefore = tableAction(ui->stagering_table, tr("Insert step before current"),
                                         QKeySequence(), QStringLiteral("ins_before"));
    auto *removeStep
        = tableAction(ui->stagering_table, tr("Remove step"), Qt::CTRL + Qt::Key_Delete);
    connect(insertStep, &QAction::triggered, this, &ProgramTiverk2Dlg::stagering_table_insert_step);
    connect(insertStepBefore, &QAction::triggered, this,
            &ProgramTiverk2Dlg::stagering_table_insert_step_before);
    connect(removeStep, &QAction::triggered, this, &ProgramTiverk2Dlg::stagering_table_remove_step);
    connect(ui->add_step, &QAbstractButton::clicked, insertStep, &QAction::trigger);
    connect(ui->insert_step_before, &QAbstractButton::clicked, insertStepBefore, &QAction::trigger);
    connect(ui->remove_step, &QAbstractButton::clicked, removeStep, &QAction::trigger);
    insertActionsFirst(ui->stagering_table, { insertStep, insertStepBefore, removeStep });

    auto *insertSource = tableAction(ui->stagering_dt_table, tr("Insert call source"),
                                     Qt::Key_Insert, QStringLiteral("ins_after"));
    auto *insertSourceBefore
        = tableAction(ui->stagering_dt_table, tr("Insert call source before current"),
                      QKeySequence(), QStringLiteral("ins_before"));
    auto *removeSource
        = tableAction(ui->stagering_dt_table, tr("Remove call source"), Qt::CTRL + Qt::Key_Delete);
    connect(insertSource, &QAction::triggered, this,
            &ProgramTiverk2Dlg::stagering_dt_table_insert_detector);
    connect(insertSourceBefore, &QAction::triggered, this,
            &ProgramTiverk2Dlg::stagering_dt_table_insert_detector_before);
    connect(removeSource, &QAction::triggered, this,
            &ProgramTiverk2Dlg::stagering_dt_table_remove_detector);
    connect(ui->add_detector, &QAbstractButton::clicked, insertSource, &QAction::trigger);
    connect(ui->insert_detector_before, &QAbstractButton::clicked, insertSourceBefore,
            &QAction::trigger);
    connect(ui->remove_detector, &QAbstractButton::clicked, removeSource, &QAction::trigger);
    insertActionsFirst(ui->stagering_dt_table, { insertSource, insertSourceBefore, removeSource });
    // Inserting before a column needs a selected column.
    insertStepBefore->setEnabled(false);
    insertSourceBefore->setEnabled(false);
}

// The phases of the fixed-time types, or the phase sequence (phase row only).
void ProgramTiverk2Dlg::fillStages(int type)
{
    const QSignalBlocker blocker(ui->stageTable);
    ui->stageTable->setColumnCount(0);
    if (type == CnfProgram::Sequence) {
        const QVariantList sequence = m_program->property("sequence").toList();
        ui->stageTable->setColumnCount(sequence.size());
        for (int column = 0; column < sequence.size(); ++column)
            setTableCellValue(ui->stageTable, StageRowPhase, column, sequence.at(column).toString(),
                              true);
        return;
    }
    const QList<CnfPhaseDefPtr> steps = m_program->phases();
    ui->stageTable->setColumnCount(steps.size());
    int total = 0;
    for (int column = 0; column < steps.size(); ++column) {
        const CnfPhaseDefPtr &step = steps.at(column);
        setTableCellValue(ui->stageTable, StageRowPhase, column, step->id(), true);
        setTableCellValue(ui->stageTable, StageRowFullLength, column, step->fullLength(), true);
        ui->stageTable->item(StageRowFullLength, column)->setData(Qt::UserRole + 2, step->id());
        total += step->fullLength();
    }
    if (type == CnfProgram::FixedTime) {
        const QSignalBlocker cycleBlocker(ui->cycleLength);
        ui->cycleLength->setValue(total);
    } else {
        ui->cycleOffset->setValue(m_program->cycleOffset(0));
    }
}

void ProgramTiverk2Dlg::fillTimeline(int type)
{
    ui->cycleLength->setValue(m_program->cycle(false));
    if (type == CnfProgram::CoordinatedTimeline) {
        ui->cycleOffset->setValue(m_program->cycleOffset(0));
        if (!ui->coordinated->isChecked())
            ui->coordinated->toggle();
    }
    fillTimelineTable();
}

void ProgramTiverk2Dlg::fillTimelineTable()
{
    ParametersTable *table = ui->timeline_table;
    {
        const QSignalBlocker blocker(table);
        table->setRowCount(0);
        table->setColumnCount(0);
        const QList<CnfSignalGroupPtr> groups
            = m_controller ? m_controller->signalGroups() : QList<CnfSignalGroupPtr>();
        const int cycle = m_program->cycle(false);
        for (const CnfSignalGroupPtr &group : groups) {
            const int row = table->rowCount();
            table->insertRow(row);
            table->setVerticalHeaderItem(row, new QTableWidgetItem(group->friendlyName()));
            const QMap<int, int> intervals = m_program->getTimelineData(group);
            int column = 0;
            for (auto it = intervals.cbegin(); it != intervals.cend(); ++it, ++column) {
                const auto next = std::next(it);
                const int duration = (next == intervals.cend() ? cycle : next.key()) - it.key();
                if (column >= table->columnCount())
                    table->insertColumn(column);
                const QString text = CnfSignalGroup::colorState2String(it.value())
                    + QLatin1Char('|') + QString::number(duration);
                setTableCellValue(table, row, column, text, true);
            }
        }
        if (table->columnCount() == 0)
            table->setColumnCount(1);
    }
    updateTimelineTotals();
}

QStringList ProgramTiverk2Dlg::resolvedIds(const QVariantList &elements, int kind)
{
    QStringList ids;
    for (const QVariant &element : elements) {
        const bool byId = isNumber(element);
        const int id = element.toInt();
        const QString name = element.toString();
        int found = -1;
        QString message;
        if (!m_controller) {
            // Nothing can be found without a controller.
        } else if (kind == GroupReference) {
            const CnfSignalGroupPtr group
                = byId ? m_controller->findSG(id) : m_controller->findSGByName(name);
            if (group)
                found = group->id;
        } else {
            const CnfDetectorPtr detector = kind == SensorReference
                ? (byId ? m_controller->findSensor(id) : m_controller->findSensorByName(name))
                : (byId ? m_controller->findDetector(id) : m_controller->findDetectorByName(name));
            if (detector)
                found = detector->id();
        }
        if (found >= 0) {
            ids << QString::number(found);
            continue;
        }
        if (kind == GroupReference)
            message = tr("Signal group %1 not found");
        else if (kind == SensorReference)
            message = tr("Sensor %1 not found");
        else
            message = tr("Detector %1 not found");
        CalendarDlg::printError(this, message.arg(name));
    }
    return ids;
}

void ProgramTiverk2Dlg::fillCrosswalks()
{
    ParametersTable *table = ui->pedestrianTable;
    const QSignalBlocker blocker(table);
    table->setColumnCount(0);
    const QVariantList crosswalks = m_program->property("crosswalks").toList();
    table->setColumnCount(crosswalks.size());
    for (int column = 0; column < crosswalks.size(); ++column) {
        const QVariantMap crosswalk = crosswalks.at(column).toMap();
        const QStringList groups
            = resolvedIds(crosswalk.value(QStringLiteral("groups")).toList()
                              + crosswalk.value(QStringLiteral("pedestrians")).toList(),
                          GroupReference);
        setTableCellValue(table, CrosswalkRowGroups, column, groups.join(QLatin1Char(',')), true);
        setTableCellValue(
            table, CrosswalkRowSensors, column,
            resolvedIds(crosswalk.value(QStringLiteral("sensors")).toList(), SensorReference)
                .join(QLatin1Char(',')),
            true);
        setTableCellValue(
            table, CrosswalkRowDetectors, column,
            resolvedIds(crosswalk.value(QStringLiteral("detectors")).toList(), DetectorReference)
                .join(QLatin1Char(',')),
            true);
        for (const auto &key : crosswalkTimes())
            setTableCellValue(table, key.first, column, crosswalk.value(QLatin1String(key.second)),
                              true);
    }
}

bool ProgramTiverk2Dlg::storeStages(int type, bool validate)
{
    if (type == CnfProgram::Coordinated)
        m_program->setCycleOffset(ui->cycleOffset->value());
    for (int column = 0; column < ui->stageTable->columnCount(); ++column) {
        const QString id = tableCellValue(ui->stageTable, StageRowPhase, column).toString();
        if (id.isEmpty())
            continue;
        const CnfPhasePtr phase = m_controller ? m_controller->findPhase(id) : CnfPhasePtr();
        if (!phase) {
            if (validate) {
                CalendarDlg::printError(
                    this, tr("Phase '%1' defined in column %2 not exist").arg(id).arg(column));
                return false;
            }
            continue;
        }
        // A full length that is not a number leaves the phase out.
        bool ok = false;
        const int fullLength = cellInt(ui->stageTable, StageRowFullLength, column, 0, &ok);
        if (ok)
            m_program->appendPhaseFl(phase, fullLength);
    }
    return true;
}

bool ProgramTiverk2Dlg::storeSequence(bool validate)
{
    QVariantList sequence;
    for (int column = 0; column < ui->stageTable->columnCount(); ++column) {
        const QString id = tableCellValue(ui->stageTable, StageRowPhase, column).toString();
        if (id.isEmpty())
            continue;
        if (!(m_controller && m_controller->findPhase(id))) {
            if (validate) {
                CalendarDlg::printError(
                    this, tr("Phase '%1' defined in column %2 not exist").arg(id).arg(column));
                return false;
            }
            continue;
        }
        // The sequence names its phases by number: a phase whose id is no
        // whole number cannot stand in it (it would be stored as 0).
        bool numeric = false;
        const int number = id.toInt(&numeric);
        if (!numeric || QString::number(number) != id) {
            if (validate) {
                CalendarDlg::printError(
                    this,
                    tr("Phase '%1' in column %2: a sequence names phases by their numbers")
                        .arg(id)
                        .arg(column));
                return false;
            }
            continue;
        }
        sequence << number;
    }
    m_program->setProperty("sequence", sequence.isEmpty() ? QVariant() : QVariant(sequence));
    return true;
}

void ProgramTiverk2Dlg::storeTimeline(int type)
{
    m_program->clearTimelineData();
    m_program->cycleLength = ui->cycleLength->value();
    if (type == CnfProgram::CoordinatedTimeline)
        m_program->setCycleOffset(ui->cycleOffset->value());
    const QList<CnfSignalGroupPtr> groups
        = m_controller ? m_controller->signalGroups() : QList<CnfSignalGroupPtr>();
    const QTableWidget *table = ui->timeline_table;
    int cycle = 0;
    for (int row = 0; row < table->rowCount() && row < groups.size(); ++row) {
        int start = 0;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QVariant value = tableCellValue(table, row, column);
            if (!holdsValue(value))
                continue;
            const QStringList parts = value.toString().split(QLatin1Char('|'));
            if (parts.size() != 2)
                continue;
            m_program->setTimelineData(groups.at(row), start,
                                       CnfSignalGroup::string2ColorState(parts.at(0)));
            start += parts.at(1).toInt();
        }
        cycle = qMax(cycle, start);
    }
    // The longest row is the cycle, whatever the spin box shows.
    m_program->cycleLength = cycle;
    m_program->matrix.reset();
}

bool ProgramTiverk2Dlg::storeCrosswalks(bool validate)
{
    const QTableWidget *table = ui->pedestrianTable;
    QVariantList crosswalks;
    for (int column = 0; column < table->columnCount(); ++column) {
        QVariantMap crosswalk;
        QVariantList groups;
        QVariantList pedestrians;
        const QStringList groupTokens = tableCellValue(table, CrosswalkRowGroups, column)
                                            .toString()
                                            .split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &token : groupTokens) {
            const CnfSignalGroupPtr group
                = m_controller ? m_controller->findSG(token.toInt()) : CnfSignalGroupPtr();
            if (!group) {
                if (validate) {
                    CalendarDlg::printError(this, tr("Signal group %1 not found").arg(token));
                    return false;
                }
                continue;
            }
            (group->type == PedestrianGroupType ? pedestrians : groups) << group->id;
        }
        if (!groups.isEmpty())
            crosswalk.insert(QStringLiteral("groups"), groups);
        if (!pedestrians.isEmpty())
            crosswalk.insert(QStringLiteral("pedestrians"), pedestrians);

        for (int kind : { SensorReference, DetectorReference }) {
            const int row = kind == SensorReference ? CrosswalkRowSensors : CrosswalkRowDetectors;
            QVariantList ids;
            const QStringList tokens = tableCellValue(table, row, column)
                                           .toString()
                                           .split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString &token : tokens) {
                CnfDetectorPtr found;
                if (m_controller)
                    found = kind == SensorReference ? m_controller->findSensor(token.toInt())
                                                    : m_controller->findDetector(token.toInt());
                if (!found) {
                    if (validate) {
                        CalendarDlg::printError(this,
                                                (kind == SensorReference
                                                     ? tr("Sensor %1 not found")
                                                     : tr("Detector %1 not found"))
                                                    .arg(token));
                        return false;
                    }
                    continue;
                }
                ids << found->id();
            }
            if (!ids.isEmpty())
                crosswalk.insert(kind == SensorReference ? QStringLiteral("sensors")
                                                         : QStringLiteral("detectors"),
                                 ids);
        }

        for (const auto &key : crosswalkTimes()) {
            if (holdsValue(tableCellValue(table, key.first, column)))
                crosswalk.insert(QLatin1String(key.second), cellInt(table, key.first, column, 0));
        }
        crosswalks << crosswalk;
    }
    if (!crosswalks.isEmpty())
        m_program->setProperty("crosswalks", crosswalks);
    return true;
}

void ProgramTiverk2Dlg::appendPhase()
{
    ParametersTable *table = ui->stageTable;
    const int column = table->columnCount();
    {
        const QSignalBlocker blocker(table);
        table->insertColumn(column);
        for (int row = 0; row < table->rowCount(); ++row)
            setTableCellValue(table, row, column, QVariant(), true);
    }
    updateCycleFromStages();
    edited();
}

void ProgramTiverk2Dlg::removePhase()
{
    removeSelectedColumns(ui->stageTable);
    updateCycleFromStages();
    edited();
}

void ProgramTiverk2Dlg::on_stageTable_itemChanged(QTableWidgetItem *item)
{
    edited();
    if (item && item->row() == StageRowFullLength)
        updateCycleFromStages();
}

void ProgramTiverk2Dlg::updateCycleFromStages()
{
    int total = 0;
    for (int column = 0; column < ui->stageTable->columnCount(); ++column)
        total += cellInt(ui->stageTable, StageRowFullLength, column, 0);
    // Type 3 shows the sum only; elsewhere it is an edit of the cycle length.
    const QSignalBlocker blocker(m_program->type == CnfProgram::FixedTime ? ui->cycleLength
                                                                          : nullptr);
    ui->cycleLength->setValue(total);
}

void ProgramTiverk2Dlg::appendCrosswalk()
{
    ui->pedestrianTable->insertColumn(ui->pedestrianTable->columnCount());
    edited();
}

void ProgramTiverk2Dlg::removeCrosswalk()
{
    removeSelectedColumns(ui->pedestrianTable);
    edited();
}

void ProgramTiverk2Dlg::on_pedestrianTable_itemChanged(QTableWidgetItem *)
{
    edited();
}

void ProgramTiverk2Dlg::on_timeline_table_itemChanged(QTableWidgetItem *)
{
    updateTimelineTotals();
    edited();
}

void ProgramTiverk2Dlg::updateTimelineTotals()
{
    ParametersTable *table = ui->timeline_table;
    const QSignalBlocker blocker(table);
    int longest = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem *header = table->verticalHeaderItem(row);
        if (!header)
            return;
        int total = 0;
        bool complete = true;
        for (int column = 0; column < table->columnCount() && complete; ++column) {
            const QStringList parts = tableCellValue(table, row, column)
                                          .toString()
                                          .split(QLatin1Char('|'), Qt::SkipEmptyParts);
            if (parts.isEmpty())
                continue;
            bool ok = false;
            const int seconds = parts.last().toInt(&ok);
            if (ok)
                total += seconds;
            else
                complete = false;
        }
        QString title = header->text();
        title.truncate(title.indexOf(QLatin1Char('{')) < 0 ? title.size()
                                                           : title.indexOf(QLatin1Char('{')));
        if (total != 0)
            title += QLatin1Char('{') + QString::number(total) + QLatin1Char('}');
        header->setText(title);
        // A duration that is not a number: the cycle stays as it is.
        if (!complete)
            return;
        longest = qMax(longest, total);
    }
    ui->cycleLength->setValue(longest);
}
