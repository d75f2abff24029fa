#include "qtlcsignalgroup.h"

QTlcSignalGroup::QTlcSignalGroup(int number, const QString &name, QObject *parent)
    : QObject(parent)
    , m_number(number)
{
    setObjectName(name);
}

QString QTlcSignalGroup::primitiveName(int primitive)
{
    switch (primitive) {
    case Off:
        return QStringLiteral("off");
    case Red:
        return QStringLiteral("red");
    case Green:
        return QStringLiteral("green");
    case Yellow:
        return QStringLiteral("amber");
    case GreenBlink:
        return QStringLiteral("green blink");
    case AmberBlink:
        return QStringLiteral("amber blink");
    case RedYellow:
        return QStringLiteral("red-amber");
    }
    return QStringLiteral("?");
}
