#include "safefile.h"
#include "safefile_p.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>

namespace SafeFile {

namespace {

// The system error that making a temporary file fails with in tests; 0: none.
int forcedTemporaryFileError = 0;

// Errors with which a folder refuses a new file, as opposed to a missing folder or a
// lack of file handles.
bool refusesNewFiles(int systemError)
{
    return systemError == EACCES || systemError == EPERM || systemError == EROFS;
}

// The write of write and writeWithPermissions; permissions null: those QSaveFile gives.
bool writeFile(const QString &path, const QByteArray &data,
               const QFileDevice::Permissions *permissions, QString *error, Failure *failure);

} // namespace

TemporaryFileFailure::TemporaryFileFailure(int code)
    : m_previous(forcedTemporaryFileError)
{
    forcedTemporaryFileError = code;
}

TemporaryFileFailure::~TemporaryFileFailure()
{
    forcedTemporaryFileError = m_previous;
}

bool write(const QString &path, const QByteArray &data, QString *error, Failure *failure)
{
    return writeFile(path, data, nullptr, error, failure);
}

bool writeWithPermissions(const QString &path, const QByteArray &data,
                          QFileDevice::Permissions permissions, QString *error, Failure *failure)
{
    return writeFile(path, data, &permissions, error, failure);
}

namespace {

bool writeFile(const QString &path, const QByteArray &data,
               const QFileDevice::Permissions *permissions, QString *error, Failure *failure)
{
    QSaveFile file(path);
    // Writing the old file in place is no fallback: a write that fails there (disk full,
    // quota, size limit) would leave the user's file cut, with no copy beside it.
    file.setDirectWriteFallback(false);
    auto fail = [&file, error, failure](Failure where, const QString &text) {
        if (error)
            *error = text;
        if (failure)
            *failure = where;
        file.cancelWriting();
        return false;
    };
    // The system's reason where Qt has one, else the given text.
    auto reason = [&file](const QString &fallback) {
        return file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
            ? file.errorString()
            : fallback;
    };
    if (failure)
        *failure = Failure::None;
    errno = 0;
    if (forcedTemporaryFileError != 0 || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // QSaveFile reports a temporary file it could not make as an open error and
        // leaves the system's reason in errno (where it looks for it itself).
        const bool temporaryFileFailed
            = forcedTemporaryFileError != 0 || file.error() == QFileDevice::OpenError;
        const int systemError = forcedTemporaryFileError != 0 ? forcedTemporaryFileError : errno;
        if (temporaryFileFailed && refusesNewFiles(systemError))
            return fail(Failure::Open,
                        QCoreApplication::translate(
                            "SafeFile", "Cannot save %1: the folder does not allow new files")
                            .arg(path));
        return fail(
            Failure::Open,
            reason(
                QCoreApplication::translate("SafeFile", "Error opening for write %1").arg(path)));
    }
    // The temporary file is still empty here. A file system without permissions refuses
    // them; the copy is then no more open than any file there.
    if (permissions)
        file.setPermissions(*permissions);
    // Unbuffered and in a loop: a buffered write can fail unseen when it is flushed,
    // after which commit() would still put the partial file in place.
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 count = file.write(data.constData() + written, data.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    const QString writeError
        = QCoreApplication::translate("SafeFile", "Error writing to file %1").arg(path);
    if (written != data.size())
        return fail(Failure::Write, reason(writeError));
    // A failed commit has already dropped the temporary file; the old file stays.
    if (!file.commit())
        return fail(Failure::Write, reason(writeError));
    return true;
}

} // namespace

QString failureText(const QString &path, const QString &reason, Failure failure)
{
    if (reason.contains(path))
        return reason;
    return (failure == Failure::Open
                ? QCoreApplication::translate("SafeFile", "Cannot open %1 for writing: %2")
                : QCoreApplication::translate("SafeFile", "Cannot write %1: %2"))
        .arg(path, reason);
}

} // namespace SafeFile
