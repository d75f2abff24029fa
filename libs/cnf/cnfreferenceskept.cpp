// CnfReferences: the members of ZU_MOLT objects that the elements have no
// field for, kept in the native data under the ids of the objects they belong to.

#include "cnfcontroller.h"
#include "cnfreferencefinders.h"
#include "zu_moltformat.h"

using namespace CnfReferenceFinders;

namespace {

// One place per kept entry of `kind` whose id names the element in one of the
// parts `parts` (the id's parts are joined by a blank, see ZuMoltFormat): the
// members follow a new id, and go with the element, so that an element given
// its id later does not take them.
QList<Place> keptEntries(const CnfController &controller, const char *kind,
                         const QVector<int> &parts, const QString &id)
{
    QList<Place> found;
    const VObject byId
        = controller.nativeData()[QLatin1String(ZuMoltFormat::extrasKey)][QLatin1String(kind)];
    if (byId.kind() != VObject::Map)
        return found;
    for (const QString &key : byId.keys()) {
        const QStringList keyParts = key.split(QLatin1Char(' '));
        bool names = false;
        for (int part : parts)
            names = names || keyParts.value(part) == id;
        if (!names)
            continue;
        Place place;
        place.rename = [byId, key, parts, id](CnfController &, const QString &newId) {
            QStringList newParts = key.split(QLatin1Char(' '));
            for (int part : parts) {
                if (newParts.value(part) == id)
                    newParts[part] = newId;
            }
            VObject holder = byId;
            const QVariant members = holder[key].toVariant();
            holder.remove(key);
            holder[newParts.join(QLatin1Char(' '))] = members;
            return true;
        };
        place.clear = [byId, key](CnfController &) {
            VObject holder = byId;
            holder.remove(key);
        };
        found << place;
    }
    return found;
}

} // namespace

QList<Place> CnfReferenceFinders::phaseKeptMembers(const CnfController &controller,
                                                   const Element &phase)
{
    // A stage's id is a single part; a text id with a blank names no entry.
    return keptEntries(controller, ZuMoltFormat::stagesKind, { 0 }, phase.id);
}

QList<Place> CnfReferenceFinders::groupKeptMembers(const CnfController &controller,
                                                   const Element &group)
{
    return keptEntries(controller, ZuMoltFormat::conflictPointsKind, { 0, 1 }, group.id)
        + keptEntries(controller, ZuMoltFormat::sequencesKind, { 1 }, group.id)
        + keptEntries(controller, ZuMoltFormat::sequenceRecordsKind, { 1 }, group.id);
}

QList<Place> CnfReferenceFinders::programKeptMembers(const CnfController &controller,
                                                     const Element &program)
{
    return keptEntries(controller, ZuMoltFormat::sequencesKind, { 0 }, program.id)
        + keptEntries(controller, ZuMoltFormat::sequenceRecordsKind, { 0 }, program.id);
}
