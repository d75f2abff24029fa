#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "crashsaverecord.h"
#include "docktabbars.h"
#include "maintenancetool.h"
#include "mainwindowhelpers.h"
#include "outputstable.h"
#include "phasestable.h"
#include "programstable.h"

#include "cnf/cnfcontroller.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/tablecells.h"
#include "halm58ga/colorsettingsdlga.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <memory>

using namespace MainWindowHelpers;

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(nullptr)
    , project(this)
{
    // Messages of the form's set-up go to the log: ui stays null until it is built.
    auto *form = new Ui::MainWindow;
    form->setupUi(this);
    ui = form;
    connect(ui->actionSumo, &QAction::triggered, this, &MainWindow::runExportDialog);
    connect(ui->actionExit, &QAction::triggered, this, &QWidget::close);

    auto settings = openSettings();
    ui->tileview->setZoom(17);

    createStyleMenu(settings->value(QStringLiteral("style")).toString());

    auto *clearMessages = new QAction(tr("Clear"), ui->messageTable);
    connect(clearMessages, &QAction::triggered, this, &MainWindow::clearMessageTable);
    ui->messageTable->addAction(clearMessages);

    createRecentFileEntries();
    readRecentFiles();

    // The update check is offered only where the maintenance tool is installed.
    ui->actionCheck_for_update->setChecked(
        settings->value(QStringLiteral("checkForUpdate"), 1).toInt() != 0);
    const bool updateToolInstalled = MaintenanceTool::exists();
    ui->actionCheck_for_update->setVisible(updateToolInstalled);
    if (updateToolInstalled && ui->actionCheck_for_update->isChecked())
        on_actionCheck_for_update_triggered(true);

    createTableActions();

    noDocument = true;
    project.setChanged(false);
    updateWindowTitle();
    ui->actionSave->setEnabled(false);

    scrollDockContents();
    new DockTabBars(this);
    const bool geometryRestored
        = restoreGeometry(settings->value(QStringLiteral("geometry")).toByteArray());
    const bool stateRestored = restoreState(settings->value(QStringLiteral("state")).toByteArray());
    if (!geometryRestored || !stateRestored)
        arrangeDocks();

    settings->beginGroup(QStringLiteral("scene"));
    ui->tileview->centerOn(settings->value(QStringLiteral("x"), 30.3276).toDouble(),
                           settings->value(QStringLiteral("y"), 60.0034).toDouble());
    ui->tileview->setZoom(settings->value(QStringLiteral("z"), 16.0).toDouble());
    ui->tileview->setOpacity(settings->value(QStringLiteral("opacity"), 1.0).toDouble());
    // The smoothing slot runs once the event loop runs, as a user's click would.
    if (settings->value(QStringLiteral("smooth"), false).toBool() != ui->actionSmooth->isChecked())
        QMetaObject::invokeMethod(ui->actionSmooth, "trigger", Qt::QueuedConnection);
    settings->endGroup();

    settings->beginGroup(QStringLiteral("NewDevice"));
    ui->dev_name_prefix->setText(
        settings->value(QStringLiteral("dev_name_prefix"), QStringLiteral("K")).toString());
    ui->auto_assign_key_data_by_id->setChecked(
        settings->value(QStringLiteral("auto_assign_key_data_by_id"), true).toBool());
    settings->endGroup();

    {
        const QSignalBlocker blocker(ui->actionExpert_mode);
        ui->actionExpert_mode->setChecked(
            settings->value(QStringLiteral("expert_mode"), false).toBool());
    }

    ui->tileview->loadMapsSettings();

    // The colour dialog loads the network colours once, before anything is drawn.
    auto colours = std::make_unique<Halm58ga::ColorSettingsDlga>(this);
    closeDocument();
}

MainWindow::~MainWindow()
{
    if (MaintenanceTool::exists() && ui->actionCheck_for_update->isVisible())
        openSettings()->setValue(QStringLiteral("checkForUpdate"),
                                 ui->actionCheck_for_update->isChecked() ? 1 : 0);
    delete netEdit;
    netEdit = nullptr;
    delete ui;
    ui = nullptr;
}

bool MainWindow::recoverCrashSave()
{
    const QString copy = CrashSaveRecord::existingCopy();
    if (copy.isEmpty())
        return false;
    const bool recover = QMessageBox::question(
                             this, tr("Recover"),
                             tr("Previous completion of the program was incorrect. Recover data?"),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
        == QMessageBox::Yes;
    if (recover) {
        loadDocument(copy);
        // A copy that cannot be loaded leaves the window without document.
        if (noDocument || !project.lastError().isEmpty()) {
            closeDocument();
        } else {
            setChanged(true);
            // The copy is deleted below: a document that had no file of its own
            // gets none, so that Save asks where to write it.
            const QString edited = CrashSaveRecord::takeEditedFile();
            project.setFileName(QFileInfo::exists(edited) ? edited : QString());
            updateWindowTitle();
        }
    }
    CrashSaveRecord::discardCopy(copy);
    return recover;
}

void MainWindow::crashSave()
{
    // Runs inside the fatal-signal handler: no event loop, nothing shown.
    if (!project.isChanged())
        return;
    const QString copy
        = CrashSaveRecord::copyPath(project.fileName(), QCoreApplication::applicationPid());
    CrashSaveRecord::recordCopy(copy, project.fileName(), this);
    project.saveAsConverted(copy);
}

// ---------------------------------------------------------------------------
// Frame

void MainWindow::createStyleMenu(const QString &storedStyle)
{
    const QString current = QString::fromLatin1(QApplication::style()->metaObject()->className());
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    const QStringList keys = QStyleFactory::keys();
    for (const QString &key : keys) {
        QAction *entry = ui->menuStyle->addAction(key);
        entry->setCheckable(true);
        group->addAction(entry);
        std::unique_ptr<QStyle> style(QStyleFactory::create(key));
        const QString className
            = style ? QString::fromLatin1(style->metaObject()->className()) : QString();
        if (!storedStyle.isEmpty() && storedStyle == className) {
            QApplication::setStyle(style.release());
            entry->setChecked(true);
        } else if (storedStyle.isEmpty() && className == current) {
            entry->setChecked(true);
        }
    }
    connect(group, &QActionGroup::triggered, this, &MainWindow::setStyle);
}

void MainWindow::setStyle(QAction *action)
{
    if (!action)
        return;
    QApplication::setStyle(action->text());
    auto settings = openSettings();
    settings->setValue(QStringLiteral("style"),
                       QString::fromLatin1(QApplication::style()->metaObject()->className()));
}

void MainWindow::createTableActions()
{
    struct Entry
    {
        QWidget *table;
        const char *objectName;
        QString text;
        QKeySequence key;
        bool sortIcon;
        void (MainWindow::*slot)();
    };
    const QKeySequence insert(Qt::Key_Insert), remove(Qt::Key_Delete),
        duplicate(Qt::CTRL | Qt::Key_D), none;
    // A form action placed on a table answers its Insert key only while the
    // table itself has the focus.
    const auto placeFormAction = [](QWidget *table, QAction *action) {
        action->setShortcut(QKeySequence(Qt::Key_Insert));
        action->setShortcutContext(Qt::WidgetShortcut);
        table->addAction(action);
    };
    const auto add = [this](const Entry &entry) {
        auto *action = new QAction(entry.text, entry.table);
        action->setObjectName(QLatin1String(entry.objectName));
        action->setShortcut(entry.key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        if (entry.sortIcon)
            action->setIcon(QIcon(QStringLiteral(":/images/sort.png")));
        connect(action, &QAction::triggered, this, entry.slot);
        entry.table->addAction(action);
    };

    add({ ui->powerPartTree, "powerPartDelete", tr("Remove"), remove, false,
          &MainWindow::powerPartDeleteItems });
    add({ ui->powerPartTree, "powerPartDuplicateItems", tr("Duplicate"), duplicate, false,
          &MainWindow::powerPartDuplicateItems });
    add({ ui->powerPartTree, "sortDeviceItems", tr("Sort"), none, true,
          &MainWindow::sortPowerPartTable });
    placeFormAction(ui->powerPartTree, ui->powerPartAdd);

    add({ ui->sgTable, "sgDelete", tr("Remove"), remove, false, &MainWindow::sgDeleteItems });
    add({ ui->sgTable, "sgDuplicateItems", tr("Duplicate"), duplicate, false,
          &MainWindow::sgDuplicateItems });
    placeFormAction(ui->sgTable, ui->sgAdd);
    add({ ui->sgTable, "sortSgItems", tr("Sort"), none, true, &MainWindow::sortSgTable });

    add({ ui->phasesTable, "phaseDelete", tr("Remove"), remove, false,
          &MainWindow::phaseDeleteItems });
    placeFormAction(ui->phasesTable, ui->phaseAdd);
    add({ ui->phasesTable, "sortPhaseItems", tr("Sort"), none, true,
          &MainWindow::sortPhasesTable });

    add({ ui->progTable, "progAdd", tr("Add"), insert, false,
          &MainWindow::on_actionAddProgram_triggered });
    add({ ui->progTable, "progDelete", tr("Remove"), remove, false,
          &MainWindow::programsDeleteItems });
    add({ ui->progTable, "programDuplicateItems", tr("Duplicate"), duplicate, false,
          &MainWindow::programDuplicateItems });
    add({ ui->progTable, "sortProgItems", tr("Sort"), none, true, &MainWindow::sortProgramsTable });

    add({ ui->matricesTable, "matrixAdd", tr("Add"), insert, false, &MainWindow::matrixAdd });
    add({ ui->matricesTable, "matrixDelete", tr("Remove"), remove, false,
          &MainWindow::matricesDeleteItems });

    add({ ui->detectorsTable, "dtAdd", tr("Add"), insert, false, &MainWindow::detectorsAdd });
    add({ ui->detectorsTable, "dtDelete", tr("Remove"), remove, false,
          &MainWindow::detectorsDeleteItems });
    add({ ui->detectorsTable, "sortDtItems", tr("Sort"), none, true, &MainWindow::sortDtTable });

    add({ ui->sensorsTable, "sensAdd", tr("Add"), insert, false, &MainWindow::sensorsAdd });
    add({ ui->sensorsTable, "sensDelete", tr("Remove"), remove, false,
          &MainWindow::sensorsDeleteItems });
    add({ ui->sensorsTable, "sortSensItems", tr("Sort"), none, true, &MainWindow::sortSensTable });

    add({ ui->outputsTable, "outAdd", tr("Add"), insert, false, &MainWindow::outputsAdd });
    add({ ui->outputsTable, "outDelete", tr("Remove"), remove, false,
          &MainWindow::outputsDeleteItems });
    // The outputs' sort entry shares its object name with the detectors' one.
    add({ ui->outputsTable, "sortDtItems", tr("Sort"), none, true, &MainWindow::sortOutputsTable });

    // The element tables offer none of the built-in cell editing of the parameter table.
    for (QWidget *table :
         { static_cast<QWidget *>(ui->sgTable), static_cast<QWidget *>(ui->phasesTable),
           static_cast<QWidget *>(ui->progTable) })
        removeActionByName(table, "clear");
    for (QWidget *table :
         { static_cast<QWidget *>(ui->matricesTable), static_cast<QWidget *>(ui->detectorsTable),
           static_cast<QWidget *>(ui->sensorsTable), static_cast<QWidget *>(ui->outputsTable) }) {
        for (const char *name : { "clear", "copy", "copy_all", "paste" })
            removeActionByName(table, name);
    }

    connect(ui->powerPartTree, &QTreeWidget::itemDoubleClicked, this,
            &MainWindow::powerPartItemProperties);
    // The state column is as wide as its texts ("Assigned SG 1(...)"), not what is
    // left of the dock's width; the keys of a closed module count too.
    ui->powerPartTree->header()->setStretchLastSection(false);
    connect(ui->sgTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::sgItemProperties);
    connect(ui->phasesTable, &QTableWidget::itemDoubleClicked, this,
            &MainWindow::phaseItemProperties);
    connect(ui->progTable, &QTableWidget::itemDoubleClicked, this,
            &MainWindow::programsItemProperties);
    connect(ui->matricesTable, &QTableWidget::itemDoubleClicked, this,
            &MainWindow::matricesItemProperties);
    connect(ui->detectorsTable, &QTableWidget::itemDoubleClicked, this,
            &MainWindow::detectorsItemProperties);
    connect(ui->sensorsTable, &QTableWidget::itemDoubleClicked, this,
            &MainWindow::sensorsItemProperties);
    connect(ui->outputsTable, &QTableWidget::itemDoubleClicked, this,
            &MainWindow::outputsItemProperties);

    connect(ui->matricesTable, &QTableWidget::itemChanged, this, &MainWindow::matricesitemChanged);
    for (int column : { 2, 3 })
        ui->matricesTable->setItemDelegateForColumn(
            column, new CheckBoxDelegate(ui->matricesTable, true, false));
}

void MainWindow::scrollDockContents()
{
    // The docks beside the map stack up to more than a small screen's height once a
    // family shows its element docks: tables, buttons and forms would otherwise
    // claim their whole heights and push the window's bottom off the screen. A
    // dock's contents scroll instead when the window gives the dock less room.
    const QList<QDockWidget *> docks {
        ui->powerPartWnd,     ui->sgWnd,       ui->phasesWnd,    ui->progWnd,    ui->objectsTreeWnd,
        ui->netObjectPropWnd, ui->matricesWnd, ui->detectorsWnd, ui->outputsWnd,
    };
    for (QDockWidget *dock : docks) {
        QWidget *contents = dock->widget();
        auto *area = new QScrollArea(dock);
        area->setObjectName(contents->objectName() + QStringLiteral("Scroll"));
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setWidget(contents);
        dock->setWidget(area);
    }
}

void MainWindow::arrangeDocks()
{
    // The form's size is larger than a small screen: the first start fits it.
    if (const QScreen *shownOn = screen())
        resize(size().boundedTo(shownOn->availableGeometry().size()));
    // Six docks in one group would hide most of their titles behind the tab bar's
    // scroll arrows. The configuration's four stay on the left in two groups, one
    // above the other, and the network editor's two keep their own area on the
    // right, below the family's element docks: every title reads whole.
    const QList<QDockWidget *> upper { ui->powerPartWnd, ui->sgWnd };
    const QList<QDockWidget *> lower { ui->phasesWnd, ui->progWnd };
    const QList<QDockWidget *> editor { ui->objectsTreeWnd, ui->netObjectPropWnd };
    // Split before tabifying: a dock in a tab group takes a neighbour as a tab.
    splitDockWidget(ui->powerPartWnd, ui->phasesWnd, Qt::Vertical);
    tabifyDockWidget(ui->powerPartWnd, ui->sgWnd);
    tabifyDockWidget(ui->phasesWnd, ui->progWnd);
    addDockWidget(Qt::RightDockWidgetArea, ui->objectsTreeWnd, Qt::Vertical);
    tabifyDockWidget(ui->objectsTreeWnd, ui->netObjectPropWnd);
    // In front: the docks that show the document, the control programs among them.
    ui->powerPartWnd->raise();
    ui->progWnd->raise();
    ui->objectsTreeWnd->raise();
    // Most of the width stays with the map.
    const int left
        = std::max({ 300, DockTabBars::widthForTitles(upper), DockTabBars::widthForTitles(lower) });
    const int right = std::max(240, DockTabBars::widthForTitles(editor));
    resizeDocks({ ui->powerPartWnd, ui->objectsTreeWnd }, { left, right }, Qt::Horizontal);
    fitPowerPartDock = true;
    // The messages show their latest rows; the height goes to the docks beside the map.
    const int messageRows = 3;
    const int messages = 2 * fontMetrics().height()
        + ui->messageTable->horizontalHeader()->sizeHint().height()
        + messageRows * ui->messageTable->verticalHeader()->defaultSectionSize();
    resizeDocks({ ui->msgWnd }, { messages }, Qt::Vertical);
}

bool MainWindow::closeDocument()
{
    if (!project.maybeSave()) {
        if (!project.lastError().isEmpty())
            printError(project.lastError());
        return false;
    }
    noDocument = true;
    if (netEdit)
        netEdit->clear();
    ui->powerPartTree->clear();
    for (QTableWidget *table :
         { static_cast<QTableWidget *>(ui->sgTable), static_cast<QTableWidget *>(ui->phasesTable),
           static_cast<QTableWidget *>(ui->progTable),
           static_cast<QTableWidget *>(ui->matricesTable),
           static_cast<QTableWidget *>(ui->detectorsTable),
           static_cast<QTableWidget *>(ui->sensorsTable),
           static_cast<QTableWidget *>(ui->outputsTable) })
        table->setRowCount(0);
    updateActions();
    return true;
}

void MainWindow::on_actionClose_triggered()
{
    closeDocument();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!closeDocument()) {
        event->ignore();
        return;
    }
    writeRecentFiles();
    auto settings = openSettings();
    settings->setValue(QStringLiteral("geometry"), saveGeometry());
    settings->setValue(QStringLiteral("state"), saveState(0));

    settings->beginGroup(QStringLiteral("scene"));
    const QPointF centre = ui->tileview->mapToScene(ui->tileview->viewport()->rect().center());
    settings->setValue(QStringLiteral("x"), centre.x());
    settings->setValue(QStringLiteral("y"), centre.y());
    settings->setValue(QStringLiteral("z"), ui->tileview->zoomF());
    settings->setValue(QStringLiteral("opacity"), ui->tileview->opacity());
    settings->setValue(QStringLiteral("smooth"),
                       ui->tileview->renderHints().testFlag(QPainter::Antialiasing));
    settings->endGroup();

    settings->beginGroup(QStringLiteral("NewDevice"));
    settings->setValue(QStringLiteral("dev_name_prefix"), ui->dev_name_prefix->text());
    settings->setValue(QStringLiteral("auto_assign_key_data_by_id"),
                       ui->auto_assign_key_data_by_id->isChecked());
    settings->endGroup();

    if (auto *network = qobject_cast<Halm58ga::Networkg *>(project.network())) {
        settings->beginGroup(QStringLiteral("NetLayers"));
        // The layers are the scene's top-level drawing objects of the editor library.
        const auto items = network->scene()->items();
        for (const QGraphicsItem *item : items) {
            const QGraphicsObject *layer = item->parentItem() ? nullptr : item->toGraphicsObject();
            if (layer && layer->inherits("Halm58ga::Layer"))
                settings->setValue(layer->objectName(), layer->isVisible());
        }
        settings->endGroup();
    }

    settings->sync();
    ui->tileview->saveMapsSettings();
    event->accept();
}

void MainWindow::setChanged(bool changed)
{
    project.setChanged(changed);
    updateWindowTitle();
    ui->actionSave->setEnabled(changed);
}

void MainWindow::on_actionExpert_mode_triggered(bool checked)
{
    auto settings = openSettings();
    settings->setValue(QStringLiteral("expert_mode"), checked);
}

void MainWindow::debugAction() { }

void MainWindow::updateActions()
{
    const bool open = !noDocument;
    const bool tiverk = project.isTiverk();
    const bool adapter = project.isAdapter();
    const bool tiverkII = project.isTiverkII();
    const bool zuMolt = project.isZuMolt();
    const bool signalModule = project.hasSignalModule();
    const bool changed = project.isChanged();
    const CnfController &controller = project.controller();
    const QString version = controller.property("version").toString();

    // The menus that need a document; the style menu inside "View" stays usable.
    const QList<QMenu *> menus = { ui->menuEquipment, ui->menuWorkLogic, ui->menuView,
                                   ui->menuActions,   ui->menuSpecial,   ui->menuExport };
    const QList<QMenu *> exceptions = { ui->menuStyle };
    for (int i = menus.size() - 1; i >= 0; --i) {
        QMenu *menu = menus.at(i);
        const auto actions = menu->actions();
        for (QAction *action : actions) {
            if (!exceptions.contains(qobject_cast<QMenu *>(action->parent())))
                action->setEnabled(open);
        }
        bool keepEnabled = false;
        for (QMenu *exception : exceptions) {
            for (QObject *up = exception->parent(); up; up = up->parent()) {
                if (up == menu) {
                    keepEnabled = true;
                    exception->setEnabled(true);
                    exception->menuAction()->setEnabled(true);
                    break;
                }
            }
        }
        menu->setEnabled(open || keepEnabled);
        menu->menuAction()->setEnabled(open || keepEnabled);
    }

    if (netEdit) {
        const auto actions = netEdit->dbActions();
        for (QAction *action : actions)
            action->setEnabled(open);
    }

    ui->actionSave->setEnabled(changed);
    for (QAction *action : { ui->actionSave_As, ui->actionClose, ui->actionImport_halm58 })
        action->setEnabled(open);
    for (QDockWidget *dock : { ui->powerPartWnd, ui->netObjectPropWnd, ui->objectsTreeWnd,
                               ui->sgWnd, ui->phasesWnd, ui->progWnd })
        dock->setEnabled(open);

    ui->actionInfoPart->setVisible(!tiverkII && !zuMolt);
    const QList<QDockWidget *> elementDocks { ui->matricesWnd, ui->detectorsWnd, ui->outputsWnd };
    QList<QDockWidget *> hiddenBefore;
    for (QDockWidget *dock : elementDocks) {
        if (dock->isHidden())
            hiddenBefore << dock;
    }
    ui->matricesWnd->setVisible(tiverkII);
    ui->sensorsTable->setVisible(tiverkII);
    ui->outputsWnd->setVisible(tiverkII);
    ui->dtModules->setVisible(tiverkII);
    ui->actionMake_consecutive_addresses->setVisible(tiverkII);
    ui->actionIndication->setVisible(tiverkII);
    ui->detectorsWnd->setVisible(tiverkII || zuMolt);
    // An element dock that appears asks for the height of its contents; where the
    // window has less room, its contents scroll.
    QList<QDockWidget *> appeared;
    QList<int> heights;
    for (QDockWidget *dock : hiddenBefore) {
        if (!dock->isHidden() && !dock->isFloating()) {
            appeared << dock;
            heights << dock->sizeHint().height();
        }
    }
    if (!appeared.isEmpty())
        resizeDocks(appeared, heights, Qt::Vertical);
    ui->powerPartWnd->setVisible(!adapter && !signalModule);
    ui->powerPartAdd->setVisible(!adapter && !signalModule);
    ui->sgWnd->setVisible(!adapter);
    for (QAction *action : { ui->sgAdd, ui->actionVPU, ui->actionAsud, ui->actionErrControl })
        action->setVisible(!adapter);
    ui->actionInterstates->setVisible(!adapter && !tiverkII && !zuMolt);
    ui->actionConflictMatrix->setVisible(!adapter && !tiverkII);
    ui->actionDtStat->setVisible(!adapter && !tiverkII && !zuMolt);
    ui->sg_defaults->setVisible(tiverkII || zuMolt);
    const bool version314 = version == QLatin1String("3.14");
    ui->actionTablo->setVisible(!adapter && !version314);
    ui->actionSynchronizer->setVisible(
        !version314 && controller.getNativeData(QStringLiteral("receiver")).toInt() != 0);

    if (tiverk && ui->actionAsud->isEnabled()) {
        const int asudd = controller.getNativeData(QStringLiteral("asudd_type")).toInt();
        ui->actionAsud->setEnabled(asudd != 0 && asudd != 255);
    }

    updateTitleLabel();

    // The name column means nothing for the first product line.
    const bool showNames = !tiverk && !adapter;
    ui->powerPartTree->setColumnHidden(1, !showNames);
    for (QTableWidget *table :
         { static_cast<QTableWidget *>(ui->sgTable), static_cast<QTableWidget *>(ui->phasesTable),
           static_cast<QTableWidget *>(ui->progTable) })
        table->setColumnHidden(1, !showNames);

    const bool byId = zuMolt || tiverkII;
    ui->powerPartTree->headerItem()->setText(0, byId ? tr("ID") : tr("Address"));
    ui->powerPartAdd->setText(byId ? tr("Add power channel") : tr("Add device"));
    ui->auto_assign_key_data_by_id->setVisible(byId);
    ui->label_2->setVisible(byId);
    ui->dev_name_prefix->setVisible(byId);

    project.setChanged(changed);
    updateWindowTitle();
    ui->actionSave->setEnabled(changed);
}

void MainWindow::updateTitleLabel()
{
    const CnfController &controller = project.controller();
    const QString number = controller.property("number").toString();
    const QString description = controller.property("description").toString();
    const QString version = controller.property("version").toString();
    QString label = number + QStringLiteral(" (") + description + QLatin1Char(')');
    if (label.endsWith(QLatin1String("()")) || label.startsWith(QLatin1String(" ("))) {
        label.remove(QLatin1Char('('));
        label.remove(QLatin1Char(')'));
    }
    QString family = controller.property("type").toString();
    if (!version.isEmpty())
        family += QLatin1Char(' ') + version;
    // Without number and description the family stands alone, not after a
    // separator that follows nothing.
    if (!family.isEmpty())
        label = label.trimmed().isEmpty() ? family : label + QStringLiteral(", ") + family;
    ui->titleLabel->setText(label);
}

void MainWindow::updateWindowTitle()
{
    QString title = tr("Program of configuration of road controllers");
    if (!project.fileName().isEmpty())
        title += QLatin1Char(' ') + project.fileName();
    if (project.isChanged())
        title += QLatin1Char('*');
    setWindowTitle(title);
}
