#include "pagetesting.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/kmpdevicewidget.h"

#include "zumoltc/shell/framework/intedit.h"

#include <QtTest>

using namespace PageTesting;

namespace {

// The switches fixture's bus: KTV1 at 3, DIO2 at 4 (traficam, LAN), DIO1 at 5
// (citilog, RS485_2), one of them shown.
struct Fixture
{
    explicit Fixture(int first = 0, int count = 1)
    {
        error = loadFixture(&configuration, QStringLiteral("switches.json"));
        page.setObjects(&configuration, configuration.kmp1()->devices().mid(first, count));
        QObject::connect(&page, &KMPDeviceWidget::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }

    ZUKMPDevice *device(int index) { return configuration.kmp1()->devices().at(index); }
    QComboBox *combo(const char *name) const { return field<QComboBox>(page, name); }
    QJsonObject savedDevice(int index)
    {
        return saved(&configuration)
            .value("KMP1")
            .toObject()
            .value("devices")
            .toArray()
            .at(index)
            .toObject();
    }

    QString error;
    ZUConfiguration configuration;
    KMPDeviceWidget page;
    QList<const char *> classNames;
};

} // namespace

class TestKMPDeviceWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { zu::registerDisplayTexts(); }

    void form()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        QCOMPARE(itemTexts(f.combo("device")),
                 QStringList({ "KSK1", "DIO1", "KTV1", "VPU1", "DIO2", "WHM1", "UPS1", "DIO3",
                               "DIO4", "DIO5" }));
        QCOMPARE(f.combo("device")->currentText(), QStringLiteral("KTV1"));
        QCOMPARE(field<IntEdit>(f.page, "addr")->text(), QStringLiteral("3"));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    // The variants a device type offers and the interfaces a variant offers.
    void dependentChoices_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QStringList>("variants");
        QTest::addColumn<QStringList>("ports");

        const QStringList allVariants
            = { "passive",           "passive with indication", "dry contact", "serial interface",
                "interface tiverk1", "interface tiverk2",       "traficam",    "citilog" };
        const QStringList allPorts = { "dry contact", "RS485_1", "RS485_2", "LAN" };
        QTest::newRow("KTV1 serial") << "KTV1"
                                     << "serial interface" << QStringList({ "serial interface" })
                                     << QStringList({ "RS485_1", "RS485_2" });
        QTest::newRow("VPU1 passive")
            << "VPU1"
            << "passive"
            << QStringList({ "passive", "passive with indication", "interface tiverk1" })
            << QStringList({ "dry contact" });
        QTest::newRow("DIO4 traficam")
            << "DIO4"
            << "traficam"
            << QStringList({ "dry contact", "serial interface", "traficam", "citilog" })
            << allPorts;
        QTest::newRow("UPS1 tiverk2")
            << "UPS1"
            << "interface tiverk2" << allVariants << QStringList({ "RS485_1", "RS485_2" });
        QTest::newRow("no variant") << "WHM1"
                                    << "" << allVariants << allPorts;
    }

    void dependentChoices()
    {
        QFETCH(QString, device);
        QFETCH(QString, variant);
        QFETCH(QStringList, variants);
        QFETCH(QStringList, ports);

        Fixture f(2);
        choose(f.combo("device"), device);
        QCOMPARE(itemTexts(f.combo("type")), variants);
        choose(f.combo("type"), variant);
        QCOMPARE(itemTexts(f.combo("port")), ports);
    }

    // DIO2 with traficam on LAN becomes a VPU1: neither fits, both are stored as not set.
    void choicesThatNoLongerFit()
    {
        Fixture f(1);
        QCOMPARE(f.combo("type")->currentText(), QStringLiteral("traficam"));
        QCOMPARE(f.combo("port")->currentText(), QStringLiteral("LAN"));
        choose(f.combo("device"), QStringLiteral("VPU1"));
        QCOMPARE(f.combo("type")->currentIndex(), -1);
        QCOMPARE(f.combo("port")->currentIndex(), -1);
        QCOMPARE(f.combo("port")->count(), 4);
        clickApply(f.page);
        QCOMPARE(f.savedDevice(1), QJsonObject({ { "device", "VPU1" }, { "addr", 4 } }));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("4 (VPU1)"));
        QCOMPARE(f.classNames, QList<const char *>({ ZUKMPDevice::staticMetaObject.className() }));
    }

    void variantKeptWhenOffered()
    {
        Fixture f(2);
        choose(f.combo("device"), QStringLiteral("DIO3"));
        QCOMPARE(f.combo("type")->currentText(), QStringLiteral("citilog"));
        // The interface goes with the variant.
        QCOMPARE(f.combo("port")->currentText(), QStringLiteral("RS485_2"));
        clickApply(f.page);
        QCOMPARE(f.device(2)->device(), int(zu::KMPDevice::DIO3));
        QCOMPARE(f.device(2)->type(), int(zu::KMPDevice::sitilog));
        QCOMPARE(f.device(2)->port(), int(zu::KMPDevPort::RS485_2));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("5 (DIO3)"));
    }

    // A stored variant that does not fit the device shows no item and stays.
    void storedMisfitStays()
    {
        Fixture f;
        f.device(0)->setType(zu::KMPDevice::traficam);
        f.page.setObjects(&f.configuration, f.configuration.kmp1()->devices().mid(0, 1));
        QCOMPARE(f.combo("type")->currentIndex(), -1);
        type(field<IntEdit>(f.page, "addr"), QStringLiteral("7"));
        clickApply(f.page);
        QCOMPARE(f.device(0)->addr(), 7);
        QCOMPARE(f.device(0)->type(), int(zu::KMPDevice::traficam));
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("applicable");

        QTest::newRow("free") << "6" << true;
        QTest::newRow("another device's") << "4" << false;
        QTest::newRow("255") << "255" << false;
        QTest::newRow("2") << "2" << false;
        QTest::newRow("empty while all others have one") << "" << true;
    }

    void addresses()
    {
        QFETCH(QString, typed);
        QFETCH(bool, applicable);

        Fixture f;
        type(field<IntEdit>(f.page, "addr"), typed);
        QCOMPARE(apply(f.page)->isEnabled(), applicable);
    }

    void emptyAddressTakenByAnother()
    {
        Fixture f;
        f.device(1)->setAddr(zu::NotSet);
        f.page.setObjects(&f.configuration, f.configuration.kmp1()->devices().mid(0, 1));
        type(field<IntEdit>(f.page, "addr"), QString());
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void severalSelected()
    {
        Fixture f(0, 2);
        const QByteArray before = f.configuration.toJson();
        QVERIFY(allDisabled(f.page));
        QVERIFY(!button(f.page, QDialogButtonBox::Cancel)->isEnabled());
        QCOMPARE(f.combo("device")->currentIndex(), -1);
        clickApply(f.page);
        QCOMPARE(f.configuration.toJson(), before);
        QVERIFY(f.classNames.isEmpty());
    }

    void inWindow()
    {
        WindowFixture w(QStringLiteral("switches.json"));
        QVERIFY(w.loaded);
        QList<QPointer<ZUKMPDevice>> &devices = w.configuration()->kmp1()->devices();
        ZUKMPDevice *dio2 = nullptr;
        for (const QPointer<ZUKMPDevice> &device : devices) {
            if (device && device->device() == zu::KMPDevice::DIO2)
                dio2 = device;
        }
        QVERIFY(dio2);
        w.selectObjects({ dio2 });
        auto *page = w.page<KMPDeviceWidget>();
        QVERIFY(page);
        choose(field<QComboBox>(*page, "device"), QStringLiteral("VPU1"));
        clickApply(*page);
        QCOMPARE(w.tabText(page), QStringLiteral("4 (VPU1)"));
        w.save();
        bool found = false;
        for (const QJsonValue &device :
             w.savedFile().value("KMP1").toObject().value("devices").toArray()) {
            if (device.toObject().value("addr") == QJsonValue(4)) {
                QCOMPARE(device.toObject(), QJsonObject({ { "device", "VPU1" }, { "addr", 4 } }));
                found = true;
            }
        }
        QVERIFY(found);
        w.selectObjects({ devices.at(0), devices.at(1) });
        QVERIFY(allDisabled(*page));
        QCOMPARE(w.tabText(page), QStringLiteral("KMP devices (2)"));
    }
};

PROJECT_TEST(TestKMPDeviceWidget);
#include "tst_kmpdevicewidget.moc"
