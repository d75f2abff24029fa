#include "cnf/cnfnative.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QFile>
#include <QtTest>

// Files pass both ways between plivek and zumoltc: zumoltc's own reader takes
// what plivek writes, and a file of zumoltc goes through plivek unchanged,
// byte for byte.
class TestZuMoltConfigInterop : public QObject
{
    Q_OBJECT
private slots:
    // With a day card removed, references to it are not written (the week
    // repeats an earlier day instead): still no warning.
    void zumoltcReadsWhatPlivekWrites_data()
    {
        QTest::addColumn<bool>("removeDayCard");
        QTest::newRow("as filled") << false;
        QTest::newRow("day card removed") << true;
    }

    void zumoltcReadsWhatPlivekWrites()
    {
        QFETCH(bool, removeDayCard);
        CnfController controller;
        FormatFixture::fillZuMolt(controller);
        if (removeDayCard)
            QVERIFY(controller.removeDayCard(controller.dayCards().first()));
        ZU_MOLTConfig writer;
        const QByteArray bytes = writer.save(controller);
        QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));

        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(bytes, &error), qPrintable(error));
        QVERIFY2(zu.warnings().isEmpty(), qPrintable(zu.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(zu.signalGroups().size(), 3);
        QCOMPARE(zu.stages().size(), 2);
        QCOMPARE(zu.detectors().size(), 2);
        QCOMPARE(zu.signalPlans().size(), 5);
        QCOMPARE(zu.dayPlans().size(), removeDayCard ? 1 : 2);
        QCOMPARE(zu.weekPlans().size(), 1);
        QCOMPARE(zu.extraPeriods().size(), 1);
        QCOMPARE(zu.extraDays().size(), 1);
        QCOMPARE(zu.switches().size(), 4);
        QCOMPARE(zu.controlSources().size(), 2);
        QCOMPARE(zu.description(), QStringLiteral("Ленина / Мира"));
    }

    void newDocumentIsAValidFile()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QStringLiteral("1.0"));
        controller.setProperty("number", 1);
        ZU_MOLTConfig writer;
        const QByteArray bytes = writer.save(controller);
        QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(bytes, &error), qPrintable(error));
        QVERIFY2(zu.warnings().isEmpty(), qPrintable(zu.warnings().join(QLatin1Char('\n'))));
        ZU_MOLTConfig reader;
        CnfController loaded;
        QVERIFY(reader.loadData(bytes) && reader.createController(loaded));
        QCOMPARE(FormatFixture::dump(loaded), FormatFixture::dump(controller));
    }

    // The sample shipped in examples/ was written by plivek: zumoltc opens it too.
    void zumoltcFileGoesThroughPlivekUnchanged_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("clean"); // the editor's file names a missing object on purpose
        QTest::newRow("zumoltc's file")
            << TestSupport::dataPath(QStringLiteral("cnf/formats/zumolt_from_editor.json"))
            << false;
        QTest::newRow("plivek's sample")
            << TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")) << true;
        // Countdown boards and a DIO module in use before their first board or channel.
        QTest::newRow("lists not yet filled")
            << TestSupport::dataPath(QStringLiteral("zumolt/lists-not-yet-filled.json")) << true;
    }

    void zumoltcFileGoesThroughPlivekUnchanged()
    {
        QFETCH(QString, path);
        QFETCH(bool, clean);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        ZUConfiguration first;
        QString error;
        QVERIFY2(first.fromJson(file.readAll(), &error), qPrintable(error));
        if (clean)
            QVERIFY2(first.warnings().isEmpty(),
                     qPrintable(first.warnings().join(QLatin1Char('\n'))));
        const QByteArray written = first.toJson();

        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(written) && config.createController(controller),
                 qPrintable(config.lastError()));
        QVERIFY2(config.warnings().isEmpty(),
                 qPrintable(config.warnings().join(QLatin1Char('\n'))));
        const QByteArray again = config.save(controller);
        QVERIFY2(!again.isEmpty(), qPrintable(config.lastError()));
        // Key for key, in the same order and layout as zumoltc writes it.
        QCOMPARE(again, written);

        ZUConfiguration second;
        QVERIFY2(second.fromJson(again, &error), qPrintable(error));
        QVERIFY2(second.warnings().isEmpty(),
                 qPrintable(second.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(second.toJson(), written);
    }
};

PROJECT_TEST(TestZuMoltConfigInterop);
#include "tst_zumoltconfiginterop.moc"
