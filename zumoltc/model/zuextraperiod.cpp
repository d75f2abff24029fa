#include "zuextraperiod.h"

struct ZUExtraPeriod::Private
{
    ZUDayMonth start;
    ZUDayMonth stop;
    QPointer<ZUWeekPlan> week;
};

ZUExtraPeriod::ZUExtraPeriod(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUExtraPeriod::ZUExtraPeriod(const ZUExtraPeriod &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
}

ZUExtraPeriod::~ZUExtraPeriod()
{
    notifyDestroying();
}

ZUDayMonth ZUExtraPeriod::start() const
{
    return d->start;
}
void ZUExtraPeriod::setStart(const ZUDayMonth &start)
{
    d->start = start;
}
ZUDayMonth ZUExtraPeriod::stop() const
{
    return d->stop;
}
void ZUExtraPeriod::setStop(const ZUDayMonth &stop)
{
    d->stop = stop;
}
QPointer<ZUWeekPlan> ZUExtraPeriod::week() const
{
    return d->week;
}
void ZUExtraPeriod::setWeek(QPointer<ZUWeekPlan> week)
{
    d->week = week;
}
