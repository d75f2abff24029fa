#pragma once

#include "tlccyclicprogram.h"

// A fixed-time program: its phases one after the other, each for its full
// length. Coordinated when the program's "coordinated" property says so.
class TlcEngine::FixedTimeProgram : public TlcEngine::CyclicProgram
{
public:
    using CyclicProgram::CyclicProgram;

    void build(const CnfProgram &program, Plan &plan) override;
};
