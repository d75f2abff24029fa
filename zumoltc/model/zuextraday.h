#pragma once

#include "zubaseobject.h"
#include "zudaymonth.h"
#include "zudayplan.h"

#include <QPointer>

// One date of every year that runs its own day plan.
class ZUExtraDay : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUExtraDay(QObject *parent = nullptr);
    ZUExtraDay(const ZUExtraDay &other);
    ~ZUExtraDay() override;

    ZUDayMonth date() const;
    void setDate(const ZUDayMonth &date);
    QPointer<ZUDayPlan> dayPlan() const;
    void setDayPlan(QPointer<ZUDayPlan> dayPlan);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
