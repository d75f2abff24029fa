#pragma once

#include "cnf/cnffwd.h"

#include <QList>
#include <QString>
#include <QStringList>

class CnfController;
class QTableWidget;

// The work of the programs table that needs no dialog: its rows, the copies,
// what a removal touches (remote-control list, day cards, other programs'
// records), the sort and the order taken from dragged rows.
class ProgramsTable
{
public:
    // One row per program: id, name, type text, step phases joined with ",".
    // family: "adapter" for an adapter controller, else the controller's version.
    static void fill(QTableWidget *table, const CnfController &controller, const QString &family);

    // Copies each program once, with the smallest free id from 1 (that no
    // day card still names: CnfController::freeProgramId) and a unique name;
    // the number of copies made.
    static int duplicate(CnfController &controller, const QStringList &ids);

    // The question before a program takes `newId` (added or given a new id)
    // while day cards name it from a deleted program: the program would run
    // their slots. Empty when no day card names it.
    static QString takeOverQuestion(const CnfController &controller, const QString &newId);

    // What removing the programs does (as CnfReferences finds it), and the
    // question that says so.
    struct Removal
    {
        QStringList ids;
        bool remoteChanged = false; // a remote control panel list names a removed program
        QStringList dayCards; // ids of the cards left naming a removed program
        // rows (from 1) of the indication list whose plans keep naming a removed program
        QStringList indicationRows;
        // ids of the programs whose queue or return program is removed (it
        // becomes not set)
        QStringList namingPrograms;
        QString question;
    };
    static Removal planRemoval(const CnfController &controller, const QStringList &ids);
    static void remove(CnfController &controller, const Removal &removal);

    // The programs in ascending order of their numeric id (not a number: 0),
    // equal keys in their present order.
    static QList<CnfProgramPtr> sortedById(QList<CnfProgramPtr> programs);
    // The programs in the table's row order; false when a row is empty, names
    // no program or repeats one.
    static bool orderOfRows(const QTableWidget *table, const CnfController &controller,
                            QList<CnfProgramPtr> *order);
};
