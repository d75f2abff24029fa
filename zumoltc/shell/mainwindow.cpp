#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "checkingerrorsdialog.h"
#include "configurationupkeep.h"
#include "itemappender.h"
#include "itemmover.h"
#include "itemremover.h"
#include "itemselector.h"
#include "loadwarningsdialog.h"
#include "recentfiles.h"
#include "settingsdialog.h"
#include "userdialogs.h"

#include "safefile/safefile.h"
#include "zumoltc/editors/commonparameterswidget.h"
#include "zumoltc/editors/controlsourcewidget.h"
#include "zumoltc/editors/countdowntimerswidget.h"
#include "zumoltc/editors/dayplanwidget.h"
#include "zumoltc/editors/detectorswidget.h"
#include "zumoltc/editors/detectorwidget.h"
#include "zumoltc/editors/diowidget.h"
#include "zumoltc/editors/extradayswidget.h"
#include "zumoltc/editors/extraperiodswidget.h"
#include "zumoltc/editors/kmpdevicewidget.h"
#include "zumoltc/editors/lampicon.h"
#include "zumoltc/editors/matrixwidget.h"
#include "zumoltc/editors/networkparameterswidget.h"
#include "zumoltc/editors/rcpwidget.h"
#include "zumoltc/editors/recoverywidget.h"
#include "zumoltc/editors/schedulerwidget.h"
#include "zumoltc/editors/signalgrouptimes.h"
#include "zumoltc/editors/signalgroupwidget.h"
#include "zumoltc/editors/signalplanwidget.h"
#include "zumoltc/editors/stagewidget.h"
#include "zumoltc/editors/switchdefaultswidget.h"
#include "zumoltc/editors/switchwidget.h"
#include "zumoltc/editors/weekplanwidget.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuconfigurationcheck.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/shell/framework/prefixes.h"
#include "zumoltc/shell/framework/settings.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <vector>

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

// Sets the text of every live object of list that has an item to its list text with
// the suffix that suffixOf gives for it.
template<typename T, typename Suffix>
void updateItemTexts(const QMap<ZUBaseObject *, QTreeWidgetItem *> &items, const QList<QPointer<T>> &list,
                     Suffix suffixOf)
{
    for (const QPointer<T> &object : list) {
        if (!object)
            continue;
        if (QTreeWidgetItem *item = items.value(object.data()))
            item->setText(0, object->text(suffixOf(object.data())));
    }
}

template<typename T>
void updateItemTexts(const QMap<ZUBaseObject *, QTreeWidgetItem *> &items, const QList<QPointer<T>> &list)
{
    updateItemTexts(items, list, [](T *) { return QString(); });
}

QString signalGroupSuffix(const ZUSignalGroup *group)
{
    return enumText<zu::SGType>(group->type());
}

// The strip's buttons in layout order: object name and text, icon, tool tip.
struct StripButton
{
    const char *name;
    const char *icon;
    const char *toolTip;
};

const StripButton addButton = {"+", "://icons/list-add.png", QT_TRANSLATE_NOOP("MainWindow", "Add new item\nInsert")};
const StripButton removeButton = {"-", "://icons/list-remove.png", QT_TRANSLATE_NOOP("MainWindow", "Remove selected items\nDelete")};
const StripButton moveButtons[] = {
    {"up", "://icons/go-up.png", QT_TRANSLATE_NOOP("MainWindow", "Mov up\nCtrl+Up")},
    {"top", "://icons/go-top.png", QT_TRANSLATE_NOOP("MainWindow", "Move top\nCtrl+Home")},
    {"down", "://icons/go-down.png", QT_TRANSLATE_NOOP("MainWindow", "Move down\nCtrl+Down")},
    {"bottom", "://icons/go-bottom.png", QT_TRANSLATE_NOOP("MainWindow", "Move bottom\nCtrl+End")},
};

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
    // column follows them so that no text is cut. One resize per turn of the
    // event loop, however many items a load or an edit touches.
    auto *textWidth = new QTimer(this);
    textWidth->setSingleShot(true);
    textWidth->setInterval(0);
    connect(textWidth, &QTimer::timeout, ui->section_list, [this] { ui->section_list->resizeColumnToContents(0); });
    QAbstractItemModel *treeModel = ui->section_list->model();
    connect(treeModel, &QAbstractItemModel::dataChanged, textWidth, qOverload<>(&QTimer::start));
    connect(treeModel, &QAbstractItemModel::rowsInserted, textWidth, qOverload<>(&QTimer::start));

    updateWindowTitle();
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
        title = QDir(file.absolutePath()) == QDir(QDir::currentPath()) ? file.fileName() : m_fileName;
    }
    if (ui->actionSave->isEnabled())
        title += QLatin1Char('*');
    setWindowTitle(title);
}

void MainWindow::configuration_changed(const char *className)
{
    // Called directly by the object slots and the item operations too, where the
    // sender is the configuration or a button: only a page counts as sender.
    QWidget *senderPage = qobject_cast<QWidget *>(sender());
    if (!pageItems.contains(senderPage))
        senderPage = nullptr;
    if (senderPage) {
        const int tab = ui->section_tabs->indexOf(senderPage);
        if (tab >= 0 && !senderPage->windowTitle().isEmpty())
            ui->section_tabs->setTabText(tab, senderPage->windowTitle());
    }
    // The file's own objects are still coming while it loads: the upkeep would
    // invent what the file is about to deliver (a second scheduler source).
    if (m_configuration->loading()) {
        if (className && !m_loadedClasses.contains(QByteArray::fromRawData(className, int(qstrlen(className)))))
            m_loadedClasses.append(QByteArray(className));
    } else {
        keepConfigurationInStep(m_configuration, className);
    }

    const QList<QWidget *> pages = pageItems.keys();
    for (QWidget *page : pages) {
        if (!pageItems.contains(page))
            continue;
        if (page == senderPage) {
            if (const BranchUpdater updater = branchUpdaters.value(pageItems.value(page)))
                (this->*updater)();
        } else if (page->metaObject()->indexOfMethod("configurationHasChanged(const char*)") >= 0) {
            QMetaObject::invokeMethod(page, "configurationHasChanged", Qt::DirectConnection,
                                      Q_ARG(const char *, className));
        }
    }
    setModified(true);
    updateWindowTitle();
}

void MainWindow::page_items_changed(bool changed)
{
    if (changed) {
        ui->section_list->setEnabled(false);
        return;
    }
    for (int tab = ui->section_tabs->count() - 1; tab >= 0; --tab) {
        if (ui->section_tabs->widget(tab)->property("changed").toBool())
            return;
    }
    ui->section_list->setEnabled(true);
}

void MainWindow::connectPage(QWidget *page)
{
    // Pages are of many classes; their signals are found by signature.
    const QMetaObject *pageMeta = page->metaObject();
    const QMetaObject *windowMeta = metaObject();
    const auto connectByName = [&](const char *signal, const char *slot) {
        const int signalIndex = pageMeta->indexOfSignal(signal);
        if (signalIndex >= 0)
            connect(page, pageMeta->method(signalIndex), this, windowMeta->method(windowMeta->indexOfSlot(slot)));
    };
    connectByName("changed(bool)", "page_items_changed(bool)");
    connectByName("configurationChanged(const char*)", "configuration_changed(const char*)");
}

bool MainWindow::openSectionPage(QTreeWidgetItem *item, QSet<QWidget *> &pages)
{
    QWidget *page = nullptr;
    if (item == commonParamItem) {
        auto *common = openPage<CommonParametersWidget>(ui->section_tabs, item->text(0));
        common->load(m_configuration);
        page = common;
    } else if (item == sgItem) {
        auto *times = openPage<SignalGroupTimes>(ui->section_tabs, tr("Times of signal groups"));
        times->load(m_configuration->signalGroupDefaults(), nullptr, false);
        page = times;
    } else if (item == matrixItem) {
        auto *matrix = openPage<MatrixWidget>(ui->section_tabs, item->text(0));
        matrix->load(m_configuration);
        page = matrix;
    } else if (item == detectorsItem) {
        auto *intervals = openPage<DetectorsWidget>(ui->section_tabs, item->text(0));
        intervals->load(m_configuration->detectorIntervals());
        page = intervals;
    } else if (item == schedulerItem) {
        auto *scheduler = openPage<SchedulerWidget>(ui->section_tabs, item->text(0));
        scheduler->load(m_configuration);
        page = scheduler;
    } else if (item == switchesItem) {
        auto *defaults = openPage<SwitchDefaultsWidget>(ui->section_tabs, item->text(0));
        defaults->load(m_configuration->switchDefaults());
        page = defaults;
    } else if (const int dio = dioItems.indexOf(item); dio >= 0 && dio < m_configuration->dios().size()) {
        auto *dioPage = openPage<DIOWidget>(ui->section_tabs, item->text(0));
        dioPage->load(m_configuration, m_configuration->dios().at(dio));
        page = dioPage;
    } else if (item == countdownItem) {
        auto *countdown = openPage<CountdownTimersWidget>(ui->section_tabs, item->text(0));
        countdown->load(m_configuration);
        page = countdown;
    } else if (item == rcpItem) {
        auto *panel = openPage<RCPWidget>(ui->section_tabs, item->text(0));
        panel->load(m_configuration, m_configuration->vpu());
        page = panel;
    } else if (item == recoveryItem) {
        auto *recovery = openPage<RecoveryWidget>(ui->section_tabs, item->text(0));
        recovery->load(m_configuration);
        page = recovery;
    } else if (item == netParamItem) {
        auto *network = openPage<NetworkParametersWidget>(ui->section_tabs, item->text(0));
        network->load(m_configuration->networkParameters());
        page = network;
    }
    // The other sections' pages join here as they are built.
    if (!page)
        return false;
    pages.insert(page);
    pageItems.insert(page, item);
    return true;
}

void MainWindow::on_section_list_itemSelectionChanged()
{
    // One selector per object kind whose page exists, in the kinds' order.
    std::vector<std::unique_ptr<ItemSelectorInterface>> selectors;
    selectors.emplace_back(new ItemSelector<ZUSignalGroup, SignalGroupWidget>(this, m_configuration, sgItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUStage, StageWidget>(this, m_configuration, stagesItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUDetector, DetectorWidget>(this, m_configuration, detectorsItem, &pageItems));
    selectors.emplace_back(
            new ItemSelector<ZUSignalPlan, SignalPlanWidget>(this, m_configuration, plansItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUDayPlan, DayplanWidget>(this, m_configuration, dayPlansItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUWeekPlan, WeekPlanWidget>(this, m_configuration, weekPlansItem, &pageItems));
    selectors.emplace_back(
            new ItemSelector<ZUExtraPeriod, ExtraPeriodsWidget>(this, m_configuration, extraPeriodsItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUExtraDay, ExtraDaysWidget>(this, m_configuration, extraDaysItem, &pageItems));
    selectors.emplace_back(
            new ItemSelector<ZUControlSource, ControlSourceWidget>(this, m_configuration, csItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUKMPDevice, KMPDeviceWidget>(this, m_configuration, kmpItem, &pageItems,
                                                                          tr("KMP devices")));
    selectors.emplace_back(new ItemSelector<ZUSwitch, SwitchWidget>(this, m_configuration, switchesItem, &pageItems));

    QTreeWidget *tree = ui->section_list;
    QSet<QWidget *> kept;
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    for (QTreeWidgetItem *item : selected) {
        if (openSectionPage(item, kept))
            continue;
        if (ZUBaseObject *object = itemObjects.value(item)) {
            for (const auto &selector : selectors)
                selector->collect(item, item->parent(), object);
        }
    }
    for (const auto &selector : selectors)
        selector->openPages(ui->section_tabs, kept);

    // The tab goes at once, so that no later look-up finds a page on its way out.
    for (int tab = ui->section_tabs->count() - 1; tab >= 0; --tab) {
        QWidget *page = ui->section_tabs->widget(tab);
        if (kept.contains(page))
            continue;
        pageItems.remove(page);
        ui->section_tabs->removeTab(tab);
        page->deleteLater();
    }
    if (selected.isEmpty())
        tree->setCurrentItem(nullptr);
    if (tree->currentItem())
        QMetaObject::invokeMethod(this, &MainWindow::setButtonsForCurrentItem, Qt::QueuedConnection);
    tree->setFocus();
}

void MainWindow::applyPendingEdits()
{
    if (ui->section_list->isEnabled())
        return;
    for (int tab = 0; tab < ui->section_tabs->count(); ++tab) {
        auto *box = ui->section_tabs->widget(tab)->findChild<QDialogButtonBox *>();
        if (QPushButton *apply = box ? box->button(QDialogButtonBox::Apply) : nullptr)
            apply->click();
    }
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
    QString reason;
    if (!SafeFile::write(backup, content, &reason)) {
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

QTreeWidgetItem *MainWindow::objectItem(ZUBaseObject *object) const
{
    return objectItems.value(object);
}

ZUBaseObject *MainWindow::itemObject(QTreeWidgetItem *item) const
{
    return itemObjects.value(item);
}

void MainWindow::addSectionItem(QTreeWidgetItem *parent, QTreeWidgetItem *&member, const QString &text,
                                BranchUpdater updater, const QString &icon, bool opensPage,
                                const char *objectClass)
{
    member = new QTreeWidgetItem(QStringList{text});
    if (parent) {
        parent->addChild(member);
        if (opensPage)
            pageSectionItems.append(member);
        if (!pageSectionItems.contains(parent))
            pageSectionItems.append(parent);
    } else {
        ui->section_list->addTopLevelItem(member);
        if (opensPage)
            pageSectionItems.append(member);
    }
    if (!icon.isEmpty())
        member->setIcon(0, icon.startsWith(QLatin1Char(':')) ? QIcon(icon) : QIcon::fromTheme(icon));
    if (updater)
        branchUpdaters.insert(member, updater);
    if (objectClass)
        branchItems.insert(QByteArray(objectClass), member);
}

void MainWindow::createSectionItems()
{
    addSectionItem(nullptr, commonParamItem, tr("Common parameters"), nullptr,
                   QStringLiteral("://images/commonParam.png"), true);
    addSectionItem(nullptr, netParamItem, tr("Network parameters"), nullptr, QStringLiteral("://images/net_param.png"),
                   true);
    addSectionItem(nullptr, sgItem, tr("Signal groups"), &MainWindow::update_sg_branch,
                   QStringLiteral("://images/sg.png"), false, ZUSignalGroup::staticMetaObject.className());
    addSectionItem(nullptr, stagesItem, tr("Stages"), &MainWindow::update_stages_branch,
                   QStringLiteral("://images/stages.png"), false, ZUStage::staticMetaObject.className());
    addSectionItem(nullptr, matrixItem, tr("Conflict matrix"), nullptr, QStringLiteral("://images/matrix.png"), true);
    addSectionItem(nullptr, detectorsItem, tr("Detectors"), &MainWindow::update_detectors_branch,
                   QStringLiteral("://images/detectors.png"), false, ZUDetector::staticMetaObject.className());
    addSectionItem(nullptr, plansItem, tr("Signal plans"), &MainWindow::update_plans_branch,
                   QStringLiteral("://images/signalplan.png"), false, ZUSignalPlan::staticMetaObject.className());
    addSectionItem(nullptr, schedulerItem, tr("Scheduler"), nullptr, QStringLiteral("://images/x-office-calendar.svg"),
                   true);
    addSectionItem(schedulerItem, dayPlansItem, tr("Daily plans"), &MainWindow::update_day_plans_branch, QString(),
                   false, ZUDayPlan::staticMetaObject.className());
    addSectionItem(schedulerItem, weekPlansItem, tr("Week plans"), &MainWindow::update_week_plans_branch, QString(),
                   false, ZUWeekPlan::staticMetaObject.className());
    addSectionItem(schedulerItem, extraPeriodsItem, tr("Extra periods"), &MainWindow::update_extra_periods_branch,
                   QString(), false, ZUExtraPeriod::staticMetaObject.className());
    addSectionItem(schedulerItem, extraDaysItem, tr("Extra days"), &MainWindow::update_extra_days_branch, QString(),
                   false, ZUExtraDay::staticMetaObject.className());
    addSectionItem(nullptr, switchesItem, tr("Power switches"), &MainWindow::update_sw_branch,
                   QStringLiteral("://images/power_part.png"), false, ZUSwitch::staticMetaObject.className());
    addSectionItem(nullptr, countdownItem, tr("Countdown timers"), nullptr, QStringLiteral("://images/tablo.png"),
                   true);
    addSectionItem(nullptr, ioItem, tr("Inputs/Outputs"), nullptr, QStringLiteral("://images/inputs_outputs.png"),
                   true);
    for (int index = 0; index < m_configuration->dios().size(); ++index) {
        QTreeWidgetItem *dio = nullptr;
        addSectionItem(ioItem, dio, tr("DIO%1").arg(index + 1), nullptr, QString(), true);
        dioItems.append(dio);
    }
    addSectionItem(nullptr, rcpItem, tr("RCP"), nullptr, QStringLiteral("://images/vpu2.png"), true);
    addSectionItem(nullptr, csItem, tr("Control sources"), &MainWindow::update_cs_branch,
                   QStringLiteral("://images/cs.png"), false, ZUControlSource::staticMetaObject.className());
    addSectionItem(nullptr, kmpItem, tr("Composite device"), &MainWindow::update_kmp_branch,
                   QStringLiteral("://images/pcb.png"), false, ZUKMPDevice::staticMetaObject.className());
    addSectionItem(nullptr, recoveryItem, tr("Error processing"), nullptr, QStringLiteral("://images/debug.png"),
                   true);
}

void MainWindow::on_configuration_objectAdded(ZUBaseObject *object, int pos)
{
    if (!object)
        return;
    const char *className = object->metaObject()->className();
    // Looked up without a copy of the name: a file announces each of its objects.
    if (QTreeWidgetItem *branch = branchItems.value(QByteArray::fromRawData(className, int(qstrlen(className))))) {
        auto *item = new QTreeWidgetItem;
        auto *group = qobject_cast<ZUSignalGroup *>(object);
        item->setText(0, object->text(group ? signalGroupSuffix(group) : QString()));
        itemObjects.insert(item, object);
        objectItems.insert(object, item);
        auto pending = m_pendingItems.find(branch);
        const int held = pending == m_pendingItems.end() ? 0 : pending->size();
        if (m_configuration->loading() && pos == branch->childCount() + held) {
            if (pending == m_pendingItems.end())
                pending = m_pendingItems.insert(branch, {});
            pending->append(item);
        } else {
            if (held > 0)
                insertPendingItems(branch);
            // A position the branch cannot have puts the item at the end rather than losing it.
            branch->insertChild(pos >= 0 && pos <= branch->childCount() ? pos : branch->childCount(), item);
        }
    }
    configuration_changed(className);
}

void MainWindow::on_configuration_objectDestroyed(ZUBaseObject *object)
{
    if (!object)
        return;
    if (QTreeWidgetItem *item = objectItems.take(object)) {
        itemObjects.remove(item);
        for (QList<QTreeWidgetItem *> &pending : m_pendingItems) {
            if (pending.removeOne(item))
                break;
        }
        delete item;
    }
    // Without its control source the remote control panel is not in use, and neither
    // are its devices on the KMP bus.
    auto *source = qobject_cast<ZUControlSource *>(object);
    if (source && source->type() == zu::remoteControlPanel) {
        m_configuration->vpu()->setType(zu::NotSet);
        const QList<QPointer<ZUKMPDevice>> devices = m_configuration->kmp1()->devices();
        for (const QPointer<ZUKMPDevice> &device : devices) {
            if (device && device->device() == zu::KMPDevice::VPU1)
                device->deleteLater();
        }
    }
    configuration_changed(object->metaObject()->className());
}

void MainWindow::update_sg_branch()
{
    updateItemTexts(objectItems, m_configuration->signalGroups(), signalGroupSuffix);
}

void MainWindow::update_stages_branch()
{
    updateItemTexts(objectItems, m_configuration->stages());
}

void MainWindow::update_detectors_branch()
{
    updateItemTexts(objectItems, m_configuration->detectors());
}

void MainWindow::update_plans_branch()
{
    updateItemTexts(objectItems, m_configuration->signalPlans());
}

void MainWindow::update_day_plans_branch()
{
    updateItemTexts(objectItems, m_configuration->dayPlans());
}

void MainWindow::update_week_plans_branch()
{
    updateItemTexts(objectItems, m_configuration->weekPlans());
}

void MainWindow::update_extra_periods_branch()
{
    updateItemTexts(objectItems, m_configuration->extraPeriods());
}

void MainWindow::update_extra_days_branch()
{
    updateItemTexts(objectItems, m_configuration->extraDays());
}

void MainWindow::update_cs_branch()
{
    updateItemTexts(objectItems, m_configuration->controlSources());
}

void MainWindow::update_kmp_branch()
{
    updateItemTexts(objectItems, m_configuration->kmp1()->devices());
}

void MainWindow::update_sw_branch()
{
    // "[c]" for load control, then the driven group in braces.
    updateItemTexts(objectItems, m_configuration->switches(), [](ZUSwitch *sw) {
        QString suffix = sw->control() ? tr("[c]") : QString();
        if (const QPointer<ZUSignalGroup> group = sw->signalGroup()) {
            if (!suffix.isEmpty())
                suffix += QLatin1Char(' ');
            suffix += QLatin1Char('{') + group->text() + QLatin1Char('}');
        }
        return suffix;
    });
    for (const QPointer<ZUSwitch> &sw : m_configuration->switches()) {
        if (QTreeWidgetItem *item = sw ? objectItems.value(sw.data()) : nullptr)
            item->setIcon(0, m_lampIcons.icon(sw->color()));
    }
}

QToolButton *MainWindow::stripButton(QTreeWidgetItem *item, const QString &name) const
{
    QWidget *strip = item ? ui->section_list->itemWidget(item, 1) : nullptr;
    return strip ? strip->findChild<QToolButton *>(name) : nullptr;
}

void MainWindow::createItemToolStrip(QTreeWidgetItem *item)
{
    if (!item || pageSectionItems.contains(item))
        return;
    QTreeWidget *tree = ui->section_list;
    QWidget *strip = tree->itemWidget(item, 1);
    if (!strip) {
        strip = new QWidget(tree);
        strip->setAutoFillBackground(false);
        const int height = tree->visualItemRect(item).height();
        if (height > 0)
            strip->setMaximumHeight(height);
        auto *layout = new QHBoxLayout(strip);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addStretch();
    }
    // Each button is made once, in layout order, and found again by its name.
    auto ensure = [this, strip](const StripButton &spec, void (MainWindow::*slot)()) {
        QToolButton *button = strip->findChild<QToolButton *>(QLatin1String(spec.name));
        if (!button) {
            button = new QToolButton(strip);
            button->setObjectName(QLatin1String(spec.name));
            button->setText(QLatin1String(spec.name));
            button->setIcon(QIcon(QLatin1String(spec.icon)));
            button->setToolTip(tr(spec.toolTip));
            button->setAutoRaise(true);
            connect(button, &QToolButton::clicked, this, slot);
            strip->layout()->addWidget(button);
        }
        return button;
    };
    ensure(addButton, &MainWindow::treeItem_add);
    if (!tree->itemWidget(item, 1))
        tree->setItemWidget(item, 1, strip);

    QTreeWidgetItem *parent = item->parent();
    if (!parent || pageSectionItems.contains(parent))
        return;
    ensure(removeButton, &MainWindow::treeItem_remove);
    const int count = parent->childCount();
    if (count < 2)
        return;
    int smallest = -1;
    int largest = count;
    bool any = false;
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    for (QTreeWidgetItem *other : selected) {
        if (other->parent() != parent)
            continue;
        const int row = parent->indexOfChild(other);
        smallest = any ? qMin(smallest, row) : row;
        largest = any ? qMax(largest, row) : row;
        any = true;
    }
    for (const StripButton &spec : moveButtons) {
        const bool towardsTop = qstrcmp(spec.name, "up") == 0 || qstrcmp(spec.name, "top") == 0;
        ensure(spec, &MainWindow::treeItem_move)->setEnabled(towardsTop ? smallest > 0 : largest < count - 1);
    }
}

void MainWindow::setButtonsForCurrentItem()
{
    createItemToolStrip(ui->section_list->currentItem());
}

void MainWindow::on_section_list_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (current == previous)
        return;
    createItemToolStrip(current);
    // The click that changed the current item may come from a button of that strip:
    // the view deletes the strip later, not under the button's feet.
    if (previous && ui->section_list->itemWidget(previous, 1))
        ui->section_list->removeItemWidget(previous, 1);
}

void MainWindow::on_section_list_expanded(const QModelIndex &index)
{
    if (index.column() == 0)
        ui->section_list->resizeColumnToContents(0);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->section_list || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Insert:
        treeItem_add();
        return true;
    case Qt::Key_Delete:
        treeItem_remove();
        return true;
    default:
        break;
    }
    if (!(key->modifiers() & Qt::ControlModifier))
        return QMainWindow::eventFilter(watched, event);
    QString name;
    switch (key->key()) {
    case Qt::Key_Home:
        name = QStringLiteral("top");
        break;
    case Qt::Key_End:
        name = QStringLiteral("bottom");
        break;
    case Qt::Key_Up:
        name = QStringLiteral("up");
        break;
    case Qt::Key_Down:
        name = QStringLiteral("down");
        break;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
    // A disabled button does nothing, but the key is still taken from the tree.
    if (QToolButton *button = stripButton(ui->section_list->currentItem(), name)) {
        button->click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::treeItem_add()
{
    ZUConfiguration *c = m_configuration;
    ZUKMP1 *bus = c->kmp1();
    using Prefixes::prefix;
    // One appender per kind, in the kinds' order.
    std::vector<std::unique_ptr<ItemAppenderInterface>> appenders;
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUSignalGroup>(
        c, sgItem, &c->signalGroups(), prefix(Prefixes::SignalGroup), &ZUConfiguration::insertSignalGroup));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUStage>(
        c, stagesItem, &c->stages(), prefix(Prefixes::Stage), &ZUConfiguration::insertStage));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUDetector>(
        c, detectorsItem, &c->detectors(), prefix(Prefixes::Detector), &ZUConfiguration::insertDetector));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUSignalPlan>(
        c, plansItem, &c->signalPlans(), prefix(Prefixes::SignalPlan), &ZUConfiguration::insertSignalPlan));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUDayPlan>(
        c, dayPlansItem, &c->dayPlans(), prefix(Prefixes::DayPlan), &ZUConfiguration::insertDayPlan));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUWeekPlan>(
        c, weekPlansItem, &c->weekPlans(), prefix(Prefixes::WeekPlan), &ZUConfiguration::insertWeekPlan));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUExtraPeriod>(
        c, extraPeriodsItem, &c->extraPeriods(), prefix(Prefixes::ExtraPeriod), &ZUConfiguration::insertExtraPeriod));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUExtraDay>(
        c, extraDaysItem, &c->extraDays(), prefix(Prefixes::ExtraDay), &ZUConfiguration::insertExtraDay));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUControlSource>(
        c, csItem, &c->controlSources(), prefix(Prefixes::ControlSource), &ZUConfiguration::insertControlSource));
    appenders.emplace_back(new ItemAppender<ZUKMP1, ZUKMPDevice>(bus, kmpItem, &bus->devices(), QStringLiteral("kmp."),
                                                                 &ZUKMP1::insertDevice, 3));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUSwitch>(
        c, switchesItem, &c->switches(), prefix(Prefixes::Switch), &ZUConfiguration::insertSwitch, 0));

    // The selection by parent item; top-level items form the group of no parent.
    QMap<QTreeWidgetItem *, QList<QTreeWidgetItem *>> groups;
    const QList<QTreeWidgetItem *> selected = ui->section_list->selectedItems();
    for (QTreeWidgetItem *item : selected)
        groups[item->parent()].append(item);

    QObject *lastCreated = nullptr;
    QList<QTreeWidgetItem *> branches;
    for (auto group = groups.begin(); group != groups.end(); ++group) {
        QTreeWidgetItem *parent = group.key();
        QList<QTreeWidgetItem *> &items = group.value();
        if (parent) {
            std::sort(items.begin(), items.end(), [parent](QTreeWidgetItem *a, QTreeWidgetItem *b) {
                return parent->indexOfChild(a) < parent->indexOfChild(b);
            });
        }
        // Copies follow the last selected object of the group, one after the other.
        QObject *after = itemObjects.value(items.last());
        for (QTreeWidgetItem *item : qAsConst(items)) {
            QObject *object = itemObjects.value(item);
            for (const auto &appender : appenders) {
                QObject *created = appender->append(item, parent, object, after);
                if (!created)
                    continue;
                lastCreated = created;
                QTreeWidgetItem *branch = parent ? parent : item;
                if (!branches.contains(branch))
                    branches.append(branch);
                // A copy carries no priority: the smallest one no source uses.
                if (auto *source = qobject_cast<ZUControlSource *>(created))
                    source->setPriority(uniqueValue(c->controlSources(), &ZUControlSource::priority, 0));
                after = created;
            }
        }
    }
    for (QTreeWidgetItem *branch : qAsConst(branches)) {
        if (const BranchUpdater updater = branchUpdaters.value(branch))
            (this->*updater)();
    }
    if (!lastCreated)
        return;
    if (QTreeWidgetItem *item = objectItems.value(static_cast<ZUBaseObject *>(lastCreated)))
        ui->section_list->setCurrentItem(item);
    configuration_changed();
}

void MainWindow::treeItem_remove()
{
    // One remover per kind, in the kinds' order: the order of the text and of deletion.
    std::vector<std::unique_ptr<ItemRemoverInerface>> removers;
    removers.emplace_back(new ItemRemover<ZUSignalGroup>(sgItem));
    removers.emplace_back(new ItemRemover<ZUStage>(stagesItem));
    removers.emplace_back(new ItemRemover<ZUDetector>(detectorsItem));
    removers.emplace_back(new ItemRemover<ZUSignalPlan>(plansItem));
    removers.emplace_back(new ItemRemover<ZUDayPlan>(dayPlansItem));
    removers.emplace_back(new ItemRemover<ZUWeekPlan>(weekPlansItem));
    removers.emplace_back(new ItemRemover<ZUExtraPeriod>(extraPeriodsItem));
    removers.emplace_back(new ItemRemover<ZUExtraDay>(extraDaysItem));
    removers.emplace_back(new ItemRemover<ZUControlSource>(csItem));
    removers.emplace_back(new ItemRemover<ZUKMPDevice>(kmpItem, tr("KMP devices")));
    removers.emplace_back(new ItemRemover<ZUSwitch>(switchesItem));

    const QList<QTreeWidgetItem *> selected = ui->section_list->selectedItems();
    for (QTreeWidgetItem *item : selected) {
        ZUBaseObject *object = itemObjects.value(item);
        for (const auto &remover : removers)
            remover->collect(item->parent(), object);
    }
    QString text;
    for (const auto &remover : removers)
        remover->appendDescription(text);
    if (text.isEmpty())
        return;
    if (ask(QMessageBox::Question, tr("Delete items"), text, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    for (const auto &remover : removers) {
        if (!remover->deleteObjects())
            continue;
        if (const BranchUpdater updater = branchUpdaters.value(remover->branchItem()))
            (this->*updater)();
    }
    configuration_changed();
}

void MainWindow::treeItem_move()
{
    auto *button = qobject_cast<QToolButton *>(sender());
    if (!button)
        return;
    ZUConfiguration *c = m_configuration;
    ZUKMP1 *bus = c->kmp1();
    std::vector<std::unique_ptr<ItemMoverInterface>> movers;
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUSignalGroup>(&c->signalGroups(), sgItem, c,
                                                                      &ZUConfiguration::moveSignalGroup));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUStage>(&c->stages(), stagesItem, c, &ZUConfiguration::moveStage));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUDetector>(&c->detectors(), detectorsItem, c,
                                                                   &ZUConfiguration::moveDetector));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUSignalPlan>(&c->signalPlans(), plansItem, c,
                                                                     &ZUConfiguration::moveSignalPlan));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUDayPlan>(&c->dayPlans(), dayPlansItem, c,
                                                                  &ZUConfiguration::moveDayPlan));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUWeekPlan>(&c->weekPlans(), weekPlansItem, c,
                                                                   &ZUConfiguration::moveWeekPlan));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUExtraPeriod>(&c->extraPeriods(), extraPeriodsItem, c,
                                                                      &ZUConfiguration::moveExtraPeriod));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUExtraDay>(&c->extraDays(), extraDaysItem, c,
                                                                   &ZUConfiguration::moveExtraDay));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUControlSource>(&c->controlSources(), csItem, c,
                                                                        &ZUConfiguration::moveControlSource));
    movers.emplace_back(new ItemMover<ZUKMP1, ZUKMPDevice>(&bus->devices(), kmpItem, bus, &ZUKMP1::move));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUSwitch>(&c->switches(), switchesItem, c,
                                                                 &ZUConfiguration::moveSwitch));

    QTreeWidget *tree = ui->section_list;
    QTreeWidgetItem *current = tree->currentItem();
    QTreeWidgetItem *currentParent = current ? current->parent() : nullptr;
    // Only the current item's siblings move.
    QList<QTreeWidgetItem *> moved;
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    for (QTreeWidgetItem *item : selected) {
        if (currentParent && item->parent() != currentParent)
            continue;
        moved.append(item);
        ZUBaseObject *object = itemObjects.value(item);
        for (const auto &mover : movers)
            mover->collect(item->parent(), object);
    }
    {
        // Rows moving and the selection rebuilt are no selection change: the open page stays.
        const QSignalBlocker blocker(tree);
        const QString direction = button->objectName();
        for (const auto &mover : movers)
            mover->move(direction);
        if (current) {
            tree->setCurrentItem(current);
            createItemToolStrip(current);
        }
        for (QTreeWidgetItem *item : qAsConst(moved))
            item->setSelected(true);
    }
    configuration_changed();
}
