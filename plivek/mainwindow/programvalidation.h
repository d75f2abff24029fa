#pragma once

#include <QString>

class CnfController;

// Looks through a controller's programs for phase changes without a
// transition and, with a safety matrix, for a group that gets green while a
// conflicting group still has it.
class ProgramValidation
{
public:
    // The faults as the save question lists them ("Incorrect phase
    // transitions:" and "Conflict of green:" blocks); empty when none.
    // computedTransitions: the transition of a step is computed from the
    // interstate records ("tiverk", "adapter") rather than stored.
    static QString findFaults(const CnfController &controller, bool computedTransitions);
};
