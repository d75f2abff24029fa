#include "schedulerwidget.h"
#include "ui_schedulerwidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

SchedulerWidget::SchedulerWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SchedulerWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
}

SchedulerWidget::~SchedulerWidget()
{
    delete ui;
}

void SchedulerWidget::load(ZUConfiguration *configuration)
{
    if (!configuration)
        return;
    m_configuration = configuration;
    configurationHasChanged(ZUSignalPlan::staticMetaObject.className());
    configurationHasChanged(ZUDayPlan::staticMetaObject.className());
    if (configuration->defaultDayPlan())
        EditorPages::selectObject(ui->dayplan, configuration->defaultDayPlan());
    if (configuration->defaultProgram())
        EditorPages::selectObject(ui->prog, configuration->defaultProgram());
    if (configuration->defaultSpareProgram())
        EditorPages::selectObject(ui->spare_prog, configuration->defaultSpareProgram());
    m_validator->snapshotAll();
}

void SchedulerWidget::configurationHasChanged(const char *className)
{
    if (!m_configuration)
        return;
    if (className == ZUSignalPlan::staticMetaObject.className()) {
        EditorPages::refillObjects(ui->prog, m_configuration->signalPlans(), m_validator);
        EditorPages::refillObjects(ui->spare_prog, m_configuration->signalPlans(), m_validator);
    } else if (className == ZUDayPlan::staticMetaObject.className()) {
        EditorPages::refillObjects(ui->dayplan, m_configuration->dayPlans(), m_validator);
    }
}

void SchedulerWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    ZUConfiguration *c = m_configuration;
    // An empty choice has no item data, which finds no object: the default is cleared.
    if (m_validator->isChanged(ui->dayplan))
        c->setDefaultDayPlan(c->findDayPlan(ui->dayplan->currentData()));
    if (m_validator->isChanged(ui->prog))
        c->setDefaultProgram(c->findSignalPlan(ui->prog->currentData()));
    if (m_validator->isChanged(ui->spare_prog))
        c->setDefaultSpareProgram(c->findSignalPlan(ui->spare_prog->currentData()));
    m_validator->snapshotAll();
    emit configurationChanged(nullptr);
}

void SchedulerWidget::on_clear_prog_clicked()
{
    ui->prog->setCurrentIndex(-1);
}

void SchedulerWidget::on_clear_spare_prog_clicked()
{
    ui->spare_prog->setCurrentIndex(-1);
}

void SchedulerWidget::on_clear_dayplan_clicked()
{
    ui->dayplan->setCurrentIndex(-1);
}
