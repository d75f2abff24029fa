#include "lampicon.h"

#include "zumoltc/model/zuenums.h"

namespace LampIcon {

QString path(int color)
{
    switch (color) {
    case zu::Color::red:
        return QStringLiteral("://images/red_c.png");
    case zu::Color::green:
        return QStringLiteral("://images/green_c.png");
    case zu::Color::amber:
        return QStringLiteral("://images/yellow_c.png");
    case zu::Color::white:
        return QStringLiteral("://images/white_c.png");
    default:
        return QStringLiteral("://images/gray_c.png");
    }
}

} // namespace LampIcon
