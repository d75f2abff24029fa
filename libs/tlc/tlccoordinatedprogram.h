#pragma once

#include "tlcfixedtimeprogram.h"

// A coordinated program: a fixed-time program whose cycle always runs on the
// time of day, shifted by the program's offset.
class TlcEngine::CoordinatedProgram : public TlcEngine::FixedTimeProgram
{
public:
    using FixedTimeProgram::FixedTimeProgram;

    void build(const CnfProgram &program, Plan &plan) override;
};
