#pragma once

#include "zubaseobject.h"
#include "zudetector.h"
#include "zusignalgroup.h"
#include "zusignalplanphase.h"
#include "zustage.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QVariant>

// A signal plan. Its type (zu::PlanType) decides which part matters: the timeline
// sequences per signal group, the stage-ring phases with their detector-control
// records, or the special mode. The plan owns its phases (Qt children); the phase
// list holds guarded references in ring order. Integers are zu::NotSet until given.
class ZUSignalPlan : public ZUBaseObject
{
    Q_OBJECT
public:
    // The states of one signal group over the cycle: from each point (second of the
    // cycle) a zu::TimelineState lasts until the next point.
    struct Sequence
    {
        QPointer<ZUSignalGroup> group;
        QMap<int, zu::TimelineState> sequence;
        // The element's own under the empty part, each record's under its point.
        KeptMembers kept;
    };

    // Ties detectors to a phase of this plan.
    struct DetectorControl
    {
        QPointer<ZUSignalPlanPhase> phase;
        QPointer<ZUSignalPlanPhase> call;
        QPointer<ZUSignalPlanPhase> redirect;
        QPointer<ZUDetector> detector;
        QPointer<ZUDetector> indicator;
        bool control = false;
        KeptMembers kept;
    };

    explicit ZUSignalPlan(QObject *parent = nullptr);
    // Deep clone: new phases owned by the clone; the clone's calls and detector
    // records name the clone's phases.
    ZUSignalPlan(const ZUSignalPlan &other);
    ~ZUSignalPlan() override;

    int type() const;
    void setType(int type);
    bool coordinated() const;
    void setCoordinated(bool coordinated);
    int cycle() const;
    void setCycle(int cycle);
    int offset() const;
    void setOffset(int offset);
    int mode() const;
    void setMode(int mode);

    // Records of dead groups dropped first.
    QList<Sequence> &sequences();
    // Replaces the group's map or appends a record; a null or dead group is ignored.
    void setGroupSequence(QPointer<ZUSignalGroup> group,
                          const QMap<int, zu::TimelineState> &sequence);
    void clearSequences();

    // Dead phases dropped first.
    QList<QPointer<ZUSignalPlanPhase>> &phases();
    // Creates a phase owned by this plan and appends it.
    QPointer<ZUSignalPlanPhase> addPhase(int id, QPointer<ZUStage> stage, int maxGreen,
                                         int minGreen, int recall);
    // The first phase whose id is key; only a numeric key counts (a text finds nothing).
    QPointer<ZUSignalPlanPhase> findPhase(const QVariant &key) const;
    // The new phase list; phases of the old list that it leaves out are deleted.
    void setPhases(const QList<QPointer<ZUSignalPlanPhase>> &phases);
    // Deletes the phases that run stage: a step cannot be stored without its stage.
    // Calls of them read null and the records on them drop out of detectors().
    void removePhasesOf(const ZUStage *stage);

    // Records whose phase died dropped first.
    QList<DetectorControl> &detectors();
    void addDetector(const DetectorControl &record);
    void setDetectors(const QList<DetectorControl> &records);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
