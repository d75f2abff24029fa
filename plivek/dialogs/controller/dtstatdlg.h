#pragma once

#include "plivek/framework/uidataexchange.h"

namespace Ui {
class DtStatDlg;
}

// The detector statistics of a TIVERK 3.x controller: versions "3.17" and
// "3.18" show the periods of internal and group statistics and the table of
// eight groups ("dtInternalStatPeriod", "dtGroupStatPeriod", "dtStat317"); the
// other versions one period and sixteen records ("dtStatPeriod", "dtStat314").
// Both pages stay enabled, so all five keys read back what was loaded unless
// the user changed them. The dialog writes nothing itself: the caller moves
// the five native keys in and out by the widgets' object names.
class DtStatDlg : public UiDataExchange
{
    Q_OBJECT
public:
    DtStatDlg(QWidget *parent, const QString &version);
    ~DtStatDlg() override;

private:
    Ui::DtStatDlg *ui;
};
