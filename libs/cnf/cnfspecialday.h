#pragma once

#include "cnffwd.h"

#include <QString>

// A special day; its date is the key under which the controller keeps it.
class CnfSpecialDay
{
public:
    QString id;
    QString name;
    CnfDayCardPtr dayCard; // may be null
};
