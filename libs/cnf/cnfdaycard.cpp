#include "cnfdaycard.h"

#include "cnfcontroller.h"
#include "cnfprogram.h"

namespace {

// One program reference of a record: the program, or the id it names as text.
void setReference(const CnfController &controller, const QString &id, CnfProgramPtr *program,
                  QString *missing)
{
    *program = controller.findProgram(id);
    *missing = *program ? QString() : id;
}

void release(const CnfProgramPtr &program, CnfProgramPtr *held, QString *missing)
{
    if (*held != program)
        return;
    *missing = program->id;
    held->reset();
}

void take(const CnfProgramPtr &program, CnfProgramPtr *held, QString *missing)
{
    if (*held || missing->isEmpty() || *missing != program->id)
        return;
    *held = program;
    missing->clear();
}

// Runs `step` on both program references of every record.
template<typename Step> void eachReference(QMap<QTime, CnfDayCardRecord> &records, Step step)
{
    for (CnfDayCardRecord &record : records) {
        step(&record.program, &record.missingProgram);
        step(&record.reserve, &record.missingReserve);
    }
}

} // namespace

QString CnfDayCardRecord::programId() const
{
    return program ? program->id : missingProgram;
}

QString CnfDayCardRecord::reserveId() const
{
    return reserve ? reserve->id : missingReserve;
}

void CnfDayCardRecord::setPrograms(const CnfController &controller, const QString &programId,
                                   const QString &reserveId)
{
    setReference(controller, programId, &program, &missingProgram);
    setReference(controller, reserveId, &reserve, &missingReserve);
}

void CnfDayCard::addRecord(const QTime &start, const QTime &end, const CnfProgramPtr &program,
                           const CnfProgramPtr &reserve)
{
    CnfDayCardRecord record;
    record.program = program;
    record.reserve = reserve;
    record.end = end;
    records.insert(start, record);
}

void CnfDayCard::addRecord(const QTime &start, const QTime &end, const QString &programId,
                           const QString &reserveId, const CnfController &controller)
{
    CnfDayCardRecord record;
    record.end = end;
    record.setPrograms(controller, programId, reserveId);
    records.insert(start, record);
}

void CnfDayCard::releaseProgram(const CnfProgramPtr &program)
{
    if (program)
        eachReference(records, [&program](CnfProgramPtr *held, QString *missing) {
            release(program, held, missing);
        });
}

void CnfDayCard::takeProgram(const CnfProgramPtr &program)
{
    if (program)
        eachReference(records, [&program](CnfProgramPtr *held, QString *missing) {
            take(program, held, missing);
        });
}
