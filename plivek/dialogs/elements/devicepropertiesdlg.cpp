#include "devicepropertiesdlg.h"

#include "ui_devicepropertiesdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

bool isCountedType(int type)
{
    return type == CnfPowerDevice::Key || type == CnfPowerDevice::KeyDouble
        || type == CnfPowerDevice::KeyTriac;
}

bool isLampType(int type)
{
    return isCountedType(type) || type == CnfPowerDevice::Output
        || type == CnfPowerDevice::OutputZuMolt;
}

// Whether a device type may stand at an address when key modules reserve
// positions 6 (module power) and 7 (module control) of every eight.
bool fitsReservedSlot(int type, int address)
{
    const int position = address % 8;
    if (type == CnfPowerDevice::KeyTriac)
        return true;
    if (type == CnfPowerDevice::ModulePower)
        return position != 7;
    if (type == CnfPowerDevice::ModuleControl)
        return position != 6;
    return position != 6 && position != 7;
}

} // namespace

DevicePropertiesDlg::DevicePropertiesDlg(QWidget *parent, CnfController &controller,
                                         bool reservedSlots, const CnfPowerDevicePtr &device,
                                         bool countedTypes, bool autoAssign, const QString &prefix)
    : QDialog(parent)
    , ui(new Ui::DevicePropertiesDlg)
    , controller(controller)
    , device(device)
    , reservedSlots(reservedSlots)
    , countedTypes(countedTypes)
    , autoAssign(autoAssign)
    , prefix(prefix)
{
    ui->setupUi(this);
    if (device)
        load();
}

DevicePropertiesDlg::~DevicePropertiesDlg()
{
    delete ui;
}

bool DevicePropertiesDlg::byId() const
{
    return family == QLatin1String("tiverkii") || family == QLatin1String("ZU_MOLT");
}

void DevicePropertiesDlg::load()
{
    if (autoAssign) {
        ui->address->setEnabled(false);
        ui->name->setEnabled(false);
        if (device->address != device->id - 1) {
            QMessageBox::critical(this, QString(), tr("address not consistent to ID"));
            QMetaObject::invokeMethod(this, "reject", Qt::QueuedConnection);
            return;
        }
        static const QRegularExpression rowColumn(QStringLiteral("^(\\d+)-(\\d+)$"));
        const QRegularExpressionMatch match = rowColumn.match(device->name);
        if (match.hasMatch()
            && (match.captured(1).toInt() != device->address / 16 + 1
                || match.captured(2).toInt() != device->address % 16 + 1)) {
            QMessageBox::critical(this, QString(), tr("name not consistent to ID"));
            QMetaObject::invokeMethod(this, "reject", Qt::QueuedConnection);
        }
    }

    family = controller.property("type").toString();
    const bool tiverk3 = family == QLatin1String("tiverk");
    if (tiverk3) {
        ui->label_5->hide();
        ui->name->hide();
        ui->address->setMaximum(127);
    } else {
        ui->address->setMaximum(65534);
    }

    QList<int> types;
    if (family == QLatin1String("tiverkii")) {
        types = { CnfPowerDevice::OutputZuMolt, CnfPowerDevice::Output };
    } else {
        for (int type = CnfPowerDevice::Unused; type <= CnfPowerDevice::OutputZuMolt; ++type) {
            if ((countedTypes || !isCountedType(type))
                && (reservedSlots || type != CnfPowerDevice::ModuleControl))
                types << type;
        }
    }
    for (int type : types)
        ui->type->addItem(CnfPowerDevice::type2String(type, true), type);
    ui->type->setCurrentIndex(ui->type->findData(device->type));

    if (!autoAssign)
        ui->name->setText(device->name);
    ui->lamps->setValue(device->lampsCount);
    on_lamps_valueChanged(ui->lamps->value());

    if (!byId()) {
        ui->white_c->hide();
        ui->id_label->hide();
        ui->id->hide();
        ui->address->setValue(device->address);
        ui->burnout_flag->hide();
        ui->burnout->setValue(device->burnoutControl);
    } else {
        ui->label_4->setText(tr("Control of emergency state"));
        if (!autoAssign)
            ui->address->setValue(device->address);
        ui->id->setMinimum(1);
        ui->id->setValue(device->id);
        ui->burnout_flag->setChecked(device->burnoutControl != 0);
        if (device->name.isEmpty()) {
            QString proposed;
            for (int i = 1;; ++i) {
                proposed = prefix + QString::number(i);
                const CnfPowerDevicePtr other = controller.findPowerDeviceByName(proposed);
                if (!other || other == device)
                    break;
            }
            // With auto-assign the ID has named the device already.
            if (!autoAssign)
                ui->name->setText(proposed);
        }
    }

    switch (device->color) {
    case CnfPowerDevice::Green:
        ui->green_c->setChecked(true);
        break;
    case CnfPowerDevice::Yellow:
        ui->yellow_c->setChecked(true);
        break;
    case CnfPowerDevice::Red:
        ui->red_c->setChecked(true);
        break;
    case CnfPowerDevice::White:
        ui->white_c->setChecked(true);
        break;
    default:
        break;
    }

    if (family == QLatin1String("ZU_MOLT")) {
        ui->type->hide();
        ui->label->hide();
    }
    if (byId())
        ui->burnout->hide();
}

void DevicePropertiesDlg::setFieldValid(Field field, QWidget *widget, bool fieldValid)
{
    valid[field] = fieldValid;
    QPalette palette = QApplication::palette(widget);
    if (!fieldValid) {
        for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
            palette.setColor(group, QPalette::Base, Qt::red);
    }
    widget->setPalette(palette);
    bool all = true;
    for (bool fieldOk : valid)
        all = all && fieldOk;
    if (QPushButton *ok = ui->buttonBox->button(QDialogButtonBox::Ok))
        ok->setEnabled(all);
}

void DevicePropertiesDlg::on_lamps_valueChanged(int value)
{
    ui->burnout->setMaximum(value);
}

void DevicePropertiesDlg::on_address_valueChanged(int address)
{
    if (!device)
        return;
    bool fieldValid = address == device->address || !controller.findPowerDeviceByAddress(address);
    if (fieldValid && reservedSlots)
        fieldValid = fitsReservedSlot(ui->type->currentData().toInt(), address);
    setFieldValid(AddressField, ui->address, fieldValid);
}

void DevicePropertiesDlg::on_id_valueChanged(int id)
{
    if (!device)
        return;
    if (autoAssign) {
        ui->address->setValue(id - 1);
        if (prefix == QLatin1String("1-"))
            ui->name->setText(
                QStringLiteral("%1-%2").arg((id - 1) / 16 + 1).arg((id - 1) % 16 + 1));
        else
            ui->name->setText(prefix + QString::number(id));
    }
    setFieldValid(IdField, ui->id, id == device->id || !controller.findPowerDevice(id));
}

void DevicePropertiesDlg::on_name_textChanged(const QString &text)
{
    if (!device || !ui->name->isVisible())
        return;
    bool fieldValid = text == device->name || !controller.findPowerDeviceByName(text);
    if (byId() && text.isEmpty())
        fieldValid = false;
    setFieldValid(NameField, ui->name, fieldValid);
}

void DevicePropertiesDlg::on_type_currentIndexChanged(int index)
{
    if (!device)
        return;
    const int type = ui->type->itemData(index).toInt();
    ui->label_3->setVisible(type != CnfPowerDevice::OutputZuMolt);
    ui->lamps->setVisible(type != CnfPowerDevice::OutputZuMolt);
    ui->frame->setVisible(isLampType(type));
    on_address_valueChanged(ui->address->value());
}

void DevicePropertiesDlg::saveToDevice()
{
    if (!device)
        return;
    device->address = ui->address->value();
    device->name = ui->name->text();
    // A type that the list does not offer (one of another family, or a counted
    // type past the limit) stays as it was rather than becoming 0.
    if (ui->type->currentIndex() >= 0)
        device->type = ui->type->currentData().toInt();
    device->lampsCount = ui->lamps->value();
    if (!byId()) {
        device->burnoutControl = ui->burnout->value();
        device->id = device->address;
    } else {
        device->id = ui->id->value();
        device->burnoutControl = ui->burnout_flag->isChecked() ? device->lampsCount : 0;
    }
    if (ui->red_c->isChecked())
        device->color = CnfPowerDevice::Red;
    else if (ui->yellow_c->isChecked())
        device->color = CnfPowerDevice::Yellow;
    else if (ui->green_c->isChecked())
        device->color = CnfPowerDevice::Green;
    else if (ui->white_c->isChecked())
        device->color = CnfPowerDevice::White;
}
