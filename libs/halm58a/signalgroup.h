#pragma once

#include "netobject.h"

#include <QList>

namespace Halm58a {

class Connection;
class CrossWalk;

// A signal group drawn on the map, child of its granule. tlId is the id of the
// controller's group; the object name always equals tlId in decimal, by which
// callers find the group. Deleting a group detaches its connections and
// crosswalks (they stay in the network).
class SignalGroup : public NetObject
{
    Q_OBJECT
    Q_PROPERTY(int tlId READ tlId WRITE setTlId)
public:
    explicit SignalGroup(QObject *parent = nullptr);
    ~SignalGroup() override;

    int tlId() const { return m_tlId; }
    void setTlId(int id);

    int connectionCount() const { return m_connections.size(); }
    Connection *connection(int i) const { return m_connections.value(i); }
    QList<Connection *> connections() const { return m_connections; }
    void addConnection(Connection *connection);
    void removeConnection(Connection *connection);

    int crossWalkCount() const { return m_crossWalks.size(); }
    CrossWalk *crossWalk(int i) const { return m_crossWalks.value(i); }
    QList<CrossWalk *> crossWalks() const { return m_crossWalks; }
    // A crosswalk belongs to one group at most: adding moves it here.
    void addCrossWalk(CrossWalk *crossWalk);
    void removeCrossWalk(CrossWalk *crossWalk);

    // Union of the shapes of its connections and crosswalks.
    GeoShape shape() const override;

private:
    friend class Connection;
    friend class CrossWalk;
    int m_tlId = 0;
    QList<Connection *> m_connections;
    QList<CrossWalk *> m_crossWalks;
};

} // namespace Halm58a
