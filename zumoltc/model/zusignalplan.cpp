#include "zusignalplan.h"

#include "zulists.h"
#include "zulookup.h"

#include <QSet>

struct ZUSignalPlan::Private
{
    int type = zu::NotSet;
    bool coordinated = false;
    int cycle = zu::NotSet;
    int offset = zu::NotSet;
    QList<Sequence> sequences;
    QList<QPointer<ZUSignalPlanPhase>> phases;
    QList<DetectorControl> detectors;
    int mode = zu::NotSet;
};

ZUSignalPlan::ZUSignalPlan(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private)
{
}

ZUSignalPlan::ZUSignalPlan(const ZUSignalPlan &other)
    : ZUBaseObject(other)
    , d(new Private)
{
    d->type = other.d->type;
    d->coordinated = other.d->coordinated;
    d->cycle = other.d->cycle;
    d->offset = other.d->offset;
    d->sequences = other.d->sequences;

    // Copies stand at the same positions as their sources, so a position in the
    // source's list names the matching copy.
    QList<QPointer<ZUSignalPlanPhase>> sourcePhases = other.d->phases;
    zu::pruneDead(sourcePhases);
    QList<int> callPositions;
    for (const QPointer<ZUSignalPlanPhase> &source : sourcePhases) {
        QPointer<ZUSignalPlanPhase> copy = new ZUSignalPlanPhase(*source);
        copy->setParent(this);
        callPositions.append(sourcePhases.indexOf(source->call()));
        d->phases.append(copy);
    }
    for (int i = 0; i < d->phases.size(); ++i) {
        if (callPositions.at(i) >= 0)
            d->phases.at(i)->setCall(d->phases.at(callPositions.at(i)));
    }
    auto remap = [&](const QPointer<ZUSignalPlanPhase> &phase) -> QPointer<ZUSignalPlanPhase> {
        const int position = phase ? sourcePhases.indexOf(phase) : -1;
        return position >= 0 ? d->phases.at(position) : QPointer<ZUSignalPlanPhase>();
    };
    for (DetectorControl record : other.d->detectors) {
        record.phase = remap(record.phase);
        record.call = remap(record.call);
        record.redirect = remap(record.redirect);
        d->detectors.append(record);
    }
    d->mode = other.d->mode;
}

ZUSignalPlan::~ZUSignalPlan()
{
    notifyDestroying();
}

int ZUSignalPlan::type() const
{
    return d->type;
}
void ZUSignalPlan::setType(int type)
{
    d->type = type;
}
bool ZUSignalPlan::coordinated() const
{
    return d->coordinated;
}
void ZUSignalPlan::setCoordinated(bool coordinated)
{
    d->coordinated = coordinated;
}
int ZUSignalPlan::cycle() const
{
    return d->cycle;
}
void ZUSignalPlan::setCycle(int cycle)
{
    d->cycle = cycle;
}
int ZUSignalPlan::offset() const
{
    return d->offset;
}
void ZUSignalPlan::setOffset(int offset)
{
    d->offset = offset;
}
int ZUSignalPlan::mode() const
{
    return d->mode;
}
void ZUSignalPlan::setMode(int mode)
{
    d->mode = mode;
}

QList<ZUSignalPlan::Sequence> &ZUSignalPlan::sequences()
{
    return zu::pruneDead(d->sequences,
                         [](const Sequence &record) { return !record.group.isNull(); });
}

void ZUSignalPlan::setGroupSequence(QPointer<ZUSignalGroup> group,
                                    const QMap<int, zu::TimelineState> &sequence)
{
    if (!group)
        return;
    for (Sequence &record : d->sequences) {
        if (record.group == group) {
            record.sequence = sequence;
            return;
        }
    }
    d->sequences.append(Sequence { group, sequence, {} });
}

void ZUSignalPlan::clearSequences()
{
    d->sequences.clear();
}

QList<QPointer<ZUSignalPlanPhase>> &ZUSignalPlan::phases()
{
    return zu::pruneDead(d->phases);
}

QPointer<ZUSignalPlanPhase> ZUSignalPlan::addPhase(int id, QPointer<ZUStage> stage, int maxGreen,
                                                   int minGreen, int recall)
{
    QPointer<ZUSignalPlanPhase> phase = new ZUSignalPlanPhase(this, id);
    phase->setStage(stage);
    phase->setMaxGreen(maxGreen);
    phase->setMinGreen(minGreen);
    phase->setRecall(recall);
    d->phases.append(phase);
    return phase;
}

QPointer<ZUSignalPlanPhase> ZUSignalPlan::findPhase(const QVariant &key) const
{
    int id = 0;
    if (!zu::numericKey(key, id))
        return nullptr;
    for (const QPointer<ZUSignalPlanPhase> &phase : d->phases) {
        if (phase && phase->id() == id)
            return phase;
    }
    return nullptr;
}

void ZUSignalPlan::setPhases(const QList<QPointer<ZUSignalPlanPhase>> &phases)
{
    zu::pruneDead(d->phases);
    QSet<const ZUSignalPlanPhase *> kept;
    kept.reserve(phases.size());
    for (const QPointer<ZUSignalPlanPhase> &phase : phases)
        kept.insert(phase.data());
    for (int i = d->phases.size() - 1; i >= 0; --i) {
        if (!kept.contains(d->phases.at(i).data()))
            delete d->phases.at(i).data();
    }
    d->phases = phases;
}

void ZUSignalPlan::removePhasesOf(const ZUStage *stage)
{
    for (int i = d->phases.size() - 1; i >= 0; --i) {
        ZUSignalPlanPhase *phase = d->phases.at(i);
        if (phase && phase->stage().data() == stage) {
            d->phases.removeAt(i);
            delete phase;
        }
    }
}

QList<ZUSignalPlan::DetectorControl> &ZUSignalPlan::detectors()
{
    return zu::pruneDead(d->detectors,
                         [](const DetectorControl &record) { return !record.phase.isNull(); });
}

void ZUSignalPlan::addDetector(const DetectorControl &record)
{
    d->detectors.append(record);
}

void ZUSignalPlan::setDetectors(const QList<DetectorControl> &records)
{
    d->detectors = records;
}
