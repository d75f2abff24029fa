#pragma once

#include "cnffwd.h"

#include <QMap>
#include <QString>
#include <QTime>

// One record of a day card: the program that runs from its start time on.
struct CnfDayCardRecord
{
    CnfProgramPtr program; // may be null
    CnfProgramPtr reserve; // may be null
    QTime end; // invalid = not set
};

// A day plan: programs by start time.
class CnfDayCard
{
public:
    QString id; // the number by which week cards, special days and defaults refer to it
    QString name;
    QMap<QTime, CnfDayCardRecord> records;

    // Stores (or replaces) the record of `start`.
    void addRecord(const QTime &start, const QTime &end, const CnfProgramPtr &program,
                   const CnfProgramPtr &reserve);
};

// A day that runs its own day card whatever the week card says; its date is the
// key under which the controller keeps it.
class CnfSpecialDay
{
public:
    QString id;
    QString name;
    CnfDayCardPtr dayCard; // may be null
};
