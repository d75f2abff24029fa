#include "zuintergreenmatrix.h"

#include "zulists.h"

struct ZUIntergreenMatrix::Private
{
    QList<Point> points;

    const Point *find(const QPointer<ZUSignalGroup> &clearing, const QPointer<ZUSignalGroup> &entering) const
    {
        for (const Point &point : points) {
            if (point.clearing && point.entering && point.clearing == clearing && point.entering == entering)
                return &point;
        }
        return nullptr;
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

int ZUIntergreenMatrix::conflictTime(QPointer<ZUSignalGroup> clearing, QPointer<ZUSignalGroup> entering) const
{
    const Point *point = d->find(clearing, entering);
    return point ? point->time : zu::NotSet;
}

void ZUIntergreenMatrix::setConflictTime(QPointer<ZUSignalGroup> clearing, QPointer<ZUSignalGroup> entering, int time)
{
    if (!clearing || !entering)
        return;
    if (const Point *point = d->find(clearing, entering))
        const_cast<Point *>(point)->time = time;
    else
        d->points.append(Point{clearing, entering, time});
}

void ZUIntergreenMatrix::clear()
{
    d->points.clear();
}

QList<QPointer<ZUSignalGroup>> ZUIntergreenMatrix::conflictingGroups(QPointer<ZUSignalGroup> group) const
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
    return zu::pruneDead(d->points, [](const Point &point) { return point.clearing && point.entering; });
}
