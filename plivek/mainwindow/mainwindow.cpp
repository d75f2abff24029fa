#include "mainwindow.h"

#include <QCoreApplication>
#include <QDebug>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , project(this)
{
    setWindowTitle(QCoreApplication::applicationName());
    resize(1024, 768);
}

MainWindow::~MainWindow() = default;

bool MainWindow::recoverCrashSave()
{
    return false;
}

void MainWindow::loadDocument(const QString &path)
{
    // Minimal until the message table exists: the messages go to the log.
    if (!project.maybeSave()) {
        if (!project.lastError().isEmpty())
            qCritical().noquote() << project.lastError();
        return;
    }
    if (!path.isEmpty())
        qDebug().noquote() << tr("Loading file %1").arg(path);
    const bool loaded = project.load(path);
    if (!loaded) {
        project.setChanged(false);
        if (!project.lastError().isEmpty())
            qCritical().noquote() << project.lastError();
        return;
    }
    for (const QString &warning : project.warnings())
        qWarning().noquote() << warning;
    project.setChanged(false);
    qDebug().noquote() << tr("Loading complete");
}

void MainWindow::crashSave()
{
}
