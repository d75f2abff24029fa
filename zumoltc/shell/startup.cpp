#include "startup.h"

#include <QCoreApplication>

namespace Startup {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("zumoltc"));
    QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.2.0"));
}

} // namespace Startup
