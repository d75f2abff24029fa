#pragma once

#include <QColor>
#include <QStringList>

namespace Halm58ga {

// The colours in which the network is drawn, one per object kind, kept in the
// settings group "NetColors" under the kind's key. Each stored colour is read
// once and then kept, since every item asks for its colour at every repaint;
// setColor and reset change the kept colours too, so a change shows at the
// next repaint.
namespace NetColors {

// The kind keys, in the order the colour dialog lists them.
QStringList kinds();
QString displayName(const QString &kind);
QColor defaultColor(const QString &kind);
QColor color(const QString &kind);
void setColor(const QString &kind, const QColor &color);
// Drops every stored colour, so that the defaults apply again.
void reset();

} // namespace NetColors

} // namespace Halm58ga
