#include "sgdefaultsdlg.h"

#include "ui_sgdefaultsdlg.h"

SGDefaultsDlg::SGDefaultsDlg(bool tiverkII, QWidget *parent)
    : UiDataExchange(parent)
    , ui(new Ui::SGDefaultsDlg)
{
    ui->setupUi(this);
    if (tiverkII) {
        for (QWidget *widget :
             { static_cast<QWidget *>(ui->extRed), static_cast<QWidget *>(ui->extGreen1),
               static_cast<QWidget *>(ui->extGreen2), static_cast<QWidget *>(ui->label_26),
               static_cast<QWidget *>(ui->label_27), static_cast<QWidget *>(ui->label_28) })
            widget->hide();
    }
}

SGDefaultsDlg::~SGDefaultsDlg()
{
    delete ui;
}
