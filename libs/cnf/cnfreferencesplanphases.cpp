// CnfReferences: the ZU_MOLT plan phases that run a stage.

#include "cnfcontroller.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "cnfreferencefinders.h"
#include "zu_moltformat.h"

using namespace CnfReferenceFinders;

QList<Place> CnfReferenceFinders::phasePlanPhases(const CnfController &controller,
                                                  const Element &phase)
{
    QList<Place> found;
    if (controller.property("type").toString() != QLatin1String("ZU_MOLT"))
        return found;
    if (!controller.findPhase(phase.id))
        return found;
    for (const CnfProgramPtr &plan : controller.programs()) {
        if (!plan)
            continue;
        const QList<CnfPhaseDefPtr> steps = plan->phases();
        // Taken while every step still has its stage, so that the ids do not
        // depend on which step goes first.
        const ZuMoltFormat::StepIds ids = ZuMoltFormat::stepIdsByStep(controller, steps);
        for (int i = 0; i < steps.size(); ++i) {
            if (steps.at(i)->id() != phase.id)
                continue;
            Place place;
            place.note = Note::PlanPhase;
            place.owner = plan->id;
            place.part = QString::number(ids.value(steps.at(i).data()));
            const CnfPhaseDefPtr step = steps.at(i);
            place.clear = [plan, step, ids](CnfController &owner) {
                ZuMoltFormat::removeStep(owner, *plan, step, ids);
            };
            found << place;
        }
    }
    return found;
}
