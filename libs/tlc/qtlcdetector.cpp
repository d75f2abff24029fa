#include "qtlcdetector.h"

void QTlcDetector::emulateTransit(qint64 ms)
{
    emit transited(id(), qMax<qint64>(0, ms));
}
