#include "childprocess.h"

#include <QFile>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport {

ChildEnd runInChild(const std::function<int(int outputFd)> &work)
{
    ChildEnd end;
    int channel[2];
    if (::pipe(channel) != 0)
        return end;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return end;
    }
    if (child == 0) {
        ::close(channel[0]);
        ::_exit(work(channel[1]));
    }
    ::close(channel[1]);
    char buffer[4096];
    ssize_t count;
    while ((count = ::read(channel[0], buffer, sizeof buffer)) > 0)
        end.output.append(buffer, int(count));
    ::close(channel[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return end;
    end.exited = WIFEXITED(status);
    if (end.exited)
        end.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        end.signal = WTERMSIG(status);
    return end;
}

bool limitAddressSpace(qint64 headroom)
{
    // The first field of statm is the whole address space in pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const qint64 pages = statm.readAll().split(' ').value(0).toLongLong(&ok);
    if (!ok)
        return false;
    rlimit limit;
    limit.rlim_cur = limit.rlim_max = rlim_t(pages * ::sysconf(_SC_PAGESIZE) + headroom);
    return ::setrlimit(RLIMIT_AS, &limit) == 0;
}

} // namespace TestSupport
