#include "phasestable.h"

#include "cyclechangetexts.h"
#include "mainwindowtexts.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramcycles.h"
#include "cnf/cnfreferences.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/tablecells.h"

#include <QCoreApplication>
#include <QHash>
#include <QTableWidget>

#include <algorithm>

void PhasesTable::fill(QTableWidget *table, const CnfController &controller)
{
    const QList<CnfPhasePtr> phases = controller.phases();
    table->setRowCount(phases.size());
    for (int row = 0; row < phases.size(); ++row) {
        const CnfPhasePtr &phase = phases.at(row);
        QStringList groups;
        for (const CnfSignalGroupPtr &group : phase->signalGroups) {
            if (group)
                groups << QStringLiteral("%1(%2)").arg(group->id).arg(
                    CnfSignalGroup::type2String(group->type, true, true));
        }
        setTableCellValue(table, row, IdColumn, phase->id, true);
        setTableCellValue(table, row, NameColumn, phase->name, true);
        setTableCellValue(table, row, GroupsColumn, groups.join(QLatin1Char(',')), true);
    }
}

QString PhasesTable::freeId(const CnfController &controller)
{
    int n = 1;
    while (n < 65534 && controller.findPhase(QString::number(n)))
        ++n;
    return QString::number(n);
}

PhasesTable::Removal PhasesTable::planRemoval(const CnfController &controller,
                                              const QStringList &ids)
{
    Removal removal;
    removal.ids = ids;
    QHash<QString, QStringList> planPhases;
    for (const QString &id : ids) {
        // A ZU_MOLT panel may name the stage by its name.
        const CnfPhasePtr phase = controller.findPhase(id);
        const QList<CnfReferences::Place> places = CnfReferences::places(
            controller, { CnfReferences::Kind::Phase, id, phase ? phase->name : QString() });
        removal.remoteChanged = removal.remoteChanged
            || CnfReferences::contains(places, CnfReferences::Note::RemoteControl);
        removal.centralChanged = removal.centralChanged
            || CnfReferences::contains(places, CnfReferences::Note::CentralSystem);
        // The programs that run or call the phase, in their order.
        const QStringList programs = CnfReferences::owners(places, CnfReferences::Note::ProgramUse);
        for (const CnfProgramPtr &program : controller.programs()) {
            if (programs.contains(program->id) && !removal.programs.contains(program->id))
                removal.programs << program->id;
        }
        for (const QString &phase :
             CnfReferences::owners(places, CnfReferences::Note::StoredTransition)) {
            if (!ids.contains(phase) && !removal.transitions.contains(phase))
                removal.transitions << phase;
        }
        for (const CnfReferences::Place &place : places) {
            if (place.note == CnfReferences::Note::PlanPhase)
                planPhases[place.owner] << place.part;
        }
    }
    removal.question
        = MainWindowTexts::tr("Following phases will be deleted:\n") + ids.join(QLatin1Char(','));
    if (removal.remoteChanged)
        removal.question += MainWindowTexts::tr("\nRCU parameters will be changed after removal");
    if (removal.centralChanged)
        removal.question += MainWindowTexts::tr(
            "\nThe phase of LFR/TSCTM in the ATCS parameters will be not set after removal");
    if (!removal.programs.isEmpty())
        removal.question
            += MainWindowTexts::tr("\nAfter removal, the following programs will be wrong:\n")
            + removal.programs.join(QLatin1Char(','));
    QStringList planLines;
    for (const CnfProgramPtr &program : controller.programs()) {
        QStringList phases = planPhases.value(program->id);
        if (phases.isEmpty())
            continue;
        std::sort(phases.begin(), phases.end(),
                  [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        QString line = (phases.size() == 1 ? MainWindowTexts::tr("Plan %1: phase %2")
                                           : MainWindowTexts::tr("Plan %1: phases %2"))
                           .arg(program->id, phases.join(QLatin1Char(',')));
        // A plan is kept without phases, as zumoltc keeps it; the user is told.
        if (phases.size() == program->phaseCount())
            line += MainWindowTexts::tr(" (the plan is left without phases)");
        planLines << line;
    }
    if (!planLines.isEmpty())
        removal.question += MainWindowTexts::tr("\nAfter removal, the following plan phases "
                                                "that run them will be removed, with the calls, "
                                                "detector conditions and sequence entries that "
                                                "name them:\n")
            + planLines.join(QLatin1Char('\n'));
    if (!removal.transitions.isEmpty())
        removal.question += MainWindowTexts::tr("\nAfter removal, the transitions from them "
                                                "stored in the following phases will be "
                                                "deleted:\n")
            + removal.transitions.join(QLatin1Char(','));
    const CycleChangeTexts cycles
        = CycleChangeTexts::of(CnfProgramCycles::onPhaseRemoval(controller, ids));
    removal.keptCycles = cycles.kept;
    removal.changedCycles = cycles.changed;
    if (!removal.keptCycles.isEmpty())
        removal.question += MainWindowTexts::tr("\nAfter removal, the following coordinated "
                                                "programs keep their cycles; the steps after "
                                                "the changes into and out of the deleted "
                                                "phases take up the difference:\n")
            + removal.keptCycles.join(QLatin1Char(','));
    if (!removal.changedCycles.isEmpty())
        removal.question += MainWindowTexts::tr("\nAfter removal, the cycles of the following "
                                                "programs will change:\n")
            + removal.changedCycles.join(QLatin1Char(','));
    return removal;
}

void PhasesTable::remove(CnfController &controller, const Removal &removal)
{
    for (const QString &id : removal.ids)
        controller.removePhase(id);
}

QList<PhasesTable::TransitionEntry> PhasesTable::transitionEntries(const CnfController &controller,
                                                                   const QString &first,
                                                                   const QString &last)
{
    const CnfPhasePtr a = controller.findPhase(first);
    const CnfPhasePtr b = controller.findPhase(last);
    if (!a || !b)
        return {};
    const auto entry = [](const CnfPhasePtr &source, const CnfPhasePtr &destination) {
        const QString verb = destination->findTransition(source->id)
            ? MainWindowTexts::tr("Change")
            : MainWindowTexts::tr("Create");
        return TransitionEntry { MainWindowTexts::tr("%1 phase transition %2->%3")
                                     .arg(verb, source->id, destination->id),
                                 { source->id, destination->id } };
    };
    return { entry(a, b), entry(b, a) };
}
