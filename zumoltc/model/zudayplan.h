#pragma once

#include "zubaseobject.h"
#include "zusignalplan.h"

#include <QList>
#include <QPointer>
#include <QTime>

// A day plan: which signal plan runs in which period of the day, with a spare plan
// for when it cannot run.
class ZUDayPlan : public ZUBaseObject
{
    Q_OBJECT
public:
    struct Period
    {
        QTime start;
        QTime stop;
        QPointer<ZUSignalPlan> program;
        QPointer<ZUSignalPlan> spareProgram;
        KeptMembers kept;
    };

    explicit ZUDayPlan(QObject *parent = nullptr);
    // No parent: the configuration sets it when the plan joins its list.
    ZUDayPlan(int id, const QString &name);
    ZUDayPlan(const ZUDayPlan &other);
    ~ZUDayPlan() override;

    // Appends a period as given, without checks.
    void addPeriod(const QTime &start, const QTime &stop, QPointer<ZUSignalPlan> program,
                   QPointer<ZUSignalPlan> spareProgram);
    void clearPeriods();
    // Periods whose program died are dropped first; a dead spare program just reads null.
    QList<Period> &periods();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
