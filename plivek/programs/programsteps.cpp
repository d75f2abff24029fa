#include "programsteps.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"

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
