#pragma once

#include "cnfformatconfig.h"

#include <QByteArray>
#include <QString>

class CnfController;

// An adapter configuration file: UTF-8 text of "[section]" headers and
// "name = value" lines (layout in docs/formats.md). It holds the same parts as
// the TIVERK II file, one section per element, the native data in "[native]",
// and ends with an "[end]" line so that a cut-off file is told from a whole one.
//
// load() reads and checks a file; createController() then fills a
// controller. Failures: false (or empty bytes from save) with lastError(),
// which names the line for content errors.
class AdapterConfig : public CnfFormatConfig
{
public:
    AdapterConfig();

    bool loadData(const QByteArray &bytes) override;

    QByteArray save(const CnfController &controller);

    // True when the text starts (after comments) with the "[controller]" header.
    static bool recognizes(const QByteArray &bytes);

protected:
    bool fill(CnfController &controller, QString *error) override;
};
