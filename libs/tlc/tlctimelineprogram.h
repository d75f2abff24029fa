#pragma once

#include "tlcprogram.h"

#include <utility>
#include <vector>

// A timeline program: each group shows the state of its own timeline at the
// cycle position; no stages. The coordinated timeline type always runs on the
// time of day, the plain one when its "coordinated" property says so.
class TlcEngine::TimelineProgram : public TlcEngine::Program
{
public:
    TimelineProgram(TlcEngine &engine, bool coordinated)
        : Program(engine)
        , m_coordinated(coordinated)
    {
    }

    void build(const CnfProgram &program, Plan &plan) override;
    bool begin(qint64 t) override;
    void run(qint64 t) override;

private:
    void show(qint64 t);

    bool m_coordinated;
    std::vector<std::vector<std::pair<qint64, Primitive>>> m_timeline; // per group index, by time
};
