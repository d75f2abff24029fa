#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>

class CnfController;
class ParametersTable;
class QTableWidgetItem;

namespace Ui {
class InterstatesDlg;
}

// The interstate times of every signal group, one tab per interstate variant
// ("3.17": 8, "3.18": 6, others 4), one row per group. Columns AG1 .. AG2 are
// the six bytes of the group's record; "Tist" shows AG1 + GF + Y + AR and is
// never stored. Groups of types 1 to 4 have no Y and no RY (grey cells).
//
// The dialog writes nothing itself: the caller calls applyToController after
// OK. Embedded in a program editor it is a plain child widget without buttons
// that reports each edit through istateChanged. The controller is not owned
// and must outlive the dialog.
class InterstatesDlg : public QDialog
{
    Q_OBJECT
public:
    InterstatesDlg(QWidget *parent, CnfController *controller, bool embedded);
    ~InterstatesDlg() override;

    // Stores the tables into the signal groups' interstate records. A variant
    // whose table is all zeros is removed from every group.
    void applyToController();

    // Number of variant tabs for the controller's version.
    static int variantCount(const CnfController *controller);

public slots:
    // Selects the tab of a variant (from 1); other values change nothing.
    void setVariant(int variant);

signals:
    void variantChanged(int variant);
    // One accepted cell edit: offset is the byte of the record (AG1 = 0).
    void istateChanged(CnfSignalGroupPtr sg, int variant, uint offset, int val);

private slots:
    void on_tabWidget_currentChanged(int index);
    void tableItemChanged(QTableWidgetItem *item);

private:
    ParametersTable *createTable(int variant);
    int tabOf(const QObject *table) const;
    CnfSignalGroupPtr rowGroup(const ParametersTable *table, int row) const;
    void updateTotal(ParametersTable *table, int row);

    Ui::InterstatesDlg *ui;
    CnfController *controller;
};
