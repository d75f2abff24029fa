#pragma once

#include "plivek/framework/uidataexchange.h"

#include <QPair>
#include <QString>
#include <QVector>

class CnfController;
class VObject;

namespace Ui {
class ErrorControlDlg;
}

// How the controller reacts to detected faults: for each kind of fault the
// retry interval and the number of attempts. A TIVERK 3.x controller keeps a
// fixed table under the native key "errorControl"; a TIVERK II controller a
// recovery block in its "KSK1" system-bus device. Other families show no page
// and store nothing. The dialog loads in its constructor and stores in
// accept(); OK without a change adds neither the table nor the block.
// The controller is not owned and must outlive the dialog.
class ErrorControlDlg : public UiDataExchange
{
    Q_OBJECT
public:
    ErrorControlDlg(QWidget *parent, CnfController *controller);
    ~ErrorControlDlg() override;

    // The TIVERK II fault kinds in table order: native key and title. Built
    // once per process, so the titles keep the language of the first dialog.
    static const QVector<QPair<QString, QString>> &faultKinds();

public slots:
    void accept() override;

private:
    enum Family { Tiverk, TiverkII, OtherFamily };

    VObject recoveryNode() const;
    void loadRecovery();
    // Whether a field of the TIVERK II page holds a value.
    bool holdsRecoveryValue() const;
    void storeRecovery();

    Ui::ErrorControlDlg *ui;
    CnfController *controller;
    Family family = OtherFamily;
    // TIVERK 3.x: the table's value as loaded.
    QVariant shownErrorControl;
};
