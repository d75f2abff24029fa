#pragma once

#include "cnffwd.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// One step of a program: a phase and how long it runs. Algorithm settings
// of a step are dynamic properties ("recall", "minGreen", ...).
//
// The length is the phase's own time; the full length adds the interstate
// time of the change from the previous step (phaseInterstate), computed from
// the signal groups' interstate records of the program's variant.
class CnfPhaseDef : public QObject
{
    Q_OBJECT
public:
    explicit CnfPhaseDef(CnfProgram *program = nullptr);

    QString id() const; // the phase's id (kept also without a phase)
    void setId(const QString &phaseId); // unbinds a phase of another id
    CnfPhasePtr phase() const { return m_phase; }
    void setPhase(const CnfPhasePtr &phase);

    int length() const { return m_length; }
    void setLength(int seconds);
    // Takes a decimal text; false (nothing changed) for anything else.
    bool setLength(const QString &text);
    int fullLength() const;
    void setFullLength(int seconds); // length = full length - interstate, at least 0
    // The second of the controller's cycle at which the step's own time begins
    // (after the change into it): the full lengths of the steps before it and
    // its change, plus the program's cycle offset, modulo the program's cycle.
    // A step outside a program: the second its file stated.
    int start() const;
    // The start second a file stated for the step; written back as it was read.
    int fileStart() const { return m_fileStart; }
    void setFileStart(int second) { m_fileStart = second; }

    CnfProgram *program() const { return m_program; }
    // The step before this one (the last step for the first); null for a
    // program of fewer than two steps or a step outside a program.
    CnfPhaseDefPtr previous() const;
    // Seconds of the change from the previous step into this one; the
    // groups `without` left out and the steps of the phases `withoutPhases`
    // taken as running no group, as after their removal.
    int phaseInterstate(const QList<int> &without = {},
                        const QStringList &withoutPhases = {}) const;
    // The change from the previous step computed from interstate records,
    // the groups `without` left out and the steps of the phases
    // `withoutPhases` taken as running no group; null when there is no
    // previous step.
    CnfTransitionPtr createTransition(const QList<int> &without = {},
                                      const QStringList &withoutPhases = {}) const;
    // The stored transition of this step's phase from the previous step's
    // phase; null when none.
    CnfTransitionPtr findTransition() const;
    // Green when this step's phase runs the group, red otherwise.
    int getSGState(int signalGroupId) const;

    // What the change from the previous step does to a group's green.
    enum GreenChange { GreenKept = 0, GreenEnds = 2, GreenBegins = 3 };
    // GreenEnds: green in the previous step's phase and not in this one;
    // GreenBegins: the reverse; GreenKept otherwise (green in both or in
    // neither, or no previous step).
    int greenChange(int signalGroupId) const;

    // Names of "properties" members that the file held as null (CnfTreeSchema).
    QStringList nullProperties() const { return m_nullProperties; }
    void setNullProperties(const QStringList &names) { m_nullProperties = names; }

    // The members a ZU_MOLT plan phase was read without ("id": it is counted
    // by its position): the ZU_MOLT writer leaves the member out again while
    // the step's id is still its position. Not kept by the other formats.
    QStringList unsetMembers;

private:
    friend class CnfProgram;
    CnfProgram *m_program = nullptr;
    CnfPhasePtr m_phase;
    QString m_phaseId;
    int m_length = 0;
    int m_fileStart = 0;
    QStringList m_nullProperties;
};
