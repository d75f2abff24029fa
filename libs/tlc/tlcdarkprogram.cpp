#include "tlcdarkprogram.h"

void TlcEngine::DarkProgram::build(const CnfProgram &, Plan &) { }

bool TlcEngine::DarkProgram::begin(qint64 t)
{
    m_engine.leaveStage();
    m_engine.setAll(QTlcSignalGroup::Off, t);
    return true;
}
