#include "rectangleseries.h"

#include "chartframe.h"

#include <QPainter>

#include <algorithm>

namespace plotlet {

RectangleSeries::RectangleSeries(QObject *parent)
    : Series(parent)
{
}

void RectangleSeries::addRect(const Rect &rect)
{
    Rect stored = rect;
    stored.rect = rect.rect.normalized();
    stored.opacity = std::clamp(rect.opacity, 0.0, 1.0);
    m_rects.append(stored);
    emit changed();
}

QRectF RectangleSeries::bounds() const
{
    // By hand: QRectF::united skips rectangles of no area, and a conflict may be 0 s wide.
    QPointF low = m_rects.first().rect.topLeft();
    QPointF high = m_rects.first().rect.bottomRight();
    for (const Rect &rect : m_rects) {
        low = QPointF(std::min(low.x(), rect.rect.left()), std::min(low.y(), rect.rect.top()));
        high = QPointF(std::max(high.x(), rect.rect.right()),
                       std::max(high.y(), rect.rect.bottom()));
    }
    return QRectF(low, high);
}

void RectangleSeries::paint(QPainter &painter, const ChartFrame &frame, Layer layer) const
{
    painter.save();
    for (const Rect &rect : m_rects) {
        const QRectF area = frame.toPixel(rect.rect);
        if (layer == Layer::Under) {
            painter.setOpacity(rect.opacity);
            painter.fillRect(area, rect.fill);
            continue;
        }
        painter.setOpacity(1.0);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(rect.outline, 1));
        painter.drawRect(area);
        if (!rect.caption.isEmpty()) {
            painter.save();
            painter.setClipRect(area, Qt::IntersectClip);
            // On a light box, so a caption stays readable where it crosses a bar.
            const QRectF room = area.adjusted(3, 2, -3, -2);
            const int flags = Qt::AlignTop | Qt::AlignHCenter;
            const QRectF text
                = painter.boundingRect(room, flags, rect.caption).adjusted(-2, 0, 2, 0);
            painter.fillRect(text, QColor(255, 255, 255, 190));
            painter.drawText(room, flags, rect.caption);
            painter.restore();
        }
    }
    painter.restore();
}

} // namespace plotlet
