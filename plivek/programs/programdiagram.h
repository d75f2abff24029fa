#pragma once

#include "cnf/cnffwd.h"

#include <QMap>
#include <QVector>

#include <functional>

class QString;

namespace plotlet {
class Chart;
class RectangleSeries;
} // namespace plotlet

// Draws a TIVERK 3.x program on a chart: one row per signal group (sorted by number, the
// first at the top row n, the last at row 1) with its green and red times and the changes
// between steps (red-yellow, green blinking, yellow), one grey rectangle per step's phase
// and a red rectangle where two conflicting groups are green at once in a change. Every
// step's green time starts after the full lengths of the steps before it and its own
// change; the whole drawing is moved left by the program's cycle offset, wrapping round the
// cycle. An error (a family without diagrams, a change that cannot be worked out) replaces
// the drawing. The chart's series and row labels are replaced; nothing else is written.
class ProgramDiagram
{
public:
    // The change into a step from the one before it; the steps' own computation unless a
    // test gives another.
    using TransitionSource = std::function<CnfTransitionPtr(const CnfPhaseDef &)>;

    explicit ProgramDiagram(TransitionSource transitions = TransitionSource());

    // A null program leaves the chart empty. `supported` false shows "not supported".
    void draw(plotlet::Chart *chart, const CnfProgramPtr &program, const CnfController *controller,
              bool supported) const;

    // What the diagram draws, second by second: for every signal group of the program (by
    // id) its colour state (CnfSignalGroup::SGState) at each whole second 0 .. cycle - 1 of
    // the diagram's time axis, so with the cycle offset applied as the drawing applies it.
    // Empty, with the diagram's error text in `error`, when the drawing shows an error.
    QMap<int, QVector<int>> secondStates(const CnfProgram &program, const CnfController *controller,
                                         QString *error = nullptr) const;

private:
    // One stretch of a group's row (by the group's place in `groups`) in one colour state.
    using BarSink = std::function<void(int groupIndex, double from, double to, int state)>;
    // Lays the program out as the diagram shows it: every stretch of every group to `bar`,
    // the steps' and the conflicts' rectangles to `rects` when given. False with the
    // error text when a change cannot be worked out.
    bool layOut(const CnfProgram &program, const CnfController *controller,
                const QList<CnfSignalGroupPtr> &groups, const BarSink &bar,
                plotlet::RectangleSeries *rects, QString *error) const;

    TransitionSource m_transitions;
};
