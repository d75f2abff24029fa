#include "genericgraphicsitem.h"

#include "netcolors.h"
#include "networkg.h"

#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/detector.h"
#include "halm58a/edge.h"
#include "halm58a/lane.h"
#include "halm58a/node.h"
#include "halm58a/stopline.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QStyleOptionGraphicsItem>

namespace Halm58ga {

namespace {

// Half the width, in metres, of the band in which a click hits a line.
const double HitMetres = 1.5;
// Nodes without a radius of their own are drawn this large (metres).
const double NodeMetres = 2.0;

} // namespace

GenericGraphicsItem::GenericGraphicsItem(Kind kind, Halm58a::NetObject *object,
                                         const Networkg *network, QGraphicsItem *parent)
    : QGraphicsItem(parent)
    , m_kind(kind)
    , m_object(object)
    , m_network(network)
{
    setFlag(QGraphicsItem::ItemIsSelectable);
    updateGeometry();
}

int GenericGraphicsItem::kindOf(const Halm58a::NetObject *object)
{
    if (qobject_cast<const Halm58a::Node *>(object))
        return NodeKind;
    if (qobject_cast<const Halm58a::Connection *>(object))
        return ConnectionKind;
    if (qobject_cast<const Halm58a::CrossWalk *>(object))
        return CrossWalkKind;
    if (qobject_cast<const Halm58a::Detector *>(object))
        return DetectorKind;
    if (qobject_cast<const Halm58a::Edge *>(object))
        return EdgeKind;
    if (qobject_cast<const Halm58a::Lane *>(object))
        return LaneKind;
    if (qobject_cast<const Halm58a::Stopline *>(object))
        return StoplineKind;
    return 0;
}

Halm58a::NetObject *GenericGraphicsItem::object() const
{
    return m_object;
}

void GenericGraphicsItem::updateGeometry()
{
    prepareGeometryChange();
    m_path = QPainterPath();
    if (m_object) {
        if (m_kind == NodeKind) {
            const auto *node = static_cast<Halm58a::Node *>(m_object.data());
            const QPointF centre = m_network->toScene(node->pos());
            const double radius = node->radius() > 0 ? node->radius() : NodeMetres;
            const QPointF r = m_network->metresToScene(radius);
            m_path.addEllipse(centre, r.x(), r.y());
        } else {
            m_path = m_network->scenePath(m_object->shape());
        }
    }
    QPainterPathStroker stroker;
    stroker.setWidth(2 * m_network->metresToScene(HitMetres).y());
    m_shape = m_kind == NodeKind ? m_path : stroker.createStroke(m_path);
    m_shape.setFillRule(Qt::WindingFill);
    // Cosmetic pens reach a few pixels past the path; leave room for them.
    const QPointF margin = m_network->metresToScene(3 * HitMetres);
    m_bounds = m_shape.boundingRect().adjusted(-margin.x(), -margin.y(), margin.x(), margin.y());
    update();
}

void GenericGraphicsItem::setHighlightColor(const QColor &color)
{
    m_highlight = color;
    update();
}

void GenericGraphicsItem::removeHighlightColor()
{
    m_highlight = QColor();
    update();
}

QRectF GenericGraphicsItem::boundingRect() const
{
    return m_bounds;
}

void GenericGraphicsItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
                                QWidget *)
{
    const bool selected = option->state & QStyle::State_Selected;
    const int width = penWidth();
    if (m_highlight.isValid()) {
        QPen band(m_highlight, width + 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        band.setCosmetic(true);
        painter->setPen(band);
        painter->setBrush(m_kind == NodeKind ? QBrush(m_highlight) : QBrush());
        painter->drawPath(m_path);
    }
    const QColor color = NetColors::color(selected ? QStringLiteral("selection") : colorKind());
    QPen pen(color, selected ? width + 2 : width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (m_kind == EdgeKind)
        pen.setStyle(Qt::DashLine);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(m_kind == NodeKind ? QBrush(color.lighter(160)) : QBrush());
    painter->drawPath(m_path);
}

QString GenericGraphicsItem::colorKind() const
{
    switch (m_kind) {
    case NodeKind:
        return QStringLiteral("node");
    case ConnectionKind:
        return QStringLiteral("connection");
    case CrossWalkKind:
        return QStringLiteral("crosswalk");
    case DetectorKind:
        return QStringLiteral("detector");
    case StoplineKind:
        return QStringLiteral("stopline");
    case EdgeKind:
    case LaneKind:
        break;
    }
    return QStringLiteral("lane");
}

int GenericGraphicsItem::penWidth() const
{
    switch (m_kind) {
    case CrossWalkKind:
        return 6;
    case DetectorKind:
        return 5;
    case LaneKind:
        return 3;
    case EdgeKind:
        return 1;
    case NodeKind:
    case ConnectionKind:
    case StoplineKind:
        break;
    }
    return 2;
}

} // namespace Halm58ga
