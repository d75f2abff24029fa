// The file operations of ZUConfiguration: reading goes through
// ZUConfigurationReader, writing through ZUConfigurationWriter.
#include "zuconfiguration.h"
#include "zuconfigurationreader.h"
#include "zuconfigurationwriter.h"

#include "safefile/safefile.h"

#include <QDir>
#include <QFile>

#include <limits>

namespace {

// The largest file read whole: what one byte array can hold, less its header. Qt
// reads a larger file as empty, which would be told as a text that is no JSON.
constexpr qint64 LargestReadableFile = std::numeric_limits<int>::max() - 64;

} // namespace

bool ZUConfiguration::load(const QString &fileName, QString *error)
{
    if (!QFile::exists(fileName)) {
        if (error)
            *error = tr("File %1 not exists").arg(fileName);
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.size() > LargestReadableFile) {
        if (error)
            *error = tr("The file is too large to load: %1").arg(fileName);
        return false;
    }
    return fromJson(file.readAll(), error);
}

bool ZUConfiguration::fromJson(const QByteArray &data, QString *error)
{
    return ZUConfigurationReader(this).read(data, error);
}

QByteArray ZUConfiguration::toJson()
{
    return ZUConfigurationWriter(this).write();
}

bool ZUConfiguration::save(const QString &fileName, QString *error)
{
    // The system's reason alone does not say which file it is about; the safe
    // write's own refusal of a closed folder does.
    QString reason;
    if (SafeFile::write(fileName, toJson(), &reason))
        return true;
    if (error) {
        const QString name = QDir::toNativeSeparators(fileName);
        *error = reason.contains(name) ? reason : tr("Cannot write %1: %2").arg(name, reason);
    }
    return false;
}
