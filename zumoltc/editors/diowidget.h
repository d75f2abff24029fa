#pragma once

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class QTableWidgetItem;
class RowTableActions;
class ZUConfiguration;
class ZUDIO;

namespace Ui {
class DIOWidget;
}

// The page of one DIO module ("DIO%1" under "Inputs/Outputs"): whether the module
// is used ("Enable" ticked exactly when its type is set), the type, the polarity
// of the common wire, the address and port of the network types (traficam,
// citilog) and the channel list with the detector each channel feeds. Apply
// writes the changed fields and emits configurationChanged with ZUDIO's class
// name; the address and port are written on every Apply. A channel row left
// empty is not stored, and after Apply the table shows the stored channels.
class DIOWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DIOWidget(QWidget *parent = nullptr);
    ~DIOWidget() override;

    // Shows the module; the page edits it from now on. The page owns neither.
    void load(ZUConfiguration *configuration, ZUDIO *module);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // ZUDetector: the detector choices of the channel table are refilled; a cell
    // shows its detector's id now, or empty when the detector is gone.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_channels_itemSelectionChanged();
    void on_enabled_clicked(bool checked);
    void on_channels_itemChanged(QTableWidgetItem *item);
    void on_clear_common_clicked();
    void on_type_currentIndexChanged(int index);

private:
    // The module's channels as the table's rows.
    void showChannels();

    Ui::DIOWidget *ui;
    DialogItemValidator *m_validator;
    RowTableActions *m_rowActions;
    QPointer<ZUConfiguration> m_configuration;
    QPointer<ZUDIO> m_module;
};
