#include "tlcprogram.h"

#include "tlccoordinatedprogram.h"
#include "tlccrosswalkprogram.h"
#include "tlcdarkprogram.h"
#include "tlcflashingprogram.h"
#include "tlcsequenceprogram.h"
#include "tlcstageringprogram.h"
#include "tlctimelineprogram.h"

#include "cnf/cnfprogram.h"

std::unique_ptr<TlcEngine::Program> TlcEngine::Program::create(TlcEngine &engine, int type)
{
    switch (type) {
    case CnfProgram::FixedTime:
        return std::make_unique<FixedTimeProgram>(engine);
    case CnfProgram::Coordinated:
        return std::make_unique<CoordinatedProgram>(engine);
    case CnfProgram::Sequence:
        return std::make_unique<SequenceProgram>(engine);
    case CnfProgram::Timeline:
    case CnfProgram::CoordinatedTimeline:
        return std::make_unique<TimelineProgram>(engine, type == CnfProgram::CoordinatedTimeline);
    case CnfProgram::Stagering:
        return std::make_unique<StageRingProgram>(engine);
    case CnfProgram::YellowFlash:
        return std::make_unique<FlashingProgram>(engine);
    case CnfProgram::Dark:
        return std::make_unique<DarkProgram>(engine);
    case CnfProgram::Pedestrian:
        return std::make_unique<CrosswalkProgram>(engine);
    default:
        return nullptr;
    }
}

void TlcEngine::Program::run(qint64) { }

void TlcEngine::Program::settled() { }

void TlcEngine::Program::input(bool, int, qint64) { }
