#include "netedit.h"

#include "exportdlg.h"
#include "genericgraphicsitem.h"
#include "layer.h"
#include "netobjecteditor.h"
#include "networkg.h"

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
#include "halm58a/sumowriter.h"
#include "mapview/tileview.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QDir>
#include <QGraphicsScene>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineF>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>
#include <QTreeWidget>

namespace Halm58ga {

namespace {

enum TreeColumn { ObjectColumn, IdColumn, TreeColumnCount };

// Distance along a polyline to the point of it nearest to p.
double distanceAlong(const QVector<QPointF> &path, const QPointF &p)
{
    double best = 0, bestGap = -1, start = 0;
    for (int i = 1; i < path.size(); ++i) {
        const QLineF segment(path.at(i - 1), path.at(i));
        const double length = segment.length();
        double t = 0;
        if (length > 0) {
            const QPointF d = segment.p2() - segment.p1();
            t = qBound(0.0, QPointF::dotProduct(p - segment.p1(), d) / (length * length), 1.0);
        }
        const double gap = QLineF(segment.pointAt(t), p).length();
        if (bestGap < 0 || gap < bestGap) {
            bestGap = gap;
            best = start + t * length;
        }
        start += length;
    }
    return best;
}

} // namespace

NetEdit::NetEdit(Networkg *network, TileView *view, QObject *parent)
    : QObject(parent)
    , m_network(network)
    , m_view(view)
{
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("netObjectsTree"));
    m_tree->setColumnCount(TreeColumnCount);
    m_tree->setHeaderLabels({ tr("Object"), tr("Id") });
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(ObjectColumn, QHeaderView::Stretch);
    m_editor = new NetObjectEditor;

    makeActions();

    connect(m_tree.data(), &QTreeWidget::itemSelectionChanged, this,
            &NetEdit::treeSelectionChanged);
    connect(m_tree.data(), &QTreeWidget::itemSelectionChanged, this, &NetEdit::updateDeleteAction);
    if (m_network) {
        connect(m_network.data(), &Halm58a::Network::objectAdded, this,
                [this](Halm58a::NetObject *object) { objectAdded(object, nullptr); });
        connect(m_network.data(), &Halm58a::Network::objectRemoved, this, &NetEdit::objectRemoved);
        connect(m_network.data(), &Halm58a::Network::objectModified, this,
                &NetEdit::objectModified);
        // A network that goes first (with the map's scene) takes its objects
        // along without notices: the tree must not keep pointers to them.
        connect(m_network.data(), &QObject::destroyed, this, &NetEdit::clearTree);
        if (m_network->scene()) {
            connect(m_network->scene(), &QGraphicsScene::selectionChanged, this,
                    &NetEdit::sceneSelectionChanged);
            connect(m_network->scene(), &QGraphicsScene::selectionChanged, this,
                    &NetEdit::updateDeleteAction);
        }
    }
    if (m_view) {
        m_view->viewport()->installEventFilter(this);
        m_view->addAction(m_deleteAction);
    }
    rebuildTree();
    updateDeleteAction();
}

NetEdit::~NetEdit()
{
    if (m_view)
        m_view->viewport()->removeEventFilter(this);
    delete m_tree.data();
    delete m_editor.data();
}

QWidget *NetEdit::objectsTree() const
{
    return m_tree;
}

QWidget *NetEdit::objectEditor() const
{
    return m_editor;
}

void NetEdit::makeActions()
{
    m_toolGroup = new QActionGroup(this);
    m_toolGroup->setExclusive(true);
    const struct
    {
        Tool tool;
        const char *name;
        QString text;
    } tools[] = {
        { SelectTool, "toolSelect", tr("Select") },
        { NodeTool, "toolNode", tr("Draw nodes") },
        { EdgeTool, "toolEdge", tr("Draw edges") },
        { ConnectionTool, "toolConnection", tr("Draw connections") },
        { CrossWalkTool, "toolCrossWalk", tr("Draw crosswalks") },
        { DetectorTool, "toolDetector", tr("Place detectors") },
    };
    for (const auto &t : tools) {
        auto *action = new QAction(t.text, this);
        action->setObjectName(QLatin1String(t.name));
        action->setCheckable(true);
        action->setChecked(t.tool == SelectTool);
        action->setData(int(t.tool));
        m_toolGroup->addAction(action);
        m_inputActions.append(action);
    }
    connect(m_toolGroup, &QActionGroup::triggered, this,
            [this](QAction *action) { setTool(Tool(action->data().toInt())); });

    m_groupAction = new QAction(tr("Signal group from selection"), this);
    m_groupAction->setObjectName(QStringLiteral("signalGroupFromSelection"));
    connect(m_groupAction, &QAction::triggered, this, &NetEdit::createSignalGroupFromSelection);
    m_inputActions.append(m_groupAction);

    m_addLaneAction = new QAction(tr("Add lane"), this);
    m_addLaneAction->setObjectName(QStringLiteral("addLane"));
    connect(m_addLaneAction, &QAction::triggered, this, &NetEdit::addLaneToSelection);
    m_inputActions.append(m_addLaneAction);

    m_deleteAction = new QAction(tr("Delete"), this);
    m_deleteAction->setObjectName(QStringLiteral("deleteObjects"));
    m_deleteAction->setShortcut(QKeySequence::Delete);
    // Only on the map: the window's tables have Delete keys of their own.
    m_deleteAction->setShortcutContext(Qt::WidgetShortcut);
    connect(m_deleteAction, &QAction::triggered, this, &NetEdit::deleteSelected);
    m_inputActions.append(m_deleteAction);

    if (m_network) {
        for (Layer *layer : m_network->layers()) {
            auto *action = new QAction(tr("Show %1").arg(layer->title()), this);
            action->setObjectName(QLatin1String("layer_") + layer->objectName());
            action->setCheckable(true);
            action->setChecked(layer->isVisible());
            const QString name = layer->objectName();
            connect(action, &QAction::toggled, this,
                    [this, name](bool on) { setLayerVisible(name, on); });
            m_viewActions.append(action);
        }
    }

    auto *download = new QAction(tr("Download junction ..."), this);
    download->setObjectName(QStringLiteral("downloadJunction"));
    connect(download, &QAction::triggered, this, [this] {
        bool ok = false;
        const QString number
            = QInputDialog::getText(m_view, tr("Download junction"), tr("Junction number:"),
                                    QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return;
        if (number.trimmed().isEmpty()) {
            emit logMessage(tr("No junction downloaded: the junction number is empty"),
                            QtWarningMsg);
            return;
        }
        downloadGranule(number.trimmed());
    });
    auto *panorama = new QAction(tr("Panorama ..."), this);
    panorama->setObjectName(QStringLiteral("panorama"));
    connect(panorama, &QAction::triggered, this, [this] { showPanoramaSetupDlg(m_view); });
    m_dbActions = { download, panorama };
}

QToolBar *NetEdit::makeToolBar(const QString &name, const QString &title,
                               const QList<QAction *> &actions)
{
    auto *bar = new QToolBar(title);
    bar->setObjectName(name);
    bar->addActions(actions);
    return bar;
}

QToolBar *NetEdit::createInputToolbar()
{
    return makeToolBar(QStringLiteral("netInputToolBar"), tr("Network drawing"), m_inputActions);
}

QToolBar *NetEdit::createDBToolbar()
{
    return makeToolBar(QStringLiteral("netDBToolBar"), tr("Network sources"), m_dbActions);
}

QToolBar *NetEdit::createViewToolbar()
{
    return makeToolBar(QStringLiteral("netViewToolBar"), tr("Network layers"), m_viewActions);
}

void NetEdit::setTool(Tool tool)
{
    m_tool = tool;
    m_pending = nullptr;
    m_hasPendingPoint = false;
    for (QAction *action : m_toolGroup->actions()) {
        if (action->data().toInt() == int(tool))
            action->setChecked(true);
    }
    if (m_view)
        m_view->setDragMode(tool == SelectTool ? QGraphicsView::ScrollHandDrag
                                               : QGraphicsView::NoDrag);
}

void NetEdit::setLayerVisible(const QString &name, bool visible)
{
    Layer *layer = m_network ? m_network->layer(name) : nullptr;
    if (!layer)
        return;
    layer->setVisible(visible);
    for (QAction *action : qAsConst(m_viewActions)) {
        if (action->objectName() == QLatin1String("layer_") + name) {
            const QSignalBlocker blocker(action);
            action->setChecked(visible);
        }
    }
}

QList<GenericGraphicsItem *> NetEdit::itemsOf(Halm58a::NetObject *object) const
{
    QList<GenericGraphicsItem *> items;
    if (!m_network || !object)
        return items;
    if (GenericGraphicsItem *item = m_network->object2item(object))
        items.append(item);
    if (auto *group = qobject_cast<Halm58a::SignalGroup *>(object)) {
        for (Halm58a::Connection *connection : group->connections()) {
            if (GenericGraphicsItem *item = m_network->object2item(connection))
                items.append(item);
        }
        for (Halm58a::CrossWalk *crossWalk : group->crossWalks()) {
            if (GenericGraphicsItem *item = m_network->object2item(crossWalk))
                items.append(item);
        }
    }
    return items;
}

void NetEdit::selectObjectInTree(Halm58a::NetObject *object)
{
    if (!object)
        return;
    m_syncing = true;
    revealTreeItem(m_treeItems.value(object));
    for (GenericGraphicsItem *item : itemsOf(object))
        item->setSelected(true);
    showInEditor(object);
    endSync();
}

QObjectList NetEdit::selectedObjects() const
{
    QObjectList objects;
    if (m_network && m_network->scene()) {
        for (QGraphicsItem *item : m_network->scene()->selectedItems()) {
            if (Halm58a::NetObject *object = m_network->item2object(item)) {
                if (!objects.contains(object))
                    objects.append(object);
            }
        }
    }
    if (m_tree) {
        for (QTreeWidgetItem *item : m_tree->selectedItems()) {
            Halm58a::NetObject *object = m_treeObjects.value(item);
            if (object && !objects.contains(object))
                objects.append(object);
        }
    }
    return objects;
}

QMenu *NetEdit::createContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    emit beforeContextMenu(selectedObjects(), menu);
    if (!menu->isEmpty())
        menu->addSeparator();
    menu->addAction(m_addLaneAction);
    menu->addAction(m_groupAction);
    menu->addAction(m_deleteAction);
    return menu;
}

void NetEdit::updateDeleteAction()
{
    // The action also sits in the caller's menu and tool bar, so it follows
    // every change of the selection, not only the context menu; while the
    // tree and the map are brought into step, once at the end.
    if (!m_syncing)
        m_deleteAction->setEnabled(!selectedObjects().isEmpty());
}

void NetEdit::endSync()
{
    m_syncing = false;
    updateDeleteAction();
}

void NetEdit::clear()
{
    clearTree();
    m_syncing = true;
    if (m_editor)
        m_editor->setObject(nullptr);
    if (m_network && m_network->scene())
        m_network->scene()->clearSelection();
    endSync();
    setTool(SelectTool);
}

void NetEdit::beforeLoad()
{
    clear();
    m_loading = true;
}

void NetEdit::afterLoad()
{
    m_loading = false;
    rebuildTree();
}

void NetEdit::clearTree()
{
    m_syncing = true;
    if (m_tree)
        m_tree->clear();
    m_treeItems.clear();
    m_treeObjects.clear();
    endSync();
}

void NetEdit::rebuildTree()
{
    clearTree();
    if (!m_network)
        return;
    const auto top
        = m_network->findChildren<Halm58a::NetObject *>(QString(), Qt::FindDirectChildrenOnly);
    for (Halm58a::NetObject *object : top)
        objectAdded(object, nullptr);
}

void NetEdit::objectAdded(Halm58a::NetObject *object, QTreeWidgetItem *parentItem)
{
    if (m_loading || !object || !m_tree || m_treeItems.contains(object))
        return;
    if (!parentItem)
        parentItem = m_treeItems.value(qobject_cast<Halm58a::NetObject *>(object->parent()));
    auto *item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(m_tree);
    item->setText(ObjectColumn, label(object));
    item->setText(IdColumn, QString::number(object->id()));
    m_treeItems.insert(object, item);
    m_treeObjects.insert(item, object);
    const auto children
        = object->findChildren<Halm58a::NetObject *>(QString(), Qt::FindDirectChildrenOnly);
    for (Halm58a::NetObject *child : children)
        objectAdded(child, item);
}

QString NetEdit::label(const Halm58a::NetObject *object) const
{
    QString kind;
    if (qobject_cast<const Halm58a::Node *>(object))
        kind = tr("Node");
    else if (qobject_cast<const Halm58a::Edge *>(object))
        kind = tr("Edge");
    else if (qobject_cast<const Halm58a::Lane *>(object))
        kind = tr("Lane");
    else if (auto *line = qobject_cast<const Halm58a::Stopline *>(object))
        kind = line->kind() == Halm58a::Stopline::Stop ? tr("Stop line") : tr("Start line");
    else if (qobject_cast<const Halm58a::Connection *>(object))
        kind = tr("Connection");
    else if (qobject_cast<const Halm58a::CrossWalk *>(object))
        kind = tr("Crosswalk");
    else if (qobject_cast<const Halm58a::Detector *>(object))
        kind = tr("Detector");
    else if (auto *granule = qobject_cast<const Halm58a::Granule *>(object))
        kind = tr("Junction %1").arg(granule->tlId());
    else if (qobject_cast<const Halm58a::SignalGroup *>(object))
        kind = tr("Signal group");
    else
        kind = QString::fromLatin1(object->metaObject()->className());
    return object->objectName().isEmpty() ? kind : kind + QLatin1Char(' ') + object->objectName();
}

void NetEdit::forgetTreeItem(QTreeWidgetItem *item)
{
    for (int i = 0; i < item->childCount(); ++i)
        forgetTreeItem(item->child(i));
    m_treeItems.remove(m_treeObjects.take(item));
}

void NetEdit::objectRemoved(Halm58a::NetObject *object)
{
    if (m_editor && m_editor->object() == object)
        m_editor->setObject(nullptr);
    if (m_pending == object)
        m_pending = nullptr;
    QTreeWidgetItem *item = m_treeItems.value(object);
    if (!item)
        return;
    m_syncing = true;
    forgetTreeItem(item);
    delete item;
    endSync();
}

void NetEdit::objectModified(Halm58a::NetObject *object)
{
    if (QTreeWidgetItem *item = m_treeItems.value(object))
        item->setText(ObjectColumn, label(object));
    if (m_editor && object && m_editor->object() == object)
        m_editor->refresh();
}

void NetEdit::treeSelectionChanged()
{
    if (m_syncing || !m_network || !m_network->scene())
        return;
    m_syncing = true;
    m_network->scene()->clearSelection();
    const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
    for (QTreeWidgetItem *item : selected) {
        for (GenericGraphicsItem *graphics : itemsOf(m_treeObjects.value(item)))
            graphics->setSelected(true);
    }
    QTreeWidgetItem *current = m_tree->currentItem();
    if (!selected.contains(current))
        current = selected.value(0);
    showInEditor(m_treeObjects.value(current));
    endSync();
}

void NetEdit::sceneSelectionChanged()
{
    if (m_syncing || !m_network || !m_network->scene() || !m_tree)
        return;
    m_syncing = true;
    m_tree->clearSelection();
    Halm58a::NetObject *first = nullptr;
    for (QGraphicsItem *graphics : m_network->scene()->selectedItems()) {
        Halm58a::NetObject *object = m_network->item2object(graphics);
        if (!revealTreeItem(m_treeItems.value(object)))
            continue;
        if (!first)
            first = object;
    }
    showInEditor(first);
    endSync();
}

bool NetEdit::revealTreeItem(QTreeWidgetItem *item)
{
    if (!item || !m_tree)
        return false;
    for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    item->setSelected(true);
    m_tree->scrollToItem(item);
    return true;
}

void NetEdit::showInEditor(Halm58a::NetObject *object)
{
    if (m_editor)
        m_editor->setObject(object);
}

void NetEdit::downloadGranule(const QString &number)
{
    emit logMessage(
        tr("Downloading of junction %1 is not available: there is no network service").arg(number),
        QtWarningMsg);
}

void NetEdit::showPanoramaSetupDlg(QWidget *)
{
    emit logMessage(tr("Panorama is not available: there is no network service"), QtWarningMsg);
}

void NetEdit::runExportDialog(const QString &networkDir, const QString &dotDir, int number)
{
    if (!m_network)
        return;
    ExportDlg dialog(m_view);
    dialog.setFolders(networkDir, dotDir);
    dialog.setJunctionNumber(number);
    dialog.setFormat(ExportDlg::SumoFormat);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.format() == ExportDlg::SumoFormat) {
        exportSumo(dialog.folder(), dialog.junctionNumber());
        return;
    }
    const QString path = dialog.filePath();
    const bool dot = dialog.format() == ExportDlg::DotFormat;
    const bool ok = dot ? m_network->exportToDOT(path) : m_network->save(path, false, false);
    if (ok)
        emit logMessage(tr("Network exported to %1").arg(path), QtInfoMsg);
    else
        emit logMessage(m_network->errorString(), QtWarningMsg);
}

void NetEdit::exportSumo(const QString &folder, int number)
{
    Halm58a::SumoWriter writer(*m_network, number);
    if (m_planSource)
        writer.setPlans(m_planSource(number));
    const bool ok = writer.write(folder);
    if (!ok) {
        emit logMessage(writer.errorString(), QtWarningMsg);
        return;
    }
    for (const QString &note : writer.notes())
        emit logMessage(note, QtWarningMsg);
    emit logMessage(tr("Network exported to %1").arg(QDir::toNativeSeparators(writer.configPath())),
                    QtInfoMsg);
}

void NetEdit::deleteSelected()
{
    QList<QPointer<QObject>> doomed;
    for (QObject *object : selectedObjects()) {
        // Stop lines belong to their lane and go only with it.
        if (!qobject_cast<Halm58a::Stopline *>(object))
            doomed.append(object);
    }
    for (const QPointer<QObject> &object : qAsConst(doomed))
        delete object.data();
}

void NetEdit::addLaneToSelection()
{
    if (!m_network)
        return;
    QList<Halm58a::Edge *> edges;
    for (QObject *object : selectedObjects()) {
        auto *lane = qobject_cast<Halm58a::Lane *>(object);
        auto *edge = lane ? lane->edge() : qobject_cast<Halm58a::Edge *>(object);
        if (edge && !edges.contains(edge))
            edges.append(edge);
    }
    if (edges.isEmpty())
        emit logMessage(tr("Select edges or lanes first"), QtWarningMsg);
    // The new lane is the leftmost one.
    for (Halm58a::Edge *edge : qAsConst(edges))
        m_network->addItem(new Halm58a::Lane(edge), edge);
}

void NetEdit::createSignalGroupFromSelection()
{
    if (!m_network)
        return;
    QList<Halm58a::Connection *> connections;
    QList<Halm58a::CrossWalk *> crossWalks;
    Halm58a::Node *junction = nullptr;
    for (QObject *object : selectedObjects()) {
        if (auto *connection = qobject_cast<Halm58a::Connection *>(object)) {
            connections.append(connection);
            junction = junction ? junction : connection->junction();
        } else if (auto *crossWalk = qobject_cast<Halm58a::CrossWalk *>(object)) {
            crossWalks.append(crossWalk);
            junction = junction ? junction : crossWalk->junction();
        }
    }
    if (!junction) {
        emit logMessage(tr("Select connections or crosswalks first"), QtWarningMsg);
        return;
    }
    Halm58a::Granule *granule = nullptr;
    for (Halm58a::Granule *candidate : m_network->findChildren<Halm58a::Granule *>()) {
        if (candidate->nodes().contains(junction)) {
            granule = candidate;
            break;
        }
    }
    if (!granule) {
        granule = new Halm58a::Granule({ junction });
        m_network->addItem(granule);
    }
    int id = 1;
    for (const Halm58a::SignalGroup *group : granule->signalGroups())
        id = qMax(id, group->tlId() + 1);
    auto *group = new Halm58a::SignalGroup;
    group->setTlId(id);
    m_network->addItem(group, granule);
    for (Halm58a::Connection *connection : qAsConst(connections))
        group->addConnection(connection);
    for (Halm58a::CrossWalk *crossWalk : qAsConst(crossWalks))
        group->addCrossWalk(crossWalk);
    emit logMessage(tr("Signal group %1 added").arg(id), QtInfoMsg);
}

bool NetEdit::eventFilter(QObject *watched, QEvent *event)
{
    // Only clicks and context menus matter. Every other event passes without
    // a look at the view, which may be half destroyed while its viewport goes.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    if (!m_view || watched != m_view->viewport())
        return QObject::eventFilter(watched, event);
    if (type == QEvent::MouseButtonPress && m_tool != SelectTool) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            mapClicked(mouse->pos());
            return true;
        }
    } else if (type == QEvent::ContextMenu) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        showContextMenu(menuEvent->pos(), menuEvent->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

GenericGraphicsItem *NetEdit::itemAt(const QPoint &viewPos, const QList<int> &types) const
{
    for (QGraphicsItem *item : m_view->items(viewPos)) {
        auto *graphics = dynamic_cast<GenericGraphicsItem *>(item);
        if (graphics && types.contains(graphics->type()) && graphics->isVisible())
            return graphics;
    }
    return nullptr;
}

Halm58a::Node *NetEdit::nodeAtOrNew(const QPoint &viewPos)
{
    if (m_tool != NodeTool) {
        if (GenericGraphicsItem *item = itemAt(viewPos, { GenericGraphicsItem::NodeType }))
            return qobject_cast<Halm58a::Node *>(item->object());
    }
    const QPointF scenePoint = m_view->mapToScene(viewPos);
    // The first node drawn fixes where the plane of the network lies.
    if (!m_network->hasGeoOrigin())
        m_network->setGeoOrigin(scenePoint.x(), scenePoint.y());
    auto *node = new Halm58a::Node;
    node->setPos(m_network->toPlane(scenePoint));
    m_network->addItem(node);
    return node;
}

Halm58a::Node *NetEdit::nearestNode(const QPointF &plane) const
{
    Halm58a::Node *best = nullptr;
    double bestGap = 0;
    for (Halm58a::Node *node : m_network->findChildren<Halm58a::Node *>()) {
        const double gap = QLineF(node->pos(), plane).length();
        if (!best || gap < bestGap) {
            best = node;
            bestGap = gap;
        }
    }
    return best;
}

void NetEdit::mapClicked(const QPoint &viewPos)
{
    if (!m_network)
        return;
    const QPointF plane = m_network->toPlane(m_view->mapToScene(viewPos));
    switch (m_tool) {
    case SelectTool:
        break;
    case NodeTool:
        nodeAtOrNew(viewPos);
        break;
    case EdgeTool: {
        Halm58a::Node *node = nodeAtOrNew(viewPos);
        auto *from = qobject_cast<Halm58a::Node *>(m_pending.data());
        if (!from) {
            m_pending = node;
        } else if (node != from) {
            auto *edge = new Halm58a::Edge(from, node);
            new Halm58a::Lane(edge);
            m_network->addItem(edge);
            m_pending = nullptr;
        }
        break;
    }
    case ConnectionTool: {
        GenericGraphicsItem *item
            = itemAt(viewPos, { GenericGraphicsItem::LaneType, GenericGraphicsItem::StoplineType });
        Halm58a::NetObject *object = item ? item->object() : nullptr;
        auto *line = qobject_cast<Halm58a::Stopline *>(object);
        auto *lane = line ? line->lane() : qobject_cast<Halm58a::Lane *>(object);
        if (!lane || !lane->edge())
            break;
        auto *from = qobject_cast<Halm58a::Lane *>(m_pending.data());
        if (!from) {
            m_pending = lane;
        } else if (lane->edge()->from() == from->edge()->to()) {
            auto *connection = new Halm58a::Connection(from, lane, nullptr);
            m_network->addItem(connection, from->edge()->to());
            m_pending = nullptr;
        } else {
            emit logMessage(tr("A connection runs from a lane into a lane that starts where the "
                               "first one ends"),
                            QtWarningMsg);
            m_pending = nullptr;
        }
        break;
    }
    case CrossWalkTool:
        if (!m_hasPendingPoint) {
            m_pendingPoint = plane;
            m_hasPendingPoint = true;
        } else {
            m_hasPendingPoint = false;
            Halm58a::Node *junction = nearestNode((m_pendingPoint + plane) / 2);
            if (!junction) {
                emit logMessage(tr("Draw the junction's node before its crosswalks"), QtWarningMsg);
                break;
            }
            auto *crossWalk = new Halm58a::CrossWalk(nullptr);
            crossWalk->setShape(Halm58a::GeoShape({ m_pendingPoint, plane }));
            m_network->addItem(crossWalk, junction);
        }
        break;
    case DetectorTool: {
        GenericGraphicsItem *item = itemAt(
            viewPos, { GenericGraphicsItem::LaneType, GenericGraphicsItem::ConnectionType });
        if (!item || !item->object())
            break;
        auto *detector = new Halm58a::Detector(nullptr);
        detector->setPosition(distanceAlong(item->object()->shape().points(), plane));
        m_network->addItem(detector, item->object());
        break;
    }
    }
}

void NetEdit::showContextMenu(const QPoint &viewPos, const QPoint &globalPos)
{
    if (!m_view || !m_network)
        return;
    const QList<int> anyType {
        GenericGraphicsItem::NodeType,      GenericGraphicsItem::ConnectionType,
        GenericGraphicsItem::CrossWalkType, GenericGraphicsItem::DetectorType,
        GenericGraphicsItem::EdgeType,      GenericGraphicsItem::LaneType,
        GenericGraphicsItem::StoplineType
    };
    GenericGraphicsItem *item = itemAt(viewPos, anyType);
    if (item && !item->isSelected()) {
        m_network->scene()->clearSelection();
        item->setSelected(true);
    }
    QMenu *menu = createContextMenu(m_view);
    menu->exec(globalPos);
    delete menu;
}

} // namespace Halm58ga
