#include "cnfpowerdevice.h"

#include <QCoreApplication>

QString CnfPowerDevice::type2String(int type, bool translated)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Not used"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Key"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Module power"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Module control"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Double key"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Triac key"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Reserve"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Output"),
        QT_TRANSLATE_NOOP("CnfPowerDevice", "Lamp output"),
    };
    if (type < 0 || type >= int(sizeof(names) / sizeof(names[0])))
        return QString::number(type);
    return translated ? QCoreApplication::translate("CnfPowerDevice", names[type])
                      : QString::fromLatin1(names[type]);
}
