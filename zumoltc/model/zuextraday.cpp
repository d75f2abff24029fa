#include "zuextraday.h"

struct ZUExtraDay::Private
{
    ZUDayMonth date;
    QPointer<ZUDayPlan> dayPlan;
};

ZUExtraDay::ZUExtraDay(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUExtraDay::ZUExtraDay(const ZUExtraDay &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
}

ZUExtraDay::~ZUExtraDay()
{
    notifyDestroying();
}

ZUDayMonth ZUExtraDay::date() const
{
    return d->date;
}
void ZUExtraDay::setDate(const ZUDayMonth &date)
{
    d->date = date;
}
QPointer<ZUDayPlan> ZUExtraDay::dayPlan() const
{
    return d->dayPlan;
}
void ZUExtraDay::setDayPlan(QPointer<ZUDayPlan> dayPlan)
{
    d->dayPlan = dayPlan;
}
