#include "startup.h"

#include <QCoreApplication>

namespace Startup {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("plivek"));
    QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.7.21"));
}

} // namespace Startup
