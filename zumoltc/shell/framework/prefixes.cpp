#include "prefixes.h"

#include "settings.h"

#include <QCoreApplication>
#include <QSettings>

#include <array>

namespace {

struct PrefixInfo
{
    const char *key;
    const char *defaultPrefix;
    bool translated;
};

// The switch prefix is the same in every language.
const std::array<PrefixInfo, Prefixes::Count> prefixInfo = { {
    { "sgBaseName", QT_TRANSLATE_NOOP("Settings", "Group."), true },
    { "stageBaseName", QT_TRANSLATE_NOOP("Settings", "Stage."), true },
    { "matrixBaseName", QT_TRANSLATE_NOOP("Settings", "Matrix."), true },
    { "dtBaseName", QT_TRANSLATE_NOOP("Settings", "Detector."), true },
    { "sensorBaseName", QT_TRANSLATE_NOOP("Settings", "Sensor."), true },
    { "planBaseName", QT_TRANSLATE_NOOP("Settings", "Program."), true },
    { "dayPlanBaseName", QT_TRANSLATE_NOOP("Settings", "Daily."), true },
    { "weekPlanBaseName", QT_TRANSLATE_NOOP("Settings", "Weekly."), true },
    { "extraPeriodBaseName", QT_TRANSLATE_NOOP("Settings", "Seasonal."), true },
    { "extraDayBaseName", QT_TRANSLATE_NOOP("Settings", "Special."), true },
    { "csBaseName", QT_TRANSLATE_NOOP("Settings", "Source."), true },
    { "swBaseName", "K.", false },
} };

const QString group = QStringLiteral("Prefixes");

// Filled with the defaults on first use, so that code running before main has
// loaded the settings (tests, pages on their own) still names objects sensibly.
std::array<QString, Prefixes::Count> &prefixesInUse()
{
    static std::array<QString, Prefixes::Count> prefixes = [] {
        std::array<QString, Prefixes::Count> defaults;
        for (int kind = 0; kind < Prefixes::Count; ++kind)
            defaults[kind] = Prefixes::defaultPrefix(Prefixes::Kind(kind));
        return defaults;
    }();
    return prefixes;
}

bool isKind(Prefixes::Kind kind)
{
    return kind >= 0 && kind < Prefixes::Count;
}

} // namespace

namespace Prefixes {

QString prefix(Kind kind)
{
    return isKind(kind) ? prefixesInUse()[kind] : QString();
}

void setPrefix(Kind kind, const QString &prefix)
{
    if (isKind(kind))
        prefixesInUse()[kind] = prefix;
}

QString key(Kind kind)
{
    return isKind(kind) ? QString::fromLatin1(prefixInfo[kind].key) : QString();
}

QString defaultPrefix(Kind kind)
{
    if (!isKind(kind))
        return QString();
    const PrefixInfo &info = prefixInfo[kind];
    return info.translated ? QCoreApplication::translate("Settings", info.defaultPrefix)
                           : QString::fromLatin1(info.defaultPrefix);
}

} // namespace Prefixes

void loadPrefixes(bool restoreDefaults)
{
    QSettings settings;
    settings.beginGroup(group);
    for (int index = 0; index < Prefixes::Count; ++index) {
        const auto kind = Prefixes::Kind(index);
        const QString defaultValue = Prefixes::defaultPrefix(kind);
        Prefixes::setPrefix(kind,
                            restoreDefaults
                                ? defaultValue
                                : Settings::text(settings, Prefixes::key(kind), defaultValue));
    }
}

void savePrefixes()
{
    QSettings settings;
    settings.beginGroup(group);
    for (int index = 0; index < Prefixes::Count; ++index) {
        const auto kind = Prefixes::Kind(index);
        Settings::setText(settings, Prefixes::key(kind), Prefixes::prefix(kind));
    }
}
