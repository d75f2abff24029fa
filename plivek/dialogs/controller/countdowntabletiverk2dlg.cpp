#include "countdowntabletiverk2dlg.h"

#include "ui_countdowntabletiverk2dlg.h"

CountDownTableTiverk2Dlg::CountDownTableTiverk2Dlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::CountDownTableTiverk2Dlg)
    , controller(controller)
{
    ui->setupUi(this);
}

CountDownTableTiverk2Dlg::~CountDownTableTiverk2Dlg()
{
    delete ui;
}
