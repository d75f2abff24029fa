// CnfReferences: the places inside the parameters of TIVERK II programs that
// name detectors, sensors, signal groups and phases.

#include "cnfcontroller.h"
#include "cnfprogram.h"
#include "cnfreferencefinders.h"

#include <functional>

#include <QVariantList>
#include <QVariantMap>

using namespace CnfReferenceFinders;

namespace {

// A list of a crosswalk names elements by number (an id) or by text (a name).
bool listNames(const QVariant &entry, const Element &element)
{
    if (entry.userType() != QMetaType::QString)
        return namesId(entry, element.id);
    return CnfReferences::namesName(entry, element.name);
}

// The keys of a program's parameter that name an element of the kind.
struct Parameter
{
    const char *property;
    QStringList keys; // members of each map of the list; empty: the list itself
    bool byName; // a text in the lists is a name, not an id
};

QList<Parameter> parametersNaming(CnfReferences::Kind kind)
{
    using Kind = CnfReferences::Kind;
    switch (kind) {
    case Kind::Detector:
        return { { "conditions", { QStringLiteral("detector") }, false },
                 { "crosswalks", { QStringLiteral("detectors") }, true } };
    case Kind::Sensor:
        return { { "conditions", { QStringLiteral("sensor") }, false },
                 { "crosswalks", { QStringLiteral("sensors") }, true } };
    case Kind::SignalGroup:
        return {
            { "crosswalks", { QStringLiteral("groups"), QStringLiteral("pedestrians") }, true }
        };
    case Kind::Phase:
        return { { "sequence", {}, false } };
    default:
        return {};
    }
}

// What a pass over a parameter does to each value that names the element:
// gives back the new value, or an invalid one to drop it.
using Change = std::function<QVariant(const QVariant &value)>;

// Applies the change to every value of the list that names the element (in
// a list of ids, or in a member of a map); true when one did. Lists and maps
// left empty by a Delete are dropped, as the program dialog stores them.
bool changeList(QVariantList *list, const QStringList &keys, bool byName, const Element &element,
                const Change &change)
{
    const auto names = [&](const QVariant &value) {
        return byName ? listNames(value, element) : namesId(value, element.id);
    };
    bool changed = false;
    for (int i = 0; i < list->size();) {
        QVariant value = list->at(i);
        if (keys.isEmpty()) {
            if (names(value)) {
                value = change(value);
                changed = true;
            }
        } else if (value.userType() == QMetaType::QVariantMap) {
            QVariantMap map = value.toMap();
            bool mapChanged = false;
            for (const QString &key : keys) {
                if (!map.contains(key))
                    continue;
                QVariant member = map.value(key);
                if (member.userType() == QMetaType::QVariantList) {
                    QVariantList ids = member.toList();
                    if (!changeList(&ids, {}, byName, element, change))
                        continue;
                    member = ids.isEmpty() ? QVariant() : QVariant(ids);
                } else if (!byName && names(member)) {
                    member = change(member);
                } else {
                    continue;
                }
                mapChanged = true;
                if (member.isValid())
                    map.insert(key, member);
                else
                    map.remove(key);
            }
            if (mapChanged) {
                changed = true;
                // A condition without any value is not stored; a crosswalk is,
                // as an empty map.
                value = map.isEmpty() && !byName ? QVariant() : QVariant(map);
            }
        }
        if (!value.isValid()) {
            list->removeAt(i);
            continue;
        }
        (*list)[i] = value;
        ++i;
    }
    return changed;
}

bool changeParameter(const CnfProgramPtr &program, const Parameter &parameter,
                     const Element &element, const Change &change)
{
    QVariantList list = program->property(parameter.property).toList();
    if (!changeList(&list, parameter.keys, parameter.byName, element, change))
        return false;
    program->setProperty(parameter.property, list.isEmpty() ? QVariant() : QVariant(list));
    return true;
}

} // namespace

// A TIVERK II program names elements inside its parameters: a stage-ring
// program's "conditions" detectors and sensors by id, a pedestrian program's
// "crosswalks" signal groups, sensors and detectors by id or by name, a
// sequence program's "sequence" phases by id as numbers. Ids follow a new id
// in the form they had, names stay; on a Delete the entries go (a phase's
// stay in the sequence, as the program's steps of it do), and the question
// names the program.
QList<Place> CnfReferenceFinders::programParameters(const CnfController &controller,
                                                    const Element &element)
{
    QList<Place> found;
    for (const Parameter &parameter : parametersNaming(element.kind)) {
        for (const CnfProgramPtr &program : controller.programs()) {
            if (!program || !program->property(parameter.property).isValid())
                continue;
            // Asked on a copy: does the parameter name the element at all?
            QVariantList probe = program->property(parameter.property).toList();
            if (!changeList(&probe, parameter.keys, parameter.byName, element,
                            [](const QVariant &value) { return value; }))
                continue;
            Place place;
            place.owner = program->id;
            // The parameter, so that a message can say how the program names it.
            place.part = QLatin1String(parameter.property);
            place.note = element.kind == CnfReferences::Kind::Phase ? Note::ProgramUse
                                                                    : Note::ProgramParameter;
            place.rename = [program, parameter, element](CnfController &, const QString &newId) {
                // A name stays: only ids take the new one.
                Element numbered = element;
                numbered.name.clear();
                return changeParameter(program, parameter, numbered, [&newId](const QVariant &old) {
                    // A refused id (see accepts) leaves the value as it is.
                    const QVariant held = inFormOf(old, newId);
                    return held.isValid() ? held : old;
                });
            };
            // An id held as a number takes only a new id that is a number.
            place.accepts = [program, parameter, element](const QString &newId) {
                Element numbered = element;
                numbered.name.clear();
                QVariantList probe = program->property(parameter.property).toList();
                bool held = true;
                changeList(&probe, parameter.keys, parameter.byName, numbered,
                           [&newId, &held](const QVariant &old) {
                               held = held && inFormOf(old, newId).isValid();
                               return old;
                           });
                return held;
            };
            // A name is taken only by the entries naming the element by it.
            if (parameter.byName) {
                Element named = element;
                named.id.clear();
                QVariantList names = program->property(parameter.property).toList();
                place.byName = changeList(&names, parameter.keys, true, named,
                                          [](const QVariant &value) { return value; });
                place.takeName
                    = [program, parameter, named](CnfController &, const QString &newName) {
                          return changeParameter(program, parameter, named,
                                                 [&newName](const QVariant &) { return newName; });
                      };
            }
            if (element.kind != CnfReferences::Kind::Phase) {
                place.clear = [program, parameter, element](CnfController &) {
                    changeParameter(program, parameter, element,
                                    [](const QVariant &) { return QVariant(); });
                };
            }
            found << place;
        }
    }
    return found;
}
