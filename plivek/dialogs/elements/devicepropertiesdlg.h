#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>

class CnfController;

namespace Ui {
class DevicePropertiesDlg;
}

// Type, ID, address, name, lamps count, burnout control and lamp colour of one
// power device. While the user types, the ID, address and name are checked to
// stay unique (and the address to respect the reserved slots of key modules);
// an offending field turns red and OK stays disabled until every field holds.
// The device is written only when the caller, after OK, calls saveToDevice.
//
// reservedSlots: addresses come in groups of eight whose position 6 takes only
// types 2 and 5 and position 7 only types 3 and 5 (type 3 is offered only
// then). countedTypes: the types counted against the device limit (1, 4, 5)
// are offered. autoAssign (TIVERK II, ZU_MOLT): the address and the name
// follow the ID (address ID - 1, name "row-column" for the prefix "1-", else
// prefix + ID).
class DevicePropertiesDlg : public QDialog
{
    Q_OBJECT
public:
    DevicePropertiesDlg(QWidget *parent, CnfController &controller, bool reservedSlots,
                        const CnfPowerDevicePtr &device, bool countedTypes, bool autoAssign,
                        const QString &prefix);
    ~DevicePropertiesDlg() override;

    void saveToDevice();

private slots:
    void on_lamps_valueChanged(int value);
    void on_address_valueChanged(int address);
    void on_type_currentIndexChanged(int index);
    void on_name_textChanged(const QString &text);
    void on_id_valueChanged(int id);

private:
    enum Field { AddressField, IdField, NameField, FieldCount };

    void load();
    // Colours the field and enables OK only while every field is valid.
    void setFieldValid(Field field, QWidget *widget, bool valid);
    bool byId() const;

    Ui::DevicePropertiesDlg *ui;
    CnfController &controller;
    CnfPowerDevicePtr device;
    QString family;
    bool reservedSlots = false;
    bool countedTypes = false;
    bool autoAssign = false;
    QString prefix;
    bool valid[FieldCount] = { true, true, true };
};
