#include "zubaseobject.h"

#include "utf8/utf8.h"

struct ZUBaseObject::Private
{
    int id = zu::NotSet;
    QString name;
    bool destroyingNotified = false;
    KeptMembers kept;
    const QObject *listedIn = nullptr;
};

ZUBaseObject::ZUBaseObject(QObject *parent)
    : QObject(parent)
    , d(new Private)
{
}

ZUBaseObject::ZUBaseObject(const ZUBaseObject &other)
    : ZUBaseObject(other.parent())
{
}

ZUBaseObject::~ZUBaseObject() = default;

int ZUBaseObject::id() const
{
    return d->id;
}

void ZUBaseObject::setId(int id)
{
    d->id = id;
}

QString ZUBaseObject::name() const
{
    return d->name;
}

void ZUBaseObject::setName(const QString &name)
{
    d->name = name;
}

QString ZUBaseObject::text(const QString &suffix) const
{
    return listText(d->name, suffix);
}

QString ZUBaseObject::quotedText() const
{
    return listText(Utf8::quoted(d->name), QString());
}

QString ZUBaseObject::listText(const QString &shownName, const QString &suffix) const
{
    QString result;
    if (d->id != zu::NotSet)
        result = QString::number(d->id);
    if (!shownName.isEmpty())
        appendTextPart(result, QLatin1Char('(') + shownName + QLatin1Char(')'));
    appendTextPart(result, suffix);
    return result;
}

KeptMembers &ZUBaseObject::keptMembers()
{
    return d->kept;
}

const KeptMembers &ZUBaseObject::keptMembers() const
{
    return d->kept;
}

const QObject *ZUBaseObject::listedIn() const
{
    return d->listedIn;
}

void ZUBaseObject::setListedIn(const QObject *configuration)
{
    d->listedIn = configuration;
}

void ZUBaseObject::notifyDestroying()
{
    if (d->destroyingNotified)
        return;
    d->destroyingNotified = true;
    emit beforeDestroyed(this);
}

void ZUBaseObject::appendTextPart(QString &result, const QString &part)
{
    if (part.isEmpty())
        return;
    if (!result.isEmpty())
        result += QLatin1Char(' ');
    result += part;
}
