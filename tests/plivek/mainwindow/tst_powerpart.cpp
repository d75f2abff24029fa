#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/zu_moltconfig.h"
#include "modalanswerer.h"
#include "plivek/mainwindow/powerpart.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace WindowTesting;

namespace {

CnfPowerDevicePtr addDevice(CnfController &controller, int address, int type,
                            int color = CnfPowerDevice::Red, int burnout = 0,
                            const QString &name = QString())
{
    auto device = CnfPowerDevicePtr::create();
    device->address = address;
    device->id = address;
    device->type = type;
    device->color = color;
    device->burnoutControl = burnout;
    device->name = name;
    controller.addPowerDevice(device);
    return device;
}

QTreeWidget *tree(MainWindow &window)
{
    return child<QTreeWidget>(window, "powerPartTree");
}

QList<int> addresses(const CnfController &controller)
{
    QList<int> result;
    for (const CnfPowerDevicePtr &device : controller.powerDevices())
        result << device->address;
    std::sort(result.begin(), result.end());
    return result;
}

void addThroughAction(MainWindow &window)
{
    auto *action = child<QAction>(window, "powerPartAdd");
    action->setEnabled(true);
    action->trigger();
}

QTreeWidgetItem *findItem(MainWindow &window, int key)
{
    const auto items = tree(window)->findItems(QString::number(key),
                                               Qt::MatchFixedString | Qt::MatchRecursive, 0);
    for (QTreeWidgetItem *item : items) {
        if (item->childCount() == 0)
            return item;
    }
    return nullptr;
}

void selectKeys(MainWindow &window, const QList<int> &keys)
{
    tree(window)->clearSelection();
    for (int key : keys)
        findItem(window, key)->setSelected(true);
}

// Presses OK in the device dialog after `edit`; a message box that follows is
// confirmed by `then` when given.
void answerDeviceDialog(ModalAnswerer &answerer, std::function<void(QWidget *)> edit,
                        ModalAnswerer *then = nullptr)
{
    answerer.answerWith([edit, then](QWidget *modal) {
        if (edit)
            edit(modal);
        if (then)
            then->pressButton(QMessageBox::Ok);
        modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
}

} // namespace

class TestPowerPart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    // Keys of modules gather under their module's node; other devices stay at
    // top level; the order is numeric.
    void treeWithKeyModules()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (int address : { 9, 0, 3 })
            addDevice(controller, address, CnfPowerDevice::Key);
        addDevice(controller, 6, CnfPowerDevice::ModulePower);
        addDevice(controller, 7, CnfPowerDevice::ModuleControl);
        addDevice(controller, 20, CnfPowerDevice::Reserve);
        window.updatePowerPartTree();

        QTreeWidget *powerTree = tree(window);
        QCOMPARE(powerTree->topLevelItemCount(), 3);
        QList<int> top;
        for (int i = 0; i < 3; ++i)
            top << powerTree->topLevelItem(i)->data(0, Qt::EditRole).toInt();
        QCOMPARE(top, QList<int>({ 0, 8, 20 }));
        QCOMPARE(powerTree->topLevelItem(0)->text(2), QStringLiteral("Module of the keys"));
        QCOMPARE(powerTree->topLevelItem(0)->childCount(), 4);
        QCOMPARE(powerTree->topLevelItem(1)->childCount(), 1);
        QCOMPARE(powerTree->topLevelItem(2)->childCount(), 0);

        // Without key modules every device stands at top level.
        controller.setNativeData(QStringLiteral("powerSwitch"), 3);
        window.updatePowerPartTree();
        QCOMPARE(powerTree->topLevelItemCount(), 6);
        QCOMPARE(powerTree->topLevelItem(5)->text(0), QStringLiteral("20"));
    }

    void itemState_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("burnout");
        QTest::addColumn<bool>("assigned");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("state");

        QTest::newRow("green key") << 1 << 0 << 0 << false << "green_c"
                                   << "Not assigned";
        QTest::newRow("yellow key, burnout") << 4 << 1 << 1 << true << "yellow_c_c"
                                             << "Assigned SG 3(%1)";
        QTest::newRow("red triac") << 5 << 2 << 0 << true << "red_c"
                                   << "Assigned SG 3(%1)";
        QTest::newRow("white output") << 7 << 3 << 2 << false << "white_c_c"
                                      << "Not assigned";
        QTest::newRow("colour 5, burnout 2") << 1 << 5 << 2 << false << "gray_c_c"
                                             << "Not assigned";
        QTest::newRow("module power") << 2 << 0 << 0 << false << ""
                                      << "";
        QTest::newRow("reserve") << 6 << 0 << 0 << false << ""
                                 << "";
    }

    void itemState()
    {
        QFETCH(int, type);
        QFETCH(int, color);
        QFETCH(int, burnout);
        QFETCH(bool, assigned);
        QFETCH(QString, icon);
        QFETCH(QString, state);

        MainWindow window;
        CnfController &controller = window.document().controller();
        controller.setProperty("type", QStringLiteral("adapter"));
        const CnfPowerDevicePtr device = addDevice(controller, 12, type, color, burnout);
        auto group = CnfSignalGroupPtr::create();
        group->id = 3;
        group->type = CnfSignalGroup::Pedestrian;
        controller.addSignalGroup(group);
        if (assigned)
            group->assignDevice(device);
        window.updatePowerPartTree();
        QTreeWidgetItem *item = tree(window)->topLevelItem(0);
        QCOMPARE(item->text(0), QStringLiteral("12"));
        QCOMPARE(item->text(2), CnfPowerDevice::type2String(type, true));
        QCOMPARE(item->text(3),
                 state.arg(CnfSignalGroup::type2String(CnfSignalGroup::Pedestrian, true, false)));
        QCOMPARE(item->data(3, Qt::UserRole).toString(), icon);
        QCOMPARE(item->icon(3).isNull(), icon.isEmpty());
    }

    void rules_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QVariant>("powerSwitch");
        QTest::addColumn<bool>("modules");
        QTest::addColumn<int>("max");

        QTest::newRow("tiverk, no switch") << "tiverk" << QVariant() << true << 64;
        QTest::newRow("tiverk, switch 2") << "tiverk" << QVariant(2) << true << 64;
        QTest::newRow("tiverk, switch 3") << "tiverk" << QVariant(3) << false << 64;
        QTest::newRow("tiverk, switch 5") << "tiverk" << QVariant(5) << false << 32;
        QTest::newRow("adapter, switch 5") << "adapter" << QVariant(5) << false << 64;
        QTest::newRow("tiverkii") << "tiverkii" << QVariant() << false << 128;
    }

    void rules()
    {
        QFETCH(QString, type);
        QFETCH(QVariant, powerSwitch);
        QFETCH(bool, modules);
        QFETCH(int, max);

        CnfController controller;
        CnfNative::initController(controller, type, QString());
        controller.setNativeData(QStringLiteral("powerSwitch"), powerSwitch);
        PowerPart part(controller);
        QCOMPARE(part.usesKeyModules(), modules);
        QCOMPARE(part.maxPowerDeviceCount(), max);
    }

    void freeAddressesAndKeys()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        PowerPart part(controller);
        for (int address = 0; address < 6; ++address)
            addDevice(controller, address, CnfPowerDevice::Key);
        addDevice(controller, 9, CnfPowerDevice::KeyDouble);
        addDevice(controller, 10, CnfPowerDevice::Reserve);
        QCOMPARE(part.findFreeDeviceAddress(0), 8);
        QCOMPARE(part.findFreeDeviceAddress(9), 11);
        QCOMPARE(part.findFreeDeviceAddress(62), -1);
        QCOMPARE(part.findFreeDeviceAddress(64), -1);
        QCOMPARE(part.countKeyDevices(), 7);
        QCOMPARE(part.findFreeDeviceId(1), 6);
        controller.setNativeData(QStringLiteral("powerSwitch"), 3);
        QCOMPARE(part.findFreeDeviceAddress(6), 6);
    }

    void uniqueName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("expected");

        QTest::newRow("leading zero lost") << "K07" << QStringList { "K07" } << "K8";
        QTest::newRow("next taken") << "K3" << QStringList { "K3", "K4" } << "K5";
        QTest::newRow("no digits") << "Lamp" << QStringList { "Lamp" } << "Lamp_1";
        QTest::newRow("no digits, _1 taken")
            << "Lamp" << QStringList { "Lamp", "Lamp_1" } << "Lamp_2";
        QTest::newRow("digits only") << "12" << QStringList { "12" } << "13";
        QTest::newRow("case-sensitive") << "a" << QStringList { "A_1" } << "a_1";
        QTest::newRow("empty") << "" << QStringList { "" } << "";
    }

    void uniqueName()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QFETCH(QString, expected);
        QCOMPARE(PowerPart::makeUniqueName(name, names), expected);
    }

    void moduleCreation()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        PowerPart part(controller);
        QString error;
        QVERIFY(part.addPowerModule(57, &error));
        QCOMPARE(addresses(controller), QList<int>({ 62, 63 }));
        QCOMPARE(controller.findPowerDeviceByAddress(62)->type, int(CnfPowerDevice::ModulePower));
        QCOMPARE(controller.findPowerDeviceByAddress(63)->type, int(CnfPowerDevice::ModuleControl));
        QVERIFY(part.addPowerModule(60, &error)); // already there: nothing added
        QCOMPARE(addresses(controller), QList<int>({ 62, 63 }));
        QVERIFY(!part.addPowerModule(64, &error));
        QCOMPARE(error,
                 QStringLiteral("Unable to add module with address 64: exceeded the maximum number "
                                "of devices (64)"));
        QCOMPARE(addresses(controller), QList<int>({ 62, 63 }));

        controller.setNativeData(QStringLiteral("powerSwitch"), 3);
        QVERIFY(part.addPowerModule(64, &error)); // no modules: nothing to do
        QCOMPARE(addresses(controller), QList<int>({ 62, 63 }));
    }

    // The selection is copied in ascending order, a module's children once.
    void duplicateSelection()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        addDevice(controller, 5, CnfPowerDevice::Key, CnfPowerDevice::Green, 0,
                  QStringLiteral("K5"));
        addDevice(controller, 3, CnfPowerDevice::Key, CnfPowerDevice::Yellow, 0,
                  QStringLiteral("Lamp"));
        addDevice(controller, 1, CnfPowerDevice::Key, CnfPowerDevice::Red, 0, QString());
        addDevice(controller, 6, CnfPowerDevice::ModulePower);
        addDevice(controller, 7, CnfPowerDevice::ModuleControl);
        window.updatePowerPartTree();
        // The module node and one of its children: each device copied once.
        tree(window)->topLevelItem(0)->setSelected(true);
        findItem(window, 3)->setSelected(true);
        window.powerPartDuplicateItems();
        // Copies of 1, 3, 5 at 0, 2, 4; 6 and 7 are not copied.
        QCOMPARE(addresses(controller), QList<int>({ 0, 1, 2, 3, 4, 5, 6, 7 }));
        QCOMPARE(controller.findPowerDeviceByAddress(0)->name, QString());
        QCOMPARE(controller.findPowerDeviceByAddress(2)->name, QStringLiteral("Lamp_1"));
        QCOMPARE(controller.findPowerDeviceByAddress(2)->color, int(CnfPowerDevice::Yellow));
        QCOMPARE(controller.findPowerDeviceByAddress(4)->name, QStringLiteral("K6"));
        QVERIFY(window.document().isChanged());

        // A full module: the next copy opens module 8 with its service devices.
        selectKeys(window, { 5 });
        window.powerPartDuplicateItems();
        QCOMPARE(addresses(controller), QList<int>({ 0, 1, 2, 3, 4, 5, 6, 7, 8, 14, 15 }));
        QCOMPARE(controller.findPowerDeviceByAddress(8)->name, QStringLiteral("K7"));
    }

    void duplicateById()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        for (int id : { 1, 2 }) {
            auto device = CnfPowerDevicePtr::create();
            device->id = id;
            device->address = id - 1;
            device->type = CnfPowerDevice::Output;
            QVERIFY(controller.addPowerDevice(device));
        }
        window.updatePowerPartTree();
        selectKeys(window, { 1 });
        window.powerPartDuplicateItems();
        const CnfPowerDevicePtr copy = controller.findPowerDevice(3);
        QVERIFY(copy);
        QCOMPARE(copy->address, 2);
    }

    // A ZU_MOLT switch keeps the members plivek does not know (its currents)
    // under a new id, and a switch given a deleted one's id starts without them.
    void switchKeepsItsMembers()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        ZU_MOLTConfig file;
        QVERIFY(file.loadData("{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1, "
                              "\"switches\": {\"items\": [{\"id\": 1, \"addr\": 0, "
                              "\"lowCurrent\": 11}, {\"id\": 2, \"addr\": 1, "
                              "\"lowCurrent\": 22}]}}"));
        QVERIFY2(file.createController(controller), qPrintable(file.lastError()));
        window.updatePowerPartTree();

        selectKeys(window, { 1 });
        ModalAnswerer dialog;
        answerDeviceDialog(dialog, [](QWidget *modal) {
            modal->findChild<QSpinBox *>(QStringLiteral("id"))->setValue(7);
        });
        window.powerPartItemProperties();
        QVERIFY(dialog.answered());
        QVERIFY(controller.findPowerDevice(7));

        selectKeys(window, { 2 });
        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        window.powerPartDeleteItems();
        QVERIFY(yes.answered());
        addDevice(controller, 2, CnfPowerDevice::OutputZuMolt);

        const QJsonArray items = QJsonDocument::fromJson(ZU_MOLTConfig().save(controller))
                                     .object()
                                     .value(QStringLiteral("switches"))
                                     .toObject()
                                     .value(QStringLiteral("items"))
                                     .toArray();
        QMap<int, QJsonValue> lowCurrents;
        for (const QJsonValue item : items) {
            lowCurrents.insert(item.toObject().value(QStringLiteral("id")).toInt(),
                               item.toObject().value(QStringLiteral("lowCurrent")));
        }
        QCOMPARE(lowCurrents.keys(), QList<int>({ 2, 7 }));
        QCOMPARE(lowCurrents.value(7), QJsonValue(11));
        QCOMPARE(lowCurrents.value(2), QJsonValue(QJsonValue::Undefined));
    }

    void deleteModuleNode()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (int address : { 0, 1, 6, 7, 9 })
            addDevice(controller, address, address % 8 == 6 ? 2 : address % 8 == 7 ? 3 : 1);
        addDevice(controller, 20, CnfPowerDevice::Reserve);
        window.updatePowerPartTree();

        tree(window)->topLevelItem(0)->setSelected(true);
        findItem(window, 20)->setSelected(true);
        ModalAnswerer no;
        no.pressButton(QMessageBox::No);
        window.powerPartDeleteItems();
        QVERIFY(no.answered());
        QCOMPARE(no.seenTitle(), QStringLiteral("Removing"));
        QCOMPARE(no.seenText(),
                 QStringLiteral("Following items will be deleted:\nModule of the keys (0)\n%1 (20)")
                     .arg(CnfPowerDevice::type2String(6, true)));
        QCOMPARE(addresses(controller).size(), 6);
        QVERIFY(!window.document().isChanged());

        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        window.powerPartDeleteItems();
        QVERIFY(yes.answered());
        QCOMPARE(addresses(controller), QList<int>({ 9 }));
        QCOMPARE(tree(window)->topLevelItemCount(), 1);
        QVERIFY(window.document().isChanged());
    }

    void freeKeys()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const CnfPowerDevicePtr key = addDevice(controller, 1, CnfPowerDevice::Key);
        addDevice(controller, 2, CnfPowerDevice::Key);
        auto group = CnfSignalGroupPtr::create();
        group->id = 4;
        controller.addSignalGroup(group);
        group->assignDevice(key);
        window.updatePowerPartTree();
        selectKeys(window, { 1, 2 });
        window.powerPartFreeItems();
        QVERIFY(!group->hasDevice(key));
        QCOMPARE(findItem(window, 1)->text(3), QStringLiteral("Not assigned"));
        QVERIFY(tree(window)->selectedItems().isEmpty());
        QVERIFY(window.document().isChanged());

        // Nothing assigned: still marked changed.
        window.setChanged(false);
        selectKeys(window, { 2 });
        window.powerPartFreeItems();
        QVERIFY(window.document().isChanged());
    }

    // Renaming alone is a change; the addresses follow the first one.
    void consecutiveAddresses()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        for (int address : { 4, 5, 6 })
            addDevice(controller, address, CnfPowerDevice::Output, 0, 0,
                      QStringLiteral("A%1").arg(address));
        window.updatePowerPartTree();
        child<QAction>(window, "actionMake_consecutive_addresses")->trigger();
        QCOMPARE(addresses(controller), QList<int>({ 4, 5, 6 }));
        QCOMPARE(controller.findPowerDeviceByAddress(6)->name, QStringLiteral("K3"));
        QVERIFY(window.document().isChanged());
        QCOMPARE(tree(window)->topLevelItem(2)->text(1), QStringLiteral("K3"));

        window.setChanged(false);
        controller.findPowerDeviceByAddress(5)->address = 9;
        child<QAction>(window, "actionMake_consecutive_addresses")->trigger();
        QCOMPARE(addresses(controller), QList<int>({ 4, 5, 6 }));
        QVERIFY(window.document().isChanged());

        window.setChanged(false);
        child<QAction>(window, "actionMake_consecutive_addresses")->trigger();
        QVERIFY(!window.document().isChanged());
    }

    // Add through the dialog: the next free address, the module made with it.
    void addDeviceThroughDialog()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (int address = 0; address < 6; ++address)
            addDevice(controller, address, CnfPowerDevice::Key);
        ModalAnswerer answerer;
        answerDeviceDialog(answerer, [](QWidget *modal) {
            QCOMPARE(modal->findChild<QSpinBox *>(QStringLiteral("address"))->value(), 8);
            modal->findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("K9"));
            auto *type = modal->findChild<QComboBox *>(QStringLiteral("type"));
            type->setCurrentIndex(type->findData(int(CnfPowerDevice::KeyTriac)));
            modal->findChild<QRadioButton *>(QStringLiteral("green_c"))->setChecked(true);
        });
        addThroughAction(window);
        QVERIFY(answerer.answered());
        const CnfPowerDevicePtr added = controller.findPowerDeviceByAddress(8);
        QVERIFY(added);
        QCOMPARE(added->name, QStringLiteral("K9"));
        QCOMPARE(added->type, int(CnfPowerDevice::KeyTriac));
        QCOMPARE(added->color, int(CnfPowerDevice::Green));
        QCOMPARE(added->id, 8);
        QVERIFY(controller.findPowerDeviceByAddress(14) && controller.findPowerDeviceByAddress(15));
        QVERIFY(findItem(window, 8)->isSelected());
        QVERIFY(window.document().isChanged());

        // The next add proposes the type just chosen.
        ModalAnswerer again;
        int proposed = -1;
        again.answerWith([&proposed](QWidget *modal) {
            proposed = modal->findChild<QComboBox *>(QStringLiteral("type"))->currentData().toInt();
            qobject_cast<QDialog *>(modal)->reject();
        });
        addThroughAction(window);
        QCOMPARE(proposed, int(CnfPowerDevice::KeyTriac));
    }

    // A refused module leaves the edited device exactly as it was.
    void propertiesRefusedModule()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const CnfPowerDevicePtr device
            = addDevice(controller, 9, CnfPowerDevice::Key, 0, 0, QStringLiteral("Old"));
        window.updatePowerPartTree();
        selectKeys(window, { 9 });
        ModalAnswerer dialog;
        ModalAnswerer errorBox;
        answerDeviceDialog(
            dialog,
            [](QWidget *modal) {
                modal->findChild<QLineEdit *>(QStringLiteral("name"))
                    ->setText(QStringLiteral("New"));
                modal->findChild<QSpinBox *>(QStringLiteral("address"))
                    ->setValue(69); // 70 is a reserved slot
            },
            &errorBox);
        window.powerPartItemProperties();
        QVERIFY(dialog.answered());
        QVERIFY(errorBox.answered());
        QCOMPARE(errorBox.seenText(),
                 QStringLiteral("Unable to add module with address 64: exceeded the maximum number "
                                "of devices (64)"));
        QCOMPARE(device->address, 9);
        QCOMPARE(device->name, QStringLiteral("Old"));
        QVERIFY(!window.document().isChanged());

        // Accepted: the same device object changes, its group keeps it.
        ModalAnswerer accepted;
        answerDeviceDialog(accepted, [](QWidget *modal) {
            modal->findChild<QSpinBox *>(QStringLiteral("address"))->setValue(17);
        });
        window.powerPartItemProperties();
        QCOMPARE(device->address, 17);
        QCOMPARE(device->id, 17);
        QCOMPARE(addresses(controller), QList<int>({ 17, 22, 23 }));
        QVERIFY(findItem(window, 17)->isSelected());
        QVERIFY(window.document().isChanged());
    }

    void propertiesMessagesAndEditable()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        addDevice(controller, 6, CnfPowerDevice::ModulePower);
        addDevice(controller, 7, CnfPowerDevice::ModuleControl);
        addDevice(controller, 30, CnfPowerDevice::ModulePower);
        controller.setNativeData(QStringLiteral("powerSwitch"), 2);
        window.updatePowerPartTree();
        QVERIFY(!window.isEditableDeviceItem(tree(window)->topLevelItem(0))); // module node
        QVERIFY(!window.isEditableDeviceItem(findItem(window, 6))); // type 2 in a module
        QVERIFY(!window.isEditableDeviceItem(findItem(window, 7))); // type 3
        controller.setNativeData(QStringLiteral("powerSwitch"), 3);
        window.updatePowerPartTree();
        QVERIFY(window.isEditableDeviceItem(findItem(window, 30))); // type 2 outside modules

        // A stale item: its device is gone.
        selectKeys(window, { 30 });
        controller.removePowerDevice(30);
        window.powerPartItemProperties();
        const QTableWidget *messages = table(window, "messageTable");
        QCOMPARE(cellText(messages, messages->rowCount() - 1, 2),
                 QStringLiteral("No device at address 30"));
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestPowerPart);
#include "tst_powerpart.moc"
