#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QPainterPath>
#include <QPointer>

namespace Halm58a {
class NetObject;
}

namespace Halm58ga {

class Networkg;

// The graphics item of one network object, in geographic scene coordinates.
// Its type tells the object's kind (type() values below). Lines are drawn
// with cosmetic pens, so they keep their width at every zoom. A highlight
// colour, when set, is drawn as a wide band under the item.
class GenericGraphicsItem : public QGraphicsItem
{
public:
    enum Kind {
        NodeKind = 1,
        ConnectionKind = 2,
        CrossWalkKind = 3,
        DetectorKind = 4,
        EdgeKind = 5,
        LaneKind = 6,
        StoplineKind = 7,
    };
    enum {
        NodeType = UserType + NodeKind,
        ConnectionType = UserType + ConnectionKind,
        CrossWalkType = UserType + CrossWalkKind,
        DetectorType = UserType + DetectorKind,
        EdgeType = UserType + EdgeKind,
        LaneType = UserType + LaneKind,
        StoplineType = UserType + StoplineKind,
    };

    GenericGraphicsItem(Kind kind, Halm58a::NetObject *object, const Networkg *network,
                        QGraphicsItem *parent = nullptr);

    // The item's kind for an object, or 0 when the object has no item.
    static int kindOf(const Halm58a::NetObject *object);

    int type() const override { return UserType + m_kind; }
    Kind kind() const { return m_kind; }
    Halm58a::NetObject *object() const;

    // Rebuilds the drawing from the object.
    void updateGeometry();

    virtual void setHighlightColor(const QColor &color);
    virtual void removeHighlightColor();
    QColor highlightColor() const { return m_highlight; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return m_shape; }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QString colorKind() const;
    int penWidth() const;

    Kind m_kind;
    QPointer<Halm58a::NetObject> m_object;
    const Networkg *m_network;
    QPainterPath m_path;
    QPainterPath m_shape;
    QRectF m_bounds;
    QColor m_highlight;
};

} // namespace Halm58ga
