#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfpowerdevice.h"
#include "modalanswerer.h"
#include "plivek/dialogs/elements/devicepropertiesdlg.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

template<typename T> T *field(QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

bool okEnabled(QWidget &dialog)
{
    return field<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->isEnabled();
}

bool isRed(QWidget *widget)
{
    return widget->palette().color(QPalette::Active, QPalette::Base) == QColor(Qt::red);
}

CnfPowerDevicePtr addDevice(CnfController &controller, int id, int address, const QString &name,
                            int type)
{
    auto device = CnfPowerDevicePtr::create();
    device->id = id;
    device->address = address;
    device->name = name;
    device->type = type;
    controller.addPowerDevice(device);
    return device;
}

CnfPowerDevicePtr newDevice(int id, int address, const QString &name, int type)
{
    auto device = CnfPowerDevicePtr::create();
    device->id = id;
    device->address = address;
    device->name = name;
    device->type = type;
    return device;
}

QList<int> offeredTypes(QWidget &dialog)
{
    auto *types = field<QComboBox>(dialog, "type");
    QList<int> offered;
    for (int index = 0; index < types->count(); ++index)
        offered << types->itemData(index).toInt();
    return offered;
}

} // namespace

class TestDevicePropertiesDlg : public QObject
{
    Q_OBJECT
private slots:
    void typeList_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("reservedSlots");
        QTest::addColumn<bool>("countedTypes");
        QTest::addColumn<QList<int>>("offered");
        QTest::addColumn<bool>("typeShown");
        QTest::newRow("tiverk, all")
            << "tiverk" << true << true << QList<int>({ 0, 1, 2, 3, 4, 5, 6, 7, 8 }) << true;
        QTest::newRow("tiverk, limit reached, no modules")
            << "tiverk" << false << false << QList<int>({ 0, 2, 6, 7, 8 }) << true;
        QTest::newRow("adapter") << "adapter" << false << true
                                 << QList<int>({ 0, 1, 2, 4, 5, 6, 7, 8 }) << true;
        QTest::newRow("tiverkii: 8 then 7")
            << "tiverkii" << true << true << QList<int>({ 8, 7 }) << true;
        QTest::newRow("ZU_MOLT hides the list")
            << "ZU_MOLT" << false << true << QList<int>({ 0, 1, 2, 4, 5, 6, 7, 8 }) << false;
    }

    void typeList()
    {
        QFETCH(QString, family);
        QFETCH(bool, reservedSlots);
        QFETCH(bool, countedTypes);
        QFETCH(QList<int>, offered);
        QFETCH(bool, typeShown);

        CnfController controller;
        CnfNative::initController(controller, family, QStringLiteral("3.18"));
        const CnfPowerDevicePtr device
            = newDevice(1, 0, QStringLiteral("K1"), CnfPowerDevice::Output);
        DevicePropertiesDlg dialog(nullptr, controller, reservedSlots, device, countedTypes, false,
                                   QStringLiteral("K"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Device parameters"));
        QCOMPARE(offeredTypes(dialog), offered);
        QCOMPARE(field<QComboBox>(dialog, "type")->isVisible(), typeShown);
        QCOMPARE(field<QComboBox>(dialog, "type")->currentData().toInt(),
                 int(CnfPowerDevice::Output));
        const bool byId = family == QLatin1String("tiverkii") || family == QLatin1String("ZU_MOLT");
        QCOMPARE(field<QSpinBox>(dialog, "id")->isVisible(), byId);
        QCOMPARE(field<QLineEdit>(dialog, "name")->isVisible(), family != QLatin1String("tiverk"));
        QCOMPARE(field<QWidget>(dialog, "white_c")->isVisible(), byId);
        QCOMPARE(field<QSpinBox>(dialog, "burnout")->isVisible(), !byId);
        QCOMPARE(field<QWidget>(dialog, "burnout_flag")->isVisible(), byId);
        QCOMPARE(field<QSpinBox>(dialog, "address")->maximum(),
                 family == QLatin1String("tiverk") ? 127 : 65534);
    }

    void reservedSlots_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("14 takes type 2") << 14 << 2 << true;
        QTest::newRow("14 refuses type 1") << 14 << 1 << false;
        QTest::newRow("14 refuses type 3") << 14 << 3 << false;
        QTest::newRow("14 takes type 5") << 14 << 5 << true;
        QTest::newRow("15 takes type 3") << 15 << 3 << true;
        QTest::newRow("15 takes type 5") << 15 << 5 << true;
        QTest::newRow("15 refuses type 2") << 15 << 2 << false;
        QTest::newRow("13 takes type 1") << 13 << 1 << true;
        QTest::newRow("taken address") << 3 << 1 << false;
    }

    // Positions 6 and 7 of every eight addresses belong to the key module's
    // service devices; type 5 may stand anywhere.
    void reservedSlots()
    {
        QFETCH(int, address);
        QFETCH(int, type);
        QFETCH(bool, allowed);

        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        addDevice(controller, 3, 3, QString(), CnfPowerDevice::Key);
        const CnfPowerDevicePtr device = newDevice(1, 1, QString(), CnfPowerDevice::Key);
        DevicePropertiesDlg dialog(nullptr, controller, true, device, true, false,
                                   QStringLiteral("K"));
        auto *types = field<QComboBox>(dialog, "type");
        types->setCurrentIndex(types->findData(type));
        field<QSpinBox>(dialog, "address")->setValue(address);
        QCOMPARE(okEnabled(dialog), allowed);
        QCOMPARE(isRed(field<QSpinBox>(dialog, "address")), !allowed);
        // The device's own address is always fine.
        types->setCurrentIndex(types->findData(int(CnfPowerDevice::Key)));
        field<QSpinBox>(dialog, "address")->setValue(1);
        QVERIFY(okEnabled(dialog));
        dialog.saveToDevice();
        QCOMPARE(device->id, 1);
    }

    void autoAssign_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("name");
        QTest::newRow("1-") << "1-"
                            << "2-1";
        QTest::newRow("K") << "K"
                           << "K17";
    }

    // With auto-assign the ID names the device and gives its address.
    void autoAssign()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, name);

        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        const CnfPowerDevicePtr device = newDevice(1, 0, QString(), CnfPowerDevice::Output);
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, true, prefix);
        QVERIFY(!field<QSpinBox>(dialog, "address")->isEnabled());
        QVERIFY(!field<QLineEdit>(dialog, "name")->isEnabled());
        field<QSpinBox>(dialog, "id")->setValue(17);
        QCOMPARE(field<QSpinBox>(dialog, "address")->value(), 16);
        QCOMPARE(field<QLineEdit>(dialog, "name")->text(), name);
        dialog.saveToDevice();
        QCOMPARE(device->id, 17);
        QCOMPARE(device->address, 16);
        QCOMPARE(device->name, name);
    }

    void consistency_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("address") << 35 << "3-5"
                                 << "address not consistent to ID";
        QTest::newRow("name") << 36 << "3-4"
                              << "name not consistent to ID";
    }

    // A device that auto-assign cannot have made is reported and the dialog
    // ends Rejected as soon as it runs, storing nothing.
    void consistency()
    {
        QFETCH(int, address);
        QFETCH(QString, name);
        QFETCH(QString, message);

        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
        const CnfPowerDevicePtr device = newDevice(37, address, name, CnfPowerDevice::OutputZuMolt);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, true,
                                   QStringLiteral("1-"));
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenText(), message);
        QCOMPARE(answerer.seenTitle(), QString());
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(device->address, address);
        QCOMPARE(device->name, name);
        QCOMPARE(device->id, 37);
    }

    // A consistent device opens without a message.
    void consistentDevice()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
        const CnfPowerDevicePtr device
            = newDevice(37, 36, QStringLiteral("3-5"), CnfPowerDevice::OutputZuMolt);
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, true,
                                   QStringLiteral("1-"));
        QCOMPARE(field<QLineEdit>(dialog, "name")->text(), QStringLiteral("3-5"));
        QVERIFY(okEnabled(dialog));
    }

    // A new TIVERK II device without a name is offered the first free one.
    void proposedName()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        addDevice(controller, 1, 0, QStringLiteral("K1"), CnfPowerDevice::Output);
        addDevice(controller, 2, 1, QStringLiteral("K2"), CnfPowerDevice::Output);
        const CnfPowerDevicePtr device = newDevice(3, 2, QString(), CnfPowerDevice::Output);
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, false,
                                   QStringLiteral("K"));
        QCOMPARE(field<QLineEdit>(dialog, "name")->text(), QStringLiteral("K3"));
        QVERIFY(device->name.isEmpty());
    }

    // OK stays disabled while any field is invalid, whichever was checked last.
    void everyCheckHolds_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("tiverkii") << "tiverkii";
        QTest::newRow("ZU_MOLT") << "ZU_MOLT";
    }

    void everyCheckHolds()
    {
        QFETCH(QString, family);

        CnfController controller;
        CnfNative::initController(controller, family, QString());
        addDevice(controller, 5, 4, QStringLiteral("A"), CnfPowerDevice::Output);
        const CnfPowerDevicePtr device
            = addDevice(controller, 1, 0, QStringLiteral("B"), CnfPowerDevice::Output);
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, false,
                                   QStringLiteral("K"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(okEnabled(dialog));
        auto *id = field<QSpinBox>(dialog, "id");
        auto *name = field<QLineEdit>(dialog, "name");
        auto *address = field<QSpinBox>(dialog, "address");
        id->setValue(5);
        QVERIFY(!okEnabled(dialog));
        name->setText(QStringLiteral("C"));
        QVERIFY(!okEnabled(dialog));
        QVERIFY(isRed(id));
        address->setValue(4);
        id->setValue(1);
        QVERIFY(!okEnabled(dialog));
        address->setValue(2);
        QVERIFY(okEnabled(dialog));
        name->setText(QStringLiteral("A"));
        QVERIFY(!okEnabled(dialog));
        name->setText(QString());
        QVERIFY(!okEnabled(dialog));
        name->setText(QStringLiteral("B"));
        QVERIFY(okEnabled(dialog));
        QVERIFY(!isRed(name));
    }

    void unofferedTypeKept_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("countedTypes");
        QTest::newRow("tiverkii type 1") << "tiverkii" << 1 << true;
        QTest::newRow("tiverk counted type past the limit") << "tiverk" << 4 << false;
    }

    // A type the list does not offer opens unselected and is kept on storing.
    void unofferedTypeKept()
    {
        QFETCH(QString, family);
        QFETCH(int, type);
        QFETCH(bool, countedTypes);

        CnfController controller;
        CnfNative::initController(controller, family, QStringLiteral("3.18"));
        const CnfPowerDevicePtr device = newDevice(1, 0, QStringLiteral("K1"), type);
        DevicePropertiesDlg dialog(nullptr, controller, false, device, countedTypes, false,
                                   QStringLiteral("K"));
        QCOMPARE(field<QComboBox>(dialog, "type")->currentIndex(), -1);
        dialog.saveToDevice();
        QCOMPARE(device->type, type);
    }

    // Lowering the lamps count lowers the burnout control with it.
    void burnoutFollowsLamps()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const CnfPowerDevicePtr device = newDevice(1, 1, QString(), CnfPowerDevice::Key);
        device->lampsCount = 4;
        device->burnoutControl = 3;
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, false,
                                   QStringLiteral("K"));
        QCOMPARE(field<QSpinBox>(dialog, "burnout")->value(), 3);
        field<QSpinBox>(dialog, "lamps")->setValue(2);
        QCOMPARE(field<QSpinBox>(dialog, "burnout")->value(), 2);
        field<QSpinBox>(dialog, "address")->setValue(9);
        dialog.saveToDevice();
        QCOMPARE(device->burnoutControl, 2);
        QCOMPARE(device->id, 9);
    }

    void typeShowsItsRows_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("lamps");
        QTest::newRow("key") << 1 << true << true;
        QTest::newRow("module power") << 2 << false << false;
        QTest::newRow("reserve") << 6 << false << false;
        QTest::newRow("output") << 7 << true << true;
        QTest::newRow("ZU_MOLT output") << 8 << true << false;
    }

    void typeShowsItsRows()
    {
        QFETCH(int, type);
        QFETCH(bool, frame);
        QFETCH(bool, lamps);

        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("adapter"), QString());
        const CnfPowerDevicePtr device = newDevice(1, 1, QString(), type);
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, false,
                                   QStringLiteral("K"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(field<QWidget>(dialog, "frame")->isVisible(), frame);
        QCOMPARE(field<QSpinBox>(dialog, "lamps")->isVisible(), lamps);
    }
};

PROJECT_TEST(TestDevicePropertiesDlg);
#include "tst_devicepropertiesdlg.moc"
