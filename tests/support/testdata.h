#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

// Fixture files live under tests/data/ in the source tree; built programs in bin/.
namespace TestSupport {

inline QString dataPath(const QString &relative = QString())
{
    return QDir(QStringLiteral(PROJECT_TEST_DATA_DIR)).filePath(relative);
}

inline QString examplesPath(const QString &relative = QString())
{
    return QDir(QStringLiteral(PROJECT_EXAMPLES_DIR)).filePath(relative);
}

// The whole content of the file at path; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Writes bytes as the whole content of the file at path; false when that fails.
bool writeFile(const QString &path, const QByteArray &bytes);

// Writes a TIVERK II configuration of about `bytes` bytes, almost all of them one
// long array of numbers under an unknown key: a file that is small on disk but
// takes far more memory once read. False when it cannot be written.
bool writeLongArrayConfiguration(const QString &path, int bytes);

inline QString programPath(const QString &name)
{
    return QDir(QStringLiteral(PROJECT_BIN_DIR)).filePath(name);
}

// Starts the built program offscreen without arguments and ends it again;
// gives an error text, empty when the program started and ended.
QString startAndStopProgram(const QString &name);

} // namespace TestSupport
