#include "testmain.h"
#include "zumoltc/model/zunetworkparameters.h"
#include "zumoltc/model/zurecoveryparameters.h"

#include <QtTest>

namespace {

ZUNetworkParameters filledNetwork()
{
    ZUNetworkParameters network;
    network.setAllowed(true);
    network.setLanMode(zu::staticIP);
    network.setLanIP(QStringLiteral("10.0.0.5"));
    network.setLanMask(QStringLiteral("255.255.255.0"));
    network.setGtwIP(QStringLiteral("10.0.0.1"));
    network.setDnsIP(QStringLiteral("10.0.0.2"));
    network.setSrvIP(QStringLiteral("10.0.0.3"));
    network.setAsudPort(5000);
    network.setMacAddres(QStringLiteral("00:11:22:33:44:55"));
    network.setSntpIP(QStringLiteral("10.0.0.4"));
    network.setSntpName(QStringLiteral("time.local"));
    return network;
}

// The values of a record as one list, so whole records compare in one line.
QStringList values(const ZUNetworkParameters &n)
{
    return { QString::number(n.allowed()),
             QString::number(n.lanMode()),
             n.lanIP(),
             n.lanMask(),
             n.gtwIP(),
             n.dnsIP(),
             n.srvIP(),
             n.srvName(),
             QString::number(n.asudPort()),
             n.macAddres(),
             n.sntpIP(),
             n.sntpName() };
}

} // namespace

class TestZURecords : public QObject
{
    Q_OBJECT
private slots:
    void networkInterlocks()
    {
        ZUNetworkParameters network = filledNetwork();
        network.setLanMode(zu::staticIP);
        QCOMPARE(network.lanIP(), QStringLiteral("10.0.0.5"));

        network.setLanMode(zu::DHPC);
        QCOMPARE(values(network),
                 QStringList({ "1", "0", "", "", "", "", "10.0.0.3", "", "5000",
                               "00:11:22:33:44:55", "10.0.0.4", "time.local" }));

        network = filledNetwork();
        network.setAllowed(false);
        QCOMPARE(
            values(network),
            QStringList({ "0", "0", "", "", "", "", "", "", "0", "", "10.0.0.4", "time.local" }));

        network = filledNetwork();
        network.reset();
        QCOMPARE(
            values(network),
            QStringList({ "0", "0", "", "", "", "", "", "", "0", "", "10.0.0.4", "time.local" }));
    }

    void serverAddressOrName()
    {
        ZUNetworkParameters network;
        network.setSrvIP(QStringLiteral("1.2.3.4"));
        network.setSrvName(QString());
        QCOMPARE(network.srvIP(), QStringLiteral("1.2.3.4"));
        network.setSrvName(QStringLiteral("server"));
        QVERIFY(network.srvIP().isEmpty());
        QCOMPARE(network.srvName(), QStringLiteral("server"));
        network.setSrvIP(QStringLiteral("5.6.7.8"));
        QVERIFY(network.srvName().isEmpty());
    }

    void recoveryInUse_data()
    {
        QTest::addColumn<int>("attempts");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("inUse");
        const int notSet = zu::NotSet;
        QTest::newRow("attempts and interval") << 3 << 60 << notSet << true;
        QTest::newRow("all three") << 3 << 60 << 1 << true;
        QTest::newRow("attempts only, with filter") << 3 << notSet << 1 << false;
        QTest::newRow("interval only") << notSet << 60 << notSet << false;
        QTest::newRow("filter only") << notSet << notSet << 1 << false;
        QTest::newRow("zeros count") << 0 << 0 << notSet << true;
    }
    void recoveryInUse()
    {
        QFETCH(int, attempts);
        QFETCH(int, interval);
        QFETCH(int, filter);
        QFETCH(bool, inUse);
        ZURecoveryParameters recovery;
        QVERIFY(!recovery.hasValues());
        recovery.shortCurent() = { attempts, interval, filter };
        QCOMPARE(recovery.errors()[ZURecoveryParameters::ShortCurent].inUse(), inUse);
        QCOMPARE(recovery.hasErrors(), inUse);
        QCOMPARE(recovery.hasValues(), inUse);
    }

    void recoveryValuesAndReset()
    {
        ZURecoveryParameters recovery;
        recovery.setConfidenceInterval(30);
        QVERIFY(recovery.hasValues());
        QVERIFY(!recovery.hasErrors());
        recovery.redError().attempts = 2;
        recovery.redError().interval = 5;
        recovery.reset();
        QVERIFY(!recovery.hasValues());
        QCOMPARE(recovery.confidenceInterval(), zu::NotSet);
        QCOMPARE(recovery.redError().attempts, zu::NotSet);
    }

    void faultKeysInArrayOrder()
    {
        const QStringList keys = ZURecoveryParameters::errorKeys();
        QCOMPARE(keys.size(), int(ZURecoveryParameters::FaultCount));
        QCOMPARE(keys.at(ZURecoveryParameters::NoLoadSwBreak), QStringLiteral("noLoad/swBreak"));
        QCOMPARE(keys.at(ZURecoveryParameters::ShortCurent), QStringLiteral("shortCurent"));
        ZURecoveryParameters recovery;
        recovery.swShort().filter = 1;
        QCOMPARE(recovery.errors()[7].filter, 1);
    }
};

PROJECT_TEST(TestZURecords);
#include "tst_zurecords.moc"
