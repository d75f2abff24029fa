#include "lampicon.h"

#include "zumoltc/model/zuenums.h"

namespace LampIcon {

namespace {

// The place of a colour's picture among the five.
int pictureIndex(int color)
{
    switch (color) {
    case zu::Color::red:
    case zu::Color::green:
    case zu::Color::amber:
    case zu::Color::white:
        return color - zu::Color::red;
    default:
        return 4;
    }
}

} // namespace

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

QIcon Cache::icon(int color)
{
    QIcon &icon = m_icons[size_t(pictureIndex(color))];
    if (icon.isNull())
        icon = QIcon(path(color));
    return icon;
}

} // namespace LampIcon
