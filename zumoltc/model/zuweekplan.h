#pragma once

#include "zubaseobject.h"
#include "zudayplan.h"

#include <QMap>
#include <QPointer>

// A week plan is itself the map from weekday (Qt::Monday 1 to Qt::Sunday 7) to the
// day plan of that day; a day without a key has no day plan of its own.
class ZUWeekPlan : public ZUBaseObject, public QMap<Qt::DayOfWeek, QPointer<ZUDayPlan>>
{
    Q_OBJECT
public:
    explicit ZUWeekPlan(QObject *parent = nullptr);
    // No parent: the configuration sets it when the plan joins its list.
    ZUWeekPlan(int id, const QString &name);
    ZUWeekPlan(const ZUWeekPlan &other);
    ~ZUWeekPlan() override;
};
