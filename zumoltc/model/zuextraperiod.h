#pragma once

#include "zubaseobject.h"
#include "zudaymonth.h"
#include "zuweekplan.h"

#include <QPointer>

// A stretch of every year (start to stop, both inclusive day.month values) that
// runs its own week plan.
class ZUExtraPeriod : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUExtraPeriod(QObject *parent = nullptr);
    ZUExtraPeriod(const ZUExtraPeriod &other);
    ~ZUExtraPeriod() override;

    ZUDayMonth start() const;
    void setStart(const ZUDayMonth &start);
    ZUDayMonth stop() const;
    void setStop(const ZUDayMonth &stop);
    QPointer<ZUWeekPlan> week() const;
    void setWeek(QPointer<ZUWeekPlan> week);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
