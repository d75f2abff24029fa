#include "tlcsequenceprogram.h"

#include "tlclog.h"

#include "cnf/cnfprogram.h"

#include <QVector>

namespace {

constexpr qint64 DefaultSequenceTime = 10000;

} // namespace

void TlcEngine::SequenceProgram::build(const CnfProgram &program, Plan &plan)
{
    QVector<int> stages;
    for (const QVariant &item : program.property("sequence").toList()) {
        const QString id = item.toString();
        if (!m_engine.m_stageById.contains(id)) {
            TlcLog::warn(TlcLog::loggers().plan,
                         QStringLiteral("plan %1: phase %2 of the sequence does not exist")
                             .arg(program.id, id));
            continue;
        }
        stages.append(m_engine.m_stageById.value(id));
    }
    qint64 start = 0;
    for (int k = 0; k < stages.size(); ++k) {
        const int stage = stages.at(k);
        const qint64 minTime = m_engine.m_stages[size_t(stage)].minTime;
        m_steps.push_back({ start, stage });
        start += m_engine.changeLength(plan, stages.at((k + stages.size() - 1) % stages.size()),
                                       stage)
            + (minTime < 0 ? DefaultSequenceTime : minTime * 1000);
    }
    plan.cycle = start;
    plan.coordinated = program.property("coordinated").toBool();
}
