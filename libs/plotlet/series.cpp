#include "series.h"

namespace plotlet {

Series::Series(QObject *parent)
    : QObject(parent)
{
}

void Series::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit changed();
}

} // namespace plotlet
