#pragma once

#include "cnf/cnffwd.h"

// Helpers shared by the program dialogs.

// The program a program dialog edits: a clone of the given program belonging to
// the controller, or, with no program given, a new one with the first number from
// 1 on that the controller does not use yet. Never null; not added to the
// controller.
CnfProgramPtr editableProgramCopy(const CnfProgramPtr &program, CnfController *controller);
