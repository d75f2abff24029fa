// MainWindow: the power part's device tree: its commands, refresh and selection.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "powerpart.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/zu_moltconfig.h"
#include "plivek/dialogs/elements/devicepropertiesdlg.h"

#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>

#include <algorithm>
#include <functional>

namespace {

// The width `column` needs to show every item's text whole, the keys of a
// collapsed module too (resizeColumnToContents measures only the rows in view).
int wholeColumnWidth(const QTreeWidget *tree, int column)
{
    QStyleOptionViewItem option;
    option.initFrom(tree);
    option.widget = tree;
    option.font = tree->font();
    option.fontMetrics = tree->fontMetrics();
    option.decorationSize = tree->iconSize();
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    const QHeaderView *header = tree->header();
    int width = header->isHidden() ? 0 : header->sectionSizeHint(column);
    QAbstractItemDelegate *delegate = tree->itemDelegateForColumn(column);
    if (!delegate)
        delegate = tree->itemDelegate();
    const QAbstractItemModel *model = tree->model();
    const std::function<void(const QModelIndex &, int)> measure = [&](const QModelIndex &parent,
                                                                      int depth) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            // The first column starts behind the branch lines of its level.
            const int indent = column == 0
                ? tree->indentation() * (depth + (tree->rootIsDecorated() ? 1 : 0))
                : 0;
            width = std::max(
                width,
                indent + delegate->sizeHint(option, model->index(row, column, parent)).width());
            measure(model->index(row, 0, parent), depth + 1);
        }
    };
    measure(QModelIndex(), 0);
    return width;
}

} // namespace

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
    DevicePropertiesDlg dialog(this, controller, part.usesKeyModules(), device, keyAllowed,
                               autoAssign, ui->dev_name_prefix->text());
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
    if (QMessageBox::question(this, tr("Removing"),
                              tr("Following items will be deleted:\n") + lines.join('\n'),
                              QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    CnfController &controller = project.controller();
    const bool byId = PowerPart(controller).keyedById();
    const auto removeDevice = [&controller, byId](int key) {
        const CnfPowerDevicePtr device
            = byId ? controller.findPowerDevice(key) : controller.findPowerDeviceByAddress(key);
        // What a file kept for the switch goes with it.
        if (device)
            ZU_MOLTConfig::followSwitch(controller, device->id, -1);
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
    std::stable_sort(selected.begin(), selected.end(),
                     [](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
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
    // What a file kept for the switch follows its new id.
    ZU_MOLTConfig::followSwitch(controller, device->id, edited->id);
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
    std::stable_sort(
        devices.begin(), devices.end(),
        [](const CnfPowerDevicePtr &a, const CnfPowerDevicePtr &b) { return a->id < b->id; });
    project.controller().reorderPowerDevices(devices);
    updatePowerPartTree();
    setChanged(true);
}

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
    // Every column as wide as its texts, so that the states read whole beside
    // short numbers and names.
    for (int column = 0; column < tree->columnCount(); ++column) {
        if (!tree->isColumnHidden(column))
            tree->setColumnWidth(column, wholeColumnWidth(tree, column));
    }
    if (fitPowerPartDock && tree->topLevelItemCount() > 0 && tree->isVisible())
        fitPowerPartDockToColumns();
}

// At the first start the docks on the left are as wide as their titles; the
// first document's power part widens them to show its columns, as far as the
// map keeps a third of the window. Later the user's width holds.
void MainWindow::fitPowerPartDockToColumns()
{
    fitPowerPartDock = false;
    QTreeWidget *tree = ui->powerPartTree;
    if (ui->powerPartWnd->isFloating())
        return;
    // Room for the scroll bar that more rows, or an opened module, bring.
    const int scrollBar = tree->verticalScrollBar()->isVisible()
        ? 0
        : tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree);
    const int missing = tree->header()->length() + scrollBar - tree->viewport()->width();
    const int growth = std::min(missing, centralWidget()->width() - width() / 3);
    if (growth > 0)
        resizeDocks({ ui->powerPartWnd }, { ui->powerPartWnd->width() + growth }, Qt::Horizontal);
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
    item->setText(3,
                  group ? tr("Assigned SG %1(%2)")
                              .arg(group->id)
                              .arg(CnfSignalGroup::type2String(group->type, true, false))
                        : tr("Not assigned"));
    static const char *const colours[] = { "green", "yellow", "red", "white" };
    const QString colour = device->color >= 0 && device->color < 4
        ? QLatin1String(colours[device->color])
        : QStringLiteral("gray");
    const QString suffix
        = device->burnoutControl >= 1 ? QStringLiteral("_c_c") : QStringLiteral("_c");
    item->setIcon(3,
                  QIcon(QStringLiteral("://images/") + colour + suffix + QStringLiteral(".png")));
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
    const auto items
        = tree->findItems(QString::number(key), Qt::MatchFixedString | Qt::MatchRecursive, 0);
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
