#include "testdata.h"

#include <QProcess>

namespace TestSupport {

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
