#include "configurationupkeep.h"

#include "uniquevalues.h"

#include "zumoltc/model/zuconfiguration.h"

namespace {

constexpr int PanelTimeout = 300;

// The devices of the bus of this device type; dead entries are skipped.
QList<ZUKMPDevice *> devicesOfType(ZUConfiguration *configuration, int deviceType)
{
    QList<ZUKMPDevice *> found;
    for (const QPointer<ZUKMPDevice> &device : configuration->kmp1()->devices()) {
        if (device && device->device() == deviceType)
            found.append(device);
    }
    return found;
}

void deleteDevicesLater(ZUConfiguration *configuration, int deviceType)
{
    for (ZUKMPDevice *device : devicesOfType(configuration, deviceType))
        device->deleteLater();
}

// A device of this type at the smallest free address from addressStart, unless
// the bus has one already.
void ensureDevice(ZUConfiguration *configuration, int deviceType, int addressStart, int subType,
                  int port)
{
    if (!devicesOfType(configuration, deviceType).isEmpty())
        return;
    ZUKMP1 *bus = configuration->kmp1();
    const int address = uniqueAddress(bus->devices(), addressStart);
    if (address != zu::NotSet)
        bus->addDevice(new ZUKMPDevice(deviceType, address, subType, port));
}

ZUControlSource *firstSourceOfType(ZUConfiguration *configuration, int type)
{
    for (const QPointer<ZUControlSource> &source : configuration->controlSources()) {
        if (source && source->type() == type)
            return source;
    }
    return nullptr;
}

// A new control source of this type with the smallest free id from 1 and
// priority from 0; null when none is free.
ZUControlSource *addSource(ZUConfiguration *configuration, int type, int timeout)
{
    QList<QPointer<ZUControlSource>> &sources = configuration->controlSources();
    const int id = uniqueId(sources, 1);
    const int priority = uniqueValue(sources, &ZUControlSource::priority, 0);
    if (id == zu::NotSet || priority == zu::NotSet)
        return nullptr;
    auto *source = new ZUControlSource(type, id, priority);
    source->setTimeout(timeout);
    configuration->addControlSource(source);
    return source;
}

void keepPanel(ZUConfiguration *configuration)
{
    ZUVPU *panel = configuration->vpu();
    if (panel->type() == zu::NotSet) {
        for (const QPointer<ZUControlSource> &source : configuration->controlSources()) {
            if (source && source->type() == zu::remoteControlPanel)
                source->deleteLater();
        }
        deleteDevicesLater(configuration, zu::KMPDevice::VPU1);
        return;
    }
    ZUControlSource *source = firstSourceOfType(configuration, zu::remoteControlPanel);
    if (!source)
        source = addSource(configuration, zu::remoteControlPanel, PanelTimeout);
    if (source)
        panel->setSource(source);

    int subType = zu::NotSet;
    int port = zu::NotSet;
    switch (panel->type()) {
    case zu::passive:
        subType = zu::KMPDevice::passive;
        port = zu::KMPDevPort::dryContact;
        break;
    case zu::passive_ind:
        subType = zu::KMPDevice::passive_ind;
        port = zu::KMPDevPort::dryContact;
        break;
    case zu::interface_tiverk1:
    case zu::interface_tiverk2:
        subType = zu::KMPDevice::interface_tiverk1;
        port = zu::KMPDevPort::RS485_1;
        break;
    default:
        break;
    }
    ensureDevice(configuration, zu::KMPDevice::VPU1, 4, subType, port);
}

void keepSchedulerSource(ZUConfiguration *configuration)
{
    if (!firstSourceOfType(configuration, zu::scheduler))
        addSource(configuration, zu::scheduler, zu::NotSet);
}

void keepDioDevices(ZUConfiguration *configuration)
{
    static const int deviceTypes[]
        = { zu::KMPDevice::DIO1, zu::KMPDevice::DIO2, zu::KMPDevice::DIO3, zu::KMPDevice::DIO4,
            zu::KMPDevice::DIO5 };
    const QList<QPointer<ZUDIO>> modules = configuration->dios();
    for (int i = 0; i < modules.size() && i < int(std::size(deviceTypes)); ++i) {
        const ZUDIO *module = modules.at(i);
        if (!module)
            continue;
        if (module->type() == zu::NotSet) {
            deleteDevicesLater(configuration, deviceTypes[i]);
        } else if (module->type() == zu::DIO::traficamSimple) {
            ensureDevice(configuration, deviceTypes[i], 17 + i, zu::KMPDevice::interfaceType,
                         zu::KMPDevPort::RS485_1);
        } else {
            ensureDevice(configuration, deviceTypes[i], 17 + i, zu::KMPDevice::dryContact,
                         zu::KMPDevPort::dryContact);
        }
    }
}

void keepCountdownDevice(ZUConfiguration *configuration)
{
    if (configuration->countdownBoards()->protocol() == zu::NotSet)
        deleteDevicesLater(configuration, zu::KMPDevice::KTV1);
    else
        ensureDevice(configuration, zu::KMPDevice::KTV1, 6, zu::KMPDevice::interfaceType,
                     zu::KMPDevPort::RS485_1);
}

} // namespace

void keepConfigurationInStep(ZUConfiguration *configuration, const char *className)
{
    if (!configuration || !className)
        return;
    const QByteArray name(className);
    if (name == configuration->vpu()->metaObject()->className())
        keepPanel(configuration);
    else if (name == ZUSignalPlan::staticMetaObject.className())
        keepSchedulerSource(configuration);
    else if (name == ZUDIO::staticMetaObject.className())
        keepDioDevices(configuration);
    else if (name == ZUCountdownBoards::staticMetaObject.className())
        keepCountdownDevice(configuration);
}
