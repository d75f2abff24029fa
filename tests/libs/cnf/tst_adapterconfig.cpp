#include "cnf/adapterconfig.h"
#include "cnf/cnfnative.h"
#include "formatfixture.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

// The adapter text file: a whole configuration goes through it unchanged,
// and broken files name their line.
class TestAdapterConfig : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip()
    {
        CnfController original;
        FormatFixture::fillFull(original, QStringLiteral("adapter"), QString());
        AdapterConfig writer;
        const QByteArray bytes = writer.save(original);
        QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));
        QVERIFY(bytes.startsWith("# Adapter controller configuration\n\n[controller]\n"));
        QVERIFY(bytes.endsWith("\n[end]\n"));

        AdapterConfig reader;
        QVERIFY2(reader.loadData(bytes), qPrintable(reader.lastError()));
        CnfController loaded;
        QVERIFY2(reader.createController(loaded), qPrintable(reader.lastError()));
        QCOMPARE(FormatFixture::dump(loaded), FormatFixture::dump(original));
        QCOMPARE(loaded.nativeData().toVariant(), original.nativeData().toVariant());
        QCOMPARE(loaded.getNativeData(QStringLiteral("wholeDouble")).userType(),
                 int(QMetaType::Double));
        QCOMPARE(loaded.property("description").toString(),
                 QStringLiteral("Площадь Победы — north"));
    }

    void savedThroughNativeAndDetected()
    {
        CnfController original;
        FormatFixture::fillFull(original, QStringLiteral("adapter"), QString());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("dat00017.txt"));
        QString error;
        QVERIFY2(CnfNative::save(path, original, error), qPrintable(error));
        AdapterConfig config;
        QVERIFY2(config.load(path), qPrintable(config.lastError()));
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY2(native && native.dynamicCast<AdapterConfig>(), qPrintable(CnfNative::loadError()));
        CnfController loaded;
        QVERIFY(native->createController(loaded));
        QCOMPARE(loaded.property("type").toString(), QStringLiteral("adapter"));
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray head = "[controller]\ntype = \"adapter\"\n";
        QTest::newRow("truncated")
            << QByteArray(head + "[signalGroup]\nid = 1\n")
            << QStringLiteral("Line 5: the [end] line is missing: the file is truncated");
        QTest::newRow("cut in a value")
            << QByteArray(head + "[signalGroup]\nname = \"Gro")
            << QStringLiteral("Line 4: name: invalid value \"Gro (the document ends inside a text "
                              "(the file is truncated))");
        QTest::newRow("wrong type")
            << QByteArray(head + "[signalGroup]\nid = \"one\"\n[end]\n")
            << QStringLiteral("Line 4, column 6: 'id' must be integer, not text");
        QTest::newRow("unknown key")
            << QByteArray(head + "[powerDevice]\nid = 1\nvoltage = 220\n[end]\n")
            << QStringLiteral("Line 5, column 11: unknown key 'voltage' in a power device");
        QTest::newRow("unknown section")
            << QByteArray(head + "[signalgroup]\nid = 1\n[end]\n")
            << QStringLiteral("Line 3: unknown section or value \"signalgroup\"");
        QTest::newRow("huge number")
            << QByteArray(head + "[detector]\nid = 123456789012345678901234567890\n[end]\n")
            << QStringLiteral(
                   "Line 4, column 6: 'id' must be a whole number in range, not 1.23457e+29");
        // A value of thousands of characters is quoted short, not in full.
        QTest::newRow("endless value")
            << QByteArray(head + "[detector]\nid = " + QByteArray(5000, '9') + "\n[end]\n")
            << QStringLiteral("Line 4: id: invalid value %1... (the number %1... is out of range)")
                   .arg(QString(40, QLatin1Char('9')));
        QTest::newRow("values after end")
            << QByteArray(head + "[end]\nx = 1\n")
            << QStringLiteral("Line 3: the [end] section holds values");
    }

    void malformed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        AdapterConfig config;
        CnfController controller;
        QVERIFY(!(config.loadData(bytes) && config.createController(controller)));
        QCOMPARE(config.lastError(), error);
        QVERIFY(controller.signalGroups().isEmpty() && controller.detectorsList().isEmpty());
    }

    void notAdapter()
    {
        AdapterConfig config;
        QVERIFY(!config.loadData("<Controller/>"));
        QVERIFY(config.lastError().contains(QStringLiteral("no adapter configuration")));
        QVERIFY(!AdapterConfig::recognizes("# only a comment\n"));
        QVERIFY(AdapterConfig::recognizes("\xEF\xBB\xBF# note\n\n  [controller]  \r\n"));
    }
};

PROJECT_TEST(TestAdapterConfig);
#include "tst_adapterconfig.moc"
