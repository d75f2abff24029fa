#include "detectormodulesdlg.h"

#include "cnf/cnfcontroller.h"
#include "ui_detectormodulesdlg.h"

DetectorModulesDlg::DetectorModulesDlg(CnfController *controller, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DetectorModulesDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

DetectorModulesDlg::~DetectorModulesDlg()
{
    delete ui;
}

void DetectorModulesDlg::accept()
{
    QDialog::accept();
}
