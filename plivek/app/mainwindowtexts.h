#pragma once

#include <QCoreApplication>

// The command-line modes report in the main window's words: their texts are translated in
// the context "MainWindow", as the window's own are.
struct MainWindowTexts
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};
