#pragma once

#include "cnf/vobject.h"

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

    // Removes every output of the id and clears the references to each: the
    // DIO board channels whose "out" or "output" names it (by number, or by
    // its name when it has one) and the indication colours "red", "amber",
    // "green" naming it. Returns the number of outputs removed.
    static int remove(CnfController &controller, int id);
    // Gives the output (an entry of "outputs" still holding its old id) the
    // new id, and every place remove clears that names the old id by number
    // the new one, in the form it had. References by name stay, and so does
    // everything while another output still has the old id. Returns the
    // number of references renamed.
    static int rename(CnfController &controller, VObject output, int newId);

    // Orders "outputs" by id (a missing id counts as 0); false, and nothing
    // written, for fewer than two outputs.
    static bool sortById(CnfController &controller);
};
