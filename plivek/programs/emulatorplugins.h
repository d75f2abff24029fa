#pragma once

#include <QString>

// The emulator plug-ins plivek keeps switched off: the per-user setting
// "QTlc/DisabledPlugins" that the emulator library reads, and its default.
namespace EmulatorPlugins {

// The plug-ins switched off unless the user chose otherwise (the bus and the
// keyboard, which the emulator cannot serve).
QString defaultDisabled();
// Stores the default in the setting unless the user already has a value there.
void storeDefaultUnlessSet();

} // namespace EmulatorPlugins
