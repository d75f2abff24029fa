#include "conflictmatrixmodel.h"

#include "zumoltc/model/zuenums.h"

#include <QBrush>

ConflictMatrixModel::ConflictMatrixModel(QObject *parent)
    : SnapshotTableModel(parent)
{
}

ConflictMatrixModel::~ConflictMatrixModel() = default;

void ConflictMatrixModel::reset(int count)
{
    beginResetModel();
    m_count = qMax(0, count);
    m_cells.times.fill(zu::NotSet, m_count * m_count);
    m_cells.odd.clear();
    m_cells.locked.fill(false, m_count * m_count);
    for (int i = 0; i < m_count; ++i)
        m_cells.locked.setBit(cell(i, i));
    m_headers.clear();
    endResetModel();
}

bool ConflictMatrixModel::inside(int row, int column) const
{
    return row >= 0 && column >= 0 && row < m_count && column < m_count;
}

void ConflictMatrixModel::setTime(int row, int column, int time)
{
    if (!inside(row, column))
        return;
    const int at = cell(row, column);
    m_cells.times[at] = time;
    m_cells.odd.remove(at);
    emitCellChanged(row, column);
}

void ConflictMatrixModel::setLocked(int row, int column, bool locked)
{
    if (!inside(row, column) || row == column)
        return;
    const int at = cell(row, column);
    if (locked && store(at, QVariant()))
        emit edited();
    m_cells.locked.setBit(at, locked);
    emitCellChanged(row, column);
}

void ConflictMatrixModel::lockPairs(const QVector<QPair<int, int>> &pairs)
{
    bool changed = false;
    for (const auto &pair : pairs) {
        if (!inside(pair.first, pair.second) || pair.first == pair.second)
            continue;
        const int at = cell(pair.first, pair.second);
        changed = store(at, QVariant()) || changed;
        m_cells.locked.setBit(at);
    }
    if (m_count > 0)
        emit dataChanged(index(0, 0), index(m_count - 1, m_count - 1));
    if (changed)
        emit edited();
}

void ConflictMatrixModel::unlockAll()
{
    m_cells.locked.fill(false);
    for (int i = 0; i < m_count; ++i)
        m_cells.locked.setBit(cell(i, i));
    if (m_count > 0)
        emit dataChanged(index(0, 0), index(m_count - 1, m_count - 1));
}

void ConflictMatrixModel::setHeaderTexts(const QStringList &texts)
{
    m_headers = texts;
    if (m_count > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, m_count - 1);
        emit headerDataChanged(Qt::Vertical, 0, m_count - 1);
    }
}

QVariant ConflictMatrixModel::cellData(int row, int column) const
{
    if (!inside(row, column))
        return QVariant();
    const int at = cell(row, column);
    const int time = m_cells.times.at(at);
    if (time != zu::NotSet)
        return time;
    return m_cells.odd.value(at);
}

bool ConflictMatrixModel::isCellEditable(int row, int column) const
{
    return inside(row, column) && !m_cells.locked.testBit(cell(row, column));
}

bool ConflictMatrixModel::store(int at, const QVariant &value)
{
    int &time = m_cells.times[at];
    // A whole number typed as text reads as that number, as the page would read it.
    const bool whole = value.type() == QVariant::Int;
    const int newTime = whole ? value.toInt() : zu::NotSet;
    const QVariant oldOdd = m_cells.odd.value(at);
    const bool empty
        = !value.isValid() || (value.type() == QVariant::String && value.toString().isEmpty());
    const QVariant newOdd = whole || empty ? QVariant() : value;
    if (time == newTime && oldOdd == newOdd && oldOdd.type() == newOdd.type())
        return false;
    time = newTime;
    if (newOdd.isValid())
        m_cells.odd.insert(at, newOdd);
    else
        m_cells.odd.remove(at);
    return true;
}

void ConflictMatrixModel::emitCellChanged(int row, int column)
{
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed);
}

int ConflictMatrixModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int ConflictMatrixModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

QVariant ConflictMatrixModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellData(index.row(), index.column());
    case Qt::BackgroundRole:
        return QBrush(isCellEditable(index.row(), index.column()) ? Qt::white : Qt::lightGray);
    default:
        return QVariant();
    }
}

bool ConflictMatrixModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !isCellEditable(index.row(), index.column()))
        return false;
    QVariant stored = value;
    // The editor hands back text: a whole number in it is kept as the time.
    if (value.type() == QVariant::String) {
        bool ok = false;
        const int time = value.toString().trimmed().toInt(&ok, 10);
        if (ok && time != zu::NotSet)
            stored = time;
    }
    if (!store(cell(index.row(), index.column()), stored))
        return true;
    emitCellChanged(index.row(), index.column());
    emit edited();
    return true;
}

Qt::ItemFlags ConflictMatrixModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (isCellEditable(index.row(), index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ConflictMatrixModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return SnapshotTableModel::headerData(section, orientation, role);
}

void ConflictMatrixModel::takeSnapshot()
{
    m_snapshot = m_cells;
    m_snapshotCount = m_count;
}

void ConflictMatrixModel::restoreSnapshot()
{
    if (m_snapshotCount != m_count)
        return; // the table was rebuilt since; its own baseline stands
    m_cells = m_snapshot;
    if (m_count > 0)
        emit dataChanged(index(0, 0), index(m_count - 1, m_count - 1));
}
