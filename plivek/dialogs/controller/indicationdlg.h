#pragma once

#include <QDialog>

class CnfController;

namespace Ui {
class IndicationDlg;
}

// The indication list of a TIVERK II controller (buttons and countdown boards
// with their outputs). The controller comes first.
// First version: the form and its OK/Cancel; its acceptance writes nothing yet,
// and the caller moves no data.
// The controller is not owned and must outlive the dialog.
class IndicationDlg : public QDialog
{
    Q_OBJECT
public:
    IndicationDlg(CnfController *controller, QWidget *parent);
    ~IndicationDlg() override;

private:
    Ui::IndicationDlg *ui;
    CnfController *controller;
};
