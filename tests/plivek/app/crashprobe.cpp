// Test helper: arms the crash handler, opens a main window and then dies of the
// fault named by the first argument. The window's crash save writes the line
// "crashSave" to standard output, so the test sees how often the handler saved.
//
// "edited <file>" loads the file into the window, changes it and dies of
// SIGSEGV; "recover" starts as plivek does, answers Yes to the offer to
// recover and writes the document's file name, changed flag and controller
// number to standard output.

#include "cnf/cnfcontroller.h"
#include "plivek/app/crashhandler.h"
#include "plivek/mainwindow/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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

// Presses Yes in the next message box.
void answerYes()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box) {
        QTimer::singleShot(10, &answerYes);
        return;
    }
    box->button(QMessageBox::Yes)->click();
}

int recover()
{
    MainWindow window;
    QTimer::singleShot(0, &answerYes);
    const bool recovered = window.recoverCrashSave();
    const QByteArray report = QByteArray::number(recovered) + ' '
        + window.document().fileName().toUtf8() + ' '
        + QByteArray::number(window.document().isChanged()) + ' '
        + window.document().controller().property("number").toByteArray() + '\n';
    if (::write(STDOUT_FILENO, report.constData(), size_t(report.size())) < 0)
        return 3;
    window.document().setChanged(false);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const rlimit noCore = { 0, 0 };
    setrlimit(RLIMIT_CORE, &noCore);

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationName(QStringLiteral("plivek"));
    installCrashHandler();
    if (argc > 1 && !std::strcmp(argv[1], "recover"))
        return recover();
    QWidget other; // a top-level widget that is no main window
    ProbeWindow window;
    if (argc > 2 && !std::strcmp(argv[1], "edited")) {
        // One main window only: which of several top-level windows comes first
        // is not fixed, and an unchanged one would save nothing.
        window.loadDocument(QString::fromLocal8Bit(argv[2]));
        window.setChanged(true);
        return std::raise(SIGSEGV);
    }
    // Only the first main window saves: two of them would print two lines.
    ProbeWindow second;
    fault(argc > 1 ? argv[1] : "none");
    return 0;
}

#include "crashprobe.moc"
