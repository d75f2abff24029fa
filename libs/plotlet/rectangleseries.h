#pragma once

#include "series.h"

#include <QColor>
#include <QString>
#include <QVector>

namespace plotlet {

// Rectangles in chart coordinates (phases and conflicts on a signal plan): each has an
// outline colour, a fill colour painted under the bars at an opacity from 0 (none) to 1,
// and a caption written inside at its top.
class RectangleSeries : public Series
{
    Q_OBJECT
public:
    struct Rect
    {
        QRectF rect;
        QColor outline;
        QColor fill;
        double opacity = 1.0;
        QString caption;
    };

    explicit RectangleSeries(QObject *parent = nullptr);

    // A rectangle of negative width or height is stored normalised, covering the same area.
    void addRect(const Rect &rect);
    const QVector<Rect> &rects() const { return m_rects; }

    bool isEmpty() const override { return m_rects.isEmpty(); }
    QRectF bounds() const override;
    void paint(QPainter &painter, const ChartFrame &frame, Layer layer) const override;

private:
    QVector<Rect> m_rects;
};

} // namespace plotlet
