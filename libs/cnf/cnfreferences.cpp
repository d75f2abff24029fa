#include "cnfreferences.h"

#include "cnfcontroller.h"
#include "cnfdetector.h"
#include "cnfjsonparser.h"
#include "cnfreferencefinders.h"
#include "zu_moltformat.h"

using namespace CnfReferenceFinders;

CnfReferences::Element CnfReferences::of(const CnfDetector &element)
{
    return { element.isSensor() ? Kind::Sensor : Kind::Detector, QString::number(element.id()),
             element.name() };
}

QList<CnfReferences::Finder> CnfReferences::finders(Kind kind)
{
    switch (kind) {
    case Kind::Phase:
        return { phaseTransitions, phasePanelLists,      phaseProgramSteps,
                 phaseRecordCalls, phaseRecordPositions, programParameters,
                 phasePlanPhases,  phaseKeptMembers,     phaseCentralSystem };
    case Kind::Program:
        return { programPanelLists, programDayCards,    programRecordSwitches, programCalendar,
                 programOwnNumber,  programIndications, programKeptMembers };
    case Kind::SignalGroup:
        return { groupPhases,      groupMatrixValues, groupTransitionTimes,
                 groupTimelines,   programParameters, groupCountdowns,
                 groupIndications, groupKeptMembers,  groupSwitches };
    case Kind::Detector:
        return { inputChannels, inputProgramEvents, detectorLinkedSensors, programParameters };
    case Kind::Sensor:
        return { inputChannels, programParameters };
    case Kind::Output:
        return { outputChannels };
    }
    return {};
}

QList<CnfReferences::Place> CnfReferences::places(const CnfController &controller,
                                                  const Element &element)
{
    QList<Place> found;
    if (element.id.isEmpty())
        return found;
    for (const Finder finder : finders(element.kind))
        found << finder(controller, element);
    return found;
}

int CnfReferences::rename(CnfController &controller, const Element &element, const QString &newId)
{
    int renamed = 0;
    for (const Place &place : places(controller, element)) {
        if (place.rename && place.rename(controller, newId))
            ++renamed;
    }
    return renamed;
}

QList<CnfReferences::Place> CnfReferences::namedPlaces(const CnfController &controller,
                                                       const Element &element)
{
    QList<Place> found;
    if (element.name.isEmpty())
        return found;
    for (const Place &place : places(controller, element)) {
        if (place.byName)
            found << place;
    }
    return found;
}

QList<CnfReferences::Place> CnfReferences::takeName(CnfController &controller,
                                                    const Element &element, const QString &newName)
{
    QList<Place> renamed;
    if (newName == element.name)
        return renamed;
    for (const Place &place : namedPlaces(controller, element)) {
        if (place.takeName && place.takeName(controller, newName))
            renamed << place;
    }
    return renamed;
}

bool CnfReferences::namesName(const QVariant &value, const QString &name)
{
    return !name.isEmpty() && value.userType() == QMetaType::QString && value.toString() == name;
}

namespace {

bool isZuMolt(const CnfController &controller)
{
    return controller.property("type").toString() == QLatin1String("ZU_MOLT");
}

} // namespace

bool CnfReferences::namesName(const CnfController &controller, const QVariant &value,
                              const QString &name)
{
    if (!isZuMolt(controller) || value.userType() != QMetaType::QString)
        return namesName(value, name);
    return namesName(CnfJsonParser::unescaped(value.toString()), name);
}

QString CnfReferences::heldName(const CnfController &controller, const QString &name)
{
    return isZuMolt(controller) ? ZuMoltFormat::writtenName(controller, name) : name;
}

int CnfReferences::clear(CnfController &controller, const Element &element)
{
    return clear(controller, places(controller, element));
}

int CnfReferences::clear(CnfController &controller, const QList<Place> &places)
{
    int cleared = 0;
    for (const Place &place : places) {
        if (place.clear) {
            place.clear(controller);
            ++cleared;
        }
    }
    return cleared;
}

QList<CnfReferences::Place> CnfReferences::refusing(const CnfController &controller,
                                                    const Element &element, const QString &newId)
{
    QList<Place> found;
    for (const Place &place : places(controller, element)) {
        if (place.accepts && !place.accepts(newId))
            found << place;
    }
    return found;
}

QStringList CnfReferences::owners(const QList<Place> &places, Note note)
{
    QStringList found;
    for (const Place &place : places) {
        if (place.note == note && !found.contains(place.owner))
            found << place.owner;
    }
    return found;
}

bool CnfReferences::contains(const QList<Place> &places, Note note)
{
    for (const Place &place : places) {
        if (place.note == note)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- shared by the finders

bool CnfReferenceFinders::isFirstLine(const CnfController &controller)
{
    const QString family = controller.property("type").toString();
    return family == QLatin1String("tiverk") || family == QLatin1String("adapter");
}

VObject CnfReferenceFinders::zuMoltPanel(const CnfController &controller)
{
    return controller.nativeData()[QStringLiteral("remoteControlPanel")][QStringLiteral("VPU1")];
}

namespace {

bool isNumber(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// The id as the whole number it is written as; false for "07", " 7", "7.0"
// and any text, which no number place can give back.
bool wholeNumber(const QString &id, int *number)
{
    bool ok = false;
    *number = id.toInt(&ok);
    return ok && QString::number(*number) == id;
}

} // namespace

bool CnfReferenceFinders::namesId(const QVariant &value, const QString &id)
{
    if (isNumber(value)) {
        int number = 0;
        return wholeNumber(id, &number) && value.toDouble() == number;
    }
    return value.userType() == QMetaType::QString && value.toString() == id;
}

bool CnfReferenceFinders::textNamesId(const CnfController &controller)
{
    return !isZuMolt(controller);
}

bool CnfReferenceFinders::namesId(const CnfController &controller, const QVariant &value,
                                  const QString &id)
{
    return namesId(value, id) && (isNumber(value) || textNamesId(controller));
}

bool CnfReferenceFinders::namesNumber(const QVariant &value, int number)
{
    return isNumber(value) && value.toDouble() == number;
}

QVariant CnfReferenceFinders::inFormOf(const QVariant &old, const QString &newId, int lowest,
                                       int highest)
{
    if (!isNumber(old))
        return newId;
    int number = 0;
    if (!wholeNumber(newId, &number) || number < lowest || number > highest)
        return QVariant();
    // The number keeps the type it was read as, so that the file keeps its form.
    QVariant value(number);
    value.convert(old.userType());
    return value;
}

Place CnfReferenceFinders::idPlace(const VObject &holder, const QString &key, Note note,
                                   const QString &owner, int lowest, int highest)
{
    const VObject value = key.isEmpty() ? holder : holder[key];
    Place place;
    place.note = note;
    place.owner = owner;
    place.lowest = lowest;
    place.highest = highest;
    place.rename = [value, lowest, highest](CnfController &, const QString &newId) {
        const QVariant held = inFormOf(value.toVariant(), newId, lowest, highest);
        if (!held.isValid())
            return false;
        VObject target = value;
        target = held;
        return true;
    };
    place.accepts = [value, lowest, highest](const QString &newId) {
        return inFormOf(value.toVariant(), newId, lowest, highest).isValid();
    };
    return place;
}

void CnfReferenceFinders::nameAt(Place *place, const CnfController &controller,
                                 const VObject &holder, const QString &key, const QString &name)
{
    const VObject value = key.isEmpty() ? holder : holder[key];
    place->byName = CnfReferences::namesName(controller, value.toVariant(), name);
    if (!place->byName)
        return;
    place->takeName = [value, name](CnfController &controller, const QString &newName) {
        if (!CnfReferences::namesName(controller, value.toVariant(), name))
            return false;
        VObject target = value;
        target = CnfReferences::heldName(controller, newName);
        return true;
    };
}

QList<Place> CnfReferenceFinders::listEntries(const CnfController &controller, const VObject &list,
                                              const QString &id, Note note)
{
    QList<Place> found;
    for (int i = 0; i < list.size(); ++i) {
        const VObject entry = list[i];
        if (!namesId(controller, entry.toVariant(), id))
            continue;
        Place place = idPlace(entry, QString(), note, QString());
        place.clear = [entry](CnfController &) {
            VObject target = entry;
            target = QVariant();
        };
        found << place;
    }
    return found;
}
