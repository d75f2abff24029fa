#pragma once

#include <QByteArray>

class CnfController;
class CnfProgram;

// Writes a configuration as the "Controller" element of the native format
// (see docs/formats.md). Texts are escaped by the XML writer, so the element
// never holds "</Controller" or "<Network" except as its own tags.
class CnfXmlWriter
{
public:
    QByteArray write(const CnfController &controller, bool withDeclaration) const;
    // A "Controller" element with the family attributes and one "Program".
    QByteArray writeDynamicProgram(const CnfController &controller,
                                   const CnfProgram &program) const;
};
