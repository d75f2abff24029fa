#include "colorhboxseries.h"

#include "chartframe.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace plotlet {

namespace {

// One run of equal columns in a picture of vertical stripes.
struct Stripe
{
    int from = 0;
    int width = 0;
    QColor color;
};

// The picture as its vertical stripes; empty when a column changes colour
// from top to bottom (no stripe picture).
QVector<Stripe> stripesOf(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage();
    QVector<Stripe> stripes;
    for (int x = 0; x < image.width(); ++x) {
        const QColor color = image.pixelColor(x, 0);
        for (int y = 1; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != color)
                return {};
        }
        if (!stripes.isEmpty() && stripes.last().color == color)
            ++stripes.last().width;
        else
            stripes.append({ x, 1, color });
    }
    return stripes;
}

// Fills the area with the picture repeated from its left edge. A stripe
// picture is drawn as plain filled rectangles: a picture brush does not
// carry into every output (SVG viewers show such a bar empty).
void fillWithPicture(QPainter &painter, const QRectF &area, const QPixmap &pixmap)
{
    const QVector<Stripe> stripes = stripesOf(pixmap);
    if (stripes.isEmpty() || pixmap.width() <= 0) {
        painter.setBrushOrigin(area.topLeft());
        painter.setBrush(QBrush(pixmap));
        painter.drawRect(area);
        return;
    }
    for (double left = area.left(); left < area.right(); left += pixmap.width()) {
        for (const Stripe &stripe : stripes) {
            const QRectF part = QRectF(left + stripe.from, area.top(), stripe.width, area.height())
                                    .intersected(area);
            if (!part.isEmpty())
                painter.fillRect(part, stripe.color);
        }
    }
}

} // namespace

ColorHBoxSeries::ColorHBoxSeries(QObject *parent)
    : Series(parent)
{
}

QString ColorHBoxSeries::lengthText(const Bar &bar)
{
    return QString::number(bar.to - bar.from, 'g', 6);
}

void ColorHBoxSeries::setShowLength(bool show)
{
    if (m_showLength == show)
        return;
    m_showLength = show;
    emit changed();
}

void ColorHBoxSeries::addBar(double from, double to, double row, const QColor &color)
{
    append(Bar { from, to, row, color, QColor(), QPixmap() });
}

void ColorHBoxSeries::addBar(double from, double to, double row, const QColor &left,
                             const QColor &right)
{
    append(Bar { from, to, row, left, right, QPixmap() });
}

void ColorHBoxSeries::addBar(double from, double to, double row, const QPixmap &pixmap)
{
    append(Bar { from, to, row, QColor(), QColor(), pixmap });
}

void ColorHBoxSeries::append(Bar bar)
{
    if (bar.to < bar.from)
        std::swap(bar.from, bar.to);
    m_bars.append(bar);
    emit changed();
}

QRectF ColorHBoxSeries::bounds() const
{
    double left = m_bars.first().from;
    double right = m_bars.first().to;
    double low = m_bars.first().row;
    double high = low;
    for (const Bar &bar : m_bars) {
        left = std::min(left, bar.from);
        right = std::max(right, bar.to);
        low = std::min(low, bar.row);
        high = std::max(high, bar.row);
    }
    return QRectF(left, low - 1, right - left, high - low + 2);
}

void ColorHBoxSeries::paint(QPainter &painter, const ChartFrame &frame, Layer layer) const
{
    if (layer != Layer::Over)
        return;
    const QFontMetricsF metrics(painter.font());
    painter.save();
    for (const Bar &bar : m_bars) {
        const QRectF area = frame.toPixel(
            QRectF(bar.from, bar.row - Thickness / 2, bar.to - bar.from, Thickness));
        if (area.width() <= 0)
            continue;
        painter.setPen(Qt::NoPen);
        QColor textColor = Qt::black;
        if (!bar.pixmap.isNull()) {
            fillWithPicture(painter, area, bar.pixmap);
        } else if (bar.color2.isValid()) {
            QRectF half = area;
            half.setWidth(area.width() / 2);
            painter.fillRect(half, bar.color);
            half.moveLeft(half.right());
            painter.fillRect(half, bar.color2);
        } else {
            painter.fillRect(area, bar.color);
            // Perceived brightness: white text on red, black on green and yellow.
            const QColor c = bar.color;
            if (0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() < 128)
                textColor = Qt::white;
        }
        painter.setPen(QColor(0, 0, 0, 90));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);

        if (m_showLength) {
            const QString text = lengthText(bar);
            if (metrics.horizontalAdvance(text) + 4 <= area.width()
                && metrics.ascent() <= area.height() + 2) {
                painter.setPen(textColor);
                painter.drawText(area, Qt::AlignCenter, text);
            }
        }
    }
    painter.restore();
}

} // namespace plotlet
