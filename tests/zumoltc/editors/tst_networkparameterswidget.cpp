#include "pagewindow.h"
#include "testmain.h"
#include "zumoltc/editors/networkparameterswidget.h"
#include "zumoltc/model/zunetworkparameters.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// A record with every field filled.
void fill(ZUNetworkParameters *record)
{
    record->setAllowed(true);
    record->setLanMode(1);
    record->setLanIP(QStringLiteral("192.168.1.10"));
    record->setLanMask(QStringLiteral("255.255.255.0"));
    record->setGtwIP(QStringLiteral("192.168.1.1"));
    record->setDnsIP(QStringLiteral("8.8.8.8"));
    record->setSrvIP(QStringLiteral("10.0.0.1"));
    record->setAsudPort(4000);
    record->setMacAddres(QStringLiteral("00:11:22:33:44:55"));
    record->setSntpIP(QStringLiteral("10.0.0.2"));
    record->setSntpName(QStringLiteral("ntp.example"));
}

void type(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    field->setText(text);
}

} // namespace

class TestNetworkParametersWidget : public QObject
{
    Q_OBJECT
private slots:
    void addressTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("address");
        QTest::newRow("address") << QStringLiteral("10.1.1.1") << true;
        QTest::newRow("three digits") << QStringLiteral("192.168.100.255") << true;
        QTest::newRow("other separators") << QStringLiteral("1x2x3x4") << false;
        QTest::newRow("host") << QStringLiteral("time.example") << false;
        QTest::newRow("four digits") << QStringLiteral("1000.1.1.1") << false;
        QTest::newRow("dots only") << QStringLiteral("...") << false;
    }

    void addressTest()
    {
        QFETCH(QString, text);
        QFETCH(bool, address);
        QCOMPARE(NetworkParametersWidget::isAddress(text), address);
    }

    void form()
    {
        NetworkParametersWidget page;
        QCOMPARE(PageTesting::field<QGroupBox>(page, "asuddEnabled")->title(),
                 QStringLiteral("Communtcation server connection"));
        QCOMPARE(PageTesting::field<QLineEdit>(page, "lanIP")->inputMask(),
                 QStringLiteral("000.000.000.000;_"));
        QCOMPARE(PageTesting::field<QLineEdit>(page, "macAddres")->inputMask(),
                 QStringLiteral("HH:HH:HH:HH:HH:HH;_"));
        QVERIFY(PageTesting::field<QCheckBox>(page, "allowed")->isChecked());
        QVERIFY(!PageTesting::field<QGroupBox>(page, "groupBox")->isCheckable());
        QCOMPARE(PageTesting::field<QSpinBox>(page, "asudPort")->maximum(), 65535);
    }

    // "Allowed" off: the boxes unticked, the record cleared but for SNTP, and the
    // boxes disabled on every load.
    void notAllowed()
    {
        PageWindow w;
        ZUNetworkParameters *record = w.configuration()->networkParameters();
        fill(record);
        auto *page = w.open<NetworkParametersWidget>(QStringLiteral("Network parameters"));
        QVERIFY(page);
        QVERIFY(PageTesting::field<QGroupBox>(*page, "manualAddress")->isChecked());
        QVERIFY(PageTesting::field<QGroupBox>(*page, "overrideMac")->isChecked());
        QCOMPARE(PageTesting::field<QLineEdit>(*page, "host")->text(), QStringLiteral("10.0.0.1"));
        QTest::mouseClick(PageTesting::field<QCheckBox>(*page, "allowed"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QVERIFY(!PageTesting::field<QGroupBox>(*page, "asuddEnabled")->isEnabled());
        PageWindow::clickApply(page);
        QVERIFY(!record->allowed());
        QCOMPARE(record->lanMode(), 0);
        QVERIFY(record->srvIP().isEmpty() && record->srvName().isEmpty());
        QCOMPARE(int(record->asudPort()), 0);
        QVERIFY(record->macAddres().isEmpty());
        QCOMPARE(record->sntpIP(), QStringLiteral("10.0.0.2"));
        QCOMPARE(record->sntpName(), QStringLiteral("ntp.example"));
        QVERIFY(!PageTesting::field<QGroupBox>(*page, "manualAddress")->isChecked());
        QVERIFY(PageTesting::field<QLineEdit>(*page, "host")->text().isEmpty());

        for (int load = 0; load < 2; ++load) {
            page = w.open<NetworkParametersWidget>(QStringLiteral("Network parameters"));
            QVERIFY(!PageTesting::field<QCheckBox>(*page, "allowed")->isChecked());
            for (const char *box : { "overrideMac", "asuddEnabled", "manualAddress", "groupBox" })
                QVERIFY2(!PageTesting::field<QGroupBox>(*page, box)->isEnabled(), box);
        }
    }

    // The server is an address or a host name; an emptied host clears both.
    void host_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("srvIP");
        QTest::addColumn<QString>("srvName");
        QTest::newRow("address") << QStringLiteral("10.1.1.1") << QStringLiteral("10.1.1.1")
                                 << QString();
        QTest::newRow("name") << QStringLiteral("time.example") << QString()
                              << QStringLiteral("time.example");
        QTest::newRow("other separators")
            << QStringLiteral("1x2x3x4") << QString() << QStringLiteral("1x2x3x4");
        QTest::newRow("emptied") << QString() << QString() << QString();
    }

    void host()
    {
        QFETCH(QString, typed);
        QFETCH(QString, srvIP);
        QFETCH(QString, srvName);
        PageWindow w;
        ZUNetworkParameters *record = w.configuration()->networkParameters();
        fill(record);
        auto *page = w.open<NetworkParametersWidget>(QStringLiteral("Network parameters"));
        type(PageTesting::field<QLineEdit>(*page, "host"), typed);
        PageWindow::clickApply(page);
        QCOMPARE(record->srvIP(), srvIP);
        QCOMPARE(record->srvName(), srvName);
        QVERIFY(PageTesting::field<QGroupBox>(*page, "asuddEnabled")->isChecked());

        const QJsonObject lan = w.save().value("LAN").toObject();
        QCOMPARE(lan.value("srvIP").toString(), srvIP);
        QCOMPARE(lan.value("srvName").toString(), srvName);
    }

    // A masked field emptied reads as its separators: stored as an empty text.
    void emptiedMaskedFields()
    {
        PageWindow w;
        ZUNetworkParameters *record = w.configuration()->networkParameters();
        fill(record);
        auto *page = w.open<NetworkParametersWidget>(QStringLiteral("Network parameters"));
        type(PageTesting::field<QLineEdit>(*page, "lanIP"), QString());
        QCOMPARE(PageTesting::field<QLineEdit>(*page, "lanIP")->text(), QStringLiteral("..."));
        type(PageTesting::field<QLineEdit>(*page, "macAddres"), QString());
        type(PageTesting::field<QLineEdit>(*page, "sntpIP"), QString());
        type(PageTesting::field<QLineEdit>(*page, "gtwIP"), QStringLiteral("10.1.1.254"));
        PageWindow::clickApply(page);
        QCOMPARE(record->lanIP(), QString());
        QCOMPARE(record->macAddres(), QString());
        QCOMPARE(record->sntpIP(), QString());
        QCOMPARE(record->gtwIP(), QStringLiteral("10.1.1.254"));
        QCOMPARE(record->lanMask(), QStringLiteral("255.255.255.0"));
    }

    // The sample's server port without a host: the box shows ticked, and the
    // Apply of another field keeps the port in the record and in the file.
    void portWithoutHost()
    {
        PageWindow w;
        ZUNetworkParameters *record = w.configuration()->networkParameters();
        QVERIFY(record->srvIP().isEmpty() && record->srvName().isEmpty());
        QCOMPARE(int(record->asudPort()), 5000);
        auto *page = w.open<NetworkParametersWidget>(QStringLiteral("Network parameters"));
        auto *box = PageTesting::field<QGroupBox>(*page, "asuddEnabled");
        QVERIFY(box->isChecked());
        QCOMPARE(PageTesting::field<QSpinBox>(*page, "asudPort")->value(), 5000);
        PageTesting::field<QGroupBox>(*page, "manualAddress")->setChecked(true);
        type(PageTesting::field<QLineEdit>(*page, "dnsIP"), QStringLiteral("10.1.1.53"));
        PageWindow::clickApply(page);
        QCOMPARE(record->dnsIP(), QStringLiteral("10.1.1.53"));
        QCOMPARE(int(record->asudPort()), 5000);
        QCOMPARE(w.save().value("LAN").toObject().value("asudPort").toInt(), 5000);

        // Unticked by the user, the port goes.
        box->setChecked(false);
        PageWindow::clickApply(page);
        QCOMPARE(int(record->asudPort()), 0);
    }

    // Unticked boxes clear their fields on the page and in the record.
    void untickedBoxes()
    {
        PageWindow w;
        ZUNetworkParameters *record = w.configuration()->networkParameters();
        fill(record);
        auto *page = w.open<NetworkParametersWidget>(QStringLiteral("Network parameters"));
        PageTesting::field<QGroupBox>(*page, "manualAddress")->setChecked(false);
        PageTesting::field<QGroupBox>(*page, "asuddEnabled")->setChecked(false);
        PageTesting::field<QGroupBox>(*page, "overrideMac")->setChecked(false);
        PageWindow::clickApply(page);
        QCOMPARE(record->lanMode(), 0);
        QVERIFY(record->lanIP().isEmpty());
        QVERIFY(record->srvIP().isEmpty());
        QCOMPARE(int(record->asudPort()), 0);
        QVERIFY(record->macAddres().isEmpty());
        QVERIFY(record->allowed());
        QCOMPARE(PageTesting::field<QSpinBox>(*page, "asudPort")->value(), 0);
        QVERIFY(PageTesting::field<QLineEdit>(*page, "host")->text().isEmpty());
        QCOMPARE(PageTesting::field<QLineEdit>(*page, "lanIP")->text(), QStringLiteral("..."));
        page = w.open<NetworkParametersWidget>(QStringLiteral("Network parameters"));
        QVERIFY(!PageTesting::field<QGroupBox>(*page, "overrideMac")->isChecked());
    }
};

PROJECT_TEST(TestNetworkParametersWidget);
#include "tst_networkparameterswidget.moc"
