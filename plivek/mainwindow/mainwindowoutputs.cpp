// MainWindow: the outputs table: its commands and refresh.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "mainwindowhelpers.h"
#include "outputstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
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
    CnfController &controller = project.controller();
    for (QTableWidgetItem *item : idItemsOfSelectedRows(table)) {
        // A place whose text names another output too stays; the message
        // table says so.
        QStringList kept;
        OutputsTable::remove(controller, item->text().toInt(), &kept);
        table->removeRow(item->row());
        for (const QString &line : qAsConst(kept))
            addLogMessage(line);
    }
    outputsChanged();
}

void MainWindow::outputsItemProperties()
{
    const QTableWidgetItem *idItem = firstSelectedIdItem(ui->outputsTable);
    if (!idItem)
        return;
    CnfController &controller = project.controller();
    const int id = idItem->text().toInt();
    // The row is the output's place in "outputs": the dialog edits that one,
    // also when another output has its id.
    const int place = idItem->row();
    const VObject output = controller.nativeData()[QStringLiteral("outputs")][place];
    if (output[QStringLiteral("id")] != id)
        return;
    const QVariant oldId = output[QStringLiteral("id")].toVariant();
    const QString oldName = output[QStringLiteral("name")].toString();
    OutputsDlg dialog(&controller, id, this, place);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    if (!output.isNull() && output[QStringLiteral("id")] != oldId) {
        // The dialog moved the output's own channel to the new id; every
        // other reference to the old one follows too.
        const int newId = output[QStringLiteral("id")].toInt();
        output[QStringLiteral("id")] = oldId;
        OutputsTable::rename(controller, output, newId);
    }
    if (!output.isNull())
        followNewName(
            { CnfReferences::Kind::Output, output[QStringLiteral("id")].toString(), oldName },
            output[QStringLiteral("name")].toString());
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
