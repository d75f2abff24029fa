#include "cnftiverklayout.h"

QDomDocument CnfTiverkLayout::document(const QString &, bool)
{
    return QDomDocument();
}

int CnfTiverkLayout::programRecordSize()
{
    return 64;
}
