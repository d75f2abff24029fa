#include "ordinaryuser.h"

#include <QFile>

#include <sys/stat.h>
#include <sys/wait.h>
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
    int channel[2];
    if (::pipe(channel) != 0)
        return failed();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        int status = 1;
        if (::setgid(NobodyId) == 0 && ::setuid(NobodyId) == 0) {
            const QByteArray result = work();
            status = ::write(channel[1], result.constData(), size_t(result.size())) < 0 ? 2 : 0;
        }
        ::_exit(status);
    }
    ::close(channel[1]);
    QByteArray result;
    char buffer[4096];
    ssize_t count;
    while ((count = ::read(channel[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, int(count));
    ::close(channel[0]);
    int status = -1;
    ::waitpid(child, &status, 0);
    handOver(pathsToHandOver, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return failed();
    return result;
}

} // namespace TestSupport
