#pragma once

#include <QString>

class QDialog;
class QWidget;

// The one way the main window shows modal windows and asks for file names, so that
// tests can stand in for the user: a test gives the window a subclass that answers
// from its script instead of showing anything.
class UserDialogs
{
public:
    virtual ~UserDialogs();

    // Runs dialog modally (message boxes included), large enough for its content,
    // and returns its result: for a QMessageBox the standard button pressed, else
    // QDialog::Accepted or Rejected.
    virtual int exec(QDialog *dialog);
    // The existing file the user picked, or an empty text when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &start,
                                 const QString &filter);
    // The file name the user chose to save under, or an empty text when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &start,
                                 const QString &filter);
};
