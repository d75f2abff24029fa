#include "detectorsdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "ui_detectorsdlg.h"

DetectorsDlg::DetectorsDlg(CnfController *controller, const CnfDetectorPtr &element, bool isNew, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DetectorsDlg)
    , controller(controller)
    , element(element)
    , isNew(isNew)
    , validator(nullptr)
{
    ui->setupUi(this);
    validator = new DialogItemValidator(this);
    const bool sensor = element->isSensor();
    if (sensor)
        setWindowTitle(tr("Sensor"));
    ui->stackedWidget->setCurrentWidget(ui->noParamPage);
    ui->journal_messages->setVisible(sensor);

    // Ids and names of the other elements of the same kind are taken; 0 is
    // never a valid id.
    QList<int> forbiddenIds{0};
    QStringList forbiddenNames;
    for (const CnfDetectorPtr &other : sensor ? controller->sensorsList() : controller->detectorsList()) {
        if (other == element)
            continue;
        forbiddenIds << other->id();
        if (!other->name().isEmpty())
            forbiddenNames << other->name();
    }
    if (element->name().isEmpty()) {
        for (int i = 1;; ++i) {
            const QString name = (sensor ? tr("Sensor.%1") : tr("Detector.%1")).arg(i);
            if (!forbiddenNames.contains(name)) {
                element->setName(name);
                break;
            }
        }
    }
    validator->addSpinBox(ui->number, forbiddenIds);
    validator->addLineEdit(ui->name, forbiddenNames);
    ui->name->setText(element->name());
    ui->number->setValue(element->id());
}

DetectorsDlg::~DetectorsDlg()
{
    delete ui;
}

void DetectorsDlg::accept()
{
    element->setId(ui->number->value());
    element->setName(ui->name->text());
    QDialog::accept();
}
