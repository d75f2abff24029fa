#pragma once

#include "tlcprogram.h"

#include <vector>

// A program that runs its steps in a fixed cycle: each step's change starts at
// its place in the cycle. The types differ in how they find their steps.
class TlcEngine::CyclicProgram : public TlcEngine::Program
{
public:
    using Program::Program;

    bool begin(qint64 t) override;
    void run(qint64 t) override;

protected:
    // A step: the change into it starts at `start` of the cycle.
    struct Step
    {
        qint64 start = 0;
        int stage = -1; // index into the engine's stages, -1 for a step without phase
    };
    std::vector<Step> m_steps;

private:
    int stepAt(qint64 position);

    qint64 m_stepFrom = 0; // position range of the running step
    qint64 m_stepTo = 0;
};
