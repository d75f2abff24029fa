#include "tlcstageringprogram.h"

#include "tlclog.h"

#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"

namespace {

int optionalInt(const QVariantMap &map, const QString &key)
{
    bool ok = false;
    const int value = map.value(key).toInt(&ok);
    return ok ? value : -1;
}

} // namespace

void TlcEngine::StageRingProgram::build(const CnfProgram &program, Plan &)
{
    for (const CnfPhaseDefPtr &def : program.phases()) {
        Step step;
        step.stage = def->phase() ? m_engine.m_stageById.value(def->id(), -1) : -1;
        const qint64 minGreen = milliseconds(def->property("minGreen"), -1);
        const qint64 maxGreen = milliseconds(def->property("maxGreen"), -1);
        const QString recall = def->property("recall").toString();
        if (recall == QLatin1String("max") && maxGreen >= 0)
            step.base = maxGreen;
        else if (minGreen >= 0)
            step.base = minGreen;
        else if (maxGreen >= 0)
            step.base = maxGreen;
        else
            step.base = qint64(def->length()) * 1000;
        step.max = qMax(step.base, maxGreen);
        step.passage = milliseconds(def->property("passage"), 0);
        step.onDemand = recall == QLatin1String("none");
        m_ring.push_back(step);
    }
    const int steps = int(m_ring.size());
    auto stepIndex = [steps](const QVariantMap &map, const QString &key) {
        const int number = optionalInt(map, key);
        return number >= 1 && number <= steps ? number - 1 : -1;
    };
    for (const QVariant &item : program.property("conditions").toList()) {
        const QVariantMap map = item.toMap();
        Condition condition;
        condition.step = stepIndex(map, QStringLiteral("phase"));
        condition.detector = optionalInt(map, QStringLiteral("detector"));
        condition.sensor = optionalInt(map, QStringLiteral("sensor"));
        condition.control = map.value(QStringLiteral("control")).toBool();
        condition.call = stepIndex(map, QStringLiteral("call"));
        m_conditions.push_back(condition);
    }
    m_demand.assign(m_ring.size(), 0);
}

bool TlcEngine::StageRingProgram::begin(qint64 t)
{
    if (m_ring.empty()) {
        TlcLog::warn(TlcLog::loggers().plan,
                     QStringLiteral("plan %1 has no steps to run").arg(m_engine.m_plan.number));
        return false;
    }
    startStep(0, t, t == 0);
    return true;
}

void TlcEngine::StageRingProgram::run(qint64 t)
{
    if (m_step >= 0 && m_engine.m_settled && t >= m_greenEnd) {
        const int next = nextStep();
        if (next >= 0) {
            m_demand[size_t(next)] = 0;
            startStep(next, t, false);
        }
    }
}

void TlcEngine::StageRingProgram::settled()
{
    if (m_step < 0)
        return;
    const Step &step = m_ring[size_t(m_step)];
    m_greenEnd = m_engine.m_settledAt + step.base;
    m_maxEnd = m_engine.m_settledAt + step.max;
    if (m_extendTo > m_greenEnd)
        m_greenEnd = qMin(m_extendTo, m_maxEnd);
}

// Demands, and for a detector the prolongation of the running step.
void TlcEngine::StageRingProgram::input(bool sensor, int id, qint64 ms)
{
    if (m_step < 0)
        return;
    for (const Condition &condition : m_conditions) {
        if ((sensor ? condition.sensor : condition.detector) != id
            || (condition.step >= 0 && condition.step != m_step))
            continue;
        if (condition.control && !sensor) {
            // The green lasts `passage` after the vehicle has left the detector.
            const qint64 until = m_engine.m_clock + ms + m_ring[size_t(m_step)].passage;
            m_extendTo = qMax(m_extendTo, until);
            if (m_engine.m_settled)
                m_greenEnd = qMax(m_greenEnd, qMin(until, m_maxEnd));
        }
        if (condition.call >= 0 && condition.call != m_step)
            m_demand[size_t(condition.call)] = 1;
    }
}

void TlcEngine::StageRingProgram::startStep(int step, qint64 t, bool now)
{
    m_step = step;
    m_extendTo = Never;
    m_engine.enterStage(m_ring[size_t(step)].stage, t, now);
}

int TlcEngine::StageRingProgram::nextStep() const
{
    const int count = int(m_ring.size());
    for (int d = 1; d < count; ++d) {
        const int step = (m_step + d) % count;
        if (!m_ring[size_t(step)].onDemand || m_demand[size_t(step)])
            return step;
    }
    return -1;
}
