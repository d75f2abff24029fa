#include "extraperiodswidget.h"
#include "ui_extraperiodswidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QRegExpValidator>

ExtraPeriodsWidget::ExtraPeriodsWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ExtraPeriodsWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
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
    if (objects != m_objects)
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
        PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName,
                                    Prefixes::prefix(Prefixes::ExtraPeriod), period->id(), period->name());
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
        EditorPages::refillObjects(ui->week_plan, m_configuration->weekPlans());
}

void ExtraPeriodsWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator) || m_objects.size() != 1)
        return;
    const QPointer<ZUWeekPlan> week = m_configuration->findWeekPlan(ui->week_plan->currentData());
    const bool valid = ui->start->hasAcceptableInput() && ui->stop->hasAcceptableInput() && week;
    if (!valid
        && !EditorPages::askSaveAnyway(
                this, tr("Parameters of seasonally plan contains invalid data. Save anyway?")))
        return;
    if (ZUExtraPeriod *period = m_objects.first()) {
        EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, period);
        if (m_validator->isChanged(ui->start))
            period->setStart(ZUDayMonth::fromString(ui->start->text()));
        if (m_validator->isChanged(ui->stop))
            period->setStop(ZUDayMonth::fromString(ui->stop->text()));
        if (m_validator->isChanged(ui->week_plan))
            period->setWeek(week);
        setWindowTitle(period->text(QString()));
    }
    m_validator->snapshotAll();
    emit configurationChanged(ZUExtraPeriod::staticMetaObject.className());
}

void ExtraPeriodsWidget::on_manualName_toggled(bool checked)
{
    PageProtocol::setManualName(ui->name, checked, Prefixes::prefix(Prefixes::ExtraPeriod), ui->id->text());
}

void ExtraPeriodsWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, Prefixes::prefix(Prefixes::ExtraPeriod), text);
}
