#pragma once

#include "cnf/vobject.h"

#include <QDialog>

class CnfController;
class DialogItemValidator;

namespace Ui {
class OutputsDlg;
}

// One output of the native "outputs" list: id 0 opens a new output, any
// other id the output of that id. OK writes the output into "outputs" itself.
class OutputsDlg : public QDialog
{
    Q_OBJECT
public:
    OutputsDlg(CnfController *controller, int id, QWidget *parent = nullptr);
    ~OutputsDlg() override;

public slots:
    void accept() override;

private:
    Ui::OutputsDlg *ui;
    CnfController *controller;
    VObject edited; // the output's entry; null for a new output
    DialogItemValidator *validator;
};
