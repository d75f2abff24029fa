#pragma once

#include "zumoltc/editors/calendarpage.h"
#include "zumoltc/model/keptmembers.h"

#include <QList>
#include <QPointer>

class ComboBoxDelegate;
class QAbstractButton;
class QTableWidgetItem;
class ZUConfiguration;
class ZUDayPlan;

namespace Ui {
class DayplanWidget;
}

// The page of one daily plan: id, name and the table of its periods (start
// time, stop time, program, spare program; the programs chosen from the live
// signal plans, the cells holding their ids). It keeps the page contract
// (pageprotocol.h) for one object; a selection of several is shown disabled
// and empty and is never written. Before storing, Apply checks the rows from
// the top (valid start and stop, start != stop, a live program) and asks
// whether to save a table with a bad row as it is.
class DayplanWidget : public CalendarPage
{
    Q_OBJECT
public:
    // The table's columns.
    enum Column { StartColumn, StopColumn, ProgramColumn, SpareProgramColumn };

    explicit DayplanWidget(QWidget *parent = nullptr);
    ~DayplanWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUDayPlan>> &objects);

public slots:
    // Signal plans changed: the program lists follow; a cell shows its plan's id
    // now, or empty when the plan is gone.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_plansTable_itemSelectionChanged();
    void on_plansTable_itemChanged(QTableWidgetItem *item);
    void on_add_plan_clicked();

private:
    // Whether every row has a valid start and stop that differ and a live program.
    bool tableValid() const;
    void setRowToolsEnabled(bool enabled);
    // The plan's periods as the table's rows, each keyed to its period.
    void showPeriods(ZUDayPlan &plan);

    Ui::DayplanWidget *ui;
    QList<QPointer<ZUDayPlan>> m_objects;
    // The unknown members of each period as loaded, by the row's key.
    QList<KeptMembers> m_loadedKept;
    ComboBoxDelegate *m_programs;
};
