#pragma once

#include <QDialog>

class CnfController;

namespace Ui {
class InterstatesDlg;
}

// The interstate times of every signal group, one tab per interstate variant.
// The dialog writes nothing itself; the caller calls applyToController after
// OK. Embedded (in a program editor) it is a plain child widget without
// buttons. The controller is not owned and must outlive the dialog.
//
// First version: the form without variant tabs; applyToController changes
// nothing yet.
class InterstatesDlg : public QDialog
{
    Q_OBJECT
public:
    InterstatesDlg(QWidget *parent, CnfController *controller, bool embedded);
    ~InterstatesDlg() override;

    // Stores the tables into the signal groups' interstate records.
    void applyToController();

private:
    Ui::InterstatesDlg *ui;
    CnfController *controller;
};
