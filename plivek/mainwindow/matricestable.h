#pragma once

#include "cnf/cnffwd.h"

class CnfController;
class QTableWidget;

// The work of the matrices table: its rows and the new matrix of Add.
class MatricesTable
{
public:
    enum Column { IdColumn, NameColumn, DefaultColumn, SafetyColumn };

    // One row per matrix: id, name (not editable), and whether it is the
    // default and the safety matrix (editable); signals blocked while filling.
    static void fill(QTableWidget *table, const CnfController &controller);

    // A matrix, not yet listed, with the smallest free id and the first free
    // name "Matrix.%1".
    static CnfMatrixPtr newMatrix(const CnfController &controller);
};
