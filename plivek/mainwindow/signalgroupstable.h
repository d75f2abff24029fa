#pragma once

#include <QString>
#include <QStringList>

class CnfController;

// The work of the signal-group table that needs no dialog: what a removal
// does (as CnfReferences finds it) and the question that says so.
class SignalGroupsTable
{
public:
    struct Removal
    {
        QStringList ids; // as the table shows them
        QStringList matrices; // ids of the matrices holding values of a removed group
        QStringList phases; // ids of the phases whose stored transitions hold its times
        QStringList programs; // ids of the programs whose timelines hold it
        QStringList parameterPrograms; // ids of the programs whose parameters name it
        QStringList countdowns; // ids of the removed groups that countdown displays count down
        QStringList indicationRows; // rows (from 1) of the indication list that follow it
        QStringList switches; // ZU_MOLT switches it drives, left without a group
        // Programs whose steps make their cycle and whose changes between steps
        // get shorter: coordinated ones keep the cycle ("2 (114 s)"), the
        // others' cycle gets shorter ("1 (107 s -> 105 s)").
        QStringList keptCycles;
        QStringList shorterCycles;
        // The lines after the first one of the question, each starting with a
        // line break; a caller may append its own.
        QStringList lines;
        QString question() const;
    };
    static Removal planRemoval(const CnfController &controller, const QStringList &ids);
};
