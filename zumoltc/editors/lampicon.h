#pragma once

#include <QString>

// The lamp picture of a power switch by its colour (zu::Color): red, green,
// amber or white; grey for any other value, not set included. Pages show it as
// a cell icon and as an image in rich text, so it is a resource path.
namespace LampIcon {

QString path(int color);

} // namespace LampIcon
