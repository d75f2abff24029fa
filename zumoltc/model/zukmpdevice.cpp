#include "zukmpdevice.h"

struct ZUKMPDevice::Private
{
    int device = zu::NotSet;
    int addr = zu::NotSet;
    int type = zu::NotSet;
    int port = zu::NotSet;
};

ZUKMPDevice::ZUKMPDevice(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUKMPDevice::ZUKMPDevice(int device, int addr, int type, int port)
    : ZUKMPDevice(static_cast<QObject *>(nullptr))
{
    d->device = device;
    d->addr = addr;
    d->type = type;
    d->port = port;
}

ZUKMPDevice::ZUKMPDevice(const ZUKMPDevice &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
    d->addr = zu::NotSet;
}

ZUKMPDevice::~ZUKMPDevice()
{
    notifyDestroying();
}

int ZUKMPDevice::device() const
{
    return d->device;
}
void ZUKMPDevice::setDevice(int device)
{
    d->device = device;
}
int ZUKMPDevice::addr() const
{
    return d->addr;
}
void ZUKMPDevice::setAddr(int addr)
{
    d->addr = addr;
}
int ZUKMPDevice::type() const
{
    return d->type;
}
void ZUKMPDevice::setType(int type)
{
    d->type = type;
}
int ZUKMPDevice::port() const
{
    return d->port;
}
void ZUKMPDevice::setPort(int port)
{
    d->port = port;
}

QString ZUKMPDevice::text(const QString &suffix) const
{
    QString result;
    if (d->addr != zu::NotSet)
        result = QString::number(d->addr);
    if (d->device != zu::NotSet)
        appendTextPart(
            result, QLatin1Char('(') + enumKey<zu::KMPDevice::Type>(d->device) + QLatin1Char(')'));
    appendTextPart(result, suffix);
    return result;
}
