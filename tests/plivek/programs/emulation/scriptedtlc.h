#pragma once

#include "tlc/qtlc.h"

#include <QDateTime>
#include <QMap>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <stdexcept>

class ScriptedTlc;

// What the scripted emulators of a test do.
struct TlcScript
{
    QList<QPair<int, QString>> groups { { 1, QStringLiteral("A") }, { 2, QStringLiteral("B") } };
    QList<QPair<int, QString>> stages { { 1, QStringLiteral("One") }, { 2, QString() } };
    QList<int> detectors { 1, 2 };
    QList<int> sensors { 1 };
    bool loads = true;
    QString loadError;
    bool throwsOnPlan = false;
    // Sets the states the emulator has at emulation time `endMs`: after the
    // step that ends there, and with 0 at the start.
    std::function<void(ScriptedTlc &, qint64 endMs)> onStep;
    // Called while the description is loaded.
    std::function<void(ScriptedTlc &)> onLoad;
};

// An emulator whose states the test scripts: the groups, stages, detectors
// and sensors of Script, and at the start and after every step the script's
// onStep sets the states. Every call the run makes is written to `calls` ("load", "start",
// "plan 3", "step 5000", "transit 1 500", "call 2 100").
class ScriptedTlc : public QTlc
{
    Q_OBJECT
public:
    using Script = TlcScript;

    static inline Script script;
    static inline QStringList calls;
    static inline QDateTime lastDate;

    // A fresh script and call list.
    static void reset()
    {
        script = Script();
        calls.clear();
        lastDate = QDateTime();
    }

    explicit ScriptedTlc(QObject *parent)
        : QTlc(parent)
    {
        for (const auto &group : qAsConst(script.groups))
            m_groups.append(new QTlcSignalGroup(group.first, group.second, this));
        for (const auto &stage : qAsConst(script.stages))
            m_stages.append(new QTlcStage(stage.first, stage.second, this));
        for (int id : qAsConst(script.detectors)) {
            auto *detector = new QTlcDetector(id, QString(), this);
            connect(detector, &QTlcDetector::transited, this, [](int id, qint64 ms) {
                calls << QStringLiteral("transit %1 %2").arg(id).arg(ms);
            });
            m_detectors.insert(id, detector);
        }
        for (int id : qAsConst(script.sensors)) {
            auto *sensor = new QTlcSensor(id, QString(), this);
            connect(sensor, &QTlcSensor::called, this, [](int id, qint64 ms) {
                calls << QStringLiteral("call %1 %2").arg(id).arg(ms);
            });
            m_sensors.insert(id, sensor);
        }
    }

    bool setDate(const QDateTime &date) override
    {
        lastDate = date;
        return true;
    }
    bool fromJson(const QByteArray &, QString *error) override
    {
        calls << QStringLiteral("load");
        if (script.onLoad)
            script.onLoad(*this);
        if (!script.loads && error)
            *error = script.loadError;
        return script.loads;
    }
    bool start() override
    {
        calls << QStringLiteral("start");
        m_clock = 0;
        if (script.onStep)
            script.onStep(*this, 0);
        return true;
    }
    QList<QTlcSignalGroup *> signalGroups() const override { return m_groups; }
    bool setPlan(const QVariant &number) override
    {
        calls << QStringLiteral("plan %1").arg(number.toString());
        if (script.throwsOnPlan)
            throw std::invalid_argument("no such plan");
        return true;
    }
    QTlcDetectors detectors() const override { return QTlcDetectors(m_detectors); }
    QTlcSensors sensors() const override { return QTlcSensors(m_sensors); }
    void step(qint64 endMs) override
    {
        calls << QStringLiteral("step %1").arg(endMs);
        m_clock = endMs;
        if (script.onStep)
            script.onStep(*this, endMs);
    }
    QTlcStage *currentStage() const override { return m_current; }
    qint64 clock() const override { return m_clock; }

    // The stage of that index in force (-1: none) and whether it is established.
    void setStage(int index, bool established)
    {
        m_current = index >= 0 ? m_stages.at(index) : nullptr;
        if (m_current)
            m_current->setEstablished(established);
    }
    void setPrimitive(int group, int primitive)
    {
        m_groups.at(group)->setPrimitive(QTlcSignalGroup::Primitive(primitive));
    }
    void setAll(int primitive)
    {
        for (QTlcSignalGroup *group : qAsConst(m_groups))
            group->setPrimitive(QTlcSignalGroup::Primitive(primitive));
    }

private:
    QList<QTlcSignalGroup *> m_groups;
    QList<QTlcStage *> m_stages;
    QMap<int, QTlcDetector *> m_detectors;
    QMap<int, QTlcSensor *> m_sensors;
    QTlcStage *m_current = nullptr;
    qint64 m_clock = 0;
};
