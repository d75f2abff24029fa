#pragma once

#include "tlc/tlclog.h"

#include <QStringList>

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/logger.h>
#include <log4cxx/spi/loggingevent.h>

#include <memory>

// Catches every log line of the emulator as "LEVEL logger: message" while it
// lives, with the emulator's loggers opened down to TRACE.
class LogCapture
{
public:
    LogCapture()
        : m_appender(std::make_shared<Appender>())
    {
        log4cxx::Logger::getRootLogger()->addAppender(m_appender);
        for (const QString &name : TlcLog::loggerNames())
            log4cxx::Logger::getLogger(name.toStdString())->setLevel(log4cxx::Level::getTrace());
    }
    ~LogCapture()
    {
        log4cxx::Logger::getRootLogger()->removeAppender(m_appender);
        for (const QString &name : TlcLog::loggerNames())
            log4cxx::Logger::getLogger(name.toStdString())->setLevel(log4cxx::LevelPtr());
    }

    QStringList lines() const { return m_appender->lines; }
    QStringList linesOf(const QString &level) const
    {
        return lines().filter(QRegExp(QStringLiteral("^") + level + QStringLiteral(" ")));
    }
    void clear() { m_appender->lines.clear(); }

private:
    class Appender : public log4cxx::AppenderSkeleton
    {
    public:
        QStringList lines;
        void close() override { }
        bool requiresLayout() const override { return false; }

    protected:
        void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &) override
        {
            lines.append(QString::fromStdString(event->getLevel()->toString()) + QLatin1Char(' ')
                         + QString::fromStdString(event->getLoggerName()) + QStringLiteral(": ")
                         + QString::fromStdString(event->getMessage()));
        }
    };
    std::shared_ptr<Appender> m_appender;
};
