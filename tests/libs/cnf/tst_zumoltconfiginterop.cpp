#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zudayplan.h"
#include "zumoltc/model/zudetector.h"
#include "zumoltc/model/zusignalgroup.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/model/zustage.h"
#include "zumoltc/model/zuswitch.h"

#include <QFile>
#include <QtTest>

namespace {

// What a row changes in its file before zumoltc reads it.
enum Change { AsItStands, ConflictMatrixIdOfExtraMatrix, KeptNumber, KeptNull, LoneSurrogateNames };

// The kinds of element that both programs delete.
enum DeletedKind { DeletedSignalGroup, DeletedStage, DeletedDetector, DeletedPlan, DeletedSwitch };

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
        // Where plivek's save differs from zumoltc's, as docs/formats.md lists
        // it: pairs of a text of zumoltc's save and what plivek writes instead.
        QTest::addColumn<QByteArrayList>("differs");
        QTest::addColumn<QStringList>("warnings"); // plivek's reader's, exactly
        const QString every
            = TestSupport::dataPath(QStringLiteral("zumolt/every-switch-member.json"));
        const QByteArray in12 = "\n            ";
        const QByteArray in16 = "\n                ";
        QTest::newRow("nothing") << every << QByteArray() << QByteArray() << QByteArrayList()
                                 << QStringList();
        QTest::newRow("switch: name") << every << QByteArray("\"name\": \"S1\", ") << QByteArray()
                                      << QByteArrayList() << QStringList();
        QTest::newRow("switch: signalGroup") << every << QByteArray(", \"signalGroup\": 1")
                                             << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("switch: addr") << every << QByteArray(", \"addr\": 1") << QByteArray()
                                      << QByteArrayList() << QStringList();
        QTest::newRow("switch: color") << every << QByteArray(", \"color\": \"green\"")
                                       << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("switch: heads") << every << QByteArray(", \"heads\": 2") << QByteArray()
                                       << QByteArrayList() << QStringList();
        QTest::newRow("switch: control")
            << every << QByteArray(", \"control\": true, \"lowCurrent\": 20")
            << QByteArray(", \"lowCurrent\": 20") << QByteArrayList() << QStringList();
        QTest::newRow("switch: lowCurrent") << every << QByteArray(", \"lowCurrent\": 20")
                                            << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("switch: upCurrent") << every << QByteArray(", \"upCurrent\": 300")
                                           << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("switch: minCurrent") << every << QByteArray(", \"minCurrent\": 6")
                                            << QByteArray() << QByteArrayList() << QStringList();
        // The switch has no type of its own either: it takes the default's.
        QTest::newRow("default switch: type") << every << QByteArray("\"type\": \"ZU4_SW\"," + in12)
                                              << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("default switch: control")
            << every << QByteArray("\"control\": true," + in12) << QByteArray() << QByteArrayList()
            << QStringList();
        QTest::newRow("default switch: lowCurrent")
            << every << QByteArray("\"lowCurrent\": 10," + in12) << QByteArray() << QByteArrayList()
            << QStringList();
        QTest::newRow("default switch: upCurrent")
            << every << QByteArray("\"upCurrent\": 200," + in12) << QByteArray() << QByteArrayList()
            << QStringList();
        QTest::newRow("default switch: minCurrent")
            << every << QByteArray(",\n            \"minCurrent\": 5") << QByteArray()
            << QByteArrayList() << QStringList();
        QTest::newRow("KMP device: device") << every << QByteArray("\"device\": \"VPU1\"," + in16)
                                            << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("KMP device: addr") << every << QByteArray("\"addr\": 4," + in16)
                                          << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("KMP device: type") << every << QByteArray("\"type\": \"passive\"," + in16)
                                          << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("KMP device: port")
            << every << QByteArray(",\n                \"port\": \"RS485_1\"") << QByteArray()
            << QByteArrayList() << QStringList();
        QTest::newRow("control source: type")
            << every << QByteArray("\"type\": \"scheduler\"," + in12) << QByteArray()
            << QByteArrayList() << QStringList();
        QTest::newRow("control source: id") << every << QByteArray("\"id\": 3," + in12)
                                            << QByteArray() << QByteArrayList() << QStringList();
        QTest::newRow("control source: priority")
            << every << QByteArray("\"priority\": 2," + in12) << QByteArray() << QByteArrayList()
            << QStringList();
        QTest::newRow("control source: timeout")
            << every << QByteArray(",\n            \"timeout\": 30") << QByteArray()
            << QByteArrayList() << QStringList();
        QTest::newRow("plivek's sample, switch 4: heads")
            << TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))
            << QByteArray("\"color\": \"white\", \"heads\": 1")
            << QByteArray("\"color\": \"white\"") << QByteArrayList() << QStringList();
        // What zumoltc keeps with a warning, plivek keeps too; what plivek has
        // no place for goes, with nothing left naming it, and the warning names it.
        const QString sample
            = TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"));
        const QByteArray in20 = "\n                    ";
        const QByteArray in24 = "\n                        ";
        // A day plan keeps its periods by start, the controller its extra days by date.
        QTest::newRow("period: start")
            << sample << QByteArray("\"start\": \"22:00\"," + in24) << QByteArray()
            << QByteArrayList { "}," + in20 + "{" + in24 + "\"stop\": \"06:00:30\"," + in24
                                    + "\"program\": 1" + in20 + "}",
                                "}" }
            << QStringList { QStringLiteral(
                   "Line 162, column 21: period 2 of day plan 1 has no valid 'start'; it is left "
                   "out") };
        QTest::newRow("extra day: date")
            << sample << QByteArray("\"date\": \"01.01\"," + in16) << QByteArray()
            << QByteArrayList { "],\n        \"extraDays\": [\n            {" + in16
                                    + "\"name\": \"Новый год\"," + in16 + "\"id\": 1," + in16
                                    + "\"day\": 2\n            }\n        ]",
                                "]" }
            << QStringList { QStringLiteral(
                   "Line 198, column 13: extra day 1 \"Новый год\" has no valid 'date'; it is left "
                   "out") };
        // Phase 2 of plan 4 is what the detector record's "call" names.
        QTest::newRow("plan phase: stage")
            << sample << QByteArray("\"stage\": 2," + in24) << QByteArray() << QByteArrayList()
            << QStringList { QStringLiteral("Line 133, column 33: phase 2 not found"),
                             QStringLiteral("Line 119, column 21: phase 2 of plan 4 is left out, "
                                            "with the calls and detector records that name it: "
                                            "it has no 'stage'") };
        QTest::newRow("plan phase: stage named by no stage")
            << sample << QByteArray("\"stage\": 2," + in24)
            << QByteArray("\"stage\": \"Nowhere\"," + in24) << QByteArrayList()
            << QStringList { QStringLiteral("Line 134, column 33: phase 2 not found"),
                             QStringLiteral("Line 119, column 21: phase 2 of plan 4 is left out, "
                                            "with the calls and detector records that name it: "
                                            "'stage' refers to no stage Nowhere") };
        // zumoltc runs phase 1 twice; plivek runs it and a copy under an id of
        // its own. Phase 2, in no run, goes with what names it, in both.
        const QByteArray phase1 = "\"stage\": 1," + in24 + "\"recall\": \"max\"," + in24
            + "\"countdownBoard\": \"timer\"," + in24 + "\"passage\": 3," + in24
            + "\"minGreen\": 10," + in24 + "\"maxGreen\": 40" + in20 + "}";
        QTest::newRow("plan phases: one id twice in the sequence")
            << sample << QByteArray("\"sequence\": [1, 2]") << QByteArray("\"sequence\": [1, 1]")
            << QByteArrayList { phase1 + "\n                ],",
                                phase1 + "," + in20 + "{" + in24 + "\"id\": 2," + in24 + phase1
                                    + "\n                ],",
                                "\"sequence\": [1, 1]", "\"sequence\": [1, 2]" }
            << QStringList {
                   QStringLiteral("Line 110, column 21: phase 1 stands in the 'sequence' of plan "
                                  "4 more than once; each further run is a copy of it with an id "
                                  "of its own"),
                   QStringLiteral("Line 129, column 33: 'call' refers to no phase 2 of plan 4")
               };
    }

    void memberLeftOutStaysOut()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, member);
        QFETCH(QByteArray, rest);
        QFETCH(QByteArrayList, differs);
        QFETCH(QStringList, warnings);
        QByteArray input = TestSupport::readFile(path);
        QVERIFY(!input.isEmpty());
        if (!member.isEmpty()) {
            QCOMPARE(input.count(member), 1);
            input.replace(member, rest);
        }
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(input, &error), qPrintable(error));
        QByteArray written = zu.toJson();
        for (int i = 0; i + 1 < differs.size(); i += 2) {
            QCOMPARE(written.count(differs.at(i)), 1);
            written.replace(differs.at(i), differs.at(i + 1));
        }

        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));
        QCOMPARE(config.warnings(), warnings);
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(written));
        // And so from zumoltc's own save.
        ZU_MOLTConfig again;
        CnfController reloaded;
        QVERIFY2(again.loadData(written) && again.createController(reloaded),
                 qPrintable(again.lastError()));
        QCOMPARE(QString::fromUtf8(again.save(reloaded)), QString::fromUtf8(written));
    }

    // A Delete in plivek writes what zumoltc's own Delete of the same element
    // writes (zumoltc deletes the object; its model lets go of what named it).
    // Every kind of element that both programs delete, each element of it.
    void deleteWritesWhatZumoltcWrites_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        const QList<QPair<QString, QString>> files
            = { { QStringLiteral("sample"),
                  TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")) },
                { QStringLiteral("complete"),
                  TestSupport::dataPath(QStringLiteral("zumolt/complete.json")) } };
        for (const auto &file : files) {
            ZUConfiguration zu;
            QString error;
            QVERIFY2(zu.fromJson(TestSupport::readFile(file.second), &error), qPrintable(error));
            const auto rows = [&](DeletedKind kind, const char *name, const auto &list) {
                for (const auto &element : list)
                    QTest::addRow("%s, %s %d", qPrintable(file.first), name, element->id())
                        << file.second << int(kind) << element->id();
            };
            rows(DeletedSignalGroup, "signal group", zu.signalGroups());
            rows(DeletedStage, "stage", zu.stages());
            rows(DeletedDetector, "detector", zu.detectors());
            // A period keeps the id of a deleted plan, as in plivek's other
            // families, where zumoltc drops the period (docs/formats.md).
            QList<QPointer<ZUSignalPlan>> plans = zu.signalPlans();
            for (const QPointer<ZUDayPlan> &day : zu.dayPlans()) {
                for (const ZUDayPlan::Period &period : day->periods()) {
                    plans.removeAll(period.program);
                    plans.removeAll(period.spareProgram);
                }
            }
            rows(DeletedPlan, "plan", plans);
            rows(DeletedSwitch, "switch", zu.switches());
        }
    }

    void deleteWritesWhatZumoltcWrites()
    {
        QFETCH(QString, path);
        QFETCH(int, kind);
        QFETCH(int, id);
        // The file as zumoltc saves it, which plivek saves unchanged.
        ZUConfiguration first;
        QString error;
        QVERIFY2(first.fromJson(TestSupport::readFile(path), &error), qPrintable(error));
        QByteArray input = first.toJson();
        // Without the matrices kept for plivek, whose cells go with their
        // group in plivek and which zumoltc keeps as they stand.
        const int extra = input.indexOf(",\n    \"extraMatrices\": [");
        if (extra >= 0)
            input.remove(extra, input.indexOf("\n    ]", extra) + 6 - extra);
        ZUConfiguration zu;
        QVERIFY2(zu.fromJson(input, &error), qPrintable(error));
        const auto deleteIn = [id](const auto &list) {
            for (const auto &element : list) {
                if (element && element->id() == id) {
                    delete element.data();
                    return true;
                }
            }
            return false;
        };
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        bool removed = false;
        switch (DeletedKind(kind)) {
        case DeletedSignalGroup:
            QVERIFY(deleteIn(zu.signalGroups()));
            removed = controller.removeSignalGroup(id);
            break;
        case DeletedStage:
            QVERIFY(deleteIn(zu.stages()));
            removed = controller.removePhase(QString::number(id));
            break;
        case DeletedDetector:
            QVERIFY(deleteIn(zu.detectors()));
            removed = controller.removeDetector(id);
            break;
        case DeletedPlan:
            QVERIFY(deleteIn(zu.signalPlans()));
            removed = controller.removeProgram(QString::number(id));
            break;
        case DeletedSwitch:
            QVERIFY(deleteIn(zu.switches()));
            // As the power part deletes a switch: what the file kept for it goes too.
            ZU_MOLTConfig::followSwitch(controller, id, -1);
            removed = controller.removePowerDeviceById(id);
            break;
        }
        QVERIFY2(removed, qPrintable(controller.lastError()));
        const QByteArray written = zu.toJson();
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(written));
    }
};

PROJECT_TEST(TestZuMoltConfigInterop);
#include "tst_zumoltconfiginterop.moc"
