#pragma once

#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class QLineEdit;
class ZUNetworkParameters;

namespace Ui {
class NetworkParametersWidget;
}

// The page of the section "Network parameters": whether the controller may use
// the network at all, manual address assignment, the communication server (an
// address or a host name, and a port), an overriding MAC address and the SNTP
// time server. Apply writes the changed fields and emits
// configurationChanged(nullptr): the page edits a record of the configuration.
class NetworkParametersWidget : public QWidget
{
    Q_OBJECT
public:
    explicit NetworkParametersWidget(QWidget *parent = nullptr);
    ~NetworkParametersWidget() override;

    // Shows the record; the page edits it from now on and does not own it.
    void load(ZUNetworkParameters *record);

    // Whether text is an IPv4-style address: four groups of one to three digits
    // separated by dots.
    static bool isAddress(const QString &text);
    // The text of a field as stored: a masked field that holds nothing but its
    // separators ("...", ":::::") is empty.
    static QString fieldText(const QLineEdit *field);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_allowed_toggled(bool checked);
    void on_buttonBox_clicked(QAbstractButton *button);

private:
    Ui::NetworkParametersWidget *ui;
    DialogItemValidator *m_validator;
    ZUNetworkParameters *m_record = nullptr;
};
