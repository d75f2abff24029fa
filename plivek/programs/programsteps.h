#pragma once

#include "cnf/cnffwd.h"

class ParametersTable;
class QString;

// Helpers shared by the program dialogs.

// The program a program dialog edits: a clone of the given program belonging to
// the controller, or, with no program given, a new one with the first number from
// 1 on that the controller does not use yet. Never null; not added to the
// controller.
CnfProgramPtr editableProgramCopy(const CnfProgramPtr &program, CnfController *controller);

// Which length of a step a step table shows and edits.
enum class StepLength { Own, Full };

// Fills the table with one column per step of the program: row 0 the step's
// phase (read-only) under `phaseTitle`, row 1 its length under `lengthTitle`.
void fillStepTable(ParametersTable *table, const CnfProgram &program, const QString &phaseTitle,
                   const QString &lengthTitle, StepLength length);
// Takes the lengths of row 1 back into the steps; cells that hold no whole
// number of 0 or more leave their step as it was.
void storeStepTable(const ParametersTable *table, CnfProgram &program, StepLength length);
