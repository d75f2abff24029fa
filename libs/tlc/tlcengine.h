#pragma once

#include "qtlcsignalgroup.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

#include <array>
#include <limits>
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
    static constexpr int NoStage = -2; // groups not set by a stage (start, blinking, timeline, crosswalks)
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
        std::array<Pending, 6> pending{};
        int pendingCount = 0;
    };
    struct Stage
    {
        QTlcStage *object = nullptr;
        QString id;
        qint64 minTime = -1;
        std::vector<char> groups; // per group index: 1 when it runs green
    };
    // A step of a cyclic program: the change into it starts at `start`.
    struct CyclicStep
    {
        qint64 start = 0;
        int stage = -1; // index into m_stages, -1 for a step without phase
    };
    struct RingStep
    {
        int stage = -1;
        qint64 base = 0;
        qint64 max = 0;
        qint64 passage = 0;
        bool onDemand = false;
    };
    struct Condition
    {
        int step = -1; // 0-based step it applies on; -1 on every step
        int detector = -1;
        int sensor = -1;
        bool control = false;
        int call = -1; // 0-based step it demands
    };
    struct Crosswalk
    {
        enum State { Vehicles, ToPedestrians, Pedestrians, ToVehicles };
        std::vector<char> vehicleTarget;    // per group: ToGreen, ToRed or Untouched
        std::vector<char> pedestrianTarget;
        QList<int> sensors;
        QList<int> detectors;
        qint64 minGreen = 0;
        qint64 pedestrianGreen = 0;
        State state = Vehicles;
        qint64 since = 0;   // when the state's change completes / completed
        qint64 greenAt = 0; // when the pedestrians turn green
        bool demand = false;
    };
    struct Plan
    {
        QString number;
        int type = 0;
        qint64 cycle = 0;
        qint64 offset = 0;
        bool coordinated = false;
        std::vector<CyclicStep> steps;
        std::vector<std::vector<std::pair<qint64, Primitive>>> timeline; // per group index
        std::vector<RingStep> ring;
        std::vector<Condition> conditions;
        std::vector<Crosswalk> crosswalks;
        std::vector<qint64> intergreen; // n * n, Never for no conflict
    };

    bool buildPlan(const CnfProgram &program, Plan *plan);
    std::vector<qint64> intergreenOf(const CnfProgram &program) const;
    qint64 changeLength(const Plan &plan, int from, int to) const;
    std::vector<char> stageTarget(int stage) const;

    void tick(qint64 t);
    void runPlan(qint64 t);
    void begin(qint64 t);
    void startStep(int step, int stage, qint64 t, bool now);
    void settle();
    void leaveStage();
    qint64 position(qint64 t) const;
    int cyclicStepAt(qint64 position);
    int nextRingStep() const;
    void showTimeline(qint64 t);
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
    QTlcStage *m_stage = nullptr;
    int m_stageIndex = NoStage; // index into m_stages, -1 for a step without phase
    int m_step = -1;            // running step of a cyclic or ring plan
    qint64 m_stepFrom = 0;      // cyclic: position range of the running step
    qint64 m_stepTo = 0;
    bool m_settled = true;      // the last stage change is complete
    qint64 m_settledAt = 0;
    qint64 m_nextPending = 0;
    qint64 m_greenEnd = 0;      // ring: end of the running step's green
    qint64 m_maxEnd = 0;
    qint64 m_extendTo = Never;
    std::vector<char> m_demand; // ring: per step
};
