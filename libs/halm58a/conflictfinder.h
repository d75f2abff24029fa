#pragma once

#include <QList>
#include <QPointF>
#include <QSharedPointer>
#include <QString>
#include <QVector>

namespace Halm58a {

class ConflictMatrix;
class Network;
class NetObject;
class SignalGroup;

// Finds which signal groups conflict from the geometry of their movements.
// A movement is the path of a connection (stop point, bends, start point) or
// the centre line of a crosswalk. Two movements of different groups conflict
// when their paths cross, or end in the same point (they merge); movements that
// only share their starting point diverge and do not conflict, and two
// crosswalks never conflict with each other.
//
// The clearance time for "b ends, a starts" is, over every conflict point, the
// time the last user of b needs to clear the point ((distance + vehicle length)
// / speed) less the time the first user of a needs to reach it, rounded up to
// whole seconds and never below 0. Vehicles: 10 m/s and 6 m; pedestrians:
// 1.2 m/s and no length.
class ConflictFinder
{
public:
    explicit ConflictFinder(const Network *network)
        : m_network(network)
    {
    }

    QSharedPointer<ConflictMatrix> find(const QList<SignalGroup *> &groups, bool crossingsOnly,
                                        bool conflictMatrix, const ConflictMatrix *seed);
    QString errorString() const { return m_error; }

    struct Movement
    {
        QVector<QPointF> path;
        bool pedestrian = false;
        const NetObject *object = nullptr;
    };
    // Distances along a and along b of every point where the two conflict.
    static QVector<QPointF> conflictPoints(const Movement &a, const Movement &b,
                                           bool crossingsOnly);

private:
    const Network *m_network;
    QString m_error;
};

} // namespace Halm58a
