#include "rowdragdrop.h"

#include <QDataStream>
#include <QIODevice>
#include <QTableWidget>
#include <QVector>

namespace RowDragDrop {

const char RowsMimeType[] = "application/rows.text.list";

QByteArray encodeRows(const QList<QTableWidgetItem *> &items)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    QList<int> written;
    for (const QTableWidgetItem *item : items) {
        if (!item)
            continue;
        const int row = item->row();
        if (written.contains(row))
            continue;
        written.append(row);
        out << QString::number(row);
    }
    return payload;
}

QList<int> decodeRows(const QByteArray &payload, int rowCount)
{
    QList<int> rows;
    QDataStream in(payload);
    while (!in.atEnd()) {
        QString text;
        in >> text;
        if (in.status() != QDataStream::Ok)
            break;
        bool ok = false;
        const int row = text.toInt(&ok, 10);
        if (ok && row >= 0 && row < rowCount && !rows.contains(row))
            rows.append(row);
    }
    return rows;
}

void moveRows(QTableWidget *table, const QList<int> &rows, int dropRow)
{
    const int rowCount = table->rowCount();
    const int columnCount = table->columnCount();
    // Null entries stand for empty cells, so every cell position is filled again.
    QVector<QTableWidgetItem *> moved;
    QVector<QTableWidgetItem *> remaining;
    for (int row : rows) {
        for (int column = 0; column < columnCount; ++column)
            moved.append(table->takeItem(row, column));
    }
    for (int row = 0; row < rowCount; ++row) {
        if (rows.contains(row))
            continue;
        for (int column = 0; column < columnCount; ++column)
            remaining.append(table->takeItem(row, column));
    }

    int nextMoved = 0;
    int nextRemaining = 0;
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            QTableWidgetItem *item = nullptr;
            if (row >= dropRow && nextMoved < moved.size())
                item = moved.at(nextMoved++);
            else if (nextRemaining < remaining.size())
                item = remaining.at(nextRemaining++);
            else
                item = moved.at(nextMoved++);
            if (item)
                table->setItem(row, column, item);
        }
    }
}

} // namespace RowDragDrop
