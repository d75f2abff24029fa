#pragma once

#include <QByteArray>
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
bool write(const QString &path, const QByteArray &data, QString *error = nullptr, Failure *failure = nullptr);

} // namespace SafeFile
