#include "zudayplan.h"

#include "zulists.h"

struct ZUDayPlan::Private
{
    QList<Period> periods;
};

ZUDayPlan::ZUDayPlan(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUDayPlan::ZUDayPlan(int id, const QString &name)
    : ZUDayPlan(static_cast<QObject *>(nullptr))
{
    setId(id);
    setName(name);
}

ZUDayPlan::ZUDayPlan(const ZUDayPlan &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
}

ZUDayPlan::~ZUDayPlan()
{
    notifyDestroying();
}

void ZUDayPlan::addPeriod(const QTime &start, const QTime &stop, QPointer<ZUSignalPlan> program,
                          QPointer<ZUSignalPlan> spareProgram)
{
    d->periods.append(Period { start, stop, program, spareProgram, {} });
}

void ZUDayPlan::clearPeriods()
{
    d->periods.clear();
}

QList<ZUDayPlan::Period> &ZUDayPlan::periods()
{
    return zu::pruneDead(d->periods, [](const Period &period) { return !period.program.isNull(); });
}
