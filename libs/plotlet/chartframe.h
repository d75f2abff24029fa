#pragma once

#include <QPointF>
#include <QRectF>

namespace plotlet {

// Maps chart coordinates onto the pixels of one picture: x grows to the right, y upwards
// (row 1 below row 2). The plot area is the part of the picture that the range fills.
class ChartFrame
{
public:
    ChartFrame() = default;
    ChartFrame(const QRectF &plotArea, double xMin, double xMax, double yMin, double yMax);

    QRectF plotArea() const { return m_plot; }
    double xMin() const { return m_xMin; }
    double xMax() const { return m_xMax; }
    double yMin() const { return m_yMin; }
    double yMax() const { return m_yMax; }

    double xToPixel(double x) const;
    double yToPixel(double y) const;
    QPointF toPixel(const QPointF &point) const;
    // A rectangle of chart coordinates in pixels, normalised whatever the signs of its sides.
    QRectF toPixel(const QRectF &rect) const;
    QPointF toChart(const QPointF &pixel) const;

    // Pixels per unit of x and of y (both positive).
    double xScale() const;
    double yScale() const;

private:
    QRectF m_plot = QRectF(0, 0, 1, 1);
    double m_xMin = 0;
    double m_xMax = 1;
    double m_yMin = 0;
    double m_yMax = 1;
};

} // namespace plotlet
