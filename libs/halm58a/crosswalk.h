#pragma once

#include "netobject.h"

namespace Halm58a {

class Node;
class SignalGroup;

// A pedestrian crossing at a junction (its parent node), drawn as a centre
// line from kerb to kerb (two points or more; empty until it is drawn) with a
// width in metres. At most one signal group.
class CrossWalk : public NetObject
{
    Q_OBJECT
    Q_PROPERTY(double width READ width WRITE setWidth)
public:
    explicit CrossWalk(Node *junction);
    ~CrossWalk() override;

    Node *junction() const;
    GeoShape shape() const override { return m_shape; }
    void setShape(const GeoShape &shape);
    double width() const { return m_width; }
    void setWidth(double width);

    // Null when the crosswalk belongs to no signal group.
    SignalGroup *signalGroup() const { return m_group; }

private:
    friend class SignalGroup;
    GeoShape m_shape;
    double m_width = 4.0;
    SignalGroup *m_group = nullptr;
};

} // namespace Halm58a
