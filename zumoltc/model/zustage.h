#pragma once

#include "zubaseobject.h"
#include "zusignalgroup.h"

#include <QList>
#include <QPointer>

// A stage: the signal groups that have green in it (each once, in the order
// added) and its green limits in seconds (zu::NotSet until given).
class ZUStage : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUStage(QObject *parent = nullptr);
    ZUStage(const ZUStage &other);
    ~ZUStage() override;

    // Ignores a null or dead group and one already listed. The group moves under
    // the stage's parent (the configuration) when the stage has one.
    void addGroup(QPointer<ZUSignalGroup> group);
    // Removes the first entry naming group; a null or dead group is ignored.
    void removeGroup(QPointer<ZUSignalGroup> group);
    // The groups, dead ones dropped first; the list itself, so callers may edit it.
    QList<QPointer<ZUSignalGroup>> &groups();

    int minTime() const;
    void setMinTime(int value);
    int maxTime() const;
    void setMaxTime(int value);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
