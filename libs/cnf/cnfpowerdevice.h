#pragma once

#include <QString>
#include <QStringList>

// One power device (a lamp switch or a service device of the power part).
// A default-constructed device has id 0, address 0, an empty name, type 0,
// colour red, one lamp and no burnout control.
class CnfPowerDevice
{
public:
    // Keys that signal groups drive are types 1, 4, 5, 7 and 8; types 2 and 3
    // are the service devices of a key module.
    enum Type {
        Unused = 0,
        Key = 1,
        ModulePower = 2,
        ModuleControl = 3,
        KeyDouble = 4,
        KeyTriac = 5,
        Reserve = 6,
        Output = 7,
        OutputZuMolt = 8
    };
    enum Color { Green = 0, Yellow = 1, Red = 2, White = 3 };

    int id = 0;
    QString name;
    int address = 0;
    int type = Unused;
    int color = Red;
    int lampsCount = 1;
    int burnoutControl = 0;
    // The members a ZU_MOLT switch was read without ("type", "addr", "color",
    // "heads"): the field holds the default above, and the ZU_MOLT writer
    // leaves the member out again while it still does, as zumoltc writes no
    // value that is not set. Not kept by the other formats.
    QStringList unsetMembers;
    // The address the device is listed under while "addr" is not set: 0, or,
    // when another switch of the file has 0, the lowest address none has.
    int unsetAddress = 0;

    static QString type2String(int type, bool translated);
};
