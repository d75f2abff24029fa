#pragma once

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class QTableWidgetItem;
class RowTableActions;
class ZUConfiguration;

namespace Ui {
class CountdownTimersWidget;
}

// The page of the section "Countdown timers": whether the boards are used
// ("Enable" ticked exactly when a protocol is set), the protocol, the common
// warning time and one row per board (signal group, address, count, warning
// time). Apply writes the changed fields and emits configurationChanged with
// ZUCountdownBoards' class name; rows without a known signal group are dropped.
class CountdownTimersWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CountdownTimersWidget(QWidget *parent = nullptr);
    ~CountdownTimersWidget() override;

    // Shows the configuration's boards; the page does not own the configuration.
    void load(ZUConfiguration *configuration);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // ZUSignalGroup: the group choices of the "ID" column are refilled; a cell
    // shows its group's id now, or empty when the group is gone.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_cdt_items_itemChanged(QTableWidgetItem *item);
    void on_cdt_items_itemSelectionChanged();
    void on_enabled_clicked(bool checked);

private:
    Ui::CountdownTimersWidget *ui;
    DialogItemValidator *m_validator;
    RowTableActions *m_rowActions;
    QPointer<ZUConfiguration> m_configuration;
};
