#include "../halm58a/fourarmjunction.h"
#include "halm58a/geoutil.h"
#include "halm58a/stopline.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/networkg.h"
#include "layer.h"
#include "testmain.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QTemporaryDir>
#include <QtTest>

using namespace Halm58a;
using Halm58ga::GenericGraphicsItem;
using Halm58ga::Networkg;

namespace {

int objectItemCount(const QGraphicsScene &scene, const Networkg &net)
{
    int items = 0;
    for (QGraphicsItem *item : scene.items())
        items += net.item2object(item) ? 1 : 0;
    return items;
}

} // namespace

class TestNetworkg : public QObject
{
    Q_OBJECT
private slots:
    void itemPerObjectWithItsType()
    {
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        QCOMPARE(net->parent(), &scene);
        FourArmJunction junction(*net);

        const struct
        {
            NetObject *object;
            int type;
        } expected[] = {
            { junction.centre, 65537 },
            { junction.connections.value(QStringLiteral("NS")), 65538 },
            { junction.crossWalk, 65539 },
            { junction.detector, 65540 },
            { junction.in.value(QLatin1Char('N'))->edge(), 65541 },
            { junction.in.value(QLatin1Char('N')), 65542 },
            { junction.in.value(QLatin1Char('N'))->stopline(), 65543 },
        };
        for (const auto &e : expected) {
            GenericGraphicsItem *item = net->object2item(e.object);
            QVERIFY2(item, e.object->metaObject()->className());
            QCOMPARE(item->type(), e.type);
            QCOMPARE(item->scene(), &scene);
            QCOMPARE(net->item2object(item), e.object);
        }
        QVERIFY(!net->object2item(junction.granule));
        QVERIFY(!net->object2item(junction.groups.first()));
        QVERIFY(!net->item2object(net->layers().first()));
        QVERIFY(!net->item2object(nullptr));

        // 5 nodes, 8 edges, 8 lanes, 16 lines, 5 connections, 1 crosswalk, 1 detector.
        QCOMPARE(objectItemCount(scene, *net), 44);
    }

    void itemsFollowTheModel()
    {
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        FourArmJunction junction(*net);
        Connection *ns = junction.connections.value(QStringLiteral("NS"));
        GenericGraphicsItem *item = net->object2item(ns);
        const QRectF before = item->shape().boundingRect();

        // Moving a node moves the paths that end near it.
        junction.centre->setPos(QPointF(5, 0));
        QVERIFY(item->shape().boundingRect() != before);

        delete ns;
        QVERIFY(!net->object2item(ns));
        const int remaining = scene.items().size();
        QVERIFY(remaining > 0);

        net->clear();
        QCOMPARE(scene.items().size(), net->layers().size());
    }

    void loadDrawsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("j.hm58a"));
        {
            Network plain;
            FourArmJunction junction(plain);
            QVERIFY(plain.save(path, true, false));
        }
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        QVERIFY2(net->load(path, false), qPrintable(net->errorString()));
        const auto nodes = net->findChildren<Node *>();
        QCOMPARE(nodes.size(), 5);
        for (Node *node : nodes)
            QVERIFY(net->object2item(node));

        // The whole junction, in degrees around the origin.
        const QRectF area = net->boundingRect();
        QVERIFY(area.contains(QPointF(30.3276, 60.0034)));
        QVERIFY(area.width() < 0.01 && area.height() < 0.01);
        QVERIFY(area.width() > 0.003);

        // Loading again replaces the items.
        QVERIFY(net->load(path, false));
        QCOMPARE(objectItemCount(scene, *net), 44);
    }

    void highlightAndLayers()
    {
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        FourArmJunction junction(*net);
        GenericGraphicsItem *item = net->object2item(junction.crossWalk);
        QVERIFY(!item->highlightColor().isValid());
        item->setHighlightColor(QColor("#fccbcb"));
        QCOMPARE(item->highlightColor(), QColor("#fccbcb"));
        item->removeHighlightColor();
        QVERIFY(!item->highlightColor().isValid());

        QStringList names;
        for (Halm58ga::Layer *layer : net->layers())
            names << layer->objectName();
        QCOMPARE(names,
                 (QStringList { "edges", "lanes", "nodes", "crosswalks", "stoplines", "connections",
                                "detectors" }));
        net->layer(QStringLiteral("crosswalks"))->setVisible(false);
        QVERIFY(!item->isVisible());
    }

    void foreignItemsOfTheSameTypeAreNoObjects()
    {
        // Another part of the program may draw its own items with user types.
        struct Marker : QGraphicsRectItem
        {
            int type() const override { return GenericGraphicsItem::ConnectionType; }
        };
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        FourArmJunction junction(*net);
        auto *marker = new Marker;
        marker->setRect(QRectF(30.3276, 60.0034, 0.001, 0.001));
        scene.addItem(marker);
        QCOMPARE(marker->type(), 65538);
        QVERIFY(!net->item2object(marker));
        QCOMPARE(objectItemCount(scene, *net), 44);
    }

    void highlightIsOverridable()
    {
        // Callers set and remove the highlight through the base type that
        // object2item gives; a drawing of its own may change how it shows.
        struct Recording : GenericGraphicsItem
        {
            using GenericGraphicsItem::GenericGraphicsItem;
            void setHighlightColor(const QColor &color) override { colors << color.name(); }
            void removeHighlightColor() override { colors << QStringLiteral("none"); }
            QStringList colors;
        };
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        FourArmJunction junction(*net);
        Recording item(GenericGraphicsItem::ConnectionKind,
                       junction.connections.value(QStringLiteral("NS")), net);
        GenericGraphicsItem *base = &item;
        base->setHighlightColor(QColor("#cbfcd1"));
        base->removeHighlightColor();
        QCOMPARE(item.colors, (QStringList { "#cbfcd1", "none" }));
    }

    void sceneDeletionTakesTheNetwork()
    {
        auto *scene = new QGraphicsScene;
        QPointer<Networkg> net = new Networkg(scene);
        FourArmJunction junction(*net);
        delete scene;
        QVERIFY(net.isNull());
    }

    void networkWithoutOriginIsDrawnAtZero()
    {
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        auto *node = new Node;
        node->setPos(QPointF(0, 0));
        net->addItem(node);
        QVERIFY(net->object2item(node)->shape().boundingRect().contains(QPointF(0, 0)));
        // Setting an origin moves the drawing there.
        net->setGeoOrigin(30.0, 60.0);
        QVERIFY(net->object2item(node)->shape().boundingRect().contains(QPointF(30.0, 60.0)));
    }

    void planeRectanglesMapOntoTheDrawing_data()
    {
        QTest::addColumn<bool>("withOrigin");
        QTest::newRow("own origin") << true;
        QTest::newRow("no origin") << false;
    }

    // A caller frames the junction from its nodes' plane rectangles, converted
    // with the network's GeoUtil when it has one: that must land on the items.
    void planeRectanglesMapOntoTheDrawing()
    {
        QFETCH(bool, withOrigin);
        QGraphicsScene scene;
        auto *net = new Networkg(&scene);
        if (withOrigin)
            net->setGeoOrigin(30.0, 60.0);
        // An empty network without origin has nothing to place on the map.
        QCOMPARE(bool(net->geoUtil()), withOrigin);
        QList<Node *> nodes;
        for (const QPointF &pos : { QPointF(0, 0), QPointF(120, 0), QPointF(0, 80) }) {
            auto *node = new Node;
            node->setPos(pos);
            net->addItem(node);
            nodes << node;
        }
        QRectF framed;
        for (const Node *node : nodes) {
            const GeoShape shape = node->shape();
            framed |= shape.isEmpty() ? GeoShape::unitRect(node->pos()) : shape.boundingRect();
        }
        QVERIFY(net->geoUtil());
        net->geoUtil()->xyToGeo(&framed);
        QCOMPARE(net->hasGeoOrigin(), withOrigin);
        for (const Node *node : nodes)
            QVERIFY(framed.contains(
                net->object2item(const_cast<Node *>(node))->shape().boundingRect().center()));
        // About the size of the junction: a few metres of slack, not degrees.
        const QPointF slack = net->metresToScene(5);
        const QRectF drawn = net->boundingRect();
        QVERIFY(framed.width() < drawn.width() + slack.x()
                && framed.height() < drawn.height() + slack.y());

        // Only an origin of the network's own is written and read back.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("net.hm58a"));
        QVERIFY2(net->save(path, true, false), qPrintable(net->errorString()));
        Network reread;
        QVERIFY2(reread.load(path, false), qPrintable(reread.errorString()));
        QCOMPARE(reread.hasGeoOrigin(), withOrigin);
        QCOMPARE(bool(reread.geoUtil()), withOrigin);
    }
};

PROJECT_TEST(TestNetworkg);
#include "tst_networkg.moc"
