#pragma once

#include <QStringList>

class QObject;
class QTranslator;

// Start-up steps of zumoltc, in the order main runs them.
namespace Startup {

// Application name "zumoltc", organisation "tovel", version "0.2.0".
void setApplicationIdentity();

// Where translations are looked for, in this order: the application folder, its
// "translations" subfolder and the toolkit's translations folder, the last two
// only where they exist.
QStringList translationDirectories(const QString &applicationDir);

// Loads the translations of the system locale from directories and installs those
// that load: "qt" from the first folder only, "zumoltc" into translator from the
// first folder that has it, then "zumolt" from that same folder (relative to the
// current folder when no folder had "zumoltc"). The "qt" and "zumolt" translators
// are made as children of owner; one that does not load is deleted again. Nothing
// is reported for a missing file. Returns the folder that had "zumoltc", or an
// empty text.
QString installTranslations(QTranslator *translator, const QStringList &directories,
                            QObject *owner);

} // namespace Startup
