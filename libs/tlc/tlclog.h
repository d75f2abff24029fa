#pragma once

#include <QString>

#include <log4cxx/logger.h>

// The emulator's loggers. They are created on first use, which every QTlcBase
// does, so that a logging set-up finds them all before anything is logged.
//   "tlc:config"   loading and starting
//   "tlc:plan"     plan selection and refused plans
//   "tlc:stage"    stages started and established, crosswalk changes
//   "tlc:sg"       each signal-group change (TRACE)
//   "tlc:detector" detector transits
//   "tlc:sensor"   sensor calls
// Nothing is logged per tick.
namespace TlcLog {

struct Loggers
{
    log4cxx::LoggerPtr config;
    log4cxx::LoggerPtr plan;
    log4cxx::LoggerPtr stage;
    log4cxx::LoggerPtr signalGroup;
    log4cxx::LoggerPtr detector;
    log4cxx::LoggerPtr sensor;
};

const Loggers &loggers();
QStringList loggerNames();

// Writes the message when the logger takes that level.
void write(const log4cxx::LoggerPtr &logger, const log4cxx::LevelPtr &level,
           const QString &message);
inline void info(const log4cxx::LoggerPtr &logger, const QString &message)
{
    write(logger, log4cxx::Level::getInfo(), message);
}
inline void warn(const log4cxx::LoggerPtr &logger, const QString &message)
{
    write(logger, log4cxx::Level::getWarn(), message);
}
inline void error(const log4cxx::LoggerPtr &logger, const QString &message)
{
    write(logger, log4cxx::Level::getError(), message);
}
// Callers test isTraceEnabled() first, so that a quiet run builds no text.
inline void trace(const log4cxx::LoggerPtr &logger, const QString &message)
{
    write(logger, log4cxx::Level::getTrace(), message);
}

// A lookup by id found nothing: the caller had an event for it.
void warnMissing(const char *kind, int id);

} // namespace TlcLog
