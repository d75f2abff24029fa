#pragma once

#include "cnffwd.h"

#include <QByteArray>
#include <QString>

class CnfXmlReaderPrivate;

// Reads the "Controller" element of the native format into a controller.
// Errors name line and column; errorString() holds the first one.
class CnfXmlReader
{
public:
    CnfXmlReader();
    ~CnfXmlReader();

    // Fills `controller` (cleared first). `strict`: unknown elements are errors.
    bool read(const QByteArray &bytes, bool strict, CnfController &controller);
    // One program of the exchange form; phases and matrices are looked up in
    // `controller`. Null on failure.
    CnfProgramPtr readDynamicProgram(const QByteArray &bytes, CnfController &controller);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};
