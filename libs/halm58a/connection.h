#pragma once

#include "netobject.h"

#include <QList>
#include <QPointer>

namespace Halm58a {

class Lane;
class Node;
class SignalGroup;

// A movement through a junction (its parent node): from the stop line of one
// lane to the start line of another, optionally through bend points. It may
// belong to several signal groups; its detectors are its children.
class Connection : public NetObject
{
    Q_OBJECT
public:
    Connection(Lane *from, Lane *to, Node *junction);
    ~Connection() override;

    Node *junction() const;
    Lane *fromLane() const;
    Lane *toLane() const;

    QVector<QPointF> bendPoints() const { return m_bends; }
    void setBendPoints(const QVector<QPointF> &points);
    // The path: the stop point of the incoming lane, the bends, the start
    // point of the outgoing lane.
    GeoShape shape() const override;

    QList<SignalGroup *> signalGroups() const { return m_groups; }

private:
    friend class SignalGroup;
    QPointer<Lane> m_from;
    QPointer<Lane> m_to;
    QVector<QPointF> m_bends;
    QList<SignalGroup *> m_groups;
};

} // namespace Halm58a
