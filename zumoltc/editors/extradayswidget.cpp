#include "extradayswidget.h"
#include "ui_extradayswidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QRegExpValidator>

ExtraDaysWidget::ExtraDaysWidget(QWidget *parent)
    : CalendarPage(Prefixes::ExtraDay, parent)
    , ui(new Ui::ExtraDaysWidget)
{
    ui->setupUi(this);
    initPage(ui->id, ui->name, ui->manualName);
    m_dayMonth = EditorPages::dayMonthValidator(this);
    ui->date->setValidator(m_dayMonth);
}

ExtraDaysWidget::~ExtraDaysWidget()
{
    delete ui;
}

void ExtraDaysWidget::setObjects(ZUConfiguration *configuration,
                                 const QList<QPointer<ZUExtraDay>> &objects)
{
    m_configuration = configuration;
    m_objects = objects;
    if (objects.isEmpty())
        return;
    const bool one = EditorPages::startLoading(this, m_validator, ui->id, ui->name, objects,
                                               configuration->extraDays());
    ui->date->clear();
    ui->day_plan->clear();
    if (!one)
        return;

    configurationHasChanged(ZUDayPlan::staticMetaObject.className());
    if (ZUExtraDay *day = objects.first()) {
        showIdAndName(*day);
        ui->date->setText(day->date().toString());
        if (day->dayPlan())
            EditorPages::selectObject(ui->day_plan, day->dayPlan());
    }
    m_validator->snapshotAll();
}

void ExtraDaysWidget::configurationHasChanged(const char *className)
{
    if (m_configuration && className == ZUDayPlan::staticMetaObject.className())
        EditorPages::refillObjects(ui->day_plan, m_configuration->dayPlans(), m_validator);
}

void ExtraDaysWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!isApply(button, m_objects.size()))
        return;
    const QPointer<ZUDayPlan> plan = m_configuration->findDayPlan(ui->day_plan->currentData());
    const bool valid = ui->date->hasAcceptableInput() && plan;
    if (!valid
        && !EditorPages::askSaveAnyway(
            this, tr("Parameters of specially day contains invalid data. Save anyway?")))
        return;
    ZUExtraDay *day = m_objects.first();
    if (day) {
        writeIdAndName(*day);
        if (m_validator->isChanged(ui->date))
            day->setDate(ZUDayMonth::fromString(ui->date->text()));
        if (m_validator->isChanged(ui->day_plan))
            day->setDayPlan(plan);
    }
    finishApply(day, ZUExtraDay::staticMetaObject.className());
}
