// The file operations of ZUConfiguration: reading goes through
// ZUConfigurationReader, writing through ZUConfigurationWriter.
#include "zuconfiguration.h"
#include "zuconfigurationreader.h"
#include "zuconfigurationwriter.h"

#include "safefile/safefile.h"

#include <QDir>
#include <QFile>

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
