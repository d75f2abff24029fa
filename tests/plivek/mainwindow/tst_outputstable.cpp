#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "elementfixtures.h"
#include "modalanswerer.h"
#include "nativejson.h"
#include "plivek/mainwindow/outputstable.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialogButtonBox>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;

namespace {

QVariantMap output(int id, const QString &name)
{
    return { { "id", id }, { "name", name } };
}

QVariantMap channel(int number, const QVariant &out)
{
    return { { "channel", number }, { "out", out } };
}

QList<int> outputIds(const CnfController &controller)
{
    QList<int> ids;
    for (const QVariant &entry : controller.getNativeData(QStringLiteral("outputs")).toList())
        ids << entry.toMap().value(QStringLiteral("id")).toInt();
    return ids;
}

QAction *outputsAction(MainWindow &window, const char *name)
{
    return table(window, "outputsTable")->findChild<QAction *>(QLatin1String(name));
}

// Types the id into the open output dialog's "number" box and presses OK.
void typeIdAndAccept(QWidget *modal, int id)
{
    auto *number = modal->findChild<QSpinBox *>(QStringLiteral("number"));
    number->selectAll();
    QTest::keyClicks(number, QString::number(id));
    modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

// Output 3 "Horn" given the id 5 in its properties dialog; false when the
// dialog did not open.
bool renameHorn(MainWindow &window)
{
    if (!ElementFixtures::selectRowOfId(table(window, "outputsTable"), 3))
        return false;
    ModalAnswerer edit;
    edit.answerWith([](QWidget *modal) { typeIdAndAccept(modal, 5); });
    window.outputsItemProperties();
    return edit.answered();
}

} // namespace

class TestOutputsTable : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    void load(MainWindow &window, const QVariantList &outputs)
    {
        QVERIFY(ElementFixtures::loadDocument(window, dir));
        window.document().controller().setNativeData(QStringLiteral("outputs"), outputs);
        window.updateOutputsTable();
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    // Deleting output 3 clears the board channels (under "out", or bound by
    // the output dialog under "output") and indication colours that name it,
    // by number (whatever its type) or by its name when it has one.
    void references_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariantList>("channelsLeft");
        QTest::addColumn<QByteArray>("indicationLeft");
        QTest::newRow("named") << QStringLiteral("Lamp")
                               << QVariantList { 4, QStringLiteral("Other") }
                               << QByteArray("[{'amber': 4}, {'red': 'Other', 'green': ''}]");
        QTest::newRow("unnamed")
            << QString() << QVariantList { 4, QStringLiteral("Lamp"), QStringLiteral("Other") }
            << QByteArray("[{'amber': 4, 'green': 'Lamp'}, {'red': 'Other', 'green': ''}]");
    }

    void references()
    {
        QFETCH(QString, name);
        QFETCH(QVariantList, channelsLeft);
        QFETCH(QByteArray, indicationLeft);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(
            QStringLiteral("outputs"),
            QVariantList { output(3, name), output(4, QStringLiteral("Other")), output(3, name) });
        const QVariantList channels { channel(1, 3),
                                      channel(2, 3.0),
                                      channel(3, 4),
                                      channel(4, QStringLiteral("Lamp")),
                                      channel(5, QStringLiteral("Other")),
                                      channel(6, qlonglong(3)),
                                      QVariantMap { { "channel", 7 } } };
        QVariantMap modules
            = NativeJson::map("{'Indication': [{'red': 3, 'amber': 4, 'green': 'Lamp'}, {'red': "
                              "'Other', 'green': ''}]}");
        modules["SystemBus"] = QVariantMap {
            { "devices",
              QVariantMap {
                  { "DIO2", QVariantMap { { "channels", channels } } },
                  { "DIO9",
                    QVariantMap { { "channels",
                                    QVariantList { channel(1, 3),
                                                   QVariantMap { { "channel", 2 },
                                                                 { "type", "out" },
                                                                 { "output", 3 } } } } } } } }
        };
        controller.setNativeData(QStringLiteral("modules"), modules);

        QCOMPARE(OutputsTable::remove(controller, 3), 2);
        QCOMPARE(outputIds(controller), QList<int> { 4 });
        const QVariantMap devices
            = controller.nativeData()["modules"]["SystemBus"]["devices"].toVariant().toMap();
        QVariantList outs;
        for (const QVariant &entry : devices.value("DIO2").toMap().value("channels").toList()) {
            if (entry.toMap().contains("out"))
                outs << entry.toMap().value("out");
        }
        QCOMPARE(outs, channelsLeft);
        QCOMPARE(devices.value("DIO2").toMap().value("channels").toList().size(),
                 channelsLeft.size() + 1);
        QCOMPARE(devices.value("DIO9").toMap().value("channels").toList().size(), 0);
        QCOMPARE(NativeJson::text(controller.nativeData()["modules"]["Indication"].toVariant()),
                 NativeJson::text(NativeJson::value(indicationLeft)));
    }

    // Both cells of a row selected: the output is deleted once, without a
    // question, and its row goes.
    void deleteRow()
    {
        MainWindow window;
        load(window, { output(1, "A"), output(3, "B"), output(5, "C") });
        QTableWidget *outputs = table(window, "outputsTable");
        outputs->item(1, 0)->setSelected(true);
        outputs->item(1, 1)->setSelected(true);
        ModalAnswerer answerer;
        answerer.reject();
        outputsAction(window, "outDelete")->trigger();
        QVERIFY(!answerer.answered());
        QCOMPARE(outputIds(window.document().controller()), (QList<int> { 1, 5 }));
        QCOMPARE(outputs->rowCount(), 2);
        QCOMPARE(cellText(outputs, 1, 1), QStringLiteral("C"));
        QVERIFY(window.document().isChanged());
    }

    void sort_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<bool>("changed");
        QTest::newRow("three") << QList<int> { 5, 2, 9 } << QList<int> { 2, 5, 9 } << true;
        QTest::newRow("already sorted") << QList<int> { 1, 2 } << QList<int> { 1, 2 } << true;
        QTest::newRow("single") << QList<int> { 7 } << QList<int> { 7 } << false;
        QTest::newRow("none") << QList<int> {} << QList<int> {} << false;
    }

    void sort()
    {
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        QFETCH(bool, changed);
        QVariantList outputs;
        for (int id : before)
            outputs << QVariantMap { { "id", id },
                                     { "name", QStringLiteral("O%1").arg(id) },
                                     { "pin", id * 10 } };
        MainWindow window;
        load(window, outputs);
        outputsAction(window, "sortDtItems")->trigger();
        QCOMPARE(outputIds(window.document().controller()), after);
        QCOMPARE(window.document().isChanged(), changed);
        QTableWidget *table = WindowTesting::table(window, "outputsTable");
        for (int row = 0; row < after.size(); ++row) {
            QCOMPARE(cellText(table, row, 0), QString::number(after.at(row)));
            QCOMPARE(window.document().controller().nativeData()["outputs"][row]["pin"].toInt(),
                     after.at(row) * 10);
        }
    }

    // What giving output 3 "Horn" the id 5 in its dialog does to each place
    // that its Delete clears: a reference by its id takes the new id in the
    // form it had; references by name and to other outputs stay.
    void renamed_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("board channels under \"out\"")
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'channel': 1, 'out': 3}, {'channel': 2, 'out': 3.0}, {'channel': 3, "
                          "'out': 4}, {'channel': 4, 'out': 'Horn'}, {'channel': 5, 'out': "
                          "'3'}]}}}}}")
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'channel': 1, 'out': 5}, {'channel': 2, 'out': 5}, {'channel': 3, "
                          "'out': 4}, {'channel': 4, 'out': 'Horn'}, {'channel': 5, 'out': "
                          "'3'}]}}}}}");
        // The dialog moves the binding it shows (the first); the main window
        // the one on another board.
        QTest::newRow("bindings under \"output\"")
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO1': {'channels': "
                          "[{'channel': 1, 'type': 'out', 'output': 3}, {'channel': 2, 'type': "
                          "'out', 'output': 4}]}, 'DIO6': {'channels': [{'channel': 1, "
                          "'detector': 3}, {'channel': 1, 'type': 'out', 'output': 3}]}}}}}")
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO1': {'channels': "
                          "[{'channel': 1, 'type': 'out', 'output': 5}, {'channel': 2, 'type': "
                          "'out', 'output': 4}]}, 'DIO6': {'channels': [{'channel': 1, "
                          "'detector': 3}, {'channel': 1, 'type': 'out', 'output': 5}]}}}}}");
        QTest::newRow("indication colours")
            << QByteArray("{'modules': {'Indication': [{'type': 'button', 'red': 3, 'amber': "
                          "'3', 'green': 'Horn'}, {'type': 'wait', 'red': 4, 'green': 3}]}}")
            << QByteArray("{'modules': {'Indication': [{'type': 'button', 'red': 5, 'amber': "
                          "'5', 'green': 'Horn'}, {'type': 'wait', 'red': 4, 'green': 5}]}}");
    }

    // Each place reads the new id after OK and after a save and a load; an
    // output added next with the id 3 is named by none of them, so deleting
    // it leaves them as they are.
    void renamed()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        MainWindow window;
        load(window, { output(3, "Horn"), output(4, "Lamp") });
        CnfController &controller = window.document().controller();
        ElementFixtures::setPlaces(controller, before);
        QVERIFY(renameHorn(window));
        QCOMPARE(outputIds(controller), (QList<int> { 5, 4 }));
        QCOMPARE(cellText(table(window, "outputsTable"), 0, 0), QStringLiteral("5"));
        CnfController expected;
        ElementFixtures::setPlaces(expected, after);
        QCOMPARE(ElementFixtures::places(controller), ElementFixtures::places(expected));
        QVERIFY(window.document().isChanged());

        child<QAction>(window, "actionSave")->trigger();
        QVERIFY(messageTexts(window).contains(QStringLiteral("Saving complete")));
        MainWindow reopened;
        reopened.loadDocument(dir.filePath(QStringLiteral("elements.xcnf")));
        QVERIFY(reopened.document().lastError().isEmpty());
        QCOMPARE(outputIds(reopened.document().controller()), (QList<int> { 5, 4 }));
        QCOMPARE(ElementFixtures::places(reopened.document().controller()),
                 ElementFixtures::places(expected));

        ModalAnswerer add;
        add.answerWith([](QWidget *modal) { typeIdAndAccept(modal, 3); });
        outputsAction(window, "outAdd")->trigger();
        QVERIFY(add.answered());
        QCOMPARE(outputIds(controller), (QList<int> { 5, 4, 3 }));
        QCOMPARE(ElementFixtures::places(controller), ElementFixtures::places(expected));
        QVERIFY(ElementFixtures::selectRowOfId(table(window, "outputsTable"), 3));
        outputsAction(window, "outDelete")->trigger();
        QCOMPARE(outputIds(controller), (QList<int> { 5, 4 }));
        QCOMPARE(ElementFixtures::places(controller), ElementFixtures::places(expected));
    }

    // While another output keeps the old id, the references name that one
    // and stay.
    void renamedTwin()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(QStringLiteral("outputs"),
                                 QVariantList { output(3, "Horn"), output(3, "Twin") });
        const QByteArray places("{'modules': {'Indication': [{'red': 3}]}}");
        ElementFixtures::setPlaces(controller, places);
        QCOMPARE(OutputsTable::rename(controller, controller.nativeData()["outputs"][1], 5), 0);
        QCOMPARE(outputIds(controller), (QList<int> { 3, 5 }));
        CnfController expected;
        ElementFixtures::setPlaces(expected, places);
        QCOMPARE(ElementFixtures::places(controller), ElementFixtures::places(expected));
    }

    // The first of two outputs sharing an id opens in its own dialog; its new
    // id leaves the places naming the shared id to the other one.
    void firstTwinRenamedInItsDialog()
    {
        MainWindow window;
        load(window, { output(3, "Horn"), output(3, "Twin") });
        CnfController &controller = window.document().controller();
        const QByteArray places(
            "{'modules': {'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 1, "
            "'type': 'out', 'output': 3}]}}}, 'Indication': [{'red': 3}]}}");
        ElementFixtures::setPlaces(controller, places);
        table(window, "outputsTable")->item(0, 0)->setSelected(true);
        ModalAnswerer edit;
        QString opened;
        edit.answerWith([&opened](QWidget *modal) {
            opened = modal->findChild<QLineEdit *>(QStringLiteral("name"))->text();
            typeIdAndAccept(modal, 5);
        });
        window.outputsItemProperties();
        QVERIFY(edit.answered());
        QCOMPARE(opened, QStringLiteral("Horn"));
        const VObject outputs = controller.nativeData()[QStringLiteral("outputs")];
        QCOMPARE(outputs.toVariant().toList(),
                 (QVariantList { output(5, "Horn"), output(3, "Twin") }));
        CnfController expected;
        ElementFixtures::setPlaces(expected, places);
        QCOMPARE(ElementFixtures::places(controller), ElementFixtures::places(expected));
    }

    // A board channel naming the output by its name keeps naming it: the
    // dialog leaves it, a new id leaves it, and the window's name following
    // gives it the new name.
    void channelByNameFollowsName()
    {
        MainWindow window;
        load(window, { output(3, "Horn") });
        CnfController &controller = window.document().controller();
        const auto places = [](const char *name) -> QByteArray {
            return QByteArray("{'modules': {'SystemBus': {'devices': {'DIO1': {'channels': "
                              "[{'channel': 1, 'type': 'out', 'output': '")
                + name + "'}]}}}}}";
        };
        ElementFixtures::setPlaces(controller, places("Horn"));
        table(window, "outputsTable")->item(0, 0)->setSelected(true);
        ModalAnswerer edit;
        edit.answerWith([](QWidget *modal) {
            modal->findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("Siren"));
            typeIdAndAccept(modal, 5);
        });
        window.outputsItemProperties();
        QVERIFY(edit.answered());
        QCOMPARE(controller.getNativeData(QStringLiteral("outputs")).toList(),
                 (QVariantList { output(5, "Siren") }));
        CnfController expected;
        ElementFixtures::setPlaces(expected, places("Siren"));
        QCOMPARE(ElementFixtures::places(controller), ElementFixtures::places(expected));
    }

    // A TIVERK II file with outputs: output 3 given id 5 and saved differs
    // from the same file saved untouched only in that id and the channels
    // and indication that name it by its id.
    void renamedInFile()
    {
        const auto saved = [this](bool rename) {
            const QString path = dir.filePath(QStringLiteral("outputs.json"));
            QFile::remove(path);
            QFile::copy(TestSupport::dataPath(QStringLiteral("document/tiverkii-outputs.json")),
                        path);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            MainWindow window;
            window.loadDocument(path);
            if (!window.document().lastError().isEmpty() || (rename && !renameHorn(window)))
                return QByteArray();
            window.setChanged(true);
            child<QAction>(window, "actionSave")->trigger();
            return TestSupport::readFile(path);
        };
        const QByteArray plain = saved(false);
        const QByteArray after = saved(true);
        QVERIFY(!plain.isEmpty() && !after.isEmpty());
        // The saved file's lines that name output 3 by its id, each once.
        const QList<QByteArray> lines {
            R"({"default": "0", "id": 3, "name": "Horn"})",
            R"({"channel": 1, "output": 3, "type": "out"})",
            R"({"channel": 6, "output": 3, "type": "out"})",
            R"({"green": "Lamp", "red": 3, "signalGroup": 1, "type": "button"})",
        };
        QByteArray expected = plain;
        for (const QByteArray &line : lines) {
            QCOMPARE(expected.count(line), 1);
            expected.replace(line, QByteArray(line).replace(": 3,", ": 5,"));
        }
        QCOMPARE(after, expected);
    }

    // Add and properties go through the output dialog, which writes the list.
    void addAndEdit()
    {
        MainWindow window;
        load(window, { output(1, "Output.1") });
        ModalAnswerer add;
        int proposed = 0;
        add.answerWith([&](QWidget *modal) {
            proposed = modal->findChild<QSpinBox *>(QStringLiteral("number"))->value();
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        outputsAction(window, "outAdd")->trigger();
        QVERIFY(add.answered());
        QCOMPARE(proposed, 2);
        QTableWidget *outputs = table(window, "outputsTable");
        QCOMPARE(outputs->rowCount(), 2);
        QCOMPARE(cellText(outputs, 1, 1), QStringLiteral("Output.2"));
        QVERIFY(window.document().isChanged());

        outputs->item(0, 1)->setSelected(true);
        ModalAnswerer edit;
        edit.answerWith([](QWidget *modal) {
            modal->findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("Horn"));
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        window.outputsItemProperties();
        QVERIFY(edit.answered());
        QCOMPARE(cellText(outputs, 0, 1), QStringLiteral("Horn"));
        QCOMPARE(outputIds(window.document().controller()), (QList<int> { 1, 2 }));
    }
};

PROJECT_TEST(TestOutputsTable);
#include "tst_outputstable.moc"
