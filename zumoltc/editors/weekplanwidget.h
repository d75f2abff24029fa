#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class ComboBoxDelegate;
class DialogItemValidator;
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
class WeekPlanWidget : public QWidget
{
    Q_OBJECT
public:
    explicit WeekPlanWidget(QWidget *parent = nullptr);
    ~WeekPlanWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUWeekPlan>> &objects);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // Day plans changed: the cells' list follows; cells keep their ids.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_manualName_toggled(bool checked);
    void on_id_textChanged(const QString &text);

private:
    Ui::WeekPlanWidget *ui;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUWeekPlan>> m_objects;
    DialogItemValidator *m_validator;
};
