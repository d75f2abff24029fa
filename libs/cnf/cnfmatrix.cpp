#include "cnfmatrix.h"

#include "cnfsignalgroup.h"

#include <algorithm>
#include <cmath>
#include <limits>

double CnfMatrix::releaf(const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b) const
{
    return releaf(a.data(), b.data());
}

double CnfMatrix::releaf(const CnfSignalGroup *a, const CnfSignalGroup *b) const
{
    if (!a || !b)
        return std::numeric_limits<double>::quiet_NaN();
    return releaf(a->id, b->id);
}

double CnfMatrix::releaf(int aId, int bId) const
{
    const auto it = m_cells.constFind(qMakePair(aId, bId));
    if (it == m_cells.constEnd())
        return std::numeric_limits<double>::quiet_NaN();
    return it->value;
}

void CnfMatrix::setReleaf(const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b, double value)
{
    if (!a || !b)
        return;
    setReleaf(a->id, b->id, value);
    const auto it = m_cells.find(qMakePair(a->id, b->id));
    if (it != m_cells.end()) {
        it->a = a;
        it->b = b;
    }
}

void CnfMatrix::setReleaf(int aId, int bId, double value)
{
    putReleaf(aId, bId, value, false);
}

void CnfMatrix::appendReleaf(int aId, int bId, double value)
{
    putReleaf(aId, bId, value, true);
}

void CnfMatrix::putReleaf(int aId, int bId, double value, bool atEnd)
{
    const auto key = qMakePair(aId, bId);
    if (std::isnan(value)) {
        if (m_cells.remove(key))
            m_order.removeOne(key);
        return;
    }
    if (!m_cells.contains(key) && atEnd) {
        m_order.append(key);
    } else if (!m_cells.contains(key)) {
        const auto place
            = std::find_if(m_order.begin(), m_order.end(),
                           [&key](const QPair<int, int> &other) { return key < other; });
        m_order.insert(place, key);
    }
    CnfMatrixCell &cell = m_cells[key];
    cell.aId = aId;
    cell.bId = bId;
    cell.value = value;
}

void CnfMatrix::moveGroup(int id, int newId)
{
    QList<CnfMatrixCell> moved;
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        const bool ofGroup = it->aId == id || it->bId == id;
        // Without a new id no other group's values are touched.
        const bool ofNewId = newId >= 0 && (it->aId == newId || it->bId == newId);
        // A value between the group and its new id would be one of the group
        // with itself: it goes.
        if (ofGroup && !ofNewId)
            moved << *it;
        if (ofGroup || ofNewId)
            it = m_cells.erase(it);
        else
            ++it;
    }
    // The group's pairs take the new id in their places of the list.
    QList<QPair<int, int>> order;
    for (QPair<int, int> key : qAsConst(m_order)) {
        const bool ofGroup = key.first == id || key.second == id;
        const bool ofNewId = newId >= 0 && (key.first == newId || key.second == newId);
        if (ofGroup && !ofNewId && newId >= 0) {
            if (key.first == id)
                key.first = newId;
            if (key.second == id)
                key.second = newId;
            order << key;
        } else if (!ofGroup && !ofNewId) {
            order << key;
        }
    }
    m_order = order;
    if (newId < 0)
        return;
    for (CnfMatrixCell cell : qAsConst(moved)) {
        if (cell.aId == id)
            cell.aId = newId;
        if (cell.bId == id)
            cell.bId = newId;
        m_cells.insert(qMakePair(cell.aId, cell.bId), cell);
    }
}

bool CnfMatrix::namesGroup(int id) const
{
    return std::any_of(m_order.cbegin(), m_order.cend(), [id](const QPair<int, int> &key) {
        return key.first == id || key.second == id;
    });
}

QList<int> CnfMatrix::groupIds() const
{
    QList<int> ids;
    for (const QPair<int, int> &key : m_order)
        ids << key.first << key.second;
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

void CnfMatrix::clear()
{
    m_cells.clear();
    m_order.clear();
}

QList<CnfMatrixCell> CnfMatrix::content() const
{
    return m_cells.values();
}

QList<CnfMatrixCell> CnfMatrix::cellsInListOrder() const
{
    QList<CnfMatrixCell> cells;
    cells.reserve(m_order.size());
    for (const QPair<int, int> &key : m_order)
        cells << m_cells.value(key);
    return cells;
}

void CnfMatrix::clone(const CnfMatrixPtr &other)
{
    if (!other) {
        clear();
        return;
    }
    clone(*other);
}

void CnfMatrix::clone(const CnfMatrix &other)
{
    if (&other == this)
        return;
    m_id = other.m_id;
    m_name = other.m_name;
    m_cells = other.m_cells;
    m_order = other.m_order;
}
