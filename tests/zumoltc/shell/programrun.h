#pragma once

#include "testdata.h"

#include <QProcess>
#include <QStringList>

// Starts the built zumoltc (offscreen, as the tests run) with arguments and ends it
// again; an empty text when it was still running after two seconds, else what went
// wrong. A window that waits for the user, even in a message box, stays up.
inline QString zumoltcStaysUp(const QStringList &arguments)
{
    QProcess program;
    program.start(TestSupport::programPath(QStringLiteral("zumoltc")), arguments);
    if (!program.waitForStarted())
        return program.errorString();
    if (program.waitForFinished(2000))
        return QStringLiteral("zumoltc ended by itself with code %1: %2")
            .arg(program.exitCode())
            .arg(QString::fromLocal8Bit(program.readAllStandardError()));
    program.kill();
    program.waitForFinished();
    return QString();
}
