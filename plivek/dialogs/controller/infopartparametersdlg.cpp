#include "infopartparametersdlg.h"

#include "ui_infopartparametersdlg.h"

namespace {
constexpr int GpsReceiver = 2;
}

InfoPartParametersDlg::InfoPartParametersDlg(QWidget *parent, const QVariant &type,
                                             const QVariant &version)
    : UiDataExchange(parent)
    , ui(new Ui::InfoPartParametersDlg)
{
    ui->setupUi(this);
    const QString versionText = version.toString();
    if (versionText != QLatin1String("3.17")) {
        ui->power_counter->hide();
        ui->ups->hide();
    }
    if (versionText == QLatin1String("3.16"))
        ui->priority_skip->hide();
    if (versionText == QLatin1String("3.14") || versionText == QLatin1String("3.15")) {
        ui->receiver->removeItem(GpsReceiver);
        ui->vpu2->hide();
    }
    const bool adapter = type.toString() == QLatin1String("adapter");
    ui->stackedWidget->setCurrentWidget(adapter ? ui->page_2 : ui->page);
}

InfoPartParametersDlg::~InfoPartParametersDlg()
{
    delete ui;
}
