// The file operations of ZUConfiguration: reading goes through
// ZUConfigurationReader, writing through ZUConfigurationWriter.
#include "zuconfiguration.h"
#include "zuconfigurationreader.h"
#include "zuconfigurationwriter.h"

#include <QFile>
#include <QSaveFile>

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
    // The text goes to a temporary file that replaces the old one only when every
    // byte is written, so a failed save leaves the user's file as it was. A file
    // the user may write in a folder where no new file may be made is written in
    // place, as a plain open for writing would.
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    auto fail = [&file, error](const QString &fallback) {
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString() : fallback;
        file.cancelWriting();
        return false;
    };
    // Unbuffered and in a loop: a buffered write can fail unseen when flushed,
    // after which commit() would still put the partial file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(tr("Error opening for write %1").arg(fileName));
    const QByteArray text = toJson();
    qint64 written = 0;
    while (written < text.size()) {
        const qint64 count = file.write(text.constData() + written, text.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    if (written != text.size())
        return fail(tr("Error writing to file %1").arg(fileName));
    if (!file.commit()) {
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString()
                                                          : tr("Error writing to file %1").arg(fileName);
        return false;
    }
    return true;
}
