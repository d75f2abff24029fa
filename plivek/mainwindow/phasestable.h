#pragma once

#include "cnf/cnffwd.h"

#include <QList>
#include <QString>
#include <QStringList>

class CnfController;
class QTableWidget;

// The work of the phases table that needs no dialog: its rows, the id of a new
// phase, what a removal touches (remote-control list, programs) and the
// transition entries of its context menu.
class PhasesTable
{
public:
    enum Column { IdColumn, NameColumn, GroupsColumn };

    // One row per phase: id, name, and its groups as "7(T)" joined with ",".
    static void fill(QTableWidget *table, const CnfController &controller);

    // The smallest id from "1" that no phase has (at most "65534").
    static QString freeId(const CnfController &controller);

    // What removing the phases does (as CnfReferences finds it), and the
    // question that says so.
    struct Removal
    {
        QStringList ids;
        bool remoteChanged = false; // a remote control panel list names a removed phase
        bool centralChanged = false; // the central-system link's phase is a removed phase
        QStringList programs; // ids of the programs that run or call a removed phase
        // ids of the other phases whose stored transition from a removed phase goes
        QStringList transitions;
        // Programs whose steps make their cycle and whose changes into or out
        // of a removed phase's steps change: coordinated ones keep the cycle
        // ("92 (114 s)"), the others' cycle changes ("91 (107 s -> 97 s)").
        QStringList keptCycles;
        QStringList changedCycles;
        QString question;
    };
    static Removal planRemoval(const CnfController &controller, const QStringList &ids);
    static void remove(CnfController &controller, const Removal &removal);

    // The menu entries for the transitions between two phases, source to
    // destination first, then back; "Change" when the destination already has
    // a transition from the source, else "Create". None when a phase is unknown.
    struct TransitionEntry
    {
        QString text;
        QStringList phases; // source id, destination id
    };
    static QList<TransitionEntry> transitionEntries(const CnfController &controller,
                                                    const QString &first, const QString &last);
};
