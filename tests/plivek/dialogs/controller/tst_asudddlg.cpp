#include "cnf/cnfcontroller.h"
#include "common/widgets/tablecells.h"
#include "keylistexchange.h"
#include "nativetree.h"
#include "plivek/dialogs/controller/asudddlg.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

using KeyListExchange::child;
using NativeTree::fieldOf;

std::unique_ptr<CnfController> tiverkII(const QByteArray &json = QByteArray())
{
    auto controller = std::make_unique<CnfController>();
    controller->setProperty("type", QStringLiteral("tiverkii"));
    if (json.isEmpty())
        NativeTree::loadFixture(*controller, QStringLiteral("tiverkii.json"));
    else
        NativeTree::load(*controller, json);
    return controller;
}

std::unique_ptr<CnfController> zuMolt(const QByteArray &json)
{
    auto controller = std::make_unique<CnfController>();
    controller->setProperty("type", QStringLiteral("ZU_MOLT"));
    NativeTree::load(*controller, json);
    return controller;
}

int accept(AsuddDlg &dialog)
{
    return KeyListExchange::press(dialog, QDialogButtonBox::Ok);
}

QTableWidget *itsTable(AsuddDlg &dialog)
{
    return child<QTableWidget>(dialog, "itsTable");
}

// Adds a row through "Add" (at the end: no row is current) and types it.
void addRow(AsuddDlg &dialog, const QString &host, const QVariant &port, const QVariant &timeout)
{
    QTableWidget *table = itsTable(dialog);
    table->setCurrentCell(-1, -1);
    child<QPushButton>(dialog, "addIts")->click();
    const int row = table->currentRow();
    setTableCellValue(table, row, 0, host, true);
    setTableCellValue(table, row, 1, port, true);
    setTableCellValue(table, row, 2, timeout, true);
}

void deleteRow(AsuddDlg &dialog, int row)
{
    itsTable(dialog)->setCurrentCell(row, 0);
    QVERIFY(child<QPushButton>(dialog, "deleteIts")->isEnabled());
    child<QPushButton>(dialog, "deleteIts")->click();
}

} // namespace

class TestAsuddDlg : public QObject
{
    Q_OBJECT
private slots:
    void tiverkRows_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("asuddType");
        QTest::addColumn<QStringList>("shown");

        const QStringList tsctm { "tsku_addr", "tsku_signal_level" };
        const QStringList lfr { "mgr_button", "mgr_phase_length", "mgr_length" };
        const QStringList always { "asudd_allowedInactivity", "asudd_priority_on_vpu",
                                   "asudd_prom_variant" };
        QTest::newRow("3.17 no type")
            << "3.17" << 0 << always + tsctm + lfr + QStringList { "mgr_tsku_phase" };
        QTest::newRow("3.17 SIGNAL")
            << "3.17" << 1 << always + lfr + QStringList { "mgr_tsku_phase" };
        QTest::newRow("3.17 TSCTM")
            << "3.17" << 2 << always + tsctm + QStringList { "mgr_tsku_phase" };
        QTest::newRow("3.17 TIVERK") << "3.17" << 3 << always;
        QTest::newRow("3.16 TIVERK")
            << "3.16" << 3 << QStringList { "asudd_allowedInactivity", "asudd_priority_on_vpu" };
        QTest::newRow("3.14 TIVERK") << "3.14" << 3 << QStringList { "asudd_allowedInactivity" };
    }

    // What the version and the ATCS type hide is still written back as loaded.
    void tiverkRows()
    {
        QFETCH(QString, version);
        QFETCH(int, asuddType);
        QFETCH(QStringList, shown);

        const QVariantMap stored { { "asudd_allowedInactivity", 60 },
                                   { "asudd_priority_on_vpu", 1 },
                                   { "asudd_prom_variant", 4 },
                                   { "tsku_addr", 20 },
                                   { "tsku_signal_level", 100 },
                                   { "mgr_button", 5 },
                                   { "mgr_tsku_phase", 2 },
                                   { "mgr_phase_length", 30 },
                                   { "mgr_length", 10 } };
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setProperty("version", version);
        controller.setNativeData(QStringLiteral("asudd_type"), asuddType);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            controller.setNativeData(it.key(), it.value());

        AsuddDlg dialog(nullptr, &controller);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ATCS parameters"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            QVERIFY2(child<QWidget>(dialog, qPrintable(it.key()))->isVisible()
                         == shown.contains(it.key()),
                     qPrintable(it.key()));
        }
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            QVERIFY2(controller.getNativeData(it.key()) == it.value(), qPrintable(it.key()));
    }

    // The lowest value of each field is "Not set": a field set to it removes
    // the key; a stored lowest value shows "Not set" and stays through an
    // untouched OK, and an absent key stays absent.
    void tiverkNotSet()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setProperty("version", QStringLiteral("3.17"));
        controller.setNativeData(QStringLiteral("tsku_addr"), 19);
        controller.setNativeData(QStringLiteral("mgr_length"), 0);
        controller.setNativeData(QStringLiteral("mgr_button"), 5);
        AsuddDlg dialog(nullptr, &controller);
        QCOMPARE(child<QSpinBox>(dialog, "tsku_addr")->text(), QStringLiteral("Not set"));
        child<QSpinBox>(dialog, "mgr_button")->setValue(-1);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        QVERIFY(!controller.nativeData().contains(QStringLiteral("mgr_button")));
        QCOMPARE(controller.getNativeData(QStringLiteral("tsku_addr")), QVariant(19));
        QCOMPARE(controller.getNativeData(QStringLiteral("mgr_length")), QVariant(0));
        QVERIFY(!controller.nativeData().contains(QStringLiteral("asudd_allowedInactivity")));
        QVERIFY(!controller.nativeData().contains(QStringLiteral("asudd_prom_variant")));
    }

    // The primary link shows the module's connection, a secondary source its own.
    void tiverkIIOpening()
    {
        auto controller = tiverkII();
        controller->setNativeData(QStringLiteral("asudd_priority_on_vpu"), true);
        AsuddDlg dialog(nullptr, controller.get());
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName(),
                 QStringLiteral("page_tiverk_2"));
        QVERIFY(child<QCheckBox>(dialog, "enable_asudd")->isChecked());
        QVERIFY(child<QGroupBox>(dialog, "groupBox")->isEnabled());
        QCOMPARE(child<QGroupBox>(dialog, "groupBox")->title(),
                 QStringLiteral("Communtcation server connection"));
        QTableWidget *table = itsTable(dialog);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(tableCellValue(table, 0, 0), QVariant("10.0.0.1"));
        QCOMPARE(tableCellValue(table, 0, 1), QVariant(5000));
        QCOMPARE(tableCellValue(table, 0, 2), QVariant(30));
        QCOMPARE(tableCellValue(table, 1, 1), QVariant(5001));
        QVERIFY(!tableCellValue(table, 1, 2).isValid());
        QCOMPARE(table->item(0, 0)->data(Qt::UserRole).value<VObject>()["name"].toString(),
                 QStringLiteral("its"));
        QCOMPARE(table->item(1, 0)->data(Qt::UserRole).value<VObject>()["name"].toString(),
                 QStringLiteral("its1"));
        // The RCU (4) is below both central-system sources (2, 3): the flag
        // is derived anew on opening, and stays so even when cancelled.
        QVERIFY(!child<QCheckBox>(dialog, "asudd_priority_on_vpu_2")->isChecked());
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Cancel), int(QDialog::Rejected));
        QCOMPARE(controller->getNativeData(QStringLiteral("asudd_priority_on_vpu")),
                 QVariant(false));
    }

    // New rows: the first becomes the primary link (module "TiverkITS"), the
    // next a source "its1" of its own.
    void tiverkIINewSources()
    {
        auto controller = tiverkII(R"({"controlSources": [{"id": 1, "name": "vpu", "priority": 7},
                                                          {"id": 2, "type": "JsConsole", "priority": 50}],
                                      "modules": {"SystemBus": {"devices": {"VPU1": {"controlSource": "vpu"}}}}})");
        AsuddDlg dialog(nullptr, controller.get());
        QVERIFY(!child<QCheckBox>(dialog, "enable_asudd")->isChecked());
        child<QCheckBox>(dialog, "enable_asudd")->click();
        addRow(dialog, QStringLiteral("atcs.example"), 5000, 30);
        addRow(dialog, QStringLiteral("10.1.1.1"), 5001, QString());
        addRow(dialog, QStringLiteral("no.port"), 0, 10);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));

        const VObject root = controller->nativeData();
        const VObject module = root["modules"]["TiverkITS"];
        QCOMPARE(module["controlSource"].toInt(), 3);
        QCOMPARE(module["controlTimeout"].toInt(), 30);
        QCOMPARE(module["url"].toString(), QStringLiteral("tcp://atcs.example:5000/"));
        const VObject sources = root["controlSources"];
        QCOMPARE(fieldOf(sources, "name"), (QVariantList { "vpu", QVariant(), "its", "its1" }));
        QCOMPARE(fieldOf(sources, "id"), (QVariantList { 1, 2, 3, 4 }));
        // "vpu" and the script source do not count: the new ones follow 1.
        QCOMPARE(fieldOf(sources, "priority"), (QVariantList { 7, 50, 2, 3 }));
        QCOMPARE(fieldOf(sources, "type"),
                 (QVariantList { QVariant(), "JsConsole", QVariant(), "TiverkIts" }));
        QVERIFY(!sources[2].contains(QStringLiteral("url")));
        QCOMPARE(sources[3]["url"].toString(), QStringLiteral("tcp://10.1.1.1:5001/"));
        QVERIFY(!sources[3].contains(QStringLiteral("controlTimeout")));
    }

    // Deleting the primary row removes its source and the module, which the
    // next row with a source then makes again; the module may point to its
    // source by id or by name.
    void tiverkIIDeletePrimary_data()
    {
        QTest::addColumn<QVariant>("pointer");
        QTest::newRow("by id") << QVariant(1);
        QTest::newRow("by name") << QVariant("its");
    }

    void tiverkIIDeletePrimary()
    {
        QFETCH(QVariant, pointer);

        auto controller = tiverkII();
        VObject root = controller->nativeData();
        root["modules"]["TiverkITS"]["controlSource"] = pointer;
        AsuddDlg dialog(nullptr, controller.get());
        QCOMPARE(itsTable(dialog)->rowCount(), 2);
        deleteRow(dialog, 0);
        setTableCellValue(itsTable(dialog), 0, 2, 15, true);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));

        const VObject sources = root["controlSources"];
        QCOMPARE(fieldOf(sources, "name"), (QVariantList { "vpu2", "console", "rpc", "its1" }));
        const VObject promoted = sources[3];
        QVERIFY(!promoted.contains(QStringLiteral("url")));
        QVERIFY(!promoted.contains(QStringLiteral("controlTimeout")));
        const VObject module = root["modules"]["TiverkITS"];
        QCOMPARE(module["controlSource"].toInt(), 6);
        QCOMPARE(module["url"].toString(), QStringLiteral("tcp://10.0.0.2:5001/"));
        QCOMPARE(module["controlTimeout"].toInt(), 15);
    }

    // An empty timeout removes "controlTimeout": from the module for the
    // primary source, from the source itself otherwise.
    void tiverkIIEmptyTimeout()
    {
        auto controller = tiverkII();
        VObject root = controller->nativeData();
        root["controlSources"][4]["controlTimeout"] = 20;
        AsuddDlg dialog(nullptr, controller.get());
        QCOMPARE(tableCellValue(itsTable(dialog), 1, 2), QVariant(20));
        setTableCellValue(itsTable(dialog), 0, 2, QString(), true);
        setTableCellValue(itsTable(dialog), 1, 2, QStringLiteral("soon"), true);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        QVERIFY(!root["modules"]["TiverkITS"].contains(QStringLiteral("controlTimeout")));
        QVERIFY(!root["controlSources"][4].contains(QStringLiteral("controlTimeout")));
        QCOMPARE(root["controlSources"][4]["url"].toString(),
                 QStringLiteral("tcp://10.0.0.2:5001/"));
    }

    // Sources without "url" give no rows; OK with the link unticked removes
    // the module and every "TiverkIts" source.
    void tiverkIIWithoutUrl()
    {
        auto controller = tiverkII();
        VObject root = controller->nativeData();
        root["modules"]["TiverkITS"].remove(QStringLiteral("url"));
        root["controlSources"][4].remove(QStringLiteral("url"));
        AsuddDlg dialog(nullptr, controller.get());
        QVERIFY(!child<QCheckBox>(dialog, "enable_asudd")->isChecked());
        QCOMPARE(itsTable(dialog)->rowCount(), 0);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        QVERIFY(root["modules"]["TiverkITS"].isNull());
        QVERIFY(!root["modules"]["SystemBus"].isNull());
        QCOMPARE(fieldOf(root["controlSources"], "name"),
                 (QVariantList { "its", "vpu2", "console", "rpc" }));
    }

    // Unticked after deleting the primary row: its untyped source goes too.
    void tiverkIIDisabledAfterDelete()
    {
        auto controller = tiverkII();
        const VObject root = controller->nativeData();
        AsuddDlg dialog(nullptr, controller.get());
        deleteRow(dialog, 0);
        child<QCheckBox>(dialog, "enable_asudd")->click();
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        QVERIFY(root["modules"]["TiverkITS"].isNull());
        QCOMPARE(fieldOf(root["controlSources"], "name"),
                 (QVariantList { "vpu2", "console", "rpc" }));
    }

    // A row emptied on OK removes its source, which then counts no more:
    // neither its priority (the RCU keeps its rank) nor its name.
    void tiverkIIEmptiedRow_data()
    {
        QTest::addColumn<bool>("addNew");
        QTest::addColumn<QVariantList>("names");
        QTest::addColumn<QVariantList>("priorities");

        QTest::newRow("emptied only") << false << QVariantList { "its", "vpu2", "console", "rpc" }
                                      << QVariantList { 2, 3, 50, 60 };
        // The new source follows the highest priority read before (5) and
        // reuses the freed name; the RCU then takes its number (rule 3).
        QTest::newRow("emptied, new row")
            << true << QVariantList { "its", "vpu2", "console", "rpc", "its1" }
            << QVariantList { 2, 6, 50, 60, 3 };
    }

    void tiverkIIEmptiedRow()
    {
        QFETCH(bool, addNew);
        QFETCH(QVariantList, names);
        QFETCH(QVariantList, priorities);

        auto controller = tiverkII();
        VObject root = controller->nativeData();
        root["controlSources"][1]["priority"] = 3;
        root["controlSources"][4]["priority"] = 5;
        AsuddDlg dialog(nullptr, controller.get());
        setTableCellValue(itsTable(dialog), 1, 0, QString(), true);
        if (addNew)
            addRow(dialog, QStringLiteral("10.0.0.9"), 5009, 5);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));

        const VObject sources = root["controlSources"];
        QCOMPARE(fieldOf(sources, "name"), names);
        QCOMPARE(fieldOf(sources, "priority"), priorities);
        QVERIFY(!root["modules"]["TiverkITS"].isNull());
    }

    void zuMoltOpening()
    {
        auto controller = zuMolt(
            R"({"controlSources": [{"id": 1, "type": "tiverkITS", "priority": 2, "timeout": 60},
                                   {"id": 2, "type": "remoteControlPanel", "priority": 1}]})");
        AsuddDlg dialog(nullptr, controller.get());
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName(),
                 QStringLiteral("page_zu_molt"));
        QVERIFY(child<QCheckBox>(dialog, "asudd_enabled")->isChecked());
        QVERIFY(child<QSpinBox>(dialog, "controlTimeout_2")->isEnabled());
        QCOMPARE(dialog.widgetValue(QStringLiteral("controlTimeout_2")), QVariant(60));
        QVERIFY(child<QCheckBox>(dialog, "asudd_priority_on_vpu_3")->isChecked());
        QCOMPARE(controller->getNativeData(QStringLiteral("asudd_priority_on_vpu")),
                 QVariant(true));
    }

    // The RCU and the central system exchange their numbers when the order
    // disagrees with the flag; the panel record follows its source.
    void zuMoltPriorities_data()
    {
        QTest::addColumn<bool>("underRcu");
        QTest::addColumn<int>("rcu");
        QTest::addColumn<int>("central");

        QTest::newRow("ticked keeps") << true << 2 << 5;
        QTest::newRow("unticked exchanges") << false << 5 << 2;
    }

    void zuMoltPriorities()
    {
        QFETCH(bool, underRcu);
        QFETCH(int, rcu);
        QFETCH(int, central);

        auto controller = zuMolt(
            R"({"controlSources": [{"id": 1, "type": "remoteControlPanel", "priority": 2},
                                   {"id": 4, "type": "tiverkITS", "priority": 5},
                                   {"id": 5, "type": "JsonRPC", "priority": 9}],
                "remoteControlPanel": {"VPU1": {"sourceId": 1, "priority": 2}}})");
        AsuddDlg dialog(nullptr, controller.get());
        auto *flag = child<QCheckBox>(dialog, "asudd_priority_on_vpu_3");
        QVERIFY(flag->isChecked());
        flag->setChecked(underRcu);
        QCOMPARE(accept(dialog), int(QDialog::Accepted));
        const VObject root = controller->nativeData();
        QCOMPARE(fieldOf(root["controlSources"], "priority"), (QVariantList { rcu, central, 9 }));
        QCOMPARE(root["remoteControlPanel"]["VPU1"]["priority"].toInt(), rcu);
        QCOMPARE(root["asudd_priority_on_vpu"].toBool(), underRcu);
    }

    // A new central entry takes the smallest free id and priority; an RCU
    // with a smaller number hands it over and takes the free one.
    void zuMoltNewCentral()
    {
        auto controller = zuMolt(
            R"({"controlSources": [{"id": 1, "type": "remoteControlPanel", "priority": 1},
                                   {"id": 2, "type": "JsConsole", "priority": 2}],
                "remoteControlPanel": {"VPU1": {"sourceId": 1, "priority": 1}}})");
        VObject root = controller->nativeData();
        {
            AsuddDlg dialog(nullptr, controller.get());
            QVERIFY(!child<QSpinBox>(dialog, "controlTimeout_2")->isEnabled());
            child<QCheckBox>(dialog, "asudd_enabled")->click();
            dialog.setWidgetValue(QStringLiteral("controlTimeout_2"), 45);
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        const VObject sources = root["controlSources"];
        QCOMPARE(sources.size(), 3);
        QCOMPARE(sources[2]["type"].toString(), QStringLiteral("tiverkITS"));
        QCOMPARE(sources[2]["id"].toInt(), 3);
        QCOMPARE(sources[2]["priority"].toInt(), 1);
        QCOMPARE(sources[2]["timeout"].toInt(), 45);
        QCOMPARE(sources[0]["priority"].toInt(), 3);
        QCOMPARE(root["remoteControlPanel"]["VPU1"]["priority"].toInt(), 3);
        {
            // Not set timeout removed; unticked removes the entry only.
            AsuddDlg dialog(nullptr, controller.get());
            dialog.setWidgetValue(QStringLiteral("controlTimeout_2"), QVariant());
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
            QVERIFY(!sources[2].contains(QStringLiteral("timeout")));
        }
        {
            AsuddDlg dialog(nullptr, controller.get());
            child<QCheckBox>(dialog, "asudd_enabled")->click();
            QCOMPARE(accept(dialog), int(QDialog::Accepted));
        }
        QCOMPARE(fieldOf(sources, "type"), (QVariantList { "remoteControlPanel", "JsConsole" }));
    }
};

PROJECT_TEST(TestAsuddDlg);
#include "tst_asudddlg.moc"
