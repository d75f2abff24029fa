#pragma once

#include "project.h"

#include <QMainWindow>

// The main window of plivek: it owns the open document for its whole life.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Offers to bring back a document saved by a crash; true when the user chose
    // to recover. Minimal for now: there is nothing to recover yet.
    bool recoverCrashSave();

public slots:
    // Opens the document at the path (an empty path lets the user choose).
    void loadDocument(const QString &path);
    // Saves the changed document aside; called by the crash handler without an
    // event loop. Minimal for now: saves nothing.
    void crashSave();

private:
    Project project;
};
