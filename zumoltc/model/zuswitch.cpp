#include "zuswitch.h"

struct ZUSwitch::Private
{
    int type = zu::NotSet;
    QPointer<ZUSignalGroup> signalGroup;
    int addr = zu::NotSet;
    int color = zu::NotSet;
    int heads = zu::NotSet;
    bool control = false;
    int lowCurrent = zu::NotSet;
    int upCurrent = zu::NotSet;
    int minCurrent = zu::NotSet;
};

ZUSwitch::ZUSwitch(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUSwitch::ZUSwitch(const ZUSwitch &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
    d->addr = zu::NotSet;
}

ZUSwitch::~ZUSwitch()
{
    notifyDestroying();
}

int ZUSwitch::type() const
{
    return d->type;
}
void ZUSwitch::setType(int type)
{
    d->type = type;
}
QPointer<ZUSignalGroup> ZUSwitch::signalGroup() const
{
    return d->signalGroup;
}
void ZUSwitch::setSignalGroup(QPointer<ZUSignalGroup> group)
{
    d->signalGroup = group;
}
int ZUSwitch::addr() const
{
    return d->addr;
}
void ZUSwitch::setAddr(int addr)
{
    d->addr = addr;
}
int ZUSwitch::color() const
{
    return d->color;
}
void ZUSwitch::setColor(int color)
{
    d->color = color;
}
int ZUSwitch::heads() const
{
    return d->heads;
}
void ZUSwitch::setHeads(int heads)
{
    d->heads = heads;
}
bool ZUSwitch::control() const
{
    return d->control;
}
void ZUSwitch::setControl(bool control)
{
    d->control = control;
}
int ZUSwitch::lowCurrent() const
{
    return d->lowCurrent;
}
void ZUSwitch::setLowCurrent(int value)
{
    d->lowCurrent = value;
}
int ZUSwitch::upCurrent() const
{
    return d->upCurrent;
}
void ZUSwitch::setUpCurrent(int value)
{
    d->upCurrent = value;
}
int ZUSwitch::minCurrent() const
{
    return d->minCurrent;
}
void ZUSwitch::setMinCurrent(int value)
{
    d->minCurrent = value;
}

bool ZUSwitch::hasValues() const
{
    for (int value :
         { d->type, d->addr, d->color, d->heads, d->lowCurrent, d->upCurrent, d->minCurrent }) {
        if (value != zu::NotSet)
            return true;
    }
    return d->control;
}
