#pragma once

#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class CountDownTableTiverk2Dlg;
}

// The countdown boards of a TIVERK II controller.
// First version: the form and its OK/Cancel; its acceptance writes nothing yet,
// and the caller moves no data.
// The controller is not owned and must outlive the dialog.
class CountDownTableTiverk2Dlg : public UiDataExchange
{
    Q_OBJECT
public:
    CountDownTableTiverk2Dlg(QWidget *parent, CnfController *controller);
    ~CountDownTableTiverk2Dlg() override;

private:
    Ui::CountDownTableTiverk2Dlg *ui;
    CnfController *controller;
};
