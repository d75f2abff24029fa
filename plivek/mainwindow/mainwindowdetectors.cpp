// MainWindow: the commands of the detectors and sensors tables.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "detectorstable.h"
#include "dialogrunner.h"
#include "mainwindowhelpers.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "plivek/dialogs/elements/detectormodulesdlg.h"
#include "plivek/dialogs/elements/detectorsdlg.h"

using namespace MainWindowHelpers;

void MainWindow::addDetectorOrSensor(bool sensor)
{
    CnfController &controller = project.controller();
    const auto element = CnfDetectorPtr::create();
    if (sensor)
        element->setSensor(true);
    element->setId(DetectorsTable::freeId(controller, sensor));
    DetectorsDlg dialog(&controller, element, true, this);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    if (sensor)
        controller.addSensor(element);
    else
        controller.addDetector(element);
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::editDetectorOrSensor(bool sensor)
{
    const QTableWidgetItem *idItem = firstSelectedIdItem(sensor ? ui->sensorsTable : ui->detectorsTable);
    if (!idItem)
        return;
    CnfController &controller = project.controller();
    const int id = idItem->text().toInt();
    const CnfDetectorPtr element = sensor ? controller.findSensor(id) : controller.findDetector(id);
    if (!element)
        return;
    DetectorsDlg dialog(&controller, element, false, this);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::deleteDetectorsOrSensors(bool sensor)
{
    QTableWidget *table = sensor ? ui->sensorsTable : ui->detectorsTable;
    if (table->selectedItems().isEmpty())
        return;
    CnfController &controller = project.controller();
    for (QTableWidgetItem *item : idItemsOfSelectedRows(table)) {
        const int id = item->text().toInt();
        const CnfDetectorPtr element = sensor ? controller.findSensor(id) : controller.findDetector(id);
        if (!element)
            continue;
        DetectorsTable::removeReferences(controller, *element, project.isZuMolt());
        if (sensor)
            controller.removeSensor(id);
        else
            controller.removeDetector(id);
        table->removeRow(item->row());
    }
    setChanged(true);
}

void MainWindow::storeDetectorsOrSensorsOrder(bool sensor)
{
    QList<CnfDetectorPtr> order;
    CnfController &controller = project.controller();
    if (!DetectorsTable::orderOfRows(sensor ? ui->sensorsTable : ui->detectorsTable, controller, sensor, &order))
        return;
    if (sensor)
        controller.reorderSensors(order);
    else
        controller.reorderDetectors(order);
    setChanged(true);
}

void MainWindow::sortDetectorsOrSensors(bool sensor)
{
    CnfController &controller = project.controller();
    if (sensor)
        controller.reorderSensors(DetectorsTable::sortedById(controller.sensorsList()));
    else
        controller.reorderDetectors(DetectorsTable::sortedById(controller.detectorsList()));
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::on_detectorsTable_rowOrderChanged()
{
    storeDetectorsOrSensorsOrder(false);
}

void MainWindow::on_sensorsTable_rowOrderChanged()
{
    storeDetectorsOrSensorsOrder(true);
}

void MainWindow::on_dtModules_clicked()
{
    DetectorModulesDlg dialog(&project.controller(), this);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    updateDetectorsTables();
    setChanged(true);
}

void MainWindow::detectorsAdd()
{
    addDetectorOrSensor(false);
}

void MainWindow::detectorsDeleteItems()
{
    deleteDetectorsOrSensors(false);
}

void MainWindow::detectorsItemProperties()
{
    editDetectorOrSensor(false);
}

void MainWindow::sortDtTable()
{
    sortDetectorsOrSensors(false);
}

void MainWindow::sensorsAdd()
{
    addDetectorOrSensor(true);
}

void MainWindow::sensorsDeleteItems()
{
    deleteDetectorsOrSensors(true);
}

void MainWindow::sensorsItemProperties()
{
    editDetectorOrSensor(true);
}

void MainWindow::sortSensTable()
{
    sortDetectorsOrSensors(true);
}
