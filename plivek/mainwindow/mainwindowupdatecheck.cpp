// MainWindow: the check for a newer version through the maintenance tool.

#include "mainwindow.h"

#include "maintenancetool.h"

#include <QMessageBox>
#include <QProcess>

void MainWindow::on_actionCheck_for_update_triggered(bool checked)
{
    if (!checked || !MaintenanceTool::exists())
        return;
    // The check runs in the background; its end is handled by on_check_update_finished.
    auto *check = new QProcess(this);
    connect(check, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &MainWindow::on_check_update_finished);
    check->start(MaintenanceTool::path(), MaintenanceTool::checkArguments(), QIODevice::ReadWrite);
}

void MainWindow::on_check_update_finished(int exitCode, QProcess::ExitStatus exitStatus)
{
    Q_UNUSED(exitStatus)
    auto *check = qobject_cast<QProcess *>(sender());
    if (!check)
        return;
    check->deleteLater();
    if (exitCode != 0 || check->readAllStandardOutput().isEmpty())
        return;
    // The question's own event loop may delete the process object.
    const QString tool = check->program();
    if (QMessageBox::question(this, tr("updating"),
                              tr("Program or one of component has new version. Update?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
        == QMessageBox::Yes)
        QProcess::startDetached(tool, MaintenanceTool::updateArguments());
}
