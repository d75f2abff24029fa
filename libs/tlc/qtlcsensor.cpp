#include "qtlcsensor.h"

void QTlcSensor::call(qint64 ms)
{
    emit called(id(), qMax<qint64>(0, ms));
}
