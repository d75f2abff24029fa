#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "programsteps.h"

ProgramTiverk2Dlg::ProgramTiverk2Dlg(QWidget *parent, const CnfProgramPtr &program,
                                     CnfController *controller, Halm58a::Network *network,
                                     bool commandLine)
    : QDialog(parent)
    , ui(new Ui::ProgramTiverk2Dlg)
    , m_controller(controller)
    , m_network(network)
    , m_commandLine(commandLine)
{
    ui->setupUi(this);
    m_program = editableProgramCopy(program, controller);
    ui->progNum->setText(m_program->id);
    ui->progName->setText(m_program->name);
    ui->algType->setText(CnfProgram::typeName(m_program->type, true));
    ui->cycleLength->setValue(m_program->cycle(true));
    fillStageTable();
}

ProgramTiverk2Dlg::~ProgramTiverk2Dlg()
{
    delete ui;
}

CnfProgramPtr ProgramTiverk2Dlg::program() const
{
    return m_program;
}

void ProgramTiverk2Dlg::fillStageTable()
{
    fillStepTable(ui->stageTable, *m_program, tr("Stage"), tr("Full length, sec."), StepLength::Full);
}

void ProgramTiverk2Dlg::storeProgram()
{
    m_program->name = ui->progName->text();
    storeStepTable(ui->stageTable, *m_program, StepLength::Full);
}

void ProgramTiverk2Dlg::done(int result)
{
    if (result == QDialog::Accepted)
        storeProgram();
    QDialog::done(result);
}
