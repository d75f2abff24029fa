#include "cnfreferences.h"

#include "cnfcontroller.h"
#include "cnfdetector.h"
#include "cnfreferencefinders.h"

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
        return { phaseTransitions,     phasePanelLists,   phaseProgramSteps, phaseRecordCalls,
                 phaseRecordPositions, programParameters, phasePlanPhases,   phaseKeptMembers };
    case Kind::Program:
        return { programPanelLists, programDayCards,    programRecordSwitches, programCalendar,
                 programOwnNumber,  programIndications, programKeptMembers };
    case Kind::SignalGroup:
        return { groupPhases,       groupMatrixValues, groupTransitionTimes, groupTimelines,
                 programParameters, groupCountdowns,   groupIndications,     groupKeptMembers };
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

QStringList CnfReferences::refusing(const CnfController &controller, const Element &element,
                                    const QString &newId)
{
    QStringList found;
    for (const Place &place : places(controller, element)) {
        if (place.accepts && !place.accepts(newId) && !found.contains(place.owner))
            found << place.owner;
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

QList<Place> CnfReferenceFinders::listEntries(const VObject &list, const QString &id, Note note)
{
    QList<Place> found;
    for (int i = 0; i < list.size(); ++i) {
        const VObject entry = list[i];
        if (entry.isNull() || entry.toString() != id)
            continue;
        Place place;
        place.note = note;
        place.rename = [entry](CnfController &, const QString &newId) {
            // A number stays a number, a text a text.
            VObject target = entry;
            bool numeric = false;
            const int number = newId.toInt(&numeric);
            target = target.type() == QMetaType::QString || !numeric ? QVariant(newId)
                                                                     : QVariant(number);
            return true;
        };
        place.clear = [entry](CnfController &) {
            VObject target = entry;
            target = QVariant();
        };
        found << place;
    }
    return found;
}
