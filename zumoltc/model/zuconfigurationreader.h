#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <memory>

class ZUConfiguration;

// zumoltc's reader of the ZU_MOLT file, beside the configuration library's
// (libs/cnf/zu_moltconfig.h) on purpose: this one fills zumoltc's object model,
// that one the controller plivek works with; zumoltc links no part of libs/cnf.
//
// Reads a ZU_MOLT configuration file (UTF-8 JSON) into a configuration. The
// configuration is reset first and then filled section by section in a fixed
// order, so that every reference names objects read before it; the order of the
// keys in the file plays no part.
//
// A read fails with one error text (the parser's positioned text, a root that is
// no object, a wrong configVersion or type); everything else becomes a warning,
// prefixed with "Line %1, column %2: " where the value is known, and the value
// concerned keeps its default. The warnings go to the configuration's list.
// While reading, the configuration's loading() flag is set.
class ZUConfigurationReader
{
    Q_DECLARE_TR_FUNCTIONS(ZUConfiguration)

public:
    explicit ZUConfigurationReader(ZUConfiguration *configuration);
    ~ZUConfigurationReader();
    ZUConfigurationReader(const ZUConfigurationReader &) = delete;
    ZUConfigurationReader &operator=(const ZUConfigurationReader &) = delete;

    bool read(const QByteArray &data, QString *error);

private:
    class Private;
    std::unique_ptr<Private> d;
};
