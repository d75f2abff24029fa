#pragma once

#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class AsuddDlg;
}

// The link of the controller to the central traffic-control system (ATCS).
// First version: the form and its OK/Cancel; its acceptance writes nothing yet,
// and the caller moves no data.
// The controller is not owned and must outlive the dialog.
class AsuddDlg : public UiDataExchange
{
    Q_OBJECT
public:
    AsuddDlg(QWidget *parent, CnfController *controller);
    ~AsuddDlg() override;

private:
    Ui::AsuddDlg *ui;
    CnfController *controller;
};
