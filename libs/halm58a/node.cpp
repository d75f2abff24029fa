#include "node.h"

#include "edge.h"

namespace Halm58a {

Node::Node(QObject *parent)
    : NetObject(parent)
{
}

Node::~Node()
{
    notifyRemoved();
    // An edge without one of its ends cannot be saved: it goes with the node.
    // Each edge takes itself out of this list.
    while (!m_edges.isEmpty())
        delete m_edges.first();
}

void Node::setPos(const QPointF &pos)
{
    assign(m_pos, pos);
}

void Node::setRadius(double metres)
{
    if (metres >= 0)
        assign(m_radius, metres);
}

void Node::setShape(const GeoShape &shape)
{
    assign(m_shape, shape);
}

} // namespace Halm58a
