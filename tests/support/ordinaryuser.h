#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace TestSupport {

// Runs work as an ordinary user and gives back the bytes it returned. The
// superuser may write to read-only files and folders, so tests of refused
// writes would prove nothing when run as root (as CI does): there the work runs
// in a child process switched to the user "nobody", after the given paths have
// been handed to that user (and they are handed back afterwards). Without root
// rights the work simply runs here. `ok` is false when the child could not run.
QByteArray runAsOrdinaryUser(const std::function<QByteArray()> &work,
                             const QStringList &pathsToHandOver, bool *ok = nullptr);

} // namespace TestSupport
