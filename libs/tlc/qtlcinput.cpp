#include "qtlcinput.h"

QTlcInput::QTlcInput(int id, const QString &name, QObject *parent)
    : QObject(parent)
    , m_id(id)
{
    setObjectName(name);
}
