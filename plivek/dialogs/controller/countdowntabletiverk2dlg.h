#pragma once

#include "cnf/vobject.h"
#include "plivek/framework/uidataexchange.h"

class CnfController;

namespace Ui {
class CountDownTableTiverk2Dlg;
}

// The countdown boards of a TIVERK II controller, written into the native
// data on OK: with a Signal module into "modules"/"Countdowns" (with the
// boards' serial port "portName"), without one into the bus device "KTV1"
// (with the flags "clearAdaptive" and "clearManual").
// The controller is not owned and must outlive the dialog.
class CountDownTableTiverk2Dlg : public UiDataExchange
{
    Q_OBJECT
public:
    CountDownTableTiverk2Dlg(QWidget *parent, CnfController *controller);
    ~CountDownTableTiverk2Dlg() override;

public slots:
    void accept() override;

private slots:
    void on_protocol_currentIndexChanged(int index);

private:
    VObject boardsNode() const;

    Ui::CountDownTableTiverk2Dlg *ui;
    CnfController *controller;
    VObject root;
    bool signalModule = false;
};
