#include "connection.h"

#include "lane.h"
#include "node.h"
#include "signalgroup.h"

namespace Halm58a {

Connection::Connection(Lane *from, Lane *to, Node *junction)
    : NetObject(junction)
    , m_from(from)
    , m_to(to)
{
    if (from)
        from->m_outgoing.append(this);
    if (to)
        to->m_incoming.append(this);
}

Connection::~Connection()
{
    notifyRemoved();
    if (m_from)
        m_from->m_outgoing.removeAll(this);
    if (m_to)
        m_to->m_incoming.removeAll(this);
    for (SignalGroup *group : qAsConst(m_groups))
        group->m_connections.removeAll(this);
}

Node *Connection::junction() const
{
    return qobject_cast<Node *>(parent());
}

Lane *Connection::fromLane() const
{
    return m_from;
}

Lane *Connection::toLane() const
{
    return m_to;
}

void Connection::setBendPoints(const QVector<QPointF> &points)
{
    assign(m_bends, points);
}

GeoShape Connection::shape() const
{
    QVector<QPointF> points;
    if (m_from)
        points.append(m_from->stopPoint());
    points += m_bends;
    if (m_to)
        points.append(m_to->startPoint());
    return GeoShape(points);
}

} // namespace Halm58a
