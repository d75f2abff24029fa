#include "childprocess.h"
#include "fourarmjunction.h"
#include "gridnetwork.h"
#include "halm58a/geoutil.h"
#include "halm58a/stopline.h"
#include "testdata.h"
#include "testmain.h"

#include <QBuffer>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <QtTest>

#include <limits>

#include <unistd.h>

using namespace Halm58a;

namespace {

QByteArray streamBytes(Network &net)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter writer(&buffer);
    writer.setAutoFormatting(true);
    if (!net.save(writer, true, false))
        return QByteArray();
    return bytes;
}

// Every object by its kind and number, so that two networks can be compared.
QStringList describe(const Network &net)
{
    QStringList lines;
    for (const Node *n : net.findChildren<Node *>())
        lines << QStringLiteral("node %1 %2 %3,%4 r%5")
                     .arg(n->id())
                     .arg(n->objectName())
                     .arg(n->pos().x())
                     .arg(n->pos().y())
                     .arg(n->radius());
    for (const Edge *e : net.findChildren<Edge *>()) {
        QStringList lanes;
        for (const Lane *l : e->lanes())
            lanes << QStringLiteral("%1/%2/%3/%4")
                         .arg(l->id())
                         .arg(l->width())
                         .arg(l->stopline()->id())
                         .arg(l->startline()->id());
        lines << QStringLiteral("edge %1 %2->%3 [%4]")
                     .arg(e->id())
                     .arg(e->from()->id())
                     .arg(e->to()->id())
                     .arg(lanes.join(QLatin1Char(' ')));
    }
    for (const Connection *c : net.findChildren<Connection *>()) {
        QStringList groups;
        for (const SignalGroup *g : c->signalGroups())
            groups << QString::number(g->tlId());
        lines << QStringLiteral("connection %1 at %2 %3->%4 sg %5")
                     .arg(c->id())
                     .arg(c->junction()->id())
                     .arg(c->fromLane()->id())
                     .arg(c->toLane()->id())
                     .arg(groups.join(QLatin1Char(',')));
    }
    for (const CrossWalk *w : net.findChildren<CrossWalk *>())
        lines << QStringLiteral("crosswalk %1 at %2 sg %3 w%4")
                     .arg(w->id())
                     .arg(w->junction()->id())
                     .arg(w->signalGroup() ? w->signalGroup()->tlId() : -1)
                     .arg(w->width());
    for (const Detector *d : net.findChildren<Detector *>())
        lines << QStringLiteral("detector %1 on %2 tl %3 at %4")
                     .arg(d->id())
                     .arg(static_cast<NetObject *>(d->parent())->id())
                     .arg(d->tlId())
                     .arg(d->position());
    for (const Granule *g : net.findChildren<Granule *>()) {
        QStringList nodes;
        for (const Node *n : g->nodes())
            nodes << QString::number(n->id());
        lines << QStringLiteral("granule %1 tl %2 nodes %3")
                     .arg(g->id())
                     .arg(g->tlId())
                     .arg(nodes.join(QLatin1Char(',')));
        for (const SignalGroup *s : g->signalGroups())
            lines << QStringLiteral("group %1 '%2' tl %3 c%4 w%5")
                         .arg(s->id())
                         .arg(s->objectName())
                         .arg(s->tlId())
                         .arg(s->connectionCount())
                         .arg(s->crossWalkCount());
    }
    if (const GeoUtil *geo = net.geoUtil())
        lines << QStringLiteral("origin %1,%2")
                     .arg(geo->originLon(), 0, 'g', 12)
                     .arg(geo->originLat(), 0, 'g', 12);
    return lines;
}

bool anyTrue(const QSignalSpy &spy)
{
    for (const QList<QVariant> &args : spy) {
        if (args.value(0).toBool())
            return true;
    }
    return false;
}

} // namespace

class TestNetwork : public QObject
{
    Q_OBJECT
private slots:
    void fileRoundTrip()
    {
        Network net;
        FourArmJunction junction(net);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("junction.hm58a"));
        QVERIFY2(net.save(path, true, false), qPrintable(net.errorString()));
        QCOMPARE(net.fileName(), path);
        // The checked-in file is what the hand-made junction writes.
        QCOMPARE(
            TestSupport::readFile(path),
            TestSupport::readFile(TestSupport::dataPath(QStringLiteral("network/four_arm.hm58a"))));

        Network loaded;
        QSignalSpy changed(&loaded, &Network::changed);
        QVERIFY2(loaded.load(path, false), qPrintable(loaded.errorString()));
        QVERIFY(!anyTrue(changed));
        QVERIFY(!loaded.isChanged());
        QCOMPARE(describe(loaded), describe(net));
        QCOMPARE(loaded.findChildren<Connection *>().size(), 5);

        // A second save of what was loaded writes the same bytes.
        const QString again = dir.filePath(QStringLiteral("again.hm58a"));
        QVERIFY(loaded.save(again, true, false));
        QCOMPARE(TestSupport::readFile(again), TestSupport::readFile(path));
    }

    void streamRoundTripWritesOneNetworkElement()
    {
        Network net;
        FourArmJunction junction(net);
        const QByteArray bytes = streamBytes(net);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(!net.isChanged());

        // Exactly one top-level element, named "Network".
        QXmlStreamReader check(bytes);
        int topLevel = 0;
        int depth = 0;
        while (!check.atEnd()) {
            check.readNext();
            if (check.isStartElement()) {
                if (depth++ == 0) {
                    ++topLevel;
                    QCOMPARE(check.name().toString(), QStringLiteral("Network"));
                }
            } else if (check.isEndElement()) {
                --depth;
            }
        }
        QVERIFY(!check.hasError());
        QCOMPARE(topLevel, 1);

        // Read back from a block cut out of a larger text, as the container does.
        const QByteArray container
            = "<UniConf version=\"0.1\">\n<Controller/>\n" + bytes + "</UniConf>";
        const int start = container.indexOf("<Network");
        const int end = container.indexOf("</Network") + 10;
        QXmlStreamReader reader(container.mid(start, end - start));
        Network loaded;
        QVERIFY2(loaded.load(reader, false), qPrintable(loaded.errorString()));
        QCOMPARE(describe(loaded), describe(net));
    }

    void compactSaveHasNoIndentation()
    {
        Network net;
        FourArmJunction junction(net);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("compact.hm58a"));
        QVERIFY(net.save(path, false, true));
        QVERIFY(!TestSupport::readFile(path).contains("\n    <"));
        Network loaded;
        QVERIFY(loaded.load(path, false));
        QCOMPARE(describe(loaded), describe(net));
    }

    void changedFollowsEditsSavesAndLoads()
    {
        Network net;
        FourArmJunction junction(net);
        QVERIFY(net.isChanged());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("j.hm58a"));

        // A copy leaves the network changed; a save resets it.
        QVERIFY(net.save(path, false, false));
        QVERIFY(net.isChanged());
        QSignalSpy changed(&net, &Network::changed);
        QVERIFY(net.save(path, true, false));
        QVERIFY(!net.isChanged());
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.takeFirst().value(0).toBool(), false);

        // Each kind of edit announces itself.
        junction.groups[0]->setTlId(7);
        junction.groups[1]->removeConnection(junction.connections.value(QStringLiteral("EW")));
        junction.detector->setTlId(9);
        junction.centre->setPos(QPointF(1, 1));
        delete junction.crossWalk;
        junction.granule->setObjectName(QStringLiteral("12"));
        QCOMPARE(changed.size(), 6);
        for (const QList<QVariant> &args : qAsConst(changed))
            QCOMPARE(args.value(0).toBool(), true);
        QVERIFY(net.isChanged());

        // Setting what is already there is no edit.
        changed.clear();
        junction.groups[0]->setTlId(7);
        junction.detector->setTlId(9);
        QCOMPARE(changed.size(), 0);

        // A load never announces an edit, and leaves the network unchanged.
        QVERIFY(net.load(path, false));
        QVERIFY(!anyTrue(changed));
        QVERIFY(!net.isChanged());
    }

    void mergeAddsUnderNewNumbers()
    {
        Network net;
        FourArmJunction junction(net);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("j.hm58a"));
        QVERIFY(net.save(path, true, false));
        const int before = net.objectCount();

        QSignalSpy changed(&net, &Network::changed);
        QVERIFY2(net.load(path, true), qPrintable(net.errorString()));
        QVERIFY(!anyTrue(changed));
        QCOMPARE(net.objectCount(), 2 * before);
        QCOMPARE(net.findChildren<Granule *>().size(), 2);
        QVERIFY(net.isChanged());
        // Every number stays unique.
        QSet<int> ids;
        for (const NetObject *object : net.findChildren<NetObject *>())
            ids.insert(object->id());
        QCOMPARE(ids.size(), net.objectCount());
        QVERIFY(!ids.contains(0));
    }

    void objectRemovedArrivesWhileObjectIsWhole()
    {
        Network net;
        FourArmJunction junction(net);
        QStringList seen;
        connect(&net, &Network::objectRemoved, this, [&seen](NetObject *object) {
            QString line = QString::fromLatin1(object->metaObject()->className());
            if (auto *group = qobject_cast<SignalGroup *>(object))
                line += QStringLiteral(" %1 %2 %3")
                            .arg(group->objectName())
                            .arg(group->connectionCount())
                            .arg(group->connection(0)->signalGroups().size());
            if (auto *connection = qobject_cast<Connection *>(object))
                line += QStringLiteral(" groups %1").arg(connection->signalGroups().size());
            seen << line;
        });

        Connection *ns = junction.connections.value(QStringLiteral("NS"));
        delete junction.groups.takeFirst();
        QCOMPARE(seen, QStringList { QStringLiteral("Halm58a::SignalGroup 1 2 1") });
        // The group is gone from its connections; they stay in the network.
        QVERIFY(ns->signalGroups().isEmpty());
        QCOMPARE(net.findChildren<Connection *>().size(), 5);

        seen.clear();
        Connection *ew = junction.connections.value(QStringLiteral("EW"));
        delete ew;
        QCOMPARE(seen, QStringList { QStringLiteral("Halm58a::Connection groups 1") });
        QCOMPARE(junction.groups.first()->connectionCount(), 1);

        // Deleting a crosswalk frees its group's slot.
        delete junction.crossWalk;
        QCOMPARE(junction.groups.at(1)->crossWalkCount(), 0);
    }

    void deletingALaneTakesItsConnections()
    {
        Network net;
        FourArmJunction junction(net);
        QList<QByteArray> kinds;
        connect(&net, &Network::objectRemoved, this,
                [&kinds](NetObject *object) { kinds << object->metaObject()->className(); });
        delete junction.in.value(QLatin1Char('N'));
        // NS and NW start on that lane; the lane's detector and lines go too.
        QCOMPARE(net.findChildren<Connection *>().size(), 3);
        QCOMPARE(kinds.count("Halm58a::Connection"), 2);
        QCOMPARE(kinds.count("Halm58a::Detector"), 1);
        QCOMPARE(kinds.count("Halm58a::Stopline"), 2);
        QCOMPARE(junction.groups.at(3)->connectionCount(), 0);
    }

    void deletingANodeTakesItsEdges()
    {
        Network net;
        FourArmJunction junction(net);
        QList<QByteArray> kinds;
        connect(&net, &Network::objectRemoved, this,
                [&kinds](NetObject *object) { kinds << object->metaObject()->className(); });
        delete junction.arms.value(QLatin1Char('N'));
        // Both edges of the arm, their lanes and the three movements that used them.
        QCOMPARE(kinds.count("Halm58a::Edge"), 2);
        QCOMPARE(kinds.count("Halm58a::Lane"), 2);
        QCOMPARE(kinds.count("Halm58a::Connection"), 3);
        QCOMPARE(junction.centre->edges().size(), 6);
        QCOMPARE(net.findChildren<Edge *>().size(), 6);
        QCOMPARE(junction.granule->nodes().size(), 4);

        // What is left saves into a file that loads again.
        const QByteArray bytes = streamBytes(net);
        QXmlStreamReader reader(bytes);
        Network loaded;
        QVERIFY2(loaded.load(reader, false), qPrintable(loaded.errorString()));
        QCOMPARE(describe(loaded), describe(net));
        net.clear();
        QCOMPARE(net.objectCount(), 0);
    }

    void partsDeletedOnTheirOwnLeaveASavableNetwork()
    {
        Network net;
        FourArmJunction junction(net);
        Lane *north = junction.in.value(QLatin1Char('N'));
        QPointer<Stopline> line = north->stopline();
        const int oldId = line->id();
        delete line.data();
        // A lane always has both lines: a new one takes the place of the old.
        QVERIFY(north->stopline());
        QVERIFY(north->stopline()->id() != oldId);
        QCOMPARE(north->stopline()->kind(), Stopline::Stop);
        QCOMPARE(north->stopline()->connections().size(), 2);

        // A connection made into the lane it leaves goes once with the lane.
        Lane *south = junction.in.value(QLatin1Char('S'));
        auto *loop = new Connection(south, south, nullptr);
        net.addItem(loop, junction.centre);
        delete south;
        // SN and the loop are gone.
        QCOMPARE(net.findChildren<Connection *>().size(), 4);

        // A connection left below the network itself goes with its lane too.
        auto *loose = new Connection(junction.in.value(QLatin1Char('E')),
                                     junction.out.value(QLatin1Char('W')), nullptr);
        net.addItem(loose);
        QCOMPARE(loose->parent(), &net);
        net.clear();
        QCOMPARE(net.objectCount(), 0);

        FourArmJunction again(net);
        QXmlStreamReader reader(streamBytes(net));
        Network loaded;
        QVERIFY2(loaded.load(reader, false), qPrintable(loaded.errorString()));
    }

    void groupsNameOnlyWhatTheFileHolds()
    {
        // A connection or crosswalk without a junction, or a lane of an edge
        // without its nodes, has no place in the file; a group that holds one
        // still saves into a file that loads, with the rest of its members.
        Network net;
        FourArmJunction junction(net);
        auto *loose = new Connection(junction.in.value(QLatin1Char('E')),
                                     junction.out.value(QLatin1Char('S')), nullptr);
        net.addItem(loose);
        auto *looseWalk = new CrossWalk(nullptr);
        net.addItem(looseWalk);
        auto *roadless = new Edge(nullptr, nullptr);
        auto *roadlessLane = new Lane(roadless);
        net.addItem(roadless);
        auto *intoNowhere
            = new Connection(junction.in.value(QLatin1Char('W')), roadlessLane, nullptr);
        net.addItem(intoNowhere, junction.centre);
        junction.groups.at(1)->addConnection(loose);
        junction.groups.at(1)->addConnection(intoNowhere);
        junction.groups.at(0)->addCrossWalk(looseWalk);

        QXmlStreamReader reader(streamBytes(net));
        Network loaded;
        QVERIFY2(loaded.load(reader, false), qPrintable(loaded.errorString()));
        const SignalGroup *second = loaded.findChild<SignalGroup *>(QStringLiteral("2"));
        const SignalGroup *first = loaded.findChild<SignalGroup *>(QStringLiteral("1"));
        QVERIFY(second && first);
        QCOMPARE(second->connectionCount(), 2);
        QCOMPARE(first->connectionCount(), 2);
        QCOMPARE(first->crossWalkCount(), 0);
        QCOMPARE(loaded.findChildren<Connection *>().size(), 5);
    }

    void settersRefuseWhatTheFileCannotHold()
    {
        Network net;
        FourArmJunction junction(net);
        const QStringList before = describe(net);
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QSignalSpy changed(&net, &Network::changed);
        junction.centre->setPos(QPointF(inf, 0));
        junction.centre->setPos(QPointF(0, nan));
        junction.centre->setRadius(-1);
        junction.centre->setShape(GeoShape({ QPointF(0, 0), QPointF(nan, 1) }));
        junction.in.value(QLatin1Char('N'))->setWidth(0);
        junction.in.value(QLatin1Char('N'))->setWidth(-3.5);
        junction.in.value(QLatin1Char('N'))->edge()->setBendPoints({ QPointF(inf, inf) });
        junction.connections.value(QStringLiteral("NS"))->setBendPoints({ QPointF(1, nan) });
        junction.crossWalk->setWidth(nan);
        junction.detector->setPosition(inf);
        junction.detector->setLength(nan);
        QCOMPARE(changed.size(), 0);
        QCOMPARE(describe(net), before);
        QVERIFY(junction.centre->shape().isEmpty());
        QVERIFY(junction.connections.value(QStringLiteral("NS"))->bendPoints().isEmpty());
        QCOMPARE(junction.detector->length(), 2.0);

        // Values in range are taken, a radius of 0 included.
        junction.centre->setRadius(0);
        junction.in.value(QLatin1Char('N'))->setWidth(3.0);
        QCOMPARE(junction.centre->radius(), 0.0);
        QCOMPARE(junction.in.value(QLatin1Char('N'))->width(), 3.0);
        QCOMPARE(changed.size(), 2);
    }

    void namesWithCharactersXmlCannotCarry()
    {
        Network net;
        FourArmJunction junction(net);
        net.setObjectName(QStringLiteral("net") + QChar(2));
        junction.centre->setObjectName(QStringLiteral("a") + QChar(1) + QStringLiteral("b")
                                       + QChar(0xD800) + QStringLiteral("\t<&>\"\r\n")
                                       + QString::fromUtf8("\xF0\x9F\x9A\xA6"));
        const QByteArray bytes = streamBytes(net);
        QVERIFY2(!bytes.isEmpty(), qPrintable(net.errorString()));
        QXmlStreamReader reader(bytes);
        Network loaded;
        QVERIFY2(loaded.load(reader, false), qPrintable(loaded.errorString()));
        // Only what XML cannot carry is dropped; blanks, markup and other planes stay.
        QCOMPARE(loaded.objectName(), QStringLiteral("net"));
        QCOMPARE(loaded.findChild<Node *>()->objectName(),
                 QStringLiteral("ab\t<&>\"\r\n") + QString::fromUtf8("\xF0\x9F\x9A\xA6"));
    }

    void crosswalkNotDrawnYetSavesAndLoads()
    {
        Network net;
        FourArmJunction junction(net);
        auto *undrawn = new CrossWalk(nullptr);
        net.addItem(undrawn, junction.centre);
        junction.groups.at(2)->addCrossWalk(undrawn);
        // A single point is no line and is refused.
        undrawn->setShape(GeoShape({ QPointF(1, 1) }));
        QVERIFY(undrawn->shape().isEmpty());

        QXmlStreamReader reader(streamBytes(net));
        Network loaded;
        QVERIFY2(loaded.load(reader, false), qPrintable(loaded.errorString()));
        QCOMPARE(describe(loaded), describe(net));
        QCOMPARE(loaded.findChildren<CrossWalk *>().size(), 2);
        // It crosses nothing.
        QVERIFY(
            loaded.findConflictMatrix(loaded.findChildren<SignalGroup *>(), false, true, nullptr));
    }

    void movingACrosswalkReportsBothGroups()
    {
        Network net;
        FourArmJunction junction(net);
        SignalGroup *from = junction.groups.at(2);
        SignalGroup *to = junction.groups.at(0);
        QSignalSpy modified(&net, &Network::objectModified);
        to->addCrossWalk(junction.crossWalk);
        QCOMPARE(from->crossWalkCount(), 0);
        QCOMPARE(to->crossWalk(0), junction.crossWalk);
        QCOMPARE(junction.crossWalk->signalGroup(), to);
        QList<NetObject *> reported;
        for (const QList<QVariant> &args : qAsConst(modified))
            reported << args.value(0).value<NetObject *>();
        QVERIFY(reported.contains(from));
        QVERIFY(reported.contains(to));
    }

    void signalGroupKeepsItsNameAgainstOutsideRenames()
    {
        Network net;
        FourArmJunction junction(net);
        SignalGroup *group = junction.groups.at(1);
        QSignalSpy modified(&net, &Network::objectModified);
        group->setObjectName(QStringLiteral("west"));
        QCOMPARE(group->objectName(), QStringLiteral("2"));
        QCOMPARE(net.findChild<SignalGroup *>(QStringLiteral("2")), group);
        // The last notice carries the name that stands, for views that show it.
        QVERIFY(!modified.isEmpty());
        QCOMPARE(modified.last().value(0).value<NetObject *>(), static_cast<NetObject *>(group));
    }

    void objectNameFollowsTlId_data()
    {
        QTest::addColumn<int>("tlId");
        QTest::newRow("ordinary") << 17;
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -3;
    }

    void objectNameFollowsTlId()
    {
        QFETCH(int, tlId);
        Network net;
        FourArmJunction junction(net);
        auto *group = new SignalGroup(junction.granule);
        QCOMPARE(group->objectName(), QStringLiteral("0"));
        net.addItem(group, 0);
        group->setTlId(tlId);
        QCOMPARE(group->objectName(), QString::number(tlId));
        QCOMPARE(net.findChild<SignalGroup *>(QString::number(tlId)), group);
    }

    void addItemPlacesAndNumbers()
    {
        Network net;
        auto *a = new Node;
        auto *b = new Node;
        net.addItem(a, 0);
        net.addItem(b, 0);
        QCOMPARE(a->parent(), &net);
        QVERIFY(a->id() > 0);
        QVERIFY(a->id() != b->id());
        QCOMPARE(net.findObject(a->id()), a);

        // A granule made over nodes with a group below it comes in whole.
        auto *granule = new Granule({ a, b });
        auto *group = new SignalGroup(granule);
        QCOMPARE(group->id(), 0);
        net.addItem(granule, 0);
        QCOMPARE(granule->parent(), &net);
        QVERIFY(group->id() > 0);
        QCOMPARE(net.findObject(group->id()), group);
        QCOMPARE(granule->nodes(), (QList<Node *> { a, b }));
        delete b;
        QCOMPARE(granule->nodes(), QList<Node *> { a });
    }

    void laneGeometryAndLines()
    {
        Network net;
        FourArmJunction junction(net);
        Lane *north = junction.in.value(QLatin1Char('N'));
        // Southbound, the right-hand side is west; the lane stops at the junction's edge.
        QCOMPARE(north->stopPoint(), QPointF(-1.75, 10));
        QCOMPARE(north->startPoint(), QPointF(-1.75, 100));
        QVERIFY(north->hasStopline(junction.centre));
        QVERIFY(!north->hasStartline(junction.centre));
        QVERIFY(north->hasStartline(junction.arms.value(QLatin1Char('N'))));
        QCOMPARE(north->stopline()->connections().size(), 2);
        QCOMPARE(junction.out.value(QLatin1Char('W'))->startline()->connections().size(), 2);
        QCOMPARE(junction.connections.value(QStringLiteral("NS"))->junction(), junction.centre);
        QCOMPARE(junction.centre->edges().size(), 8);
        QCOMPARE(junction.arms.value(QLatin1Char('N'))->edges().size(), 2);
    }

    void dotExportHasEveryNodeAndEdge()
    {
        Network net;
        FourArmJunction junction(net);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("net.dot"));
        QVERIFY2(net.exportToDOT(path), qPrintable(net.errorString()));
        const QString text = QString::fromUtf8(TestSupport::readFile(path));
        QVERIFY(text.startsWith(QStringLiteral("digraph ")));
        QVERIFY(text.trimmed().endsWith(QLatin1Char('}')));
        const auto nodes = net.findChildren<Node *>();
        QCOMPARE(nodes.size(), 5);
        for (const Node *node : nodes)
            QVERIFY2(text.contains(QStringLiteral("    n%1 [").arg(node->id())), qPrintable(text));
        const auto edges = net.findChildren<Edge *>();
        QCOMPARE(edges.size(), 8);
        for (const Edge *edge : edges)
            QVERIFY(text.contains(
                QStringLiteral("n%1 -> n%2").arg(edge->from()->id()).arg(edge->to()->id())));
        QCOMPARE(text.count(QStringLiteral(" -> ")), 8);

        QVERIFY(!net.exportToDOT(dir.filePath(QStringLiteral("missing/dir/net.dot"))));
        QVERIFY(!net.errorString().isEmpty());
    }

    void saveToUnwritablePlaceFails()
    {
        Network net;
        FourArmJunction junction(net);
        QTemporaryDir dir;
        QVERIFY(!net.save(dir.filePath(QStringLiteral("missing/j.hm58a")), true, false));
        QVERIFY(!net.errorString().isEmpty());
        QVERIFY(net.isChanged());
    }

    void signalsHaveTheSignaturesCallersConnectTo()
    {
        // Callers connect by name, with the namespace written out.
        const QMetaObject &meta = Network::staticMetaObject;
        QVERIFY(meta.indexOfSignal("changed(bool)") >= 0);
        QVERIFY(meta.indexOfSignal("objectRemoved(Halm58a::NetObject*)") >= 0);
    }

    void shapeMeasures_data()
    {
        QTest::addColumn<double>("distance");
        QTest::addColumn<QPointF>("point");
        QTest::newRow("before the start") << -5.0 << QPointF(0, 0);
        QTest::newRow("first leg") << 3.0 << QPointF(3, 0);
        QTest::newRow("bend") << 10.0 << QPointF(10, 0);
        QTest::newRow("second leg") << 14.0 << QPointF(10, 4);
        QTest::newRow("past the end") << 99.0 << QPointF(10, 5);
    }

    void shapeMeasures()
    {
        QFETCH(double, distance);
        QFETCH(QPointF, point);
        const GeoShape shape({ QPointF(0, 0), QPointF(10, 0), QPointF(10, 5) });
        QCOMPARE(shape.length(), 15.0);
        QCOMPARE(shape.pointAt(distance), point);
        QCOMPARE(shape.boundingRect(), QRectF(0, 0, 10, 5));
        QVERIFY(GeoShape().boundingRect().isNull());
        QCOMPARE(GeoShape::unitRect(QPointF(2, 3)), QRectF(1.5, 2.5, 1, 1));
    }

    void geoConversionRoundTrip()
    {
        GeoUtil geo(30.3276, 60.0034);
        QRectF rect(30.32, 60.0, 0.01, 0.005);
        const QRectF original = rect;
        geo.geoToXY(&rect);
        // 0.005 degrees of latitude is about 556 m; 0.01 of longitude at 60 N about 556 m.
        QVERIFY(qAbs(rect.height() - 556.6) < 1.0);
        QVERIFY(qAbs(rect.width() - 556.6) < 2.0);
        geo.xyToGeo(&rect);
        QVERIFY(qAbs(rect.left() - original.left()) < 1e-9);
        QVERIFY(qAbs(rect.bottom() - original.bottom()) < 1e-9);
        QCOMPARE(geo.geoToXY(QPointF(30.3276, 60.0034)), QPointF(0, 0));
    }

    void clearEmptiesAndResets()
    {
        Network net;
        FourArmJunction junction(net);
        QSignalSpy removed(&net, &Network::objectRemoved);
        net.clear();
        QCOMPARE(net.objectCount(), 0);
        QVERIFY(net.findChildren<NetObject *>().isEmpty());
        QVERIFY(!net.isChanged());
        QVERIFY(!net.geoUtil());
        QVERIFY(removed.size() > 20);
    }

    void nameComesWithTheContent()
    {
        // A name from an earlier file must not stick to the next one, nor to an empty network.
        QXmlStreamReader named(QByteArray("<Network version=\"1\" name=\"first\"/>"));
        QXmlStreamReader unnamed(QByteArray("<Network version=\"1\"/>"));
        Network net;
        QVERIFY(net.load(named, false));
        QCOMPARE(net.objectName(), QStringLiteral("first"));
        QVERIFY(net.load(unnamed, false));
        QCOMPARE(net.objectName(), QString());
        net.setObjectName(QStringLiteral("12"));
        net.clear();
        QCOMPARE(net.objectName(), QString());
    }

    void largeNetworkLoads()
    {
        Network net;
        buildGridNetwork(net, 22);
        QVERIFY(net.objectCount() >= 10000);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grid.hm58a"));
        QVERIFY(net.save(path, true, true));
        Network loaded;
        QVERIFY2(loaded.load(path, false), qPrintable(loaded.errorString()));
        QCOMPARE(loaded.objectCount(), net.objectCount());
    }

    // A file that needs more memory than is left fails like a broken file, in a
    // child process whose address space is limited: an error that names the file,
    // no abort, the loaded network kept, and the memory free for the next load.
    void fileTooLargeForTheMemoryLeft()
    {
        if (!TestSupport::addressSpaceLimitWorks())
            QSKIP("AddressSanitizer cannot run under an address-space limit");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.hm58a"));
        // One name of 48 MB: twice that once read as text, beyond the headroom below.
        QByteArray text("<?xml version=\"1.0\"?><Network version=\"1\" name=\"");
        text.append(48 * 1024 * 1024, 'a');
        text.append("\"/>");
        QVERIFY(TestSupport::writeFile(path, text));
        text.clear();
        const QString fixture = TestSupport::dataPath(QStringLiteral("network/four_arm.hm58a"));

        const TestSupport::ChildEnd end = TestSupport::runInChild([&](int outputFd) {
            Network net;
            if (!net.load(fixture, false))
                return 5;
            const int before = net.objectCount();
            if (!TestSupport::limitAddressSpace(64 * 1024 * 1024))
                return 3;
            if (net.load(path, false))
                return 0;
            const QByteArray error = net.errorString().toUtf8();
            if (::write(outputFd, error.constData(), size_t(error.size())) < 0)
                return 4;
            if (net.objectCount() != before || net.fileName() != fixture)
                return 6;
            return net.load(fixture, false) ? 1 : 2;
        });
        QVERIFY2(end.exited, qPrintable(QStringLiteral("ended by signal %1").arg(end.signal)));
        QCOMPARE(QString::fromUtf8(end.output),
                 QStringLiteral("Not enough memory to load %1").arg(path));
        QCOMPARE(end.exitCode, 1);
    }
};

PROJECT_TEST(TestNetwork);
#include "tst_network.moc"
