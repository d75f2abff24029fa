#pragma once

#include "zumoltc/editors/calendarpage.h"

#include <QList>
#include <QPointer>

class ComboBoxDelegate;
class QAbstractButton;
class ZUConfiguration;
class ZUWeekPlan;

namespace Ui {
class WeekPlanWidget;
}

// The page of one weekly plan: id, name and the daily plan of each weekday
// (rows Monday to Sunday, the cells holding day-plan ids chosen from the live
// day plans). It keeps the page contract (pageprotocol.h) for one object; a
// selection of several is shown disabled and empty and is never written. A
// day may stay without a plan, so Apply asks nothing.
class WeekPlanWidget : public CalendarPage
{
    Q_OBJECT
public:
    explicit WeekPlanWidget(QWidget *parent = nullptr);
    ~WeekPlanWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUWeekPlan>> &objects);

public slots:
    // Day plans changed: the cells' list follows; a cell shows its plan's id now,
    // or empty when the plan is gone.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    Ui::WeekPlanWidget *ui;
    QList<QPointer<ZUWeekPlan>> m_objects;
};
