#pragma once

#include "tlcprogram.h"

// A dark program: every group is off; no stages.
class TlcEngine::DarkProgram : public TlcEngine::Program
{
public:
    using Program::Program;

    void build(const CnfProgram &program, Plan &plan) override;
    bool begin(qint64 t) override;
};
