#pragma once

#include "cnf/cnfprogramcycles.h"

#include <QList>
#include <QStringList>

// The programs whose cycles a removal changes, as a delete question names
// them: a coordinated program with the cycle it keeps ("2 (114 s)"), another
// with its cycle before and after ("1 (107 s -> 105 s)").
struct CycleChangeTexts
{
    QStringList kept;
    QStringList changed;
    static CycleChangeTexts of(const QList<CnfProgramCycles::Change> &changes);
};
