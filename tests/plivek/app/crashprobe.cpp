// Test helper: arms the crash handler, opens a main window and then dies of the
// fault named by the first argument. The window's crash save writes the line
// "crashSave" to standard output, so the test sees how often the handler saved.

#include "plivek/app/crashhandler.h"
#include "plivek/mainwindow/mainwindow.h"

#include <QApplication>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <sys/resource.h>
#include <unistd.h>

namespace {

bool faultDuringSave = false;
volatile bool endlessRecursion = true;

class ProbeWindow : public MainWindow
{
    Q_OBJECT
public slots:
    void crashSave()
    {
        static const char line[] = "crashSave\n";
        if (::write(STDOUT_FILENO, line, sizeof line - 1) < 0)
            std::_Exit(3);
        if (faultDuringSave)
            std::abort();
        MainWindow::crashSave();
    }
};

__attribute__((noinline)) int recurse(int depth)
{
    volatile char frame[1024];
    frame[depth % sizeof frame] = char(depth);
    if (!endlessRecursion)
        return frame[0];
    return recurse(depth + 1) + frame[0];
}

// A real memory fault. Built with the undefined-behaviour checker, the write
// must not be caught as such before it faults.
__attribute__((noinline, no_sanitize("null"))) void writeThroughNull()
{
    volatile int *volatile pointer = nullptr;
    *pointer = 1;
}

int fault(const char *kind)
{
    if (!std::strcmp(kind, "SIGSEGV"))
        return std::raise(SIGSEGV);
    if (!std::strcmp(kind, "SIGBUS"))
        return std::raise(SIGBUS);
    if (!std::strcmp(kind, "SIGILL"))
        return std::raise(SIGILL);
    if (!std::strcmp(kind, "SIGFPE"))
        return std::raise(SIGFPE);
    if (!std::strcmp(kind, "SIGABRT"))
        return std::raise(SIGABRT);
    if (!std::strcmp(kind, "null")) {
        writeThroughNull();
        return 0;
    }
    if (!std::strcmp(kind, "overflow"))
        return recurse(0);
    if (!std::strcmp(kind, "throw"))
        throw std::runtime_error("nobody catches this");
    if (!std::strcmp(kind, "twice")) {
        faultDuringSave = true;
        return std::raise(SIGSEGV);
    }
    return 0; // "none": no fault, a normal end
}

} // namespace

int main(int argc, char *argv[])
{
    const rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);

    QApplication app(argc, argv);
    installCrashHandler();
    QWidget other; // a top-level widget that is no main window
    // Only the first main window saves: two of them would print two lines.
    ProbeWindow window;
    ProbeWindow second;
    fault(argc > 1 ? argv[1] : "none");
    return 0;
}

#include "crashprobe.moc"
