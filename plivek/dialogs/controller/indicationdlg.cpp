#include "indicationdlg.h"

#include "ui_indicationdlg.h"

IndicationDlg::IndicationDlg(CnfController *controller, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::IndicationDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

IndicationDlg::~IndicationDlg()
{
    delete ui;
}
