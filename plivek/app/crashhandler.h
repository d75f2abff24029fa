#pragma once

// Saving the open document when the process dies of a fatal fault.
//
// installCrashHandler arms a handler for SIGSEGV, SIGBUS, SIGILL, SIGFPE and
// SIGABRT (an uncaught C++ exception ends in abort and is covered too). The
// handler runs on an alternate signal stack, so a stack overflow still reaches
// it; it calls crashExceptionFilter, then restores the signal's default action and
// raises the signal again, so the process ends as it would have without us.

void installCrashHandler();

// Tells the first top-level widget that inherits "MainWindow" to crashSave, once
// per process: a second call, also one made by a fault during the save, returns at
// once. Always returns 1 (the fault is handled; no further reporting).
int crashExceptionFilter();
