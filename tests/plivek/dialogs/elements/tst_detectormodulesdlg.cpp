#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "nativejson.h"
#include "plivek/dialogs/elements/detectormodulesdlg.h"
#include "testmain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSysInfo>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

template<typename T> T *widget(const QDialog &dialog, const char *name)
{
    T *found = dialog.findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no widget %s", name);
    return found;
}

QListWidget *list(const QDialog &dialog, const char *name)
{
    return widget<QListWidget>(dialog, name);
}

// Types into a field and leaves it, as the user does.
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

QByteArray modulesText(const CnfController &controller)
{
    return NativeJson::text(controller.getNativeData(QStringLiteral("modules")));
}

} // namespace

class TestDetectorModulesDlg : public QObject
{
    Q_OBJECT
private:
    CnfController controller;

    void setModules(const QByteArray &json)
    {
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(QStringLiteral("modules"), NativeJson::map(json));
    }

private slots:
    // None of the seven kinds: empty lists, hidden parameter groups, the form
    // defaults; OK writes the three lists and nothing else.
    void emptyModules()
    {
        setModules("{'Signal': {'channels': [{'channel': 1, 'detector': 1}]}}");
        DetectorModulesDlg dialog(&controller);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Detector modules"));
        auto *tabs = widget<QTabWidget>(dialog, "tabWidget");
        QCOMPARE(tabs->currentIndex(), 4);
        QCOMPARE(tabs->tabText(0), QStringLiteral("TrafficCam"));
        QCOMPARE(tabs->count(), 7);
        QVERIFY(widget<QWidget>(dialog, "ti_param")->isHidden());
        QVERIFY(widget<QWidget>(dialog, "cl_param")->isHidden());
        QVERIFY(!widget<QWidget>(dialog, "sm_sens_param")->isHidden());
        QVERIFY(!widget<QGroupBox>(dialog, "prio_param")->isChecked());
        QCOMPARE(widget<QSpinBox>(dialog, "prio_port")->value(), 9337);
        QCOMPARE(widget<QLineEdit>(dialog, "prio_host")->text(), QSysInfo::machineHostName());
        QVERIFY(!widget<QGroupBox>(dialog, "sbEnabled")->isChecked());
        QVERIFY(widget<QRadioButton>(dialog, "sm_connection_ma")->isChecked());
        QVERIFY(widget<QLineEdit>(dialog, "sm_listen_ip")->isEnabled());
        QVERIFY(!widget<QLineEdit>(dialog, "sm_amqp_url")->isEnabled());
        QCOMPARE(widget<QLineEdit>(dialog, "sm_listen_ip")->text(), QStringLiteral("0.0.0.0"));
        QCOMPARE(widget<QSpinBox>(dialog, "sm_listen_port")->value(), 40005);
        QVERIFY(!widget<QToolButton>(dialog, "remove_ti")->isEnabled());
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(modulesText(controller),
                 NativeJson::text(
                     NativeJson::value("{'Signal': {'channels': [{'channel': 1, 'detector': 1}]}, "
                                       "'TrafiCam': [], 'TrafficStream': [], 'Citilog': []}")));
    }

    // The channel assignments inside every entry survive the edits of host,
    // port, url, id and type.
    void channelsSurviveEdits()
    {
        setModules(
            "{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': [{'channel': 4, 'detector': "
            "1}]}], "
            "'Citilog': [{'device_host': 'c', 'device_port': 2, 'cams': [{'id': 'x1', 'channels': "
            "[{'channel': 0, 'sensor': 2}]}]}], "
            "'TrafficStream': [{'url': 'tcp://t:1', 'channels': [{'channel': 3, 'detector': 5}]}], "
            "'SmartMicro': {'adapter_id': 'A', 'listen_ip': '1.2.3.4', 'listen_port': 7, "
            "'sensors': "
            "[{'id': 's1', 'type': 'UMRR-0C', 'channels': [{'detector': 6, 'zone': 1}]}]}, "
            "'Priority': {'url': 'tcp://p:5', 'channels': [{'detector': 'Bus'}]}}");
        DetectorModulesDlg dialog(&controller);
        typeInto(widget<QLineEdit>(dialog, "ti_host"), QStringLiteral("b"));
        auto *tiPort = widget<QSpinBox>(dialog, "ti_port");
        tiPort->setValue(9);
        emit tiPort->editingFinished();
        QCOMPARE(list(dialog, "ti_list")->item(0)->text(), QStringLiteral("b:9"));
        typeInto(widget<QLineEdit>(dialog, "cl_host"), QStringLiteral("d"));
        list(dialog, "cam_list")->item(0)->setText(QStringLiteral("x2"));
        list(dialog, "ts_url_list")->item(0)->setText(QStringLiteral("tcp://u:2"));
        widget<QLineEdit>(dialog, "sm_sensor_id")->setText(QStringLiteral("s2"));
        widget<QComboBox>(dialog, "sm_sens_type")->setCurrentText(QStringLiteral("UMRR-11"));
        widget<QPushButton>(dialog, "sm_save_sensor")->click();
        widget<QSpinBox>(dialog, "prio_port")->setValue(6);
        dialog.accept();
        QCOMPARE(
            modulesText(controller),
            NativeJson::text(NativeJson::value(
                "{'TrafiCam': [{'ti_host': 'b', 'ti_port': 9, 'channels': [{'channel': 4, "
                "'detector': 1}]}], "
                "'Citilog': [{'device_host': 'd', 'device_port': 2, 'cams': [{'id': 'x2', "
                "'channels': "
                "[{'channel': 0, 'sensor': 2}]}]}], "
                "'TrafficStream': [{'url': 'tcp://u:2', 'channels': [{'channel': 3, 'detector': "
                "5}]}], "
                "'SmartMicro': {'adapter_id': 'A', 'listen_ip': '1.2.3.4', 'listen_port': 7, "
                "'sensors': "
                "[{'id': 's2', 'type': 'UMRR-11', 'channels': [{'detector': 6, 'zone': 1}]}]}, "
                "'Priority': {'url': 'tcp://p:6', 'channels': [{'detector': 'Bus'}]}}")));
    }

    // The Priority URL is always written "tcp://host:port".
    void priorityUrl_data()
    {
        QTest::addColumn<QByteArray>("url");
        QTest::addColumn<QString>("stored");
        QTest::newRow("no port") << QByteArray("tcp://prio") << QStringLiteral("tcp://prio:0");
        QTest::newRow("other scheme")
            << QByteArray("http://prio:8080/x") << QStringLiteral("tcp://prio:8080");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("tcp://:0");
    }

    void priorityUrl()
    {
        QFETCH(QByteArray, url);
        QFETCH(QString, stored);
        setModules("{'Priority': {'url': '" + url + "'}}");
        DetectorModulesDlg dialog(&controller);
        QVERIFY(widget<QGroupBox>(dialog, "prio_param")->isChecked());
        dialog.accept();
        QCOMPARE(controller.nativeData()["modules"]["Priority"]["url"].toString(), stored);
    }

    // Switched off, Priority and SmartButton go whole; SmartButton's baud
    // rate is text.
    void switches()
    {
        setModules("{'Priority': {'url': 'tcp://p:1', 'channels': [{'detector': 'Bus'}]}}");
        DetectorModulesDlg dialog(&controller);
        widget<QGroupBox>(dialog, "prio_param")->setChecked(false);
        widget<QGroupBox>(dialog, "sbEnabled")->setChecked(true);
        dialog.accept();
        const VObject modules = controller.nativeData()["modules"];
        QVERIFY(!modules.contains(QStringLiteral("Priority")));
        QCOMPARE(modules["SmartButton"]["portName"].toString(), QStringLiteral("/dev/ttyO3"));
        QCOMPARE(modules["SmartButton"]["baudRate"].type(), int(QMetaType::QString));
        QCOMPARE(modules["SmartButton"]["baudRate"].toString(), QStringLiteral("9600"));
    }

    // SmartMicro keeps only the keys of the chosen connection, and goes whole
    // when its adapter id is cleared.
    void smartMicro_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("clearAdapter");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("AMQP drops the listen keys")
            << QByteArray("{'adapter_id': 'A', 'listen_ip': '1.1.1.1', 'listen_port': 3, "
                          "'amqp_url': '', 'x': 1}")
            << false
            << QByteArray("{'adapter_id': 'A', 'amqp_url': '', 'amqp_pvr_queue': 'TOVEL.PVR', 'x': "
                          "1, 'sensors': []}");
        QTest::newRow("MultiAdapter drops the AMQP keys")
            << QByteArray("{'adapter_id': 'A', 'amqp_pvr_queue': 'Q'}") << false
            << QByteArray("{'adapter_id': 'A', 'listen_ip': '0.0.0.0', 'listen_port': 40005, "
                          "'sensors': []}");
        QTest::newRow("cleared adapter id")
            << QByteArray("{'adapter_id': 'A', 'sensors': [{'id': 's', 'type': 'T', 'channels': "
                          "[{'detector': 1}]}]}")
            << true << QByteArray();
    }

    void smartMicro()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, clearAdapter);
        QFETCH(QByteArray, after);
        setModules("{'SmartMicro': " + before + "}");
        DetectorModulesDlg dialog(&controller);
        if (clearAdapter)
            widget<QLineEdit>(dialog, "sm_adapter_id")->clear();
        dialog.accept();
        const VObject smartMicro = controller.nativeData()["modules"]["SmartMicro"];
        if (after.isEmpty())
            QVERIFY(smartMicro.isNull());
        else
            QCOMPARE(NativeJson::text(smartMicro.toVariant()),
                     NativeJson::text(NativeJson::value(after)));
    }

    // A sensor type the list does not know is offered and kept.
    void unknownSensorType()
    {
        setModules(
            "{'SmartMicro': {'adapter_id': 'A', 'sensors': [{'id': 's', 'type': 'UMRR-99'}]}}");
        DetectorModulesDlg dialog(&controller);
        auto *types = widget<QComboBox>(dialog, "sm_sens_type");
        QCOMPARE(types->count(), 3);
        QCOMPARE(types->currentText(), QStringLiteral("UMRR-99"));
        dialog.accept();
        QCOMPARE(controller.nativeData()["modules"]["SmartMicro"]["sensors"][0]["type"].toString(),
                 QStringLiteral("UMRR-99"));
    }

    // Azimuth is always written as a list of {url, sensors}; an entry without
    // a URL is not shown and so goes.
    void azimuth_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("single object")
            << QByteArray("{'url': 'http://az', 'extra': 1, 'sensors': [{'camera_id': 1, "
                          "'channels': []}]}")
            << QByteArray("[{'url': 'http://az', 'sensors': [{'camera_id': 1, 'channels': []}]}]");
        QTest::newRow("single object without url")
            << QByteArray("{'url': '', 'sensors': []}") << QByteArray();
        QTest::newRow("list")
            << QByteArray("[{'url': 'a'}, {'url': ''}, {'url': 'b', 'sensors': [1]}]")
            << QByteArray("[{'url': 'a', 'sensors': []}, {'url': 'b', 'sensors': [1]}]");
    }

    void azimuth()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        setModules("{'AzimuthSSE': " + before + "}");
        DetectorModulesDlg dialog(&controller);
        dialog.accept();
        const VObject azimuth = controller.nativeData()["modules"]["AzimuthSSE"];
        if (after.isEmpty())
            QVERIFY(azimuth.isNull());
        else
            QCOMPARE(NativeJson::text(azimuth.toVariant()),
                     NativeJson::text(NativeJson::value(after)));
    }

    // New modules take the local host and their port; an added xcam module is
    // kept even when its id is never typed.
    void addModules()
    {
        setModules(
            "{'Citilog': [{'device_host': 'c', 'device_port': 2, 'cams': [{'id': 'x1', 'channels': "
            "[{'channel': 0, 'detector': 1}]}]}]}");
        DetectorModulesDlg dialog(&controller);
        widget<QToolButton>(dialog, "add_xcam")->click();
        QCOMPARE(list(dialog, "cam_list")->count(), 2);
        widget<QToolButton>(dialog, "add_ti")->click();
        widget<QToolButton>(dialog, "add_cl")->click();
        QVERIFY(!widget<QWidget>(dialog, "ti_param")->isHidden());
        QCOMPARE(list(dialog, "cam_list")->count(), 0);
        const QString host = QSysInfo::machineHostName();
        QCOMPARE(list(dialog, "ti_list")->item(0)->text(), host + QStringLiteral(":5001"));
        QCOMPARE(list(dialog, "cl_modules")->item(1)->text(), host + QStringLiteral(":20800"));
        dialog.accept();
        const VObject modules = controller.nativeData()["modules"];
        QCOMPARE(
            NativeJson::text(modules["Citilog"][0]["cams"].toVariant()),
            NativeJson::text(NativeJson::value("[{'id': 'x1', 'channels': [{'channel': 0, "
                                               "'detector': 1}]}, {'id': '', 'channels': []}]")));
        QCOMPARE(modules["TrafiCam"][0]["ti_port"].toInt(), 5001);
        QCOMPARE(modules["TrafiCam"][0]["ti_host"].toString(), host);
        QCOMPARE(modules["Citilog"][1]["device_port"].toInt(), 20800);
    }

    // Removing the current module shows the next one; removing the last
    // hides the parameters; Cancel writes nothing.
    void removeAndCancel()
    {
        setModules(
            "{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1}, {'ti_host': 'b', 'ti_port': 2}]}");
        const QByteArray before = modulesText(controller);
        DetectorModulesDlg dialog(&controller);
        widget<QToolButton>(dialog, "remove_ti")->click();
        QCOMPARE(widget<QLineEdit>(dialog, "ti_host")->text(), QStringLiteral("b"));
        widget<QToolButton>(dialog, "remove_ti")->click();
        QVERIFY(widget<QWidget>(dialog, "ti_param")->isHidden());
        QVERIFY(!widget<QToolButton>(dialog, "remove_ti")->isEnabled());
        dialog.reject();
        QCOMPARE(modulesText(controller), before);
    }
};

PROJECT_TEST(TestDetectorModulesDlg);
#include "tst_detectormodulesdlg.moc"
