#pragma once

#include <QPointF>
#include <QRectF>
#include <QVector>

namespace Halm58a {

// The outline or centre line of a network object: a list of points in plane
// metres (x east, y north). An empty shape means the object is only a point.
class GeoShape
{
public:
    GeoShape() = default;
    explicit GeoShape(const QVector<QPointF> &points)
        : m_points(points)
    {
    }

    const QVector<QPointF> &points() const { return m_points; }
    bool isEmpty() const { return m_points.isEmpty(); }
    int size() const { return m_points.size(); }

    // Smallest rectangle holding every point; a null rectangle for an empty shape.
    QRectF boundingRect() const;
    // Length of the polyline through the points, in metres.
    double length() const;
    // Point at the given distance along the polyline, clamped to its ends.
    QPointF pointAt(double distance) const;

    // A rectangle of one metre by one metre centred on a point, used where an
    // object has no extent of its own.
    static QRectF unitRect(const QPointF &point);

    bool operator==(const GeoShape &other) const { return m_points == other.m_points; }
    bool operator!=(const GeoShape &other) const { return !(*this == other); }

private:
    QVector<QPointF> m_points;
};

} // namespace Halm58a
