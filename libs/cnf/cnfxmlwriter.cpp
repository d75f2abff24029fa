#include "cnfxmlwriter.h"

#include "cnfcontroller.h"
#include "cnfprogram.h"

QByteArray CnfXmlWriter::write(const CnfController &, bool) const
{
    return QByteArrayLiteral("<Controller/>");
}

QByteArray CnfXmlWriter::writeDynamicProgram(const CnfController &, const CnfProgram &) const
{
    return {};
}
