#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfreferences.h"
#include "elementfixtures.h"
#include "modalanswerer.h"
#include "plivek/mainwindow/detectorstable.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialogButtonBox>
#include <QJsonDocument>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;
using namespace ElementFixtures;

namespace {

// Types the id into the open dialog's "number" box and presses OK.
void typeIdAndAccept(QWidget *modal, int id)
{
    auto *number = modal->findChild<QSpinBox *>(QStringLiteral("number"));
    number->selectAll();
    QTest::keyClicks(number, QString::number(id));
    modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

// The detector link of sensor 7, which is linked to detector 1 at the start.
QVariant link(const CnfController &controller)
{
    const CnfDetectorPtr linked = controller.findSensor(7);
    return linked ? linked->property("detector") : QVariant();
}

} // namespace

namespace {

// Gives the element a new id as the table's properties command does: the
// references first, then the element; the number of references renamed.
int renameElement(CnfController &controller, const CnfDetectorPtr &element, int newId)
{
    const int renamed
        = CnfReferences::rename(controller, CnfReferences::of(*element), QString::number(newId));
    element->setId(newId);
    return renamed;
}

} // namespace

class TestDetectorRename : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    // What giving element 1 "Loop" the id 5 does to each place: every
    // reference by its id takes the new id in the form it had (number or
    // text, where a text names an id); references by name, to other elements
    // and to the other kind stay.
    void references_data()
    {
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<bool>("zuMolt");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("DIO2: by id, not by name")
            << false << false
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'channel': 1, 'detector': 1}, {'channel': 2, 'detector': 'Loop'}, "
                          "{'channel': 3, 'detector': 2}, {'channel': 4, 'sensor': 1}]}}}}}")
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'channel': 1, 'detector': 5}, {'channel': 2, 'detector': 'Loop'}, "
                          "{'channel': 3, 'detector': 2}, {'channel': 4, 'sensor': 1}]}}}}}");
        // A detector bound to a module channel and to a channel of another
        // I/O board: every place that names it follows.
        QTest::newRow("another I/O board and TrafiCam")
            << false << false
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO3': {'type': 'dryContact', "
                          "'channels': [{'channel': 2, 'detector': 1, 'type': 'PIR'}, "
                          "{'channel': 3, 'detector': 2}]}}}, 'TrafiCam': [{'channels': "
                          "[{'channel': 1, 'detector': 1}]}]}}")
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO3': {'type': 'dryContact', "
                          "'channels': [{'channel': 2, 'detector': 5, 'type': 'PIR'}, "
                          "{'channel': 3, 'detector': 2}]}}}, 'TrafiCam': [{'channels': "
                          "[{'channel': 1, 'detector': 5}]}]}}");
        QTest::newRow("DIO2: sensor")
            << true << false
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'channel': 1, 'detector': 1}, {'channel': 2, 'sensor': 1}]}}}}}")
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'channel': 1, 'detector': 1}, {'channel': 2, 'sensor': 5}]}}}}}");
        // zumoltc reads a text as a name only: '1' names a detector named "1", not detector 1.
        QTest::newRow("ZU_MOLT detector: inputs and outputs by number, not the SystemBus")
            << false << true
            << QByteArray("{'inputsOutputs': {'DIO1': {'type': 'dryContact', 'channels': "
                          "[{'channel': 1, 'type': 'full', 'detector': 1}]}, 'DIO2': "
                          "{'channels': [{'channel': 4, 'detector': '1'}, {'channel': 5, "
                          "'detector': 2}]}}, 'modules': {'SystemBus': {'devices': {'DIO2': "
                          "{'channels': [{'channel': 1, 'detector': 1}]}}}}}")
            << QByteArray("{'inputsOutputs': {'DIO1': {'type': 'dryContact', 'channels': "
                          "[{'channel': 1, 'type': 'full', 'detector': 5}]}, 'DIO2': "
                          "{'channels': [{'channel': 4, 'detector': '1'}, {'channel': 5, "
                          "'detector': 2}]}}, 'modules': {'SystemBus': {'devices': {'DIO2': "
                          "{'channels': [{'channel': 1, 'detector': 1}]}}}}}");
        QTest::newRow("Keyboard")
            << false << false
            << QByteArray("{'modules': {'Keyboard': {'channels': [{'keyCode': 513, 'detector': 1, "
                          "'sensor': 1}, {'keyCode': 514, 'detector': 2}]}}}")
            << QByteArray("{'modules': {'Keyboard': {'channels': [{'keyCode': 513, 'detector': 5, "
                          "'sensor': 1}, {'keyCode': 514, 'detector': 2}]}}}");
        QTest::newRow("TrafiCam and TrafficStream, id as text")
            << false << false
            << QByteArray("{'modules': {'TrafiCam': [{'channels': [{'channel': 1, 'detector': "
                          "'1'}]}], 'TrafficStream': [{'channels': [{'channel': 2, 'detector': "
                          "1}, {'channel': 3, 'sensor': 1}]}]}}")
            << QByteArray("{'modules': {'TrafiCam': [{'channels': [{'channel': 1, 'detector': "
                          "'5'}]}], 'TrafficStream': [{'channels': [{'channel': 2, 'detector': "
                          "5}, {'channel': 3, 'sensor': 1}]}]}}");
        QTest::newRow("Citilog and Priority: sensor")
            << true << false
            << QByteArray("{'modules': {'Citilog': [{'cams': [{'id': 'a', 'channels': "
                          "[{'channel': 0, 'sensor': 1}, {'channel': 1, 'sensor': 2}]}]}], "
                          "'Priority': {'channels': [{'sensor': 1}, {'sensor': 'Loop'}]}}}")
            << QByteArray("{'modules': {'Citilog': [{'cams': [{'id': 'a', 'channels': "
                          "[{'channel': 0, 'sensor': 5}, {'channel': 1, 'sensor': 2}]}]}], "
                          "'Priority': {'channels': [{'sensor': 5}, {'sensor': 'Loop'}]}}}");
        QTest::newRow("SmartMicro and Azimuth: detector")
            << false << false
            << QByteArray("{'modules': {'SmartMicro': {'sensors': [{'id': 's', 'channels': "
                          "[{'detector': 1, 'zone': 2}, {'detector': 2}]}]}, 'AzimuthSSE': "
                          "{'url': 'u', 'sensors': [{'camera_id': 1, 'channels': "
                          "[{'rcg_channel_id': 3, 'detector': 1}]}]}}}")
            << QByteArray("{'modules': {'SmartMicro': {'sensors': [{'id': 's', 'channels': "
                          "[{'detector': 5, 'zone': 2}, {'detector': 2}]}]}, 'AzimuthSSE': "
                          "{'url': 'u', 'sensors': [{'camera_id': 1, 'channels': "
                          "[{'rcg_channel_id': 3, 'detector': 5}]}]}}}");
        // Their "detector" key names a detector here, as on Delete: sensor 1
        // must not take detector 1's channels.
        QTest::newRow("SmartMicro and Azimuth: sensor")
            << true << false
            << QByteArray("{'modules': {'SmartMicro': {'sensors': [{'id': 's', 'channels': "
                          "[{'detector': 1}, {'sensor': 1}]}]}, 'AzimuthSSE': [{'sensors': "
                          "[{'channels': [{'rcg_channel_id': 3, 'detector': 1}, "
                          "{'rcg_channel_id': 4, 'sensor': 1}]}]}]}}")
            << QByteArray("{'modules': {'SmartMicro': {'sensors': [{'id': 's', 'channels': "
                          "[{'detector': 1}, {'sensor': 5}]}]}, 'AzimuthSSE': [{'sensors': "
                          "[{'channels': [{'rcg_channel_id': 3, 'detector': 1}, "
                          "{'rcg_channel_id': 4, 'sensor': 5}]}]}]}}");
        // The Signal module names a detector by a number or by its name, so a
        // text there is a name.
        QTest::newRow("Signal")
            << false << false
            << QByteArray("{'modules': {'Signal': {'channels': [{'channel': 1, 'detector': 1, "
                          "'sensor': 1}, {'channel': 2, 'detector': '1'}, {'channel': 3, "
                          "'detector': 'Loop'}]}}}")
            << QByteArray("{'modules': {'Signal': {'channels': [{'channel': 1, 'detector': 5, "
                          "'sensor': 1}, {'channel': 2, 'detector': '1'}, {'channel': 3, "
                          "'detector': 'Loop'}]}}}");
        QTest::newRow("Signal: sensor, id as text")
            << true << false
            << QByteArray("{'modules': {'Signal': {'channels': [{'channel': 1, 'detector': 1, "
                          "'sensor': '1'}]}}}")
            << QByteArray("{'modules': {'Signal': {'channels': [{'channel': 1, 'detector': 1, "
                          "'sensor': '5'}]}}}");
    }

    void references()
    {
        QFETCH(bool, sensor);
        QFETCH(bool, zuMolt);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        CnfController controller;
        CnfNative::initController(
            controller, zuMolt ? QStringLiteral("ZU_MOLT") : QStringLiteral("tiverkii"), QString());
        setPlaces(controller, before);
        const CnfDetectorPtr element = addElement(controller, sensor, 1, QStringLiteral("Loop"));
        renameElement(controller, element, 5);
        QCOMPARE(element->id(), 5);
        CnfController expected;
        setPlaces(expected, after);
        QCOMPARE(places(controller), places(expected));

        // An element that takes the old id is named by nothing.
        const CnfDetectorPtr next = addElement(controller, sensor, 1, QStringLiteral("Next"));
        QCOMPARE(CnfReferences::clear(controller, CnfReferences::of(*next)), 0);
        QCOMPARE(places(controller), places(expected));
    }

    // A ZU_MOLT program's detector events name detectors by id or by name;
    // those by id follow, the events of other detectors stay.
    void programEvents()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
        const CnfDetectorPtr element = addElement(controller, false, 1, QStringLiteral("Loop"));
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("1");
        controller.addProgram(program);
        const QVariantList events {
            QVariantMap { { "detector", 1 }, { "indicator", 1 } },
            QVariantMap { { "detector", "Loop" } },
            QVariantMap { { "detector", 2 }, { "indicator", 1 } },
        };
        program->setProperty("detectors", events);
        QCOMPARE(renameElement(controller, element, 5), 3);
        const QVariantList expected {
            QVariantMap { { "detector", 5 }, { "indicator", 5 } },
            QVariantMap { { "detector", "Loop" } },
            QVariantMap { { "detector", 2 }, { "indicator", 5 } },
        };
        QCOMPARE(program->property("detectors").toList(), expected);
    }

    // The ZU_MOLT sample with D1 given id 5 in its dialog and saved: its I/O
    // channel and its program's event name 5, and nothing else of the file
    // changes.
    void changedIdInZuMoltSample()
    {
        const QJsonValue plain = savedZuMoltSample(dir, nullptr);
        const QJsonValue after = savedZuMoltSample(dir, [](MainWindow &window) {
            if (!selectRowOfId(table(window, "detectorsTable"), 1))
                return false;
            ModalAnswerer edit;
            edit.answerWith([](QWidget *modal) { typeIdAndAccept(modal, 5); });
            window.detectorsItemProperties();
            return edit.answered();
        });
        QVERIFY(plain.isObject() && after.isObject());

        QJsonValue expected = changedAt(plain, { "detectors", "items", "0", "id" }, 5);
        expected = changedAt(expected, { "inputsOutputs", "DIO1", "channels", "0", "detector" }, 5);
        expected
            = changedAt(expected, { "plans", "3", "algorithm", "detectors", "0", "detector" }, 5);
        QCOMPARE(QJsonDocument(after.toObject()).toJson(),
                 QJsonDocument(expected.toObject()).toJson());
    }

    // The TIVERK 3.18 sample with detector 3 given id 9 and saved: the file
    // differs from the original in that id only (nothing there names it).
    // The window fills the detectors table for TIVERK II and ZU_MOLT only, so
    // the test fills it to reach the dialog.
    void changedIdInTiverkSample()
    {
        const QString original
            = TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf"));
        const QString path = dir.filePath(QStringLiteral("tiverk318.cnf"));
        QFile::remove(path);
        QVERIFY(QFile::copy(original, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        MainWindow window;
        window.loadDocument(path);
        QVERIFY(window.document().lastError().isEmpty());
        window.updateDetectorsTables();
        QVERIFY(selectRowOfId(table(window, "detectorsTable"), 3));
        ModalAnswerer edit;
        edit.answerWith([](QWidget *modal) { typeIdAndAccept(modal, 9); });
        window.detectorsItemProperties();
        QVERIFY(edit.answered());
        child<QAction>(window, "actionSave")->trigger();
        QVERIFY(messageTexts(window).contains(QStringLiteral("Saving complete")));
        QByteArray expected = TestSupport::readFile(original);
        expected.replace("<Detector id=\"3\" ", "<Detector id=\"9\" ");
        QCOMPARE(TestSupport::readFile(path), expected);
    }

    // Detector 3 of the TIVERK 3.18 sample given id 9: the map detector that
    // stood for it stands for 9, after OK and after a save and a load; the
    // others keep theirs, and nothing else of the file changes.
    void mapDetectorFollows()
    {
        MainWindow window;
        const QString path = loadTiverkNetworkSample(window, dir);
        QVERIFY(!path.isEmpty());
        QCOMPARE(mapDetectorIds(window), QList<int>({ 1, 2, 3, 4 }));
        QVERIFY(selectRowOfId(table(window, "detectorsTable"), 3));
        ModalAnswerer edit;
        edit.answerWith([](QWidget *modal) { typeIdAndAccept(modal, 9); });
        window.detectorsItemProperties();
        QVERIFY(edit.answered());
        QCOMPARE(mapDetectorIds(window), QList<int>({ 1, 2, 9, 4 }));

        MainWindow reopened;
        QVERIFY(saveAndReopenSample(window, path, reopened));
        QCOMPARE(ids(reopened.document().controller().detectorsList()), QList<int>({ 1, 2, 9, 4 }));
        QCOMPARE(mapDetectorIds(reopened), QList<int>({ 1, 2, 9, 4 }));
        // The saved file differs from the sample only there.
        QByteArray expected = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf")));
        expected.replace("<Detector id=\"3\" ", "<Detector id=\"9\" ");
        expected.replace("name=\"Loop Station E\" tlId=\"3\"",
                         "name=\"Loop Station E\" tlId=\"9\"");
        QCOMPARE(TestSupport::readFile(path), expected);
    }

    void changedId_data()
    {
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        // The dialog shows the CPU key as the element's source and writes it
        // itself; the other key and the DIO2 and Signal channels follow by
        // the main window.
        QTest::newRow("detector")
            << false
            << QByteArray("{'modules': {'Keyboard': {'channels': [{'keyCode': 513, 'detector': 1}, "
                          "{'keyCode': 514, 'detector': 1, 'sensor': 1}]}, 'SystemBus': "
                          "{'devices': {'DIO2': {'channels': [{'channel': 1, 'detector': 1}, "
                          "{'channel': 2, 'detector': 2}]}}}}}")
            << QByteArray("{'modules': {'Keyboard': {'channels': [{'keyCode': 513, 'detector': 5}, "
                          "{'keyCode': 514, 'detector': 5, 'sensor': 1}]}, 'SystemBus': "
                          "{'devices': {'DIO2': {'channels': [{'channel': 1, 'detector': 5}, "
                          "{'channel': 2, 'detector': 2}]}}}}}");
        QTest::newRow("sensor")
            << true
            << QByteArray("{'modules': {'Keyboard': {'channels': [{'keyCode': 513, 'sensor': 1}, "
                          "{'keyCode': 514, 'detector': 1, 'sensor': 1}]}, 'SystemBus': "
                          "{'devices': {'DIO2': {'channels': [{'channel': 1, 'sensor': 1}, "
                          "{'channel': 2, 'detector': 1}]}}}}}")
            << QByteArray("{'modules': {'Keyboard': {'channels': [{'keyCode': 513, 'sensor': 5}, "
                          "{'keyCode': 514, 'detector': 1, 'sensor': 5}]}, 'SystemBus': "
                          "{'devices': {'DIO2': {'channels': [{'channel': 1, 'sensor': 5}, "
                          "{'channel': 2, 'detector': 1}]}}}}}");
    }

    // Element 1 "Loop" given id 5 in its properties dialog: its references,
    // and a sensor's link to a detector, read 5 after OK and after a save and
    // a load; the element added next, which gets the free id 1, starts
    // without a source and nothing names it.
    void changedId()
    {
        QFETCH(bool, sensor);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        MainWindow window;
        QVERIFY(loadDocument(window, dir));
        CnfController &controller = window.document().controller();
        for (bool kind : { false, true }) {
            addElement(controller, kind, 1, QStringLiteral("Loop"))
                ->setProperty("keycode", kind == sensor ? QVariant(513) : QVariant());
            addElement(controller, kind, 2, QStringLiteral("Other"));
        }
        const CnfDetectorPtr linked = addElement(controller, true, 7, QStringLiteral("Linked"));
        linked->setProperty("type", QStringLiteral("DetectorySensor"));
        linked->setProperty("detector", 1);
        setPlaces(controller, before);
        window.updateDetectorsTables();
        QTableWidget *elements = table(window, sensor ? "sensorsTable" : "detectorsTable");
        elements->item(0, 1)->setSelected(true);

        ModalAnswerer edit;
        edit.answerWith([](QWidget *modal) { typeIdAndAccept(modal, 5); });
        if (sensor)
            window.sensorsItemProperties();
        else
            window.detectorsItemProperties();
        QVERIFY(edit.answered());
        QCOMPARE(ids(sensor ? controller.sensorsList() : controller.detectorsList()),
                 sensor ? QList<int>({ 5, 2, 7 }) : QList<int>({ 5, 2 }));
        QCOMPARE(cellText(elements, 0, 0), QStringLiteral("5"));
        CnfController expected;
        setPlaces(expected, after);
        const QVariant linkAfter = sensor ? 1 : 5;
        QCOMPARE(places(controller), places(expected));
        QCOMPARE(link(controller), linkAfter);
        QCOMPARE(cellText(table(window, "sensorsTable"), 2, 2),
                 QStringLiteral("Link to detector %1").arg(linkAfter.toInt()));

        child<QAction>(window, "actionSave")->trigger();
        QVERIFY(messageTexts(window).contains(QStringLiteral("Saving complete")));
        MainWindow reopened;
        reopened.loadDocument(dir.filePath(QStringLiteral("elements.xcnf")));
        QVERIFY(reopened.document().lastError().isEmpty());
        QCOMPARE(places(reopened.document().controller()), places(expected));
        QCOMPARE(link(reopened.document().controller()), linkAfter);

        ModalAnswerer add;
        add.answerWith([](QWidget *modal) {
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        child<QAction>(window, sensor ? "sensAdd" : "dtAdd")->trigger();
        QVERIFY(add.answered());
        const CnfDetectorPtr next = sensor ? controller.findSensor(1) : controller.findDetector(1);
        QVERIFY(next);
        QCOMPARE(places(controller), places(expected));
        QCOMPARE(link(controller), linkAfter);
        QCOMPARE(cellText(elements, elements->rowCount() - 1, 2), QString());
        QCOMPARE(CnfReferences::clear(controller, CnfReferences::of(*next)), 0);
    }
};

PROJECT_TEST(TestDetectorRename);
#include "tst_detectorrename.moc"
