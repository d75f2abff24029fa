#pragma once

#include <QGraphicsObject>

namespace Halm58ga {

// A drawing layer of the network: an empty graphics object whose children are
// the items of one object kind. Its object name is the key of the layer's
// visibility setting; hiding the layer hides its items.
class Layer : public QGraphicsObject
{
    Q_OBJECT
public:
    Layer(const QString &name, const QString &title, qreal z);

    QString title() const { return m_title; }

    QRectF boundingRect() const override { return QRectF(); }
    void paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *) override { }

private:
    QString m_title;
};

} // namespace Halm58ga
