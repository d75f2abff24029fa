#include "stopline.h"

#include "lane.h"

#include <QLineF>

namespace Halm58a {

Stopline::Stopline(Kind kind, Lane *lane)
    : NetObject(lane)
    , m_kind(kind)
{
}

Stopline::~Stopline()
{
    notifyRemoved();
    // While the lane itself goes, it is no longer a Lane here and needs no new line.
    if (Lane *l = lane())
        l->replaceLine(this);
}

Lane *Stopline::lane() const
{
    return qobject_cast<Lane *>(parent());
}

QList<Connection *> Stopline::connections() const
{
    const Lane *l = lane();
    if (!l)
        return {};
    return m_kind == Stop ? l->outgoing() : l->incoming();
}

QPointF Stopline::pos() const
{
    const Lane *l = lane();
    if (!l)
        return QPointF();
    return m_kind == Stop ? l->stopPoint() : l->startPoint();
}

GeoShape Stopline::shape() const
{
    const Lane *l = lane();
    if (!l)
        return GeoShape();
    const QVector<QPointF> points = l->shape().points();
    if (points.size() < 2)
        return GeoShape();
    const QLineF direction = m_kind == Stop ? QLineF(points.at(points.size() - 2), points.last())
                                            : QLineF(points.at(0), points.at(1));
    const QLineF unit = direction.unitVector();
    const QPointF across(unit.dy() * l->width() / 2, -unit.dx() * l->width() / 2);
    const QPointF centre = pos();
    return GeoShape({ centre - across, centre + across });
}

} // namespace Halm58a
