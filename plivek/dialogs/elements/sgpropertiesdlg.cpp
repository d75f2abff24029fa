#include "sgpropertiesdlg.h"

#include "ui_sgpropertiesdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/dialogitemvalidator.h"

#include <QSignalBlocker>
#include <QSpinBox>

namespace {

enum KeyColumn { Assigned = 0, AddressOrId, Name, Type, LampsCount, Burnout, Color };

const char *const timingKeyNames[] = {
    "redAmber", "greenBlink", "amberBlink", "amber",     "minRed",    "maxRed",
    "minGreen", "maxGreen",   "extRed",     "extGreen1", "extGreen2",
};

QString colorImage(int color)
{
    switch (color) {
    case CnfPowerDevice::Green:
        return QStringLiteral("://images/green_c.png");
    case CnfPowerDevice::Yellow:
        return QStringLiteral("://images/yellow_c.png");
    case CnfPowerDevice::Red:
        return QStringLiteral("://images/red_c.png");
    case CnfPowerDevice::White:
        return QStringLiteral("://images/white_c.png");
    default:
        return QStringLiteral("://images/gray_c.png");
    }
}

bool isKeyDevice(int type)
{
    return type == CnfPowerDevice::Key || type == CnfPowerDevice::KeyDouble
        || type == CnfPowerDevice::KeyTriac || type == CnfPowerDevice::Output
        || type == CnfPowerDevice::OutputZuMolt;
}

// Timing values compare as numbers; a not-set value differs from any set one.
bool sameTiming(const QVariant &value, const QVariant &other)
{
    if (!value.isValid() || !other.isValid())
        return value.isValid() == other.isValid();
    return value.toLongLong() == other.toLongLong();
}

} // namespace

QStringList SgPropertiesDlg::timingKeys(bool tiverkII)
{
    QStringList keys;
    for (const char *key : timingKeyNames)
        keys << QLatin1String(key);
    return tiverkII ? keys.mid(0, 8) : keys;
}

SgPropertiesDlg::SgPropertiesDlg(QWidget *parent, const CnfSignalGroupPtr &group,
                                 CnfController &controller)
    : UiDataExchange(parent)
    , ui(new Ui::SgPropertiesDlg)
    , controller(controller)
    , validator(new DialogItemValidator(this))
{
    ui->setupUi(this);
    if (!group)
        return;
    this->group = group;
    const QString family = controller.property("type").toString();
    tiverkII = family == QLatin1String("tiverkii");
    zuMolt = family == QLatin1String("ZU_MOLT");
    const bool named = tiverkII || zuMolt;

    QList<int> numbers;
    QStringList names;
    for (const CnfSignalGroupPtr &other : controller.signalGroups()) {
        if (other == group)
            continue;
        numbers << other->id;
        names << other->name;
    }
    numbers << 0;
    // Without names several groups may share the empty one; with names it is
    // never allowed.
    names.removeAll(QString());
    if (named) {
        names << QString();
        if (group->name.isEmpty()) {
            for (int n = 1;; ++n) {
                const QString candidate = tr("Group.%1").arg(n);
                if (!names.contains(candidate)) {
                    group->name = candidate;
                    break;
                }
            }
        }
        ui->tl_number->setValue(group->property("tClusterId").toInt());
    }
    validator->addSpinBox(ui->number, numbers);
    validator->addLineEdit(ui->name, names);

    if (family == QLatin1String("tiverk"))
        ui->keysTable->setColumnHidden(Name, true);
    if (named) {
        for (const char *key : { "extRed", "extGreen1", "extGreen2" }) {
            ui->SignalGroup->findChild<QWidget *>(QLatin1String(key))->setVisible(!tiverkII);
            ui->SignalGroup->findChild<QWidget *>(QLatin1String(key) + QLatin1String("_label"))
                ->setVisible(!tiverkII);
        }
        if (zuMolt)
            ui->keysTable->setColumnHidden(LampsCount, true);
        ui->keysTable->setItemDelegateForColumn(Burnout,
                                                new CheckBoxDelegate(ui->keysTable, false, true));
        ui->keysTable->horizontalHeaderItem(AddressOrId)->setText(tr("ID"));
        loadTimings();
    } else {
        ui->name_label->hide();
        ui->name->hide();
        ui->SignalGroup->hide();
    }

    if (controller.property("version").toString() == QLatin1String("3.17")) {
        for (int column = 0; column < group->detectorAddresses.size() && column < 4; ++column) {
            const int address = group->detectorAddresses.at(column);
            if (address >= 0 && address != 255)
                setTableCellValue(ui->detectorTable, 0, column, address, true);
        }
    } else {
        ui->detectorTable->hide();
    }
    loadedDetectors = tableDetectors();

    ui->keysTable->setItemDelegateForColumn(Assigned,
                                            new CheckBoxDelegate(ui->keysTable, false, false));
    for (int type = CnfSignalGroup::Traffic; type <= CnfSignalGroup::Bicycle; ++type)
        ui->type->addItem(CnfSignalGroup::type2String(type, true, false));
    ui->number->setValue(group->id);
    ui->name->setText(group->name);
    ui->type->setCurrentIndex(group->type);
    fillKeysTable();
}

SgPropertiesDlg::~SgPropertiesDlg()
{
    delete ui;
}

void SgPropertiesDlg::loadTimings()
{
    const CnfSignalGroupPtr defaults = controller.defaultSignalGroup();
    bool differs = false;
    for (const QString &key : timingKeys(tiverkII)) {
        const QByteArray name = key.toLatin1();
        const QVariant own = group->property(name.constData());
        const QVariant byDefault = defaults ? defaults->property(name.constData()) : QVariant();
        QVariant shown = own;
        if (!own.isValid())
            shown = byDefault;
        else if (!sameTiming(own, byDefault))
            differs = true;
        auto *box = ui->SignalGroup->findChild<QSpinBox *>(key);
        if (box && shown.isValid())
            box->setValue(shown.toInt());
    }
    if (differs)
        ui->SignalGroup->setChecked(true);
}

void SgPropertiesDlg::fillKeysTable()
{
    const bool named = tiverkII || zuMolt;
    QTableWidget *table = ui->keysTable;
    assignedKeyCount = 0;
    for (const CnfPowerDevicePtr &device : controller.powerDevices()) {
        const bool assigned = group->devices.contains(device);
        if (!assigned) {
            const CnfSignalGroupPtr owner = controller.findPowerDeviceSg(device);
            if (!isKeyDevice(device->type) || (owner && owner != group))
                continue;
        } else {
            ++assignedKeyCount;
        }
        const int row = table->rowCount();
        table->insertRow(row);
        {
            const QSignalBlocker blocker(table);
            setTableCellValue(table, row, Assigned, assigned, true);
        }
        setTableCellValue(table, row, AddressOrId, named ? device->id : device->address, true);
        setTableCellValue(table, row, Name, named ? QVariant(device->name) : QVariant(device->id),
                          true);
        setTableCellValue(table, row, Type, CnfPowerDevice::type2String(device->type, true), true);
        setTableCellValue(table, row, LampsCount, device->lampsCount, true);
        setTableCellValue(
            table, row, Burnout,
            named ? QVariant(device->burnoutControl != 0) : QVariant(device->burnoutControl), true);
        table->setItem(row, Color,
                       new QTableWidgetItem(QIcon(colorImage(device->color)), QString()));
    }
    table->resizeColumnsToContents();
    updateAssignedKeys();
}

CnfPowerDevicePtr SgPropertiesDlg::rowDevice(int row) const
{
    const int key = tableCellValue(ui->keysTable, row, AddressOrId).toInt();
    return tiverkII || zuMolt ? controller.findPowerDevice(key)
                              : controller.findPowerDeviceByAddress(key);
}

void SgPropertiesDlg::updateAssignedKeys()
{
    QString text = QStringLiteral("<html><head/><body><table border=\"1\"><tr>");
    for (int row = 0; row < ui->keysTable->rowCount(); ++row) {
        if (!tableCellValue(ui->keysTable, row, Assigned).toBool())
            continue;
        const CnfPowerDevicePtr device = rowDevice(row);
        if (!device)
            continue;
        text += QStringLiteral(
                    "<td><table><tr><td>%1</td><td><img src=\"%2\"/></td></tr></table></td>")
                    .arg(tiverkII || zuMolt ? device->id : device->address)
                    .arg(colorImage(device->color));
    }
    text += QStringLiteral("</tr></span></body></html>");
    ui->assignedKeys->setText(text);
}

void SgPropertiesDlg::on_keysTable_itemChanged(QTableWidgetItem *item)
{
    if (!item || item->column() != Assigned)
        return;
    if (item->data(Qt::EditRole).toBool())
        ++assignedKeyCount;
    else
        assignedKeyCount = qMax(0, assignedKeyCount - 1);
    // A signal group drives at most four keys, except in TIVERK II.
    if (!tiverkII && assignedKeyCount > 4) {
        const QSignalBlocker blocker(ui->keysTable);
        item->setData(Qt::EditRole, false);
        assignedKeyCount = 4;
        return;
    }
    updateAssignedKeys();
}

void SgPropertiesDlg::on_SignalGroup_clicked(bool checked)
{
    for (QWidget *child : ui->SignalGroup->findChildren<QWidget *>())
        child->setEnabled(checked);
}

void SgPropertiesDlg::on_type_currentIndexChanged(int index)
{
    ui->name_label_2->setVisible(index == CnfSignalGroup::Bicycle);
    ui->tl_number->setVisible(index == CnfSignalGroup::Bicycle);
}

QList<int> SgPropertiesDlg::tableDetectors() const
{
    QList<int> detectors;
    for (int column = 0; column < ui->detectorTable->columnCount(); ++column) {
        const QVariant value = tableCellValue(ui->detectorTable, 0, column);
        detectors << (value.isValid() && !value.toString().isEmpty() ? value.toInt() : 255);
    }
    return detectors;
}

void SgPropertiesDlg::saveToSignalGroup()
{
    if (!group)
        return;
    group->id = ui->number->value();
    group->name = ui->name->text();
    group->setType(ui->type->currentIndex());

    group->devices.clear();
    for (int row = 0; row < ui->keysTable->rowCount(); ++row) {
        if (!tableCellValue(ui->keysTable, row, Assigned).toBool())
            continue;
        if (const CnfPowerDevicePtr device = rowDevice(row))
            group->assignDevice(device);
    }

    // The table shows at most four addresses and only for "3.17": an untouched
    // table must not pad, cut or clear the list the group came with.
    const QList<int> detectors = tableDetectors();
    if (detectors != loadedDetectors)
        group->detectorAddresses = detectors;

    if (!tiverkII && !zuMolt)
        return;
    const CnfSignalGroupPtr defaults = controller.defaultSignalGroup();
    for (const QString &key : timingKeys(tiverkII)) {
        const QByteArray name = key.toLatin1();
        QVariant value;
        const auto *box = ui->SignalGroup->findChild<QSpinBox *>(key);
        if (ui->SignalGroup->isChecked() && box && box->value() != box->minimum())
            value = box->value();
        // Only the values that differ from the defaults are the group's own.
        if (defaults && value.isValid() && sameTiming(defaults->property(name.constData()), value))
            value = QVariant();
        group->setProperty(name.constData(), value);
    }
    group->setProperty("tClusterId",
                       group->type == CnfSignalGroup::Bicycle ? QVariant(ui->tl_number->value())
                                                              : QVariant());
}
