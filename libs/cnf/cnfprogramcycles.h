#pragma once

#include "cnffwd.h"

#include <QList>
#include <QStringList>

// What removing signal groups or phases does to the cycles that programs'
// steps make. A step's full length is its own length plus the change into it,
// which the groups that end and begin there make (CnfPhaseDef::phaseInterstate);
// a group that goes can shorten that change. A phase that goes leaves its
// steps without groups: the change into such a step clears every group of the
// step before, the change out of it starts every group of the next, so either
// can get shorter or longer. That changes the cycle of a fixed-time, a
// coordinated or a TIVERK 3.x program. A coordinated program runs the cycle
// it shares with its neighbours: it keeps its steps' full lengths (the seconds
// go to the step's own length, so every step starts where it did) while every
// new change fits in its step and every own length fits where its record
// states it. Another program, or a coordinated one whose step is shorter than
// the change now leading into it or whose record cannot hold a step's new own
// length, keeps its own lengths, and its cycle changes.
class CnfProgramCycles
{
public:
    struct Change
    {
        QString program; // program id
        int before = 0; // seconds
        int after = 0; // seconds; equal to before for a coordinated program that keeps it
        bool kept = false; // a coordinated program: its steps take the seconds
    };
    // The programs whose cycle the removal of the groups changes, or would
    // change if it were not kept, in the controller's order.
    static QList<Change> onRemoval(const CnfController &controller, const QList<int> &groupIds);
    // The same for the removal of the phases.
    static QList<Change> onPhaseRemoval(const CnfController &controller,
                                        const QStringList &phaseIds);

    // The full lengths of the steps of every coordinated program whose steps
    // make its cycle, taken before a removal. A program runs coordinated when
    // its type is coordinated, its "coordinated" property says so, or its
    // TIVERK 3.x or adapter record states a cycle.
    struct Kept
    {
        CnfProgramPtr program;
        QList<int> fullLengths;
    };
    static QList<Kept> lengthsToKeep(const CnfController &controller);
    // Gives the steps their full lengths back after the removal, and a TIVERK
    // 3.x or adapter record its steps' new own lengths; a program that cannot
    // keep its cycle gets in its record the cycle its steps now make.
    static void keep(CnfController &controller, const QList<Kept> &kept);
};
