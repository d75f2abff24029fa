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
// boards while their protocol is set).
void entriesOf(const VObject &list, const QString &key, const Element &group, Note note,
               bool keepEntry, QList<Place> *found, bool keepEmptyList = false)
{
    for (int i = 0; i < list.size(); ++i) {
        const VObject entry = list[i];
        if (!namesId(entry[key].toVariant(), group.id))
            continue;
        // An indication row is named by its place (from 1), a display by its group.
        Place place = idPlace(entry, key, note, keepEntry ? QString::number(i + 1) : group.id);
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
    entriesOf(root[QStringLiteral("countDownTable")], QStringLiteral("sg"), group, Note::Countdown,
              false, &found);
    const VObject modules = root[QStringLiteral("modules")];
    entriesOf(modules[QStringLiteral("Countdowns")][items], id, group, Note::Countdown, false,
              &found);
    entriesOf(modules[QStringLiteral("SystemBus")][QStringLiteral("devices")]
                     [QStringLiteral("KTV1")][items],
              id, group, Note::Countdown, false, &found);
    entriesOf(root[QStringLiteral("countdownBoards")][items], id, group, Note::Countdown, false,
              &found, true);
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
    entriesOf(controller.nativeData()[QStringLiteral("modules")][QStringLiteral("Indication")],
              QStringLiteral("signalGroup"), group, Note::Indication, true, &found);
    return found;
}

// An indication row is active in the programs its "plans" name, by number
// or by name. A number follows a new id, a name stays; on a Delete the entry
// stays, as day cards keep theirs, and the question names the row.
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
            // A text names a program by its name, which a new id leaves.
            if (entry.toVariant().userType() == QMetaType::QString
                || !namesId(entry.toVariant(), program.id))
                continue;
            const Place place = idPlace(entry, QString(), Note::Indication, QString::number(i + 1));
            found << place;
        }
    }
    return found;
}
