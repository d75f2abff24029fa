#include "cnf/adapterconfig.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/tiverkiiconfig.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using FormatFixture::loadFile;

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

// The sample at path with each pair of `edits` applied (the text, once in the
// sample, and its replacement), written into dir; empty when an edit does not fit.
QString editedSample(const QString &path, const QByteArrayList &edits, const QTemporaryDir &dir,
                     QByteArray *bytes)
{
    *bytes = TestSupport::readFile(path);
    for (int i = 0; i + 1 < edits.size(); i += 2) {
        if (bytes->count(edits.at(i)) != 1)
            return QString();
        bytes->replace(edits.at(i), edits.at(i + 1));
    }
    const QString edited = dir.filePath("edited." + QFileInfo(path).suffix());
    QFile file(edited);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size())
        return QString();
    return edited;
}

// The TIVERK II sample with `edits` (see editedSample) loaded into controller.
bool loadEditedTiverkII(const QByteArrayList &edits, const QTemporaryDir &dir, QByteArray *bytes,
                        CnfController &controller, QString *error)
{
    const QString edited
        = editedSample(TestSupport::examplesPath("tiverkii_intersection.json"), edits, dir, bytes);
    if (edited.isEmpty()) {
        *error = QStringLiteral("an edit does not fit the sample");
        return false;
    }
    return loadFile(edited, controller, error);
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

    // Members of the two JSON families (and of the adapter text, which shares
    // the tree of TIVERK II) that plivek keeps without knowing them:
    // an odd name stays whole beside the member whose name it starts with, a
    // null member stays null, and nothing else of the file changes with them.
    void jsonMembersSurvive_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QByteArrayList>("edits"); // pairs: text of the sample, its replacement
        QTest::addColumn<QByteArrayList>("kept"); // members every save must hold as written

        const QString tiverkII = TestSupport::examplesPath("tiverkii_intersection.json");
        const QByteArray groupProperties = "\"properties\": {\"minGreen\": 8}";
        const QByteArray number = "\"number\": 12,";
        const QByteArray sgDefaults = "\"sg_defaults\": {";
        const QByteArray end = "\n    }\n}";
        const QByteArray unknownObject = ",\n    \"extra\": {\"a\": 1, \"b\": 2, \"c\": 3, "
                                         "\"d\": 4, \"e\": 5, \"f\": 6, \"g\": null}";
        QTest::newRow("TIVERK II, NUL in names")
            << tiverkII << "tiverkii"
            << QByteArrayList { groupProperties,
                                "\"properties\": {\"minGreen\": 8, \"minGreen\\u0000x\": 30}",
                                number, "\"number\": 12,\n        \"number\\u0000\": 99," }
            << QByteArrayList { "\"minGreen\": 8", "\"minGreen\\u0000x\": 30", "\"number\": 12",
                                "\"number\\u0000\": 99" };
        QTest::newRow("TIVERK II, tab, carriage return and escape in names")
            << tiverkII << "tiverkii"
            << QByteArrayList { groupProperties,
                                "\"properties\": {\"minGreen\": 8, \"minGreen\\t\": 30, "
                                "\"minGreen\\r\\u001b\": 31}",
                                number, "\"number\": 12,\n        \"number\\t\": 99," }
            << QByteArrayList { "\"minGreen\": 8", "\"minGreen\\t\": 30",
                                "\"minGreen\\r\\u001b\": 31", "\"number\": 12",
                                "\"number\\t\": 99" };
        QTest::newRow("TIVERK II, backslash in a name beside an escaped control")
            << tiverkII << "tiverkii"
            << QByteArrayList { groupProperties,
                                "\"properties\": {\"minGreen\": 8, \"minGreen\\\\u0000\": 30, "
                                "\"minGreen\\u0000\": 31}" }
            << QByteArrayList { "\"minGreen\": 8", "\"minGreen\\\\u0000\": 30",
                                "\"minGreen\\u0000\": 31" };
        QTest::newRow("TIVERK II, null in an unknown object")
            << tiverkII << "tiverkii" << QByteArrayList { end, "\n    }" + unknownObject + "\n}" }
            << QByteArrayList { "\"f\": 6,\n        \"g\": null\n    }" };
        QTest::newRow("TIVERK II, null at the top")
            << tiverkII << "tiverkii"
            << QByteArrayList { end, "\n    },\n    \"extraRoot\": null\n}" }
            << QByteArrayList { "\"extraRoot\": null" };
        QTest::newRow("TIVERK II, null in a known object")
            << tiverkII << "tiverkii"
            << QByteArrayList { sgDefaults, sgDefaults + "\n        \"amberBlink\": null," }
            << QByteArrayList { "\"amberBlink\": null", "\"amber\": 3" };
        // Texts and member names that a decoder or a dynamic property would lose:
        // a leading U+FEFF (also after an escape), lone surrogates, Qt's own names.
        const QByteArray description = "\"description\": \"Harbour Rd / Bridge St\"";
        QTest::newRow("TIVERK II, U+FEFF at the start of texts and names")
            << tiverkII << "tiverkii"
            << QByteArrayList { description,
                                "\"description\": \"\xEF\xBB\xBFHarbour Rd / Bridge St\"",
                                "\"Harbour loop\"",
                                "\"\\t\xEF\xBB\xBFHarbour loop\"",
                                "\"Bridge button\"",
                                "\"\xEF\xBB\xBF\xEF\xBB\xBF"
                                "Bridge button\"",
                                groupProperties,
                                "\"properties\": {\"minGreen\": 8, \"\xEF\xBB\xBFminGreen\": 30, "
                                "\"x\": \"\xEF\xBB\xBFy\"}",
                                number,
                                "\"number\": 12,\n        \"\xEF\xBB\xBFnumber\": 99," }
            << QByteArrayList { "\"\xEF\xBB\xBFHarbour Rd / Bridge St\"",
                                "\"\\t\xEF\xBB\xBFHarbour loop\"",
                                "\"\xEF\xBB\xBF\xEF\xBB\xBF"
                                "Bridge button\"",
                                "\"\xEF\xBB\xBFminGreen\": 30",
                                "\"x\": \"\xEF\xBB\xBFy\"",
                                "\"number\": 12",
                                "\"\xEF\xBB\xBFnumber\": 99" };
        QTest::newRow("TIVERK II, lone surrogates in texts and names")
            << tiverkII << "tiverkii"
            << QByteArrayList { description,
                                "\"description\": \"Harbour Rd \\ud800/ Bridge St\\udfff\"",
                                groupProperties,
                                "\"properties\": {\"minGreen\": 8, \"\\udc00minGreen\": 30, "
                                "\"minGreen\\ud800\": 31, \"x\": \"\\udbff\"}",
                                number,
                                "\"number\": 12,\n        \"\\ud800\": 99," }
            << QByteArrayList { "\"Harbour Rd \\ud800/ Bridge St\\udfff\"",
                                "\"\\udc00minGreen\": 30", "\"minGreen\\ud800\": 31",
                                "\"x\": \"\\udbff\"", "\"\\ud800\": 99" };
        QTest::newRow("TIVERK II, Qt's own names as members")
            << tiverkII << "tiverkii"
            << QByteArrayList { groupProperties,
                                "\"properties\": {\"_q_\": 32, \"_q_x\": 31, \"minGreen\": 8, "
                                "\"objectName\": 30, \"\\\\u006fbjectName\": 33}",
                                number,
                                "\"number\": 12,\n        \"_q_x\": 1,\n        \"objectName\": "
                                "\"K\"," }
            << QByteArrayList { "\"_q_\": 32",
                                "\"_q_x\": 31",
                                "\"minGreen\": 8",
                                "\"objectName\": 30",
                                "\"\\\\u006fbjectName\": 33",
                                "\"_q_x\": 1",
                                "\"objectName\": \"K\"" };

        const QString zuMolt = TestSupport::examplesPath("zumolt_intersection.json");
        const QByteArray group = "\"maxGreen\": 41,";
        const QByteArray id = "\"id\": 21,";
        const QByteArray zuMoltEnd = "\"yellow\": 1}\n}";
        const QByteArray startTime = "\"startTime\": {\"allRed\": 3, \"amberBlink\": 5},";
        QTest::newRow("ZU_MOLT, NUL in names")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { group, "\"maxGreen\": 41, \"maxGreen\\u0000x\": 30,", id,
                                "\"id\": 21, \"id\\u0000\": 99," }
            << QByteArrayList { "\"maxGreen\": 41", "\"maxGreen\\u0000x\": 30", "\"id\": 21",
                                "\"id\\u0000\": 99" };
        QTest::newRow("ZU_MOLT, tab, carriage return and escape in names")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { group,
                                "\"maxGreen\": 41, \"maxGreen\\t\": 30, \"maxGreen\\r\\u001b\": "
                                "31,",
                                id, "\"id\": 21, \"id\\t\": 99," }
            << QByteArrayList { "\"maxGreen\": 41", "\"maxGreen\\t\": 30",
                                "\"maxGreen\\r\\u001b\": 31", "\"id\": 21", "\"id\\t\": 99" };
        QTest::newRow("ZU_MOLT, null in an unknown object")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { zuMoltEnd, "\"yellow\": 1}" + unknownObject + "\n}" }
            << QByteArrayList { "\"f\": 6,\n        \"g\": null\n    }" };
        QTest::newRow("ZU_MOLT, null in a known object")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { startTime,
                                "\"startTime\": {\"allRed\": 3, \"amberBlink\": 5, \"yellow\": "
                                "null}," }
            << QByteArrayList { "\"yellow\": null", "\"allRed\": 3" };
        QTest::newRow("ZU_MOLT, null members of elements")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { "\"maxGreen\": 41, \"amberBlink\": 2}",
                                "\"maxGreen\": 41, \"amberBlink\": 2, \"note\": null}",
                                "\"maxGreen\": 42, \"amberBlink\": 2}",
                                "\"maxGreen\": 42, \"amberBlink\": null}",
                                "\"type\": \"pedestrian\", \"maxGreen\": 43",
                                "\"type\": \"pedestrian\", \"maxGreen\": null",
                                "\"extRed\": 1, \"amber\": 3, \"minGreen\": 6",
                                "\"extRed\": 1, \"amber\": null, \"minGreen\": 6, \"note\": null",
                                "{\"name\": \"D2\", \"id\": 2}",
                                "{\"name\": \"D2\", \"id\": 2, \"report\": null}",
                                "\"recall\": \"max\",",
                                "\"recall\": null,",
                                zuMoltEnd,
                                "\"yellow\": 1},\n    \"extraRoot\": null\n}" }
            << QByteArrayList { "\"maxGreen\": 41, \"amberBlink\": 2, \"note\": null}",
                                "\"maxGreen\": 42, \"amberBlink\": null}",
                                "\"type\": \"pedestrian\", \"maxGreen\": null",
                                "\"amber\": null",
                                "\"minGreen\": 6, \"note\": null",
                                "{\"name\": \"D2\", \"id\": 2, \"report\": null}",
                                "\"recall\": null,",
                                "\"extraRoot\": null" };
        QTest::newRow("ZU_MOLT, U+FEFF and lone surrogates in texts")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { "{\"name\": \"D2\", \"id\": 2}",
                                "{\"name\": \"\xEF\xBB\xBF"
                                "D2\", \"id\": 2}",
                                "\"description\": \"", "\"description\": \"\xEF\xBB\xBF\\ud800" }
            << QByteArrayList { "\"\xEF\xBB\xBF"
                                "D2\"",
                                "\"description\": \"\xEF\xBB\xBF\\ud800" };
        // A name a dynamic property cannot keep (U+FEFF first, Qt's own) is refused
        // by the reader; a lone surrogate stays escaped as written.
        QTest::newRow("ZU_MOLT, lone surrogates in names")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { group, "\"maxGreen\": 41, \"\\ud800y\": 33,", id,
                                "\"id\": 21, \"x\\udc00\": 99," }
            << QByteArrayList { "\"maxGreen\": 41", "\"\\ud800y\": 33", "\"id\": 21",
                                "\"x\\udc00\": 99" };
        // ... and keeps its place after the members before it in the file.
        QTest::newRow("ZU_MOLT, lone surrogates in names keep their place")
            << zuMolt << "ZU_MOLT"
            << QByteArrayList { "\"maxGreen\": 41, \"amberBlink\": 2}",
                                "\"maxGreen\": 41, \"amberBlink\": 2, \"\\ud800y\": 33}",
                                "{\"name\": \"D1\", \"id\": 1, \"report\": true}",
                                "{\"name\": \"D1\", \"id\": 1, \"report\": true, \"x\\udc00\": "
                                "99}" }
            << QByteArrayList { "\"amberBlink\": 2, \"\\ud800y\": 33}",
                                "\"report\": true, \"x\\udc00\": 99}" };

        // The adapter text shares the tree of TIVERK II, one line per member.
        QTest::newRow("adapter, null in an unknown object")
            << TestSupport::examplesPath("adapter_crossing.txt") << "adapter"
            << QByteArrayList { "SCHEDULING = 1\n",
                                "SCHEDULING = 1\nextra.a = 1\nextra.g = null\n" }
            << QByteArrayList { "extra.a = 1\nextra.g = null\n" };
        QTest::newRow("adapter, null at the top")
            << TestSupport::examplesPath("adapter_crossing.txt") << "adapter"
            << QByteArrayList { "SCHEDULING = 1\n", "SCHEDULING = 1\nextraRoot = null\n" }
            << QByteArrayList { "extraRoot = null\n" };
        QTest::newRow("adapter, U+FEFF, lone surrogates and Qt's own names")
            << TestSupport::examplesPath("adapter_crossing.txt") << "adapter"
            << QByteArrayList { "description = \"Mill Lane crossing\"\n",
                                "description = \"\xEF\xBB\xBFMill Lane crossing\\ud800\"\n"
                                "\"\xEF\xBB\xBFn\" = 1\n\"\\ud800\" = 2\n_q_x = 4\nobjectName = "
                                "3\n",
                                "interstates.1[5] = 0\n\n[signalGroup]\nid = 2\n",
                                "interstates.1[5] = 0\nproperties.\"\xEF\xBB\xBF"
                                "a\" = 1\n"
                                "properties.\"\\udc00\" = \"\xEF\xBB\xBF\"\n"
                                "properties._q_x = 3\nproperties.objectName = 2\n\n"
                                "[signalGroup]\nid = 2\n" }
            << QByteArrayList { "description = \"\xEF\xBB\xBFMill Lane crossing\\ud800\"\n",
                                "\"\xEF\xBB\xBFn\" = 1\n",
                                "\"\\ud800\" = 2\n",
                                "_q_x = 4\n",
                                "objectName = 3\n",
                                "properties.\"\xEF\xBB\xBF"
                                "a\" = 1\n",
                                "properties.\"\\udc00\" = \"\xEF\xBB\xBF\"\n",
                                "properties._q_x = 3\n",
                                "properties.objectName = 2\n" };
    }

    void jsonMembersSurvive()
    {
        QFETCH(QString, path);
        QFETCH(QString, family);
        QFETCH(QByteArrayList, edits);
        QFETCH(QByteArrayList, kept);

        QTemporaryDir dir;
        QByteArray bytes;
        const QString edited = editedSample(path, edits, dir, &bytes);
        QVERIFY(!edited.isEmpty());
        const QString suffix = family == QLatin1String("adapter") ? ".txt" : ".json";

        QString error;
        QStringList saves;
        QString from = edited;
        for (int round = 0; round < 2; ++round) {
            CnfController controller;
            QVERIFY2(loadFile(from, controller, &error), qPrintable(error));
            from = dir.filePath(QStringLiteral("saved%1").arg(round) + suffix);
            QVERIFY2(CnfNative::save(from, controller, family, error), qPrintable(error));
            const QByteArray saved = TestSupport::readFile(from);
            for (const QByteArray &member : kept)
                QVERIFY2(saved.contains(member),
                         QByteArray(member + " is not in\n" + saved).constData());
            saves << QString::fromUtf8(saved);
        }
        QCOMPARE(saves.at(1), saves.at(0));

        // Through the native form (.cnf, .xcnf) and back they are the same.
        CnfController read;
        QVERIFY2(loadFile(edited, read, &error), qPrintable(error));
        const QByteArray native = read.save(-1);
        CnfController back;
        QVERIFY2(back.load(native, true), qPrintable(back.lastError()));
        QCOMPARE(QString::fromUtf8(back.save(-1)), QString::fromUtf8(native));
        const QString throughNative = dir.filePath(QStringLiteral("native") + suffix);
        QVERIFY2(CnfNative::save(throughNative, back, family, error), qPrintable(error));
        QCOMPARE(QString::fromUtf8(TestSupport::readFile(throughNative)), saves.at(0));
    }

    // A null member of an element's "properties" or of "controller" stays null
    // in its place while the element has no value for it (a dynamic property
    // cannot hold "no value"): the first save gives back the file as it was.
    void nullPropertiesSurvive_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QByteArrayList>("edits"); // pairs: text of the sample, its replacement

        const QString tiverkII = TestSupport::examplesPath("tiverkii_intersection.json");
        const QByteArray group = "\"properties\": {\"minGreen\": 8}";
        QTest::newRow("TIVERK II, signal group, first member")
            << tiverkII << "tiverkii"
            << QByteArrayList { group, "\"properties\": {\"a\": null, \"minGreen\": 8}" };
        QTest::newRow("TIVERK II, signal group, middle member")
            << tiverkII << "tiverkii"
            << QByteArrayList { "\"devices\": [2]}",
                                "\"devices\": [2], \"properties\": {\"a\": 1, \"b\": null, "
                                "\"c\": 2}}" };
        QTest::newRow("TIVERK II, signal group, last member")
            << tiverkII << "tiverkii"
            << QByteArrayList { group, "\"properties\": {\"minGreen\": 8, \"x\": null}" };
        QTest::newRow("TIVERK II, signal group, the only member")
            << tiverkII << "tiverkii"
            << QByteArrayList { group, "\"properties\": {\"minGreen\": null}" };
        QTest::newRow("TIVERK II, default signal group, one per line")
            << tiverkII << "tiverkii"
            << QByteArrayList { "\"maxGreen\": 2,\n            \"maxRed\"",
                                "\"maxGreen\": null,\n            \"maxRed\"" };
        QTest::newRow("TIVERK II, detector and sensor")
            << tiverkII << "tiverkii"
            << QByteArrayList { "\"Harbour loop\"}",
                                "\"Harbour loop\", \"properties\": {\"input\": null}}",
                                "\"Bridge button\"}",
                                "\"Bridge button\", \"properties\": {\"a\": 1, \"b\": null, "
                                "\"c\": 2}}" };
        QTest::newRow("TIVERK II, program and its step")
            << tiverkII << "tiverkii"
            << QByteArrayList { "{\"length\": 35, \"phase\": \"1\"}",
                                "{\n                    \"length\": 35,\n                    "
                                "\"phase\": \"1\",\n                    \"properties\": "
                                "{\"call\": null, \"recall\": 1}\n                }",
                                "\"40\": \"green\"}\n            }",
                                "\"40\": \"green\"}\n            },\n            \"properties\": "
                                "{\"a\": null, \"b\": null}" };
        QTest::newRow("TIVERK II, controller, after the family")
            << tiverkII << "tiverkii"
            << QByteArrayList { "\"version\": \"0.1\",", "\"version\": null," };
        QTest::newRow("TIVERK II, controller, middle and last member")
            << tiverkII << "tiverkii"
            << QByteArrayList { "\"number\": 12,", "\"number\": null,",
                                "\"Harbour Rd / Bridge St\"",
                                "\"Harbour Rd / Bridge St\",\n        \"zone\": null" };

        // The adapter text shares the tree of TIVERK II, one line per member.
        const QString adapter = TestSupport::examplesPath("adapter_crossing.txt");
        QTest::newRow("adapter, controller")
            << adapter << "adapter" << QByteArrayList { "number = 7\n", "number = null\n" };
        QTest::newRow("adapter, signal group")
            << adapter << "adapter"
            << QByteArrayList { "interstates.1[5] = 0\n\n[signalGroup]\nid = 2\n",
                                "interstates.1[5] = 0\nproperties.amber = 3\n"
                                "properties.maxGreen = null\n\n[signalGroup]\nid = 2\n" };
    }

    void nullPropertiesSurvive()
    {
        QFETCH(QString, path);
        QFETCH(QString, family);
        QFETCH(QByteArrayList, edits);

        QTemporaryDir dir;
        QByteArray bytes;
        QString from = editedSample(path, edits, dir, &bytes);
        QVERIFY(!from.isEmpty());
        QString error;
        for (int round = 0; round < 2; ++round) {
            CnfController controller;
            QVERIFY2(loadFile(from, controller, &error), qPrintable(error));
            from = dir.filePath(QStringLiteral("saved%1.").arg(round) + QFileInfo(path).suffix());
            QVERIFY2(CnfNative::save(from, controller, family, error), qPrintable(error));
            QCOMPARE(QString::fromUtf8(TestSupport::readFile(from)), QString::fromUtf8(bytes));
        }
    }

    // The same file through the native form (.cnf, .xcnf) and back: the
    // native form keeps each such member as a Null value.
    void nullPropertiesSurviveNativeForm()
    {
        const QByteArrayList edits {
            "\"properties\": {\"minGreen\": 8}",
            "\"properties\": {\"a\": null, \"minGreen\": 8}",
            "\"Harbour loop\"}",
            "\"Harbour loop\", \"properties\": {\"input\": null}}",
            "{\"length\": 35, \"phase\": \"1\"}",
            "{\n                    \"length\": 35,\n                    \"phase\": \"1\",\n"
            "                    \"properties\": {\"call\": null, \"recall\": 1}\n                "
            "}",
            "\"40\": \"green\"}\n            }",
            "\"40\": \"green\"}\n            },\n            \"properties\": {\"a\": null}",
            "\"number\": 12,",
            "\"number\": null,"
        };
        QTemporaryDir dir;
        QByteArray bytes;
        CnfController read;
        QString error;
        QVERIFY2(loadEditedTiverkII(edits, dir, &bytes, read, &error), qPrintable(error));
        const QByteArray native = read.save(-1);
        QVERIFY(native.contains("<Null key=\"input\""));
        CnfController back;
        QVERIFY2(back.load(native, true), qPrintable(back.lastError()));
        QCOMPARE(QString::fromUtf8(back.save(-1)), QString::fromUtf8(native));
        const QString saved = dir.filePath(QStringLiteral("saved.json"));
        QVERIFY2(CnfNative::save(saved, back, QStringLiteral("tiverkii"), error),
                 qPrintable(error));
        QCOMPARE(QString::fromUtf8(TestSupport::readFile(saved)), QString::fromUtf8(bytes));
    }

    // A value given to a property the file held as null (as a dialog gives it)
    // is written instead of the null; taken away again, the null is back.
    void nullPropertyTakesValue_data()
    {
        QTest::addColumn<QString>("element"); // "group", "step" or "controller"
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QVariant>("value"); // invalid: set to 40, then taken away
        QTest::addColumn<QByteArray>("written");

        QTest::newRow("signal group") << "group" << QByteArray("maxGreen") << QVariant(40)
                                      << QByteArray("\"properties\": {\"maxGreen\": 40, "
                                                    "\"minGreen\": 8}");
        QTest::newRow("program step") << "step" << QByteArray("call") << QVariant(2)
                                      << QByteArray("\"properties\": {\"call\": 2}");
        QTest::newRow("controller") << "controller" << QByteArray("number") << QVariant(14)
                                    << QByteArray("\"number\": 14,");
        QTest::newRow("signal group, value taken away again")
            << "group" << QByteArray("maxGreen") << QVariant()
            << QByteArray("\"properties\": {\"maxGreen\": null, \"minGreen\": 8}");
    }

    void nullPropertyTakesValue()
    {
        QFETCH(QString, element);
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, written);

        const QByteArrayList edits { "\"properties\": {\"minGreen\": 8}",
                                     "\"properties\": {\"maxGreen\": null, \"minGreen\": 8}",
                                     "{\"length\": 35, \"phase\": \"1\"}",
                                     "{\"length\": 35, \"phase\": \"1\", \"properties\": "
                                     "{\"call\": null}}",
                                     "\"number\": 12,",
                                     "\"number\": null," };
        QTemporaryDir dir;
        QByteArray bytes;
        CnfController controller;
        QString error;
        QVERIFY2(loadEditedTiverkII(edits, dir, &bytes, controller, &error), qPrintable(error));
        QObject *object = &controller;
        if (element == QLatin1String("group"))
            object = controller.findSG(1).data();
        else if (element == QLatin1String("step"))
            object = controller.findProgram(QStringLiteral("1"))->phaseDefAt(0).data();
        QVERIFY(object);
        QVERIFY(!object->property(name.constData()).isValid());
        object->setProperty(name.constData(), value.isValid() ? value : QVariant(40));
        if (!value.isValid())
            object->setProperty(name.constData(), QVariant());
        const QString saved = dir.filePath(QStringLiteral("saved.json"));
        QVERIFY2(CnfNative::save(saved, controller, QStringLiteral("tiverkii"), error),
                 qPrintable(error));
        const QByteArray savedBytes = TestSupport::readFile(saved);
        QVERIFY2(savedBytes.contains(written), savedBytes.constData());
        QCOMPARE(savedBytes.count("null"), value.isValid() ? 2 : 3);
    }
};

PROJECT_TEST(TestRoundTrip);
#include "tst_roundtrip.moc"
