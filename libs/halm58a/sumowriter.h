#pragma once

#include "signalplan.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Halm58a {

class Connection;
class Network;
class Node;

// Writes a network as SUMO plain XML beside each other in one folder, named after the
// junction (controller) number N: N.nod.xml (nodes; the nodes of the controller's
// granule that hold connections are of type traffic_light with tl N), N.edg.xml (edges
// with their lanes and widths), N.con.xml (connections), N.tll.xml (one tlLogic per
// signal plan, and the controlled connections with tl and linkIndex, which netconvert
// needs to keep their link indices when it loads programs; without any plan netconvert
// makes a program of its own) and N.netccfg (the netconvert configuration that builds
// N.net.xml from them). Each file names the SUMO schema it follows. Coordinates are the
// network's plane metres.
//
// A link's state comes from the first of its connection's signal groups that the plan
// knows (stateLetters). A link that no such group drives is red (r) in every phase and notes()
// names it: it never gets green. SUMO's o (give way) would not do, for it yields only to the links
// that the junction's right of way puts first, and O would give it the right of way. A green
// link is the yielding g while it crosses or merges into a green or yellow link of another
// approach that goes first (through before right turns before left turns, by the angle
// between the lanes), and G otherwise; a yellow link is likewise y or, going first, SUMO's
// major yellow Y, so that vehicles still in the junction keep their right of way. Crosswalks are
// not written: SUMO crosses only sidewalks, which the network does not hold. Failures come back as
// false with errorString(); plans that cannot be written are left out with a line each in notes().
class SumoWriter
{
public:
    SumoWriter(const Network &network, int junctionNumber);

    void setPlans(const QList<SignalPlan> &plans) { m_plans = plans; }

    // Writes the five files into the folder; nothing is written when the network has
    // no junction of the controller or the folder cannot be written.
    bool write(const QString &folder);
    // The netconvert configuration of the last write.
    QString configPath() const { return m_configPath; }
    QString errorString() const { return m_error; }
    QStringList notes() const { return m_notes; }

    // The files' contents, for write() and for tests. Each is empty while
    // prepare() fails.
    bool prepare();
    QByteArray nodes() const;
    QByteArray edges() const;
    QByteArray connections() const;
    QByteArray programs() const;
    QByteArray config() const;

    // SUMO's letters for a group's colours through the cycle, one per second: green G,
    // yellow y, red r, red-yellow u, dark O. Green blinking is G where a yellow (or
    // green) follows it, and y where the green ends without a yellow (an arrow that goes
    // straight to red), so that drivers stop for it if they can. A green link that
    // yields is shown g instead of G, and a yellow link that goes first Y instead of y.
    static QString stateLetters(const QVector<SignalPlan::Colour> &colours);

private:
    QString baseName() const;
    // The letters, one per second of the plan's cycle, of the group that drives the link;
    // empty when none of its signal groups is one of the plan's.
    QString drivingLetters(const Connection *connection, const SignalPlan &plan) const;

    const Network &m_network;
    int m_number;
    QList<SignalPlan> m_plans;
    QList<Node *> m_junctions; // the controller's nodes with connections
    QList<Connection *> m_links; // by link index
    QVector<QVector<int>> m_givesWayTo; // per link the links it yields to while both may pass
    QString m_configPath;
    QString m_error;
    QStringList m_notes;
};

} // namespace Halm58a
