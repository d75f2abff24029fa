#pragma once

#include "geoshape.h"

#include <QObject>
#include <QPointF>

namespace Halm58a {

class Network;

// Base of every object of a road network. Objects live as QObject children
// below their Network; the Network hands each one a number (id) unique in it,
// 0 until the object belongs to a network. Positions and shapes are in plane
// metres (see GeoUtil). Setters of the subclasses report edits to the network.
class NetObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int id READ id)
public:
    explicit NetObject(QObject *parent = nullptr);
    ~NetObject() override;

    int id() const { return m_id; }
    // The network above this object; null when it belongs to none.
    Network *network() const;
    // How lists and messages name the object: its name, or its number when it has none.
    QString label() const;

    virtual GeoShape shape() const;
    // A representative point: the centre of the shape by default.
    virtual QPointF pos() const;

protected:
    // Tells the network that this object was edited (not while it loads).
    void notifyChanged();
    // Stores a new value of a member and reports the edit when it differs.
    // Infinities and NaN are refused: the file could not hold them, and a
    // network must always save into a file that loads again.
    template<typename T> void assign(T &member, const T &value)
    {
        if (member == value || !isFinite(value))
            return;
        member = value;
        notifyChanged();
    }
    static bool isFinite(int) { return true; }
    static bool isFinite(double value) { return qIsFinite(value); }
    static bool isFinite(const QPointF &point)
    {
        return qIsFinite(point.x()) && qIsFinite(point.y());
    }
    static bool isFinite(const QVector<QPointF> &points);
    static bool isFinite(const GeoShape &shape) { return isFinite(shape.points()); }
    // Every concrete class calls this first in its destructor, so that the
    // network's objectRemoved arrives while the whole object is still readable.
    void notifyRemoved();

private:
    friend class Network;
    friend class NetworkReader;
    int m_id = 0;
    bool m_removed = false;
};

} // namespace Halm58a
