#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "keylistexchange.h"
#include "nativetree.h"
#include "plivek/dialogs/controller/vpudlg.h"
#include "plivek/framework/tiverkedittable.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

namespace {

using KeyListExchange::child;
using NativeTree::fieldOf;

int accept(VpuDlg &dialog)
{
    return KeyListExchange::press(dialog, QDialogButtonBox::Ok);
}

std::unique_ptr<CnfController> tiverk(const QString &version, const QByteArray &json)
{
    auto controller = std::make_unique<CnfController>();
    controller->setProperty("type", QStringLiteral("tiverk"));
    controller->setProperty("version", version);
    if (!json.isEmpty())
        NativeTree::load(*controller, json);
    return controller;
}

std::unique_ptr<CnfController> fromFixture(const QString &type, const QString &fixture)
{
    auto controller = std::make_unique<CnfController>();
    controller->setProperty("type", type);
    if (!NativeTree::loadFixture(*controller, fixture))
        qWarning("fixture %s not read", qPrintable(fixture));
    return controller;
}

} // namespace

class TestVpuDlg : public QObject
{
    Q_OBJECT
private slots:
    void tiverkTable_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("intelligent");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("variantsShown");
        QTest::addColumn<bool>("inactivityShown");

        QTest::newRow("3.15") << "3.15" << true << 5 << 2 << false << false;
        QTest::newRow("3.16 without vpu2") << "3.16" << false << 5 << 2 << false << true;
        QTest::newRow("3.16 with vpu2") << "3.16" << true << 8 << 4 << false << true;
        QTest::newRow("3.17 with vpu2") << "3.17" << true << 8 << 4 << true << true;
        QTest::newRow("3.18 with vpu2") << "3.18" << true << 8 << 4 << false << true;
    }

    void tiverkTable()
    {
        QFETCH(QString, version);
        QFETCH(bool, intelligent);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(bool, variantsShown);
        QFETCH(bool, inactivityShown);

        auto controller = tiverk(version,
                                 QStringLiteral(R"({"vpu2": %1, "interstateVariantCount": 3})")
                                     .arg(intelligent ? "true" : "false")
                                     .toUtf8());
        VpuDlg dialog(nullptr, controller.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Parameters of RCU"));
        QCOMPARE(child<QCheckBox>(dialog, "useKey")->text(), QStringLiteral("Use accss key"));
        auto *table = child<TiverkEditTable>(dialog, "buttonTable");
        QCOMPARE(table->rowCount(), rows);
        QCOMPARE(table->columnCount(), columns);
        QCOMPARE(table->item(rows - 1, 0)->text(), QString::number(rows));
        QCOMPARE(child<QComboBox>(dialog, "vpu_interstateVariant")->isHidden(), !variantsShown);
        QCOMPARE(child<QSpinBox>(dialog, "allowedInactivity")->isHidden(), !inactivityShown);
        QCOMPARE(child<QCheckBox>(dialog, "useKey")->isHidden(), columns == 2);
    }

    // A reduced table keeps only the phases of five buttons: OK removes the
    // programs and requests from the configuration.
    void reducedTableStores()
    {
        auto controller
            = tiverk(QStringLiteral("3.15"),
                     R"({"vpu_phases": [1, 2, 3, 4, 5, 6, 7, 8], "vpu_programs": [1, 2, 3, 4],
                                     "vpu_requests": [1, 0, 1, 0], "useKey": 1, "allowedInactivity": 30})");
        VpuDlg dialog(nullptr, controller.get());
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        const VObject root = controller->nativeData();
        QCOMPARE(root["vpu_phases"].toVariant(), QVariant(QVariantList { 1, 2, 3, 4, 5 }));
        QVERIFY(!root.contains(QStringLiteral("vpu_programs")));
        QVERIFY(!root.contains(QStringLiteral("vpu_requests")));
        // Hidden widgets are stored like visible ones.
        QCOMPARE(root["useKey"].toInt(), 1);
        QCOMPARE(root["allowedInactivity"].toInt(), 30);
    }

    void interstateVariants()
    {
        auto controller
            = tiverk(QStringLiteral("3.17"), R"({"vpu2": true, "interstateVariantCount": 3})");
        VpuDlg dialog(nullptr, controller.get());
        auto *variants = child<QComboBox>(dialog, "vpu_interstateVariant");
        QStringList texts;
        for (int i = 0; i < variants->count(); ++i)
            texts << variants->itemText(i);
        QCOMPARE(texts, (QStringList { "No", "1", "2", "3" }));
        variants->setCurrentText(QStringLiteral("2"));
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        QCOMPARE(controller->getNativeData(QStringLiteral("vpu_interstateVariant")), QVariant(2));
    }

    // Buttons 1 to 4 take a program, 5 to 8 a request ("no" 0, "yes" 1).
    void buttonColumns()
    {
        auto controller
            = tiverk(QStringLiteral("3.17"),
                     R"({"vpu2": true, "vpu_phases": ["1", "2", "3", "4", "5", "6", "7", "8"],
                                     "vpu_programs": ["11", "12", "13", "14", "15"],
                                     "vpu_requests": [1, 0, 1, 0]})");
        auto phase = CnfPhasePtr::create();
        phase->id = QStringLiteral("1");
        controller->addPhase(phase);
        VpuDlg dialog(nullptr, controller.get());
        auto *table = child<TiverkEditTable>(dialog, "buttonTable");
        QStringList requests;
        for (int row = 4; row < 8; ++row)
            requests << table->item(row, 3)->text();
        QCOMPARE(requests, (QStringList { "yes", "no", "yes", "no" }));
        QVERIFY(!table->item(0, 3)->text().size());
        QVERIFY(!(table->item(0, 3)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(table->item(4, 2)->flags() & Qt::ItemIsEditable));
        QCOMPARE(table->item(4, 2)->background().color(), QColor(165, 165, 165));
        QCOMPARE(table->item(3, 2)->text(), QStringLiteral("14"));

        QCOMPARE(dialog.columnValue(QStringLiteral("vpu_requests")),
                 QVariant(QVariantList { 1, 0, 1, 0 }));
        // A value that no delegate text stands for is written as its number.
        dialog.setColumnValue(QStringLiteral("vpu_requests"), QVariantList { QVariant(), 5 });
        QCOMPARE(table->item(4, 3)->text(), QStringLiteral("yes"));
        QCOMPARE(table->item(5, 3)->text(), QStringLiteral("5"));
        dialog.setColumnValue(QStringLiteral("vpu_requests"), QVariantList { 1, 0, 1, 0 });
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        const VObject root = controller->nativeData();
        QCOMPARE(root["vpu_requests"].toVariant(), QVariant(QVariantList { 1, 0, 1, 0 }));
        const QVariantList programs = root["vpu_programs"].toVariant().toList();
        QCOMPARE(programs.mid(0, 4), (QVariantList { "11", "12", "13", "14" }));
        QCOMPARE(root["vpu_phases"].toVariant().toList().size(), 8);
    }

    // The RCU's entry found by the device's pointer: a number is an id, even
    // of an entry named otherwise.
    void tiverkIIOpening()
    {
        auto controller = fromFixture(QStringLiteral("tiverkii"), QStringLiteral("tiverkii.json"));
        VpuDlg dialog(nullptr, controller.get());
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName(),
                 QStringLiteral("tiverk2_page"));
        QVERIFY(child<QCheckBox>(dialog, "vpu_enabled")->isChecked());
        QVERIFY(child<QSpinBox>(dialog, "emergencyTimeout")->isEnabled());
        QCOMPARE(dialog.widgetValue(QStringLiteral("emergencyTimeout")), QVariant(30));
        QCOMPARE(dialog.widgetValue(QStringLiteral("stageTimeout")), QVariant(120));
    }

    // Off removes the RCU's entry and its device, nothing else; on again
    // appends a new entry at the end, with an id and a priority of its own.
    void tiverkIIOffAndOn()
    {
        auto controller = fromFixture(QStringLiteral("tiverkii"), QStringLiteral("tiverkii.json"));
        const VObject root = controller->nativeData();
        {
            VpuDlg dialog(nullptr, controller.get());
            child<QCheckBox>(dialog, "vpu_enabled")->click();
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        const VObject sources = root["controlSources"];
        QCOMPARE(fieldOf(sources, "name"), (QVariantList { "its", "console", "rpc", "its1" }));
        QCOMPARE(fieldOf(sources, "priority"), (QVariantList { 2, 50, 60, 3 }));
        QVERIFY(root["modules"]["SystemBus"]["devices"]["VPU1"].isNull());
        QVERIFY(!root["modules"]["SystemBus"]["devices"]["DIO1"].isNull());
        QVERIFY(!root["modules"]["TiverkITS"].isNull());
        {
            VpuDlg dialog(nullptr, controller.get());
            QVERIFY(!child<QCheckBox>(dialog, "vpu_enabled")->isChecked());
            child<QCheckBox>(dialog, "vpu_enabled")->click();
            dialog.setWidgetValue(QStringLiteral("stageTimeout"), 45);
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        QCOMPARE(sources.size(), 5);
        const VObject entry = sources[4];
        QCOMPARE(entry["name"].toString(), QStringLiteral("vpu"));
        QCOMPARE(entry["id"].toInt(), 7);
        // Above the ranked priorities (2 and 3; the script sources and "its"
        // do not count): 4. The flag is clear, so the central system, which
        // the module points to by id 1, must stay above: 4 > 2 holds.
        QCOMPARE(entry["priority"].toInt(), 4);
        QCOMPARE(entry["stageTimeout"].toInt(), 45);
        QVERIFY(!entry.contains(QStringLiteral("emergencyTimeout")));
        QCOMPARE(root["modules"]["SystemBus"]["devices"]["VPU1"]["controlSource"].toString(),
                 QStringLiteral("vpu"));
        // Opened again, the dialog finds it by name.
        VpuDlg again(nullptr, controller.get());
        QVERIFY(child<QCheckBox>(again, "vpu_enabled")->isChecked());
        QCOMPARE(again.widgetValue(QStringLiteral("stageTimeout")), QVariant(45));
    }

    // Rule 2: with the central system under the RCU, the RCU takes the
    // smaller number from the central-system source matched on opening.
    void tiverkIIExchange_data()
    {
        QTest::addColumn<bool>("centralUnderRcu");
        QTest::addColumn<QVariantList>("priorities");

        QTest::newRow("under the RCU") << true << QVariantList { 4, 2, 50, 60, 3 };
        QTest::newRow("above the RCU") << false << QVariantList { 2, 4, 50, 60, 3 };
    }

    void tiverkIIExchange()
    {
        QFETCH(bool, centralUnderRcu);
        QFETCH(QVariantList, priorities);

        auto controller = fromFixture(QStringLiteral("tiverkii"), QStringLiteral("tiverkii.json"));
        controller->setNativeData(QStringLiteral("asudd_priority_on_vpu"), centralUnderRcu);
        VpuDlg dialog(nullptr, controller.get());
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        QCOMPARE(fieldOf(controller->nativeData()["controlSources"], "priority"), priorities);
    }

    // Without a pointer of the device the entry of type "VPU1" is the RCU's;
    // a device without pointer and a configuration without a central-system
    // pointer stop the search.
    void tiverkIIFoundByType_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("found");

        QTest::newRow("no device")
            << QByteArray(R"({"controlSources": [{"id": 2, "type": "VPU1"}]})") << true;
        QTest::newRow("device without pointer, central pointer")
            << QByteArray(R"({"controlSources": [{"id": 2, "type": "VPU1"}],
                              "modules": {"SystemBus": {"devices": {"VPU1": {"addr": 2}}},
                                          "TiverkITS": {"controlSource": 1}}})")
            << true;
        QTest::newRow("device without pointer, no central pointer")
            << QByteArray(R"({"controlSources": [{"id": 2, "type": "VPU1"}],
                              "modules": {"SystemBus": {"devices": {"VPU1": {"addr": 2}}}}})")
            << false;
    }

    void tiverkIIFoundByType()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, found);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        QVERIFY(NativeTree::load(controller, json));
        VpuDlg dialog(nullptr, &controller);
        QCOMPARE(child<QCheckBox>(dialog, "vpu_enabled")->isChecked(), found);
    }

    void zuMoltOpening()
    {
        auto controller = fromFixture(QStringLiteral("ZU_MOLT"), QStringLiteral("zu_molt.json"));
        VpuDlg dialog(nullptr, controller.get());
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName(),
                 QStringLiteral("zu_molt_page"));
        QVERIFY(child<QCheckBox>(dialog, "vpu_enabled_zu_molt")->isChecked());
        QCOMPARE(child<QComboBox>(dialog, "type")->currentData(), QVariant("interface_tiverk1"));
        QCOMPARE(child<QComboBox>(dialog, "port")->currentData(), QVariant("RS485_1"));
        QVERIFY(!child<QComboBox>(dialog, "port")->isHidden());
        QVERIFY(child<QGroupBox>(dialog, "groupBox")->isHidden());
        QVERIFY(child<QCheckBox>(dialog, "idleInd")->isChecked());
        QCOMPARE(dialog.widgetValue(QStringLiteral("allowedInactivity_2")), QVariant(90));
        // Two stages and three programs: every program shows.
        auto *table = child<TiverkEditTable>(dialog, "buttonTable_2");
        QCOMPARE(table->cellValue(1, 1), QVariant(2));
        QVERIFY(!table->cellValue(2, 1).isValid());
        QCOMPARE(table->cellValue(2, 2), QVariant(5));

        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        const VObject record = controller->nativeData()["remoteControlPanel"]["VPU1"];
        QCOMPARE(record["stageId"].toVariant(), QVariant(QVariantList { 1, 2 }));
        QCOMPARE(record["programId"].toVariant(), QVariant(QVariantList { 3, 4, 5 }));
        QCOMPARE(record["sourceId"].toInt(), 2);
        QCOMPARE(record["priority"].toInt(), 1);
    }

    // What the page cannot show stays while its widget is left alone: a button
    // without a stage keeps its place, an access key or indication that is no
    // flag keeps its value.
    void zuMoltKeepsWhatItCannotShow_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QVariantList>("stageId");
        QTest::addColumn<QVariant>("passkey");
        const QVariant none;
        QTest::newRow("untouched") << "" << QVariantList { 1, none, 2 } << QVariant("1234");
        QTest::newRow("key ticked") << "tick" << QVariantList { 1, none, 2 } << QVariant(true);
        QTest::newRow("key ticked and unticked")
            << "tick twice" << QVariantList { 1, none, 2 } << QVariant("1234");
        QTest::newRow("stage for button 5")
            << "button 5" << QVariantList { 1, none, 2, none, 4 } << QVariant("1234");
        QTest::newRow("stage of button 3 cleared")
            << "clear button 3" << QVariantList { 1, none, none } << QVariant("1234");
    }

    void zuMoltKeepsWhatItCannotShow()
    {
        QFETCH(QString, edit);
        QFETCH(QVariantList, stageId);
        QFETCH(QVariant, passkey);
        CnfController controller;
        controller.setProperty("type", QStringLiteral("ZU_MOLT"));
        QVERIFY(NativeTree::load(controller, R"({
            "controlSources": [{"id": 2, "type": "remoteControlPanel", "priority": 7}],
            "remoteControlPanel": {"VPU1": {"type": "passive", "common": "negative", "idleInd": 5,
                                            "passkey": "1234", "programId": [3],
                                            "sourceId": 2, "priority": 7}},
            "KMP1": {"devices": [{"device": "VPU1", "addr": 4, "type": "passive",
                                  "port": "dryContact"}]}})"));
        // As the file's reader gives a null: a value that is not set.
        controller.nativeData()["remoteControlPanel"]["VPU1"]["stageId"]
            = QVariantList { 1, QVariant(), 2 };
        const QByteArray before = NativeTree::json(controller.nativeData());
        VpuDlg dialog(nullptr, &controller);
        auto *table = child<TiverkEditTable>(dialog, "buttonTable_2");
        QCOMPARE(table->cellValue(0, 1), QVariant(1));
        QVERIFY(!table->cellValue(1, 1).isValid());
        QCOMPARE(table->cellValue(2, 1), QVariant(2));
        QVERIFY(!child<QCheckBox>(dialog, "passkey")->isChecked());
        QVERIFY(child<QCheckBox>(dialog, "idleInd")->isChecked());
        if (edit.startsWith(QLatin1String("tick")))
            child<QCheckBox>(dialog, "passkey")->click();
        if (edit == QLatin1String("tick twice"))
            child<QCheckBox>(dialog, "passkey")->click();
        if (edit == QLatin1String("button 5"))
            table->setCellValue(4, 1, 4);
        if (edit == QLatin1String("clear button 3"))
            table->setCellValue(2, 1, QVariant());
        QCOMPARE(accept(dialog), int(QDialog::Accepted));

        const VObject record = controller.nativeData()["remoteControlPanel"]["VPU1"];
        QCOMPARE(record["stageId"].toVariant(), QVariant(stageId));
        QCOMPARE(record["passkey"].toVariant(), passkey);
        QCOMPARE(record["idleInd"].toVariant(), QVariant(5));
        // Where the page holds every field already, OK without a change changes nothing.
        if (edit.isEmpty() || edit == QLatin1String("tick twice"))
            QCOMPARE(NativeTree::json(controller.nativeData()), before);
    }

    // A type and a port that match no item stay while none is chosen; choosing
    // one writes it.
    void zuMoltUnknownTypeAndPortKept()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("ZU_MOLT"));
        QVERIFY(NativeTree::load(controller, R"({
            "controlSources": [{"id": 2, "type": "remoteControlPanel", "priority": 7}],
            "remoteControlPanel": {"VPU1": {"type": "interface_tiverk3", "idleInd": false,
                                            "passkey": false, "stageId": [1], "programId": [],
                                            "sourceId": 2, "priority": 7}},
            "KMP1": {"devices": [{"device": "VPU1", "addr": 4, "type": "interface_tiverk3",
                                  "port": "RS485_3"}]}})"));
        const QByteArray before = NativeTree::json(controller.nativeData());
        {
            VpuDlg dialog(nullptr, &controller);
            QCOMPARE(child<QComboBox>(dialog, "type")->currentIndex(), -1);
            QCOMPARE(child<QComboBox>(dialog, "port")->currentIndex(), -1);
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        QCOMPARE(NativeTree::json(controller.nativeData()), before);
        {
            VpuDlg dialog(nullptr, &controller);
            auto *types = child<QComboBox>(dialog, "type");
            types->setCurrentIndex(types->findData(QStringLiteral("interface_tiverk2")));
            auto *ports = child<QComboBox>(dialog, "port");
            ports->setCurrentIndex(ports->findData(QStringLiteral("RS485_2")));
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        const VObject root = controller.nativeData();
        QCOMPARE(root["remoteControlPanel"]["VPU1"]["type"].toString(),
                 QStringLiteral("interface_tiverk2"));
        QCOMPARE(root["KMP1"]["devices"][0]["type"].toString(),
                 QStringLiteral("interface_tiverk2"));
        QCOMPARE(root["KMP1"]["devices"][0]["port"].toString(), QStringLiteral("RS485_2"));
    }

    // The device's port by type: passive panels sit on the dry contacts.
    void zuMoltTypesAndPorts_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("storedPort");
        QTest::addColumn<QVariant>("common");

        QTest::newRow("interface tiverk2 on RS485_2") << "interface_tiverk2"
                                                      << "RS485_2"
                                                      << "RS485_2" << QVariant("negative");
        QTest::newRow("passive with indication") << "passive_ind"
                                                 << "RS485_2"
                                                 << "dryContact" << QVariant("positive");
        QTest::newRow("passive") << "passive"
                                 << "RS485_1"
                                 << "dryContact" << QVariant("positive");
    }

    void zuMoltTypesAndPorts()
    {
        QFETCH(QString, type);
        QFETCH(QString, port);
        QFETCH(QString, storedPort);
        QFETCH(QVariant, common);

        auto controller = fromFixture(QStringLiteral("ZU_MOLT"), QStringLiteral("zu_molt.json"));
        VpuDlg dialog(nullptr, controller.get());
        auto *types = child<QComboBox>(dialog, "type");
        types->setCurrentIndex(types->findData(type));
        QCOMPARE(child<QGroupBox>(dialog, "groupBox")->isHidden(),
                 type != QLatin1String("passive"));
        auto *ports = child<QComboBox>(dialog, "port");
        // What a translation shows is not what is stored.
        for (int i = 0; i < ports->count(); ++i)
            ports->setItemText(i,
                               QString::fromUtf8("\xd0\x9f\xd0\xbe\xd1\x80\xd1\x82 %1").arg(i + 1));
        ports->setCurrentIndex(ports->findData(port));
        child<QRadioButton>(dialog, "common_positive")->setChecked(true);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));

        const VObject root = controller->nativeData();
        const VObject devices = root["KMP1"]["devices"];
        QCOMPARE(devices.size(), 2);
        QCOMPARE(devices[1]["type"].toString(), type);
        QCOMPARE(devices[1]["port"].toString(), storedPort);
        QCOMPARE(devices[0]["port"].toString(), QStringLiteral("RS485_1"));
        QCOMPARE(root["remoteControlPanel"]["VPU1"]["common"].toVariant(),
                 type == QLatin1String("interface_tiverk2") ? QVariant("negative") : common);
    }

    // A configuration without a panel: the page is disabled; ticking it and
    // OK make the record, the device and the entry.
    void zuMoltNewAndRemoved()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("ZU_MOLT"));
        QVERIFY(NativeTree::load(
            controller, R"({"controlSources": [{"id": 1, "type": "tiverkITS", "priority": 2},
                                                                    {"id": 5, "type": "JsConsole", "priority": 255}],
                                                  "KMP1": {"name": "main"}})"));
        VObject root = controller.nativeData();
        const QByteArray before = NativeTree::json(root);
        {
            VpuDlg dialog(nullptr, &controller);
            QVERIFY(!child<QComboBox>(dialog, "type")->isEnabled());
            QVERIFY(!child<TiverkEditTable>(dialog, "buttonTable_2")->isEnabled());
            QCOMPARE(child<QComboBox>(dialog, "type")->currentData(), QVariant("passive"));
            QVERIFY(!child<QGroupBox>(dialog, "groupBox")->isHidden());
            QVERIFY(child<QComboBox>(dialog, "port")->isHidden());
            child<QCheckBox>(dialog, "vpu_enabled_zu_molt")->click();
            QVERIFY(child<QComboBox>(dialog, "type")->isEnabled());
            dialog.setWidgetValue(QStringLiteral("allowedInactivity_2"), 40);
            child<TiverkEditTable>(dialog, "buttonTable_2")->setCellValue(0, 1, 3);
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        const VObject entry = root["controlSources"][2];
        QCOMPARE(entry["id"].toInt(), 6);
        QCOMPARE(entry["type"].toString(), QStringLiteral("remoteControlPanel"));
        QCOMPARE(entry["priority"].toInt(), 3);
        QCOMPARE(entry["timeout"].toInt(), 40);
        const VObject device = root["KMP1"]["devices"][0];
        QCOMPARE(device["device"].toString(), QStringLiteral("VPU1"));
        QCOMPARE(device["addr"].toInt(), 4);
        QCOMPARE(device["port"].toString(), QStringLiteral("dryContact"));
        const VObject record = root["remoteControlPanel"]["VPU1"];
        QCOMPARE(record["sourceId"].toInt(), 6);
        QCOMPARE(record["priority"].toInt(), 3);
        QCOMPARE(record["common"].toString(), QStringLiteral("negative"));
        QCOMPARE(record["stageId"].toVariant(), QVariant(QVariantList { 3 }));
        {
            VpuDlg dialog(nullptr, &controller);
            child<QCheckBox>(dialog, "vpu_enabled_zu_molt")->click();
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        // Unticked again: the empty "devices" and "remoteControlPanel" go.
        QCOMPARE(NativeTree::json(root), before);
    }

    void cancelWritesNothing_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("fixture");
        QTest::newRow("tiverkii") << "tiverkii"
                                  << "tiverkii.json";
        QTest::newRow("ZU_MOLT") << "ZU_MOLT"
                                 << "zu_molt.json";
    }

    void cancelWritesNothing()
    {
        QFETCH(QString, type);
        QFETCH(QString, fixture);

        auto controller = fromFixture(type, fixture);
        const QByteArray before = NativeTree::json(controller->nativeData());
        VpuDlg dialog(nullptr, controller.get());
        child<QCheckBox>(dialog,
                         type == QLatin1String("tiverkii") ? "vpu_enabled" : "vpu_enabled_zu_molt")
            ->click();
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Cancel), int(QDialog::Rejected));
        QCOMPARE(NativeTree::json(controller->nativeData()), before);
    }
};

PROJECT_TEST(TestVpuDlg);
#include "tst_vpudlg.moc"
