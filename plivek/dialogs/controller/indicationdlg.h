#pragma once

#include <QDialog>

class CnfController;

namespace Ui {
class IndicationDlg;
}

// The indication list of a controller, native "modules"/"Indication": buttons,
// silicium buttons and countdown boards, each with the outputs of its red,
// amber and green indication, its signal group and the signal plans in which
// it is active. The table shows texts; OK writes the values back as a whole
// new list. The controller is not owned and must outlive the dialog.
class IndicationDlg : public QDialog
{
    Q_OBJECT
public:
    IndicationDlg(CnfController *controller, QWidget *parent);
    ~IndicationDlg() override;

public slots:
    void accept() override;

private slots:
    void on_add_clicked();
    void on_del_clicked();
    void on_indTable_itemSelectionChanged();

private:
    void installDelegates();
    void load();

    Ui::IndicationDlg *ui;
    CnfController *controller;
};
