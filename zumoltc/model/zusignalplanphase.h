#pragma once

#include "keptmembers.h"
#include "zuenums.h"
#include "zustage.h"

#include <QObject>
#include <QPointer>

#include <memory>

// One phase of a stage-ring signal plan, a child of its plan. It has a fixed id
// (phases are referred to by it) but no name. Integer fields are zu::NotSet until
// given; references are null until set.
class ZUSignalPlanPhase : public QObject
{
    Q_OBJECT
public:
    ZUSignalPlanPhase(QObject *parent, int id);
    // Same parent as the source, every field copied (id and call included).
    ZUSignalPlanPhase(const ZUSignalPlanPhase &other);
    ~ZUSignalPlanPhase() override;

    int id() const;
    QPointer<ZUStage> stage() const;
    void setStage(QPointer<ZUStage> stage);
    int recall() const;
    void setRecall(int recall);
    QPointer<ZUSignalPlanPhase> call() const;
    void setCall(QPointer<ZUSignalPlanPhase> call);
    int passage() const;
    void setPassage(int value);
    int minGreen() const;
    void setMinGreen(int value);
    int maxGreen() const;
    void setMaxGreen(int value);
    int countdownBoard() const;
    void setCountdownBoard(int value);
    // What the file held for this phase beyond what the model knows; copied
    // with the phase.
    KeptMembers &keptMembers();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
