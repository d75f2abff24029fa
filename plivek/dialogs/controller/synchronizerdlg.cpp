#include "synchronizerdlg.h"

#include "ui_synchronizerdlg.h"

namespace {
enum Receiver { Mayak = 1, Gps = 2 };
}

SynchronizerDlg::SynchronizerDlg(QWidget *parent, int receiver)
    : UiDataExchange(parent)
    , ui(new Ui::SynchronizerDlg)
{
    ui->setupUi(this);
    if (receiver == Mayak) {
        ui->timezoneCorrectionLabel->hide();
        ui->sync_timezoneCorrection->hide();
        ui->sync_summerTime->hide();
    } else if (receiver == Gps) {
        ui->frequencyLabel->hide();
        ui->sync_frequency->hide();
        ui->timeCorrectionLabel->hide();
        ui->sync_timeCorrection->hide();
    }
}

SynchronizerDlg::~SynchronizerDlg()
{
    delete ui;
}
