#pragma once

#include "zucontrolsource.h"
#include "zustage.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

// The remote control panel (file key VPU1): type (zu::VPUType), the control source
// through which it commands the controller, idle indication, common-wire polarity
// and the stage of each button by position (a null entry is a button without a
// stage). The panel has no priority of its own: it is its control source's. It has
// no meta-object of its own (its class name reads "QObject").
class ZUVPU : public QObject
{
public:
    explicit ZUVPU(QObject *parent = nullptr);
    ~ZUVPU() override;

    int type() const;
    void setType(int type);
    QPointer<ZUControlSource> source() const;
    // Stores a live source; a null or dead one keeps the previous source.
    void setSource(QPointer<ZUControlSource> source);
    bool idleInd() const;
    void setIdleInd(bool idleInd);
    int common() const;
    void setCommon(int common);

    // The control source's priority; zu::NotSet without a live source.
    int priority() const;
    // Writes into the control source; does nothing without a live source.
    void setPriority(int priority);

    // Appends the reference, a null one included.
    void addStage(QPointer<ZUStage> stage);
    void clearStages();
    // Dead entries are dropped from the end back to the last live one; those between
    // live ones stay as null so that later buttons keep their positions.
    QList<QPointer<ZUStage>> &stages();

    // Type and polarity not set, idle indication off, no stages; the source stays.
    void reset();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
