#include "detectorsdlg.h"

#include "detectorsdlgnodes.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfreferences.h"
#include "ui_detectorsdlg.h"

#include <QMessageBox>
#include <QSpinBox>

using namespace DetectorsDlgNodes;

namespace {

// The first module of the list whose "host:port" text is the given one.
VObject moduleByText(const VObject &modules, const QString &text, const char *host,
                     const char *port)
{
    for (const VObject &module : entriesOf(modules)) {
        if (hostAndPort(module, host, port) == text)
            return module;
    }
    return VObject();
}

// Writes the value unless the entry holds it already (also a number as
// text), so that an unchanged field keeps its form.
void writeChanged(VObject entry, const QString &key, const QVariant &value)
{
    if (!(entry[key] == value))
        entry[key] = value;
}

// The value a spin box shows for a stored field.
int shownValue(const VObject &field, const QSpinBox *box)
{
    return qBound(box->minimum(), field.toInt(), box->maximum());
}

} // namespace

struct DetectorsDlg::Plan
{
    int kind = NoSource;
    QWidget *page = nullptr;
    int board = 0;
    int number = 0; // board channel, key code, module channel, Signal channel
    QString channelType;
    bool positive = false;
    VObject channels; // the module channel list written into
    VObject chosen; // an existing entry to write into, or null
    VObject smartMicroSensor;
    VObject azimuthModule;
    int camera = 0;
    int detector = -1; // linked detector, -1 for none
};

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
    const auto invalidModule = [&warn]() {
        return warn(tr("Invalid module or channel"));
    };
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
        const VObject module
            = moduleByText(trafiCam, ui->ti_modules->currentText(), "ti_host", "ti_port");
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
            if (entry[Channel] == plan->number && !entry[kindKey()].isNull()
                && !namesElement(entry[kindKey()]))
                return warn(tr("TrafficStream channel %1 is taken").arg(plan->number));
        }
    } else if (plan->page == ui->citilogPage) {
        plan->kind = CitilogSource;
        const VObject module
            = moduleByText(citilog, ui->cl_modules->currentText(), "device_host", "device_port");
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
            QMessageBox::critical(this, tr("Error"),
                                  tr("For priority detector name must not be empty"));
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
    const bool byDetector
        = currentModuleKind == SmartMicroSource || currentModuleKind == AzimuthSource;
    VObject sensor = currentModuleEntry.parent().parent();
    release(currentModuleEntry, byDetector ? Detector : kindKey());
    if (currentModuleKind == AzimuthSource && sensor[Channels].size() == 0)
        sensor.remove();
    currentModuleEntry = VObject();
    currentModuleKind = NoSource;
}

VObject DetectorsDlg::ownEntryIn(SourceKind kind, const VObject &channels, bool changes,
                                 const QString &numberKey, int number) const
{
    if (currentModuleKind != kind || !sameEntry(currentModuleEntry.parent(), channels))
        return VObject();
    if (!changes)
        return currentModuleEntry;
    // A changed entry that another element or an output shares would take
    // them along; a number another entry holds would be there twice.
    const QString key = currentModuleKind == SmartMicroSource || currentModuleKind == AzimuthSource
        ? Detector
        : kindKey();
    for (const QString &other : { Detector, Sensor, Output }) {
        if (other != key && !currentModuleEntry[other].isNull())
            return VObject();
    }
    if (!numberKey.isEmpty()) {
        for (const VObject &entry : entriesOf(channels)) {
            if (!sameEntry(entry, currentModuleEntry) && entry[numberKey] == number)
                return VObject();
        }
    }
    return currentModuleEntry;
}

void DetectorsDlg::nameElementIn(VObject entry, const QString &key, const QVariant &value) const
{
    // An entry naming an element of the configuration by the name it opened
    // with is left to the caller's name following, which asks where that name
    // names another element too.
    const bool namedBefore = !isNew && CnfReferences::namesName(entry[key].toVariant(), openedName);
    if (!namesElement(entry[key]) && !namedBefore && !followNewId(entry, key))
        entry[key] = value;
}

bool DetectorsDlg::followNewId(VObject entry, const QString &key) const
{
    const VObject reference = entry[key];
    if (reference.isNull())
        return false;
    const bool text = reference.type() == QMetaType::QString;
    if (reference == openedId && element->id() != openedId) {
        entry[key] = text ? QVariant(QString::number(element->id())) : QVariant(element->id());
        return true;
    }
    return false;
}

void DetectorsDlg::applyPlannedProperties()
{
    for (auto it = plannedProperties.constBegin(); it != plannedProperties.constEnd(); ++it) {
        const QByteArray name = it.key().toLatin1();
        const QVariant stored = element->property(name.constData());
        const QVariant &planned = it.value();
        // The same value in another form (a number for a text), or an empty
        // text for none, leaves the property as it is stored.
        const bool same = !planned.isValid()
            ? !stored.isValid()
            : (stored.isValid()
                   ? stored.toString() == planned.toString()
                   : planned.userType() == QMetaType::QString && planned.toString().isEmpty());
        if (!same)
            element->setProperty(name.constData(), planned);
    }
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
    // The module channel of TrafiCam, TrafficStream and Citilog: the
    // element's own entry of the list, else the first entry of the number, or
    // a new one.
    const auto writeModuleChannel = [&](VObject channels) {
        VObject entry
            = ownEntryIn(static_cast<SourceKind>(plan.kind), channels,
                         !(currentModuleEntry[Channel] == plan.number), Channel, plan.number);
        if (entry.isNull()) {
            releaseModuleEntry();
            entry = firstEntryWith(channels, Channel, plan.number);
            if (entry.isNull())
                entry = channels.append(VObject::map());
        }
        writeChanged(entry, Channel, plan.number);
        nameElementIn(entry, key, id);
        releaseChannel(VObject());
    };

    switch (plan.kind) {
    case IoBoard: {
        VObject device = boards.value(plan.board).device;
        // The element's own entry keeps what the user did not edit: its
        // board's type, a channel type the list does not know, its polarity.
        const bool own = sameEntry(plan.chosen, currentChannelEntry);
        if (!own && plan.board <= 4)
            writeChanged(device, QStringLiteral("type"), QStringLiteral("dryContact"));
        else if (!own && !device[QStringLiteral("type")].isNull())
            device.remove(QStringLiteral("type"));
        releaseChannel(plan.chosen);
        releaseModuleEntry();
        VObject entry = plan.chosen;
        const bool created = entry.isNull();
        if (created)
            entry = device[Channels].append(VObject::map());
        if (!own || edited(ui->channel_type))
            writeChanged(entry, QStringLiteral("type"), plan.channelType);
        writeChanged(entry, Channel, plan.number);
        // An entry without a polarity reads as negative: it keeps lacking it.
        const QString common = QStringLiteral("common");
        if (created
            || ((!own || edited(ui->common_positive))
                && (plan.positive || !entry[common].isNull())))
            writeChanged(entry, common,
                         plan.positive ? QStringLiteral("positive") : QStringLiteral("negative"));
        nameElementIn(entry, key, id);
        plannedProperties.insert(QStringLiteral("dionumber"), plan.board);
        plannedProperties.insert(QStringLiteral("diochannel"), plan.number);
        break;
    }
    case CpuKey: {
        if (keyboardChannels.isNull()) {
            controller->nativeData()[QStringLiteral("modules")][QStringLiteral("Keyboard")]
                                    [QStringLiteral("deviceName")]
                = QStringLiteral("/dev/extbuttons");
        }
        releaseChannel(plan.chosen);
        releaseModuleEntry();
        VObject entry = plan.chosen;
        if (entry.isNull())
            entry = keyboardChannels.append(VObject::map());
        writeChanged(entry, QStringLiteral("keyCode"), plan.number);
        nameElementIn(entry, key, id);
        plannedProperties.insert(QStringLiteral("dio2channel"), QVariant());
        plannedProperties.insert(QStringLiteral("keycode"), plan.number);
        break;
    }
    case TrafiCamSource:
    case TrafficStreamSource:
    case CitilogSource:
        writeModuleChannel(plan.channels);
        for (const char *name :
             { "dio1channel", "dio2channel", "diochannel", "dionumber", "keycode" })
            plannedProperties.insert(QLatin1String(name), QVariant());
        break;
    case SmartButtonSource: {
        releaseChannel(VObject());
        releaseModuleEntry();
        plannedProperties.insert(QStringLiteral("deviceName"), ui->sbDevice->text());
        const int source = ui->sbSource->currentIndex();
        plannedProperties.insert(QStringLiteral("source"),
                                 source >= 0 ? SmartButtonSources.at(source) : QString());
        plannedProperties.insert(QStringLiteral("type"), QStringLiteral("SmartButton"));
        break;
    }
    case SmartMicroSource: {
        releaseChannel(VObject());
        VObject channels = plan.smartMicroSensor[Channels];
        const QList<QPair<QString, const QSpinBox *>> fields {
            { QStringLiteral("lane"), ui->sm_lane },
            { QStringLiteral("measure_line"), ui->sm_measure_line },
            { QStringLiteral("zone"), ui->sm_zone }
        };
        bool changes = false;
        for (const auto &field : fields)
            changes = changes
                || shownValue(currentModuleEntry[field.first], field.second)
                    != field.second->value();
        VObject entry = ownEntryIn(SmartMicroSource, channels, changes);
        const bool added = entry.isNull();
        if (added) {
            releaseModuleEntry();
            entry = channels.append(VObject::map());
        }
        for (const auto &field : fields) {
            if (added || shownValue(entry[field.first], field.second) != field.second->value())
                entry[field.first] = field.second->value();
        }
        nameElementIn(entry, Detector, id);
        break;
    }
    case AzimuthSource: {
        releaseChannel(VObject());
        const QString channelId = QStringLiteral("rcg_channel_id");
        VObject sensors = plan.azimuthModule[QStringLiteral("sensors")];
        const auto cameraSensor = [&]() {
            return firstEntryWith(sensors, QStringLiteral("camera_id"), plan.camera);
        };
        // A camera left as shown is the own entry's sensor, with or without a "camera_id".
        const bool sameCamera = currentModuleKind == AzimuthSource && !edited(ui->azimuth_modules)
            && !edited(ui->azimuth_cams_id);
        const VObject ownSensor
            = sameCamera ? currentModuleEntry.parent().parent() : cameraSensor();
        const bool channelEdited = edited(ui->azimuth_channel_id);
        VObject entry = ownSensor.isNull()
            ? VObject()
            : ownEntryIn(AzimuthSource, ownSensor[Channels],
                         channelEdited && !(currentModuleEntry[channelId] == plan.number),
                         channelId, plan.number);
        if (entry.isNull()) {
            releaseModuleEntry();
            VObject sensor = cameraSensor();
            if (sensor.isNull())
                sensor = sensors.append(
                    VObject(QVariantMap { { QStringLiteral("camera_id"), plan.camera } }));
            VObject channels = sensor[Channels];
            entry = firstEntryWith(channels, channelId, plan.number);
            if (entry.isNull())
                entry = channels.append(VObject(QVariantMap { { channelId, plan.number } }));
        }
        if (channelEdited || !sameEntry(entry, currentModuleEntry))
            writeChanged(entry, channelId, plan.number);
        nameElementIn(entry, Detector, id);
        break;
    }
    case LinkToDetector:
        releaseChannel(VObject());
        releaseModuleEntry();
        plannedProperties.insert(QStringLiteral("type"), QStringLiteral("DetectorySensor"));
        // A link left as shown keeps the detector as it names it (id or name).
        if (!foundLink || edited(ui->detector))
            plannedProperties.insert(QStringLiteral("detector"),
                                     plan.detector >= 0 ? QVariant(plan.detector) : QVariant());
        break;
    case PrioritySource: {
        VObject channels = priority[Channels];
        VObject entry = ownEntryIn(PrioritySource, channels, false);
        if (entry.isNull()) {
            releaseModuleEntry();
            entry = channels.append(VObject::map());
        }
        nameElementIn(entry, key, element->name());
        releaseChannel(VObject());
        plannedProperties.insert(QStringLiteral("dio2channel"), QVariant());
        plannedProperties.insert(QStringLiteral("keycode"), QVariant());
        break;
    }
    case SignalChannel: {
        releaseChannel(plan.chosen);
        releaseModuleEntry();
        VObject entry = plan.chosen;
        if (entry.isNull())
            entry = signal[Channels].append(VObject::map());
        nameElementIn(entry, key, element->name());
        writeChanged(entry, Channel, plan.number);
        plannedProperties.insert(QStringLiteral("dio2channel"), QVariant());
        plannedProperties.insert(QStringLiteral("keycode"), QVariant());
        break;
    }
    default:
        break;
    }
    // A sensor linked to a detector keeps the link only while that is its source.
    if (plan.kind != NoSource && plan.kind != LinkToDetector && element->isSensor())
        plannedProperties.insert(QStringLiteral("detector"), QVariant());
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
        return QVariantMap { { QStringLiteral("message"), message },
                             { QStringLiteral("level"),
                               LevelKeys.value(level->currentIndex(), LevelKeys.first()) } };
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
    // then Cancel leave the element and the native data as they were. A source
    // left as shown is kept as the file holds it, and so is not checked.
    const bool sourceKept = !isNew && !sourceEdited();
    Plan plan;
    if (!sourceKept && !makePlan(&plan))
        return;
    element->setId(ui->number->value());
    element->setName(ui->name->text());
    if (sourceKept) {
        followNewId(currentChannelEntry, kindKey());
        const bool byDetector
            = currentModuleKind == SmartMicroSource || currentModuleKind == AzimuthSource;
        followNewId(currentModuleEntry, byDetector ? Detector : kindKey());
    } else {
        plannedProperties.clear();
        for (const char *name :
             { "deviceName", "source", "dionumber", "diochannel", "keycode", "type" })
            plannedProperties.insert(QLatin1String(name), QVariant());
        writePlan(plan);
        applyPlannedProperties();
    }
    if (element->isSensor() && alertsEdited())
        writeAlerts();
    QDialog::accept();
}
