#include "mainwindow.h"

#include <QCoreApplication>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
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
    Q_UNUSED(path)
}

void MainWindow::crashSave()
{
}
