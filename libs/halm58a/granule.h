#pragma once

#include "netobject.h"

#include <QList>
#include <QPointer>

namespace Halm58a {

class Node;
class SignalGroup;

// The junction that one controller serves: a set of nodes and, as children,
// the signal groups drawn for that controller. tlId is the controller's number.
class Granule : public NetObject
{
    Q_OBJECT
    Q_PROPERTY(int tlId READ tlId WRITE setTlId)
public:
    explicit Granule(const QList<Node *> &nodes = {}, QObject *parent = nullptr);
    ~Granule() override;

    int tlId() const { return m_tlId; }
    void setTlId(int id);

    // The nodes that still exist, in the order given.
    QList<Node *> nodes() const;
    void setNodes(const QList<Node *> &nodes);

    QList<SignalGroup *> signalGroups() const;

    // The outline around the nodes' positions and shapes.
    GeoShape shape() const override;

private:
    int m_tlId = 0;
    QList<QPointer<Node>> m_nodes;
};

} // namespace Halm58a
