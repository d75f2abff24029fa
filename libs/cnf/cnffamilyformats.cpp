#include "cnffamilyformats.h"

#include "cnfnative.h"

#include <QCoreApplication>

// Glue between CnfNative and the family readers and writers. Until a family
// has its reader, its content is not recognised and saving it fails.
namespace CnfFamilyFormats {

CnfNativePtr readAdapter(const QByteArray &, const QString &)
{
    return {};
}

CnfNativePtr readTiverkII(const QByteArray &, const QString &)
{
    return {};
}

CnfNativePtr readZuMolt(const QByteArray &, const QString &)
{
    return {};
}

static QByteArray notAvailable(const char *family, QString &error)
{
    error = QCoreApplication::translate("CnfNative", "Saving of the %1 format is not available")
                .arg(QLatin1String(family));
    return {};
}

QByteArray writeAdapter(const CnfController &, QString &error)
{
    return notAvailable("adapter", error);
}

QByteArray writeTiverkII(const CnfController &, QString &error)
{
    return notAvailable("tiverkii", error);
}

QByteArray writeZuMolt(const CnfController &, QString &error)
{
    return notAvailable("ZU_MOLT", error);
}

} // namespace CnfFamilyFormats
