#pragma once

#include "zumoltc/shell/framework/snapshottablemodel.h"

#include <QBitArray>
#include <QHash>
#include <QStringList>
#include <QVector>

// The cells of the conflict-matrix page: an N x N table of intergreen times,
// row i the clearing group, column j the entering one. A cell holds a whole
// number, nothing, or (typed or pasted) any other value, which the page drops
// when it applies. Locked cells (the diagonal and, on request, pairs that share
// a stage) are empty, read-only and grey.
//
// The times live in one flat array and the rare values that are no whole number
// beside it, so a table of thousands of groups costs a few bytes per cell and
// the view draws only what is visible.
class ConflictMatrixModel : public SnapshotTableModel
{
    Q_OBJECT
public:
    explicit ConflictMatrixModel(QObject *parent = nullptr);
    ~ConflictMatrixModel() override;

    // A new table of `count` empty, editable cells but the locked diagonal.
    void reset(int count);
    // Sets a cell as the page loads it (no edit): a time or NotSet.
    void setTime(int row, int column, int time);
    // Empties and locks the cell, or unlocks it keeping its value; the
    // diagonal stays locked.
    void setLocked(int row, int column, bool locked);
    // Empties and locks every cell of the pairs (row, column) with row != column.
    void lockPairs(const QVector<QPair<int, int>> &pairs);
    void unlockAll();
    void setHeaderTexts(const QStringList &texts);

    // What the cell holds: invalid when empty.
    QVariant cellData(int row, int column) const;
    bool isCellEditable(int row, int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void takeSnapshot() override;
    void restoreSnapshot() override;

private:
    struct Cells
    {
        QVector<int> times; // row-major; NotSet where empty or odd
        QHash<int, QVariant> odd; // values that are no whole number, by cell
        QBitArray locked;
    };

    int cell(int row, int column) const { return row * m_count + column; }
    bool inside(int row, int column) const;
    // Stores a value in the cell; true when the cell now holds something else.
    bool store(int at, const QVariant &value);
    void emitCellChanged(int row, int column);

    int m_count = 0;
    Cells m_cells;
    Cells m_snapshot;
    int m_snapshotCount = 0;
    QStringList m_headers;
};
