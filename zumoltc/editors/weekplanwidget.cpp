#include "weekplanwidget.h"
#include "ui_weekplanwidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/prefixes.h"

namespace {

constexpr int DaysInWeek = 7;

} // namespace

WeekPlanWidget::WeekPlanWidget(QWidget *parent)
    : CalendarPage(Prefixes::WeekPlan, parent)
    , ui(new Ui::WeekPlanWidget)
{
    ui->setupUi(this);
    initPage(ui->id, ui->name, ui->manualName);
    ui->day_plans->setItemDelegateForColumn(
        0, new ComboBoxDelegate(ui->day_plans, QStringList(), QList<QVariant>()));
}

WeekPlanWidget::~WeekPlanWidget()
{
    delete ui;
}

void WeekPlanWidget::setObjects(ZUConfiguration *configuration,
                                const QList<QPointer<ZUWeekPlan>> &objects)
{
    m_configuration = configuration;
    m_objects = objects;
    if (objects.isEmpty())
        return;
    const bool one = EditorPages::startLoading(this, m_validator, ui->id, ui->name, objects,
                                               configuration->weekPlans());
    for (int row = 0; row < DaysInWeek; ++row)
        ui->day_plans->setCellData(row, 0, QVariant(), true);
    if (!one)
        return;

    configurationHasChanged(ZUDayPlan::staticMetaObject.className());
    if (ZUWeekPlan *week = objects.first()) {
        showIdAndName(*week);
        for (auto it = week->cbegin(); it != week->cend(); ++it) {
            const int row = int(it.key()) - 1;
            if (it.value() && row >= 0 && row < DaysInWeek)
                ui->day_plans->setCellData(row, 0, it.value()->id(), true);
        }
    }
    m_validator->snapshotAll();
}

void WeekPlanWidget::configurationHasChanged(const char *className)
{
    if (!m_configuration || className != ZUDayPlan::staticMetaObject.className())
        return;
    EditorPages::refillColumns(ui->day_plans, { 0 }, m_configuration->dayPlans(), m_validator);
}

void WeekPlanWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!isApply(button, m_objects.size()))
        return;
    ZUWeekPlan *week = m_objects.first();
    if (week) {
        writeIdAndName(*week);
        if (m_validator->isChanged(ui->day_plans)) {
            week->clear();
            for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
                // An id that names no day plan any more leaves the day without one.
                const QPointer<ZUDayPlan> plan
                    = m_configuration->findDayPlan(ui->day_plans->cellData(day - 1, 0));
                if (plan)
                    week->insert(Qt::DayOfWeek(day), plan);
            }
        }
    }
    finishApply(week, ZUWeekPlan::staticMetaObject.className());
}
