#include "sgpropertiesdlg.h"

#include "ui_sgpropertiesdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"

#include <QMessageBox>

SgPropertiesDlg::SgPropertiesDlg(QWidget *parent, const CnfSignalGroupPtr &group, CnfController &controller)
    : UiDataExchange(parent)
    , ui(new Ui::SgPropertiesDlg)
    , group(group)
    , controller(controller)
{
    ui->setupUi(this);
    setWindowTitle(tr("Properties of signal group"));
    const QString family = controller.property("type").toString();
    byId = family == QLatin1String("tiverkii") || family == QLatin1String("ZU_MOLT");
    for (int type = CnfSignalGroup::Traffic; type <= CnfSignalGroup::Bicycle; ++type)
        ui->type->addItem(CnfSignalGroup::type2String(type, true, false));
    if (!group)
        return;
    ui->id->setValue(group->id);
    QString name = group->name;
    if (name.isEmpty() && byId) {
        // An unnamed group is offered the first "Group.N" that no other group has.
        for (int n = 1;; ++n) {
            name = QStringLiteral("Group.%1").arg(n);
            if (!controller.findSGByName(name))
                break;
        }
    }
    ui->name->setText(name);
    ui->type->setCurrentIndex(qBound(0, group->type, ui->type->count() - 1));
    QStringList keys;
    for (const CnfPowerDevicePtr &device : group->devices)
        keys << QString::number(byId ? device->id : device->address);
    ui->keys->setText(keys.join(QLatin1Char(',')));
    ui->tClusterId->setValue(group->property("tClusterId").toInt());
}

SgPropertiesDlg::~SgPropertiesDlg()
{
    delete ui;
}

bool SgPropertiesDlg::parseKeys(QList<CnfPowerDevicePtr> *devices, QString *unknown) const
{
    const QStringList entries = ui->keys->text().split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &entry : entries) {
        bool ok = false;
        const int key = entry.trimmed().toInt(&ok);
        const CnfPowerDevicePtr device =
            !ok ? CnfPowerDevicePtr() : byId ? controller.findPowerDevice(key) : controller.findPowerDeviceByAddress(key);
        if (!device) {
            *unknown = entry.trimmed();
            return false;
        }
        if (!devices->contains(device))
            devices->append(device);
    }
    return true;
}

void SgPropertiesDlg::accept()
{
    QList<CnfPowerDevicePtr> devices;
    QString unknown;
    if (!parseKeys(&devices, &unknown)) {
        QMessageBox::warning(this, windowTitle(), tr("No device %1").arg(unknown));
        return;
    }
    const CnfSignalGroupPtr other = controller.findSG(ui->id->value());
    if (other && other != group) {
        QMessageBox::warning(this, windowTitle(), tr("Signal group %1 already exists").arg(ui->id->value()));
        return;
    }
    UiDataExchange::accept();
}

void SgPropertiesDlg::saveToSignalGroup()
{
    if (!group)
        return;
    group->id = ui->id->value();
    group->name = ui->name->text();
    group->setType(ui->type->currentIndex());
    QList<CnfPowerDevicePtr> devices;
    QString unknown;
    parseKeys(&devices, &unknown);
    // A key drives one group: taking it here frees it from any other.
    for (const CnfPowerDevicePtr &device : devices) {
        const CnfSignalGroupPtr owner = controller.findPowerDeviceSg(device);
        if (owner && owner != group)
            owner->unassignDevice(device);
    }
    const QList<CnfPowerDevicePtr> assigned = group->devices;
    for (const CnfPowerDevicePtr &device : assigned) {
        if (!devices.contains(device))
            group->unassignDevice(device);
    }
    for (const CnfPowerDevicePtr &device : devices)
        group->assignDevice(device);
    // A group without cluster keeps none rather than gaining a 0.
    if (group->property("tClusterId").isValid() || ui->tClusterId->value() != 0)
        group->setProperty("tClusterId", ui->tClusterId->value());
}
