#pragma once

#include "tlcprogram.h"

#include <vector>

// A stage-ring program: its steps in turn, each green for its base time and
// prolonged by detector transits up to its maximum; a step on demand runs only
// when a condition has called it.
class TlcEngine::StageRingProgram : public TlcEngine::Program
{
public:
    using Program::Program;

    void build(const CnfProgram &program, Plan &plan) override;
    bool begin(qint64 t) override;
    void run(qint64 t) override;
    void settled() override;
    void input(bool sensor, int id, qint64 ms) override;

private:
    struct Step
    {
        int stage = -1;
        qint64 base = 0;
        qint64 max = 0;
        qint64 passage = 0;
        bool onDemand = false;
    };
    struct Condition
    {
        int step = -1; // 0-based step it applies on; -1 on every step
        int detector = -1;
        int sensor = -1;
        bool control = false;
        int call = -1; // 0-based step it demands
    };

    void startStep(int step, qint64 t, bool now);
    int nextStep() const;

    std::vector<Step> m_ring;
    std::vector<Condition> m_conditions;
    int m_step = -1; // the running step
    qint64 m_greenEnd = 0; // end of the running step's green
    qint64 m_maxEnd = 0;
    qint64 m_extendTo = Never;
    std::vector<char> m_demand; // per step
};
