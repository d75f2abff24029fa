#include "safefile.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace SafeFile {

bool write(const QString &path, const QByteArray &data, QString *error, Failure *failure)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    auto fail = [&file, error, failure](Failure where, const QString &fallback) {
        if (error)
            *error = file.error() != QFileDevice::NoError && !file.errorString().isEmpty() ? file.errorString()
                                                                                            : fallback;
        if (failure)
            *failure = where;
        file.cancelWriting();
        return false;
    };
    if (failure)
        *failure = Failure::None;
    // Unbuffered and in a loop: a buffered write can fail unseen when it is flushed,
    // after which commit() would still put the partial file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(Failure::Open, QCoreApplication::translate("SafeFile", "Error opening for write %1").arg(path));
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 count = file.write(data.constData() + written, data.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    const QString writeError = QCoreApplication::translate("SafeFile", "Error writing to file %1").arg(path);
    if (written != data.size())
        return fail(Failure::Write, writeError);
    // A failed commit has already dropped the temporary file; the old file stays.
    if (!file.commit())
        return fail(Failure::Write, writeError);
    return true;
}

} // namespace SafeFile
