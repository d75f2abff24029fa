#pragma once

#include "cnfreferences.h"
#include "vobject.h"

class CnfController;

// The finders of CnfReferences, one per kind of place, by the element kind
// they serve. A new kind of place is one more function here and one more
// entry in CnfReferences::finders.
namespace CnfReferenceFinders {

using Element = CnfReferences::Element;
using Place = CnfReferences::Place;
using Note = CnfReferences::Note;

// --- shared by the finders
// TIVERK 3.x and adapter: the families whose programs are byte records.
bool isFirstLine(const CnfController &controller);
// The ZU_MOLT remote control panel's record ("remoteControlPanel"/"VPU1").
VObject zuMoltPanel(const CnfController &controller);

// One rule for every place that names an element by its id, as a number or
// as a text. Whether the value names the id: a number equal to the id's
// value (the id a whole number written as such), or a text equal to the id.
bool namesId(const QVariant &value, const QString &id);
// Whether a text of the controller's data names an element by the id it
// spells as well as by its name. Not in a ZU_MOLT controller: zumoltc reads a
// text as a name only and a number as an id, so a text there names the
// element of that name and never the one whose id it spells.
bool textNamesId(const CnfController &controller);
// namesId by the controller's rule: in a ZU_MOLT controller only a number
// names an id.
bool namesId(const CnfController &controller, const QVariant &value, const QString &id);
// Whether the value is a number equal to `number`: for the places that name
// by number only (a ZU_MOLT plan's steps, where a text would be a name).
bool namesNumber(const QVariant &value, int number);
// The new id in the form the value held: a text takes any id; a number only
// a whole number from `lowest` to `highest`, written as a number of the old
// one's type. Invalid: the place cannot hold the new id and refuses it.
QVariant inFormOf(const QVariant &old, const QString &newId,
                  int lowest = std::numeric_limits<int>::min(),
                  int highest = std::numeric_limits<int>::max());
// A place for the value under the holder's `key` (or the value itself with
// an empty key) naming the element by id: it takes a new id by those rules,
// refusing one a number cannot hold; no clear.
Place idPlace(const VObject &holder, const QString &key, Note note, const QString &owner,
              int lowest = std::numeric_limits<int>::min(),
              int highest = std::numeric_limits<int>::max());

// Makes the place name the element by its name when the value under the
// holder's `key` (or the value itself with an empty key) is a text that
// CnfReferences::namesName matches in the controller's data: it is then
// `byName` and takes a new name there, as CnfReferences::heldName writes it.
void nameAt(Place *place, const CnfController &controller, const VObject &holder,
            const QString &key, const QString &name);

// The entries of a list naming the id (by its number, or by its text where
// the controller's rule lets a text name an id): each takes a new id in its
// own form (number or text) and is nulled on Delete.
QList<Place> listEntries(const CnfController &controller, const VObject &list, const QString &id,
                         Note note);

// --- phases (cnfreferencesphases.cpp)
QList<Place> phaseTransitions(const CnfController &controller, const Element &phase);
QList<Place> phasePanelLists(const CnfController &controller, const Element &phase);
QList<Place> phaseProgramSteps(const CnfController &controller, const Element &phase);
// The records' call phases (kind 4), which hold the phase id as a number.
QList<Place> phaseRecordCalls(const CnfController &controller, const Element &phase);
// The central-system link's phase of LFR/TSCTM ("mgr_tsku_phase").
QList<Place> phaseCentralSystem(const CnfController &controller, const Element &phase);
// The records' sequence rows and priority phases, which count phases by place.
QList<Place> phaseRecordPositions(const CnfController &controller, const Element &phase);

// --- ZU_MOLT plan phases (cnfreferencesplanphases.cpp)
// A plan phase that runs the stage goes with it, and so does whatever inside
// its plan names it.
QList<Place> phasePlanPhases(const CnfController &controller, const Element &phase);

// --- programs (cnfreferencesprograms.cpp)
QList<Place> programPanelLists(const CnfController &controller, const Element &program);
QList<Place> programDayCards(const CnfController &controller, const Element &program);
QList<Place> programCalendar(const CnfController &controller, const Element &program);
// The program's own record: byte 0 is its number.
QList<Place> programOwnNumber(const CnfController &controller, const Element &program);
// The records' queue and return programs, which count programs by place.
QList<Place> programRecordSwitches(const CnfController &controller, const Element &program);

// --- signal groups (cnfreferencesgroups.cpp)
QList<Place> groupPhases(const CnfController &controller, const Element &group);
QList<Place> groupMatrixValues(const CnfController &controller, const Element &group);
QList<Place> groupTransitionTimes(const CnfController &controller, const Element &group);
QList<Place> groupTimelines(const CnfController &controller, const Element &group);
// The ZU_MOLT switches the group drives.
QList<Place> groupSwitches(const CnfController &controller, const Element &group);

// --- detectors, sensors and outputs (cnfreferenceschannels.cpp)
QList<Place> inputChannels(const CnfController &controller, const Element &element);
QList<Place> inputProgramEvents(const CnfController &controller, const Element &element);
QList<Place> detectorLinkedSensors(const CnfController &controller, const Element &detector);
QList<Place> outputChannels(const CnfController &controller, const Element &output);

// --- inside the parameters of TIVERK II programs (cnfreferencesprogramparameters.cpp)
// A stage-ring program's conditions, a pedestrian program's crosswalks and a
// sequence program's phases.
QList<Place> programParameters(const CnfController &controller, const Element &element);

// --- countdowns and indication (cnfreferencescountdowns.cpp)
QList<Place> groupCountdowns(const CnfController &controller, const Element &group);
QList<Place> groupIndications(const CnfController &controller, const Element &group);
QList<Place> programIndications(const CnfController &controller, const Element &program);

// --- members of ZU_MOLT objects kept for the file (cnfreferenceskept.cpp)
// A stage's own; those of the conflict points, timelines and timeline records
// of a signal group or a plan.
QList<Place> phaseKeptMembers(const CnfController &controller, const Element &phase);
QList<Place> groupKeptMembers(const CnfController &controller, const Element &group);
QList<Place> programKeptMembers(const CnfController &controller, const Element &program);

} // namespace CnfReferenceFinders
