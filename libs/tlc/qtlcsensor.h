#pragma once

#include "qtlcinput.h"

// An emulated sensor (a push button or another request input). call(ms)
// reports a request from the current emulation time for `ms` milliseconds;
// the emulator that owns the sensor listens to called().
class QTlcSensor : public QTlcInput
{
    Q_OBJECT
public:
    using QTlcInput::QTlcInput;

    Q_INVOKABLE void call(qint64 ms);

signals:
    void called(int id, qint64 ms);
};
