#include "netcolors.h"

#include <QCoreApplication>
#include <QHash>
#include <QSettings>

namespace Halm58ga {

namespace {

const char Group[] = "NetColors";

struct Kind
{
    const char *key;
    const char *name;
    QRgb color;
};

const Kind Kinds[] = {
    { "node", QT_TRANSLATE_NOOP("NetColors", "Nodes"), 0x1f4e79 },
    { "lane", QT_TRANSLATE_NOOP("NetColors", "Lanes"), 0x7f7f7f },
    { "stopline", QT_TRANSLATE_NOOP("NetColors", "Stop lines"), 0xc00000 },
    { "connection", QT_TRANSLATE_NOOP("NetColors", "Connections"), 0x2e75b6 },
    { "crosswalk", QT_TRANSLATE_NOOP("NetColors", "Crosswalks"), 0x548235 },
    { "detector", QT_TRANSLATE_NOOP("NetColors", "Detectors"), 0xbf8f00 },
    { "selection", QT_TRANSLATE_NOOP("NetColors", "Selection"), 0xff6600 },
};

const Kind *find(const QString &key)
{
    for (const Kind &kind : Kinds) {
        if (key == QLatin1String(kind.key))
            return &kind;
    }
    return nullptr;
}

QString settingsKey(const QString &kind)
{
    return QLatin1String(Group) + QLatin1Char('/') + kind;
}

// The colours read so far; an invalid colour stands for "none stored".
QHash<QString, QColor> &knownColors()
{
    static QHash<QString, QColor> colors;
    return colors;
}

} // namespace

QStringList NetColors::kinds()
{
    QStringList keys;
    for (const Kind &kind : Kinds)
        keys.append(QLatin1String(kind.key));
    return keys;
}

QString NetColors::displayName(const QString &kind)
{
    const Kind *k = find(kind);
    return k ? QCoreApplication::translate("NetColors", k->name) : kind;
}

QColor NetColors::defaultColor(const QString &kind)
{
    const Kind *k = find(kind);
    return k ? QColor(k->color) : QColor(Qt::black);
}

QColor NetColors::color(const QString &kind)
{
    QHash<QString, QColor> &known = knownColors();
    auto it = known.find(kind);
    if (it == known.end())
        it = known.insert(kind, QColor(QSettings().value(settingsKey(kind)).toString()));
    return it->isValid() ? *it : defaultColor(kind);
}

void NetColors::setColor(const QString &kind, const QColor &color)
{
    if (!color.isValid())
        return;
    QSettings().setValue(settingsKey(kind), color.name());
    knownColors().insert(kind, color);
}

void NetColors::reset()
{
    QSettings().remove(QLatin1String(Group));
    knownColors().clear();
}

} // namespace Halm58ga
