#include "ordinaryuser.h"

#include "childprocess.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace TestSupport {

namespace {

const uid_t NobodyId = 65534;

bool handOver(const QStringList &paths, uid_t owner)
{
    bool done = true;
    for (const QString &path : paths)
        done = ::chown(QFile::encodeName(path).constData(), owner, owner) == 0 && done;
    return done;
}

} // namespace

QByteArray runAsOrdinaryUser(const std::function<QByteArray()> &work,
                             const QStringList &pathsToHandOver, bool *ok)
{
    if (ok)
        *ok = true;
    if (::geteuid() != 0)
        return work();

    auto failed = [ok] {
        if (ok)
            *ok = false;
        return QByteArray();
    };
    if (!handOver(pathsToHandOver, NobodyId))
        return failed();
    const ChildEnd end = runInChild([&work](int outputFd) {
        if (::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)
            return 1;
        const QByteArray result = work();
        return ::write(outputFd, result.constData(), size_t(result.size())) < 0 ? 2 : 0;
    });
    handOver(pathsToHandOver, 0);
    if (!end.exited || end.exitCode != 0)
        return failed();
    return end.output;
}

} // namespace TestSupport
