#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QPair>
#include <QString>

// The layout of the raw parameter bytes of TIVERK 3.x and adapter programs:
// a "Layout" root with "List" elements (display texts and stored values),
// and the "Chapter" "programs" whose "Element" children give the program
// record and whose "Type" children describe each algorithm kind.
class CnfTiverkLayout
{
public:
    static QDomDocument document(const QString &version, bool adapter);
    // Bytes of one program record (number, kind and parameters) of a version:
    // a "3.17" record holds one byte more, at index 3, behind the variant.
    static int programRecordSize(const QString &version = QString());
    // Whether records of the version keep that byte at index 3 (the adapter's never do).
    static bool hasReservedByte(const QString &version, bool adapter);

    // Reading a layout document.
    // The chapter "programs"; null when missing.
    static QDomElement programsChapter(const QDomDocument &layout);
    // The "Element" children of an element, in order.
    static QList<QDomElement> elements(const QDomElement &parent);
    // Base type and byte size of a type text: "byte" 1, "word" 2, "word[3]" 6,
    // anything else its count ("array[16]" 16).
    static QPair<QString, int> parseElementType(const QString &type);
};
