#include "tlcengine.h"

#include "tlcprogram.h"

#include "qtlcdetector.h"
#include "qtlcsensor.h"
#include "qtlcstage.h"
#include "tlclog.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"

#include <QTime>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr qint64 Tick = 100;
constexpr qint64 Far = std::numeric_limits<qint64>::max() / 4;

QString seconds(qint64 ms)
{
    return QString::number(ms / 1000.0, 'f', 1);
}

// A group time: the group's own property, else the default group's.
QVariant groupTime(const CnfSignalGroup &group, const CnfSignalGroupPtr &defaults, const char *key)
{
    QVariant value = group.property(key);
    if (!value.isValid() && defaults)
        value = defaults->property(key);
    return value;
}

} // namespace

// Seconds (a number of any kind) to milliseconds; `fallback` when the value
// is missing, no number or negative.
qint64 TlcEngine::milliseconds(const QVariant &value, qint64 fallback)
{
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 1e9)
        return fallback;
    return qRound64(seconds * 1000);
}

TlcEngine::TlcEngine(const CnfController &controller, QObject *owner)
    : m_controller(controller)
{
    const CnfSignalGroupPtr defaults = controller.defaultSignalGroup();
    QMap<int, int> groupIndex;
    for (const CnfSignalGroupPtr &source : controller.signalGroups()) {
        Group group;
        group.object = new QTlcSignalGroup(source->id, source->name, owner);
        group.greenBlink = milliseconds(groupTime(*source, defaults, "greenBlink"), 0);
        group.amber = milliseconds(groupTime(*source, defaults, "amber"), 0);
        group.redAmber = milliseconds(groupTime(*source, defaults, "redAmber"), 0);
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
        QObject::connect(detector, &QTlcDetector::transited, owner,
                         [this](int id, qint64 ms) { transit(id, ms); });
        m_detectors.insert(source->id(), detector);
    }
    for (const CnfDetectorPtr &source : controller.sensorsList()) {
        auto *sensor = new QTlcSensor(source->id(), source->name(), owner);
        QObject::connect(sensor, &QTlcSensor::called, owner,
                         [this](int id, qint64 ms) { call(id, ms); });
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
    m_program.reset();
    leaveStage();
    clearPending();
    // A fresh start, not a change: nothing to trace.
    for (Group &group : m_groups) {
        group.greenEnd = Never;
        group.object->setPrimitive(QTlcSignalGroup::AmberBlink);
    }
    TlcLog::info(TlcLog::loggers().config,
                 QStringLiteral("started at %1")
                     .arg(QTime::fromMSecsSinceStartOfDay(int(m_dayMs))
                              .toString(QStringLiteral("hh:mm:ss.zzz"))));
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
    std::unique_ptr<Program> runner = Program::create(*this, program->type);
    if (!runner) {
        const QString message = QStringLiteral("plan %1: %2 (type %3) is not emulated")
                                    .arg(program->id, CnfProgram::typeName(program->type, false))
                                    .arg(program->type);
        TlcLog::error(log.plan, message);
        throw std::invalid_argument(message.toStdString());
    }
    Plan plan;
    plan.number = program->id;
    plan.offset = qint64(program->cycleOffset(0)) * 1000;
    plan.intergreen = intergreenOf(*program);
    runner->build(*program, plan);
    m_plan = std::move(plan);
    m_program = std::move(runner);

    QString summary = QStringLiteral("plan %1").arg(program->id);
    if (!program->name.isEmpty())
        summary += QStringLiteral(" (%1)").arg(program->name);
    summary += QStringLiteral(": %1").arg(CnfProgram::typeName(program->type, false));
    if (m_plan.cycle > 0)
        summary += QStringLiteral(", cycle %1 s").arg(seconds(m_plan.cycle));
    if (m_plan.coordinated)
        summary += QStringLiteral(", coordinated, offset %1 s, position %2 s")
                       .arg(seconds(m_plan.offset), seconds(position(m_clock)));
    TlcLog::info(log.plan, summary);

    m_hasPlan = m_program->begin(m_clock);
    if (m_clock >= m_nextPending)
        applyPending(m_clock);
    if (!m_settled && m_clock >= m_settledAt)
        settle();
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
            const double value
                = matrix->releaf(m_groups[a].object->number(), m_groups[b].object->number());
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
    auto runs = [this](int stage, size_t group) {
        return stage >= 0 && m_stages[size_t(stage)].groups[group];
    };
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
        m_program->run(t);
    if (t >= m_nextPending)
        applyPending(t);
    if (!m_settled && t >= m_settledAt)
        settle();
}

// Changes to `stage` at time t, or sets it at once when `now`.
void TlcEngine::enterStage(int stage, qint64 t, bool now)
{
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
    if (m_hasPlan)
        m_program->settled();
}

void TlcEngine::leaveStage()
{
    if (m_stage)
        m_stage->setEstablished(false);
    m_stage = nullptr;
    m_stageIndex = NoStage;
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

// --- Events ---

void TlcEngine::transit(int detectorId, qint64 ms)
{
    TlcLog::info(TlcLog::loggers().detector,
                 QStringLiteral("detector %1: transit of %2 ms").arg(detectorId).arg(ms));
    input(false, detectorId, ms);
}

void TlcEngine::call(int sensorId, qint64 ms)
{
    TlcLog::info(TlcLog::loggers().sensor,
                 QStringLiteral("sensor %1: call of %2 ms").arg(sensorId).arg(ms));
    input(true, sensorId, ms);
}

// A detector transit or a sensor call: what it does is the running program's.
void TlcEngine::input(bool sensor, int id, qint64 ms)
{
    if (m_hasPlan)
        m_program->input(sensor, id, ms);
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
        return group.pendingCount ? group.pending[size_t(group.pendingCount - 1)].primitive
                                  : group.object->primitive();
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
            const qint64 intergreen
                = m_plan.intergreen.empty() ? Never : m_plan.intergreen[a * n + i];
            const Group &other = m_groups[a];
            if (intergreen != Never && other.greenEnd != Never
                && lastOf(other) != QTlcSignalGroup::Green)
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
        setPrimitive(group, target[i] == ToGreen ? QTlcSignalGroup::Green : QTlcSignalGroup::Red,
                     m_clock);
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
    group.pending[size_t(group.pendingCount++)] = { at, primitive };
    m_nextPending = qMin(m_nextPending, group.pending[0].at);
}

void TlcEngine::applyPending(qint64 t)
{
    for (Group &group : m_groups) {
        int done = 0;
        while (done < group.pendingCount && group.pending[size_t(done)].at <= t) {
            setPrimitive(group, group.pending[size_t(done)].primitive,
                         group.pending[size_t(done)].at);
            ++done;
        }
        if (done > 0) {
            std::copy(group.pending.begin() + done, group.pending.begin() + group.pendingCount,
                      group.pending.begin());
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
        TlcLog::trace(log,
                      QStringLiteral("group %1: %2 -> %3")
                          .arg(group.object->number())
                          .arg(QTlcSignalGroup::primitiveName(old),
                               QTlcSignalGroup::primitiveName(primitive)));
    }
}

QString TlcEngine::stageText(const QTlcStage *stage) const
{
    if (stage->objectName().isEmpty())
        return QStringLiteral("stage %1").arg(stage->number());
    return QStringLiteral("stage %1 (%2)").arg(stage->number()).arg(stage->objectName());
}
