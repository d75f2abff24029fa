#pragma once

#include "halm58a/netobject.h"
#include "halm58a/signalplan.h"
#include "netobjecteditor.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QObjectList>
#include <QPointF>
#include <QPointer>
#include <QTreeWidget>
#include <QtGlobal>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QWidget;
class TileView;

namespace Halm58a {
class Node;
class Lane;
} // namespace Halm58a

namespace Halm58ga {

class GenericGraphicsItem;
class Networkg;

// The network editor: an object tree and a property table of the selected
// object, selection kept in step between the tree and the map, drawing tools,
// layer switches and the context menu of the map.
//
// The editor owns its widgets and actions until the caller puts them into
// its own window; tool bars are made on request and belong to the caller.
// Messages for the user go out through logMessage. Nothing is downloaded
// (there is no network service): junction download and the panorama only
// report that they are not available.
class NetEdit : public QObject
{
    Q_OBJECT
public:
    enum Tool { SelectTool, NodeTool, EdgeTool, ConnectionTool, CrossWalkTool, DetectorTool };

    NetEdit(Networkg *network, TileView *view, QObject *parent = nullptr);
    ~NetEdit() override;

    QWidget *objectsTree() const;
    QWidget *objectEditor() const;
    QTreeWidget *tree() const { return m_tree; }
    NetObjectEditor *editor() const { return m_editor; }

    // Drawing tools, "Add lane", "Signal group from selection" and "Delete".
    QList<QAction *> inputActions() const { return m_inputActions; }
    // One switch per layer.
    QList<QAction *> viewActions() const { return m_viewActions; }
    // Actions that need an open document: junction download and panorama.
    QList<QAction *> dbActions() const { return m_dbActions; }
    QToolBar *createInputToolbar();
    QToolBar *createDBToolbar();
    QToolBar *createViewToolbar();

    // The signal programs of the controller with the given number, whose junction the
    // export dialog writes for SUMO; without a source or a plan the junction is written
    // without programs.
    using SignalPlanSource = std::function<QList<Halm58a::SignalPlan>(int number)>;
    void setSignalPlanSource(SignalPlanSource source) { m_planSource = std::move(source); }

    Tool tool() const { return m_tool; }
    void setTool(Tool tool);

    void setLayerVisible(const QString &name, bool visible);
    // Adds the object to the selection of the tree and of the map; a signal
    // group selects the items of its connections and crosswalks.
    void selectObjectInTree(Halm58a::NetObject *object);
    // The objects selected on the map, then those selected only in the tree.
    QObjectList selectedObjects() const;

    // The map's context menu for the current selection: beforeContextMenu goes
    // out first, with the menu still empty, then the editor adds its own
    // entries. The caller owns the menu.
    QMenu *createContextMenu(QWidget *parent = nullptr);

public slots:
    void clear();
    void beforeLoad();
    void afterLoad();
    void objectAdded(Halm58a::NetObject *object, QTreeWidgetItem *parentItem = nullptr);
    void downloadGranule(const QString &number);
    // The export dialog, opened on the SUMO format: writes the chosen format and
    // reports the outcome through logMessage.
    void runExportDialog(const QString &networkDir, const QString &dotDir, int number);
    void showPanoramaSetupDlg(QWidget *parent);
    void deleteSelected();
    void createSignalGroupFromSelection();
    // Adds a lane on the left of every selected edge (or edge of a selected lane).
    void addLaneToSelection();

signals:
    void logMessage(const QString &text, QtMsgType type);
    void beforeContextMenu(QObjectList objects, QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeActions();
    QToolBar *makeToolBar(const QString &name, const QString &title,
                          const QList<QAction *> &actions);
    void rebuildTree();
    void clearTree();
    // Selects a tree item and makes it visible; false for none.
    bool revealTreeItem(QTreeWidgetItem *item);
    void forgetTreeItem(QTreeWidgetItem *item);
    void objectRemoved(Halm58a::NetObject *object);
    void objectModified(Halm58a::NetObject *object);
    void treeSelectionChanged();
    void updateDeleteAction();
    void endSync();
    void sceneSelectionChanged();
    void showInEditor(Halm58a::NetObject *object);
    QList<GenericGraphicsItem *> itemsOf(Halm58a::NetObject *object) const;
    QString label(const Halm58a::NetObject *object) const;
    void mapClicked(const QPoint &viewPos);
    GenericGraphicsItem *itemAt(const QPoint &viewPos, const QList<int> &types) const;
    Halm58a::Node *nodeAtOrNew(const QPoint &viewPos);
    Halm58a::Node *nearestNode(const QPointF &plane) const;
    void exportSumo(const QString &folder, int number);
    void showContextMenu(const QPoint &viewPos, const QPoint &globalPos);

    QPointer<Networkg> m_network;
    QPointer<TileView> m_view;
    QPointer<QTreeWidget> m_tree;
    QPointer<NetObjectEditor> m_editor;
    QHash<Halm58a::NetObject *, QTreeWidgetItem *> m_treeItems;
    QHash<QTreeWidgetItem *, Halm58a::NetObject *> m_treeObjects;
    QList<QAction *> m_inputActions;
    QList<QAction *> m_viewActions;
    QList<QAction *> m_dbActions;
    QActionGroup *m_toolGroup = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_groupAction = nullptr;
    QAction *m_addLaneAction = nullptr;
    SignalPlanSource m_planSource;
    Tool m_tool = SelectTool;
    bool m_loading = false;
    bool m_syncing = false;
    // The first click of a two-click tool.
    QPointer<Halm58a::NetObject> m_pending;
    QPointF m_pendingPoint;
    bool m_hasPendingPoint = false;
};

} // namespace Halm58ga
