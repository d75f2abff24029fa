#pragma once

#include "cnffwd.h"

#include <QMap>
#include <QString>
#include <QTime>

// One record of a day card: the program that runs from its start time on.
// A record names a program of the controller by the program itself; an id
// that no listed program bears (the program was deleted, or the file named
// one it does not hold) stays as text, and the program that takes that id
// later is the record's.
struct CnfDayCardRecord
{
    CnfProgramPtr program; // may be null
    CnfProgramPtr reserve; // may be null
    QTime end; // invalid = not set
    QString missingProgram; // the id named while `program` is null; empty = none
    QString missingReserve; // likewise for `reserve`

    // The id the record names (its program's, or the missing one); empty = none.
    QString programId() const;
    QString reserveId() const;
    // Names both programs by id: a program `controller` lists by itself, any
    // other id as text.
    void setPrograms(const CnfController &controller, const QString &programId,
                     const QString &reserveId);
};

// A day plan: programs by start time.
class CnfDayCard
{
public:
    QString id; // the number by which week cards, special days and the defaults refer to it
    QString name;
    QMap<QTime, CnfDayCardRecord> records;

    // Stores (or replaces) the record of `start`.
    void addRecord(const QTime &start, const QTime &end, const CnfProgramPtr &program,
                   const CnfProgramPtr &reserve);
    // Stores (or replaces) the record of `start`, its programs named by id
    // (see CnfDayCardRecord::setPrograms).
    void addRecord(const QTime &start, const QTime &end, const QString &programId,
                   const QString &reserveId, const CnfController &controller);

    // The program leaves the controller: the records that name it keep its id.
    void releaseProgram(const CnfProgramPtr &program);
    // The program joins the controller or takes a new id: the records that name
    // its id as text name the program.
    void takeProgram(const CnfProgramPtr &program);
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
