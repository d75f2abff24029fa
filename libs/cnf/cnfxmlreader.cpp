#include "cnfxmlreader.h"

#include "cnfcontroller.h"
#include "cnfprogram.h"

CnfXmlReader::CnfXmlReader() = default;
CnfXmlReader::~CnfXmlReader() = default;

bool CnfXmlReader::read(const QByteArray &, bool, CnfController &controller)
{
    controller.clear();
    return true;
}

CnfProgramPtr CnfXmlReader::readDynamicProgram(const QByteArray &, CnfController &)
{
    m_error = QStringLiteral("Not available yet");
    return {};
}
