#include "lane.h"

#include "connection.h"
#include "edge.h"
#include "network.h"
#include "node.h"
#include "stopline.h"

#include <QLineF>

namespace Halm58a {

namespace {

QPointF rightNormal(const QPointF &from, const QPointF &to)
{
    const QLineF line(from, to);
    const double length = line.length();
    if (length <= 0)
        return QPointF();
    // Plane y points north, so the right-hand side of (dx, dy) is (dy, -dx).
    return QPointF(line.dy() / length, -line.dx() / length);
}

// Moves a polyline sideways; interior points use the mean of the two
// neighbouring segment normals, which is close enough for road bends.
QVector<QPointF> offsetPolyline(const QVector<QPointF> &points, double offset)
{
    const int n = points.size();
    QVector<QPointF> result(points);
    if (n < 2)
        return result;
    for (int i = 0; i < n; ++i) {
        QPointF normal;
        if (i > 0)
            normal += rightNormal(points.at(i - 1), points.at(i));
        if (i < n - 1)
            normal += rightNormal(points.at(i), points.at(i + 1));
        const double length = QLineF(QPointF(), normal).length();
        if (length > 0)
            normal /= length;
        result[i] = points.at(i) + normal * offset;
    }
    return result;
}

// The part of a polyline between two distances along it.
QVector<QPointF> trimPolyline(const QVector<QPointF> &points, double startCut, double endCut)
{
    const GeoShape line(points);
    const double length = line.length();
    if (points.size() < 2 || startCut + endCut >= length || (startCut <= 0 && endCut <= 0))
        return points;
    const double endAt = length - endCut;
    QVector<QPointF> result { line.pointAt(startCut) };
    double along = 0;
    for (int i = 1; i < points.size() - 1; ++i) {
        along += QLineF(points.at(i - 1), points.at(i)).length();
        if (along > startCut && along < endAt)
            result.append(points.at(i));
    }
    result.append(line.pointAt(endAt));
    return result;
}

} // namespace

Lane::Lane(Edge *edge)
    : NetObject(edge)
{
    m_stopline = new Stopline(Stopline::Stop, this);
    m_startline = new Stopline(Stopline::Start, this);
}

Lane::~Lane()
{
    notifyRemoved();
    // A connection without one of its lanes has no path: it goes with the lane.
    // Each one takes itself out of both lists, so a connection that leaves and
    // enters this same lane goes only once.
    while (!m_outgoing.isEmpty())
        delete m_outgoing.first();
    while (!m_incoming.isEmpty())
        delete m_incoming.first();
}

void Lane::replaceLine(Stopline *line)
{
    Stopline *&slot = line == m_stopline ? m_stopline : m_startline;
    if (slot != line)
        return;
    slot = new Stopline(line->kind(), this);
    if (Network *net = network())
        net->addItem(slot, this);
}

Edge *Lane::edge() const
{
    return qobject_cast<Edge *>(parent());
}

int Lane::index() const
{
    const Edge *e = edge();
    return e ? e->lanes().indexOf(const_cast<Lane *>(this)) : 0;
}

void Lane::setWidth(double width)
{
    if (width > 0)
        assign(m_width, width);
}

GeoShape Lane::shape() const
{
    const Edge *e = edge();
    if (!e)
        return GeoShape();
    double offset = m_width / 2;
    for (const Lane *lane : e->lanes()) {
        if (lane == this)
            break;
        offset += lane->width();
    }
    const double startCut = e->from() ? e->from()->radius() : 0;
    const double endCut = e->to() ? e->to()->radius() : 0;
    return GeoShape(offsetPolyline(trimPolyline(e->shape().points(), startCut, endCut), offset));
}

QPointF Lane::stopPoint() const
{
    const GeoShape s = shape();
    return s.isEmpty() ? QPointF() : s.points().last();
}

QPointF Lane::startPoint() const
{
    const GeoShape s = shape();
    return s.isEmpty() ? QPointF() : s.points().first();
}

bool Lane::hasStopline(const Node *node) const
{
    const Edge *e = edge();
    return node && e && e->to() == node;
}

bool Lane::hasStartline(const Node *node) const
{
    const Edge *e = edge();
    return node && e && e->from() == node;
}

} // namespace Halm58a
