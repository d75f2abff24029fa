#include "cnfxmlreaderprivate.h"

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnfweekcard.h"

bool CnfXmlReaderPrivate::resolveProgram(ProgramRefs &refs)
{
    CnfProgram &program = *refs.program;
    if (refs.hasMatrix && refs.matrix >= 0) {
        program.matrix = c.findMatrix(refs.matrix);
        if (!program.matrix)
            return failAt(
                refs.at,
                tr("program %1 uses the missing matrix %2").arg(program.id).arg(refs.matrix));
    }
    for (const StepRef &step : qAsConst(refs.steps)) {
        const CnfPhasePtr phase = c.findPhase(step.step->id());
        if (phase)
            step.step->setPhase(phase);
    }
    // Steps given by their full length only (the older exchange form) get
    // their own length once every phase is known.
    for (const StepRef &step : qAsConst(refs.steps)) {
        if (!step.hasMain)
            step.step->setFullLength(step.fullLength);
    }
    return true;
}

bool CnfXmlReaderPrivate::resolve()
{
    for (const GroupRefs &refs : qAsConst(groupRefs)) {
        for (int id : refs.devices) {
            const CnfPowerDevicePtr device = c.findPowerDevice(id);
            if (!device)
                return failAt(refs.at,
                              tr("signal group %1 drives the missing power device %2")
                                  .arg(refs.group->id)
                                  .arg(id));
            refs.group->assignDevice(device);
        }
    }
    for (const PhaseRefs &refs : qAsConst(phaseRefs)) {
        for (int id : refs.groups) {
            const CnfSignalGroupPtr group = c.findSG(id);
            if (!group)
                return failAt(
                    refs.at,
                    tr("phase %1 runs the missing signal group %2").arg(refs.phase->id).arg(id));
            if (!refs.phase->signalGroups.contains(group))
                refs.phase->signalGroups.append(group);
        }
    }
    const auto findListed = [&](int id, CnfMatrixPtr *matrix) {
        *matrix = id >= 0 ? c.findMatrix(id) : CnfMatrixPtr();
        return id < 0 || *matrix;
    };
    CnfMatrixPtr matrix;
    if (!findListed(defaultMatrix, &matrix))
        return failAt(matricesAt, tr("the default matrix %1 is not listed").arg(defaultMatrix));
    c.setDefaultMatrix(matrix);
    if (!findListed(safetyMatrix, &matrix))
        return failAt(matricesAt, tr("the safety matrix %1 is not listed").arg(safetyMatrix));
    c.setSafetyMatrix(matrix);
    // Matrix cells point at the controller's groups where they exist.
    const QList<CnfMatrixPtr> matrices = c.matrixList();
    for (const CnfMatrixPtr &m : matrices) {
        const QList<CnfMatrixCell> cells = m->content();
        for (const CnfMatrixCell &cell : cells) {
            const CnfSignalGroupPtr a = c.findSG(cell.aId);
            const CnfSignalGroupPtr b = c.findSG(cell.bId);
            if (a && b)
                m->setReleaf(a, b, cell.value);
        }
    }
    for (ProgramRefs &refs : programRefs) {
        if (!resolveProgram(refs))
            return false;
    }
    const auto findProgram = [&](const QString &id, CnfProgramPtr *program) {
        *program = c.findProgram(id);
        return id.isEmpty() || *program;
    };
    // A record keeps the id of a program that is not listed (a deleted one).
    for (const CardRef &ref : qAsConst(cardRefs))
        ref.card->records[ref.start].setPrograms(c, ref.program, ref.reserve);
    for (const auto &ref : qAsConst(weekRefs)) {
        for (auto it = ref.second.constBegin(); it != ref.second.constEnd(); ++it) {
            const CnfDayCardPtr card = c.findDayCard(it.value());
            if (!card && !it.value().isEmpty())
                return failAt(
                    calendarAt,
                    tr("week card %1 uses the missing day card %2").arg(ref.first->id, it.value()));
            ref.first->days.insert(it.key(), card);
        }
    }
    for (const auto &ref : qAsConst(seasonRefs)) {
        ref.first->weekCard = c.findWeekCard(ref.second);
        if (!ref.first->weekCard && !ref.second.isEmpty())
            return failAt(calendarAt, tr("a season uses the missing week card %1").arg(ref.second));
    }
    for (const auto &ref : qAsConst(specialRefs)) {
        ref.first->dayCard = c.findDayCard(ref.second);
        if (!ref.first->dayCard && !ref.second.isEmpty())
            return failAt(
                calendarAt,
                tr("special day %1 uses the missing day card %2").arg(ref.first->id, ref.second));
    }
    CnfProgramPtr program;
    if (!findProgram(defaultProgram, &program))
        return failAt(calendarAt, tr("the default program %1 is missing").arg(defaultProgram));
    c.setDefaultProgram(program);
    if (!findProgram(reserveProgram, &program))
        return failAt(calendarAt, tr("the reserve program %1 is missing").arg(reserveProgram));
    c.setReserveProgram(program);
    const CnfDayCardPtr card = c.findDayCard(defaultDayCard);
    if (!card && !defaultDayCard.isEmpty())
        return failAt(calendarAt, tr("the default day card %1 is missing").arg(defaultDayCard));
    c.setDefaultDayCard(card);
    return true;
}
