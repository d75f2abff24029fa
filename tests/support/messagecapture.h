#pragma once

#include <QStringList>
#include <QtGlobal>

// Captures qDebug/qWarning/qCritical output while it lives, so a test can check
// what was logged. Nests: the previous handler comes back on destruction.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    QStringList messages(QtMsgType type) const;
    QStringList warnings() const { return messages(QtWarningMsg); }
    QStringList criticals() const { return messages(QtCriticalMsg); }
    void clear();

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &text);

    QtMessageHandler m_previous;
    MessageCapture *m_outer;
    QList<QPair<QtMsgType, QString>> m_messages;
};
