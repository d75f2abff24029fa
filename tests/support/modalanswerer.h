#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// Answers the next modal window (message box, input dialog, file dialog) from a
// timer while the code under test blocks in exec(). The window's title and text
// are kept so the test can check what the user would have seen.
class ModalAnswerer : public QObject
{
    Q_OBJECT
public:
    using Answer = std::function<void(QWidget *modal)>;

    explicit ModalAnswerer(QObject *parent = nullptr);

    // Presses the message box button with this standard role or text.
    void pressButton(int standardButton);
    void pressButtonText(const QString &text);
    // Types a value into an input dialog or a file dialog's name field and accepts.
    void enterText(const QString &text);
    // Rejects (Escape) whatever modal window comes next.
    void reject();
    // Any other handling.
    void answerWith(Answer answer);

    bool answered() const { return m_answered; }
    QString seenTitle() const { return m_title; }
    QString seenText() const { return m_text; }
    QString seenClassName() const { return m_className; }

private:
    void arm(Answer answer);
    void poll();

    Answer m_answer;
    bool m_answered = false;
    int m_polls = 0;
    QString m_title;
    QString m_text;
    QString m_className;
};
