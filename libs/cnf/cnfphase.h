#pragma once

#include "cnffwd.h"

#include <QList>
#include <QMap>
#include <QString>

// A phase: a named set of signal groups that run green together.
class CnfPhase
{
public:
    QString id; // unique text among the controller's phases
    QString name;
    int minTime = -1; // seconds; -1 = not set
    int maxTime = -1; // seconds; -1 = not set
    QList<CnfSignalGroupPtr> signalGroups;
    // Stored transitions into this phase, by the id of the phase before it
    // (used by the families whose transitions are not computed).
    QMap<QString, CnfTransitionPtr> transitions;

    bool contains(int signalGroupId) const;
    CnfTransitionPtr findTransition(const QString &fromPhaseId) const;
    // "2 (Main road)" or "2" without a name.
    QString friendlyName() const;
};
