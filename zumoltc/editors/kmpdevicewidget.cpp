#include "kmpdevicewidget.h"
#include "ui_kmpdevicewidget.h"

#include "editorpages.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

namespace {

constexpr int LowestAddress = 3;
constexpr int HighestAddress = 254;

// Refills combo with the given values of E (display texts, values as data),
// choosing again the value it showed when still offered.
template<typename E> void offer(QComboBox *combo, const QList<int> &values)
{
    const QVariant shown = combo->currentData();
    combo->clear();
    for (int value : values)
        combo->addItem(enumText<E>(value), value);
    combo->setCurrentIndex(shown.isValid() ? combo->findData(shown) : -1);
}

template<typename E> QList<int> allValues()
{
    QList<int> values;
    for (const auto &item : enumItems<E>(true))
        values << item.second;
    return values;
}

} // namespace

KMPDeviceWidget::KMPDeviceWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::KMPDeviceWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
    ui->addr->setRange(LowestAddress, HighestAddress);
    for (const auto &item : enumItems<zu::KMPDevice::Type>(true))
        ui->device->addItem(item.first, item.second);
    ui->device->setCurrentIndex(-1);
}

KMPDeviceWidget::~KMPDeviceWidget()
{
    delete ui;
}

QList<int> KMPDeviceWidget::variantsOf(int device)
{
    using namespace zu::KMPDevice;
    switch (device) {
    case DIO1:
    case DIO2:
    case DIO3:
    case DIO4:
    case DIO5:
        return { dryContact, interfaceType, traficam, sitilog };
    case KTV1:
        return { interfaceType };
    case VPU1:
        return { passive, passive_ind, interface_tiverk1 };
    default:
        return allValues<SubType>();
    }
}

QList<int> KMPDeviceWidget::portsOf(int variant)
{
    using namespace zu::KMPDevice;
    switch (variant) {
    case passive:
    case passive_ind:
    case dryContact:
        return { zu::KMPDevPort::dryContact };
    case interfaceType:
    case interface_tiverk1:
    case interface_tiverk2:
        return { zu::KMPDevPort::RS485_1, zu::KMPDevPort::RS485_2 };
    default:
        return allValues<zu::KMPDevPort::Value>();
    }
}

void KMPDeviceWidget::on_device_currentIndexChanged(int index)
{
    const QVariant variant = ui->type->currentData();
    // The variants' list passes through other items while it is refilled; the
    // interfaces follow only the variant it ends with.
    m_offeringVariants = true;
    offer<zu::KMPDevice::SubType>(
        ui->type, variantsOf(enumValue<zu::KMPDevice::Type>(ui->device->itemData(index))));
    m_offeringVariants = false;
    // An interface belongs to its variant: kept with it, dropped with it.
    if (ui->type->currentData() != variant)
        ui->port->setCurrentIndex(-1);
    on_type_currentIndexChanged(ui->type->currentIndex());
}

void KMPDeviceWidget::on_type_currentIndexChanged(int index)
{
    if (m_offeringVariants)
        return;
    offer<zu::KMPDevPort::Value>(
        ui->port, portsOf(enumValue<zu::KMPDevice::SubType>(ui->type->itemData(index))));
}

void KMPDeviceWidget::setObjects(ZUConfiguration *configuration,
                                 const QList<QPointer<ZUKMPDevice>> &objects)
{
    m_configuration = configuration;
    m_objects = objects;
    if (objects.isEmpty())
        return;
    m_validator->reset();
    ui->device->setCurrentIndex(-1);
    ui->addr->reset();
    ui->type->setCurrentIndex(-1);
    ui->port->setCurrentIndex(-1);
    const bool one = objects.size() == 1;
    EditorPages::setDescendantsEnabled(this, one);
    if (!one)
        return;

    if (ZUKMPDevice *device = objects.first()) {
        QList<int> addresses = { 0, 1, 2, 255 };
        for (const QPointer<ZUKMPDevice> &other : configuration->kmp1()->devices()) {
            if (other && other != device)
                addresses << other->addr();
        }
        m_validator->setForbiddenInts(ui->addr, addresses);
        ui->device->setCurrentIndex(ui->device->findData(device->device()));
        ui->addr->setValue(device->addr());
        ui->type->setCurrentIndex(ui->type->findData(device->type()));
        ui->port->setCurrentIndex(ui->port->findData(device->port()));
    }
    m_validator->snapshotAll();
}

void KMPDeviceWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator)
        || m_objects.size() != 1)
        return;
    if (ZUKMPDevice *device = m_objects.first()) {
        if (m_validator->isChanged(ui->device))
            device->setDevice(enumValue<zu::KMPDevice::Type>(ui->device->currentData()));
        if (m_validator->isChanged(ui->addr))
            device->setAddr(ui->addr->value());
        if (m_validator->isChanged(ui->type))
            device->setType(enumValue<zu::KMPDevice::SubType>(ui->type->currentData()));
        if (m_validator->isChanged(ui->port))
            device->setPort(enumValue<zu::KMPDevPort::Value>(ui->port->currentData()));
        setWindowTitle(device->text(QString()));
    }
    m_validator->snapshotAll();
    emit configurationChanged(ZUKMPDevice::staticMetaObject.className());
}
