#include "tablecells.h"

#include "cellvaluemapping.h"

#include <QAction>
#include <QTableWidget>

namespace {

const CellValueMapping *cellValueMapping(const QTableWidget *table, int row, int column)
{
    for (QAbstractItemDelegate *delegate : { table->itemDelegate(), table->itemDelegateForRow(row),
                                             table->itemDelegateForColumn(column) }) {
        if (const auto *mapping = dynamic_cast<const CellValueMapping *>(delegate))
            return mapping;
    }
    return nullptr;
}

} // namespace

QVariant tableCellValue(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    if (!item)
        return QVariant();
    if (const CellValueMapping *mapping = cellValueMapping(table, row, column))
        return mapping->valueForText(item->text());
    return item->data(Qt::EditRole);
}

QVariant tableCellValueAs(const QTableWidget *table, int row, int column, int type)
{
    QVariant value = tableCellValue(table, row, column);
    if (value.isValid())
        value.convert(type); // a failed conversion leaves a null value of that type
    return value;
}

void setTableCellValue(QTableWidget *table, int row, int column, const QVariant &value,
                       bool editable)
{
    if (row < 0 || column < 0 || row >= table->rowCount() || column >= table->columnCount())
        return;
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    if (const CellValueMapping *mapping = cellValueMapping(table, row, column))
        item->setData(Qt::EditRole, mapping->textForValue(value));
    else
        item->setData(Qt::EditRole, value);
    const Qt::ItemFlags flags
        = editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable;
    if (flags != item->flags())
        item->setFlags(flags);
}

void removeActionByName(QWidget *widget, const char *name)
{
    if (QAction *action = widget->findChild<QAction *>(QString::fromLatin1(name)))
        widget->removeAction(action);
}
