#pragma once

#include "netobject.h"

#include <QList>
#include <QPointer>

namespace Halm58a {

class Lane;
class Node;

// A one-way road between two nodes. Its lanes are its children, numbered from
// the right-hand kerb (index 0) to the left. The centre line runs from the
// start node through the bend points to the end node.
class Edge : public NetObject
{
    Q_OBJECT
public:
    Edge(Node *from, Node *to, QObject *parent = nullptr);
    ~Edge() override;

    Node *from() const;
    Node *to() const;

    QVector<QPointF> bendPoints() const { return m_bends; }
    void setBendPoints(const QVector<QPointF> &points);
    GeoShape shape() const override;

    QList<Lane *> lanes() const;

private:
    QPointer<Node> m_from;
    QPointer<Node> m_to;
    QVector<QPointF> m_bends;
};

} // namespace Halm58a
