#include "messagecapture.h"

static MessageCapture *s_current = nullptr;

MessageCapture::MessageCapture()
    : m_outer(s_current)
{
    s_current = this;
    m_previous = qInstallMessageHandler(&MessageCapture::handler);
}

MessageCapture::~MessageCapture()
{
    qInstallMessageHandler(m_previous);
    s_current = m_outer;
}

QStringList MessageCapture::messages(QtMsgType type) const
{
    QStringList texts;
    for (const auto &message : m_messages) {
        if (message.first == type)
            texts << message.second;
    }
    return texts;
}

void MessageCapture::clear()
{
    m_messages.clear();
}

void MessageCapture::handler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (s_current)
        s_current->m_messages.append({ type, text });
}
