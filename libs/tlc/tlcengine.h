#pragma once

#include "qtlcsignalgroup.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

#include <array>
#include <limits>
#include <memory>
#include <vector>

class CnfController;
class CnfProgram;
class QObject;
class QTlcDetector;
class QTlcSensor;
class QTlcStage;

// The inner working of QTlc: the group states, the running plan and the tick
// loop (model in docs/emulator.md). Times are milliseconds of emulation time.
// The emulated objects are children of `owner` and go with the engine.
class TlcEngine
{
public:
    TlcEngine(const CnfController &controller, QObject *owner);
    ~TlcEngine();
    TlcEngine(const TlcEngine &) = delete;
    TlcEngine &operator=(const TlcEngine &) = delete;

    QList<QTlcSignalGroup *> signalGroups() const;
    QMap<int, QTlcDetector *> detectors() const { return m_detectors; }
    QMap<int, QTlcSensor *> sensors() const { return m_sensors; }
    QTlcStage *currentStage() const { return m_stage; }
    qint64 clock() const { return m_clock; }

    // Milliseconds of the day that time 0 stands for.
    void setDayTime(qint64 ms) { m_dayMs = ms; }
    void start();
    void setPlan(const QVariant &number); // throws std::invalid_argument
    void step(qint64 endMs);
    void transit(int detectorId, qint64 ms);
    void call(int sensorId, qint64 ms);

private:
    using Primitive = QTlcSignalGroup::Primitive;
    static constexpr qint64 Never = std::numeric_limits<qint64>::min() / 4;
    static constexpr int NoStage
        = -2; // groups not set by a stage (start, blinking, timeline, crosswalks)
    // Values of a change target per group.
    enum Target : char { ToRed = 0, ToGreen = 1, Untouched = 2 };

    struct Pending
    {
        qint64 at;
        Primitive primitive;
    };
    struct Group
    {
        QTlcSignalGroup *object = nullptr;
        qint64 greenBlink = 0;
        qint64 amber = 0;
        qint64 redAmber = 0;
        qint64 greenEnd = Never;
        std::array<Pending, 6> pending {};
        int pendingCount = 0;
    };
    struct Stage
    {
        QTlcStage *object = nullptr;
        QString id;
        qint64 minTime = -1;
        std::vector<char> groups; // per group index: 1 when it runs green
    };
    // What every program type shares: its timing and the intergreen times.
    struct Plan
    {
        QString number;
        qint64 cycle = 0;
        qint64 offset = 0;
        bool coordinated = false;
        std::vector<qint64> intergreen; // n * n, Never for no conflict
    };

    // One class per program type (tlcprogram.h), chosen once when a plan is set.
    // They are nested so that they drive the signal groups and stages below.
    class Program;
    class CyclicProgram;
    class FixedTimeProgram;
    class CoordinatedProgram;
    class SequenceProgram;
    class TimelineProgram;
    class StageRingProgram;
    class FlashingProgram;
    class DarkProgram;
    class CrosswalkProgram;

    // Seconds of a property to milliseconds; `fallback` when missing, no number or negative.
    static qint64 milliseconds(const QVariant &value, qint64 fallback);
    std::vector<qint64> intergreenOf(const CnfProgram &program) const;
    qint64 changeLength(const Plan &plan, int from, int to) const;
    std::vector<char> stageTarget(int stage) const;

    void tick(qint64 t);
    void enterStage(int stage, qint64 t, bool now);
    void settle();
    void leaveStage();
    qint64 position(qint64 t) const;
    void input(bool sensor, int id, qint64 ms);

    qint64 change(qint64 t, const std::vector<char> &target);
    qint64 greenStart(const std::vector<char> &target, qint64 t) const;
    void establishNow(const std::vector<char> &target);
    void setAll(Primitive primitive, qint64 t);
    void clearPending();
    void schedule(Group &group, qint64 at, Primitive primitive);
    void applyPending(qint64 t);
    void nextPending();
    void setPrimitive(Group &group, Primitive primitive, qint64 at);
    QString stageText(const QTlcStage *stage) const;

    const CnfController &m_controller;
    std::vector<Group> m_groups;
    std::vector<Stage> m_stages;
    QMap<QString, int> m_stageById;
    QMap<int, QTlcDetector *> m_detectors;
    QMap<int, QTlcSensor *> m_sensors;

    qint64 m_dayMs = 0;
    qint64 m_clock = 0;
    bool m_started = false;
    bool m_hasPlan = false;
    Plan m_plan;
    std::unique_ptr<Program> m_program; // the running plan's type, null before the first plan
    QTlcStage *m_stage = nullptr;
    int m_stageIndex = NoStage; // index into m_stages, -1 for a step without phase
    bool m_settled = true; // the last stage change is complete
    qint64 m_settledAt = 0;
    qint64 m_nextPending = 0;
};
