#pragma once

#include "cnffwd.h"

#include <QMap>
#include <QString>

// A week plan: a day card per day of the week (1 Monday .. 7 Sunday).
class CnfWeekCard
{
public:
    QString id;
    QString name;
    QMap<int, CnfDayCardPtr> days;
};
