#pragma once

#include "cnfformatconfig.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class CnfController;

// A TIVERK II configuration file (JSON; layout in docs/formats.md): the
// controller's properties under "controller", one list per element kind, and
// every other root key a native data key. The same bytes describe the
// controller to the emulator.
//
// load() reads and checks a file; createController() then fills a
// controller. Failures: false (or empty bytes from save) with lastError(),
// which names line and column for content errors.
class TiverkIIConfig : public CnfFormatConfig
{
public:
    TiverkIIConfig();

    bool loadData(const QByteArray &bytes) override;

    // The file's bytes for a controller; empty with lastError on failure.
    QByteArray save(const CnfController &controller);
    QByteArray save(const CnfController *controller);

    // The map as it would stand in the file at `path` (keys from the root,
    // e.g. "modules", "MultiRing"), laid out for people to read and edit.
    // Empty for an empty path or a value JSON cannot hold.
    static QByteArray humanizedSection(const QVariantMap &map, const QStringList &path);

    // True when the bytes are a JSON document of this layout (a "controller"
    // object at the root), whether or not the rest is sound.
    static bool recognizes(const QByteArray &bytes);

protected:
    bool fill(CnfController &controller, QString *error) override;
};
