// CnfReferences: the countdown displays, countdown boards and indication
// rows that name a signal group by its number.

#include "cnfcontroller.h"
#include "cnfreferencefinders.h"

using namespace CnfReferenceFinders;

namespace {

// One place per entry of the list whose member `key` names the group: the
// member follows a new id; on a Delete the entry goes, or with `keepEntry`
// only the member. A list of "items" left empty goes too, as the dialogs
// store no empty one, unless `keepEmptyList` (zumoltc writes an empty list of
// boards while their protocol is set). With `byName` a text names the group by
// its name: it stays on a new id and takes a new name.
void entriesOf(const CnfController &controller, const VObject &list, const QString &key,
               const Element &group, Note note, bool keepEntry, QList<Place> *found,
               bool keepEmptyList = false, bool byName = false)
{
    for (int i = 0; i < list.size(); ++i) {
        const VObject entry = list[i];
        const bool named
            = byName && CnfReferences::namesName(controller, entry[key].toVariant(), group.name);
        if (!named && !namesId(controller, entry[key].toVariant(), group.id))
            continue;
        // An indication row is named by its place (from 1), a display by its group.
        const QString owner = keepEntry ? QString::number(i + 1) : group.id;
        Place place;
        if (named) {
            place.note = note;
            place.owner = owner;
            nameAt(&place, controller, entry, key, group.name);
        } else {
            place = idPlace(entry, key, note, owner);
        }
        // The display's place in its list (from 1), which names it in a message.
        place.part = QString::number(i + 1);
        place.clear = [entry, key, keepEntry, keepEmptyList](CnfController &) {
            VObject target = entry;
            if (keepEntry) {
                target.remove(key);
                return;
            }
            VObject list = target.parent();
            target.remove();
            VObject holder = list.parent();
            if (!keepEmptyList && list.size() == 0 && !holder.isNull()
                && holder.contains(QStringLiteral("items")))
                holder.remove(QStringLiteral("items"));
        };
        *found << place;
    }
}

} // namespace

// A countdown display or board counts down one signal group, named by its
// number: TIVERK 3.x "countDownTable" ("sg"), TIVERK II "modules"/"Countdowns"
// or the bus device "KTV1", ZU_MOLT "countdownBoards" (each item's "id"). A
// new id follows; on a Delete the display goes, as the countdown dialogs keep
// none without a group (and zumoltc reads none), and the question names it.
QList<Place> CnfReferenceFinders::groupCountdowns(const CnfController &controller,
                                                  const Element &group)
{
    QList<Place> found;
    const VObject root = controller.nativeData();
    const QString items = QStringLiteral("items");
    const QString id = QStringLiteral("id");
    entriesOf(controller, root[QStringLiteral("countDownTable")], QStringLiteral("sg"), group,
              Note::Countdown, false, &found);
    const VObject modules = root[QStringLiteral("modules")];
    entriesOf(controller, modules[QStringLiteral("Countdowns")][items], id, group, Note::Countdown,
              false, &found);
    entriesOf(controller,
              modules[QStringLiteral("SystemBus")][QStringLiteral("devices")]
                     [QStringLiteral("KTV1")][items],
              id, group, Note::Countdown, false, &found);
    // zumoltc reads a board's group by its id (a number) or by its name (a
    // text), and writes an emptied list of boards as it is.
    entriesOf(controller, root[QStringLiteral("countdownBoards")][items], id, group,
              Note::Countdown, false, &found, true, true);
    return found;
}

// An indication row ("modules"/"Indication") follows a signal group named
// by its number. A new id follows; on a Delete the row stays without a group,
// as the indication dialog keeps a row whose group cell is empty, and the
// question names it.
QList<Place> CnfReferenceFinders::groupIndications(const CnfController &controller,
                                                   const Element &group)
{
    QList<Place> found;
    entriesOf(controller,
              controller.nativeData()[QStringLiteral("modules")][QStringLiteral("Indication")],
              QStringLiteral("signalGroup"), group, Note::Indication, true, &found);
    return found;
}

// An indication row is active in the programs its "plans" name, by number
// or by name. A number follows a new id, a name a new name; on a Delete the
// entry stays, as day cards keep theirs, and the question names the row.
QList<Place> CnfReferenceFinders::programIndications(const CnfController &controller,
                                                     const Element &program)
{
    QList<Place> found;
    const VObject rows
        = controller.nativeData()[QStringLiteral("modules")][QStringLiteral("Indication")];
    const QString plans = QStringLiteral("plans");
    for (int i = 0; i < rows.size(); ++i) {
        const VObject row = rows[i];
        const VObject named = row[plans];
        // One program, or a list of them.
        const bool single = named.kind() == VObject::Scalar;
        for (int j = 0; j < (single ? 1 : named.size()); ++j) {
            const VObject entry = single ? named : named[j];
            const QString row = QString::number(i + 1);
            // A text names a program by its name, which a new id leaves and
            // a new name changes.
            if (entry.toVariant().userType() == QMetaType::QString) {
                Place place;
                place.note = Note::Indication;
                place.owner = row;
                nameAt(&place, controller, entry, QString(), program.name);
                if (place.byName)
                    found << place;
                continue;
            }
            if (namesId(entry.toVariant(), program.id))
                found << idPlace(entry, QString(), Note::Indication, row);
        }
    }
    return found;
}
