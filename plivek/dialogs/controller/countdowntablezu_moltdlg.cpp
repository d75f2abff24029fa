#include "countdowntablezu_moltdlg.h"

#include "ui_countdowntablezu_moltdlg.h"

CountDownTableZU_MOLTDlg::CountDownTableZU_MOLTDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::CountDownTableZU_MOLTDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

CountDownTableZU_MOLTDlg::~CountDownTableZU_MOLTDlg()
{
    delete ui;
}
