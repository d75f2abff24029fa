// MainWindow: the signal-group table: its commands, refresh and selection.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "mainwindowhelpers.h"
#include "phasestable.h"
#include "powerpart.h"
#include "signalgroupstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/granule.h"
#include "halm58a/signalgroup.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"
#include "plivek/dialogs/elements/sgpropertiesdlg.h"

#include <QMenu>
#include <QMessageBox>

#include <algorithm>

using namespace MainWindowHelpers;

namespace {

// Lines for the delete question that name the connections and crosswalks of the groups'
// drawings that lose their signal: those that no remaining group of the controller's
// junction drives.
QStringList linksLosingTheirSignal(const Halm58a::Network *network, const Halm58a::Granule *granule,
                                   const CnfController &controller, const QStringList &ids)
{
    if (!network)
        return {};
    QList<const Halm58a::SignalGroup *> doomed;
    for (const QString &id : ids) {
        if (const auto *drawing = network->findChild<Halm58a::SignalGroup *>(id))
            doomed << drawing;
    }
    const auto keepsSignal = [&](const Halm58a::Connection *connection) {
        for (const Halm58a::SignalGroup *group : connection->signalGroups()) {
            if (granule && group->parent() == granule && !doomed.contains(group)
                && !ids.contains(QString::number(group->tlId()))
                && controller.findSG(group->tlId()))
                return true;
        }
        return false;
    };
    QStringList connections;
    QStringList crossWalks;
    for (const Halm58a::SignalGroup *drawing : qAsConst(doomed)) {
        for (const Halm58a::Connection *connection : drawing->connections()) {
            if (!keepsSignal(connection) && !connections.contains(connection->label()))
                connections << connection->label();
        }
        for (const Halm58a::CrossWalk *crossWalk : drawing->crossWalks())
            crossWalks << crossWalk->label();
    }
    QStringList lines;
    if (!connections.isEmpty())
        lines << MainWindow::tr("Connections that lose their signal: %1")
                     .arg(connections.join(QLatin1Char(',')));
    if (!crossWalks.isEmpty())
        lines << MainWindow::tr("Crosswalks that lose their signal: %1")
                     .arg(crossWalks.join(QLatin1Char(',')));
    return lines;
}

} // namespace

void MainWindow::on_sgAdd_triggered()
{
    CnfController &controller = project.controller();
    const int max = controller.getMaxSgCount();
    if (controller.signalGroups().size() + 1 > max) {
        printError(
            tr("Unable to add new signal group. Maximum numbers for given type of controller: %1")
                .arg(max));
        return;
    }
    auto group = CnfSignalGroupPtr::create();
    group->id = controller.freeSignalGroupId(1);
    group->setType(0);
    SgPropertiesDlg dialog(this, group, controller);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.saveToSignalGroup();
    if (!controller.acceptsNewSignalGroupId(group->id) || !controller.addSignalGroup(group)) {
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
        menu.addAction(tr("Clear assigned connections"), this,
                       &MainWindow::clearAssignedConnections);
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
    CnfController &controller = project.controller();
    QList<CnfSignalGroupPtr> order;
    if (!elementsInRowOrder(
            ui->sgTable, [&controller](const QString &id) { return controller.findSG(id.toInt()); },
            &order))
        return;
    controller.reorderSignalGroups(order);
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
    SignalGroupsTable::Removal removal = SignalGroupsTable::planRemoval(project.controller(), ids);
    const Halm58a::Network *network = project.network();
    for (const QString &line : linksLosingTheirSignal(
             network, network ? findControllerGranule() : nullptr, project.controller(), ids))
        removal.lines << QLatin1Char('\n') + line;
    if (QMessageBox::question(this, tr("Removing"), removal.question(),
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
        // Ids that a matrix's values name are skipped: the copy would take them over.
        const int id = controller.freeSignalGroupId(start);
        if (id < 0) {
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
    const QString oldName = group->name;
    SgPropertiesDlg dialog(this, group, project.controller());
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    dialog.saveToSignalGroup();
    // The drawing follows a new number, or the map would lose the group.
    if (group->id != oldId) {
        // So do the matrices and the transitions, which name it by number.
        const int newId = group->id;
        group->id = oldId;
        if (!project.controller().renameSignalGroup(oldId, newId))
            printError(project.controller().lastError());
        if (Halm58a::SignalGroup *drawing = findNetworkGroup(granuleSignalGroups(), oldId))
            drawing->setTlId(group->id);
    }
    followNewName({ CnfReferences::Kind::SignalGroup, QString::number(group->id), oldName },
                  group->name);
    updateSgTable(0);
    updatePowerPartTree();
    updatePhasesTable();
    setChanged(true);
}

void MainWindow::sortSgTable()
{
    QList<CnfSignalGroupPtr> groups = project.controller().signalGroups();
    std::stable_sort(
        groups.begin(), groups.end(),
        [](const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b) { return a->id < b->id; });
    project.controller().reorderSignalGroups(groups);
    updateSgTable(0);
    setChanged(true);
}

void MainWindow::updateSgTable(int sg_id)
{
    QTableWidget *table = ui->sgTable;
    const QList<CnfSignalGroupPtr> groups = project.controller().signalGroups();
    const QList<Halm58a::SignalGroup *> drawn = granuleSignalGroups();
    const bool byId = PowerPart(project.controller()).keyedById();
    table->setRowCount(groups.size());
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
                objects << connection->label();
            for (const Halm58a::CrossWalk *crossWalk : drawing->crossWalks())
                objects << crossWalk->label();
        }
        setTableCellValue(table, row, 0, group->id, true);
        setTableCellValue(table, row, 1, group->name, true);
        setTableCellValue(table, row, 2, CnfSignalGroup::type2String(group->type, true, false),
                          true);
        setTableCellValue(table, row, 3, keys.join(QLatin1Char(',')), true);
        setTableCellValue(table, row, 4, objects.join(QLatin1Char(',')), true);
        if (sg_id != 0)
            break;
    }
    table->resizeColumnsToContents();
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
