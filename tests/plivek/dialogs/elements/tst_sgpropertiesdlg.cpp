#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/zu_moltconfig.h"
#include "common/widgets/parameterstable.h"
#include "plivek/dialogs/elements/sgpropertiesdlg.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

enum KeyColumn { Assigned = 0, AddressOrId, Name };

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

CnfSignalGroupPtr addGroup(CnfController &controller, int id, const QString &name = QString())
{
    auto group = CnfSignalGroupPtr::create();
    group->id = id;
    group->name = name;
    controller.addSignalGroup(group);
    return group;
}

CnfPowerDevicePtr addDevice(CnfController &controller, int id, int address, int type)
{
    auto device = CnfPowerDevicePtr::create();
    device->id = id;
    device->address = address;
    device->type = type;
    device->name = QStringLiteral("K%1").arg(id);
    controller.addPowerDevice(device);
    return device;
}

// Ticks or unticks the "Assigned" cell of a keys-table row with the Space key.
void toggleKey(QTableWidget *table, int row)
{
    table->setCurrentCell(row, Assigned);
    QTest::keyClick(table, Qt::Key_Space);
}

int rowOfKey(QTableWidget *table, int key)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, AddressOrId)->data(Qt::EditRole).toInt() == key)
            return row;
    }
    return -1;
}

int keyDeviceType(const QString &family)
{
    if (family == QLatin1String("tiverkii"))
        return CnfPowerDevice::Output;
    if (family == QLatin1String("ZU_MOLT"))
        return CnfPowerDevice::OutputZuMolt;
    return CnfPowerDevice::Key;
}

const QStringList families = { "tiverk", "adapter", "tiverkii", "ZU_MOLT" };

} // namespace

class TestSgPropertiesDlg : public QObject
{
    Q_OBJECT
private slots:
    void numbersAndNames_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("emptyNameAllowed");
        QTest::newRow("tiverk") << "tiverk"
                                << "" << true;
        QTest::newRow("adapter") << "adapter"
                                 << "" << true;
        QTest::newRow("tiverkii") << "tiverkii"
                                  << "Group.2" << false;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT"
                                 << "Group.2" << false;
    }

    // An unnamed TIVERK II or ZU_MOLT group gets the first free "Group.N" at
    // once; the other families keep the empty name and may share it. Numbers
    // of other groups and 0 are refused.
    void numbersAndNames()
    {
        QFETCH(QString, family);
        QFETCH(QString, name);
        QFETCH(bool, emptyNameAllowed);

        CnfController controller;
        CnfNative::initController(controller, family,
                                  family == QLatin1String("tiverk") ? "3.18" : QString());
        addGroup(controller, 1, QStringLiteral("Group.1"));
        addGroup(controller, 3, QStringLiteral("Group.3"));
        addGroup(controller, 4);
        const CnfSignalGroupPtr group = addGroup(controller, 2);
        SgPropertiesDlg dialog(nullptr, group, controller);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties of signal group"));
        QCOMPARE(group->name, name);
        QCOMPARE(field<QLineEdit>(dialog, "name")->text(), name);
        QVERIFY(okEnabled(dialog));

        auto *number = field<QSpinBox>(dialog, "number");
        number->setValue(3);
        QVERIFY(!okEnabled(dialog));
        number->setValue(0);
        QCOMPARE(number->value(), 1); // below the range: the spin box keeps 1
        number->setValue(9);
        QVERIFY(okEnabled(dialog));

        field<QLineEdit>(dialog, "name")->setText(QString());
        QCOMPARE(okEnabled(dialog), emptyNameAllowed);
        field<QLineEdit>(dialog, "name")->setText(QStringLiteral("Group.3"));
        QVERIFY(!okEnabled(dialog)); // another group's name, in every family
        field<QLineEdit>(dialog, "name")->setText(QStringLiteral("North"));
        QVERIFY(okEnabled(dialog));
    }

    // Timing rows of each family; TIVERK 3.x and adapter have none.
    void timingRows_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("timings");
        QTest::addColumn<bool>("extended");
        QTest::newRow("tiverk") << "tiverk" << false << false;
        QTest::newRow("adapter") << "adapter" << false << false;
        QTest::newRow("tiverkii") << "tiverkii" << true << false;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT" << true << true;
    }

    void timingRows()
    {
        QFETCH(QString, family);
        QFETCH(bool, timings);
        QFETCH(bool, extended);

        CnfController controller;
        CnfNative::initController(controller, family, QString());
        const CnfSignalGroupPtr group = addGroup(controller, 1);
        SgPropertiesDlg dialog(nullptr, group, controller);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(field<QGroupBox>(dialog, "SignalGroup")->isVisible(), timings);
        QCOMPARE(field<QLineEdit>(dialog, "name")->isVisible(), timings);
        QCOMPARE(field<QSpinBox>(dialog, "extGreen2")->isVisible(), extended);
        QCOMPARE(field<QSpinBox>(dialog, "maxGreen")->isVisible(), timings);
        if (timings)
            QCOMPARE(SgPropertiesDlg::timingKeys(family == QLatin1String("tiverkii")).size(),
                     extended ? 11 : 8);
    }

    void timings_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("tiverkii") << "tiverkii";
        QTest::newRow("ZU_MOLT") << "ZU_MOLT";
    }

    // Own timings equal to the defaults are no own timings: the box opens
    // unticked with the defaults shown, and accepting it ticked stores none;
    // a changed value is the only one stored.
    void timings()
    {
        QFETCH(QString, family);

        CnfController controller;
        CnfNative::initController(controller, family, QString());
        auto defaults = CnfSignalGroupPtr::create();
        const QStringList keys = SgPropertiesDlg::timingKeys(family == QLatin1String("tiverkii"));
        for (int i = 0; i < keys.size(); ++i)
            defaults->setProperty(keys.at(i).toLatin1().constData(), i + 2);
        controller.setDefaulSignalGroup(defaults);
        const CnfSignalGroupPtr group = addGroup(controller, 1, QStringLiteral("North"));
        group->setProperty("amber", keys.indexOf("amber") + 2);

        SgPropertiesDlg dialog(nullptr, group, controller);
        auto *box = field<QGroupBox>(dialog, "SignalGroup");
        QVERIFY(!box->isChecked());
        QCOMPARE(field<QSpinBox>(dialog, "minRed")->value(), keys.indexOf("minRed") + 2);
        QVERIFY(!field<QSpinBox>(dialog, "minRed")->isEnabled());
        box->setChecked(true);
        dialog.saveToSignalGroup();
        for (const QString &key : keys)
            QVERIFY2(!group->property(key.toLatin1().constData()).isValid(), qPrintable(key));

        field<QSpinBox>(dialog, "amber")->setValue(40);
        field<QSpinBox>(dialog, "redAmber")->setValue(-1); // "not set"
        dialog.saveToSignalGroup();
        for (const QString &key : keys) {
            const QVariant value = group->property(key.toLatin1().constData());
            QCOMPARE(value.isValid(), key == QLatin1String("amber"));
        }
        QCOMPARE(group->property("amber").toInt(), 40);

        // Reopened, the own value ticks the box.
        SgPropertiesDlg again(nullptr, group, controller);
        QVERIFY(field<QGroupBox>(again, "SignalGroup")->isChecked());
        QCOMPARE(field<QSpinBox>(again, "amber")->value(), 40);
    }

    // Without a default group any own value differs: the box opens ticked.
    void ownTimingWithoutDefaults()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
        const CnfSignalGroupPtr group = addGroup(controller, 1, QStringLiteral("North"));
        group->setProperty("minGreen", 6);
        SgPropertiesDlg dialog(nullptr, group, controller);
        QVERIFY(field<QGroupBox>(dialog, "SignalGroup")->isChecked());
        QCOMPARE(field<QSpinBox>(dialog, "minGreen")->value(), 6);
        QCOMPARE(field<QSpinBox>(dialog, "amber")->text(), QStringLiteral("not set"));
        dialog.saveToSignalGroup();
        QCOMPARE(group->property("minGreen").toInt(), 6);
        QVERIFY(!group->property("amber").isValid());
    }

    // Unticked, TIVERK II removes its eight timings and never touches the
    // three extended ones.
    void tiverkIIKeepsExtendedTimings()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        const CnfSignalGroupPtr group = addGroup(controller, 1, QStringLiteral("North"));
        group->setProperty("amber", 3);
        group->setProperty("extRed", 7);
        group->setProperty("extGreen2", 8);
        SgPropertiesDlg dialog(nullptr, group, controller);
        QVERIFY(field<QGroupBox>(dialog, "SignalGroup")->isChecked());
        field<QGroupBox>(dialog, "SignalGroup")->setChecked(false);
        dialog.saveToSignalGroup();
        QVERIFY(!group->property("amber").isValid());
        QCOMPARE(group->property("extRed").toInt(), 7);
        QCOMPARE(group->property("extGreen2").toInt(), 8);
    }

    // The keys table lists the group's own keys and the free key devices; a
    // module service device (type 2) only when the group already has it.
    void keysTableRows_data()
    {
        QTest::addColumn<QString>("family");
        for (const QString &family : families)
            QTest::newRow(qPrintable(family)) << family;
    }

    void keysTableRows()
    {
        QFETCH(QString, family);

        CnfController controller;
        CnfNative::initController(controller, family, QStringLiteral("3.18"));
        const bool byId = family == QLatin1String("tiverkii") || family == QLatin1String("ZU_MOLT");
        const int keyType = keyDeviceType(family);
        const CnfPowerDevicePtr free = addDevice(controller, 11, 10, keyType);
        const CnfPowerDevicePtr own = addDevice(controller, 12, 11, keyType);
        const CnfPowerDevicePtr taken = addDevice(controller, 13, 12, keyType);
        const CnfPowerDevicePtr service
            = addDevice(controller, 15, 14, CnfPowerDevice::ModulePower);
        const CnfPowerDevicePtr ownService
            = addDevice(controller, 16, 15, CnfPowerDevice::ModulePower);
        const CnfSignalGroupPtr other = addGroup(controller, 2, QStringLiteral("Other"));
        other->assignDevice(taken);
        const CnfSignalGroupPtr group = addGroup(controller, 1, QStringLiteral("North"));
        group->assignDevice(own);
        group->assignDevice(ownService);

        SgPropertiesDlg dialog(nullptr, group, controller);
        auto *table = field<ParametersTable>(dialog, "keysTable");
        auto key = [byId](const CnfPowerDevicePtr &device) {
            return byId ? device->id : device->address;
        };
        QCOMPARE(table->rowCount(), 3);
        QVERIFY(rowOfKey(table, key(free)) >= 0);
        QVERIFY(rowOfKey(table, key(taken)) < 0);
        QVERIFY(rowOfKey(table, key(service)) < 0);
        QVERIFY(table->item(rowOfKey(table, key(own)), Assigned)->data(Qt::EditRole).toBool());
        QVERIFY(!table->item(rowOfKey(table, key(free)), Assigned)->data(Qt::EditRole).toBool());
        QCOMPARE(table->horizontalHeaderItem(AddressOrId)->text(),
                 byId ? QStringLiteral("ID") : QStringLiteral("Address"));
        QCOMPARE(table->isColumnHidden(Name), family == QLatin1String("tiverk"));

        const QString ownCell
            = QStringLiteral("<td><table><tr><td>%1</td><td><img "
                             "src=\"://images/red_c.png\"/></td></tr></table></td>");
        QCOMPARE(field<QLabel>(dialog, "assignedKeys")->text(),
                 QStringLiteral("<html><head/><body><table border=\"1\"><tr>")
                     + ownCell.arg(key(own)) + ownCell.arg(key(ownService))
                     + QStringLiteral("</tr></span></body></html>"));

        toggleKey(table, rowOfKey(table, key(free)));
        toggleKey(table, rowOfKey(table, key(own)));
        QVERIFY(field<QLabel>(dialog, "assignedKeys")
                    ->text()
                    .contains(QStringLiteral("<td>%1</td>").arg(key(free))));
        QVERIFY(!field<QLabel>(dialog, "assignedKeys")
                     ->text()
                     .contains(QStringLiteral("<td>%1</td>").arg(key(own))));
        QVERIFY(group->hasDevice(own)); // nothing stored before saveToSignalGroup
        dialog.saveToSignalGroup();
        QCOMPARE(group->devices, QList<CnfPowerDevicePtr>({ free, ownService }));
        QCOMPARE(other->devices, QList<CnfPowerDevicePtr>({ taken }));
    }

    void fifthKey_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("stored");
        QTest::newRow("tiverk") << "tiverk" << 4;
        QTest::newRow("adapter") << "adapter" << 4;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT" << 4;
        QTest::newRow("tiverkii") << "tiverkii" << 5;
    }

    // A group drives at most four keys; TIVERK II has no limit.
    void fifthKey()
    {
        QFETCH(QString, family);
        QFETCH(int, stored);

        CnfController controller;
        CnfNative::initController(controller, family, QStringLiteral("3.16"));
        for (int id = 1; id <= 5; ++id)
            addDevice(controller, id, id, keyDeviceType(family));
        const CnfSignalGroupPtr group = addGroup(controller, 1, QStringLiteral("North"));
        SgPropertiesDlg dialog(nullptr, group, controller);
        auto *table = field<ParametersTable>(dialog, "keysTable");
        for (int row = 0; row < 5; ++row)
            toggleKey(table, row);
        QCOMPARE(table->item(4, Assigned)->data(Qt::EditRole).toBool(), stored == 5);
        if (stored == 4) {
            // Unticking one makes room again, and only for one.
            toggleKey(table, 0);
            toggleKey(table, 4);
            QVERIFY(table->item(4, Assigned)->data(Qt::EditRole).toBool());
            toggleKey(table, 0);
            QVERIFY(!table->item(0, Assigned)->data(Qt::EditRole).toBool());
        }
        dialog.saveToSignalGroup();
        QCOMPARE(group->devices.size(), stored);
    }

    void detectors_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QList<int>>("stored");
        const QList<int> asLoaded { 5, 255, 6, -1, 9 };
        QTest::newRow("3.17 edited") << "3.17" << true << true << QList<int>({ 5, 255, 7, 255 });
        QTest::newRow("3.17 untouched") << "3.17" << true << false << asLoaded;
        QTest::newRow("3.18") << "3.18" << false << false << asLoaded;
    }

    // Detector addresses are shown only in "3.17"; a table the user did not
    // change leaves the stored list as it was (no padding to four, no cut,
    // no clearing where the table is hidden).
    void detectors()
    {
        QFETCH(QString, version);
        QFETCH(bool, shown);
        QFETCH(bool, edited);
        QFETCH(QList<int>, stored);

        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), version);
        const CnfSignalGroupPtr group = addGroup(controller, 1);
        group->detectorAddresses = { 5, 255, 6, -1, 9 };
        SgPropertiesDlg dialog(nullptr, group, controller);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *table = field<ParametersTable>(dialog, "detectorTable");
        QCOMPARE(table->isVisible(), shown);
        if (shown) {
            QCOMPARE(table->item(0, 0)->text(), QStringLiteral("5"));
            QVERIFY(!table->item(0, 1));
            QVERIFY(!table->item(0, 3));
        }
        if (edited)
            table->item(0, 2)->setData(Qt::EditRole, 7);
        dialog.saveToSignalGroup();
        QCOMPARE(group->detectorAddresses, stored);
    }

    void trafficLightNumber_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("tiverkii type 5") << "tiverkii" << 5 << QVariant(8);
        QTest::newRow("tiverkii type 0") << "tiverkii" << 0 << QVariant();
        QTest::newRow("tiverk type 5") << "tiverk" << 5 << QVariant(3);
    }

    // "tClusterId" belongs to type 5 of TIVERK II and ZU_MOLT; TIVERK 3.x
    // shows the row but neither loads nor stores it.
    void trafficLightNumber()
    {
        QFETCH(QString, family);
        QFETCH(int, type);
        QFETCH(QVariant, stored);

        CnfController controller;
        CnfNative::initController(controller, family, QStringLiteral("3.18"));
        const CnfSignalGroupPtr group = addGroup(controller, 1, QStringLiteral("North"));
        group->setProperty("tClusterId", 3);
        SgPropertiesDlg dialog(nullptr, group, controller);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *number = field<QSpinBox>(dialog, "tl_number");
        QVERIFY(!number->isVisible());
        QCOMPARE(number->value(), family == QLatin1String("tiverk") ? 1 : 3);
        field<QComboBox>(dialog, "type")->setCurrentIndex(type);
        QCOMPARE(number->isVisible(), type == 5);
        number->setValue(8);
        dialog.saveToSignalGroup();
        QCOMPARE(group->type, type);
        QCOMPARE(group->property("tClusterId"), stored);
    }

    // Without a group the form stays empty and storing does nothing.
    // A ZU_MOLT name is shown as its letters, whatever escapes the file wrote
    // them with; OK without an edit writes the file's bytes back, and an
    // edited name is written so that zumoltc reads the letters shown.
    void zuMoltNameShowsItsLetters_data()
    {
        QTest::addColumn<QString>("edited"); // empty: OK without an edit
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("read"); // the name zumoltc reads
        QTest::newRow("untouched") << QString() << QByteArray("Tram \\u00e9") << "Tram \\u00e9";
        QTest::newRow("edited") << QStringLiteral("Tram \u00e9 2") << QByteArray("Tram \xC3\xA9 2")
                                << QStringLiteral("Tram \u00e9 2");
    }

    void zuMoltNameShowsItsLetters()
    {
        QFETCH(QString, edited);
        QFETCH(QByteArray, written);
        QFETCH(QString, read);
        const QByteArray original
            = TestSupport::readFile(TestSupport::dataPath(QStringLiteral("zumolt/complete.json")));
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY(config.loadData(original) && config.createController(controller));
        // The file is not in zumoltc's layout; its untouched save is.
        const QByteArray untouched = config.save(controller);
        const CnfSignalGroupPtr group = controller.findSG(4);
        QVERIFY(group);
        SgPropertiesDlg dialog(nullptr, group, controller);
        auto *name = field<QLineEdit>(dialog, "name");
        QCOMPARE(name->text(), QStringLiteral("Tram \u00e9"));
        if (!edited.isEmpty())
            name->setText(edited);
        QVERIFY(okEnabled(dialog));
        dialog.saveToSignalGroup();

        const QByteArray saved = config.save(controller);
        QByteArray expected = untouched;
        expected.replace("\"Tram \\u00e9\"", "\"" + written + "\"");
        QCOMPARE(saved, expected);
        ZUConfiguration zumoltc;
        QVERIFY(zumoltc.fromJson(saved));
        QCOMPARE(zumoltc.findSignalGroup(4)->name(), read);
    }

    void withoutGroup()
    {
        CnfController controller;
        SgPropertiesDlg dialog(nullptr, CnfSignalGroupPtr(), controller);
        QCOMPARE(field<QComboBox>(dialog, "type")->count(), 0);
        dialog.saveToSignalGroup();
    }
};

PROJECT_TEST(TestSgPropertiesDlg);
#include "tst_sgpropertiesdlg.moc"
