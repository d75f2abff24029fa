#include "errorcontroldlg.h"

#include "ui_errorcontroldlg.h"

ErrorControlDlg::ErrorControlDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::ErrorControlDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

ErrorControlDlg::~ErrorControlDlg()
{
    delete ui;
}
