#include "programdlg.h"
#include "ui_programdlg.h"

#include "chartsavefolder.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnfsignalgroup.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/dialogs/elements/interstatesdlg.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "plivek/framework/timedialog.h"
#include "plivek/programs/emulation/emulatorparametersdlg.h"
#include "plivek/programs/tiverk3/algorithmtable.h"
#include "plotlet/chart.h"
#include "programdiagram.h"
#include "programsteps.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

enum PhaseRow { PhaseIdRow = 0, LengthRow = 1, FullLengthRow = 2 };

// The page shown before the diagram page was opened; shared by every program
// dialog of the process so that the next one opens where the user left off.
int rememberedPage = 1;

const char *const TimeFormat = "dd.MM.yyyy hh:mm:ss";

QVariant cellValue(const QVariant &value)
{
    // A cell whose text was erased is as empty as a cell that never had a value.
    if (value.isNull() || !value.isValid()
        || (value.type() == QVariant::String && value.toString().isEmpty()))
        return QVariant();
    if (value.canConvert<int>())
        return value.toInt();
    return value;
}

bool hasSlot(const QObject *object, const char *signature)
{
    return object && object->metaObject()->indexOfSlot(signature) >= 0;
}

} // namespace

ProgramDlg::ProgramDlg(QWidget *parent, const CnfProgramPtr &program, CnfController *controller,
                       bool durationMode, Halm58a::Network *network)
    : QDialog(parent)
    , ui(new Ui::ProgramDlg)
    , m_controller(controller)
    , m_network(network)
    , m_durationMode(durationMode)
{
    init(program);
}

ProgramDlg::~ProgramDlg()
{
    delete ui;
}

void ProgramDlg::init(const CnfProgramPtr &program)
{
    // 1. The form. The emulator library must not load the bus and keyboard
    // plug-ins; a setting the user already has is left alone.
    ui->setupUi(this);
    EmulatorParametersDlg::storeDefaultDisabledPluginsUnlessSet();

    // 2. Numbers and names of the other programs may not be taken.
    const TakenProgramIds taken = takenProgramIds(m_controller, program);
    m_validator = new DialogItemValidator(this);
    m_validator->addLineEdit(ui->progNum, taken.numbers);
    m_validator->addLineEdit(ui->progName, taken.names);
    connect(ui->progNum, &QLineEdit::textChanged, this, &ProgramDlg::updateOkButton);
    connect(ui->progName, &QLineEdit::textChanged, this, &ProgramDlg::updateOkButton);

    // 3. Duration mode shows how long the program runs instead of its number and name.
    ui->label_3->setVisible(m_durationMode);
    ui->action_time->setVisible(m_durationMode);
    ui->changeActionTime->setVisible(m_durationMode);
    ui->label_2->setVisible(!m_durationMode);
    ui->progNum->setVisible(!m_durationMode);
    ui->label_7->setVisible(!m_durationMode);
    ui->progName->setVisible(!m_durationMode);
    if (m_durationMode && m_controller) {
        m_endTime = m_controller->property("dprog_stop").toDateTime();
        if (m_endTime.isValid())
            ui->action_time->setText(m_endTime.toString(QLatin1String(TimeFormat)));
    }

    // 4. The clone, or a new program with the first free number.
    m_program = editableProgramCopy(program, m_controller);
    m_modified = !program;

    // 5., 6. Delegates (the parameter table makes its own) and the number.
    m_family = readFamily();
    m_table = new AlgorithmTable(ui->tiverkTable, m_controller, m_family, this);
    connect(m_table, &AlgorithmTable::edited, this, &ProgramDlg::tableEdited);
    connect(m_table, &AlgorithmTable::warning, this, &ProgramDlg::printWarning);
    if (m_controller)
        m_table->setPhaseIds(CnfProgramRecord::phaseIds(*m_controller, *m_program));
    ui->phaseTable->setItemDelegateForRow(PhaseIdRow, m_table->phaseDelegate());
    {
        const QSignalBlocker blocker(ui->progNum);
        ui->progNum->setText(m_program->id);
    }

    // 7. A program of another family gets a name no other program has.
    if (m_family == 0 && m_program->name.isEmpty()) {
        for (int k = 1;; ++k) {
            const QString name = tr("Program.%1").arg(k);
            if (!taken.names.contains(name)) {
                m_program->name = name;
                break;
            }
        }
    }
    ui->progName->setText(m_program->name);
    ui->chart->setMinGridStepX(1.0);

    // 8. TIVERK 3.x and adapter: no offset box and no name; the interstate
    // records of every group are kept for Cancel.
    if (m_family != 0) {
        ui->label_5->hide();
        ui->cycleOffset->hide();
        ui->label_7->hide();
        ui->progName->hide();
        if (m_controller) {
            for (const CnfSignalGroupPtr &group : m_controller->signalGroups()) {
                if (group)
                    m_savedInterstates.insert(group->id, group->interstates);
            }
        }
    }

    // 9. The algorithm types of the layout.
    if (m_family != 0) {
        ui->progParamPages->setCurrentWidget(ui->tiverkPage);
        const QSignalBlocker blocker(ui->algType);
        if (m_controller)
            m_layout = m_controller->tiverkLayout();
        m_table->setLayout(m_layout);
        const QDomElement chapter = AlgorithmTable::programsChapter(m_layout);
        if (!chapter.isNull()) {
            if (!program) {
                const QByteArray bytes(AlgorithmTable::recordSize(chapter), char(255));
                if (!m_controller->setProgramRawData(m_program, bytes))
                    printError(m_controller->lastError());
            }
            for (QDomElement type = chapter.firstChildElement(QStringLiteral("Type"));
                 !type.isNull(); type = type.nextSiblingElement(QStringLiteral("Type"))) {
                ui->algType->addItem(type.attribute(QStringLiteral("name")));
                const int index = ui->algType->count() - 1;
                ui->algType->setItemData(index, QVariant::fromValue(type), Qt::UserRole);
                ui->algType->setItemData(index, type.attribute(QStringLiteral("id")).toInt(),
                                         Qt::UserRole + 1);
            }
        }
    }

    // 10. The program's type builds the table.
    {
        const QSignalBlocker blocker(ui->algType);
        ui->algType->setCurrentIndex(-1);
    }
    const int typeIndex = program ? ui->algType->findData(m_program->kind, Qt::UserRole + 1) : 0;
    if (typeIndex >= 0 && ui->algType->count() > 0)
        ui->algType->setCurrentIndex(typeIndex);
    else
        on_algType_currentIndexChanged(-1);

    // 11. Green start time, the table's flag and the interstate editor.
    if (m_family != 1) {
        ui->greenStartTime->hide();
        ui->label_8->hide();
    }
    ui->tiverkTable->resetModified();
    if (m_family == 1) {
        m_interstates = new InterstatesDlg(ui->interstate_widget, m_controller, true);
        auto *layout = new QVBoxLayout(ui->interstate_widget);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_interstates);
        m_interstates->show();
        // The editor reports its variant and its edits where it offers them.
        if (m_interstates->metaObject()->indexOfSignal("variantChanged(int)") >= 0)
            connect(m_interstates, SIGNAL(variantChanged(int)), this,
                    SLOT(istateVariantChanged(int)));
        if (m_interstates->metaObject()->indexOfSignal(
                "istateChanged(CnfSignalGroupPtr,int,uint,int)")
            >= 0)
            connect(m_interstates, SIGNAL(istateChanged(CnfSignalGroupPtr, int, uint, int)), this,
                    SLOT(istateChanged(CnfSignalGroupPtr, int, uint, int)));
    } else if (m_family == 0) {
        ui->interstate_widget->hide();
    }

    // 12. Cycle length.
    {
        const QSignalBlocker blocker(ui->cycleLength);
        int cycle = 300;
        if (program)
            cycle = m_family == 0 ? 2 * m_program->cycleLength : m_program->cycle(false);
        ui->cycleLength->setValue(cycle == 0 ? 300 : cycle);
        ui->cycleLength->setReadOnly(m_family != 0);
    }
    ui->changeMatrix->hide();
    if (m_family == 2)
        ui->showDiagramm->hide();

    // 13. The chart's context menu.
    auto *saveAsSvg = new QAction(tr("Save as SVG"), ui->chart);
    connect(saveAsSvg, &QAction::triggered, this, &ProgramDlg::chart_save_as_svg);
    ui->chart->addAction(saveAsSvg);
    buildDiagram(m_program);
    updateOkButton();
}

CnfProgramPtr ProgramDlg::program() const
{
    return m_program;
}

int ProgramDlg::readFamily() const
{
    const QString type = m_controller ? m_controller->property("type").toString() : QString();
    if (type == QLatin1String("tiverk"))
        return 1;
    if (type == QLatin1String("adapter"))
        return 2;
    return 0;
}

int ProgramDlg::currentType() const
{
    return ui->algType->currentIndex() < 0 ? -1
                                           : ui->algType->currentData(Qt::UserRole + 1).toInt();
}

void ProgramDlg::on_algType_currentIndexChanged(int index)
{
    if (ui->tiverkTable->modified) {
        m_modified = true;
        storeRawData();
    }
    m_table->build(index < 0 ? QDomElement()
                             : ui->algType->itemData(index, Qt::UserRole).value<QDomElement>(),
                   tableRecord());
    updateGreenStartTime();
    ui->showDiagramm->setVisible(m_family != 2);
    showTypeMessage();
    updateOkButton();
}

void ProgramDlg::showTypeMessage()
{
    // A program of a type the layout lacks would otherwise open as a blank form.
    const bool unknown = m_family != 0 && ui->algType->currentIndex() < 0 && m_program
        && ui->algType->findData(m_program->kind, Qt::UserRole + 1) < 0;
    if (unknown) {
        const QString family = m_family == 2
            ? QStringLiteral("adapter")
            : (m_controller ? m_controller->property("version").toString() : QString());
        ui->typeMessage->setText(
            tr("The algorithm type %1 (%2) of this program is not described for this controller: "
               "its parameters cannot be shown. Choose a type to set the program anew.")
                .arg(m_program->kind)
                .arg(CnfProgram::tiverkTypeName(m_program->kind, family, true)));
    }
    ui->typeMessage->setVisible(unknown);
}

bool ProgramDlg::storeRawData()
{
    if (m_family == 0 || !m_controller)
        return true;
    const QByteArray bytes = m_table->store(fullRecord(), ui->progNum->text().toInt(),
                                            currentType() < 0 ? 255 : currentType());
    if (m_controller->setProgramRawData(m_program, bytes)) {
        CnfProgramRecord::applyTo(*m_controller, m_layout, bytes, *m_program);
        // The table shows the cycle the record now states, so that a later store
        // (OK after the diagram page) does not write the old one back.
        const QByteArray fitted = withCycleOfSteps(bytes);
        if (fitted != bytes) {
            if (m_controller->setProgramRawData(m_program, fitted)) {
                m_table->showCycle(CnfProgramRecord::readCycle(m_layout, fitted));
                updateGreenStartTime();
            } else {
                printError(m_controller->lastError());
            }
        }
    } else {
        printError(m_controller->lastError());
    }
    ui->tiverkTable->resetModified();
    return true;
}

QByteArray ProgramDlg::withCycleOfSteps(const QByteArray &record) const
{
    const int made = m_program->cycle(true);
    if (m_program->phaseCount() == 0 || made <= 0)
        return record;
    // A cleared cell states no cycle: the steps give it one.
    if (m_cycleTyped && CnfProgramRecord::readCycle(m_layout, record) >= 0)
        return record;
    return CnfProgramRecord::withCycle(m_layout, record, made);
}

int ProgramDlg::typedCycleMismatch() const
{
    const int stated = CnfProgramRecord::readCycle(m_layout, m_program->data());
    const int made = m_program->cycle(true);
    if (!m_cycleTyped || m_program->phaseCount() == 0 || made <= 0 || stated < 0 || stated == made)
        return -1;
    return stated;
}

QByteArray ProgramDlg::fullRecord() const
{
    // A record shorter than the layout's (older files, other tools) would drop
    // every value written into its missing fields: it gets them, not set.
    return CnfProgramRecord::extended(
        m_program->data(), AlgorithmTable::recordSize(AlgorithmTable::programsChapter(m_layout)));
}

QByteArray ProgramDlg::tableRecord() const
{
    // A record without the step sequence shows the program's steps: only rows the
    // user clears remove steps.
    if (!m_controller)
        return m_program->data();
    return CnfProgramRecord::completed(
        *m_controller, m_layout, m_program->data(),
        AlgorithmTable::recordSize(AlgorithmTable::programsChapter(m_layout)), *m_program);
}

void ProgramDlg::storeDiagramEdits()
{
    if (!m_diagramEdited || m_family == 0 || !m_controller)
        return;
    m_diagramEdited = false;
    QByteArray data = fullRecord();
    if (data.size() < 2)
        return;
    // The steps go where the chosen type keeps them.
    if (currentType() >= 0)
        data[1] = char(currentType());
    data = withCycleOfSteps(CnfProgramRecord::withProgram(
        m_layout, data, CnfProgramRecord::phaseIds(*m_controller, *m_program), *m_program));
    if (!m_controller->setProgramRawData(m_program, data)) {
        printError(m_controller->lastError());
        return;
    }
    on_algType_currentIndexChanged(ui->algType->currentIndex());
}

void ProgramDlg::updateGreenStartTime()
{
    const bool shown = m_family == 1 && m_table->hasGreenStartTime(currentType());
    ui->greenStartTime->setVisible(shown);
    ui->label_8->setVisible(shown);
    if (!shown)
        return;
    const QSignalBlocker blocker(ui->greenStartTime);
    ui->greenStartTime->setValue(m_table->greenStartTime());
}

void ProgramDlg::on_greenStartTime_valueChanged(int value)
{
    m_table->setGreenStartTime(value);
}

void ProgramDlg::on_tiverkTable_itemChanged(QTableWidgetItem *item)
{
    m_table->itemChanged(item);
}

void ProgramDlg::tableCurrentCellChanged(int, int, int, int)
{
    m_table->nestedCurrentCellChanged();
}

void ProgramDlg::appendPhase()
{
    m_table->appendPhase();
}

void ProgramDlg::removePhase()
{
    m_table->removePhase();
}

void ProgramDlg::tableEdited(QTableWidgetItem *item)
{
    if (item && item == m_table->cycleItem())
        m_cycleTyped = true;
    if (m_family == 0 && item && item->tableWidget() == ui->tiverkTable && item->row() == 1) {
        int sum = 0;
        for (int column = 0; column < ui->tiverkTable->columnCount(); ++column) {
            if (const QTableWidgetItem *cell = ui->tiverkTable->item(1, column))
                sum += cell->text().toInt();
        }
        const int value = sum != 0 ? 2 * sum : item->text().toInt();
        ui->cycleLength->setValue(value != 0 ? value : 300);
    }
    updateGreenStartTime();
    updateOkButton();
}

void ProgramDlg::updateOkButton()
{
    m_validator->updateOkButton();
    if (QPushButton *ok = ui->buttonBox->button(QDialogButtonBox::Ok))
        ok->setEnabled(m_table->allCellsValid());
}

void ProgramDlg::on_changeActionTime_clicked()
{
    // Cancel keeps the end time the program had.
    if (TimeDialog::editEnd(this, &m_endTime))
        m_modified = true;
    showActionTime();
}

void ProgramDlg::showActionTime()
{
    ui->action_time->setText(m_endTime.isValid() ? m_endTime.toString(QLatin1String(TimeFormat))
                                                 : tr("unlimited"));
}

void ProgramDlg::done(int result)
{
    if (result == QDialog::Accepted) {
        // Leaving the diagram page the usual way keeps button and page together
        // should the OK be refused, and takes the diagram's edits into the table.
        ui->showDiagramm->setChecked(false);
        m_modified |= ui->tiverkTable->modified;
        if (m_family != 0 && !m_modified && currentType() == m_program->kind
            && ui->progNum->text() == m_program->id) {
            QDialog::done(QDialog::Rejected);
            return;
        }
        // A new number that a place naming the program by its number cannot
        // hold is refused before anything is stored; the dialog stays open.
        if (!m_durationMode && m_controller && m_controller->findProgram(m_program->id)
            && ui->progNum->text() != m_program->id) {
            const QString refusal
                = m_controller->programIdRefusal(m_program->id, ui->progNum->text());
            if (!refusal.isEmpty()) {
                printError(refusal);
                return;
            }
        }
        // A program without a record (a timeline program of the file) keeps
        // none when only its number or name changed: they name it, the record
        // would be one of the type the dialog merely shows.
        const bool withoutRecord
            = m_program->data().isEmpty() && !m_modified && currentType() == m_program->kind;
        // The record stores the number in a byte: a new number of a program
        // whose record the dialog writes, or a new program's, is one the byte
        // holds (an id the file already gave the program stays as it is).
        const bool newNumber = ui->progNum->text() != m_program->id || !m_controller
            || !m_controller->findProgram(m_program->id);
        if (!m_durationMode && m_family != 0 && !withoutRecord && newNumber
            && !CnfProgramRecord::holdsAsNumber(ui->progNum->text())) {
            printError(tr("The record of program %1 holds its number: the id must be a number "
                          "from %2 to %3")
                           .arg(ui->progNum->text())
                           .arg(CnfProgramRecord::LowestNumber)
                           .arg(CnfProgramRecord::HighestNumber));
            return;
        }
        if (!withoutRecord)
            storeRawData();
        if (m_family != 0 && m_controller) {
            const int typed = typedCycleMismatch();
            if (typed >= 0) {
                printWarning(tr("Program %1: the cycle is %2 s, its steps make %3 s")
                                 .arg(ui->progNum->text())
                                 .arg(typed)
                                 .arg(m_program->cycle(true)));
            }
        }
        if (m_endTime.isValid() && m_controller)
            m_controller->setProperty("dprog_stop", m_endTime);
        if (!m_durationMode) {
            m_program->id = ui->progNum->text();
            m_program->name = ui->progName->text();
        }
        const QTableWidgetItem *variant
            = withoutRecord ? nullptr : m_table->interstateVariantItem();
        if (variant
            && (variant->text().isEmpty() || variant->text() == AlgorithmTable::noVariantText())) {
            printError(tr("Interstate variant not set"));
            return;
        }
        QDialog::done(QDialog::Accepted);
        return;
    }
    // The embedded interstate editor edits the controller's groups in place: each
    // gets its own records back.
    if (m_controller && m_family != 0) {
        for (const CnfSignalGroupPtr &group : m_controller->signalGroups()) {
            if (group && m_savedInterstates.contains(group->id))
                group->interstates = m_savedInterstates.value(group->id);
        }
    }
    QDialog::done(result);
}

void ProgramDlg::on_showDiagramm_toggled(bool checked)
{
    if (!checked) {
        if (m_family == 0)
            on_algType_currentIndexChanged(ui->algType->currentIndex());
        else
            storeDiagramEdits();
        ui->progParamPages->setCurrentIndex(rememberedPage);
        return;
    }
    if (ui->tiverkTable->modified) {
        m_modified = true;
        storeRawData();
    }
    if (m_family != 0) {
        if (m_program->interstateVariant < 0) {
            printError(tr("Interstate variant not set"));
            const QSignalBlocker blocker(ui->showDiagramm);
            ui->showDiagramm->setChecked(false);
            return;
        }
        if (m_interstates && m_interstates->metaObject()->indexOfMethod("setVariant(int)") >= 0)
            QMetaObject::invokeMethod(m_interstates, "setVariant",
                                      Q_ARG(int, m_program->interstateVariant));
    }
    rememberedPage = ui->progParamPages->currentIndex();
    ui->progParamPages->setCurrentWidget(ui->diagrammPage);
    ui->frame->setVisible(m_program->phaseCount() > 0);
    buildDiagram(m_program);
    fillPhaseTable();
}

void ProgramDlg::fillPhaseTable()
{
    m_fillingPhases = true;
    ParametersTable *table = ui->phaseTable;
    const QSignalBlocker blocker(table);
    table->clearContents();
    table->setRowCount(3);
    table->setVerticalHeaderLabels({ tr("Phase"), tr("Duration"), tr("Full duration") });
    table->setColumnCount(m_program->phaseCount() + 1);
    for (int column = 0; column < table->columnCount(); ++column)
        fillPhaseColumn(column);
    m_fillingPhases = false;
}

void ProgramDlg::fillPhaseColumn(int column)
{
    ParametersTable *table = ui->phaseTable;
    const QSignalBlocker blocker(table);
    const CnfPhaseDefPtr def = m_program->phaseDefAt(column);
    if (column >= m_program->phaseCount()) {
        table->setCellData(PhaseIdRow, column, QVariant(), true);
        table->setCellData(LengthRow, column, QVariant(), false);
        table->setCellData(FullLengthRow, column, QVariant(), false);
        return;
    }
    if (!def) {
        printError(tr("null phase_def"));
        return;
    }
    table->setCellData(PhaseIdRow, column, def->id(), true);
    table->setCellData(LengthRow, column, def->length(), false);
    table->setCellData(FullLengthRow, column, def->length() + def->phaseInterstate(),
                       m_family == 0);
    for (int row = 0; row < 3; ++row) {
        if (QTableWidgetItem *item = table->item(row, column))
            item->setTextAlignment(Qt::AlignCenter);
    }
}

void ProgramDlg::on_phaseTable_itemChanged(QTableWidgetItem *item)
{
    if (m_fillingPhases || !item)
        return;
    ParametersTable *table = ui->phaseTable;
    const int column = item->column();
    const QString text = item->text().trimmed();
    const CnfPhaseDefPtr def = m_program->phaseDefAt(column);
    if (item->row() == PhaseIdRow) {
        if (!def) {
            const CnfPhasePtr phase = m_controller ? m_controller->findPhase(text) : CnfPhasePtr();
            if (!phase)
                return;
            m_program->appendPhase(phase, phase->minTime > 0 ? phase->minTime : 10);
            fillPhaseColumn(column);
            if (table->columnCount() <= m_program->phaseCount()) {
                const QSignalBlocker blocker(table);
                table->setColumnCount(m_program->phaseCount() + 1);
            }
            fillPhaseColumn(table->columnCount() - 1);
            if (m_family != 0 && m_program->cycle(true) > ui->cycleLength->value()) {
                const QSignalBlocker blocker(ui->cycleLength);
                ui->cycleLength->setValue(m_program->cycle(true));
            }
        } else if (text.isEmpty()) {
            m_program->removePhase(column);
            const QSignalBlocker blocker(table);
            table->removeColumn(column);
        } else if (const CnfPhasePtr phase
                   = m_controller ? m_controller->findPhase(text) : CnfPhasePtr()) {
            def->setPhase(phase);
            fillPhaseColumn(column);
        } else {
            printWarning(tr("Invalid phase %1").arg(text));
            fillPhaseColumn(column);
            return;
        }
    } else if (item->row() == FullLengthRow && def) {
        // The full duration is edited: the step keeps its own part of it.
        bool ok = false;
        const int full = text.toInt(&ok);
        if (ok && full >= 0)
            def->setFullLength(full);
        fillPhaseColumn(column);
        if (m_family != 0) {
            const QSignalBlocker blocker(ui->cycleLength);
            ui->cycleLength->setValue(m_program->cycle(true));
        }
    } else {
        return;
    }
    // Every definition keeps its own column.
    for (int i = 0; i < m_program->phaseCount(); ++i) {
        const CnfPhaseDefPtr each = m_program->phaseDefAt(i);
        if (!each)
            printError(tr("null phase_def"));
        else if (!table->item(PhaseIdRow, i) || table->item(PhaseIdRow, i)->text() != each->id())
            printError(tr("Can't find column for phasedef %1").arg(each->id()));
    }
    m_modified = true;
    m_diagramEdited = true;
    buildDiagram(m_program);
}

void ProgramDlg::istateVariantChanged(int variant)
{
    if (m_program->interstateVariant != variant)
        m_diagramEdited = true;
    m_program->interstateVariant = variant;
    refreshPhaseTable();
    buildDiagram(m_program);
}

void ProgramDlg::refreshPhaseTable()
{
    // The full durations follow the interstate records of the program's variant.
    if (ui->progParamPages->currentWidget() == ui->diagrammPage)
        fillPhaseTable();
}

void ProgramDlg::istateChanged(const CnfSignalGroupPtr &group, int variant, uint offset, int value)
{
    if (!group)
        return;
    QByteArray record = group->interstates.value(variant);
    if (record.size() < CnfSignalGroup::InterstateSize)
        record.append(QByteArray(CnfSignalGroup::InterstateSize - record.size(), '\0'));
    if (offset < uint(CnfSignalGroup::InterstateSize))
        record[int(offset)] = char(value & 0xff);
    group->interstates.insert(variant, record);
    if (m_program->interstateVariant != variant)
        m_diagramEdited = true;
    m_program->interstateVariant = variant;
    m_modified = true;
    refreshPhaseTable();
    buildDiagram(m_program);
}

void ProgramDlg::on_cycleLength_valueChanged(int)
{
    buildDiagram(m_program);
}

QVariantList ProgramDlg::tiverkTableData() const
{
    return tableToVariant(ui->tiverkTable);
}

QVariantList ProgramDlg::tableToVariant(const QTableWidget *table)
{
    QVariantList rows;
    if (!table || table->columnCount() < 2)
        return rows;
    QList<int> columns;
    for (int column = 0; column < table->columnCount(); ++column) {
        if (!table->isColumnHidden(column))
            columns << column;
    }
    QVariantList header;
    for (int i = 0; i < columns.size(); ++i) {
        const QTableWidgetItem *item = table->horizontalHeaderItem(columns.at(i));
        header << (item ? AlgorithmTable::reportTitle(item).trimmed() : QString::number(i + 1));
    }
    rows << QVariant(header);
    for (int row = 0; row < table->rowCount(); ++row) {
        QVariantList values;
        if (const QTableWidgetItem *item = table->verticalHeaderItem(row))
            values << item->text();
        for (const int column : columns) {
            if (const auto *nested
                = qobject_cast<const QTableWidget *>(table->cellWidget(row, column))) {
                values << QVariant(tableToVariant(nested));
                continue;
            }
            const QTableWidgetItem *item = table->item(row, column);
            values << (item ? cellValue(item->data(Qt::EditRole)) : QVariant());
        }
        rows << QVariant(values);
    }
    return rows;
}

bool ProgramDlg::saveDiagramImage(const QString &path, const QSize &size)
{
    if (m_family == 2)
        return false;
    buildDiagram(m_program);
    QCoreApplication::processEvents();
    const QColor background = ui->chart->bgColor();
    ui->chart->setBgColor(Qt::white);
    QString error;
    const bool saved = ui->chart->saveAsImage(path, size, &error);
    ui->chart->setBgColor(background);
    if (!saved) {
        qWarning().noquote() << path << error;
        printError(tr("Can't save %1").arg(QDir::toNativeSeparators(path)));
    }
    return saved;
}

void ProgramDlg::chart_save_as_svg()
{
    const QString folder = ChartSaveFolder::folder();
    const QString path = QFileDialog::getSaveFileName(this, tr("Set file name"), folder,
                                                      tr("SVG files (*.svg);;All files (*.*)"));
    if (path.isEmpty())
        return;
    ChartSaveFolder::remember(path, folder);
    QString error;
    if (!ui->chart->saveAsSvg(path, QSize(), false, &error)) {
        qWarning().noquote() << path << error;
        printError(tr("Can't save %1").arg(QDir::toNativeSeparators(path)));
    }
}

void ProgramDlg::buildDiagram(const CnfProgramPtr &program)
{
    ProgramDiagram().draw(ui->chart, program, m_controller, m_family != 0);
    // A program without steps keeps the cycle it was given.
    if (m_family != 0 && program && program->cycle(true) > 0) {
        const QSignalBlocker blocker(ui->cycleLength);
        ui->cycleLength->setValue(program->cycle(true));
    }
}

void ProgramDlg::printError(const QString &message)
{
    CalendarDlg::printError(this, message);
}

void ProgramDlg::printWarning(const QString &message)
{
    QWidget *window = parentWidget();
    if (hasSlot(window, "printWarning(QString)"))
        QMetaObject::invokeMethod(window, "printWarning", Q_ARG(QString, message));
    else
        qDebug().noquote() << message;
}
