#include "tlccyclicprogram.h"

#include "tlclog.h"

#include <algorithm>

bool TlcEngine::CyclicProgram::begin(qint64 t)
{
    if (m_steps.empty() || m_engine.m_plan.cycle <= 0) {
        TlcLog::warn(TlcLog::loggers().plan,
                     QStringLiteral("plan %1 has no steps to run").arg(m_engine.m_plan.number));
        return false;
    }
    const int step = stepAt(m_engine.position(t));
    m_engine.enterStage(m_steps[size_t(step)].stage, t, t == 0);
    return true;
}

void TlcEngine::CyclicProgram::run(qint64 t)
{
    if (m_engine.m_plan.cycle <= 0)
        return;
    const qint64 now = m_engine.position(t);
    if (now < m_stepFrom || now >= m_stepTo) {
        const int step = stepAt(now);
        m_engine.enterStage(m_steps[size_t(step)].stage, t, false);
    }
}

int TlcEngine::CyclicProgram::stepAt(qint64 position)
{
    auto after
        = std::upper_bound(m_steps.begin(), m_steps.end(), position,
                           [](qint64 value, const Step &step) { return value < step.start; });
    const int step = int(after - m_steps.begin()) - 1;
    m_stepFrom = m_steps[size_t(step)].start;
    m_stepTo = after == m_steps.end() ? m_engine.m_plan.cycle : after->start;
    return step;
}
