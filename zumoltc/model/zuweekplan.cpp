#include "zuweekplan.h"

ZUWeekPlan::ZUWeekPlan(QObject *parent)
    : ZUBaseObject(parent)
{
}

ZUWeekPlan::ZUWeekPlan(int id, const QString &name)
    : ZUBaseObject(nullptr)
{
    setId(id);
    setName(name);
}

ZUWeekPlan::ZUWeekPlan(const ZUWeekPlan &other)
    : ZUBaseObject(other)
    , QMap<Qt::DayOfWeek, QPointer<ZUDayPlan>>(other)
{
}

ZUWeekPlan::~ZUWeekPlan()
{
    notifyDestroying();
}
