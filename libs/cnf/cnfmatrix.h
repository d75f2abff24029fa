#pragma once

#include "cnffwd.h"
#include "cnfmatrixcell.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

// A matrix over ordered pairs of signal groups (conflicts, intergreen times).
// Values are keyed by the groups' ids; NaN stands for "no value".
// A default-constructed matrix has id 1, no name and no values.
class CnfMatrix
{
public:
    int id() const { return m_id; }
    void setId(int id) { m_id = id; }
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    // The members a ZU_MOLT matrix ("IGM", "extraMatrices") was read without
    // ("id", "name"), and the id it was listed under in place of a missing
    // one: the ZU_MOLT writer leaves a member out again while the matrix still
    // holds that id, or no name. Not kept by the other formats.
    QStringList unsetMembers;
    int unsetId = 0;

    // NaN when the pair has no value (also for null groups).
    double releaf(const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b) const;
    double releaf(const CnfSignalGroup *a, const CnfSignalGroup *b) const;
    double releaf(int aId, int bId) const;
    // A NaN value removes the pair.
    void setReleaf(const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b, double value);
    void setReleaf(int aId, int bId, double value);
    // As setReleaf, for a value read from a file: a new pair goes at the end
    // of the list, so the file's order stays.
    void appendReleaf(int aId, int bId, double value);

    // The values of group `id`, in either place of a pair, go to group
    // `newId`, whose own values go; a negative `newId` only drops them (a
    // removed group). A value of `id` with `newId` goes too: a group never
    // gets a value with itself from another group's.
    void moveGroup(int id, int newId);
    // Whether a value names the group, in either place of a pair.
    bool namesGroup(int id) const;
    // The ids of the groups the values name, ascending, each once.
    QList<int> groupIds() const;

    bool isEmpty() const { return m_cells.isEmpty(); }
    void clear(); // values only; id and name stay
    QList<CnfMatrixCell> content() const; // ordered by (a, b)
    // The values in the order of the file's list: a pair added by setReleaf
    // goes where (a, b) order puts it, a renamed group's values keep their places.
    QList<CnfMatrixCell> cellsInListOrder() const;

    // Takes over id, name and values of `other` (a null pointer clears).
    void clone(const CnfMatrixPtr &other);
    void clone(const CnfMatrix &other);

private:
    void putReleaf(int aId, int bId, double value, bool atEnd);

    int m_id = 1;
    QString m_name;
    QMap<QPair<int, int>, CnfMatrixCell> m_cells;
    QList<QPair<int, int>> m_order; // the keys of m_cells in list order
};
