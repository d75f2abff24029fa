#pragma once

#include "netobject.h"

#include <QList>

namespace Halm58a {

class Edge;

// A point of the road graph: a junction or the end of a road. A junction
// holds its connections and crosswalks as children.
class Node : public NetObject
{
    Q_OBJECT
    Q_PROPERTY(QPointF pos READ pos WRITE setPos)
    Q_PROPERTY(double radius READ radius WRITE setRadius)
public:
    explicit Node(QObject *parent = nullptr);
    ~Node() override;

    QPointF pos() const override { return m_pos; }
    void setPos(const QPointF &pos);
    // Outline of the junction area; empty when none was drawn.
    GeoShape shape() const override { return m_shape; }
    void setShape(const GeoShape &shape);

    // Half the size of the junction area in metres (0 by default, never
    // negative): lanes start and stop this far from the node, and connections
    // cross the gap.
    double radius() const { return m_radius; }
    void setRadius(double metres);

    // Edges that start or end here, in the order they were made. Deleting the
    // node deletes them.
    QList<Edge *> edges() const { return m_edges; }

private:
    friend class Edge;
    QPointF m_pos;
    GeoShape m_shape;
    double m_radius = 0;
    QList<Edge *> m_edges;
};

} // namespace Halm58a
