#include "conflictfinder.h"

#include "conflictmatrix.h"
#include "connection.h"
#include "crosswalk.h"
#include "network.h"
#include "signalgroup.h"

#include <QLineF>
#include <QObject>

#include <cmath>

namespace Halm58a {

namespace {

// Points closer than this (metres) count as the same point.
const double Tolerance = 0.01;

const double VehicleSpeed = 10.0;
const double VehicleLength = 6.0;
const double PedestrianSpeed = 1.2;

double pathLength(const QVector<QPointF> &path)
{
    double length = 0;
    for (int i = 1; i < path.size(); ++i)
        length += QLineF(path.at(i - 1), path.at(i)).length();
    return length;
}

double clearTime(const ConflictFinder::Movement &m, double distance)
{
    return m.pedestrian ? distance / PedestrianSpeed : (distance + VehicleLength) / VehicleSpeed;
}

double enterTime(const ConflictFinder::Movement &m, double distance)
{
    return distance / (m.pedestrian ? PedestrianSpeed : VehicleSpeed);
}

QList<ConflictFinder::Movement> movementsOf(const SignalGroup *group)
{
    QList<ConflictFinder::Movement> result;
    for (const Connection *connection : group->connections()) {
        ConflictFinder::Movement m;
        m.path = connection->shape().points();
        m.object = connection;
        if (m.path.size() >= 2)
            result.append(m);
    }
    for (const CrossWalk *crossWalk : group->crossWalks()) {
        ConflictFinder::Movement m;
        m.path = crossWalk->shape().points();
        m.pedestrian = true;
        m.object = crossWalk;
        if (m.path.size() >= 2)
            result.append(m);
    }
    return result;
}

} // namespace

QVector<QPointF> ConflictFinder::conflictPoints(const Movement &a, const Movement &b,
                                                bool crossingsOnly)
{
    QVector<QPointF> result;
    if (a.object == b.object || (a.pedestrian && b.pedestrian))
        return result;
    const double lengthA = pathLength(a.path);
    const double lengthB = pathLength(b.path);
    const bool merge = QLineF(a.path.last(), b.path.last()).length() < Tolerance;
    if (merge && !crossingsOnly)
        result.append(QPointF(lengthA, lengthB));

    double startA = 0;
    for (int i = 1; i < a.path.size(); ++i) {
        const QLineF segA(a.path.at(i - 1), a.path.at(i));
        double startB = 0;
        for (int j = 1; j < b.path.size(); ++j) {
            const QLineF segB(b.path.at(j - 1), b.path.at(j));
            QPointF crossing;
            if (segA.intersects(segB, &crossing) == QLineF::BoundedIntersection) {
                const double alongA = startA + QLineF(segA.p1(), crossing).length();
                const double alongB = startB + QLineF(segB.p1(), crossing).length();
                const bool bothStart = alongA < Tolerance && alongB < Tolerance;
                const bool bothEnd = lengthA - alongA < Tolerance && lengthB - alongB < Tolerance;
                // Shared starts diverge; shared ends were counted as a merge above.
                if (!bothStart && !bothEnd)
                    result.append(QPointF(alongA, alongB));
            }
            startB += segB.length();
        }
        startA += segA.length();
    }
    return result;
}

QSharedPointer<ConflictMatrix> ConflictFinder::find(const QList<SignalGroup *> &groups,
                                                    bool crossingsOnly, bool conflictMatrix,
                                                    const ConflictMatrix *seed)
{
    if (groups.isEmpty()) {
        m_error = QObject::tr("No signal groups given");
        return {};
    }
    QList<QList<Movement>> movements;
    for (const SignalGroup *group : groups) {
        if (!group) {
            m_error = QObject::tr("A signal group of the list does not exist");
            return {};
        }
        if (group->network() != m_network) {
            m_error
                = QObject::tr("Signal group %1 does not belong to this network").arg(group->tlId());
            return {};
        }
        movements.append(movementsOf(group));
    }

    QSharedPointer<ConflictMatrix> matrix(new ConflictMatrix);
    for (int ia = 0; ia < groups.size(); ++ia) {
        for (int ib = 0; ib < groups.size(); ++ib) {
            if (ia == ib || groups.at(ia) == groups.at(ib))
                continue;
            // a starts, b ends.
            bool conflict = false;
            double clearance = 0;
            for (const Movement &ending : movements.at(ib)) {
                for (const Movement &starting : movements.at(ia)) {
                    for (const QPointF &along : conflictPoints(ending, starting, crossingsOnly)) {
                        conflict = true;
                        clearance
                            = qMax(clearance,
                                   clearTime(ending, along.x()) - enterTime(starting, along.y()));
                    }
                }
            }
            double value = std::nan("");
            if (conflict)
                value = conflictMatrix ? 1.0 : std::ceil(clearance - 1e-9);
            else if (seed && !std::isnan(seed->releaf(groups.at(ia), groups.at(ib))))
                value = conflictMatrix ? 1.0 : seed->releaf(groups.at(ia), groups.at(ib));
            matrix->setReleaf(groups.at(ia), groups.at(ib), value);
        }
    }
    m_error.clear();
    return matrix;
}

} // namespace Halm58a
