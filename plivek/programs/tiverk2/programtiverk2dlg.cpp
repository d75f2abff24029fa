#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "programtiverk2cells.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfprogram.h"
#include "cnf/vobject.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "plivek/framework/timedialog.h"
#include "plivek/programs/emulation/tiverk2diagrammdlg.h"
#include "plivek/programs/emulation/tiverk2logdlg.h"
#include "plivek/programs/programsteps.h"

#include <QSettings>

using namespace ProgramTiverk2Cells;

namespace {

// The item of the type list carries its algorithm code in this role.
constexpr int TypeCodeRole = Qt::UserRole + 1;
// The code of the extra item for a program whose type the list does not hold.
constexpr int UnlistedType = -1;
constexpr int ChartDelayMs = 50;
const char *const DateTimeFormat = "dd.MM.yyyy hh:mm:ss";

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
        for (QWidget *widget :
             { static_cast<QWidget *>(ui->label_num), static_cast<QWidget *>(ui->progNum),
               static_cast<QWidget *>(ui->label_name), static_cast<QWidget *>(ui->progName) })
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
        // Not an id that day cards still name: the new program would run their slots.
        m_program->id = m_controller ? m_controller->freeProgramId() : QStringLiteral("1");
        m_changed = true;
    }

    // 4. Numbers and names of the other programs are taken.
    const TakenProgramIds taken = takenProgramIds(m_controller, given);
    m_validator = new DialogItemValidator(this);
    m_validator->addLineEdit(ui->progNum, taken.numbers);
    m_validator->addLineEdit(ui->progName, taken.names);

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
        while (taken.names.contains(tr("Program.%1").arg(n)))
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
    connect(log, &Tiverk2LogDlg::visibilityChanged, ui->showEmulatorLog,
            &QAbstractButton::setChecked);
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
            QString text
                = m_program->property("algorithm").toMap().value(QStringLiteral("type")).toString();
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
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->coordinated), static_cast<QWidget *>(ui->label_cycleOffset),
           static_cast<QWidget *>(ui->cycleOffset), static_cast<QWidget *>(ui->label_cycleLength),
           static_cast<QWidget *>(ui->cycleLength) })
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
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->label_script), static_cast<QWidget *>(ui->script),
           static_cast<QWidget *>(ui->label_extensions), static_cast<QWidget *>(ui->extensions) })
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
        const QList<CnfMatrixPtr> matrices
            = m_controller ? m_controller->matrixList() : QList<CnfMatrixPtr>();
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

void ProgramTiverk2Dlg::on_algType_currentIndexChanged(int index)
{
    const int code = ui->algType->itemData(index, TypeCodeRole).toInt();
    // The extra item stands for the program's own type, which the list cannot name.
    m_program->type = code == UnlistedType ? m_original->type : code;
    m_changed = true;
    fillAlgorithmPage();
    m_updateChartDelayTimer.start();
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

void ProgramTiverk2Dlg::showActionTime()
{
    ui->action_time->setText(m_actionEnd.isValid()
                                 ? m_actionEnd.toString(QLatin1String(DateTimeFormat))
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
        if (!m_changed
            && (ui->progNum->text() != m_program->id || ui->progName->text() != m_program->name))
            m_changed = true;
        // A new number that a place naming the program by its number cannot
        // hold is refused before anything is stored; the dialog stays open.
        if (!m_commandLine && m_controller && m_controller->findProgram(m_original->id)
            && ui->progNum->text() != m_original->id) {
            const QString refusal
                = m_controller->programIdRefusal(m_original->id, ui->progNum->text());
            if (!refusal.isEmpty()) {
                CalendarDlg::printError(this, refusal);
                return;
            }
        }
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
