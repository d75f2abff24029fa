#include "detector.h"

namespace Halm58a {

Detector::Detector(NetObject *parent)
    : NetObject(parent)
{
}

Detector::~Detector()
{
    notifyRemoved();
}

void Detector::setTlId(int id)
{
    assign(m_tlId, id);
}

void Detector::setPosition(double metres)
{
    assign(m_position, metres);
}

void Detector::setLength(double metres)
{
    assign(m_length, metres);
}

GeoShape Detector::shape() const
{
    const NetObject *carrier = qobject_cast<const NetObject *>(parent());
    if (!carrier)
        return GeoShape();
    const GeoShape path = carrier->shape();
    if (path.isEmpty())
        return GeoShape();
    return GeoShape({ path.pointAt(m_position), path.pointAt(m_position + m_length) });
}

} // namespace Halm58a
