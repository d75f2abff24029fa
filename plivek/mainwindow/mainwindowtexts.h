#pragma once

#include <QCoreApplication>

// The parts of the main window that live outside its class (the tables' helpers, the
// command-line modes) speak in the window's words: their texts are translated in the
// context "MainWindow", as the window's own are.
struct MainWindowTexts
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};
