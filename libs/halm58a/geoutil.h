#pragma once

#include <QPointF>
#include <QRectF>

namespace Halm58a {

// Converts between geographic degrees (x longitude, y latitude) and plane
// metres (x east, y north) around an origin. The projection is a local
// equirectangular one: exact enough for the few kilometres of a junction.
class GeoUtil
{
public:
    GeoUtil(double originLon, double originLat);

    double originLon() const { return m_lon; }
    double originLat() const { return m_lat; }

    QPointF geoToXY(const QPointF &geo) const;
    QPointF xyToGeo(const QPointF &xy) const;
    // Convert a rectangle in place; the result is normalised.
    void geoToXY(QRectF *rect) const;
    void xyToGeo(QRectF *rect) const;

private:
    double m_lon;
    double m_lat;
    double m_metresPerDegreeLon;
};

} // namespace Halm58a
