#pragma once

#include "cnffwd.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A configuration file read into memory, before it becomes a controller.
// loadNativeConfig tells the families apart by content, whatever the file
// name: native .cnf XML (this class), adapter text (AdapterConfig), TIVERK II
// JSON (TiverkIIConfig) and ZU_MOLT JSON (ZU_MOLTConfig, tell it with a
// dynamic cast). It returns null for content of no supported family, and an
// invalid object (isValid() false, lastError() with line and column) for
// broken content of a family it knows; loadError() says why in both cases.
class CnfNative
{
public:
    CnfNative();
    virtual ~CnfNative();

    static CnfNativePtr loadNativeConfig(const QString &path);
    static CnfNativePtr loadNativeConfig(const QByteArray &bytes);
    // Why the last loadNativeConfig returned null.
    static QString loadError();

    // Writes the configuration in the format of its family (property
    // "type": "adapter", "tiverkii", "ZU_MOLT"; anything else native .cnf),
    // through a temporary file so that a failed save keeps the old file.
    static bool save(const QString &path, const CnfController &controller, QString &error);
    static bool save(const QString &path, const CnfController *controller, QString &error);
    // The same in the format of the given family, whatever the property says:
    // a file is written back in the family it was read as.
    static bool save(const QString &path, const CnfController &controller, const QString &family,
                     QString &error);
    // Makes `controller` an empty configuration of a family and version.
    static void initController(CnfController &controller, const QString &type,
                               const QString &version);
    static void initController(CnfController *controller, const QString &type,
                               const QString &version);

    virtual bool isValid() const;
    // Fills the controller (cleared first); false with lastError on failure
    // (the text is also the controller's lastError).
    virtual bool createController(CnfController &controller);
    bool createController(CnfController *controller);
    virtual QString lastError() const { return m_lastError; }
    QStringList warnings() const { return m_warnings; }

protected:
    void setLastError(const QString &error) { m_lastError = error; }
    void addWarning(const QString &warning) { m_warnings.append(warning); }

private:
    static CnfNativePtr detect(const QByteArray &bytes, const QString &path);
    QByteArray m_bytes;
    bool m_valid = false;
    QString m_lastError;
    QStringList m_warnings;
};
