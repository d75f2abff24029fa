#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "itemappender.h"
#include "itemmover.h"
#include "itemremover.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The strip's buttons in layout order: object name and text, icon, tool tip.
struct StripButton
{
    const char *name;
    const char *icon;
    const char *toolTip;
};

const StripButton addButton
    = { "+", "://icons/list-add.png", QT_TRANSLATE_NOOP("MainWindow", "Add new item\nInsert") };
const StripButton removeButton
    = { "-", "://icons/list-remove.png",
        QT_TRANSLATE_NOOP("MainWindow", "Remove selected items\nDelete") };
const StripButton moveButtons[] = {
    { "up", "://icons/go-up.png", QT_TRANSLATE_NOOP("MainWindow", "Mov up\nCtrl+Up") },
    { "top", "://icons/go-top.png", QT_TRANSLATE_NOOP("MainWindow", "Move top\nCtrl+Home") },
    { "down", "://icons/go-down.png", QT_TRANSLATE_NOOP("MainWindow", "Move down\nCtrl+Down") },
    { "bottom", "://icons/go-bottom.png",
      QT_TRANSLATE_NOOP("MainWindow", "Move bottom\nCtrl+End") },
};

} // namespace

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
        ensure(spec, &MainWindow::treeItem_move)
            ->setEnabled(towardsTop ? smallest > 0 : largest < count - 1);
    }
}

void MainWindow::setButtonsForCurrentItem()
{
    createItemToolStrip(ui->section_list->currentItem());
}

void MainWindow::on_section_list_currentItemChanged(QTreeWidgetItem *current,
                                                    QTreeWidgetItem *previous)
{
    if (current == previous)
        return;
    createItemToolStrip(current);
    // The click that changed the current item may come from a button of that strip:
    // the view deletes the strip later, not under the button's feet. Until then it
    // is hidden, or it would stay painted over the row it left.
    if (QWidget *strip = previous ? ui->section_list->itemWidget(previous, 1) : nullptr) {
        strip->hide();
        ui->section_list->removeItemWidget(previous, 1);
    }
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
        c, sgItem, &c->signalGroups(), prefix(Prefixes::SignalGroup),
        &ZUConfiguration::insertSignalGroup));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUStage>(
        c, stagesItem, &c->stages(), prefix(Prefixes::Stage), &ZUConfiguration::insertStage));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUDetector>(
        c, detectorsItem, &c->detectors(), prefix(Prefixes::Detector),
        &ZUConfiguration::insertDetector));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUSignalPlan>(
        c, plansItem, &c->signalPlans(), prefix(Prefixes::SignalPlan),
        &ZUConfiguration::insertSignalPlan));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUDayPlan>(
        c, dayPlansItem, &c->dayPlans(), prefix(Prefixes::DayPlan),
        &ZUConfiguration::insertDayPlan));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUWeekPlan>(
        c, weekPlansItem, &c->weekPlans(), prefix(Prefixes::WeekPlan),
        &ZUConfiguration::insertWeekPlan));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUExtraPeriod>(
        c, extraPeriodsItem, &c->extraPeriods(), prefix(Prefixes::ExtraPeriod),
        &ZUConfiguration::insertExtraPeriod));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUExtraDay>(
        c, extraDaysItem, &c->extraDays(), prefix(Prefixes::ExtraDay),
        &ZUConfiguration::insertExtraDay));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUControlSource>(
        c, csItem, &c->controlSources(), prefix(Prefixes::ControlSource),
        &ZUConfiguration::insertControlSource));
    appenders.emplace_back(new ItemAppender<ZUKMP1, ZUKMPDevice>(
        bus, kmpItem, &bus->devices(), QStringLiteral("kmp."), &ZUKMP1::insertDevice, 3));
    appenders.emplace_back(new ItemAppender<ZUConfiguration, ZUSwitch>(
        c, switchesItem, &c->switches(), prefix(Prefixes::Switch), &ZUConfiguration::insertSwitch,
        0));

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
                    source->setPriority(
                        uniqueValue(c->controlSources(), &ZUControlSource::priority, 0));
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
    if (ask(QMessageBox::Question, tr("Delete items"), text, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
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
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUSignalGroup>(
        &c->signalGroups(), sgItem, c, &ZUConfiguration::moveSignalGroup));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUStage>(&c->stages(), stagesItem, c,
                                                                &ZUConfiguration::moveStage));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUDetector>(
        &c->detectors(), detectorsItem, c, &ZUConfiguration::moveDetector));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUSignalPlan>(
        &c->signalPlans(), plansItem, c, &ZUConfiguration::moveSignalPlan));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUDayPlan>(&c->dayPlans(), dayPlansItem, c,
                                                                  &ZUConfiguration::moveDayPlan));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUWeekPlan>(
        &c->weekPlans(), weekPlansItem, c, &ZUConfiguration::moveWeekPlan));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUExtraPeriod>(
        &c->extraPeriods(), extraPeriodsItem, c, &ZUConfiguration::moveExtraPeriod));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUExtraDay>(
        &c->extraDays(), extraDaysItem, c, &ZUConfiguration::moveExtraDay));
    movers.emplace_back(new ItemMover<ZUConfiguration, ZUControlSource>(
        &c->controlSources(), csItem, c, &ZUConfiguration::moveControlSource));
    movers.emplace_back(
        new ItemMover<ZUKMP1, ZUKMPDevice>(&bus->devices(), kmpItem, bus, &ZUKMP1::move));
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
