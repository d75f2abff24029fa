#include "cnfprogramcycles.h"

#include "cnfcontroller.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "cnfprogramrecord.h"

namespace {

// Whether the steps' full lengths make the program's cycle: a stage-ring or a
// timeline program states its cycle, a program without steps has none made.
bool stepsMakeCycle(const CnfProgram &program)
{
    return program.phaseCount() > 0
        && (program.type == CnfProgram::FixedTime || program.type == CnfProgram::Coordinated
            || program.type == CnfProgram::Tiverk);
}

bool isCoordinated(const CnfProgram &program, const QDomDocument &layout)
{
    return program.type == CnfProgram::Coordinated
        || program.type == CnfProgram::CoordinatedTimeline
        || program.property("coordinated").toBool()
        || (program.type == CnfProgram::Tiverk
            && CnfProgramRecord::readCycle(layout, program.data()) >= 0);
}

// The cycles that change when the groups and the phases go.
QList<CnfProgramCycles::Change> changes(const CnfController &controller, const QList<int> &groupIds,
                                        const QStringList &phaseIds)
{
    QList<CnfProgramCycles::Change> found;
    const QDomDocument layout = controller.tiverkLayout();
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program || !stepsMakeCycle(*program))
            continue;
        CnfProgramCycles::Change change;
        change.program = program->id;
        bool fits = true;
        for (const CnfPhaseDefPtr &step : program->phases()) {
            const int interstate = step->phaseInterstate(groupIds, phaseIds);
            change.before += step->fullLength();
            change.after += step->length() + interstate;
            fits = fits && interstate <= step->fullLength();
        }
        if (change.after == change.before)
            continue;
        if (fits && isCoordinated(*program, layout)) {
            change.kept = true;
            change.after = change.before;
        }
        found << change;
    }
    return found;
}

} // namespace

QList<CnfProgramCycles::Change> CnfProgramCycles::onRemoval(const CnfController &controller,
                                                            const QList<int> &groupIds)
{
    return changes(controller, groupIds, {});
}

QList<CnfProgramCycles::Change> CnfProgramCycles::onPhaseRemoval(const CnfController &controller,
                                                                 const QStringList &phaseIds)
{
    return changes(controller, {}, phaseIds);
}

QList<CnfProgramCycles::Kept> CnfProgramCycles::lengthsToKeep(const CnfController &controller)
{
    QList<Kept> kept;
    const QDomDocument layout = controller.tiverkLayout();
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program || !stepsMakeCycle(*program) || !isCoordinated(*program, layout))
            continue;
        Kept lengths { program, {} };
        for (const CnfPhaseDefPtr &step : program->phases())
            lengths.fullLengths << step->fullLength();
        kept << lengths;
    }
    return kept;
}

void CnfProgramCycles::keep(CnfController &controller, const QList<Kept> &kept)
{
    const QDomDocument layout = controller.tiverkLayout();
    for (const Kept &lengths : kept) {
        CnfProgram &program = *lengths.program;
        // A change now longer than the full length of the step it leads into
        // leaves no own length to give: the program then keeps its own
        // lengths, as one that is not coordinated does, and the question
        // names its new cycle.
        bool fits = true;
        for (int i = 0; i < lengths.fullLengths.size(); ++i) {
            const CnfPhaseDefPtr step = program.phaseDefAt(i);
            fits = fits && (!step || step->phaseInterstate() <= lengths.fullLengths.at(i));
        }
        if (!fits)
            continue;
        bool changed = false;
        for (int i = 0; i < lengths.fullLengths.size(); ++i) {
            const CnfPhaseDefPtr step = program.phaseDefAt(i);
            if (!step || step->fullLength() == lengths.fullLengths.at(i))
                continue;
            step->setFullLength(lengths.fullLengths.at(i));
            changed = true;
        }
        // The record states the steps' own lengths: it follows them.
        if (changed && program.type == CnfProgram::Tiverk && !program.data().isEmpty())
            program.setData(CnfProgramRecord::withStepLengths(
                layout, program.data(), CnfProgramRecord::phaseIds(controller, program), program));
    }
}
