#include "devicepropertiesdlg.h"

#include "ui_devicepropertiesdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"

namespace {

bool isKeyType(int type)
{
    return type == CnfPowerDevice::Key || type == CnfPowerDevice::KeyDouble || type == CnfPowerDevice::KeyTriac;
}

} // namespace

DevicePropertiesDlg::DevicePropertiesDlg(QWidget *parent, CnfController &controller, bool keyModules,
                                         const CnfPowerDevicePtr &device, bool keyAllowed, bool autoAssign,
                                         const QString &namePrefix)
    : QDialog(parent)
    , ui(new Ui::DevicePropertiesDlg)
    , device(device)
    , autoAssign(autoAssign)
    , namePrefix(namePrefix)
{
    ui->setupUi(this);
    const QString family = controller.property("type").toString();
    byId = family == QLatin1String("tiverkii") || family == QLatin1String("ZU_MOLT");

    // The types the family's power part can hold; the device's own type is
    // always kept so that editing never changes it behind the user's back.
    QList<int> types;
    if (family == QLatin1String("tiverkii"))
        types = {CnfPowerDevice::Output};
    else if (family == QLatin1String("ZU_MOLT"))
        types = {CnfPowerDevice::OutputZuMolt};
    else
        types = {CnfPowerDevice::Unused, CnfPowerDevice::Key, CnfPowerDevice::KeyDouble, CnfPowerDevice::KeyTriac,
                 CnfPowerDevice::Reserve};
    // Module service devices (types 2 and 3) are made by the main window with
    // their module, never chosen here, with or without key modules.
    Q_UNUSED(keyModules)
    const int current = device ? device->type : 0;
    for (int type : types) {
        if (!keyAllowed && isKeyType(type) && type != current)
            continue;
        ui->type->addItem(CnfPowerDevice::type2String(type, true), type);
    }
    if (ui->type->findData(current) < 0)
        ui->type->addItem(CnfPowerDevice::type2String(current, true), current);
    ui->type->setCurrentIndex(ui->type->findData(current));

    ui->color->addItem(tr("red"), int(CnfPowerDevice::Red));
    ui->color->addItem(tr("yellow"), int(CnfPowerDevice::Yellow));
    ui->color->addItem(tr("green"), int(CnfPowerDevice::Green));
    ui->color->addItem(tr("white"), int(CnfPowerDevice::White));

    ui->id->setVisible(byId);
    ui->idLabel->setVisible(byId);
    ui->burnoutCheck->setVisible(byId);
    ui->burnoutCheckLabel->setVisible(byId);
    ui->burnoutControl->setVisible(!byId);
    ui->burnoutControlLabel->setVisible(!byId);

    if (device) {
        ui->name->setText(device->name);
        ui->id->setValue(device->id);
        ui->address->setValue(device->address);
        ui->lampsCount->setValue(device->lampsCount);
        ui->burnoutControl->setValue(device->burnoutControl);
        ui->burnoutCheck->setChecked(device->burnoutControl > 0);
        const int colorIndex = ui->color->findData(device->color);
        ui->color->setCurrentIndex(colorIndex < 0 ? 0 : colorIndex);
    }
    if (byId && autoAssign) {
        ui->address->setEnabled(false);
        ui->name->setEnabled(false);
        connect(ui->id, qOverload<int>(&QSpinBox::valueChanged), this, &DevicePropertiesDlg::followId);
        if (device && device->name.isEmpty())
            followId(device->id);
    }
}

DevicePropertiesDlg::~DevicePropertiesDlg()
{
    delete ui;
}

void DevicePropertiesDlg::followId(int id)
{
    ui->address->setValue(qMax(0, id - 1));
    ui->name->setText(namePrefix + QString::number(id));
}

void DevicePropertiesDlg::saveToDevice()
{
    if (!device)
        return;
    device->name = ui->name->text();
    device->address = ui->address->value();
    device->type = ui->type->currentData().toInt();
    device->lampsCount = ui->lampsCount->value();
    device->color = ui->color->currentData().toInt();
    if (byId) {
        device->id = ui->id->value();
        device->burnoutControl = ui->burnoutCheck->isChecked() ? device->lampsCount : 0;
    } else {
        device->burnoutControl = ui->burnoutControl->value();
        device->id = device->address;
    }
}
