#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

namespace plotlet {

class Chart;

// A vertical marker line on a chart at an x position, with a caption in a label box at the
// top of the plot and, when its width is above 0, a band from pos to pos + width (an event
// of that many seconds). The user selects a line by a click (Ctrl adds it to the selection)
// and drags it along x; the chart calls move() once, when the mouse is released.
class VLine : public QObject
{
    Q_OBJECT
public:
    explicit VLine(double pos, const QString &caption = QString(), double width = 0,
                   QObject *parent = nullptr);

    double pos() const { return m_pos; }
    // Places the line and emits moved(pos), also when the place is the same.
    void move(double pos);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    double width() const { return m_width; }
    // A negative width counts as 0.
    void setWidth(double width);

    QColor color() const { return m_color; }
    // With keepWhenSelected the line shows its own colour also while selected; otherwise a
    // selected line is drawn in the selection colour.
    void setColor(const QColor &color, bool keepWhenSelected);
    bool keepsColorWhenSelected() const { return m_keepColor; }

    bool selected() const { return m_selected; }
    void setSelected(bool selected);

    // The label box in pixels of the chart widget; empty while the line is on no chart.
    QRect rcLabel() const;

signals:
    void moved(qreal pos);
    void changed();

private:
    friend class Chart;

    double m_pos;
    QString m_caption;
    double m_width;
    QColor m_color = Qt::black;
    bool m_keepColor = false;
    bool m_selected = false;
    // Set by the chart that shows the line.
    QPointer<Chart> m_chart;
};

} // namespace plotlet
