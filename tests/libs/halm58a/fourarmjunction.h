#pragma once

#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/detector.h"
#include "halm58a/edge.h"
#include "halm58a/granule.h"
#include "halm58a/lane.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"

#include <QHash>

// A four-arm junction built by hand: centre node J (radius 10 m) and arm nodes
// 100 m to the north, east, south and west; one lane in and one lane out per
// arm. Signal groups of granule 12:
//   1: north-south through (both directions)
//   2: east-west through (both directions)
//   3: crosswalk over the north side of the junction (y = 8, x from -8 to 8)
//   4: right turn from north to west (merges with west-bound through traffic)
// Conflicts: 1-2 cross, 1-3 cross, 3-4 cross, 2-4 merge; 1-4 and 2-3 none.
// A detector with tlId 5 lies on the northern approach lane.
struct FourArmJunction
{
    Halm58a::Node *centre = nullptr;
    QHash<QChar, Halm58a::Node *> arms;
    QHash<QChar, Halm58a::Lane *> in;
    QHash<QChar, Halm58a::Lane *> out;
    QHash<QString, Halm58a::Connection *> connections;
    Halm58a::CrossWalk *crossWalk = nullptr;
    Halm58a::Detector *detector = nullptr;
    Halm58a::Granule *granule = nullptr;
    QList<Halm58a::SignalGroup *> groups;

    explicit FourArmJunction(Halm58a::Network &net)
    {
        using namespace Halm58a;
        net.setGeoOrigin(30.3276, 60.0034);
        centre = new Node;
        centre->setObjectName(QStringLiteral("J"));
        centre->setRadius(10);
        net.addItem(centre);
        const QHash<QChar, QPointF> at { { QLatin1Char('N'), QPointF(0, 100) },
                                         { QLatin1Char('E'), QPointF(100, 0) },
                                         { QLatin1Char('S'), QPointF(0, -100) },
                                         { QLatin1Char('W'), QPointF(-100, 0) } };
        for (QChar arm :
             { QLatin1Char('N'), QLatin1Char('E'), QLatin1Char('S'), QLatin1Char('W') }) {
            auto *node = new Node;
            node->setPos(at.value(arm));
            net.addItem(node);
            arms.insert(arm, node);
            auto *inEdge = new Edge(node, centre);
            in.insert(arm, new Lane(inEdge));
            net.addItem(inEdge);
            auto *outEdge = new Edge(centre, node);
            out.insert(arm, new Lane(outEdge));
            net.addItem(outEdge);
        }
        for (const QString &move :
             { QStringLiteral("NS"), QStringLiteral("SN"), QStringLiteral("EW"),
               QStringLiteral("WE"), QStringLiteral("NW") }) {
            auto *c = new Connection(in.value(move.at(0)), out.value(move.at(1)), nullptr);
            net.addItem(c, centre);
            connections.insert(move, c);
        }
        crossWalk = new CrossWalk(nullptr);
        crossWalk->setShape(Halm58a::GeoShape({ QPointF(-8, 8), QPointF(8, 8) }));
        net.addItem(crossWalk, centre);
        detector = new Detector(nullptr);
        detector->setTlId(5);
        detector->setPosition(40);
        net.addItem(detector, in.value(QLatin1Char('N')));

        granule = new Granule({ centre, arms.value(QLatin1Char('N')), arms.value(QLatin1Char('E')),
                                arms.value(QLatin1Char('S')), arms.value(QLatin1Char('W')) });
        granule->setTlId(12);
        net.addItem(granule);
        for (int id = 1; id <= 4; ++id) {
            auto *group = new SignalGroup(granule);
            group->setTlId(id);
            net.addItem(group);
            groups.append(group);
        }
        groups[0]->addConnection(connections.value(QStringLiteral("NS")));
        groups[0]->addConnection(connections.value(QStringLiteral("SN")));
        groups[1]->addConnection(connections.value(QStringLiteral("EW")));
        groups[1]->addConnection(connections.value(QStringLiteral("WE")));
        groups[2]->addCrossWalk(crossWalk);
        groups[3]->addConnection(connections.value(QStringLiteral("NW")));
    }
};
