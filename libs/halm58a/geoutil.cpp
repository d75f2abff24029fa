#include "geoutil.h"

#include <QtMath>

namespace Halm58a {

namespace {
// Metres per degree of latitude on the WGS 84 equatorial radius.
const double MetresPerDegree = M_PI / 180.0 * 6378137.0;
} // namespace

GeoUtil::GeoUtil(double originLon, double originLat)
    : m_lon(originLon)
    , m_lat(originLat)
    , m_metresPerDegreeLon(MetresPerDegree * qCos(qDegreesToRadians(originLat)))
{
}

QPointF GeoUtil::geoToXY(const QPointF &geo) const
{
    return QPointF((geo.x() - m_lon) * m_metresPerDegreeLon, (geo.y() - m_lat) * MetresPerDegree);
}

QPointF GeoUtil::xyToGeo(const QPointF &xy) const
{
    const double lonScale = m_metresPerDegreeLon != 0 ? m_metresPerDegreeLon : MetresPerDegree;
    return QPointF(m_lon + xy.x() / lonScale, m_lat + xy.y() / MetresPerDegree);
}

void GeoUtil::geoToXY(QRectF *rect) const
{
    if (!rect)
        return;
    *rect = QRectF(geoToXY(rect->topLeft()), geoToXY(rect->bottomRight())).normalized();
}

void GeoUtil::xyToGeo(QRectF *rect) const
{
    if (!rect)
        return;
    *rect = QRectF(xyToGeo(rect->topLeft()), xyToGeo(rect->bottomRight())).normalized();
}

} // namespace Halm58a
