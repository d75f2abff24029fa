#pragma once

#include <QByteArray>
#include <QFile>

// Memory of the running process for the benchmarks, from /proc/self.
namespace ProcessMemory {

// Kilobytes of a line of /proc/self/status ("VmRSS", "VmHWM").
inline double statusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

// Starts the peak ("VmHWM") again from the memory in use now.
inline void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace ProcessMemory
