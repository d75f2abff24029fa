#include "crosswalk.h"

#include "node.h"
#include "signalgroup.h"

namespace Halm58a {

CrossWalk::CrossWalk(Node *junction)
    : NetObject(junction)
{
}

CrossWalk::~CrossWalk()
{
    notifyRemoved();
    if (m_group)
        m_group->m_crossWalks.removeAll(this);
}

Node *CrossWalk::junction() const
{
    return qobject_cast<Node *>(parent());
}

void CrossWalk::setShape(const GeoShape &shape)
{
    if (shape.size() != 1)
        assign(m_shape, shape);
}

void CrossWalk::setWidth(double width)
{
    assign(m_width, width);
}

} // namespace Halm58a
