#pragma once

#include <QStringList>
#include <QTableWidget>
#include <QVariant>

// Small helpers for table tests: cells are compared as "type:value" texts so
// a failure shows both the type and the value of every cell.
namespace TableFixture {

inline QString describe(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("-");
    return QString::fromLatin1(value.typeName()) + QLatin1Char(':') + value.toString();
}

// Every cell's Qt::EditRole value, row by row.
inline QStringList cells(const QTableWidget &table)
{
    QStringList result;
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem *item = table.item(row, column);
            result << describe(item ? item->data(Qt::EditRole) : QVariant());
        }
    }
    return result;
}

// Fills the table row by row from `values` (an invalid value leaves the
// cell without an item).
inline void fill(QTableWidget &table, int columns, const QVariantList &values)
{
    table.setColumnCount(columns);
    table.setRowCount((values.size() + columns - 1) / columns);
    for (int i = 0; i < values.size(); ++i) {
        if (!values.at(i).isValid())
            continue;
        auto *item = new QTableWidgetItem;
        item->setData(Qt::EditRole, values.at(i));
        table.setItem(i / columns, i % columns, item);
    }
}

inline void makeReadOnly(QTableWidget &table, int row, int column)
{
    QTableWidgetItem *item = table.item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table.setItem(row, column, item);
    }
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
}

} // namespace TableFixture
