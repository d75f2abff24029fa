#include "cnf/cnfnative.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QFile>
#include <QtTest>

namespace {

// What a row changes in its file before zumoltc reads it.
enum Change { AsItStands, ConflictMatrixIdOfExtraMatrix, KeptNumber, KeptNull, LoneSurrogateNames };

// The text with one member no reader knows, `"zzKept": n` (n counting the
// objects from 1 in the order they open) or `"zzKept": null`, appended to
// every object, in the layout of the object: a new line in an object over
// several lines, on the same line in an object on one. Counts the objects.
QByteArray withMemberInEveryObject(const QByteArray &text, bool null, int *count)
{
    struct Insertion
    {
        int at;
        QByteArray text;
    };
    QVector<Insertion> insertions;
    QVector<int> open; // the number of each object not yet closed
    *count = 0;
    bool inString = false;
    for (int i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '{') {
            open.append(++*count);
        } else if (c == '}') {
            const QByteArray value = null ? QByteArray("null") : QByteArray::number(open.last());
            open.removeLast();
            int last = i - 1;
            while (last >= 0 && QByteArray(" \t\r\n").contains(text.at(last)))
                --last;
            const QByteArray blank = text.mid(last + 1, i - last - 1);
            const QByteArray member = "\"zzKept\": " + value;
            if (text.at(last) == '{')
                insertions.append({ last + 1, member });
            else if (blank.contains('\n'))
                insertions.append(
                    { last + 1,
                      ",\n" + QByteArray(blank.size() - blank.lastIndexOf('\n') - 1 + 4, ' ')
                          + member });
            else
                insertions.append({ last + 1, ", " + member });
        }
    }
    QByteArray result = text;
    std::sort(insertions.begin(), insertions.end(),
              [](const Insertion &a, const Insertion &b) { return a.at > b.at; });
    for (const Insertion &insertion : qAsConst(insertions))
        result.insert(insertion.at, insertion.text);
    return result;
}

} // namespace

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
    // The oracle is zumoltc's own reader and writer: what zumoltc saves of a file,
    // plivek saves the same, byte for byte.
    void zumoltcFileGoesThroughPlivekUnchanged_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("clean"); // the editor's file names a missing object on purpose
        const QString sample
            = TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"));
        QTest::newRow("zumoltc's file")
            << TestSupport::dataPath(QStringLiteral("cnf/formats/zumolt_from_editor.json"))
            << int(AsItStands) << false;
        QTest::newRow("plivek's sample") << sample << int(AsItStands) << true;
        // Countdown boards and a DIO module in use before their first board or channel.
        QTest::newRow("lists not yet filled")
            << TestSupport::dataPath(QStringLiteral("zumolt/lists-not-yet-filled.json"))
            << int(AsItStands) << true;
        // The conflict matrix has the id of the matrix kept under "extraMatrices".
        QTest::newRow("conflict matrix with an extra matrix's id")
            << sample << int(ConflictMatrixIdOfExtraMatrix) << true;
        QTest::newRow("unknown member in every object") << sample << int(KeptNumber) << true;
        QTest::newRow("unknown null member in every object") << sample << int(KeptNull) << true;
        // Members with a lone surrogate in their names, after members that
        // zumoltc knows ("report") or keeps ("amberBlink") too.
        QTest::newRow("lone surrogates in names") << sample << int(LoneSurrogateNames) << true;
        // Its switch S3 has no "heads".
        QTest::newRow("complete sample")
            << TestSupport::dataPath(QStringLiteral("zumolt/complete.json")) << int(AsItStands)
            << false;
    }

    void zumoltcFileGoesThroughPlivekUnchanged()
    {
        QFETCH(QString, path);
        QFETCH(int, change);
        QFETCH(bool, clean);
        QByteArray input = TestSupport::readFile(path);
        QVERIFY(!input.isEmpty());
        int objects = 0;
        if (change == ConflictMatrixIdOfExtraMatrix) {
            const QByteArray igm = "\"name\": \"IGM\",\n            \"id\": 1,";
            QCOMPARE(input.count(igm), 1);
            QVERIFY(input.contains("\"id\": 2,\n            \"name\": \"draft\""));
            input.replace(igm, "\"name\": \"IGM\",\n            \"id\": 2,");
        } else if (change == LoneSurrogateNames) {
            const QByteArrayList edits
                = { "\"maxGreen\": 41, \"amberBlink\": 2}",
                    "\"maxGreen\": 41, \"amberBlink\": 2, \"\\ud800y\": 33}",
                    "{\"name\": \"D1\", \"id\": 1, \"report\": true}",
                    "{\"name\": \"D1\", \"id\": 1, \"report\": true, \"x\\udc00\": 99}" };
            for (int i = 0; i < edits.size(); i += 2) {
                QCOMPARE(input.count(edits.at(i)), 1);
                input.replace(edits.at(i), edits.at(i + 1));
            }
        } else if (change == KeptNumber || change == KeptNull) {
            input = withMemberInEveryObject(input, change == KeptNull, &objects);
            QVERIFY(objects > 0);
        }
        ZUConfiguration first;
        QString error;
        QVERIFY2(first.fromJson(input, &error), qPrintable(error));
        if (clean)
            QVERIFY2(first.warnings().isEmpty(),
                     qPrintable(first.warnings().join(QLatin1Char('\n'))));
        const QByteArray written = first.toJson();
        // zumoltc keeps the member of every object, so the comparison below covers them all.
        QCOMPARE(int(written.count("\"zzKept\"")), objects);

        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(written) && config.createController(controller),
                 qPrintable(config.lastError()));
        QVERIFY2(config.warnings().isEmpty(),
                 qPrintable(config.warnings().join(QLatin1Char('\n'))));
        const QByteArray again = config.save(controller);
        QVERIFY2(!again.isEmpty(), qPrintable(config.lastError()));
        // Key for key, in the same order and layout as zumoltc writes it.
        QCOMPARE(QString::fromUtf8(again), QString::fromUtf8(written));

        // Loaded from its own save, plivek writes the same bytes again.
        ZU_MOLTConfig reread;
        CnfController reloaded;
        QVERIFY2(reread.loadData(again) && reread.createController(reloaded),
                 qPrintable(reread.lastError()));
        QCOMPARE(QString::fromUtf8(reread.save(reloaded)), QString::fromUtf8(again));

        ZUConfiguration second;
        QVERIFY2(second.fromJson(again, &error), qPrintable(error));
        QVERIFY2(second.warnings().isEmpty(),
                 qPrintable(second.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(second.toJson(), written);
    }

    // A member that a file leaves out is not set, a state of its own: plivek
    // leaves it out again, as zumoltc does, and writes no default in its place.
    void memberLeftOutStaysOut_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("member"); // the text taken out of the file
        QTest::addColumn<QByteArray>("rest"); // what stands in its place
        const QString every
            = TestSupport::dataPath(QStringLiteral("zumolt/every-switch-member.json"));
        const QByteArray in12 = "\n            ";
        const QByteArray in16 = "\n                ";
        QTest::newRow("nothing") << every << QByteArray() << QByteArray();
        QTest::newRow("switch: name") << every << QByteArray("\"name\": \"S1\", ") << QByteArray();
        QTest::newRow("switch: signalGroup")
            << every << QByteArray(", \"signalGroup\": 1") << QByteArray();
        QTest::newRow("switch: addr") << every << QByteArray(", \"addr\": 1") << QByteArray();
        QTest::newRow("switch: color")
            << every << QByteArray(", \"color\": \"green\"") << QByteArray();
        QTest::newRow("switch: heads") << every << QByteArray(", \"heads\": 2") << QByteArray();
        QTest::newRow("switch: control")
            << every << QByteArray(", \"control\": true, \"lowCurrent\": 20")
            << QByteArray(", \"lowCurrent\": 20");
        QTest::newRow("switch: lowCurrent")
            << every << QByteArray(", \"lowCurrent\": 20") << QByteArray();
        QTest::newRow("switch: upCurrent")
            << every << QByteArray(", \"upCurrent\": 300") << QByteArray();
        QTest::newRow("switch: minCurrent")
            << every << QByteArray(", \"minCurrent\": 6") << QByteArray();
        // The switch has no type of its own either: it takes the default's.
        QTest::newRow("default switch: type")
            << every << QByteArray("\"type\": \"ZU4_SW\"," + in12) << QByteArray();
        QTest::newRow("default switch: control")
            << every << QByteArray("\"control\": true," + in12) << QByteArray();
        QTest::newRow("default switch: lowCurrent")
            << every << QByteArray("\"lowCurrent\": 10," + in12) << QByteArray();
        QTest::newRow("default switch: upCurrent")
            << every << QByteArray("\"upCurrent\": 200," + in12) << QByteArray();
        QTest::newRow("default switch: minCurrent")
            << every << QByteArray(",\n            \"minCurrent\": 5") << QByteArray();
        QTest::newRow("KMP device: device")
            << every << QByteArray("\"device\": \"VPU1\"," + in16) << QByteArray();
        QTest::newRow("KMP device: addr")
            << every << QByteArray("\"addr\": 4," + in16) << QByteArray();
        QTest::newRow("KMP device: type")
            << every << QByteArray("\"type\": \"passive\"," + in16) << QByteArray();
        QTest::newRow("KMP device: port")
            << every << QByteArray(",\n                \"port\": \"RS485_1\"") << QByteArray();
        QTest::newRow("control source: type")
            << every << QByteArray("\"type\": \"scheduler\"," + in12) << QByteArray();
        QTest::newRow("control source: id")
            << every << QByteArray("\"id\": 3," + in12) << QByteArray();
        QTest::newRow("control source: priority")
            << every << QByteArray("\"priority\": 2," + in12) << QByteArray();
        QTest::newRow("control source: timeout")
            << every << QByteArray(",\n            \"timeout\": 30") << QByteArray();
        QTest::newRow("plivek's sample, switch 4: heads")
            << TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))
            << QByteArray("\"color\": \"white\", \"heads\": 1")
            << QByteArray("\"color\": \"white\"");
    }

    void memberLeftOutStaysOut()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, member);
        QFETCH(QByteArray, rest);
        QByteArray input = TestSupport::readFile(path);
        QVERIFY(!input.isEmpty());
        if (!member.isEmpty()) {
            QCOMPARE(input.count(member), 1);
            input.replace(member, rest);
        }
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(input, &error), qPrintable(error));
        const QByteArray written = zu.toJson();

        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(written));
        // And so from zumoltc's own save.
        ZU_MOLTConfig again;
        CnfController reloaded;
        QVERIFY2(again.loadData(written) && again.createController(reloaded),
                 qPrintable(again.lastError()));
        QCOMPARE(QString::fromUtf8(again.save(reloaded)), QString::fromUtf8(written));
    }

    // plivek holds a name as the letters its text stands for, so that every
    // dialog shows them; a name not edited is written back as the file wrote
    // it, an edited one so that zumoltc reads it (escapes only where JSON needs them).
    void namesAreTheirLetters_data()
    {
        QTest::addColumn<QByteArray>("written"); // group 4's name in the file
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QByteArray>("edited"); // the letters and " 2", as saved
        QTest::newRow("escaped letter")
            << QByteArray("Tram \\u00e9") << QStringLiteral("Tram \u00e9")
            << QByteArray("Tram \xC3\xA9 2");
        QTest::newRow("upper-case escape")
            << QByteArray("Tram \\u00E9") << QStringLiteral("Tram \u00e9")
            << QByteArray("Tram \xC3\xA9 2");
        QTest::newRow("pair as two escapes")
            << QByteArray("\\ud83d\\udea6") << QString::fromUcs4(U"\U0001F6A6")
            << QByteArray("\xF0\x9F\x9A\xA6 2");
        QTest::newRow("quote and backslash")
            << QByteArray("a\\\"b\\\\c") << QStringLiteral("a\"b\\c")
            << QByteArray("a\\\"b\\\\c 2");
        QTest::newRow("solidus") << QByteArray("a\\/b") << QStringLiteral("a/b")
                                 << QByteArray("a/b 2");
        QTest::newRow("tab as it stands")
            << QByteArray("a\tb") << QStringLiteral("a\tb") << QByteArray("a\\u0009b 2");
        QTest::newRow("plain") << QByteArray("Tram") << QStringLiteral("Tram")
                               << QByteArray("Tram 2");
    }

    void namesAreTheirLetters()
    {
        QFETCH(QByteArray, written);
        QFETCH(QString, letters);
        QFETCH(QByteArray, edited);
        QByteArray input
            = TestSupport::readFile(TestSupport::dataPath(QStringLiteral("zumolt/complete.json")));
        const QByteArray name = "\"name\": \"Tram \\u00e9\"";
        QCOMPARE(input.count(name), 1);
        input.replace(name, "\"name\": \"" + written + '"');

        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        QCOMPARE(controller.findSG(4)->name, letters);
        // The file is not in zumoltc's layout: its untouched save is, with the
        // name as the file wrote it.
        const QByteArray untouched = config.save(controller);
        QCOMPARE(untouched.count("\"name\": \"" + written + '"'), 1);

        controller.findSG(4)->name = letters + QStringLiteral(" 2");
        const QByteArray saved = config.save(controller);
        QByteArray expected = untouched;
        expected.replace("\"name\": \"" + written + '"', "\"name\": \"" + edited + '"');
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(expected));
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(saved, &error), qPrintable(error));
        QCOMPARE(zu.findSignalGroup(4)->name(), QString::fromUtf8(edited));
    }
};

PROJECT_TEST(TestZuMoltConfigInterop);
#include "tst_zumoltconfiginterop.moc"
