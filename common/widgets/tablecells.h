#pragma once

#include <QVariant>

class QTableWidget;
class QWidget;

// Cell access for dialogs that show texts but work with values. The mapping
// between them comes from the first delegate among the table's view-wide
// delegate, the row's and the column's that is a CellValueMapping (the
// combo-box delegate); without one, values pass through unchanged.

// The cell's value: invalid when the cell has no item.
QVariant tableCellValue(const QTableWidget *table, int row, int column);
// tableCellValue converted to the QVariant type id; a null value of that type
// when the conversion fails; invalid when the cell holds nothing.
QVariant tableCellValueAs(const QTableWidget *table, int row, int column, int type);
// Creates the item when missing, stores the value (as its text where the cell
// maps values to texts) in Qt::EditRole and sets or clears Qt::ItemIsEditable.
// Colours are left alone. A cell outside the table is ignored.
void setTableCellValue(QTableWidget *table, int row, int column, const QVariant &value,
                       bool editable);
// Takes the first action named `name` among the widget's descendants out of
// the widget's actions (its context menu and shortcut); the action survives.
void removeActionByName(QWidget *widget, const char *name);
