#include "sumowriter.h"

#include "conflictfinder.h"
#include "connection.h"
#include "edge.h"
#include "granule.h"
#include "lane.h"
#include "network.h"
#include "node.h"
#include "signalgroup.h"

#include "safefile/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineF>
#include <QXmlStreamWriter>
#include <QtMath>

#include <cmath>

namespace Halm58a {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Halm58a::SumoWriter", text);
}

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

QString idOf(const NetObject *object)
{
    return QString::number(object->id());
}

// An edge SUMO can build: both ends and at least one lane.
bool isWritable(const Edge *edge)
{
    return edge && edge->from() && edge->to() && !edge->lanes().isEmpty();
}

// A connection SUMO can build: from a lane that ends at its junction to one that starts there.
bool isWritable(const Connection *connection)
{
    const Lane *from = connection->fromLane();
    const Lane *to = connection->toLane();
    const Node *junction = connection->junction();
    return from && to && junction && isWritable(from->edge()) && isWritable(to->edge())
        && from->edge()->to() == junction && to->edge()->from() == junction;
}

// How a movement leaves the junction, seen from its driver. Where two passing movements
// cross or merge, through traffic goes first, then right turns, then left turns.
enum class Turn { Through, Right, Left };

// The plane's y points north, so a positive angle from the arriving to the leaving
// direction turns left. Within 45 degrees of straight on the movement goes through.
Turn turnOf(const Connection *connection)
{
    const QVector<QPointF> in = connection->fromLane()->shape().points();
    const QVector<QPointF> out = connection->toLane()->shape().points();
    if (in.size() < 2 || out.size() < 2)
        return Turn::Through;
    const QLineF arriving(in.at(in.size() - 2), in.last());
    const QLineF leaving(out.at(0), out.at(1));
    const double cross = arriving.dx() * leaving.dy() - arriving.dy() * leaving.dx();
    const double dot = arriving.dx() * leaving.dx() + arriving.dy() * leaving.dy();
    const double degrees = qRadiansToDegrees(std::atan2(cross, dot));
    if (std::abs(degrees) <= 45.0)
        return Turn::Through;
    return degrees > 0 ? Turn::Left : Turn::Right;
}

// Per link the links it gives way to while both may pass: those of other approaches
// that it crosses or merges into and that leave the junction in a way that goes first.
// Links of one approach keep to their lanes and never wait for each other.
QVector<QVector<int>> givesWayTo(const QList<Connection *> &links)
{
    QVector<Turn> turns;
    QVector<ConflictFinder::Movement> paths;
    for (const Connection *connection : links) {
        turns.append(turnOf(connection));
        ConflictFinder::Movement movement;
        movement.path = connection->shape().points();
        movement.object = connection;
        paths.append(movement);
    }
    QVector<QVector<int>> result(links.size());
    for (int i = 0; i < links.size(); ++i) {
        for (int j = 0; j < links.size(); ++j) {
            if (turns.at(j) < turns.at(i)
                && links.at(j)->fromLane()->edge() != links.at(i)->fromLane()->edge()
                && paths.at(i).path.size() >= 2 && paths.at(j).path.size() >= 2
                && !ConflictFinder::conflictPoints(paths.at(i), paths.at(j), false).isEmpty())
                result[i].append(j);
        }
    }
    return result;
}

// An XML document into bytes, indented by four spaces, its root naming the SUMO schema
// it follows so that SUMO's tools validate it.
class Document
{
public:
    Document(const QString &root, const QString &schema)
        : m_writer(&m_bytes)
    {
        m_writer.setAutoFormatting(true);
        m_writer.setAutoFormattingIndent(4);
        m_writer.writeStartDocument();
        m_writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                                QStringLiteral("xsi"));
        m_writer.writeStartElement(root);
        m_writer.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                                QStringLiteral("noNamespaceSchemaLocation"),
                                QStringLiteral("http://sumo.dlr.de/xsd/") + schema);
    }
    QXmlStreamWriter &xml() { return m_writer; }
    QByteArray finish()
    {
        m_writer.writeEndDocument();
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    QXmlStreamWriter m_writer;
};

} // namespace

SumoWriter::SumoWriter(const Network &network, int junctionNumber)
    : m_network(network)
    , m_number(junctionNumber)
{
}

QString SumoWriter::baseName() const
{
    return QString::number(m_number);
}

QString SumoWriter::stateLetters(const QVector<SignalPlan::Colour> &colours)
{
    QString letters;
    const int cycle = colours.size();
    for (int second = 0; second < cycle; ++second) {
        switch (colours.at(second)) {
        case SignalPlan::Green:
            letters += QLatin1Char('G');
            break;
        case SignalPlan::GreenBlink: {
            // The colour that follows the blinking, around the cycle: a green that ends
            // without a yellow shows its end in the blinking, as SUMO's yellow.
            int next = second;
            for (int step = 1; step < cycle && colours.at(next) == SignalPlan::GreenBlink; ++step)
                next = (second + step) % cycle;
            const SignalPlan::Colour after = colours.at(next);
            const bool ends = after != SignalPlan::GreenBlink && after != SignalPlan::Green
                && after != SignalPlan::Yellow;
            letters += QLatin1Char(ends ? 'y' : 'G');
            break;
        }
        case SignalPlan::Yellow:
            letters += QLatin1Char('y');
            break;
        case SignalPlan::Red:
            letters += QLatin1Char('r');
            break;
        case SignalPlan::RedYellow:
            letters += QLatin1Char('u');
            break;
        case SignalPlan::Dark:
            letters += QLatin1Char('O');
            break;
        }
    }
    return letters;
}

QString SumoWriter::drivingLetters(const Connection *connection, const SignalPlan &plan) const
{
    for (const SignalGroup *group : connection->signalGroups()) {
        const auto *granule = qobject_cast<const Granule *>(group->parent());
        const auto it = plan.colours.constFind(group->tlId());
        if (granule && granule->tlId() == m_number && it != plan.colours.constEnd())
            return stateLetters(it.value()).leftJustified(plan.cycle, QLatin1Char('O'), true);
    }
    return QString();
}

bool SumoWriter::prepare()
{
    m_error.clear();
    m_notes.clear();
    m_junctions.clear();
    m_links.clear();
    m_givesWayTo.clear();
    if (!m_network.findChild<Node *>()) {
        m_error = tr("The network is empty: there is nothing to export");
        return false;
    }
    const Granule *granule = nullptr;
    for (const Granule *candidate : m_network.findChildren<Granule *>()) {
        if (m_number >= 0 && candidate->tlId() == m_number) {
            granule = candidate;
            break;
        }
    }
    if (granule) {
        for (Node *node : granule->nodes()) {
            const QList<Connection *> own
                = node->findChildren<Connection *>(QString(), Qt::FindDirectChildrenOnly);
            bool any = false;
            for (Connection *connection : own) {
                if (!isWritable(connection))
                    continue;
                m_links.append(connection);
                any = true;
            }
            if (any)
                m_junctions.append(node);
        }
    }
    if (m_junctions.isEmpty()) {
        m_error = m_number < 0
            ? tr("The controller has no number: its junction cannot be found in the network")
            : tr("The network has no junction of controller %1").arg(m_number);
        return false;
    }
    m_givesWayTo = givesWayTo(m_links);
    for (const SignalPlan &plan : qAsConst(m_plans)) {
        if (!plan.error.isEmpty())
            m_notes.append(
                tr("Program %1 is left out of the SUMO export: %2").arg(plan.id, plan.error));
        else if (plan.cycle <= 0)
            m_notes.append(
                tr("Program %1 is left out of the SUMO export: it has no cycle").arg(plan.id));
    }
    for (int i = 0; i < m_links.size(); ++i) {
        bool driven = true;
        for (const SignalPlan &plan : qAsConst(m_plans)) {
            if (plan.error.isEmpty() && plan.cycle > 0)
                driven = driven && !drivingLetters(m_links.at(i), plan).isEmpty();
        }
        if (!driven)
            m_notes.append(tr("Connection %1 (SUMO link %2) has no signal group: in the SUMO "
                              "export it is red (r) in every phase and never gets green")
                               .arg(m_links.at(i)->label())
                               .arg(i));
    }
    return true;
}

bool SumoWriter::write(const QString &folder)
{
    m_configPath.clear();
    if (!prepare())
        return false;
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isWritable()) {
        m_error = tr("Folder %1 cannot be written").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const QDir dir(folder);
    const QString base = baseName();
    const QList<QPair<QString, QByteArray>> files = {
        { base + QStringLiteral(".nod.xml"), nodes() },
        { base + QStringLiteral(".edg.xml"), edges() },
        { base + QStringLiteral(".con.xml"), connections() },
        { base + QStringLiteral(".tll.xml"), programs() },
        { base + QStringLiteral(".netccfg"), config() },
    };
    for (const auto &file : files) {
        const QString path = dir.filePath(file.first);
        QString reason;
        if (!SafeFile::write(path, file.second, &reason)) {
            m_error = tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
            return false;
        }
    }
    m_configPath = dir.filePath(base + QStringLiteral(".netccfg"));
    return true;
}

QByteArray SumoWriter::nodes() const
{
    if (m_junctions.isEmpty())
        return {};
    Document doc(QStringLiteral("nodes"), QStringLiteral("nodes_file.xsd"));
    QXmlStreamWriter &xml = doc.xml();
    for (const Node *node : m_network.findChildren<Node *>()) {
        bool used = false;
        for (const Edge *edge : node->edges())
            used = used || isWritable(edge);
        if (!used)
            continue;
        xml.writeEmptyElement(QStringLiteral("node"));
        xml.writeAttribute(QStringLiteral("id"), idOf(node));
        xml.writeAttribute(QStringLiteral("x"), number(node->pos().x()));
        xml.writeAttribute(QStringLiteral("y"), number(node->pos().y()));
        if (m_junctions.contains(const_cast<Node *>(node))) {
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("traffic_light"));
            xml.writeAttribute(QStringLiteral("tl"), baseName());
        }
    }
    return doc.finish();
}

QByteArray SumoWriter::edges() const
{
    if (m_junctions.isEmpty())
        return {};
    Document doc(QStringLiteral("edges"), QStringLiteral("edges_file.xsd"));
    QXmlStreamWriter &xml = doc.xml();
    for (const Edge *edge : m_network.findChildren<Edge *>()) {
        if (!isWritable(edge))
            continue;
        const QList<Lane *> lanes = edge->lanes();
        xml.writeStartElement(QStringLiteral("edge"));
        xml.writeAttribute(QStringLiteral("id"), idOf(edge));
        xml.writeAttribute(QStringLiteral("from"), idOf(edge->from()));
        xml.writeAttribute(QStringLiteral("to"), idOf(edge->to()));
        xml.writeAttribute(QStringLiteral("numLanes"), QString::number(lanes.size()));
        // Our lanes lie to the right of the edge's line, as SUMO's do by default.
        if (!edge->bendPoints().isEmpty()) {
            QStringList points;
            const GeoShape shape = edge->shape();
            for (const QPointF &p : shape.points())
                points.append(number(p.x()) + QLatin1Char(',') + number(p.y()));
            xml.writeAttribute(QStringLiteral("shape"), points.join(QLatin1Char(' ')));
        }
        for (const Lane *lane : lanes) {
            xml.writeEmptyElement(QStringLiteral("lane"));
            xml.writeAttribute(QStringLiteral("index"), QString::number(lane->index()));
            xml.writeAttribute(QStringLiteral("width"), number(lane->width()));
        }
        xml.writeEndElement();
    }
    return doc.finish();
}

namespace {

// A connection; with a link index (not -1) it also names the traffic light that drives it,
// which only the program file may say.
void writeConnection(QXmlStreamWriter &xml, const Connection *connection, const QString &tl,
                     int linkIndex)
{
    xml.writeEmptyElement(QStringLiteral("connection"));
    xml.writeAttribute(QStringLiteral("from"), idOf(connection->fromLane()->edge()));
    xml.writeAttribute(QStringLiteral("to"), idOf(connection->toLane()->edge()));
    xml.writeAttribute(QStringLiteral("fromLane"),
                       QString::number(connection->fromLane()->index()));
    xml.writeAttribute(QStringLiteral("toLane"), QString::number(connection->toLane()->index()));
    if (linkIndex >= 0) {
        xml.writeAttribute(QStringLiteral("tl"), tl);
        xml.writeAttribute(QStringLiteral("linkIndex"), QString::number(linkIndex));
    }
}

} // namespace

QByteArray SumoWriter::connections() const
{
    if (m_junctions.isEmpty())
        return {};
    Document doc(QStringLiteral("connections"), QStringLiteral("connections_file.xsd"));
    QXmlStreamWriter &xml = doc.xml();
    // The traffic light and link index of the controller's links stand in the program file.
    for (const Connection *connection : m_network.findChildren<Connection *>()) {
        if (isWritable(connection))
            writeConnection(xml, connection, QString(), -1);
    }
    // Only the movements the network holds: an edge without connections ends there,
    // instead of netconvert guessing movements for it.
    for (const Edge *edge : m_network.findChildren<Edge *>()) {
        if (!isWritable(edge))
            continue;
        bool leaves = false;
        for (const Lane *lane : edge->lanes()) {
            for (const Connection *connection : lane->outgoing())
                leaves = leaves || isWritable(connection);
        }
        if (!leaves) {
            xml.writeEmptyElement(QStringLiteral("connection"));
            xml.writeAttribute(QStringLiteral("from"), idOf(edge));
        }
    }
    return doc.finish();
}

QByteArray SumoWriter::programs() const
{
    if (m_junctions.isEmpty())
        return {};
    Document doc(QStringLiteral("tlLogics"), QStringLiteral("tllogic_file.xsd"));
    QXmlStreamWriter &xml = doc.xml();
    bool written = false;
    for (const SignalPlan &plan : m_plans) {
        if (!plan.error.isEmpty() || plan.cycle <= 0)
            continue;
        written = true;
        // Per link the letters of the group that drives it through the cycle; without one it
        // stays red. SUMO's o would make it give way only to the links that netconvert's right
        // of way puts first, which keeps the main road's priority: its drivers would cross
        // signalled traffic.
        const QString red(plan.cycle, QLatin1Char('r'));
        QVector<QString> driving;
        for (const Connection *connection : m_links) {
            const QString letters = drivingLetters(connection, plan);
            driving.append(letters.isEmpty() ? red : letters);
        }
        auto stateAt = [&](int second) {
            QString lights;
            for (const QString &letters : qAsConst(driving))
                lights += letters.at(second);
            // A link that may pass (green or yellow) yields (g, y) while a link it gives
            // way to may pass too; otherwise it goes first (G, and SUMO's major yellow Y),
            // so that vehicles still in the junction keep their right of way in the yellow.
            auto passes = [](QChar light) {
                return light == QLatin1Char('G') || light == QLatin1Char('y');
            };
            QString state = lights;
            for (int i = 0; i < lights.size(); ++i) {
                if (!passes(lights.at(i)))
                    continue;
                bool yields = false;
                for (int j : m_givesWayTo.at(i))
                    yields = yields || passes(lights.at(j));
                if (lights.at(i) == QLatin1Char('G') && yields)
                    state[i] = QLatin1Char('g');
                else if (lights.at(i) == QLatin1Char('y') && !yields)
                    state[i] = QLatin1Char('Y');
            }
            return state;
        };

        xml.writeStartElement(QStringLiteral("tlLogic"));
        xml.writeAttribute(QStringLiteral("id"), baseName());
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("static"));
        xml.writeAttribute(QStringLiteral("programID"), plan.id);
        xml.writeAttribute(QStringLiteral("offset"), QString::number(plan.offset));
        // One phase per stretch in which no signal changes.
        QString state = stateAt(0);
        int start = 0;
        for (int second = 1; second <= plan.cycle; ++second) {
            const QString next = second < plan.cycle ? stateAt(second) : QString();
            if (next == state)
                continue;
            xml.writeEmptyElement(QStringLiteral("phase"));
            xml.writeAttribute(QStringLiteral("duration"), QString::number(second - start));
            xml.writeAttribute(QStringLiteral("state"), state);
            state = next;
            start = second;
        }
        xml.writeEndElement();
    }
    // Link indices without a program are refused by netconvert; without any, it makes a
    // program of its own.
    for (int i = 0; written && i < m_links.size(); ++i)
        writeConnection(xml, m_links.at(i), baseName(), i);
    return doc.finish();
}

QByteArray SumoWriter::config() const
{
    if (m_junctions.isEmpty())
        return {};
    const QString base = baseName();
    Document doc(QStringLiteral("configuration"), QStringLiteral("netconvertConfiguration.xsd"));
    QXmlStreamWriter &xml = doc.xml();
    auto option = [&xml](const QString &name, const QString &value) {
        xml.writeEmptyElement(name);
        xml.writeAttribute(QStringLiteral("value"), value);
    };
    xml.writeStartElement(QStringLiteral("input"));
    option(QStringLiteral("node-files"), base + QStringLiteral(".nod.xml"));
    option(QStringLiteral("edge-files"), base + QStringLiteral(".edg.xml"));
    option(QStringLiteral("connection-files"), base + QStringLiteral(".con.xml"));
    option(QStringLiteral("tllogic-files"), base + QStringLiteral(".tll.xml"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("output"));
    option(QStringLiteral("output-file"), base + QStringLiteral(".net.xml"));
    xml.writeEndElement();
    // The network's connections are all the movements there are: no U-turns added.
    xml.writeStartElement(QStringLiteral("junctions"));
    option(QStringLiteral("no-turnarounds"), QStringLiteral("true"));
    xml.writeEndElement();
    return doc.finish();
}

} // namespace Halm58a
