#include "cnfphasedef.h"

#include "cnfphase.h"
#include "cnfprogram.h"
#include "cnfsignalgroup.h"
#include "cnftransition.h"

CnfPhaseDef::CnfPhaseDef(CnfProgram *program)
    : m_program(program)
{
}

QString CnfPhaseDef::id() const
{
    return m_phase ? m_phase->id : m_phaseId;
}

void CnfPhaseDef::setId(const QString &phaseId)
{
    if (m_phase && m_phase->id != phaseId)
        m_phase.reset();
    m_phaseId = phaseId;
}

void CnfPhaseDef::setPhase(const CnfPhasePtr &phase)
{
    m_phase = phase;
    if (phase)
        m_phaseId = phase->id;
}

void CnfPhaseDef::setLength(int seconds)
{
    m_length = qMax(0, seconds);
}

bool CnfPhaseDef::setLength(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0)
        return false;
    m_length = value;
    return true;
}

int CnfPhaseDef::fullLength() const
{
    return m_length + phaseInterstate();
}

void CnfPhaseDef::setFullLength(int seconds)
{
    m_length = qMax(0, seconds - phaseInterstate());
}

int CnfPhaseDef::start() const
{
    const int index = m_program ? m_program->indexOfPhaseDef(this) : -1;
    if (index < 0)
        return m_fileStart;
    int second = m_program->cycleOffset(0) + phaseInterstate();
    for (int k = 0; k < index; ++k)
        second += m_program->phaseDefAt(k)->fullLength();
    const int cycle = m_program->cycle(true);
    return cycle > 0 ? second % cycle : second;
}

CnfPhaseDefPtr CnfPhaseDef::previous() const
{
    if (!m_program)
        return {};
    const int count = m_program->phaseCount();
    const int index = m_program->indexOfPhaseDef(this);
    if (index < 0 || count < 2)
        return {};
    return m_program->phaseDefAt((index + count - 1) % count);
}

int CnfPhaseDef::phaseInterstate(const QList<int> &without, const QStringList &withoutPhases) const
{
    const CnfTransitionPtr transition = createTransition(without, withoutPhases);
    return transition ? transition->length : 0;
}

// The groups that lose green keep it steady for AG1 seconds and blink it
// for GF seconds: their green ends when the blinking ends. They then clear
// through yellow and all-red; a group that gains green starts after the
// longest clearing plus its own red-yellow.
CnfTransitionPtr CnfPhaseDef::createTransition(const QList<int> &without,
                                               const QStringList &withoutPhases) const
{
    const CnfPhaseDefPtr before = previous();
    if (!before)
        return {};
    // A step keeps the id of a phase that goes, without its groups.
    const CnfPhasePtr from = withoutPhases.contains(before->id()) ? CnfPhasePtr() : before->phase();
    const CnfPhasePtr to = withoutPhases.contains(id()) ? CnfPhasePtr() : m_phase;
    const int variant = m_program ? m_program->interstateVariant : 1;
    auto transition = CnfTransitionPtr::create();
    int clearing = 0;
    if (from) {
        for (const CnfSignalGroupPtr &group : from->signalGroups) {
            if (!group || without.contains(group->id) || (to && to->contains(group->id)))
                continue;
            const int greenEnd = group->interstateByte(variant, CnfSignalGroup::AG1)
                + group->interstateByte(variant, CnfSignalGroup::GF);
            transition->greenEnd.insert(group->id, greenEnd);
            clearing = qMax(clearing,
                            greenEnd + group->interstateByte(variant, CnfSignalGroup::Y)
                                + group->interstateByte(variant, CnfSignalGroup::AR));
        }
    }
    int length = clearing;
    if (to) {
        for (const CnfSignalGroupPtr &group : to->signalGroups) {
            if (!group || without.contains(group->id) || (from && from->contains(group->id)))
                continue;
            const int start = clearing + group->interstateByte(variant, CnfSignalGroup::RY);
            transition->greenStart.insert(group->id, start);
            length = qMax(length, start);
        }
    }
    transition->length = length;
    return transition;
}

CnfTransitionPtr CnfPhaseDef::findTransition() const
{
    const CnfPhaseDefPtr before = previous();
    if (!before || !m_phase)
        return {};
    return m_phase->findTransition(before->id());
}

int CnfPhaseDef::getSGState(int signalGroupId) const
{
    return m_phase && m_phase->contains(signalGroupId) ? CnfSignalGroup::Green
                                                       : CnfSignalGroup::Red;
}

int CnfPhaseDef::greenChange(int signalGroupId) const
{
    const CnfPhaseDefPtr before = previous();
    if (!before)
        return GreenKept;
    const bool greenBefore = before->phase() && before->phase()->contains(signalGroupId);
    const bool greenNow = m_phase && m_phase->contains(signalGroupId);
    if (greenBefore && !greenNow)
        return GreenEnds;
    if (!greenBefore && greenNow)
        return GreenBegins;
    return GreenKept;
}
