#include "signalgroupstable.h"

#include "mainwindowtexts.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfreferences.h"

namespace {

// Appends the owners of the notes to `list`, each once.
void addOwners(QStringList *list, const QList<CnfReferences::Place> &places,
               CnfReferences::Note note)
{
    for (const QString &owner : CnfReferences::owners(places, note)) {
        if (!list->contains(owner))
            *list << owner;
    }
}

} // namespace

QString SignalGroupsTable::Removal::question() const
{
    return MainWindowTexts::tr("Following signal groups will be deleted:\n")
        + ids.join(QLatin1Char(',')) + lines.join(QString());
}

SignalGroupsTable::Removal SignalGroupsTable::planRemoval(const CnfController &controller,
                                                          const QStringList &ids)
{
    using Note = CnfReferences::Note;
    Removal removal;
    removal.ids = ids;
    for (const QString &id : ids) {
        const QList<CnfReferences::Place> places = CnfReferences::places(
            controller,
            { CnfReferences::Kind::SignalGroup, QString::number(id.toInt()), QString() });
        addOwners(&removal.matrices, places, Note::MatrixValues);
        addOwners(&removal.phases, places, Note::TransitionTimes);
        addOwners(&removal.programs, places, Note::Timeline);
    }
    if (!removal.matrices.isEmpty())
        removal.lines << MainWindowTexts::tr("\nAfter removal, their values will be deleted "
                                             "from the following matrices:\n")
                + removal.matrices.join(QLatin1Char(','));
    if (!removal.phases.isEmpty())
        removal.lines << MainWindowTexts::tr("\nAfter removal, their times will be deleted from "
                                             "the transitions stored in the following phases:\n")
                + removal.phases.join(QLatin1Char(','));
    if (!removal.programs.isEmpty())
        removal.lines << MainWindowTexts::tr("\nAfter removal, their timelines will be deleted "
                                             "from the following programs:\n")
                + removal.programs.join(QLatin1Char(','));
    return removal;
}
