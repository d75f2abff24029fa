#pragma once

#include "tlccyclicprogram.h"

// A sequence program: the phases its "sequence" property lists, each for its
// minimum time (a default when it has none) after the change into it.
class TlcEngine::SequenceProgram : public TlcEngine::CyclicProgram
{
public:
    using CyclicProgram::CyclicProgram;

    void build(const CnfProgram &program, Plan &plan) override;
};
