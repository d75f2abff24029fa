#pragma once

#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class VpuDlg;
}

// The remote control panel (RCU) of the controller.
// First version: the form and its OK/Cancel; its acceptance writes nothing yet,
// and the caller moves no data.
// The controller is not owned and must outlive the dialog.
class VpuDlg : public UiDataExchange
{
    Q_OBJECT
public:
    VpuDlg(QWidget *parent, CnfController *controller);
    ~VpuDlg() override;

private:
    Ui::VpuDlg *ui;
    CnfController *controller;
};
