// MainWindow: the outputs table: its commands and refresh.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "mainwindowhelpers.h"
#include "outputstable.h"

#include "cnf/cnfcontroller.h"
#include "plivek/dialogs/controller/outputsdlg.h"

using namespace MainWindowHelpers;

void MainWindow::outputsChanged()
{
    updateOutputsTable();
    setChanged(true);
}

void MainWindow::outputsAdd()
{
    OutputsDlg dialog(&project.controller(), 0, this);
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        outputsChanged();
}

void MainWindow::outputsDeleteItems()
{
    QTableWidget *table = ui->outputsTable;
    if (table->selectedItems().isEmpty())
        return;
    for (QTableWidgetItem *item : idItemsOfSelectedRows(table)) {
        OutputsTable::remove(project.controller(), item->text().toInt());
        table->removeRow(item->row());
    }
    outputsChanged();
}

void MainWindow::outputsItemProperties()
{
    const QTableWidgetItem *idItem = firstSelectedIdItem(ui->outputsTable);
    if (!idItem)
        return;
    OutputsDlg dialog(&project.controller(), idItem->text().toInt(), this);
    if (execWithSavedGeometry(&dialog) == QDialog::Accepted)
        outputsChanged();
}

void MainWindow::sortOutputsTable()
{
    if (OutputsTable::sortById(project.controller()))
        outputsChanged();
}

void MainWindow::updateOutputsTable()
{
    OutputsTable::fill(ui->outputsTable, project.controller());
}
