#pragma once

#include <QObject>
#include <QRectF>

class QPainter;

namespace plotlet {

class ChartFrame;

// Base of what a chart draws. A chart that is given a series owns it; a series destroyed
// elsewhere leaves the chart by itself. Every change emits changed() so the chart repaints.
class Series : public QObject
{
    Q_OBJECT
public:
    // A chart paints the Under layer of every series (fills) before the Over layer (bars,
    // outlines, texts), so that a filled area never hides a bar.
    enum class Layer { Under, Over };

    explicit Series(QObject *parent = nullptr);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    virtual bool isEmpty() const = 0;
    // The extent of the items in chart coordinates; asked only of a series that is not empty.
    virtual QRectF bounds() const = 0;
    virtual void paint(QPainter &painter, const ChartFrame &frame, Layer layer) const = 0;

signals:
    void changed();

private:
    bool m_visible = true;
};

} // namespace plotlet
