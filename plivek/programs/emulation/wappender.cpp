#include "wappender.h"

#include "tlc/qtlc.h"

#include <QCoreApplication>
#include <QTextCursor>
#include <QTextEdit>

#include <log4cxx/spi/loggingevent.h>

namespace {

QString fromLogString(const log4cxx::LogString &text)
{
    return QString::fromStdString(text);
}

QColor levelColor(const log4cxx::LevelPtr &level)
{
    using log4cxx::Level;
    if (level == Level::getTrace())
        return Qt::darkGray;
    if (level == Level::getDebug())
        return Qt::darkCyan;
    if (level == Level::getInfo())
        return Qt::darkBlue;
    if (level == Level::getWarn())
        return Qt::darkYellow;
    if (level == Level::getError())
        return Qt::red;
    return Qt::black;
}

} // namespace

WAppender::WAppender(QTextEdit *textEdit)
    : m_textEdit(textEdit)
{
    setName(LOG4CXX_STR("plivek"));
}

WAppender::~WAppender() = default;

void WAppender::setEmulator(QTlc *emulator)
{
    m_emulator = emulator;
}

QTlc *WAppender::emulator() const
{
    return m_emulator;
}

void WAppender::detach()
{
    m_textEdit = nullptr;
}

bool WAppender::requiresLayout() const
{
    return false;
}

// Nothing to release: the editor belongs to the window.
void WAppender::close() { }

void WAppender::append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &)
{
    QTextEdit *edit = m_textEdit;
    if (!edit)
        return;
    QTextCursor cursor = edit->textCursor();
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format = edit->currentCharFormat();
    format.setForeground(QBrush(levelColor(event->getLevel())));

    QString loggerName = fromLogString(event->getLoggerName());
    loggerName = loggerName.mid(loggerName.lastIndexOf(QLatin1Char(':')) + 1);
    const QString message = fromLogString(event->getRenderedMessage());
    const log4cxx::LevelPtr level = event->getLevel();

    QString note;
    if (m_lastLevel && level == m_lastLevel && message == m_lastMessage
        && loggerName == m_lastLoggerName) {
        // The last line (with its line break) gives way to the same line with a count.
        cursor.movePosition(QTextCursor::PreviousBlock);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        ++m_repeatCount;
        note = QCoreApplication::translate("WAppender", "(repeated %1 times)").arg(m_repeatCount);
    } else {
        m_repeatCount = 1;
    }

    const QString clock
        = m_emulator ? QString::number(m_emulator->clock() / 1000.0, 'f', 1) : QString();
    log4cxx::LogString levelName;
    level->toString(levelName);
    const QString line = QStringLiteral("%1 [%2] %3 %4 %5\n")
                             .arg(clock, fromLogString(levelName), loggerName, message, note);
    cursor.insertText(line, format);
    edit->setTextCursor(cursor);

    m_lastLevel = level;
    m_lastLoggerName = loggerName;
    m_lastMessage = message;
}
