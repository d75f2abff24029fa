#pragma once

#include <QColor>
#include <QGraphicsView>

class QTranslator;

// The map view: a graphics view whose scene coordinates are geographic
// degrees (x longitude, y latitude, north up). The zoom level is a real number
// as on tile maps: at level z the whole world is 256 * 2^z pixels wide, so one
// level doubles the scale. No map tiles are available offline; the view draws
// a plain background with a light grid of meridians and parallels instead, at
// the "tile" opacity (0 transparent to 1 opaque).
//
// The view owns a scene that spans the whole globe; the road network is drawn
// on it. Its own settings (group "TileView") are the background colour and
// whether the grid is shown.
class TileView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit TileView(QWidget *parent = nullptr);

    static constexpr double MinZoom = 1.0;
    static constexpr double MaxZoom = 20.0;

    void setZoom(int level);
    // Clamped to MinZoom..MaxZoom; keeps the scene point at the centre.
    void setZoom(double level);
    double zoomF() const { return m_zoom; }

    // Clamped to 0..1.
    void setOpacity(double opacity);
    double opacity() const { return m_opacity; }

    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor &color);
    bool isGridVisible() const { return m_gridVisible; }
    void setGridVisible(bool visible);
    // The distance in degrees between grid lines at the current zoom.
    double gridStep() const;

    // Centre on a scene point with metres kept square at its latitude (the
    // plain QGraphicsView::centerOn would keep the shape of the old place).
    using QGraphicsView::centerOn;
    void centerOn(const QPointF &pos);
    void centerOn(qreal x, qreal y) { centerOn(QPointF(x, y)); }

    void loadMapsSettings();
    void saveMapsSettings() const;

    // Loads the view's own translation ("mapview_<locale>.qm") from a
    // directory; an empty path loads none.
    static void loadTranslations(const QString &directory);

public slots:
    // Centres the view on a rectangle in scene coordinates and zooms so that
    // all of it shows; an empty rectangle changes nothing.
    void fitInView(const QRectF &rect);

signals:
    void zoomChanged(double level);

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void applyZoom(const QPointF &centre);
    QPointF centreInScene() const;

    double m_zoom = 16.0;
    double m_opacity = 1.0;
    QColor m_background;
    bool m_gridVisible = true;
};
