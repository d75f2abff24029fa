#include "zudio.h"

struct ZUDIO::Private
{
    int type = zu::NotSet;
    int common = zu::NotSet;
    QString ip;
    quint16 port = 0;
    QList<Channel> channels;
};

ZUDIO::ZUDIO(QObject *parent)
    : QObject(parent)
    , d(new Private)
{
}

ZUDIO::~ZUDIO() = default;

int ZUDIO::type() const
{
    return d->type;
}
void ZUDIO::setType(int type)
{
    d->type = type;
}
int ZUDIO::common() const
{
    return d->common;
}
void ZUDIO::setCommon(int common)
{
    d->common = common;
}
QString ZUDIO::ip() const
{
    return d->ip;
}
void ZUDIO::setIp(const QString &ip)
{
    d->ip = ip;
}
quint16 ZUDIO::port() const
{
    return d->port;
}
void ZUDIO::setPort(quint16 port)
{
    d->port = port;
}

void ZUDIO::addChannel(const Channel &channel)
{
    d->channels.append(channel);
}

void ZUDIO::clearChannels()
{
    d->channels.clear();
}

QList<ZUDIO::Channel> &ZUDIO::channels()
{
    return d->channels;
}

void ZUDIO::reset()
{
    *d = Private();
}
