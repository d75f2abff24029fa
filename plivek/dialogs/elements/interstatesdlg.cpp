#include "interstatesdlg.h"

#include "ui_interstatesdlg.h"

InterstatesDlg::InterstatesDlg(QWidget *parent, CnfController *controller, bool embedded)
    : QDialog(parent)
    , ui(new Ui::InterstatesDlg)
    , controller(controller)
{
    ui->setupUi(this);
    if (embedded) {
        setWindowFlags(Qt::Widget);
        delete ui->buttonBox;
        ui->buttonBox = nullptr;
    }
}

InterstatesDlg::~InterstatesDlg()
{
    delete ui;
}

void InterstatesDlg::applyToController()
{
}
