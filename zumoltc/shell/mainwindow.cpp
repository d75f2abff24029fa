#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "checkingerrorsdialog.h"
#include "loadwarningsdialog.h"
#include "recentfiles.h"
#include "safefile.h"
#include "settings.h"
#include "settingsdialog.h"
#include "userdialogs.h"
#include "zuconfiguration.h"
#include "zuconfigurationcheck.h"
#include "zuenums.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString splitterSizesKey = QStringLiteral("splitterSizes");
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

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_configuration(new ZUConfiguration(this))
    , m_recentFiles(new RecentFiles(this))
    , m_dialogs(std::make_unique<UserDialogs>())
{
    // The names bind the configuration's and the recent list's signals to slots
    // named after them, which setupUi connects last.
    m_configuration->setObjectName(QStringLiteral("configuration"));
    m_recentFiles->setObjectName(QStringLiteral("recentFiles"));
    ui->setupUi(this);
    m_recentFiles->init(ui->menuFile, ui->actionExit);

    // Every combo box, table and tree text of the editor shows these, in the
    // language installed at this moment.
    zu::registerDisplayTexts();

    updateWindowTitle();
    // An absent key gives an empty state, which leaves the form's sizes.
    ui->splitter->restoreState(QSettings().value(splitterSizesKey).toByteArray());
}

MainWindow::~MainWindow()
{
    QSettings().setValue(splitterSizesKey, ui->splitter->saveState());
    delete ui;
}

ZUConfiguration *MainWindow::configuration() const
{
    return m_configuration;
}

QString MainWindow::fileName() const
{
    return m_fileName;
}

void MainWindow::setUserDialogs(std::unique_ptr<UserDialogs> dialogs)
{
    if (dialogs)
        m_dialogs = std::move(dialogs);
}

UserDialogs *MainWindow::userDialogs() const
{
    return m_dialogs.get();
}

int MainWindow::ask(QMessageBox::Icon icon, const QString &title, const QString &text,
                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, this);
    return m_dialogs->exec(&box);
}

void MainWindow::showError(const QString &message)
{
    ask(QMessageBox::Critical, tr("Error"), message, QMessageBox::Ok);
}

void MainWindow::setModified(bool modified)
{
    ui->actionSave->setEnabled(modified);
}

void MainWindow::updateWindowTitle()
{
    QString title = tr("New configuration");
    if (!m_fileName.isEmpty()) {
        const QFileInfo file(m_fileName);
        title = QDir(file.absolutePath()) == QDir(QDir::currentPath()) ? file.fileName() : m_fileName;
    }
    if (ui->actionSave->isEnabled())
        title += QLatin1Char('*');
    setWindowTitle(title);
}

void MainWindow::configuration_changed(const char *className)
{
    Q_UNUSED(className)
    setModified(true);
    updateWindowTitle();
}

void MainWindow::applyPendingEdits()
{
    // Pages come with the edit flow; until then no page holds edits.
}

bool MainWindow::checkForUnsaved()
{
    if (!ui->actionSave->isEnabled() && ui->section_list->isEnabled())
        return true;
    switch (ask(QMessageBox::Question, tr("Warning"), tr("Current configuration is not saved. Save now?"),
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
    ui->section_list->clearSelection();
    for (int index = ui->section_tabs->count() - 1; index >= 0; --index)
        delete ui->section_tabs->widget(index);

    const QSignalBlocker blocker(m_configuration);
    m_configuration->reset();
    // A new configuration uses the one switch type there is.
    m_configuration->switchDefaults()->setType(zu::ZU4_SW);

    m_fileName.clear();
    ui->section_list->setEnabled(true);
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
        LoadWarningsDialog dialog(path, warnings, this);
        if (m_dialogs->exec(&dialog) != QDialog::Accepted) {
            resetView();
            updateWindowTitle();
            return false;
        }
    }
    m_fileName = path;
    setModified(false);
    updateWindowTitle();
    m_recentFiles->addFile(path);
    return true;
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

bool MainWindow::save()
{
    if (m_fileName.isEmpty())
        return saveAs();
    // The copy of the previous file is a courtesy: a failed copy does not stop the save.
    QFile previous(m_fileName);
    if (previous.open(QIODevice::ReadOnly))
        SafeFile::write(m_fileName + QStringLiteral(".bak"), previous.readAll());
    previous.close();
    if (!saveTo(m_fileName))
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
    const QString path = m_dialogs->saveFileName(
        this, tr("Save file as"), start, tr("ZUMOLT configuration files (*.json *.cnf);;All files (*.*)"));
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
    const QString path = m_dialogs->openFileName(
        this, tr("Opening file"), startFolder, tr("ZUMOLT configuration files (*.json *.cnf);;All files (*.*)"));
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
            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        m_recentFiles->removeFile(fileName);
}

void MainWindow::on_actionSettings_triggered()
{
    SettingsDialog dialog(this);
    m_dialogs->exec(&dialog);
}

void MainWindow::on_actionchecking_triggered()
{
    auto *dialog = findChild<CheckingErrorsDialog *>();
    if (!dialog)
        dialog = new CheckingErrorsDialog(this);
    dialog->clear();
    const QStringList rows = checkConfiguration(*m_configuration);
    for (const QString &row : rows)
        dialog->addRow(0, row);

    if (!dialog->hasMessages()) {
        ask(QMessageBox::Information, tr("Checking"), tr("No errors found"), QMessageBox::Ok);
        return;
    }
    dialog->show();
}
