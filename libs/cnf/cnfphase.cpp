#include "cnfphase.h"

#include "cnfsignalgroup.h"

bool CnfPhase::contains(int signalGroupId) const
{
    for (const CnfSignalGroupPtr &group : signalGroups) {
        if (group && group->id == signalGroupId)
            return true;
    }
    return false;
}

CnfTransitionPtr CnfPhase::findTransition(const QString &fromPhaseId) const
{
    return transitions.value(fromPhaseId);
}

QString CnfPhase::friendlyName() const
{
    if (name.isEmpty())
        return id;
    return QStringLiteral("%1 (%2)").arg(id, name);
}
