#pragma once

#include "cnf/cnfprogramrecord.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The warnings that tell what a conversion of a configuration dropped for want
// of a place in the new format: the version change of the common parameters
// and the adapter save give them in the same words.
class DroppedValues
{
    Q_DECLARE_TR_FUNCTIONS(DroppedValues)
public:
    // The start delay of coordinated programs (their ids, at least one), which
    // the record format `to` (3.14 to 3.16, the adapter's) has no place for.
    static QString startDelay(const CnfProgramRecord::Format &to, const QStringList &programs);
    // A set row "Silent devices" of the native "errorControl", which `version`
    // (3.14 to 3.16) has no row for.
    static QString silentDevicesRow(const QString &version);
};
