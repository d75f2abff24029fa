#pragma once

#include "common/widgets/tablecells.h"

#include <QList>
#include <QTableWidget>
#include <QVariant>

#include <algorithm>

// Row numbers and cell helpers that the program dialog's page files share.
namespace ProgramTiverk2Cells {

enum StageRow { StageRowPhase = 0, StageRowFullLength = 1 };

// A cell that holds something; a cell emptied by the user holds an empty text.
inline bool holdsValue(const QVariant &value)
{
    return value.isValid() && !value.isNull()
        && !(value.type() == QVariant::String && value.toString().isEmpty());
}

// The cell as a number, or `fallback` when it holds none.
inline int cellInt(const QTableWidget *table, int row, int column, int fallback,
                   bool *converted = nullptr)
{
    bool ok = false;
    const int value = tableCellValue(table, row, column).toInt(&ok);
    if (converted)
        *converted = ok;
    return ok ? value : fallback;
}

inline QList<int> sortedSelectedColumns(const QTableWidget *table)
{
    QList<int> columns = selectedColumns(table);
    std::sort(columns.begin(), columns.end());
    return columns;
}

// Highest first, so the columns still to remove keep their positions.
inline void removeSelectedColumns(QTableWidget *table)
{
    const QList<int> columns = sortedSelectedColumns(table);
    for (auto it = columns.crbegin(); it != columns.crend(); ++it)
        table->removeColumn(*it);
}

} // namespace ProgramTiverk2Cells
