#include "axis.h"

namespace plotlet {

Axis::Axis(QObject *parent)
    : QObject(parent)
{
}

void Axis::resetCustomLabels()
{
    if (m_labels.isEmpty())
        return;
    m_labels.clear();
    emit changed();
}

void Axis::setCustomLabel(double value, const QString &text)
{
    m_labels.insert(value, text);
    emit changed();
}

QString Axis::customLabel(double value) const
{
    return m_labels.value(value);
}

} // namespace plotlet
