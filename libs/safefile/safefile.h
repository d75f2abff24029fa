#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Writing a whole file so that a failure never leaves a truncated file in place of the
// user's one. Every file the project writes goes through here.
namespace SafeFile {

// Where a failed write stopped: the file could not be opened for writing at all (also
// when its folder takes no new file), or writing or replacing it failed part way.
enum class Failure { None, Open, Write };

// Writes data to path through a temporary file beside it that replaces the old file only
// when every byte has been written. The old file is never written in place: in a folder
// where no new file may be made the write is refused ("Cannot save %1: the folder does
// not allow new files"), even when the file itself may be written. On failure returns
// false, leaves the old file as it was and, when error is given, sets it to the reason
// (never empty); failure, when given, tells the callers that word the two cases apart
// which one it was.
bool write(const QString &path, const QByteArray &data, QString *error = nullptr,
           Failure *failure = nullptr);

// As write, and the file gets `permissions` before the first byte is written to it, also
// when it replaces a file of other permissions: a copy of a private file is never
// readable by others, not even part-written. Where the file system keeps no permissions
// the write goes on without them.
bool writeWithPermissions(const QString &path, const QByteArray &data,
                          QFileDevice::Permissions permissions, QString *error = nullptr,
                          Failure *failure = nullptr);

// The message of a failed write that names the file once: "Cannot open FILE for writing:
// REASON" or "Cannot write FILE: REASON" by the failure, or the reason alone where it
// names the file itself (a folder that takes no new file). The system's reasons ("No
// space left on device") do not say which file they are about.
QString failureText(const QString &path, const QString &reason, Failure failure);

} // namespace SafeFile
