#include "matricestable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "common/widgets/tablecells.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include <QTableWidget>

void MatricesTable::fill(QTableWidget *table, const CnfController &controller)
{
    const QList<CnfMatrixPtr> matrices = controller.matrixList();
    const CnfMatrixPtr safety = controller.safetyMatrix();
    const CnfMatrixPtr standard = controller.defaultMatrix();
    const QSignalBlocker blocker(table);
    table->setRowCount(matrices.size());
    for (int row = 0; row < matrices.size(); ++row) {
        const CnfMatrixPtr &matrix = matrices.at(row);
        setTableCellValue(table, row, IdColumn, matrix->id(), false);
        setTableCellValue(table, row, NameColumn, matrix->name(), false);
        setTableCellValue(table, row, DefaultColumn, matrix == standard, true);
        setTableCellValue(table, row, SafetyColumn, matrix == safety, true);
    }
}

CnfMatrixPtr MatricesTable::newMatrix(const CnfController &controller)
{
    auto matrix = CnfMatrixPtr::create();
    int id = 1;
    while (controller.findMatrix(id))
        ++id;
    matrix->setId(id);
    if (matrix->name().isEmpty()) {
        for (int k = 1;; ++k) {
            const QString name = QCoreApplication::translate("MainWindow", "Matrix.%1").arg(k);
            if (!controller.findMatrixByName(name)) {
                matrix->setName(name);
                break;
            }
        }
    }
    return matrix;
}
