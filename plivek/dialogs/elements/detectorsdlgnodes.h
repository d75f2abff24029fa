#pragma once

#include "cnf/vobject.h"

#include <QList>
#include <QString>
#include <QStringList>

// The native-data keys and list helpers that the detector dialog's loading,
// source pages and acceptance share.
namespace DetectorsDlgNodes {

inline const QString Detector = QStringLiteral("detector");
inline const QString Sensor = QStringLiteral("sensor");
inline const QString Output = QStringLiteral("output");
inline const QString Channels = QStringLiteral("channels");
inline const QString Channel = QStringLiteral("channel");

inline const QStringList LevelKeys { QStringLiteral("INFO"), QStringLiteral("WARN"),
                                     QStringLiteral("ERROR"), QStringLiteral("DEBUG"),
                                     QStringLiteral("TRACE") };
inline const QStringList SmartButtonSources { QStringLiteral("button"), QStringLiteral("card"),
                                              QStringLiteral("all") };

inline QString hostAndPort(const VObject &module, const char *host, const char *port)
{
    return module[host].toString() + QLatin1Char(':') + module[port].toString();
}

// The entries of a list, or the node itself when it is no list (the
// single-object form of "AzimuthSSE").
inline QList<VObject> entriesOrSelf(const VObject &node)
{
    QList<VObject> entries;
    if (node.size() >= 1) {
        for (int i = 0; i < node.size(); ++i)
            entries << node[i];
    } else if (!node.isNull()) {
        entries << node;
    }
    return entries;
}

inline QList<VObject> entriesOf(const VObject &list)
{
    QList<VObject> entries;
    for (int i = 0; i < list.size(); ++i)
        entries << list[i];
    return entries;
}

// The first entry of a list whose field `key` holds `value`; null when none does.
inline VObject firstEntryWith(const VObject &list, const QString &key, const QVariant &value)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i][key] == value)
            return list[i];
    }
    return VObject();
}

// Two handles on the same existing entry.
inline bool sameEntry(const VObject &a, const VObject &b)
{
    return !a.isNull() && !b.isNull() && a == b;
}

} // namespace DetectorsDlgNodes
