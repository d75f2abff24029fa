#include "powerpart.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"
#include "mainwindowtexts.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

bool isModuleServiceSlot(int address)
{
    const int slot = address % 8;
    return slot == 6 || slot == 7;
}

} // namespace

PowerPart::PowerPart(CnfController &controller)
    : controller(controller)
{
}

QString PowerPart::family() const
{
    return controller.property("type").toString();
}

bool PowerPart::keyedById() const
{
    const QString type = family();
    return type == QLatin1String("tiverkii") || type == QLatin1String("ZU_MOLT");
}

CnfPowerDevicePtr PowerPart::deviceByKey(int key) const
{
    return keyedById() ? controller.findPowerDevice(key) : controller.findPowerDeviceByAddress(key);
}

bool PowerPart::isKey(int type)
{
    return type == CnfPowerDevice::Key || type == CnfPowerDevice::KeyDouble
        || type == CnfPowerDevice::KeyTriac;
}

bool PowerPart::showsGroupState(int type)
{
    return isKey(type) || type == CnfPowerDevice::Output || type == CnfPowerDevice::OutputZuMolt;
}

bool PowerPart::usesKeyModules() const
{
    if (family() != QLatin1String("tiverk"))
        return false;
    const QVariant powerSwitch = controller.nativeData()["powerSwitch"].toVariant();
    return !powerSwitch.isValid() || powerSwitch.toInt() < 3;
}

int PowerPart::maxPowerDeviceCount() const
{
    return maxPowerDeviceCount(controller.nativeData()["powerSwitch"].toVariant());
}

int PowerPart::maxPowerDeviceCount(const QVariant &powerSwitch) const
{
    // Boards of 16 outputs each from value 4 on.
    if (family() == QLatin1String("tiverk") && powerSwitch.isValid() && powerSwitch.toInt() > 3)
        return (powerSwitch.toInt() - 3) * 16;
    return controller.getMaxDeviceCount();
}

int PowerPart::countKeyDevices() const
{
    const int max = controller.getMaxDeviceCount();
    int count = 0;
    for (int address = 0; address < max; ++address) {
        const CnfPowerDevicePtr device = controller.findPowerDeviceByAddress(address);
        if (device && isKey(device->type))
            ++count;
    }
    return count;
}

int PowerPart::findFreeDeviceAddress(int start) const
{
    const int max = controller.getMaxDeviceCount();
    const bool modules = usesKeyModules();
    for (int address = start;; ++address) {
        if (address >= max)
            return -1;
        if (modules && isModuleServiceSlot(address))
            continue;
        if (!controller.findPowerDeviceByAddress(address))
            return address;
    }
}

int PowerPart::findFreeDeviceId(int start) const
{
    int id = start;
    while (controller.findPowerDevice(id))
        ++id;
    return id;
}

int PowerPart::findFreeAddressFrom(int start) const
{
    int address = start;
    while (controller.findPowerDeviceByAddress(address))
        ++address;
    return address;
}

QString PowerPart::makeUniqueName(const QString &name, const QStringList &names)
{
    if (name.isEmpty())
        return name;
    static const QRegularExpression trailingDigits(QStringLiteral("(\\d+)$"));
    const QRegularExpressionMatch match = trailingDigits.match(name);
    QString stem;
    qlonglong counter = 1;
    if (match.hasMatch()) {
        stem = name.left(match.capturedStart(1));
        counter = match.captured(1).toLongLong() + 1;
    } else {
        stem = name + QLatin1Char('_');
    }
    QString candidate = stem + QString::number(counter);
    while (names.contains(candidate))
        candidate = stem + QString::number(++counter);
    return candidate;
}

bool PowerPart::addPowerModule(int address, QString *error)
{
    if (!usesKeyModules())
        return true;
    const int base = address / 8 * 8; // toward zero, also for negative addresses
    const int max = controller.getMaxDeviceCount();
    if (base + 7 >= max) {
        if (error)
            *error = MainWindowTexts::tr("Unable to add module with address %1: exceeded the "
                                         "maximum number of devices (%2)")
                         .arg(base)
                         .arg(max);
        return false;
    }
    const int types[] = { CnfPowerDevice::ModulePower, CnfPowerDevice::ModuleControl };
    for (int slot = 6; slot <= 7; ++slot) {
        if (controller.findPowerDeviceByAddress(base + slot))
            continue;
        auto device = CnfPowerDevicePtr::create();
        device->address = base + slot;
        device->id = base + slot;
        device->type = types[slot - 6];
        controller.addPowerDevice(device);
    }
    return true;
}

bool PowerPart::duplicatePowerDevice(int key, QString *error)
{
    int newAddress = 0;
    int newId = 0;
    int sourceAddress = key;
    if (!keyedById()) {
        newAddress = findFreeDeviceAddress(0);
        newId = findFreeDeviceId(1);
    } else {
        newId = findFreeDeviceId(key + 1);
        newAddress = findFreeAddressFrom(newId - 1);
        if (const CnfPowerDevicePtr byId = controller.findPowerDevice(key))
            sourceAddress = byId->address;
    }
    if (newAddress < 0) {
        if (error)
            *error = MainWindowTexts::tr(
                         "Unable to duplicate device with address %1 - no free addresses")
                         .arg(sourceAddress);
        return false;
    }
    const CnfPowerDevicePtr source = controller.findPowerDeviceByAddress(sourceAddress);
    if (!source)
        return true;
    if (isKey(source->type) && newAddress >= maxPowerDeviceCount()) {
        if (error)
            *error
                = MainWindowTexts::tr("Unable to duplicate key with address %1 - no free addresses")
                      .arg(sourceAddress);
        return false;
    }
    if (usesKeyModules() && isModuleServiceSlot(sourceAddress))
        return true;
    if (!addPowerModule(newAddress, error))
        return false;
    auto copy = CnfPowerDevicePtr::create();
    copy->address = newAddress;
    copy->id = newId;
    copy->type = source->type;
    copy->color = source->color;
    copy->lampsCount = source->lampsCount;
    copy->burnoutControl = source->burnoutControl;
    if (!source->name.isEmpty()) {
        QStringList names;
        for (const CnfPowerDevicePtr &device : controller.powerDevices())
            names << device->name;
        copy->name = makeUniqueName(source->name, names);
    }
    return controller.addPowerDevice(copy);
}

bool PowerPart::makeConsecutiveAddresses()
{
    const QList<CnfPowerDevicePtr> devices = controller.powerDevices();
    if (devices.isEmpty())
        return false;
    bool changed = false;
    const int first = devices.first()->address;
    int n = 1;
    for (const CnfPowerDevicePtr &device : devices) {
        const int address = first + n - 1;
        const QString name = QStringLiteral("K%1").arg(n);
        // A rename alone is a change too: the names are part of the saved configuration.
        if (device->address != address || device->name != name)
            changed = true;
        device->address = address;
        device->name = name;
        ++n;
    }
    return changed;
}
