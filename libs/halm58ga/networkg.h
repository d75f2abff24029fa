#pragma once

#include "halm58a/network.h"

#include <QGraphicsScene>
#include <QHash>
#include <QPainterPath>
#include <QPointer>
#include <QRectF>

class QGraphicsItem;

namespace Halm58a {
class GeoShape;
}

namespace Halm58ga {

class GenericGraphicsItem;
class Layer;

// A road network drawn on a graphics scene whose coordinates are geographic
// degrees (x longitude, y latitude). Every node, edge, lane, stop line,
// connection, crosswalk and detector gets a GenericGraphicsItem in the layer
// of its kind; items follow additions, edits and removals of the model.
// Without a geographic origin the network is drawn around longitude 0,
// latitude 0.
//
// Made without a parent, the network becomes a child of the scene and lives
// as long as it.
class Networkg : public Halm58a::Network
{
    Q_OBJECT
public:
    explicit Networkg(QGraphicsScene *scene, QObject *parent = nullptr);
    ~Networkg() override;

    QGraphicsScene *scene() const { return m_scene; }
    void clear() override;

    // The layers, from the bottom up; each object name is a layer key.
    QList<Layer *> layers() const;
    Layer *layer(const QString &name) const;

    // Null when the item belongs to no network object.
    Halm58a::NetObject *item2object(QGraphicsItem *item) const;
    // Null for objects without an item (granules, signal groups).
    GenericGraphicsItem *object2item(Halm58a::NetObject *object) const;

    // The area of every item, in scene (geographic) coordinates; null when empty.
    QRectF boundingRect() const;

    // The conversion the network is drawn with: without an origin of its
    // own the one around longitude 0, latitude 0, so that plane rectangles of
    // the objects land on their drawing; null only when that network has
    // nothing drawn yet.
    Halm58a::GeoUtil *geoUtil() const override;

    QPointF toScene(const QPointF &plane) const;
    QPointF toPlane(const QPointF &scene) const;
    QPainterPath scenePath(const Halm58a::GeoShape &shape) const;
    // A distance in metres as scene units along x and along y.
    QPointF metresToScene(double metres) const;

    // Loads the library's own translation ("halm58ga_<locale>.qm") from a
    // directory; an empty path loads none.
    static void loadTranslations(const QString &directory);

private:
    void addItems(Halm58a::NetObject *object);
    void removeItem(Halm58a::NetObject *object);
    void updateItems(Halm58a::NetObject *object);
    void updateAllItems();
    bool layersAlive() const;
    const Halm58a::GeoUtil &drawingGeo() const;

    QPointer<QGraphicsScene> m_scene;
    QList<QPointer<Layer>> m_layers;
    QHash<Halm58a::NetObject *, GenericGraphicsItem *> m_items;
};

} // namespace Halm58ga
