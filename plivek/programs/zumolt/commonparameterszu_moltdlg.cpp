#include "commonparameterszu_moltdlg.h"

#include "ui_commonparameterszu_moltdlg.h"

CommonParametersZU_MOLTDlg::CommonParametersZU_MOLTDlg(QWidget *parent)
    : UiDataExchange(parent)
    , ui(new Ui::CommonParametersZU_MOLTDlg)
{
    ui->setupUi(this);
}

CommonParametersZU_MOLTDlg::~CommonParametersZU_MOLTDlg()
{
    delete ui;
}
