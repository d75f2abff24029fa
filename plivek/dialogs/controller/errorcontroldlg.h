#pragma once

#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class ErrorControlDlg;
}

// How the controller reacts to detected faults.
// First version: the form and its OK/Cancel; its acceptance writes nothing yet,
// and the caller moves no data.
// The controller is not owned and must outlive the dialog.
class ErrorControlDlg : public UiDataExchange
{
    Q_OBJECT
public:
    ErrorControlDlg(QWidget *parent, CnfController *controller);
    ~ErrorControlDlg() override;

private:
    Ui::ErrorControlDlg *ui;
    CnfController *controller;
};
