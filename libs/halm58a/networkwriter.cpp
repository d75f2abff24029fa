#include "networkwriter.h"

#include "connection.h"
#include "crosswalk.h"
#include "detector.h"
#include "edge.h"
#include "geoutil.h"
#include "granule.h"
#include "lane.h"
#include "network.h"
#include "node.h"
#include "signalgroup.h"
#include "stopline.h"

#include <QStringList>
#include <QXmlStreamWriter>

namespace Halm58a {

namespace {

// Twelve significant digits keep millimetres on plane metres and a second
// save of a loaded file byte for byte equal to the first.
QString number(double value)
{
    return QString::number(value, 'g', 12);
}

QString degrees(double value)
{
    return QString::number(value, 'g', 15);
}

QString points(const QVector<QPointF> &list)
{
    QStringList parts;
    parts.reserve(list.size());
    for (const QPointF &p : list)
        parts.append(number(p.x()) + QLatin1Char(',') + number(p.y()));
    return parts.join(QLatin1Char(' '));
}

// A name without the characters that XML cannot carry (control characters,
// lone surrogates): with them the writer would fail and nothing could be saved.
QString xmlText(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result += c;
            result += text.at(++i);
        } else if (!c.isSurrogate() && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF
                   && (c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n')
                       || c == QLatin1Char('\r'))) {
            result += c;
        }
    }
    return result;
}

// Whether an object has its place in the file: an edge needs both its nodes,
// a lane such an edge, a connection its junction and two such lanes, a
// crosswalk its junction. References name only objects that are written, so
// that every saved file loads again.
bool isWritten(const Node *)
{
    return true;
}

bool isWritten(const Edge *edge)
{
    return edge && edge->from() && edge->to();
}

bool isWritten(const Lane *lane)
{
    return lane && isWritten(lane->edge());
}

bool isWritten(const Connection *connection)
{
    return connection->junction() && isWritten(connection->fromLane())
        && isWritten(connection->toLane());
}

bool isWritten(const CrossWalk *crossWalk)
{
    return crossWalk->junction();
}

template<typename T> QString idList(const QList<T *> &objects)
{
    QStringList parts;
    for (const T *object : objects) {
        if (isWritten(object))
            parts.append(QString::number(object->id()));
    }
    return parts.join(QLatin1Char(' '));
}

void writeCommon(QXmlStreamWriter &xml, const NetObject *object)
{
    xml.writeAttribute(QStringLiteral("id"), QString::number(object->id()));
    if (!object->objectName().isEmpty())
        xml.writeAttribute(QStringLiteral("name"), xmlText(object->objectName()));
}

void writeDetectors(QXmlStreamWriter &xml, const NetObject *carrier)
{
    const auto detectors = carrier->findChildren<Detector *>(QString(), Qt::FindDirectChildrenOnly);
    for (const Detector *detector : detectors) {
        xml.writeStartElement(QStringLiteral("Detector"));
        writeCommon(xml, detector);
        xml.writeAttribute(QStringLiteral("tlId"), QString::number(detector->tlId()));
        xml.writeAttribute(QStringLiteral("position"), number(detector->position()));
        xml.writeAttribute(QStringLiteral("length"), number(detector->length()));
        xml.writeEndElement();
    }
}

} // namespace

void NetworkWriter::write(QXmlStreamWriter &xml) const
{
    xml.writeStartElement(QStringLiteral("Network"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    if (!m_network.objectName().isEmpty())
        xml.writeAttribute(QStringLiteral("name"), xmlText(m_network.objectName()));
    if (const GeoUtil *geo = m_network.hasGeoOrigin() ? m_network.Network::geoUtil() : nullptr) {
        xml.writeAttribute(QStringLiteral("lon"), degrees(geo->originLon()));
        xml.writeAttribute(QStringLiteral("lat"), degrees(geo->originLat()));
    }

    for (const Node *node : m_network.findChildren<Node *>()) {
        xml.writeStartElement(QStringLiteral("Node"));
        writeCommon(xml, node);
        xml.writeAttribute(QStringLiteral("x"), number(node->pos().x()));
        xml.writeAttribute(QStringLiteral("y"), number(node->pos().y()));
        if (node->radius() != 0)
            xml.writeAttribute(QStringLiteral("radius"), number(node->radius()));
        if (!node->shape().isEmpty())
            xml.writeAttribute(QStringLiteral("shape"), points(node->shape().points()));
        xml.writeEndElement();
    }

    for (const Edge *edge : m_network.findChildren<Edge *>()) {
        if (!isWritten(edge))
            continue;
        xml.writeStartElement(QStringLiteral("Edge"));
        writeCommon(xml, edge);
        xml.writeAttribute(QStringLiteral("from"), QString::number(edge->from()->id()));
        xml.writeAttribute(QStringLiteral("to"), QString::number(edge->to()->id()));
        if (!edge->bendPoints().isEmpty())
            xml.writeAttribute(QStringLiteral("bends"), points(edge->bendPoints()));
        for (const Lane *lane : edge->lanes()) {
            xml.writeStartElement(QStringLiteral("Lane"));
            writeCommon(xml, lane);
            xml.writeAttribute(QStringLiteral("width"), number(lane->width()));
            xml.writeAttribute(QStringLiteral("stopline"), QString::number(lane->stopline()->id()));
            xml.writeAttribute(QStringLiteral("startline"),
                               QString::number(lane->startline()->id()));
            writeDetectors(xml, lane);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    for (const Connection *connection : m_network.findChildren<Connection *>()) {
        if (!isWritten(connection))
            continue;
        xml.writeStartElement(QStringLiteral("Connection"));
        writeCommon(xml, connection);
        xml.writeAttribute(QStringLiteral("junction"),
                           QString::number(connection->junction()->id()));
        xml.writeAttribute(QStringLiteral("from"), QString::number(connection->fromLane()->id()));
        xml.writeAttribute(QStringLiteral("to"), QString::number(connection->toLane()->id()));
        if (!connection->bendPoints().isEmpty())
            xml.writeAttribute(QStringLiteral("bends"), points(connection->bendPoints()));
        writeDetectors(xml, connection);
        xml.writeEndElement();
    }

    for (const CrossWalk *crossWalk : m_network.findChildren<CrossWalk *>()) {
        if (!isWritten(crossWalk))
            continue;
        xml.writeStartElement(QStringLiteral("CrossWalk"));
        writeCommon(xml, crossWalk);
        xml.writeAttribute(QStringLiteral("junction"),
                           QString::number(crossWalk->junction()->id()));
        xml.writeAttribute(QStringLiteral("shape"), points(crossWalk->shape().points()));
        xml.writeAttribute(QStringLiteral("width"), number(crossWalk->width()));
        xml.writeEndElement();
    }

    for (const Granule *granule : m_network.findChildren<Granule *>()) {
        xml.writeStartElement(QStringLiteral("Granule"));
        writeCommon(xml, granule);
        xml.writeAttribute(QStringLiteral("tlId"), QString::number(granule->tlId()));
        xml.writeAttribute(QStringLiteral("nodes"), idList(granule->nodes()));
        for (const SignalGroup *group : granule->signalGroups()) {
            xml.writeStartElement(QStringLiteral("SignalGroup"));
            xml.writeAttribute(QStringLiteral("id"), QString::number(group->id()));
            xml.writeAttribute(QStringLiteral("tlId"), QString::number(group->tlId()));
            const QString connections = idList(group->connections());
            if (!connections.isEmpty())
                xml.writeAttribute(QStringLiteral("connections"), connections);
            const QString crossWalks = idList(group->crossWalks());
            if (!crossWalks.isEmpty())
                xml.writeAttribute(QStringLiteral("crosswalks"), crossWalks);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    xml.writeEndElement();
}

} // namespace Halm58a
