#include "node.h"

namespace Halm58a {

Node::Node(QObject *parent) : NetObject(parent) {}

Node::~Node()
{
    notifyRemoved();
}

void Node::setPos(const QPointF &pos)
{
    assign(m_pos, pos);
}

void Node::setRadius(double metres)
{
    assign(m_radius, metres);
}

void Node::setShape(const GeoShape &shape)
{
    assign(m_shape, shape);
}

} // namespace Halm58a
