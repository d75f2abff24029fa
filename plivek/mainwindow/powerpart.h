#pragma once

#include "cnf/cnffwd.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class CnfController;

// The rules of a controller's power part and the operations on its devices
// that need no window: the device limit, key modules of eight addresses
// (slots 0-5 keys, slot 6 a type-2 and slot 7 a type-3 device), free
// addresses and ids, unique names, module creation and duplication.
// Operations that can fail return false and put the reason in *error.
class PowerPart
{
public:
    explicit PowerPart(CnfController &controller);

    // "tiverk" and "adapter" show and find devices by address, "tiverkii" and
    // "ZU_MOLT" by id.
    bool keyedById() const;
    // The device of a tree key (address or id, by the family).
    CnfPowerDevicePtr deviceByKey(int key) const;

    static bool isKey(int type); // can be assigned to a signal group
    static bool showsGroupState(int type); // shows the assigned group's state

    bool usesKeyModules() const;
    int maxPowerDeviceCount() const;
    // The limit under a "powerSwitch" value (not set: the library's limit).
    int maxPowerDeviceCount(const QVariant &powerSwitch) const;
    int countKeyDevices() const;
    // The first free address from start on (module slots 6 and 7 passed over
    // when key modules are in use); -1 at the library's limit.
    int findFreeDeviceAddress(int start) const;
    int findFreeDeviceId(int start) const;
    // The first free address from start on, with no limit and no slots skipped.
    int findFreeAddressFrom(int start) const;
    // K07 -> K8, Lamp -> Lamp_1, 12 -> 13; empty stays empty.
    static QString makeUniqueName(const QString &name, const QStringList &names);

    // Adds the service devices of the module holding the address when key
    // modules are in use.
    bool addPowerModule(int address, QString *error);
    // Copies the device with the given key; true with nothing done when there
    // is no such device or it is a module's service device.
    bool duplicatePowerDevice(int key, QString *error);
    // Numbers the devices from the first one's address on and names them K1,
    // K2, ...; true when any address or name changed.
    bool makeConsecutiveAddresses();

private:
    QString family() const;

    CnfController &controller;
};
