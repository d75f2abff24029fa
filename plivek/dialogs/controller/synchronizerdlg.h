#pragma once

#include "plivek/framework/uidataexchange.h"

namespace Ui {
class SynchronizerDlg;
}

// The settings of the time receiver chosen in the information part (receiver
// 1 "Mayak": frequency and time correction; 2 "GPS": time-zone correction and
// daylight saving time; any other value shows all four). Hidden fields stay
// enabled, so their loaded values pass through. The dialog writes nothing
// itself: the caller moves "sync_frequency", "sync_timeCorrection",
// "sync_timezoneCorrection" and "sync_summerTime" by the widgets' names.
class SynchronizerDlg : public UiDataExchange
{
    Q_OBJECT
public:
    SynchronizerDlg(QWidget *parent, int receiver);
    ~SynchronizerDlg() override;

private:
    Ui::SynchronizerDlg *ui;
};
