#include "asudddlg.h"

#include "ui_asudddlg.h"

AsuddDlg::AsuddDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::AsuddDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

AsuddDlg::~AsuddDlg()
{
    delete ui;
}
