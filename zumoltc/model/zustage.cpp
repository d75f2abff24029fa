#include "zustage.h"

#include "zulists.h"

struct ZUStage::Private
{
    QList<QPointer<ZUSignalGroup>> groups;
    int minTime = zu::NotSet;
    int maxTime = zu::NotSet;
};

ZUStage::ZUStage(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUStage::ZUStage(const ZUStage &other)
    : ZUBaseObject(other)
    , d(new Private(*other.d))
{
}

ZUStage::~ZUStage()
{
    notifyDestroying();
}

void ZUStage::addGroup(QPointer<ZUSignalGroup> group)
{
    if (!group || d->groups.contains(group))
        return;
    // Without a parent of our own the group keeps its owner rather than becoming an orphan.
    if (parent())
        group->setParent(parent());
    d->groups.append(group);
}

void ZUStage::removeGroup(QPointer<ZUSignalGroup> group)
{
    if (group)
        d->groups.removeOne(group);
}

QList<QPointer<ZUSignalGroup>> &ZUStage::groups()
{
    return zu::pruneDead(d->groups);
}

int ZUStage::minTime() const
{
    return d->minTime;
}
void ZUStage::setMinTime(int value)
{
    d->minTime = value;
}
int ZUStage::maxTime() const
{
    return d->maxTime;
}
void ZUStage::setMaxTime(int value)
{
    d->maxTime = value;
}
