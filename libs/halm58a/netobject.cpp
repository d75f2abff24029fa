#include "netobject.h"

#include "network.h"

namespace Halm58a {

NetObject::NetObject(QObject *parent)
    : QObject(parent)
{
    if (Network *net = network())
        net->registerObject(this);
    // Names are saved with the network, so renaming is an edit too.
    connect(this, &QObject::objectNameChanged, this, &NetObject::notifyChanged);
}

NetObject::~NetObject()
{
    notifyRemoved();
}

Network *NetObject::network() const
{
    // A network being destroyed no longer casts, so it gets no signals then.
    for (QObject *p = parent(); p; p = p->parent()) {
        if (Network *net = qobject_cast<Network *>(p))
            return net;
    }
    return nullptr;
}

QString NetObject::label() const
{
    return objectName().isEmpty() ? QString::number(m_id) : objectName();
}

GeoShape NetObject::shape() const
{
    return GeoShape();
}

QPointF NetObject::pos() const
{
    return shape().boundingRect().center();
}

bool NetObject::isFinite(const QVector<QPointF> &points)
{
    for (const QPointF &point : points) {
        if (!isFinite(point))
            return false;
    }
    return true;
}

void NetObject::notifyChanged()
{
    if (Network *net = network())
        net->objectChanged(this);
}

void NetObject::notifyRemoved()
{
    if (m_removed)
        return;
    m_removed = true;
    if (Network *net = network())
        net->objectRemoving(this);
}

} // namespace Halm58a
