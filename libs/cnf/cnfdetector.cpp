#include "cnfdetector.h"

CnfDetector::CnfDetector(QObject *parent)
    : QObject(parent)
{
}

QString CnfDetector::friendlyName() const
{
    if (m_name.isEmpty())
        return QString::number(m_id);
    return QStringLiteral("%1 (%2)").arg(m_id).arg(m_name);
}
