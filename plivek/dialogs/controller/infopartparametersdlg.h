#pragma once

#include "plivek/framework/uidataexchange.h"

namespace Ui {
class InfoPartParametersDlg;
}

// The content of the controller's information part: for a TIVERK 3.x
// controller the optional parts (receiver, ATCS type, countdown, meter,
// priority pass, UPS, intelligent RCU, detector-module slots), for the adapter
// the modem and server connection. Widgets hidden for a version stay enabled,
// so their loaded values pass through unchanged. The dialog writes nothing
// itself: the caller moves the family's key list by the widgets' names.
class InfoPartParametersDlg : public UiDataExchange
{
    Q_OBJECT
public:
    // type and version: the controller's properties "type" and "version".
    InfoPartParametersDlg(QWidget *parent, const QVariant &type, const QVariant &version);
    ~InfoPartParametersDlg() override;

private:
    Ui::InfoPartParametersDlg *ui;
};
