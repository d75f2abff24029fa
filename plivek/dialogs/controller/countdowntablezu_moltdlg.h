#pragma once

#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class CountDownTableZU_MOLTDlg;
}

// The countdown boards of a ZU_MOLT controller.
// First version: the form and its OK/Cancel; its acceptance writes nothing yet,
// and the caller moves no data.
// The controller is not owned and must outlive the dialog.
class CountDownTableZU_MOLTDlg : public UiDataExchange
{
    Q_OBJECT
public:
    CountDownTableZU_MOLTDlg(QWidget *parent, CnfController *controller);
    ~CountDownTableZU_MOLTDlg() override;

private:
    Ui::CountDownTableZU_MOLTDlg *ui;
    CnfController *controller;
};
