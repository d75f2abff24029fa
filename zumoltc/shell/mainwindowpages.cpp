#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "configurationupkeep.h"
#include "itemselector.h"

#include "zumoltc/editors/commonparameterswidget.h"
#include "zumoltc/editors/controlsourcewidget.h"
#include "zumoltc/editors/countdowntimerswidget.h"
#include "zumoltc/editors/dayplanwidget.h"
#include "zumoltc/editors/detectorswidget.h"
#include "zumoltc/editors/detectorwidget.h"
#include "zumoltc/editors/diowidget.h"
#include "zumoltc/editors/extradayswidget.h"
#include "zumoltc/editors/extraperiodswidget.h"
#include "zumoltc/editors/kmpdevicewidget.h"
#include "zumoltc/editors/matrixwidget.h"
#include "zumoltc/editors/networkparameterswidget.h"
#include "zumoltc/editors/rcpwidget.h"
#include "zumoltc/editors/recoverywidget.h"
#include "zumoltc/editors/schedulerwidget.h"
#include "zumoltc/editors/signalgrouptimes.h"
#include "zumoltc/editors/signalgroupwidget.h"
#include "zumoltc/editors/signalplanwidget.h"
#include "zumoltc/editors/stagewidget.h"
#include "zumoltc/editors/switchdefaultswidget.h"
#include "zumoltc/editors/switchwidget.h"
#include "zumoltc/editors/weekplanwidget.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSet>

#include <memory>
#include <vector>

void MainWindow::configuration_changed(const char *className)
{
    // Called directly by the object slots and the item operations too, where the
    // sender is the configuration or a button: only a page counts as sender.
    QWidget *senderPage = qobject_cast<QWidget *>(sender());
    if (!pageItems.contains(senderPage))
        senderPage = nullptr;
    if (senderPage) {
        const int tab = ui->section_tabs->indexOf(senderPage);
        if (tab >= 0 && !senderPage->windowTitle().isEmpty())
            ui->section_tabs->setTabText(tab, senderPage->windowTitle());
    }
    // The file's own objects are still coming while it loads: the upkeep would
    // invent what the file is about to deliver (a second scheduler source).
    if (m_configuration->loading()) {
        if (className
            && !m_loadedClasses.contains(
                QByteArray::fromRawData(className, int(qstrlen(className)))))
            m_loadedClasses.append(QByteArray(className));
    } else {
        keepConfigurationInStep(m_configuration, className);
    }

    const QList<QWidget *> pages = pageItems.keys();
    for (QWidget *page : pages) {
        if (!pageItems.contains(page))
            continue;
        if (page == senderPage) {
            if (const BranchUpdater updater = branchUpdaters.value(pageItems.value(page)))
                (this->*updater)();
        } else if (page->metaObject()->indexOfMethod("configurationHasChanged(const char*)") >= 0) {
            QMetaObject::invokeMethod(page, "configurationHasChanged", Qt::DirectConnection,
                                      Q_ARG(const char *, className));
        }
    }
    setModified(true);
    updateWindowTitle();
}

void MainWindow::page_items_changed(bool changed)
{
    if (changed) {
        ui->section_list->setEnabled(false);
        return;
    }
    for (int tab = ui->section_tabs->count() - 1; tab >= 0; --tab) {
        if (ui->section_tabs->widget(tab)->property("changed").toBool())
            return;
    }
    ui->section_list->setEnabled(true);
}

void MainWindow::connectPage(QWidget *page)
{
    // Pages are of many classes; their signals are found by signature.
    const QMetaObject *pageMeta = page->metaObject();
    const QMetaObject *windowMeta = metaObject();
    const auto connectByName = [&](const char *signal, const char *slot) {
        const int signalIndex = pageMeta->indexOfSignal(signal);
        if (signalIndex >= 0)
            connect(page, pageMeta->method(signalIndex), this,
                    windowMeta->method(windowMeta->indexOfSlot(slot)));
    };
    connectByName("changed(bool)", "page_items_changed(bool)");
    connectByName("configurationChanged(const char*)", "configuration_changed(const char*)");
}

bool MainWindow::openSectionPage(QTreeWidgetItem *item, QSet<QWidget *> &pages)
{
    QWidget *page = nullptr;
    if (item == commonParamItem) {
        auto *common = openPage<CommonParametersWidget>(ui->section_tabs, item->text(0));
        common->load(m_configuration);
        page = common;
    } else if (item == sgItem) {
        auto *times = openPage<SignalGroupTimes>(ui->section_tabs, tr("Times of signal groups"));
        times->load(m_configuration->signalGroupDefaults(), nullptr, false);
        page = times;
    } else if (item == matrixItem) {
        auto *matrix = openPage<MatrixWidget>(ui->section_tabs, item->text(0));
        matrix->load(m_configuration);
        page = matrix;
    } else if (item == detectorsItem) {
        auto *intervals = openPage<DetectorsWidget>(ui->section_tabs, item->text(0));
        intervals->load(m_configuration->detectorIntervals());
        page = intervals;
    } else if (item == schedulerItem) {
        auto *scheduler = openPage<SchedulerWidget>(ui->section_tabs, item->text(0));
        scheduler->load(m_configuration);
        page = scheduler;
    } else if (item == switchesItem) {
        auto *defaults = openPage<SwitchDefaultsWidget>(ui->section_tabs, item->text(0));
        defaults->load(m_configuration->switchDefaults());
        page = defaults;
    } else if (const int dio = dioItems.indexOf(item);
               dio >= 0 && dio < m_configuration->dios().size()) {
        auto *dioPage = openPage<DIOWidget>(ui->section_tabs, item->text(0));
        dioPage->load(m_configuration, m_configuration->dios().at(dio));
        page = dioPage;
    } else if (item == countdownItem) {
        auto *countdown = openPage<CountdownTimersWidget>(ui->section_tabs, item->text(0));
        countdown->load(m_configuration);
        page = countdown;
    } else if (item == rcpItem) {
        auto *panel = openPage<RCPWidget>(ui->section_tabs, item->text(0));
        panel->load(m_configuration, m_configuration->vpu());
        page = panel;
    } else if (item == recoveryItem) {
        auto *recovery = openPage<RecoveryWidget>(ui->section_tabs, item->text(0));
        recovery->load(m_configuration);
        page = recovery;
    } else if (item == netParamItem) {
        auto *network = openPage<NetworkParametersWidget>(ui->section_tabs, item->text(0));
        network->load(m_configuration->networkParameters());
        page = network;
    }
    // The other sections' pages join here as they are built.
    if (!page)
        return false;
    pages.insert(page);
    pageItems.insert(page, item);
    return true;
}

void MainWindow::on_section_list_itemSelectionChanged()
{
    // One selector per object kind whose page exists, in the kinds' order.
    std::vector<std::unique_ptr<ItemSelectorInterface>> selectors;
    selectors.emplace_back(new ItemSelector<ZUSignalGroup, SignalGroupWidget>(this, m_configuration,
                                                                              sgItem, &pageItems));
    selectors.emplace_back(
        new ItemSelector<ZUStage, StageWidget>(this, m_configuration, stagesItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUDetector, DetectorWidget>(this, m_configuration,
                                                                        detectorsItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUSignalPlan, SignalPlanWidget>(this, m_configuration,
                                                                            plansItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUDayPlan, DayplanWidget>(this, m_configuration,
                                                                      dayPlansItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUWeekPlan, WeekPlanWidget>(this, m_configuration,
                                                                        weekPlansItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUExtraPeriod, ExtraPeriodsWidget>(
        this, m_configuration, extraPeriodsItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUExtraDay, ExtraDaysWidget>(
        this, m_configuration, extraDaysItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUControlSource, ControlSourceWidget>(
        this, m_configuration, csItem, &pageItems));
    selectors.emplace_back(new ItemSelector<ZUKMPDevice, KMPDeviceWidget>(
        this, m_configuration, kmpItem, &pageItems, tr("KMP devices")));
    selectors.emplace_back(
        new ItemSelector<ZUSwitch, SwitchWidget>(this, m_configuration, switchesItem, &pageItems));

    QTreeWidget *tree = ui->section_list;
    QSet<QWidget *> kept;
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    for (QTreeWidgetItem *item : selected) {
        if (openSectionPage(item, kept))
            continue;
        if (ZUBaseObject *object = itemObjects.value(item)) {
            for (const auto &selector : selectors)
                selector->collect(item, item->parent(), object);
        }
    }
    for (const auto &selector : selectors)
        selector->openPages(ui->section_tabs, kept);

    // The tab goes at once, so that no later look-up finds a page on its way out.
    for (int tab = ui->section_tabs->count() - 1; tab >= 0; --tab) {
        QWidget *page = ui->section_tabs->widget(tab);
        if (kept.contains(page))
            continue;
        pageItems.remove(page);
        ui->section_tabs->removeTab(tab);
        page->deleteLater();
    }
    if (selected.isEmpty())
        tree->setCurrentItem(nullptr);
    if (tree->currentItem())
        QMetaObject::invokeMethod(this, &MainWindow::setButtonsForCurrentItem,
                                  Qt::QueuedConnection);
    tree->setFocus();
}

void MainWindow::applyPendingEdits()
{
    if (ui->section_list->isEnabled())
        return;
    for (int tab = 0; tab < ui->section_tabs->count(); ++tab) {
        auto *box = ui->section_tabs->widget(tab)->findChild<QDialogButtonBox *>();
        if (QPushButton *apply = box ? box->button(QDialogButtonBox::Apply) : nullptr)
            apply->click();
    }
}
