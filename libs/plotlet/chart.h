#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace plotlet {

class Axis;
class Series;
class VLine;

// A chart of bars and rectangles over x (seconds on the signal plans) and y (rows 1 to n,
// drawn from 0 to n + 1 so every row has room), with vertical marker lines. The screen and
// both exports are painted by the same code, so a picture shows what the widget shows.
//
// The chart owns the series and lines it is given; one destroyed elsewhere is forgotten.
// An error text, while set, replaces the whole drawing. Exports report failure by false and,
// when asked, an error text; they write through SafeFile, so a failed export leaves any old
// file as it was.
class Chart : public QWidget
{
    Q_OBJECT
public:
    explicit Chart(QWidget *parent = nullptr);
    ~Chart() override;

    // Takes ownership; the id finds the series again with findSeries.
    void addSeries(Series *series, int id = 0);
    // The first series added under that id, or null.
    Series *findSeries(int id) const;
    QList<Series *> series() const;
    // Destroys every series.
    void removeAllSeries();

    Axis *xAxis() const { return m_xAxis; }
    Axis *yAxis() const { return m_yAxis; }

    QString error() const { return m_error; }
    // An empty text shows the drawing again.
    void setError(const QString &text);

    double minGridStepX() const { return m_minGridStepX; }
    void setMinGridStepX(double step);

    QColor bgColor() const { return m_bgColor; }
    void setBgColor(const QColor &color);

    // Takes ownership and shows the line until it is destroyed.
    void addVLine(VLine *line);
    QList<VLine *> vlines() const;

    // Between pixels of a picture of that size (the widget's by default) and chart coordinates.
    QPointF mapToChart(const QPointF &pixel, const QSize &size = QSize()) const;
    QPointF mapFromChart(const QPointF &point, const QSize &size = QSize()) const;

    // A path ending in ".svg" (any case) is written as SVG in pixels, any other suffix as a
    // picture of that size in the image format named by the suffix. An invalid size means
    // the widget's size.
    bool saveAsImage(const QString &path, const QSize &size, QString *error = nullptr) const;
    // SVG of the given size (the widget's when invalid): width and height in pixels, or,
    // with inMillimeters, in that many millimetres, the drawing laid out at 96 dpi.
    bool saveAsSvg(const QString &path, const QSize &size = QSize(), bool inMillimeters = false,
                   QString *error = nullptr) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Every mouse button press and double click, with the pixel and the chart point under it.
    void mousePress(Qt::MouseButton btn, QPoint px_pos, QPointF pt_pos);
    void mouseButtonDblClick(Qt::MouseButton btn, QPoint px_pos, QPointF pt_pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    friend class VLine;
    struct Layout;
    struct Drag
    {
        QPointer<VLine> line;
        double grabOffset = 0;
        double pos = 0;
        QPoint pressPixel;
        bool moved = false;
    };

    Layout makeLayout(const QSize &size) const;
    const Layout &screenLayout() const;
    void paintChart(QPainter &painter, const Layout &layout) const;
    void contentChanged();
    double linePos(const VLine *line) const;
    QRect labelRect(const VLine *line) const;
    VLine *lineAt(const QPoint &pixel) const;

    QList<QPair<int, Series *>> m_series;
    QList<VLine *> m_lines;
    Axis *m_xAxis;
    Axis *m_yAxis;
    QString m_error;
    double m_minGridStepX = 0;
    QColor m_bgColor;
    Drag m_drag;
    mutable std::unique_ptr<Layout> m_screenLayout;
};

} // namespace plotlet

// The button of the mouse signals, so that they may be queued and spied on.
Q_DECLARE_METATYPE(Qt::MouseButton)
