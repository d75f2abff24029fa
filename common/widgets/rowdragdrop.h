#pragma once

#include <QByteArray>
#include <QList>

class QTableWidget;
class QTableWidgetItem;

// Row drag and drop of parameter tables. The drag carries only row numbers:
// under RowsMimeType, a QDataStream (default version, big-endian) of one
// QString of decimal digits per dragged row, nothing else. The drop moves the
// items themselves, so every cell keeps its data, flags and colours.
namespace RowDragDrop {

extern const char RowsMimeType[]; // "application/rows.text.list"

// The distinct rows of the items in the order of the items (null items skipped).
QByteArray encodeRows(const QList<QTableWidgetItem *> &items);

// The rows named by a payload that exist in a table of rowCount rows, in
// payload order, each once; anything else (not a number, out of range,
// repeated, a truncated tail) is skipped.
QList<int> decodeRows(const QByteArray &payload, int rowCount);

// Rebuilds the row order: the other rows that fill the places above dropRow,
// then the moved rows in the given order, then the rest of the other rows.
void moveRows(QTableWidget *table, const QList<int> &rows, int dropRow);

} // namespace RowDragDrop
