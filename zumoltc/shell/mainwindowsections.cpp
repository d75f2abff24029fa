#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"

namespace {

// Sets the text of every live object of list that has an item to its list text with
// the suffix that suffixOf gives for it.
template<typename T, typename Suffix>
void updateItemTexts(const QMap<ZUBaseObject *, QTreeWidgetItem *> &items,
                     const QList<QPointer<T>> &list, Suffix suffixOf)
{
    for (const QPointer<T> &object : list) {
        if (!object)
            continue;
        if (QTreeWidgetItem *item = items.value(object.data()))
            item->setText(0, object->text(suffixOf(object.data())));
    }
}

template<typename T>
void updateItemTexts(const QMap<ZUBaseObject *, QTreeWidgetItem *> &items,
                     const QList<QPointer<T>> &list)
{
    updateItemTexts(items, list, [](T *) { return QString(); });
}

QString signalGroupSuffix(const ZUSignalGroup *group)
{
    return enumText<zu::SGType>(group->type());
}

} // namespace

QTreeWidgetItem *MainWindow::objectItem(ZUBaseObject *object) const
{
    return objectItems.value(object);
}

ZUBaseObject *MainWindow::itemObject(QTreeWidgetItem *item) const
{
    return itemObjects.value(item);
}

void MainWindow::addSectionItem(QTreeWidgetItem *parent, QTreeWidgetItem *&member,
                                const QString &text, BranchUpdater updater, const QString &icon,
                                bool opensPage, const char *objectClass)
{
    member = new QTreeWidgetItem(QStringList { text });
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
        member->setIcon(0,
                        icon.startsWith(QLatin1Char(':')) ? QIcon(icon) : QIcon::fromTheme(icon));
    if (updater)
        branchUpdaters.insert(member, updater);
    if (objectClass)
        branchItems.insert(QByteArray(objectClass), member);
}

void MainWindow::createSectionItems()
{
    addSectionItem(nullptr, commonParamItem, tr("Common parameters"), nullptr,
                   QStringLiteral("://images/commonParam.png"), true);
    addSectionItem(nullptr, netParamItem, tr("Network parameters"), nullptr,
                   QStringLiteral("://images/net_param.png"), true);
    addSectionItem(nullptr, sgItem, tr("Signal groups"), &MainWindow::update_sg_branch,
                   QStringLiteral("://images/sg.png"), false,
                   ZUSignalGroup::staticMetaObject.className());
    addSectionItem(nullptr, stagesItem, tr("Stages"), &MainWindow::update_stages_branch,
                   QStringLiteral("://images/stages.png"), false,
                   ZUStage::staticMetaObject.className());
    addSectionItem(nullptr, matrixItem, tr("Conflict matrix"), nullptr,
                   QStringLiteral("://images/matrix.png"), true);
    addSectionItem(nullptr, detectorsItem, tr("Detectors"), &MainWindow::update_detectors_branch,
                   QStringLiteral("://images/detectors.png"), false,
                   ZUDetector::staticMetaObject.className());
    addSectionItem(nullptr, plansItem, tr("Signal plans"), &MainWindow::update_plans_branch,
                   QStringLiteral("://images/signalplan.png"), false,
                   ZUSignalPlan::staticMetaObject.className());
    addSectionItem(nullptr, schedulerItem, tr("Scheduler"), nullptr,
                   QStringLiteral("://images/x-office-calendar.svg"), true);
    addSectionItem(schedulerItem, dayPlansItem, tr("Daily plans"),
                   &MainWindow::update_day_plans_branch, QString(), false,
                   ZUDayPlan::staticMetaObject.className());
    addSectionItem(schedulerItem, weekPlansItem, tr("Week plans"),
                   &MainWindow::update_week_plans_branch, QString(), false,
                   ZUWeekPlan::staticMetaObject.className());
    addSectionItem(schedulerItem, extraPeriodsItem, tr("Extra periods"),
                   &MainWindow::update_extra_periods_branch, QString(), false,
                   ZUExtraPeriod::staticMetaObject.className());
    addSectionItem(schedulerItem, extraDaysItem, tr("Extra days"),
                   &MainWindow::update_extra_days_branch, QString(), false,
                   ZUExtraDay::staticMetaObject.className());
    addSectionItem(nullptr, switchesItem, tr("Power switches"), &MainWindow::update_sw_branch,
                   QStringLiteral("://images/power_part.png"), false,
                   ZUSwitch::staticMetaObject.className());
    addSectionItem(nullptr, countdownItem, tr("Countdown timers"), nullptr,
                   QStringLiteral("://images/tablo.png"), true);
    addSectionItem(nullptr, ioItem, tr("Inputs/Outputs"), nullptr,
                   QStringLiteral("://images/inputs_outputs.png"), true);
    for (int index = 0; index < m_configuration->dios().size(); ++index) {
        QTreeWidgetItem *dio = nullptr;
        addSectionItem(ioItem, dio, tr("DIO%1").arg(index + 1), nullptr, QString(), true);
        dioItems.append(dio);
    }
    addSectionItem(nullptr, rcpItem, tr("RCP"), nullptr, QStringLiteral("://images/vpu2.png"),
                   true);
    addSectionItem(nullptr, csItem, tr("Control sources"), &MainWindow::update_cs_branch,
                   QStringLiteral("://images/cs.png"), false,
                   ZUControlSource::staticMetaObject.className());
    addSectionItem(nullptr, kmpItem, tr("Composite device"), &MainWindow::update_kmp_branch,
                   QStringLiteral("://images/pcb.png"), false,
                   ZUKMPDevice::staticMetaObject.className());
    addSectionItem(nullptr, recoveryItem, tr("Error processing"), nullptr,
                   QStringLiteral("://images/debug.png"), true);
}

void MainWindow::on_configuration_objectAdded(ZUBaseObject *object, int pos)
{
    if (!object)
        return;
    const char *className = object->metaObject()->className();
    // Looked up without a copy of the name: a file announces each of its objects.
    if (QTreeWidgetItem *branch
        = branchItems.value(QByteArray::fromRawData(className, int(qstrlen(className))))) {
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
            branch->insertChild(
                pos >= 0 && pos <= branch->childCount() ? pos : branch->childCount(), item);
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
