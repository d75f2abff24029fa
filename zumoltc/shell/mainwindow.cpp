#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "checkingerrorsdialog.h"
#include "recentfiles.h"
#include "settingsdialog.h"
#include "userdialogs.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuconfigurationcheck.h"
#include "zumoltc/model/zuenums.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>

#include <memory>

namespace {

const QString splitterSizesKey = QStringLiteral("splitterSizes");

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

    ui->section_list->clear();
    createSectionItems();
    ui->section_list->resizeColumnToContents(0);
    // Item texts change with the objects (names, ids, assignments); the text
    // column follows them so that no text is cut. The tree measures only the
    // items in view, so opening or closing a branch and scrolling count too.
    // One resize per turn of the event loop, however many items a load or an
    // edit touches.
    auto *textWidth = new QTimer(this);
    textWidth->setSingleShot(true);
    textWidth->setInterval(0);
    connect(textWidth, &QTimer::timeout, ui->section_list,
            [this] { ui->section_list->resizeColumnToContents(0); });
    QAbstractItemModel *treeModel = ui->section_list->model();
    connect(treeModel, &QAbstractItemModel::dataChanged, textWidth, qOverload<>(&QTimer::start));
    connect(treeModel, &QAbstractItemModel::rowsInserted, textWidth, qOverload<>(&QTimer::start));
    connect(treeModel, &QAbstractItemModel::rowsRemoved, textWidth, qOverload<>(&QTimer::start));
    connect(ui->section_list, &QTreeView::expanded, textWidth, qOverload<>(&QTimer::start));
    connect(ui->section_list, &QTreeView::collapsed, textWidth, qOverload<>(&QTimer::start));
    connect(ui->section_list->verticalScrollBar(), &QScrollBar::valueChanged, textWidth,
            qOverload<>(&QTimer::start));
    connect(ui->section_list->verticalScrollBar(), &QScrollBar::rangeChanged, textWidth,
            qOverload<>(&QTimer::start));

    updateWindowTitle();
    // The form's size is larger than a small screen: the window fits the one it opens on.
    if (const QScreen *shownOn = screen())
        resize(size().boundedTo(shownOn->availableGeometry().size()));
    // An absent key gives an empty state, which leaves the form's sizes.
    ui->splitter->restoreState(QSettings().value(splitterSizesKey).toByteArray());
    ui->section_list->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // The configuration dies with the window's children, after the form: it must
    // not reach the tree any more.
    m_configuration->disconnect(this);
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
        title
            = QDir(file.absolutePath()) == QDir(QDir::currentPath()) ? file.fileName() : m_fileName;
    }
    if (ui->actionSave->isEnabled())
        title += QLatin1Char('*');
    setWindowTitle(title);
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
