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
    if (controller)
        copy->type = controller->newProgramType();
    // Not an id that day cards still name: the new program would run their slots.
    copy->id = controller ? controller->freeProgramId() : QStringLiteral("1");
    return copy;
}

TakenProgramIds takenProgramIds(const CnfController *controller, const CnfProgramPtr &edited)
{
    TakenProgramIds taken;
    taken.numbers << QStringLiteral("0");
    if (!controller)
        return taken;
    const QList<CnfProgramPtr> programs = controller->programs();
    for (const CnfProgramPtr &other : programs) {
        if (!other || other == edited)
            continue;
        taken.numbers << other->id;
        if (!other->name.isEmpty())
            taken.names << other->name;
    }
    return taken;
}
