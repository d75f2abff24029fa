#include "detectorstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfprogram.h"
#include "cnf/vobject.h"
#include "common/widgets/tablecells.h"
#include "mainwindowhelpers.h"
#include "mainwindowtexts.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

const QString Detector = QStringLiteral("detector");
const QString Sensor = QStringLiteral("sensor");
const QString Channels = QStringLiteral("channels");
const QString Channel = QStringLiteral("channel");

// The property as an integer, when it converts to one.
bool intProperty(const CnfDetector &element, const char *name, int *value)
{
    bool ok = false;
    *value = element.property(name).toInt(&ok);
    return ok;
}

// A channel's reference names the element by its id or, failing that, by
// its name. An empty name names nothing: unnamed elements would otherwise
// all own every empty reference.
bool refersTo(const VObject &reference, const CnfDetector &element)
{
    if (reference.isNull())
        return false;
    return reference == element.id() || (!element.name().isEmpty() && reference == element.name());
}

bool isIntegerType(const VObject &value)
{
    return value.type() == QMetaType::Int || value.type() == QMetaType::LongLong;
}

// The texts of the board and CPU-board properties; true when the key code
// decided (the modules are then not searched).
bool boardText(const CnfDetector &element, QString *text)
{
    int number = 0;
    int channel = 0;
    if (intProperty(element, "dionumber", &number) && intProperty(element, "diochannel", &channel))
        *text = MainWindowTexts::tr("Channel %1 of I/O board %2").arg(channel).arg(number);
    int keycode = 0;
    if (intProperty(element, "keycode", &keycode)) {
        *text = MainWindowTexts::tr("Channel %1 of CPU board").arg(keycode - 512);
        return true;
    }
    return false;
}

// Calls visit for each channel of each device's "channels" until it gives true.
bool forEachChannel(const VObject &devices,
                    const std::function<bool(const VObject &, const VObject &)> &visit)
{
    for (int i = 0; i < devices.size(); ++i) {
        const VObject device = devices[i];
        const VObject channels = device[Channels];
        for (int j = 0; j < channels.size(); ++j) {
            if (visit(device, channels[j]))
                return true;
        }
    }
    return false;
}

QString trafiCamText(const VObject &trafiCam, const CnfDetector &element, const QString &key)
{
    QString text;
    forEachChannel(trafiCam, [&](const VObject &device, const VObject &channel) {
        if (!refersTo(channel[key], element))
            return false;
        text = MainWindowTexts::tr("Traficam %1:%2, channel %3")
                   .arg(device[QStringLiteral("ti_host")].toString())
                   .arg(device[QStringLiteral("ti_port")].toInt())
                   .arg(channel[Channel].toInt());
        return true;
    });
    return text;
}

QString trafficStreamText(const VObject &trafficStream, const CnfDetector &element)
{
    QString text;
    forEachChannel(trafficStream, [&](const VObject &device, const VObject &channel) {
        if (!refersTo(channel[Detector], element))
            return false;
        const QUrl url(device[QStringLiteral("url")].toString(), QUrl::TolerantMode);
        text = MainWindowTexts::tr("TrafficStream %1:%2, channel %3")
                   .arg(url.host(QUrl::FullyDecoded))
                   .arg(url.port())
                   .arg(channel[Channel].toInt());
        return true;
    });
    return text;
}

QString citilogText(const VObject &citilog, const CnfDetector &element, const QString &key)
{
    for (int i = 0; i < citilog.size(); ++i) {
        const VObject device = citilog[i];
        const VObject cams = device[QStringLiteral("cams")];
        for (int j = 0; j < cams.size(); ++j) {
            const VObject cam = cams[j];
            const VObject channels = cam[Channels];
            for (int k = 0; k < channels.size(); ++k) {
                if (!refersTo(channels[k][key], element))
                    continue;
                return MainWindowTexts::tr("Citilog %1:%2, id=%3, channel %4")
                    .arg(device[QStringLiteral("device_host")].toString())
                    .arg(device[QStringLiteral("device_port")].toInt())
                    .arg(cam[QStringLiteral("id")].toString())
                    .arg(channels[k][Channel].toInt());
            }
        }
    }
    return QString();
}

QString priorityText(const VObject &priority, const CnfDetector &element, const QString &key)
{
    if (priority.isNull())
        return QString();
    const VObject channels = priority[Channels];
    for (int i = 0; i < channels.size(); ++i) {
        if (refersTo(channels[i][key], element))
            return MainWindowTexts::tr("Priority");
    }
    return QString();
}

QString smartMicroText(const VObject &smartMicro, const CnfDetector &element)
{
    if (smartMicro.isNull())
        return QString();
    QString text;
    forEachChannel(smartMicro[QStringLiteral("sensors")],
                   [&](const VObject &, const VObject &channel) {
                       if (!refersTo(channel[Detector], element))
                           return false;
                       text = QStringLiteral("SmartMicro");
                       return true;
                   });
    return text;
}

// "AzimuthSSE" is a list of devices or, with no elements, one device itself.
// A position inside the single device gives nothing, so that device's own
// "url" is taken.
QString azimuthText(const VObject &azimuth, const CnfDetector &element)
{
    if (azimuth.isNull())
        return QString();
    const bool single = azimuth.size() == 0;
    const int count = single ? 1 : azimuth.size();
    for (int i = 0; i < count; ++i) {
        const VObject device = single ? azimuth : azimuth[i];
        const QUrl url(device[QStringLiteral("url")].toString(), QUrl::TolerantMode);
        QString text;
        forEachChannel(device[QStringLiteral("sensors")],
                       [&](const VObject &sensor, const VObject &channel) {
                           if (!refersTo(channel[Detector], element))
                               return false;
                           text = MainWindowTexts::tr("Azimuth %1, cam:%2, chan:%3")
                                      .arg(url.toString(QUrl::RemoveUserInfo),
                                           sensor[QStringLiteral("camera_id")].toString(),
                                           channel[QStringLiteral("rcg_channel_id")].toString());
                           return true;
                       });
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

// Detectors are named on the Signal module by an integer id or by name,
// never by a number written as text; sensors by the general rule.
QString signalText(const VObject &signal, const CnfDetector &element, const QString &key)
{
    if (signal.isNull())
        return QString();
    const VObject channels = signal[Channels];
    for (int i = 0; i < channels.size(); ++i) {
        const VObject entry = channels[i];
        bool ok = false;
        const int number = entry[Channel].toInt(&ok);
        const VObject reference = entry[key];
        if (!ok || reference.isNull())
            continue;
        bool matches = false;
        if (key == Detector) {
            matches = isIntegerType(reference) ? reference.toLongLong() == element.id()
                                               : reference.toString() == element.name();
        } else {
            matches = refersTo(reference, element);
        }
        if (matches)
            return MainWindowTexts::tr("Channel %1 of Signal module").arg(number);
    }
    return QString();
}

// --- Removal of references -------------------------------------------------

// Removes every entry of the list whose reference names the element.
int removeMatchingEntries(VObject channels, const QString &key, const CnfDetector &element)
{
    int removed = 0;
    for (int i = channels.size() - 1; i >= 0; --i) {
        if (refersTo(channels[i][key], element)) {
            channels.removeAt(i);
            ++removed;
        }
    }
    return removed;
}

// A DIO board list: the entries naming the element go; when that would leave
// the list empty the whole board goes instead.
int removeFromDio(VObject owner, const QString &boardKey, const QString &key,
                  const CnfDetector &element)
{
    VObject board = owner[boardKey];
    VObject channels = board[Channels];
    int matching = 0;
    for (int i = 0; i < channels.size(); ++i) {
        if (refersTo(channels[i][key], element))
            ++matching;
    }
    if (matching == 0)
        return 0;
    if (matching == channels.size()) {
        owner.remove(boardKey);
        return matching;
    }
    return removeMatchingEntries(channels, key, element);
}

// Keyboard: only the reference goes, the key channel stays.
int removeKeyReferences(VObject channels, const QString &key, const CnfDetector &element)
{
    int removed = 0;
    for (int i = 0; i < channels.size(); ++i) {
        VObject channel = channels[i];
        if (refersTo(channel[key], element)) {
            channel.remove(key);
            ++removed;
        }
    }
    return removed;
}

// A ZU_MOLT document's inputs and outputs: every module's channels lose the
// reference and stay, with the module's own settings, as a channel that
// names no detector.
int removeFromInputsOutputs(const VObject &modules, const QString &key, const CnfDetector &element)
{
    int removed = 0;
    for (const QString &module : modules.keys())
        removed += removeKeyReferences(modules[module][Channels], key, element);
    return removed;
}

// A program's detector events name detectors by id (or by name): the
// references to the element go, the events stay.
int removeFromProgramEvents(const CnfController &controller, const CnfDetector &element)
{
    const auto names = [&element](const QVariant &reference) {
        if (reference.type() == QVariant::String)
            return !element.name().isEmpty() && reference.toString() == element.name();
        bool number = false;
        return reference.toInt(&number) == element.id() && number;
    };
    int removed = 0;
    for (const CnfProgramPtr &program : controller.programs()) {
        QVariantList events = program->property("detectors").toList();
        bool changed = false;
        for (QVariant &event : events) {
            if (event.type() != QVariant::Map)
                continue;
            QVariantMap map = event.toMap();
            for (const QString &key : { QStringLiteral("detector"), QStringLiteral("indicator") }) {
                if (map.contains(key) && names(map.value(key))) {
                    map.remove(key);
                    changed = true;
                    ++removed;
                }
            }
            event = map;
        }
        if (changed)
            program->setProperty("detectors", events);
    }
    return removed;
}

int removeFromDevices(const VObject &devices, const QString &key, const CnfDetector &element)
{
    int removed = 0;
    for (int i = 0; i < devices.size(); ++i)
        removed += removeMatchingEntries(devices[i][Channels], key, element);
    return removed;
}

int removeFromCitilog(const VObject &citilog, const QString &key, const CnfDetector &element)
{
    int removed = 0;
    for (int i = 0; i < citilog.size(); ++i)
        removed += removeFromDevices(citilog[i][QStringLiteral("cams")], key, element);
    return removed;
}

// An Azimuth sensor goes together with its last channel.
int removeFromAzimuth(const VObject &azimuth, const QString &key, const CnfDetector &element)
{
    if (azimuth.isNull())
        return 0;
    const bool single = azimuth.size() == 0;
    const int count = single ? 1 : azimuth.size();
    int removed = 0;
    for (int i = 0; i < count; ++i) {
        VObject sensors = (single ? azimuth : azimuth[i])[QStringLiteral("sensors")];
        for (int j = sensors.size() - 1; j >= 0; --j) {
            VObject channels = sensors[j][Channels];
            const int found = removeMatchingEntries(channels, key, element);
            removed += found;
            if (found > 0 && channels.size() == 0)
                sensors.removeAt(j);
        }
    }
    return removed;
}

// A Signal channel loses the reference, and goes when it names no element
// of the other kind either.
int removeFromSignal(const VObject &signal, const QString &key, const CnfDetector &element)
{
    if (signal.isNull())
        return 0;
    const QString otherKey = key == Detector ? Sensor : Detector;
    VObject channels = signal[Channels];
    int removed = 0;
    for (int i = channels.size() - 1; i >= 0; --i) {
        VObject channel = channels[i];
        if (!refersTo(channel[key], element))
            continue;
        ++removed;
        if (channel[otherKey].isNull())
            channels.removeAt(i);
        else
            channel.remove(key);
    }
    return removed;
}

} // namespace

QString DetectorsTable::detectorSource(const CnfController &controller, const CnfDetector &detector)
{
    QString text;
    if (boardText(detector, &text))
        return text;
    if (!text.isEmpty())
        return text;
    const VObject modules = controller.nativeData()[QStringLiteral("modules")];
    const std::function<QString()> searches[] = {
        [&] { return trafiCamText(modules[QStringLiteral("TrafiCam")], detector, Detector); },
        [&] { return trafficStreamText(modules[QStringLiteral("TrafficStream")], detector); },
        [&] { return citilogText(modules[QStringLiteral("Citilog")], detector, Detector); },
        [&] { return priorityText(modules[QStringLiteral("Priority")], detector, Detector); },
        [&] { return smartMicroText(modules[QStringLiteral("SmartMicro")], detector); },
        [&] { return azimuthText(modules[QStringLiteral("AzimuthSSE")], detector); },
        [&] { return signalText(modules[QStringLiteral("Signal")], detector, Detector); },
    };
    for (const auto &search : searches) {
        text = search();
        if (!text.isEmpty())
            break;
    }
    return text;
}

QString DetectorsTable::sensorSource(const CnfController &controller, const CnfDetector &sensor)
{
    const QString type = sensor.property("type").toString();
    if (type == QLatin1String("SmartButton"))
        return MainWindowTexts::tr("Smart button");
    QString text;
    if (boardText(sensor, &text))
        return text;
    if (type == QLatin1String("DetectorySensor"))
        return MainWindowTexts::tr("Link to detector %1")
            .arg(sensor.property("detector").toString());
    if (!text.isEmpty())
        return text;
    const VObject modules = controller.nativeData()[QStringLiteral("modules")];
    const std::function<QString()> searches[] = {
        [&] { return trafiCamText(modules[QStringLiteral("TrafiCam")], sensor, Sensor); },
        [&] { return citilogText(modules[QStringLiteral("Citilog")], sensor, Sensor); },
        [&] { return priorityText(modules[QStringLiteral("Priority")], sensor, Sensor); },
        [&] { return signalText(modules[QStringLiteral("Signal")], sensor, Sensor); },
    };
    for (const auto &search : searches) {
        text = search();
        if (!text.isEmpty())
            break;
    }
    return text;
}

void DetectorsTable::fill(QTableWidget *table, const CnfController &controller, bool sensors)
{
    const QList<CnfDetectorPtr> elements
        = sensors ? controller.sensorsList() : controller.detectorsList();
    const QSignalBlocker blocker(table);
    table->setRowCount(elements.size());
    for (int row = 0; row < elements.size(); ++row) {
        const CnfDetector &element = *elements.at(row);
        setTableCellValue(table, row, 0, element.id(), false);
        setTableCellValue(table, row, 1, element.name(), false);
        setTableCellValue(table, row, 2,
                          sensors ? sensorSource(controller, element)
                                  : detectorSource(controller, element),
                          false);
    }
}

int DetectorsTable::freeId(const CnfController &controller, bool sensors)
{
    int id = 1;
    while (sensors ? controller.findSensor(id) : controller.findDetector(id))
        ++id;
    return id;
}

QList<CnfDetectorPtr> DetectorsTable::sortedById(QList<CnfDetectorPtr> elements)
{
    std::stable_sort(
        elements.begin(), elements.end(),
        [](const CnfDetectorPtr &a, const CnfDetectorPtr &b) { return a->id() < b->id(); });
    return elements;
}

bool DetectorsTable::orderOfRows(const QTableWidget *table, const CnfController &controller,
                                 bool sensors, QList<CnfDetectorPtr> *order)
{
    const auto find = [&controller, sensors](const QString &text) {
        bool ok = false;
        const int id = text.toInt(&ok);
        return !ok    ? CnfDetectorPtr()
            : sensors ? controller.findSensor(id)
                      : controller.findDetector(id);
    };
    return MainWindowHelpers::elementsInRowOrder(table, find, order);
}

int DetectorsTable::removeReferences(CnfController &controller, const CnfDetector &element,
                                     bool zuMolt)
{
    const bool sensor = element.isSensor();
    const QString key = sensor ? Sensor : Detector;
    const VObject root = controller.nativeData();
    const VObject modules = root[QStringLiteral("modules")];
    int removed = 0;
    if (zuMolt && !sensor) {
        removed += removeFromInputsOutputs(root[QStringLiteral("inputsOutputs")], key, element);
        removed += removeFromProgramEvents(controller, element);
    } else {
        removed += removeFromDio(modules[QStringLiteral("SystemBus")][QStringLiteral("devices")],
                                 QStringLiteral("DIO2"), key, element);
    }
    removed += removeKeyReferences(modules[QStringLiteral("Keyboard")][Channels], key, element);
    removed += removeFromDevices(modules[QStringLiteral("TrafiCam")], key, element);
    removed += removeFromDevices(modules[QStringLiteral("TrafficStream")], key, element);
    removed += removeFromCitilog(modules[QStringLiteral("Citilog")], key, element);
    const VObject priority = modules[QStringLiteral("Priority")];
    if (!priority.isNull())
        removed += removeMatchingEntries(priority[Channels], key, element);
    removed += removeFromAzimuth(modules[QStringLiteral("AzimuthSSE")], key, element);
    // A SmartMicro radar keeps its sensors; only the channels naming the element go.
    removed += removeFromDevices(modules[QStringLiteral("SmartMicro")][QStringLiteral("sensors")],
                                 key, element);
    removed += removeFromSignal(modules[QStringLiteral("Signal")], key, element);
    return removed;
}
