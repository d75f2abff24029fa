// MainWindow: the phases table: its commands, refresh and selection.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "mainwindowhelpers.h"
#include "phasestable.h"
#include "programstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfsignalgroup.h"
#include "halm58a/signalgroup.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"
#include "plivek/dialogs/elements/phasedlg.h"

#include <QMenu>

#include <algorithm>

using namespace MainWindowHelpers;

void MainWindow::on_phaseAdd_triggered()
{
    CnfController &controller = project.controller();
    auto phase = CnfPhasePtr::create();
    const int max = controller.getMaxPhaseCount();
    if (controller.phases().size() + 1 > max) {
        printError(tr("Unable to add new phase. Maximum numbers for given type of controller: %1")
                       .arg(max));
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
        const auto entries
            = PhasesTable::transitionEntries(project.controller(), ids.first(), ids.last());
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
    CnfController &controller = project.controller();
    QList<CnfPhasePtr> order;
    if (!elementsInRowOrder(
            ui->phasesTable, [&controller](const QString &id) { return controller.findPhase(id); },
            &order))
        return;
    controller.reorderPhases(order);
    setChanged(true);
}

void MainWindow::phaseDeleteItems()
{
    QTableWidget *table = ui->phasesTable;
    if (table->selectedItems().isEmpty())
        return;
    const QList<QTableWidgetItem *> items = selectedIdItems(table);
    const PhasesTable::Removal removal
        = PhasesTable::planRemoval(project.controller(), textsOf(items));
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
    const QString id = phase->id;
    const QString oldName = phase->name;
    if (project.network()) {
        PhaseDlg dialog(this, phase, &controller, project.network());
        // The dialog refuses a new id that the phase cannot take.
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        dialog.saveToPhase();
    }
    if (phase->id != id) {
        // Everything that names the phase by its id follows the new one.
        const QString newId = phase->id;
        phase->id = id;
        if (!controller.renamePhase(id, newId))
            printError(controller.lastError());
    }
    followNewName({ CnfReferences::Kind::Phase, phase->id, oldName }, phase->name);
    on_phasesTable_itemSelectionChanged();
    updatePhasesTable();
    // The programs' steps name their phase by its id.
    if (phase->id != id)
        updateProgramsTable();
    setChanged(true);
}

void MainWindow::sortPhasesTable()
{
    QList<CnfPhasePtr> phases = project.controller().phases();
    // Numeric ids; text that is no number counts as 0 and keeps its place.
    std::stable_sort(phases.begin(), phases.end(), [](const CnfPhasePtr &a, const CnfPhasePtr &b) {
        return a->id.toInt() < b->id.toInt();
    });
    project.controller().reorderPhases(phases);
    updatePhasesTable();
    setChanged(true);
}

void MainWindow::updatePhasesTable()
{
    PhasesTable::fill(ui->phasesTable, project.controller());
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
