#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zudayplan.h"
#include "zumoltc/model/zudetector.h"
#include "zumoltc/model/zusignalgroup.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/model/zusignalplanphase.h"
#include "zumoltc/model/zustage.h"
#include "zumoltc/model/zuswitch.h"

#include <QDirIterator>
#include <QFile>
#include <QtTest>
#include <functional>

namespace {

// What a row changes in its file before zumoltc reads it.
enum Change { AsItStands, ConflictMatrixIdOfExtraMatrix, KeptNumber, KeptNull, LoneSurrogateNames };

// The edit a row makes between opening its file and saving it.
enum Edit { NoEdit, DeleteStage, RemoveDayPlan, FirstStepOfNoStage };

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

// A member of a JSON text: its path ("switches/items/3/addr") and the bytes
// that take it out (with the comma that joins it to its neighbour).
struct MemberSpan
{
    QString path;
    int from;
    int to;
};

// Every member of every object in `text`, in the order they stand.
class MemberScanner
{
public:
    explicit MemberScanner(const QByteArray &text)
        : t(text)
    {
        value(QString());
    }

    QVector<MemberSpan> members;

private:
    const QByteArray &t;
    int i = 0;

    void blank()
    {
        while (i < t.size() && QByteArray(" \t\r\n").contains(t.at(i)))
            ++i;
    }

    QString string()
    {
        const int start = ++i;
        while (i < t.size() && t.at(i) != '"')
            i += t.at(i) == '\\' ? 2 : 1;
        return QString::fromUtf8(t.mid(start, i++ - start));
    }

    void value(const QString &path)
    {
        blank();
        if (i >= t.size())
            return;
        const char c = t.at(i);
        if (c == '"') {
            string();
        } else if (c == '{') {
            ++i;
            blank();
            while (i < t.size() && t.at(i) != '}') {
                const int keyAt = i;
                const QString key = string();
                blank();
                ++i; // ':'
                const QString at = path.isEmpty() ? key : path + QLatin1Char('/') + key;
                value(at);
                const int end = i;
                blank();
                const bool more = i < t.size() && t.at(i) == ',';
                if (more) {
                    ++i;
                    blank();
                }
                // The first member goes with the comma after it, the others with the one before.
                int from = keyAt;
                int to = more ? i : end;
                if (!members.isEmpty() || keyAt > 0) {
                    int back = keyAt - 1;
                    while (back >= 0 && QByteArray(" \t\r\n").contains(t.at(back)))
                        --back;
                    if (back >= 0 && t.at(back) == ',') {
                        from = back;
                        to = end;
                    }
                }
                members.append({ at, from, to });
            }
            ++i;
        } else if (c == '[') {
            ++i;
            blank();
            for (int n = 0; i < t.size() && t.at(i) != ']'; ++n) {
                value(path + QLatin1Char('/') + QString::number(n));
                blank();
                if (i < t.size() && t.at(i) == ',')
                    ++i;
                blank();
            }
            ++i;
        } else {
            while (i < t.size() && !QByteArray(",}] \t\r\n").contains(t.at(i)))
                ++i;
        }
    }
};

// plivek's save of the bytes of a file that plivek saved, with the warnings
// of opening them when asked; empty, with the reason in *error, when they do
// not open.
QByteArray savedAgain(const QByteArray &saved, QString *error, QStringList *warnings = nullptr)
{
    ZU_MOLTConfig config;
    CnfController controller;
    if (!config.loadData(saved) || !config.createController(controller)) {
        *error = config.lastError();
        return QByteArray();
    }
    if (warnings)
        *warnings = config.warnings();
    const QByteArray again = config.save(controller);
    if (again.isEmpty())
        *error = config.lastError();
    return again;
}

// The text with each pair of `pairs` (a text standing once in it, what takes
// its place) replaced; empty when a text does not stand there exactly once.
QByteArray replaced(QByteArray text, const QByteArrayList &pairs)
{
    for (int i = 0; i + 1 < pairs.size(); i += 2) {
        if (text.count(pairs.at(i)) != 1)
            return QByteArray();
        text.replace(pairs.at(i), pairs.at(i + 1));
    }
    return text;
}

// The warnings that `later` has and `earlier` has not (as often), their
// places ("Line 3, column 5: ") left aside, since a save moves them.
QStringList newWarnings(const QStringList &earlier, const QStringList &later)
{
    static const QRegularExpression place(QStringLiteral("^Line \\d+, column \\d+: "));
    QStringList seen;
    for (const QString &warning : earlier)
        seen << QString(warning).remove(place);
    QStringList added;
    for (const QString &warning : later) {
        if (!seen.removeOne(QString(warning).remove(place)))
            added << warning;
    }
    return added;
}

// What zumoltc runs: each plan with phases, as its id and the stages of its
// phases in their order ("4: 2 1").
QStringList stagesRun(ZUConfiguration &configuration)
{
    QStringList plans;
    for (const QPointer<ZUSignalPlan> &plan : configuration.signalPlans()) {
        QStringList stages;
        for (const QPointer<ZUSignalPlanPhase> &phase : plan->phases())
            stages << QString::number(phase->stage() ? phase->stage()->id() : 0);
        if (!stages.isEmpty())
            plans << QStringLiteral("%1: %2").arg(plan->id()).arg(stages.join(QLatin1Char(' ')));
    }
    return plans;
}

// The 'sequence' entries for which a reader's warnings say it found no phase.
QStringList phasesNotFound(const QStringList &warnings)
{
    static const QRegularExpression notFound(
        QStringLiteral("^Line \\d+, column \\d+: (phase .* not found)$"));
    QStringList found;
    for (const QString &warning : warnings) {
        const QRegularExpressionMatch match = notFound.match(warning);
        if (match.hasMatch())
            found << match.captured(1);
    }
    found.sort();
    return found;
}

// The ZU_MOLT files of the project's examples and test data (not the broken
// ones kept under a folder "fatal"), by their path under `root`.
QStringList zuMoltFiles(const QString &root)
{
    QStringList files;
    QDirIterator it(root, { QStringLiteral("*.json") }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.split(QLatin1Char('/')).contains(QLatin1String("fatal"))
            && ZU_MOLTConfig::recognizes(TestSupport::readFile(path)))
            files.append(path);
    }
    files.sort();
    return files;
}

} // namespace

// A change of the controller, made as a dialog or the main window stores it.
using ControllerEdit = std::function<void(CnfController &)>;
Q_DECLARE_METATYPE(ControllerEdit)

// Opens the file, which plivek saves untouched as it stands; saved after the
// edit, it gives the expected bytes, and what plivek wrote opens without a
// warning as what it saved.
static void editAndSave(const QByteArray &input, const ControllerEdit &edit,
                        const QByteArray &expected)
{
    ZU_MOLTConfig config;
    CnfController controller;
    QVERIFY2(config.loadData(input) && config.createController(controller),
             qPrintable(config.lastError()));
    QVERIFY2(config.warnings().isEmpty(), qPrintable(config.warnings().join(QLatin1Char('\n'))));
    QCOMPARE(QString::fromUtf8(config.save(controller)), QString::fromUtf8(input));

    edit(controller);
    const QByteArray saved = config.save(controller);
    QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(expected));

    ZU_MOLTConfig reread;
    CnfController reloaded;
    QVERIFY2(reread.loadData(saved) && reread.createController(reloaded),
             qPrintable(reread.lastError()));
    QVERIFY2(reread.warnings().isEmpty(), qPrintable(reread.warnings().join(QLatin1Char('\n'))));
    QCOMPARE(QString::fromUtf8(reread.save(reloaded)), QString::fromUtf8(saved));
}

// Files pass both ways between plivek and zumoltc: zumoltc's own reader takes
// what plivek writes, and a file of zumoltc goes through plivek unchanged,
// byte for byte.
class TestZuMoltConfigInterop : public QObject
{
    Q_OBJECT
private slots:
    // With a day card removed, references to it are not written (the week's
    // days of it are null): still no warning. plivek opens the file as it saved it.
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
        const QByteArray again = savedAgain(bytes, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(QString::fromUtf8(again), QString::fromUtf8(bytes));
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
        QCOMPARE(QString::fromUtf8(reader.save(loaded)), QString::fromUtf8(bytes));
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
        QCOMPARE(QString::fromUtf8(savedAgain(again, &error)), QString::fromUtf8(again));
        QVERIFY2(error.isEmpty(), qPrintable(error));

        ZUConfiguration second;
        QVERIFY2(second.fromJson(again, &error), qPrintable(error));
        QVERIFY2(second.warnings().isEmpty(),
                 qPrintable(second.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(second.toJson(), written);
    }

    // Whatever plivek makes of a ZU_MOLT file, it opens its own save as what
    // it saved: saved again, the bytes are the same.
    // A file that plivek refuses says why (its configVersion is not 1: a
    // version that zumoltc reads as 1 too, 1.5, plivek does not take for it).
    void everyFileSavedOpensAsSaved_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("refusal");
        const QHash<QString, QString> refused
            = { { QStringLiteral("tests/data/document/zumolt-version2.json"),
                  QStringLiteral("Line 1, column 19: unsupported configVersion 2 (1 expected)") },
                { QStringLiteral("tests/data/zumolt/alternates.json"),
                  QStringLiteral("Line 2, column 22: unsupported configVersion 1.5 (1 "
                                 "expected)") } };
        const QDir top(TestSupport::examplesPath(QStringLiteral("..")));
        const QStringList files
            = zuMoltFiles(TestSupport::examplesPath()) + zuMoltFiles(TestSupport::dataPath());
        for (const QString &path : files) {
            const QString name = top.relativeFilePath(path);
            QTest::newRow(qPrintable(name)) << path << refused.value(name);
        }
        QVERIFY(files.size() > 20);
    }

    void everyFileSavedOpensAsSaved()
    {
        QFETCH(QString, path);
        QFETCH(QString, refusal);
        ZU_MOLTConfig config;
        CnfController controller;
        const bool opened
            = config.loadData(TestSupport::readFile(path)) && config.createController(controller);
        if (!refusal.isEmpty()) {
            QVERIFY(!opened);
            QCOMPARE(config.lastError(), refusal);
            return;
        }
        QVERIFY2(opened, qPrintable(config.lastError()));
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));
        QString error;
        const QByteArray again = savedAgain(saved, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(QString::fromUtf8(again), QString::fromUtf8(saved));
    }

    // A file opened, edited or not, and saved: the save is what the row
    // expects, byte for byte, with the messages it expects; plivek opens it as
    // what it saved (saved again, the same bytes, and no message that the
    // first open did not give), and so does zumoltc (no message that the
    // file opened did not give it). Plan phases are named by their "id",
    // else by their position from 1, in the 'sequence', the calls and the
    // detector records alike; a week day without a day plan stays so.
    void savedFileOpensAsSaved_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("edit");
        QTest::addColumn<int>("id"); // of the element the edit deletes or changes
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QStringList>("warnings"); // plivek's reader's, exactly
        const QByteArray sample = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        QVERIFY(!sample.isEmpty());
        const QByteArray in16 = "\n                ";
        const QByteArray in20 = "\n                    ";
        const QByteArray in24 = "\n                        ";
        // Plan 4 "Adaptive": its phases (each the members inside its braces),
        // its detector records and its 'sequence'.
        const auto phases = [&](const QByteArrayList &bodies) -> QByteArray {
            QByteArray text = "\"phases\": [";
            for (const QByteArray &body : bodies)
                text += in20 + "{" + in24 + body + in20 + "},";
            text.chop(1);
            return text + in16 + "],";
        };
        const QByteArray id1 = "\"id\": 1," + in24;
        const QByteArray id2 = "\"id\": 2," + in24;
        const QByteArray phase1 = "\"stage\": 1," + in24 + "\"recall\": \"max\"," + in24
            + "\"countdownBoard\": \"timer\"," + in24 + "\"passage\": 3," + in24
            + "\"minGreen\": 10," + in24 + "\"maxGreen\": 40";
        const QByteArray phase2
            = "\"stage\": 2," + in24 + "\"call\": 1," + in24 + "\"recall\": \"none\"";
        const QByteArray samplePhases = phases({ id1 + phase1, id2 + phase2 });
        const QByteArray records = "\"detectors\": [" + in20 + "{" + in24 + "\"phase\": 1," + in24
            + "\"call\": 2," + in24 + "\"control\": true," + in24 + "\"detector\": 1" + in20 + "}"
            + in16 + "]";
        const QByteArray sequence = "\"sequence\": [1, 2]";
        const QByteArray byPosition
            = replaced(sample, { samplePhases, phases({ phase1, phase2 }) });

        QTest::newRow("plan 4 by position, 'sequence' [1, 2]")
            << byPosition << int(NoEdit) << 0 << byPosition << QStringList();
        // Stage 2 runs first: each phase keeps the id it was named by, as its own.
        const QByteArray swapped = replaced(byPosition, { sequence, "\"sequence\": [2, 1]" });
        QTest::newRow("plan 4 by position, 'sequence' [2, 1]")
            << swapped << int(NoEdit) << 0
            << replaced(swapped,
                        { phases({ phase1, phase2 }), phases({ id2 + phase2, id1 + phase1 }) })
            << QStringList();
        // zumoltc's save of such a file names no phase in its 'sequence'.
        ZUConfiguration zumoltc;
        QVERIFY(zumoltc.fromJson(byPosition));
        const QByteArray zumoltcSave = zumoltc.toJson();
        QVERIFY(zumoltcSave.contains("\"sequence\": []"));
        QTest::newRow("zumoltc's save of plan 4 by position")
            << zumoltcSave << int(NoEdit) << 0 << zumoltcSave << QStringList();
        // zumoltc would find no phase 1 in a 'sequence' [1, 2].
        const QByteArray firstByPosition = replaced(
            sample, { samplePhases, phases({ phase1, id2 + phase2 }), "," + in16 + sequence, "" });
        QTest::newRow("plan 4, phase 1 by position, no 'sequence'")
            << firstByPosition << int(NoEdit) << 0
            << replaced(firstByPosition, { records, records + "," + in16 + "\"sequence\": []" })
            << QStringList();
        // The third phase keeps its id 3, as its own; the call of phase 2 goes.
        const QByteArray threeByPosition
            = replaced(sample,
                       { samplePhases, phases({ phase1, phase2, "\"stage\": 1" }), sequence,
                         "\"sequence\": [1, 2, 3]" });
        QTest::newRow("plan 4 by position as stages 1, 2, 1, stage 2 deleted")
            << threeByPosition << int(DeleteStage) << 2
            << replaced(threeByPosition,
                        { phases({ phase1, phase2, "\"stage\": 1" }),
                          phases({ phase1, "\"id\": 3," + in24 + "\"stage\": 1" }),
                          "\"call\": 2," + in24 + "\"control\"", "\"control\"",
                          "\"sequence\": [1, 2, 3]", "\"sequence\": [1, 3]",
                          ",\n        {\n            \"name\": \"Stage 2\",\n            \"id\": "
                          "2,\n            \"groups\": [2, 3],\n            \"minGreen\": 10\n"
                          "        }",
                          "", "\"stageId\": [1, null, 2]", "\"stageId\": [1]" })
            << QStringList();
        // The position counts the phase that is left out: the other keeps 2.
        const QByteArray firstWithoutStage
            = replaced(byPosition,
                       { "\"stage\": 1," + in24 + "\"recall\": \"max\"",
                         "\"stage\": 9," + in24 + "\"recall\": \"max\"" });
        QTest::newRow("plan 4 by position, phase 1 of no stage")
            << firstWithoutStage << int(NoEdit) << 0
            << replaced(
                   firstWithoutStage,
                   { phases({ QByteArray(phase1).replace("\"stage\": 1", "\"stage\": 9"), phase2 })
                         + in16 + records + ",",
                     phases({ id2 + "\"stage\": 2," + in24 + "\"recall\": \"none\"" }), sequence,
                     "\"sequence\": [2]" })
            << QStringList { QStringLiteral("Line 132, column 30: phase 1 not found"),
                             QStringLiteral("Line 110, column 21: phase 1 of plan 4 is left out, "
                                            "with the calls and detector records that name it: "
                                            "'stage' refers to no stage 9") };

        // A reference by name is matched on the letters of the name, escapes
        // read, wherever it stands: the plan phase keeps its stage (written by
        // its id, as zumoltc writes it), the panel and the record keep their texts.
        const QByteArray side = "\"Side \\\"A\\\" \\\\ B\"";
        const QByteArray loop = "\"Loop \\\"2\\\" \\\\\"";
        const QByteArray escapedNames
            = replaced(sample,
                       { "\"name\": \"Stage 2\"", "\"name\": " + side, "\"stage\": 2,",
                         "\"stage\": " + side + ",", "\"stageId\": [1, null, 2]",
                         "\"stageId\": [1, null, " + side + "]", "{\"name\": \"D2\", \"id\": 2}",
                         "{\"name\": " + loop + ", \"id\": 2}", "\"detector\": 1" + in20,
                         "\"detector\": " + loop + in20 });
        QTest::newRow("a stage and a detector named with a quote and a backslash")
            << escapedNames << int(NoEdit) << 0
            << replaced(escapedNames, { "\"stage\": " + side + ",", "\"stage\": 2," })
            << QStringList();
        // A text names the element of that name, never the one whose id it
        // spells, as zumoltc reads it.
        const QByteArray numberNames = replaced(
            sample,
            { "\"name\": \"Stage 2\"", "\"name\": \"1\"", "\"stage\": 2,", "\"stage\": \"1\",",
              "\"name\": \"Timeline\"", "\"name\": \"4\"",
              "\"program\": 4,\n                        \"spareProgram\"",
              "\"program\": \"4\",\n                        \"spareProgram\"",
              "\"name\": \"Weekend\"", "\"name\": \"1\"", "\"days\": [1, 1, 1, 1, 1, 2, 2]",
              "\"days\": [\"1\", 1, 1, 1, 1, 2, 2]" });
        QTest::newRow("texts that spell the id of another element")
            << numberNames << int(NoEdit) << 0
            << replaced(numberNames,
                        { "\"stage\": \"1\",", "\"stage\": 2,",
                          "\"program\": \"4\",\n                        \"spareProgram\"",
                          "\"program\": 3,\n                        \"spareProgram\"",
                          "[\"1\", 1, 1, 1, 1, 2, 2]", "[2, 1, 1, 1, 1, 2, 2]" })
            << QStringList();

        // An empty text names the first element without a name, as zumoltc finds it.
        const QByteArray emptyName
            = replaced(sample,
                       { "{\"name\": \"\xD0\x93\x33\", \"id\": 3", "{\"id\": 3",
                         "\"signalGroup\": 3,", "\"signalGroup\": \"\"," });
        QTest::newRow("a switch names a group without a name by an empty text")
            << emptyName << int(NoEdit) << 0
            << replaced(emptyName, { "\"signalGroup\": \"\",", "\"signalGroup\": 3," })
            << QStringList();

        // A phase's own "id" wins over another phase's position, as zumoltc
        // names phases by their "id" only: the phase at position 1 is named by
        // nothing, and 'sequence' [2, 1] runs the phase with "id" 1 alone.
        const QByteArray oneRecord = "\"detectors\": [" + in20 + "{" + in24 + "\"phase\": 1," + in24
            + "\"detector\": 1" + in20 + "}" + in16 + "]";
        const QByteArray positionIsAnId
            = replaced(sample,
                       { samplePhases, phases({ "\"stage\": 2", id1 + "\"stage\": 1" }), records,
                         oneRecord, sequence, "\"sequence\": [2, 1]" });
        QTest::newRow("plan 4, position 1 the 'id' of phase 2, 'sequence' [2, 1]")
            << positionIsAnId << int(NoEdit) << 0
            << replaced(positionIsAnId,
                        { phases({ "\"stage\": 2", id1 + "\"stage\": 1" }),
                          phases({ id1 + "\"stage\": 1" }), "\"sequence\": [2, 1]",
                          "\"sequence\": [1]" })
            << QStringList { QStringLiteral("Line 124, column 30: phase 2 not found"),
                             QStringLiteral("Line 110, column 21: the phase at position 1 of plan "
                                            "4 is left out: 'sequence' does not run it (another "
                                            "phase has 1 as its 'id', so nothing names this "
                                            "one)") };
        // Both run: the call and the record keep naming the phase with "id" 1,
        // and the phase named by nothing is written with an id no phase has.
        const QByteArray callOfOne = "\"stage\": 2," + in24 + "\"call\": 1";
        const QByteArray callingRecord = "\"detectors\": [" + in20 + "{" + in24 + "\"phase\": 1,"
            + in24 + "\"call\": 1," + in24 + "\"detector\": 1" + in20 + "}" + in16 + "]";
        const QByteArray bothRun
            = replaced(sample,
                       { samplePhases, phases({ "\"stage\": 1", id1 + callOfOne }), records,
                         callingRecord, "," + in16 + sequence, "" });
        QTest::newRow("plan 4, position 1 the 'id' of phase 2, no 'sequence'")
            << bothRun << int(NoEdit) << 0
            << replaced(bothRun,
                        { phases({ "\"stage\": 1", id1 + callOfOne }),
                          phases({ id2 + "\"stage\": 1", id1 + callOfOne }), callingRecord,
                          callingRecord + "," + in16 + "\"sequence\": [2, 1]" })
            << QStringList();
        // The phase with its own "id" first: the position of the second is taken.
        const QByteArray ownIdFirst = replaced(
            sample,
            { samplePhases,
              phases({ id2 + "\"stage\": 1", "\"stage\": 2," + in24 + "\"call\": 2" }), records,
              replaced(oneRecord, { "\"phase\": 1", "\"phase\": 2" }), "," + in16 + sequence, "" });
        QTest::newRow("plan 4, position 2 the 'id' of phase 1, no 'sequence'")
            << ownIdFirst << int(NoEdit) << 0
            << replaced(
                   ownIdFirst,
                   { "\"stage\": 2," + in24 + "\"call\": 2",
                     id1 + "\"stage\": 2," + in24 + "\"call\": 2",
                     "\"detector\": 1" + in20 + "}" + in16 + "]",
                     "\"detector\": 1" + in20 + "}" + in16 + "]," + in16 + "\"sequence\": [2, 1]" })
            << QStringList();

        // A step whose stage the controller does not list is not written: the
        // phase after it, counted by its position, keeps its id as its own.
        const QByteArray phase2Alone = "\"stage\": 2," + in24 + "\"recall\": \"none\"";
        const QByteArray secondNamed
            = replaced(byPosition,
                       { "\"call\": 1," + in24 + "\"recall\": \"none\"", "\"recall\": \"none\"",
                         "\"phase\": 1," + in24 + "\"call\": 2,", "\"phase\": 2," });
        QTest::newRow("plan 4 by position, step 1 of a stage not listed")
            << secondNamed << int(FirstStepOfNoStage) << 4
            << replaced(secondNamed,
                        { phases({ phase1, phase2Alone }), phases({ id2 + phase2Alone }), sequence,
                          "\"sequence\": [2]" })
            << QStringList();

        const QByteArray stepIds = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("zumolt/plan-step-ids.json")));
        // Each plan keeps the ids of its other phases, by position or its own.
        QTest::newRow("plan-step-ids.json, stage 2 deleted")
            << stepIds << int(DeleteStage) << 2
            << TestSupport::readFile(TestSupport::dataPath(
                   QStringLiteral("zumolt/plan-step-ids.stage-2-deleted.json")))
            << QStringList();

        const QByteArray week = "\"days\": [1, 1, 1, 1, 1, 2, 2]";
        const QByteArray nullDays
            = replaced(sample, { week, "\"days\": [null, 1, null, 1, 1, 2, 2]" });
        QTest::newRow("week days without a day plan")
            << nullDays << int(NoEdit) << 0 << nullDays << QStringList();
        const QByteArray unknownDay = replaced(sample, { week, "\"days\": [1, 1, 1, 1, 1, 2, 9]" });
        QTest::newRow("week day naming no day plan")
            << unknownDay << int(NoEdit) << 0
            << replaced(unknownDay, { "[1, 1, 1, 1, 1, 2, 9]", "[1, 1, 1, 1, 1, 2, null]" })
            << QStringList { QStringLiteral("Line 185, column 44: Sunday of week plan 1 refers to "
                                            "no day plan 9; it stays without one") };
        // A day that the file leaves out repeats the day before, as in zumoltc.
        const QByteArray dayObject = replaced(
            sample, { week, "\"days\": {\"Monday\": 2, \"Wednesday\": 1, \"Sunday\": 2}" });
        QTest::newRow("week days as an object, some left out")
            << dayObject << int(NoEdit) << 0
            << replaced(
                   dayObject,
                   { "{\"Monday\": 2, \"Wednesday\": 1, \"Sunday\": 2}", "[2, 2, 1, 1, 1, 1, 2]" })
            << QStringList();
        // Seven days without a day plan, as zumoltc reads them.
        const QByteArray noWeekday = replaced(sample, { week, "\"days\": {}" });
        QTest::newRow("week days as an object naming no weekday")
            << noWeekday << int(NoEdit) << 0
            << replaced(noWeekday,
                        { "\"days\": {}", "\"days\": [null, null, null, null, null, null, null]" })
            << QStringList();
        // The default day plan goes with it.
        QTest::newRow("week days of a removed day plan")
            << sample << int(RemoveDayPlan) << 1
            << replaced(sample,
                        { "\"dayPlan\": 1,\n            ", "",
                          "            {\n                \"name\": \"Workday\",\n"
                          "                \"id\": 1,\n                \"plans\": [\n"
                          "                    {\n                        \"start\": \"06:00\",\n"
                          "                        \"stop\": \"22:00\",\n"
                          "                        \"program\": 4,\n"
                          "                        \"spareProgram\": 3\n                    },\n"
                          "                    {\n                        \"start\": \"22:00\",\n"
                          "                        \"stop\": \"06:00:30\",\n"
                          "                        \"program\": 1\n                    }\n"
                          "                ]\n            },\n",
                          "", week, "\"days\": [null, null, null, null, null, 2, 2]" })
            << QStringList();
        // Its Monday names the day plan left out for want of an id: as zumoltc
        // writes it, but for that day plan.
        const QByteArray noId = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("zumolt/week-day-noid.json")));
        ZUConfiguration withNoId;
        QVERIFY(withNoId.fromJson(noId));
        QTest::newRow("week-day-noid.json")
            << noId << int(NoEdit) << 0
            << replaced(
                   withNoId.toJson(),
                   { ",\n            {\n                \"name\": \"Rest\"\n            }", "" })
            << QStringList { QStringLiteral("Line 1, column 1: Attribute 'id' not defined for a "
                                            "controller without a name"),
                             QStringLiteral("Line 1, column 81: Attribute 'id' not defined; day "
                                            "plan \"Rest\" skipped"),
                             QStringLiteral(
                                 "Line 1, column 134: Monday of week plan 1 refers to no "
                                 "day plan Rest; it stays without one") };
        // A default group without a value is not written, nor the section left
        // with nothing: the first save is what a save of it writes.
        QTest::newRow("signal groups: an empty default alone")
            << QByteArray(
                   R"({"configVersion":1,"type":"ZU_MOLT","id":1,"signalGroups":{"default":{}}})")
            << int(NoEdit) << 0
            << QByteArray(
                   "{\n    \"configVersion\": 1,\n    \"type\": \"ZU_MOLT\",\n    \"id\": 1,\n"
                   "    \"KMP1\": {\n\n    }\n}")
            << QStringList();
    }

    void savedFileOpensAsSaved()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, edit);
        QFETCH(int, id);
        QFETCH(QByteArray, expected);
        QFETCH(QStringList, warnings);
        QVERIFY(!input.isEmpty());
        QVERIFY(!expected.isEmpty());
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        QCOMPARE(config.warnings(), warnings);
        switch (Edit(edit)) {
        case NoEdit:
            break;
        case DeleteStage:
            QVERIFY2(controller.removePhase(QString::number(id)),
                     qPrintable(controller.lastError()));
            break;
        case RemoveDayPlan:
            QVERIFY(controller.removeDayCard(controller.findDayCard(QString::number(id))));
            break;
        case FirstStepOfNoStage: {
            // As the program dialog's new step runs until it is given a stage.
            const CnfProgramPtr plan = controller.findProgram(QString::number(id));
            QVERIFY(plan && plan->phaseDefAt(0));
            plan->phaseDefAt(0)->setPhase(CnfPhasePtr::create());
            break;
        }
        }
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(expected));

        QString error;
        QStringList reopened;
        const QByteArray again = savedAgain(saved, &error, &reopened);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(newWarnings(config.warnings(), reopened), QStringList());
        QCOMPARE(QString::fromUtf8(again), QString::fromUtf8(saved));

        ZUConfiguration opened;
        QVERIFY(opened.fromJson(input));
        ZUConfiguration reread;
        QVERIFY(reread.fromJson(saved));
        QCOMPARE(newWarnings(opened.warnings(), reread.warnings()), QStringList());
        // Where both find the same phases in the 'sequence' of the file,
        // zumoltc runs from the save what it runs from the file.
        if (Edit(edit) == NoEdit && phasesNotFound(opened.warnings()) == phasesNotFound(warnings))
            QCOMPARE(stagesRun(reread), stagesRun(opened));
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
        // Switch 1 has address 0: switch 4 is kept beside it, without an address.
        QTest::newRow("plivek's sample, switch 4: addr")
            << sample << QByteArray("\"signalGroup\": 1, \"addr\": 3,")
            << QByteArray("\"signalGroup\": 1,") << QByteArrayList() << QStringList();
        // A value the writer otherwise leaves out, set in the file; a false
        // flag is not written, by zumoltc either.
        QTest::newRow("plivek's sample, stage-ring plan: coordinated false, cycle 0")
            << sample << QByteArray("\"coordinated\": true,\n                \"cycle\": 90,")
            << QByteArray("\"coordinated\": false,\n                \"cycle\": 0,")
            << QByteArrayList() << QStringList();
        // A second sensor without an id is kept beside the one with id 0.
        QTest::newRow("plivek's sample, sensors: without id beside id 0")
            << sample << QByteArray("{\"id\": 1, \"name\": \"Button\"}")
            << QByteArray("{\"id\": 0, \"name\": \"Button\"},\n        {\"name\": \"Bell\"}")
            << QByteArrayList() << QStringList();
        // A plan phase counted by its position (the detector record's call of
        // it taken out too). zumoltc finds no phase 2 in the 'sequence' and
        // runs phase 1 alone; plivek finds it by its position and keeps it.
        const QByteArray phase1 = "\"stage\": 1," + in24 + "\"recall\": \"max\"," + in24
            + "\"countdownBoard\": \"timer\"," + in24 + "\"passage\": 3," + in24
            + "\"minGreen\": 10," + in24 + "\"maxGreen\": 40" + in20 + "}";
        const QByteArray phase2 = "\"id\": 2," + in24 + "\"stage\": 2," + in24 + "\"call\": 1,"
            + in24 + "\"recall\": \"none\"\n                    }\n                ]," + in16
            + "\"detectors\": [\n                    {" + in24 + "\"phase\": 1,";
        QTest::newRow("plivek's sample, plan phase 2: no id")
            << sample << QByteArray(phase2 + in24 + "\"call\": 2,")
            << QByteArray(phase2).remove(0, int(qstrlen("\"id\": 2,") + in24.size()))
            << QByteArrayList { phase1 + "\n                ],",
                                phase1 + "," + in20 + "{" + in24 + "\"stage\": 2," + in24
                                    + "\"call\": 1," + in24 + "\"recall\": \"none\"" + in20
                                    + "}\n                ],",
                                "\"sequence\": [1]", "\"sequence\": [1, 2]" }
            << QStringList();
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
                   QStringLiteral("Line 119, column 21: phase 2 of plan 4 is left out, with the "
                                  "calls and detector records that name it: 'sequence' does not "
                                  "run it")
               };
    }

    // Every member of the elements that plivek reads (not the blocks it keeps
    // as they stand), left out of the sample one at a time where zumoltc reads
    // the file without a warning: plivek writes what zumoltc writes, but for
    // the differences docs/formats.md lists, and says what it drops.
    void everyMemberLeftOut_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("warnings"); // plivek's, exactly
        QTest::addColumn<QByteArray>("zumoltcText"); // in zumoltc's save, ...
        QTest::addColumn<QByteArray>("plivekText"); // ... in plivek's this instead
        struct Difference
        {
            QStringList warnings;
            QByteArray zumoltcText;
            QByteArray plivekText;
        };
        const auto skipped = [](int line, int column, const char *what) {
            return QStringList { QStringLiteral("Line %1, column %2: Attribute 'id' not defined; "
                                                "%3 skipped")
                                     .arg(line)
                                     .arg(column)
                                     .arg(QString::fromUtf8(what)) };
        };
        const auto noState = [](int line) {
            return QStringList { QStringLiteral("Line %1, column 29: 'state' attribute has "
                                                "invalid value ; record ignored")
                                     .arg(line) };
        };
        const QByteArray in16 = "\n                ";
        const QByteArray in28 = "\n                            ";
        const QHash<QString, Difference> differences = {
            // An element without its id: plivek cannot list it and drops it.
            { "detectors/items/1/id",
              { skipped(53, 13, "detector \"D2\""), ",\n            {\"name\": \"D2\"}", "" } },
            { "plans/1/id",
              { skipped(65, 9, "plan \"Off\""),
                "\n            \"name\": \"Off\",\n            \"algorithm\": {" + in16
                    + "\"type\": \"Special\"," + in16
                    + "\"mode\": \"OFF\"\n            }\n        },\n        {",
                "" } },
            { "plans/4/id",
              { skipped(137, 9, "plan \"Not set\""),
                "\n        },\n        {\n            \"name\": \"Not set\",\n            "
                "\"algorithm\": {\n\n            }",
                "" } },
            { "switches/items/0/id",
              { skipped(237, 13, "switch \"1-1\""),
                "\n            {\"name\": \"1-1\", \"type\": \"ZU4_SW\", \"signalGroup\": 1, "
                "\"addr\": 0, \"color\": \"green\", \"heads\": 2, \"control\": true},",
                "" } },
            { "switches/items/1/id",
              { skipped(238, 13, "switch \"1-2\""),
                "\n            {\"name\": \"1-2\", \"type\": \"ZU4_SW\", \"signalGroup\": 2, "
                "\"addr\": 1, \"color\": \"amber\", \"heads\": 1},",
                "" } },
            { "switches/items/2/id",
              { skipped(239, 13, "switch \"1-3\""),
                "\n            {\"name\": \"1-3\", \"type\": \"ZU4_SW\", \"signalGroup\": 3, "
                "\"addr\": 2, \"color\": \"red\", \"heads\": 2, \"control\": true},",
                "" } },
            { "switches/items/3/id",
              { skipped(240, 13, "switch \"1-4\""),
                ",\n            {\"name\": \"1-4\", \"type\": \"ZU4_SW\", \"signalGroup\": 1, "
                "\"addr\": 3, \"color\": \"white\", \"heads\": 1}",
                "" } },
            // A timeline record without a state, or a group's entry without records.
            { "plans/2/algorithm/sequences/0/sequence/0/state",
              { noState(85), in28 + "{\"point\": 0},", "" } },
            { "plans/2/algorithm/sequences/0/sequence/1/state",
              { noState(86), in28 + "{\"point\": 25},", "" } },
            { "plans/2/algorithm/sequences/0/sequence/2/state",
              { noState(87), in28 + "{\"point\": 28},", "" } },
            { "plans/2/algorithm/sequences/0/sequence/3/state",
              { noState(88), "," + in28 + "{\"point\": 31}", "" } },
            { "plans/2/algorithm/sequences/1/sequence/0/state",
              { noState(94), in28 + "{\"point\": 0},", "" } },
            { "plans/2/algorithm/sequences/1/sequence/1/state",
              { noState(95), in28 + "{\"point\": 32},", "" } },
            { "plans/2/algorithm/sequences/1/sequence/2/state",
              { noState(96), "," + in28 + "{\"point\": 34}", "" } },
            { "plans/2/algorithm/sequences/0/sequence",
              { {},
                "\n                        \"group\": 1\n                    },\n"
                "                    {",
                "" } },
            { "plans/2/algorithm/sequences/1/sequence",
              { {},
                "\n                    },\n                    {\n"
                "                        \"group\": 2",
                "" } },
            // zumoltc drops what it cannot read; plivek keeps it as it stands.
            { "plans/0/algorithm/type",
              { {},
                "\"id\": 1,\n            \"algorithm\": {\n\n",
                "\"id\": 1,\n            \"algorithm\": {" + in16 + "\"mode\": \"AB\"\n" } },
            { "plans/1/algorithm/type",
              { {},
                "\"id\": 2,\n            \"algorithm\": {\n\n",
                "\"id\": 2,\n            \"algorithm\": {" + in16 + "\"mode\": \"OFF\"\n" } },
            { "plans/3/algorithm/detectors/0/phase",
              { {},
                "\"recall\": \"none\"\n                    }\n                ],",
                "\"recall\": \"none\"\n                    }\n                ]," + in16
                    + "\"detectors\": [\n                    {\n                        "
                      "\"call\": 2,\n                        \"control\": true,\n"
                      "                        \"detector\": 1\n                    }\n"
                      "                ]," } },
            // An extra period's and an extra day's id is the position.
            { "scheduler/extraPeriods/0/id",
              { {},
                "\"name\": \"Summer\",",
                "\"name\": \"Summer\",\n                \"id\": 1," } },
            { "scheduler/extraDays/0/id",
              { {},
                "\"name\": \"Новый год\",",
                "\"name\": \"Новый год\",\n                \"id\": 1," } },
            // A kept entry is written in plivek's layout.
            { "extraMatrices/0/cells",
              { {},
                "{\n            \"id\": 2,\n            \"name\": \"draft\"\n        }",
                "{\"id\": 2, \"name\": \"draft\"}" } },
        };
        static const QStringList elements
            = { "signalGroups", "stages",   "IGM",     "detectors",     "plans",
                "scheduler",    "switches", "sensors", "extraMatrices", "interstate" };
        const QByteArray sample = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        QVERIFY(!sample.isEmpty());
        const MemberScanner scanner(sample);
        int rows = 0;
        for (const MemberSpan &member : scanner.members) {
            if (!elements.contains(member.path.section(QLatin1Char('/'), 0, 0)))
                continue;
            QByteArray input = sample;
            input.remove(member.from, member.to - member.from);
            ZUConfiguration zu;
            if (!zu.fromJson(input) || !zu.warnings().isEmpty())
                continue;
            const Difference difference = differences.value(member.path);
            QTest::newRow(qPrintable(member.path))
                << input << difference.warnings << difference.zumoltcText << difference.plivekText;
            ++rows;
        }
        QVERIFY(rows > 100);
    }

    void everyMemberLeftOut()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, warnings);
        QFETCH(QByteArray, zumoltcText);
        QFETCH(QByteArray, plivekText);
        ZUConfiguration zu;
        QVERIFY(zu.fromJson(input));
        QByteArray expected = zu.toJson();
        if (!zumoltcText.isEmpty()) {
            QCOMPARE(int(expected.count(zumoltcText)), 1);
            expected.replace(zumoltcText, plivekText);
        }
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        QCOMPARE(config.warnings(), warnings);
        const QByteArray saved = config.save(controller);
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(expected));
        QString error;
        const QByteArray again = savedAgain(saved, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(QString::fromUtf8(again), QString::fromUtf8(saved));
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
        QCOMPARE(QString::fromUtf8(savedAgain(saved, &error)), QString::fromUtf8(saved));
        QVERIFY2(error.isEmpty(), qPrintable(error));
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
        const QByteArray again = savedAgain(saved, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(QString::fromUtf8(again), QString::fromUtf8(saved));
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
        QString error;
        QCOMPARE(QString::fromUtf8(savedAgain(untouched, &error)), QString::fromUtf8(untouched));
        QVERIFY2(error.isEmpty(), qPrintable(error));

        controller.findSG(4)->name = letters + QStringLiteral(" 2");
        const QByteArray saved = config.save(controller);
        QByteArray expected = untouched;
        expected.replace("\"name\": \"" + written + '"', "\"name\": \"" + edited + '"');
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(expected));
        QCOMPARE(QString::fromUtf8(savedAgain(saved, &error)), QString::fromUtf8(saved));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        ZUConfiguration zu;
        QVERIFY2(zu.fromJson(saved, &error), qPrintable(error));
        QCOMPARE(zu.findSignalGroup(4)->name(), QString::fromUtf8(edited));
    }

    // An element that the controller cannot list for want of an "id" goes,
    // and its line names it by its kind and its name (quoted as messages quote
    // a file's text); nothing else changes, so the save is the sample itself.
    void elementWithoutIdIsNamedWhenDropped_data()
    {
        QTest::addColumn<QByteArray>("after"); // the text of the sample it follows
        QTest::addColumn<QByteArray>("element"); // without "id"
        QTest::addColumn<QString>("warning"); // plivek's reader's only line, exactly
        const QByteArray group3
            = "{\"name\": \"Г3\", \"id\": 3, \"type\": \"pedestrian\", \"maxGreen\": 43, "
              "\"amberBlink\": 2}";
        const QByteArray in12 = "\n            ";
        const QByteArray stage2 = "\"minGreen\": 10\n        }";
        const QByteArray dayPlan2 = "\"program\": 3\n                    }\n                ]\n"
                                    "            }";
        const QByteArray week1 = "\"days\": [1, 1, 1, 1, 1, 2, 2]\n            }";
        const QString skipped = QStringLiteral("Attribute 'id' not defined; %1 skipped");
        QTest::newRow("signal group")
            << group3 << QByteArray(",\n            {\"name\": \"Г4\", \"type\": \"traffic\"}")
            << QStringLiteral("Line 23, column 13: ") + skipped.arg("signal group \"Г4\"");
        QTest::newRow("stage") << stage2
                               << QByteArray(",\n        {" + in12 + "\"name\": \"Left turn\","
                                             + in12 + "\"groups\": [1]\n        }")
                               << QStringLiteral("Line 39, column 9: ")
                + skipped.arg("stage \"Left turn\"");
        QTest::newRow("stage without a name")
            << stage2 << QByteArray(",\n        {\"groups\": [1]}")
            << QStringLiteral("Line 39, column 9: ") + skipped.arg("a stage without a name");
        QTest::newRow("stage with an empty name")
            << stage2 << QByteArray(",\n        {\"name\": \"\", \"groups\": [1]}")
            << QStringLiteral("Line 39, column 9: ") + skipped.arg("a stage without a name");
        QTest::newRow("day plan")
            << dayPlan2
            << QByteArray(",\n            {\"name\": \"Holiday\", \"plans\": [{\"start\": "
                          "\"00:00\", \"program\": 2}]}")
            << QStringLiteral("Line 180, column 13: ") + skipped.arg("day plan \"Holiday\"");
        QTest::newRow("week plan")
            << week1
            << QByteArray(",\n            {\"name\": \"Winter week\", \"days\": [2, 2, 2, 2, 2, "
                          "2, 2]}")
            << QStringLiteral("Line 187, column 13: ") + skipped.arg("week plan \"Winter week\"");
        // The name's letters, shown as a message shows a file's text.
        QTest::newRow("signal group, escapes in the name")
            << group3 << QByteArray(",\n            {\"name\": \"A \\\"B\\\" \\\\ C\\u0007\"}")
            << QStringLiteral("Line 23, column 13: ")
                + skipped.arg(QStringLiteral("signal group \"A \"B\" \\ C\\u0007\""));
        QTest::newRow("signal group, a long name cut")
            << group3 << QByteArray(",\n            {\"name\": \"" + QByteArray(39, 'x') + "yz\"}")
            << QStringLiteral("Line 23, column 13: ")
                + skipped.arg(
                    QStringLiteral("signal group \"%1y...\"").arg(QString(39, QLatin1Char('x'))));
    }

    void elementWithoutIdIsNamedWhenDropped()
    {
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, element);
        QFETCH(QString, warning);
        const QByteArray sample = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        QCOMPARE(sample.count(after), 1);
        QByteArray input = sample;
        input.insert(input.indexOf(after) + after.size(), element);

        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        QCOMPARE(config.warnings(), QStringList { warning });
        QCOMPARE(QString::fromUtf8(config.save(controller)), QString::fromUtf8(sample));
    }

    // A file without a top-level "id" gives the controller no number, and the
    // line names the controller by its "name" (quoted as messages quote a file's
    // text); nothing else changes, so the save is the file itself.
    void controllerWithoutIdIsNamed_data()
    {
        QTest::addColumn<QByteArray>("head"); // in place of the sample's name and id
        QTest::addColumn<QString>("warning"); // plivek's reader's only line, exactly
        const QString line = QStringLiteral("Line 1, column 1: Attribute 'id' not defined for %1");
        QTest::newRow("named") << QByteArray("\"name\": \"Перекрёсток 1\",")
                               << line.arg(QStringLiteral("controller \"Перекрёсток 1\""));
        QTest::newRow("without a name")
            << QByteArray() << line.arg(QStringLiteral("a controller without a name"));
        QTest::newRow("empty name") << QByteArray("\"name\": \"\",")
                                    << line.arg(QStringLiteral("a controller without a name"));
        QTest::newRow("escapes in the name")
            << QByteArray("\"name\": \"A \\\"B\\\" \\\\ C\\u0007\",")
            << line.arg(QStringLiteral("controller \"A \"B\" \\ C\\u0007\""));
        QTest::newRow("a long name cut")
            << QByteArray("\"name\": \"" + QByteArray(39, 'x') + "yz\",")
            << line.arg(QStringLiteral("controller \"%1y...\"").arg(QString(39, QLatin1Char('x'))));
    }

    void controllerWithoutIdIsNamed()
    {
        QFETCH(QByteArray, head);
        QFETCH(QString, warning);
        QByteArray input = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        const QByteArray nameAndId = "\n    \"name\": \"Перекрёсток 1\",\n    \"id\": 21,";
        QCOMPARE(input.count(nameAndId), 1);
        input.replace(nameAndId, head.isEmpty() ? QByteArray() : "\n    " + head);

        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        QCOMPARE(config.warnings(), QStringList { warning });
        QVERIFY(!controller.property("number").isValid());
        QCOMPARE(QString::fromUtf8(config.save(controller)), QString::fromUtf8(input));
    }

    // A member that the file leaves out is written once the user gives the
    // element a value of its own there: the writer leaves a member out only
    // while the element still holds the default that the reader put in its place.
    void memberSetAfterLeftOutIsWritten_data()
    {
        QTest::addColumn<QByteArray>("member"); // the text of the sample ...
        QTest::addColumn<QByteArray>("without"); // ... that the file has instead
        QTest::addColumn<ControllerEdit>("edit");
        QTest::addColumn<QByteArray>("written"); // in its place in the save (empty: member)
        const QByteArray in12 = "\n            ";
        const QByteArray in16 = "\n                ";
        // The power-part dialog edits a copy of the switch, which then takes its place.
        const auto editSwitch = [](int id, std::function<void(CnfPowerDevice &)> store) {
            return ControllerEdit([id, store](CnfController &c) {
                const CnfPowerDevicePtr device = c.findPowerDevice(id);
                auto edited = CnfPowerDevicePtr::create(*device);
                store(*edited);
                *device = *edited;
            });
        };
        // The program dialog edits a clone of the plan and stores it back.
        const auto editPlan = [](const char *id, std::function<void(CnfProgram &)> store) {
            return ControllerEdit([id, store](CnfController &c) {
                const CnfProgramPtr plan = c.findProgram(QLatin1String(id));
                auto edited = CnfProgramPtr::create(&c);
                edited->clone(*plan);
                store(*edited);
                plan->clone(*edited);
            });
        };
        const auto extraMatrix = [](const CnfController &c) {
            for (const CnfMatrixPtr &matrix : c.matrixList()) {
                if (matrix != c.conflictMatrix())
                    return matrix;
            }
            return CnfMatrixPtr();
        };
        // Left out, the switch is listed under the lowest address no other
        // switch of the file has: 3, the address it had.
        QTest::newRow("switch: addr")
            << QByteArray("\"signalGroup\": 1, \"addr\": 3, ") << QByteArray("\"signalGroup\": 1, ")
            << editSwitch(4, [](CnfPowerDevice &d) { d.address = 7; })
            << QByteArray("\"signalGroup\": 1, \"addr\": 7, ");
        QTest::newRow("switch: color")
            << QByteArray("\"addr\": 0, \"color\": \"green\",") << QByteArray("\"addr\": 0,")
            << editSwitch(1, [](CnfPowerDevice &d) { d.color = CnfPowerDevice::Green; })
            << QByteArray();
        QTest::newRow("switch: heads")
            << QByteArray("\"color\": \"green\", \"heads\": 2,")
            << QByteArray("\"color\": \"green\",")
            << editSwitch(1,
                          [](CnfPowerDevice &d) {
                              d.lampsCount = 2;
                              d.burnoutControl = d.burnoutControl != 0 ? d.lampsCount : 0;
                          })
            << QByteArray();
        QTest::newRow("signal group: type")
            << QByteArray("\"id\": 3, \"type\": \"pedestrian\",") << QByteArray("\"id\": 3,")
            << ControllerEdit(
                   [](CnfController &c) { c.findSG(3)->setType(CnfSignalGroup::Pedestrian); })
            << QByteArray();
        QTest::newRow("stage: minGreen")
            << QByteArray("\"groups\": [2, 3]," + in12 + "\"minGreen\": 10")
            << QByteArray("\"groups\": [2, 3]")
            << ControllerEdit([](CnfController &c) { c.findPhase("2")->minTime = 10; })
            << QByteArray();
        QTest::newRow("stage: maxGreen")
            << QByteArray("\"minGreen\": 5," + in12 + "\"maxGreen\": 40")
            << QByteArray("\"minGreen\": 5")
            << ControllerEdit([](CnfController &c) { c.findPhase("1")->maxTime = 40; })
            << QByteArray();
        // The matrix dialog, opened from the matrices table, sets id and name.
        QTest::newRow("IGM: id") << QByteArray("\"name\": \"IGM\"," + in12 + "\"id\": 1,")
                                 << QByteArray("\"name\": \"IGM\",")
                                 << ControllerEdit(
                                        [](CnfController &c) { c.conflictMatrix()->setId(3); })
                                 << QByteArray("\"name\": \"IGM\"," + in12 + "\"id\": 3,");
        QTest::newRow("IGM: name") << QByteArray("{" + in12 + "\"name\": \"IGM\",")
                                   << QByteArray("{") << ControllerEdit([](CnfController &c) {
                                          c.conflictMatrix()->setName(QStringLiteral("IGM"));
                                      })
                                   << QByteArray();
        // Left out, the extra matrix is listed under the lowest free id: 2, the id it had.
        QTest::newRow("extraMatrices: id")
            << QByteArray("\"id\": 2," + in12 + "\"name\": \"draft\"")
            << QByteArray("\"name\": \"draft\"")
            << ControllerEdit([extraMatrix](CnfController &c) { extraMatrix(c)->setId(3); })
            << QByteArray("\"id\": 3," + in12 + "\"name\": \"draft\"");
        QTest::newRow("extraMatrices: name")
            << QByteArray("\"id\": 2," + in12 + "\"name\": \"draft\"") << QByteArray("\"id\": 2")
            << ControllerEdit([extraMatrix](CnfController &c) {
                   extraMatrix(c)->setName(QStringLiteral("draft"));
               })
            << QByteArray();
        // The sensor dialog sets number and name.
        QTest::newRow("sensors: id")
            << QByteArray("{\"id\": 1, \"name\": \"Button\"}")
            << QByteArray("{\"name\": \"Button\"}")
            << ControllerEdit([](CnfController &c) { c.sensorsList().first()->setId(1); })
            << QByteArray();
        QTest::newRow("sensors: name")
            << QByteArray("{\"id\": 1, \"name\": \"Button\"}") << QByteArray("{\"id\": 1}")
            << ControllerEdit([](CnfController &c) {
                   c.sensorsList().first()->setName(QStringLiteral("Button"));
               })
            << QByteArray();
        QTest::newRow("interstate: greenBlink")
            << QByteArray("{\"greenBlink\": 1, \"redYellow\": 1,")
            << QByteArray("{\"redYellow\": 1,")
            << ControllerEdit([](CnfController &c) { c.interstate()->greenBlink = 1; })
            << QByteArray();
        QTest::newRow("interstate: redYellow")
            << QByteArray("\"greenBlink\": 1, \"redYellow\": 1,")
            << QByteArray("\"greenBlink\": 1,")
            << ControllerEdit([](CnfController &c) { c.interstate()->redYellow = 1; })
            << QByteArray();
        QTest::newRow("interstate: yellow")
            << QByteArray("\"redYellow\": 1, \"yellow\": 1}") << QByteArray("\"redYellow\": 1}")
            << ControllerEdit([](CnfController &c) { c.interstate()->yellow = 1; }) << QByteArray();
        QTest::newRow("plan: cycle")
            << QByteArray("\"cycle\": 60," + in16) << QByteArray()
            << editPlan("3", [](CnfProgram &p) { p.cycleLength = 60; }) << QByteArray();
        QTest::newRow("plan: offset")
            << QByteArray("\"offset\": 10," + in16) << QByteArray()
            << editPlan("3", [](CnfProgram &p) { p.setCycleOffset(10); }) << QByteArray();
        QTest::newRow("plan: coordinated")
            << QByteArray("\"StageRing\"," + in16 + "\"coordinated\": true,")
            << QByteArray("\"StageRing\",")
            << editPlan("4", [](CnfProgram &p) { p.setProperty("coordinated", true); })
            << QByteArray();
    }

    void memberSetAfterLeftOutIsWritten()
    {
        QFETCH(QByteArray, member);
        QFETCH(QByteArray, without);
        QFETCH(ControllerEdit, edit);
        QFETCH(QByteArray, written);
        const QByteArray sample = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        QCOMPARE(sample.count(member), 1);
        QByteArray input = sample;
        input.replace(member, without);
        QByteArray expected = sample;
        if (!written.isEmpty())
            expected.replace(member, written);

        // Untouched, the member stays out: the row is one of those the writer leaves out.
        editAndSave(input, edit, expected);
    }

    // The members a file keeps for a matrix that plivek does not know (in its
    // "IGM" entry or its "extraMatrices" entry) follow the matrix to the new id
    // the matrix dialog gives it, and go with its Delete: the save differs
    // from the file by the id alone.
    void keptMembersFollowNewMatrixId_data()
    {
        // Texts of the sample, each followed by its new text; texts of the file,
        // each followed by its text in the save.
        QTest::addColumn<QByteArrayList>("fileEdit");
        QTest::addColumn<ControllerEdit>("edit");
        QTest::addColumn<QByteArrayList>("written");
        const QByteArray in12 = "\n            ";
        const QByteArray conflict = "\"name\": \"IGM\"," + in12 + "\"id\": ";
        const QByteArray extra = "\"id\": ";
        const QByteArray draft = "," + in12 + "\"name\": \"draft\"";
        // As the matrices table runs the matrix dialog on a listed matrix: the
        // dialog writes the id into the matrix, the table lets what the file
        // kept for it follow.
        const auto newIds = [](const QVector<QPair<int, int>> &ids) {
            return ControllerEdit([ids](CnfController &c) {
                for (const auto &id : ids) {
                    c.findMatrix(id.first)->setId(id.second);
                    ZU_MOLTConfig::followMatrix(c, id.first, id.second);
                }
            });
        };
        QTest::newRow("IGM") << QByteArrayList() << newIds({ { 1, 3 } })
                             << QByteArrayList { conflict + "1,", conflict + "3," };
        QTest::newRow("extraMatrices")
            << QByteArrayList() << newIds({ { 2, 3 } })
            << QByteArrayList { extra + "2" + draft, extra + "3" + draft };
        QTest::newRow("IGM: new id and back")
            << QByteArrayList() << newIds({ { 1, 3 }, { 3, 1 } }) << QByteArrayList();
        QTest::newRow("extraMatrices: new id and back")
            << QByteArrayList() << newIds({ { 2, 3 }, { 3, 2 } }) << QByteArrayList();
        // Kept under kinds of their own, the two entries never take each other's members.
        QTest::newRow("two matrices swap their ids")
            << QByteArrayList() << newIds({ { 1, 5 }, { 2, 1 }, { 5, 2 } })
            << QByteArrayList { conflict + "1,", conflict + "2,", extra + "2" + draft,
                                extra + "1" + draft };
        // The extra matrix has the conflict matrix's id in the file, so it is
        // listed under 1 and keeps the file's id; the id the user gives it is written.
        QTest::newRow("extraMatrices: listed under another id than the file's")
            << QByteArrayList { conflict + "1,", conflict + "2," } << newIds({ { 1, 3 } })
            << QByteArrayList { extra + "2" + draft, extra + "3" + draft };
        // A Delete takes them along: a new matrix given the id later has none.
        QTest::newRow("extraMatrices: Delete, a new matrix of its id")
            << QByteArrayList() << ControllerEdit([](CnfController &c) {
                   ZU_MOLTConfig::followMatrix(c, 2, -1);
                   c.removeMatrix(2);
                   const auto matrix = CnfMatrixPtr::create();
                   matrix->setId(2);
                   matrix->setName(QStringLiteral("draft"));
                   matrix->setReleaf(1, 3, 2.5);
                   c.addMatrix(matrix, false, false);
               })
            << QByteArrayList { "\"name\": \"draft\"," + in12 + "\"zzKept\": 69",
                                "\"name\": \"draft\"" };
    }

    void keptMembersFollowNewMatrixId()
    {
        QFETCH(QByteArrayList, fileEdit);
        QFETCH(ControllerEdit, edit);
        QFETCH(QByteArrayList, written);
        QByteArray sample = TestSupport::readFile(
            TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")));
        for (int i = 0; i + 1 < fileEdit.size(); i += 2) {
            QCOMPARE(sample.count(fileEdit.at(i)), 1);
            sample.replace(fileEdit.at(i), fileEdit.at(i + 1));
        }
        // As zumoltc writes it, the layout plivek keeps.
        int objects = 0;
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(withMemberInEveryObject(sample, false, &objects), &error),
                 qPrintable(error));
        const QByteArray input = zu.toJson();
        QByteArray expected = input;
        for (int i = 0; i + 1 < written.size(); i += 2) {
            QCOMPARE(input.count(written.at(i)), 1);
            expected.replace(written.at(i), written.at(i + 1));
        }

        editAndSave(input, edit, expected);
    }
};

PROJECT_TEST(TestZuMoltConfigInterop);
#include "tst_zumoltconfiginterop.moc"
