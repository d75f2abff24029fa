#pragma once

#include "cnf/cnffwd.h"
#include "plivek/framework/uidataexchange.h"

class CnfController;
class DialogItemValidator;
class QTableWidgetItem;
namespace Halm58a {
class Network;
}
namespace Ui {
class PhaseDlg;
}

// One phase of the controller: its number, name, minimum and maximum duration
// and the signal groups it runs (column "Assigned" of the group table). A group
// in conflict with an assigned one (safety matrix, else conflict matrix) cannot
// be ticked, and OK stays disabled while two conflicting groups are assigned.
// The current row's group is shown in green on the map. The dialog writes
// nothing until saveToPhase, which the caller runs after OK; only the default
// name of a TIVERK II or ZU_MOLT phase is written while loading. The controller
// and the network (may be null) are not owned.
class PhaseDlg : public UiDataExchange
{
    Q_OBJECT
public:
    enum Column { AssignedColumn, NumberColumn, NameColumn, TypeColumn };

    PhaseDlg(QWidget *parent, const CnfPhasePtr &phase, CnfController *controller,
             Halm58a::Network *network);
    ~PhaseDlg() override;

    void saveToPhase();
    // OK is refused, the dialog staying open with the reason, while the number
    // field holds an id the phase cannot take (CnfController::phaseIdRefusal).
    void done(int result) override;

private slots:
    void on_sgTable_itemChanged(QTableWidgetItem *item);
    void on_sgTable_customContextMenuRequested(const QPoint &pos);
    void on_sgTable_currentCellChanged(int currentRow, int currentColumn, int previousRow,
                                       int previousColumn);
    void releaseSg();
    void assignSg();
    void checkConflicts();

private:
    void loadPhase();
    void updateAssignedLabel();
    // The selected cells of column "Assigned".
    QList<QTableWidgetItem *> selectedAssignedItems() const;
    void setSelectedAssigned(bool assigned);
    // Shows (or removes) the green mark of a row's signal group on the map.
    void highlightRow(int row, bool on);

    Ui::PhaseDlg *ui;
    CnfPhasePtr phase;
    CnfController *controller;
    Halm58a::Network *network;
    DialogItemValidator *validator;
};
