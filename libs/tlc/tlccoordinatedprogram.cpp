#include "tlccoordinatedprogram.h"

void TlcEngine::CoordinatedProgram::build(const CnfProgram &program, Plan &plan)
{
    FixedTimeProgram::build(program, plan);
    plan.coordinated = true;
}
