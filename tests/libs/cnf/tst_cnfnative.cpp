#include "cnf/cnfdaycard.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "cnftestconfig.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Saves the configuration in its family's format and loads the file into
// `copy`: what went wrong, or the warnings; empty when all went well.
QString saveAndReload(const CnfController &original, CnfController &copy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("configuration"));
    QString error;
    if (!CnfNative::save(path, original, error))
        return error;
    const CnfNativePtr native = CnfNative::loadNativeConfig(path);
    if (!native)
        return CnfNative::loadError();
    if (!native->createController(copy))
        return native->lastError();
    return native->warnings().join(QLatin1Char('\n'));
}

} // namespace

class TestCnfNative : public QObject
{
    Q_OBJECT
private slots:
    // Valid content of a family gives a valid object; broken content of a
    // family it knows an invalid object that says what is wrong (the text a
    // document shows); content of no family gives null. Each says why.
    void tellsContentApart_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("error");
        CnfController controller;
        CnfTestConfig::fill(controller);
        const QByteArray element = controller.save(1);
        const QString valid = QStringLiteral("valid");
        const QString broken = QStringLiteral("broken");
        const QString unknown = QStringLiteral("unknown");
        QTest::newRow("native element") << element << valid << QString();
        QTest::newRow("native document") << controller.save(-1) << valid << QString();
        QTest::newRow("byte order mark and blanks")
            << QByteArray("\xEF\xBB\xBF \r\n" + element) << valid << QString();
        QTest::newRow("empty") << QByteArray() << unknown
                               << QStringLiteral("The configuration is empty");
        QTest::newRow("blanks only")
            << QByteArray(" \n\t ") << unknown << QStringLiteral("The configuration is empty");
        QTest::newRow("garbage") << QByteArray("\x01\x02 garbage") << unknown
                                 << QStringLiteral(
                                        "The content is no configuration of a known format");
        QTest::newRow("truncated")
            << QByteArray("<Controller type=\"tiverk\">\n<Phases>") << broken
            << QStringLiteral("Line 2, column 8: Premature end of document.");
        QTest::newRow("other xml")
            << QByteArray("<UniConf version=\"0.1\"/>") << unknown
            << QStringLiteral(
                   "Line 1, column 24: the root element is \"UniConf\", not \"Controller\"");
        QTest::newRow("content after element")
            << QByteArray("<Controller/>\n<Controller/>") << broken
            << QStringLiteral("Line 2, column 13: Extra content at end of document.");
        // Qt refuses such a byte before it reads the first tag; the message places the
        // byte itself. A controller with such a byte is a broken controller, other XML
        // stays unknown.
        QTest::newRow("byte not UTF-8")
            << QByteArray("<Controller type=\"tiverk\">\n<Phases/>\n<Text>\xff</Text>") << broken
            << QStringLiteral("Line 3, column 7: the byte 0xFF is not UTF-8");
        QTest::newRow("UTF-8 sequence cut short after Cyrillic text")
            << QByteArray("<Controller type=\"tiverk\">\n<Text>\xd0\x9f\xd1\x80\xd0 x</Text>")
            << broken << QStringLiteral("Line 2, column 9: the byte 0xD0 is not UTF-8");
        QTest::newRow("byte not UTF-8 in other xml")
            << QByteArray("<UniConf version=\"0.1\">\n<Text>\xff</Text>") << unknown
            << QStringLiteral("Line 2, column 7: the byte 0xFF is not UTF-8");
        QTest::newRow("byte not UTF-8 before the first element")
            << QByteArray("<?xml version=\"1.0\"?>\n<!-- \xff -->\n<Controller/>") << unknown
            << QStringLiteral("Line 2, column 6: the byte 0xFF is not UTF-8");
        QTest::newRow("broken TIVERK II") << QByteArray("{\"controller\": {\"number\": 1,\n")
                                          << broken << QStringLiteral("Line 2, column 1:");
        QTest::newRow("broken ZU_MOLT")
            << QByteArray("{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"stages\": [}") << broken
            << QStringLiteral("Line 1, column ");
        QTest::newRow("broken adapter")
            << QByteArray("[controller]\nnumber=1\n") << broken
            << QStringLiteral("Line 3: the [end] line is missing: the file is truncated");
    }

    void tellsContentApart()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, outcome);
        QFETCH(QString, error);
        const CnfNativePtr native = CnfNative::loadNativeConfig(bytes);
        QCOMPARE(bool(native), outcome != QLatin1String("unknown"));
        if (outcome == QLatin1String("valid")) {
            QVERIFY(native->isValid());
            CnfController controller;
            QVERIFY2(native->createController(controller), qPrintable(native->lastError()));
            QCOMPARE(controller.property("type"), QVariant(QStringLiteral("tiverk")));
            return;
        }
        QVERIFY2(CnfNative::loadError().startsWith(error), qPrintable(CnfNative::loadError()));
        if (outcome == QLatin1String("broken")) {
            QVERIFY(!native->isValid());
            QCOMPARE(native->lastError(), CnfNative::loadError());
            CnfController controller;
            controller.setProperty("type", QStringLiteral("tiverk"));
            controller.setNativeData(QStringLiteral("left"), 1);
            QVERIFY(!native->createController(controller));
            QCOMPARE(controller.lastError(), native->lastError());
            QVERIFY(!controller.property("type").isValid());
            QVERIFY(controller.nativeData().keys().isEmpty());
        }
    }

    void brokenContentFailsOnCreate()
    {
        // Well-formed XML whose content is wrong is found, and then refused.
        const CnfNativePtr native = CnfNative::loadNativeConfig(QByteArray(
            "<Controller><Phases><Phase id=\"1\"><Group id=\"7\"/></Phase></Phases></Controller>"));
        QVERIFY(native);
        CnfController controller;
        QVERIFY(!native->createController(controller));
        QVERIFY(native->lastError().contains(QStringLiteral("7")));
        QCOMPARE(controller.lastError(), native->lastError());
    }

    void saveAndLoadFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("crossing.cnf"));
        CnfController original;
        CnfTestConfig::fill(original);
        QString error;
        QVERIFY2(CnfNative::save(path, original, error), qPrintable(error));
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY2(native, qPrintable(CnfNative::loadError()));
        CnfController copy;
        QVERIFY(native->createController(&copy));
        QCOMPARE(copy.save(1), original.save(1));
    }

    // Elements removed while others still point at them: every family's file
    // must load again, without warnings about references to nothing.
    void removedElementsLeaveLoadableFiles_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("removed");
        const QStringList families = { QStringLiteral("tiverk"), QStringLiteral("adapter"),
                                       QStringLiteral("tiverkii"), QStringLiteral("ZU_MOLT") };
        const QStringList removals = { QStringLiteral("program"),    QStringLiteral("phase"),
                                       QStringLiteral("matrix"),     QStringLiteral("day card"),
                                       QStringLiteral("week card"),  QStringLiteral("signal group"),
                                       QStringLiteral("never added") };
        for (const QString &family : families) {
            for (const QString &removed : removals)
                QTest::newRow(qPrintable(family + QLatin1Char(' ') + removed)) << family << removed;
        }
    }

    void removedElementsLeaveLoadableFiles()
    {
        QFETCH(QString, family);
        QFETCH(QString, removed);
        CnfController original;
        if (family == QLatin1String("ZU_MOLT"))
            FormatFixture::fillZuMolt(original);
        else
            FormatFixture::fillFull(original, family, QStringLiteral("3.18"));
        if (removed == QLatin1String("program"))
            QVERIFY(original.removeProgram(QStringLiteral("1")));
        else if (removed == QLatin1String("phase"))
            QVERIFY(original.removePhase(QStringLiteral("1")));
        else if (removed == QLatin1String("matrix"))
            QVERIFY(original.removeMatrix(original.conflictMatrix()->id()));
        else if (removed == QLatin1String("day card"))
            QVERIFY(original.removeDayCard(original.dayCards().first()));
        else if (removed == QLatin1String("week card"))
            QVERIFY(original.removeWeekCard(original.weekCards().first()));
        else if (removed == QLatin1String("signal group"))
            QVERIFY(original.removeSignalGroup(1));
        if (removed == QLatin1String("never added")) {
            // Elements that reach the configuration only through a reference.
            auto stray = CnfProgramPtr::create();
            stray->id = QStringLiteral("99");
            original.setDefaultProgram(stray);
            auto card = CnfDayCardPtr::create();
            card->id = QStringLiteral("99");
            original.setDefaultDayCard(card);
            auto device = CnfPowerDevicePtr::create();
            device->id = 99;
            device->address = 99;
            original.signalGroups().first()->assignDevice(device);
        }

        CnfController copy;
        const QString problem = saveAndReload(original, copy);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(copy.programs().size(), original.programs().size());
        QCOMPARE(copy.signalGroups().size(), original.signalGroups().size());
    }

    // Calendar entries that the dialogs can leave without a place (a record
    // whose start cell was empty, a day outside Monday..Sunday, a season plan
    // without dates) must not make the saved file unreadable.
    void calendarEntriesWithoutAPlace_data()
    {
        QTest::addColumn<QString>("family");
        for (const char *family : { "tiverk", "adapter", "tiverkii", "ZU_MOLT" })
            QTest::newRow(family) << QString::fromLatin1(family);
    }

    void calendarEntriesWithoutAPlace()
    {
        QFETCH(QString, family);
        const bool zuMolt = family == QLatin1String("ZU_MOLT");
        CnfController original;
        if (zuMolt)
            FormatFixture::fillZuMolt(original);
        else
            FormatFixture::fillFull(original, family, QStringLiteral("3.18"));
        const CnfDayCardPtr day = original.dayCards().first();
        const int records = day->records.size();
        day->addRecord(QTime(), QTime(), original.programs().first(), CnfProgramPtr());
        const CnfWeekCardPtr week = original.weekCards().first();
        week->days.insert(0, day);
        week->days.insert(8, day);
        // zumoltc's file needs both dates of a season plan.
        if (!zuMolt) {
            auto dateless = CnfSeasonPlanPtr::create();
            dateless->weekCard = week;
            QVERIFY(original.addSeasonPlan(dateless));
        }

        CnfController copy;
        const QString problem = saveAndReload(original, copy);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(copy.findDayCard(day->id)->records.size(), records);
        QCOMPARE(copy.findWeekCard(week->id)->days.keys(), QList<int>({ 1, 2, 3, 4, 5, 6, 7 }));
        QCOMPARE(copy.seasonPlans().size(), original.seasonPlans().size());
    }

    void fileErrors()
    {
        QVERIFY(!CnfNative::loadNativeConfig(QStringLiteral("/nonexistent/dir/x.cnf")));
        QVERIFY(CnfNative::loadError().contains(QStringLiteral("/nonexistent/dir/x.cnf")));
        CnfController controller;
        QString error;
        QVERIFY(!CnfNative::save(QStringLiteral("/nonexistent/dir/x.cnf"), controller, error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!CnfNative::save(QStringLiteral("x.cnf"), nullptr, error));
    }

    void goldenSample()
    {
        // A file written by an earlier build must keep loading, and saving it
        // again must give the same bytes.
        const QString path = TestSupport::dataPath(QStringLiteral("cnf/sample.cnf"));
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY2(native, qPrintable(CnfNative::loadError()));
        CnfController controller;
        QVERIFY2(native->createController(controller), qPrintable(native->lastError()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(controller.save(-1), file.readAll());
        CnfController expected;
        CnfTestConfig::fill(expected);
        QVERIFY(controller.nativeData().dataEqual(expected.nativeData()));
    }

    void initController_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::newRow("tiverk") << QStringLiteral("tiverk") << QStringLiteral("3.17");
        QTest::newRow("tiverkii") << QStringLiteral("tiverkii") << QString();
        QTest::newRow("ZU_MOLT") << QStringLiteral("ZU_MOLT") << QString();
    }

    void initController()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        CnfController controller;
        CnfTestConfig::fill(controller);
        CnfNative::initController(controller, type, version);
        QCOMPARE(controller.property("type").toString(), type);
        QCOMPARE(controller.property("version").isValid(), !version.isEmpty());
        QVERIFY(controller.programs().isEmpty());
        QVERIFY(controller.signalGroups().isEmpty());
        QVERIFY(!controller.interstate());
        QVERIFY(controller.nativeData().keys().isEmpty());
        QVERIFY(!controller.property("description").isValid());
    }
};

PROJECT_TEST(TestCnfNative);
#include "tst_cnfnative.moc"
