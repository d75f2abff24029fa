// CnfReferences: the places that name a phase.

#include "cnfcontroller.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "cnfprogramrecord.h"
#include "cnfreferencefinders.h"

#include <QDomDocument>

using namespace CnfReferenceFinders;

namespace {

// The largest phase number a record's byte holds (255 is "not set").
const int LargestCalledPhase = 254;

// A phase id as the records' "phases" fields hold it: the number itself;
// -1 for an id that is not a number a byte holds.
int phaseIdValue(const QString &id)
{
    const QVariant held = inFormOf(0, id, 0, LargestCalledPhase);
    return held.isValid() ? held.toInt() : -1;
}

} // namespace

// Another phase's stored transition from the phase, kept under its id: it
// follows a new id and goes with the phase, or it would belong to the next
// phase given the id.
QList<Place> CnfReferenceFinders::phaseTransitions(const CnfController &controller,
                                                   const Element &phase)
{
    QList<Place> found;
    const QString id = phase.id;
    for (const CnfPhasePtr &other : controller.phases()) {
        if (!other || !other->transitions.contains(id))
            continue;
        Place place;
        place.note = Note::StoredTransition;
        place.owner = other->id;
        place.rename = [other, id](CnfController &, const QString &newId) {
            other->transitions.insert(newId, other->transitions.take(id));
            return true;
        };
        place.clear = [other, id](CnfController &) {
            other->transitions.remove(id);
        };
        found << place;
    }
    return found;
}

// TIVERK 3.x "vpu_phases" and the ZU_MOLT panel record's "stageId". A
// ZU_MOLT panel entry names its stage by id as a number or, as a text, by the
// stage's name, as zumoltc reads it (never by the id the text spells): one by
// name takes a new name, stays on a new id and is not set on a Delete, as one
// by id is. After a Delete the null entries at the end of "stageId" go, and
// the list with them when none is left, as zumoltc writes it.
QList<Place> CnfReferenceFinders::phasePanelLists(const CnfController &controller,
                                                  const Element &phase)
{
    const VObject stages = zuMoltPanel(controller)[QStringLiteral("stageId")];
    QList<Place> panel = listEntries(controller, stages, phase.id, Note::RemoteControl);
    for (int i = 0; i < stages.size(); ++i) {
        const VObject entry = stages[i];
        if (namesId(controller, entry.toVariant(), phase.id))
            continue;
        Place place;
        place.note = Note::RemoteControl;
        nameAt(&place, controller, entry, QString(), phase.name);
        if (!place.byName)
            continue;
        place.clear = [entry](CnfController &) {
            VObject target = entry;
            target = QVariant();
        };
        panel << place;
    }
    for (Place &place : panel) {
        const auto clear = place.clear;
        place.clear = [clear, stages](CnfController &controller) {
            clear(controller);
            VObject list = stages;
            while (list.size() > 0 && list[list.size() - 1].toVariant().isNull())
                list.removeAt(list.size() - 1);
            if (list.size() == 0)
                list.remove();
        };
    }
    return listEntries(controller, controller.nativeData()[QStringLiteral("vpu_phases")], phase.id,
                       Note::RemoteControl)
        + panel;
}

// A program step runs the phase itself and follows a new id; when the phase
// goes, the step keeps its id without a phase. A ZU_MOLT plan phase cannot
// stand without its stage: phasePlanPhases takes those.
QList<Place> CnfReferenceFinders::phaseProgramSteps(const CnfController &controller,
                                                    const Element &phase)
{
    QList<Place> found;
    if (controller.property("type").toString() == QLatin1String("ZU_MOLT"))
        return found;
    const QString id = phase.id;
    const CnfPhasePtr element = controller.findPhase(id);
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program || !program->findPhaseDef(id))
            continue;
        Place place;
        place.note = Note::ProgramUse;
        place.owner = program->id;
        place.clear = [program, element, id](CnfController &) {
            for (const CnfPhaseDefPtr &def : program->phases()) {
                if (def && element && def->phase() == element) {
                    def->setPhase(CnfPhasePtr());
                    def->setId(id);
                }
            }
        };
        found << place;
    }
    return found;
}

// A kind-4 record calls the phase by its id as a number: a new id follows
// when it is a number a byte holds and is refused otherwise; a Delete leaves
// it (the question names the program).
QList<Place> CnfReferenceFinders::phaseRecordCalls(const CnfController &controller,
                                                   const Element &phase)
{
    QList<Place> found;
    const int value = phaseIdValue(phase.id);
    if (value < 0 || !isFirstLine(controller))
        return found;
    const QDomDocument layout = controller.tiverkLayout();
    const QString listId = QString::fromLatin1(CnfProgramRecord::PhaseIdList);
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program
            || !CnfProgramRecord::listValues(layout, program->data(), listId).contains(value))
            continue;
        Place place;
        place.note = Note::ProgramUse;
        place.owner = program->id;
        place.rename = [program, layout, listId, value](CnfController &, const QString &newId) {
            if (program->data().size() <= 2)
                return false;
            program->setData(CnfProgramRecord::withListValueReplaced(
                layout, program->data(), listId, value, phaseIdValue(newId)));
            return true;
        };
        place.accepts = [](const QString &newId) {
            return phaseIdValue(newId) >= 0;
        };
        place.lowest = 0;
        place.highest = LargestCalledPhase;
        found << place;
    }
    return found;
}

// A record's sequence row or priority phase counts phases by place: the
// controller counts it anew when the phase list changes, so a new id leaves
// it as it is; on Delete it follows the phase to the end of the list while a
// step of the program keeps the phase, else it becomes not set. Either way
// the question names the program.
QList<Place> CnfReferenceFinders::phaseRecordPositions(const CnfController &controller,
                                                       const Element &phase)
{
    QList<Place> found;
    if (!isFirstLine(controller))
        return found;
    const QDomDocument layout = controller.tiverkLayout();
    const QString listId = QString::fromLatin1(CnfProgramRecord::PhaseIndexList);
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program)
            continue;
        const int index = CnfProgramRecord::phaseIds(controller, *program).indexOf(phase.id);
        if (index < 0
            || !CnfProgramRecord::listValues(layout, program->data(), listId).contains(index))
            continue;
        Place place;
        place.note = Note::ProgramUse;
        place.owner = program->id;
        found << place;
    }
    return found;
}

// TIVERK 3.x and adapter: the central-system link's "mgr_tsku_phase" is the
// phase the controller runs on an LFR call or a TSCTM command, by its number
// (0 to 99; the dialog's -1 is not set). A new id follows and must be such a
// number; on a Delete the key goes (not set), and the question says so.
QList<Place> CnfReferenceFinders::phaseCentralSystem(const CnfController &controller,
                                                     const Element &phase)
{
    const QString key = QStringLiteral("mgr_tsku_phase");
    const VObject root = controller.nativeData();
    if (!isFirstLine(controller) || root[key].toInt() < 0
        || !namesId(root[key].toVariant(), phase.id))
        return {};
    Place place = idPlace(root, key, Note::CentralSystem, QString(), 0, 99);
    place.clear = [root, key](CnfController &) {
        VObject(root).remove(key);
    };
    return { place };
}
