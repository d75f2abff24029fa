#include "dteventdlg.h"
#include "ui_dteventdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"

namespace {

void fill(QComboBox *combo, const QList<CnfDetectorPtr> &items)
{
    for (const CnfDetectorPtr &item : items)
        combo->addItem(item->friendlyName(), item->id());
}

} // namespace

DtEventDlg::DtEventDlg(QWidget *parent, const CnfController *controller, int position,
                       bool isDetector, int pulseWidth, const QString &name)
    : QDialog(parent)
    , ui(new Ui::DtEventDlg)
{
    ui->setupUi(this);
    ui->spin_pos->setValue(position);
    if (pulseWidth != 0)
        ui->spin_pwidth->setValue(pulseWidth);
    if (controller) {
        fill(ui->cbdt, controller->detectorsList());
        fill(ui->cbsens, controller->sensorsList());
    }
    const Qt::MatchFlags exactly = Qt::MatchExactly | Qt::MatchCaseSensitive;
    if (isDetector) {
        const int index = ui->cbdt->findText(name, exactly);
        if (index >= 0)
            ui->cbdt->setCurrentIndex(index);
    } else {
        const int index = ui->cbsens->findText(name, exactly);
        if (index >= 0)
            ui->cbsens->setCurrentIndex(index);
        ui->rbsens->setChecked(true);
    }
}

DtEventDlg::~DtEventDlg()
{
    delete ui;
}

int DtEventDlg::id() const
{
    const QComboBox *combo = ui->rbsens->isChecked() ? ui->cbsens : ui->cbdt;
    return combo->currentIndex() >= 0 ? combo->currentData().toInt() : 0;
}

QString DtEventDlg::name() const
{
    return (ui->rbsens->isChecked() ? ui->cbsens : ui->cbdt)->currentText();
}

int DtEventDlg::position() const
{
    return ui->spin_pos->value();
}

bool DtEventDlg::isDetector() const
{
    return !ui->rbsens->isChecked();
}

int DtEventDlg::pulseWidth() const
{
    return ui->spin_pwidth->value();
}
