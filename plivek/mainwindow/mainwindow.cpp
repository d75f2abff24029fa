#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "commonparameters.h"
#include "crashsaverecord.h"
#include "detectorstable.h"
#include "dialogrunner.h"
#include "docktabbars.h"
#include "maintenancetool.h"
#include "matricestable.h"
#include "outputstable.h"
#include "phasestable.h"
#include "powerpart.h"
#include "programstable.h"
#include "programvalidation.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfinterstate.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "plivek/dialogs/controller/asudddlg.h"
#include "plivek/dialogs/controller/calendardlg.h"
#include "plivek/dialogs/controller/commonparametersdlg.h"
#include "plivek/dialogs/controller/countdowntabledlg.h"
#include "plivek/dialogs/controller/countdowntabletiverk2dlg.h"
#include "plivek/dialogs/controller/countdowntablezu_moltdlg.h"
#include "plivek/dialogs/controller/dtstatdlg.h"
#include "plivek/dialogs/controller/errorcontroldlg.h"
#include "plivek/dialogs/controller/indicationdlg.h"
#include "plivek/dialogs/controller/infopartparametersdlg.h"
#include "plivek/dialogs/controller/outputsdlg.h"
#include "plivek/dialogs/controller/synchronizerdlg.h"
#include "plivek/dialogs/controller/vpudlg.h"
#include "plivek/dialogs/elements/detectormodulesdlg.h"
#include "plivek/dialogs/elements/detectorsdlg.h"
#include "plivek/dialogs/elements/devicepropertiesdlg.h"
#include "plivek/dialogs/elements/interstatesdlg.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/dialogs/elements/phasedlg.h"
#include "plivek/dialogs/elements/sgdefaultsdlg.h"
#include "plivek/dialogs/elements/sgpropertiesdlg.h"
#include "plivek/programs/programdlg.h"
#include "plivek/programs/signalplans.h"
#include "plivek/programs/tiverk2/programtiverk2dlg.h"
#include "plivek/programs/zumolt/commonparameterszu_moltdlg.h"
#include "plivek/programs/zumolt/programdlgzu_molt.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/detector.h"
#include "halm58a/edge.h"
#include "halm58a/geoutil.h"
#include "halm58a/granule.h"
#include "halm58a/lane.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"
#include "halm58a/stopline.h"
#include "halm58ga/colorsettingsdlga.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"
#include "plivek/document/newdocumentdlg.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>

#include <cmath>
#include <memory>

namespace {

constexpr int RecentFileCount = 5;
// Graphics items of detectors on the map (the first user item type plus 4).
constexpr int DetectorItemType = QGraphicsItem::UserType + 4;

// The per-user settings of plivek; texts are stored as UTF-8.
std::unique_ptr<QSettings> openSettings()
{
    auto settings = std::make_unique<QSettings>();
    settings->setIniCodec("UTF-8");
    return settings;
}

QString withoutAmpersands(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// A path stored as UTF-8 bytes, or as text by older versions.
QString pathFromSetting(const QVariant &value)
{
    if (value.type() == QVariant::ByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

// "12 (Main road)", or only the id without a name.
QString groupLabel(int id, const QString &name)
{
    QString label = QString::number(id);
    if (!name.isEmpty())
        label += QStringLiteral(" (") + name + QLatin1Char(')');
    return label;
}

// The first (searching from the last) of the granule's signal groups drawn
// for the controller's group id.
Halm58a::SignalGroup *findNetworkGroup(const QList<Halm58a::SignalGroup *> &groups, int id)
{
    for (int i = groups.size() - 1; i >= 0; --i) {
        if (groups.at(i)->tlId() == id)
            return groups.at(i);
    }
    return nullptr;
}

// The column-0 items of the selected rows, each row once, in selection order;
// rows without one are left out.
QList<QTableWidgetItem *> idItemsOfSelectedRows(const QTableWidget *table)
{
    QList<QTableWidgetItem *> items;
    for (int row : selectedItemRows(table)) {
        if (QTableWidgetItem *item = table->item(row, 0))
            items << item;
    }
    return items;
}

// The selected items of column 0 (the ids), in selection order.
QList<QTableWidgetItem *> selectedIdItems(const QTableWidget *table)
{
    QList<QTableWidgetItem *> items;
    for (QTableWidgetItem *item : table->selectedItems()) {
        if (item->column() == 0)
            items << item;
    }
    return items;
}

// The column-0 item of the first selected item's row; null without a
// selection or when that row has none.
QTableWidgetItem *firstSelectedIdItem(const QTableWidget *table)
{
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    return selected.isEmpty() ? nullptr : table->item(selected.first()->row(), 0);
}

QStringList textsOf(const QList<QTableWidgetItem *> &items)
{
    QStringList texts;
    for (const QTableWidgetItem *item : items)
        texts << item->text();
    return texts;
}

// The question before a removal; true on Yes.
bool confirmRemoval(QWidget *parent, const QString &question)
{
    return QMessageBox::question(parent, QCoreApplication::translate("MainWindow", "Removing"), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
        == QMessageBox::Yes;
}

// The texts in column 0 of the table's selected rows, from the last selected to the first.
QStringList selectedIdsLastFirst(const QTableWidget *table)
{
    QStringList ids;
    const QList<int> rows = selectedItemRows(table);
    for (int i = rows.size() - 1; i >= 0; --i) {
        const QTableWidgetItem *item = table->item(rows.at(i), 0);
        ids << (item ? item->text() : QString());
    }
    return ids;
}

bool isExactly(const QObject *object, const QMetaObject &type)
{
    return object && qstrcmp(object->metaObject()->className(), type.className()) == 0;
}

// One row per element with its id and name; idAndName gives both of an element.
template<typename Element, typename IdAndName>
void fillIdsAndNames(QTableWidget *table, const QList<Element> &elements, IdAndName idAndName)
{
    table->setRowCount(elements.size());
    for (int row = 0; row < elements.size(); ++row) {
        const QPair<QVariant, QString> cells = idAndName(elements.at(row));
        setTableCellValue(table, row, 0, cells.first, true);
        setTableCellValue(table, row, 1, cells.second, true);
    }
}

} // namespace

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
    ui->actionCheck_for_update->setChecked(settings->value(QStringLiteral("checkForUpdate"), 1).toInt() != 0);
    const bool updateToolInstalled = MaintenanceTool::exists();
    ui->actionCheck_for_update->setVisible(updateToolInstalled);
    if (updateToolInstalled && ui->actionCheck_for_update->isChecked())
        on_actionCheck_for_update_triggered(true);

    createTableActions();

    noDocument = true;
    project.setChanged(false);
    updateWindowTitle();
    ui->actionSave->setEnabled(false);

    new DockTabBars(this);
    const bool geometryRestored = restoreGeometry(settings->value(QStringLiteral("geometry")).toByteArray());
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
    ui->dev_name_prefix->setText(settings->value(QStringLiteral("dev_name_prefix"), QStringLiteral("K")).toString());
    ui->auto_assign_key_data_by_id->setChecked(
        settings->value(QStringLiteral("auto_assign_key_data_by_id"), true).toBool());
    settings->endGroup();

    {
        const QSignalBlocker blocker(ui->actionExpert_mode);
        ui->actionExpert_mode->setChecked(settings->value(QStringLiteral("expert_mode"), false).toBool());
    }

    ui->tileview->loadMapsSettings();

    // The colour dialog loads the network colours once, before anything is drawn.
    auto colours = std::make_unique<Halm58ga::ColorSettingsDlga>(this);
    closeDocument();
}

MainWindow::~MainWindow()
{
    if (MaintenanceTool::exists() && ui->actionCheck_for_update->isVisible())
        openSettings()->setValue(QStringLiteral("checkForUpdate"), ui->actionCheck_for_update->isChecked() ? 1 : 0);
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
    const bool recover = QMessageBox::question(this, tr("Recover"),
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
    const QString copy = CrashSaveRecord::copyPath(project.fileName(), QCoreApplication::applicationPid());
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
        const QString className = style ? QString::fromLatin1(style->metaObject()->className()) : QString();
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
    struct Entry {
        QWidget *table;
        const char *objectName;
        QString text;
        QKeySequence key;
        bool sortIcon;
        void (MainWindow::*slot)();
    };
    const QKeySequence insert(Qt::Key_Insert), remove(Qt::Key_Delete), duplicate(Qt::CTRL | Qt::Key_D), none;
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

    add({ui->powerPartTree, "powerPartDelete", tr("Remove"), remove, false, &MainWindow::powerPartDeleteItems});
    add({ui->powerPartTree, "powerPartDuplicateItems", tr("Duplicate"), duplicate, false,
         &MainWindow::powerPartDuplicateItems});
    add({ui->powerPartTree, "sortDeviceItems", tr("Sort"), none, true, &MainWindow::sortPowerPartTable});
    placeFormAction(ui->powerPartTree, ui->powerPartAdd);

    add({ui->sgTable, "sgDelete", tr("Remove"), remove, false, &MainWindow::sgDeleteItems});
    add({ui->sgTable, "sgDuplicateItems", tr("Duplicate"), duplicate, false, &MainWindow::sgDuplicateItems});
    placeFormAction(ui->sgTable, ui->sgAdd);
    add({ui->sgTable, "sortSgItems", tr("Sort"), none, true, &MainWindow::sortSgTable});

    add({ui->phasesTable, "phaseDelete", tr("Remove"), remove, false, &MainWindow::phaseDeleteItems});
    placeFormAction(ui->phasesTable, ui->phaseAdd);
    add({ui->phasesTable, "sortPhaseItems", tr("Sort"), none, true, &MainWindow::sortPhasesTable});

    add({ui->progTable, "progAdd", tr("Add"), insert, false, &MainWindow::on_actionAddProgram_triggered});
    add({ui->progTable, "progDelete", tr("Remove"), remove, false, &MainWindow::programsDeleteItems});
    add({ui->progTable, "programDuplicateItems", tr("Duplicate"), duplicate, false,
         &MainWindow::programDuplicateItems});
    add({ui->progTable, "sortProgItems", tr("Sort"), none, true, &MainWindow::sortProgramsTable});

    add({ui->matricesTable, "matrixAdd", tr("Add"), insert, false, &MainWindow::matrixAdd});
    add({ui->matricesTable, "matrixDelete", tr("Remove"), remove, false, &MainWindow::matricesDeleteItems});

    add({ui->detectorsTable, "dtAdd", tr("Add"), insert, false, &MainWindow::detectorsAdd});
    add({ui->detectorsTable, "dtDelete", tr("Remove"), remove, false, &MainWindow::detectorsDeleteItems});
    add({ui->detectorsTable, "sortDtItems", tr("Sort"), none, true, &MainWindow::sortDtTable});

    add({ui->sensorsTable, "sensAdd", tr("Add"), insert, false, &MainWindow::sensorsAdd});
    add({ui->sensorsTable, "sensDelete", tr("Remove"), remove, false, &MainWindow::sensorsDeleteItems});
    add({ui->sensorsTable, "sortSensItems", tr("Sort"), none, true, &MainWindow::sortSensTable});

    add({ui->outputsTable, "outAdd", tr("Add"), insert, false, &MainWindow::outputsAdd});
    add({ui->outputsTable, "outDelete", tr("Remove"), remove, false, &MainWindow::outputsDeleteItems});
    // The outputs' sort entry shares its object name with the detectors' one.
    add({ui->outputsTable, "sortDtItems", tr("Sort"), none, true, &MainWindow::sortOutputsTable});

    // The element tables offer none of the built-in cell editing of the parameter table.
    for (QWidget *table : {static_cast<QWidget *>(ui->sgTable), static_cast<QWidget *>(ui->phasesTable),
                           static_cast<QWidget *>(ui->progTable)})
        removeActionByName(table, "clear");
    for (QWidget *table : {static_cast<QWidget *>(ui->matricesTable), static_cast<QWidget *>(ui->detectorsTable),
                           static_cast<QWidget *>(ui->sensorsTable), static_cast<QWidget *>(ui->outputsTable)}) {
        for (const char *name : {"clear", "copy", "copy_all", "paste"})
            removeActionByName(table, name);
    }

    connect(ui->powerPartTree, &QTreeWidget::itemDoubleClicked, this, &MainWindow::powerPartItemProperties);
    connect(ui->sgTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::sgItemProperties);
    connect(ui->phasesTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::phaseItemProperties);
    connect(ui->progTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::programsItemProperties);
    connect(ui->matricesTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::matricesItemProperties);
    connect(ui->detectorsTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::detectorsItemProperties);
    connect(ui->sensorsTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::sensorsItemProperties);
    connect(ui->outputsTable, &QTableWidget::itemDoubleClicked, this, &MainWindow::outputsItemProperties);

    connect(ui->matricesTable, &QTableWidget::itemChanged, this, &MainWindow::matricesitemChanged);
    for (int column : {2, 3})
        ui->matricesTable->setItemDelegateForColumn(column, new CheckBoxDelegate(ui->matricesTable, true, false));
}

void MainWindow::arrangeDocks()
{
    tabifyDockWidget(ui->powerPartWnd, ui->sgWnd);
    tabifyDockWidget(ui->sgWnd, ui->phasesWnd);
    tabifyDockWidget(ui->phasesWnd, ui->progWnd);
    tabifyDockWidget(ui->progWnd, ui->objectsTreeWnd);
    tabifyDockWidget(ui->objectsTreeWnd, ui->netObjectPropWnd);
    ui->powerPartWnd->raise();
    // Leave most of the width to the map.
    resizeDocks({ui->powerPartWnd, ui->matricesWnd}, {300, 240}, Qt::Horizontal);
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
    for (QTableWidget *table : {static_cast<QTableWidget *>(ui->sgTable), static_cast<QTableWidget *>(ui->phasesTable),
                                static_cast<QTableWidget *>(ui->progTable), static_cast<QTableWidget *>(ui->matricesTable),
                                static_cast<QTableWidget *>(ui->detectorsTable),
                                static_cast<QTableWidget *>(ui->sensorsTable),
                                static_cast<QTableWidget *>(ui->outputsTable)})
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
    settings->setValue(QStringLiteral("auto_assign_key_data_by_id"), ui->auto_assign_key_data_by_id->isChecked());
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

void MainWindow::debugAction()
{
}

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
    const QList<QMenu *> menus = {ui->menuEquipment, ui->menuWorkLogic, ui->menuView,
                                  ui->menuActions,   ui->menuSpecial,   ui->menuExport};
    const QList<QMenu *> exceptions = {ui->menuStyle};
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
    for (QAction *action : {ui->actionSave_As, ui->actionClose, ui->actionImport_halm58})
        action->setEnabled(open);
    for (QDockWidget *dock : {ui->powerPartWnd, ui->netObjectPropWnd, ui->objectsTreeWnd, ui->sgWnd,
                              ui->phasesWnd, ui->progWnd})
        dock->setEnabled(open);

    ui->actionInfoPart->setVisible(!tiverkII && !zuMolt);
    ui->matricesWnd->setVisible(tiverkII);
    ui->sensorsTable->setVisible(tiverkII);
    ui->outputsWnd->setVisible(tiverkII);
    ui->dtModules->setVisible(tiverkII);
    ui->actionMake_consecutive_addresses->setVisible(tiverkII);
    ui->actionIndication->setVisible(tiverkII);
    ui->detectorsWnd->setVisible(tiverkII || zuMolt);
    ui->powerPartWnd->setVisible(!adapter && !signalModule);
    ui->powerPartAdd->setVisible(!adapter && !signalModule);
    ui->sgWnd->setVisible(!adapter);
    for (QAction *action : {ui->sgAdd, ui->actionVPU, ui->actionAsud, ui->actionErrControl})
        action->setVisible(!adapter);
    ui->actionInterstates->setVisible(!adapter && !tiverkII && !zuMolt);
    ui->actionConflictMatrix->setVisible(!adapter && !tiverkII);
    ui->actionDtStat->setVisible(!adapter && !tiverkII && !zuMolt);
    ui->sg_defaults->setVisible(tiverkII || zuMolt);
    const bool version314 = version == QLatin1String("3.14");
    ui->actionTablo->setVisible(!adapter && !version314);
    ui->actionSynchronizer->setVisible(!version314
                                       && controller.getNativeData(QStringLiteral("receiver")).toInt() != 0);

    if (tiverk && ui->actionAsud->isEnabled()) {
        const int asudd = controller.getNativeData(QStringLiteral("asudd_type")).toInt();
        ui->actionAsud->setEnabled(asudd != 0 && asudd != 255);
    }

    updateTitleLabel();

    // The name column means nothing for the first product line.
    const bool showNames = !tiverk && !adapter;
    ui->powerPartTree->setColumnHidden(1, !showNames);
    for (QTableWidget *table : {static_cast<QTableWidget *>(ui->sgTable), static_cast<QTableWidget *>(ui->phasesTable),
                                static_cast<QTableWidget *>(ui->progTable)})
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

// ---------------------------------------------------------------------------
// Recent files

void MainWindow::createRecentFileEntries()
{
    auto *group = new QActionGroup(ui->menuFile);
    group->setExclusive(true);
    for (int i = 0; i < RecentFileCount; ++i) {
        auto *entry = new QAction(ui->menuFile);
        entry->setVisible(false);
        group->addAction(entry);
        ui->menuFile->insertAction(ui->actionExit, entry);
    }
    ui->menuFile->insertSeparator(ui->actionExit);
    connect(group, &QActionGroup::triggered, this, &MainWindow::openRecentFile);
}

void MainWindow::readRecentFiles()
{
    const auto *group = ui->menuFile->findChild<QActionGroup *>();
    if (!group)
        return;
    const QList<QAction *> entries = group->actions();
    auto settings = openSettings();
    const int count = settings->beginReadArray(QStringLiteral("plivekRecentFileList"));
    int filled = 0;
    for (int i = 0; i < count && filled < entries.size(); ++i) {
        settings->setArrayIndex(i);
        const QString path = pathFromSetting(settings->value(QStringLiteral("file")));
        bool listed = false;
        for (int j = 0; j < filled; ++j)
            listed = listed || withoutAmpersands(entries.at(j)->text()) == path;
        if (listed || !QFileInfo::exists(path))
            continue;
        entries.at(filled)->setText(path);
        entries.at(filled)->setVisible(true);
        ++filled;
    }
    settings->endArray();
}

void MainWindow::writeRecentFiles() const
{
    const auto *group = ui->menuFile->findChild<QActionGroup *>();
    if (!group)
        return;
    auto settings = openSettings();
    settings->beginWriteArray(QStringLiteral("plivekRecentFileList"));
    int index = 0;
    const auto entries = group->actions();
    for (const QAction *entry : entries) {
        if (!entry->isVisible())
            break;
        const QString path = withoutAmpersands(entry->text());
        if (path.isEmpty())
            continue;
        settings->setArrayIndex(index++);
        settings->setValue(QStringLiteral("file"), path.toUtf8());
    }
    settings->endArray();
}

void MainWindow::putRecentFileFirst(const QString &path)
{
    const auto *group = ui->menuFile->findChild<QActionGroup *>();
    if (!group || group->actions().isEmpty())
        return;
    const QList<QAction *> entries = group->actions();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < entries.size(); ++i) {
        if (withoutAmpersands(entries.at(i)->text()) != path)
            continue;
        if (i > 0) {
            entries.at(i)->setText(withoutAmpersands(entries.first()->text()));
            entries.first()->setText(absolute);
        }
        return;
    }
    if (entries.first()->isVisible()) {
        for (int j = entries.size() - 1; j >= 1; --j) {
            if (entries.at(j - 1)->isVisible()) {
                entries.at(j)->setText(withoutAmpersands(entries.at(j - 1)->text()));
                entries.at(j)->setVisible(true);
            }
        }
    }
    entries.first()->setText(absolute);
    entries.first()->setVisible(true);
}

// ---------------------------------------------------------------------------
// Message table

void MainWindow::addLogMessage(const QString &text, QtMsgType level, bool popupCriticalErrors)
{
    static const QIcon icons[] = {
        QIcon(QStringLiteral(":/images/eventlogInfo.png")),  QIcon(QStringLiteral(":/images/eventlogWarn.png")),
        QIcon(QStringLiteral(":/images/eventlogError.png")), QIcon(QStringLiteral(":/images/eventlogError.png")),
        QIcon(QStringLiteral(":/images/SuccessComplete.png")),
    };
    if (ui) {
        QTableWidget *table = ui->messageTable;
        const int row = table->rowCount();
        table->insertRow(row);
        auto *icon = new QTableWidgetItem;
        if (level >= 0 && level < int(std::size(icons)))
            icon->setIcon(icons[level]);
        table->setItem(row, 0, icon);
        table->setItem(row, 1, new QTableWidgetItem(
                                   QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))));
        table->setItem(row, 2, new QTableWidgetItem(text));
        if (row == 0)
            table->resizeColumnsToContents();
        table->resizeColumnToContents(2);
        table->scrollToBottom();
    } else if (level == QtWarningMsg) {
        qWarning().noquote() << text;
    } else if (level == QtCriticalMsg) {
        qCritical().noquote() << text;
    } else {
        qDebug().noquote() << text;
    }
    if (popupCriticalErrors && level == QtCriticalMsg)
        QMessageBox::critical(this, tr("Error"), text, QMessageBox::Ok);
}

void MainWindow::printInfo(const QString &text)
{
    addLogMessage(text, QtDebugMsg, true);
}

void MainWindow::printWarning(const QString &text)
{
    addLogMessage(text, QtWarningMsg, true);
}

void MainWindow::printError(const QString &text)
{
    addLogMessage(text, QtCriticalMsg, true);
}

void MainWindow::clearMessageTable()
{
    ui->messageTable->setRowCount(0);
}

// ---------------------------------------------------------------------------
// Loading a document

void MainWindow::loadDocument(const QString &doc_file)
{
    if (!project.maybeSave()) {
        if (!project.lastError().isEmpty())
            printError(project.lastError());
        return;
    }
    if (netEdit)
        netEdit->clear();
    else
        initNetEdit();

    const bool pathGiven = !doc_file.isEmpty();
    if (pathGiven)
        printInfo(tr("Loading file %1").arg(doc_file));
    if (netEdit)
        netEdit->beforeLoad();

    const bool loaded = project.load(doc_file);
    notifyNetEditAfterLoad();

    if (!loaded) {
        // Whatever failed, the window must not keep the rows of the document
        // given up above, nor a file name that Save could overwrite: it is left
        // as closing leaves it. A cancelled choice of file reports nothing.
        const QString error = project.lastError();
        project.setChanged(false);
        closeDocument();
        updateWindowTitle();
        ui->actionSave->setEnabled(false);
        if (!error.isEmpty())
            printError(error);
        return;
    }

    const QStringList warnings = project.warnings();
    for (const QString &warning : warnings)
        printWarning(warning);

    const QString path = pathGiven ? doc_file : project.fileName();

    noDocument = false;
    updateActions();
    updatePowerPartTree();

    bool groupsAdded = false;
    if (!project.isNetworkEmpty())
        groupsAdded = reconcileNetwork();

    updateSgTable(0);
    updatePhasesTable();
    updateProgramsTable();

    if (project.isTiverkII() || project.isZuMolt()) {
        updateMatricesTable();
        updateDetectorsTables();
        updateOutputsTable();
        deriveDevicePrefix();
    }

    if (!path.isEmpty())
        putRecentFileFirst(path);

    if (!path.isEmpty()) {
        if (pathGiven)
            printInfo(tr("Loading complete"));
        else
            printInfo(tr("%1 loaded").arg(path));
    }

    project.setChanged(groupsAdded);
    updateWindowTitle();
    ui->actionSave->setEnabled(groupsAdded);
    updateWindowTitle();
}

bool MainWindow::reconcileNetwork()
{
    Halm58a::Network *network = project.network();
    const CnfController &controller = project.controller();
    const int number = controller.property("number").toInt();

    const QList<Halm58a::Granule *> granules = network->findChildren<Halm58a::Granule *>();
    if (granules.size() > 1)
        printWarning(tr("Network contains more then one granules"));

    Halm58a::Granule *granule = nullptr;
    for (int i = granules.size() - 1; i >= 0 && !granule; --i) {
        if (granules.at(i)->tlId() == number)
            granule = granules.at(i);
    }
    if (!granule && !granules.isEmpty())
        granule = granules.first();
    if (!granule) {
        granule = new Halm58a::Granule(network->findChildren<Halm58a::Node *>(), nullptr);
        network->addItem(granule, nullptr);
    }

    QList<Halm58a::SignalGroup *> networkGroups = granule->findChildren<Halm58a::SignalGroup *>();
    QStringList removed;
    for (auto it = networkGroups.begin(); it != networkGroups.end();) {
        if (controller.findSG((*it)->tlId())) {
            ++it;
            continue;
        }
        removed << QString::number((*it)->tlId());
        delete *it;
        it = networkGroups.erase(it);
    }
    if (!removed.isEmpty())
        printWarning(tr("The following signal groups into network are not found in the controller and were "
                        "removed: %1")
                         .arg(removed.join(QLatin1Char(','))));

    QStringList added;
    const auto groups = controller.signalGroups();
    for (const CnfSignalGroupPtr &group : groups) {
        if (findNetworkGroup(networkGroups, group->id))
            continue;
        auto *networkGroup = new Halm58a::SignalGroup(granule);
        networkGroup->setTlId(group->id);
        network->addItem(networkGroup, nullptr);
        networkGroups << networkGroup;
        added << QString::number(group->id);
    }
    if (added.isEmpty())
        return false;
    printInfo(tr("Following signal groups added to network: %1").arg(added.join(QLatin1Char(','))));
    return true;
}

void MainWindow::deriveDevicePrefix()
{
    const auto devices = project.controller().powerDevices();
    if (devices.isEmpty())
        return;
    static const QRegularExpression trailingDigits(QStringLiteral("\\d+$"));
    for (const CnfPowerDevicePtr &device : devices) {
        const QString prefix = QString(device->name).remove(trailingDigits);
        if (!prefix.isEmpty()) {
            ui->dev_name_prefix->setText(prefix);
            return;
        }
    }
    ui->auto_assign_key_data_by_id->setChecked(false);
}

Halm58a::Granule *MainWindow::findControllerGranule() const
{
    const QVariant number = project.controller().property("number");
    const auto granules = project.network()->findChildren<Halm58a::Granule *>();
    for (Halm58a::Granule *granule : granules) {
        if (QVariant(granule->tlId()) == number)
            return granule;
    }
    return nullptr;
}

void MainWindow::notifyNetEditAfterLoad()
{
    if (!netEdit)
        return;
    if (!project.isNetworkEmpty()) {
        const auto children = project.network()->children();
        for (QObject *child : children)
            netEdit->objectAdded(qobject_cast<Halm58a::NetObject *>(child), nullptr);
        updateSgTable(0);
    }
    netEdit->afterLoad();
}

void MainWindow::loadGranule()
{
    if (auto *network = project.network())
        network->clear();
    const QString number = project.controller().property("number").toString();
    if (number.isEmpty()) {
        printError(tr("Number of junction not set"));
        return;
    }
    if (netEdit) {
        netEdit->beforeLoad();
        netEdit->downloadGranule(number);
    }
    notifyNetEditAfterLoad();
    fitNetworkInView();
}

void MainWindow::fitNetworkInView()
{
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    const Halm58a::Granule *granule = findControllerGranule();
    if (!granule)
        return;
    QRectF area;
    const auto nodes = granule->nodes();
    for (const Halm58a::Node *node : nodes) {
        const Halm58a::GeoShape shape = node->shape();
        area |= shape.isEmpty() ? Halm58a::GeoShape::unitRect(node->pos()) : shape.boundingRect();
    }
    if (const Halm58a::GeoUtil *geo = network->geoUtil())
        geo->xyToGeo(&area);
    if (!area.isEmpty())
        QMetaObject::invokeMethod(ui->tileview, "fitInView", Qt::DirectConnection, Q_ARG(QRectF, area));
}

// First versions of the element tables: id and name per row; the tables'
// own work completes them.

void MainWindow::updatePowerPartTree()
{
    QTreeWidget *tree = ui->powerPartTree;
    tree->clear();
    CnfController &controller = project.controller();
    const bool modules = PowerPart(controller).usesKeyModules();
    QMap<int, QTreeWidgetItem *> moduleNodes;
    for (const CnfPowerDevicePtr &device : controller.powerDevices()) {
        QTreeWidgetItem *parent = nullptr;
        if (modules && device->type < CnfPowerDevice::KeyTriac) {
            const int module = device->address / 8;
            parent = moduleNodes.value(module);
            if (!parent) {
                parent = new QTreeWidgetItem(tree);
                parent->setData(0, Qt::EditRole, module * 8);
                parent->setText(2, tr("Module of the keys"));
                moduleNodes.insert(module, parent);
            }
        }
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        setPowerPartItemState(item, device, controller.findPowerDeviceSg(device));
    }
    tree->sortItems(0, Qt::AscendingOrder);
    tree->resizeColumnToContents(2);
}

void MainWindow::setPowerPartItemState(QTreeWidgetItem *item, const CnfPowerDevicePtr &device,
                                       const CnfSignalGroupPtr &group)
{
    if (!item || !device)
        return;
    const bool byId = PowerPart(project.controller()).keyedById();
    item->setData(0, Qt::EditRole, byId ? device->id : device->address);
    item->setText(1, device->name);
    item->setText(2, CnfPowerDevice::type2String(device->type, true));
    if (!PowerPart::showsGroupState(device->type)) {
        item->setText(3, QString());
        item->setIcon(3, QIcon());
        return;
    }
    item->setText(3, group ? tr("Assigned SG %1(%2)")
                                 .arg(group->id)
                                 .arg(CnfSignalGroup::type2String(group->type, true, false))
                           : tr("Not assigned"));
    static const char *const colours[] = {"green", "yellow", "red", "white"};
    const QString colour = device->color >= 0 && device->color < 4 ? QLatin1String(colours[device->color])
                                                                   : QStringLiteral("gray");
    const QString suffix = device->burnoutControl >= 1 ? QStringLiteral("_c_c") : QStringLiteral("_c");
    item->setIcon(3, QIcon(QStringLiteral("://images/") + colour + suffix + QStringLiteral(".png")));
    item->setData(3, Qt::UserRole, QString(colour + suffix));
}

void MainWindow::selectPowerDeviceItem(int address)
{
    QTreeWidget *tree = ui->powerPartTree;
    const bool animated = tree->isAnimated();
    tree->setAnimated(false);
    tree->clearSelection();
    int key = address;
    if (PowerPart(project.controller()).keyedById()) {
        if (const CnfPowerDevicePtr device = project.controller().findPowerDeviceByAddress(address))
            key = device->id;
    }
    const auto items = tree->findItems(QString::number(key), Qt::MatchFixedString | Qt::MatchRecursive, 0);
    for (QTreeWidgetItem *item : items) {
        if (item->childCount() > 0)
            continue;
        item->setSelected(true);
        if (item->parent())
            item->parent()->setExpanded(true);
    }
    tree->setAnimated(animated);
}

bool MainWindow::isEditableDeviceItem(QTreeWidgetItem *item, CnfPowerDevicePtr device) const
{
    if (!item)
        return false;
    if (!device) {
        bool ok = false;
        const int key = item->text(0).toInt(&ok);
        if (!ok)
            return false;
        device = PowerPart(project.controller()).deviceByKey(key);
        if (!device)
            return false;
    }
    if (item->childCount() > 0 || device->type == CnfPowerDevice::ModuleControl)
        return false;
    // The power device of a key module is made and kept by its module: only
    // outside a module may a type-2 device be edited.
    if (device->type == CnfPowerDevice::ModulePower && item->parent())
        return false;
    return true;
}

void MainWindow::updateSgTable(int sg_id)
{
    QTableWidget *table = ui->sgTable;
    const QList<CnfSignalGroupPtr> groups = project.controller().signalGroups();
    const QList<Halm58a::SignalGroup *> drawn = granuleSignalGroups();
    const bool byId = PowerPart(project.controller()).keyedById();
    table->setRowCount(groups.size());
    const auto objectLabel = [](const Halm58a::NetObject *object) {
        return object->objectName().isEmpty() ? QString::number(object->id()) : object->objectName();
    };
    for (int row = 0; row < groups.size(); ++row) {
        const CnfSignalGroupPtr &group = groups.at(row);
        if (sg_id != 0 && group->id != sg_id)
            continue;
        QStringList keys;
        for (const CnfPowerDevicePtr &device : group->devices)
            keys << QString::number(byId ? device->id : device->address);
        QStringList objects;
        if (const Halm58a::SignalGroup *drawing = findNetworkGroup(drawn, group->id)) {
            for (const Halm58a::Connection *connection : drawing->connections())
                objects << objectLabel(connection);
            for (const Halm58a::CrossWalk *crossWalk : drawing->crossWalks())
                objects << objectLabel(crossWalk);
        }
        setTableCellValue(table, row, 0, group->id, true);
        setTableCellValue(table, row, 1, group->name, true);
        setTableCellValue(table, row, 2, CnfSignalGroup::type2String(group->type, true, false), true);
        setTableCellValue(table, row, 3, keys.join(QLatin1Char(',')), true);
        setTableCellValue(table, row, 4, objects.join(QLatin1Char(',')), true);
        if (sg_id != 0)
            break;
    }
    table->resizeColumnsToContents();
}

void MainWindow::updatePhasesTable()
{
    PhasesTable::fill(ui->phasesTable, project.controller());
}

void MainWindow::updateProgramsTable()
{
    ProgramsTable::fill(ui->progTable, project.controller(),
                        project.isAdapter() ? QStringLiteral("adapter")
                                            : project.controller().property("version").toString());
}

void MainWindow::updateDetectorsTables()
{
    DetectorsTable::fill(ui->detectorsTable, project.controller(), false);
    DetectorsTable::fill(ui->sensorsTable, project.controller(), true);
}

void MainWindow::updateOutputsTable()
{
    OutputsTable::fill(ui->outputsTable, project.controller());
}

void MainWindow::updateMatricesTable()
{
    MatricesTable::fill(ui->matricesTable, project.controller());
}

// ---------------------------------------------------------------------------
// Network editor coupling

void MainWindow::initNetEdit()
{
    if (netEdit)
        return;
    project.createNetwork(ui->tileview->scene());
    auto *network = qobject_cast<Halm58ga::Networkg *>(project.network());
    if (!network)
        return;
    netEdit = new Halm58ga::NetEdit(network, ui->tileview, this);
    connect(netEdit, &Halm58ga::NetEdit::logMessage, this,
            [this](const QString &text, QtMsgType type) { addLogMessage(text, type); });
    netEdit->setSignalPlanSource([this](int number) { return signalPlansOf(project.controller(), number); });

    ui->objectsTreeWnd->widget()->layout()->addWidget(netEdit->objectsTree());
    ui->netObjectPropWnd->widget()->layout()->addWidget(netEdit->objectEditor());
    ui->menuActions->addActions(netEdit->inputActions());
    ui->menuView->addActions(netEdit->viewActions());

    connect(netEdit, &Halm58ga::NetEdit::beforeContextMenu, this, &MainWindow::beforeNetEditContextMenu);
    connect(network, &Halm58a::Network::objectRemoved, this, &MainWindow::netObjectRemoved);
    connect(network, &Halm58a::Network::changed, this, &MainWindow::netChanged);

    addToolBar(Qt::TopToolBarArea, netEdit->createInputToolbar());
    addToolBar(Qt::TopToolBarArea, netEdit->createDBToolbar());
    addToolBar(Qt::TopToolBarArea, netEdit->createViewToolbar());

    auto settings = openSettings();
    settings->beginGroup(QStringLiteral("NetLayers"));
    const QStringList layers = settings->childKeys();
    for (const QString &layer : layers) {
        const QVariant value = settings->value(layer);
        netEdit->setLayerVisible(layer, value.isValid() ? value.toBool() : true);
    }
    settings->endGroup();
}

void MainWindow::netChanged(bool changed)
{
    if (importingNetwork || !changed)
        return;
    setChanged(true);
}

void MainWindow::netObjectRemoved(Halm58a::NetObject *object)
{
    const auto refresh = [this](const Halm58a::SignalGroup *group) {
        const int id = group->objectName().toInt();
        QMetaObject::invokeMethod(this, [this, id] { updateSgTable(id); }, Qt::QueuedConnection);
    };
    if (isExactly(object, Halm58a::Connection::staticMetaObject)) {
        const auto groups = static_cast<Halm58a::Connection *>(object)->signalGroups();
        for (const Halm58a::SignalGroup *group : groups)
            refresh(group);
    } else if (isExactly(object, Halm58a::CrossWalk::staticMetaObject)) {
        if (const Halm58a::SignalGroup *group = static_cast<Halm58a::CrossWalk *>(object)->signalGroup())
            refresh(group);
    }
}

void MainWindow::beforeNetEditContextMenu(QObjectList sel_objects, QMenu *m)
{
    if (!project.network() || !m)
        return;
    bool entriesMade = false;
    bool assigned = false;
    for (int i = sel_objects.size() - 1; i >= 0; --i) {
        QObject *object = sel_objects.at(i);
        auto *connection = qobject_cast<Halm58a::Connection *>(object);
        auto *crossWalk = qobject_cast<Halm58a::CrossWalk *>(object);
        if (!connection && !crossWalk)
            continue;
        if (!entriesMade) {
            entriesMade = true;
            const QList<int> rows = selectedItemRows(ui->sgTable);
            if (rows.size() == 1) {
                const int row = rows.first();
                const int id = ui->sgTable->item(row, 0) ? ui->sgTable->item(row, 0)->text().toInt() : 0;
                const QString name = ui->sgTable->item(row, 1) ? ui->sgTable->item(row, 1)->text() : QString();
                auto *assign = new QAction(tr("Assign to SG '%1'").arg(groupLabel(id, name)), this);
                assign->setData(id);
                connect(assign, &QAction::triggered, this, &MainWindow::assignItemsToSg);
                m->addAction(assign);
            }
            const auto groups = project.controller().signalGroups();
            if (!groups.isEmpty()) {
                QMenu *submenu = m->addMenu(tr("Assign to SG ..."));
                for (const CnfSignalGroupPtr &group : groups) {
                    auto *assign = new QAction(groupLabel(group->id, group->name), this);
                    assign->setData(group->id);
                    connect(assign, &QAction::triggered, this, &MainWindow::assignItemsToSg);
                    submenu->addAction(assign);
                }
            }
        }
        if ((connection && !connection->signalGroups().isEmpty()) || (crossWalk && crossWalk->signalGroup()))
            assigned = true;
    }
    if (assigned) {
        auto *remove = new QAction(tr("Remove from SG"), this);
        connect(remove, &QAction::triggered, this, &MainWindow::removeItemsFromSg);
        m->addAction(remove);
    }
}

void MainWindow::assignItemsToSg()
{
    const auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const int id = action->data().toInt();
    if (id == 0)
        return;
    bool numberSet = false;
    const int number = project.controller().property("number").toInt(&numberSet);
    if (!numberSet) {
        printError(tr("Number of contoller must be set"));
        return;
    }
    auto *network = qobject_cast<Halm58ga::Networkg *>(project.network());
    if (!network)
        return;
    Halm58a::Granule *granule = findControllerGranule();
    if (!granule) {
        printError(tr("Network not contains granule with id %1").arg(number));
        return;
    }
    Halm58a::SignalGroup *group = findNetworkGroup(granule->signalGroups(), id);
    if (!group) {
        group = new Halm58a::SignalGroup(granule);
        group->setTlId(id);
        network->addItem(group, nullptr);
    }
    bool added = false;
    const auto items = network->scene()->selectedItems();
    for (QGraphicsItem *item : items) {
        QObject *object = network->item2object(item);
        if (auto *connection = qobject_cast<Halm58a::Connection *>(object)) {
            group->addConnection(connection);
            added = true;
        } else if (auto *crossWalk = qobject_cast<Halm58a::CrossWalk *>(object)) {
            group->addCrossWalk(crossWalk);
            added = true;
        }
    }
    if (added)
        updateSgTable(0);
}

void MainWindow::removeItemsFromSg()
{
    auto *network = qobject_cast<Halm58ga::Networkg *>(project.network());
    if (!network)
        return;
    bool removed = false;
    const auto items = network->scene()->selectedItems();
    for (QGraphicsItem *item : items) {
        QObject *object = network->item2object(item);
        if (auto *connection = qobject_cast<Halm58a::Connection *>(object)) {
            const auto groups = connection->signalGroups();
            for (Halm58a::SignalGroup *group : groups) {
                group->removeConnection(connection);
                removed = true;
            }
        } else if (auto *crossWalk = qobject_cast<Halm58a::CrossWalk *>(object)) {
            if (Halm58a::SignalGroup *group = crossWalk->signalGroup()) {
                group->removeCrossWalk(crossWalk);
                removed = true;
            }
        }
    }
    if (removed) {
        setChanged(true);
        updateSgTable(0);
    }
}

void MainWindow::clearAssignedConnections()
{
    const QList<int> rows = selectedItemRows(ui->sgTable);
    if (!project.network())
        return;
    Halm58a::Granule *granule = findControllerGranule();
    if (!granule)
        return;
    bool removed = false;
    const auto groups = granule->signalGroups();
    for (int row : rows) {
        const int id = ui->sgTable->item(row, 0) ? ui->sgTable->item(row, 0)->text().toInt() : 0;
        Halm58a::SignalGroup *group = findNetworkGroup(groups, id);
        if (!group)
            continue;
        while (group->connectionCount() > 0) {
            group->removeConnection(group->connection(0));
            removed = true;
        }
        while (group->crossWalkCount() > 0) {
            group->removeCrossWalk(group->crossWalk(0));
            removed = true;
        }
    }
    if (removed)
        updateSgTable(0);
}

QList<Halm58a::SignalGroup *> MainWindow::granuleSignalGroups() const
{
    if (!project.network())
        return {};
    const Halm58a::Granule *granule = findControllerGranule();
    return granule ? granule->signalGroups() : QList<Halm58a::SignalGroup *>();
}

void MainWindow::on_sgTable_itemSelectionChanged()
{
    ui->tileview->scene()->clearSelection();
    if (!netEdit)
        return;
    const QList<Halm58a::SignalGroup *> groups = granuleSignalGroups();
    const QStringList ids = selectedIdsLastFirst(ui->sgTable);
    for (const QString &id : ids) {
        for (Halm58a::SignalGroup *group : groups) {
            if (group->tlId() == id.toInt())
                netEdit->selectObjectInTree(group);
        }
    }
}

void MainWindow::on_phasesTable_itemSelectionChanged()
{
    ui->tileview->scene()->clearSelection();
    if (!netEdit)
        return;
    const QList<Halm58a::SignalGroup *> groups = granuleSignalGroups();
    const QStringList ids = selectedIdsLastFirst(ui->phasesTable);
    for (const QString &id : ids) {
        const CnfPhasePtr phase = project.controller().findPhase(id);
        if (!phase)
            continue;
        for (int j = phase->signalGroups.size() - 1; j >= 0; --j) {
            const CnfSignalGroupPtr &group = phase->signalGroups.at(j);
            if (!group)
                continue;
            if (Halm58a::SignalGroup *networkGroup = findNetworkGroup(groups, group->id))
                netEdit->selectObjectInTree(networkGroup);
        }
    }
}

void MainWindow::on_detectorsTable_itemSelectionChanged()
{
    auto *network = qobject_cast<Halm58ga::Networkg *>(project.network());
    if (!network)
        return;
    QList<Halm58a::Detector *> detectors;
    const auto collect = [&detectors](const QObject *parent) {
        const auto found = parent->findChildren<Halm58a::Detector *>();
        for (Halm58a::Detector *detector : found) {
            if (!detectors.contains(detector))
                detectors << detector;
        }
    };
    if (const Halm58a::Granule *granule = findControllerGranule()) {
        const auto nodes = granule->nodes();
        for (const Halm58a::Node *node : nodes) {
            const auto edges = node->edges();
            for (const Halm58a::Edge *edge : edges) {
                const auto lanes = edge->lanes();
                for (const Halm58a::Lane *lane : lanes) {
                    collect(lane);
                    QList<const Halm58a::Stopline *> lines;
                    if (lane->hasStopline(node))
                        lines << lane->stopline();
                    if (lane->hasStartline(node))
                        lines << lane->startline();
                    for (const Halm58a::Stopline *line : lines) {
                        if (!line)
                            continue;
                        const auto connections = line->connections();
                        for (const Halm58a::Connection *connection : connections) {
                            if (connection->junction() == node)
                                collect(connection);
                        }
                    }
                }
            }
        }
    }

    const QList<QGraphicsItem *> selected = network->scene()->selectedItems();
    QList<QGraphicsItem *> gathered;
    const QStringList ids = selectedIdsLastFirst(ui->detectorsTable);
    for (const QString &id : ids) {
        for (int j = detectors.size() - 1; j >= 0; --j) {
            if (detectors.at(j)->tlId() != id.toInt())
                continue;
            QGraphicsItem *item = network->object2item(detectors.at(j));
            if (item && !gathered.contains(item))
                gathered << item;
        }
    }
    if (gathered.isEmpty())
        return;
    for (QGraphicsItem *item : selected) {
        if (item->type() == DetectorItemType && !gathered.contains(item))
            item->setSelected(false);
    }
    for (QGraphicsItem *item : gathered)
        item->setSelected(true);
}

// ---------------------------------------------------------------------------
// Map and network commands

void MainWindow::on_actionSmooth_triggered(bool checked)
{
    ui->tileview->setRenderHint(QPainter::Antialiasing, checked);
    ui->tileview->setRenderHint(QPainter::SmoothPixmapTransform, checked);
}

void MainWindow::runExportDialog()
{
    bool isNumber = false;
    int number = project.controller().property("number").toInt(&isNumber);
    if (!isNumber)
        number = -1;
    const QString folder = QFileInfo(project.fileName()).absolutePath();
    if (netEdit)
        netEdit->runExportDialog(folder, folder, number);
}

void MainWindow::on_actionImport_halm58_triggered()
{
    auto settings = openSettings();
    QString folder = pathFromSetting(settings->value(QStringLiteral("lastImportDir")));
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::currentPath();
    const QString path = QFileDialog::getOpenFileName(this, tr("Select file"), folder, tr("Network files (*.hm58a)"));
    if (path.isEmpty())
        return;
    settings->setValue(QStringLiteral("lastImportDir"), QFileInfo(path).absolutePath().toUtf8());

    initNetEdit();
    if (netEdit)
        netEdit->beforeLoad();
    // The imported network is the document's starting point, not an edit of it.
    importingNetwork = true;
    const bool loaded = project.loadNetwork(path);
    notifyNetEditAfterLoad();
    importingNetwork = false;

    if (loaded) {
        ui->actionShow_all->trigger();
        fitNetworkInView();
    } else if (Halm58a::Network *network = project.network()) {
        printWarning(network->errorString());
    }
}

void MainWindow::on_actionHalm58_triggered()
{
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    auto settings = openSettings();
    QString folder = pathFromSetting(settings->value(QStringLiteral("lastSaveDir")));
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::currentPath();
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Select file"), folder, tr("halm58 v0.10 files (*.hm58a)"));
    if (path.isEmpty())
        return;
    settings->setValue(QStringLiteral("lastSaveDir"), QFileInfo(path).absolutePath().toUtf8());
    // A write that fails must not pass for a saved network.
    if (!network->save(path, false, false))
        printWarning(network->errorString());
}

void MainWindow::on_actionDOT_graph_triggered()
{
    auto settings = openSettings();
    const QString baseName =
        project.fileName().isEmpty() ? QStringLiteral("net") : QFileInfo(project.fileName()).baseName();
    const QString proposed =
        pathFromSetting(settings->value(QStringLiteral("lastExportDir"))) + QLatin1Char('/') + baseName;
    const QString path = QFileDialog::getSaveFileName(this, tr("Select file to save"), proposed, tr("DOT files (*.dot)"));
    if (path.isEmpty())
        return;
    settings->setValue(QStringLiteral("lastExportDir"), QFileInfo(path).absolutePath().toUtf8());
    printInfo(tr("Export to file %1 in DOT format").arg(path));
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    if (network->exportToDOT(path))
        printInfo(tr("Export complete"));
    else
        printWarning(network->errorString());
}

void MainWindow::on_actionController_configuration_triggered()
{
    // A copy under another name and kind; the document keeps its own file.
    if (!project.saveAs(QString()) && !project.lastError().isEmpty())
        printError(project.lastError());
}

void MainWindow::on_actionShow_all_triggered()
{
    auto *network = qobject_cast<Halm58ga::Networkg *>(project.network());
    if (!network)
        return;
    const Halm58a::GeoUtil *geo = network->geoUtil();
    QRectF area = network->boundingRect();
    if (!geo || area.isNull())
        return;
    const QPointF centre = area.center();
    QRectF view = ui->tileview->mapToScene(ui->tileview->viewport()->rect()).boundingRect();
    geo->geoToXY(&view);
    geo->geoToXY(&area);
    const double ratio = qMin(view.width() / area.width(), view.height() / area.height());
    // A network of a single point has no size to fit: it is only centred.
    if (std::isfinite(ratio) && ratio > 0)
        ui->tileview->setZoom(ui->tileview->zoomF() + std::log2(ratio));
    // Centred after zooming: far out the view cannot scroll to every point.
    ui->tileview->centerOn(centre);
}

void MainWindow::on_actionGo_to_point_triggered()
{
    bool accepted = false;
    const QString text = QInputDialog::getText(this, tr("Go to point"), tr("Enter lon,lat:"), QLineEdit::Normal,
                                               QString(), &accepted);
    if (!accepted || text.isEmpty())
        return;
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() < 2)
        return;
    bool isLongitude = false;
    bool isLatitude = false;
    const double longitude = parts.at(0).toDouble(&isLongitude);
    const double latitude = parts.at(1).toDouble(&isLatitude);
    if (isLongitude && isLatitude)
        ui->tileview->centerOn(longitude, latitude);
    else
        printWarning(tr("coordinates string (%1) has invalid format").arg(text));
}

void MainWindow::on_actionMap_opacity_triggered()
{
    const int value = QInputDialog::getInt(this, tr("Map opcity"), tr("Enter opacity value:"),
                                           int(ui->tileview->opacity() * 100), 0, 100, 1);
    ui->tileview->setOpacity(value / 100.0);
}

void MainWindow::on_actionColor_settings_triggered()
{
    Halm58ga::ColorSettingsDlga dialog(this);
    if (QGraphicsScene *scene = ui->tileview->scene())
        connect(&dialog, SIGNAL(colorsChanged()), scene, SLOT(update()));
    execWithSavedGeometry(&dialog);
}

void MainWindow::on_actionGoogle_panorama_triggered()
{
    if (netEdit)
        netEdit->showPanoramaSetupDlg(nullptr);
}

// ---------------------------------------------------------------------------
// Update check

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
    if (QMessageBox::question(this, tr("updating"), tr("Program or one of component has new version. Update?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
        == QMessageBox::Yes)
        QProcess::startDetached(tool, MaintenanceTool::updateArguments());
}

// ---------------------------------------------------------------------------
// Document commands

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
                QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
                return;
            }
            printWarning(tr("Cannot start the ZU_MOLT editor %1; the configuration is edited here")
                             .arg(QDir::toNativeSeparators(editor)));
        }
    }
    CnfNative::initController(project.controller(), type, dialog.version().toString());
    if (project.isTiverk())
        project.controller().setNativeData(QStringLiteral("creationTime"),
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
    QMetaObject::invokeMethod(this, [this, path] { loadDocument(path); }, Qt::QueuedConnection);
}

bool MainWindow::validatePrograms()
{
    if (project.isTiverkII() || project.isZuMolt())
        return true;
    const QString faults = ProgramValidation::findFaults(project.controller(), project.isTiverk() || project.isAdapter());
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

// ---------------------------------------------------------------------------
// Dialog launchers

void MainWindow::on_actionInfoPart_triggered()
{
    static const char *const adapterKeys[] = {"MODEMTYPE", "HOST", "PORT", "TIMEZONE", "USER", "PASSWORD",
                                              "MODEMINIT", nullptr};
    static const char *const keys[] = {"receiver", "asudd_type", "table", "priority_skip", "vpu2",
                                       "power_counter", "ups", "dt_module1", "dt_module2", "dt_module3",
                                       "dt_module4", nullptr};
    CnfController &controller = project.controller();
    InfoPartParametersDlg dialog(this, controller.property("type"), controller.property("version"));
    if (!execWithNativeKeys(&dialog, controller, project.isAdapter() ? adapterKeys : keys))
        return;
    // "receiver" and "asudd_type" decide which actions are shown.
    updateActions();
    setChanged(true);
}

void MainWindow::on_actionCalendar_triggered()
{
    CalendarDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionVPU_triggered()
{
    VpuDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionAsud_triggered()
{
    AsuddDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionTablo_triggered()
{
    CnfController &controller = project.controller();
    if (project.isZuMolt()) {
        CountDownTableZU_MOLTDlg dialog(this, &controller);
        if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
            setChanged(true);
        return;
    }
    if (project.isTiverkII()) {
        CountDownTableTiverk2Dlg dialog(this, &controller);
        if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
            setChanged(true);
        return;
    }
    QStringList groups;
    for (const CnfSignalGroupPtr &group : controller.signalGroups())
        groups << QString::number(group->id);
    const QString key = QStringLiteral("countDownTable");
    CountDownTableDlg dialog(this, controller.getNativeData(key).toList(), groups,
                             controller.property("version").toString());
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    controller.setNativeData(key, dialog.countDownTable());
    setChanged(true);
}

void MainWindow::on_actionErrControl_triggered()
{
    ErrorControlDlg dialog(this, &project.controller());
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_actionDtStat_triggered()
{
    static const char *const keys[] = {"dtInternalStatPeriod", "dtGroupStatPeriod", "dtStat314", "dtStat317",
                                       "dtStatPeriod", nullptr};
    CnfController &controller = project.controller();
    DtStatDlg dialog(this, controller.property("version").toString());
    if (execWithNativeKeys(&dialog, controller, keys))
        setChanged(true);
}

void MainWindow::on_actionCommon_triggered()
{
    CnfController &controller = project.controller();
    if (project.isZuMolt()) {
        editZuMoltCommonParameters();
        return;
    }
    static const char *const adapterKeys[] = {"DEVICE", "SCHEDULING", nullptr};
    static const char *const tiverkIIKeys[] = {"name", nullptr};
    static const char *const tiverkKeys[] = {"creationTime", "changeTime", "maxCurrent", "journalDetail",
                                             "powerSwitch", "startup_yf", "startup_rr", "table_flip", nullptr};
    const bool tiverk = !project.isAdapter() && !project.isTiverkII();
    const char *const *keys = project.isAdapter() ? adapterKeys : project.isTiverkII() ? tiverkIIKeys : tiverkKeys;

    CommonParametersDlg dialog(this, &controller);
    dialog.setWidgetValue(QStringLiteral("number"), controller.property("number"));
    dialog.setWidgetValue(QStringLiteral("description"), controller.property("description"));
    // The interstate record is made here, before the dialog runs, and stays
    // even when it is cancelled.
    CnfInterstatePtr interstate;
    if (!project.isAdapter()) {
        interstate = controller.interstate();
        if (!interstate) {
            interstate = CnfInterstatePtr::create();
            controller.setInterstate(interstate);
        }
        dialog.setWidgetValue(QStringLiteral("is_greenBlink"), interstate->greenBlink);
        dialog.setWidgetValue(QStringLiteral("is_redYellow"), interstate->redYellow);
        dialog.setWidgetValue(QStringLiteral("is_yellow"), interstate->yellow);
    }
    QVariant controlSource;
    if (project.isTiverkII())
        controlSource = CommonParameters::loadSignalModules(dialog, controller);
    loadNativeKeys(&dialog, controller, keys);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;

    bool refreshActions = false;
    if (tiverk) {
        // The power switch is checked first, so that a refusal leaves the
        // configuration as it was, its version included.
        const QVariant powerSwitch = dialog.widgetValue(QStringLiteral("powerSwitch"));
        if (powerSwitch != controller.getNativeData(QStringLiteral("powerSwitch"))) {
            const int excess = CommonParameters::excessKeyDevices(controller, powerSwitch);
            if (excess > 0) {
                addLogMessage(tr("Unable to change value of the parameter \"Power switch\" at the current amount of "
                                 "power devices.\nNeed to remove devices: %1")
                                  .arg(excess),
                              QtCriticalMsg, true);
                return;
            }
        }
        const QString oldVersion = controller.property("version").toString();
        const QVariant newVersion = dialog.widgetValue(QStringLiteral("versionList"), "currentText");
        if (newVersion.isValid() && newVersion.toString() != oldVersion
            && QMessageBox::question(this, tr("Question"),
                                     tr("Conversion of configuration version may lead to data loss.\n"
                                        "Save change of version?"),
                                     QMessageBox::Yes | QMessageBox::No)
                == QMessageBox::Yes) {
            const auto log = [this](const QString &text, QtMsgType level, bool popup) {
                addLogMessage(text, level, popup);
            };
            if (CommonParameters::convertVersion(controller, oldVersion, newVersion.toString(), log))
                updateProgramsTable();
            refreshActions = true;
        }
    }
    if (tiverk) {
        // A flag whose field reads not set (the form may disable the group)
        // keeps its stored value rather than being cleared unasked.
        const auto storeFlag = [&dialog](const char *name, int *flag) {
            const QVariant value = dialog.widgetValue(QLatin1String(name));
            if (value.isValid())
                *flag = value.toInt();
        };
        storeFlag("is_greenBlink", &interstate->greenBlink);
        storeFlag("is_redYellow", &interstate->redYellow);
        storeFlag("is_yellow", &interstate->yellow);
    }
    storeControllerNumber(dialog.widgetValue(QStringLiteral("number")));
    controller.setProperty("description", dialog.widgetValue(QStringLiteral("description")));
    storeNativeKeys(&dialog, controller, keys);
    if (project.isTiverkII() && CommonParameters::storeSignalModules(dialog, controller, controlSource))
        refreshActions = true;
    if (refreshActions)
        updateActions();
    else
        updateTitleLabel();
    updatePowerPartTree();
    setChanged(true);
}

void MainWindow::editZuMoltCommonParameters()
{
    static const char *const keys[] = {"name", "timeZone", "maxCurrent", nullptr};
    static const char *const startKeys[] = {"allRed", "amberBlink", nullptr};
    CnfController &controller = project.controller();
    CommonParametersZU_MOLTDlg dialog(this);
    dialog.setWidgetValue(QStringLiteral("number"), controller.property("number"));
    dialog.setWidgetValue(QStringLiteral("description"), controller.property("description"));
    loadNativeKeys(&dialog, controller, keys);
    // The stored start-up node loses its not-set values here, whatever the
    // dialog's outcome.
    VObject startTime = controller.nativeData()["startTime"];
    startTime.removeInvalidValues(true);
    dialog.vobjectToWidgets(startTime);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    storeControllerNumber(dialog.widgetValue(QStringLiteral("number")));
    controller.setProperty("description", dialog.widgetValue(QStringLiteral("description")));
    storeNativeKeys(&dialog, controller, keys);
    dialog.widgetsToVObject(startTime, startKeys);
    updateTitleLabel();
    setChanged(true);
}

void MainWindow::storeControllerNumber(const QVariant &number)
{
    // The junction of the network is found by the controller's number: it
    // follows the new one, or it would be lost to the window.
    Halm58a::Granule *granule = project.isNetworkEmpty() ? nullptr : findControllerGranule();
    project.controller().setProperty("number", number);
    if (granule && !number.toString().isEmpty()) {
        granule->setTlId(number.toInt());
        granule->setObjectName(number.toString());
    }
}

void MainWindow::on_actionSynchronizer_triggered()
{
    static const char *const keys[] = {"sync_frequency", "sync_timeCorrection", "sync_timezoneCorrection",
                                       "sync_summerTime", nullptr};
    CnfController &controller = project.controller();
    SynchronizerDlg dialog(this, controller.getNativeData(QStringLiteral("receiver")).toInt());
    if (execWithNativeKeys(&dialog, controller, keys))
        setChanged(true);
}

void MainWindow::on_actionConflictMatrix_triggered()
{
    // The matrix is derived from the road network: without one there is
    // nothing to edit and nothing changes.
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    CnfController &controller = project.controller();
    CnfMatrixPtr matrix = controller.conflictMatrix();
    if (!matrix) {
        // A configuration without a conflict matrix gets a new one, under the
        // smallest free matrix id.
        matrix = CnfMatrixPtr::create();
        int id = 1;
        while (controller.findMatrix(id))
            ++id;
        matrix->setId(id);
    }
    MatrixDlg dialog(this, &controller, matrix, network, true);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    controller.addMatrix(matrix, true, true);
    setChanged(true);
}

void MainWindow::on_actionInterstates_triggered()
{
    InterstatesDlg dialog(this, &project.controller(), false);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.applyToController();
    setChanged(true);
}

void MainWindow::on_actionIndication_triggered()
{
    IndicationDlg dialog(&project.controller(), this);
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        setChanged(true);
}

void MainWindow::on_sg_defaults_clicked()
{
    static const char *const tiverkIIKeys[] = {"redAmber", "greenBlink", "amberBlink", "amber", "minRed",
                                               "maxRed", "minGreen", "maxGreen", nullptr};
    static const char *const keys[] = {"redAmber", "greenBlink", "amberBlink", "amber", "minRed", "maxRed",
                                       "minGreen", "maxGreen", "extRed", "extGreen1", "extGreen2", nullptr};
    CnfController &controller = project.controller();
    const bool tiverkII = project.isTiverkII();
    SGDefaultsDlg dialog(tiverkII, this);
    CnfSignalGroupPtr defaults = controller.defaultSignalGroup();
    if (!defaults) {
        // The controller keeps this group even when the dialog is cancelled.
        defaults = CnfSignalGroupPtr::create();
        controller.setDefaulSignalGroup(defaults);
    }
    QVariantMap values;
    for (const QByteArray &name : defaults->dynamicPropertyNames())
        values.insert(QString::fromLatin1(name), defaults->property(name.constData()));
    dialog.mapToWidgets(values);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.widgetsToProperties(defaults.data(), tiverkII ? tiverkIIKeys : keys);
    setChanged(true);
}

// ---------------------------------------------------------------------------
// Power part

void MainWindow::on_powerPartAdd_triggered()
{
    // The type of the last device added, proposed for the next one.
    static int rememberedType = 0;
    CnfController &controller = project.controller();
    PowerPart part(controller);
    int address = 0;
    int id = 0;
    bool autoAssign = false;
    if (!part.keyedById()) {
        address = part.findFreeDeviceAddress(0);
        id = part.findFreeDeviceId(1);
    } else {
        const auto devices = controller.powerDevices();
        id = part.findFreeDeviceId(devices.isEmpty() ? 1 : devices.last()->id + 1);
        address = part.findFreeAddressFrom(id - 1);
        autoAssign = ui->auto_assign_key_data_by_id->isChecked();
    }
    if (address < 0) {
        printError(tr("Unable to add new device - no free addresses"));
        return;
    }
    const bool keyAllowed = part.countKeyDevices() + 1 <= part.maxPowerDeviceCount();
    auto device = CnfPowerDevicePtr::create();
    device->id = id;
    device->address = address;
    if (project.isTiverkII()) {
        device->type = CnfPowerDevice::Output;
        device->lampsCount = 1;
        rememberedType = device->type;
    } else if (project.isZuMolt()) {
        device->type = CnfPowerDevice::OutputZuMolt;
        device->lampsCount = 1;
        rememberedType = device->type;
    } else {
        device->type = rememberedType;
    }
    DevicePropertiesDlg dialog(this, controller, part.usesKeyModules(), device, keyAllowed, autoAssign,
                               ui->dev_name_prefix->text());
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.saveToDevice();
    rememberedType = device->type;
    QString error;
    if (!part.addPowerModule(device->address, &error)) {
        printError(error);
        return;
    }
    if (!controller.addPowerDevice(device))
        return;
    updatePowerPartTree();
    selectPowerDeviceItem(device->address);
    setChanged(true);
}

void MainWindow::on_powerPartTree_customContextMenuRequested(const QPoint &pos)
{
    QTreeWidget *tree = ui->powerPartTree;
    CnfController &controller = project.controller();
    PowerPart part(controller);
    QMenu menu(tree);
    menu.addAction(ui->powerPartAdd);
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    if (!selected.isEmpty()) {
        bool anyAssigned = false;
        bool anyCopyable = false;
        for (QTreeWidgetItem *item : selected) {
            if (item->childCount() > 0)
                continue;
            const CnfPowerDevicePtr device = part.deviceByKey(item->text(0).toInt());
            if (!device)
                continue;
            if (PowerPart::isKey(device->type) && controller.findPowerDeviceSg(device))
                anyAssigned = true;
            const int slot = device->address % 8;
            if (slot != 6 && slot != 7)
                anyCopyable = true;
        }
        if (anyAssigned)
            menu.addAction(tr("Free"), this, &MainWindow::powerPartFreeItems);
        if (!part.usesKeyModules() || anyCopyable)
            menu.addAction(tree->findChild<QAction *>(QStringLiteral("powerPartDuplicateItems")));
        menu.addSeparator();
        menu.addAction(tree->findChild<QAction *>(QStringLiteral("powerPartDelete")));
        if (selected.size() == 1 && isEditableDeviceItem(selected.first())) {
            menu.addSeparator();
            menu.addAction(tr("Properties"), this, &MainWindow::powerPartItemProperties);
        }
    }
    if (ui->actionMake_consecutive_addresses->isVisible() && controller.powerDevices().size() > 1)
        menu.addAction(ui->actionMake_consecutive_addresses);
    if (project.isTiverkII())
        menu.addAction(tree->findChild<QAction *>(QStringLiteral("sortDeviceItems")));
    menu.exec(tree->viewport()->mapToGlobal(pos));
}

void MainWindow::on_actionMake_consecutive_addresses_triggered()
{
    if (!PowerPart(project.controller()).makeConsecutiveAddresses())
        return;
    updatePowerPartTree();
    setChanged(true);
}

void MainWindow::powerPartDeleteItems()
{
    QTreeWidget *tree = ui->powerPartTree;
    QList<QTreeWidgetItem *> selected = tree->selectedItems();
    if (selected.isEmpty())
        return;
    QStringList lines;
    for (const QTreeWidgetItem *item : selected)
        lines << item->text(2) + QStringLiteral(" (") + item->text(0) + QLatin1Char(')');
    if (QMessageBox::question(this, tr("Removing"), tr("Following items will be deleted:\n") + lines.join('\n'),
                              QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    CnfController &controller = project.controller();
    const bool byId = PowerPart(controller).keyedById();
    const auto removeDevice = [&controller, byId](int key) {
        if (byId)
            controller.removePowerDeviceById(key);
        else
            controller.removePowerDevice(key);
    };
    while (!selected.isEmpty()) {
        QTreeWidgetItem *item = selected.takeFirst();
        for (int child = item->childCount() - 1; child >= 0; --child) {
            QTreeWidgetItem *childItem = item->child(child);
            selected.removeAll(childItem);
            removeDevice(childItem->data(0, Qt::EditRole).toInt());
        }
        removeDevice(item->text(0).toInt());
        QTreeWidgetItem *parent = item->parent();
        delete item;
        if (parent && parent->childCount() == 0) {
            selected.removeAll(parent);
            delete parent;
        }
    }
    updateSgTable(0);
    setChanged(true);
}

void MainWindow::powerPartDuplicateItems()
{
    QTreeWidget *tree = ui->powerPartTree;
    QList<QTreeWidgetItem *> selected = tree->selectedItems();
    std::stable_sort(selected.begin(), selected.end(), [](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        return a->data(0, Qt::EditRole).toInt() < b->data(0, Qt::EditRole).toInt();
    });
    PowerPart part(project.controller());
    QStringList copiedTexts;
    bool copied = false;
    QString error;
    bool failed = false;
    while (!selected.isEmpty() && !failed) {
        QTreeWidgetItem *item = selected.takeFirst();
        copiedTexts << item->text(0);
        QList<QTreeWidgetItem *> sources;
        if (item->childCount() > 0) {
            for (int child = 0; child < item->childCount(); ++child) {
                sources << item->child(child);
                selected.removeAll(item->child(child));
            }
        } else {
            sources << item;
        }
        for (QTreeWidgetItem *source : sources) {
            if (!part.duplicatePowerDevice(source->data(0, Qt::EditRole).toInt(), &error)) {
                failed = true;
                break;
            }
            copied = true;
        }
    }
    if (failed)
        printError(error);
    if (!copied)
        return;
    const bool animated = tree->isAnimated();
    tree->setAnimated(false);
    updatePowerPartTree();
    for (const QString &text : copiedTexts) {
        const auto items = tree->findItems(text, Qt::MatchFixedString | Qt::MatchRecursive, 0);
        for (QTreeWidgetItem *found : items) {
            if (found->parent())
                found->parent()->setExpanded(true);
        }
    }
    tree->setAnimated(animated);
    setChanged(true);
}

void MainWindow::powerPartFreeItems()
{
    QTreeWidget *tree = ui->powerPartTree;
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    if (selected.isEmpty())
        return;
    CnfController &controller = project.controller();
    PowerPart part(controller);
    for (QTreeWidgetItem *item : selected) {
        if (item->childCount() > 0)
            continue;
        const CnfPowerDevicePtr device = part.deviceByKey(item->text(0).toInt());
        if (!device || !PowerPart::isKey(device->type))
            continue;
        if (const CnfSignalGroupPtr group = controller.findPowerDeviceSg(device)) {
            group->unassignDevice(device);
            setPowerPartItemState(item, device, {});
            updateSgTable(group->id);
        }
    }
    tree->clearSelection();
    setChanged(true);
}

void MainWindow::powerPartItemProperties()
{
    const QList<QTreeWidgetItem *> selected = ui->powerPartTree->selectedItems();
    if (selected.size() != 1)
        return;
    QTreeWidgetItem *item = selected.first();
    bool ok = false;
    const int key = item->text(0).toInt(&ok);
    if (!ok) {
        printError(tr("Wrong device address"));
        return;
    }
    CnfController &controller = project.controller();
    PowerPart part(controller);
    const bool autoAssign = part.keyedById() && ui->auto_assign_key_data_by_id->isChecked();
    const CnfPowerDevicePtr device = part.deviceByKey(key);
    if (!device) {
        addLogMessage(tr("No device at address %1").arg(key), QtDebugMsg, true);
        return;
    }
    if (!isEditableDeviceItem(item, device))
        return;
    // The dialog edits a copy: the device changes only once the new address
    // has its module, so a refusal leaves it as it was.
    auto edited = CnfPowerDevicePtr::create(*device);
    DevicePropertiesDlg dialog(this, controller, part.usesKeyModules(), edited, true, autoAssign,
                               ui->dev_name_prefix->text());
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.saveToDevice();
    const CnfPowerDevicePtr byAddress = controller.findPowerDeviceByAddress(edited->address);
    const CnfPowerDevicePtr byId = controller.findPowerDevice(edited->id);
    if ((byAddress && byAddress != device) || (byId && byId != device)) {
        printError(byAddress && byAddress != device
                       ? tr("Power device with address %1 already exists").arg(edited->address)
                       : tr("Power device with id %1 already exists").arg(edited->id));
        return;
    }
    QString error;
    if (edited->address != device->address && !part.addPowerModule(edited->address, &error)) {
        printError(error);
        return;
    }
    *device = *edited;
    updatePowerPartTree();
    updateSgTable(0);
    selectPowerDeviceItem(device->address);
    setChanged(true);
}

void MainWindow::sortPowerPartTable()
{
    if (!project.isTiverkII())
        return;
    QList<CnfPowerDevicePtr> devices = project.controller().powerDevices();
    std::stable_sort(devices.begin(), devices.end(),
                     [](const CnfPowerDevicePtr &a, const CnfPowerDevicePtr &b) { return a->id < b->id; });
    project.controller().reorderPowerDevices(devices);
    updatePowerPartTree();
    setChanged(true);
}

// ---------------------------------------------------------------------------
// Signal groups

void MainWindow::on_sgAdd_triggered()
{
    CnfController &controller = project.controller();
    const int max = controller.getMaxSgCount();
    if (controller.signalGroups().size() + 1 > max) {
        printError(tr("Unable to add new signal group. Maximum numbers for given type of controller: %1").arg(max));
        return;
    }
    auto group = CnfSignalGroupPtr::create();
    int id = 1;
    while (controller.findSG(id))
        ++id;
    group->id = id;
    group->setType(0);
    SgPropertiesDlg dialog(this, group, controller);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.saveToSignalGroup();
    if (!controller.addSignalGroup(group)) {
        printError(controller.lastError());
        return;
    }
    if (!project.isNetworkEmpty()) {
        auto *drawing = new Halm58a::SignalGroup;
        drawing->setTlId(group->id);
        project.network()->addItem(drawing, findControllerGranule());
    }
    updateSgTable(0);
    updatePowerPartTree();
    updatePhasesTable();
    setChanged(true);
}

void MainWindow::on_sgTable_customContextMenuRequested(const QPoint &pos)
{
    QTableWidget *table = ui->sgTable;
    QMenu menu(table);
    menu.addAction(ui->sgAdd);
    const QList<int> rows = selectedItemRows(table);
    if (!rows.isEmpty()) {
        menu.addSeparator();
        menu.addAction(table->findChild<QAction *>(QStringLiteral("sgDelete")));
        menu.addAction(table->findChild<QAction *>(QStringLiteral("sgDuplicateItems")));
        menu.addAction(tr("Clear assigned connections"), this, &MainWindow::clearAssignedConnections);
        if (rows.size() == 1) {
            menu.addSeparator();
            menu.addAction(tr("Properties"), this, &MainWindow::sgItemProperties);
        }
    }
    menu.addAction(table->findChild<QAction *>(QStringLiteral("sortSgItems")));
    menu.exec(table->viewport()->mapToGlobal(pos));
}

void MainWindow::on_sgTable_rowOrderChanged()
{
    QTableWidget *table = ui->sgTable;
    QList<CnfSignalGroupPtr> order;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, 0);
        const CnfSignalGroupPtr group = item ? project.controller().findSG(item->text().toInt()) : nullptr;
        if (!group || order.contains(group))
            return;
        order << group;
    }
    project.controller().reorderSignalGroups(order);
    setChanged(true);
}

void MainWindow::sgDeleteItems()
{
    QTableWidget *table = ui->sgTable;
    const QList<int> rows = selectedItemRows(table);
    QList<QTableWidgetItem *> items;
    QStringList ids;
    for (int row : rows) {
        if (QTableWidgetItem *item = table->item(row, 0)) {
            items << item;
            ids << item->text();
        }
    }
    if (items.isEmpty())
        return;
    if (QMessageBox::question(this, tr("Removing"),
                              tr("Following signal groups will be deleted:\n") + ids.join(QLatin1Char(',')),
                              QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    for (QTableWidgetItem *item : items) {
        const QString id = item->text();
        project.controller().removeSignalGroup(id.toInt());
        if (Halm58a::Network *network = project.network()) {
            if (auto *drawing = network->findChild<Halm58a::SignalGroup *>(id))
                delete drawing;
        }
        table->removeRow(item->row());
    }
    updatePhasesTable();
    updatePowerPartTree();
    setChanged(true);
}

void MainWindow::sgDuplicateItems()
{
    QTableWidget *table = ui->sgTable;
    QList<int> rows = selectedItemRows(table);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty())
        return;
    CnfController &controller = project.controller();
    int start = -1;
    bool copied = false;
    for (int row : rows) {
        const QTableWidgetItem *item = table->item(row, 0);
        const CnfSignalGroupPtr source = item ? controller.findSG(item->text().toInt()) : nullptr;
        if (!source)
            continue;
        if (start < 0)
            start = source->id;
        int id = start;
        while (id < 65535 && controller.findSG(id))
            ++id;
        if (id >= 65535) {
            printError(tr("Unable to duplicate signal group %1 - no free numbers").arg(source->id));
            break;
        }
        QStringList names;
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            names << group->name;
        auto copy = CnfSignalGroupPtr::create();
        copy->id = id;
        copy->name = PowerPart::makeUniqueName(source->name, names);
        copy->setType(source->type);
        for (const QByteArray &name : source->dynamicPropertyNames())
            copy->setProperty(name.constData(), source->property(name.constData()));
        // Interstate records and detector addresses are plain values here:
        // the copy gets its own, equal to the source's.
        copy->interstates = source->interstates;
        copy->detectorAddresses = source->detectorAddresses;
        if (controller.addSignalGroup(copy))
            copied = true;
    }
    if (!copied)
        return;
    updateSgTable(0);
    setChanged(true);
}

void MainWindow::sgItemProperties()
{
    QTableWidget *table = ui->sgTable;
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    if (selected.isEmpty())
        return;
    const QTableWidgetItem *item = table->item(selected.first()->row(), 0);
    if (!item)
        return;
    const CnfSignalGroupPtr group = project.controller().findSG(item->text().toInt());
    if (!group)
        return;
    const int oldId = group->id;
    SgPropertiesDlg dialog(this, group, project.controller());
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.saveToSignalGroup();
    // The drawing follows a new number, or the map would lose the group.
    if (group->id != oldId) {
        if (Halm58a::SignalGroup *drawing = findNetworkGroup(granuleSignalGroups(), oldId))
            drawing->setTlId(group->id);
    }
    updateSgTable(0);
    updatePowerPartTree();
    updatePhasesTable();
    setChanged(true);
}

void MainWindow::sortSgTable()
{
    QList<CnfSignalGroupPtr> groups = project.controller().signalGroups();
    std::stable_sort(groups.begin(), groups.end(),
                     [](const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b) { return a->id < b->id; });
    project.controller().reorderSignalGroups(groups);
    updateSgTable(0);
    setChanged(true);
}

// ---------------------------------------------------------------------------
// Phases

void MainWindow::on_phaseAdd_triggered()
{
    CnfController &controller = project.controller();
    auto phase = CnfPhasePtr::create();
    const int max = controller.getMaxPhaseCount();
    if (controller.phases().size() + 1 > max) {
        printError(tr("Unable to add new phase. Maximum numbers for given type of controller: %1").arg(max));
        return;
    }
    phase->id = PhasesTable::freeId(controller);
    if (project.isTiverk()) {
        phase->minTime = 10;
        phase->maxTime = 60;
    }
    // The dialog shows the phase on the map: without a network the phase is
    // added as it is.
    if (project.network()) {
        PhaseDlg dialog(this, phase, &controller, project.network());
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        dialog.saveToPhase();
    }
    controller.addPhase(phase);
    updatePhasesTable();
    setChanged(true);
}

void MainWindow::on_phasesTable_customContextMenuRequested(const QPoint &pos)
{
    QTableWidget *table = ui->phasesTable;
    QMenu menu(table);
    menu.addAction(ui->phaseAdd);
    const QStringList ids = textsOf(selectedIdItems(table));
    if (!ids.isEmpty())
        menu.addAction(table->findChild<QAction *>(QStringLiteral("phaseDelete")));
    if (ids.size() == 2 && !project.isTiverk()) {
        const auto entries = PhasesTable::transitionEntries(project.controller(), ids.first(), ids.last());
        for (const PhasesTable::TransitionEntry &entry : entries)
            menu.addAction(entry.text)->setData(entry.phases);
    }
    if (ids.size() == 1) {
        menu.addSeparator();
        menu.addAction(tr("Properties"), this, &MainWindow::phaseItemProperties);
    }
    menu.addAction(table->findChild<QAction *>(QStringLiteral("sortPhaseItems")));
    menu.exec(table->viewport()->mapToGlobal(pos));
}

void MainWindow::on_phasesTable_rowOrderChanged()
{
    QTableWidget *table = ui->phasesTable;
    QList<CnfPhasePtr> order;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, 0);
        const CnfPhasePtr phase = item ? project.controller().findPhase(item->text()) : CnfPhasePtr();
        if (!phase || order.contains(phase))
            return;
        order << phase;
    }
    project.controller().reorderPhases(order);
    setChanged(true);
}

void MainWindow::phaseDeleteItems()
{
    QTableWidget *table = ui->phasesTable;
    if (table->selectedItems().isEmpty())
        return;
    const QList<QTableWidgetItem *> items = selectedIdItems(table);
    const PhasesTable::Removal removal = PhasesTable::planRemoval(project.controller(), textsOf(items));
    if (!confirmRemoval(this, removal.question))
        return;
    PhasesTable::remove(project.controller(), removal);
    for (QTableWidgetItem *item : items)
        table->removeRow(item->row());
    // The programs' phase column names what is left.
    updateProgramsTable();
    setChanged(true);
}

void MainWindow::phaseItemProperties()
{
    const QTableWidgetItem *idItem = firstSelectedIdItem(ui->phasesTable);
    if (!idItem)
        return;
    CnfController &controller = project.controller();
    const CnfPhasePtr phase = controller.findPhase(idItem->text());
    if (!phase)
        return;
    if (project.network()) {
        PhaseDlg dialog(this, phase, &controller, project.network());
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        dialog.saveToPhase();
    }
    on_phasesTable_itemSelectionChanged();
    updatePhasesTable();
    setChanged(true);
}

void MainWindow::sortPhasesTable()
{
    QList<CnfPhasePtr> phases = project.controller().phases();
    // Numeric ids; text that is no number counts as 0 and keeps its place.
    std::stable_sort(phases.begin(), phases.end(),
                     [](const CnfPhasePtr &a, const CnfPhasePtr &b) { return a->id.toInt() < b->id.toInt(); });
    project.controller().reorderPhases(phases);
    updatePhasesTable();
    setChanged(true);
}

// ---------------------------------------------------------------------------
// Programs

void MainWindow::on_actionAddProgram_triggered()
{
    CnfController &controller = project.controller();
    const int max = controller.getMaxProgramCount();
    if (controller.programs().size() + 1 > max) {
        printError(tr("Unable to add new program. Maximum count program for given type of controller: %1").arg(max));
        return;
    }
    if (project.isZuMolt()) {
        ProgramDlgZU_MOLT dialog(this, {}, &controller);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        controller.addProgram(dialog.program());
    } else if (project.isTiverkII()) {
        if (!project.network()) {
            programsChanged(true);
            return;
        }
        ProgramTiverk2Dlg dialog(this, {}, &controller, project.network(), false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        controller.addProgram(dialog.program());
    } else {
        ProgramDlg dialog(this, {}, &controller, false, nullptr);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        controller.addProgram(dialog.program());
    }
    programsChanged(true);
}

void MainWindow::programsChanged(bool refresh)
{
    if (refresh)
        updateProgramsTable();
    setChanged(true);
}

void MainWindow::on_progTable_customContextMenuRequested(const QPoint &pos)
{
    QTableWidget *table = ui->progTable;
    QMenu menu(table);
    menu.addAction(table->findChild<QAction *>(QStringLiteral("progAdd")));
    if (!table->selectedItems().isEmpty()) {
        menu.addAction(table->findChild<QAction *>(QStringLiteral("progDelete")));
        menu.addAction(table->findChild<QAction *>(QStringLiteral("programDuplicateItems")));
    }
    menu.addAction(table->findChild<QAction *>(QStringLiteral("sortProgItems")));
    menu.exec(table->viewport()->mapToGlobal(pos));
}

void MainWindow::on_progTable_rowOrderChanged()
{
    QList<CnfProgramPtr> order;
    if (!ProgramsTable::orderOfRows(ui->progTable, project.controller(), &order))
        return;
    project.controller().reorderPrograms(order);
    programsChanged(false);
}

void MainWindow::programsDeleteItems()
{
    QTableWidget *table = ui->progTable;
    if (table->selectedItems().isEmpty())
        return;
    const ProgramsTable::Removal removal =
        ProgramsTable::planRemoval(project.controller(), textsOf(selectedIdItems(table)));
    if (!confirmRemoval(this, removal.question))
        return;
    ProgramsTable::remove(project.controller(), removal);
    programsChanged(true);
}

void MainWindow::programDuplicateItems()
{
    QTableWidget *table = ui->progTable;
    QStringList ids;
    QList<int> rows;
    for (const QTableWidgetItem *item : table->selectedItems()) {
        if (rows.contains(item->row()))
            continue;
        rows << item->row();
        if (const QTableWidgetItem *idItem = table->item(item->row(), 0))
            ids << idItem->text();
    }
    ProgramsTable::duplicate(project.controller(), ids);
    programsChanged(true);
}

void MainWindow::programsItemProperties()
{
    QTableWidget *table = ui->progTable;
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    if (selected.isEmpty())
        return;
    const QTableWidgetItem *idItem = table->item(selected.first()->row(), 0);
    if (!idItem)
        return;
    CnfController &controller = project.controller();
    const CnfProgramPtr program = controller.findProgram(idItem->text());
    if (!program)
        return;
    CnfProgramPtr result;
    if (project.isZuMolt()) {
        ProgramDlgZU_MOLT dialog(this, program, &controller);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        result = dialog.program();
    } else if (!project.network()) {
        // The other program dialogs need the road network: without one no
        // dialog opens.
        programsChanged(true);
        return;
    } else if (project.isTiverkII()) {
        ProgramTiverk2Dlg dialog(this, program, &controller, project.network(), false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        result = dialog.program();
    } else {
        ProgramDlg dialog(this, program, &controller, false, project.network());
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        result = dialog.program();
    }
    program->clone(result);
    programsChanged(true);
}

void MainWindow::sortProgramsTable()
{
    project.controller().reorderPrograms(ProgramsTable::sortedById(project.controller().programs()));
    programsChanged(true);
}

// ---------------------------------------------------------------------------
// Matrices

void MainWindow::matrixAdd()
{
    CnfController &controller = project.controller();
    const CnfMatrixPtr matrix = MatricesTable::newMatrix(controller);
    if (Halm58a::Network *network = project.network()) {
        MatrixDlg dialog(this, &controller, matrix, network, false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
    }
    controller.addMatrix(matrix, false, false);
    updateMatricesTable();
    setChanged(true);
}

void MainWindow::matricesDeleteItems()
{
    QTableWidget *table = ui->matricesTable;
    const QList<QTableWidgetItem *> items = idItemsOfSelectedRows(table);
    if (table->selectedItems().isEmpty())
        return;
    for (QTableWidgetItem *item : items) {
        project.controller().removeMatrix(item->text().toInt());
        table->removeRow(item->row());
    }
    setChanged(true);
}

void MainWindow::matricesItemProperties()
{
    QTableWidget *table = ui->matricesTable;
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    // A double click on a choice column ticks it; it opens nothing.
    if (selected.isEmpty() || selected.first()->column() == MatricesTable::DefaultColumn
        || selected.first()->column() == MatricesTable::SafetyColumn)
        return;
    const QTableWidgetItem *idItem = firstSelectedIdItem(table);
    CnfController &controller = project.controller();
    const CnfMatrixPtr matrix = idItem ? controller.findMatrix(idItem->text().toInt()) : CnfMatrixPtr();
    if (!matrix)
        return;
    if (Halm58a::Network *network = project.network()) {
        MatrixDlg dialog(this, &controller, matrix, network, false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
    }
    updateMatricesTable();
    setChanged(true);
}

void MainWindow::matricesitemChanged(QTableWidgetItem *item)
{
    QTableWidget *table = item ? item->tableWidget() : nullptr;
    const int column = item ? item->column() : -1;
    if (!table || (column != MatricesTable::DefaultColumn && column != MatricesTable::SafetyColumn))
        return;
    const QSignalBlocker blocker(table);
    if (!item->data(Qt::EditRole).toBool()) {
        // One matrix always stays chosen: a choice is changed by ticking another row.
        setTableCellValue(table, item->row(), column, true, true);
        return;
    }
    CnfController &controller = project.controller();
    const CnfMatrixPtr matrix =
        controller.findMatrix(tableCellValue(table, item->row(), MatricesTable::IdColumn).toInt());
    if (matrix) {
        if (column == MatricesTable::SafetyColumn)
            controller.setSafetyMatrix(matrix);
        else
            controller.setDefaultMatrix(matrix);
    }
    setChanged(true);
    for (int row = table->rowCount() - 1; row >= 0; --row) {
        if (row != item->row() && tableCellValue(table, row, column).toBool())
            setTableCellValue(table, row, column, false, true);
    }
}

// ---------------------------------------------------------------------------
// Detectors and sensors

void MainWindow::addDetectorOrSensor(bool sensor)
{
    CnfController &controller = project.controller();
    const auto element = CnfDetectorPtr::create();
    if (sensor)
        element->setSensor(true);
    element->setId(DetectorsTable::freeId(controller, sensor));
    DetectorsDlg dialog(&controller, element, true, this);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    if (sensor)
        controller.addSensor(element);
    else
        controller.addDetector(element);
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::editDetectorOrSensor(bool sensor)
{
    const QTableWidgetItem *idItem = firstSelectedIdItem(sensor ? ui->sensorsTable : ui->detectorsTable);
    if (!idItem)
        return;
    CnfController &controller = project.controller();
    const int id = idItem->text().toInt();
    const CnfDetectorPtr element = sensor ? controller.findSensor(id) : controller.findDetector(id);
    if (!element)
        return;
    DetectorsDlg dialog(&controller, element, false, this);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::deleteDetectorsOrSensors(bool sensor)
{
    QTableWidget *table = sensor ? ui->sensorsTable : ui->detectorsTable;
    if (table->selectedItems().isEmpty())
        return;
    CnfController &controller = project.controller();
    for (QTableWidgetItem *item : idItemsOfSelectedRows(table)) {
        const int id = item->text().toInt();
        const CnfDetectorPtr element = sensor ? controller.findSensor(id) : controller.findDetector(id);
        if (!element)
            continue;
        DetectorsTable::removeReferences(controller, *element, project.isZuMolt());
        if (sensor)
            controller.removeSensor(id);
        else
            controller.removeDetector(id);
        table->removeRow(item->row());
    }
    setChanged(true);
}

void MainWindow::storeDetectorsOrSensorsOrder(bool sensor)
{
    QList<CnfDetectorPtr> order;
    CnfController &controller = project.controller();
    if (!DetectorsTable::orderOfRows(sensor ? ui->sensorsTable : ui->detectorsTable, controller, sensor, &order))
        return;
    if (sensor)
        controller.reorderSensors(order);
    else
        controller.reorderDetectors(order);
    setChanged(true);
}

void MainWindow::sortDetectorsOrSensors(bool sensor)
{
    CnfController &controller = project.controller();
    if (sensor)
        controller.reorderSensors(DetectorsTable::sortedById(controller.sensorsList()));
    else
        controller.reorderDetectors(DetectorsTable::sortedById(controller.detectorsList()));
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::on_detectorsTable_rowOrderChanged()
{
    storeDetectorsOrSensorsOrder(false);
}

void MainWindow::on_sensorsTable_rowOrderChanged()
{
    storeDetectorsOrSensorsOrder(true);
}

void MainWindow::on_dtModules_clicked()
{
    DetectorModulesDlg dialog(&project.controller(), this);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::detectorsAdd()
{
    addDetectorOrSensor(false);
}

void MainWindow::detectorsDeleteItems()
{
    deleteDetectorsOrSensors(false);
}

void MainWindow::detectorsItemProperties()
{
    editDetectorOrSensor(false);
}

void MainWindow::sortDtTable()
{
    sortDetectorsOrSensors(false);
}

void MainWindow::sensorsAdd()
{
    addDetectorOrSensor(true);
}

void MainWindow::sensorsDeleteItems()
{
    deleteDetectorsOrSensors(true);
}

void MainWindow::sensorsItemProperties()
{
    editDetectorOrSensor(true);
}

void MainWindow::sortSensTable()
{
    sortDetectorsOrSensors(true);
}

// ---------------------------------------------------------------------------
// Outputs

void MainWindow::outputsChanged()
{
    updateOutputsTable();
    setChanged(true);
}

void MainWindow::outputsAdd()
{
    OutputsDlg dialog(&project.controller(), 0, this);
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        outputsChanged();
}

void MainWindow::outputsDeleteItems()
{
    QTableWidget *table = ui->outputsTable;
    if (table->selectedItems().isEmpty())
        return;
    for (QTableWidgetItem *item : idItemsOfSelectedRows(table)) {
        OutputsTable::remove(project.controller(), item->text().toInt());
        table->removeRow(item->row());
    }
    outputsChanged();
}

void MainWindow::outputsItemProperties()
{
    const QTableWidgetItem *idItem = firstSelectedIdItem(ui->outputsTable);
    if (!idItem)
        return;
    OutputsDlg dialog(&project.controller(), idItem->text().toInt(), this);
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        outputsChanged();
}

void MainWindow::sortOutputsTable()
{
    if (OutputsTable::sortById(project.controller()))
        outputsChanged();
}
