#include "calendarrows.h"

#include <QTableWidget>
#include <QTreeWidget>

namespace CalendarRows {

QTreeWidgetItem *newRow()
{
    auto *item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

QTreeWidgetItem *newCardRow(const QString &number, const QString &name)
{
    QTreeWidgetItem *row = newRow();
    row->setText(0, number);
    row->setText(1, name);
    row->setData(0, RememberedNumberRole, number);
    return row;
}

QStringList cardNumbers(const QTreeWidget *tree)
{
    QStringList numbers;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        numbers.append(tree->topLevelItem(i)->text(0));
    return numbers;
}

QStringList takenNumbers(const QStringList &numbers)
{
    return numbers + QStringList { QString() };
}

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

void setCell(QTableWidget *table, int row, int column, const QVariant &value)
{
    auto *item = new QTableWidgetItem;
    item->setData(Qt::EditRole, value);
    table->setItem(row, column, item);
}

} // namespace CalendarRows
