#include "tlctimelineprogram.h"

#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"

#include <algorithm>

namespace {

QTlcSignalGroup::Primitive timelinePrimitive(int state)
{
    switch (state) {
    case CnfSignalGroup::Off:
        return QTlcSignalGroup::Off;
    case CnfSignalGroup::RedYellow:
        return QTlcSignalGroup::RedYellow;
    case CnfSignalGroup::Green:
        return QTlcSignalGroup::Green;
    case CnfSignalGroup::GreenBlink:
        return QTlcSignalGroup::GreenBlink;
    case CnfSignalGroup::Yellow:
        return QTlcSignalGroup::Yellow;
    case CnfSignalGroup::YellowBlink:
        return QTlcSignalGroup::AmberBlink;
    default: // red, and red blinking, which the signal heads here cannot show
        return QTlcSignalGroup::Red;
    }
}

} // namespace

void TlcEngine::TimelineProgram::build(const CnfProgram &program, Plan &plan)
{
    plan.cycle = qint64(program.cycle(false)) * 1000;
    plan.coordinated = m_coordinated || program.property("coordinated").toBool();
    for (const Group &group : m_engine.m_groups) {
        std::vector<std::pair<qint64, Primitive>> points;
        const QMap<int, int> data = program.getTimelineData(group.object->number());
        for (auto it = data.cbegin(); it != data.cend(); ++it)
            points.emplace_back(qint64(it.key()) * 1000, timelinePrimitive(it.value()));
        m_timeline.push_back(std::move(points));
    }
}

bool TlcEngine::TimelineProgram::begin(qint64 t)
{
    m_engine.leaveStage();
    m_engine.clearPending();
    show(t);
    return true;
}

void TlcEngine::TimelineProgram::run(qint64 t)
{
    show(t);
}

void TlcEngine::TimelineProgram::show(qint64 t)
{
    const qint64 now = m_engine.position(t);
    for (size_t i = 0; i < m_engine.m_groups.size(); ++i) {
        const auto &points = m_timeline[i];
        Primitive primitive = QTlcSignalGroup::Red;
        if (!points.empty()) {
            auto after
                = std::upper_bound(points.begin(), points.end(), now,
                                   [](qint64 value, const std::pair<qint64, Primitive> &point) {
                                       return value < point.first;
                                   });
            // Before the first point the last one still holds: the cycle wraps.
            primitive = after == points.begin() ? points.back().second : std::prev(after)->second;
        }
        m_engine.setPrimitive(m_engine.m_groups[i], primitive, t);
    }
}
