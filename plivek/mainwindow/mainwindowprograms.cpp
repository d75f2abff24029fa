// MainWindow: the programs table: its commands and refresh.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "mainwindowhelpers.h"
#include "programstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "halm58ga/networkg.h"
#include "plivek/programs/programdlg.h"
#include "plivek/programs/tiverk2/programtiverk2dlg.h"
#include "plivek/programs/zumolt/programdlgzu_molt.h"

#include <QMenu>
#include <QMessageBox>

using namespace MainWindowHelpers;

void MainWindow::on_actionAddProgram_triggered()
{
    CnfController &controller = project.controller();
    const int max = controller.getMaxProgramCount();
    if (controller.programs().size() + 1 > max) {
        printError(
            tr("Unable to add new program. Maximum count program for given type of controller: %1")
                .arg(max));
        return;
    }
    CnfProgramPtr added;
    if (project.isZuMolt()) {
        ProgramDlgZU_MOLT dialog(this, {}, &controller);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        added = dialog.program();
    } else if (project.isTiverkII()) {
        if (!project.network()) {
            programsChanged(true);
            return;
        }
        ProgramTiverk2Dlg dialog(this, {}, &controller, project.network(), false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        added = dialog.program();
    } else {
        ProgramDlg dialog(this, {}, &controller, false, nullptr);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        added = dialog.program();
    }
    if (!added || !confirmTakeOver(added->id))
        return;
    controller.addProgram(added);
    programsChanged(true);
}

bool MainWindow::confirmTakeOver(const QString &programId)
{
    const QString question = ProgramsTable::takeOverQuestion(project.controller(), programId);
    return question.isEmpty()
        || QMessageBox::question(this, tr("Program id"), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton)
        == QMessageBox::Yes;
}

void MainWindow::programsChanged(bool refresh)
{
    if (refresh)
        updateProgramsTable();
    setChanged(true);
}

void MainWindow::on_progTable_customContextMenuRequested(const QPoint &pos)
{
    QTableWidget *table = ui->progTable;
    QMenu menu(table);
    menu.addAction(table->findChild<QAction *>(QStringLiteral("progAdd")));
    if (!table->selectedItems().isEmpty()) {
        menu.addAction(table->findChild<QAction *>(QStringLiteral("progDelete")));
        menu.addAction(table->findChild<QAction *>(QStringLiteral("programDuplicateItems")));
    }
    menu.addAction(table->findChild<QAction *>(QStringLiteral("sortProgItems")));
    menu.exec(table->viewport()->mapToGlobal(pos));
}

void MainWindow::on_progTable_rowOrderChanged()
{
    QList<CnfProgramPtr> order;
    if (!ProgramsTable::orderOfRows(ui->progTable, project.controller(), &order))
        return;
    project.controller().reorderPrograms(order);
    programsChanged(false);
}

void MainWindow::programsDeleteItems()
{
    QTableWidget *table = ui->progTable;
    if (table->selectedItems().isEmpty())
        return;
    const ProgramsTable::Removal removal
        = ProgramsTable::planRemoval(project.controller(), textsOf(selectedIdItems(table)));
    if (!confirmRemoval(this, removal.question))
        return;
    ProgramsTable::remove(project.controller(), removal);
    programsChanged(true);
}

void MainWindow::programDuplicateItems()
{
    QTableWidget *table = ui->progTable;
    QStringList ids;
    QList<int> rows;
    for (const QTableWidgetItem *item : table->selectedItems()) {
        if (rows.contains(item->row()))
            continue;
        rows << item->row();
        if (const QTableWidgetItem *idItem = table->item(item->row(), 0))
            ids << idItem->text();
    }
    ProgramsTable::duplicate(project.controller(), ids);
    programsChanged(true);
}

void MainWindow::programsItemProperties()
{
    QTableWidget *table = ui->progTable;
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    if (selected.isEmpty())
        return;
    const QTableWidgetItem *idItem = table->item(selected.first()->row(), 0);
    if (!idItem)
        return;
    CnfController &controller = project.controller();
    const CnfProgramPtr program = controller.findProgram(idItem->text());
    if (!program)
        return;
    CnfProgramPtr result;
    if (project.isZuMolt()) {
        ProgramDlgZU_MOLT dialog(this, program, &controller);
        // OK without a change leaves the document as it was.
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted || !dialog.isModified())
            return;
        result = dialog.program();
    } else if (!project.network()) {
        // The other program dialogs need the road network: without one no
        // dialog opens.
        programsChanged(true);
        return;
    } else if (project.isTiverkII()) {
        ProgramTiverk2Dlg dialog(this, program, &controller, project.network(), false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        result = dialog.program();
    } else {
        ProgramDlg dialog(this, program, &controller, false, project.network());
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
        result = dialog.program();
    }
    // Day cards that name the new id from a deleted program run it only when
    // the user says so; No leaves the program as it was.
    if (result->id != program->id && !confirmTakeOver(result->id))
        return;
    const QString id = program->id;
    // A new id that a place naming the program by its number cannot hold
    // changes nothing (the dialogs refuse it before they close).
    const QString refusal
        = result->id != id ? controller.programIdRefusal(id, result->id) : QString();
    if (!refusal.isEmpty()) {
        printError(refusal);
        return;
    }
    const QString oldName = program->name;
    program->clone(result);
    if (program->id != id) {
        // What names the program by its id follows the new one.
        const QString newId = program->id;
        program->id = id;
        if (!controller.renameProgram(id, newId))
            printError(controller.lastError());
    }
    followNewName({ CnfReferences::Kind::Program, program->id, oldName }, program->name);
    programsChanged(true);
}

void MainWindow::sortProgramsTable()
{
    project.controller().reorderPrograms(
        ProgramsTable::sortedById(project.controller().programs()));
    programsChanged(true);
}

void MainWindow::updateProgramsTable()
{
    ProgramsTable::fill(ui->progTable, project.controller(),
                        project.isAdapter() ? QStringLiteral("adapter")
                                            : project.controller().property("version").toString());
}
