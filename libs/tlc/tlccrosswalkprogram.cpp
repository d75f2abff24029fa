#include "tlccrosswalkprogram.h"

#include "tlclog.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"

namespace {

constexpr qint64 DefaultPedestrianGreen = 10000;

} // namespace

void TlcEngine::CrosswalkProgram::build(const CnfProgram &program, Plan &)
{
    const CnfController &controller = m_engine.m_controller;
    const std::vector<Group> &groups = m_engine.m_groups;
    const size_t n = groups.size();
    QMap<int, int> groupIndex;
    for (size_t i = 0; i < n; ++i)
        groupIndex.insert(groups[i].object->number(), int(i));
    // Elements are ids, or names as an editor may have left them.
    auto groupOf = [&](const QVariant &item) {
        bool ok = false;
        int id = item.toInt(&ok);
        if (!ok || item.userType() == QMetaType::QString) {
            const CnfSignalGroupPtr group = controller.findSGByName(item.toString());
            id = group ? group->id : (ok ? id : -1);
        }
        return groupIndex.value(id, -1);
    };
    auto inputsOf = [&](const QVariant &list, bool sensors) {
        QList<int> ids;
        for (const QVariant &item : list.toList()) {
            bool ok = false;
            int id = item.toInt(&ok);
            if (!ok || item.userType() == QMetaType::QString) {
                const CnfDetectorPtr input = sensors
                    ? controller.findSensorByName(item.toString())
                    : controller.findDetectorByName(item.toString());
                id = input ? input->id() : (ok ? id : -1);
            }
            if (id >= 0)
                ids.append(id);
        }
        return ids;
    };
    for (const QVariant &item : program.property("crosswalks").toList()) {
        const QVariantMap map = item.toMap();
        Crosswalk crosswalk;
        crosswalk.vehicleTarget.assign(n, Untouched);
        crosswalk.pedestrianTarget.assign(n, Untouched);
        for (const QVariant &group : map.value(QStringLiteral("groups")).toList()) {
            const int index = groupOf(group);
            if (index >= 0) {
                crosswalk.vehicleTarget[size_t(index)] = ToGreen;
                crosswalk.pedestrianTarget[size_t(index)] = ToRed;
            }
        }
        for (const QVariant &group : map.value(QStringLiteral("pedestrians")).toList()) {
            const int index = groupOf(group);
            if (index >= 0) {
                crosswalk.vehicleTarget[size_t(index)] = ToRed;
                crosswalk.pedestrianTarget[size_t(index)] = ToGreen;
            }
        }
        crosswalk.sensors = inputsOf(map.value(QStringLiteral("sensors")), true);
        crosswalk.detectors = inputsOf(map.value(QStringLiteral("detectors")), false);
        crosswalk.minGreen = milliseconds(map.value(QStringLiteral("minGreen")), 0);
        crosswalk.pedestrianGreen
            = milliseconds(map.value(QStringLiteral("pedestrianGreen")), DefaultPedestrianGreen);
        m_crosswalks.push_back(std::move(crosswalk));
    }
}

bool TlcEngine::CrosswalkProgram::begin(qint64 t)
{
    const bool now = t == 0;
    m_engine.leaveStage();
    std::vector<char> target(m_engine.m_groups.size(), ToRed);
    for (const Crosswalk &crosswalk : m_crosswalks) {
        for (size_t i = 0; i < target.size(); ++i) {
            if (crosswalk.vehicleTarget[i] != Untouched)
                target[i] = crosswalk.vehicleTarget[i];
        }
    }
    qint64 done = t;
    if (now)
        m_engine.establishNow(target);
    else
        done = m_engine.change(t, target);
    for (Crosswalk &crosswalk : m_crosswalks) {
        crosswalk.state = now ? Crosswalk::Vehicles : Crosswalk::ToVehicles;
        crosswalk.since = done;
    }
    return true;
}

void TlcEngine::CrosswalkProgram::run(qint64 t)
{
    for (size_t k = 0; k < m_crosswalks.size(); ++k) {
        Crosswalk &crosswalk = m_crosswalks[k];
        switch (crosswalk.state) {
        case Crosswalk::Vehicles:
            if (crosswalk.demand && t >= crosswalk.since + crosswalk.minGreen) {
                crosswalk.demand = false;
                crosswalk.state = Crosswalk::ToPedestrians;
                TlcLog::info(TlcLog::loggers().stage,
                             QStringLiteral("crosswalk %1: pedestrians").arg(k + 1));
                crosswalk.since = m_engine.change(t, crosswalk.pedestrianTarget);
                crosswalk.greenAt = m_engine.greenStart(crosswalk.pedestrianTarget, t);
            }
            break;
        case Crosswalk::ToPedestrians:
            if (t >= crosswalk.since)
                crosswalk.state = Crosswalk::Pedestrians;
            break;
        case Crosswalk::Pedestrians:
            if (t >= crosswalk.greenAt + crosswalk.pedestrianGreen) {
                crosswalk.state = Crosswalk::ToVehicles;
                TlcLog::info(TlcLog::loggers().stage,
                             QStringLiteral("crosswalk %1: vehicles").arg(k + 1));
                crosswalk.since = m_engine.change(t, crosswalk.vehicleTarget);
            }
            break;
        case Crosswalk::ToVehicles:
            if (t >= crosswalk.since)
                crosswalk.state = Crosswalk::Vehicles;
            break;
        }
    }
}

// A demand for each crosswalk whose vehicles run.
void TlcEngine::CrosswalkProgram::input(bool sensor, int id, qint64)
{
    for (Crosswalk &crosswalk : m_crosswalks) {
        const QList<int> &inputs = sensor ? crosswalk.sensors : crosswalk.detectors;
        if (inputs.contains(id)
            && (crosswalk.state == Crosswalk::Vehicles || crosswalk.state == Crosswalk::ToVehicles))
            crosswalk.demand = true;
    }
}
