#include "signalgroup.h"

#include "connection.h"
#include "crosswalk.h"

#include <QSignalBlocker>

namespace Halm58a {

SignalGroup::SignalGroup(QObject *parent)
    : NetObject(parent)
{
    setObjectName(QString::number(m_tlId));
    // Callers find a group by its name, so a name given from outside goes back
    // to the id at once.
    connect(this, &QObject::objectNameChanged, this, [this](const QString &name) {
        if (name != QString::number(m_tlId))
            setObjectName(QString::number(m_tlId));
    });
}

SignalGroup::~SignalGroup()
{
    notifyRemoved();
    for (Connection *connection : qAsConst(m_connections))
        connection->m_groups.removeAll(this);
    for (CrossWalk *crossWalk : qAsConst(m_crossWalks))
        crossWalk->m_group = nullptr;
}

void SignalGroup::setTlId(int id)
{
    const QString name = QString::number(id);
    if (m_tlId == id && objectName() == name)
        return;
    m_tlId = id;
    {
        // One edit, one notice: the name only follows the id.
        const QSignalBlocker blocker(this);
        setObjectName(name);
    }
    notifyChanged();
}

void SignalGroup::addConnection(Connection *connection)
{
    if (!connection || m_connections.contains(connection))
        return;
    m_connections.append(connection);
    connection->m_groups.append(this);
    notifyChanged();
}

void SignalGroup::removeConnection(Connection *connection)
{
    if (!connection || !m_connections.removeAll(connection))
        return;
    connection->m_groups.removeAll(this);
    notifyChanged();
}

void SignalGroup::addCrossWalk(CrossWalk *crossWalk)
{
    if (!crossWalk || crossWalk->m_group == this)
        return;
    SignalGroup *previous = crossWalk->m_group;
    if (previous)
        previous->m_crossWalks.removeAll(crossWalk);
    m_crossWalks.append(crossWalk);
    crossWalk->m_group = this;
    // The group it left changed as well; views of it must follow.
    if (previous)
        previous->notifyChanged();
    notifyChanged();
}

void SignalGroup::removeCrossWalk(CrossWalk *crossWalk)
{
    if (!crossWalk || crossWalk->m_group != this)
        return;
    m_crossWalks.removeAll(crossWalk);
    crossWalk->m_group = nullptr;
    notifyChanged();
}

GeoShape SignalGroup::shape() const
{
    QVector<QPointF> points;
    for (const Connection *connection : m_connections)
        points += connection->shape().points();
    for (const CrossWalk *crossWalk : m_crossWalks)
        points += crossWalk->shape().points();
    return GeoShape(points);
}

} // namespace Halm58a
