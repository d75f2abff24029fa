#include "tlcflashingprogram.h"

void TlcEngine::FlashingProgram::build(const CnfProgram &, Plan &) { }

bool TlcEngine::FlashingProgram::begin(qint64 t)
{
    m_engine.leaveStage();
    m_engine.setAll(QTlcSignalGroup::AmberBlink, t);
    return true;
}
