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

// Whether a coordinated program keeps its cycle when the changes into its
// steps become `interstates`: every change fits in the full length its step
// had, and the own lengths that then remain fit where its record states them
// (a byte of a TIVERK 3.x record holds no more than 254 s). Otherwise the
// program keeps its own lengths and its cycle changes.
bool keepsCycle(const CnfController &controller, const QDomDocument &layout,
                const CnfProgram &program, const QList<int> &fullLengths,
                const QList<int> &interstates)
{
    QList<int> own;
    for (int i = 0; i < fullLengths.size() && i < interstates.size(); ++i) {
        if (interstates.at(i) > fullLengths.at(i))
            return false;
        own << fullLengths.at(i) - interstates.at(i);
    }
    return program.type != CnfProgram::Tiverk || program.data().isEmpty()
        || CnfProgramRecord::holdsStepLengths(layout, program.data(),
                                              CnfProgramRecord::phaseIds(controller, program), own);
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
        QList<int> fullLengths;
        QList<int> interstates;
        for (const CnfPhaseDefPtr &step : program->phases()) {
            const int interstate = step->phaseInterstate(groupIds, phaseIds);
            change.before += step->fullLength();
            change.after += step->length() + interstate;
            fullLengths << step->fullLength();
            interstates << interstate;
        }
        if (change.after == change.before)
            continue;
        if (isCoordinated(*program, layout)
            && keepsCycle(controller, layout, *program, fullLengths, interstates)) {
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
        QList<int> interstates;
        int before = 0;
        for (int i = 0; i < lengths.fullLengths.size(); ++i) {
            const CnfPhaseDefPtr step = program.phaseDefAt(i);
            interstates << (step ? step->phaseInterstate() : 0);
            before += lengths.fullLengths.at(i);
        }
        const bool hasRecord = program.type == CnfProgram::Tiverk && !program.data().isEmpty();
        if (keepsCycle(controller, layout, program, lengths.fullLengths, interstates)) {
            bool changed = false;
            for (int i = 0; i < lengths.fullLengths.size(); ++i) {
                const CnfPhaseDefPtr step = program.phaseDefAt(i);
                if (!step || step->fullLength() == lengths.fullLengths.at(i))
                    continue;
                step->setFullLength(lengths.fullLengths.at(i));
                changed = true;
            }
            // The record states the steps' own lengths: it follows them.
            if (changed && hasRecord)
                program.setData(CnfProgramRecord::withStepLengths(
                    layout, program.data(), CnfProgramRecord::phaseIds(controller, program),
                    program));
            continue;
        }
        // A change now longer than the full length of the step it leads into
        // leaves no own length to give, and an own length the record cannot
        // hold cannot be given: the program keeps its own lengths, as one that
        // is not coordinated does, and the question names its new cycle. The
        // record states the cycle the steps now make.
        const int after = program.cycle(true);
        if (hasRecord && after != before
            && CnfProgramRecord::readCycle(layout, program.data()) >= 0)
            program.setData(CnfProgramRecord::withCycle(layout, program.data(), after));
    }
}
