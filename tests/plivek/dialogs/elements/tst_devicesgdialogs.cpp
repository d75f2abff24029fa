#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"
#include "plivek/dialogs/elements/devicepropertiesdlg.h"
#include "plivek/dialogs/elements/sgpropertiesdlg.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {

template<typename T> T *field(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

} // namespace

class TestDeviceSgDialogs : public QObject
{
    Q_OBJECT
private slots:
    // Colour codes, and id and burnout by family: TIVERK II and ZU_MOLT keep
    // their own id and take the lamp count as burnout control when checked;
    // the others take the address as id and the burnout spin box.
    void saveToDevice_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("colorIndex");
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("burnout");

        QTest::newRow("tiverk red") << "tiverk" << 0 << 2 << 11 << 2;
        QTest::newRow("adapter yellow") << "adapter" << 1 << 1 << 11 << 2;
        QTest::newRow("tiverkii green") << "tiverkii" << 2 << 0 << 5 << 3;
        QTest::newRow("ZU_MOLT white") << "ZU_MOLT" << 3 << 3 << 5 << 3;
    }

    void saveToDevice()
    {
        QFETCH(QString, family);
        QFETCH(int, colorIndex);
        QFETCH(int, color);
        QFETCH(int, id);
        QFETCH(int, burnout);

        CnfController controller;
        CnfNative::initController(controller, family, QString());
        auto device = CnfPowerDevicePtr::create();
        device->id = 4;
        device->address = 3;
        device->name = QStringLiteral("K3");
        device->type = family == QLatin1String("tiverkii") ? 7
            : family == QLatin1String("ZU_MOLT")           ? 8
                                                           : 1;
        DevicePropertiesDlg dialog(nullptr, controller, false, device, true, false,
                                   QStringLiteral("K"));
        QCOMPARE(field<QLineEdit>(dialog, "name")->text(), QStringLiteral("K3"));
        field<QLineEdit>(dialog, "name")->setText(QStringLiteral("Lamp"));
        field<QSpinBox>(dialog, "address")->setValue(11);
        field<QSpinBox>(dialog, "id")->setValue(5);
        const char *const colors[] = { "red_c", "yellow_c", "green_c", "white_c" };
        field<QRadioButton>(dialog, colors[colorIndex])->setChecked(true);
        field<QSpinBox>(dialog, "lamps")->setValue(3);
        field<QSpinBox>(dialog, "burnout")->setValue(2);
        field<QCheckBox>(dialog, "burnout_flag")->setChecked(true);
        QCOMPARE(device->address, 3); // nothing written before saveToDevice
        dialog.saveToDevice();
        QCOMPARE(device->name, QStringLiteral("Lamp"));
        QCOMPARE(device->address, 11);
        QCOMPARE(device->color, color);
        QCOMPARE(device->lampsCount, 3);
        QCOMPARE(device->id, id);
        QCOMPARE(device->burnoutControl, burnout);
    }

    // Without room for another key the key types are not offered.
    void keyTypesOnlyWhenAllowed()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        auto device = CnfPowerDevicePtr::create();
        device->type = CnfPowerDevice::Reserve;
        DevicePropertiesDlg refused(nullptr, controller, true, device, false, false, QString());
        auto *types = field<QComboBox>(refused, "type");
        QCOMPARE(types->findData(int(CnfPowerDevice::Key)), -1);
        QCOMPARE(types->currentData().toInt(), int(CnfPowerDevice::Reserve));
        DevicePropertiesDlg allowed(nullptr, controller, true, device, true, false, QString());
        QVERIFY(field<QComboBox>(allowed, "type")->findData(int(CnfPowerDevice::KeyTriac)) >= 0);
    }

    // Number, name, type, ticked keys and traffic-light number are stored
    // together; a key that drives another group is not offered.
    void signalGroup()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        for (int id : { 1, 2 }) {
            auto device = CnfPowerDevicePtr::create();
            device->id = id;
            device->address = id + 10;
            device->type = CnfPowerDevice::Output;
            controller.addPowerDevice(device);
        }
        auto named = CnfSignalGroupPtr::create();
        named->id = 1;
        named->name = QStringLiteral("Group.1");
        controller.addSignalGroup(named);
        named->assignDevice(controller.findPowerDevice(2));
        auto group = CnfSignalGroupPtr::create();
        group->id = 2;
        controller.addSignalGroup(group);

        SgPropertiesDlg dialog(nullptr, group, controller);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties of signal group"));
        QCOMPARE(field<QLineEdit>(dialog, "name")->text(), QStringLiteral("Group.2"));
        field<QSpinBox>(dialog, "number")->setValue(7);
        field<QComboBox>(dialog, "type")->setCurrentIndex(CnfSignalGroup::Bicycle);
        auto *keys = field<QTableWidget>(dialog, "keysTable");
        QCOMPARE(keys->rowCount(), 1);
        keys->setCurrentCell(0, 0);
        QTest::keyClick(keys, Qt::Key_Space);
        field<QSpinBox>(dialog, "tl_number")->setValue(3);
        dialog.saveToSignalGroup();
        QCOMPARE(group->id, 7);
        QCOMPARE(group->name, QStringLiteral("Group.2"));
        QCOMPARE(group->type, int(CnfSignalGroup::Bicycle));
        QCOMPARE(group->devices, QList<CnfPowerDevicePtr>({ controller.findPowerDevice(1) }));
        QCOMPARE(named->devices, QList<CnfPowerDevicePtr>({ controller.findPowerDevice(2) }));
        QCOMPARE(group->property("tClusterId").toInt(), 3);
    }
};

PROJECT_TEST(TestDeviceSgDialogs);
#include "tst_devicesgdialogs.moc"
