#include "detectorsdlg.h"

#include "detectorsdlgnodes.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfreferences.h"
#include "ui_detectorsdlg.h"

#include <QSet>

#include <functional>

using namespace DetectorsDlgNodes;

namespace {

bool isIntegerVariant(const QVariant &value)
{
    const int type = value.userType();
    return type == QMetaType::Int || type == QMetaType::UInt || type == QMetaType::LongLong
        || type == QMetaType::ULongLong;
}

} // namespace

// --- Source pages -----------------------------------------------------------------

void DetectorsDlg::on_type_currentIndexChanged(int index)
{
    // The empty page also serves sources without fields; the hint is only for
    // an element that has no source yet.
    ui->sourceHint->setVisible(index < 0);
    bool ok = false;
    ui->type->itemData(index).toInt(&ok);
    const int kind = ok ? ui->type->itemData(index, KindRole).toInt() : NoSource;
    const QString key = kindKey();
    switch (kind) {
    case IoBoard: {
        ui->stackedWidget->setCurrentWidget(ui->dioPage);
        const int number = ui->type->itemData(index).toInt();
        const BoardChannels board = boards.value(number);
        ui->dio_channel->blockSignals(true);
        ui->dio_channel->clear();
        int selection = -1;
        for (auto it = board.channels.constBegin(); it != board.channels.constEnd(); ++it) {
            ui->dio_channel->addItem(QString::number(it.key()), it.key());
            if (sameEntry(it.value(), currentChannelEntry))
                selection = ui->dio_channel->count() - 1;
        }
        // The element's own channel shows also when no entry holds it yet.
        bool ownBoard = false;
        bool ownChannel = false;
        const int channel = element->property("diochannel").toInt(&ownChannel);
        if (selection < 0 && element->property("dionumber").toInt(&ownBoard) == number && ownBoard
            && ownChannel)
            selection = ui->dio_channel->findData(channel);
        if (selection < 0 && ui->dio_channel->count() > 0)
            selection = 0;
        ui->dio_channel->blockSignals(false);
        ui->dio_channel->setCurrentIndex(-1);
        ui->dio_channel->setCurrentIndex(selection);
        break;
    }
    case CpuKey:
        ui->stackedWidget->setCurrentWidget(ui->keyboardPage);
        break;
    case TrafiCamSource: {
        ui->stackedWidget->setCurrentWidget(ui->traficamPage);
        ui->ti_modules->blockSignals(true);
        ui->ti_modules->clear();
        QString foundText;
        for (const VObject &module : entriesOf(trafiCam)) {
            const QString text = hostAndPort(module, "ti_host", "ti_port");
            ui->ti_modules->addItem(text);
            for (const VObject &entry : entriesOf(module[Channels])) {
                if (foundText.isEmpty() && namesElement(entry[key]))
                    foundText = text;
            }
        }
        ui->ti_modules->blockSignals(false);
        selectAndRun(ui->ti_modules,
                     !foundText.isEmpty() || !isNew ? ui->ti_modules->findText(foundText) : 0,
                     &DetectorsDlg::on_ti_modules_currentIndexChanged);
        break;
    }
    case CitilogSource: {
        ui->stackedWidget->setCurrentWidget(ui->citilogPage);
        ui->cl_modules->blockSignals(true);
        ui->cl_modules->clear();
        QString foundText;
        for (const VObject &module : entriesOf(citilog)) {
            const QString text = hostAndPort(module, "device_host", "device_port");
            ui->cl_modules->addItem(text);
            for (const VObject &cam : entriesOf(module[QStringLiteral("cams")])) {
                for (const VObject &entry : entriesOf(cam[Channels])) {
                    if (foundText.isEmpty() && namesElement(entry[key]))
                        foundText = text;
                }
            }
        }
        ui->cl_modules->blockSignals(false);
        selectAndRun(ui->cl_modules,
                     !foundText.isEmpty() || !isNew ? ui->cl_modules->findText(foundText) : 0,
                     &DetectorsDlg::on_cl_modules_currentIndexChanged);
        break;
    }
    case SmartButtonSource: {
        ui->stackedWidget->setCurrentWidget(ui->smartbuttonPage);
        ui->sbDevice->setText(element->property("deviceName").toString());
        ui->sbSource->setCurrentIndex(
            SmartButtonSources.indexOf(element->property("source").toString()));
        break;
    }
    case SmartMicroSource:
        ui->stackedWidget->setCurrentWidget(ui->smartMicroPage);
        // Only the element's own SmartMicro channel fills the fields.
        if (currentModuleKind == SmartMicroSource) {
            const VObject sensor = currentModuleEntry.parent().parent();
            ui->sm_sensor_id->setCurrentIndex(
                ui->sm_sensor_id->findText(sensor[QStringLiteral("id")].toString()));
            ui->sm_zone->setValue(currentModuleEntry[QStringLiteral("zone")].toInt());
            ui->sm_lane->setValue(currentModuleEntry[QStringLiteral("lane")].toInt());
            ui->sm_measure_line->setValue(
                currentModuleEntry[QStringLiteral("measure_line")].toInt());
        }
        break;
    case AzimuthSource: {
        ui->stackedWidget->setCurrentWidget(ui->azimuthPage);
        int selection = ui->azimuth_modules->currentIndex();
        if (currentModuleKind == AzimuthSource) {
            const VObject module = currentModuleEntry.parent().parent().parent().parent();
            selection = ui->azimuth_modules->findText(module[QStringLiteral("url")].toString());
        }
        selectAndRun(ui->azimuth_modules, selection,
                     &DetectorsDlg::on_azimuth_modules_currentIndexChanged);
        break;
    }
    case TrafficStreamSource: {
        ui->stackedWidget->setCurrentWidget(ui->trafficstreamPage);
        ui->ts_modules->blockSignals(true);
        ui->ts_modules->clear();
        QString foundText;
        for (const VObject &entry : entriesOf(trafficStream)) {
            const QString url = entry[QStringLiteral("url")].toString();
            ui->ts_modules->addItem(url);
            for (const VObject &channel : entriesOf(entry[Channels])) {
                if (foundText.isEmpty() && namesElement(channel[key]))
                    foundText = url;
            }
        }
        ui->ts_modules->blockSignals(false);
        selectAndRun(ui->ts_modules,
                     !foundText.isEmpty() || !isNew ? ui->ts_modules->findText(foundText) : 0,
                     &DetectorsDlg::on_ts_modules_currentIndexChanged);
        break;
    }
    case LinkToDetector: {
        ui->stackedWidget->setCurrentWidget(ui->detectorySensorPage);
        // A number is an id; a text a name, else an id written as text. A
        // link to no detector of the list shows none.
        const QVariant reference = element->property("detector");
        const QList<CnfDetectorPtr> detectors = controller->detectorsList();
        const bool byId = isIntegerVariant(reference);
        bool idAsText = false;
        const qlonglong textId = byId ? 0 : reference.toString().toLongLong(&idAsText);
        int byNumber = -1;
        int byName = -1;
        int byText = -1;
        for (int i = 0; i < detectors.size(); ++i) {
            const CnfDetector &detector = *detectors.at(i);
            if (byId && byNumber < 0 && reference.toLongLong() == detector.id())
                byNumber = i;
            if (!byId && byName < 0 && CnfReferences::namesName(reference, detector.name()))
                byName = i;
            if (idAsText && byText < 0 && textId == detector.id())
                byText = i;
        }
        const int shownDetector = byId ? byNumber : (byName >= 0 ? byName : byText);
        ui->detector->setCurrentIndex(shownDetector);
        break;
    }
    default:
        // Priority and Signal module channels need nothing more.
        ui->stackedWidget->setCurrentWidget(ui->noParamPage);
        break;
    }
}

void DetectorsDlg::on_dio_channel_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    const int ch = ui->dio_channel->itemData(index).toInt();
    const VObject entry = boards.value(ui->type->currentData().toInt()).channels.value(ch);
    // A free channel keeps the polarity and type shown before.
    if (entry.isNull())
        return;
    if (entry[QStringLiteral("common")] == "positive")
        ui->common_positive->setChecked(true);
    else
        ui->common_negative->setChecked(true);
    ui->channel_type->setCurrentIndex(
        ui->channel_type->findData(entry[QStringLiteral("type")].toString()));
}

namespace {

// One channel list of a module: the element's own channel (as text) and the
// numbers held by any detector or sensor.
void scanChannels(const VObject &channels, const std::function<bool(const VObject &)> &namesElement,
                  const QString &key, QString *own, QSet<int> *taken)
{
    for (const VObject &entry : entriesOf(channels)) {
        if (namesElement(entry[key]))
            *own = entry[Channel].toString();
        else if (!entry[Detector].isNull() || !entry[Sensor].isNull())
            taken->insert(entry[Channel].toInt());
    }
}

void fillFreeChannels(QComboBox *box, int first, int last, const QSet<int> &taken)
{
    for (int ch = first; ch <= last; ++ch) {
        if (!taken.contains(ch))
            box->addItem(QString::number(ch));
    }
}

} // namespace

void DetectorsDlg::on_ti_modules_currentIndexChanged(int index)
{
    const QString text = ui->ti_modules->itemText(index);
    const auto names = [this](const VObject &reference) {
        return namesElement(reference);
    };
    QString own;
    QSet<int> taken;
    for (const VObject &module : entriesOf(trafiCam)) {
        if (hostAndPort(module, "ti_host", "ti_port") == text)
            scanChannels(module[Channels], names, kindKey(), &own, &taken);
    }
    ui->ti_channels->blockSignals(true);
    ui->ti_channels->clear();
    fillFreeChannels(ui->ti_channels, 1, 100, taken);
    ui->ti_channels->blockSignals(false);
    ui->ti_channels->setCurrentIndex(!own.isEmpty() || !isNew ? ui->ti_channels->findText(own) : 0);
}

void DetectorsDlg::on_cl_modules_currentIndexChanged(int index)
{
    const QString text = ui->cl_modules->itemText(index);
    ui->xcam_modules->blockSignals(true);
    ui->xcam_modules->clear();
    ui->xcam_channel->clear();
    QString foundCam;
    for (const VObject &module : entriesOf(citilog)) {
        if (hostAndPort(module, "device_host", "device_port") != text)
            continue;
        for (const VObject &cam : entriesOf(module[QStringLiteral("cams")])) {
            const QString id = cam[QStringLiteral("id")].toString();
            ui->xcam_modules->addItem(id);
            for (const VObject &entry : entriesOf(cam[Channels])) {
                if (foundCam.isEmpty() && namesElement(entry[kindKey()]))
                    foundCam = id;
            }
        }
    }
    ui->xcam_modules->blockSignals(false);
    selectAndRun(ui->xcam_modules,
                 !foundCam.isEmpty() || !isNew ? ui->xcam_modules->findText(foundCam) : 0,
                 &DetectorsDlg::on_xcam_modules_currentIndexChanged);
}

void DetectorsDlg::on_xcam_modules_currentIndexChanged(int index)
{
    const QString camId = ui->xcam_modules->itemText(index);
    const auto names = [this](const VObject &reference) {
        return namesElement(reference);
    };
    QString own;
    QSet<int> taken;
    // The same xcam id in another Citilog module is the same camera.
    for (const VObject &module : entriesOf(citilog)) {
        for (const VObject &cam : entriesOf(module[QStringLiteral("cams")])) {
            if (cam[QStringLiteral("id")].toString() == camId)
                scanChannels(cam[Channels], names, kindKey(), &own, &taken);
        }
    }
    ui->xcam_channel->blockSignals(true);
    ui->xcam_channel->clear();
    fillFreeChannels(ui->xcam_channel, 0, 15, taken);
    ui->xcam_channel->blockSignals(false);
    ui->xcam_channel->setCurrentIndex(!own.isEmpty() || !isNew ? ui->xcam_channel->findText(own)
                                                               : 0);
}

void DetectorsDlg::on_azimuth_modules_currentIndexChanged(int index)
{
    ui->azimuth_cams_id->clear();
    ui->azimuth_cams_id->addItems(ui->azimuth_modules->itemData(index).toStringList());
    if (currentModuleKind != AzimuthSource)
        return;
    const VObject sensor = currentModuleEntry.parent().parent();
    ui->azimuth_cams_id->setCurrentIndex(
        ui->azimuth_cams_id->findText(sensor[QStringLiteral("camera_id")].toString()));
    ui->azimuth_channel_id->setValue(currentModuleEntry[QStringLiteral("rcg_channel_id")].toInt());
}

void DetectorsDlg::on_ts_modules_currentIndexChanged(int index)
{
    const QString url = ui->ts_modules->itemText(index);
    QString own;
    QSet<int> taken;
    ui->ts_channels->blockSignals(true);
    ui->ts_channels->clear();
    for (const VObject &entry : entriesOf(trafficStream)) {
        if (entry[QStringLiteral("url")].toString() != url)
            continue;
        for (const VObject &channel : entriesOf(entry[Channels])) {
            if (namesElement(channel[kindKey()]))
                own = channel[Channel].toString();
            if (!channel[Detector].isNull() || !channel[Sensor].isNull()) {
                ui->ts_channels->addItem(channel[Channel].toString());
                taken.insert(channel[Channel].toInt());
            }
        }
    }
    ui->ts_channels->blockSignals(false);
    if (!own.isEmpty() || !isNew) {
        ui->ts_channels->setCurrentIndex(ui->ts_channels->findText(own));
        return;
    }
    // A new element is offered the lowest number nobody holds.
    int proposal = 1;
    while (proposal <= 100 && taken.contains(proposal))
        ++proposal;
    ui->ts_channels->setCurrentIndex(-1);
    ui->ts_channels->setEditText(QString::number(proposal));
}
