#pragma once

#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class CommonParametersDlg;
}

// The controller-wide common parameters of a TIVERK 3.x, adapter or TIVERK II
// configuration: number and description, and one page of the family's own
// parameters (page 0 TIVERK, 1 adapter, 2 TIVERK II). The widgets are named
// after the configuration keys; the caller fills them and reads them back.
// The dialog itself only lays out the page for the family and version: for
// TIVERK it selects the version in "versionList", keeps the power-switch
// choices in step with it and removes the countdown blinking row ("table_flip")
// below version 3.18.
class CommonParametersDlg : public UiDataExchange
{
    Q_OBJECT
public:
    // The controller is read only here, for its "type" and "version".
    CommonParametersDlg(QWidget *parent, CnfController *controller);
    ~CommonParametersDlg() override;

private slots:
    // Refills the power-switch choices for the chosen version.
    void on_versionList_currentIndexChanged(const QString &version);

private:
    void selectVersion(const QString &version);
    void applyPowerSwitchRule(const QString &version);
    void hideVersionAndTimes();

    Ui::CommonParametersDlg *ui;
    CnfController *controller;
};
