#include "zucontrolsource.h"

struct ZUControlSource::Private
{
    int type = zu::NotSet;
    int priority = zu::NotSet;
    int timeout = zu::NotSet;
};

ZUControlSource::ZUControlSource(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUControlSource::ZUControlSource(int type, int id, int priority)
    : ZUControlSource(static_cast<QObject *>(nullptr))
{
    d->type = type;
    d->priority = priority;
    setId(id);
}

ZUControlSource::ZUControlSource(const ZUControlSource &other)
    : ZUBaseObject(other)
    , d(new Private)
{
    d->timeout = other.d->timeout;
}

ZUControlSource::~ZUControlSource()
{
    notifyDestroying();
}

int ZUControlSource::type() const
{
    return d->type;
}
void ZUControlSource::setType(int type)
{
    d->type = type;
}
int ZUControlSource::priority() const
{
    return d->priority;
}
void ZUControlSource::setPriority(int priority)
{
    d->priority = priority;
}
int ZUControlSource::timeout() const
{
    return d->timeout;
}
void ZUControlSource::setTimeout(int timeout)
{
    d->timeout = timeout;
}

QString ZUControlSource::text(const QString &suffix) const
{
    QString result;
    if (id() != zu::NotSet)
        result = QString::number(id());
    if (d->type != zu::NotSet) {
        QString typeText = enumText<zu::CsType>(d->type);
        if (typeText.isEmpty())
            typeText = enumKey<zu::CsType>(d->type);
        appendTextPart(result, QLatin1Char('(') + typeText + QLatin1Char(')'));
    }
    if (d->priority != zu::NotSet)
        appendTextPart(result, tr("[pr=%1]").arg(d->priority));
    appendTextPart(result, suffix);
    return result;
}
