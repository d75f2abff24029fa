#include "tlcfixedtimeprogram.h"

#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"

void TlcEngine::FixedTimeProgram::build(const CnfProgram &program, Plan &plan)
{
    qint64 start = 0;
    for (const CnfPhaseDefPtr &def : program.phases()) {
        m_steps.push_back({ start, def->phase() ? m_engine.m_stageById.value(def->id(), -1) : -1 });
        start += qint64(def->fullLength()) * 1000;
    }
    plan.cycle = start;
    plan.coordinated = program.property("coordinated").toBool();
}
