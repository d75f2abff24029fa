#include "vpudlg.h"

#include "ui_vpudlg.h"

VpuDlg::VpuDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::VpuDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

VpuDlg::~VpuDlg()
{
    delete ui;
}
