#pragma once

#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class QTableWidgetItem;
class ZUConfiguration;
class ZUVPU;

namespace Ui {
class RCPWidget;
}

// The page of the section "RCP", the remote control panel: whether it is used
// ("Enable" ticked exactly when its type is set), the type (the two passive
// kinds only), permanent indication, the polarity of the common wire and the
// stage each of the four buttons calls. Apply emits configurationChanged with
// the class name the panel reports ("QObject"), on which the window keeps the
// panel's control source and device in step.
class RCPWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RCPWidget(QWidget *parent = nullptr);
    ~RCPWidget() override;

    // Shows the panel; the page owns neither it nor the configuration.
    void load(ZUConfiguration *configuration, ZUVPU *panel);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

public slots:
    // ZUStage: the button choices are refilled; a button shows its stage's id
    // now, or empty when the stage is gone. ZUControlSource: "Enable" is read
    // again from the panel as its new baseline.
    void configurationHasChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_buttons_itemChanged(QTableWidgetItem *item);
    void on_enabled_clicked(bool checked);
    void on_clear_common_clicked();

private:
    Ui::RCPWidget *ui;
    DialogItemValidator *m_validator;
    QPointer<ZUConfiguration> m_configuration;
    ZUVPU *m_panel = nullptr; // lives as long as the configuration
};
