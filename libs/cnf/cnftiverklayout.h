#pragma once

#include <QDomDocument>
#include <QString>

// The layout of the raw parameter bytes of TIVERK 3.x and adapter programs:
// a "Layout" root with "List" elements (display texts and stored values),
// and the "Chapter" "programs" whose "Element" children give the program
// record and whose "Type" children describe each algorithm kind.
class CnfTiverkLayout
{
public:
    static QDomDocument document(const QString &version, bool adapter);
    // Bytes of one program record (number, kind and parameters).
    static int programRecordSize();
};
