#pragma once

#include "netobject.h"

#include <QList>

namespace Halm58a {

class Connection;
class Edge;
class Node;
class Stopline;

// One lane of an edge (its parent). Every lane has a stop line at its end and
// a start line at its beginning (both children); connections through a
// junction run from the stop line of one lane to the start line of another.
// Detectors of the lane are its children too.
class Lane : public NetObject
{
    Q_OBJECT
    Q_PROPERTY(double width READ width WRITE setWidth)
public:
    explicit Lane(Edge *edge);
    ~Lane() override;

    Edge *edge() const;
    // Position among the lanes of the edge, 0 at the right-hand kerb.
    int index() const;
    // Width in metres (3.5 by default, always positive).
    double width() const { return m_width; }
    void setWidth(double width);

    // Centre line of the lane: the edge's centre line moved to the right.
    GeoShape shape() const override;
    QPointF stopPoint() const;
    QPointF startPoint() const;

    Stopline *stopline() const { return m_stopline; }
    Stopline *startline() const { return m_startline; }
    // The stop line lies at the end node of the edge, the start line at its start node.
    bool hasStopline(const Node *node) const;
    bool hasStartline(const Node *node) const;

    QList<Connection *> outgoing() const { return m_outgoing; }
    QList<Connection *> incoming() const { return m_incoming; }

private:
    friend class Connection;
    friend class Stopline;
    // A line deleted on its own is made again: a lane always has both.
    void replaceLine(Stopline *line);

    double m_width = 3.5;
    Stopline *m_stopline;
    Stopline *m_startline;
    QList<Connection *> m_outgoing;
    QList<Connection *> m_incoming;
};

} // namespace Halm58a
