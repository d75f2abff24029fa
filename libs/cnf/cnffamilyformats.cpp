#include "cnffamilyformats.h"

#include "adapterconfig.h"
#include "cnfnative.h"
#include "tiverkiiconfig.h"
#include "zu_moltconfig.h"

// Glue between CnfNative and the family readers and writers. A reader answers
// only for content of its own family (told by content, not by file name); a
// broken file of that family comes back invalid with its lastError.
namespace CnfFamilyFormats {

template<typename Config> static CnfNativePtr read(const QByteArray &bytes)
{
    if (!Config::recognizes(bytes))
        return {};
    auto config = QSharedPointer<Config>::create();
    config->loadData(bytes);
    return config;
}

CnfNativePtr readAdapter(const QByteArray &bytes, const QString &)
{
    return read<AdapterConfig>(bytes);
}

CnfNativePtr readTiverkII(const QByteArray &bytes, const QString &)
{
    return read<TiverkIIConfig>(bytes);
}

CnfNativePtr readZuMolt(const QByteArray &bytes, const QString &)
{
    return read<ZU_MOLTConfig>(bytes);
}

template<typename Config> static QByteArray write(const CnfController &controller, QString &error)
{
    Config config;
    const QByteArray bytes = config.save(controller);
    if (bytes.isEmpty())
        error = config.lastError();
    return bytes;
}

QByteArray writeAdapter(const CnfController &controller, QString &error)
{
    return write<AdapterConfig>(controller, error);
}

QByteArray writeTiverkII(const CnfController &controller, QString &error)
{
    return write<TiverkIIConfig>(controller, error);
}

QByteArray writeZuMolt(const CnfController &controller, QString &error)
{
    return write<ZU_MOLTConfig>(controller, error);
}

} // namespace CnfFamilyFormats
