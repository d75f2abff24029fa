#pragma once

#include "cnffwd.h"

#include <QDate>
#include <QString>

// A season: the week card that applies from one date to another (inclusive).
class CnfSeasonPlan
{
public:
    QDate from;
    QDate to;
    QString name;
    CnfWeekCardPtr weekCard; // may be null
};
