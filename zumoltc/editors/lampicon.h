#pragma once

#include <QIcon>
#include <QString>

#include <array>

// The lamp picture of a power switch by its colour (zu::Color): red, green,
// amber or white; grey for any other value, not set included. Pages show it as
// a cell icon and as an image in rich text, so it is a resource path.
namespace LampIcon {

QString path(int color);

// The lamp pictures as icons, each made on first use and then shared: making an
// icon from a file decodes the picture, and a tree or table shows the same five
// pictures on thousands of rows. Held by the widget that shows them, so no icon
// outlives the application.
class Cache
{
public:
    QIcon icon(int color);

private:
    std::array<QIcon, 5> m_icons; // red, green, amber, white, grey
};

} // namespace LampIcon
