#include "tlcengine.h"

#include "qtlcdetector.h"
#include "qtlcsensor.h"
#include "qtlcstage.h"
#include "tlclog.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"

#include <QTime>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr qint64 Tick = 100;
constexpr qint64 Far = std::numeric_limits<qint64>::max() / 4;
constexpr qint64 DefaultSequenceTime = 10000;
constexpr qint64 DefaultPedestrianGreen = 10000;

// Seconds (a number of any kind) to milliseconds; `fallback` when the value
// is missing, no number or negative.
qint64 milliseconds(const QVariant &value, qint64 fallback)
{
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 1e9)
        return fallback;
    return qRound64(seconds * 1000);
}

// A group time: the group's own property, else the default group's, else 0.
qint64 groupTime(const CnfSignalGroup &group, const CnfSignalGroupPtr &defaults, const char *key)
{
    QVariant value = group.property(key);
    if (!value.isValid() && defaults)
        value = defaults->property(key);
    return milliseconds(value, 0);
}

int optionalInt(const QVariantMap &map, const QString &key)
{
    bool ok = false;
    const int value = map.value(key).toInt(&ok);
    return ok ? value : -1;
}

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

QString seconds(qint64 ms)
{
    return QString::number(ms / 1000.0, 'f', 1);
}

} // namespace

TlcEngine::TlcEngine(const CnfController &controller, QObject *owner)
    : m_controller(controller)
{
    const CnfSignalGroupPtr defaults = controller.defaultSignalGroup();
    QMap<int, int> groupIndex;
    for (const CnfSignalGroupPtr &source : controller.signalGroups()) {
        Group group;
        group.object = new QTlcSignalGroup(source->id, source->name, owner);
        group.greenBlink = groupTime(*source, defaults, "greenBlink");
        group.amber = groupTime(*source, defaults, "amber");
        group.redAmber = groupTime(*source, defaults, "redAmber");
        groupIndex.insert(source->id, int(m_groups.size()));
        m_groups.push_back(group);
    }
    for (const CnfPhasePtr &phase : controller.phases()) {
        Stage stage;
        stage.object = new QTlcStage(phase->id.toInt(), phase->name, owner);
        stage.id = phase->id;
        stage.minTime = phase->minTime;
        stage.groups.assign(m_groups.size(), 0);
        for (const CnfSignalGroupPtr &group : phase->signalGroups) {
            if (group && groupIndex.contains(group->id))
                stage.groups[size_t(groupIndex.value(group->id))] = 1;
        }
        m_stageById.insert(phase->id, int(m_stages.size()));
        m_stages.push_back(stage);
    }
    for (const CnfDetectorPtr &source : controller.detectorsList()) {
        auto *detector = new QTlcDetector(source->id(), source->name(), owner);
        QObject::connect(detector, &QTlcDetector::transited, owner, [this](int id, qint64 ms) { transit(id, ms); });
        m_detectors.insert(source->id(), detector);
    }
    for (const CnfDetectorPtr &source : controller.sensorsList()) {
        auto *sensor = new QTlcSensor(source->id(), source->name(), owner);
        QObject::connect(sensor, &QTlcSensor::called, owner, [this](int id, qint64 ms) { call(id, ms); });
        m_sensors.insert(source->id(), sensor);
    }
    m_nextPending = Far;
}

TlcEngine::~TlcEngine()
{
    for (const Group &group : m_groups)
        delete group.object;
    for (const Stage &stage : m_stages)
        delete stage.object;
    qDeleteAll(m_detectors);
    qDeleteAll(m_sensors);
}

QList<QTlcSignalGroup *> TlcEngine::signalGroups() const
{
    QList<QTlcSignalGroup *> groups;
    groups.reserve(int(m_groups.size()));
    for (const Group &group : m_groups)
        groups.append(group.object);
    return groups;
}

void TlcEngine::start()
{
    m_started = true;
    m_clock = 0;
    m_hasPlan = false;
    m_plan = Plan();
    leaveStage();
    clearPending();
    // A fresh start, not a change: nothing to trace.
    for (Group &group : m_groups) {
        group.greenEnd = Never;
        group.object->setPrimitive(QTlcSignalGroup::AmberBlink);
    }
    TlcLog::info(TlcLog::loggers().config,
                 QStringLiteral("started at %1").arg(QTime::fromMSecsSinceStartOfDay(int(m_dayMs)).toString(QStringLiteral("hh:mm:ss.zzz"))));
}

// --- Plans ---

void TlcEngine::setPlan(const QVariant &number)
{
    const TlcLog::Loggers &log = TlcLog::loggers();
    const QString text = number.toString();
    bool numeric = false;
    const int value = number.toInt(&numeric);
    CnfProgramPtr program;
    for (const CnfProgramPtr &candidate : m_controller.programs()) {
        bool ok = false;
        if (candidate->id == text || (numeric && candidate->id.toInt(&ok) == value && ok)) {
            program = candidate;
            break;
        }
    }
    if (!program) {
        const QString message = QStringLiteral("plan %1 does not exist").arg(text);
        TlcLog::error(log.plan, message);
        throw std::invalid_argument(message.toStdString());
    }
    Plan plan;
    if (!buildPlan(*program, &plan)) {
        const QString message = QStringLiteral("plan %1: %2 (type %3) is not emulated")
                                    .arg(program->id, CnfProgram::typeName(program->type, false))
                                    .arg(program->type);
        TlcLog::error(log.plan, message);
        throw std::invalid_argument(message.toStdString());
    }
    m_plan = std::move(plan);
    m_hasPlan = true;
    m_step = -1;
    m_demand.assign(m_plan.ring.size(), 0);
    m_extendTo = Never;

    QString summary = QStringLiteral("plan %1").arg(program->id);
    if (!program->name.isEmpty())
        summary += QStringLiteral(" (%1)").arg(program->name);
    summary += QStringLiteral(": %1").arg(CnfProgram::typeName(program->type, false));
    if (m_plan.cycle > 0)
        summary += QStringLiteral(", cycle %1 s").arg(seconds(m_plan.cycle));
    if (m_plan.coordinated)
        summary += QStringLiteral(", coordinated, offset %1 s, position %2 s").arg(seconds(m_plan.offset), seconds(position(m_clock)));
    TlcLog::info(log.plan, summary);

    begin(m_clock);
    if (m_clock >= m_nextPending)
        applyPending(m_clock);
    if (!m_settled && m_clock >= m_settledAt)
        settle();
}

bool TlcEngine::buildPlan(const CnfProgram &program, Plan *plan)
{
    const TlcLog::Loggers &log = TlcLog::loggers();
    plan->number = program.id;
    plan->type = program.type;
    plan->offset = qint64(program.cycleOffset(0)) * 1000;
    plan->intergreen = intergreenOf(program);
    const bool coordinatedProperty = program.property("coordinated").toBool();
    switch (program.type) {
    case CnfProgram::YellowFlash:
    case CnfProgram::Dark:
        return true;
    case CnfProgram::FixedTime:
    case CnfProgram::Coordinated: {
        qint64 start = 0;
        for (const CnfPhaseDefPtr &def : program.phases()) {
            plan->steps.push_back({start, def->phase() ? m_stageById.value(def->id(), -1) : -1});
            start += qint64(def->fullLength()) * 1000;
        }
        plan->cycle = start;
        plan->coordinated = program.type == CnfProgram::Coordinated || coordinatedProperty;
        return true;
    }
    case CnfProgram::Sequence: {
        QVector<int> stages;
        for (const QVariant &item : program.property("sequence").toList()) {
            const QString id = item.toString();
            if (!m_stageById.contains(id)) {
                TlcLog::warn(log.plan, QStringLiteral("plan %1: phase %2 of the sequence does not exist").arg(program.id, id));
                continue;
            }
            stages.append(m_stageById.value(id));
        }
        qint64 start = 0;
        for (int k = 0; k < stages.size(); ++k) {
            const int stage = stages.at(k);
            const qint64 minTime = m_stages[size_t(stage)].minTime;
            plan->steps.push_back({start, stage});
            start += changeLength(*plan, stages.at((k + stages.size() - 1) % stages.size()), stage)
                     + (minTime < 0 ? DefaultSequenceTime : minTime * 1000);
        }
        plan->cycle = start;
        plan->coordinated = coordinatedProperty;
        return true;
    }
    case CnfProgram::Timeline:
    case CnfProgram::CoordinatedTimeline:
        plan->cycle = qint64(program.cycle(false)) * 1000;
        plan->coordinated = program.type == CnfProgram::CoordinatedTimeline || coordinatedProperty;
        for (const Group &group : m_groups) {
            std::vector<std::pair<qint64, Primitive>> points;
            const QMap<int, int> data = program.getTimelineData(group.object->number());
            for (auto it = data.cbegin(); it != data.cend(); ++it)
                points.emplace_back(qint64(it.key()) * 1000, timelinePrimitive(it.value()));
            plan->timeline.push_back(std::move(points));
        }
        return true;
    case CnfProgram::Stagering: {
        for (const CnfPhaseDefPtr &def : program.phases()) {
            RingStep step;
            step.stage = def->phase() ? m_stageById.value(def->id(), -1) : -1;
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
            plan->ring.push_back(step);
        }
        const int steps = int(plan->ring.size());
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
            plan->conditions.push_back(condition);
        }
        return true;
    }
    case CnfProgram::Pedestrian: {
        const size_t n = m_groups.size();
        QMap<int, int> groupIndex;
        for (size_t i = 0; i < n; ++i)
            groupIndex.insert(m_groups[i].object->number(), int(i));
        // Elements are ids, or names as an editor may have left them.
        auto groupOf = [&](const QVariant &item) {
            bool ok = false;
            int id = item.toInt(&ok);
            if (!ok || item.userType() == QMetaType::QString) {
                const CnfSignalGroupPtr group = m_controller.findSGByName(item.toString());
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
                    const CnfDetectorPtr input = sensors ? m_controller.findSensorByName(item.toString())
                                                         : m_controller.findDetectorByName(item.toString());
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
            crosswalk.pedestrianGreen = milliseconds(map.value(QStringLiteral("pedestrianGreen")), DefaultPedestrianGreen);
            plan->crosswalks.push_back(std::move(crosswalk));
        }
        return true;
    }
    default:
        return false;
    }
}

std::vector<qint64> TlcEngine::intergreenOf(const CnfProgram &program) const
{
    const size_t n = m_groups.size();
    std::vector<qint64> intergreen(n * n, Never);
    CnfMatrixPtr matrix = program.defaultMatrix ? m_controller.defaultMatrix() : program.matrix;
    if (!matrix)
        matrix = m_controller.defaultMatrix();
    if (!matrix)
        return intergreen;
    for (size_t a = 0; a < n; ++a) {
        for (size_t b = 0; b < n; ++b) {
            const double value = matrix->releaf(m_groups[a].object->number(), m_groups[b].object->number());
            if (a != b && std::isfinite(value))
                intergreen[a * n + b] = qRound64(value * 1000);
        }
    }
    return intergreen;
}

// The length of a change from the steady stage `from` into `to`, as change()
// would run it.
qint64 TlcEngine::changeLength(const Plan &plan, int from, int to) const
{
    if (from == to)
        return 0;
    const size_t n = m_groups.size();
    auto runs = [this](int stage, size_t group) { return stage >= 0 && m_stages[size_t(stage)].groups[group]; };
    qint64 length = 0;
    for (size_t a = 0; a < n; ++a) {
        if (runs(from, a) && !runs(to, a))
            length = qMax(length, m_groups[a].greenBlink + m_groups[a].amber);
    }
    for (size_t b = 0; b < n; ++b) {
        if (!runs(to, b) || runs(from, b))
            continue;
        qint64 start = m_groups[b].redAmber;
        for (size_t a = 0; a < n; ++a) {
            const qint64 intergreen = plan.intergreen[a * n + b];
            if (runs(from, a) && !runs(to, a) && intergreen != Never)
                start = qMax(start, intergreen);
        }
        length = qMax(length, start);
    }
    return length;
}

std::vector<char> TlcEngine::stageTarget(int stage) const
{
    if (stage < 0)
        return std::vector<char>(m_groups.size(), ToRed);
    return m_stages[size_t(stage)].groups; // 1 = ToGreen, 0 = ToRed
}

// --- Running ---

void TlcEngine::step(qint64 endMs)
{
    if (!m_started)
        return;
    for (qint64 t = (m_clock / Tick + 1) * Tick; t <= endMs; t += Tick)
        tick(t);
    if (endMs > m_clock)
        m_clock = endMs;
}

void TlcEngine::tick(qint64 t)
{
    m_clock = t;
    if (m_hasPlan)
        runPlan(t);
    if (t >= m_nextPending)
        applyPending(t);
    if (!m_settled && t >= m_settledAt)
        settle();
}

void TlcEngine::runPlan(qint64 t)
{
    switch (m_plan.type) {
    case CnfProgram::FixedTime:
    case CnfProgram::Coordinated:
    case CnfProgram::Sequence: {
        if (m_plan.cycle <= 0)
            return;
        const qint64 now = position(t);
        if (now < m_stepFrom || now >= m_stepTo) {
            const int step = cyclicStepAt(now);
            startStep(step, m_plan.steps[size_t(step)].stage, t, false);
        }
        return;
    }
    case CnfProgram::Timeline:
    case CnfProgram::CoordinatedTimeline:
        showTimeline(t);
        return;
    case CnfProgram::Stagering:
        if (m_step >= 0 && m_settled && t >= m_greenEnd) {
            const int next = nextRingStep();
            if (next >= 0) {
                m_demand[size_t(next)] = 0;
                startStep(next, m_plan.ring[size_t(next)].stage, t, false);
            }
        }
        return;
    case CnfProgram::Pedestrian:
        for (size_t k = 0; k < m_plan.crosswalks.size(); ++k) {
            Crosswalk &crosswalk = m_plan.crosswalks[k];
            switch (crosswalk.state) {
            case Crosswalk::Vehicles:
                if (crosswalk.demand && t >= crosswalk.since + crosswalk.minGreen) {
                    crosswalk.demand = false;
                    crosswalk.state = Crosswalk::ToPedestrians;
                    TlcLog::info(TlcLog::loggers().stage, QStringLiteral("crosswalk %1: pedestrians").arg(k + 1));
                    crosswalk.since = change(t, crosswalk.pedestrianTarget);
                    crosswalk.greenAt = greenStart(crosswalk.pedestrianTarget, t);
                }
                break;
            case Crosswalk::ToPedestrians:
                if (t >= crosswalk.since)
                    crosswalk.state = Crosswalk::Pedestrians;
                break;
            case Crosswalk::Pedestrians:
                if (t >= crosswalk.greenAt + crosswalk.pedestrianGreen) {
                    crosswalk.state = Crosswalk::ToVehicles;
                    TlcLog::info(TlcLog::loggers().stage, QStringLiteral("crosswalk %1: vehicles").arg(k + 1));
                    crosswalk.since = change(t, crosswalk.vehicleTarget);
                }
                break;
            case Crosswalk::ToVehicles:
                if (t >= crosswalk.since)
                    crosswalk.state = Crosswalk::Vehicles;
                break;
            }
        }
        return;
    default:
        return;
    }
}

// Puts the plan in force at time t: at time 0 its first stage stands at
// once, later a normal change leads into it.
void TlcEngine::begin(qint64 t)
{
    const bool now = t == 0;
    switch (m_plan.type) {
    case CnfProgram::YellowFlash:
        leaveStage();
        setAll(QTlcSignalGroup::AmberBlink, t);
        return;
    case CnfProgram::Dark:
        leaveStage();
        setAll(QTlcSignalGroup::Off, t);
        return;
    case CnfProgram::Timeline:
    case CnfProgram::CoordinatedTimeline:
        leaveStage();
        clearPending();
        showTimeline(t);
        return;
    case CnfProgram::FixedTime:
    case CnfProgram::Coordinated:
    case CnfProgram::Sequence:
        if (m_plan.steps.empty() || m_plan.cycle <= 0) {
            TlcLog::warn(TlcLog::loggers().plan, QStringLiteral("plan %1 has no steps to run").arg(m_plan.number));
            m_hasPlan = false;
            return;
        }
        {
            const int step = cyclicStepAt(position(t));
            startStep(step, m_plan.steps[size_t(step)].stage, t, now);
        }
        return;
    case CnfProgram::Stagering:
        if (m_plan.ring.empty()) {
            TlcLog::warn(TlcLog::loggers().plan, QStringLiteral("plan %1 has no steps to run").arg(m_plan.number));
            m_hasPlan = false;
            return;
        }
        startStep(0, m_plan.ring.front().stage, t, now);
        return;
    case CnfProgram::Pedestrian: {
        leaveStage();
        std::vector<char> target(m_groups.size(), ToRed);
        for (const Crosswalk &crosswalk : m_plan.crosswalks) {
            for (size_t i = 0; i < target.size(); ++i) {
                if (crosswalk.vehicleTarget[i] != Untouched)
                    target[i] = crosswalk.vehicleTarget[i];
            }
        }
        qint64 done = t;
        if (now)
            establishNow(target);
        else
            done = change(t, target);
        for (Crosswalk &crosswalk : m_plan.crosswalks) {
            crosswalk.state = now ? Crosswalk::Vehicles : Crosswalk::ToVehicles;
            crosswalk.since = done;
        }
        return;
    }
    default:
        return;
    }
}

void TlcEngine::startStep(int step, int stage, qint64 t, bool now)
{
    m_step = step;
    m_extendTo = Never;
    if (stage == m_stageIndex) {
        // The same stage again: nothing to change, only the step's times.
        if (m_settled) {
            m_settled = false;
            m_settledAt = t;
        }
        return;
    }
    QTlcStage *object = stage >= 0 ? m_stages[size_t(stage)].object : nullptr;
    if (m_stage)
        m_stage->setEstablished(false);
    m_stage = object;
    m_stageIndex = stage;
    if (m_stage)
        TlcLog::info(TlcLog::loggers().stage, stageText(m_stage) + QStringLiteral(" started"));
    const std::vector<char> target = stageTarget(stage);
    m_settled = false;
    if (now) {
        establishNow(target);
        m_settledAt = t;
    } else {
        m_settledAt = change(t, target);
    }
}

void TlcEngine::settle()
{
    m_settled = true;
    if (m_stage && !m_stage->isEstablished()) {
        m_stage->setEstablished(true);
        TlcLog::info(TlcLog::loggers().stage, stageText(m_stage) + QStringLiteral(" established"));
    }
    if (m_plan.type == CnfProgram::Stagering && m_hasPlan && m_step >= 0) {
        const RingStep &step = m_plan.ring[size_t(m_step)];
        m_greenEnd = m_settledAt + step.base;
        m_maxEnd = m_settledAt + step.max;
        if (m_extendTo > m_greenEnd)
            m_greenEnd = qMin(m_extendTo, m_maxEnd);
    }
}

void TlcEngine::leaveStage()
{
    if (m_stage)
        m_stage->setEstablished(false);
    m_stage = nullptr;
    m_stageIndex = NoStage;
    m_step = -1;
    m_settled = true;
}

qint64 TlcEngine::position(qint64 t) const
{
    const qint64 cycle = m_plan.cycle;
    if (cycle <= 0)
        return 0;
    if (!m_plan.coordinated)
        return t % cycle;
    return ((m_dayMs + t - m_plan.offset) % cycle + cycle) % cycle;
}

int TlcEngine::cyclicStepAt(qint64 position)
{
    const std::vector<CyclicStep> &steps = m_plan.steps;
    auto after = std::upper_bound(steps.begin(), steps.end(), position,
                                  [](qint64 value, const CyclicStep &step) { return value < step.start; });
    const int step = int(after - steps.begin()) - 1;
    m_stepFrom = steps[size_t(step)].start;
    m_stepTo = after == steps.end() ? m_plan.cycle : after->start;
    return step;
}

int TlcEngine::nextRingStep() const
{
    const int count = int(m_plan.ring.size());
    for (int d = 1; d < count; ++d) {
        const int step = (m_step + d) % count;
        if (!m_plan.ring[size_t(step)].onDemand || m_demand[size_t(step)])
            return step;
    }
    return -1;
}

void TlcEngine::showTimeline(qint64 t)
{
    const qint64 now = position(t);
    for (size_t i = 0; i < m_groups.size(); ++i) {
        const auto &points = m_plan.timeline[i];
        Primitive primitive = QTlcSignalGroup::Red;
        if (!points.empty()) {
            auto after = std::upper_bound(points.begin(), points.end(), now,
                                          [](qint64 value, const std::pair<qint64, Primitive> &point) { return value < point.first; });
            // Before the first point the last one still holds: the cycle wraps.
            primitive = after == points.begin() ? points.back().second : std::prev(after)->second;
        }
        setPrimitive(m_groups[i], primitive, t);
    }
}

// --- Events ---

void TlcEngine::transit(int detectorId, qint64 ms)
{
    TlcLog::info(TlcLog::loggers().detector, QStringLiteral("detector %1: transit of %2 ms").arg(detectorId).arg(ms));
    input(false, detectorId, ms);
}

void TlcEngine::call(int sensorId, qint64 ms)
{
    TlcLog::info(TlcLog::loggers().sensor, QStringLiteral("sensor %1: call of %2 ms").arg(sensorId).arg(ms));
    input(true, sensorId, ms);
}

// A detector transit or a sensor call: demands, and for a detector the
// prolongation of the running step.
void TlcEngine::input(bool sensor, int id, qint64 ms)
{
    if (!m_hasPlan)
        return;
    if (m_plan.type == CnfProgram::Stagering && m_step >= 0) {
        for (const Condition &condition : m_plan.conditions) {
            if ((sensor ? condition.sensor : condition.detector) != id || (condition.step >= 0 && condition.step != m_step))
                continue;
            if (condition.control && !sensor) {
                // The green lasts `passage` after the vehicle has left the detector.
                const qint64 until = m_clock + ms + m_plan.ring[size_t(m_step)].passage;
                m_extendTo = qMax(m_extendTo, until);
                if (m_settled)
                    m_greenEnd = qMax(m_greenEnd, qMin(until, m_maxEnd));
            }
            if (condition.call >= 0 && condition.call != m_step)
                m_demand[size_t(condition.call)] = 1;
        }
    } else if (m_plan.type == CnfProgram::Pedestrian) {
        for (Crosswalk &crosswalk : m_plan.crosswalks) {
            const QList<int> &inputs = sensor ? crosswalk.sensors : crosswalk.detectors;
            if (inputs.contains(id) && (crosswalk.state == Crosswalk::Vehicles || crosswalk.state == Crosswalk::ToVehicles))
                crosswalk.demand = true;
        }
    }
}

// --- Signal groups ---

// Starts a change at t: groups marked ToRed clear (green blink, amber, red),
// groups marked ToGreen turn green after their red-amber and no earlier than
// the intergreen time after the green end of any conflicting group. Returns
// the time at which every touched group shows its final state.
qint64 TlcEngine::change(qint64 t, const std::vector<char> &target)
{
    const size_t n = m_groups.size();
    qint64 done = t;
    auto lastOf = [](const Group &group) {
        return group.pendingCount ? group.pending[size_t(group.pendingCount - 1)].primitive : group.object->primitive();
    };
    auto lastTime = [t](const Group &group) {
        return group.pendingCount ? qMax(t, group.pending[size_t(group.pendingCount - 1)].at) : t;
    };
    // Leaving groups first: their green ends now, which the entering groups wait for.
    for (size_t i = 0; i < n; ++i) {
        if (target[i] != ToRed)
            continue;
        Group &group = m_groups[i];
        const Primitive last = lastOf(group);
        if (last == QTlcSignalGroup::Red) {
            done = qMax(done, lastTime(group));
            continue;
        }
        if (group.pendingCount == 0 && group.object->primitive() == QTlcSignalGroup::Green) {
            group.greenEnd = t;
            if (group.greenBlink > 0)
                schedule(group, t, QTlcSignalGroup::GreenBlink);
            if (group.amber > 0)
                schedule(group, t + group.greenBlink, QTlcSignalGroup::Yellow);
            schedule(group, t + group.greenBlink + group.amber, QTlcSignalGroup::Red);
        } else {
            group.pendingCount = 0;
            schedule(group, t, QTlcSignalGroup::Red);
        }
        done = qMax(done, lastTime(group));
    }
    for (size_t i = 0; i < n; ++i) {
        if (target[i] != ToGreen)
            continue;
        Group &group = m_groups[i];
        const Primitive last = lastOf(group);
        if (last == QTlcSignalGroup::Green) {
            done = qMax(done, lastTime(group));
            continue;
        }
        qint64 redAt = t;
        if (last == QTlcSignalGroup::Red && group.pendingCount > 0) {
            redAt = lastTime(group); // still clearing from an earlier change
        } else {
            group.pendingCount = 0;
            if (group.object->primitive() != QTlcSignalGroup::Red)
                schedule(group, t, QTlcSignalGroup::Red);
        }
        qint64 greenAt = redAt + group.redAmber;
        for (size_t a = 0; a < n; ++a) {
            const qint64 intergreen = m_plan.intergreen.empty() ? Never : m_plan.intergreen[a * n + i];
            const Group &other = m_groups[a];
            if (intergreen != Never && other.greenEnd != Never && lastOf(other) != QTlcSignalGroup::Green)
                greenAt = qMax(greenAt, other.greenEnd + intergreen);
        }
        if (group.redAmber > 0)
            schedule(group, greenAt - group.redAmber, QTlcSignalGroup::RedYellow);
        schedule(group, greenAt, QTlcSignalGroup::Green);
        done = qMax(done, greenAt);
    }
    return done;
}

// The time at which the last group marked ToGreen turns green.
qint64 TlcEngine::greenStart(const std::vector<char> &target, qint64 t) const
{
    qint64 latest = t;
    for (size_t i = 0; i < m_groups.size(); ++i) {
        const Group &group = m_groups[i];
        if (target[i] == ToGreen && group.pendingCount > 0)
            latest = qMax(latest, group.pending[size_t(group.pendingCount - 1)].at);
    }
    return latest;
}

void TlcEngine::establishNow(const std::vector<char> &target)
{
    for (size_t i = 0; i < m_groups.size(); ++i) {
        if (target[i] == Untouched)
            continue;
        Group &group = m_groups[i];
        group.pendingCount = 0;
        setPrimitive(group, target[i] == ToGreen ? QTlcSignalGroup::Green : QTlcSignalGroup::Red, m_clock);
    }
    nextPending();
}

void TlcEngine::setAll(Primitive primitive, qint64 t)
{
    clearPending();
    for (Group &group : m_groups)
        setPrimitive(group, primitive, t);
}

void TlcEngine::clearPending()
{
    for (Group &group : m_groups)
        group.pendingCount = 0;
    m_nextPending = Far;
}

void TlcEngine::schedule(Group &group, qint64 at, Primitive primitive)
{
    // A later state at the same time replaces the earlier one, so a group
    // never shows a state for no time at all.
    if (group.pendingCount > 0 && group.pending[size_t(group.pendingCount - 1)].at == at)
        --group.pendingCount;
    if (group.pendingCount == int(group.pending.size()))
        --group.pendingCount;
    group.pending[size_t(group.pendingCount++)] = {at, primitive};
    m_nextPending = qMin(m_nextPending, group.pending[0].at);
}

void TlcEngine::applyPending(qint64 t)
{
    for (Group &group : m_groups) {
        int done = 0;
        while (done < group.pendingCount && group.pending[size_t(done)].at <= t) {
            setPrimitive(group, group.pending[size_t(done)].primitive, group.pending[size_t(done)].at);
            ++done;
        }
        if (done > 0) {
            std::copy(group.pending.begin() + done, group.pending.begin() + group.pendingCount, group.pending.begin());
            group.pendingCount -= done;
        }
    }
    nextPending();
}

void TlcEngine::nextPending()
{
    qint64 next = Far;
    for (const Group &group : m_groups) {
        if (group.pendingCount > 0)
            next = qMin(next, group.pending[0].at);
    }
    m_nextPending = next;
}

void TlcEngine::setPrimitive(Group &group, Primitive primitive, qint64 at)
{
    const Primitive old = group.object->primitive();
    if (old == primitive)
        return;
    if (old == QTlcSignalGroup::Green)
        group.greenEnd = at;
    group.object->setPrimitive(primitive);
    const log4cxx::LoggerPtr &log = TlcLog::loggers().signalGroup;
    if (log->isTraceEnabled()) {
        TlcLog::trace(log, QStringLiteral("group %1: %2 -> %3")
                               .arg(group.object->number())
                               .arg(QTlcSignalGroup::primitiveName(old), QTlcSignalGroup::primitiveName(primitive)));
    }
}

QString TlcEngine::stageText(const QTlcStage *stage) const
{
    if (stage->objectName().isEmpty())
        return QStringLiteral("stage %1").arg(stage->number());
    return QStringLiteral("stage %1 (%2)").arg(stage->number()).arg(stage->objectName());
}
