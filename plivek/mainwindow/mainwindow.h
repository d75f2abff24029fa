#pragma once

#include "cnf/cnffwd.h"
#include "cnf/cnfreferences.h"
#include "plivek/document/project.h"

#include <QMainWindow>
#include <QObjectList>
#include <QPoint>
#include <QProcess>

class QAction;
class QCloseEvent;
class QMenu;
class QTableWidgetItem;
class QTreeWidgetItem;

namespace Ui {
class MainWindow;
}
namespace Halm58a {
class Detector;
class Granule;
class NetObject;
class SignalGroup;
} // namespace Halm58a
namespace Halm58ga {
class NetEdit;
}

// The main window of plivek. It owns the open document (Project) for its whole
// life, the form (menus, tool bars, the map view and the docks with the element
// tables) and, from the first load or New on, the network editor of the map.
//
// The window is either without document (noDocument: the document actions and
// element docks disabled, tables empty) or with one. Every message goes to the
// message table; a critical one may also pop up a box. Settings live in the
// per-user store (organisation "tovel", application "plivek").
class MainWindow : public QMainWindow
{
    Q_OBJECT
    // Each area of the window is defined in the file named beside its group
    // below; an area file holds its table's commands, refresh and selection.
public:
    // The frame (mainwindow.cpp).
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Offers to bring back a document saved by a crash; true when the user chose
    // to recover (whether or not the copy could be loaded).
    bool recoverCrashSave();

    // The open document (empty while the window has none).
    Project &document() { return project; }

    // Closes the document when the user agrees (a changed one is offered for
    // saving); true when the window is left without a document.
    bool closeDocument();

    // Brings menus, actions, docks and titles in step with the document: whether
    // one is open, its family and version. The changed flag is kept.
    void updateActions();
    // "number (description), type version" of the controller above the map.
    void updateTitleLabel();
    // The program's title, the file name and "*" while the document is changed.
    void updateWindowTitle();

    // Update check (mainwindowupdatecheck.cpp).
    // The end of an update check: when the maintenance tool knows of a newer
    // version, asks whether to start the update. Connected by hand, as the
    // form has nothing of this name.
    void on_check_update_finished(int exitCode, QProcess::ExitStatus exitStatus);

    // Element tables, each rebuilt from the configuration.
    // Power part (mainwindowpowerpart.cpp).
    void updatePowerPartTree();
    // Column 0 (address, or id for TIVERK II and ZU_MOLT), name, type, and for
    // keys the assigned group and the lamp icon.
    void setPowerPartItemState(QTreeWidgetItem *item, const CnfPowerDevicePtr &device,
                               const CnfSignalGroupPtr &group);
    // Selects the device's item and opens its module.
    void selectPowerDeviceItem(int address);
    // Whether the properties dialog may open for the item; a null device is
    // resolved from the item.
    bool isEditableDeviceItem(QTreeWidgetItem *item, CnfPowerDevicePtr device = {}) const;
    // Phases (mainwindowphases.cpp).
    void updatePhasesTable();
    // Programs (mainwindowprograms.cpp).
    void updateProgramsTable();
    // Detectors and sensors (mainwindowdetectors.cpp).
    void updateDetectorsTables();
    // Outputs (mainwindowoutputs.cpp).
    void updateOutputsTable();
    // Matrices (mainwindowmatrices.cpp).
    void updateMatricesTable();

    // Loading (mainwindowloading.cpp).
    // The network's granule whose tlId is the controller's number; null when
    // none. The caller makes sure that there is a network.
    Halm58a::Granule *findControllerGranule() const;
    // Tells the network editor about every object of the freshly loaded network.
    void notifyNetEditAfterLoad();
    // Fits the map to the nodes of the controller's granule.
    void fitNetworkInView();

    // Network editor coupling (mainwindownetworkeditor.cpp).
    // Creates the network editor and puts its tree, property editor, actions and
    // tool bars into the window; does nothing once it exists.
    void initNetEdit();

    // Document commands (mainwindowdocumentcommands.cpp).
    // Checks the programs before a save; false when the save must not go on.
    bool validatePrograms();

public slots:
    // Loading (mainwindowloading.cpp).
    // Loads a document into the window (an empty path lets the user choose).
    // Everything that happens is reported in the message table.
    void loadDocument(const QString &doc_file);
    // Fetches the controller's junction through the network editor.
    void loadGranule();

    // The frame (mainwindow.cpp).
    // Saves the changed document aside in the temporary folder; called by the
    // crash handler without an event loop, so it shows nothing.
    void crashSave();
    // Marks the document changed (or not), updates the title and Save.
    void setChanged(bool changed = true);
    void setStyle(QAction *action);
    void debugAction();

    // Message table (mainwindowmessagetable.cpp). Before the form exists
    // messages go to the toolkit's log.
    void addLogMessage(const QString &text, QtMsgType level = QtDebugMsg,
                       bool popupCriticalErrors = true);
    void printInfo(const QString &text);
    void printWarning(const QString &text);
    void printError(const QString &text);
    void clearMessageTable();

    // Network editor coupling (mainwindownetworkeditor.cpp).
    void netChanged(bool changed);
    void netObjectRemoved(Halm58a::NetObject *object);
    void beforeNetEditContextMenu(QObjectList sel_objects, QMenu *m);
    void assignItemsToSg();
    void removeItemsFromSg();
    void clearAssignedConnections();

    // Document commands (mainwindowdocumentcommands.cpp).
    void openRecentFile(QAction *action);

    // Map and network commands (mainwindowmapcommands.cpp).
    void runExportDialog();

    // Power part (mainwindowpowerpart.cpp).
    void powerPartDeleteItems();
    void powerPartDuplicateItems();
    void powerPartItemProperties();
    void powerPartFreeItems();
    void sortPowerPartTable();

    // Signal groups (mainwindowsignalgroups.cpp).
    // Signal-group table; sg_id 0 rebuilds the whole table.
    void updateSgTable(int sg_id = 0);
    void sgDeleteItems();
    void sgDuplicateItems();
    void sgItemProperties();
    void sortSgTable();

    // Phases (mainwindowphases.cpp).
    void phaseDeleteItems();
    void phaseItemProperties();
    void sortPhasesTable();

    // Programs (mainwindowprograms.cpp).
    void programsDeleteItems();
    void programDuplicateItems();
    void programsItemProperties();
    void sortProgramsTable();
    // The end of every change of programs: the table rebuilt (unless the
    // rows are already in place) and the document marked changed.
    void programsChanged(bool refresh);
    // Asks before a program takes an id that day cards name from a deleted
    // program (they would run it); true when none does or the user says Yes.
    bool confirmTakeOver(const QString &programId);

    // Matrices (mainwindowmatrices.cpp).
    void matrixAdd();
    void matricesDeleteItems();
    void matricesItemProperties();
    void matricesitemChanged(QTableWidgetItem *item);

    // Detectors and sensors (mainwindowdetectors.cpp).
    void detectorsAdd();
    void detectorsDeleteItems();
    void detectorsItemProperties();
    void sortDtTable();
    void sensorsAdd();
    void sensorsDeleteItems();
    void sensorsItemProperties();
    void sortSensTable();

    // Outputs (mainwindowoutputs.cpp).
    void outputsAdd();
    void outputsDeleteItems();
    void outputsItemProperties();
    void sortOutputsTable();

protected:
    // The frame (mainwindow.cpp).
    void closeEvent(QCloseEvent *event) override;

private slots:
    // Slots connected by name to the form's actions and widgets.
    // The frame (mainwindow.cpp).
    void on_actionClose_triggered();
    void on_actionExpert_mode_triggered(bool checked);

    // Document commands (mainwindowdocumentcommands.cpp).
    void on_actionNew_triggered();
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionSave_As_triggered();

    // Dialog launchers (mainwindowdialoglaunchers.cpp).
    void on_actionInfoPart_triggered();
    void on_actionCalendar_triggered();
    void on_actionVPU_triggered();
    void on_actionAsud_triggered();
    void on_actionTablo_triggered();
    void on_actionErrControl_triggered();
    void on_actionDtStat_triggered();
    void on_actionCommon_triggered();
    void on_actionSynchronizer_triggered();
    void on_actionConflictMatrix_triggered();
    void on_actionInterstates_triggered();
    void on_actionIndication_triggered();
    void on_sg_defaults_clicked();

    // Map and network commands (mainwindowmapcommands.cpp).
    void on_actionImport_halm58_triggered();
    void on_actionHalm58_triggered();
    void on_actionDOT_graph_triggered();
    void on_actionController_configuration_triggered();
    void on_actionShow_all_triggered();
    void on_actionGo_to_point_triggered();
    void on_actionMap_opacity_triggered();
    void on_actionSmooth_triggered(bool checked);
    void on_actionColor_settings_triggered();
    void on_actionGoogle_panorama_triggered();

    // Update check (mainwindowupdatecheck.cpp).
    void on_actionCheck_for_update_triggered(bool checked);

    // Power part (mainwindowpowerpart.cpp).
    void on_powerPartAdd_triggered();
    void on_powerPartTree_customContextMenuRequested(const QPoint &pos);
    void on_actionMake_consecutive_addresses_triggered();
    // Signal groups (mainwindowsignalgroups.cpp).
    void on_sgAdd_triggered();
    void on_sgTable_customContextMenuRequested(const QPoint &pos);
    void on_sgTable_rowOrderChanged();
    void on_sgTable_itemSelectionChanged();
    // Phases (mainwindowphases.cpp).
    void on_phaseAdd_triggered();
    void on_phasesTable_customContextMenuRequested(const QPoint &pos);
    void on_phasesTable_rowOrderChanged();
    void on_phasesTable_itemSelectionChanged();
    // Programs (mainwindowprograms.cpp).
    void on_actionAddProgram_triggered();
    void on_progTable_customContextMenuRequested(const QPoint &pos);
    void on_progTable_rowOrderChanged();
    // Detectors and sensors (mainwindowdetectors.cpp).
    void on_detectorsTable_rowOrderChanged();
    void on_detectorsTable_itemSelectionChanged();
    void on_sensorsTable_rowOrderChanged();
    void on_dtModules_clicked();

private:
    // The frame (mainwindow.cpp).
    void createStyleMenu(const QString &storedStyle);
    void createTableActions();
    void scrollDockContents();
    void arrangeDocks();
    // Recent files (mainwindowrecentfiles.cpp).
    void createRecentFileEntries();
    void readRecentFiles();
    void writeRecentFiles() const;
    void putRecentFileFirst(const QString &path);
    // Loading (mainwindowloading.cpp).
    // Matches the network's signal groups with the controller's; true when
    // groups had to be added to the network.
    bool reconcileNetwork();
    void deriveDevicePrefix();
    // Power part (mainwindowpowerpart.cpp).
    void fitPowerPartDockToColumns();
    // Dialog launchers (mainwindowdialoglaunchers.cpp).
    // The common parameters of a ZU_MOLT configuration.
    void editZuMoltCommonParameters();
    // Sets the controller's number and gives the junction of the network the
    // same number and name.
    void storeControllerNumber(const QVariant &number);
    // Document commands (mainwindowdocumentcommands.cpp).
    void reportSaveWarnings();
    // Detectors and sensors (mainwindowdetectors.cpp).
    // Detectors (sensor false) and sensors: the work behind the table actions.
    void addDetectorOrSensor(bool sensor);
    void editDetectorOrSensor(bool sensor);
    void deleteDetectorsOrSensors(bool sensor);
    void storeDetectorsOrSensorsOrder(bool sensor);
    void sortDetectorsOrSensors(bool sensor);
    // The detectors drawn on the lanes and connections of the controller's
    // junction, each once; none without network or granule.
    QList<Halm58a::Detector *> granuleDetectors() const;
    // The junction's map detectors that stand for controller detector id
    // stand for newId afterwards (0: for none).
    void retargetMapDetectors(int id, int newId);
    // Outputs (mainwindowoutputs.cpp).
    // The end of every change of outputs: the table rebuilt, the document changed.
    void outputsChanged();
    // New names (mainwindownames.cpp).
    // After an element's dialog gave it a new name: the places naming it by
    // its old one (`element.name`) follow, asked first where another element
    // has either name or id; one line in the message table per place.
    void followNewName(const CnfReferences::Element &element, const QString &newName);
    // Network editor coupling (mainwindownetworkeditor.cpp).
    // The signal groups of the controller's granule; none without network or granule.
    QList<Halm58a::SignalGroup *> granuleSignalGroups() const;

    Ui::MainWindow *ui;
    Project project;
    bool noDocument = true;
    // Set by the first start's arrangement: the first document's power part
    // may widen its dock to show the whole states.
    bool fitPowerPartDock = false;
    bool importingNetwork = false;
    Halm58ga::NetEdit *netEdit = nullptr;
};
