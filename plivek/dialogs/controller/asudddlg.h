#pragma once

#include "cnf/vobject.h"
#include "plivek/framework/uidataexchange.h"

#include <QList>

class CnfController;

namespace Ui {
class AsuddDlg;
}

// The link of the controller to the central traffic-control system (ATCS),
// written into the native data on OK. TIVERK 3.x and adapter: nine root
// parameters of the link, each written only when its widget was changed.
// TIVERK II: the list of central-system connections,
// kept as control sources plus the module "TiverkITS" of the primary one.
// ZU_MOLT: one central-system control source with its inactivity timeout.
// Every family keeps "asudd_priority_on_vpu" ("Priority under RCU") in step
// with the priorities of the RCU and the central system; for TIVERK II and
// ZU_MOLT opening already writes the flag derived from the stored priorities.
// The controller is not owned and must outlive the dialog.
class AsuddDlg : public UiDataExchange
{
    Q_OBJECT
public:
    AsuddDlg(QWidget *parent, CnfController *controller);
    ~AsuddDlg() override;

    // Shows the connection of `source` ("url", "controlTimeout") in the row,
    // which is added when missing; the row carries `entry` (or `source` when
    // `entry` is null) as its control source. A source without "url" gives
    // no row.
    void fillItsRow(const VObject &source, int row, const VObject &entry);

public slots:
    void accept() override;

private slots:
    void on_addIts_clicked();
    void on_deleteIts_clicked();
    void on_itsTable_currentCellChanged(int currentRow, int currentColumn, int previousRow,
                                        int previousColumn);

private:
    void loadTiverk();
    void loadTiverkII();
    void loadZuMolt();
    void storeTiverk();
    void storeTiverkII();
    void storeTiverkIIDisabled();
    void storeZuMolt();
    VObject rowEntry(int row) const;

    Ui::AsuddDlg *ui;
    CnfController *controller;
    VObject root;
    // TIVERK 3.x and adapter: the nine parameters as their widgets showed them
    // on opening.
    QVariantMap shownTiverk;
    // "priority" of the RCU's control source, found on opening.
    VObject rcuPriority;
    // Control sources of the rows the user deleted, in deletion order.
    QList<VObject> deletedEntries;
};
