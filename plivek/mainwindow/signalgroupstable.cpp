#include "signalgroupstable.h"

#include "cyclechangetexts.h"
#include "mainwindowtexts.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogramcycles.h"
#include "cnf/cnfreferences.h"
#include "cnf/cnfsignalgroup.h"

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
        // A pedestrian program's crosswalks may name the group by its name.
        const CnfSignalGroupPtr group = controller.findSG(id.toInt());
        const QList<CnfReferences::Place> places
            = CnfReferences::places(controller,
                                    { CnfReferences::Kind::SignalGroup, QString::number(id.toInt()),
                                      group ? group->name : QString() });
        addOwners(&removal.matrices, places, Note::MatrixValues);
        addOwners(&removal.phases, places, Note::TransitionTimes);
        addOwners(&removal.programs, places, Note::Timeline);
        addOwners(&removal.parameterPrograms, places, Note::ProgramParameter);
        addOwners(&removal.countdowns, places, Note::Countdown);
        addOwners(&removal.indicationRows, places, Note::Indication);
        addOwners(&removal.switches, places, Note::Switch);
    }
    QList<int> groupIds;
    for (const QString &id : ids)
        groupIds << id.toInt();
    const CycleChangeTexts cycles
        = CycleChangeTexts::of(CnfProgramCycles::onRemoval(controller, groupIds));
    removal.keptCycles = cycles.kept;
    removal.shorterCycles = cycles.changed;
    // A line of the question for each kind of stored value that goes, naming its owners.
    const auto addLine = [&removal](const QStringList &owners, const QString &text) {
        if (!owners.isEmpty())
            removal.lines << text + owners.join(QLatin1Char(','));
    };
    addLine(removal.matrices,
            MainWindowTexts::tr("\nAfter removal, their values will be deleted "
                                "from the following matrices:\n"));
    addLine(removal.phases,
            MainWindowTexts::tr("\nAfter removal, their times will be deleted from "
                                "the transitions stored in the following phases:\n"));
    addLine(removal.programs,
            MainWindowTexts::tr("\nAfter removal, their timelines will be deleted "
                                "from the following programs:\n"));
    addLine(removal.parameterPrograms,
            MainWindowTexts::tr("\nAfter removal, the following programs will lose "
                                "them from their parameters:\n"));
    addLine(removal.countdowns,
            MainWindowTexts::tr("\nAfter removal, the countdown displays of the "
                                "following signal groups will be deleted:\n"));
    addLine(removal.indicationRows,
            MainWindowTexts::tr("\nAfter removal, the following indication rows "
                                "will have no signal group:\n"));
    addLine(removal.switches,
            MainWindowTexts::tr("\nAfter removal, the following switches will have no "
                                "signal group:\n"));
    addLine(removal.keptCycles,
            MainWindowTexts::tr("\nAfter removal, the following coordinated programs keep "
                                "their cycles; the steps after the shorter changes run "
                                "longer:\n"));
    addLine(removal.shorterCycles,
            MainWindowTexts::tr("\nAfter removal, the cycles of the following programs will be "
                                "shorter:\n"));
    return removal;
}
