#pragma once

#include "cnf/cnffwd.h"
#include "plivek/framework/uidataexchange.h"

class CnfController;
class DialogItemValidator;
class QTableWidgetItem;

namespace Ui {
class SgPropertiesDlg;
}

// Number, name, type, traffic-light number, own timings, keys and detector
// addresses of one signal group. TIVERK II and ZU_MOLT groups have a name
// (never empty) and may redefine the timings of the controller's default
// group; the keys are ticked in a table of the free key devices, at most
// four except in TIVERK II. Nothing is written until the caller, after OK,
// calls saveToSignalGroup; only a generated name goes into the group at once.
// The detector addresses (255: no detector) are rewritten only when the user
// changed the table; otherwise the group keeps its list as stored.
class SgPropertiesDlg : public UiDataExchange
{
    Q_OBJECT
public:
    SgPropertiesDlg(QWidget *parent, const CnfSignalGroupPtr &group, CnfController &controller);
    ~SgPropertiesDlg() override;

    void saveToSignalGroup();

    // The timing keys of a family, in load and store order: eight for
    // TIVERK II, eleven for ZU_MOLT.
    static QStringList timingKeys(bool tiverkII);

private slots:
    void on_keysTable_itemChanged(QTableWidgetItem *item);
    void on_SignalGroup_clicked(bool checked);
    void on_type_currentIndexChanged(int index);

private:
    void loadTimings();
    void fillKeysTable();
    void updateAssignedKeys();
    // One address per column of the detector table, 255 for an empty cell.
    QList<int> tableDetectors() const;
    // The device of a keys-table row: by ID (TIVERK II, ZU_MOLT) or by address.
    CnfPowerDevicePtr rowDevice(int row) const;

    Ui::SgPropertiesDlg *ui;
    CnfController &controller;
    CnfSignalGroupPtr group;
    DialogItemValidator *validator;
    int assignedKeyCount = 0;
    QList<int> loadedDetectors;
    bool tiverkII = false;
    bool zuMolt = false;
};
