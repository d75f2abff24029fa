#include "chartframe.h"

namespace plotlet {

ChartFrame::ChartFrame(const QRectF &plotArea, double xMin, double xMax, double yMin, double yMax)
    : m_plot(plotArea)
    , m_xMin(xMin)
    , m_xMax(xMax)
    , m_yMin(yMin)
    , m_yMax(yMax)
{
}

double ChartFrame::xScale() const
{
    return m_plot.width() / (m_xMax - m_xMin);
}

double ChartFrame::yScale() const
{
    return m_plot.height() / (m_yMax - m_yMin);
}

double ChartFrame::xToPixel(double x) const
{
    return m_plot.left() + (x - m_xMin) * xScale();
}

double ChartFrame::yToPixel(double y) const
{
    return m_plot.bottom() - (y - m_yMin) * yScale();
}

QPointF ChartFrame::toPixel(const QPointF &point) const
{
    return QPointF(xToPixel(point.x()), yToPixel(point.y()));
}

QRectF ChartFrame::toPixel(const QRectF &rect) const
{
    return QRectF(toPixel(rect.topLeft()), toPixel(rect.bottomRight())).normalized();
}

QPointF ChartFrame::toChart(const QPointF &pixel) const
{
    return QPointF(m_xMin + (pixel.x() - m_plot.left()) / xScale(),
                   m_yMin + (m_plot.bottom() - pixel.y()) / yScale());
}

} // namespace plotlet
