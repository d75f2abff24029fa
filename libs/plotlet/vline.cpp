#include "vline.h"

#include "chart.h"

#include <algorithm>

namespace plotlet {

VLine::VLine(double pos, const QString &caption, double width, QObject *parent)
    : QObject(parent)
    , m_pos(pos)
    , m_caption(caption)
    , m_width(std::max(0.0, width))
{
}

void VLine::move(double pos)
{
    m_pos = pos;
    emit changed();
    emit moved(pos);
}

QRect VLine::rcLabel() const
{
    return m_chart ? m_chart->labelRect(this) : QRect();
}

void VLine::setCaption(const QString &caption)
{
    m_caption = caption;
    emit changed();
}

void VLine::setWidth(double width)
{
    m_width = std::max(0.0, width);
    emit changed();
}

void VLine::setColor(const QColor &color, bool keepWhenSelected)
{
    m_color = color;
    m_keepColor = keepWhenSelected;
    emit changed();
}

void VLine::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    emit changed();
}

} // namespace plotlet
