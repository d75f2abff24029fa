#include "extraperiodswidget.h"
#include "ui_extraperiodswidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QRegExpValidator>

ExtraPeriodsWidget::ExtraPeriodsWidget(QWidget *parent)
    : CalendarPage(Prefixes::ExtraPeriod, parent)
    , ui(new Ui::ExtraPeriodsWidget)
{
    ui->setupUi(this);
    initPage(ui->id, ui->name, ui->manualName);
    m_dayMonth = EditorPages::dayMonthValidator(this);
    ui->start->setValidator(m_dayMonth);
    ui->stop->setValidator(m_dayMonth);
}

ExtraPeriodsWidget::~ExtraPeriodsWidget()
{
    delete ui;
}

void ExtraPeriodsWidget::setObjects(ZUConfiguration *configuration,
                                    const QList<QPointer<ZUExtraPeriod>> &objects)
{
    m_configuration = configuration;
    m_objects = objects;
    if (objects.isEmpty())
        return;
    const bool one = EditorPages::startLoading(this, m_validator, ui->id, ui->name, objects,
                                               configuration->extraPeriods());
    ui->start->clear();
    ui->stop->clear();
    ui->week_plan->clear();
    if (!one)
        return;

    configurationHasChanged(ZUWeekPlan::staticMetaObject.className());
    if (ZUExtraPeriod *period = objects.first()) {
        showIdAndName(*period);
        ui->start->setText(period->start().toString());
        ui->stop->setText(period->stop().toString());
        if (period->week())
            EditorPages::selectObject(ui->week_plan, period->week());
    }
    m_validator->snapshotAll();
}

void ExtraPeriodsWidget::configurationHasChanged(const char *className)
{
    if (m_configuration && className == ZUWeekPlan::staticMetaObject.className())
        EditorPages::refillObjects(ui->week_plan, m_configuration->weekPlans(), m_validator);
}

void ExtraPeriodsWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!isApply(button, m_objects.size()))
        return;
    const QPointer<ZUWeekPlan> week = m_configuration->findWeekPlan(ui->week_plan->currentData());
    const bool valid = ui->start->hasAcceptableInput() && ui->stop->hasAcceptableInput() && week;
    if (!valid
        && !EditorPages::askSaveAnyway(
            this, tr("Parameters of seasonally plan contains invalid data. Save anyway?")))
        return;
    ZUExtraPeriod *period = m_objects.first();
    if (period) {
        writeIdAndName(*period);
        if (m_validator->isChanged(ui->start))
            period->setStart(ZUDayMonth::fromString(ui->start->text()));
        if (m_validator->isChanged(ui->stop))
            period->setStop(ZUDayMonth::fromString(ui->stop->text()));
        if (m_validator->isChanged(ui->week_plan))
            period->setWeek(week);
    }
    finishApply(period, ZUExtraPeriod::staticMetaObject.className());
}
