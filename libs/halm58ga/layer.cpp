#include "layer.h"

namespace Halm58ga {

Layer::Layer(const QString &name, const QString &title, qreal z)
    : m_title(title)
{
    setObjectName(name);
    setZValue(z);
    setFlag(QGraphicsItem::ItemHasNoContents);
}

} // namespace Halm58ga
