#pragma once

#include <QByteArray>

#include <memory>

class ZUConfiguration;

// zumoltc's writer of the ZU_MOLT file; plivek writes the same file through
// libs/cnf/zu_moltconfig.h (see zuconfigurationreader.h for why two exist).
//
// Writes a configuration as the text of a ZU_MOLT configuration file (UTF-8
// JSON): root members and sections in their fixed order, each only when it holds
// something; nothing that is not set is written, and references are written as
// the target's id. Writing does not change the configuration and cannot fail.
class ZUConfigurationWriter
{
public:
    explicit ZUConfigurationWriter(ZUConfiguration *configuration);
    ~ZUConfigurationWriter();
    ZUConfigurationWriter(const ZUConfigurationWriter &) = delete;
    ZUConfigurationWriter &operator=(const ZUConfigurationWriter &) = delete;

    QByteArray write();

private:
    class Private;
    std::unique_ptr<Private> d;
};
