#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>

class CnfController;

namespace Ui {
class DevicePropertiesDlg;
}

// Name, id, address, type, lamp colour, lamp count and burnout control of one
// power device. The dialog edits nothing until the caller, after OK, calls
// saveToDevice. Without keyAllowed the key types are not offered (the device
// limit is reached). With autoAssign (TIVERK II, ZU_MOLT) the address and the
// name follow the id: address id - 1, name prefix + id.
class DevicePropertiesDlg : public QDialog
{
    Q_OBJECT
public:
    DevicePropertiesDlg(QWidget *parent, CnfController &controller, bool keyModules,
                        const CnfPowerDevicePtr &device, bool keyAllowed, bool autoAssign,
                        const QString &namePrefix);
    ~DevicePropertiesDlg() override;

    void saveToDevice();

private:
    void followId(int id);

    Ui::DevicePropertiesDlg *ui;
    CnfPowerDevicePtr device;
    bool byId = false;
    bool autoAssign = false;
    QString namePrefix;
};
