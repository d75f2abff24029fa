#include "geoshape.h"

#include <QLineF>

namespace Halm58a {

QRectF GeoShape::boundingRect() const
{
    if (m_points.isEmpty())
        return QRectF();
    double left = m_points.first().x(), right = left;
    double top = m_points.first().y(), bottom = top;
    for (const QPointF &p : m_points) {
        left = qMin(left, p.x());
        right = qMax(right, p.x());
        top = qMin(top, p.y());
        bottom = qMax(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

double GeoShape::length() const
{
    double total = 0;
    for (int i = 1; i < m_points.size(); ++i)
        total += QLineF(m_points.at(i - 1), m_points.at(i)).length();
    return total;
}

QPointF GeoShape::pointAt(double distance) const
{
    if (m_points.isEmpty())
        return QPointF();
    if (distance <= 0)
        return m_points.first();
    for (int i = 1; i < m_points.size(); ++i) {
        const QLineF segment(m_points.at(i - 1), m_points.at(i));
        const double length = segment.length();
        if (distance <= length && length > 0)
            return segment.pointAt(distance / length);
        distance -= length;
    }
    return m_points.last();
}

QRectF GeoShape::unitRect(const QPointF &point)
{
    return QRectF(point.x() - 0.5, point.y() - 0.5, 1.0, 1.0);
}

} // namespace Halm58a
