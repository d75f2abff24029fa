// MainWindow: loading a document and its road network into the window; each
// element table is refreshed by its own area file.

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "detectorstable.h"
#include "mainwindowhelpers.h"
#include "matricestable.h"
#include "outputstable.h"
#include "phasestable.h"
#include "powerpart.h"
#include "programstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/tablecells.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/geoutil.h"
#include "halm58a/granule.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"

#include <QRegularExpression>

using namespace MainWindowHelpers;

void MainWindow::loadDocument(const QString &doc_file)
{
    if (!project.maybeSave()) {
        if (!project.lastError().isEmpty())
            printError(project.lastError());
        return;
    }
    if (netEdit)
        netEdit->clear();
    else
        initNetEdit();

    const bool pathGiven = !doc_file.isEmpty();
    if (pathGiven)
        printInfo(tr("Loading file %1").arg(doc_file));
    if (netEdit)
        netEdit->beforeLoad();

    const bool loaded = project.load(doc_file);
    notifyNetEditAfterLoad();

    if (!loaded) {
        // Whatever failed, the window must not keep the rows of the document
        // given up above, nor a file name that Save could overwrite: it is left
        // as closing leaves it. A cancelled choice of file reports nothing.
        const QString error = project.lastError();
        project.setChanged(false);
        closeDocument();
        updateWindowTitle();
        ui->actionSave->setEnabled(false);
        if (!error.isEmpty())
            printError(error);
        return;
    }

    const QStringList warnings = project.warnings();
    for (const QString &warning : warnings)
        printWarning(warning);

    const QString path = pathGiven ? doc_file : project.fileName();

    noDocument = false;
    updateActions();
    updatePowerPartTree();

    bool groupsAdded = false;
    if (!project.isNetworkEmpty())
        groupsAdded = reconcileNetwork();

    updateSgTable(0);
    updatePhasesTable();
    updateProgramsTable();

    if (project.isTiverkII() || project.isZuMolt()) {
        updateMatricesTable();
        updateDetectorsTables();
        updateOutputsTable();
        deriveDevicePrefix();
    }

    if (!path.isEmpty())
        putRecentFileFirst(path);

    if (!path.isEmpty()) {
        if (pathGiven)
            printInfo(tr("Loading complete"));
        else
            printInfo(tr("%1 loaded").arg(path));
    }

    project.setChanged(groupsAdded);
    updateWindowTitle();
    ui->actionSave->setEnabled(groupsAdded);
    updateWindowTitle();
}

bool MainWindow::reconcileNetwork()
{
    Halm58a::Network *network = project.network();
    const CnfController &controller = project.controller();
    const int number = controller.property("number").toInt();

    const QList<Halm58a::Granule *> granules = network->findChildren<Halm58a::Granule *>();
    if (granules.size() > 1)
        printWarning(tr("Network contains more then one granules"));

    Halm58a::Granule *granule = nullptr;
    for (int i = granules.size() - 1; i >= 0 && !granule; --i) {
        if (granules.at(i)->tlId() == number)
            granule = granules.at(i);
    }
    if (!granule && !granules.isEmpty())
        granule = granules.first();
    if (!granule) {
        granule = new Halm58a::Granule(network->findChildren<Halm58a::Node *>(), nullptr);
        network->addItem(granule, nullptr);
    }

    QList<Halm58a::SignalGroup *> networkGroups = granule->findChildren<Halm58a::SignalGroup *>();
    QStringList removed;
    for (auto it = networkGroups.begin(); it != networkGroups.end();) {
        if (controller.findSG((*it)->tlId())) {
            ++it;
            continue;
        }
        removed << QString::number((*it)->tlId());
        delete *it;
        it = networkGroups.erase(it);
    }
    if (!removed.isEmpty())
        printWarning(
            tr("The following signal groups into network are not found in the controller and were "
               "removed: %1")
                .arg(removed.join(QLatin1Char(','))));

    QStringList added;
    const auto groups = controller.signalGroups();
    for (const CnfSignalGroupPtr &group : groups) {
        if (findNetworkGroup(networkGroups, group->id))
            continue;
        auto *networkGroup = new Halm58a::SignalGroup(granule);
        networkGroup->setTlId(group->id);
        network->addItem(networkGroup, nullptr);
        networkGroups << networkGroup;
        added << QString::number(group->id);
    }
    if (added.isEmpty())
        return false;
    printInfo(tr("Following signal groups added to network: %1").arg(added.join(QLatin1Char(','))));
    return true;
}

void MainWindow::deriveDevicePrefix()
{
    const auto devices = project.controller().powerDevices();
    if (devices.isEmpty())
        return;
    static const QRegularExpression trailingDigits(QStringLiteral("\\d+$"));
    for (const CnfPowerDevicePtr &device : devices) {
        const QString prefix = QString(device->name).remove(trailingDigits);
        if (!prefix.isEmpty()) {
            ui->dev_name_prefix->setText(prefix);
            return;
        }
    }
    ui->auto_assign_key_data_by_id->setChecked(false);
}

Halm58a::Granule *MainWindow::findControllerGranule() const
{
    const QVariant number = project.controller().property("number");
    const auto granules = project.network()->findChildren<Halm58a::Granule *>();
    for (Halm58a::Granule *granule : granules) {
        if (QVariant(granule->tlId()) == number)
            return granule;
    }
    return nullptr;
}

void MainWindow::notifyNetEditAfterLoad()
{
    if (!netEdit)
        return;
    if (!project.isNetworkEmpty()) {
        const auto children = project.network()->children();
        for (QObject *child : children)
            netEdit->objectAdded(qobject_cast<Halm58a::NetObject *>(child), nullptr);
        updateSgTable(0);
    }
    netEdit->afterLoad();
}

void MainWindow::loadGranule()
{
    if (auto *network = project.network())
        network->clear();
    const QString number = project.controller().property("number").toString();
    if (number.isEmpty()) {
        printError(tr("Number of junction not set"));
        return;
    }
    if (netEdit) {
        netEdit->beforeLoad();
        netEdit->downloadGranule(number);
    }
    notifyNetEditAfterLoad();
    fitNetworkInView();
}

void MainWindow::fitNetworkInView()
{
    Halm58a::Network *network = project.network();
    if (!network)
        return;
    const Halm58a::Granule *granule = findControllerGranule();
    if (!granule)
        return;
    QRectF area;
    const auto nodes = granule->nodes();
    for (const Halm58a::Node *node : nodes) {
        const Halm58a::GeoShape shape = node->shape();
        area |= shape.isEmpty() ? Halm58a::GeoShape::unitRect(node->pos()) : shape.boundingRect();
    }
    if (const Halm58a::GeoUtil *geo = network->geoUtil())
        geo->xyToGeo(&area);
    if (!area.isEmpty())
        QMetaObject::invokeMethod(ui->tileview, "fitInView", Qt::DirectConnection,
                                  Q_ARG(QRectF, area));
}
