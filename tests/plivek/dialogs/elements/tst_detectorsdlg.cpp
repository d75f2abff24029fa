#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "modalanswerer.h"
#include "nativejson.h"
#include "plivek/dialogs/elements/detectorsdlg.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

namespace {

template<typename T> T *widget(const QDialog &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

QComboBox *combo(const QDialog &dialog, const char *name)
{
    return widget<QComboBox>(dialog, name);
}

QStringList itemTexts(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QStringList numbers(int first, int last)
{
    QStringList texts;
    for (int i = first; i <= last; ++i)
        texts << QString::number(i);
    return texts;
}

QString shownPage(const QDialog &dialog)
{
    return widget<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName();
}

// Does what a user does in the dialog, step by step: "name=value" chooses
// the item of that text in a combo box (or types it into an editable one),
// sets a spin box or a line edit; a bare name checks a radio button.
void apply(const QDialog &dialog, const QString &script)
{
    for (const QString &step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = step.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = step.section(QLatin1Char('='), 1);
        QWidget *target = dialog.findChild<QWidget *>(name);
        QVERIFY2(target, qPrintable(name));
        if (auto *box = qobject_cast<QComboBox *>(target)) {
            if (box->isEditable()) {
                box->setEditText(value);
            } else {
                const int index = box->findText(value);
                QVERIFY2(index >= 0, qPrintable(step));
                box->setCurrentIndex(index);
            }
        } else if (auto *spin = qobject_cast<QSpinBox *>(target)) {
            spin->setValue(value.toInt());
        } else if (auto *edit = qobject_cast<QLineEdit *>(target)) {
            edit->setText(value);
        } else if (auto *radio = qobject_cast<QRadioButton *>(target)) {
            radio->setChecked(true);
        }
    }
}

// The source properties of the element that are set, as JSON.
QByteArray sourceProperties(const CnfDetector &element)
{
    QVariantMap properties;
    for (const char *name : { "dionumber", "diochannel", "keycode", "type", "detector", "alerts",
                              "deviceName", "source", "dio2channel" }) {
        const QVariant value = element.property(name);
        if (value.isValid())
            properties.insert(QLatin1String(name), value);
    }
    return NativeJson::text(properties);
}

} // namespace

class TestDetectorsDlg : public QObject
{
    Q_OBJECT
private:
    CnfController controller;
    CnfDetectorPtr element;

    // Element 1 "Loop" (a detector or a sensor) of a controller of the family
    // with the given "modules" and element properties; detector 4 "North"
    // and sensor 4 "Gate" besides.
    void setUp(const QString &family, bool sensor, const QByteArray &modules,
               const QByteArray &properties = {})
    {
        CnfNative::initController(controller, family,
                                  family == QLatin1String("tiverk") ? QStringLiteral("3.18")
                                                                    : QString());
        controller.setNativeData(QStringLiteral("modules"), NativeJson::map(modules));
        for (bool kind : { false, true }) {
            auto other = CnfDetectorPtr::create();
            other->setId(4);
            other->setName(kind ? QStringLiteral("Gate") : QStringLiteral("North"));
            kind ? controller.addSensor(other) : controller.addDetector(other);
        }
        element = CnfDetectorPtr::create();
        element->setId(1);
        element->setName(QStringLiteral("Loop"));
        element->setSensor(sensor);
        const QVariantMap values = NativeJson::map(properties);
        for (auto it = values.begin(); it != values.end(); ++it)
            element->setProperty(it.key().toUtf8().constData(), it.value());
        sensor ? controller.addSensor(element) : controller.addDetector(element);
    }

private slots:
    // The source list: boards, Signal channels, CPU keys, module kinds; only
    // TIVERK II gets more than the nine boards.
    void sources_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<QByteArray>("modules");
        QTest::addColumn<QStringList>("items");

        QStringList boards;
        for (int n = 1; n <= 9; ++n)
            boards << QStringLiteral("I/O board %1").arg(n);
        const QByteArray all = "{'TrafiCam': [{'ti_host': 'h', 'ti_port': 1}], 'Citilog': "
                               "[{'device_host': 'c', 'device_port': 2}], "
                               "'Priority': {}, 'SmartButton': {}, 'SmartMicro': {}, 'AzimuthSSE': "
                               "[], 'TrafficStream': [{'url': 'u'}], "
                               "'Signal': {'channels': [{'channel': 2, 'detector': 4}, {'channel': "
                               "3, 'sensor': 'Loop'}]}, "
                               "'Keyboard': {'channels': [{'keyCode': 514, 'detector': 4}, "
                               "{'keyCode': 516, 'sensor': 4}]}}";
        const QStringList signalChannels { "Channel 1 of Signal module",
                                           "Channel 3 of Signal module",
                                           "Channel 4 of Signal module" };
        const QStringList keys { "Channel 1 of CPU board", "Channel 3 of CPU board",
                                 "Channel 4 of CPU board", "Channel 5 of CPU board",
                                 "Channel 6 of CPU board" };
        QTest::newRow("TIVERK 3.x") << "tiverk" << false << all << boards;
        QTest::newRow("adapter") << "adapter" << false << all << boards;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT" << false << all << boards;
        QTest::newRow("TIVERK II detector") << "tiverkii" << false << all
                                            << boards + signalChannels + keys
                + QStringList { "TrafiCam",   "Citilog", "Priority",
                                "SmartMicro", "Azimuth", "TrafficStream" };
        QTest::newRow("TIVERK II sensor") << "tiverkii" << true << all
                                          << boards
                + QStringList { "Channel 1 of Signal module",
                                "Channel 2 of Signal module",
                                "Channel 3 of Signal module",
                                "Channel 4 of Signal module",
                                "Channel 1 of CPU board",
                                "Channel 2 of CPU board",
                                "Channel 3 of CPU board",
                                "Channel 5 of CPU board",
                                "Channel 6 of CPU board",
                                "TrafiCam",
                                "Citilog",
                                "Priority",
                                "Smart button",
                                "SmartMicro",
                                "Azimuth",
                                "TrafficStream",
                                "Link to detector" };
    }

    void sources()
    {
        QFETCH(QString, family);
        QFETCH(bool, sensor);
        QFETCH(QByteArray, modules);
        QFETCH(QStringList, items);
        setUp(family, sensor, modules);
        DetectorsDlg dialog(&controller, element, false);
        QCOMPARE(dialog.windowTitle(),
                 sensor ? QStringLiteral("Sensor") : QStringLiteral("Detector"));
        QCOMPARE(itemTexts(combo(dialog, "type")), items);
        QCOMPARE(combo(dialog, "type")->itemData(9, DetectorsDlg::KindRole).toInt(),
                 family == QLatin1String("tiverkii") ? int(DetectorsDlg::SignalChannel) : 0);
        if (family == QLatin1String("tiverkii") && !sensor)
            QCOMPARE(combo(dialog, "type")->itemData(10, DetectorsDlg::SignalChannelRole).toInt(),
                     3);
        combo(dialog, "type")->setCurrentIndex(4);
        QCOMPARE(shownPage(dialog), QStringLiteral("dioPage"));
        QCOMPARE(itemTexts(combo(dialog, "dio_channel")), numbers(1, 16));
    }

    // Which boards and channels are offered: a board whose 16 channel numbers
    // are all held is left out, unless the element has a channel elsewhere;
    // outputs hold a channel on boards 1 to 4 and 9 only.
    void boards_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<int>("board");
        QTest::addColumn<QStringList>("channels");

        QByteArray fullBoard = "{'DIO2': {'channels': [";
        for (int ch = 1; ch <= 16; ++ch)
            fullBoard += QByteArray(ch > 1 ? ", " : "") + "{'channel': " + QByteArray::number(ch)
                + ", 'detector': 9}";
        fullBoard += "]}}";
        QByteArray sharedNumbers = "{'DIO2': {'channels': [{'channel': 1, 'detector': 9}";
        for (int ch = 1; ch <= 15; ++ch)
            sharedNumbers += ", {'channel': " + QByteArray::number(ch) + ", 'detector': 8}";
        sharedNumbers += "]}}";

        QTest::newRow("full board left out")
            << fullBoard << QByteArray() << 2 << QStringList { "missing" };
        QTest::newRow("full board offered to an element with a channel elsewhere")
            << fullBoard << QByteArray("{'dionumber': 1, 'diochannel': 3}") << 2 << QStringList();
        QTest::newRow("16 entries on 15 numbers")
            << sharedNumbers << QByteArray() << 2 << QStringList { "16" };
        QTest::newRow("own channel, the other kind's entry")
            << QByteArray("{'DIO3': {'channels': [{'channel': 1, 'detector': 9}, {'channel': 2, "
                          "'detector': 1}, "
                          "{'channel': 2, 'sensor': 1}, {'channel': 3, 'sensor': 5}]}}")
            << QByteArray("{'dionumber': 3, 'diochannel': 2}") << 3 << numbers(2, 16);
        QTest::newRow("board 5: an output shares")
            << QByteArray("{'DIO5': {'channels': [{'channel': 3, 'output': 2}]}}") << QByteArray()
            << 5 << numbers(1, 16);
        QTest::newRow("board 1: an output holds")
            << QByteArray("{'DIO1': {'channels': [{'channel': 3, 'output': 2}]}}") << QByteArray()
            << 1 << (QStringList { "1", "2" } + numbers(4, 16));
    }

    void boards()
    {
        QFETCH(QByteArray, devices);
        QFETCH(QByteArray, properties);
        QFETCH(int, board);
        QFETCH(QStringList, channels);
        setUp(QStringLiteral("tiverkii"), false, "{'SystemBus': {'devices': " + devices + "}}",
              properties);
        DetectorsDlg dialog(&controller, element, false);
        const int index
            = combo(dialog, "type")->findText(QStringLiteral("I/O board %1").arg(board));
        if (channels == QStringList { "missing" }) {
            QCOMPARE(index, -1);
            return;
        }
        QVERIFY(index >= 0);
        combo(dialog, "type")->setCurrentIndex(index);
        QCOMPARE(itemTexts(combo(dialog, "dio_channel")), channels);
    }

    // A new sensor skips the module scans except Priority, so nothing is
    // chosen unless a Priority channel already holds its default name.
    void newSensor_data()
    {
        QTest::addColumn<QByteArray>("priority");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("nothing chosen") << QByteArray("{'channels': []}") << QString();
        QTest::newRow("Priority holds the name")
            << QByteArray("{'channels': [{'sensor': 'Sensor.1'}]}") << QStringLiteral("Priority");
    }

    void newSensor()
    {
        QFETCH(QByteArray, priority);
        QFETCH(QString, chosen);
        setUp(QStringLiteral("tiverkii"), true,
              "{'TrafiCam': [{'ti_host': 'h', 'ti_port': 1, 'channels': [{'channel': 1, 'sensor': "
              "2}]}], "
              "'SmartButton': {}, 'SmartMicro': {'sensors': [{'id': 's', 'channels': [{'detector': "
              "2}]}]}, "
              "'Priority': "
                  + priority + "}");
        auto added = CnfDetectorPtr::create();
        added->setSensor(true);
        added->setId(2);
        added->setProperty("type", QStringLiteral("SmartButton"));
        DetectorsDlg dialog(&controller, added, true);
        QCOMPARE(added->name(), QStringLiteral("Sensor.1"));
        QCOMPARE(widget<QLineEdit>(dialog, "name")->text(), QStringLiteral("Sensor.1"));
        QCOMPARE(widget<QSpinBox>(dialog, "number")->value(), 2);
        QCOMPARE(combo(dialog, "type")->currentText(), chosen);
        QCOMPARE(shownPage(dialog), QStringLiteral("noParamPage"));
        // The empty page says what to choose only while nothing is chosen.
        QCOMPARE(!widget<QWidget>(dialog, "sourceHint")->isHidden(), chosen.isEmpty());
        QVERIFY(!widget<QWidget>(dialog, "journal_messages")->isHidden());
    }

    // Alert levels go by position; an unknown level leaves no item.
    void alertLevels_data()
    {
        QTest::addColumn<QByteArray>("alerts");
        QTest::addColumn<int>("on");
        QTest::addColumn<int>("off");
        QTest::newRow("warn and trace")
            << QByteArray("{'true': {'message': 'm', 'level': 'WARN'}, 'false': "
                          "{'message': 'n', 'level': 'TRACE'}}")
            << 1 << 4;
        QTest::newRow("absent level is INFO") << QByteArray("{'true': {'message': 'm'}}") << 0 << 0;
        QTest::newRow("unknown level")
            << QByteArray("{'true': {'message': 'm', 'level': 'LOUD'}}") << -1 << 0;
    }

    void alertLevels()
    {
        QFETCH(QByteArray, alerts);
        QFETCH(int, on);
        QFETCH(int, off);
        setUp(QStringLiteral("tiverkii"), true, "{}", "{'alerts': " + alerts + "}");
        DetectorsDlg dialog(&controller, element, false);
        QCOMPARE(combo(dialog, "on_level")->currentIndex(), on);
        QCOMPARE(combo(dialog, "off_level")->currentIndex(), off);
        QCOMPARE(widget<QLineEdit>(dialog, "on_msg")->text(), QStringLiteral("m"));
    }

    // TrafiCam: a new element gets the first module and its first free
    // channel; an existing one its own channel, or nothing.
    void trafiCam_data()
    {
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<QByteArray>("channels");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("channel");
        QTest::addColumn<int>("offered");
        QTest::newRow("new") << true << QByteArray("[{'channel': 1, 'sensor': 1}]") << "a:1"
                             << "2" << 99;
        QTest::newRow("existing, not linked")
            << false << QByteArray("[{'channel': 1, 'sensor': 1}]") << QString() << QString() << 99;
        QTest::newRow("existing, own channel")
            << false
            << QByteArray("[{'channel': 1, 'sensor': 1}, {'channel': 7, 'detector': 'Loop'}]")
            << "a:1"
            << "7" << 99;
    }

    void trafiCam()
    {
        QFETCH(bool, isNew);
        QFETCH(QByteArray, channels);
        QFETCH(QString, module);
        QFETCH(QString, channel);
        QFETCH(int, offered);
        setUp(QStringLiteral("tiverkii"), false,
              "{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': " + channels
                  + "}, {'ti_host': 'b', 'ti_port': 2, 'channels': []}]}");
        DetectorsDlg dialog(&controller, element, isNew);
        apply(dialog, QStringLiteral("type=TrafiCam"));
        QCOMPARE(shownPage(dialog), QStringLiteral("traficamPage"));
        QCOMPARE(combo(dialog, "ti_modules")->currentText(), module);
        QCOMPARE(combo(dialog, "ti_channels")->currentText(), channel);
        apply(dialog, QStringLiteral("ti_modules=b:2"));
        QCOMPARE(itemTexts(combo(dialog, "ti_channels")), numbers(1, 100));
        apply(dialog, QStringLiteral("ti_modules=a:1"));
        QCOMPARE(combo(dialog, "ti_channels")->count(), offered);
        QCOMPARE(combo(dialog, "ti_channels")->findText(QStringLiteral("1")), -1);
    }

    void xcamChannels()
    {
        setUp(
            QStringLiteral("tiverkii"), false,
            "{'Citilog': [{'device_host': 'c', 'device_port': 2, 'cams': [{'id': 'x', 'channels': "
            "[{'channel': 0, 'detector': 4}]}]}]}");
        DetectorsDlg dialog(&controller, element, true);
        apply(dialog, QStringLiteral("type=Citilog"));
        QCOMPARE(combo(dialog, "xcam_modules")->currentText(), QStringLiteral("x"));
        QCOMPARE(itemTexts(combo(dialog, "xcam_channel")), numbers(1, 15));
    }

    // A new element on a TrafficStream entry whose channels 1, 2 and 4 are
    // used sees them and is offered 3.
    void trafficStreamProposal()
    {
        setUp(QStringLiteral("tiverkii"), false,
              "{'TrafficStream': [{'url': 'tcp://t:1', 'channels': [{'channel': 1, 'detector': 4}, "
              "{'channel': 2, "
              "'sensor': 1}, {'channel': 4, 'detector': 9}, {'channel': 5}]}]}");
        DetectorsDlg dialog(&controller, element, true);
        apply(dialog, QStringLiteral("type=TrafficStream"));
        QCOMPARE(itemTexts(combo(dialog, "ts_channels")), (QStringList { "1", "2", "4" }));
        QCOMPARE(combo(dialog, "ts_channels")->currentIndex(), -1);
        QCOMPARE(combo(dialog, "ts_channels")->currentText(), QStringLiteral("3"));
    }

    // A free board channel keeps the polarity and type shown; a channel with
    // an entry shows its own.
    void boardChannelFields()
    {
        setUp(QStringLiteral("tiverkii"), false,
              "{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, 'detector': 1, "
              "'common': "
              "'positive', 'type': 'PIR'}]}}}}",
              "{'dionumber': 1, 'diochannel': 3}");
        DetectorsDlg dialog(&controller, element, false);
        QCOMPARE(combo(dialog, "dio_channel")->currentText(), QStringLiteral("3"));
        QVERIFY(widget<QRadioButton>(dialog, "common_positive")->isChecked());
        QCOMPARE(combo(dialog, "channel_type")->currentText(), QStringLiteral("IR detector"));
        apply(dialog, QStringLiteral("channel_type=Output;dio_channel=5"));
        QVERIFY(widget<QRadioButton>(dialog, "common_positive")->isChecked());
        QCOMPARE(combo(dialog, "channel_type")->currentText(), QStringLiteral("Output"));
    }

    void linkedDetector_data()
    {
        QTest::addColumn<QVariant>("reference");
        QTest::addColumn<QString>("shown");
        QTest::newRow("by id") << QVariant(4) << QStringLiteral("4 (North)");
        QTest::newRow("by name") << QVariant(QStringLiteral("Loop")) << QStringLiteral("1 (Loop)");
        QTest::newRow("by id as text")
            << QVariant(QStringLiteral("4")) << QStringLiteral("4 (North)");
        QTest::newRow("missing detector") << QVariant(9) << QString();
    }

    void linkedDetector()
    {
        QFETCH(QVariant, reference);
        QFETCH(QString, shown);
        setUp(QStringLiteral("tiverkii"), true, "{}");
        auto detector = CnfDetectorPtr::create();
        detector->setId(1);
        detector->setName(QStringLiteral("Loop"));
        controller.addDetector(detector);
        element->setProperty("type", QStringLiteral("DetectorySensor"));
        element->setProperty("detector", reference);
        DetectorsDlg dialog(&controller, element, false);
        QCOMPARE(combo(dialog, "type")->currentText(), QStringLiteral("Link to detector"));
        QCOMPARE(shownPage(dialog), QStringLiteral("detectorySensorPage"));
        QCOMPARE(combo(dialog, "detector")->currentText(), shown);
    }

    // OK: what lands in the element and in "modules" for each source.
    void accept_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("sensor");
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("propertiesAfter");

        const QString tiverkII = QStringLiteral("tiverkii");
        const QByteArray onBoard1 = "{'dionumber': 1, 'diochannel': 3}";
        QTest::newRow("board 1/3 to 2/5")
            << tiverkII << false << onBoard1
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, "
                          "'detector': 1, 'type': "
                          "'full', 'common': 'negative'}, {'channel': 4, 'detector': 4}]}}}}")
            << "type=I/O board 2;dio_channel=5;channel_type=IR detector;common_positive"
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 4, "
                          "'detector': 4}]}, 'DIO2': "
                          "{'type': 'dryContact', 'channels': [{'channel': 5, 'common': "
                          "'positive', 'detector': 1, "
                          "'type': 'PIR'}]}}}}")
            << QByteArray("{'dionumber': 2, 'diochannel': 5}");
        QTest::newRow("polarity only")
            << tiverkII << false << onBoard1
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, "
                          "'detector': 1, 'type': "
                          "'PIR', 'common': 'negative', 'x': 1}]}}}}")
            << "common_positive"
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, "
                          "'detector': 1, 'type': 'PIR', 'common': 'positive', 'x': 1}]}}}}")
            << onBoard1;
        // The entry keeps what was not edited: a channel type the list does
        // not know, a missing polarity, its board's type (or none).
        QTest::newRow("polarity edited, unknown channel type kept")
            << tiverkII << false << onBoard1
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, "
                          "'detector': 1, 'type': 'in'}]}}}}")
            << "common_positive"
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, "
                          "'detector': 1, 'type': 'in', 'common': 'positive'}]}}}}")
            << onBoard1;
        QTest::newRow("channel type edited, missing polarity kept")
            << tiverkII << false << QByteArray("{'dionumber': 6, 'diochannel': 3}")
            << QByteArray("{'SystemBus': {'devices': {'DIO6': {'type': 'dryContact', 'channels': "
                          "[{'channel': 3, 'detector': 1}]}}}}")
            << "channel_type=IR detector"
            << QByteArray("{'SystemBus': {'devices': {'DIO6': {'type': 'dryContact', 'channels': "
                          "[{'channel': 3, 'detector': 1, 'type': 'PIR'}]}}}}")
            << QByteArray("{'dionumber': 6, 'diochannel': 3}");
        // A new id changes the id: an entry without a polarity reads as
        // negative and keeps lacking it.
        QTest::newRow("new id, entry without polarity")
            << tiverkII << false << onBoard1
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'type': 'dryContact', 'channels': "
                          "[{'channel': 3, 'detector': 1, 'type': 'PIR'}]}}}}")
            << "number=5"
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'type': 'dryContact', 'channels': "
                          "[{'channel': 3, 'detector': 5, 'type': 'PIR'}]}}}}")
            << onBoard1;
        QTest::newRow("board 6 drops dryContact")
            << tiverkII << false << QByteArray()
            << QByteArray(
                   "{'SystemBus': {'devices': {'DIO6': {'type': 'dryContact', 'channels': []}}}}")
            << "type=I/O board 6;dio_channel=2;channel_type=No restriction"
            << QByteArray("{'SystemBus': {'devices': {'DIO6': {'channels': [{'channel': 2, "
                          "'common': 'negative', "
                          "'detector': 1, 'type': 'full'}]}}}}")
            << QByteArray("{'dionumber': 6, 'diochannel': 2}");
        QTest::newRow("a key move keeps its entry")
            << tiverkII << true << QByteArray("{'keycode': 513}")
            << QByteArray(
                   "{'Keyboard': {'deviceName': 'k', 'channels': [{'keyCode': 513, 'sensor': 1}]}}")
            << "type=Channel 3 of CPU board"
            << QByteArray("{'Keyboard': {'deviceName': 'k', 'channels': [{'keyCode': 513}, "
                          "{'keyCode': 515, "
                          "'sensor': 1}]}}")
            << QByteArray("{'keycode': 515}");
        QTest::newRow("the first Keyboard entry")
            << tiverkII << false << QByteArray() << QByteArray("{}")
            << "type=Channel 1 of CPU board"
            << QByteArray(
                   "{'Keyboard': {'deviceName': '/dev/extbuttons', 'channels': [{'keyCode': 513, "
                   "'detector': 1}]}}")
            << QByteArray("{'keycode': 513}");
        QTest::newRow("Signal stores the name")
            << tiverkII << false << QByteArray()
            << QByteArray("{'Signal': {'channels': [{'channel': 2, 'sensor': 4}]}}")
            << "type=Channel 2 of Signal module;name=Inner"
            << QByteArray(
                   "{'Signal': {'channels': [{'channel': 2, 'sensor': 4, 'detector': 'Inner'}]}}")
            << QByteArray("{}");
        // The own entry naming the element by its name keeps the old one: the
        // window's name following gives it the new one, asking first where the
        // old or the new name names another element too. A channel the element
        // takes anew gets the new name.
        const QByteArray signalByName
            = "{'Signal': {'channels': [{'channel': 2, 'detector': 'Loop'}]}}";
        QTest::newRow("Signal renamed: the name is left to the window")
            << tiverkII << false << QByteArray() << signalByName << "name=Outer" << signalByName
            << QByteArray("{}");
        QTest::newRow("Signal renamed and moved: the new channel takes the new name")
            << tiverkII << false << QByteArray() << signalByName
            << "type=Channel 3 of Signal module;name=Outer"
            << QByteArray("{'Signal': {'channels': [{'detector': 'Outer', 'channel': 3}]}}")
            << QByteArray("{}");
        const QByteArray priorityByName = "{'Priority': {'channels': [{'sensor': 'Loop'}]}}";
        QTest::newRow("Priority renamed: the name is left to the window")
            << tiverkII << true << QByteArray() << priorityByName << "name=Outer" << priorityByName
            << QByteArray("{}");
        QTest::newRow("Priority stores the name")
            << tiverkII << false << QByteArray()
            << QByteArray("{'Priority': {'url': 'u', 'channels': []}}") << "type=Priority"
            << QByteArray("{'Priority': {'url': 'u', 'channels': [{'detector': 'Loop'}]}}")
            << QByteArray("{}");
        QTest::newRow("alerts: on only")
            << tiverkII << true
            << QByteArray("{'alerts': {'false': {'message': 'old', 'level': 'INFO'}}}")
            << QByteArray("{}") << "on_msg=Went on;on_level=warning;off_msg=" << QByteArray("{}")
            << QByteArray("{'alerts': {'true': {'message': 'Went on', 'level': 'WARN'}}}");
        // A source left as shown keeps the element's properties as they are,
        // also those no page shows.
        QTest::newRow("no source")
            << tiverkII << true << QByteArray("{'deviceName': 'd', 'detector': 3}")
            << QByteArray("{}") << QString() << QByteArray("{}")
            << QByteArray("{'deviceName': 'd', 'detector': 3}");
        QTest::newRow("TIVERK 3.x keeps the key code")
            << "tiverk" << false << QByteArray("{'keycode': 515}") << QByteArray("{}") << QString()
            << QByteArray("{}") << QByteArray("{'keycode': 515}");
        QTest::newRow("new id in the form the entries held")
            << tiverkII << false << QByteArray("{'dionumber': '2', 'diochannel': 3}")
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 3, "
                          "'detector': '1'}]}}}, 'Priority': {'channels': [{'detector': 1}]}}")
            << "number=5"
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 3, "
                          "'detector': '5'}]}}}, 'Priority': {'channels': [{'detector': 5}]}}")
            << QByteArray("{'dionumber': '2', 'diochannel': 3}");
        QTest::newRow("a new board keeps the property forms")
            << tiverkII << false << QByteArray("{'dionumber': '2', 'diochannel': 3}")
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 3, "
                          "'detector': 1}]}}}}")
            << "dio_channel=4"
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'type': 'dryContact', 'channels': "
                          "[{'channel': 4, 'common': 'negative', 'detector': 1, 'type': "
                          "'full'}]}}}}")
            << QByteArray("{'dionumber': '2', 'diochannel': 4}");
        const QByteArray azimuthWithoutChannelId
            = "{'AzimuthSSE': [{'url': 'u', 'sensors': [{'channels': [{'detector': 1}]}]}]}";
        QTest::newRow("Azimuth without a channel id or camera untouched")
            << tiverkII << false << QByteArray() << azimuthWithoutChannelId << QString()
            << azimuthWithoutChannelId << QByteArray("{}");
        QTest::newRow("Azimuth channel id edited under a sensor without camera")
            << tiverkII << false << QByteArray() << azimuthWithoutChannelId
            << "azimuth_channel_id=4"
            << QByteArray("{'AzimuthSSE': [{'url': 'u', 'sensors': [{'channels': [{'detector': 1, "
                          "'rcg_channel_id': 4}]}]}]}")
            << QByteArray("{}");
        const QByteArray prioritySensorById
            = "{'Priority': {'channels': [{'sensor': 1}, {'sensor': 'Gate'}]}}";
        QTest::newRow("Priority sensor by id untouched")
            << tiverkII << true << QByteArray() << prioritySensorById << QString()
            << prioritySensorById << QByteArray("{}");
        QTest::newRow("smart button source edited keeps absent fields absent")
            << tiverkII << true << QByteArray("{'dionumber': 1, 'diochannel': 2}")
            << QByteArray("{'SmartButton': {}}") << "type=Smart button"
            << QByteArray("{'SmartButton': {}}") << QByteArray("{'type': 'SmartButton'}");
        QTest::newRow("TrafiCam") << tiverkII << false << QByteArray()
                                  << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, "
                                                "'channels': [{'channel': 2, 'sensor': 1}]}]}")
                                  << "type=TrafiCam;ti_modules=a:1;ti_channels=3"
                                  << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, "
                                                "'channels': [{'channel': 2, 'sensor': 1}, "
                                                "{'channel': 3, 'detector': 1}]}]}")
                                  << QByteArray("{}");
        QTest::newRow("smart button")
            << tiverkII << true << QByteArray() << QByteArray("{'SmartButton': {}}")
            << "type=Smart button;sbDevice=/dev/b;sbSource=card"
            << QByteArray("{'SmartButton': {}}")
            << QByteArray("{'type': 'SmartButton', 'deviceName': '/dev/b', 'source': 'card'}");
        QTest::newRow("Azimuth")
            << tiverkII << false << QByteArray()
            << QByteArray("{'AzimuthSSE': {'url': 'http://az', 'sensors': []}}")
            << "type=Azimuth;azimuth_cams_id=7;azimuth_channel_id=12"
            << QByteArray(
                   "{'AzimuthSSE': {'url': 'http://az', 'sensors': [{'camera_id': 7, 'channels': "
                   "[{'rcg_channel_id': 12, 'detector': 1}]}]}}")
            << QByteArray("{}");

        // The entry that stays the element's source is written where it
        // stands, only in the fields that differ: OK without a change keeps
        // the lists as they were.
        const QByteArray trafiCam
            = "{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': [{'channel': 2, "
              "'detector': 1}, {'channel': 3, 'sensor': 1}]}]}";
        QTest::newRow("TrafiCam untouched") << tiverkII << false << QByteArray() << trafiCam
                                            << QString() << trafiCam << QByteArray("{}");
        QTest::newRow("TrafiCam channel changed where it stands")
            << tiverkII << false << QByteArray() << trafiCam << "ti_channels=5"
            << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': [{'channel': "
                          "5, 'detector': 1}, {'channel': 3, 'sensor': 1}]}]}")
            << QByteArray("{}");
        // A shared entry keeps the other element's reference where it was.
        QTest::newRow("TrafiCam shared entry, channel changed")
            << tiverkII << false << QByteArray()
            << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': [{'channel': "
                          "2, 'detector': 1, 'sensor': 1}, {'channel': 3, 'sensor': 2}]}]}")
            << "ti_channels=5"
            << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1, 'channels': [{'channel': "
                          "2, 'sensor': 1}, {'channel': 3, 'sensor': 2}, {'channel': 5, "
                          "'detector': 1}]}]}")
            << QByteArray("{}");
        const QByteArray trafficStream
            = "{'TrafficStream': [{'url': 'u', 'channels': [{'channel': 1, 'detector': '1'}, "
              "{'channel': 2, 'detector': 4}]}]}";
        QTest::newRow("TrafficStream untouched, id as text")
            << tiverkII << false << QByteArray() << trafficStream << QString() << trafficStream
            << QByteArray("{}");
        const QByteArray citilog
            = "{'Citilog': [{'device_host': 'h', 'device_port': 1, 'cams': [{'id': 'x', "
              "'channels': [{'channel': 0, 'detector': 1}, {'channel': 1, 'detector': 4}]}]}]}";
        QTest::newRow("Citilog untouched") << tiverkII << false << QByteArray() << citilog
                                           << QString() << citilog << QByteArray("{}");
        const QByteArray smartMicro = "{'SmartMicro': {'sensors': [{'id': 's', 'channels': "
                                      "[{'detector': 1, 'zone': 2}, {'detector': 4}]}]}}";
        QTest::newRow("SmartMicro untouched keeps absent fields absent")
            << tiverkII << false << QByteArray() << smartMicro << QString() << smartMicro
            << QByteArray("{}");
        QTest::newRow("SmartMicro zone changed where it stands")
            << tiverkII << false << QByteArray() << smartMicro << "sm_zone=3"
            << QByteArray("{'SmartMicro': {'sensors': [{'id': 's', 'channels': [{'detector': 1, "
                          "'zone': 3}, {'detector': 4}]}]}}")
            << QByteArray("{}");
        const QByteArray azimuth
            = "{'AzimuthSSE': [{'url': 'u', 'sensors': [{'camera_id': 1, 'channels': "
              "[{'rcg_channel_id': 3, 'detector': 1}]}, {'camera_id': 2, 'channels': "
              "[{'rcg_channel_id': 4, 'detector': 4}]}]}]}";
        QTest::newRow("Azimuth untouched keeps its camera")
            << tiverkII << false << QByteArray() << azimuth << QString() << azimuth
            << QByteArray("{}");
        const QByteArray priority
            = "{'Priority': {'channels': [{'detector': 'Loop'}, {'sensor': 'Gate'}]}}";
        QTest::newRow("Priority untouched") << tiverkII << false << QByteArray() << priority
                                            << QString() << priority << QByteArray("{}");
        const QByteArray signalById = "{'Signal': {'channels': [{'channel': 2, 'detector': 1}]}}";
        QTest::newRow("Signal by id untouched") << tiverkII << false << QByteArray() << signalById
                                                << QString() << signalById << QByteArray("{}");

        // A release takes only the element's reference: a shared entry keeps
        // the other element's binding.
        QTest::newRow("shared board entry")
            << tiverkII << false << onBoard1
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, "
                          "'detector': 1, 'sensor': "
                          "4, 'output': 2}]}}}}")
            << "type=Channel 2 of CPU board"
            << QByteArray("{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 3, "
                          "'sensor': 4, 'output': "
                          "2}]}}}, 'Keyboard': {'deviceName': '/dev/extbuttons', 'channels': "
                          "[{'keyCode': 514, "
                          "'detector': 1}]}}")
            << QByteArray("{'keycode': 514}");
        // Every source change releases what held the element before.
        QTest::newRow("from SmartMicro to a board")
            << tiverkII << false << QByteArray()
            << QByteArray("{'SmartMicro': {'sensors': [{'id': 's', 'channels': [{'detector': 1, "
                          "'zone': 2}, "
                          "{'detector': 4}]}]}}")
            << "type=I/O board 7;dio_channel=1"
            << QByteArray("{'SmartMicro': {'sensors': [{'id': 's', 'channels': [{'detector': "
                          "4}]}]}, 'SystemBus': "
                          "{'devices': {'DIO7': {'channels': [{'channel': 1, 'common': 'negative', "
                          "'detector': 1, "
                          "'type': 'full'}]}}}}")
            << QByteArray("{'dionumber': 7, 'diochannel': 1}");
        QTest::newRow("from Azimuth to Priority")
            << tiverkII << false << QByteArray()
            << QByteArray("{'Priority': {}, 'AzimuthSSE': [{'url': 'u', 'sensors': [{'camera_id': "
                          "1, 'channels': "
                          "[{'rcg_channel_id': 3, 'detector': 1}]}]}]}")
            << "type=Priority"
            << QByteArray(
                   "{'Priority': {'channels': [{'detector': 'Loop'}]}, 'AzimuthSSE': [{'url': 'u', "
                   "'sensors': []}]}")
            << QByteArray("{}");
        QTest::newRow("from a Signal channel to a board")
            << tiverkII << false << QByteArray()
            << QByteArray("{'Signal': {'channels': [{'channel': 2, 'detector': 'Loop'}]}}")
            << "type=I/O board 8;dio_channel=16"
            << QByteArray("{'Signal': {'channels': []}, 'SystemBus': {'devices': {'DIO8': "
                          "{'channels': [{'channel': "
                          "16, 'common': 'negative', 'detector': 1, 'type': 'full'}]}}}}")
            << QByteArray("{'dionumber': 8, 'diochannel': 16}");
        QTest::newRow("from a link to a key")
            << tiverkII << true << QByteArray("{'type': 'DetectorySensor', 'detector': 4}")
            << QByteArray("{}") << "type=Channel 1 of CPU board"
            << QByteArray(
                   "{'Keyboard': {'deviceName': '/dev/extbuttons', 'channels': [{'keyCode': 513, "
                   "'sensor': 1}]}}")
            << QByteArray("{'keycode': 513}");
    }

    void accept()
    {
        QFETCH(QString, family);
        QFETCH(bool, sensor);
        QFETCH(QByteArray, properties);
        QFETCH(QByteArray, before);
        QFETCH(QString, actions);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, propertiesAfter);
        setUp(family, sensor, before, properties);
        DetectorsDlg dialog(&controller, element, false);
        apply(dialog, actions);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(NativeJson::text(controller.getNativeData(QStringLiteral("modules"))),
                 NativeJson::text(NativeJson::value(after)));
        QCOMPARE(sourceProperties(*element), NativeJson::text(NativeJson::value(propertiesAfter)));
        QCOMPARE(element->name(), widget<QLineEdit>(dialog, "name")->text());
    }

    // A refused OK says why, leaves the dialog open and writes nothing: after
    // Cancel the element and the native data are as they were opened.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("forcedPage");
        QTest::addColumn<QString>("message");

        QByteArray fullBoard = "{'SystemBus': {'devices': {'DIO2': {'channels': [";
        for (int ch = 1; ch <= 16; ++ch)
            fullBoard += QByteArray(ch > 1 ? ", " : "") + "{'channel': " + QByteArray::number(ch)
                + ", 'detector': 9}";
        fullBoard += "]}}}, 'Priority': {}, 'Signal': {}}";
        QTest::newRow("board without a free channel")
            << fullBoard << QByteArray("{'dionumber': 1, 'diochannel': 3}") << "type=I/O board 2"
            << QString() << "Invalid I/O board channel number";
        QTest::newRow("board number") << fullBoard << QByteArray() << "type=Priority"
                                      << "dioPage"
                                      << "Invalid I/O board number";
        QTest::newRow("key code") << fullBoard << QByteArray() << "type=Channel 1 of Signal module"
                                  << "keyboardPage"
                                  << "Invalid detector type";
        QTest::newRow("Priority without a name")
            << fullBoard << QByteArray() << "type=Priority;name=" << QString()
            << "For priority detector name must not be empty";
        QTest::newRow("TrafiCam without a module")
            << QByteArray("{'TrafiCam': [{'ti_host': 'a', 'ti_port': 1}]}") << QByteArray()
            << "type=TrafiCam" << QString() << "Invalid module or channel";
        QTest::newRow("TrafficStream channel not a number")
            << QByteArray("{'TrafficStream': [{'url': 'u'}]}") << QByteArray()
            << "type=TrafficStream;ts_modules=u;ts_channels=x" << QString()
            << "Invalid module or channel";
        QTest::newRow("TrafficStream channel of another detector")
            << QByteArray(
                   "{'TrafficStream': [{'url': 'u', 'channels': [{'channel': 3, 'detector': 4}]}]}")
            << QByteArray() << "type=TrafficStream;ts_modules=u;ts_channels=3" << QString()
            << "TrafficStream channel 3 is taken";
    }

    void refused()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, properties);
        QFETCH(QString, actions);
        QFETCH(QString, forcedPage);
        QFETCH(QString, message);
        setUp(QStringLiteral("tiverkii"), false, before, properties);
        const QByteArray modules
            = NativeJson::text(controller.getNativeData(QStringLiteral("modules")));
        const QByteArray elementBefore = sourceProperties(*element);
        DetectorsDlg dialog(&controller, element, false);
        apply(dialog, QStringLiteral("number=12;") + actions);
        // Pages that the source list cannot reach with a wrong item.
        if (!forcedPage.isEmpty()) {
            auto *pages = widget<QStackedWidget>(dialog, "stackedWidget");
            pages->setCurrentWidget(pages->findChild<QWidget *>(forcedPage));
        }
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        dialog.accept();
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenText(), message);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.reject();
        QCOMPARE(element->id(), 1);
        QCOMPARE(element->name(), QStringLiteral("Loop"));
        QCOMPARE(sourceProperties(*element), elementBefore);
        QCOMPARE(NativeJson::text(controller.getNativeData(QStringLiteral("modules"))), modules);
    }

    // Ids and names of the other elements of the kind are refused; 0 always.
    void forbiddenIdentity()
    {
        setUp(QStringLiteral("tiverkii"), false, "{}");
        DetectorsDlg dialog(&controller, element, false);
        auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        apply(dialog, QStringLiteral("number=4"));
        QVERIFY(!ok->isEnabled());
        apply(dialog, QStringLiteral("number=0"));
        QVERIFY(!ok->isEnabled());
        apply(dialog, QStringLiteral("number=5;name=Gate"));
        QVERIFY(ok->isEnabled());
        apply(dialog, QStringLiteral("name=North"));
        QVERIFY(!ok->isEnabled());
    }
};

PROJECT_TEST(TestDetectorsDlg);
#include "tst_detectorsdlg.moc"
