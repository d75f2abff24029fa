#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/tiverkiiconfig.h"
#include "cnf/vobject.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "common/widgets/timelineitemdelegate.h"
#include "plivek/framework/checkboxcomboboxdelegate.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "plivek/framework/timedialog.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/programs/emulation/tiverk2diagrammdlg.h"
#include "plivek/programs/emulation/tiverk2logdlg.h"

#include <QAction>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTextBlock>
#include <QTextCursor>
#include <QSettings>

namespace {

// The item of the type list carries its algorithm code in this role.
constexpr int TypeCodeRole = Qt::UserRole + 1;
// The code of the extra item for a program whose type the list does not hold.
constexpr int UnlistedType = -1;
constexpr int ChartDelayMs = 50;
const char *const DateTimeFormat = "dd.MM.yyyy hh:mm:ss";
const char *const MatrixGeometryKey = "ProgramTiverk2Dlg/geometry";

enum StageRow { StageRowPhase = 0, StageRowFullLength = 1 };
enum StepRow {
    StepRowStage = 0, StepRowRecall, StepRowPassage, StepRowCall, StepRowMinGreen, StepRowMaxGreen,
    StepRowCorrectionMin, StepRowCorrectionMax
};
enum ConditionRow {
    ConditionRowOnStep = 0, ConditionRowDetector, ConditionRowSensor, ConditionRowControl, ConditionRowCall,
    ConditionRowRedirect, ConditionRowCount
};
enum CrosswalkRow {
    CrosswalkRowGroups = 0, CrosswalkRowMinGreen, CrosswalkRowPedestrianGreen, CrosswalkRowSensors,
    CrosswalkRowDetectors, CrosswalkRowMaxGreen, CrosswalkRowPassage, CrosswalkRowMinGap,
    CrosswalkRowTimeToReduce, CrosswalkRowTimeBeforeReduction, CrosswalkRowCycle, CrosswalkRowOffset
};
// What a crosswalk's element list refers to.
enum ReferenceKind { GroupReference, SensorReference, DetectorReference };

// Signal groups of this type code are pedestrian groups.
constexpr int PedestrianGroupType = 1;

// The keys of a step's properties in the rows of the steps table.
const QVector<QPair<int, const char *>> &stepKeys()
{
    static const QVector<QPair<int, const char *>> keys{
        {StepRowRecall, "recall"}, {StepRowPassage, "passage"}, {StepRowCall, "call"},
        {StepRowMinGreen, "minGreen"}, {StepRowMaxGreen, "maxGreen"}};
    return keys;
}

// The keys of a condition map, row by row.
const char *const ConditionKeys[ConditionRowCount] = {"phase", "detector", "sensor", "control", "call", "redirect"};

// The plain number rows of a crosswalk and their keys.
const QVector<QPair<int, const char *>> &crosswalkTimes()
{
    static const QVector<QPair<int, const char *>> keys{
        {CrosswalkRowMinGreen, "minGreen"}, {CrosswalkRowPedestrianGreen, "pedestrianGreen"},
        {CrosswalkRowMaxGreen, "maxGreen"}, {CrosswalkRowPassage, "passage"}, {CrosswalkRowMinGap, "minGap"},
        {CrosswalkRowTimeToReduce, "timeToReduce"}, {CrosswalkRowTimeBeforeReduction, "timeBeforeReduction"},
        {CrosswalkRowCycle, "cycle"}, {CrosswalkRowOffset, "offset"}};
    return keys;
}

const QStringList &patternPath()
{
    static const QStringList path{QStringLiteral("plans"), QStringLiteral("algorithm"), QStringLiteral("pattern")};
    return path;
}

const QStringList &paramsPath()
{
    static const QStringList path{QStringLiteral("plans"), QStringLiteral("algorithm"), QStringLiteral("params")};
    return path;
}

const QStringList &multiRingPath()
{
    static const QStringList path{QStringLiteral("modules"), QStringLiteral("MultiRing")};
    return path;
}

// A map as the user edits it: the configuration file's section at `path`, or
// indented JSON when the file has no layout for it.
QString sectionText(const QVariant &value, const QStringList &path)
{
    QByteArray text = TiverkIIConfig::humanizedSection(value.toMap(), path);
    if (text.isEmpty())
        text = QJsonDocument::fromVariant(value).toJson(QJsonDocument::Indented);
    return QString::fromUtf8(text);
}

// A cell that holds something; a cell emptied by the user holds an empty text.
bool holdsValue(const QVariant &value)
{
    return value.isValid() && !value.isNull()
        && !(value.type() == QVariant::String && value.toString().isEmpty());
}

// The cell as a number, or `fallback` when it holds none.
int cellInt(const QTableWidget *table, int row, int column, int fallback, bool *converted = nullptr)
{
    bool ok = false;
    const int value = tableCellValue(table, row, column).toInt(&ok);
    if (converted)
        *converted = ok;
    return ok ? value : fallback;
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

QList<int> sortedSelectedColumns(const QTableWidget *table)
{
    QList<int> columns = selectedColumns(table);
    std::sort(columns.begin(), columns.end());
    return columns;
}

// Highest first, so the columns still to remove keep their positions.
void removeSelectedColumns(QTableWidget *table)
{
    const QList<int> columns = sortedSelectedColumns(table);
    for (auto it = columns.crbegin(); it != columns.crend(); ++it)
        table->removeColumn(*it);
}

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

// Types whose program keeps the matrix chosen in the dialog; the others run without one.
bool keepsMatrix(int type)
{
    switch (type) {
    case CnfProgram::FixedTime:
    case CnfProgram::Coordinated:
    case CnfProgram::MultiRing:
    case CnfProgram::Stagering:
    case CnfProgram::Pedestrian:
    case CnfProgram::Sequence:
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

ProgramTiverk2Dlg::ProgramTiverk2Dlg(QWidget *parent, const CnfProgramPtr &program,
                                     CnfController *controller, Halm58a::Network *network,
                                     bool commandLine)
    : QDialog(parent)
    , m_controller(controller)
    , m_network(network)
    , m_commandLine(commandLine)
{
    init(program);
}

ProgramTiverk2Dlg::~ProgramTiverk2Dlg()
{
    // The windows are children and go with the dialog; hiding them first keeps
    // their geometry for the next time.
    if (auto *log = findChild<Tiverk2LogDlg *>(QStringLiteral("log_dlg")))
        log->hide();
    auto *chart = findChild<Tiverk2DiagrammDlg *>(QStringLiteral("chart_dlg"));
    if (chart && chart->isVisible())
        chart->hide();
    delete ui;
}

void ProgramTiverk2Dlg::init(const CnfProgramPtr &given)
{
    // 1. The timer is named before the form connects its slots by name.
    m_changed = m_commandLine;
    m_updateChartDelayTimer.setParent(this);
    m_updateChartDelayTimer.setObjectName(QStringLiteral("updateChartDelayTimer"));
    m_updateChartDelayTimer.setInterval(ChartDelayMs);
    m_updateChartDelayTimer.setSingleShot(true);
    ui = new Ui::ProgramTiverk2Dlg;
    ui->setupUi(this);
    ui->mr_mod_script->setTabStopDistance(40);

    // 2. The mode decides what is shown.
    if (m_commandLine && m_controller) {
        const QDateTime end = m_controller->property("dprog_stop").toDateTime();
        if (end.isValid())
            m_actionEnd = end;
    }
    showActionTime();
    ui->label_duration->setVisible(m_commandLine);
    ui->action_time->setVisible(m_commandLine);
    ui->changeActionTime->setVisible(m_commandLine);
    if (m_commandLine) {
        ui->mr_mod_script->setReadOnly(true);
        ui->changeMatrix->setEnabled(false);
        ui->algType->setEnabled(false);
        for (QWidget *widget : {static_cast<QWidget *>(ui->label_num), static_cast<QWidget *>(ui->progNum),
                                static_cast<QWidget *>(ui->label_name), static_cast<QWidget *>(ui->progName)})
            widget->hide();
    }
    ui->patternContent->hide();
    ui->stackedWidget->setCurrentWidget(ui->emptyPage);
    setCycleWidgetsVisible(false);

    // 3.
    if (!QSettings().value(QStringLiteral("expert_mode"), false).toBool())
        ui->showEmulatorLog->hide();

    // 7. (before 4, which needs to know which program is the edited one)
    m_original = CnfProgramPtr::create(m_controller);
    m_program = CnfProgramPtr::create(m_controller);
    if (given) {
        m_original->clone(*given);
        m_program->clone(*given);
        if (m_commandLine)
            m_program->id.clear();
    } else {
        int n = 1;
        while (n < 65534 && m_controller && m_controller->findProgram(QString::number(n)))
            ++n;
        m_program->id = QString::number(n);
        m_changed = true;
    }

    // 4. Numbers and names of the other programs are taken.
    QStringList numbers{QStringLiteral("0")};
    QStringList names;
    if (m_controller) {
        for (const CnfProgramPtr &other : m_controller->programs()) {
            if (other == given)
                continue;
            numbers << other->id;
            if (!other->name.isEmpty())
                names << other->name;
        }
    }
    m_validator = new DialogItemValidator(this);
    m_validator->addLineEdit(ui->progNum, numbers);
    m_validator->addLineEdit(ui->progName, names);

    // 5. and 6.
    setUpDelegates();
    m_matrix = CnfMatrixPtr::create();

    // 8.
    {
        const QSignalBlocker blocker(ui->progNum);
        ui->progNum->setText(m_program->id);
    }
    if (m_program->name.isEmpty()) {
        int n = 1;
        while (names.contains(tr("Program.%1").arg(n)))
            ++n;
        m_program->name = tr("Program.%1").arg(n);
    }
    ui->progName->setText(m_program->name);

    // 9. - 12.
    fillMatrixList(given);
    setUpActions();
    if (m_controller)
        m_multiRing = m_controller->nativeData()["modules"]["MultiRing"].toVariant().toMap();
    fillTypeList();

    // 13.
    if (given)
        m_changed = false;

    // 14.
    auto *log = new Tiverk2LogDlg(this);
    log->setObjectName(QStringLiteral("log_dlg"));
    connect(log, &Tiverk2LogDlg::visibilityChanged, ui->showEmulatorLog, &QAbstractButton::setChecked);
}

void ProgramTiverk2Dlg::setUpDelegates()
{
    const QList<CnfPhasePtr> phases = m_controller ? m_controller->phases() : QList<CnfPhasePtr>();
    const QList<CnfSignalGroupPtr> groups = m_controller ? m_controller->signalGroups() : QList<CnfSignalGroupPtr>();
    const QList<CnfDetectorPtr> detectors = m_controller ? m_controller->detectorsList() : QList<CnfDetectorPtr>();
    const QList<CnfDetectorPtr> sensors = m_controller ? m_controller->sensorsList() : QList<CnfDetectorPtr>();

    auto *stagePhases = new ComboBoxDelegate(ui->stageTable);
    auto *stepPhases = new ComboBoxDelegate(ui->stagering_table);
    for (const CnfPhasePtr &phase : phases) {
        stagePhases->addItem(phase->id);
        stepPhases->addItem(phase->friendlyName(), phase->id);
    }
    ui->stageTable->setItemDelegateForRow(StageRowPhase, stagePhases);
    ui->stagering_table->setItemDelegateForRow(0, stepPhases);
    ui->stagering_table->setItemDelegateForRow(
        1, new ComboBoxDelegate(ui->stagering_table, {tr("none"), tr("max"), tr("min"), tr("soft")},
                                {QStringLiteral("none"), QStringLiteral("max"), QStringLiteral("min"),
                                 QStringLiteral("soft")}));
    // The step numbers follow the number of steps; one delegate serves every row of them.
    m_stepNumbers = new ComboBoxDelegate(this);
    ui->stagering_table->setItemDelegateForRow(3, m_stepNumbers);
    for (int row : {0, 4, 5})
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
    ui->stagering_dt_table->setItemDelegateForRow(3, new CheckBoxDelegate(ui->stagering_dt_table, false, false));

    auto *groupChoice = new CheckBoxComboBoxDelegate(ui->pedestrianTable, QStringList());
    for (const CnfSignalGroupPtr &group : groups) {
        groupChoice->addItem(QString::number(group->id) + QLatin1String(" (")
                                 + CnfSignalGroup::type2String(group->type, true, true) + QLatin1Char(')'),
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
    auto *removePhaseAction = tableAction(ui->stageTable, tr("Remove phase"), Qt::CTRL + Qt::Key_Delete);
    connect(appendPhaseAction, &QAction::triggered, this, &ProgramTiverk2Dlg::appendPhase);
    connect(removePhaseAction, &QAction::triggered, this, &ProgramTiverk2Dlg::removePhase);
    insertActionsFirst(ui->stageTable, {appendPhaseAction, removePhaseAction});

    auto *appendCrosswalkAction = tableAction(ui->pedestrianTable, tr("Append crosswalk"), Qt::Key_Insert);
    auto *removeCrosswalkAction =
        tableAction(ui->pedestrianTable, tr("Remove crosswalk"), Qt::CTRL + Qt::Key_Delete);
    connect(appendCrosswalkAction, &QAction::triggered, this, &ProgramTiverk2Dlg::appendCrosswalk);
    connect(removeCrosswalkAction, &QAction::triggered, this, &ProgramTiverk2Dlg::removeCrosswalk);
    ui->pedestrianTable->addActions({appendCrosswalkAction, removeCrosswalkAction});

    auto *insertStep = tableAction(ui->stagering_table, tr("Insert step"), Qt::Key_Insert, QStringLiteral("ins_after"));
    auto *insertStepBefore = tableAction(ui->stagering_table, tr("Insert step before current"), QKeySequence(),
                                         QStringLiteral("ins_before"));
    auto *removeStep = tableAction(ui->stagering_table, tr("Remove step"), Qt::CTRL + Qt::Key_Delete);
    connect(insertStep, &QAction::triggered, this, &ProgramTiverk2Dlg::stagering_table_insert_step);
    connect(insertStepBefore, &QAction::triggered, this, &ProgramTiverk2Dlg::stagering_table_insert_step_before);
    connect(removeStep, &QAction::triggered, this, &ProgramTiverk2Dlg::stagering_table_remove_step);
    connect(ui->add_step, &QAbstractButton::clicked, insertStep, &QAction::trigger);
    connect(ui->insert_step_before, &QAbstractButton::clicked, insertStepBefore, &QAction::trigger);
    connect(ui->remove_step, &QAbstractButton::clicked, removeStep, &QAction::trigger);
    insertActionsFirst(ui->stagering_table, {insertStep, insertStepBefore, removeStep});

    auto *insertSource = tableAction(ui->stagering_dt_table, tr("Insert call source"), Qt::Key_Insert,
                                     QStringLiteral("ins_after"));
    auto *insertSourceBefore = tableAction(ui->stagering_dt_table, tr("Insert call source before current"),
                                           QKeySequence(), QStringLiteral("ins_before"));
    auto *removeSource = tableAction(ui->stagering_dt_table, tr("Remove call source"), Qt::CTRL + Qt::Key_Delete);
    connect(insertSource, &QAction::triggered, this, &ProgramTiverk2Dlg::stagering_dt_table_insert_detector);
    connect(insertSourceBefore, &QAction::triggered, this,
            &ProgramTiverk2Dlg::stagering_dt_table_insert_detector_before);
    connect(removeSource, &QAction::triggered, this, &ProgramTiverk2Dlg::stagering_dt_table_remove_detector);
    connect(ui->add_detector, &QAbstractButton::clicked, insertSource, &QAction::trigger);
    connect(ui->insert_detector_before, &QAbstractButton::clicked, insertSourceBefore, &QAction::trigger);
    connect(ui->remove_detector, &QAbstractButton::clicked, removeSource, &QAction::trigger);
    insertActionsFirst(ui->stagering_dt_table, {insertSource, insertSourceBefore, removeSource});
    // Inserting before a column needs a selected column.
    insertStepBefore->setEnabled(false);
    insertSourceBefore->setEnabled(false);
}

void ProgramTiverk2Dlg::fillMatrixList(const CnfProgramPtr &given)
{
    const QList<CnfMatrixPtr> matrices = m_controller ? m_controller->matrixList() : QList<CnfMatrixPtr>();
    int position = -1;
    {
        const QSignalBlocker blocker(ui->matrix);
        ui->matrix->clear();
        ui->matrix->addItem(tr("Default"), -1);
        for (int i = 0; i < matrices.size(); ++i) {
            const CnfMatrixPtr &matrix = matrices.at(i);
            ui->matrix->addItem(QString::number(matrix->id()) + QLatin1String(" (") + matrix->name()
                                    + QLatin1Char(')'),
                                i);
            if (m_program->matrix && matrix == m_program->matrix)
                position = i;
        }
        ui->matrix->setCurrentIndex(-1);
        m_defaultMatrix = position < 0;
        if (m_program->matrix && given)
            m_defaultMatrix = given->defaultMatrix;
        if (m_defaultMatrix && m_controller && m_controller->defaultMatrix())
            m_matrix->clone(m_controller->defaultMatrix());
    }
    // Selecting the program's own matrix is no choice of the user: a program
    // that follows the default matrix, and has it as its matrix, keeps doing so.
    const bool followsDefault =
        m_defaultMatrix && m_controller && position >= 0 && matrices.at(position) == m_controller->defaultMatrix();
    ui->matrix->setCurrentIndex(position + 1);
    if (followsDefault)
        m_defaultMatrix = true;
}

void ProgramTiverk2Dlg::fillTypeList()
{
    int current = -1;
    {
        const QSignalBlocker blocker(ui->algType);
        ui->algType->clear();
        for (int code = CnfProgram::YellowFlash; code <= CnfProgram::Sequence; ++code) {
            if (code == CnfProgram::Tiverk)
                continue;
            ui->algType->addItem(CnfProgram::typeName(code, true));
            ui->algType->setItemData(ui->algType->count() - 1, code, TypeCodeRole);
            if (code == m_program->type)
                current = ui->algType->count() - 1;
        }
        if (current < 0) {
            QString text = m_program->property("algorithm").toMap().value(QStringLiteral("type")).toString();
            if (text.isEmpty())
                text = tr("Unknown type");
            ui->algType->addItem(text);
            current = ui->algType->count() - 1;
            ui->algType->setItemData(current, UnlistedType, TypeCodeRole);
        }
    }
    // The first item is current once the list is built; its page is filled here.
    if (ui->algType->currentIndex() == current)
        fillAlgorithmPage();
    else
        ui->algType->setCurrentIndex(current);
}

int ProgramTiverk2Dlg::currentTypeCode() const
{
    const QVariant code = ui->algType->currentData(TypeCodeRole);
    return code.isValid() ? code.toInt() : UnlistedType;
}

CnfProgramPtr ProgramTiverk2Dlg::program() const
{
    return m_program;
}

void ProgramTiverk2Dlg::edited()
{
    m_changed = true;
    m_updateChartDelayTimer.start();
}

void ProgramTiverk2Dlg::setCycleWidgetsVisible(bool visible)
{
    for (QWidget *widget : {static_cast<QWidget *>(ui->coordinated), static_cast<QWidget *>(ui->label_cycleOffset),
                            static_cast<QWidget *>(ui->cycleOffset), static_cast<QWidget *>(ui->label_cycleLength),
                            static_cast<QWidget *>(ui->cycleLength)})
        widget->setVisible(visible);
    if (visible)
        ui->cycleLength->setReadOnly(false);
}

void ProgramTiverk2Dlg::setMatrixWidgetsVisible(bool visible)
{
    ui->label_matrix->setVisible(visible);
    ui->matrix->setVisible(visible);
    ui->changeMatrix->setVisible(visible);
}

void ProgramTiverk2Dlg::fillAlgorithmPage()
{
    const int type = m_program->type;
    for (QWidget *widget : {static_cast<QWidget *>(ui->label_script), static_cast<QWidget *>(ui->script),
                            static_cast<QWidget *>(ui->label_extensions), static_cast<QWidget *>(ui->extensions)})
        widget->setVisible(type == CnfProgram::Script);
    setMatrixWidgetsVisible(true);
    ui->showDiagramm->setVisible(type != CnfProgram::Sequence);
    ui->stageTable->setRowHidden(StageRowFullLength, false);

    switch (type) {
    case CnfProgram::FixedTime:
        ui->stackedWidget->setCurrentWidget(ui->timerPage);
        setCycleWidgetsVisible(false);
        ui->label_cycleLength->show();
        ui->cycleLength->show();
        ui->cycleLength->setReadOnly(true);
        break;
    case CnfProgram::Coordinated:
        ui->stackedWidget->setCurrentWidget(ui->timerPage);
        setCycleWidgetsVisible(true);
        if (!ui->coordinated->isChecked())
            ui->coordinated->setChecked(true);
        ui->coordinated->hide();
        break;
    case CnfProgram::MultiRing:
        ui->stackedWidget->setCurrentWidget(ui->multiringPage);
        setCycleWidgetsVisible(false);
        break;
    case CnfProgram::Script:
        ui->stackedWidget->setCurrentWidget(ui->scriptPage);
        setCycleWidgetsVisible(false);
        break;
    case CnfProgram::Timeline:
        ui->stackedWidget->setCurrentWidget(ui->timelinePage);
        setCycleWidgetsVisible(true);
        ui->coordinated->hide();
        ui->label_cycleOffset->hide();
        ui->cycleOffset->hide();
        ui->cycleLength->setEnabled(true);
        setMatrixWidgetsVisible(false);
        break;
    case CnfProgram::CoordinatedTimeline:
        ui->stackedWidget->setCurrentWidget(ui->timelinePage);
        setCycleWidgetsVisible(true);
        if (!ui->coordinated->isChecked())
            ui->coordinated->setChecked(true);
        ui->coordinated->hide();
        setMatrixWidgetsVisible(false);
        break;
    case CnfProgram::Stagering:
        ui->stackedWidget->setCurrentWidget(ui->stageringPage);
        setCycleWidgetsVisible(true);
        break;
    case CnfProgram::Pedestrian:
        ui->stackedWidget->setCurrentWidget(ui->pedestrianPage);
        setCycleWidgetsVisible(false);
        break;
    case CnfProgram::Sequence:
        ui->stackedWidget->setCurrentWidget(ui->timerPage);
        ui->stageTable->setRowHidden(StageRowFullLength, true);
        setCycleWidgetsVisible(false);
        ui->cycleLength->setReadOnly(false);
        break;
    default:
        ui->stackedWidget->setCurrentWidget(ui->emptyPage);
        setCycleWidgetsVisible(false);
        break;
    }

    switch (type) {
    case CnfProgram::FixedTime:
    case CnfProgram::Coordinated:
    case CnfProgram::Sequence:
        fillStages(type);
        break;
    case CnfProgram::MultiRing:
        fillMultiRing();
        break;
    case CnfProgram::Script:
        fillScript();
        break;
    case CnfProgram::Timeline:
    case CnfProgram::CoordinatedTimeline:
        fillTimeline(type);
        break;
    case CnfProgram::Stagering:
        fillSteps();
        break;
    case CnfProgram::Pedestrian:
        fillCrosswalks();
        break;
    default:
        break;
    }
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
            setTableCellValue(ui->stageTable, StageRowPhase, column, sequence.at(column).toString(), true);
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

void ProgramTiverk2Dlg::fillMultiRing()
{
    const QVariant pattern = m_program->property("pattern");
    // A click, so that the box shows or hides the special pattern's editor.
    if (pattern.type() == QVariant::Map) {
        if (!ui->specialPattern->isChecked())
            ui->specialPattern->click();
        ui->patternContent->setPlainText(sectionText(pattern, patternPath()));
    } else {
        if (ui->specialPattern->isChecked())
            ui->specialPattern->click();
        ui->pattern->setText(pattern.toString());
    }
    ui->mr_mod_script->setPlainText(sectionText(m_multiRing, multiRingPath()));
}

void ProgramTiverk2Dlg::fillScript()
{
    ui->script->setText(m_program->property("script").toString());
    ui->extensions->setText(m_program->property("extensions").toStringList().join(QLatin1Char(',')));
    ui->scriptParam->setPlainText(sectionText(m_program->property("params"), paramsPath()));
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
        const QList<CnfSignalGroupPtr> groups =
            m_controller ? m_controller->signalGroups() : QList<CnfSignalGroupPtr>();
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
                const QString text = CnfSignalGroup::colorState2String(it.value()) + QLatin1Char('|')
                    + QString::number(duration);
                setTableCellValue(table, row, column, text, true);
            }
        }
        if (table->columnCount() == 0)
            table->setColumnCount(1);
    }
    updateTimelineTotals();
}

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
        if (def->phase())
            setTableCellValue(steps, StepRowStage, column, def->phase()->id, true);
        for (const auto &key : stepKeys())
            setTableCellValue(steps, key.first, column, def->property(key.second), true);
        if (coordinated) {
            setTableCellValue(steps, StepRowCorrectionMin, column, def->property("correctionMin"), true);
            setTableCellValue(steps, StepRowCorrectionMax, column, def->property("correctionMax"), true);
        }
    }

    const QVariantList maps = m_program->property("conditions").toList();
    conditions->setColumnCount(maps.size());
    for (int column = 0; column < maps.size(); ++column) {
        const QVariantMap condition = maps.at(column).toMap();
        for (int row = 0; row < ConditionRowCount; ++row)
            setTableCellValue(conditions, row, column, condition.value(QLatin1String(ConditionKeys[row])), true);
    }
    steps->resizeColumnsToContents();
    conditions->resizeColumnsToContents();
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
            const CnfSignalGroupPtr group = byId ? m_controller->findSG(id) : m_controller->findSGByName(name);
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
        const QStringList groups =
            resolvedIds(crosswalk.value(QStringLiteral("groups")).toList()
                            + crosswalk.value(QStringLiteral("pedestrians")).toList(),
                        GroupReference);
        setTableCellValue(table, CrosswalkRowGroups, column, groups.join(QLatin1Char(',')), true);
        setTableCellValue(table, CrosswalkRowSensors, column,
                          resolvedIds(crosswalk.value(QStringLiteral("sensors")).toList(), SensorReference)
                              .join(QLatin1Char(',')),
                          true);
        setTableCellValue(table, CrosswalkRowDetectors, column,
                          resolvedIds(crosswalk.value(QStringLiteral("detectors")).toList(), DetectorReference)
                              .join(QLatin1Char(',')),
                          true);
        for (const auto &key : crosswalkTimes())
            setTableCellValue(table, key.first, column, crosswalk.value(QLatin1String(key.second)), true);
    }
}

bool ProgramTiverk2Dlg::storeProgram(bool validate)
{
    if (!m_changed)
        return true;

    // The type the form edits; the extra item of an unlisted type gives back the
    // program as it came, which the form cannot edit.
    const int listed = currentTypeCode();
    const int type = listed == UnlistedType ? m_original->type : listed;
    if (listed == UnlistedType)
        m_program->clone(*m_original);
    else
        m_program->clear();
    m_program->id = ui->progNum->text();
    m_program->name = ui->progName->text();
    m_program->type = type;

    // The matrix: the one being edited, the default one, the chosen one, or none.
    QWidget *editor = matrixEditor();
    if (editor && editor->isVisible()) {
        m_program->matrix = matrixEditorMatrix();
    } else {
        m_program->defaultMatrix = m_defaultMatrix;
        const QList<CnfMatrixPtr> matrices = m_controller ? m_controller->matrixList() : QList<CnfMatrixPtr>();
        bool ok = false;
        const int position = ui->matrix->currentData(Qt::UserRole).toInt(&ok);
        if (m_defaultMatrix && m_controller)
            m_program->matrix = m_controller->defaultMatrix();
        else if (ok && position >= 0 && position < matrices.size())
            m_program->matrix = matrices.at(position);
        else
            m_program->matrix.reset();
    }

    if (listed != UnlistedType) {
        bool stored = true;
        switch (type) {
        case CnfProgram::FixedTime:
        case CnfProgram::Coordinated:
            stored = storeStages(type, validate);
            break;
        case CnfProgram::MultiRing:
            stored = storeMultiRing(validate);
            break;
        case CnfProgram::Script:
            stored = storeScript();
            break;
        case CnfProgram::Timeline:
        case CnfProgram::CoordinatedTimeline:
            storeTimeline(type);
            break;
        case CnfProgram::Stagering:
            stored = storeSteps(validate);
            break;
        case CnfProgram::Pedestrian:
            stored = storeCrosswalks(validate);
            break;
        case CnfProgram::Sequence:
            stored = storeSequence(validate);
            break;
        default:
            break;
        }
        if (!stored)
            return false;
    }
    if (!keepsMatrix(type))
        m_program->matrix.reset();

    m_changed = false;
    return true;
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
                CalendarDlg::printError(this, tr("Phase '%1' defined in column %2 not exist").arg(id).arg(column));
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
                CalendarDlg::printError(this, tr("Phase '%1' defined in column %2 not exist").arg(id).arg(column));
                return false;
            }
            continue;
        }
        sequence << id.toInt();
    }
    m_program->setProperty("sequence", sequence.isEmpty() ? QVariant() : QVariant(sequence));
    return true;
}

bool ProgramTiverk2Dlg::storeMultiRing(bool validate)
{
    QVariant pattern;
    if (ui->specialPattern->isChecked()) {
        bool ok = false;
        const QVariant parsed = parseJsonEdit(ui->patternContent, &ok);
        // OK keeps the dialog open with the text, so the special pattern is not
        // lost; a refresh goes on without it.
        if (!ok && validate)
            return false;
        if (ok)
            pattern = parsed;
    } else {
        bool ok = false;
        const int number = ui->pattern->text().toInt(&ok);
        if (ok)
            pattern = number;
    }
    m_program->setProperty("pattern", pattern);

    bool ok = false;
    const QVariant modules = parseJsonEdit(ui->mr_mod_script, &ok);
    if (!ok)
        return false;
    m_multiRing = modules.toMap();
    return true;
}

bool ProgramTiverk2Dlg::storeScript()
{
    bool ok = false;
    const QVariant params = parseJsonEdit(ui->scriptParam, &ok);
    if (!ok)
        return false;
    m_program->setProperty("params", params);
    const QString script = ui->script->text();
    m_program->setProperty("script", script.isEmpty() ? QVariant() : QVariant(script));
    const QString extensions = ui->extensions->text();
    m_program->setProperty("extensions",
                           extensions.isEmpty()
                               ? QVariant()
                               : QVariant(extensions.split(QLatin1Char(','), Qt::SkipEmptyParts)));
    m_program->matrix.reset();
    return true;
}

void ProgramTiverk2Dlg::storeTimeline(int type)
{
    m_program->clearTimelineData();
    m_program->cycleLength = ui->cycleLength->value();
    if (type == CnfProgram::CoordinatedTimeline)
        m_program->setCycleOffset(ui->cycleOffset->value());
    const QList<CnfSignalGroupPtr> groups = m_controller ? m_controller->signalGroups() : QList<CnfSignalGroupPtr>();
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
            m_program->setTimelineData(groups.at(row), start, CnfSignalGroup::string2ColorState(parts.at(0)));
            start += parts.at(1).toInt();
        }
        cycle = qMax(cycle, start);
    }
    // The longest row is the cycle, whatever the spin box shows.
    m_program->cycleLength = cycle;
    m_program->matrix.reset();
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
        const CnfPhaseDefPtr def = m_program->appendPhase(phase, minGreen >= 0 ? minGreen : maxGreen);
        if (minGreen >= 0)
            def->setProperty("minGreen", minGreen);
        if (maxGreen >= 0)
            def->setProperty("maxGreen", maxGreen);
        if (coordinated) {
            for (const auto &key : {QPair<int, const char *>(StepRowCorrectionMin, "correctionMin"),
                                    QPair<int, const char *>(StepRowCorrectionMax, "correctionMax")}) {
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

bool ProgramTiverk2Dlg::storeCrosswalks(bool validate)
{
    const QTableWidget *table = ui->pedestrianTable;
    QVariantList crosswalks;
    for (int column = 0; column < table->columnCount(); ++column) {
        QVariantMap crosswalk;
        QVariantList groups;
        QVariantList pedestrians;
        const QStringList groupTokens =
            tableCellValue(table, CrosswalkRowGroups, column).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &token : groupTokens) {
            const CnfSignalGroupPtr group = m_controller ? m_controller->findSG(token.toInt()) : CnfSignalGroupPtr();
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

        for (int kind : {SensorReference, DetectorReference}) {
            const int row = kind == SensorReference ? CrosswalkRowSensors : CrosswalkRowDetectors;
            QVariantList ids;
            const QStringList tokens =
                tableCellValue(table, row, column).toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString &token : tokens) {
                CnfDetectorPtr found;
                if (m_controller)
                    found = kind == SensorReference ? m_controller->findSensor(token.toInt())
                                                    : m_controller->findDetector(token.toInt());
                if (!found) {
                    if (validate) {
                        CalendarDlg::printError(this, (kind == SensorReference ? tr("Sensor %1 not found")
                                                                               : tr("Detector %1 not found"))
                                                          .arg(token));
                        return false;
                    }
                    continue;
                }
                ids << found->id();
            }
            if (!ids.isEmpty())
                crosswalk.insert(kind == SensorReference ? QStringLiteral("sensors") : QStringLiteral("detectors"),
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

void ProgramTiverk2Dlg::on_algType_currentIndexChanged(int index)
{
    const int code = ui->algType->itemData(index, TypeCodeRole).toInt();
    // The extra item stands for the program's own type, which the list cannot name.
    m_program->type = code == UnlistedType ? m_original->type : code;
    m_changed = true;
    fillAlgorithmPage();
    m_updateChartDelayTimer.start();
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
    const QSignalBlocker blocker(m_program->type == CnfProgram::FixedTime ? ui->cycleLength : nullptr);
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
            for (int row : {ConditionRowOnStep, ConditionRowCall, ConditionRowRedirect})
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
    auto *choices = qobject_cast<ComboBoxDelegate *>(ui->stagering_table->itemDelegateForRow(StepRowCall));
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

// The text editors of the script and pattern pages are read only on OK and on
// the next refresh; they mark the program edited without starting one.
void ProgramTiverk2Dlg::on_pattern_textChanged(const QString &)
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_mr_mod_script_textChanged()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_scriptParam_textChanged()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_extensions_editingFinished()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_script_editingFinished()
{
    m_changed = true;
}

void ProgramTiverk2Dlg::on_patternContent_textChanged()
{
    m_changed = true;
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
            const QStringList parts =
                tableCellValue(table, row, column).toString().split(QLatin1Char('|'), Qt::SkipEmptyParts);
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
        title.truncate(title.indexOf(QLatin1Char('{')) < 0 ? title.size() : title.indexOf(QLatin1Char('{')));
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

void ProgramTiverk2Dlg::on_matrix_currentIndexChanged(int index)
{
    m_matrix->clear();
    const QList<CnfMatrixPtr> matrices = m_controller ? m_controller->matrixList() : QList<CnfMatrixPtr>();
    bool ok = false;
    const int position = ui->matrix->itemData(index, Qt::UserRole).toInt(&ok);
    if (ok && position >= 0 && position < matrices.size()) {
        m_matrix->clone(matrices.at(position));
        m_defaultMatrix = false;
    } else if (m_controller && m_controller->defaultMatrix()) {
        m_matrix->clone(m_controller->defaultMatrix());
    }
    edited();
}

MatrixDlg *ProgramTiverk2Dlg::matrixEditor() const
{
    return findChild<MatrixDlg *>(QStringLiteral("matrix_dlg"), Qt::FindDirectChildrenOnly);
}

CnfMatrixPtr ProgramTiverk2Dlg::matrixEditorMatrix() const
{
    MatrixDlg *editor = matrixEditor();
    return editor ? editor->matrix() : CnfMatrixPtr();
}

void ProgramTiverk2Dlg::on_changeMatrix_toggled(bool checked)
{
    MatrixDlg *editor = matrixEditor();
    if (!checked) {
        // The list comes back also when no editor could be opened (no road network).
        ui->matrix->setEnabled(true);
        if (editor) {
            keepMatrixEditorGeometry();
            delete editor;
        }
        return;
    }
    if (!editor && m_network) {
        auto copy = CnfMatrixPtr::create();
        copy->clone(m_matrix);
        editor = new MatrixDlg(this, m_controller, copy, m_network, false);
        editor->setObjectName(QStringLiteral("matrix_dlg"));
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->lockIdAndName();
        connect(editor, &MatrixDlg::valueChanged, this, &ProgramTiverk2Dlg::matrixValueChanged);
        connect(editor, &QDialog::accepted, this, &ProgramTiverk2Dlg::saveMatrixChanges);
        connect(editor, &QDialog::rejected, this, &ProgramTiverk2Dlg::resetMatrixChanges, Qt::QueuedConnection);
    }
    ui->matrix->setEnabled(false);
    if (editor) {
        const QByteArray geometry = QSettings().value(QLatin1String(MatrixGeometryKey)).toByteArray();
        if (!geometry.isEmpty())
            editor->restoreGeometry(geometry);
        editor->show();
    }
}

void ProgramTiverk2Dlg::keepMatrixEditorGeometry()
{
    if (MatrixDlg *editor = matrixEditor())
        QSettings().setValue(QLatin1String(MatrixGeometryKey), editor->saveGeometry());
}

// The editor closed: "Change matrix" is unticked without closing it again, and
// the matrix list is offered again.
void ProgramTiverk2Dlg::matrixEditorClosed()
{
    keepMatrixEditorGeometry();
    const QSignalBlocker blocker(ui->changeMatrix);
    ui->changeMatrix->setChecked(false);
    ui->matrix->setEnabled(true);
}

void ProgramTiverk2Dlg::matrixValueChanged(int offSg, int onSg, qreal value)
{
    const CnfMatrixPtr edited = matrixEditorMatrix();
    if (edited && m_controller) {
        const CnfSignalGroupPtr off = m_controller->findSG(offSg);
        const CnfSignalGroupPtr on = m_controller->findSG(onSg);
        if (off && on)
            edited->setReleaf(on, off, value);
    }
    m_updateChartDelayTimer.start();
}

// Accepting the editor changes the controller's matrix at once, whatever
// becomes of this dialog.
void ProgramTiverk2Dlg::saveMatrixChanges()
{
    const CnfMatrixPtr edited = matrixEditorMatrix();
    if (edited && m_controller) {
        const QList<CnfMatrixPtr> matrices = m_controller->matrixList();
        bool ok = false;
        const int position = ui->matrix->currentData(Qt::UserRole).toInt(&ok);
        if (m_defaultMatrix) {
            if (const CnfMatrixPtr target = m_controller->defaultMatrix()) {
                target->clone(edited);
                m_matrix->clone(target);
            }
        } else if (ok && position >= 0 && position < matrices.size()) {
            matrices.at(position)->clone(edited);
            m_matrix->clone(matrices.at(position));
        }
    }
    matrixEditorClosed();
}

void ProgramTiverk2Dlg::resetMatrixChanges()
{
    matrixEditorClosed();
    refresh_chart();
}

void ProgramTiverk2Dlg::on_showDiagramm_toggled(bool checked)
{
    auto *chart = findChild<Tiverk2DiagrammDlg *>(QStringLiteral("chart_dlg"));
    if (!checked) {
        if (chart && chart->isVisible())
            chart->hide();
        return;
    }
    if (!chart) {
        chart = new Tiverk2DiagrammDlg(this, m_controller);
        chart->setObjectName(QStringLiteral("chart_dlg"));
        connect(chart, &Tiverk2DiagrammDlg::visibilityChanged, ui->showDiagramm, &QAbstractButton::setChecked);
        connect(chart, &Tiverk2DiagrammDlg::needToRefresh, this, &ProgramTiverk2Dlg::refresh_chart);
    }
    chart->show();
    refresh_chart();
}

void ProgramTiverk2Dlg::on_showEmulatorLog_toggled(bool checked)
{
    auto *log = findChild<Tiverk2LogDlg *>(QStringLiteral("log_dlg"));
    if (log && log->isVisible() != checked)
        log->setVisible(checked);
}

void ProgramTiverk2Dlg::on_updateChartDelayTimer_timeout()
{
    refresh_chart();
}

void ProgramTiverk2Dlg::refresh_chart()
{
    if (auto *log = findChild<Tiverk2LogDlg *>(QStringLiteral("log_dlg")))
        log->clearLog();
    storeProgram(false);
    m_changed = true;
    CnfMatrixPtr shown = m_matrix;
    if (matrixEditor() && matrixEditorMatrix())
        shown = matrixEditorMatrix();
    auto *chart = findChild<Tiverk2DiagrammDlg *>(QStringLiteral("chart_dlg"));
    if (chart && chart->isVisible())
        chart->setData(m_program, m_multiRing, shown);
    if (ui->cycleLength->isVisible() && !ui->coordinated->isChecked())
        ui->cycleLength->setValue(m_program->cycle(true));
}

QVariant ProgramTiverk2Dlg::parseJsonEdit(QTextEdit *edit, bool *ok)
{
    if (!edit)
        return QVariant(false);
    const QByteArray bytes = edit->toPlainText().toUtf8();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        // The line of the error is selected, so the user sees where to look.
        const int line = 1 + int(bytes.left(error.offset + 1).count('\n'));
        QTextCursor cursor(edit->document()->findBlockByNumber(line - 1));
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        CalendarDlg::printError(this, tr("Error at line %1: ").arg(line) + error.errorString());
        if (ok)
            *ok = false;
        return QVariant();
    }
    if (ok)
        *ok = true;
    return document.toVariant();
}

void ProgramTiverk2Dlg::on_formatScript_clicked()
{
    bool ok = false;
    const QVariant modules = parseJsonEdit(ui->mr_mod_script, &ok);
    if (ok) {
        const QByteArray text = TiverkIIConfig::humanizedSection(
            modules.toMap(), {QStringLiteral("modules"), QStringLiteral("MultiRing")});
        if (!text.isEmpty())
            ui->mr_mod_script->setPlainText(QString::fromUtf8(text));
    }
    if (ui->specialPattern->isChecked()) {
        const QVariant pattern = parseJsonEdit(ui->patternContent, &ok);
        if (ok) {
            const QByteArray text = TiverkIIConfig::humanizedSection(
                pattern.toMap(), {QStringLiteral("plans"), QStringLiteral("algorithm"), QStringLiteral("pattern")});
            if (!text.isEmpty())
                ui->patternContent->setPlainText(QString::fromUtf8(text));
        }
    }
}

void ProgramTiverk2Dlg::on_coordinated_toggled(bool checked)
{
    ui->cycleOffset->setEnabled(checked);
    ui->cycleLength->setEnabled(checked);
    if (m_program->type == CnfProgram::Stagering) {
        ui->stagering_table->setRowHidden(6, !checked);
        ui->stagering_table->setRowHidden(7, !checked);
    }
    edited();
}

void ProgramTiverk2Dlg::on_cycleOffset_valueChanged(int)
{
    edited();
}

void ProgramTiverk2Dlg::on_cycleLength_valueChanged(int)
{
    edited();
}

void ProgramTiverk2Dlg::on_specialPattern_clicked(bool checked)
{
    ui->patternContent->setVisible(checked);
    ui->pattern->setEnabled(!checked);
}

void ProgramTiverk2Dlg::showActionTime()
{
    ui->action_time->setText(m_actionEnd.isValid() ? m_actionEnd.toString(QLatin1String(DateTimeFormat))
                                                   : tr("unlimited"));
}

void ProgramTiverk2Dlg::on_changeActionTime_clicked()
{
    // Cancel keeps the end time the program had.
    if (TimeDialog::editEnd(this, &m_actionEnd))
        m_changed = true;
    showActionTime();
}

void ProgramTiverk2Dlg::done(int result)
{
    if (result == QDialog::Accepted) {
        if (!m_changed && (ui->progNum->text() != m_program->id || ui->progName->text() != m_program->name))
            m_changed = true;
        if (!storeProgram(true))
            return;
        if (m_actionEnd.isValid() && m_controller)
            m_controller->setProperty("dprog_stop", m_actionEnd);
    }
    // The MultiRing settings go back whatever the result; a controller that has
    // none does not get an empty entry.
    if (m_controller) {
        VObject stored = m_controller->nativeData()["modules"]["MultiRing"];
        if (stored.toVariant().toMap() != m_multiRing)
            stored = QVariant(m_multiRing);
    }
    QDialog::done(result);
}
