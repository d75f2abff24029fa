// CnfReferences: the places that name a detector, a sensor or an output: the
// channels of the native data's modules, ZU_MOLT programs' detector events
// and sensors linked to a detector.

#include "cnfcontroller.h"
#include "cnfdetector.h"
#include "cnfprogram.h"
#include "cnfreferencefinders.h"

#include <QVariantMap>

#include <functional>

using namespace CnfReferenceFinders;

namespace {

const QString Detector = QStringLiteral("detector");
const QString Sensor = QStringLiteral("sensor");
const QString Channels = QStringLiteral("channels");

bool isIntegerType(const VObject &value)
{
    return value.type() == QMetaType::Int || value.type() == QMetaType::LongLong;
}

bool isText(const QVariant &value)
{
    return value.userType() == QMetaType::QString;
}

// How a channel entry is taken out when its detector or sensor goes.
enum class Rule {
    // a SystemBus "DIO2" channel: the entry goes, and the board that holds it
    // goes with its last channel
    EntryAndEmptyOwner,
    // an Azimuth channel: the entry goes, and the camera that holds it goes
    // with its last channel unless it holds more than its "camera_id"
    EntryAndBareCamera,
    KeyOnly, // a Keyboard key or a ZU_MOLT input: only the reference goes
    Entry, // a module channel: the entry goes
    // a channel of another I/O board: the reference goes, and the entry with
    // it unless it binds another element or an output
    SharedEntry,
    Signal // a Signal channel: the entry goes unless it names an element of the other kind
};

// Takes the reference under `key` out of the channel entry by its rule.
void removeReference(VObject entry, const QString &key, Rule rule)
{
    switch (rule) {
    case Rule::EntryAndEmptyOwner: {
        VObject owner = entry.parent().parent();
        entry.remove();
        if (owner[Channels].size() == 0)
            owner.remove();
        break;
    }
    case Rule::EntryAndBareCamera: {
        VObject camera = entry.parent().parent();
        entry.remove();
        QStringList members = camera.keys();
        members.removeAll(Channels);
        members.removeAll(QStringLiteral("camera_id"));
        if (camera[Channels].size() == 0 && members.isEmpty())
            camera.remove();
        break;
    }
    case Rule::KeyOnly:
        entry.remove(key);
        break;
    case Rule::Entry:
        entry.remove();
        break;
    case Rule::SharedEntry:
        entry.remove(key);
        if (entry[Detector].isNull() && entry[Sensor].isNull()
            && entry[QStringLiteral("output")].isNull() && entry[QStringLiteral("out")].isNull())
            entry.remove();
        break;
    case Rule::Signal: {
        const QString otherKey = key == Detector ? Sensor : Detector;
        if (entry[otherKey].isNull())
            entry.remove();
        else
            entry.remove(key);
        break;
    }
    }
}

// The reference with the element's id replaced by the new one, in the same
// form (number or text); invalid when it names the element by its name,
// which an id change leaves as it is. On the Signal module a text names a
// detector by its name only, and so does a text of a ZU_MOLT controller.
QVariant withNewId(const CnfController &controller, const VObject &reference, const QString &key,
                   Rule rule, const QString &id, const QString &newId)
{
    const QVariant value = reference.toVariant();
    const bool textNamesDetector = rule == Rule::Signal && key == Detector;
    if ((textNamesDetector && isText(value)) || !namesId(controller, value, id))
        return QVariant();
    return inFormOf(value, newId);
}

// CnfReferences::channelNames with `namesId` as the rule of an id and
// `namesName` as the rule of a name.
template<typename NamesId, typename NamesName>
bool channelNamesBy(const VObject &reference, const Element &element, bool signalModule,
                    NamesId namesId, NamesName namesName)
{
    if (reference.isNull())
        return false;
    const QVariant value = reference.toVariant();
    // Detectors are named on the Signal module by an integer id or by name,
    // never by a number written as text.
    if (signalModule && element.kind == CnfReferences::Kind::Detector)
        return isIntegerType(reference) ? namesId(value, element.id)
                                        : namesName(value, element.name);
    return namesId(value, element.id) || namesName(value, element.name);
}

// Another detector (or sensor) than the element that `names` finds named as
// well, as its id; empty when none is.
template<typename Names>
QString otherNamed(const CnfController &controller, const Element &element, Names names)
{
    const bool sensor = element.kind == CnfReferences::Kind::Sensor;
    for (const CnfDetectorPtr &other :
         sensor ? controller.sensorsList() : controller.detectorsList()) {
        const Element candidate = CnfReferences::of(*other);
        if (candidate.id != element.id && names(candidate))
            return candidate.id;
    }
    return QString();
}

// How the messages number a channel entry: by the number it holds, or by its
// place in the list when it holds none (a Priority or SmartMicro channel).
QString channelNumber(const VObject &entry, int index)
{
    for (const char *key : { "channel", "keyCode", "rcg_channel_id" }) {
        const VObject number = entry[QLatin1String(key)];
        if (!number.isNull())
            return number.toString();
    }
    return QString::number(index + 1);
}

// `module`: the module or board holding the channels, for the messages.
void collectFromList(const CnfController &controller, const VObject &channels, const QString &key,
                     const Element &element, Rule rule, const QString &module, QList<Place> *found)
{
    const QString id = element.id;
    const auto namesId = [&controller](const QVariant &value, const QString &elementId) {
        return CnfReferenceFinders::namesId(controller, value, elementId);
    };
    const auto namesName = [&controller](const QVariant &value, const QString &name) {
        return CnfReferences::namesName(controller, value, name);
    };
    for (int i = 0; i < channels.size(); ++i) {
        const VObject entry = channels[i];
        // One rule for the element and for the others it may name as well.
        const auto names = [&](const Element &named) {
            return channelNamesBy(entry[key], named, rule == Rule::Signal, namesId, namesName);
        };
        if (!names(element))
            continue;
        Place place;
        place.note = Note::Channel;
        place.owner = module;
        place.part = channelNumber(entry, i);
        nameAt(&place, controller, entry, key, element.name);
        place.textIsId = !(rule == Rule::Signal && key == Detector) && textNamesId(controller);
        place.rename = [entry, key, rule, id](CnfController &controller, const QString &newId) {
            VObject target = entry;
            const QVariant value = withNewId(controller, target[key], key, rule, id, newId);
            if (!value.isValid())
                return false;
            target[key] = value;
            return true;
        };
        // A text that names another element too (its id, or its name) is
        // that one's as well: it stays.
        place.alsoNames = otherNamed(controller, element, names);
        if (place.alsoNames.isEmpty()) {
            place.clear = [entry, key, rule](CnfController &) {
                removeReference(entry, key, rule);
            };
        }
        *found << place;
    }
}

void collectFromDevices(const CnfController &controller, const VObject &devices, const QString &key,
                        const Element &element, Rule rule, const QString &module,
                        QList<Place> *found)
{
    for (int i = 0; i < devices.size(); ++i)
        collectFromList(controller, devices[i][Channels], key, element, rule, module, found);
}

} // namespace

bool CnfReferences::channelNames(const VObject &reference, const Element &element,
                                 bool signalModule)
{
    return channelNamesBy(
        reference, element, signalModule,
        [](const QVariant &value, const QString &id) {
            return CnfReferenceFinders::namesId(value, id);
        },
        [](const QVariant &value, const QString &name) {
            return CnfReferences::namesName(value, name);
        });
}

// Every channel entry of the native data that names the element under its
// kind key. SmartMicro and Azimuth channels name detectors and sensors alike
// under "detector"; a sensor is looked for under "sensor" there, so that a
// detector's channel is never taken for a sensor's. Detectors of a ZU_MOLT
// document sit on the modules of "inputsOutputs" instead of the SystemBus
// I/O boards "DIO1" to "DIO9".
QList<Place> CnfReferenceFinders::inputChannels(const CnfController &controller,
                                                const Element &element)
{
    const bool sensor = element.kind == CnfReferences::Kind::Sensor;
    const bool zuMolt = controller.property("type").toString() == QLatin1String("ZU_MOLT");
    const QString key = sensor ? Sensor : Detector;
    const VObject root = controller.nativeData();
    const VObject modules = root[QStringLiteral("modules")];
    QList<Place> found;
    if (zuMolt && !sensor) {
        const VObject inputsOutputs = root[QStringLiteral("inputsOutputs")];
        for (const QString &module : inputsOutputs.keys())
            collectFromList(controller, inputsOutputs[module][Channels], key, element,
                            Rule::KeyOnly, module, &found);
    } else {
        const VObject boards = modules[QStringLiteral("SystemBus")][QStringLiteral("devices")];
        collectFromList(controller, boards[QStringLiteral("DIO2")][Channels], key, element,
                        Rule::EntryAndEmptyOwner, QStringLiteral("DIO2"), &found);
        // An element may be bound to a channel of any other I/O board as well.
        for (int board = 1; board <= 9; ++board) {
            const QString name = QStringLiteral("DIO%1").arg(board);
            if (board != 2)
                collectFromList(controller, boards[name][Channels], key, element, Rule::SharedEntry,
                                name, &found);
        }
    }
    // Each module by its key, which also names it in the messages.
    const auto module = [&modules](const char *name) {
        return modules[QLatin1String(name)];
    };
    collectFromList(controller, module("Keyboard")[Channels], key, element, Rule::KeyOnly,
                    QStringLiteral("Keyboard"), &found);
    collectFromDevices(controller, module("TrafiCam"), key, element, Rule::Entry,
                       QStringLiteral("TrafiCam"), &found);
    collectFromDevices(controller, module("TrafficStream"), key, element, Rule::Entry,
                       QStringLiteral("TrafficStream"), &found);
    const VObject citilog = module("Citilog");
    for (int i = 0; i < citilog.size(); ++i)
        collectFromDevices(controller, citilog[i][QStringLiteral("cams")], key, element,
                           Rule::Entry, QStringLiteral("Citilog"), &found);
    collectFromList(controller, module("Priority")[Channels], key, element, Rule::Entry,
                    QStringLiteral("Priority"), &found);
    // "AzimuthSSE" is a list of devices or, with no elements, one device itself.
    const VObject azimuth = modules[QStringLiteral("AzimuthSSE")];
    if (!azimuth.isNull()) {
        const bool single = azimuth.size() == 0;
        for (int i = 0; i < (single ? 1 : azimuth.size()); ++i)
            collectFromDevices(
                controller, (single ? azimuth : azimuth[i])[QStringLiteral("sensors")], key,
                element, Rule::EntryAndBareCamera, QStringLiteral("AzimuthSSE"), &found);
    }
    collectFromDevices(controller, module("SmartMicro")[QStringLiteral("sensors")], key, element,
                       Rule::Entry, QStringLiteral("SmartMicro"), &found);
    collectFromList(controller, module("Signal")[Channels], key, element, Rule::Signal,
                    QStringLiteral("Signal"), &found);
    return found;
}

// A ZU_MOLT program's detector events name detectors by id (or by name)
// under "detector" and "indicator": those by id follow a new id, and both go
// when the detector goes.
QList<Place> CnfReferenceFinders::inputProgramEvents(const CnfController &controller,
                                                     const Element &element)
{
    QList<Place> found;
    if (element.kind != CnfReferences::Kind::Detector
        || controller.property("type").toString() != QLatin1String("ZU_MOLT"))
        return found;
    // A text names the detector by its name, a number by its id.
    const auto names = [&controller, &element](const QVariant &reference) {
        return isText(reference) ? CnfReferences::namesName(controller, reference, element.name)
                                 : namesId(reference, element.id);
    };
    // Each place writes the program's event list anew, so that several
    // places of one program compose.
    const auto change
        = [](const CnfProgramPtr &program, int index, const QString &key, const QVariant &value) {
              QVariantList events = program->property("detectors").toList();
              QVariantMap event = events.value(index).toMap();
              if (value.isValid())
                  event.insert(key, value);
              else
                  event.remove(key);
              events[index] = event;
              program->setProperty("detectors", events);
          };
    for (const CnfProgramPtr &program : controller.programs()) {
        const QVariantList events = program->property("detectors").toList();
        for (int i = 0; i < events.size(); ++i) {
            if (events.at(i).type() != QVariant::Map)
                continue;
            const QVariantMap event = events.at(i).toMap();
            for (const QString &key : { QStringLiteral("detector"), QStringLiteral("indicator") }) {
                if (!event.contains(key) || !names(event.value(key)))
                    continue;
                Place place;
                place.note = Note::ProgramParameter;
                place.owner = program->id;
                place.byName = isText(event.value(key));
                if (place.byName) {
                    const QString name = element.name;
                    place.takeName = [program, i, key, name, change](CnfController &controller,
                                                                     const QString &newName) {
                        const QVariantMap current
                            = program->property("detectors").toList().value(i).toMap();
                        if (!CnfReferences::namesName(controller, current.value(key), name))
                            return false;
                        change(program, i, key, CnfReferences::heldName(controller, newName));
                        return true;
                    };
                }
                place.rename = [program, i, key, change](CnfController &, const QString &newId) {
                    const QVariantMap current
                        = program->property("detectors").toList().value(i).toMap();
                    const QVariant held = inFormOf(current.value(key), newId);
                    if (isText(current.value(key)) || !held.isValid())
                        return false;
                    change(program, i, key, held);
                    return true;
                };
                place.clear = [program, i, key, change](CnfController &) {
                    change(program, i, key, QVariant());
                };
                found << place;
            }
        }
    }
    return found;
}

// A "DetectorySensor" sensor names its detector by id (a number, or the
// number as text where the controller's rule lets a text name an id) or by
// name: an id follows a new id in its form, a name stays; either link goes on
// Delete.
QList<Place> CnfReferenceFinders::detectorLinkedSensors(const CnfController &controller,
                                                        const Element &detector)
{
    QList<Place> found;
    const QString id = detector.id;
    for (const CnfDetectorPtr &sensor : controller.sensorsList()) {
        const QVariant link = sensor->property("detector");
        const auto names = [&](const Element &named) {
            return namesId(controller, link, named.id)
                || CnfReferences::namesName(controller, link, named.name);
        };
        if (sensor->property("type").toString() != QLatin1String("DetectorySensor")
            || !names(detector))
            continue;
        Place place;
        place.note = Note::LinkedSensor;
        place.owner = QString::number(sensor->id());
        place.byName = CnfReferences::namesName(controller, link, detector.name);
        place.textIsId = textNamesId(controller);
        if (place.byName) {
            const QString name = detector.name;
            place.takeName = [sensor, name](CnfController &controller, const QString &newName) {
                if (!CnfReferences::namesName(controller, sensor->property("detector"), name))
                    return false;
                sensor->setProperty("detector", CnfReferences::heldName(controller, newName));
                return true;
            };
        }
        place.rename = [sensor, id](CnfController &controller, const QString &newId) {
            const QVariant link = sensor->property("detector");
            const QVariant held = inFormOf(link, newId);
            if (!namesId(controller, link, id) || !held.isValid())
                return false;
            sensor->setProperty("detector", held);
            return true;
        };
        // On Delete the sensor loses its link, so that a detector given the
        // old id or name later does not take the sensor over; a link that
        // names another detector too stays with that one.
        place.alsoNames = otherNamed(controller, detector, names);
        if (place.alsoNames.isEmpty()) {
            place.clear = [sensor](CnfController &) {
                sensor->setProperty("detector", QVariant());
            };
        }
        found << place;
    }
    return found;
}

namespace {

// A board channel names the output under "out" or, as the output dialog
// binds it, under "output": by its number, or by its name.
bool channelRefers(const VObject &out, const QString &id, const QString &name)
{
    const QVariant value = out.toVariant();
    return isText(value) ? CnfReferences::namesName(value, name) : namesId(value, id);
}

// An indication colour names the output by its number (also written as
// text) or by its name.
bool colourRefers(const VObject &value, const QString &id, const QString &name)
{
    return namesId(value.toVariant(), id) || CnfReferences::namesName(value.toVariant(), name);
}

} // namespace

// The board channels of "DIO1" to "DIO9" and the indication colours "red",
// "amber", "green" naming the output. A board channel goes whole with its
// output; an indication keeps its other colours. A new id goes to those that
// name the output by number (an indication colour also as text), in the form
// each had; none follows while another output still has the old id, since
// they name that one too. A place whose text names another output as well
// (its id, or its name) stays with that one when the output goes.
QList<Place> CnfReferenceFinders::outputChannels(const CnfController &controller,
                                                 const Element &output)
{
    QList<Place> found;
    const QString &id = output.id;
    const QString &name = output.name;
    const VObject root = controller.nativeData();
    const VObject outputs = root[QStringLiteral("outputs")];
    int holders = 0;
    for (int i = 0; i < outputs.size(); ++i)
        holders += namesId(outputs[i][QStringLiteral("id")].toVariant(), id) ? 1 : 0;
    const bool shared = holders > 1;
    // Another output than those of the id that the place's text names as
    // well: the place stays with it when they go.
    const auto otherNamed = [&outputs, &id](const std::function<bool(const Element &)> &names) {
        for (int i = 0; i < outputs.size(); ++i) {
            const Element other { CnfReferences::Kind::Output,
                                  outputs[i][QStringLiteral("id")].toString(),
                                  outputs[i][QStringLiteral("name")].toString() };
            if (other.id != id && names(other))
                return other.id;
        }
        return QString();
    };
    const VObject modules = root[QStringLiteral("modules")];
    const VObject devices = modules[QStringLiteral("SystemBus")][QStringLiteral("devices")];
    for (int board = 1; board <= 9; ++board) {
        const VObject channels
            = devices[QStringLiteral("DIO%1").arg(board)][QStringLiteral("channels")];
        for (int i = 0; i < channels.size(); ++i) {
            const VObject channel = channels[i];
            for (const QString &key : { QStringLiteral("out"), QStringLiteral("output") }) {
                if (!channelRefers(channel[key], id, name))
                    continue;
                Place place;
                place.note = Note::Channel;
                place.owner = QStringLiteral("DIO%1").arg(board);
                place.part = channelNumber(channel, i);
                nameAt(&place, controller, channel, key, name);
                place.rename = [channel, key, id, shared](CnfController &, const QString &newId) {
                    VObject target = channel;
                    const QVariant value = target[key].toVariant();
                    const QVariant held = inFormOf(value, newId);
                    // A name stays.
                    if (shared || isText(value) || !namesId(value, id) || !held.isValid())
                        return false;
                    target[key] = held;
                    return true;
                };
                place.alsoNames = otherNamed([&](const Element &other) {
                    return channelRefers(channel[key], other.id, other.name);
                });
                if (place.alsoNames.isEmpty()) {
                    place.clear = [channel](CnfController &) {
                        VObject(channel).remove();
                    };
                }
                found << place;
                break;
            }
        }
    }
    const VObject indication = modules[QStringLiteral("Indication")];
    for (int i = 0; i < indication.size(); ++i) {
        const VObject entry = indication[i];
        for (const QString &colour :
             { QStringLiteral("red"), QStringLiteral("amber"), QStringLiteral("green") }) {
            if (!colourRefers(entry[colour], id, name))
                continue;
            Place place;
            place.note = Note::Indication;
            place.owner = QString::number(i + 1);
            nameAt(&place, controller, entry, colour, name);
            place.textIsId = true;
            place.rename = [entry, colour, id, shared](CnfController &, const QString &newId) {
                VObject target = entry;
                const QVariant value = target[colour].toVariant();
                const QVariant held = inFormOf(value, newId);
                if (shared || !namesId(value, id) || !held.isValid())
                    return false;
                target[colour] = held;
                return true;
            };
            place.alsoNames = otherNamed([&](const Element &other) {
                return colourRefers(entry[colour], other.id, other.name);
            });
            if (place.alsoNames.isEmpty()) {
                place.clear = [entry, colour](CnfController &) {
                    VObject(entry).remove(colour);
                };
            }
            found << place;
        }
    }
    return found;
}
