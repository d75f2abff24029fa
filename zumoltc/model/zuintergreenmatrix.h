#pragma once

#include "zubaseobject.h"
#include "zusignalgroup.h"

#include <QList>
#include <QPointer>

// The conflict matrix: timed conflict points from a clearing to an entering signal
// group. (A, B) and (B, A) are two points; setConflictTime keeps one per ordered
// pair. The configuration holds exactly one matrix; it has no clone.
class ZUIntergreenMatrix : public ZUBaseObject
{
    Q_OBJECT
public:
    struct Point
    {
        QPointer<ZUSignalGroup> clearing;
        QPointer<ZUSignalGroup> entering;
        int time = zu::NotSet;
        KeptMembers kept;
    };

    explicit ZUIntergreenMatrix(QObject *parent = nullptr);
    ~ZUIntergreenMatrix() override;

    // The time of the point (clearing, entering); zu::NotSet when there is none.
    int conflictTime(QPointer<ZUSignalGroup> clearing, QPointer<ZUSignalGroup> entering) const;
    // Sets the time of the point, adding it when absent; any time is stored as given.
    // A null or dead group is ignored.
    void setConflictTime(QPointer<ZUSignalGroup> clearing, QPointer<ZUSignalGroup> entering,
                         int time);
    void clear();
    // Every partner of group in either direction, each once, in order of first appearance.
    QList<QPointer<ZUSignalGroup>> conflictingGroups(QPointer<ZUSignalGroup> group) const;
    // The points, those naming a dead group dropped first.
    QList<Point> &points();

private:
    ZUIntergreenMatrix(const ZUIntergreenMatrix &) = delete;

    struct Private;
    std::unique_ptr<Private> d;
};
