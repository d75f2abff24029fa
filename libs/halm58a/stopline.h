#pragma once

#include "netobject.h"

#include <QList>

namespace Halm58a {

class Connection;
class Lane;

// The stop line at the end of a lane, or the start line at its beginning;
// made by the lane itself as its child.
class Stopline : public NetObject
{
    Q_OBJECT
public:
    enum Kind { Stop, Start };

    Stopline(Kind kind, Lane *lane);
    ~Stopline() override;

    Kind kind() const { return m_kind; }
    Lane *lane() const;
    // Connections that leave from this stop line, or arrive at this start line.
    QList<Connection *> connections() const;

    // A segment across the lane.
    GeoShape shape() const override;
    QPointF pos() const override;

private:
    Kind m_kind;
};

} // namespace Halm58a
