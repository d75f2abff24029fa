#include "cnf/adapterconfig.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/tiverkiiconfig.h"
#include "cnf/zu_moltconfig.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Loads the file at path into controller; false with the reason in error.
bool loadFile(const QString &path, CnfController &controller, QString *error)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(path);
    if (!native) {
        *error = CnfNative::loadError();
        return false;
    }
    if (!native->createController(controller)) {
        *error = native->lastError();
        return false;
    }
    return true;
}

// The format a file is read in: "xml", "adapter", "tiverkii" or "ZU_MOLT"; empty for none.
QString formatOf(const QString &path)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(path);
    if (!native)
        return QString();
    if (native.dynamicCast<AdapterConfig>())
        return QStringLiteral("adapter");
    if (native.dynamicCast<TiverkIIConfig>())
        return QStringLiteral("tiverkii");
    if (native.dynamicCast<ZU_MOLTConfig>())
        return QStringLiteral("ZU_MOLT");
    return QStringLiteral("xml");
}

} // namespace

// What loads saves back unchanged: load, save, load, save gives the same bytes
// twice and the same family, for the samples and for files that once did not.
class TestRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void loadSaveLoadSave_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("family"); // the controller's "type" as read
        QTest::addColumn<QString>("format"); // the format the file is written and read in

        QTest::newRow("TIVERK sample")
            << TestSupport::examplesPath("tiverk318_intersection.cnf") << "tiverk"
            << "xml";
        QTest::newRow("adapter sample")
            << TestSupport::examplesPath("adapter_crossing.txt") << "adapter"
            << "adapter";
        QTest::newRow("TIVERK II sample")
            << TestSupport::examplesPath("tiverkii_intersection.json") << "tiverkii"
            << "tiverkii";
        QTest::newRow("ZU_MOLT sample")
            << TestSupport::examplesPath("zumolt_intersection.json") << "ZU_MOLT"
            << "ZU_MOLT";
        QTest::newRow("controller version beside type and version properties")
            << TestSupport::dataPath("roundtrip/cnf_property_order.cnf") << "tiverk"
            << "xml";
        // Written back as the family it was read as, not as its "type" would say.
        QTest::newRow("adapter type after another key")
            << TestSupport::dataPath("roundtrip/cnf_adapter_type_order.txt") << "1"
            << "adapter";
    }

    void loadSaveLoadSave()
    {
        QFETCH(QString, path);
        QFETCH(QString, family);
        QFETCH(QString, format);

        QTemporaryDir dir;
        QString error;
        QCOMPARE(formatOf(path), format);
        CnfController first;
        QVERIFY2(loadFile(path, first, &error), qPrintable(error));
        QCOMPARE(first.property("type").toString(), family);
        const QString writeAs = format == QLatin1String("xml") ? family : format;
        const QString saved = dir.filePath(QStringLiteral("first"));
        QVERIFY2(CnfNative::save(saved, first, writeAs, error), qPrintable(error));
        QCOMPARE(formatOf(saved), format);

        CnfController second;
        QVERIFY2(loadFile(saved, second, &error), qPrintable(error));
        QCOMPARE(second.property("type").toString(), family);
        // The same properties with the same values; a writer may put the family first.
        for (const QByteArray &name : first.dynamicPropertyNames())
            QCOMPARE(second.property(name.constData()).toString(),
                     first.property(name.constData()).toString());
        QCOMPARE(second.dynamicPropertyNames().size(), first.dynamicPropertyNames().size());
        QCOMPARE(second.signalGroups().size(), first.signalGroups().size());
        QCOMPARE(second.programs().size(), first.programs().size());
        const QString savedAgain = dir.filePath(QStringLiteral("second"));
        QVERIFY2(CnfNative::save(savedAgain, second, writeAs, error), qPrintable(error));
        QCOMPARE(QString::fromUtf8(TestSupport::readFile(savedAgain)),
                 QString::fromUtf8(TestSupport::readFile(saved)));
    }
};

PROJECT_TEST(TestRoundTrip);
#include "tst_roundtrip.moc"
