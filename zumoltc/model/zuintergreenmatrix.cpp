#include "zuintergreenmatrix.h"

#include "zulists.h"

#include <QHash>
#include <QPair>

struct ZUIntergreenMatrix::Private
{
    using Key = QPair<const ZUSignalGroup *, const ZUSignalGroup *>;

    QList<Point> points;
    // Position of each ordered pair in points, so reading a full matrix stays linear.
    // points() hands the list out for editing, so the index is rebuilt after that.
    mutable QHash<Key, int> index;
    mutable bool indexValid = true;

    void rebuildIndex() const
    {
        index.clear();
        for (int i = 0; i < points.size(); ++i) {
            const Point &point = points.at(i);
            if (point.clearing && point.entering)
                index.insert(Key(point.clearing.data(), point.entering.data()),
                             i); // first one wins
        }
        indexValid = true;
    }

    int indexOf(const QPointer<ZUSignalGroup> &clearing,
                const QPointer<ZUSignalGroup> &entering) const
    {
        if (!clearing || !entering)
            return -1;
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!indexValid)
                rebuildIndex();
            const int i = index.value(Key(clearing.data(), entering.data()), -1);
            if (i < 0)
                return -1;
            // A group that died may have left its address to a new one: check before trusting.
            if (i < points.size() && points.at(i).clearing == clearing
                && points.at(i).entering == entering)
                return i;
            indexValid = false;
        }
        return -1;
    }
};

ZUIntergreenMatrix::ZUIntergreenMatrix(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUIntergreenMatrix::~ZUIntergreenMatrix()
{
    notifyDestroying();
}

int ZUIntergreenMatrix::conflictTime(QPointer<ZUSignalGroup> clearing,
                                     QPointer<ZUSignalGroup> entering) const
{
    const int i = d->indexOf(clearing, entering);
    return i < 0 ? zu::NotSet : d->points.at(i).time;
}

void ZUIntergreenMatrix::setConflictTime(QPointer<ZUSignalGroup> clearing,
                                         QPointer<ZUSignalGroup> entering, int time)
{
    if (!clearing || !entering)
        return;
    const int i = d->indexOf(clearing, entering);
    if (i >= 0) {
        d->points[i].time = time;
    } else {
        d->points.append(Point { clearing, entering, time, {} });
        d->index.insert(Private::Key(clearing.data(), entering.data()), d->points.size() - 1);
    }
}

void ZUIntergreenMatrix::clear()
{
    d->points.clear();
    d->index.clear();
    d->indexValid = true;
}

QList<QPointer<ZUSignalGroup>>
ZUIntergreenMatrix::conflictingGroups(QPointer<ZUSignalGroup> group) const
{
    QList<QPointer<ZUSignalGroup>> result;
    if (!group)
        return result;
    const QList<Point> snapshot = d->points;
    for (const Point &point : snapshot) {
        if (point.clearing == group && point.entering && !result.contains(point.entering))
            result.append(point.entering);
        if (point.entering == group && point.clearing && !result.contains(point.clearing))
            result.append(point.clearing);
    }
    return result;
}

QList<ZUIntergreenMatrix::Point> &ZUIntergreenMatrix::points()
{
    d->indexValid = false;
    return zu::pruneDead(d->points,
                         [](const Point &point) { return point.clearing && point.entering; });
}
