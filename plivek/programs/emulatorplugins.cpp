#include "emulatorplugins.h"

#include <QSettings>

namespace EmulatorPlugins {

namespace {

const QString DisabledPluginsKey = QStringLiteral("QTlc/DisabledPlugins");

} // namespace

QString defaultDisabled()
{
    return QStringLiteral("SystemBus,Keyboard");
}

void storeDefaultUnlessSet()
{
    QSettings settings;
    if (!settings.contains(DisabledPluginsKey))
        settings.setValue(DisabledPluginsKey, defaultDisabled());
}

} // namespace EmulatorPlugins
