#include "tlclog.h"

#include <QStringList>

namespace TlcLog {

const Loggers &loggers()
{
    static const Loggers all {
        log4cxx::Logger::getLogger("tlc:config"),   log4cxx::Logger::getLogger("tlc:plan"),
        log4cxx::Logger::getLogger("tlc:stage"),    log4cxx::Logger::getLogger("tlc:sg"),
        log4cxx::Logger::getLogger("tlc:detector"), log4cxx::Logger::getLogger("tlc:sensor")
    };
    return all;
}

QStringList loggerNames()
{
    return { QStringLiteral("tlc:config"),   QStringLiteral("tlc:plan"),
             QStringLiteral("tlc:stage"),    QStringLiteral("tlc:sg"),
             QStringLiteral("tlc:detector"), QStringLiteral("tlc:sensor") };
}

void write(const log4cxx::LoggerPtr &logger, const log4cxx::LevelPtr &level, const QString &message)
{
    if (logger->isEnabledFor(level))
        logger->forcedLog(level, message.toStdString());
}

void warnMissing(const char *kind, int id)
{
    const Loggers &all = loggers();
    const bool sensor = qstrcmp(kind, "sensor") == 0;
    warn(sensor ? all.sensor : all.detector,
         QStringLiteral("no %1 %2: the event is dropped").arg(QLatin1String(kind)).arg(id));
}

} // namespace TlcLog
