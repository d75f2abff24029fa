#pragma once

#include <QStringList>

class QTranslator;
struct CommandLineOptions;

// Start-up steps of plivek, in the order main runs them.
namespace Startup {

// Application name "plivek", organisation "tovel", version "1.7.21".
void setApplicationIdentity();

// Where translations are looked for, in this order: the application folder, its
// "translations" subfolder and the toolkit's translations folder, the last two
// only where they exist.
QStringList translationDirectories(const QString &applicationDir);

// Installs every toolkit translation ("qt_<locale>") found in the folders; each
// stays installed for the life of the application object.
void installToolkitTranslations(const QStringList &directories);

// Loads "plivek_<locale>" from the first folder that has it and installs it.
// Returns that folder, or an empty text when no folder has it.
QString installApplicationTranslation(QTranslator *translator, const QStringList &directories);

// Points the emulator at "plugins/QTlc" below the application folder through the
// setting "QTlc/PluginPath"; the key is removed when that folder does not exist.
void setEmulatorPluginPath(const QString &applicationDir);

// Runs a window-less mode; returns the process exit code.
int runBatchMode(const CommandLineOptions &options);

// Creates the main window, offers crash recovery, opens the document named on
// the command line and runs the event loop; returns its exit code.
int runMainWindow(const CommandLineOptions &options);

} // namespace Startup
