#pragma once

#include "halm58a/connection.h"
#include "halm58a/edge.h"
#include "halm58a/granule.h"
#include "halm58a/lane.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"

#include <QVector>

// Fills a network with a square grid of junctions, 50 m apart: two one-lane
// edges between neighbours and every turn except the U-turn at each node.
// size 22 gives a little over 12,000 objects.
inline void buildGridNetwork(Halm58a::Network &net, int size)
{
    using namespace Halm58a;
    net.setGeoOrigin(30.3, 59.9);
    QVector<Node *> nodes;
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            auto *node = new Node;
            node->setPos(QPointF(col * 50.0, row * 50.0));
            node->setRadius(8);
            net.addItem(node);
            nodes.append(node);
        }
    }
    auto link = [&net](Node *a, Node *b) {
        auto *edge = new Edge(a, b);
        new Lane(edge);
        net.addItem(edge);
    };
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            Node *node = nodes.at(row * size + col);
            if (col + 1 < size) {
                link(node, nodes.at(row * size + col + 1));
                link(nodes.at(row * size + col + 1), node);
            }
            if (row + 1 < size) {
                link(node, nodes.at((row + 1) * size + col));
                link(nodes.at((row + 1) * size + col), node);
            }
        }
    }
    auto *granule = new Granule({ nodes.first() });
    granule->setTlId(1);
    net.addItem(granule);
    auto *group = new SignalGroup(granule);
    group->setTlId(1);
    net.addItem(group);
    for (Node *node : qAsConst(nodes)) {
        for (Edge *in : node->edges()) {
            if (in->to() != node)
                continue;
            for (Edge *out : node->edges()) {
                if (out->from() != node || out->to() == in->from())
                    continue;
                auto *c = new Connection(in->lanes().first(), out->lanes().first(), nullptr);
                net.addItem(c, node);
                if (node == nodes.first())
                    group->addConnection(c);
            }
        }
    }
}
