#pragma once

#include "zumoltc/shell/userdialogs.h"

#include <QDialog>
#include <QLabel>
#include <QList>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringList>

// Stands in for the user of a main window: answers every modal window and file
// dialog from its script, in order, and keeps what was shown. A window that comes
// without a scripted answer is cancelled and counted as unexpected.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Shown
    {
        QString className;
        QString title;
        QString text; // message box text, or the label of another dialog
        QString details; // the text of a plain-text box, if any
        QWidget *parent = nullptr;
        int buttons = 0; // message box standard buttons
        int icon = 0; // message box icon
    };
    struct FileQuestion
    {
        QString caption;
        QString start;
        QString filter;
    };

    // Answers, in the order they will be needed: a message box button
    // (QMessageBox::Yes ...) or a dialog result (QDialog::Accepted / Rejected).
    QList<int> answers;
    // The paths the file dialogs give, in order; an empty path cancels.
    QStringList files;

    QList<Shown> shown;
    QList<FileQuestion> fileQuestions;
    int unexpected = 0;

    int exec(QDialog *dialog) override
    {
        Shown seen;
        seen.className = QString::fromLatin1(dialog->metaObject()->className());
        seen.title = dialog->windowTitle();
        seen.parent = dialog->parentWidget();
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            seen.text = box->text();
            seen.buttons = int(box->standardButtons());
            seen.icon = int(box->icon());
        } else if (auto *label = dialog->findChild<QLabel *>(QStringLiteral("label"))) {
            seen.text = label->text();
        }
        if (auto *box = dialog->findChild<QPlainTextEdit *>())
            seen.details = box->toPlainText();
        shown << seen;
        if (answers.isEmpty()) {
            ++unexpected;
            return qobject_cast<QMessageBox *>(dialog) ? int(QMessageBox::Cancel)
                                                       : int(QDialog::Rejected);
        }
        return answers.takeFirst();
    }

    QString openFileName(QWidget *, const QString &caption, const QString &start,
                         const QString &filter) override
    {
        return fileAnswer(caption, start, filter);
    }

    QString saveFileName(QWidget *, const QString &caption, const QString &start,
                         const QString &filter) override
    {
        return fileAnswer(caption, start, filter);
    }

    QStringList titles() const
    {
        QStringList result;
        for (const Shown &seen : shown)
            result << seen.title;
        return result;
    }

private:
    QString fileAnswer(const QString &caption, const QString &start, const QString &filter)
    {
        fileQuestions << FileQuestion { caption, start, filter };
        if (files.isEmpty()) {
            ++unexpected;
            return QString();
        }
        return files.takeFirst();
    }
};
