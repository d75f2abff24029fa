#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "elementfixtures.h"
#include "nativejson.h"
#include "plivek/mainwindow/detectorstable.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowTesting;
using namespace ElementFixtures;

namespace {

QList<int> columnIds(const QTableWidget *table)
{
    QList<int> result;
    for (int row = 0; row < table->rowCount(); ++row)
        result << cellText(table, row, 0).toInt();
    return result;
}

} // namespace

class TestDetectorTables : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    void load(MainWindow &window) { QVERIFY(loadDocument(window, dir)); }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    // The source text of element 1 "Loop" with the given properties over the
    // given "modules": each rule, and which rule wins when several apply.
    void sourceText_data()
    {
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<QByteArray>("modules");
        QTest::addColumn<QString>("expected");

        const QByteArray trafiCam
            = "'TrafiCam': [{'ti_host': 'cam1', 'ti_port': 5001, 'channels': [{'channel': 7, "
              "'detector': 1}]}]";
        const QByteArray signal = "'Signal': {'channels': [{'channel': 2, 'detector': 1}]}";

        QTest::newRow("nothing") << false << QByteArray() << QByteArray() << QString();
        QTest::newRow("I/O board") << false << QByteArray("{'dionumber': 2, 'diochannel': 4}")
                                   << QByteArray() << "Channel 4 of I/O board 2";
        QTest::newRow("key code 515 is channel 3")
            << false << QByteArray("{'keycode': 515}") << QByteArray() << "Channel 3 of CPU board";
        QTest::newRow("key code wins over the board")
            << false << QByteArray("{'keycode': 515, 'dionumber': 2, 'diochannel': 4}")
            << QByteArray() << "Channel 3 of CPU board";
        QTest::newRow("key code as text") << false << QByteArray("{'keycode': '514'}")
                                          << QByteArray() << "Channel 2 of CPU board";
        QTest::newRow("board wins over the modules")
            << false << QByteArray("{'dionumber': 2, 'diochannel': 4}") << "{" + trafiCam + "}"
            << "Channel 4 of I/O board 2";
        QTest::newRow("half a board searches the modules")
            << false << QByteArray("{'dionumber': 2}") << "{" + trafiCam + "}"
            << "Traficam cam1:5001, channel 7";
        QTest::newRow("TrafiCam before Signal")
            << false << QByteArray() << "{" + trafiCam + ", " + signal + "}"
            << "Traficam cam1:5001, channel 7";
        QTest::newRow("TrafiCam by name")
            << false << QByteArray()
            << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': []}, "
                          "{'ti_host': 'b', 'ti_port': "
                          "'2', 'channels': [{'channel': 3, 'detector': 9}, {'channel': 4, "
                          "'detector': 'Loop'}]}]}")
            << "Traficam b:2, channel 4";
        QTest::newRow("TrafficStream without port")
            << false << QByteArray()
            << QByteArray("{'TrafficStream': [{'url': 'http://ts%2Dhost/feed', 'channels': "
                          "[{'channel': 5, "
                          "'detector': 1}]}]}")
            << "TrafficStream ts-host:-1, channel 5";
        QTest::newRow("TrafficStream with port")
            << false << QByteArray()
            << QByteArray(
                   "{'TrafficStream': [{'url': 'tcp://10.0.0.4:7000', 'channels': [{'channel': 5, "
                   "'detector': '1'}]}]}")
            << "TrafficStream 10.0.0.4:7000, channel 5";
        QTest::newRow("Citilog")
            << false << QByteArray()
            << QByteArray(
                   "{'Citilog': [{'device_host': 'cl', 'device_port': 20800, 'cams': [{'id': 'x1', "
                   "'channels': [{'channel': 0, 'detector': 2}]}, {'id': 'x2', 'channels': "
                   "[{'channel': 3, "
                   "'detector': 1}]}]}]}")
            << "Citilog cl:20800, id=x2, channel 3";
        QTest::newRow("Priority") << false << QByteArray()
                                  << QByteArray(
                                         "{'Priority': {'channels': [{'detector': 'Loop'}]}}")
                                  << "Priority";
        QTest::newRow("SmartMicro") << false << QByteArray()
                                    << QByteArray("{'SmartMicro': {'sensors': [{'id': 's', "
                                                  "'channels': [{'detector': 1, 'zone': 2}]}]}}")
                                    << "SmartMicro";
        QTest::newRow("Azimuth list, user name hidden")
            << false << QByteArray()
            << QByteArray("{'AzimuthSSE': [{'url': 'http://x', 'sensors': []}, {'url': "
                          "'http://user:pw@az:8080/sse', "
                          "'sensors': [{'camera_id': 4, 'channels': [{'rcg_channel_id': 12, "
                          "'detector': 1}]}]}]}")
            << "Azimuth http://az:8080/sse, cam:4, chan:12";
        QTest::newRow("Azimuth single device")
            << false << QByteArray()
            << QByteArray("{'AzimuthSSE': {'url': 'http://az1/sse', 'sensors': [{'camera_id': 2, "
                          "'channels': "
                          "[{'rcg_channel_id': 0, 'detector': 1}]}]}}")
            << "Azimuth http://az1/sse, cam:2, chan:0";
        QTest::newRow("Signal by id") << false << QByteArray() << "{" + signal + "}"
                                      << "Channel 2 of Signal module";
        QTest::newRow("Signal by name")
            << false << QByteArray()
            << QByteArray("{'Signal': {'channels': [{'channel': 3, 'detector': 'Loop'}]}}")
            << "Channel 3 of Signal module";
        QTest::newRow("Signal: an id written as text is a name")
            << false << QByteArray()
            << QByteArray("{'Signal': {'channels': [{'channel': 3, 'detector': '1'}]}}")
            << QString();
        QTest::newRow("Signal: a channel that is no integer")
            << false << QByteArray()
            << QByteArray("{'Signal': {'channels': [{'channel': 'two', 'detector': 1}]}}")
            << QString();
        QTest::newRow("a sensor reference names no detector")
            << false << QByteArray()
            << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': [{'channel': "
                          "1, 'sensor': 1}]}]}")
            << QString();

        QTest::newRow("sensor: smart button wins over the key code")
            << true << QByteArray("{'type': 'SmartButton', 'keycode': 515}") << QByteArray()
            << "Smart button";
        QTest::newRow("sensor: key code")
            << true << QByteArray("{'keycode': 513, 'type': 'DetectorySensor'}") << QByteArray()
            << "Channel 1 of CPU board";
        QTest::newRow("sensor: link replaces the board")
            << true
            << QByteArray(
                   "{'type': 'DetectorySensor', 'detector': 4, 'dionumber': 1, 'diochannel': 2}")
            << QByteArray() << "Link to detector 4";
        QTest::newRow("sensor: link, no search")
            << true << QByteArray("{'type': 'DetectorySensor', 'detector': 'North'}")
            << QByteArray("{'Priority': {'channels': [{'sensor': 'Loop'}]}}")
            << "Link to detector North";
        QTest::newRow("sensor: TrafiCam")
            << true << QByteArray()
            << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': [{'channel': "
                          "1, 'detector': 1}, "
                          "{'channel': 9, 'sensor': 1}]}]}")
            << "Traficam a:1, channel 9";
        QTest::newRow("sensor: Signal by an id written as text")
            << true << QByteArray()
            << QByteArray("{'Signal': {'channels': [{'channel': 4, 'sensor': '1'}]}}")
            << "Channel 4 of Signal module";
        QTest::newRow("sensor: TrafficStream is not searched")
            << true << QByteArray()
            << QByteArray("{'TrafficStream': [{'url': 'tcp://h:1', 'channels': [{'channel': 5, "
                          "'sensor': 1}]}]}")
            << QString();
    }

    void sourceText()
    {
        QFETCH(bool, sensor);
        QFETCH(QByteArray, properties);
        QFETCH(QByteArray, modules);
        QFETCH(QString, expected);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(QStringLiteral("modules"), NativeJson::map(modules));
        const CnfDetectorPtr element = addElement(controller, sensor, 1, QStringLiteral("Loop"));
        const QVariantMap values = NativeJson::map(properties);
        for (auto it = values.begin(); it != values.end(); ++it)
            element->setProperty(it.key().toUtf8().constData(), it.value());
        const QString text = sensor ? DetectorsTable::sensorSource(controller, *element)
                                    : DetectorsTable::detectorSource(controller, *element);
        QCOMPARE(text, expected);
    }

    // The tables show id, name and source, and fill without a signal per cell.
    void refresh()
    {
        MainWindow window;
        load(window);
        CnfController &controller = window.document().controller();
        addElement(controller, false, 3, QStringLiteral("North"))->setProperty("keycode", 516);
        addElement(controller, false, 1, QStringLiteral("South"));
        addElement(controller, true, 1, QStringLiteral("Button"))
            ->setProperty("type", "SmartButton");
        QTableWidget *detectors = table(window, "detectorsTable");
        QSignalSpy changes(detectors, &QTableWidget::itemChanged);
        window.updateDetectorsTables();
        QCOMPARE(changes.count(), 0);
        QCOMPARE(detectors->rowCount(), 2);
        QCOMPARE(cellText(detectors, 0, 0), QStringLiteral("3"));
        QCOMPARE(cellText(detectors, 0, 1), QStringLiteral("North"));
        QCOMPARE(cellText(detectors, 0, 2), QStringLiteral("Channel 4 of CPU board"));
        QCOMPARE(cellText(detectors, 1, 2), QString());
        QVERIFY(!(detectors->item(0, 1)->flags() & Qt::ItemIsEditable));
        QCOMPARE(cellText(table(window, "sensorsTable"), 0, 2), QStringLiteral("Smart button"));
    }

    // Sorting stores ascending ids, keeps equal ids in their order and marks
    // the document changed even when nothing moved.
    void sort_data()
    {
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("detectors") << false << QList<int> { 5, 2, 9 } << QList<int> { 2, 5, 9 };
        QTest::newRow("sensors") << true << QList<int> { 5, 2, 9 } << QList<int> { 2, 5, 9 };
        QTest::newRow("already sorted") << false << QList<int> { 1, 2 } << QList<int> { 1, 2 };
    }

    void sort()
    {
        QFETCH(bool, sensor);
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        MainWindow window;
        load(window);
        CnfController &controller = window.document().controller();
        for (int id : before)
            addElement(controller, sensor, id);
        window.updateDetectorsTables();
        QVERIFY(!window.document().isChanged());
        child<QAction>(window, sensor ? "sortSensItems" : "sortDtItems")->trigger();
        QCOMPARE(ids(sensor ? controller.sensorsList() : controller.detectorsList()), after);
        QCOMPARE(columnIds(table(window, sensor ? "sensorsTable" : "detectorsTable")), after);
        QVERIFY(window.document().isChanged());
    }

    void sortIsStable()
    {
        QList<CnfDetectorPtr> elements;
        for (int id : { 3, 1, 3, 1 }) {
            elements << CnfDetectorPtr::create();
            elements.last()->setId(id);
        }
        const QList<CnfDetectorPtr> sorted = DetectorsTable::sortedById(elements);
        QCOMPARE(sorted,
                 (QList<CnfDetectorPtr> { elements[1], elements[3], elements[0], elements[2] }));
    }

    // Dragged rows of the sensor table reorder the sensors only; a table whose
    // rows do not map one to one onto sensors is refused.
    void rowOrder_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("sensors");
        QTest::addColumn<bool>("changed");
        QTest::newRow("moved") << QStringList { "3", "1", "2" } << QList<int> { 3, 1, 2 } << true;
        QTest::newRow("twice") << QStringList { "3", "3", "2" } << QList<int> { 1, 2, 3 } << false;
        QTest::newRow("unknown id")
            << QStringList { "3", "7", "2" } << QList<int> { 1, 2, 3 } << false;
        QTest::newRow("empty cell")
            << QStringList { "3", QString(), "2" } << QList<int> { 1, 2, 3 } << false;
    }

    void rowOrder()
    {
        QFETCH(QStringList, rows);
        QFETCH(QList<int>, sensors);
        QFETCH(bool, changed);
        MainWindow window;
        load(window);
        CnfController &controller = window.document().controller();
        for (int id : { 1, 2, 3 }) {
            addElement(controller, true, id);
            addElement(controller, false, id);
        }
        window.updateDetectorsTables();
        QTableWidget *sensorsTable = table(window, "sensorsTable");
        for (int row = 0; row < rows.size(); ++row) {
            if (rows.at(row).isEmpty())
                delete sensorsTable->takeItem(row, 0);
            else
                sensorsTable->item(row, 0)->setText(rows.at(row));
        }
        QVERIFY(QMetaObject::invokeMethod(sensorsTable, "rowOrderChanged"));
        QCOMPARE(ids(controller.sensorsList()), sensors);
        QCOMPARE(ids(controller.detectorsList()), (QList<int> { 1, 2, 3 }));
        QCOMPARE(window.document().isChanged(), changed);
    }
};

PROJECT_TEST(TestDetectorTables);
#include "tst_detectortables.moc"
