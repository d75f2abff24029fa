#pragma once

#include <QDialog>

class CnfController;

namespace Ui {
class CalendarDlg;
}

// The calendar schedule of the controller: day cards, week cards, season plans
// and special days.
// First version: the form and its OK/Cancel; its acceptance writes nothing yet,
// and the caller moves no data.
// The controller is not owned and must outlive the dialog.
class CalendarDlg : public QDialog
{
    Q_OBJECT
public:
    CalendarDlg(QWidget *parent, CnfController *controller);
    ~CalendarDlg() override;

    // Reports an error of `dialog`: to the slot "printError(QString)" of its parent
    // window (the main window's message table), or to the critical log when it has
    // none (command-line modes). Shared by the parameter and program dialogs.
    static void printError(const QWidget *dialog, const QString &message);

private:
    Ui::CalendarDlg *ui;
    CnfController *controller;
};
