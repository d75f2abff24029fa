#pragma once

#include "plivek/framework/uidataexchange.h"

namespace Ui {
class CommonParametersZU_MOLTDlg;
}

// The common parameters of a ZU_MOLT controller: "number", "name",
// "description", "timeZone", "maxCurrent" and the start-up times "amberBlink"
// and "allRed". A spin box at its minimum shows "not set" and reads so. The
// dialog writes nothing itself: the caller moves the values by the widgets'
// names.
class CommonParametersZU_MOLTDlg : public UiDataExchange
{
    Q_OBJECT
public:
    explicit CommonParametersZU_MOLTDlg(QWidget *parent);
    ~CommonParametersZU_MOLTDlg() override;

private:
    Ui::CommonParametersZU_MOLTDlg *ui;
};
