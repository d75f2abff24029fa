#include "testdata.h"

#include <QFile>
#include <QProcess>

namespace TestSupport {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

bool writeLongArrayConfiguration(const QString &path, int bytes)
{
    QByteArray text(
        "{\"controller\":{\"type\":\"tiverkii\",\"version\":\"2.0\",\"number\":1},\"extra\":[1");
    const int items = qMax(0, (bytes - text.size() - 2) / 2);
    text.reserve(text.size() + 2 * items + 2);
    for (int i = 0; i < items; ++i)
        text += ",1";
    text += "]}";
    return writeFile(path, text);
}

QString startAndStopProgram(const QString &name)
{
    QProcess program;
    program.start(programPath(name), QStringList());
    if (!program.waitForStarted())
        return program.errorString();
    program.terminate();
    if (!program.waitForFinished(30000))
        return QStringLiteral("%1 did not end").arg(name);
    return QString();
}

} // namespace TestSupport
