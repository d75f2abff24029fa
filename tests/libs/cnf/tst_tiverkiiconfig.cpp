#include "cnf/cnfnative.h"
#include "cnf/tiverkiiconfig.h"
#include "cnfjsonparser.h"
#include "cnftreeschema.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

// The TIVERK II JSON file: what the saver writes loads back to the same
// configuration, and broken files say what and where.
class TestTiverkIIConfig : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip()
    {
        CnfController original;
        FormatFixture::fillFull(original, QStringLiteral("tiverkii"), QStringLiteral("0.1"));
        TiverkIIConfig writer;
        const QByteArray bytes = writer.save(original);
        QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));

        TiverkIIConfig reader;
        QVERIFY2(reader.loadData(bytes), qPrintable(reader.lastError()));
        CnfController loaded;
        QVERIFY2(reader.createController(loaded), qPrintable(reader.lastError()));
        QCOMPARE(FormatFixture::dump(loaded), bytes);

        // Spot checks of what a dump could hide: kinds of native values and texts.
        QCOMPARE(loaded.property("type").toString(), QStringLiteral("tiverkii"));
        QCOMPARE(loaded.getNativeData(QStringLiteral("ratio")).userType(), int(QMetaType::Double));
        QCOMPARE(loaded.getNativeData(QStringLiteral("wholeDouble")).userType(),
                 int(QMetaType::Double));
        QCOMPARE(loaded.getNativeData(QStringLiteral("startup_yf")).toInt(), 3);
        QCOMPARE(loaded.getNativeData(QStringLiteral("bigCounter")).toLongLong(),
                 qlonglong(1) << 40);
        QCOMPARE(loaded.getNativeData(QStringLiteral("address")).toString(),
                 FormatFixture::nativeTree().value(QStringLiteral("address")).toString());
        QCOMPARE(loaded.nativeData().toVariant(), original.nativeData().toVariant());
        QCOMPARE(loaded.findSG(1)->devices.size(), 1);
        QCOMPARE(loaded.findSG(1)->devices.first(), loaded.findPowerDevice(1));
        QCOMPARE(loaded.findSG(2)->interstate(1), QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        QCOMPARE(loaded.safetyMatrix()->releaf(2, 1), 4.5);
        QCOMPARE(loaded.findProgram(QStringLiteral("1"))->data(),
                 QByteArray("\x01\x03\x10\x20", 4));
        QCOMPARE(
            loaded.findProgram(QStringLiteral("1"))->phaseDefAt(0)->property("recall").toString(),
            QStringLiteral("max"));
        QCOMPARE(loaded.defaultDayCard()->records.value(QTime(22, 0, 30)).program,
                 loaded.findProgram(QStringLiteral("2")));
        QCOMPARE(loaded.specialDays().value(QDate(2000, 1, 1))->name, QStringLiteral("New year"));
    }

    void loadsThroughNativeDetection()
    {
        CnfController original;
        FormatFixture::fillFull(original, QStringLiteral("tiverkii"), QStringLiteral("0.1"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("config.cnf"));
        QString error;
        QVERIFY2(CnfNative::save(path, original, error), qPrintable(error));
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY2(native, qPrintable(CnfNative::loadError()));
        QVERIFY(native.dynamicCast<TiverkIIConfig>());
        CnfController loaded;
        QVERIFY(native->createController(loaded));
        QCOMPARE(FormatFixture::dump(loaded), FormatFixture::dump(original));
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray head = "{\"controller\": {\"type\": \"tiverkii\"},\n";
        QTest::newRow("truncated")
            << QByteArray(head + "\"signalGroups\": [{\"id\": 1")
            << QStringLiteral(
                   "Line 2, column 26: the document ends inside an object (the file is truncated)");
        QTest::newRow("wrong type")
            << QByteArray(head + "\"signalGroups\": [{\"id\": \"one\"}]}")
            << QStringLiteral("Line 2, column 25: 'id' must be integer, not text");
        QTest::newRow("unknown key")
            << QByteArray(head + "\"phases\": [{\"id\": \"1\", \"colour\": 3}]}")
            << QStringLiteral("Line 2, column 34: unknown key 'colour' in a phase");
        QTest::newRow("huge int") << QByteArray(head + "\"powerDevices\": [{\"id\": 99999999999}]}")
                                  << QStringLiteral(
                                         "Line 2, column 25: 'id' has the value 99999999999, out "
                                         "of the range -2147483648 to 2147483647");
        QTest::newRow("huge double")
            << QByteArray(head + "\"x\": 1e400}")
            << QStringLiteral("Line 2, column 6: the number 1e400 is out of range");
        QTest::newRow("float id")
            << QByteArray(head + "\"detectors\": [{\"id\": 1.5}]}")
            << QStringLiteral("Line 2, column 22: 'id' must be a whole number in range, not 1.5");
        QTest::newRow("dangling reference")
            << QByteArray(head + "\"signalGroups\": [{\"id\": 1, \"devices\": [7]}]}")
            << QStringLiteral("Line 2, column 39: 'devices' names no power device 7");
        QTest::newRow("duplicate id")
            << QByteArray(head + "\"detectors\": [{\"id\": 1}, {\"id\": 1}]}")
            << QStringLiteral("Line 2, column 26: ");
        QTest::newRow("bad time")
            << QByteArray(
                   head + "\"dayCards\": [{\"id\": \"1\", \"records\": [{\"start\": \"25:00\"}]}]}")
            << QStringLiteral("Line 2, column 48: 'start' is not a time (hh:mm:ss): 25:00");
        QTest::newRow("program without type")
            << QByteArray(head + "\"programs\": [{\"id\": \"1\"}]}")
            << QStringLiteral("Line 2, column 14: a program needs a 'type'");
        QTest::newRow("unknown program type")
            << QByteArray(head + "\"programs\": [{\"id\": \"1\", \"type\": \"warp\"}]}")
            << QStringLiteral("Line 2, column 34: unknown program type warp");
        QTest::newRow("list is map")
            << QByteArray(head + "\"programs\": {}}")
            << QStringLiteral("Line 2, column 13: 'programs' must be array, not object");
    }

    void malformed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        TiverkIIConfig config;
        CnfController controller;
        const bool ok = config.loadData(bytes) && config.createController(controller);
        QVERIFY(!ok);
        QVERIFY2(config.lastError().startsWith(error), qPrintable(config.lastError()));
        QVERIFY(controller.programs().isEmpty() && controller.signalGroups().isEmpty());
        // Through the detection the same text comes back, and no valid object
        // (an invalid one that carries the text, as a document reports it).
        if (!config.isValid()) {
            const CnfNativePtr native = CnfNative::loadNativeConfig(bytes);
            QVERIFY(!native || !native->isValid());
            QCOMPARE(CnfNative::loadError(), config.lastError());
            if (native)
                QCOMPARE(native->lastError(), config.lastError());
        }
    }

    void notTiverkII()
    {
        TiverkIIConfig config;
        QVERIFY(!config.loadData("{\"configVersion\": 1, \"type\": \"ZU_MOLT\"}"));
        QVERIFY(config.lastError().contains(QStringLiteral("no TIVERK II configuration")));
        QVERIFY(!config.load(QStringLiteral("/nonexistent/file.json")));
        QVERIFY(
            config.lastError().startsWith(QStringLiteral("Cannot open /nonexistent/file.json")));
    }

    void saveRefusesWhatJsonCannotHold()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        controller.setNativeData(QStringLiteral("programs"), 1);
        TiverkIIConfig config;
        QVERIFY(config.save(controller).isEmpty());
        QVERIFY(config.lastError().contains(QStringLiteral("reserved")));

        controller.setNativeData(QStringLiteral("programs"), QVariant());
        controller.setNativeData(QStringLiteral("gain"), qQNaN());
        QVERIFY(config.save(controller).isEmpty());
        QVERIFY(config.lastError().contains(QStringLiteral("cannot be stored")));
    }

    // Whatever nesting a JSON file may hold survives a save as .cnf, and a
    // tree too deep for a JSON file to be read back is refused, not written.
    void deepNativeTreesPassBetweenFormats()
    {
        const int deepest = CnfJsonParser::maxDepth - 1;
        QByteArray bytes("{\"controller\": {\"type\": \"tiverkii\"}, \"x\": ");
        bytes += QByteArray(deepest, '[') + QByteArray(deepest, ']') + '}';
        TiverkIIConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(bytes) && config.createController(controller),
                 qPrintable(config.lastError()));
        CnfController copy;
        QVERIFY2(copy.load(controller.save(1), true), qPrintable(copy.lastError()));
        QVERIFY(copy.nativeData().dataEqual(controller.nativeData()));
        QVERIFY2(!config.save(copy).isEmpty(), qPrintable(config.lastError()));

        VObject innermost = copy.nativeData()["x"];
        while (innermost.size() > 0)
            innermost = innermost[0];
        innermost.append(VObject::list());
        innermost[0].append(VObject::list());
        QVERIFY(config.save(copy).isEmpty());
        QVERIFY2(config.lastError().contains(QStringLiteral("nested more than")),
                 qPrintable(config.lastError()));
    }

    // Keys that are empty or hold characters XML cannot carry, in the native
    // data and as property names, survive a save as .cnf.
    void awkwardKeysPassBetweenFormats()
    {
        const QByteArray bytes("{\"controller\": {\"type\": \"tiverkii\", \"p\\u0003\": 5},\n"
                               "\"\": 1, \"k\\u0001\": {\"\": [2], \"\\u0002\": 3}}");
        TiverkIIConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(bytes) && config.createController(controller),
                 qPrintable(config.lastError()));
        QCOMPARE(controller.nativeData().keys().size(), 2);
        CnfController copy;
        QVERIFY2(copy.load(controller.save(1), true), qPrintable(copy.lastError()));
        QVERIFY(copy.nativeData().dataEqual(controller.nativeData()));
        QCOMPARE(copy.nativeData()[QString::fromUtf8("k\x01")][""][0].toInt(), 2);
        // A property keeps a control character of its name escaped.
        QCOMPARE(copy.property(CnfTreeSchema::propertyName(QStringLiteral("p\x03")).constData()),
                 QVariant(5));
        QVERIFY(config.save(copy).contains("\"p\\u0003\": 5"));
    }

    void humanizedSection()
    {
        const QVariantMap map { { QStringLiteral("rings"), QVariantList { 1, 2 } },
                                { QStringLiteral("name"), QStringLiteral("ü") } };
        const QByteArray text = TiverkIIConfig::humanizedSection(
            map, { QStringLiteral("modules"), QStringLiteral("MultiRing") });
        QCOMPARE(text, QByteArray("{\n    \"name\": \"\xC3\xBC\",\n    \"rings\": [1, 2]\n}"));
        QVERIFY(TiverkIIConfig::humanizedSection(map, {}).isEmpty());
    }
};

PROJECT_TEST(TestTiverkIIConfig);
#include "tst_tiverkiiconfig.moc"
