#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>

class CnfController;
class DialogItemValidator;

namespace Ui {
class DetectorsDlg;
}

// One detector or sensor (the element tells which), edited in place: its id
// and name. An element without a name is given the first free default name
// ("Detector.%1" or "Sensor.%1") as soon as the dialog opens. isNew tells that
// the element is not yet part of the controller.
class DetectorsDlg : public QDialog
{
    Q_OBJECT
public:
    DetectorsDlg(CnfController *controller, const CnfDetectorPtr &element, bool isNew, QWidget *parent = nullptr);
    ~DetectorsDlg() override;

public slots:
    void accept() override;

private:
    Ui::DetectorsDlg *ui;
    CnfController *controller;
    CnfDetectorPtr element;
    bool isNew;
    DialogItemValidator *validator;
};
