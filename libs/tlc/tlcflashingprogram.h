#pragma once

#include "tlcprogram.h"

// A flashing program: every group blinks amber; no stages.
class TlcEngine::FlashingProgram : public TlcEngine::Program
{
public:
    using Program::Program;

    void build(const CnfProgram &program, Plan &plan) override;
    bool begin(qint64 t) override;
};
