#pragma once

#include "qtlcbase.h"
#include "qtlcindex.h"
#include "qtlcsignalgroup.h"
#include "qtlcstage.h"

#include <QDateTime>
#include <QList>
#include <QVariant>

#include <memory>

class TlcEngine;

// The controller emulator. Order of use: setDate, fromJson, start, setPlan,
// then step with growing end times; detector and sensor events in between
// take effect from the current emulation time. The emulator works in ticks of
// 100 ms of emulation time and never looks at the wall clock, so the same
// description, date, plan and events give the same states and log lines.
// The model is described in docs/emulator.md.
//
// Every operation is virtual so that a test double can script the states.
// setPlan is the only operation that throws (std::invalid_argument).
class QTlc : public QTlcBase
{
    Q_OBJECT
public:
    explicit QTlc(QObject *parent = nullptr);
    ~QTlc() override;

    // The date and time that emulation time 0 stands for; only its time of
    // day counts (coordinated programs take their cycle position from it).
    virtual bool setDate(const QDateTime &date);
    QDateTime date() const { return m_date; }

    // Emulation time 0: every group blinks amber, no stage, no plan. False
    // before a description is loaded.
    virtual bool start();

    // The groups in the description's order; owned by the emulator and valid
    // until the next successful fromJson.
    virtual QList<QTlcSignalGroup *> signalGroups() const;

    // Runs the program of that number. At time 0 its stage at the start
    // position is established at once; later the plan takes over through a
    // normal change. Throws std::invalid_argument, after an ERROR line, for
    // an unknown number and for programs that are not emulated (types 6 and
    // 7); the plan that ran goes on then.
    virtual bool setPlan(const QVariant &number);

    virtual QTlcDetectors detectors() const;
    virtual QTlcSensors sensors() const;

    // Runs every tick up to `endMs` (milliseconds since start); an end before
    // the clock does nothing.
    virtual void step(qint64 endMs);

    // The stage in force, null when none (blinking, dark, timeline and
    // crosswalk programs have none).
    virtual QTlcStage *currentStage() const;

    // Milliseconds of emulation time since start.
    virtual qint64 clock() const;

protected:
    bool configure(const CnfController &controller, QString *error) override;

private:
    std::unique_ptr<TlcEngine> m_engine;
    QDateTime m_date;
};
