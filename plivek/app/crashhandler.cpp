#include "crashhandler.h"

#include <QApplication>
#include <QWidget>

#include <csignal>
#include <cstdlib>

namespace {

volatile std::sig_atomic_t crashHandled = 0;

const int fatalSignals[] = { SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT };

// The crash save writes files and settings; give it a generous stack of its own.
constexpr std::size_t alternateStackSize = 1024 * 1024;

void onFatalSignal(int signalNumber)
{
    crashExceptionFilter();
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    sigaction(signalNumber, &defaultAction, nullptr);
    raise(signalNumber);
}

} // namespace

int crashExceptionFilter()
{
    if (crashHandled)
        return 1;
    // Set before saving: a fault inside the save must not start a second save.
    crashHandled = 1;
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        if (widget->inherits("MainWindow")) {
            QMetaObject::invokeMethod(widget, "crashSave", Qt::DirectConnection);
            break;
        }
    }
    return 1;
}

void installCrashHandler()
{
    static void *alternateStack = nullptr;
    if (!alternateStack) {
        alternateStack = std::malloc(alternateStackSize);
        if (alternateStack) {
            stack_t stack = {};
            stack.ss_sp = alternateStack;
            stack.ss_size = alternateStackSize;
            sigaltstack(&stack, nullptr);
        }
    }

    struct sigaction action = {};
    action.sa_handler = &onFatalSignal;
    // Other fatal signals stay deliverable during the save (they find the flag set
    // and end the process); SA_NODEFER lets the re-raise end it at once.
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK | SA_NODEFER;
    for (int signalNumber : fatalSignals)
        sigaction(signalNumber, &action, nullptr);
}
