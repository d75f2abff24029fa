#pragma once

#include "cnf/vobject.h"

#include <QStringList>

class CnfController;
class QTableWidget;

// The work of the outputs table on the native "outputs" list: its rows, what
// removing an output clears, and the sort.
class OutputsTable
{
public:
    // One row per output: id and name as texts, not editable; signals blocked
    // while filling.
    static void fill(QTableWidget *table, const CnfController &controller);

    // Removes every output of the id and clears the places CnfReferences
    // finds naming each (board channels, indication colours), but those
    // naming another output too, whose lines for the message table go to
    // `kept` when given. Returns the number of outputs removed.
    static int remove(CnfController &controller, int id, QStringList *kept = nullptr);
    // Gives the output (an entry of "outputs" still holding its old id) the
    // new id, and the places CnfReferences finds naming it the new one.
    // Returns the number of references renamed.
    static int rename(CnfController &controller, VObject output, int newId);

    // Orders "outputs" by id (a missing id counts as 0); false, and nothing
    // written, for fewer than two outputs.
    static bool sortById(CnfController &controller);
};
