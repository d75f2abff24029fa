#pragma once

#include "qtlcinput.h"

// An emulated detector. emulateTransit(ms) reports a vehicle on the detector
// from the current emulation time for `ms` milliseconds; the emulator that
// owns the detector listens to transited().
class QTlcDetector : public QTlcInput
{
    Q_OBJECT
public:
    using QTlcInput::QTlcInput;

    Q_INVOKABLE void emulateTransit(qint64 ms);

signals:
    void transited(int id, qint64 ms);
};
