#include "edge.h"

#include "lane.h"
#include "node.h"

namespace Halm58a {

Edge::Edge(Node *from, Node *to, QObject *parent)
    : NetObject(parent)
    , m_from(from)
    , m_to(to)
{
    if (from)
        from->m_edges.append(this);
    if (to && to != from)
        to->m_edges.append(this);
}

Edge::~Edge()
{
    notifyRemoved();
    if (m_from)
        m_from->m_edges.removeAll(this);
    if (m_to)
        m_to->m_edges.removeAll(this);
}

Node *Edge::from() const
{
    return m_from;
}

Node *Edge::to() const
{
    return m_to;
}

void Edge::setBendPoints(const QVector<QPointF> &points)
{
    assign(m_bends, points);
}

GeoShape Edge::shape() const
{
    QVector<QPointF> points;
    points.reserve(m_bends.size() + 2);
    if (m_from)
        points.append(m_from->pos());
    points += m_bends;
    if (m_to)
        points.append(m_to->pos());
    return GeoShape(points);
}

QList<Lane *> Edge::lanes() const
{
    return findChildren<Lane *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace Halm58a
