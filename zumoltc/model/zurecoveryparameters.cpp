#include "zurecoveryparameters.h"

QStringList ZURecoveryParameters::errorKeys()
{
    return { QStringLiteral("redError"),       QStringLiteral("greenError"),
             QStringLiteral("mnswProtect"),    QStringLiteral("mnswBad"),
             QStringLiteral("noLoad/swBreak"), QStringLiteral("parasitePower/swShort"),
             QStringLiteral("swBreak"),        QStringLiteral("swShort"),
             QStringLiteral("noLoad"),         QStringLiteral("parasitePower"),
             QStringLiteral("curentLimit"),    QStringLiteral("shortCurent") };
}

bool ZURecoveryParameters::hasValues() const
{
    return m_defectSwitchRate != zu::NotSet || m_confidenceInterval != zu::NotSet || hasErrors();
}

bool ZURecoveryParameters::hasErrors() const
{
    for (const ErrorRecovery &error : m_errors) {
        if (error.inUse())
            return true;
    }
    return false;
}

void ZURecoveryParameters::reset()
{
    *this = ZURecoveryParameters();
}
