#include "networkg.h"

#include "genericgraphicsitem.h"
#include "layer.h"

#include "halm58a/edge.h"
#include "halm58a/geoutil.h"
#include "halm58a/lane.h"
#include "halm58a/node.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QLocale>
#include <QTranslator>

namespace Halm58ga {

namespace {

// Where a network without a geographic origin is drawn.
Halm58a::GeoUtil FallbackGeo(0.0, 0.0);

struct LayerInfo
{
    const char *name;
    const char *title;
    GenericGraphicsItem::Kind kind;
};

// Bottom to top: a junction node lies under the movements drawn across it.
const LayerInfo LayerInfos[] = {
    { "edges", QT_TRANSLATE_NOOP("Halm58ga::Networkg", "Edges"), GenericGraphicsItem::EdgeKind },
    { "lanes", QT_TRANSLATE_NOOP("Halm58ga::Networkg", "Lanes"), GenericGraphicsItem::LaneKind },
    { "nodes", QT_TRANSLATE_NOOP("Halm58ga::Networkg", "Nodes"), GenericGraphicsItem::NodeKind },
    { "crosswalks", QT_TRANSLATE_NOOP("Halm58ga::Networkg", "Crosswalks"),
      GenericGraphicsItem::CrossWalkKind },
    { "stoplines", QT_TRANSLATE_NOOP("Halm58ga::Networkg", "Stop lines"),
      GenericGraphicsItem::StoplineKind },
    { "connections", QT_TRANSLATE_NOOP("Halm58ga::Networkg", "Connections"),
      GenericGraphicsItem::ConnectionKind },
    { "detectors", QT_TRANSLATE_NOOP("Halm58ga::Networkg", "Detectors"),
      GenericGraphicsItem::DetectorKind },
};

} // namespace

Networkg::Networkg(QGraphicsScene *scene, QObject *parent)
    : Network(parent ? parent : scene)
    , m_scene(scene)
{
    int z = 10;
    for (const LayerInfo &info : LayerInfos) {
        auto *layer = new Layer(QLatin1String(info.name), tr(info.title), z++);
        if (m_scene)
            m_scene->addItem(layer);
        m_layers.append(layer);
    }
    connect(this, &Network::objectAdded, this, &Networkg::addItems);
    connect(this, &Network::objectRemoved, this, &Networkg::removeItem);
    connect(this, &Network::objectModified, this, &Networkg::updateItems);
}

Networkg::~Networkg()
{
    // A scene that goes first takes the layers and their items with it.
    if (layersAlive()) {
        for (const QPointer<Layer> &layer : qAsConst(m_layers))
            delete layer.data();
    }
    m_items.clear();
}

void Networkg::clear()
{
    Network::clear();
    m_items.clear();
}

QList<Layer *> Networkg::layers() const
{
    QList<Layer *> result;
    for (const QPointer<Layer> &layer : m_layers) {
        if (layer)
            result.append(layer);
    }
    return result;
}

Layer *Networkg::layer(const QString &name) const
{
    for (Layer *layer : layers()) {
        if (layer->objectName() == name)
            return layer;
    }
    return nullptr;
}

Halm58a::NetObject *Networkg::item2object(QGraphicsItem *item) const
{
    // Other items of the scene may use the same type numbers.
    auto *graphics = dynamic_cast<GenericGraphicsItem *>(item);
    if (!graphics)
        return nullptr;
    Halm58a::NetObject *object = graphics->object();
    return m_items.value(object) == graphics ? object : nullptr;
}

GenericGraphicsItem *Networkg::object2item(Halm58a::NetObject *object) const
{
    return m_items.value(object);
}

QRectF Networkg::boundingRect() const
{
    QRectF area;
    for (const GenericGraphicsItem *item : m_items) {
        // Only the drawing itself, not the room left for pens.
        const QRectF r = item->shape().boundingRect();
        area = area.isNull() ? r : area.united(r);
    }
    return area;
}

Halm58a::GeoUtil *Networkg::geoUtil() const
{
    if (Halm58a::GeoUtil *own = Network::geoUtil())
        return own;
    // With nothing drawn there is no place to convert to.
    return m_items.isEmpty() ? nullptr : &FallbackGeo;
}

const Halm58a::GeoUtil &Networkg::drawingGeo() const
{
    const Halm58a::GeoUtil *own = Network::geoUtil();
    return own ? *own : FallbackGeo;
}

QPointF Networkg::toScene(const QPointF &plane) const
{
    return drawingGeo().xyToGeo(plane);
}

QPointF Networkg::toPlane(const QPointF &scene) const
{
    return drawingGeo().geoToXY(scene);
}

QPainterPath Networkg::scenePath(const Halm58a::GeoShape &shape) const
{
    QPainterPath path;
    const QVector<QPointF> &points = shape.points();
    for (int i = 0; i < points.size(); ++i) {
        if (i == 0)
            path.moveTo(toScene(points.at(i)));
        else
            path.lineTo(toScene(points.at(i)));
    }
    return path;
}

QPointF Networkg::metresToScene(double metres) const
{
    const QPointF origin = toScene(QPointF(0, 0));
    const QPointF corner = toScene(QPointF(metres, metres));
    return QPointF(qAbs(corner.x() - origin.x()), qAbs(corner.y() - origin.y()));
}

void Networkg::loadTranslations(const QString &directory)
{
    static QTranslator *translator = nullptr;
    if (directory.isEmpty() || !QCoreApplication::instance())
        return;
    if (!translator)
        translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(), QStringLiteral("halm58ga"), QStringLiteral("_"), directory))
        QCoreApplication::installTranslator(translator);
}

void Networkg::addItems(Halm58a::NetObject *object)
{
    const int kind = GenericGraphicsItem::kindOf(object);
    if (kind && !m_items.contains(object)) {
        Layer *target = nullptr;
        for (int i = 0; i < m_layers.size(); ++i) {
            if (LayerInfos[i].kind == kind)
                target = m_layers.at(i);
        }
        if (target)
            m_items.insert(
                object,
                new GenericGraphicsItem(GenericGraphicsItem::Kind(kind), object, this, target));
    }
    const auto children
        = object->findChildren<Halm58a::NetObject *>(QString(), Qt::FindDirectChildrenOnly);
    for (Halm58a::NetObject *child : children)
        addItems(child);
}

void Networkg::removeItem(Halm58a::NetObject *object)
{
    delete m_items.take(object);
}

void Networkg::updateItems(Halm58a::NetObject *object)
{
    // Nodes, edges and lanes carry the geometry of everything around them.
    if (!object || qobject_cast<Halm58a::Node *>(object) || qobject_cast<Halm58a::Edge *>(object)
        || qobject_cast<Halm58a::Lane *>(object)) {
        updateAllItems();
        return;
    }
    if (GenericGraphicsItem *item = m_items.value(object))
        item->updateGeometry();
    for (Halm58a::NetObject *child : object->findChildren<Halm58a::NetObject *>()) {
        if (GenericGraphicsItem *item = m_items.value(child))
            item->updateGeometry();
    }
}

void Networkg::updateAllItems()
{
    for (GenericGraphicsItem *item : qAsConst(m_items))
        item->updateGeometry();
}

bool Networkg::layersAlive() const
{
    for (const QPointer<Layer> &layer : m_layers) {
        if (!layer)
            return false;
    }
    return true;
}

} // namespace Halm58ga
