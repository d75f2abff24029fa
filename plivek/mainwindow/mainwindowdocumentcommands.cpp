// MainWindow: the document commands New, Open, Save, Save As and the recent files'
// entries.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "mainwindowhelpers.h"
#include "programvalidation.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "halm58ga/netedit.h"
#include "plivek/document/newdocumentdlg.h"

#include <QActionGroup>
#include <QDateTime>
#include <QDir>
#include <QMessageBox>
#include <QProcess>

using namespace MainWindowHelpers;

void MainWindow::on_actionNew_triggered()
{
    NewDocumentDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!closeDocument())
        return;
    const QString type = dialog.type().toString();
    if (type == QLatin1String("ZU_MOLT")) {
        // ZU_MOLT documents have their own editor; when it cannot start, the
        // document is edited here.
        const QString editor = Project::findZuMoltEditor();
        if (!editor.isEmpty()) {
            if (QProcess::startDetached(editor, {})) {
                QMetaObject::invokeMethod(QCoreApplication::instance(), "quit",
                                          Qt::QueuedConnection);
                return;
            }
            printWarning(tr("Cannot start the ZU_MOLT editor %1; the configuration is edited here")
                             .arg(QDir::toNativeSeparators(editor)));
        }
    }
    CnfNative::initController(project.controller(), type, dialog.version().toString());
    if (project.isTiverk())
        project.controller().setNativeData(
            QStringLiteral("creationTime"),
            QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm")));
    noDocument = false;
    updateActions();
    initNetEdit();
}

void MainWindow::on_actionOpen_triggered()
{
    const QString path = project.openFileDialog();
    if (!path.isEmpty())
        loadDocument(path);
}

void MainWindow::reportSaveWarnings()
{
    const QStringList warnings = project.warnings();
    for (const QString &warning : warnings)
        printWarning(warning);
}

void MainWindow::on_actionSave_triggered()
{
    if (project.fileName().isEmpty()) {
        on_actionSave_As_triggered();
        return;
    }
    if (!validatePrograms())
        return;
    printInfo(tr("Saving current document"));
    const bool saved = project.save();
    reportSaveWarnings();
    if (!saved) {
        if (project.lastError().isEmpty())
            printInfo(tr("Saving canceled"));
        else
            printError(project.lastError());
        return;
    }
    printInfo(tr("Saving complete"));
    setChanged(false);
}

void MainWindow::on_actionSave_As_triggered()
{
    if (!validatePrograms())
        return;
    const bool saved = project.saveAsConverted(QString());
    reportSaveWarnings();
    if (!saved) {
        if (!project.lastError().isEmpty())
            printError(project.lastError());
        return;
    }
    printInfo(tr("Document saved to file %1").arg(project.fileName()));
    updateWindowTitle();
    // The window shows the document as the new file gives it back.
    const QString path = project.fileName();
    QMetaObject::invokeMethod(
        this, [this, path] { loadDocument(path); }, Qt::QueuedConnection);
}

bool MainWindow::validatePrograms()
{
    if (project.isTiverkII() || project.isZuMolt())
        return true;
    const QString faults = ProgramValidation::findFaults(project.controller(),
                                                         project.isTiverk() || project.isAdapter());
    if (faults.isEmpty())
        return true;
    return QMessageBox::question(this, tr("Programs contain errors"), faults + tr("\nSave?"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
        == QMessageBox::Yes;
}

void MainWindow::openRecentFile(QAction *action)
{
    if (!action)
        return;
    loadDocument(withoutAmpersands(action->text()));
    if (!noDocument)
        return;
    // The file could not be loaded: its entry leaves the list and the later
    // ones move up.
    const auto *group = ui->menuFile->findChild<QActionGroup *>();
    if (!group)
        return;
    const QList<QAction *> entries = group->actions();
    int last = entries.indexOf(action);
    if (last < 0)
        return;
    while (last + 1 < entries.size() && entries.at(last + 1)->isVisible()) {
        entries.at(last)->setText(withoutAmpersands(entries.at(last + 1)->text()));
        ++last;
    }
    entries.at(last)->setVisible(false);
    entries.last()->setVisible(false);
}
