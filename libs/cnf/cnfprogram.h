#pragma once

#include "cnffwd.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

// One signal program. The typed part is below; algorithm-specific settings
// are dynamic properties of the program and of its steps. A TIVERK 3.x or
// adapter program keeps its algorithm parameters as raw bytes (data()):
// byte 0 the program number, byte 1 the algorithm kind, then the parameters
// as the controller's tiverkLayout() describes them.
class CnfProgram : public QObject
{
    Q_OBJECT
public:
    // OtherAlgorithm: a ZU_MOLT algorithm that has no type of its own here.
    enum Type {
        OtherAlgorithm = 0,
        YellowFlash = 1,
        Dark = 2,
        FixedTime = 3,
        Coordinated = 4,
        Tiverk = 5,
        MultiRing = 6,
        Script = 7,
        Timeline = 8,
        CoordinatedTimeline = 9,
        Stagering = 10,
        Pedestrian = 11,
        Sequence = 12
    };
    Q_ENUM(Type)

    explicit CnfProgram(QObject *parent = nullptr);
    // A program that belongs to `controller` (not added to its list).
    explicit CnfProgram(CnfController *controller);
    ~CnfProgram() override;

    QString id; // program number as text, unique in the controller
    QString name;
    int type = FixedTime;
    int kind = 0; // algorithm kind of a Tiverk program (raw data byte 1)
    CnfMatrixPtr matrix; // may be null
    bool defaultMatrix = false; // the program uses the controller's default matrix
    int cycleLength = 0; // seconds, for programs without steps
    int interstateVariant = 1; // variant of the signal groups' interstate records
    // The members a ZU_MOLT plan's algorithm was read with at a value its
    // writer otherwise does not give: "cycle": 0 (otherwise left out), written
    // again while the program still holds that value; "sequence" empty or
    // left out (otherwise the phases' ids), written empty again while a phase
    // is counted by its position. Not kept by the other formats.
    QStringList defaultMembers;

    QByteArray data() const { return m_data; }
    // Stores bytes without checks; CnfController::setProgramRawData checks them.
    void setData(const QByteArray &data) { m_data = data; }

    QList<CnfPhaseDefPtr> phases() const { return m_phases; }
    int phaseCount() const { return m_phases.size(); }
    CnfPhaseDefPtr phaseDefAt(int index) const; // null out of range
    CnfPhaseDefPtr findPhaseDef(const QString &phaseId) const;
    int indexOfPhaseDef(const CnfPhaseDef *def) const; // -1 when absent
    CnfPhaseDefPtr appendPhase(const CnfPhasePtr &phase, int length);
    CnfPhaseDefPtr appendPhaseFl(const CnfPhasePtr &phase, int fullLength);
    bool removePhase(int index);

    // With `fromSteps` and at least one step: the sum of the steps' full
    // lengths; otherwise the stored cycleLength (or that sum when it is 0).
    int cycle(bool fromSteps) const;
    int cycleOffset(int notSet) const; // `notSet` when no offset is stored
    void setCycleOffset(int seconds); // a negative value unsets it
    bool hasCycleOffset() const { return m_offset >= 0; }

    // Timeline data: per signal group, start second -> colour state (a
    // negative state, no state, is not stored).
    QMap<int, int> getTimelineData(const CnfSignalGroupPtr &group) const;
    QMap<int, int> getTimelineData(int signalGroupId) const;
    void setTimelineData(const CnfSignalGroupPtr &group, int start, int state);
    void setTimelineData(int signalGroupId, int start, int state);
    // As setTimelineData, for a point read from a file: a new group goes at
    // the end of the list, so the file's order stays.
    void appendTimelineData(int signalGroupId, int start, int state);
    // The points of one group go to group `newId`, whose own go; a negative
    // `newId` only drops them (a removed group).
    void moveTimelineGroup(int signalGroupId, int newId);
    void clearTimelineData();
    // The groups with points in the order of the file's list: a group added by
    // setTimelineData goes where id order puts it, a renamed group keeps its place.
    QList<int> timelineGroups() const { return m_timelineOrder; }

    // Groups of the program's phases, first appearance first.
    QList<CnfSignalGroupPtr> signalGroups() const;

    CnfController *controller() const;
    void setController(CnfController *controller);

    // Removes everything: steps, timeline, matrix, raw data, dynamic
    // properties; id, name and type become empty / FixedTime.
    void clear();
    // Takes over everything of `other` (steps are copied, phases shared).
    // The program keeps its own object identity and controller link.
    void clone(const CnfProgram &other);
    void clone(const CnfProgramPtr &other);

    // Names of "properties" members that the file held as null (CnfTreeSchema).
    QStringList nullProperties() const { return m_nullProperties; }
    void setNullProperties(const QStringList &names) { m_nullProperties = names; }

    // Display texts of program types and of Tiverk algorithm kinds. `family`
    // is "adapter" or a TIVERK version text ("3.14" .. "3.18").
    static QString typeName(int type, bool translated);
    static QString tiverkTypeName(int kind, const QString &family, bool translated);
    // Key words of the types in files ("timer", "coord", ...); typeFromKey
    // gives -1 for an unknown word and accepts decimal numbers too.
    static QString typeKey(int type);
    static int typeFromKey(const QString &key);
    // The algorithm kind a program of `type` runs when its file names none:
    // a timer program is local fixed time (1), a coordinated one coordinated
    // fixed time (2); 0 for every other type.
    static int defaultKind(int type);

private:
    void putTimelineData(int signalGroupId, int start, int state, bool atEnd);

    QPointer<CnfController> m_controller;
    QByteArray m_data;
    QList<CnfPhaseDefPtr> m_phases;
    QMap<int, QMap<int, int>> m_timeline;
    QList<int> m_timelineOrder; // the keys of m_timeline in list order
    int m_offset = -1;
    QStringList m_nullProperties;
};
