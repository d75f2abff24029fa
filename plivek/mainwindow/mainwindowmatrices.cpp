// MainWindow: the matrices table: its commands and refresh.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "mainwindowhelpers.h"
#include "matricestable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/zu_moltconfig.h"
#include "common/widgets/tablecells.h"
#include "halm58ga/networkg.h"
#include "plivek/dialogs/elements/matrixdlg.h"

using namespace MainWindowHelpers;

void MainWindow::matrixAdd()
{
    CnfController &controller = project.controller();
    const CnfMatrixPtr matrix = MatricesTable::newMatrix(controller);
    if (Halm58a::Network *network = project.network()) {
        MatrixDlg dialog(this, &controller, matrix, network, false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
    }
    controller.addMatrix(matrix, false, false);
    updateMatricesTable();
    setChanged(true);
}

void MainWindow::matricesDeleteItems()
{
    QTableWidget *table = ui->matricesTable;
    const QList<QTableWidgetItem *> items = idItemsOfSelectedRows(table);
    if (table->selectedItems().isEmpty())
        return;
    for (QTableWidgetItem *item : items) {
        const int id = item->text().toInt();
        // What a file kept for the matrix goes with it.
        ZU_MOLTConfig::followMatrix(project.controller(), id, -1);
        project.controller().removeMatrix(id);
        table->removeRow(item->row());
    }
    setChanged(true);
}

void MainWindow::matricesItemProperties()
{
    QTableWidget *table = ui->matricesTable;
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    // A double click on a choice column ticks it; it opens nothing.
    if (selected.isEmpty() || selected.first()->column() == MatricesTable::DefaultColumn
        || selected.first()->column() == MatricesTable::SafetyColumn)
        return;
    const QTableWidgetItem *idItem = firstSelectedIdItem(table);
    CnfController &controller = project.controller();
    const CnfMatrixPtr matrix
        = idItem ? controller.findMatrix(idItem->text().toInt()) : CnfMatrixPtr();
    if (!matrix)
        return;
    const int id = matrix->id();
    if (Halm58a::Network *network = project.network()) {
        MatrixDlg dialog(this, &controller, matrix, network, false);
        if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
            return;
    }
    // What a file kept for the matrix follows its new id.
    ZU_MOLTConfig::followMatrix(controller, id, matrix->id());
    updateMatricesTable();
    setChanged(true);
}

void MainWindow::matricesitemChanged(QTableWidgetItem *item)
{
    QTableWidget *table = item ? item->tableWidget() : nullptr;
    const int column = item ? item->column() : -1;
    if (!table || (column != MatricesTable::DefaultColumn && column != MatricesTable::SafetyColumn))
        return;
    const QSignalBlocker blocker(table);
    if (!item->data(Qt::EditRole).toBool()) {
        // One matrix always stays chosen: a choice is changed by ticking another row.
        setTableCellValue(table, item->row(), column, true, true);
        return;
    }
    CnfController &controller = project.controller();
    const CnfMatrixPtr matrix = controller.findMatrix(
        tableCellValue(table, item->row(), MatricesTable::IdColumn).toInt());
    if (matrix) {
        if (column == MatricesTable::SafetyColumn)
            controller.setSafetyMatrix(matrix);
        else
            controller.setDefaultMatrix(matrix);
    }
    setChanged(true);
    for (int row = table->rowCount() - 1; row >= 0; --row) {
        if (row != item->row() && tableCellValue(table, row, column).toBool())
            setTableCellValue(table, row, column, false, true);
    }
}

void MainWindow::updateMatricesTable()
{
    MatricesTable::fill(ui->matricesTable, project.controller());
}
