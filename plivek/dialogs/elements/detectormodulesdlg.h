#pragma once

#include <QDialog>

class CnfController;

namespace Ui {
class DetectorModulesDlg;
}

// The detector modules of a TIVERK II controller, kept under the native
// "modules". On Accepted the changes are stored in the native data.
class DetectorModulesDlg : public QDialog
{
    Q_OBJECT
public:
    DetectorModulesDlg(CnfController *controller, QWidget *parent = nullptr);
    ~DetectorModulesDlg() override;

public slots:
    void accept() override;

private:
    Ui::DetectorModulesDlg *ui;
    CnfController *controller;
};
