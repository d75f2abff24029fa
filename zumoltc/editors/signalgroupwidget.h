#pragma once

#include "lampicon.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class QTableWidgetItem;
class SignalGroupTimes;
class ZUConfiguration;
class ZUSignalGroup;

namespace Ui {
class SignalGroupWidget;
}

// The page of one or several signal groups: id and name (one group), type,
// T-light number (its row shown for trams only), the group's own times under
// "Redefine times" (the embedded SignalGroupTimes, the defaults as
// placeholders) and, for one group, the power switches ("keys") that drive it.
//
// The keys table lists the switches that drive an edited group (ticked) or no
// group; a double click or Space ticks a key. It is refilled, as a new baseline,
// when another page applied switches. Apply writes the changed fields only.
// Several groups: "Redefine times" starts partly checked and then writes no
// times; ticked it writes the changed times to all groups, unticked it clears
// their own times and keeps their types and T-light numbers; merged fields the
// user left alone are never written.
class SignalGroupWidget : public QWidget
{
    Q_OBJECT
public:
    // Columns of the keys table.
    enum KeyColumn {
        Assigned,
        Address,
        Name,
        Type,
        LoadControl,
        LampsCount,
        Color,
        KeyColumnCount
    };

    explicit SignalGroupWidget(QWidget *parent = nullptr);
    ~SignalGroupWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUSignalGroup>> &groups);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_id_textChanged(const QString &text);
    void on_manualName_toggled(bool checked);
    void on_type_currentIndexChanged(int index);
    void on_redefine_times_stateChanged(int state);
    void on_keysTable_itemChanged(QTableWidgetItem *item);

private:
    void fillKeysTable();
    void updateAssignedKeys();
    void showType(int type);
    void applyTo(ZUSignalGroup *group, bool one);

    Ui::SignalGroupWidget *ui;
    SignalGroupTimes *m_times;
    DialogItemValidator *m_validator;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUSignalGroup>> m_groups;
    LampIcon::Cache m_lampIcons;
};
