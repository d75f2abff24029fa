#include "calendardlg.h"

#include "ui_calendardlg.h"

CalendarDlg::CalendarDlg(QWidget *parent, CnfController *controller)
    : QDialog(parent)
    , ui(new Ui::CalendarDlg)
    , controller(controller)
{
    ui->setupUi(this);
}

CalendarDlg::~CalendarDlg()
{
    delete ui;
}
