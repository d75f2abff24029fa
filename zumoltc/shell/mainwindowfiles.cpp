#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "configurationupkeep.h"
#include "loadwarningsdialog.h"
#include "recentfiles.h"
#include "userdialogs.h"

#include "safefile/safefile.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/shell/framework/settings.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

const QString lastOpenDirKey = QStringLiteral("last_open_dir");
const QString lastSaveDirKey = QStringLiteral("last_save_dir");

// The file's folder, comparable with the start folder of a file dialog.
QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// Stores the folder of the chosen file as the next start folder when it differs.
void rememberFolder(const QString &key, const QString &startFolder, const QString &chosen)
{
    const QString folder = folderOf(chosen);
    if (QDir(folder) != QDir(startFolder))
        Settings::setDirSetting(key, folder);
}

} // namespace

bool MainWindow::checkForUnsaved()
{
    if (!ui->actionSave->isEnabled() && ui->section_list->isEnabled())
        return true;
    switch (ask(QMessageBox::Question, tr("Warning"),
                tr("Current configuration is not saved. Save now?"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::No:
        return true;
    case QMessageBox::Yes:
        return save();
    default:
        return false;
    }
}

void MainWindow::resetView()
{
    QTreeWidget *tree = ui->section_list;
    tree->setCurrentItem(nullptr);
    // Taken items are deleted below, together with every object item.
    QSet<QTreeWidgetItem *> taken;
    for (int top = 0; top < tree->topLevelItemCount(); ++top) {
        QTreeWidgetItem *section = tree->topLevelItem(top);
        if (section == schedulerItem || section == ioItem || section == rcpItem) {
            for (int child = 0; child < section->childCount(); ++child) {
                QTreeWidgetItem *branch = section->child(child);
                for (int index = branch->childCount() - 1; index >= 0; --index)
                    taken.insert(branch->takeChild(index));
            }
        } else {
            for (int index = section->childCount() - 1; index >= 0; --index)
                taken.insert(section->takeChild(index));
        }
    }
    tree->clearSelection();
    for (int index = ui->section_tabs->count() - 1; index >= 0; --index)
        delete ui->section_tabs->widget(index);

    {
        const QSignalBlocker blocker(m_configuration);
        const QList<QTreeWidgetItem *> objectItemList = itemObjects.keys();
        for (QTreeWidgetItem *item : objectItemList)
            taken.insert(item);
        qDeleteAll(taken);
        objectItems.clear();
        itemObjects.clear();
        m_configuration->reset();
        // A new configuration uses the one switch type there is.
        m_configuration->switchDefaults()->setType(zu::ZU4_SW);
    }

    m_fileName.clear();
    pageItems.clear();
    m_loadedClasses.clear();
    m_pendingItems.clear(); // deleted with the other object items
    tree->setEnabled(true);
    setModified(false);
}

bool MainWindow::loadFile(const QString &path)
{
    resetView();
    const QString shownName = QFileInfo(path).fileName();
    QString error;
    if (!m_configuration->load(path, &error)) {
        // A load that failed part-way may have added objects before it stopped.
        resetView();
        ask(QMessageBox::Critical, tr("Error loading %1").arg(shownName), error, QMessageBox::Ok);
        updateWindowTitle();
        return false;
    }
    const QStringList warnings = m_configuration->warnings();
    if (!warnings.isEmpty()) {
        // The tree behind the dialog shows what was read.
        insertPendingItems();
        LoadWarningsDialog dialog(path, warnings, this);
        if (m_dialogs->exec(&dialog) != QDialog::Accepted) {
            resetView();
            updateWindowTitle();
            return false;
        }
    }
    // The upkeep held back while the file was read runs once now that all of it is
    // in; what it adds belongs to the file as loaded, not to an unsaved change.
    const QList<QByteArray> announced = m_loadedClasses;
    m_loadedClasses.clear();
    for (const QByteArray &className : announced)
        keepConfigurationInStep(m_configuration, className.constData());
    // The texts that depend on other objects are right only once the whole file is in.
    for (auto updater = branchUpdaters.cbegin(); updater != branchUpdaters.cend(); ++updater)
        (this->*updater.value())();
    insertPendingItems();
    ui->section_list->setCurrentItem(commonParamItem);

    m_fileName = path;
    setModified(false);
    updateWindowTitle();
    m_recentFiles->addFile(path);
    return true;
}

void MainWindow::insertPendingItems(QTreeWidgetItem *branch)
{
    if (branch) {
        branch->addChildren(m_pendingItems.take(branch));
        return;
    }
    for (auto pending = m_pendingItems.cbegin(); pending != m_pendingItems.cend(); ++pending)
        pending.key()->addChildren(pending.value());
    m_pendingItems.clear();
}

bool MainWindow::saveTo(const QString &path)
{
    applyPendingEdits();
    QString error;
    if (!m_configuration->save(path, &error)) {
        showError(error);
        return false;
    }
    return true;
}

QString MainWindow::keepPreviousVersion() const
{
    QFile previous(m_fileName);
    if (!previous.exists())
        return QString(); // nothing to keep
    const QString backup = m_fileName + QStringLiteral(".bak");
    // A copy cut short would stand as the previous version: only a whole read counts.
    QByteArray content;
    if (previous.open(QIODevice::ReadOnly))
        content = previous.readAll();
    if (previous.error() != QFileDevice::NoError || content.size() != previous.size()) {
        return tr("The previous version was not kept: cannot read %1: %2")
            .arg(QDir::toNativeSeparators(m_fileName), previous.errorString());
    }
    // The copy is as private as the file: it gets its permissions before it holds
    // a byte or replaces the older copy.
    QString reason;
    if (!SafeFile::writeWithPermissions(backup, content, previous.permissions(), &reason)) {
        return tr("The previous version was not kept: cannot copy it to %1: %2")
            .arg(QDir::toNativeSeparators(backup), reason);
    }
    return QString();
}

bool MainWindow::save()
{
    if (m_fileName.isEmpty())
        return saveAs();
    // The copy goes to its own name and never touches the user's file, and the save
    // replaces that file only once the whole text is written: so a failed copy does
    // not stop the save, the user is only told that no previous version was kept.
    const QString backupFailure = keepPreviousVersion();
    const bool saved = saveTo(m_fileName);
    if (!backupFailure.isEmpty())
        ask(QMessageBox::Warning, tr("Warning"), backupFailure, QMessageBox::Ok);
    if (!saved)
        return false;
    setModified(false);
    updateWindowTitle();
    return true;
}

bool MainWindow::saveAs()
{
    const QString startFolder = Settings::dirSetting(lastSaveDirKey);
    QString start = startFolder;
    const int id = m_configuration->id();
    if (id > 0 && id != zu::NotSet)
        start += QDir::separator() + QStringLiteral("dat%1.json").arg(id, 5, 10, QLatin1Char('0'));
    const QString path
        = m_dialogs->saveFileName(this, tr("Save file as"), start,
                                  tr("ZUMOLT configuration files (*.json *.cnf);;All files (*.*)"));
    if (path.isEmpty() || !saveTo(path))
        return false;
    m_fileName = path;
    setModified(false);
    rememberFolder(lastSaveDirKey, startFolder, path);
    m_recentFiles->addFile(path);
    updateWindowTitle();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!checkForUnsaved()) {
        event->ignore();
        return;
    }
    event->accept();
    m_recentFiles->save();
}

void MainWindow::on_actionNew_triggered()
{
    if (!checkForUnsaved())
        return;
    resetView();
    updateWindowTitle();
}

void MainWindow::on_actionClose_triggered()
{
    on_actionNew_triggered();
}

void MainWindow::on_actionOpen_triggered()
{
    const QString startFolder = Settings::dirSetting(lastOpenDirKey);
    const QString path
        = m_dialogs->openFileName(this, tr("Opening file"), startFolder,
                                  tr("ZUMOLT configuration files (*.json *.cnf);;All files (*.*)"));
    if (path.isEmpty() || !checkForUnsaved())
        return;
    if (loadFile(path))
        rememberFolder(lastOpenDirKey, startFolder, path);
}

void MainWindow::on_actionSave_triggered()
{
    save();
}

void MainWindow::on_actionSave_as_triggered()
{
    saveAs();
}

void MainWindow::on_recentFiles_openFile(const QString &fileName)
{
    if (!checkForUnsaved() || loadFile(fileName))
        return;
    if (ask(QMessageBox::Question, QString(), tr("Remove file from recent file list?"),
            QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        m_recentFiles->removeFile(fileName);
}
