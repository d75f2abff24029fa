#include "cnfdaycard.h"

void CnfDayCard::addRecord(const QTime &start, const QTime &end, const CnfProgramPtr &program,
                           const CnfProgramPtr &reserve)
{
    records.insert(start, CnfDayCardRecord { program, reserve, end });
}
