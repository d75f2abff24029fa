#include "zusignalplanphase.h"

struct ZUSignalPlanPhase::Private
{
    int id = zu::NotSet;
    QPointer<ZUStage> stage;
    int recall = zu::NotSet;
    QPointer<ZUSignalPlanPhase> call;
    int passage = zu::NotSet;
    int minGreen = zu::NotSet;
    int maxGreen = zu::NotSet;
    int countdownBoard = zu::NotSet;
    KeptMembers kept;
};

ZUSignalPlanPhase::ZUSignalPlanPhase(QObject *parent, int id)
    : QObject(parent)
    , d(new Private)
{
    d->id = id;
}

ZUSignalPlanPhase::ZUSignalPlanPhase(const ZUSignalPlanPhase &other)
    : QObject(other.parent())
    , d(new Private(*other.d))
{
}

ZUSignalPlanPhase::~ZUSignalPlanPhase() = default;

int ZUSignalPlanPhase::id() const
{
    return d->id;
}
QPointer<ZUStage> ZUSignalPlanPhase::stage() const
{
    return d->stage;
}
void ZUSignalPlanPhase::setStage(QPointer<ZUStage> stage)
{
    d->stage = stage;
}
int ZUSignalPlanPhase::recall() const
{
    return d->recall;
}
void ZUSignalPlanPhase::setRecall(int recall)
{
    d->recall = recall;
}
QPointer<ZUSignalPlanPhase> ZUSignalPlanPhase::call() const
{
    return d->call;
}
void ZUSignalPlanPhase::setCall(QPointer<ZUSignalPlanPhase> call)
{
    d->call = call;
}
int ZUSignalPlanPhase::passage() const
{
    return d->passage;
}
void ZUSignalPlanPhase::setPassage(int value)
{
    d->passage = value;
}
int ZUSignalPlanPhase::minGreen() const
{
    return d->minGreen;
}
void ZUSignalPlanPhase::setMinGreen(int value)
{
    d->minGreen = value;
}
int ZUSignalPlanPhase::maxGreen() const
{
    return d->maxGreen;
}
void ZUSignalPlanPhase::setMaxGreen(int value)
{
    d->maxGreen = value;
}
int ZUSignalPlanPhase::countdownBoard() const
{
    return d->countdownBoard;
}
void ZUSignalPlanPhase::setCountdownBoard(int value)
{
    d->countdownBoard = value;
}
KeptMembers &ZUSignalPlanPhase::keptMembers()
{
    return d->kept;
}
