#pragma once

#include "netobject.h"

namespace Halm58a {

// A vehicle detector on a lane or on a connection (its parent). tlId is the
// detector's id in the controller, 0 when not assigned. The position is the
// distance in metres from the start of the parent's path.
class Detector : public NetObject
{
    Q_OBJECT
    Q_PROPERTY(int tlId READ tlId WRITE setTlId)
    Q_PROPERTY(double position READ position WRITE setPosition)
    Q_PROPERTY(double length READ length WRITE setLength)
public:
    explicit Detector(NetObject *parent);
    ~Detector() override;

    int tlId() const { return m_tlId; }
    void setTlId(int id);
    double position() const { return m_position; }
    void setPosition(double metres);
    double length() const { return m_length; }
    void setLength(double metres);

    // The stretch of the parent's path that the detector covers.
    GeoShape shape() const override;

private:
    int m_tlId = 0;
    double m_position = 0;
    double m_length = 2.0;
};

} // namespace Halm58a
