#include "safefile.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace SafeFile {

bool write(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    auto fail = [&file, error](const QString &fallback) {
        if (error)
            *error = file.error() != QFileDevice::NoError && !file.errorString().isEmpty() ? file.errorString()
                                                                                            : fallback;
        file.cancelWriting();
        return false;
    };
    // Unbuffered and in a loop: a buffered write can fail unseen when it is flushed,
    // after which commit() would still put the partial file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(QCoreApplication::translate("SafeFile", "Error opening for write %1").arg(path));
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 count = file.write(data.constData() + written, data.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    if (written != data.size())
        return fail(QCoreApplication::translate("SafeFile", "Error writing to file %1").arg(path));
    if (!file.commit()) {
        if (error)
            *error = file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
                         ? file.errorString()
                         : QCoreApplication::translate("SafeFile", "Error writing to file %1").arg(path);
        return false;
    }
    return true;
}

} // namespace SafeFile
