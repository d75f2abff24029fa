#include "qtlcstage.h"

QTlcStage::QTlcStage(int number, const QString &name, QObject *parent)
    : QObject(parent)
    , m_number(number)
{
    setObjectName(name);
}
