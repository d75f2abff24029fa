#include "zukmp1.h"

#include "zulists.h"

struct ZUKMP1::Private
{
    int autoDetect = 1;
    QList<QPointer<ZUKMPDevice>> devices;
};

ZUKMP1::ZUKMP1(QObject *parent)
    : QObject(parent)
    , d(new Private)
{
}

ZUKMP1::~ZUKMP1() = default;

int ZUKMP1::autoDetect() const
{
    return d->autoDetect;
}

void ZUKMP1::setAuto(int value)
{
    d->autoDetect = qBound(0, value, 1);
}

void ZUKMP1::reset()
{
    d->autoDetect = 1;
    // Deleting the devices keeps a New or an Open from piling up orphaned live
    // devices under this object.
    const QList<QPointer<ZUKMPDevice>> devices = d->devices;
    d->devices.clear();
    for (const QPointer<ZUKMPDevice> &device : devices) {
        if (device) {
            device->disconnect();
            delete device.data();
        }
    }
}

void ZUKMP1::addDevice(QPointer<ZUKMPDevice> device)
{
    if (!device)
        return;
    d->devices.append(device);
    attach(device, d->devices.size() - 1);
}

void ZUKMP1::insertDevice(QPointer<ZUKMPDevice> device, QPointer<ZUKMPDevice> after)
{
    if (!device || d->devices.contains(device))
        return;
    attach(device, zu::insertAfter(d->devices, device, after));
}

void ZUKMP1::move(int from, int to)
{
    zu::moveWithin(d->devices, from, to);
}

QList<QPointer<ZUKMPDevice>> &ZUKMP1::devices()
{
    return zu::pruneDead(d->devices);
}

void ZUKMP1::attach(ZUKMPDevice *device, int pos)
{
    device->setParent(this);
    connect(device, &ZUBaseObject::beforeDestroyed, this, &ZUKMP1::objectDestroyed);
    emit objectAdded(device, pos);
}
