#include "testmain.h"
#include "zumoltc/model/zucontrolsource.h"
#include "zumoltc/model/zucountdownboards.h"
#include "zumoltc/model/zudio.h"
#include "zumoltc/model/zukmp1.h"
#include "zumoltc/model/zuswitch.h"
#include "zumoltc/model/zuvpu.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// The object pointer a signal carried, read without touching the object (it may be gone).
const void *carried(const QVariant &argument)
{
    return *static_cast<ZUBaseObject *const *>(argument.constData());
}

} // namespace

class TestZUDevices : public QObject
{
    Q_OBJECT
private slots:
    void controlSourceText_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("priority");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("expected");
        const int notSet = zu::NotSet;
        QTest::newRow("everything") << 2 << int(zu::scheduler) << 5 << ""
                                    << "2 (Scheduler) [pr=5]";
        QTest::newRow("suffix alone") << notSet << notSet << notSet << "s"
                                      << "s";
        QTest::newRow("type only") << notSet << int(zu::emergency) << notSet << ""
                                   << "(Emergency)";
        QTest::newRow("priority and suffix") << notSet << notSet << 0 << "s"
                                             << "[pr=0] s";
        QTest::newRow("type without key") << 1 << 42 << notSet << ""
                                          << "1 ()";
    }
    void controlSourceText()
    {
        QFETCH(int, id);
        QFETCH(int, type);
        QFETCH(int, priority);
        QFETCH(QString, suffix);
        QFETCH(QString, expected);
        zu::registerDisplayTexts();
        ZUControlSource source(type, id, priority);
        source.setName(QStringLiteral("never shown"));
        QCOMPARE(source.text(suffix), expected);
    }

    void controlSourceCloneKeepsTimeoutOnly()
    {
        QObject owner;
        ZUControlSource source(&owner);
        source.setType(zu::tiverkITS);
        source.setPriority(3);
        source.setTimeout(60);
        const ZUControlSource clone(source);
        QCOMPARE(clone.type(), zu::NotSet);
        QCOMPARE(clone.priority(), zu::NotSet);
        QCOMPARE(clone.timeout(), 60);
        QCOMPARE(clone.parent(), &owner);
    }

    void kmpDeviceText_data()
    {
        QTest::addColumn<int>("addr");
        QTest::addColumn<int>("device");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("expected");
        QTest::newRow("address and kind") << 3 << int(zu::KMPDevice::DIO1) << ""
                                          << "3 (DIO1)";
        QTest::newRow("kind without key") << 3 << 77 << ""
                                          << "3 ()";
        QTest::newRow("suffix") << zu::NotSet << int(zu::KMPDevice::UPS1) << "x"
                                << "(UPS1) x";
        QTest::newRow("nothing") << zu::NotSet << zu::NotSet << ""
                                 << "";
    }
    void kmpDeviceText()
    {
        QFETCH(int, addr);
        QFETCH(int, device);
        QFETCH(QString, suffix);
        QFETCH(QString, expected);
        ZUKMPDevice kmpDevice(device, addr, zu::NotSet, zu::NotSet);
        kmpDevice.setId(99); // the id is never shown
        QCOMPARE(kmpDevice.text(suffix), expected);
    }

    void kmpDeviceCloneHasNoAddress()
    {
        const ZUKMPDevice source(zu::KMPDevice::KTV1, 4, zu::KMPDevice::traficam,
                                 zu::KMPDevPort::LAN);
        const ZUKMPDevice clone(source);
        QCOMPARE(clone.addr(), zu::NotSet);
        QCOMPARE(clone.device(), int(zu::KMPDevice::KTV1));
        QCOMPARE(clone.type(), int(zu::KMPDevice::traficam));
        QCOMPARE(clone.port(), int(zu::KMPDevPort::LAN));
    }

    void kmpAutoIsClamped_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("above") << 7 << 1;
        QTest::newRow("negative") << -4 << 0;
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("one") << 1 << 1;
    }
    void kmpAutoIsClamped()
    {
        QFETCH(int, value);
        QFETCH(int, stored);
        ZUKMP1 kmp;
        QCOMPARE(kmp.autoDetect(), 1);
        kmp.setAuto(value);
        QCOMPARE(kmp.autoDetect(), stored);
    }

    void kmpAddInsertMove()
    {
        ZUKMP1 kmp;
        QSignalSpy added(&kmp, &ZUKMP1::objectAdded);
        QPointer<ZUKMPDevice> a = new ZUKMPDevice;
        QPointer<ZUKMPDevice> b = new ZUKMPDevice;
        QPointer<ZUKMPDevice> c = new ZUKMPDevice;
        kmp.addDevice(a);
        kmp.addDevice(b);
        kmp.addDevice(c);
        kmp.addDevice(nullptr);
        QCOMPARE(added.count(), 3);
        QCOMPARE(added.at(2).at(1).toInt(), 2);
        QCOMPARE(a->parent(), &kmp);

        QPointer<ZUKMPDevice> d = new ZUKMPDevice;
        kmp.insertDevice(d, b);
        QCOMPARE(kmp.devices(), QList<QPointer<ZUKMPDevice>>({ a, b, d, c }));
        QCOMPARE(added.last().at(0).value<ZUBaseObject *>(), d.data());
        QCOMPARE(added.last().at(1).toInt(), 2);

        QPointer<ZUKMPDevice> e = new ZUKMPDevice;
        ZUKMPDevice foreign;
        kmp.insertDevice(e, &foreign);
        QCOMPARE(kmp.devices().last(), e);
        QCOMPARE(added.last().at(1).toInt(), 4);
        kmp.insertDevice(e, a); // already listed
        QCOMPARE(added.count(), 5);

        kmp.move(0, 5);
        kmp.move(-1, 2);
        QCOMPARE(kmp.devices(), QList<QPointer<ZUKMPDevice>>({ a, b, d, c, e }));
        kmp.move(0, 4);
        QCOMPARE(kmp.devices(), QList<QPointer<ZUKMPDevice>>({ b, d, c, e, a }));
        QCOMPARE(added.count(), 5);
    }

    void kmpForwardsDestruction()
    {
        ZUKMP1 kmp;
        QPointer<ZUKMPDevice> a = new ZUKMPDevice;
        kmp.addDevice(a);
        ZUKMPDevice *raw = a.data();
        QSignalSpy destroyed(&kmp, &ZUKMP1::objectDestroyed);
        delete raw;
        QCOMPARE(destroyed.count(), 1);
        QCOMPARE(carried(destroyed.first().first()), raw);
        QVERIFY(kmp.devices().isEmpty());
    }

    void kmpResetLeavesNoDevice()
    {
        ZUKMP1 kmp;
        kmp.setAuto(0);
        QPointer<ZUKMPDevice> a = new ZUKMPDevice;
        QPointer<ZUKMPDevice> b = new ZUKMPDevice;
        kmp.addDevice(a);
        kmp.addDevice(b);
        QSignalSpy destroyed(&kmp, &ZUKMP1::objectDestroyed);
        QSignalSpy ownSignal(b.data(), &ZUBaseObject::beforeDestroyed);
        kmp.reset();
        QVERIFY(a.isNull());
        QVERIFY(b.isNull());
        QVERIFY(kmp.devices().isEmpty());
        QVERIFY(kmp.findChildren<ZUKMPDevice *>().isEmpty());
        QCOMPARE(kmp.autoDetect(), 1);
        QCOMPARE(destroyed.count(), 0);
        QCOMPARE(ownSignal.count(), 0);
    }

    void switchCloneAndValues()
    {
        ZUSignalGroup group;
        ZUSwitch source;
        QVERIFY(!source.hasValues());
        source.setSignalGroup(&group);
        QVERIFY(!source.hasValues());
        source.setControl(true);
        QVERIFY(source.hasValues());
        source.setType(zu::ZU4_SW);
        source.setAddr(12);
        source.setColor(zu::Color::amber);
        source.setHeads(2);
        source.setLowCurrent(10);
        source.setUpCurrent(500);
        source.setMinCurrent(20);
        const ZUSwitch clone(source);
        QCOMPARE(clone.addr(), zu::NotSet);
        QCOMPARE(clone.type(), int(zu::ZU4_SW));
        QCOMPARE(clone.signalGroup(), QPointer<ZUSignalGroup>(&group));
        QCOMPARE(clone.color(), int(zu::Color::amber));
        QCOMPARE(clone.heads(), 2);
        QVERIFY(clone.control());
        QCOMPARE(clone.lowCurrent(), 10);
        QCOMPARE(clone.upCurrent(), 500);
        QCOMPARE(clone.minCurrent(), 20);

        ZUSwitch onlyCurrent;
        onlyCurrent.setMinCurrent(1);
        QVERIFY(onlyCurrent.hasValues());
    }

    void countdownBoards()
    {
        ZUCountdownBoards boards;
        QCOMPARE(boards.protocol(), zu::NotSet);
        ZUSignalGroup kept;
        auto *dying = new ZUSignalGroup;
        boards.addBoard(nullptr, 1, 1, 1);
        boards.addBoard(&kept, 2, 7, 5);
        boards.addBoard(dying, 1, 8, 5);
        QCOMPARE(boards.boards().size(), 2);
        delete dying;
        QCOMPARE(boards.boards().size(), 1);
        const ZUCountdownBoards::Board board = boards.boards().first();
        QCOMPARE(board.boards, 2);
        QCOMPARE(board.addr, 7);
        QCOMPARE(board.warnTime, 5);
        boards.setProtocol(zu::V2);
        boards.setWarnTime(3);
        boards.reset();
        QCOMPARE(boards.protocol(), zu::NotSet);
        QCOMPARE(boards.warnTime(), zu::NotSet);
        QVERIFY(boards.boards().isEmpty());
    }

    void dioChannelsAreNotPruned()
    {
        ZUDIO dio;
        QCOMPARE(dio.port(), quint16(0));
        QVERIFY(dio.ip().isEmpty());
        QVERIFY(dio.channels().isEmpty());
        auto *detector = new ZUDetector;
        ZUDIO::Channel channel;
        channel.channel = 1;
        channel.detector = detector;
        dio.addChannel(channel);
        dio.addChannel(ZUDIO::Channel());
        delete detector;
        QCOMPARE(dio.channels().size(), 2);
        QVERIFY(dio.channels().first().detector.isNull());
        dio.setType(zu::DIO::traficam);
        dio.setIp(QStringLiteral("10.0.0.2"));
        dio.setPort(80);
        dio.reset();
        QCOMPARE(dio.type(), zu::NotSet);
        QVERIFY(dio.ip().isEmpty());
        QCOMPARE(dio.port(), quint16(0));
        QVERIFY(dio.channels().isEmpty());
    }

    void vpuStagesDropTrailingDeadOnly()
    {
        ZUStage s1;
        ZUStage s3;
        auto *dead2 = new ZUStage;
        auto *dead4 = new ZUStage;
        ZUVPU vpu;
        vpu.addStage(&s1);
        vpu.addStage(dead2);
        vpu.addStage(&s3);
        vpu.addStage(dead4);
        vpu.addStage(nullptr);
        delete dead2;
        delete dead4;
        QCOMPARE(vpu.stages(), QList<QPointer<ZUStage>>({ &s1, nullptr, &s3 }));
        vpu.clearStages();
        vpu.addStage(nullptr);
        QVERIFY(vpu.stages().isEmpty());
    }

    void vpuPriorityThroughSource()
    {
        ZUVPU vpu;
        QCOMPARE(vpu.metaObject()->className(), "QObject");
        QCOMPARE(vpu.priority(), zu::NotSet);
        vpu.setPriority(4); // no source: nothing happens
        QCOMPARE(vpu.priority(), zu::NotSet);

        ZUControlSource source(zu::remoteControlPanel, 1, 2);
        vpu.setSource(&source);
        QCOMPARE(vpu.priority(), 2);
        vpu.setPriority(4);
        QCOMPARE(source.priority(), 4);
        vpu.setSource(nullptr);
        QCOMPARE(vpu.source(), QPointer<ZUControlSource>(&source));

        vpu.setType(zu::passive_ind);
        vpu.setIdleInd(true);
        vpu.setCommon(zu::negative);
        vpu.addStage(nullptr);
        vpu.reset();
        QCOMPARE(vpu.type(), zu::NotSet);
        QCOMPARE(vpu.common(), zu::NotSet);
        QVERIFY(!vpu.idleInd());
        QCOMPARE(vpu.source(), QPointer<ZUControlSource>(&source));
    }
};

PROJECT_TEST(TestZUDevices);
#include "tst_zudevices.moc"
