#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/zu_moltconfig.h"
#include "cnfjsonparser.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool loadInto(ZU_MOLTConfig &config, const QByteArray &bytes, CnfController &controller)
{
    return config.loadData(bytes) && config.createController(controller);
}

// The value at `path` of a document: a member's name, or "key=n" for the
// item of an array whose member `key` is the number n. Undefined when absent.
QJsonValue valueAt(const QByteArray &document, const QStringList &path)
{
    QJsonValue value = QJsonDocument::fromJson(document).object();
    for (const QString &step : path) {
        const int equals = step.indexOf(QLatin1Char('='));
        if (equals < 0) {
            value = value.toObject().value(step);
            continue;
        }
        const QString key = step.left(equals);
        const int number = step.mid(equals + 1).toInt();
        QJsonValue found = QJsonValue::Undefined;
        for (const QJsonValue item : value.toArray()) {
            if (item.toObject().value(key) == QJsonValue(number))
                found = item;
        }
        value = found;
    }
    return value;
}

// What a row of keptMembersStayWithTheirObject does to the configuration.
enum KeptMembersEdit {
    NewStageId,
    NewGroupId,
    NewPlanId,
    OtherPlanDeleted,
    GroupsReordered,
    StageDeletedAndItsIdTaken,
    GroupDeletedAndItsIdTaken
};

} // namespace

// The ZU_MOLT file as plivek reads and writes it: its own configurations go
// through unchanged, files of zumoltc keep every key, and what plivek writes
// has the layout that zumoltc reads.
class TestZuMoltConfig : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip()
    {
        CnfController original;
        FormatFixture::fillZuMolt(original);
        ZU_MOLTConfig writer;
        const QByteArray bytes = writer.save(original);
        QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));

        ZU_MOLTConfig reader;
        CnfController loaded;
        QVERIFY2(loadInto(reader, bytes, loaded), qPrintable(reader.lastError()));
        QVERIFY2(reader.warnings().isEmpty(),
                 qPrintable(reader.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(FormatFixture::dump(loaded), FormatFixture::dump(original));
        QCOMPARE(loaded.nativeData().toVariant(), original.nativeData().toVariant());
        QCOMPARE(loaded.getNativeData(QStringLiteral("note")).toString(),
                 FormatFixture::zuMoltNative().value(QStringLiteral("note")).toString());
        QCOMPARE(loaded.findSG(1)->property("amberBlink").toInt(), 2);
        QCOMPARE(loaded.findProgram(QStringLiteral("4"))->phaseDefAt(1)->property("call").toInt(),
                 1);
        QCOMPARE(loaded.findPowerDeviceSg(loaded.findPowerDevice(4)), loaded.findSG(1));

        // And once more: the second save writes the same bytes.
        ZU_MOLTConfig again;
        QCOMPARE(again.save(loaded), bytes);
    }

    // The writer's layout, checked against what zumoltc's reader requires.
    void writesTheZuMoltLayout()
    {
        CnfController controller;
        FormatFixture::fillZuMolt(controller);
        ZU_MOLTConfig writer;
        const QByteArray bytes = writer.save(controller);
        CnfJsonParser parser(CnfJsonParser::Verbatim);
        QVERIFY(parser.parse(bytes));
        const CnfJsonValue &root = parser.root();
        QCOMPARE(root.members().at(0).first, QStringLiteral("configVersion"));
        QCOMPARE(root.member(QStringLiteral("configVersion")).type(), CnfJsonValue::Integer);
        QCOMPARE(root.member(QStringLiteral("type")).scalar().toString(),
                 QStringLiteral("ZU_MOLT"));
        QCOMPARE(root.member(QStringLiteral("id")).scalar().toInt(), 21);

        const CnfJsonValue &groups = root.member(QStringLiteral("signalGroups"));
        QCOMPARE(groups.member(QStringLiteral("default"))
                     .member(QStringLiteral("amber"))
                     .scalar()
                     .toInt(),
                 3);
        const CnfJsonValue &group = groups.member(QStringLiteral("items")).at(2);
        QCOMPARE(group.member(QStringLiteral("type")).scalar().toString(),
                 QStringLiteral("pedestrian"));
        QVERIFY(!group.contains(QStringLiteral("amber"))); // equal to the default: left out
        QCOMPARE(group.member(QStringLiteral("maxGreen")).scalar().toInt(), 43);

        const CnfJsonValue &stage = root.member(QStringLiteral("stages")).at(0);
        QCOMPARE(stage.member(QStringLiteral("id")).type(), CnfJsonValue::Integer);
        QCOMPARE(stage.member(QStringLiteral("groups")).toVariant(),
                 QVariant(QVariantList { 1, 3 }));
        QCOMPARE(stage.member(QStringLiteral("minGreen")).scalar().toInt(), 5);

        const CnfJsonValue &igm = root.member(QStringLiteral("IGM"));
        QCOMPARE(igm.size(), 1);
        QCOMPARE(igm.at(0).member(QStringLiteral("items")).at(0).toVariant(),
                 QVariant(QVariantMap { { QStringLiteral("clearing"), 1 },
                                        { QStringLiteral("entering"), 2 },
                                        { QStringLiteral("time"), 4 } }));

        const CnfJsonValue &detectors
            = root.member(QStringLiteral("detectors")).member(QStringLiteral("items"));
        QCOMPARE(detectors.at(0).member(QStringLiteral("report")).scalar().toBool(), true);

        const CnfJsonValue &plans = root.member(QStringLiteral("plans"));
        QCOMPARE(plans.at(0).member(QStringLiteral("algorithm")).toVariant(),
                 QVariant(QVariantMap { { QStringLiteral("type"), QStringLiteral("Special") },
                                        { QStringLiteral("mode"), QStringLiteral("AB") } }));
        const CnfJsonValue &timeline = plans.at(2).member(QStringLiteral("algorithm"));
        QCOMPARE(timeline.member(QStringLiteral("type")).scalar().toString(),
                 QStringLiteral("Timeline"));
        QCOMPARE(timeline.member(QStringLiteral("coordinated")).scalar().toBool(), true);
        QCOMPARE(timeline.member(QStringLiteral("offset")).scalar().toInt(), 10);
        const CnfJsonValue &records
            = timeline.member(QStringLiteral("sequences")).at(0).member(QStringLiteral("sequence"));
        QCOMPARE(records.at(1).toVariant(),
                 QVariant(QVariantMap { { QStringLiteral("state"), QStringLiteral("green_blink") },
                                        { QStringLiteral("point"), 25 } }));
        const CnfJsonValue &ring = plans.at(3).member(QStringLiteral("algorithm"));
        QCOMPARE(ring.member(QStringLiteral("type")).scalar().toString(),
                 QStringLiteral("StageRing"));
        QCOMPARE(ring.member(QStringLiteral("phases"))
                     .at(0)
                     .member(QStringLiteral("stage"))
                     .scalar()
                     .toInt(),
                 1);
        QCOMPARE(ring.member(QStringLiteral("phases"))
                     .at(0)
                     .member(QStringLiteral("recall"))
                     .scalar()
                     .toString(),
                 QStringLiteral("max"));
        QCOMPARE(ring.member(QStringLiteral("sequence")).toVariant(),
                 QVariant(QVariantList { 1, 2 }));
        QVERIFY(!plans.at(4).member(QStringLiteral("algorithm")).contains(QStringLiteral("type")));

        const CnfJsonValue &scheduler = root.member(QStringLiteral("scheduler"));
        QCOMPARE(scheduler.member(QStringLiteral("default")).toVariant(),
                 QVariant(QVariantMap { { QStringLiteral("dayPlan"), 1 },
                                        { QStringLiteral("program"), 4 },
                                        { QStringLiteral("spareProgram"), 1 } }));
        QCOMPARE(scheduler.member(QStringLiteral("days"))
                     .at(0)
                     .member(QStringLiteral("plans"))
                     .at(1)
                     .toVariant(),
                 QVariant(QVariantMap { { QStringLiteral("start"), QStringLiteral("22:00") },
                                        { QStringLiteral("stop"), QStringLiteral("06:00:30") },
                                        { QStringLiteral("program"), 1 } }));
        QCOMPARE(scheduler.member(QStringLiteral("weeks"))
                     .at(0)
                     .member(QStringLiteral("days"))
                     .toVariant(),
                 QVariant(QVariantList { 1, 1, 1, 1, 1, 2, 2 }));
        QCOMPARE(scheduler.member(QStringLiteral("extraPeriods"))
                     .at(0)
                     .member(QStringLiteral("start"))
                     .scalar()
                     .toString(),
                 QStringLiteral("01.06"));
        QCOMPARE(scheduler.member(QStringLiteral("extraDays"))
                     .at(0)
                     .member(QStringLiteral("date"))
                     .scalar()
                     .toString(),
                 QStringLiteral("01.01"));

        const CnfJsonValue &item
            = root.member(QStringLiteral("switches")).member(QStringLiteral("items")).at(0);
        QCOMPARE(item.toVariant(),
                 QVariant(QVariantMap { { QStringLiteral("name"), QStringLiteral("1-1") },
                                        { QStringLiteral("id"), 1 },
                                        { QStringLiteral("type"), QStringLiteral("ZU4_SW") },
                                        { QStringLiteral("signalGroup"), 1 },
                                        { QStringLiteral("addr"), 0 },
                                        { QStringLiteral("color"), QStringLiteral("green") },
                                        { QStringLiteral("heads"), 2 },
                                        { QStringLiteral("control"), true } }));
        QCOMPARE(
            root.member(QStringLiteral("KMP1")).member(QStringLiteral("auto")).scalar().toInt(), 1);
        QCOMPARE(root.member(QStringLiteral("countdownBoards"))
                     .member(QStringLiteral("protocol"))
                     .scalar()
                     .toString(),
                 QStringLiteral("V1"));

        // Every integer that zumoltc reads as an attribute must be one it takes as Integer.
        QVERIFY(bytes.contains("\"signalGroups\": {\n        \"default\": {\n            "));
        QVERIFY(!bytes.contains("elementExtras"));
    }

    // A switch names the group that findPowerDeviceSg gives: the first in list
    // order that holds it, whatever order the groups got it in.
    void switchNamesItsFirstGroup()
    {
        CnfController controller;
        FormatFixture::fillZuMolt(controller);
        const QList<CnfSignalGroupPtr> groups = controller.signalGroups();
        QVERIFY(groups.size() >= 3);
        const QList<CnfPowerDevicePtr> devices = controller.powerDevices();
        QVERIFY(devices.size() >= 3);
        for (const CnfSignalGroupPtr &group : groups)
            group->devices.clear();
        groups.at(2)->assignDevice(devices.at(0));
        groups.at(1)->assignDevice(devices.at(0));
        groups.at(2)->assignDevice(devices.at(2));
        // devices.at(1) stays in no group.
        ZU_MOLTConfig writer;
        const QByteArray bytes = writer.save(controller);
        CnfJsonParser parser(CnfJsonParser::Verbatim);
        QVERIFY2(parser.parse(bytes), qPrintable(writer.lastError()));
        const CnfJsonValue &items
            = parser.root().member(QStringLiteral("switches")).member(QStringLiteral("items"));
        QCOMPARE(items.at(0).member(QStringLiteral("signalGroup")).scalar().toInt(),
                 groups.at(1)->id);
        QVERIFY(!items.at(1).contains(QStringLiteral("signalGroup")));
        QCOMPARE(items.at(2).member(QStringLiteral("signalGroup")).scalar().toInt(),
                 groups.at(2)->id);
        QCOMPARE(controller.findPowerDeviceSg(devices.at(0)), groups.at(1));
    }

    // A file as zumoltc writes it, with the reader's other forms and keys
    // plivek does not know: it loads, and saving keeps every key.
    void zumoltcFileKeepsItsKeys()
    {
        const QByteArray bytes = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("cnf/formats/zumolt_from_editor.json")));
        QVERIFY(!bytes.isEmpty());
        ZU_MOLTConfig reader;
        CnfController controller;
        QVERIFY2(loadInto(reader, bytes, controller), qPrintable(reader.lastError()));

        // The reader's other forms.
        QCOMPARE(controller.findPhase(QStringLiteral("2"))->minTime,
                 7); // minTime in place of minGreen
        QCOMPARE(controller.conflictMatrix()->releaf(2, 1), 3.0); // the N x N matrix form
        const CnfProgramPtr ring = controller.findProgram(QStringLiteral("2"));
        QCOMPARE(ring->phaseCount(), 2); // "sequence" order: 20, then 10
        QCOMPARE(ring->phaseDefAt(0)->property("id").toInt(), 20);
        QCOMPARE(controller.findProgram(QStringLiteral("1"))->getTimelineData(1),
                 (QMap<int, int> { { 0, CnfSignalGroup::Green },
                                   { 5, CnfSignalGroup::Yellow },
                                   { 8, CnfSignalGroup::Red } }));
        QCOMPARE(controller.weekCards().first()->days.value(3)->id,
                 QStringLiteral("1")); // the weekday object form
        QCOMPARE(controller.findSG(2)->name, QStringLiteral("Ped"));
        QCOMPARE(controller.findPowerDevice(1)->lampsCount, 3);
        QVERIFY(reader.warnings()
                    .join(QLatin1Char('\n'))
                    .contains(QStringLiteral("'stage' refers to no stage 9")));

        ZU_MOLTConfig writer;
        const QByteArray saved = writer.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(writer.lastError()));
        CnfJsonParser before(CnfJsonParser::Verbatim);
        CnfJsonParser after(CnfJsonParser::Verbatim);
        QVERIFY(before.parse(bytes));
        QVERIFY(after.parse(saved));
        const QVariantMap in = before.root().toVariant().toMap();
        const QVariantMap out = after.root().toVariant().toMap();
        // Unknown keys at the root, inside mapped objects and inside elements survive.
        QCOMPARE(out.value(QStringLiteral("futureKey")), in.value(QStringLiteral("futureKey")));
        QCOMPARE(out.value(QStringLiteral("LAN")), in.value(QStringLiteral("LAN")));
        QCOMPARE(out.value(QStringLiteral("recovery")), in.value(QStringLiteral("recovery")));
        QCOMPARE(out.value(QStringLiteral("remoteControlPanel")),
                 in.value(QStringLiteral("remoteControlPanel")));
        QCOMPARE(
            out.value(QStringLiteral("detectors")).toMap().value(QStringLiteral("logInterval")),
            QVariant(60));
        QCOMPARE(out.value(QStringLiteral("signalGroups")).toMap().value(QStringLiteral("note")),
                 QVariant(QStringLiteral("kept")));
        const QVariantMap stage = out.value(QStringLiteral("stages")).toList().at(0).toMap();
        QCOMPARE(stage.value(QStringLiteral("color")), QVariant(QStringLiteral("blue")));
        const QVariantMap sw = out.value(QStringLiteral("switches"))
                                   .toMap()
                                   .value(QStringLiteral("items"))
                                   .toList()
                                   .at(0)
                                   .toMap();
        QCOMPARE(sw.value(QStringLiteral("lowCurrent")), QVariant(20));
        QCOMPARE(sw.value(QStringLiteral("upCurrent")), QVariant(900));
        QCOMPARE(out.value(QStringLiteral("switches")).toMap().value(QStringLiteral("default")),
                 in.value(QStringLiteral("switches")).toMap().value(QStringLiteral("default")));
        const QVariantMap group = out.value(QStringLiteral("signalGroups"))
                                      .toMap()
                                      .value(QStringLiteral("items"))
                                      .toList()
                                      .at(0)
                                      .toMap();
        QCOMPARE(group.value(QStringLiteral("tLight")), QVariant(5));
        QCOMPARE(out.value(QStringLiteral("scheduler"))
                     .toMap()
                     .value(QStringLiteral("extraPeriods"))
                     .toList()
                     .at(0)
                     .toMap()
                     .value(QStringLiteral("id")),
                 QVariant(7));

        // Loading what was saved gives the same configuration.
        ZU_MOLTConfig again;
        CnfController reloaded;
        QVERIFY2(loadInto(again, saved, reloaded), qPrintable(again.lastError()));
        QCOMPARE(FormatFixture::dump(reloaded), FormatFixture::dump(controller));
    }

    void detectedByContent()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zu.cnf"));
        CnfController controller;
        FormatFixture::fillZuMolt(controller);
        QString error;
        QVERIFY2(CnfNative::save(path, controller, error), qPrintable(error));
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY2(native, qPrintable(CnfNative::loadError()));
        QVERIFY(native.dynamicCast<ZU_MOLTConfig>());
        ZU_MOLTConfig config;
        QVERIFY(config.load(path));
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray head = "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1,\n";
        QTest::newRow("truncated")
            << QByteArray(head + "\"stages\": [{\"id\": 1, \"name\": \"S")
            << QStringLiteral(
                   "Line 2, column 32: the document ends inside a text (the file is truncated)");
        QTest::newRow("array root")
            << QByteArray("[1, 2]")
            << QStringLiteral(
                   "Line 1, column 1: a ZU_MOLT configuration is a JSON object, not an array");
        QTest::newRow("other version")
            << QByteArray("{\"configVersion\": 2, \"type\": \"ZU_MOLT\"}")
            << QStringLiteral("Line 1, column 19: unsupported configVersion 2 (1 expected)");
        QTest::newRow("no version")
            << QByteArray("{\"type\": \"ZU_MOLT\"}")
            << QStringLiteral("Line 1, column 1: unsupported configVersion (none) (1 expected)");
        QTest::newRow("wrong type")
            << QByteArray(head + "\"stages\": [{\"id\": \"one\"}]}")
            << QStringLiteral("Line 2, column 19: 'id' of a stage must be integer, not text");
        QTest::newRow("list is text")
            << QByteArray(head + "\"plans\": \"none\"}")
            << QStringLiteral("Line 2, column 10: 'plans' must be array, not text");
        QTest::newRow("huge id")
            << QByteArray(head + "\"signalGroups\": {\"items\": [{\"id\": 4294967296}]}}")
            << QStringLiteral("Line 2, column 35: 'id' of a signal group has the value 4294967296, "
                              "out of the range -2147483648 to 2147483647");
        QTest::newRow("huge double")
            << QByteArray(head + "\"maxCurrent\": 1e999}")
            << QStringLiteral("Line 2, column 15: the number 1e999 is out of range");
        const QByteArray timeline = head
            + "\"signalGroups\": {\"items\": [{\"id\": 1, \"type\": \"traffic\"}]},\n"
              "\"plans\": [{\"id\": 1, \"algorithm\": {\"type\": \"Timeline\", \"sequences\": "
              "[{\"group\": 1, \"sequence\": [";
        QTest::newRow("spans past the int range")
            << QByteArray(timeline
                          + "{\"span\": 2147483647, \"state\": \"red\"}, {\"span\": 1, \"state\": "
                            "\"green\"}]}]}}]}")
            << QStringLiteral("Line 3, column 142: 'span' puts the record at 2147483648, out of "
                              "the range -2147483648 to 2147483647");
        QTest::newRow("spans below the int range")
            << QByteArray(timeline
                          + "{\"point\": -2147483648, \"state\": \"red\"}, {\"span\": -1, "
                            "\"state\": \"green\"}]}]}}]}")
            << QStringLiteral("Line 3, column 144: 'span' puts the record at -2147483649, out of "
                              "the range -2147483648 to 2147483647");
        // Names a dynamic property cannot keep: refused, never dropped on save.
        QTest::newRow("Qt's own name")
            << QByteArray(head + "\"detectors\": [{\"id\": 1, \"objectName\": 2}]}")
            << QStringLiteral(
                   "Line 2, column 39: the member name \"objectName\" cannot be kept; rename it");
        QTest::newRow("Qt's own prefix")
            << QByteArray(head + "\"detectors\": [{\"id\": 1, \"_q_x\": 2}]}")
            << QStringLiteral(
                   "Line 2, column 33: the member name \"_q_x\" cannot be kept; rename it");
        QTest::newRow("name beginning with U+FEFF")
            << QByteArray(head + "\"detectors\": [{\"id\": 1, \"\xEF\xBB\xBFx\": 2}]}")
            << QStringLiteral("Line 2, column 31: the member name \"\\ufeffx\" cannot be kept; "
                              "rename it");
        QTest::newRow("Qt's own prefix and a zero-width space")
            << QByteArray(head + "\"detectors\": [{\"id\": 1, \"_q_\xE2\x80\x8Bx\": 2}]}")
            << QStringLiteral("Line 2, column 34: the member name \"_q_\\u200bx\" cannot be "
                              "kept; rename it");
        // A quoted name is cut after 40 characters, never inside one, and the
        // cut is marked.
        QTest::newRow("a character past U+FFFF across the cut")
            << QByteArray(head + "\"detectors\": [{\"id\": 1, \"_q_" + QByteArray(36, 'x')
                          + "\xF0\x9F\x9A\xA6yz\": 2}]}")
            << QStringLiteral("Line 2, column 71: the member name \"_q_")
                + QString(36, QLatin1Char('x')) + QString::fromUcs4(U"\U0001F6A6")
                + QStringLiteral("...\" cannot be kept; rename it");
        QTest::newRow("bad detectors")
            << QByteArray(head + "\"detectors\": 5}")
            << QStringLiteral("Line 2, column 14: 'detectors' attribute has invalid type (must be "
                              "array or object)");
    }

    void malformed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY(!loadInto(config, bytes, controller));
        QCOMPARE(config.lastError(), error);
        QVERIFY(controller.phases().isEmpty() && controller.programs().isEmpty());
    }

    void referencesPastTheIntRangeReferToNothing_data()
    {
        QTest::addColumn<QByteArray>("group");
        QTest::newRow("2^32 + 1, group 1 once cut to 32 bits") << QByteArray("4294967297");
        QTest::newRow("-2^32 + 1") << QByteArray("-4294967295");
    }

    void referencesPastTheIntRangeReferToNothing()
    {
        QFETCH(QByteArray, group);
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(
            loadInto(
                config,
                "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1,\n"
                "\"signalGroups\": {\"items\": [{\"id\": 1, \"type\": \"traffic\"}]},\n"
                "\"plans\": [{\"id\": 1, \"algorithm\": {\"type\": \"Timeline\", \"sequences\": "
                "[{\"group\": "
                    + group + ", \"sequence\": [{\"point\": 0, \"state\": \"red\"}]}]}}]}",
                controller),
            qPrintable(config.lastError()));
        QVERIFY2(config.warnings()
                     .join(QLatin1Char('\n'))
                     .contains(QStringLiteral("'group' refers to no signal group ")
                               + QString::fromLatin1(group)),
                 qPrintable(config.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(controller.programs().size(), 1);
        QVERIFY(controller.programs().at(0)->getTimelineData(1).isEmpty());
    }

    // A stage-ring plan's steps follow its 'sequence': the first phase of an id
    // is taken, an id that names no phase is reported and left out.
    void stageRingSequence()
    {
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(
            loadInto(config,
                     "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1,\n"
                     "\"stages\": [{\"id\": 1}, {\"id\": 2}, {\"id\": 3}],\n"
                     "\"plans\": [{\"id\": 1, \"algorithm\": {\"type\": \"StageRing\", \"phases\": "
                     "[{\"id\": 5, \"stage\": 1}, {\"id\": 7, \"stage\": 2}, {\"id\": 5, "
                     "\"stage\": 3}], "
                     "\"sequence\": [7, 5, 9, 7]}}]}",
                     controller),
            qPrintable(config.lastError()));
        const CnfProgramPtr ring = controller.findProgram(QStringLiteral("1"));
        QVERIFY(ring);
        QStringList stages;
        for (int i = 0; i < ring->phaseCount(); ++i)
            stages << ring->phaseDefAt(i)->id();
        QCOMPARE(stages,
                 QStringList({ QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2") }));
        QVERIFY2(
            config.warnings().join(QLatin1Char('\n')).contains(QStringLiteral("phase 9 not found")),
            qPrintable(config.warnings().join(QLatin1Char('\n'))));
    }

    void unknownKeysAndSoftFaultsOnlyWarn()
    {
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY(loadInto(
            config,
            "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"whatever\": {\"a\": [1]},\n"
            "\"signalGroups\": {\"items\": [{\"id\": 1, \"type\": \"bus\", \"amber\": 2.5}]}}",
            controller));
        QCOMPARE(config.warnings(),
                 QStringList(
                     { QStringLiteral("Line 1, column 1: Attribute 'id' not defined for a "
                                      "controller without a name"),
                       QStringLiteral("Line 2, column 46: 'type' attribute has invalid value bus"),
                       QStringLiteral("Line 2, column 62: 'amber' attribute has invalid type") }));
        QCOMPARE(
            controller.getNativeData(QStringLiteral("whatever")).toMap().value(QStringLiteral("a")),
            QVariant(QVariantList { 1 }));
    }

    // A conflict point without a time (zumoltc leaves an unset time out)
    // is written without one again, not as a number zumoltc cannot read.
    void conflictPointWithoutTime()
    {
        const QByteArray file
            = "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1,\n"
              "\"signalGroups\": {\"items\": [{\"id\": 1, \"type\": \"traffic\"}, {\"id\": 2, "
              "\"type\": \"traffic\"}]},\n"
              "\"IGM\": [{\"id\": 1, \"items\": [{\"clearing\": 1, \"entering\": 2}, "
              "{\"clearing\": 2, \"entering\": 1, \"time\": 3}]}]}";
        ZU_MOLTConfig reader;
        CnfController controller;
        QVERIFY2(loadInto(reader, file, controller), qPrintable(reader.lastError()));
        ZU_MOLTConfig writer;
        const QByteArray bytes = writer.save(controller);
        QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));
        CnfJsonParser parser(CnfJsonParser::Verbatim);
        QVERIFY(parser.parse(bytes));
        const CnfJsonValue &items
            = parser.root().member(QStringLiteral("IGM")).at(0).member(QStringLiteral("items"));
        QCOMPARE(items.at(0).toVariant(),
                 QVariant(QVariantMap { { QStringLiteral("clearing"), 1 },
                                        { QStringLiteral("entering"), 2 } }));
        QCOMPARE(items.at(1).member(QStringLiteral("time")).type(), CnfJsonValue::Integer);

        ZU_MOLTConfig again;
        CnfController loaded;
        QVERIFY2(loadInto(again, bytes, loaded), qPrintable(again.lastError()));
        QCOMPARE(again.save(loaded), bytes);
    }

    // The conflict matrix is the one of "IGM", the others those of
    // "extraMatrices", whatever their ids: a matrix that shares its id with the
    // conflict matrix or another kept matrix is listed apart and comes back as
    // it was, also after an edit of its values.
    void conflictAndExtraMatricesStayApart_data()
    {
        QTest::addColumn<QByteArray>("extraMatrices");
        QTest::addColumn<int>("listed"); // matrices in the controller's list
        QTest::newRow("extra matrix with the conflict matrix's id")
            << QByteArray("[{\"cells\": [[1, 2, 2.5]], \"id\": 2, \"name\": \"draft\"}]") << 2;
        QTest::newRow("two extra matrices of one id")
            << QByteArray("[{\"cells\": [[1, 2, 2.5]], \"id\": 3, \"name\": \"draft\"}, "
                          "{\"cells\": [[2, 1, 7]], \"id\": 3, \"name\": \"other\"}]")
            << 3;
        QTest::newRow("both, and an id that a listed matrix takes")
            << QByteArray("[{\"id\": 2, \"name\": \"a\"}, {\"id\": 1, \"name\": \"b\"}, "
                          "{\"id\": 2, \"name\": \"c\"}]")
            << 4;
    }

    void conflictAndExtraMatricesStayApart()
    {
        QFETCH(QByteArray, extraMatrices);
        QFETCH(int, listed);
        const QByteArray file
            = "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1,\n"
              "\"signalGroups\": {\"items\": [{\"id\": 1, \"type\": \"traffic\"}, {\"id\": 2, "
              "\"type\": \"traffic\"}]},\n"
              "\"IGM\": [{\"name\": \"IGM\", \"id\": 2, \"items\": [{\"clearing\": 1, "
              "\"entering\": 2, \"time\": 4}, {\"clearing\": 2, \"entering\": 1, \"time\": 5}]}],\n"
              "\"extraMatrices\": "
            + extraMatrices + "}";
        ZU_MOLTConfig reader;
        CnfController controller;
        QVERIFY2(loadInto(reader, file, controller), qPrintable(reader.lastError()));
        QVERIFY2(reader.warnings().isEmpty(),
                 qPrintable(reader.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(controller.matrixList().size(), listed);
        const CnfMatrixPtr conflict = controller.conflictMatrix();
        QVERIFY(conflict);
        QCOMPARE(conflict->name(), QStringLiteral("IGM"));
        QCOMPARE(conflict->id(), 2);
        QCOMPARE(conflict->releaf(1, 2), 4.0);
        QCOMPARE(conflict->releaf(2, 1), 5.0);

        // An edit of a kept matrix's values stays with that matrix.
        const CnfMatrixPtr first = controller.matrixList().at(1);
        first->setReleaf(2, 2, 9.0);
        const QVariantList before = QJsonDocument::fromJson(extraMatrices).toVariant().toList();
        QVariantMap edited = before.first().toMap();
        QVariantList cells = edited.value(QStringLiteral("cells")).toList();
        cells.append(QVariant(QVariantList { 2, 2, 9 }));
        edited.insert(QStringLiteral("cells"), cells);
        QVariantList expected = before;
        expected.replace(0, edited);

        for (int pass = 0; pass < 2; ++pass) {
            ZU_MOLTConfig writer;
            const QByteArray bytes = writer.save(controller);
            QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));
            const QJsonObject saved = QJsonDocument::fromJson(bytes).object();
            const QJsonObject igm = saved.value(QStringLiteral("IGM")).toArray().at(0).toObject();
            QCOMPARE(igm.value(QStringLiteral("name")).toString(), QStringLiteral("IGM"));
            QCOMPARE(igm.value(QStringLiteral("id")).toInt(), 2);
            QCOMPARE(igm.value(QStringLiteral("items")).toArray().size(), 2);
            QCOMPARE(saved.value(QStringLiteral("extraMatrices")).toVariant().toList(), expected);
            // Read back, the file gives the same list and the same file again.
            controller.clear();
            ZU_MOLTConfig again;
            QVERIFY2(loadInto(again, bytes, controller), qPrintable(again.lastError()));
            QCOMPARE(controller.matrixList().size(), listed);
            QCOMPARE(controller.conflictMatrix()->releaf(2, 1), 5.0);
        }
    }

    // Steps of a stage-ring plan are told apart by their ids alone: every
    // step gets an id of its own in the file, so each comes back with its
    // stage and properties, also when two steps carry the same "id" or a
    // new step's position is the id of another step.
    void stepIdsStayApart_data()
    {
        QTest::addColumn<QVariantList>("ownIds"); // per step; invalid = none
        QTest::addColumn<QVariantList>("fileIds");
        QTest::newRow("none") << QVariantList { QVariant(), QVariant(), QVariant() }
                              << QVariantList { 1, 2, 3 };
        QTest::newRow("own ids") << QVariantList { 7, 5, 6 } << QVariantList { 7, 5, 6 };
        QTest::newRow("position taken")
            << QVariantList { 3, 1, QVariant() } << QVariantList { 3, 1, 2 };
        QTest::newRow("same own id")
            << QVariantList { 2, 2, QVariant() } << QVariantList { 2, 1, 3 };
    }

    void stepIdsStayApart()
    {
        QFETCH(QVariantList, ownIds);
        QFETCH(QVariantList, fileIds);
        CnfController controller;
        FormatFixture::fillZuMolt(controller);
        const CnfProgramPtr ring = controller.findProgram(QStringLiteral("4"));
        const CnfPhaseDefPtr third
            = ring->appendPhase(controller.findPhase(QStringLiteral("1")), 0);
        third->setProperty("recall", QStringLiteral("soft"));
        QStringList recalls;
        for (int i = 0; i < ring->phaseCount(); ++i) {
            ring->phaseDefAt(i)->setProperty("id", ownIds.at(i));
            recalls << ring->phaseDefAt(i)->property("recall").toString();
        }

        ZU_MOLTConfig writer;
        const QByteArray bytes = writer.save(controller);
        QVERIFY2(!bytes.isEmpty(), qPrintable(writer.lastError()));
        CnfJsonParser parser(CnfJsonParser::Verbatim);
        QVERIFY(parser.parse(bytes));
        const CnfJsonValue &algorithm = parser.root()
                                            .member(QStringLiteral("plans"))
                                            .at(3)
                                            .member(QStringLiteral("algorithm"));
        QVariantList written;
        for (const CnfJsonValue &phase : algorithm.member(QStringLiteral("phases")).items())
            written << phase.member(QStringLiteral("id")).toVariant();
        QCOMPARE(written, fileIds);
        QCOMPARE(algorithm.member(QStringLiteral("sequence")).toVariant(), QVariant(fileIds));

        ZU_MOLTConfig reader;
        CnfController loaded;
        QVERIFY2(loadInto(reader, bytes, loaded), qPrintable(reader.lastError()));
        const CnfProgramPtr back = loaded.findProgram(QStringLiteral("4"));
        QCOMPARE(back->phaseCount(), 3);
        QStringList stages;
        QStringList backRecalls;
        for (int i = 0; i < back->phaseCount(); ++i) {
            stages << back->phaseDefAt(i)->id();
            backRecalls << back->phaseDefAt(i)->property("recall").toString();
        }
        QCOMPARE(stages,
                 QStringList({ QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1") }));
        QCOMPARE(backRecalls, recalls);
    }

    // A member name with control characters (a damaged file) is kept whole and
    // written with them escaped: a name cut at its NUL would become another key.
    void controlCharactersInNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("NUL") << QByteArray("type\0", 5) << QByteArray("type\\u0000");
        QTest::newRow("tab, carriage return, escape")
            << QByteArray("type\t\r\x1b") << QByteArray("type\\u0009\\u000d\\u001b");
    }

    void controlCharactersInNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, written);
        const QByteArray member = '"' + name + "\": \"pedestrian\"";
        const QByteArray bytes
            = "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1,\n"
              "\"signalGroups\": {\"items\": [{\"id\": 1, \"type\": \"traffic\", "
            + member + "}]},\n\"remoteControlPanel\": {\"VPU1\": {\"type\": \"passive\", " + member
            + "}}}";
        ZU_MOLTConfig reader;
        CnfController controller;
        QVERIFY2(loadInto(reader, bytes, controller), qPrintable(reader.lastError()));
        QCOMPARE(controller.findSG(1)->type, int(CnfSignalGroup::Traffic));

        ZU_MOLTConfig writer;
        const QByteArray saved = writer.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(writer.lastError()));
        const QByteArray kept = '"' + written + "\": \"pedestrian\"";
        QCOMPARE(saved.count(kept), 2);
        for (const char c : saved)
            QVERIFY2(static_cast<unsigned char>(c) >= 0x20 || c == '\n', saved.constData());

        ZU_MOLTConfig again;
        CnfController reloaded;
        QVERIFY2(loadInto(again, saved, reloaded), qPrintable(again.lastError()));
        const CnfSignalGroupPtr group = reloaded.findSG(1);
        QCOMPARE(group->type, int(CnfSignalGroup::Traffic));
        QCOMPARE(group->property(written.constData()), QVariant(QStringLiteral("pedestrian")));
        QCOMPARE(reloaded.nativeData()["remoteControlPanel"]["VPU1"][QString::fromLatin1(written)]
                     .toString(),
                 QStringLiteral("pedestrian"));
        QCOMPARE(ZU_MOLTConfig().save(reloaded), saved);
    }

    // The members that plivek does not know belong to their object: a new id,
    // a Delete of another object and a reorder keep them in the saved object,
    // and an object that takes the id of a deleted one does not take them.
    void keptMembersStayWithTheirObject_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QJsonValue>("expected");
        const auto path = [](const char *text) {
            return QString::fromLatin1(text).split(QLatin1Char('/'));
        };
        QTest::newRow("stage, new id")
            << int(NewStageId) << path("stages/id=7/colour") << QJsonValue(QJsonValue::Null);
        QTest::newRow("conflict point, new id of its clearing group")
            << int(NewGroupId) << path("IGM/id=1/items/clearing=11/source")
            << QJsonValue(QStringLiteral("geometry"));
        QTest::newRow("timeline, new id of its group")
            << int(NewGroupId) << path("plans/id=1/algorithm/sequences/group=11/label")
            << QJsonValue(QStringLiteral("main"));
        QTest::newRow("timeline record, new id of its group")
            << int(NewGroupId)
            << path("plans/id=1/algorithm/sequences/group=11/sequence/point=30/x_phase")
            << QJsonValue(QStringLiteral("late"));
        QTest::newRow("signal group, new id")
            << int(NewGroupId) << path("signalGroups/items/id=11/interstate/yellow")
            << QJsonValue(1);
        QTest::newRow("timeline, new id of its plan")
            << int(NewPlanId) << path("plans/id=9/algorithm/sequences/group=1/label")
            << QJsonValue(QStringLiteral("main"));
        QTest::newRow("timeline record, new id of its plan")
            << int(NewPlanId)
            << path("plans/id=9/algorithm/sequences/group=1/sequence/point=0/flash")
            << QJsonValue(false);
        QTest::newRow("plan, new id")
            << int(NewPlanId) << path("plans/id=9/author") << QJsonValue(QStringLiteral("plivek"));
        QTest::newRow("timeline, another plan deleted")
            << int(OtherPlanDeleted) << path("plans/id=1/algorithm/sequences/group=1/label")
            << QJsonValue(QStringLiteral("main"));
        QTest::newRow("conflict point, groups reordered")
            << int(GroupsReordered) << path("IGM/id=1/items/clearing=1/source")
            << QJsonValue(QStringLiteral("geometry"));
        QTest::newRow("stage deleted, its id taken by a new stage")
            << int(StageDeletedAndItsIdTaken) << path("stages/id=1/colour")
            << QJsonValue(QJsonValue::Undefined);
        QTest::newRow("group deleted, its id taken by a new group")
            << int(GroupDeletedAndItsIdTaken) << path("plans/id=1/algorithm/sequences/group=1")
            << QJsonValue(QJsonValue::Undefined);
    }

    void keptMembersStayWithTheirObject()
    {
        QFETCH(int, edit);
        QFETCH(QStringList, path);
        QFETCH(QJsonValue, expected);
        const QByteArray bytes = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("zumolt/unknown-members.json")));
        ZU_MOLTConfig reader;
        CnfController controller;
        QVERIFY2(loadInto(reader, bytes, controller), qPrintable(reader.lastError()));
        switch (edit) {
        case NewStageId:
            QVERIFY(controller.renamePhase(QStringLiteral("1"), QStringLiteral("7")));
            break;
        case NewGroupId:
            QVERIFY(controller.renameSignalGroup(1, 11));
            break;
        case NewPlanId:
            QVERIFY(controller.renameProgram(QStringLiteral("1"), QStringLiteral("9")));
            break;
        case OtherPlanDeleted:
            QVERIFY(controller.removeProgram(QStringLiteral("2")));
            break;
        case GroupsReordered: {
            QList<CnfSignalGroupPtr> groups = controller.signalGroups();
            std::reverse(groups.begin(), groups.end());
            QVERIFY(controller.reorderSignalGroups(groups));
            break;
        }
        case StageDeletedAndItsIdTaken: {
            QVERIFY(controller.removePhase(QStringLiteral("1")));
            auto phase = CnfPhasePtr::create();
            phase->id = QStringLiteral("1");
            QVERIFY(controller.addPhase(phase));
            break;
        }
        case GroupDeletedAndItsIdTaken: {
            QVERIFY(controller.removeSignalGroup(1));
            auto group = CnfSignalGroupPtr::create();
            group->id = 1;
            QVERIFY(controller.addSignalGroup(group));
            // The plan's timeline of the new group has none of the members of the old one.
            controller.findProgram(QStringLiteral("1"))
                ->appendTimelineData(1, 0, CnfSignalGroup::Red);
            path << QStringLiteral("label");
            break;
        }
        }
        ZU_MOLTConfig writer;
        const QByteArray saved = writer.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(writer.lastError()));
        QCOMPARE(valueAt(saved, path), expected);
        if (edit == GroupDeletedAndItsIdTaken)
            QVERIFY(valueAt(saved, path.mid(0, path.size() - 1)).isObject());
    }

    void refusesWhatTheFileCannotHold_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("error");
        QTest::newRow("quote") << QStringLiteral("quote")
                               << QStringLiteral("the text \"say \"hi\"\" holds a double quote");
        QTest::newRow("text id") << QStringLiteral("phase id")
                                 << QStringLiteral("Phase \"A\" has no numeric id");
        QTest::newRow("program type")
            << QStringLiteral("program type") << QStringLiteral("Program \"5\" is of type");
        QTest::newRow("native clash")
            << QStringLiteral("native clash")
            << QStringLiteral("The native data key \"plans\" clashes with a key");
    }

    void refusesWhatTheFileCannotHold()
    {
        QFETCH(QString, what);
        QFETCH(QString, error);
        CnfController controller;
        FormatFixture::fillZuMolt(controller);
        if (what == QLatin1String("quote"))
            controller.setNativeData(QStringLiteral("name"), QStringLiteral("say \"hi\""));
        else if (what == QLatin1String("phase id"))
            controller.findPhase(QStringLiteral("2"))->id = QStringLiteral("A");
        else if (what == QLatin1String("program type"))
            controller.findProgram(QStringLiteral("5"))->type = CnfProgram::MultiRing;
        else
            controller.setNativeData(QStringLiteral("plans"), QVariantList { 1 });
        ZU_MOLTConfig writer;
        QVERIFY(writer.save(controller).isEmpty());
        QVERIFY2(writer.lastError().startsWith(error), qPrintable(writer.lastError()));
    }
};

PROJECT_TEST(TestZuMoltConfig);
#include "tst_zumoltconfig.moc"
