#include "testmain.h"
#include "zumoltc/model/zuenums.h"

#include <QtTest>

using Items = QList<QPair<QString, int>>;
Q_DECLARE_METATYPE(Items)

class TestZuEnums : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { zu::registerDisplayTexts(); }

    void keys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("SGType 4") << enumKey<zu::SGType>(4) << "always_ON";
        QTest::newRow("CsType 2") << enumKey<zu::CsType>(2) << "tiverkITS";
        QTest::newRow("LanMode 0") << enumKey<zu::LanMode>(0) << "DHPC";
        QTest::newRow("nested DIO::Type 2") << enumKey<zu::DIO::Type>(2) << "TiverkDET";
        QTest::newRow("nested KMPDevice::Type 9") << enumKey<zu::KMPDevice::Type>(9) << "DIO5";
        QTest::newRow("nested KMPDevice::SubType 7")
            << enumKey<zu::KMPDevice::SubType>(7) << "sitilog";
        QTest::newRow("nested Color 3") << enumKey<zu::Color::Value>(3) << "white";
        QTest::newRow("not set") << enumKey<zu::SGType>(zu::NotSet) << "";
        QTest::newRow("beyond the last") << enumKey<zu::SGType>(5) << "";
        QTest::newRow("negative") << enumKey<zu::Recall>(-1) << "";
    }
    void keys()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(key, expected);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("registered") << enumText<zu::PlanType>(1) << "sequence of stages";
        QTest::newRow("text differs from key") << enumText<zu::KMPDevice::SubType>(7) << "citilog";
        QTest::newRow("same key, other enumeration") << enumText<zu::DIO::Type>(4) << "citilog";
        QTest::newRow("untranslated port") << enumText<zu::KMPDevPort::Value>(1) << "RS485_1";
        QTest::newRow("no text: key of port") << enumText<zu::KMPDevPort::Value>(3) << "LAN";
        QTest::newRow("no text: key of DIO") << enumText<zu::DIO::Type>(2) << "TiverkDET";
        QTest::newRow("no texts at all") << enumText<zu::TimelineState>(1) << "green_blink";
        QTest::newRow("not set") << enumText<zu::SGType>(zu::NotSet) << "";
        QTest::newRow("value without key") << enumText<zu::Polarity>(7) << "";
    }
    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void textIsOneSharedEntry()
    {
        // Same key name in two enumerations: each has its own entry.
        QCOMPARE(enumText<zu::Indication>(0), QStringLiteral("alarm"));
        enumText<zu::Indication>(0) = QStringLiteral("Alarm!");
        QCOMPARE(enumText<zu::Indication>(0), QStringLiteral("Alarm!"));
        QCOMPARE(enumItems<zu::Indication>(false),
                 Items({ qMakePair(QStringLiteral("Alarm!"), 0) }));
        QCOMPARE(enumItems<zu::Indication>(true), Items({ qMakePair(QStringLiteral("alarm"), 0) }));
        // The not-set entry stays registered as an empty text and may be read again.
        QString &notSet = enumText<zu::CsType>(zu::NotSet);
        QVERIFY(notSet.isEmpty());
        QCOMPARE(&enumText<zu::CsType>(zu::NotSet), &notSet);
    }

    void items_data()
    {
        QTest::addColumn<Items>("items");
        QTest::addColumn<Items>("expected");
        QTest::newRow("switch keys")
            << enumItems<zu::Switch>(true) << Items({ qMakePair(QStringLiteral("ZU4_SW"), 0) });
        QTest::newRow("switch texts")
            << enumItems<zu::Switch>(false) << Items({ qMakePair(QStringLiteral("ZU4_SW"), 0) });
        QTest::newRow("polarity texts") << enumItems<zu::Polarity>(false)
                                        << Items({ qMakePair(QStringLiteral("positive"), 0),
                                                   qMakePair(QStringLiteral("negative"), 1) });
        QTest::newRow("port texts") << enumItems<zu::KMPDevPort::Value>(false)
                                    << Items({ qMakePair(QStringLiteral("dry contact"), 0),
                                               qMakePair(QStringLiteral("RS485_1"), 1),
                                               qMakePair(QStringLiteral("RS485_2"), 2),
                                               qMakePair(QStringLiteral("LAN"), 3) });
        QTest::newRow("protocol keys")
            << enumItems<zu::CountdownBoardProtocol>(true)
            << Items({ qMakePair(QStringLiteral("V1"), 0), qMakePair(QStringLiteral("V2"), 1) });
    }
    void items()
    {
        QFETCH(Items, items);
        QFETCH(Items, expected);
        QCOMPARE(items, expected);
    }

    void allKeysInDeclarationOrder()
    {
        const Items types = enumItems<zu::KMPDevice::Type>(true);
        QCOMPARE(types.size(), 10);
        for (int i = 0; i < types.size(); ++i)
            QCOMPARE(types.at(i).second, i);
        QCOMPARE(types.first().first, QStringLiteral("KSK1"));
        QCOMPARE(types.last().first, QStringLiteral("DIO5"));
    }

    void values_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("int") << enumValue<zu::KMPDevice::Type>(QVariant(3)) << 3;
        QTest::newRow("numeric text")
            << enumValue<zu::KMPDevice::SubType>(QVariant(QStringLiteral("7"))) << 7;
        QTest::newRow("double") << enumValue<zu::Switch>(QVariant(0.0)) << 0;
        QTest::newRow("no value of E") << enumValue<zu::Switch>(QVariant(1)) << zu::NotSet;
        QTest::newRow("negative") << enumValue<zu::KMPDevice::Type>(QVariant(-1)) << zu::NotSet;
        QTest::newRow("invalid") << enumValue<zu::Switch>(QVariant()) << zu::NotSet;
        QTest::newRow("null int") << enumValue<zu::Switch>(QVariant(QVariant::Int)) << zu::NotSet;
        QTest::newRow("key is no number")
            << enumValue<zu::Switch>(QVariant(QStringLiteral("ZU4_SW"))) << zu::NotSet;
        QTest::newRow("not set") << enumValue<zu::Switch>(QVariant(zu::NotSet)) << zu::NotSet;
        // Numbers beyond int do not wrap around onto a value of E.
        QTest::newRow("64-bit beyond int")
            << enumValue<zu::KMPDevice::Type>(QVariant(qlonglong((1LL << 32) + 3))) << zu::NotSet;
        QTest::newRow("unsigned beyond int")
            << enumValue<zu::KMPDevice::Type>(QVariant(4294967299u + 0ULL)) << zu::NotSet;
        QTest::newRow("double beyond int")
            << enumValue<zu::Switch>(QVariant(4294967296.0)) << zu::NotSet;
        QTest::newRow("NaN") << enumValue<zu::Switch>(QVariant(qQNaN())) << zu::NotSet;
    }
    void values()
    {
        QFETCH(int, value);
        QFETCH(int, expected);
        QCOMPARE(value, expected);
    }

    void fromKey_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("key") << enumFromKey<zu::CsType>(QStringLiteral("remoteControlPanel")) << 3;
        QTest::newRow("nested key") << enumFromKey<zu::DIO::Type>(QStringLiteral("sitilog")) << 4;
        QTest::newRow("case mismatch")
            << enumFromKey<zu::CsType>(QStringLiteral("Scheduler")) << zu::NotSet;
        QTest::newRow("upper case")
            << enumFromKey<zu::LanMode>(QStringLiteral("STATICIP")) << zu::NotSet;
        QTest::newRow("display text")
            << enumFromKey<zu::Recall>(QStringLiteral("maximum")) << zu::NotSet;
        QTest::newRow("key of another enumeration")
            << enumFromKey<zu::SGType>(QStringLiteral("green")) << zu::NotSet;
        QTest::newRow("scoped spelling")
            << enumFromKey<zu::SGType>(QStringLiteral("zu::tram")) << zu::NotSet;
        QTest::newRow("number") << enumFromKey<zu::SGType>(QStringLiteral("2")) << zu::NotSet;
        QTest::newRow("empty") << enumFromKey<zu::SGType>(QString()) << zu::NotSet;
    }
    void fromKey()
    {
        QFETCH(int, value);
        QFETCH(int, expected);
        QCOMPARE(value, expected);
    }
};

PROJECT_TEST(TestZuEnums);
#include "tst_zuenums.moc"
