#include "zuvpu.h"

struct ZUVPU::Private
{
    int type = zu::NotSet;
    QPointer<ZUControlSource> source;
    bool idleInd = false;
    int common = zu::NotSet;
    QList<QPointer<ZUStage>> stages;
};

ZUVPU::ZUVPU(QObject *parent)
    : QObject(parent)
    , d(new Private)
{
}

ZUVPU::~ZUVPU() = default;

int ZUVPU::type() const
{
    return d->type;
}
void ZUVPU::setType(int type)
{
    d->type = type;
}
QPointer<ZUControlSource> ZUVPU::source() const
{
    return d->source;
}
bool ZUVPU::idleInd() const
{
    return d->idleInd;
}
void ZUVPU::setIdleInd(bool idleInd)
{
    d->idleInd = idleInd;
}
int ZUVPU::common() const
{
    return d->common;
}
void ZUVPU::setCommon(int common)
{
    d->common = common;
}

void ZUVPU::setSource(QPointer<ZUControlSource> source)
{
    if (source)
        d->source = source;
}

int ZUVPU::priority() const
{
    return d->source ? d->source->priority() : zu::NotSet;
}

void ZUVPU::setPriority(int priority)
{
    if (d->source)
        d->source->setPriority(priority);
}

void ZUVPU::addStage(QPointer<ZUStage> stage)
{
    d->stages.append(stage);
}

void ZUVPU::clearStages()
{
    d->stages.clear();
}

QList<QPointer<ZUStage>> &ZUVPU::stages()
{
    while (!d->stages.isEmpty() && d->stages.last().isNull())
        d->stages.removeLast();
    return d->stages;
}

void ZUVPU::reset()
{
    d->type = zu::NotSet;
    d->common = zu::NotSet;
    d->idleInd = false;
    d->stages.clear();
}
