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
bool signalRefersTo(const VObject &reference, const CnfDetector &element, const QString &key)
{
    if (reference.isNull())
        return false;
    if (key != Detector)
        return refersTo(reference, element);
    return isIntegerType(reference) ? reference.toLongLong() == element.id()
                                    : reference.toString() == element.name();
}

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
        if (signalRefersTo(reference, element, key))
            return MainWindowTexts::tr("Channel %1 of Signal module").arg(number);
    }
    return QString();
}

// --- The places that name an element ------------------------------------------

// How a place's entry is taken out when its element goes.
enum class Place {
    // a SystemBus "DIO2" or Azimuth channel: the entry goes, and the board
    // (the Azimuth camera sensor) that holds it goes with its last channel
    EntryAndEmptyOwner,
    KeyOnly, // a Keyboard key or a ZU_MOLT input: only the reference goes
    Entry, // a module channel: the entry goes
    Signal // a Signal channel: the entry goes unless it names an element of the other kind
};

// One reference: the channel entry holding it under `key`.
struct Reference
{
    VObject entry;
    QString key;
    Place place;
};

void collectFromList(const VObject &channels, const QString &key, const CnfDetector &element,
                     Place place, QList<Reference> *found)
{
    for (int i = 0; i < channels.size(); ++i) {
        const VObject entry = channels[i];
        const bool names = place == Place::Signal ? signalRefersTo(entry[key], element, key)
                                                  : refersTo(entry[key], element);
        if (names)
            *found << Reference { entry, key, place };
    }
}

void collectFromDevices(const VObject &devices, const QString &key, const CnfDetector &element,
                        Place place, QList<Reference> *found)
{
    for (int i = 0; i < devices.size(); ++i)
        collectFromList(devices[i][Channels], key, element, place, found);
}

// Every channel entry of the native data that names the element under its
// kind key. SmartMicro and Azimuth channels name detectors and sensors alike
// under "detector"; a sensor is looked for under "sensor" there, so that a
// detector's channel is never taken for a sensor's. Detectors of a ZU_MOLT
// document sit on the modules of "inputsOutputs" instead of the SystemBus "DIO2".
QList<Reference> referencesTo(const CnfController &controller, const CnfDetector &element,
                              bool zuMolt)
{
    const bool sensor = element.isSensor();
    const QString key = sensor ? Sensor : Detector;
    const VObject root = controller.nativeData();
    const VObject modules = root[QStringLiteral("modules")];
    QList<Reference> found;
    if (zuMolt && !sensor) {
        const VObject inputsOutputs = root[QStringLiteral("inputsOutputs")];
        for (const QString &module : inputsOutputs.keys())
            collectFromList(inputsOutputs[module][Channels], key, element, Place::KeyOnly, &found);
    } else {
        collectFromList(modules[QStringLiteral("SystemBus")][QStringLiteral("devices")]
                               [QStringLiteral("DIO2")][Channels],
                        key, element, Place::EntryAndEmptyOwner, &found);
    }
    collectFromList(modules[QStringLiteral("Keyboard")][Channels], key, element, Place::KeyOnly,
                    &found);
    collectFromDevices(modules[QStringLiteral("TrafiCam")], key, element, Place::Entry, &found);
    collectFromDevices(modules[QStringLiteral("TrafficStream")], key, element, Place::Entry,
                       &found);
    const VObject citilog = modules[QStringLiteral("Citilog")];
    for (int i = 0; i < citilog.size(); ++i)
        collectFromDevices(citilog[i][QStringLiteral("cams")], key, element, Place::Entry, &found);
    collectFromList(modules[QStringLiteral("Priority")][Channels], key, element, Place::Entry,
                    &found);
    // "AzimuthSSE" is a list of devices or, with no elements, one device itself.
    const VObject azimuth = modules[QStringLiteral("AzimuthSSE")];
    if (!azimuth.isNull()) {
        const bool single = azimuth.size() == 0;
        for (int i = 0; i < (single ? 1 : azimuth.size()); ++i)
            collectFromDevices((single ? azimuth : azimuth[i])[QStringLiteral("sensors")], key,
                               element, Place::EntryAndEmptyOwner, &found);
    }
    collectFromDevices(modules[QStringLiteral("SmartMicro")][QStringLiteral("sensors")], key,
                       element, Place::Entry, &found);
    collectFromList(modules[QStringLiteral("Signal")][Channels], key, element, Place::Signal,
                    &found);
    return found;
}

// A program's detector events name detectors by id (or by name) under
// "detector" and "indicator". Calls change for each event member that names
// the element; it returns whether it changed the event. Returns the number of
// changed members.
int forEachProgramEventReference(const CnfController &controller, const CnfDetector &element,
                                 const std::function<bool(QVariantMap &, const QString &)> &change)
{
    const auto names = [&element](const QVariant &reference) {
        if (reference.type() == QVariant::String)
            return !element.name().isEmpty() && reference.toString() == element.name();
        bool number = false;
        return reference.toInt(&number) == element.id() && number;
    };
    int found = 0;
    for (const CnfProgramPtr &program : controller.programs()) {
        QVariantList events = program->property("detectors").toList();
        bool changed = false;
        for (QVariant &event : events) {
            if (event.type() != QVariant::Map)
                continue;
            QVariantMap map = event.toMap();
            for (const QString &key : { QStringLiteral("detector"), QStringLiteral("indicator") }) {
                if (map.contains(key) && names(map.value(key)) && change(map, key)) {
                    ++found;
                    changed = true;
                }
            }
            event = map;
        }
        if (changed)
            program->setProperty("detectors", events);
    }
    return found;
}

// Takes the reference out by the rule of its place.
void removeReference(const Reference &reference)
{
    VObject entry = reference.entry;
    switch (reference.place) {
    case Place::EntryAndEmptyOwner: {
        VObject owner = entry.parent().parent();
        entry.remove();
        if (owner[Channels].size() == 0)
            owner.remove();
        break;
    }
    case Place::KeyOnly:
        entry.remove(reference.key);
        break;
    case Place::Entry:
        entry.remove();
        break;
    case Place::Signal: {
        const QString otherKey = reference.key == Detector ? Sensor : Detector;
        if (entry[otherKey].isNull())
            entry.remove();
        else
            entry.remove(reference.key);
        break;
    }
    }
}

// The reference with the element's id replaced by the new one, in the same
// form (number or text); invalid when it names the element by its name,
// which an id change leaves as it is. On the Signal module a text names a
// detector by its name only.
QVariant withNewId(const VObject &reference, const QString &key, Place place,
                   const CnfDetector &element, int newId)
{
    if (isIntegerType(reference) || reference.type() == QMetaType::Double)
        return reference.toLongLong() == element.id() ? QVariant(newId) : QVariant();
    const bool textNamesDetector = place == Place::Signal && key == Detector;
    if (!textNamesDetector && reference.toString() == QString::number(element.id()))
        return QString::number(newId);
    return QVariant();
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
    const QList<Reference> references = referencesTo(controller, element, zuMolt);
    for (const Reference &reference : references)
        removeReference(reference);
    int removed = references.size();
    if (zuMolt && !element.isSensor()) {
        removed += forEachProgramEventReference(controller, element,
                                                [](QVariantMap &event, const QString &key) {
                                                    event.remove(key);
                                                    return true;
                                                });
    }
    return removed;
}

int DetectorsTable::renameReferences(CnfController &controller, const CnfDetectorPtr &element,
                                     int newId, bool zuMolt)
{
    int renamed = 0;
    for (const Reference &reference : referencesTo(controller, *element, zuMolt)) {
        VObject entry = reference.entry;
        const QVariant value
            = withNewId(entry[reference.key], reference.key, reference.place, *element, newId);
        if (!value.isValid())
            continue;
        entry[reference.key] = value;
        ++renamed;
    }
    if (zuMolt && !element->isSensor()) {
        renamed += forEachProgramEventReference(controller, *element,
                                                [newId](QVariantMap &event, const QString &key) {
                                                    if (event.value(key).type() == QVariant::String)
                                                        return false;
                                                    event.insert(key, newId);
                                                    return true;
                                                });
    }
    // A sensor linked to a detector names it by id.
    if (!element->isSensor()) {
        for (const CnfDetectorPtr &sensor : controller.sensorsList()) {
            const QVariant link = sensor->property("detector");
            bool number = false;
            if (sensor->property("type").toString() == QLatin1String("DetectorySensor")
                && link.toInt(&number) == element->id() && number) {
                sensor->setProperty("detector", newId);
                ++renamed;
            }
        }
    }
    element->setId(newId);
    return renamed;
}
