#pragma once

#include "cnf/cnffwd.h"

#include <QStringList>

// Helpers shared by the program dialogs.

// The program a program dialog edits: a clone of the given program belonging to
// the controller, or, with no program given, a new one with the first number from
// 1 on that the controller does not use yet (CnfController::freeProgramId) and of
// the controller's type for a new program. Never null; not added to the controller.
CnfProgramPtr editableProgramCopy(const CnfProgramPtr &program, CnfController *controller);

// The numbers and names a program dialog may not give its program.
struct TakenProgramIds
{
    QStringList numbers; // "0", then the number of every other program
    QStringList names; // the names of the other programs that have one
};
// What the controller's programs other than `edited` take. A null `edited` (a
// new program) leaves every program in; without a controller only "0" is taken.
TakenProgramIds takenProgramIds(const CnfController *controller, const CnfProgramPtr &edited);
