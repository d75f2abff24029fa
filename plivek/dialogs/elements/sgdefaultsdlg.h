#pragma once

#include "plivek/framework/uidataexchange.h"

namespace Ui {
class SGDefaultsDlg;
}

// The timings of the controller's default signal group: "redAmber",
// "greenBlink", "amberBlink", "amber", "minRed", "maxRed", "minGreen",
// "maxGreen" and, except for TIVERK II, "extRed", "extGreen1", "extGreen2"
// (hidden, but still loaded, for TIVERK II). A spin box at -1 shows "not set".
// The dialog writes nothing itself: the caller moves the timings in and out
// by the widgets' names.
class SGDefaultsDlg : public UiDataExchange
{
    Q_OBJECT
public:
    SGDefaultsDlg(bool tiverkII, QWidget *parent);
    ~SGDefaultsDlg() override;

private:
    Ui::SGDefaultsDlg *ui;
};
