#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"

#include <QMap>

// A program of an algorithm kind added to a TIVERK 3.x controller, its record
// holding its number, the kind and the given bytes; every other byte not set.
inline CnfProgramPtr addRecordProgram(CnfController &controller, const QString &id, int kind,
                                      const QMap<int, int> &bytes)
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = id;
    program->type = CnfProgram::Tiverk;
    controller.addProgram(program);
    QByteArray record(controller.programRecordSize(), char(255));
    record[0] = char(id.toInt());
    record[1] = char(kind);
    for (auto it = bytes.cbegin(); it != bytes.cend(); ++it)
        record[it.key()] = char(it.value());
    controller.setProgramRawData(program, record);
    return program;
}
