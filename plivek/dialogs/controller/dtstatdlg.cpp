#include "dtstatdlg.h"

#include "ui_dtstatdlg.h"

DtStatDlg::DtStatDlg(QWidget *parent, const QString &version)
    : UiDataExchange(parent)
    , ui(new Ui::DtStatDlg)
{
    ui->setupUi(this);
    const bool groupStatistics
        = version == QLatin1String("3.17") || version == QLatin1String("3.18");
    ui->stackedWidget->setCurrentWidget(groupStatistics ? ui->page_2 : ui->page);
}

DtStatDlg::~DtStatDlg()
{
    delete ui;
}
