// MainWindow: the commands of the map view and of the road network (import, export,
// views).

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialogrunner.h"
#include "mainwindowhelpers.h"

#include "cnf/cnfcontroller.h"
#include "halm58a/geoutil.h"
#include "halm58ga/colorsettingsdlga.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QInputDialog>
#include <QLineEdit>

#include <cmath>

using namespace MainWindowHelpers;

void MainWindow::on_actionSmooth_triggered(bool checked)
{
    ui->tileview->setRenderHint(QPainter::Antialiasing, checked);
    ui->tileview->setRenderHint(QPainter::SmoothPixmapTransform, checked);
}

void MainWindow::runExportDialog()
{
    bool isNumber = false;
    int number = project.controller().property("number").toInt(&isNumber);
    if (!isNumber)
        number = -1;
    const QString folder = QFileInfo(project.fileName()).absolutePath();
    if (netEdit)
        netEdit->runExportDialog(folder, folder, number);
}

void MainWindow::on_actionImport_halm58_triggered()
{
    auto settings = openSettings();
    QString folder = pathFromSetting(settings->value(QStringLiteral("lastImportDir")));
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::currentPath();
    const QString path = QFileDialog::getOpenFileName(this, tr("Select file"), folder,
                                                      tr("Network files (*.hm58a)"));
    if (path.isEmpty())
        return;
    settings->setValue(QStringLiteral("lastImportDir"), QFileInfo(path).absolutePath().toUtf8());

    initNetEdit();
    if (netEdit)
        netEdit->beforeLoad();
    // The imported network is the document's starting point, not an edit of it.
    importingNetwork = true;
    const bool loaded = project.loadNetwork(path);
    notifyNetEditAfterLoad();
    importingNetwork = false;

    if (loaded) {
        ui->actionShow_all->trigger();
        fitNetworkInView();
    } else if (Halm58a::Network *network = project.network()) {
        printWarning(network->errorString());
    }
}

void MainWindow::on_actionHalm58_triggered()
{
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    QString folder = Project::lastSaveFolder();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::currentPath();
    const QString path = QFileDialog::getSaveFileName(this, tr("Select file"), folder,
                                                      tr("halm58 v0.10 files (*.hm58a)"));
    if (path.isEmpty())
        return;
    Project::rememberSaveFolder(path);
    // A write that fails must not pass for a saved network.
    if (!network->save(path, false, false))
        printWarning(network->errorString());
}

void MainWindow::on_actionDOT_graph_triggered()
{
    auto settings = openSettings();
    const QString baseName = project.fileName().isEmpty()
        ? QStringLiteral("net")
        : QFileInfo(project.fileName()).baseName();
    const QString proposed = pathFromSetting(settings->value(QStringLiteral("lastExportDir")))
        + QLatin1Char('/') + baseName;
    const QString path = QFileDialog::getSaveFileName(this, tr("Select file to save"), proposed,
                                                      tr("DOT files (*.dot)"));
    if (path.isEmpty())
        return;
    settings->setValue(QStringLiteral("lastExportDir"), QFileInfo(path).absolutePath().toUtf8());
    printInfo(tr("Export to file %1 in DOT format").arg(path));
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    if (network->exportToDOT(path))
        printInfo(tr("Export complete"));
    else
        printWarning(network->errorString());
}

void MainWindow::on_actionController_configuration_triggered()
{
    // A copy under another name and kind; the document keeps its own file.
    if (!project.saveAs(QString()) && !project.lastError().isEmpty())
        printError(project.lastError());
}

void MainWindow::on_actionShow_all_triggered()
{
    auto *network = qobject_cast<Halm58ga::Networkg *>(project.network());
    if (!network)
        return;
    const Halm58a::GeoUtil *geo = network->geoUtil();
    QRectF area = network->boundingRect();
    if (!geo || area.isNull())
        return;
    const QPointF centre = area.center();
    QRectF view = ui->tileview->mapToScene(ui->tileview->viewport()->rect()).boundingRect();
    geo->geoToXY(&view);
    geo->geoToXY(&area);
    const double ratio = qMin(view.width() / area.width(), view.height() / area.height());
    // A network of a single point has no size to fit: it is only centred.
    if (std::isfinite(ratio) && ratio > 0)
        ui->tileview->setZoom(ui->tileview->zoomF() + std::log2(ratio));
    // Centred after zooming: far out the view cannot scroll to every point.
    ui->tileview->centerOn(centre);
}

void MainWindow::on_actionGo_to_point_triggered()
{
    bool accepted = false;
    const QString text = QInputDialog::getText(this, tr("Go to point"), tr("Enter lon,lat:"),
                                               QLineEdit::Normal, QString(), &accepted);
    if (!accepted || text.isEmpty())
        return;
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() < 2)
        return;
    bool isLongitude = false;
    bool isLatitude = false;
    const double longitude = parts.at(0).toDouble(&isLongitude);
    const double latitude = parts.at(1).toDouble(&isLatitude);
    if (isLongitude && isLatitude)
        ui->tileview->centerOn(longitude, latitude);
    else
        printWarning(tr("coordinates string (%1) has invalid format").arg(text));
}

void MainWindow::on_actionMap_opacity_triggered()
{
    const int value = QInputDialog::getInt(this, tr("Map opcity"), tr("Enter opacity value:"),
                                           int(ui->tileview->opacity() * 100), 0, 100, 1);
    ui->tileview->setOpacity(value / 100.0);
}

void MainWindow::on_actionColor_settings_triggered()
{
    Halm58ga::ColorSettingsDlga dialog(this);
    if (QGraphicsScene *scene = ui->tileview->scene())
        connect(&dialog, SIGNAL(colorsChanged()), scene, SLOT(update()));
    execWithSavedGeometry(&dialog);
}

void MainWindow::on_actionGoogle_panorama_triggered()
{
    if (netEdit)
        netEdit->showPanoramaSetupDlg(nullptr);
}
