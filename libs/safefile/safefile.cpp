#include "safefile.h"
#include "safefile_p.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>

namespace SafeFile {

namespace {

// The system error that making a temporary file fails with in tests; 0: none.
int forcedTemporaryFileError = 0;

StepObserver::Step &stepObserver()
{
    static StepObserver::Step step;
    return step;
}

void reportStep(const char *step, const QString &path)
{
    if (stepObserver())
        stepObserver()(QLatin1String(step), path);
}

// Errors with which a folder refuses a new file, as opposed to a missing folder or a
// lack of file handles.
bool refusesNewFiles(int systemError)
{
    return systemError == EACCES || systemError == EPERM || systemError == EROFS;
}

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

namespace {

// Unbuffered and in a loop: a buffered write can fail unseen when it is flushed, after
// which a commit would still put the partial file in place.
bool writeAll(QFileDevice &file, const QByteArray &data)
{
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 count = file.write(data.constData() + written, data.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    return written == data.size();
}

// The system's reason where Qt has one, else the given text.
QString reason(const QFileDevice &file, const QString &fallback)
{
    return file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
        ? file.errorString()
        : fallback;
}

QString openText(const QString &path)
{
    return QCoreApplication::translate("SafeFile", "Error opening for write %1").arg(path);
}

QString writeText(const QString &path)
{
    return QCoreApplication::translate("SafeFile", "Error writing to file %1").arg(path);
}

// A named pipe or a device takes the bytes as they come: there is nothing to replace.
bool writeDirectly(const QString &path, const QByteArray &data, QString *error, Failure *failure)
{
    QFile file(path);
    Failure where = Failure::None;
    QString text;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        where = Failure::Open;
        text = reason(file, openText(path));
    } else if (!writeAll(file, data)) {
        where = Failure::Write;
        text = reason(file, writeText(path));
    }
    if (failure)
        *failure = where;
    if (error && where != Failure::None)
        *error = text;
    return where == Failure::None;
}

// Makes the temporary file. With `permissions` it is made readable by its owner alone
// (the process makes no file elsewhere meanwhile) and takes them before its first byte.
bool openTemporary(QSaveFile &file, const QFileDevice::Permissions *permissions)
{
    if (!permissions)
        return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const mode_t previous = ::umask(S_IRWXG | S_IRWXO);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const int openError = errno;
    ::umask(previous);
    errno = openError;
    return opened && file.setPermissions(*permissions);
}

bool writeWhole(const QString &path, const QByteArray &data,
                const QFileDevice::Permissions *permissions, QString *error, Failure *failure)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return writeDirectly(path, data, error, failure);

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
    if (failure)
        *failure = Failure::None;
    errno = 0;
    if (forcedTemporaryFileError != 0 || !openTemporary(file, permissions)) {
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
        return fail(Failure::Open, reason(file, openText(path)));
    }
    reportStep("temporary made", path);
    if (!writeAll(file, data))
        return fail(Failure::Write, reason(file, writeText(path)));
    reportStep("bytes written", path);
    // A failed commit has already dropped the temporary file; the old file stays.
    if (!file.commit())
        return fail(Failure::Write, reason(file, writeText(path)));
    reportStep("replaced", path);
    return true;
}

} // namespace

StepObserver::StepObserver(Step step)
    : m_previous(stepObserver())
{
    stepObserver() = std::move(step);
}

StepObserver::~StepObserver()
{
    stepObserver() = m_previous;
}

bool write(const QString &path, const QByteArray &data, QString *error, Failure *failure)
{
    return writeWhole(path, data, nullptr, error, failure);
}

bool writeWithPermissions(const QString &path, const QByteArray &data,
                          QFileDevice::Permissions permissions, QString *error, Failure *failure)
{
    return writeWhole(path, data, &permissions, error, failure);
}

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
