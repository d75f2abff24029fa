#include "cnf/cnfcontroller.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "keylistexchange.h"
#include "nativetree.h"
#include "plivek/dialogs/controller/countdowntabletiverk2dlg.h"
#include "plivek/dialogs/controller/countdowntablezu_moltdlg.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

std::unique_ptr<CnfController> controllerOf(const QString &type, const QByteArray &json)
{
    auto controller = std::make_unique<CnfController>();
    controller->setProperty("type", type);
    for (int id : { 1, 2, 3 }) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        group->name = QStringLiteral("G%1").arg(id);
        controller->addSignalGroup(group);
    }
    if (!json.isEmpty())
        NativeTree::load(*controller, json);
    return controller;
}

ParametersTable *boards(QWidget &dialog)
{
    return dialog.findChild<ParametersTable *>(QStringLiteral("boardsTable"));
}

QByteArray json(const VObject &node)
{
    return NativeTree::json(node);
}

// A ZU_MOLT dialog on the controller, answered with OK.
void acceptZuMolt(CnfController &controller)
{
    CountDownTableZU_MOLTDlg dialog(nullptr, &controller);
    QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
}

const QByteArray threeBoards = R"({"countdownBoards": {"protocol": "V2", "warnTime": 10, "items": [
    {"id": 1, "addr": 11, "boards": 2, "warnTime": 5},
    {"id": 2, "addr": 12, "boards": 1},
    {"id": 3, "addr": 13}]}})";

} // namespace

class TestCountdownBoards : public QObject
{
    Q_OBJECT
private slots:
    // Without the node: the defaults, then OK stores the protocol only and
    // adds the interface device.
    void zuMoltWithoutNode()
    {
        auto controller = controllerOf(QStringLiteral("ZU_MOLT"), R"({"KMP1": {"devices": []}})");
        {
            CountDownTableZU_MOLTDlg dialog(nullptr, controller.get());
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Parameters display countdown"));
            QCOMPARE(dialog.findChild<QSpinBox *>(QStringLiteral("warnTime"))->text(),
                     QStringLiteral("not set"));
            QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("protocol"))->currentText(),
                     QStringLiteral("V1"));
            QCOMPARE(boards(dialog)->columnCount(), 1);
            QVERIFY(boards(dialog)->isRowHidden(2));
            QVERIFY(boards(dialog)->autoExtendColumns);
            QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        }
        const VObject root = controller->nativeData();
        QCOMPARE(json(root["countdownBoards"]), QByteArray(R"({"protocol":"V1"})"));
        QCOMPARE(
            json(root["KMP1"]["devices"]),
            QByteArray(R"([{"addr":6,"device":"KTV1","port":"RS485_1","type":"interfaceType"}])"));
    }

    // Repeated OKs keep one device, also when it stood there before the boards.
    void zuMoltOneDevice_data()
    {
        QTest::addColumn<QByteArray>("tree");
        QTest::newRow("no device yet") << QByteArray(R"({"KMP1": {"name": "kmp"}})");
        QTest::newRow("device before the boards") << QByteArray(
            R"({"KMP1": {"devices": [{"device": "VPU1", "addr": 4},
                                     {"device": "KTV1", "addr": 6, "type": "interfaceType", "port": "RS485_2"}]}})");
    }

    void zuMoltOneDevice()
    {
        QFETCH(QByteArray, tree);

        auto controller = controllerOf(QStringLiteral("ZU_MOLT"), tree);
        const VObject root = controller->nativeData();
        const int before = root["KMP1"]["devices"].size();
        acceptZuMolt(*controller);
        acceptZuMolt(*controller);
        const VObject devices = root["KMP1"]["devices"];
        int interfaces = 0;
        for (int i = 0; i < devices.size(); ++i)
            interfaces += devices[i]["device"] == "KTV1" ? 1 : 0;
        QCOMPARE(interfaces, 1);
        QCOMPARE(devices.size(), qMax(before, 1));
        // An existing device keeps its port.
        QCOMPARE(devices[devices.size() - 1]["port"].toString(),
                 before ? QStringLiteral("RS485_2") : QStringLiteral("RS485_1"));
    }

    // The port is shown translated but stored as its name.
    void zuMoltPortUntranslated()
    {
        auto controller = controllerOf(QStringLiteral("ZU_MOLT"), threeBoards);
        CountDownTableZU_MOLTDlg dialog(nullptr, controller.get());
        auto *port = dialog.findChild<QComboBox *>(QStringLiteral("port"));
        for (int i = 0; i < port->count(); ++i)
            port->setItemText(i,
                              QString::fromUtf8("\xd0\x9f\xd0\xbe\xd1\x80\xd1\x82 %1").arg(i + 1));
        port->setCurrentIndex(1);
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        QCOMPARE(controller->nativeData()["KMP1"]["devices"][0]["port"].toString(),
                 QStringLiteral("RS485_2"));
    }

    void zuMoltItems()
    {
        auto controller = controllerOf(QStringLiteral("ZU_MOLT"), threeBoards);
        CountDownTableZU_MOLTDlg dialog(nullptr, controller.get());
        ParametersTable *table = boards(dialog);
        QCOMPARE(table->columnCount(), 3);
        QVERIFY(!table->isRowHidden(2));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("2 (G2)"));
        QCOMPARE(dialog.widgetValue(QStringLiteral("warnTime")), QVariant(10));

        // "V1" hides "Boards count", yet what it holds is stored.
        dialog.findChild<QComboBox *>(QStringLiteral("protocol"))
            ->setCurrentText(QStringLiteral("V1"));
        QVERIFY(table->isRowHidden(2));
        // A board whose group is cleared is dropped; "not set" removes the
        // default warning time.
        setTableCellValue(table, 0, 1, QString(), true);
        dialog.setWidgetValue(QStringLiteral("warnTime"), -1);
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));
        QCOMPARE(json(controller->nativeData()["countdownBoards"]),
                 QByteArray(
                     R"({"items":[{"addr":11,"boards":2,"id":1,"warnTime":5},{"addr":13,"id":3}],)"
                     R"("protocol":"V1"})"));
    }

    // With a Signal module the boards hang on it with their port; without one
    // they are the bus device "KTV1" with the two flags.
    void tiverkIINode_data()
    {
        QTest::addColumn<QByteArray>("tree");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QByteArray>("stored");

        QTest::newRow("with Signal")
            << QByteArray(R"({"modules": {"Signal": {"port": "/dev/ttyACM0"}}})")
            << QStringList { "modules", "Countdowns" }
            << QByteArray(
                   R"({"items":[{"id":2}],"portName":"/dev/ttyUSB3","protocol":"V2","warnTime":7})");
        QTest::newRow("without Signal")
            << QByteArray(
                   R"({"modules": {"SystemBus": {"devices": {"KTV1": {"addr": 6, "clearManual": true}}}}})")
            << QStringList { "modules", "SystemBus", "devices", "KTV1" }
            << QByteArray(R"({"addr":6,"clearAdaptive":true,"clearManual":true,"items":[{"id":2}],)"
                          R"("protocol":"V2","warnTime":7})");
    }

    void tiverkIINode()
    {
        QFETCH(QByteArray, tree);
        QFETCH(QStringList, path);
        QFETCH(QByteArray, stored);

        auto controller = controllerOf(QStringLiteral("tiverkii"), tree);
        CountDownTableTiverk2Dlg dialog(nullptr, controller.get());
        const bool signalModule = path.contains(QStringLiteral("Countdowns"));
        auto *clearAdaptive = dialog.findChild<QCheckBox *>(QStringLiteral("clearAdaptive"));
        QCOMPARE(clearAdaptive->isEnabled(), !signalModule);
        QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("port"))->isHidden(), !signalModule);
        QCOMPARE(dialog.findChild<QCheckBox *>(QStringLiteral("clearManual"))->isChecked(),
                 !signalModule);

        clearAdaptive->setChecked(true);
        dialog.setWidgetValue(QStringLiteral("port"), QStringLiteral("/dev/ttyUSB3"));
        dialog.setWidgetValue(QStringLiteral("warnTime"), 7);
        dialog.findChild<QComboBox *>(QStringLiteral("protocol"))
            ->setCurrentText(QStringLiteral("V2"));
        setTableCellValue(boards(dialog), 0, 0, 2, true);
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Ok), int(QDialog::Accepted));

        VObject node = controller->nativeData();
        for (const QString &key : path)
            node = node[key];
        QCOMPARE(json(node), stored);
    }

    void cancelWritesNothing()
    {
        auto controller = controllerOf(QStringLiteral("ZU_MOLT"), threeBoards);
        const QByteArray before = json(controller->nativeData());
        CountDownTableZU_MOLTDlg dialog(nullptr, controller.get());
        dialog.setWidgetValue(QStringLiteral("warnTime"), 3);
        QCOMPARE(KeyListExchange::press(dialog, QDialogButtonBox::Cancel), int(QDialog::Rejected));
        QCOMPARE(json(controller->nativeData()), before);
    }
};

PROJECT_TEST(TestCountdownBoards);
#include "tst_countdownboards.moc"
