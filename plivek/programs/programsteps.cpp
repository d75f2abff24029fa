#include "programsteps.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "common/widgets/parameterstable.h"

namespace {

enum StepRow { PhaseRow, LengthRow, StepRowCount };

} // namespace

CnfProgramPtr editableProgramCopy(const CnfProgramPtr &program, CnfController *controller)
{
    auto copy = CnfProgramPtr::create(controller);
    if (program) {
        copy->clone(*program);
        return copy;
    }
    for (int n = 1; n < 65535; ++n) {
        if (!controller || !controller->findProgram(QString::number(n))) {
            copy->id = QString::number(n);
            break;
        }
    }
    return copy;
}

void fillStepTable(ParametersTable *table, const CnfProgram &program, const QString &phaseTitle,
                   const QString &lengthTitle, StepLength length)
{
    const QSignalBlocker blocker(table);
    table->setRowCount(StepRowCount);
    table->setColumnCount(program.phaseCount());
    table->setVerticalHeaderItem(PhaseRow, new QTableWidgetItem(phaseTitle));
    table->setVerticalHeaderItem(LengthRow, new QTableWidgetItem(lengthTitle));
    for (int column = 0; column < program.phaseCount(); ++column) {
        const CnfPhaseDefPtr step = program.phaseDefAt(column);
        table->setCellData(PhaseRow, column, step->id(), false);
        table->setCellData(LengthRow, column,
                           length == StepLength::Full ? step->fullLength() : step->length(), true);
    }
    table->resetModified();
}

void storeStepTable(const ParametersTable *table, CnfProgram &program, StepLength length)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        const CnfPhaseDefPtr step = program.phaseDefAt(column);
        bool ok = false;
        const int seconds = table->cellData(LengthRow, column).toInt(&ok);
        if (!step || !ok || seconds < 0)
            continue;
        if (length == StepLength::Full)
            step->setFullLength(seconds);
        else
            step->setLength(seconds);
    }
}
