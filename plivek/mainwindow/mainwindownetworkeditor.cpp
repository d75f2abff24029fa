// MainWindow: the coupling of the map's network editor with the document: the
// editor's changes mark the document, and its context menu assigns items to signal
// groups. The tables' selections, which select on the map, sit in their area files.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "mainwindowhelpers.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/detector.h"
#include "halm58a/edge.h"
#include "halm58a/granule.h"
#include "halm58a/lane.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"
#include "halm58a/stopline.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"
#include "plivek/programs/signalplans.h"

#include <QGraphicsItem>
#include <QMenu>

using namespace MainWindowHelpers;

namespace {

// "12 (Main road)", or only the id without a name.
QString groupLabel(int id, const QString &name)
{
    QString label = QString::number(id);
    if (!name.isEmpty())
        label += QStringLiteral(" (") + name + QLatin1Char(')');
    return label;
}

bool isExactly(const QObject *object, const QMetaObject &type)
{
    return object && qstrcmp(object->metaObject()->className(), type.className()) == 0;
}

} // namespace

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
    netEdit->setSignalPlanSource(
        [this](int number) { return signalPlansOf(project.controller(), number); });

    ui->objectsTreeContents->layout()->addWidget(netEdit->objectsTree());
    ui->netObjectPropContents->layout()->addWidget(netEdit->objectEditor());
    ui->menuActions->addActions(netEdit->inputActions());
    ui->menuView->addActions(netEdit->viewActions());

    connect(netEdit, &Halm58ga::NetEdit::beforeContextMenu, this,
            &MainWindow::beforeNetEditContextMenu);
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
        QMetaObject::invokeMethod(
            this, [this, id] { updateSgTable(id); }, Qt::QueuedConnection);
    };
    if (isExactly(object, Halm58a::Connection::staticMetaObject)) {
        const auto groups = static_cast<Halm58a::Connection *>(object)->signalGroups();
        for (const Halm58a::SignalGroup *group : groups)
            refresh(group);
    } else if (isExactly(object, Halm58a::CrossWalk::staticMetaObject)) {
        if (const Halm58a::SignalGroup *group
            = static_cast<Halm58a::CrossWalk *>(object)->signalGroup())
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
                const int id
                    = ui->sgTable->item(row, 0) ? ui->sgTable->item(row, 0)->text().toInt() : 0;
                const QString name
                    = ui->sgTable->item(row, 1) ? ui->sgTable->item(row, 1)->text() : QString();
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
        if ((connection && !connection->signalGroups().isEmpty())
            || (crossWalk && crossWalk->signalGroup()))
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
