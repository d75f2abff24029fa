#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <limits>

class CnfController;
class CnfDetector;
class VObject;

// The places where elements name each other, found by one finder per kind of
// place. A new id, a Delete and the question before a Delete all use the same
// finders, so what is renamed, what is cleared and what is named agree.
//
// Each finder lists, for one element, the places naming it; a place knows how
// to take a new id, how to be cleared when the element goes, and which line of
// the delete question names it (the tables word the question).
// Places named through a shared pointer follow by themselves and have no
// rename; places counted by position are kept by the controller's list upkeep
// and have no clear.
class CnfReferences
{
public:
    enum class Kind { Phase, Program, SignalGroup, Detector, Sensor, Output };

    // An element as others name it: by its id, some places also by its name.
    struct Element
    {
        Kind kind;
        QString id;
        QString name;
    };
    // A detector or a sensor, by its own flag.
    static Element of(const CnfDetector &element);

    // The line of a delete question that names a place.
    enum class Note {
        Silent, // changes without a word
        RemoteControl, // a list of the remote control panel
        ProgramUse, // a program runs or calls the phase (owner: program id)
        ProgramSwitch, // a record's queue or return program (owner: program id)
        DayCard, // a day card record (owner: day card id)
        DefaultProgram, // the calendar's default program
        ReserveProgram, // the calendar's reserve program
        StoredTransition, // a phase's stored transition from it (owner: phase id)
        MatrixValues, // a matrix's values of the group (owner: matrix id)
        TransitionTimes, // a stored transition's times of the group (owner: phase id)
        Timeline, // a program's timeline of the group (owner: program id)
        ProgramParameter, // a program's parameters name the element (owner: program id)
        Countdown, // a countdown display or board counts the group down (owner: group id)
        Indication, // an indication row names the group or program (owner: row, from 1)
        PlanPhase, // a ZU_MOLT plan phase runs the stage and goes with it (owner: plan id,
                   // part: the plan phase's id)
        CentralSystem, // the central-system link's parameters name the phase
        Channel, // a channel of a module or I/O board (owner: the module or board, part:
                 // the channel's number, or its place in the list when it has none)
        LinkedSensor, // a "DetectorySensor" sensor linked to the detector (owner: sensor id)
        Switch // a ZU_MOLT switch driven by the group (owner: switch id)
    };

    // One place that names an element.
    struct Place
    {
        Note note = Note::Silent;
        QString owner; // the element holding the place, for the question
        QString part; // where in the owner, when the question names it
        // Writes the new id; false when the place keeps its value (it names
        // the element by name, or another element of the old id). Null: the
        // place follows by itself.
        std::function<bool(CnfController &controller, const QString &newId)> rename;
        // Takes the reference out when the element goes. Null: the place
        // stays, or the list upkeep of the controller counts it anew.
        std::function<void(CnfController &controller)> clear;
        // Whether the place can hold the new id. Null: any id. A place that
        // holds the id as a number takes only a whole number from `lowest` to
        // `highest` (for the refusal's message).
        std::function<bool(const QString &newId)> accepts;
        int lowest = std::numeric_limits<int>::min();
        int highest = std::numeric_limits<int>::max();
        // Whether the place names the element by its name (a text), which a
        // new id leaves and a new name changes.
        bool byName = false;
        // Writes the new name where the place names the element by its old
        // one; false when it no longer does. Null for a place naming by id.
        std::function<bool(CnfController &controller, const QString &newName)> takeName;
        // Whether the place reads a text as an id too (a channel): a text that
        // is the element's name may then be another element's id.
        bool textIsId = false;
        // Another element of the kind that the place's text names as well
        // (its id, or its name): the place stays when this element goes, and
        // has no clear. Empty: none does.
        QString alsoNames;
    };

    // Lists the places of one kind naming the element.
    using Finder = QList<Place> (*)(const CnfController &controller, const Element &element);

    // Every place naming the element, finder by finder.
    static QList<Place> places(const CnfController &controller, const Element &element);
    // Gives every place naming the element the new id (the element's own id is
    // the caller's); the number of places that changed.
    static int rename(CnfController &controller, const Element &element, const QString &newId);
    // Gives every place naming the element by its name (`element.name`, the
    // old one) the new name; the places that took it. The element's own name
    // is the caller's.
    static QList<Place> takeName(CnfController &controller, const Element &element,
                                 const QString &newName);
    // The places naming the element by its name.
    static QList<Place> namedPlaces(const CnfController &controller, const Element &element);
    // Clears every place naming the element; the number of places cleared.
    static int clear(CnfController &controller, const Element &element);
    // Clears the places (found before the element left its list).
    static int clear(CnfController &controller, const QList<Place> &places);

    // The places naming the element that cannot hold the new id; a new id is
    // refused while there is one.
    static QList<Place> refusing(const CnfController &controller, const Element &element,
                                 const QString &newId);

    // The owners of the places with the note, each once, in the order found.
    static QStringList owners(const QList<Place> &places, Note note);
    static bool contains(const QList<Place> &places, Note note);

    // Whether a channel's reference names the detector or sensor: by its id
    // (a number, or the number as text) or by its name when it has one. On
    // the Signal module (`signalModule`) a text names a detector by name only.
    // Names match by `namesName`.
    static bool channelNames(const VObject &reference, const Element &element,
                             bool signalModule = false);
    // The one rule for every place that names an element by its name: a text
    // equal to the name. An empty name names nothing, or unnamed elements
    // would all own every empty reference.
    static bool namesName(const QVariant &value, const QString &name);
    // The same rule for a value of the controller's data. A ZU_MOLT
    // controller holds a text as its file writes it, escapes kept (as
    // zumoltc keeps and compares them): its letters are matched, as the
    // reader matches a reference by name.
    static bool namesName(const CnfController &controller, const QVariant &value,
                          const QString &name);
    // The text the controller's data hold for a name: in a ZU_MOLT controller
    // the form the file gives the element's own name, so that zumoltc reads
    // the same letters in both and the file stays JSON; elsewhere the name.
    static QString heldName(const CnfController &controller, const QString &name);

    // Places counted by position: the records of TIVERK 3.x and adapter
    // programs name phases and programs by their place in the controller's
    // lists. Taken before a change of a list and counted anew after it, they
    // name the same elements (a program that went: not set; a phase that
    // went: counted after the controller's phases).
    static QList<QStringList> phasePositions(const CnfController &controller);
    static void countPhasesAnew(const CnfController &controller, const QList<QStringList> &before);
    static QStringList programPositions(const CnfController &controller);
    static void countProgramsAnew(const CnfController &controller, const QStringList &before);

private:
    static QList<Finder> finders(Kind kind);
};
