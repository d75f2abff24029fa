#pragma once

#include "cnf/vobject.h"
#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class CountDownTableZU_MOLTDlg;
}

// The countdown boards of a ZU_MOLT controller ("countdownBoards": protocol,
// default warning time, one item per board) and the port of their interface
// device "KTV1" in "KMP1"/"devices", written into the native data on OK.
// The controller is not owned and must outlive the dialog.
class CountDownTableZU_MOLTDlg : public UiDataExchange
{
    Q_OBJECT
public:
    CountDownTableZU_MOLTDlg(QWidget *parent, CnfController *controller);
    ~CountDownTableZU_MOLTDlg() override;

public slots:
    void accept() override;

private slots:
    void on_protocol_currentIndexChanged(int index);

private:
    Ui::CountDownTableZU_MOLTDlg *ui;
    CnfController *controller;
    VObject root;
    // The boards' interface device found on opening; null when there is none.
    VObject interfaceDevice;
};
