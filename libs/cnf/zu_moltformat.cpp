#include "zu_moltformat.h"

#include "cnfpowerdevice.h"
#include "cnfsignalgroup.h"

#include <QCoreApplication>

namespace ZuMoltFormat {

QString tr(const char *text)
{
    return QCoreApplication::translate("ZU_MOLTConfig", text);
}

const QStringList &sgTimes()
{
    static const QStringList keys
        = { QStringLiteral("extRed"),   QStringLiteral("redAmber"), QStringLiteral("greenBlink"),
            QStringLiteral("amber"),    QStringLiteral("minRed"),   QStringLiteral("maxRed"),
            QStringLiteral("minGreen"), QStringLiteral("maxGreen"), QStringLiteral("extGreen1"),
            QStringLiteral("extGreen2") };
    return keys;
}

const QStringList &sgTypeKeys()
{
    static const QStringList keys
        = { QStringLiteral("traffic"), QStringLiteral("pedestrian"), QStringLiteral("arrow"),
            QStringLiteral("tram"), QStringLiteral("always_ON") };
    return keys;
}

const QVector<QPair<QString, int>> &timelineStates()
{
    static const QVector<QPair<QString, int>> states
        = { { QStringLiteral("green"), CnfSignalGroup::Green },
            { QStringLiteral("green_blink"), CnfSignalGroup::GreenBlink },
            { QStringLiteral("amber"), CnfSignalGroup::Yellow },
            { QStringLiteral("red"), CnfSignalGroup::Red },
            { QStringLiteral("red_amber"), CnfSignalGroup::RedYellow } };
    return states;
}

const QVector<QPair<QString, int>> &colors()
{
    static const QVector<QPair<QString, int>> values
        = { { QStringLiteral("red"), CnfPowerDevice::Red },
            { QStringLiteral("green"), CnfPowerDevice::Green },
            { QStringLiteral("amber"), CnfPowerDevice::Yellow },
            { QStringLiteral("white"), CnfPowerDevice::White } };
    return values;
}

int lookup(const QVector<QPair<QString, int>> &table, const QString &key, int notFound)
{
    for (const auto &entry : table) {
        if (entry.first == key)
            return entry.second;
    }
    return notFound;
}

QString lookup(const QVector<QPair<QString, int>> &table, int value)
{
    for (const auto &entry : table) {
        if (entry.second == value)
            return entry.first;
    }
    return QString();
}

QVariantMap without(QVariantMap map, const QStringList &keys)
{
    for (const QString &key : keys)
        map.remove(key);
    return map;
}

} // namespace ZuMoltFormat
