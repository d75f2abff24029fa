#include "tileview.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QLocale>
#include <QPainter>
#include <QSettings>
#include <QTranslator>
#include <QWheelEvent>
#include <QtMath>

namespace {

const double PixelsPerDegreeAtZero = 256.0 / 360.0;
// The globe with room to scroll past the date line; beyond 85 degrees of
// latitude (and beyond zoom 20) the scroll range would not fit the view.
const QRectF WorldRect(-200.0, -85.0, 400.0, 170.0);
const QColor DefaultBackground(0xf2, 0xef, 0xe9);
const double MinGridSpacingPixels = 80.0;

const char GroupKey[] = "TileView";
const char BackgroundKey[] = "backgroundColor";
const char GridKey[] = "gridVisible";

} // namespace

TileView::TileView(QWidget *parent)
    : QGraphicsView(parent)
    , m_background(DefaultBackground)
{
    auto *scene = new QGraphicsScene(this);
    scene->setSceneRect(WorldRect);
    setScene(scene);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Network lines use cosmetic pens whose width in degrees depends on the zoom.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    applyZoom(QPointF(0, 0));
}

void TileView::setZoom(int level)
{
    setZoom(static_cast<double>(level));
}

void TileView::setZoom(double level)
{
    if (!qIsFinite(level))
        return;
    const QPointF centre = centreInScene();
    m_zoom = qBound(MinZoom, level, MaxZoom);
    applyZoom(centre);
    emit zoomChanged(m_zoom);
}

void TileView::centerOn(const QPointF &pos)
{
    if (qIsFinite(pos.x()) && qIsFinite(pos.y()))
        applyZoom(pos);
}

void TileView::setOpacity(double opacity)
{
    if (!qIsFinite(opacity))
        return;
    m_opacity = qBound(0.0, opacity, 1.0);
    resetCachedContent();
    viewport()->update();
}

void TileView::setBackgroundColor(const QColor &color)
{
    if (!color.isValid())
        return;
    m_background = color;
    resetCachedContent();
    viewport()->update();
}

void TileView::setGridVisible(bool visible)
{
    m_gridVisible = visible;
    resetCachedContent();
    viewport()->update();
}

double TileView::gridStep() const
{
    // The smallest of 1, 2 and 5 times a power of ten that keeps lines apart.
    const double pixelsPerDegree = PixelsPerDegreeAtZero * qPow(2.0, m_zoom);
    const double minStep = MinGridSpacingPixels / pixelsPerDegree;
    double step = qPow(10.0, qFloor(std::log10(minStep)));
    for (double factor : { 1.0, 2.0, 5.0, 10.0 }) {
        if (step * factor >= minStep)
            return step * factor;
    }
    return step * 10.0;
}

void TileView::loadMapsSettings()
{
    QSettings settings;
    settings.beginGroup(QLatin1String(GroupKey));
    const QColor color(settings.value(QLatin1String(BackgroundKey)).toString());
    if (color.isValid())
        setBackgroundColor(color);
    setGridVisible(settings.value(QLatin1String(GridKey), true).toBool());
    settings.endGroup();
}

void TileView::saveMapsSettings() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(GroupKey));
    settings.setValue(QLatin1String(BackgroundKey), m_background.name());
    settings.setValue(QLatin1String(GridKey), m_gridVisible);
    settings.endGroup();
}

void TileView::loadTranslations(const QString &directory)
{
    static QTranslator *translator = nullptr;
    if (directory.isEmpty() || !QCoreApplication::instance())
        return;
    if (!translator)
        translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(), QStringLiteral("mapview"), QStringLiteral("_"), directory))
        QCoreApplication::installTranslator(translator);
}

void TileView::fitInView(const QRectF &rect)
{
    const QRectF r = rect.normalized();
    if (r.isEmpty() || !qIsFinite(r.width()) || !qIsFinite(r.height()))
        return;
    const QRect area = viewport()->rect();
    const double latitudeFactor = 1.0 / qMax(0.01, qCos(qDegreesToRadians(r.center().y())));
    const double widthScale = area.width() / (r.width() * PixelsPerDegreeAtZero);
    const double heightScale
        = area.height() / (r.height() * PixelsPerDegreeAtZero * latitudeFactor);
    // A little room around the rectangle, since the view scrolls by whole pixels.
    const double level = std::log2(qMin(widthScale, heightScale) * 0.98);
    m_zoom = qBound(MinZoom, level, MaxZoom);
    applyZoom(r.center());
    emit zoomChanged(m_zoom);
}

void TileView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->save();
    painter->fillRect(rect, palette().base());
    painter->setOpacity(m_opacity);
    painter->fillRect(rect, m_background);
    if (m_gridVisible) {
        const double step = gridStep();
        QPen pen(m_background.darker(115));
        pen.setCosmetic(true);
        pen.setWidth(1);
        painter->setPen(pen);
        for (double x = qFloor(rect.left() / step) * step; x <= rect.right(); x += step)
            painter->drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
        for (double y = qFloor(rect.top() / step) * step; y <= rect.bottom(); y += step)
            painter->drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
    painter->restore();
}

void TileView::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    // Keep the point under the mouse where it is: half a level per notch.
    const QTransform toScene = viewportTransform().inverted();
    const QPointF under = toScene.map(event->position());
    m_zoom = qBound(MinZoom, m_zoom + delta / 240.0, MaxZoom);
    applyZoom(centreInScene());
    const QPointF drift = viewportTransform().inverted().map(event->position()) - under;
    centerOn(centreInScene() - drift);
    emit zoomChanged(m_zoom);
    event->accept();
}

void TileView::applyZoom(const QPointF &centre)
{
    // Metres look square around the centre: a degree of latitude is longer
    // than one of longitude by 1 / cos(latitude). North is up.
    const double scale = PixelsPerDegreeAtZero * qPow(2.0, m_zoom);
    const double latitudeFactor = 1.0 / qMax(0.01, qCos(qDegreesToRadians(centre.y())));
    setTransform(QTransform::fromScale(scale, -scale * latitudeFactor));
    QGraphicsView::centerOn(centre);
}

QPointF TileView::centreInScene() const
{
    // The exact middle, not the middle pixel: zooming in must not drift.
    return viewportTransform().inverted().map(QRectF(viewport()->rect()).center());
}
