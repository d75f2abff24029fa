// CnfReferences: the ZU_MOLT plan phases that run a stage.

#include "cnfcontroller.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "cnfreferencefinders.h"
#include "cnftreeschema.h"
#include "zu_moltformat.h"

#include <QHash>
#include <QVariantList>
#include <QVariantMap>

using namespace CnfReferenceFinders;

namespace {

// The file's id of each step of a plan, taken while every step still has its
// stage, so that the ids do not depend on which step goes first.
using StepIds = QHash<const CnfPhaseDef *, int>;

// A plan names its phases by number only (zumoltc reads a text as a name,
// which no plan phase has).
bool namesPlanPhase(const QVariant &value, int id)
{
    switch (int(value.userType())) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toDouble() == id;
    default:
        return false;
    }
}

// Whatever inside the plan names plan phase `id` becomes not set: another
// phase's call of it, a detector record's call or redirect to it; a detector
// record on it goes whole, as zumoltc keeps none without its phase. The
// "sequence" is written from the steps, so it loses the phase with its step.
void clearPlanReferences(CnfProgram &plan, int id)
{
    for (const CnfPhaseDefPtr &step : plan.phases()) {
        if (namesPlanPhase(step->property("call"), id))
            step->setProperty("call", QVariant());
    }
    const QVariant detectors = CnfTreeSchema::plain(plan.property("detectors"));
    if (detectors.userType() != QMetaType::QVariantList)
        return;
    bool changed = false;
    QVariantList kept;
    for (const QVariant &entry : detectors.toList()) {
        if (entry.userType() != QMetaType::QVariantMap) {
            kept << entry;
            continue;
        }
        QVariantMap record = entry.toMap();
        if (namesPlanPhase(record.value(QStringLiteral("phase")), id)) {
            changed = true;
            continue;
        }
        for (const QString &key : { QStringLiteral("call"), QStringLiteral("redirect") }) {
            if (namesPlanPhase(record.value(key), id)) {
                record.remove(key);
                changed = true;
            }
        }
        kept << record;
    }
    // Emptied here, the list goes, as zumoltc writes none.
    if (changed)
        plan.setProperty("detectors", kept.isEmpty() ? QVariant() : QVariant(kept));
}

// Takes the step out of its plan. The steps after it keep their ids: one that
// had the id of its position gets it as its own, so that no call, detector
// record or sequence entry comes to name another phase.
void removePlanPhase(CnfProgram &plan, const CnfPhaseDefPtr &step, const StepIds &ids)
{
    if (!plan.removePhase(plan.indexOfPhaseDef(step.data())))
        return;
    const int removedId = ids.value(step.data());
    const QList<CnfPhaseDefPtr> steps = plan.phases();
    for (int i = 0; i < steps.size(); ++i) {
        const int id = ids.value(steps.at(i).data());
        if (id == 0)
            continue;
        bool own = false;
        const int ownId = steps.at(i)->property("id").toInt(&own);
        if (own ? ownId != id : id != i + 1)
            steps.at(i)->setProperty("id", id);
    }
    if (removedId != 0)
        clearPlanReferences(plan, removedId);
}

} // namespace

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
        const QVector<int> numbers = ZuMoltFormat::stepIds(controller, steps);
        StepIds ids;
        for (int i = 0; i < steps.size(); ++i)
            ids.insert(steps.at(i).data(), numbers.at(i));
        for (int i = 0; i < steps.size(); ++i) {
            if (steps.at(i)->id() != phase.id)
                continue;
            Place place;
            place.note = Note::PlanPhase;
            place.owner = plan->id;
            place.part = QString::number(numbers.at(i));
            const CnfPhaseDefPtr step = steps.at(i);
            place.clear = [plan, step, ids](CnfController &) {
                removePlanPhase(*plan, step, ids);
            };
            found << place;
        }
    }
    return found;
}
