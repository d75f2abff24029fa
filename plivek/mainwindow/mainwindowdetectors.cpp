// MainWindow: the detectors and sensors tables: their commands, refresh and selection.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "detectorstable.h"
#include "dialogrunner.h"
#include "mainwindowhelpers.h"
#include "namefollowing.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfreferences.h"
#include "halm58a/connection.h"
#include "halm58a/detector.h"
#include "halm58a/edge.h"
#include "halm58a/granule.h"
#include "halm58a/lane.h"
#include "halm58a/node.h"
#include "halm58a/stopline.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/networkg.h"
#include "plivek/dialogs/elements/detectormodulesdlg.h"
#include "plivek/dialogs/elements/detectorsdlg.h"

#include <QGraphicsItem>

using namespace MainWindowHelpers;

namespace {

// Graphics items of detectors on the map (the first user item type plus 4).
constexpr int DetectorItemType = QGraphicsItem::UserType + 4;

} // namespace

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
    const QTableWidgetItem *idItem
        = firstSelectedIdItem(sensor ? ui->sensorsTable : ui->detectorsTable);
    if (!idItem)
        return;
    CnfController &controller = project.controller();
    const int id = idItem->text().toInt();
    const CnfDetectorPtr element = sensor ? controller.findSensor(id) : controller.findDetector(id);
    if (!element)
        return;
    const QString oldName = element->name();
    DetectorsDlg dialog(&controller, element, false, this);
    if (execWithSavedGeometry(&dialog) != QDialog::Accepted)
        return;
    if (element->id() != id) {
        // The dialog wrote the element's own source under the new id; every
        // other reference to the old one follows too.
        const int newId = element->id();
        element->setId(id);
        CnfReferences::rename(controller, CnfReferences::of(*element), QString::number(newId));
        element->setId(newId);
        if (!sensor)
            retargetMapDetectors(id, newId);
    }
    // Every place naming the element by its name follows, its own source too,
    // which the dialog leaves under the old name.
    CnfReferences::Element named = CnfReferences::of(*element);
    named.name = oldName;
    followNewName(named, element->name());
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
        const CnfDetectorPtr element
            = sensor ? controller.findSensor(id) : controller.findDetector(id);
        if (!element)
            continue;
        // Removing clears every reference to it but those naming another
        // element too; the message table names the programs that lose it and
        // the places that stay, as the Delete asks no question.
        const QStringList losing = DetectorsTable::programsLosing(controller, *element);
        const QStringList kept
            = NameFollowing::keptOnDelete(controller, CnfReferences::of(*element));
        if (sensor) {
            controller.removeSensor(id);
        } else {
            controller.removeDetector(id);
            // The map keeps its detectors where they lie, standing for none,
            // so that a detector added later with the id does not take them.
            retargetMapDetectors(id, 0);
        }
        table->removeRow(item->row());
        for (const QString &line : losing)
            addLogMessage(line, QtWarningMsg);
        for (const QString &line : kept)
            addLogMessage(line);
    }
    setChanged(true);
}

void MainWindow::storeDetectorsOrSensorsOrder(bool sensor)
{
    QList<CnfDetectorPtr> order;
    CnfController &controller = project.controller();
    if (!DetectorsTable::orderOfRows(sensor ? ui->sensorsTable : ui->detectorsTable, controller,
                                     sensor, &order))
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

void MainWindow::updateDetectorsTables()
{
    DetectorsTable::fill(ui->detectorsTable, project.controller(), false);
    DetectorsTable::fill(ui->sensorsTable, project.controller(), true);
}

QList<Halm58a::Detector *> MainWindow::granuleDetectors() const
{
    QList<Halm58a::Detector *> detectors;
    if (!project.network())
        return detectors;
    const auto collect = [&detectors](const QObject *parent) {
        const auto found = parent->findChildren<Halm58a::Detector *>();
        for (Halm58a::Detector *detector : found) {
            if (!detectors.contains(detector))
                detectors << detector;
        }
    };
    if (const Halm58a::Granule *granule = findControllerGranule()) {
        const auto nodes = granule->nodes();
        for (const Halm58a::Node *node : nodes) {
            const auto edges = node->edges();
            for (const Halm58a::Edge *edge : edges) {
                const auto lanes = edge->lanes();
                for (const Halm58a::Lane *lane : lanes) {
                    collect(lane);
                    QList<const Halm58a::Stopline *> lines;
                    if (lane->hasStopline(node))
                        lines << lane->stopline();
                    if (lane->hasStartline(node))
                        lines << lane->startline();
                    for (const Halm58a::Stopline *line : lines) {
                        if (!line)
                            continue;
                        const auto connections = line->connections();
                        for (const Halm58a::Connection *connection : connections) {
                            if (connection->junction() == node)
                                collect(connection);
                        }
                    }
                }
            }
        }
    }
    return detectors;
}

void MainWindow::retargetMapDetectors(int id, int newId)
{
    const QList<Halm58a::Detector *> detectors = granuleDetectors();
    for (Halm58a::Detector *detector : detectors) {
        if (detector->tlId() == id)
            detector->setTlId(newId);
    }
}

void MainWindow::on_detectorsTable_itemSelectionChanged()
{
    auto *network = qobject_cast<Halm58ga::Networkg *>(project.network());
    if (!network)
        return;
    const QList<Halm58a::Detector *> detectors = granuleDetectors();
    const QList<QGraphicsItem *> selected = network->scene()->selectedItems();
    QList<QGraphicsItem *> gathered;
    const QStringList ids = selectedIdsLastFirst(ui->detectorsTable);
    for (const QString &id : ids) {
        for (int j = detectors.size() - 1; j >= 0; --j) {
            if (detectors.at(j)->tlId() != id.toInt())
                continue;
            QGraphicsItem *item = network->object2item(detectors.at(j));
            if (item && !gathered.contains(item))
                gathered << item;
        }
    }
    if (gathered.isEmpty())
        return;
    for (QGraphicsItem *item : selected) {
        if (item->type() == DetectorItemType && !gathered.contains(item))
            item->setSelected(false);
    }
    for (QGraphicsItem *item : gathered)
        item->setSelected(true);
}
