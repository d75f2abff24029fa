#include "detectorswidget.h"
#include "ui_detectorswidget.h"

#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

DetectorsWidget::DetectorsWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::DetectorsWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
}

DetectorsWidget::~DetectorsWidget()
{
    delete ui;
}

void DetectorsWidget::load(ZUConfiguration::DetectorIntervals *intervals)
{
    m_intervals = intervals;
    if (intervals) {
        ui->logInterval->setValue(intervals->logInterval);
        ui->its_logInterval->setValue(intervals->logIntervalASUDD);
    }
    m_validator->snapshotAll();
}

void DetectorsWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, m_intervals != nullptr, *m_validator))
        return;
    m_intervals->logInterval = ui->logInterval->value();
    m_intervals->logIntervalASUDD = ui->its_logInterval->value();
    m_validator->snapshotAll();
    emit configurationChanged(ZUDetector::staticMetaObject.className());
}
