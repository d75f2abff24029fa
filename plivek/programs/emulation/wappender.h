#pragma once

#include <QPointer>
#include <QString>

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/level.h>

class QTextEdit;
class QTlc;

// The log4cxx appender named "plivek" of the emulator log window. It writes one
// line per event into its text editor: "clock [LEVEL] logger message", coloured by
// level, the logger's name after its last ':'. An event equal to the one before in
// level, short logger name and message replaces the last line by itself with a
// note "(repeated N times)". While an emulation runs, the run gives the appender
// its emulator, and the lines begin with the emulation time in seconds.
class WAppender : public log4cxx::AppenderSkeleton
{
public:
    // The editor is watched: once it is gone events are dropped.
    explicit WAppender(QTextEdit *textEdit = nullptr);
    ~WAppender() override;

    // The emulator whose clock begins the lines, or null between runs; watched, not owned.
    void setEmulator(QTlc *emulator);
    QTlc *emulator() const;

    // Stops writing anywhere; the window calls it when it goes.
    void detach();

    bool requiresLayout() const override;
    void close() override;

protected:
    void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &pool) override;

private:
    QPointer<QTextEdit> m_textEdit;
    QPointer<QTlc> m_emulator;
    QString m_lastLoggerName;
    QString m_lastMessage;
    // Null until the first event.
    log4cxx::LevelPtr m_lastLevel;
    int m_repeatCount = 0;
};
