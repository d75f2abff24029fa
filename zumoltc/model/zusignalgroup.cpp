#include "zusignalgroup.h"

#include <array>

namespace {

enum Time {
    ExtRed,
    Amber,
    GreenBlink,
    MaxGreen,
    MaxRed,
    MinGreen,
    MinRed,
    RedAmber,
    ExtGreen1,
    ExtGreen2,
    TimeCount
};

} // namespace

struct ZUSignalGroup::Private
{
    int type = zu::traffic;
    std::array<int, TimeCount> times;
    int tClusterId = zu::NotSet;

    Private() { times.fill(zu::NotSet); }
};

ZUSignalGroup::ZUSignalGroup(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUSignalGroup::ZUSignalGroup(const ZUSignalGroup &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
}

ZUSignalGroup::~ZUSignalGroup()
{
    notifyDestroying();
}

int ZUSignalGroup::type() const
{
    return d->type;
}
void ZUSignalGroup::setType(int type)
{
    d->type = type;
}
int ZUSignalGroup::extRed() const
{
    return d->times[ExtRed];
}
void ZUSignalGroup::setExtRed(int value)
{
    d->times[ExtRed] = value;
}
int ZUSignalGroup::amber() const
{
    return d->times[Amber];
}
void ZUSignalGroup::setAmber(int value)
{
    d->times[Amber] = value;
}
int ZUSignalGroup::greenBlink() const
{
    return d->times[GreenBlink];
}
void ZUSignalGroup::setGreenBlink(int value)
{
    d->times[GreenBlink] = value;
}
int ZUSignalGroup::maxGreen() const
{
    return d->times[MaxGreen];
}
void ZUSignalGroup::setMaxGreen(int value)
{
    d->times[MaxGreen] = value;
}
int ZUSignalGroup::maxRed() const
{
    return d->times[MaxRed];
}
void ZUSignalGroup::setMaxRed(int value)
{
    d->times[MaxRed] = value;
}
int ZUSignalGroup::minGreen() const
{
    return d->times[MinGreen];
}
void ZUSignalGroup::setMinGreen(int value)
{
    d->times[MinGreen] = value;
}
int ZUSignalGroup::minRed() const
{
    return d->times[MinRed];
}
void ZUSignalGroup::setMinRed(int value)
{
    d->times[MinRed] = value;
}
int ZUSignalGroup::redAmber() const
{
    return d->times[RedAmber];
}
void ZUSignalGroup::setRedAmber(int value)
{
    d->times[RedAmber] = value;
}
int ZUSignalGroup::extGreen1() const
{
    return d->times[ExtGreen1];
}
void ZUSignalGroup::setExtGreen1(int value)
{
    d->times[ExtGreen1] = value;
}
int ZUSignalGroup::extGreen2() const
{
    return d->times[ExtGreen2];
}
void ZUSignalGroup::setExtGreen2(int value)
{
    d->times[ExtGreen2] = value;
}
int ZUSignalGroup::tClusterId() const
{
    return d->tClusterId;
}
void ZUSignalGroup::setTClusterId(int value)
{
    d->tClusterId = value;
}

void ZUSignalGroup::clear()
{
    *d = Private();
}

bool ZUSignalGroup::hasTimes() const
{
    for (int time : d->times) {
        if (time != zu::NotSet)
            return true;
    }
    return false;
}

bool ZUSignalGroup::timesEqual(QPointer<ZUSignalGroup> other) const
{
    return other && d->times == other->d->times;
}
