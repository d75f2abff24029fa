#include "dayplanwidget.h"
#include "ui_dayplanwidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/objectselection.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QAction>
#include <QTime>
#include <QVector>

DayplanWidget::DayplanWidget(QWidget *parent)
    : CalendarPage(Prefixes::DayPlan, parent)
    , ui(new Ui::DayplanWidget)
{
    ui->setupUi(this);
    initPage(ui->id, ui->name, ui->manualName);
    m_programs = new ComboBoxDelegate(ui->plansTable, QStringList(), QList<QVariant>());
    ui->plansTable->setItemDelegateForColumn(ProgramColumn, m_programs);
    ui->plansTable->setItemDelegateForColumn(SpareProgramColumn, m_programs);

    // The table's menu begins with "Add record", then "Remove record", then its own actions.
    auto *remove = new QAction(ui->remove_plan->icon(), ui->remove_plan->toolTip(), ui->plansTable);
    remove->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(remove, &QAction::triggered, ui->plansTable, &ParametersTable::remove_selected_rows);
    connect(ui->remove_plan, &QAbstractButton::clicked, ui->plansTable,
            &ParametersTable::remove_selected_rows);
    const QList<QAction *> tableActions = ui->plansTable->actions();
    ui->plansTable->insertAction(tableActions.value(0), remove);
    auto *add = new QAction(ui->add_plan->icon(), ui->add_plan->toolTip(), ui->plansTable);
    add->setShortcut(QKeySequence(Qt::Key_Insert));
    connect(add, &QAction::triggered, this, &DayplanWidget::on_add_plan_clicked);
    ui->plansTable->insertAction(remove, add);

    connect(ui->move_bottom, &QAbstractButton::clicked, ui->plansTable,
            &ParametersTable::move_selected_bottom);
    connect(ui->move_down, &QAbstractButton::clicked, ui->plansTable,
            &ParametersTable::move_selected_down);
    connect(ui->move_top, &QAbstractButton::clicked, ui->plansTable,
            &ParametersTable::move_selected_top);
    connect(ui->move_up, &QAbstractButton::clicked, ui->plansTable,
            &ParametersTable::move_selected_up);
}

DayplanWidget::~DayplanWidget()
{
    delete ui;
}

void DayplanWidget::setObjects(ZUConfiguration *configuration,
                               const QList<QPointer<ZUDayPlan>> &objects)
{
    m_configuration = configuration;
    m_objects = objects;
    if (objects.isEmpty())
        return;
    const bool one = EditorPages::startLoading(this, m_validator, ui->id, ui->name, objects,
                                               configuration->dayPlans());
    ui->plansTable->setRowCount(0);
    m_loadedKept.clear();
    setRowToolsEnabled(false);
    if (!one)
        return;

    configurationHasChanged(ZUSignalPlan::staticMetaObject.className());
    if (ZUDayPlan *plan = objects.first()) {
        showIdAndName(*plan);
        showPeriods(*plan);
    }
    ui->plansTable->resizeColumnsToContents();
    m_validator->snapshotAll();
}

void DayplanWidget::showPeriods(ZUDayPlan &plan)
{
    ui->plansTable->setRowCount(0);
    m_loadedKept.clear();
    for (const ZUDayPlan::Period &period : plan.periods()) {
        const int row = ui->plansTable->rowCount();
        ui->plansTable->insertRow(row);
        ui->plansTable->setCellData(row, StartColumn, period.start, true);
        // The row knows its period, so that the period's unknown members
        // stay with it whatever the user changes in the row or where the
        // row moves.
        ui->plansTable->item(row, StartColumn)->setData(ParametersTable::RowKeyRole, row);
        m_loadedKept << period.kept;
        ui->plansTable->setCellData(row, StopColumn, period.stop, true);
        if (period.program)
            ui->plansTable->setCellData(row, ProgramColumn, period.program->id(), true);
        if (period.spareProgram)
            ui->plansTable->setCellData(row, SpareProgramColumn, period.spareProgram->id(), true);
    }
}

void DayplanWidget::configurationHasChanged(const char *className)
{
    if (!m_configuration || className != ZUSignalPlan::staticMetaObject.className())
        return;
    // Both program columns share one delegate.
    EditorPages::refillColumns(ui->plansTable, { ProgramColumn, SpareProgramColumn },
                               m_configuration->signalPlans(), m_validator);
}

bool DayplanWidget::tableValid() const
{
    const ParametersTable *table = ui->plansTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTime start = table->cellData(row, StartColumn).toTime();
        const QTime stop = table->cellData(row, StopColumn).toTime();
        if (!start.isValid() || !stop.isValid() || start == stop)
            return false;
        if (!m_configuration->findSignalPlan(table->cellData(row, ProgramColumn)))
            return false;
    }
    return true;
}

void DayplanWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!isApply(button, m_objects.size()))
        return;
    if (!tableValid()
        && !EditorPages::askSaveAnyway(
            this, tr("Parameters of daily plan contains invalid data. Save anyway?")))
        return;
    ZUDayPlan *plan = m_objects.first();
    if (plan) {
        writeIdAndName(*plan);
        if (m_validator->isChanged(ui->plansTable)) {
            const ParametersTable *table = ui->plansTable;
            plan->clearPeriods();
            // The period each stored row was loaded from (-1 for a new row);
            // a row without a program is not kept by the plan.
            QVector<int> loadedFrom;
            for (int row = 0; row < table->rowCount(); ++row) {
                const QPointer<ZUSignalPlan> program
                    = m_configuration->findSignalPlan(table->cellData(row, ProgramColumn));
                plan->addPeriod(
                    table->cellData(row, StartColumn).toTime(),
                    table->cellData(row, StopColumn).toTime(), program,
                    m_configuration->findSignalPlan(table->cellData(row, SpareProgramColumn)));
                if (!program)
                    continue;
                const QTableWidgetItem *first = table->item(row, StartColumn);
                bool loaded = false;
                const int period
                    = first ? first->data(ParametersTable::RowKeyRole).toInt(&loaded) : -1;
                loadedFrom << (loaded && period >= 0 && period < m_loadedKept.size() ? period : -1);
            }
            // The unknown members go with the row, whatever was edited in it.
            QList<ZUDayPlan::Period> &after = plan->periods();
            for (int i = 0; i < after.size() && i < loadedFrom.size(); ++i) {
                if (loadedFrom.at(i) >= 0)
                    after[i].kept = m_loadedKept.at(loadedFrom.at(i));
            }
            // The plan keeps no period without a program: the table shows what it kept.
            showPeriods(*plan);
            setRowToolsEnabled(false);
        }
    }
    finishApply(plan, ZUDayPlan::staticMetaObject.className());
}

void DayplanWidget::setRowToolsEnabled(bool enabled)
{
    for (QWidget *tool :
         { static_cast<QWidget *>(ui->remove_plan), static_cast<QWidget *>(ui->move_bottom),
           static_cast<QWidget *>(ui->move_down), static_cast<QWidget *>(ui->move_top),
           static_cast<QWidget *>(ui->move_up) })
        tool->setEnabled(enabled);
}

void DayplanWidget::on_plansTable_itemSelectionChanged()
{
    setRowToolsEnabled(!ui->plansTable->selectedItems().isEmpty());
}

void DayplanWidget::on_plansTable_itemChanged(QTableWidgetItem *item)
{
    ui->plansTable->resizeColumnToContents(item->column());
}

void DayplanWidget::on_add_plan_clicked()
{
    ParametersTable *table = ui->plansTable;
    const int row = table->rowCount();
    table->insertRow(row);
    table->setCellData(row, StartColumn, QTime(), true);
    table->setCellData(row, StopColumn, QTime(), true);
}
