#include "detectorsdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "ui_detectorsdlg.h"

#include <QMessageBox>
#include <QSet>

#include <functional>

namespace {

const QString Detector = QStringLiteral("detector");
const QString Sensor = QStringLiteral("sensor");
const QString Output = QStringLiteral("output");
const QString Channels = QStringLiteral("channels");
const QString Channel = QStringLiteral("channel");

const QStringList LevelKeys{QStringLiteral("INFO"), QStringLiteral("WARN"), QStringLiteral("ERROR"),
                            QStringLiteral("DEBUG"), QStringLiteral("TRACE")};
const QStringList SmartButtonSources{QStringLiteral("button"), QStringLiteral("card"), QStringLiteral("all")};

constexpr int BoardCount = 9;
constexpr int ChannelsPerBoard = 16;
constexpr int CpuKeyCode = 512;
constexpr int CpuKeyCount = 6;
constexpr int SignalChannels = 4;

QString hostAndPort(const VObject &module, const char *host, const char *port)
{
    return module[host].toString() + QLatin1Char(':') + module[port].toString();
}

// The entries of a list, or the node itself when it is no list (the
// single-object form of "AzimuthSSE").
QList<VObject> entriesOrSelf(const VObject &node)
{
    QList<VObject> entries;
    if (node.size() >= 1) {
        for (int i = 0; i < node.size(); ++i)
            entries << node[i];
    } else if (!node.isNull()) {
        entries << node;
    }
    return entries;
}

QList<VObject> entriesOf(const VObject &list)
{
    QList<VObject> entries;
    for (int i = 0; i < list.size(); ++i)
        entries << list[i];
    return entries;
}

// The first module of the list whose "host:port" text is the given one.
VObject moduleByText(const VObject &modules, const QString &text, const char *host, const char *port)
{
    for (const VObject &module : entriesOf(modules)) {
        if (hostAndPort(module, host, port) == text)
            return module;
    }
    return VObject();
}

// Two handles on the same existing entry.
bool sameEntry(const VObject &a, const VObject &b)
{
    return !a.isNull() && !b.isNull() && a == b;
}

bool isIntegerVariant(const QVariant &value)
{
    const int type = value.userType();
    return type == QMetaType::Int || type == QMetaType::UInt || type == QMetaType::LongLong
        || type == QMetaType::ULongLong;
}

} // namespace

struct DetectorsDlg::Plan
{
    int kind = NoSource;
    QWidget *page = nullptr;
    int board = 0;
    int number = 0;         // board channel, key code, module channel, Signal channel
    QString channelType;
    bool positive = false;
    VObject channels;       // the module channel list written into
    VObject chosen;         // an existing entry to write into, or null
    VObject smartMicroSensor;
    VObject azimuthModule;
    int camera = 0;
    int detector = -1;      // linked detector, -1 for none
};

DetectorsDlg::DetectorsDlg(CnfController *controller, const CnfDetectorPtr &element, bool isNew, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DetectorsDlg)
    , controller(controller)
    , element(element)
    , isNew(isNew)
    , validator(nullptr)
{
    ui->setupUi(this);
    validator = new DialogItemValidator(this);
    const bool sensor = element->isSensor();
    if (sensor)
        setWindowTitle(tr("Sensor"));
    ui->stackedWidget->setCurrentWidget(ui->noParamPage);
    ui->journal_messages->setVisible(sensor);
    loadAlerts();
    tiverkII = controller->property("type").toString() == QLatin1String("tiverkii");

    // Ids and names of the other elements of the same kind are taken; 0 is
    // never a valid id.
    QList<int> forbiddenIds{0};
    QStringList forbiddenNames;
    for (const CnfDetectorPtr &other : sensor ? controller->sensorsList() : controller->detectorsList()) {
        if (other == element)
            continue;
        forbiddenIds << other->id();
        if (!other->name().isEmpty())
            forbiddenNames << other->name();
    }
    if (element->name().isEmpty()) {
        for (int i = 1;; ++i) {
            const QString name = (sensor ? tr("Sensor.%1") : tr("Detector.%1")).arg(i);
            if (!forbiddenNames.contains(name)) {
                element->setName(name);
                break;
            }
        }
    }
    validator->addSpinBox(ui->number, forbiddenIds);
    validator->addLineEdit(ui->name, forbiddenNames);
    ui->name->setText(element->name());
    ui->number->setValue(element->id());

    ui->channel_type->addItem(tr("No restriction"), QStringLiteral("full"));
    ui->channel_type->addItem(tr("IR detector"), QStringLiteral("PIR"));
    ui->channel_type->addItem(tr("Output"), QStringLiteral("out"));

    ui->type->blockSignals(true);
    loadBoards();
    if (tiverkII)
        loadModules();
    loadKeyboard();
    if (tiverkII)
        addModuleKinds();
    ui->type->setCurrentIndex(-1);
    ui->type->blockSignals(false);
    ui->type->setCurrentIndex(chosenSource);
}

DetectorsDlg::~DetectorsDlg()
{
    delete ui;
}

QString DetectorsDlg::kindKey() const
{
    return element->isSensor() ? Sensor : Detector;
}

bool DetectorsDlg::namesElement(const VObject &reference) const
{
    if (reference.isNull())
        return false;
    return reference == element->id() || (!element->name().isEmpty() && reference == element->name());
}

void DetectorsDlg::selectAndRun(QComboBox *box, int index, void (DetectorsDlg::*slot)(int))
{
    if (index >= box->count())
        index = -1;
    if (box->currentIndex() == index)
        (this->*slot)(index);
    else
        box->setCurrentIndex(index);
}

// --- Loading ------------------------------------------------------------------

void DetectorsDlg::loadAlerts()
{
    const QVariantMap alerts = element->property("alerts").toMap();
    const auto load = [](const QVariant &value, QLineEdit *message, QComboBox *level) {
        const QVariantMap alert = value.toMap();
        message->setText(alert.value(QStringLiteral("message")).toString());
        level->setCurrentIndex(LevelKeys.indexOf(alert.value(QStringLiteral("level"), LevelKeys.first()).toString()));
    };
    load(alerts.value(QStringLiteral("true")), ui->on_msg, ui->on_level);
    load(alerts.value(QStringLiteral("false")), ui->off_msg, ui->off_level);
}

void DetectorsDlg::loadBoards()
{
    bool numberOk = false;
    const int dioNumber = element->property("dionumber").toInt(&numberOk);
    bool channelOk = false;
    int dioChannel = numberOk ? element->property("diochannel").toInt(&channelOk) : -1;
    if (!channelOk)
        dioChannel = -1;
    const QString key = kindKey();
    const VObject devices = controller->nativeData()[QStringLiteral("modules")][QStringLiteral("SystemBus")]
                                                    [QStringLiteral("devices")];
    for (int n = 1; n <= BoardCount; ++n) {
        BoardChannels board;
        board.device = devices[QStringLiteral("DIO%1").arg(n)];
        // Outputs hold a channel on boards 1 to 4 and 9; on 5 to 8 an input
        // may share it.
        const bool outputsTake = n <= 4 || n == 9;
        QSet<int> taken;
        for (const VObject &entry : entriesOf(board.device[Channels])) {
            bool ok = false;
            const int ch = entry[Channel].toInt(&ok);
            if (!ok)
                continue;
            if (entry[key].isNull() && !(outputsTake && !entry[Output].isNull()))
                continue;
            taken.insert(ch);
            if (n == dioNumber && ch == dioChannel && dioChannel >= 0 && !entry[key].isNull()) {
                currentChannelEntry = entry;
                board.channels.insert(ch, entry);
            } else if (!sameEntry(board.channels.value(ch), currentChannelEntry)) {
                // Held by another element; the element's own entry of the
                // same number stays offered.
                board.channels.remove(ch);
            }
        }
        // A board is full when all of its channel numbers are taken, however
        // many entries share them.
        if (taken.size() >= ChannelsPerBoard && dioChannel == -1)
            continue;
        for (int ch = 1; ch <= ChannelsPerBoard; ++ch) {
            if (!taken.contains(ch))
                board.channels.insert(ch, VObject());
        }
        boards.insert(n, board);
        ui->type->addItem(tr("I/O board %1").arg(n), n);
        ui->type->setItemData(ui->type->count() - 1, IoBoard, KindRole);
        if (numberOk && dioNumber == n)
            chosenSource = ui->type->count() - 1;
    }
}

void DetectorsDlg::loadModules()
{
    const QString key = kindKey();
    const VObject modules = controller->nativeData()[QStringLiteral("modules")];
    trafiCam = modules[QStringLiteral("TrafiCam")];
    trafficStream = modules[QStringLiteral("TrafficStream")];
    citilog = modules[QStringLiteral("Citilog")];
    priority = modules[QStringLiteral("Priority")];
    smartButton = modules[QStringLiteral("SmartButton")];
    smartMicro = modules[QStringLiteral("SmartMicro")];
    azimuth = modules[QStringLiteral("AzimuthSSE")];
    signal = modules[QStringLiteral("Signal")];

    const auto found = [this](const VObject &entry, SourceKind kind, bool *flag) {
        currentModuleEntry = entry;
        currentModuleKind = kind;
        *flag = true;
    };
    // A new element has no module channel yet, except a Priority channel
    // that may already hold its default name.
    if (!isNew) {
        for (const VObject &module : entriesOf(trafiCam)) {
            for (const VObject &entry : entriesOf(module[Channels])) {
                if (!foundTrafiCam && namesElement(entry[key]))
                    found(entry, TrafiCamSource, &foundTrafiCam);
            }
        }
        if (!foundTrafiCam) {
            for (const VObject &module : entriesOf(trafficStream)) {
                for (const VObject &entry : entriesOf(module[Channels])) {
                    if (namesElement(entry[key]))
                        found(entry, TrafficStreamSource, &foundTrafficStream);
                }
            }
        }
        for (const VObject &module : entriesOf(citilog)) {
            for (const VObject &cam : entriesOf(module[QStringLiteral("cams")])) {
                for (const VObject &entry : entriesOf(cam[Channels])) {
                    if (!foundTrafiCam && !foundCitilog && namesElement(entry[key]))
                        found(entry, CitilogSource, &foundCitilog);
                }
            }
        }
    }
    if (!priority.isNull()) {
        for (const VObject &entry : entriesOf(priority[Channels])) {
            if (!foundPriority && namesElement(entry[key]))
                found(entry, PrioritySource, &foundPriority);
        }
    }

    for (const VObject &module : entriesOf(trafiCam))
        ui->ti_modules->addItem(hostAndPort(module, "ti_host", "ti_port"));
    for (const VObject &entry : entriesOf(trafficStream))
        ui->ts_modules->addItem(entry[QStringLiteral("url")].toString());
    for (const VObject &module : entriesOf(citilog))
        ui->cl_modules->addItem(hostAndPort(module, "device_host", "device_port"));

    if (!isNew && element->isSensor() && !smartButton.isNull()
        && element->property("type").toString() == QLatin1String("SmartButton"))
        foundSmartButton = true;

    // SmartMicro and Azimuth channels name detectors and sensors alike under "detector".
    if (!smartMicro.isNull()) {
        for (const VObject &sensor : entriesOf(smartMicro[QStringLiteral("sensors")])) {
            ui->sm_sensor_id->addItem(sensor[QStringLiteral("id")].toString());
            if (isNew)
                continue;
            for (const VObject &entry : entriesOf(sensor[Channels])) {
                if (!foundSmartMicro && namesElement(entry[Detector]))
                    found(entry, SmartMicroSource, &foundSmartMicro);
            }
        }
    }
    for (const VObject &module : entriesOrSelf(azimuth)) {
        QStringList cameras;
        for (const VObject &sensor : entriesOf(module[QStringLiteral("sensors")])) {
            cameras << sensor[QStringLiteral("camera_id")].toString();
            if (isNew)
                continue;
            for (const VObject &entry : entriesOf(sensor[Channels])) {
                if (!foundAzimuth && namesElement(entry[Detector]))
                    found(entry, AzimuthSource, &foundAzimuth);
            }
        }
        ui->azimuth_modules->addItem(module[QStringLiteral("url")].toString(), cameras);
    }

    if (!signal.isNull()) {
        const QList<VObject> entries = entriesOf(signal[Channels]);
        for (int c = 1; c <= SignalChannels; ++c) {
            VObject held;
            for (const VObject &entry : entries) {
                bool ok = false;
                if (entry[Channel].toInt(&ok) == c && ok) {
                    held = entry;
                    break;
                }
            }
            const bool taken = !held.isNull() && !held[key].isNull();
            const bool own = taken && namesElement(held[key]);
            if (taken && !own)
                continue;
            ui->type->addItem(tr("Channel %1 of Signal module").arg(c));
            const int index = ui->type->count() - 1;
            ui->type->setItemData(index, SignalChannel, KindRole);
            ui->type->setItemData(index, c, SignalChannelRole);
            if (own) {
                currentChannelEntry = held;
                chosenSource = index;
            }
        }
    }

    if (element->isSensor() && element->property("type").toString() == QLatin1String("DetectorySensor"))
        foundLink = true;
    for (const CnfDetectorPtr &detector : controller->detectorsList())
        ui->detector->addItem(detector->friendlyName(), detector->id());
}

void DetectorsDlg::loadKeyboard()
{
    bool ok = false;
    int keycode = element->property("keycode").toInt(&ok);
    if (!ok)
        keycode = -1;
    if (!tiverkII)
        return;
    const QString key = kindKey();
    keyboardChannels = controller->nativeData()[QStringLiteral("modules")][QStringLiteral("Keyboard")][Channels];
    QSet<int> taken;
    for (const VObject &entry : entriesOf(keyboardChannels)) {
        bool codeOk = false;
        const int code = entry[QStringLiteral("keyCode")].toInt(&codeOk);
        if (!codeOk)
            continue;
        if (code == keycode && keycode >= 0)
            currentChannelEntry = entry;
        else if (!entry[key].isNull())
            taken.insert(code);
    }
    const bool chosenBefore = chosenSource >= 0;
    for (int k = 1; k <= CpuKeyCount; ++k) {
        const int code = CpuKeyCode + k;
        if (taken.contains(code))
            continue;
        ui->type->addItem(tr("Channel %1 of CPU board").arg(k), code);
        ui->type->setItemData(ui->type->count() - 1, CpuKey, KindRole);
        if (!chosenBefore && keycode == code)
            chosenSource = ui->type->count() - 1;
    }
}

void DetectorsDlg::addModuleKinds()
{
    const auto add = [this](const QString &text, int data, SourceKind kind, bool offered, bool found) {
        if (!offered)
            return;
        ui->type->addItem(text, data);
        ui->type->setItemData(ui->type->count() - 1, kind, KindRole);
        if (found)
            chosenSource = ui->type->count() - 1;
    };
    const bool sensor = element->isSensor();
    add(QStringLiteral("TrafiCam"), 600, TrafiCamSource, trafiCam.size() > 0, foundTrafiCam);
    add(QStringLiteral("Citilog"), 601, CitilogSource, citilog.size() > 0, foundCitilog);
    add(tr("Priority"), 602, PrioritySource, !priority.isNull(), foundPriority);
    add(tr("Smart button"), 603, SmartButtonSource, sensor && !smartButton.isNull(), foundSmartButton);
    add(QStringLiteral("SmartMicro"), 604, SmartMicroSource, !smartMicro.isNull(), foundSmartMicro);
    add(tr("Azimuth"), 605, AzimuthSource, !azimuth.isNull(), foundAzimuth);
    add(QStringLiteral("TrafficStream"), 606, TrafficStreamSource, trafficStream.size() > 0, foundTrafficStream);
    add(tr("Link to detector"), 607, LinkToDetector, sensor && !controller->detectorsList().isEmpty(), foundLink);
}

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
        const BoardChannels board = boards.value(ui->type->itemData(index).toInt());
        ui->dio_channel->blockSignals(true);
        ui->dio_channel->clear();
        int selection = -1;
        for (auto it = board.channels.constBegin(); it != board.channels.constEnd(); ++it) {
            ui->dio_channel->addItem(QString::number(it.key()), it.key());
            if (sameEntry(it.value(), currentChannelEntry))
                selection = ui->dio_channel->count() - 1;
        }
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
        selectAndRun(ui->ti_modules, !foundText.isEmpty() || !isNew ? ui->ti_modules->findText(foundText) : 0,
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
        selectAndRun(ui->cl_modules, !foundText.isEmpty() || !isNew ? ui->cl_modules->findText(foundText) : 0,
                     &DetectorsDlg::on_cl_modules_currentIndexChanged);
        break;
    }
    case SmartButtonSource: {
        ui->stackedWidget->setCurrentWidget(ui->smartbuttonPage);
        ui->sbDevice->setText(element->property("deviceName").toString());
        ui->sbSource->setCurrentIndex(SmartButtonSources.indexOf(element->property("source").toString()));
        break;
    }
    case SmartMicroSource:
        ui->stackedWidget->setCurrentWidget(ui->smartMicroPage);
        // Only the element's own SmartMicro channel fills the fields.
        if (currentModuleKind == SmartMicroSource) {
            const VObject sensor = currentModuleEntry.parent().parent();
            ui->sm_sensor_id->setCurrentIndex(ui->sm_sensor_id->findText(sensor[QStringLiteral("id")].toString()));
            ui->sm_zone->setValue(currentModuleEntry[QStringLiteral("zone")].toInt());
            ui->sm_lane->setValue(currentModuleEntry[QStringLiteral("lane")].toInt());
            ui->sm_measure_line->setValue(currentModuleEntry[QStringLiteral("measure_line")].toInt());
        }
        break;
    case AzimuthSource: {
        ui->stackedWidget->setCurrentWidget(ui->azimuthPage);
        int selection = ui->azimuth_modules->currentIndex();
        if (currentModuleKind == AzimuthSource) {
            const VObject module = currentModuleEntry.parent().parent().parent().parent();
            selection = ui->azimuth_modules->findText(module[QStringLiteral("url")].toString());
        }
        selectAndRun(ui->azimuth_modules, selection, &DetectorsDlg::on_azimuth_modules_currentIndexChanged);
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
        selectAndRun(ui->ts_modules, !foundText.isEmpty() || !isNew ? ui->ts_modules->findText(foundText) : 0,
                     &DetectorsDlg::on_ts_modules_currentIndexChanged);
        break;
    }
    case LinkToDetector: {
        ui->stackedWidget->setCurrentWidget(ui->detectorySensorPage);
        const QVariant reference = element->property("detector");
        const QList<CnfDetectorPtr> detectors = controller->detectorsList();
        for (int i = 0; i < detectors.size(); ++i) {
            const bool same = isIntegerVariant(reference) ? reference.toLongLong() == detectors.at(i)->id()
                                                          : reference == QVariant(detectors.at(i)->name());
            if (same) {
                ui->detector->setCurrentIndex(i);
                break;
            }
        }
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
    ui->channel_type->setCurrentIndex(ui->channel_type->findData(entry[QStringLiteral("type")].toString()));
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
    const auto names = [this](const VObject &reference) { return namesElement(reference); };
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
    selectAndRun(ui->xcam_modules, !foundCam.isEmpty() || !isNew ? ui->xcam_modules->findText(foundCam) : 0,
                 &DetectorsDlg::on_xcam_modules_currentIndexChanged);
}

void DetectorsDlg::on_xcam_modules_currentIndexChanged(int index)
{
    const QString camId = ui->xcam_modules->itemText(index);
    const auto names = [this](const VObject &reference) { return namesElement(reference); };
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
    ui->xcam_channel->setCurrentIndex(!own.isEmpty() || !isNew ? ui->xcam_channel->findText(own) : 0);
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

// --- Acceptance -----------------------------------------------------------------------

bool DetectorsDlg::makePlan(Plan *plan)
{
    const int index = ui->type->currentIndex();
    plan->page = ui->stackedWidget->currentWidget();
    plan->kind = index >= 0 ? ui->type->itemData(index, KindRole).toInt() : NoSource;
    const auto warn = [this](const QString &text) {
        QMessageBox::warning(this, QString(), text);
        return false;
    };
    const auto invalidModule = [&warn]() { return warn(tr("Invalid module or channel")); };
    bool ok = false;
    if (plan->page == ui->dioPage) {
        plan->kind = IoBoard;
        plan->board = ui->type->itemData(index).toInt(&ok);
        if (!ok || !boards.contains(plan->board))
            return warn(tr("Invalid I/O board number"));
        const int channelIndex = ui->dio_channel->currentIndex();
        plan->number = channelIndex >= 0 ? ui->dio_channel->itemData(channelIndex).toInt(&ok) : 0;
        if (channelIndex < 0 || !ok)
            return warn(tr("Invalid I/O board channel number"));
        plan->channelType = ui->channel_type->currentData().toString();
        if (plan->channelType.isEmpty())
            plan->channelType = QStringLiteral("full");
        plan->positive = ui->common_positive->isChecked();
        plan->chosen = boards.value(plan->board).channels.value(plan->number);
    } else if (plan->page == ui->keyboardPage) {
        plan->kind = CpuKey;
        plan->number = ui->type->itemData(index).toInt(&ok);
        if (!ok)
            return warn(tr("Invalid detector type"));
        for (const VObject &entry : entriesOf(keyboardChannels)) {
            if (entry[QStringLiteral("keyCode")] == plan->number) {
                plan->chosen = entry;
                break;
            }
        }
    } else if (plan->page == ui->traficamPage) {
        plan->kind = TrafiCamSource;
        const VObject module = moduleByText(trafiCam, ui->ti_modules->currentText(), "ti_host", "ti_port");
        plan->number = ui->ti_channels->currentText().toInt(&ok);
        if (module.isNull() || !ok)
            return invalidModule();
        plan->channels = module[Channels];
    } else if (plan->page == ui->trafficstreamPage) {
        plan->kind = TrafficStreamSource;
        VObject chosen;
        for (const VObject &entry : entriesOf(trafficStream)) {
            if (entry[QStringLiteral("url")].toString() == ui->ts_modules->currentText()) {
                chosen = entry;
                break;
            }
        }
        plan->number = ui->ts_channels->currentText().toInt(&ok);
        if (chosen.isNull() || !ok)
            return invalidModule();
        plan->channels = chosen[Channels];
        // The channel is typed freely: one held by another element of the
        // same kind must not be taken over.
        for (const VObject &entry : entriesOf(plan->channels)) {
            if (entry[Channel] == plan->number && !entry[kindKey()].isNull() && !namesElement(entry[kindKey()]))
                return warn(tr("TrafficStream channel %1 is taken").arg(plan->number));
        }
    } else if (plan->page == ui->citilogPage) {
        plan->kind = CitilogSource;
        const VObject module = moduleByText(citilog, ui->cl_modules->currentText(), "device_host", "device_port");
        VObject cam;
        for (const VObject &candidate : entriesOf(module[QStringLiteral("cams")])) {
            if (!ui->xcam_modules->currentText().isEmpty()
                && candidate[QStringLiteral("id")].toString() == ui->xcam_modules->currentText()) {
                cam = candidate;
                break;
            }
        }
        plan->number = ui->xcam_channel->currentText().toInt(&ok);
        if (cam.isNull() || !ok)
            return invalidModule();
        plan->channels = cam[Channels];
    } else if (plan->page == ui->smartbuttonPage) {
        plan->kind = SmartButtonSource;
    } else if (plan->page == ui->smartMicroPage) {
        plan->kind = SmartMicroSource;
        for (const VObject &sensor : entriesOf(smartMicro[QStringLiteral("sensors")])) {
            if (!ui->sm_sensor_id->currentText().isEmpty()
                && sensor[QStringLiteral("id")].toString() == ui->sm_sensor_id->currentText()) {
                plan->smartMicroSensor = sensor;
                break;
            }
        }
        if (plan->smartMicroSensor.isNull())
            return invalidModule();
    } else if (plan->page == ui->azimuthPage) {
        plan->kind = AzimuthSource;
        for (const VObject &module : entriesOrSelf(azimuth)) {
            if (ui->azimuth_modules->currentIndex() >= 0
                && module[QStringLiteral("url")].toString() == ui->azimuth_modules->currentText()) {
                plan->azimuthModule = module;
                break;
            }
        }
        if (plan->azimuthModule.isNull())
            return invalidModule();
        plan->camera = ui->azimuth_cams_id->currentText().toInt();
        plan->number = ui->azimuth_channel_id->value();
    } else if (plan->page == ui->detectorySensorPage) {
        plan->kind = LinkToDetector;
        const int detector = ui->detector->currentIndex();
        plan->detector = detector >= 0 ? ui->detector->itemData(detector).toInt() : -1;
    } else if (plan->kind == PrioritySource) {
        if (ui->name->text().isEmpty()) {
            QMessageBox::critical(this, tr("Error"), tr("For priority detector name must not be empty"));
            return false;
        }
    } else if (plan->kind == SignalChannel) {
        plan->number = ui->type->itemData(index, SignalChannelRole).toInt();
        for (const VObject &entry : entriesOf(signal[Channels])) {
            if (entry[Channel] == plan->number) {
                plan->chosen = entry;
                break;
            }
        }
    } else {
        plan->kind = NoSource;
    }
    return true;
}

void DetectorsDlg::release(VObject entry, const QString &key, bool keepEntry)
{
    if (entry.isNull())
        return;
    entry.remove(key);
    if (keepEntry)
        return;
    // A shared entry keeps the binding of the other element (or output).
    if (entry[Detector].isNull() && entry[Sensor].isNull() && entry[Output].isNull())
        entry.remove();
}

void DetectorsDlg::releaseModuleEntry()
{
    if (currentModuleEntry.isNull())
        return;
    const bool byDetector = currentModuleKind == SmartMicroSource || currentModuleKind == AzimuthSource;
    VObject sensor = currentModuleEntry.parent().parent();
    release(currentModuleEntry, byDetector ? Detector : kindKey());
    if (currentModuleKind == AzimuthSource && sensor[Channels].size() == 0)
        sensor.remove();
    currentModuleEntry = VObject();
    currentModuleKind = NoSource;
}

void DetectorsDlg::writePlan(const Plan &plan)
{
    const QString key = kindKey();
    const int id = element->id();
    // The channel entry held when the dialog opened goes unless it is the one
    // written again; Keyboard entries keep their key code.
    const auto releaseChannel = [&](const VObject &kept) {
        if (currentChannelEntry.isNull() || sameEntry(kept, currentChannelEntry))
            return;
        const bool keyboardEntry = sameEntry(currentChannelEntry.parent(), keyboardChannels);
        release(currentChannelEntry, key, keyboardEntry);
        currentChannelEntry = VObject();
    };
    // The module channel of TrafiCam, TrafficStream and Citilog: the first
    // entry of the number, or a new one.
    const auto writeModuleChannel = [&](VObject channels) {
        releaseModuleEntry();
        VObject entry;
        for (const VObject &candidate : entriesOf(channels)) {
            if (candidate[Channel] == plan.number) {
                entry = candidate;
                break;
            }
        }
        if (entry.isNull()) {
            entry = channels.append(VObject::map());
            entry[Channel] = plan.number;
        }
        entry[key] = id;
        releaseChannel(VObject());
    };

    switch (plan.kind) {
    case IoBoard: {
        VObject device = boards.value(plan.board).device;
        if (plan.board <= 4)
            device[QStringLiteral("type")] = QStringLiteral("dryContact");
        else
            device.remove(QStringLiteral("type"));
        releaseChannel(plan.chosen);
        releaseModuleEntry();
        VObject entry = plan.chosen;
        if (entry.isNull())
            entry = device[Channels].append(VObject::map());
        entry[QStringLiteral("type")] = plan.channelType;
        entry[Channel] = plan.number;
        entry[QStringLiteral("common")] = plan.positive ? QStringLiteral("positive") : QStringLiteral("negative");
        entry[key] = id;
        element->setProperty("dionumber", plan.board);
        element->setProperty("diochannel", plan.number);
        break;
    }
    case CpuKey: {
        if (keyboardChannels.isNull()) {
            controller->nativeData()[QStringLiteral("modules")][QStringLiteral("Keyboard")]
                                    [QStringLiteral("deviceName")] = QStringLiteral("/dev/extbuttons");
        }
        releaseChannel(plan.chosen);
        releaseModuleEntry();
        VObject entry = plan.chosen;
        if (entry.isNull())
            entry = keyboardChannels.append(VObject::map());
        entry[QStringLiteral("keyCode")] = plan.number;
        entry[key] = id;
        element->setProperty("dio2channel", QVariant());
        element->setProperty("keycode", plan.number);
        break;
    }
    case TrafiCamSource:
    case TrafficStreamSource:
    case CitilogSource:
        writeModuleChannel(plan.channels);
        for (const char *name : {"dio1channel", "dio2channel", "diochannel", "dionumber", "keycode"})
            element->setProperty(name, QVariant());
        break;
    case SmartButtonSource: {
        releaseChannel(VObject());
        releaseModuleEntry();
        element->setProperty("deviceName", ui->sbDevice->text());
        const int source = ui->sbSource->currentIndex();
        element->setProperty("source", source >= 0 ? SmartButtonSources.at(source) : QString());
        element->setProperty("type", QStringLiteral("SmartButton"));
        break;
    }
    case SmartMicroSource: {
        releaseChannel(VObject());
        releaseModuleEntry();
        VObject channels = plan.smartMicroSensor[Channels];
        channels.append(VObject(QVariantMap{{Detector, id},
                                            {QStringLiteral("lane"), ui->sm_lane->value()},
                                            {QStringLiteral("measure_line"), ui->sm_measure_line->value()},
                                            {QStringLiteral("zone"), ui->sm_zone->value()}}));
        break;
    }
    case AzimuthSource: {
        releaseChannel(VObject());
        releaseModuleEntry();
        VObject sensors = plan.azimuthModule[QStringLiteral("sensors")];
        VObject sensor;
        for (const VObject &candidate : entriesOf(sensors)) {
            if (candidate[QStringLiteral("camera_id")] == plan.camera) {
                sensor = candidate;
                break;
            }
        }
        if (sensor.isNull())
            sensor = sensors.append(VObject(QVariantMap{{QStringLiteral("camera_id"), plan.camera}}));
        VObject channels = sensor[Channels];
        VObject entry;
        for (const VObject &candidate : entriesOf(channels)) {
            if (candidate[QStringLiteral("rcg_channel_id")] == plan.number) {
                entry = candidate;
                break;
            }
        }
        if (entry.isNull())
            entry = channels.append(VObject(QVariantMap{{QStringLiteral("rcg_channel_id"), plan.number}}));
        entry[Detector] = id;
        break;
    }
    case LinkToDetector:
        releaseChannel(VObject());
        releaseModuleEntry();
        element->setProperty("type", QStringLiteral("DetectorySensor"));
        element->setProperty("detector", plan.detector >= 0 ? QVariant(plan.detector) : QVariant());
        break;
    case PrioritySource: {
        releaseModuleEntry();
        releaseChannel(VObject());
        VObject channels = priority[Channels];
        channels.append(VObject(QVariantMap{{key, element->name()}}));
        element->setProperty("dio2channel", QVariant());
        element->setProperty("keycode", QVariant());
        break;
    }
    case SignalChannel: {
        releaseChannel(plan.chosen);
        releaseModuleEntry();
        VObject entry = plan.chosen;
        if (entry.isNull())
            entry = signal[Channels].append(VObject::map());
        entry[key] = element->name();
        entry[Channel] = plan.number;
        element->setProperty("dio2channel", QVariant());
        element->setProperty("keycode", QVariant());
        break;
    }
    default:
        break;
    }
    // A sensor linked to a detector keeps the link only while that is its source.
    if (plan.kind != NoSource && plan.kind != LinkToDetector && element->isSensor())
        element->setProperty("detector", QVariant());
}

void DetectorsDlg::writeAlerts()
{
    const QString on = ui->on_msg->text();
    const QString off = ui->off_msg->text();
    if (on.isEmpty() && off.isEmpty()) {
        element->setProperty("alerts", QVariant());
        return;
    }
    // A level box without a current item stores the first level.
    const auto alert = [](const QString &message, const QComboBox *level) {
        return QVariantMap{{QStringLiteral("message"), message},
                           {QStringLiteral("level"), LevelKeys.value(level->currentIndex(), LevelKeys.first())}};
    };
    QVariantMap alerts;
    if (!on.isEmpty())
        alerts.insert(QStringLiteral("true"), alert(on, ui->on_level));
    if (!off.isEmpty())
        alerts.insert(QStringLiteral("false"), alert(off, ui->off_level));
    element->setProperty("alerts", alerts);
}

void DetectorsDlg::accept()
{
    // Every check runs before anything is written, so that a refused OK and
    // then Cancel leave the element and the native data as they were.
    Plan plan;
    if (!makePlan(&plan))
        return;
    element->setId(ui->number->value());
    element->setName(ui->name->text());
    for (const char *name : {"deviceName", "source", "dionumber", "diochannel", "keycode", "type"})
        element->setProperty(name, QVariant());
    writePlan(plan);
    if (element->isSensor())
        writeAlerts();
    QDialog::accept();
}
