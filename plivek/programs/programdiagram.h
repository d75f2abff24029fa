#pragma once

#include "cnf/cnffwd.h"

#include <functional>

namespace plotlet {
class Chart;
}

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

private:
    TransitionSource m_transitions;
};
