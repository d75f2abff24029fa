#pragma once

#include "series.h"

#include <QColor>
#include <QPixmap>
#include <QVector>

namespace plotlet {

// Horizontal bars on rows: each bar runs from one x to another on the row y, filled with a
// colour, with two colours side by side (first the left half, then the right), or with a
// picture repeated along it. With showLength on, a bar that has room shows its length in x
// units (seconds on every chart of the programs).
class ColorHBoxSeries : public Series
{
    Q_OBJECT
public:
    struct Bar
    {
        double from = 0;
        double to = 0;
        double row = 0;
        QColor color;
        // Valid only for a two-colour bar.
        QColor color2;
        // Not null only for a bar drawn with a picture.
        QPixmap pixmap;
    };

    // The bar thickness in rows; rows are one unit apart.
    static constexpr double Thickness = 0.6;

    explicit ColorHBoxSeries(QObject *parent = nullptr);

    bool showLength() const { return m_showLength; }
    void setShowLength(bool show);

    // A bar given from right to left is stored from left to right.
    void addBar(double from, double to, double row, const QColor &color);
    void addBar(double from, double to, double row, const QColor &left, const QColor &right);
    void addBar(double from, double to, double row, const QPixmap &pixmap);

    const QVector<Bar> &bars() const { return m_bars; }

    // The length that a bar shows: to - from in six significant digits, so
    // that a length of whole tenths reads as such.
    static QString lengthText(const Bar &bar);

    bool isEmpty() const override { return m_bars.isEmpty(); }
    // Every row takes the room from one row below it to one row above it, so n rows from 1
    // span 0 to n + 1.
    QRectF bounds() const override;
    void paint(QPainter &painter, const ChartFrame &frame, Layer layer) const override;

private:
    void append(Bar bar);

    QVector<Bar> m_bars;
    bool m_showLength = false;
};

} // namespace plotlet
