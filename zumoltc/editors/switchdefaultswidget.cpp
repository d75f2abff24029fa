#include "switchdefaultswidget.h"
#include "ui_switchdefaultswidget.h"

#include "switchwidget.h"
#include "zumoltc/model/zuswitch.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

SwitchDefaultsWidget::SwitchDefaultsWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SwitchDefaultsWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
    SwitchWidget::fillSwitchTypes(ui->type);
}

SwitchDefaultsWidget::~SwitchDefaultsWidget()
{
    delete ui;
}

void SwitchDefaultsWidget::load(QPointer<ZUSwitch> defaults)
{
    m_defaults = defaults;
    ui->type->setCurrentIndex(-1);
    ui->lowCurrent->reset();
    ui->upCurrent->reset();
    ui->minCurrent->reset();
    if (!defaults)
        return;
    ui->type->setCurrentIndex(ui->type->findData(defaults->type()));
    ui->lowCurrent->setValue(defaults->lowCurrent());
    ui->upCurrent->setValue(defaults->upCurrent());
    ui->minCurrent->setValue(defaults->minCurrent());
    m_validator->snapshotAll();
}

void SwitchDefaultsWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_defaults.isNull(), *m_validator))
        return;
    ZUSwitch *defaults = m_defaults;
    if (m_validator->isChanged(ui->type))
        defaults->setType(enumValue<zu::Switch>(ui->type->currentData()));
    if (m_validator->isChanged(ui->lowCurrent))
        defaults->setLowCurrent(ui->lowCurrent->value());
    if (m_validator->isChanged(ui->upCurrent))
        defaults->setUpCurrent(ui->upCurrent->value());
    if (m_validator->isChanged(ui->minCurrent))
        defaults->setMinCurrent(ui->minCurrent->value());
    m_validator->snapshotAll();
    emit configurationChanged(nullptr);
}

void SwitchDefaultsWidget::on_clear_type_clicked()
{
    ui->type->setCurrentIndex(-1);
}

void SwitchDefaultsWidget::on_type_currentIndexChanged(int index)
{
    SwitchWidget::showCurrentBounds(ui->currentBounds, ui->type, index);
}
