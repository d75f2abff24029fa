#include "granule.h"

#include "node.h"
#include "signalgroup.h"

namespace Halm58a {

Granule::Granule(const QList<Node *> &nodes, QObject *parent)
    : NetObject(parent)
{
    for (Node *node : nodes)
        m_nodes.append(node);
}

Granule::~Granule()
{
    notifyRemoved();
}

void Granule::setTlId(int id)
{
    assign(m_tlId, id);
}

QList<Node *> Granule::nodes() const
{
    QList<Node *> result;
    for (const QPointer<Node> &node : m_nodes) {
        if (node)
            result.append(node);
    }
    return result;
}

void Granule::setNodes(const QList<Node *> &nodes)
{
    m_nodes.clear();
    for (Node *node : nodes)
        m_nodes.append(node);
    notifyChanged();
}

QList<SignalGroup *> Granule::signalGroups() const
{
    return findChildren<SignalGroup *>();
}

GeoShape Granule::shape() const
{
    QRectF area;
    for (Node *node : nodes()) {
        const GeoShape s = node->shape();
        area |= s.isEmpty() ? GeoShape::unitRect(node->pos()) : s.boundingRect();
    }
    if (area.isNull())
        return GeoShape();
    return GeoShape({ area.topLeft(), area.topRight(), area.bottomRight(), area.bottomLeft() });
}

} // namespace Halm58a
