#include "networkreader.h"

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

#include <QXmlStreamReader>

namespace Halm58a {

namespace {

const QLatin1String FormatVersion("1");

QString kindName(const char *kind)
{
    return QString::fromLatin1(kind);
}

} // namespace

NetworkReader::NetworkReader(Network &network)
    : m_network(network)
{
}

bool NetworkReader::read(QXmlStreamReader &xml, bool wholeDocument)
{
    m_xml = &xml;
    while (!xml.isStartElement() && !xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return fail(xml.errorString());
    if (!xml.isStartElement() || xml.name() != QLatin1String("Network"))
        return fail(QObject::tr("No element \"Network\" found"));
    if (!readNetwork())
        return false;
    if (wholeDocument) {
        // Content after the network (a second element, text) is damage that
        // would otherwise be dropped without a word.
        while (!xml.atEnd())
            xml.readNext();
        if (xml.hasError())
            return fail(xml.errorString());
    }
    // Objects whose number the file left out (stop lines, say) get fresh ones.
    for (NetObject *object : m_network.findChildren<NetObject *>()) {
        if (object->m_id == 0) {
            object->m_id = m_network.freshId();
            m_network.m_objects.insert(object->m_id, object);
        }
    }
    return true;
}

bool NetworkReader::readNetwork()
{
    const QXmlStreamAttributes attributes = m_xml->attributes();
    const QString version = attributes.value(QLatin1String("version")).toString();
    if (!version.isEmpty() && version != FormatVersion)
        return fail(QObject::tr("Unsupported network format version %1").arg(version));
    m_network.setObjectName(attributes.value(QLatin1String("name")).toString());
    if (attributes.hasAttribute(QLatin1String("lon"))
        || attributes.hasAttribute(QLatin1String("lat"))) {
        double lon = 0, lat = 0;
        if (!doubleAttribute("lon", &lon, true) || !doubleAttribute("lat", &lat, true))
            return false;
        m_network.setGeoOrigin(lon, lat);
    }
    while (m_xml->readNextStartElement()) {
        const QStringRef name = m_xml->name();
        bool ok;
        if (name == QLatin1String("Node"))
            ok = readNode();
        else if (name == QLatin1String("Edge"))
            ok = readEdge();
        else if (name == QLatin1String("Connection"))
            ok = readConnection();
        else if (name == QLatin1String("CrossWalk"))
            ok = readCrossWalk();
        else if (name == QLatin1String("Granule"))
            ok = readGranule();
        else
            ok = unknownElement();
        if (!ok)
            return false;
    }
    if (m_xml->hasError())
        return fail(m_xml->errorString());
    return true;
}

bool NetworkReader::readNode()
{
    int id = 0;
    double x = 0, y = 0, radius = 0;
    QVector<QPointF> outline;
    if (!intAttribute("id", &id, true) || !doubleAttribute("x", &x, true)
        || !doubleAttribute("y", &y, true) || !doubleAttribute("radius", &radius, false)
        || !pointsAttribute("shape", &outline, false))
        return false;
    if (radius < 0)
        return fail(QObject::tr("The radius of a node must not be negative"));
    auto *node = new Node(&m_network);
    if (!adopt(node, id))
        return false;
    readName(node);
    node->setPos(QPointF(x, y));
    node->setRadius(radius);
    node->setShape(GeoShape(outline));
    return noChildren();
}

bool NetworkReader::readEdge()
{
    int id = 0;
    Node *from = nullptr;
    Node *to = nullptr;
    QVector<QPointF> bends;
    if (!intAttribute("id", &id, true) || !reference("from", &from, true)
        || !reference("to", &to, true) || !pointsAttribute("bends", &bends, false))
        return false;
    auto *edge = new Edge(from, to, &m_network);
    if (!adopt(edge, id))
        return false;
    readName(edge);
    edge->setBendPoints(bends);
    return readChildren("Lane", [this, edge]() { return readLane(edge); });
}

bool NetworkReader::readLane(NetObject *edge)
{
    int id = 0, stopId = 0, startId = 0;
    double width = 3.5;
    if (!intAttribute("id", &id, true) || !doubleAttribute("width", &width, false)
        || !intAttribute("stopline", &stopId, false) || !intAttribute("startline", &startId, false))
        return false;
    if (width <= 0)
        return fail(QObject::tr("The width of a lane must be positive"));
    auto *lane = new Lane(static_cast<Edge *>(edge));
    if (!adopt(lane, id) || (stopId && !adopt(lane->stopline(), stopId))
        || (startId && !adopt(lane->startline(), startId)))
        return false;
    readName(lane);
    lane->setWidth(width);
    return readChildren("Detector", [this, lane]() { return readDetector(lane); });
}

bool NetworkReader::readDetector(NetObject *carrier)
{
    int id = 0, tlId = 0;
    double position = 0, length = 2.0;
    if (!intAttribute("id", &id, true) || !intAttribute("tlId", &tlId, false)
        || !doubleAttribute("position", &position, false)
        || !doubleAttribute("length", &length, false))
        return false;
    auto *detector = new Detector(carrier);
    if (!adopt(detector, id))
        return false;
    readName(detector);
    detector->setTlId(tlId);
    detector->setPosition(position);
    detector->setLength(length);
    return noChildren();
}

bool NetworkReader::readConnection()
{
    int id = 0;
    Node *junction = nullptr;
    Lane *from = nullptr;
    Lane *to = nullptr;
    QVector<QPointF> bends;
    if (!intAttribute("id", &id, true) || !reference("junction", &junction, true)
        || !reference("from", &from, true) || !reference("to", &to, true)
        || !pointsAttribute("bends", &bends, false))
        return false;
    auto *connection = new Connection(from, to, junction);
    if (!adopt(connection, id))
        return false;
    readName(connection);
    connection->setBendPoints(bends);
    return readChildren("Detector", [this, connection]() { return readDetector(connection); });
}

bool NetworkReader::readCrossWalk()
{
    int id = 0;
    Node *junction = nullptr;
    QVector<QPointF> line;
    double width = 4.0;
    if (!intAttribute("id", &id, true) || !reference("junction", &junction, true)
        || !pointsAttribute("shape", &line, true) || !doubleAttribute("width", &width, false))
        return false;
    // Empty stands for a crosswalk made but not drawn yet; one point is no line.
    if (line.size() == 1)
        return fail(QObject::tr("A crosswalk needs at least two points"));
    auto *crossWalk = new CrossWalk(junction);
    if (!adopt(crossWalk, id))
        return false;
    readName(crossWalk);
    crossWalk->setShape(GeoShape(line));
    crossWalk->setWidth(width);
    return noChildren();
}

bool NetworkReader::readGranule()
{
    int id = 0, tlId = 0;
    QVector<int> nodeIds;
    if (!intAttribute("id", &id, true) || !intAttribute("tlId", &tlId, false)
        || !idListAttribute("nodes", &nodeIds))
        return false;
    QList<Node *> nodes;
    for (int nodeId : qAsConst(nodeIds)) {
        Node *node = nullptr;
        if (!referenceById(nodeId, "Node", &node))
            return false;
        nodes.append(node);
    }
    auto *granule = new Granule(nodes, &m_network);
    if (!adopt(granule, id))
        return false;
    readName(granule);
    granule->setTlId(tlId);
    return readChildren("SignalGroup", [this, granule]() { return readSignalGroup(granule); });
}

bool NetworkReader::readSignalGroup(NetObject *granule)
{
    int id = 0, tlId = 0;
    QVector<int> connectionIds, crossWalkIds;
    if (!intAttribute("id", &id, true) || !intAttribute("tlId", &tlId, true)
        || !idListAttribute("connections", &connectionIds)
        || !idListAttribute("crosswalks", &crossWalkIds))
        return false;
    auto *group = new SignalGroup(granule);
    if (!adopt(group, id))
        return false;
    group->setTlId(tlId);
    for (int connectionId : qAsConst(connectionIds)) {
        Connection *connection = nullptr;
        if (!referenceById(connectionId, "Connection", &connection))
            return false;
        group->addConnection(connection);
    }
    for (int crossWalkId : qAsConst(crossWalkIds)) {
        CrossWalk *crossWalk = nullptr;
        if (!referenceById(crossWalkId, "CrossWalk", &crossWalk))
            return false;
        group->addCrossWalk(crossWalk);
    }
    return noChildren();
}

bool NetworkReader::fail(const QString &message)
{
    m_error = QObject::tr("Line %1, column %2: %3")
                  .arg(m_xml->lineNumber())
                  .arg(m_xml->columnNumber())
                  .arg(message);
    return false;
}

bool NetworkReader::unknownElement()
{
    return fail(QObject::tr("Unknown element '%1'").arg(m_xml->name().toString()));
}

template<typename Read> bool NetworkReader::readChildren(const char *childName, Read read)
{
    while (m_xml->readNextStartElement()) {
        if (m_xml->name() != QLatin1String(childName))
            return unknownElement();
        if (!read())
            return false;
    }
    return !m_xml->hasError() || fail(m_xml->errorString());
}

bool NetworkReader::noChildren()
{
    if (m_xml->readNextStartElement())
        return unknownElement();
    return !m_xml->hasError() || fail(m_xml->errorString());
}

bool NetworkReader::adopt(NetObject *object, int id)
{
    if (id <= 0)
        return fail(QObject::tr("Element '%1' has the invalid id %2")
                        .arg(m_xml->name().toString())
                        .arg(id));
    if (m_network.m_objects.contains(id))
        return fail(QObject::tr("The id %1 is used twice").arg(id));
    object->m_id = id;
    m_network.m_objects.insert(id, object);
    m_network.m_lastId = qMax(m_network.m_lastId, id);
    return true;
}

bool NetworkReader::attribute(const char *name, bool required, QString *text)
{
    const QString key = QString::fromLatin1(name);
    const QXmlStreamAttributes attributes = m_xml->attributes();
    text->clear();
    if (attributes.hasAttribute(key)) {
        *text = attributes.value(key).toString();
        return true;
    }
    if (required)
        fail(QObject::tr("Element '%1' has no attribute '%2'").arg(m_xml->name().toString(), key));
    return false;
}

bool NetworkReader::badAttribute(const char *name, const QString &what, const QString &text)
{
    return fail(QObject::tr("Attribute '%1' of element '%2' %3: '%4'")
                    .arg(QString::fromLatin1(name), m_xml->name().toString(), what, text));
}

bool NetworkReader::intAttribute(const char *name, int *value, bool required)
{
    QString text;
    if (!attribute(name, required, &text))
        return !required;
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok)
        return badAttribute(name, QObject::tr("is not a whole number"), text);
    *value = number;
    return true;
}

bool NetworkReader::doubleAttribute(const char *name, double *value, bool required)
{
    QString text;
    if (!attribute(name, required, &text))
        return !required;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !qIsFinite(number))
        return badAttribute(name, QObject::tr("is not a number"), text);
    *value = number;
    return true;
}

bool NetworkReader::pointsAttribute(const char *name, QVector<QPointF> *points, bool required)
{
    QString text;
    if (!attribute(name, required, &text))
        return !required;
    const QVector<QStringRef> pairs = text.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
    points->clear();
    points->reserve(pairs.size());
    for (const QStringRef &pair : pairs) {
        const QVector<QStringRef> xy = pair.split(QLatin1Char(','));
        bool okX = false, okY = false;
        const double x = xy.size() == 2 ? xy.at(0).toDouble(&okX) : 0;
        const double y = xy.size() == 2 ? xy.at(1).toDouble(&okY) : 0;
        if (!okX || !okY || !qIsFinite(x) || !qIsFinite(y))
            return badAttribute(name, QObject::tr("holds a bad point"), pair.toString());
        points->append(QPointF(x, y));
    }
    return true;
}

bool NetworkReader::idListAttribute(const char *name, QVector<int> *ids)
{
    QString text;
    attribute(name, false, &text);
    const QVector<QStringRef> parts = text.splitRef(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QStringRef &part : parts) {
        bool ok = false;
        const int id = part.toInt(&ok);
        if (!ok)
            return badAttribute(name, QObject::tr("is not a list of numbers"), part.toString());
        ids->append(id);
    }
    return true;
}

template<typename T> bool NetworkReader::reference(const char *name, T **object, bool required)
{
    int id = 0;
    if (!intAttribute(name, &id, required))
        return false;
    if (!required && id == 0)
        return true;
    return referenceById(id, T::staticMetaObject.className() + sizeof("Halm58a::") - 1, object);
}

template<typename T> bool NetworkReader::referenceById(int id, const char *kind, T **object)
{
    *object = qobject_cast<T *>(m_network.m_objects.value(id));
    if (!*object)
        return fail(QObject::tr("Element '%1' refers to %2 %3, which is not defined before it")
                        .arg(m_xml->name().toString(), kindName(kind))
                        .arg(id));
    return true;
}

void NetworkReader::readName(NetObject *object)
{
    const QString name = m_xml->attributes().value(QLatin1String("name")).toString();
    if (!name.isEmpty())
        object->setObjectName(name);
}

} // namespace Halm58a
