#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltfixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A document written with ` marking places; {n} in an expected warning stands
// for the "Line %1, column %2: " prefix of the n-th mark.
struct MarkedDocument
{
    QByteArray text;
    QStringList prefixes;

    explicit MarkedDocument(const QByteArray &marked)
    {
        int line = 0;
        int column = 0;
        for (const char c : marked) {
            if (c == '`') {
                prefixes << QStringLiteral("Line %1, column %2: ").arg(line + 1).arg(column + 1);
                continue;
            }
            text += c;
            if (c == '\n') {
                ++line;
                column = 0;
            } else {
                ++column;
            }
        }
    }

    QStringList expand(const QStringList &warnings) const
    {
        QStringList result;
        for (QString warning : warnings) {
            for (int i = 0; i < prefixes.size(); ++i)
                warning.replace(QStringLiteral("{%1}").arg(i + 1), prefixes.at(i));
            result << warning;
        }
        return result;
    }
};

// The head of every document below: version, type and id, so that only the
// warnings of the part under test remain.
const QByteArray head = "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1,\n";
const QByteArray twoGroups = "\"signalGroups\": {\"items\": [{\"name\": \"A\", \"id\": 1}, "
                             "{\"name\": \"B\", \"id\": 2}]},\n";
const QByteArray dayPlan = "\"plans\": [{\"name\": \"P\", \"id\": 1}],\n"
                           "\"scheduler\": {\"days\": [{\"name\": \"D\", \"id\": 1}], ";

} // namespace

class TestZUConfigurationLoad : public QObject
{
    Q_OBJECT
private slots:
    void completeFixture()
    {
        ZUConfiguration c;
        QString error = QStringLiteral("untouched");
        QVERIFY(c.load(fixture(QStringLiteral("complete.json")), &error));
        QCOMPARE(error, QString());
        QCOMPARE(c.warnings(), QStringList());

        // Root; texts keep their escape sequences as written.
        QCOMPARE(c.name(), QStringLiteral("Crossing \\\"North\\\""));
        QCOMPARE(c.id(), 17);
        QCOMPARE(c.description(), QStringLiteral("Main street / Ring road, \\u00c5 corner"));
        QCOMPARE(c.timeZone(), QVariant(QStringLiteral("+03:00")));
        QCOMPARE(c.maxCurrent(), 16);
        QCOMPARE(c.allRed(), 5);
        QCOMPARE(c.amberBlink(), 3);
        const ZUNetworkParameters *lan = c.networkParameters();
        QVERIFY(lan->allowed());
        QCOMPARE(lan->lanMode(), int(zu::staticIP));
        QCOMPARE(lan->lanIP(), QStringLiteral("192.168.1.10"));
        QCOMPARE(lan->dnsIP(), QStringLiteral("192.168.1.2"));
        QCOMPARE(lan->srvIP(), QStringLiteral("10.1.1.1"));
        QCOMPARE(lan->asudPort(), quint16(4000));
        QCOMPARE(lan->sntpName(), QStringLiteral("time.example"));

        // Signal groups, stages (a group named by its name), matrix, detectors.
        QCOMPARE(c.signalGroups().size(), 5);
        const QPointer<ZUSignalGroup> main = c.signalGroups().at(0);
        const QPointer<ZUSignalGroup> side = c.signalGroups().at(1);
        const QPointer<ZUSignalGroup> walk = c.signalGroups().at(2);
        QCOMPARE(main->maxRed(), 120);
        QCOMPARE(side->type(), int(zu::arrow));
        QCOMPARE(side->extRed(), zu::NotSet);
        QCOMPARE(c.signalGroups().at(4)->type(), int(zu::always_ON));
        QCOMPARE(c.signalGroupDefaults()->minGreen(), 5);
        QCOMPARE(c.stages().size(), 3);
        QCOMPARE(c.stages().at(1)->groups(), QList<QPointer<ZUSignalGroup>>({ side, walk }));
        QCOMPARE(c.stages().at(2)->minTime(), 7);
        QCOMPARE(c.stages().at(2)->maxTime(), zu::NotSet);
        ZUIntergreenMatrix *matrix = c.intergreenMatrix();
        QCOMPARE(matrix->name(), QStringLiteral("Conflicts"));
        QCOMPARE(matrix->conflictTime(walk, main), 6);
        QCOMPARE(matrix->points().size(), 4);
        QCOMPARE(c.detectorIntervals()->logIntervalASUDD, 300);
        QCOMPARE(c.detectors().size(), 2);
        QVERIFY(c.detectors().at(0)->report());
        QVERIFY(!c.detectors().at(1)->report());

        // Plans: phases in the order of `sequence`, calls to later phases, detector
        // records, a timeline with spans, a special plan.
        QCOMPARE(c.signalPlans().size(), 3);
        ZUSignalPlan *day = c.signalPlans().at(0);
        QCOMPARE(day->type(), int(zu::StageRing));
        QVERIFY(day->coordinated());
        QCOMPARE(day->phases().size(), 3);
        QCOMPARE(day->phases().at(0)->id(), 1);
        QCOMPARE(day->phases().at(1)->id(), 3);
        QCOMPARE(day->phases().at(2)->id(), 2);
        QCOMPARE(day->phases().at(0)->call(), day->phases().at(2));
        QCOMPARE(day->phases().at(0)->recall(), int(zu::max));
        QCOMPARE(day->phases().at(0)->countdownBoard(), int(zu::adaptive));
        QCOMPARE(day->phases().at(2)->stage(), c.stages().at(1));
        QCOMPARE(day->detectors().size(), 2);
        QCOMPARE(day->detectors().at(0).phase, day->phases().at(2));
        QVERIFY(day->detectors().at(0).control);
        QVERIFY(day->detectors().at(0).redirect.isNull());
        QCOMPARE(day->detectors().at(0).indicator, c.detectors().at(1));
        QVERIFY(day->detectors().at(1).call.isNull());
        ZUSignalPlan *night = c.signalPlans().at(1);
        QCOMPARE(night->sequences().size(), 2);
        QCOMPARE(night->sequences().at(1).group, walk);
        QCOMPARE(night->sequences().at(1).sequence.keys(), QList<int>({ 0, 28, 48 }));
        QCOMPARE(night->sequences().at(1).sequence.value(28), zu::green);
        QCOMPARE(c.signalPlans().at(2)->mode(), int(zu::AB));

        // Scheduler.
        QCOMPARE(c.defaultDayPlan(), c.dayPlans().at(0));
        QCOMPARE(c.defaultProgram(), QPointer<ZUSignalPlan>(day));
        QCOMPARE(c.defaultSpareProgram(), QPointer<ZUSignalPlan>(night));
        QCOMPARE(c.dayPlans().size(), 2);
        QCOMPARE(c.dayPlans().at(0)->periods().size(), 3);
        QCOMPARE(c.dayPlans().at(0)->periods().at(1).stop, QTime(22, 0, 30));
        QCOMPARE(c.dayPlans().at(0)->periods().at(1).spareProgram, QPointer<ZUSignalPlan>(night));
        QCOMPARE(c.weekPlans().size(), 2);
        QCOMPARE(c.weekPlans().at(0)->value(Qt::Saturday), c.dayPlans().at(1));
        QCOMPARE(c.weekPlans().at(1)->size(), 2);
        QCOMPARE(c.weekPlans().at(1)->value(Qt::Wednesday), c.dayPlans().at(0));
        QCOMPARE(c.extraPeriods().at(0)->stop(), ZUDayMonth(31, 8));
        QCOMPARE(c.extraPeriods().at(0)->week(), c.weekPlans().at(0));
        QCOMPARE(c.extraDays().at(0)->dayPlan(), c.dayPlans().at(1));

        // Devices: the panel's priority overrides the one under controlSources.
        QCOMPARE(c.controlSources().size(), 3);
        QCOMPARE(c.controlSources().at(1)->priority(), 7);
        QCOMPARE(c.controlSources().at(2)->timeout(), zu::NotSet);
        QCOMPARE(c.kmp1()->autoDetect(), 0);
        QCOMPARE(c.kmp1()->devices().size(), 3);
        QCOMPARE(c.kmp1()->devices().at(2)->port(), int(zu::KMPDevPort::LAN));
        QCOMPARE(c.switchDefaults()->upCurrent(), 200);
        QVERIFY(c.switchDefaults()->control());
        QCOMPARE(c.switches().size(), 3);
        QCOMPARE(c.switches().at(1)->signalGroup(), walk);
        QCOMPARE(c.switches().at(1)->lowCurrent(), zu::NotSet);
        QCOMPARE(c.switches().at(0)->color(), int(zu::Color::red));
        QCOMPARE(c.countdownBoards()->protocol(), int(zu::V2));
        QCOMPARE(c.countdownBoards()->boards().size(), 2);
        QCOMPARE(c.countdownBoards()->boards().at(1).group, walk);
        ZUDIO *dio1 = c.dios().at(0);
        QCOMPARE(dio1->type(), int(zu::DIO::traficam));
        QCOMPARE(dio1->port(), quint16(502));
        QCOMPARE(dio1->channels().size(), 2);
        QCOMPARE(dio1->channels().at(1).detector, c.detectors().at(1));
        QCOMPARE(c.dios().at(2)->channels().at(0).type, int(zu::out));
        QCOMPARE(c.dios().at(1)->type(), zu::NotSet);
        ZUVPU *vpu = c.vpu();
        QCOMPARE(vpu->type(), int(zu::passive_ind));
        QCOMPARE(vpu->source(), c.controlSources().at(1));
        QVERIFY(vpu->idleInd());
        QCOMPARE(vpu->stages(),
                 QList<QPointer<ZUStage>>({ c.stages().at(0), nullptr, c.stages().at(1) }));
        const ZURecoveryParameters *recovery = c.recoveryParameters();
        QCOMPARE(recovery->confidenceInterval(), 60);
        QCOMPARE(recovery->errors()[ZURecoveryParameters::RedError].filter, 2);
        QCOMPARE(recovery->errors()[ZURecoveryParameters::NoLoadSwBreak].interval, 5);
        QCOMPARE(recovery->errors()[ZURecoveryParameters::ShortCurent].attempts, 2);
        QCOMPARE(recovery->errors()[ZURecoveryParameters::ShortCurent].interval, zu::NotSet);
    }

    void alternateForms()
    {
        ZUConfiguration c;
        QString error;
        QVERIFY2(c.load(fixture(QStringLiteral("alternates.json")), &error), qPrintable(error));
        QCOMPARE(c.warnings(), QStringList());
        QCOMPARE(c.configVersion(), 1); // 1.5 is taken as 1
        QCOMPARE(c.timeZone(), QVariant(2));

        // Stage times under their older names; minGreen wins over minTime.
        QCOMPARE(c.stages().at(0)->minTime(), 7);
        QCOMPARE(c.stages().at(0)->maxTime(), 50);
        QCOMPARE(c.stages().at(1)->minTime(), 8);
        QCOMPARE(c.stages().at(1)->maxTime(), 40);

        // The matrix as a table: numbers (truncated) set points, other cells nothing.
        const QList<QPointer<ZUSignalGroup>> g = c.signalGroups();
        ZUIntergreenMatrix *matrix = c.intergreenMatrix();
        QCOMPARE(matrix->id(), 5);
        QCOMPARE(matrix->conflictTime(g[0], g[1]), 4);
        QCOMPARE(matrix->conflictTime(g[0], g[2]), 5);
        QCOMPARE(matrix->conflictTime(g[1], g[0]), 3);
        QCOMPARE(matrix->conflictTime(g[2], g[1]), 1);
        QCOMPARE(matrix->points().size(), 5);

        // A bare detector list: no report flags; an element that is no object
        // still makes a detector, with nothing set.
        QCOMPARE(c.detectors().size(), 3);
        QVERIFY(!c.detectors().at(0)->report());
        QCOMPARE(c.detectors().at(2)->id(), zu::NotSet);
        QCOMPARE(c.detectors().at(2)->name(), QString());

        // Spans count from the previous record (the first from 0); a record
        // without a state stores the not-set state.
        const QMap<int, zu::TimelineState> sequence
            = c.signalPlans().at(0)->sequences().at(0).sequence;
        QCOMPARE(sequence.keys(), QList<int>({ 5, 10, 15, 30 }));
        QCOMPARE(sequence.value(15), zu::amber);
        QCOMPARE(int(sequence.value(30)), zu::NotSet);

        // Week days as an object of weekday names.
        const ZUWeekPlan *week = c.weekPlans().at(0);
        QCOMPARE(week->size(), 3);
        QCOMPARE(week->value(Qt::Monday), c.dayPlans().at(0));
        QCOMPARE(week->value(Qt::Saturday), c.dayPlans().at(1));
        QCOMPARE(week->value(Qt::Sunday), c.dayPlans().at(1));
    }

    void minimalRoot()
    {
        ZUConfiguration c;
        QVERIFY(c.fromJson("{\"configVersion\":1,\"type\":\"ZU_MOLT\"}"));
        QCOMPARE(c.warnings(),
                 QStringList { QStringLiteral("Line 1, column 2: Attribute 'id' not defined") });
        QCOMPARE(c.signalGroups().size(), 0);
        QCOMPARE(c.id(), zu::NotSet);
    }

    void warnings_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("warnings");

        QTest::newRow("missing version first, then in reading order")
            << QByteArray("{`\"type\": \"ZU_MOLT\", \"name\": `5}")
            << QStringList { QStringLiteral("Configuration version not defined. Using version 1"),
                             QStringLiteral("{2}'name' value 5 has invalid type Integer (must be "
                                            "String). Value ignored"),
                             QStringLiteral("{1}Attribute 'id' not defined") };
        QTest::newRow("mistyped attribute")
            << head + "\"maxCurrent\": `\"16\", \"startTime\": {\"allRed\": `2.5}}"
            << QStringList { QStringLiteral("{1}'maxCurrent' value 16 has invalid type String "
                                            "(must be Integer). Value ignored"),
                             QStringLiteral("{2}'allRed' value 2.5 has invalid type Double (must "
                                            "be Integer). Value ignored") };
        QTest::newRow("enum key with wrong case")
            << head
                + "\"signalGroups\": {\"items\": [{\"name\": \"A\", \"id\": 1, \"type\": "
                  "`\"Traffic\"}]}}"
            << QStringList { QStringLiteral("{1}'type' attribute has invalid value Traffic") };
        QTest::newRow("empty enum key")
            << head + "\"LAN\": {\"lanMode\": `\"\"}}"
            << QStringList { QStringLiteral("{1}'lanMode' attribute has invalid value ") };
        QTest::newRow("references")
            << head + twoGroups
                + "\"stages\": [{\"name\": \"S\", \"id\": 1, \"groups\": [`9, `\"Nope\", `\"\", "
                  "`null, `true, 1, \"B\"]}]}"
            << QStringList { QStringLiteral("{1}Object with id 9 not found"),
                             QStringLiteral("{2}Object with name Nope not found"),
                             QStringLiteral("{3}Object with empty name"),
                             QStringLiteral("{4}Object with empty id"),
                             QStringLiteral("{5}Object with id true not found") };
        QTest::newRow("reference by a name with a zero-width space")
            << head + twoGroups
                + "\"stages\": [{\"name\": \"S\", \"id\": 1, \"groups\": [`\"B\xE2\x80\x8B\"]}]}"
            << QStringList { QStringLiteral("{1}Object with name B\\u200b not found") };
        QTest::newRow("reference by a long name, cut after a whole character")
            << head + twoGroups + "\"stages\": [{\"name\": \"S\", \"id\": 1, \"groups\": [`\""
                + (QString(39, QLatin1Char('B')) + QString::fromUcs4(U"\U0001F6A6")).toUtf8()
                + "C\"]}]}"
            << QStringList { QStringLiteral("{1}Object with name ") + QString(39, QLatin1Char('B'))
                             + QString::fromUcs4(U"\U0001F6A6") + QStringLiteral("... not found") };
        QTest::newRow("null reference allowed only where it may be empty")
            << head + twoGroups
                + "\"stages\": [{\"name\": \"S\", \"id\": 1}],\n"
                  "\"plans\": [{\"name\": \"P\", \"id\": 1, \"algorithm\": {\"type\": "
                  "\"StageRing\", "
                  "\"phases\": [{\"id\": 1, \"stage\": 1, \"call\": `null}], "
                  "\"detectors\": [{\"phase\": `null, \"call\": null, \"redirect\": null}]}}]}"
            << QStringList { QStringLiteral("{1}Object with empty id"),
                             QStringLiteral("{2}Object with empty id") };
        QTest::newRow("required attributes of an array element")
            << head + "\"scheduler\": {\"extraDays\": [{`}, {`\"name\": \"x\"}]}}"
            << QStringList { QStringLiteral("{1}Attribute 'date' not defined"),
                             QStringLiteral("{1}Attribute 'day' not defined"),
                             QStringLiteral("{2}Attribute 'date' not defined"),
                             QStringLiteral("{2}Attribute 'day' not defined") };
        QTest::newRow("time zone out of range")
            << head + "\"timeZone\": `13}"
            << QStringList { QStringLiteral(
                   "{1}'timeZone' has invalid value 13 (must be >=-12 and <=12)") };
        QTest::newRow("time zone below range as double")
            << head + "\"timeZone\": `-12.9e1}"
            << QStringList { QStringLiteral(
                   "{1}'timeZone' has invalid value -129 (must be >=-12 and <=12)") };
        QTest::newRow("time zone in range") << head + "\"timeZone\": -12.5}" << QStringList();
        QTest::newRow("time zone text") << head + "\"timeZone\": \"-3:30\"}" << QStringList();
        QTest::newRow("time zone text without digits")
            << head + "\"timeZone\": \":\"}" << QStringList();
        QTest::newRow("time zone bad text")
            << head + "\"timeZone\": `\"3h\"}"
            << QStringList { QStringLiteral("{1}'timeZone' value 3h has invalid format") };
        // A huge value is quoted as plivek quotes it: 40 characters and the cut marked.
        QTest::newRow("time zone of a million U+FEFF")
            << head + "\"timeZone\": `\"" + QString(1000000, QChar(0xFEFF)).toUtf8() + "\"}"
            << QStringList { QStringLiteral("{1}'timeZone' value ")
                             + QStringLiteral("\\ufeff").repeated(40)
                             + QStringLiteral("... has invalid format") };
        QTest::newRow("time zone three digits")
            << head + "\"timeZone\": `\"+003:00\"}"
            << QStringList { QStringLiteral("{1}'timeZone' value +003:00 has invalid format") };
        QTest::newRow("matrix row count")
            << head + twoGroups + "\"IGM\": [{\"matrix\": `[[0, 1]]}]}"
            << QStringList { QStringLiteral(
                   "{1}Row count in matrix 1 != signal group count 2. Matrix ignored") };
        QTest::newRow("matrix row not an array")
            << head + twoGroups + "\"IGM\": [{\"matrix\": `[[0, 1], 5]}]}"
            << QStringList { QStringLiteral("{1}Rows in matrix must be arrays. Matrix ignored") };
        QTest::newRow("matrix column count")
            << head + twoGroups + "\"IGM\": [{\"matrix\": `[[0, 1], [1]]}]}"
            << QStringList { QStringLiteral(
                   "{1}Column count in matrix 1 != signal group count 2. Matrix ignored") };
        QTest::newRow("matrix without points")
            << head + "\"IGM\": [{\"name\": \"M\"}]}"
            << QStringList { QStringLiteral("Matrix not contains conflict points") };
        QTest::newRow("matrix items mistyped")
            << head + "\"IGM\": [{\"matrix\": `7, \"items\": {`}}]}"
            << QStringList {
                   QStringLiteral("{1}'matrix' value 7 has invalid type Integer (must be Array). "
                                  "Value ignored"),
                   QStringLiteral(
                       "{2}'items' value  has invalid type Object (must be Array). Value ignored"),
                   QStringLiteral("{2}Matrix not contains conflict points")
               };
        QTest::newRow("matrix point without groups")
            << head + twoGroups + "\"IGM\": [{\"items\": [{`\"time\": 3}]}]}"
            << QStringList { QStringLiteral("{1}Attribute 'clearing' not defined"),
                             QStringLiteral("{1}Attribute 'entering' not defined") };
        QTest::newRow("detectors of wrong type")
            << head + "\"detectors\": `\"D1\"}"
            << QStringList { QStringLiteral(
                   "{1}'detectors' attribute has invalid type (must be array or object)") };
        QTest::newRow("timeline record without point or span")
            << head + twoGroups
                + "\"plans\": [{\"name\": \"P\", \"id\": 1, \"algorithm\": {\"type\": "
                  "\"Timeline\", "
                  "\"sequences\": [{\"group\": 1, \"sequence\": [{\"state\": \"red\"}]}, "
                  "{\"group\": `5}]}}]}"
            << QStringList { QStringLiteral("'sequence' record not contains 'point' nor 'span' "
                                            "attributes. Record ignored"),
                             QStringLiteral("{1}Object with id 5 not found") };
        {
            // The largest Integer span, 64 times, ends just below the int range; one more passes
            // it.
            QByteArray records;
            for (int i = 0; i < 64; ++i)
                records += "{\"state\": \"red\", \"span\": 33554431}, ";
            QTest::newRow("timeline spans past the int range")
                << head + twoGroups
                    + "\"plans\": [{\"name\": \"P\", \"id\": 1, \"algorithm\": {\"type\": "
                      "\"Timeline\", "
                      "\"sequences\": [{\"group\": 1, \"sequence\": ["
                    + records + "{\"state\": \"green\", \"span\": `33554431}]}]}}]}"
                << QStringList { QStringLiteral("{1}'span' attribute puts the record at "
                                                "2181038015, out of range. Record ignored") };
        }
        QTest::newRow("data for another algorithm type")
            << head + twoGroups
                + "\"stages\": [{\"name\": \"S\", \"id\": 1}],\n"
                  "\"plans\": [{\"name\": \"P\", \"id\": 1, \"algorithm\": {"
                  "\"sequences\": `[{\"group\": 1, \"sequence\": [{\"state\": \"red\", \"point\": "
                  "0}]}], "
                  "\"phases\": `[{\"id\": 1, \"stage\": 1}], \"detectors\": `[{\"phase\": 1}]}}]}"
            << QStringList {
                   QStringLiteral("{1}'sequences' attribute is not valid for algorithm type ''"),
                   QStringLiteral("{2}'phases' attribute is not valid for algorithm type ''"),
                   QStringLiteral("{3}'detectors' attribute is not valid for algorithm type ''")
               };
        QTest::newRow("sequence names a dropped phase")
            << head
                + "\"stages\": [{\"name\": \"S\", \"id\": 1}],\n"
                  "\"plans\": [{\"name\": \"P\", \"id\": 1, \"algorithm\": {\"type\": "
                  "\"StageRing\", "
                  "\"phases\": [{\"id\": 1}, {\"id\": 2, \"stage\": 1}], \"sequence\": `[1, 2, "
                  "\"2\"]}}]}"
            << QStringList { QStringLiteral("{1}phase 1 not found"),
                             QStringLiteral("{1}phase 2 not found") };
        QTest::newRow("period times and program")
            << head + dayPlan
                + "\"days\": [{\"name\": \"D\", \"id\": 1, \"plans\": [{`\"start\": `\"25:00\", "
                  "\"stop\": `\"7\"}]}]}}"
            << QStringList { QStringLiteral("{2}'start' attribute has invalid time format"),
                             QStringLiteral("{3}'stop' attribute has invalid time format"),
                             QStringLiteral("{1}Attribute 'program' not defined") };
        QTest::newRow("week days of wrong type")
            << head + dayPlan + "\"weeks\": [{\"name\": \"W\", \"id\": 1, \"days\": `5}]}}"
            << QStringList { QStringLiteral("{1}'days' attribute has invalid type") };
        QTest::newRow("week days array too short")
            << head + dayPlan + "\"weeks\": [{\"name\": \"W\", \"id\": 1, \"days\": `[1, `2, 1]}]}}"
            << QStringList { QStringLiteral("{1}'days' array has invalid size 3. Must be 7"),
                             QStringLiteral("{2}Object with id 2 not found") };
        QTest::newRow("week without days")
            << head + dayPlan + "\"weeks\": [{`\"name\": \"W\", \"id\": 1}]}}"
            << QStringList { QStringLiteral("{1}Attribute 'days' not defined") };
        QTest::newRow("extra period dates")
            << head + dayPlan
                + "\"weeks\": [{\"name\": \"W\", \"id\": 1, \"days\": {}}], "
                  "\"extraPeriods\": [{\"start\": `\"32.01\", \"stop\": `\"1.13\", \"week\": 1}]}}"
            << QStringList { QStringLiteral("{1}'start' attribute has invalid date format"),
                             QStringLiteral("{2}'stop' attribute has invalid date format") };
        QTest::newRow("extra day date")
            << head + dayPlan + "\"extraDays\": [{\"date\": `\"1.1.1\", \"day\": 1}]}}"
            << QStringList { QStringLiteral("{1}'date' attribute has invalid date format") };
        QTest::newRow("recovery record of wrong type")
            << head
                + "\"recovery\": {\"errors\": {\"redError\": `5, \"swShort\": {\"attempts\": "
                  "`\"2\"}}}}"
            << QStringList { QStringLiteral("{1}'redError' value 5 has invalid type Integer (must "
                                            "be Object). Value ignored"),
                             QStringLiteral("{2}'attempts' value 2 has invalid type String (must "
                                            "be Integer). Value ignored") };
        QTest::newRow("unknown keys are ignored")
            << head + "\"colour\": 5, \"stages\": [{\"foo\": [1]}]}" << QStringList();
        // A byte that is not UTF-8 is read as U+FFFD, which a save would write back.
        const QString notUtf8 = QStringLiteral("{1}the byte 0xFF is not UTF-8");
        QTest::newRow("byte not UTF-8 in a text")
            << head + "\"name\": \"Cr`\xFF\xFEssing\"}" << QStringList { notUtf8 };
        QTest::newRow("byte not UTF-8 after a line feed in a text")
            << head + "\"description\": \"Main street\nat `\xC3\"}"
            << QStringList { QStringLiteral("{1}the byte 0xC3 is not UTF-8") };
        QTest::newRow("byte not UTF-8 in each of two texts, before a reader's warning")
            << head + "\"description\": \"`\xFF\", \"name\": \"`\xFF\", \"maxCurrent\": `\"16\"}"
            << QStringList { notUtf8, QStringLiteral("{2}the byte 0xFF is not UTF-8"),
                             QStringLiteral("{3}'maxCurrent' value 16 has invalid type String "
                                            "(must be Integer). Value ignored") };
        QTest::newRow("byte not UTF-8 in a name, at each place")
            << head + "\"stages\": [{\"`\xFF\": 1}, {\"`\xFF\": 2}]}"
            << QStringList { notUtf8, QStringLiteral("{2}the byte 0xFF is not UTF-8") };
        QTest::newRow("overlong form and surrogate are not UTF-8")
            << head + "\"name\": \"a`\xC0\xAF\", \"description\": \"`\xED\xA0\x80\"}"
            << QStringList { QStringLiteral("{1}the byte 0xC0 is not UTF-8"),
                             QStringLiteral("{2}the byte 0xED is not UTF-8") };
        QTest::newRow("UTF-8 text holding U+FFFD itself")
            << head + "\"name\": \"\xC3\x84 \xEF\xBF\xBD \xF0\x9F\x9A\xA6\"}" << QStringList();
    }

    void warnings()
    {
        QFETCH(QByteArray, document);
        QFETCH(QStringList, warnings);

        const MarkedDocument marked(document);
        ZUConfiguration c;
        QString error;
        QVERIFY2(c.fromJson(marked.text, &error), qPrintable(error));
        QCOMPARE(c.warnings(), marked.expand(warnings));
    }

    void fatalErrors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("keepsContent");
        QTest::addColumn<bool>("keepsWarnings");

        const QString missing = fixture(QStringLiteral("fatal/missing.json"));
        QTest::newRow("missing file")
            << missing << QStringLiteral("File %1 not exists").arg(missing) << true << true;
        QTest::newRow("not JSON") << fixture(QStringLiteral("fatal/not-json.json"))
                                  << QStringLiteral("Line 1, column 30: Missing name separator")
                                  << true << false;
        QTest::newRow("array root")
            << fixture(QStringLiteral("fatal/array-root.json"))
            << QStringLiteral("Configuration must be JSON Object") << true << false;
        QTest::newRow("version 2")
            << fixture(QStringLiteral("fatal/version-2.json"))
            << QStringLiteral("Unsupported configuration version 2") << false << false;
        // A text or null is no version: the message must not read as if 1 were unknown.
        QTest::newRow("version as text")
            << fixture(QStringLiteral("fatal/version-text.json"))
            << QStringLiteral(
                   "Unsupported configuration version \"1\": the version must be a number")
            << false << false;
        QTest::newRow("version null")
            << fixture(QStringLiteral("fatal/version-null.json"))
            << QStringLiteral(
                   "Unsupported configuration version null: the version must be a number")
            << false << false;
        QTest::newRow("type missing")
            << fixture(QStringLiteral("fatal/type-missing.json"))
            << QStringLiteral("'type' attribute not defined") << false << false;
        QTest::newRow("type in other case")
            << fixture(QStringLiteral("fatal/type-case.json"))
            << QStringLiteral("'type' attribute has invalid value zu_molt") << false << false;
        QTest::newRow("type not a text")
            << fixture(QStringLiteral("fatal/type-number.json"))
            << QStringLiteral("'type' attribute has invalid value ") << false << false;
    }

    void fatalErrors()
    {
        QFETCH(QString, file);
        QFETCH(QString, error);
        QFETCH(bool, keepsContent);
        QFETCH(bool, keepsWarnings);

        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("with-warning.json"))));
        QCOMPARE(c.signalGroups().size(), 1);
        QCOMPARE(c.warnings().size(), 1);

        QString actual;
        QVERIFY(!c.load(file, &actual));
        QCOMPARE(actual, error);
        QCOMPARE(c.signalGroups().size(), keepsContent ? 1 : 0);
        QCOMPARE(c.warnings().size(), keepsWarnings ? 1 : 0);
        QVERIFY(!c.loading());
        if (!keepsContent) {
            QCOMPARE(c.configVersion(), 1);
            QCOMPARE(c.id(), zu::NotSet);
        }
    }

    void unreadableFile()
    {
        // A directory exists but cannot be read as a file: the file's own error.
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("with-warning.json"))));
        QString error;
        QVERIFY(!c.load(fixture(QStringLiteral("fatal")), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!error.startsWith(QLatin1String("File ")));
        QCOMPARE(c.signalGroups().size(), 1);
        QCOMPARE(c.warnings().size(), 1);
    }

    // Qt reads a file larger than one byte array holds as empty; it is named as too
    // large, not taken for a text that is no JSON.
    void fileAboveTwoGigabytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.json"));
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.write(head + "\"name\": \"Crossing\"}\n") > 0);
        if (!huge.resize(qint64(3) << 30)) // sparse: no disk space is taken
            QSKIP("the file system takes no file above 2 GB");
        huge.close();

        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("with-warning.json"))));
        QString error;
        QVERIFY(!c.load(path, &error));
        QCOMPARE(error, QStringLiteral("The file is too large to load: %1").arg(path));
        QCOMPARE(c.signalGroups().size(), 1);
        QCOMPARE(c.warnings().size(), 1);
    }

    void emptyArrayElementsReadNothingOfTheirParent()
    {
        ZUConfiguration c;
        QVERIFY(c.fromJson(
            "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 4, \"name\": \"root\", "
            "\"stages\": [{}, [], 3], \"controlSources\": [{}]}"));
        QCOMPARE(c.warnings(), QStringList());
        QCOMPARE(c.stages().size(), 3);
        for (const QPointer<ZUStage> &stage : c.stages()) {
            QCOMPARE(stage->id(), zu::NotSet);
            QCOMPARE(stage->name(), QString());
        }
        QCOMPARE(c.controlSources().at(0)->id(), zu::NotSet);
    }

    void referencesFollowTheModelsLookups()
    {
        // The first of several objects with one id or name wins; a whole number
        // written with a fraction names an id; a text never names an id; a stage
        // lists a group once.
        const MarkedDocument marked(
            head
            + "\"signalGroups\": {\"items\": [{\"name\": \"A\", \"id\": 1}, "
              "{\"name\": \"B\", \"id\": 1}, {\"name\": \"B\", \"id\": 2}, {\"name\": \"7\", "
              "\"id\": 3}]},\n"
              "\"stages\": [{\"groups\": [1, \"B\", 3.0, \"7\", `\"3\", `3.5]}]}");
        ZUConfiguration c;
        QVERIFY(c.fromJson(marked.text));
        const QList<QPointer<ZUSignalGroup>> g = c.signalGroups();
        QCOMPARE(c.stages().at(0)->groups(), QList<QPointer<ZUSignalGroup>>({ g[0], g[1], g[3] }));
        QCOMPARE(c.warnings(),
                 marked.expand({ QStringLiteral("{1}Object with name 3 not found"),
                                 QStringLiteral("{2}Object with id 3.5 not found") }));
    }

    void referencesFindIdsFarApart_data()
    {
        // Ids close together are found in a table by position, ids far apart in a
        // hash: both keep the rule that the first object with an id wins.
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("close together") << QList<int> { -2, 5, -2, 0, 7 };
        QTest::newRow("far apart") << QList<int> { -2000000, 5, -2000000, 30000000, 7 };
    }

    void referencesFindIdsFarApart()
    {
        QFETCH(QList<int>, ids);
        QString items;
        QString references;
        for (int i = 0; i < ids.size(); ++i) {
            items += QStringLiteral("%1{\"name\": \"G%2\", \"id\": %3}")
                         .arg(i ? QStringLiteral(", ") : QString())
                         .arg(i)
                         .arg(ids.at(i));
            references
                += QStringLiteral("%1%2").arg(i ? QStringLiteral(", ") : QString()).arg(ids.at(i));
        }
        const QByteArray text
            = QStringLiteral("{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1, "
                             "\"signalGroups\": {\"items\": [%1]}, "
                             "\"stages\": [{\"id\": 1, \"groups\": [%2, 6, \"G3\"]}]}")
                  .arg(items, references)
                  .toUtf8();
        ZUConfiguration c;
        QVERIFY(c.fromJson(text));
        const QList<QPointer<ZUSignalGroup>> g = c.signalGroups();
        // The second -2 (or -2000000) names the first group again, which a stage lists once.
        QCOMPARE(c.stages().at(0)->groups(),
                 QList<QPointer<ZUSignalGroup>>({ g[0], g[1], g[3], g[4] }));
        QCOMPARE(c.warnings().size(), 1);
        QVERIFY2(c.warnings().first().endsWith(QLatin1String("Object with id 6 not found")),
                 qPrintable(c.warnings().first()));
    }

    void callOfAPhaseWithoutValidId()
    {
        // The second pass finds a phase by the id the first pass gave it, the
        // not-set id included, so its call is not lost.
        ZUConfiguration c;
        QVERIFY(c.fromJson(
            head
            + "\"stages\": [{\"name\": \"S\", \"id\": 1}],\n"
              "\"plans\": [{\"name\": \"P\", \"id\": 1, \"algorithm\": {\"type\": \"StageRing\", "
              "\"phases\": [{\"stage\": 1, \"call\": 2}, {\"id\": 2, \"stage\": 1, \"call\": 3}, "
              "{\"id\": \"3\", \"stage\": 1, \"call\": 2}]}}]}"));
        const QList<QPointer<ZUSignalPlanPhase>> phases = c.signalPlans().at(0)->phases();
        QCOMPARE(phases.size(), 3);
        QCOMPARE(phases.at(0)->id(), zu::NotSet);
        QCOMPARE(phases.at(0)->call(), phases.at(1));
        QVERIFY(phases.at(1)->call().isNull());
        QCOMPARE(c.warnings().size(), 2); // the mistyped id and the call to the missing phase 3
    }

    void phaseReferencesFollowFindPhase()
    {
        // Within a plan the first phase with an id wins (a later element with
        // that id gives it its call), a whole number written with a fraction
        // names an id, and a text never names a phase.
        const MarkedDocument marked(
            head
            + "\"stages\": [{\"name\": \"S\", \"id\": 1}],\n"
              "\"plans\": [{\"name\": \"P\", \"id\": 1, \"algorithm\": {\"type\": \"StageRing\", "
              "\"phases\": [{\"id\": 1, \"stage\": 1, \"call\": `\"3\", \"minGreen\": 11}, "
              "{\"id\": 1, \"stage\": 1, \"call\": 3.0, \"minGreen\": 12}, "
              "{\"id\": 3, \"stage\": 1, \"call\": 1}], "
              "\"detectors\": [{\"phase\": 1, \"call\": 3, \"redirect\": 1.0}, {\"phase\": "
              "`\"1\"}], "
              "\"sequence\": `[3, 1, 1.0]}}]}");
        ZUConfiguration c;
        QVERIFY(c.fromJson(marked.text));
        QCOMPARE(c.warnings(),
                 marked.expand({ QStringLiteral("{1}Object with name 3 not found"),
                                 QStringLiteral("{2}Object with name 1 not found") }));
        ZUSignalPlan *plan = c.signalPlans().at(0);
        const QList<QPointer<ZUSignalPlanPhase>> phases = plan->phases();
        QCOMPARE(phases.size(), 3);
        QCOMPARE(phases.at(0)->id(), 3);
        QCOMPARE(phases.at(1)->minGreen(), 11);
        QCOMPARE(phases.at(2), phases.at(1));
        QCOMPARE(phases.at(0)->call(), phases.at(1));
        QCOMPARE(phases.at(1)->call(), phases.at(0));
        QCOMPARE(plan->detectors().size(), 1);
        QCOMPARE(plan->detectors().at(0).phase, phases.at(1));
        QCOMPARE(plan->detectors().at(0).call, phases.at(0));
        QCOMPARE(plan->detectors().at(0).redirect, phases.at(1));
    }

    void matrixRowsBeforeABadRowStay()
    {
        ZUConfiguration c;
        QVERIFY(
            c.fromJson(head
                       + "\"signalGroups\": {\"items\": [{\"id\": 1}, {\"id\": 2}, {\"id\": 3}]},\n"
                         "\"IGM\": [{\"matrix\": [[null, 4, 5], [3, null, 2], 7]}]}"));
        QCOMPARE(c.intergreenMatrix()->points().size(), 4);
        QCOMPARE(c.warnings().size(), 1);
    }

    // A conflict point may come from a `matrix` table or an `items` list, in any IGM
    // element: a pair given again keeps the later time, with one warning at the later
    // place, whatever the forms of the two places.
    void repeatedConflictPoints_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<int>("firstToSecond"); // the time of (A, B)
        QTest::addColumn<int>("secondToFirst"); // the time of (B, A)

        const QStringList repeated { QStringLiteral(
            "{1}Conflict point clearing 1, entering 2 given twice. Earlier value ignored") };
        QTest::newRow("list repeats a point of the same list") << head + twoGroups
                + "\"IGM\": [{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9},\n"
                  "{\"clearing\": 2, \"entering\": 1, \"time\": 5},\n"
                  "{`\"clearing\": 1, \"entering\": 2, \"time\": 4}]}]}"
                                                               << repeated << 4 << 5;
        QTest::newRow("list repeats a point of an earlier list")
            << head + twoGroups
                + "\"IGM\": [{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9}]},\n"
                  "{\"items\": [{`\"clearing\": \"A\", \"entering\": \"B\", \"time\": 4}]}]}"
            << repeated << 4 << int(zu::NotSet);
        QTest::newRow("list repeats a point of an earlier table") << head + twoGroups
                + "\"IGM\": [{\"matrix\": [[null, 9], [5, null]]},\n"
                  "{\"items\": [{`\"clearing\": 1, \"entering\": 2, \"time\": 4}]}]}"
                                                                  << repeated << 4 << 5;
        QTest::newRow("table repeats a point of an earlier list") << head + twoGroups
                + "\"IGM\": [{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9}]},\n"
                  "{\"matrix\": [[null, `4], [null, null]]}]}" << repeated
                                                                  << 4 << int(zu::NotSet);
        QTest::newRow("table repeats a point of an earlier table") << head + twoGroups
                + "\"IGM\": [{\"matrix\": [[null, 9], [5, null]]},\n"
                  "{\"matrix\": [[null, `4], [null, null]]}]}" << repeated
                                                                   << 4 << 5;
        QTest::newRow("groups without ids are named by their names")
            << head
                + "\"signalGroups\": {\"items\": [{\"name\": \"A\"}, {\"name\": \"B\"}]},\n"
                  "\"IGM\": [{\"matrix\": [[null, 9], [null, null]]},\n"
                  "{\"items\": [{`\"clearing\": \"A\", \"entering\": \"B\", \"time\": 4}]}]}"
            << QStringList { QStringLiteral(
                   "{1}Conflict point clearing A, entering B given twice. Earlier value ignored") }
            << 4 << int(zu::NotSet);
        QTest::newRow("each point once in one list") << head + twoGroups
                + "\"IGM\": [{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9},\n"
                  "{\"clearing\": 2, \"entering\": 1, \"time\": 4}]}]}"
                                                     << QStringList() << 9 << 4;
        QTest::newRow("each point once over a table and a list") << head + twoGroups
                + "\"IGM\": [{\"matrix\": [[null, 9], [null, null]]},\n"
                  "{\"items\": [{\"clearing\": 2, \"entering\": 1, \"time\": 4}]}]}"
                                                                 << QStringList() << 9 << 4;
        QTest::newRow("each point once over two tables") << head + twoGroups
                + "\"IGM\": [{\"matrix\": [[null, 9], [null, null]]},\n"
                  "{\"matrix\": [[null, null], [4, null]]}]}"
                                                         << QStringList() << 9 << 4;
    }

    void repeatedConflictPoints()
    {
        QFETCH(QByteArray, document);
        QFETCH(QStringList, warnings);
        QFETCH(int, firstToSecond);
        QFETCH(int, secondToFirst);

        const MarkedDocument marked(document);
        ZUConfiguration c;
        QString error;
        QVERIFY2(c.fromJson(marked.text, &error), qPrintable(error));
        QCOMPARE(c.warnings(), marked.expand(warnings));
        const QList<QPointer<ZUSignalGroup>> groups = c.signalGroups();
        QCOMPARE(c.intergreenMatrix()->conflictTime(groups.at(0), groups.at(1)), firstToSecond);
        QCOMPARE(c.intergreenMatrix()->conflictTime(groups.at(1), groups.at(0)), secondToFirst);
    }

    void repeatedConflictPointKeepsTheLastGiven()
    {
        // The later point wins, with its own unknown members, and a save writes it once.
        ZUConfiguration c;
        QVERIFY(c.fromJson(head + twoGroups
                           + "\"IGM\": [{\"items\": ["
                             "{\"clearing\": 1, \"entering\": 2, \"time\": 9, \"note\": 1},\n"
                             "{\"clearing\": 1, \"entering\": 2, \"time\": 4}]}]}"));
        QCOMPARE(c.warnings().size(), 1);
        QCOMPARE(c.intergreenMatrix()->points().size(), 1);
        QCOMPARE(c.intergreenMatrix()->points().first().time, 4);
        const QByteArray text = c.toJson();
        QCOMPARE(text.count("\"clearing\""), 1);
        QVERIFY(text.contains("{\"clearing\": 1, \"entering\": 2, \"time\": 4}"));
    }

    // Every conflict point keeps the members the file gave with the value it keeps,
    // over all IGM elements; the matrix keeps the members of every element. A save and
    // a reload keep them, and a second save writes the same text.
    void conflictPointMembersFollowTheKeptValue_data()
    {
        QTest::addColumn<QByteArray>("igm");
        QTest::addColumn<QByteArray>("firstToSecond"); // the note of (A, B)
        QTest::addColumn<QByteArray>("secondToFirst"); // the note of (B, A)

        QTest::newRow("different points in two elements")
            << QByteArray("[{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9, "
                          "\"note\": \"first\"}]},\n"
                          "{\"items\": [{\"clearing\": 2, \"entering\": 1, \"time\": 5, "
                          "\"note\": \"second\"}]}]")
            << QByteArray("\"first\"") << QByteArray("\"second\"");
        QTest::newRow("same point in two elements")
            << QByteArray("[{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9, "
                          "\"note\": \"first\"}, "
                          "{\"clearing\": 2, \"entering\": 1, \"time\": 5, "
                          "\"note\": \"back\"}]},\n"
                          "{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 4, "
                          "\"note\": \"second\"}]}]")
            << QByteArray("\"second\"") << QByteArray("\"back\"");
        QTest::newRow("same point again without members")
            << QByteArray("[{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9, "
                          "\"note\": \"first\"}]},\n"
                          "{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 4}]}]")
            << QByteArray() << QByteArray();
        QTest::newRow("same point again from a table")
            << QByteArray("[{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9, "
                          "\"note\": \"first\"}, "
                          "{\"clearing\": 2, \"entering\": 1, \"time\": 5, "
                          "\"note\": \"back\"}]},\n"
                          "{\"matrix\": [[null, 4], [null, null]]}]")
            << QByteArray() << QByteArray("\"back\"");
        QTest::newRow("table, then the same point with members")
            << QByteArray("[{\"matrix\": [[null, 9], [5, null]]},\n"
                          "{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 4, "
                          "\"note\": \"second\"}]}]")
            << QByteArray("\"second\"") << QByteArray();
    }

    void conflictPointMembersFollowTheKeptValue()
    {
        QFETCH(QByteArray, igm);
        QFETCH(QByteArray, firstToSecond);
        QFETCH(QByteArray, secondToFirst);

        // The note of the point (clearing, entering); empty when it has none.
        const auto note = [](ZUConfiguration &c, int clearing, int entering) {
            for (const ZUIntergreenMatrix::Point &point : c.intergreenMatrix()->points()) {
                if (point.clearing->id() != clearing || point.entering->id() != entering)
                    continue;
                for (const JsonRawMember &member : point.kept.members())
                    if (member.name == "note")
                        return member.value;
            }
            return QByteArray();
        };
        ZUConfiguration c;
        QVERIFY(c.fromJson(head + twoGroups + "\"IGM\": " + igm + "}"));
        const QByteArray saved = c.toJson();
        ZUConfiguration reloaded;
        QVERIFY(reloaded.fromJson(saved));
        QVERIFY2(reloaded.warnings().isEmpty(), qPrintable(reloaded.warnings().join('\n')));
        for (ZUConfiguration *configuration : { &c, &reloaded }) {
            QCOMPARE(note(*configuration, 1, 2), firstToSecond);
            QCOMPARE(note(*configuration, 2, 1), secondToFirst);
        }
        QCOMPARE(saved.count("\"note\""),
                 int(!firstToSecond.isEmpty()) + int(!secondToFirst.isEmpty()));
        QCOMPARE(reloaded.toJson(), saved);
    }

    // The one matrix written keeps what every IGM element held beyond the known
    // members; of a name given in two elements the later value.
    void matrixKeepsTheMembersOfEveryElement()
    {
        ZUConfiguration c;
        QVERIFY(
            c.fromJson(head + twoGroups
                       + "\"IGM\": [{\"items\": [{\"clearing\": 1, \"entering\": 2, \"time\": 9}], "
                         "\"level\": 1, \"kind\": \"first\"},\n"
                         "{\"items\": [{\"clearing\": 2, \"entering\": 1, \"time\": 5}], "
                         "\"kind\": \"second\", \"extra\": true}]}"));
        const QByteArray saved = c.toJson();
        QVERIFY2(saved.contains("\"level\": 1,\n") && saved.contains("\"kind\": \"second\",\n")
                     && saved.contains("\"extra\": true\n"),
                 saved.constData());
        QCOMPARE(saved.count("\"kind\""), 1);
        QVERIFY(saved.indexOf("\"level\"") < saved.indexOf("\"kind\""));
        QVERIFY(saved.indexOf("\"kind\"") < saved.indexOf("\"extra\""));
        ZUConfiguration reloaded;
        QVERIFY(reloaded.fromJson(saved));
        QCOMPARE(reloaded.toJson(), saved);
    }

    void networkKeys_data()
    {
        QTest::addColumn<QByteArray>("lan");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("lanIP");
        QTest::addColumn<QString>("srvIP");
        QTest::addColumn<QString>("srvName");

        QTest::newRow("no mode, no static address")
            << QByteArray("{\"lanIP\": \"1.2.3.4\", \"srvIP\": \"5.6.7.8\"}") << int(zu::DHPC)
            << QString() << QStringLiteral("5.6.7.8") << QString();
        QTest::newRow("DHPC keeps no static address")
            << QByteArray("{\"lanMode\": \"DHPC\", \"lanIP\": \"1.2.3.4\"}") << int(zu::DHPC)
            << QString() << QString() << QString();
        QTest::newRow("static address")
            << QByteArray("{\"lanMode\": \"staticIP\", \"lanIP\": \"1.2.3.4\"}")
            << int(zu::staticIP) << QStringLiteral("1.2.3.4") << QString() << QString();
        QTest::newRow("server name read after address wins")
            << QByteArray("{\"srvName\": \"srv\", \"srvIP\": \"5.6.7.8\"}") << int(zu::DHPC)
            << QString() << QString() << QStringLiteral("srv");
    }

    void networkKeys()
    {
        QFETCH(QByteArray, lan);
        QFETCH(int, mode);
        QFETCH(QString, lanIP);
        QFETCH(QString, srvIP);
        QFETCH(QString, srvName);

        ZUConfiguration c;
        QVERIFY(c.fromJson(head + "\"LAN\": " + lan + "}"));
        const ZUNetworkParameters *network = c.networkParameters();
        QVERIFY(network->allowed());
        QCOMPARE(network->lanMode(), mode);
        QCOMPARE(network->lanIP(), lanIP);
        QCOMPARE(network->srvIP(), srvIP);
        QCOMPARE(network->srvName(), srvName);
    }

    void timeZoneValues_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QVariant>("stored");

        QTest::newRow("hours") << QByteArray("3") << QVariant(3);
        QTest::newRow("double") << QByteArray("5.5") << QVariant(5.5);
        QTest::newRow("out of range still stored") << QByteArray("13") << QVariant(13);
        QTest::newRow("text") << QByteArray("\"+03:30\"") << QVariant(QStringLiteral("+03:30"));
        QTest::newRow("bad text still stored")
            << QByteArray("\"3h\"") << QVariant(QStringLiteral("3h"));
        QTest::newRow("bool") << QByteArray("true") << QVariant(true);
        QTest::newRow("null") << QByteArray("null") << QVariant();
        QTest::newRow("array") << QByteArray("[1]") << QVariant();
    }

    void timeZoneValues()
    {
        QFETCH(QByteArray, value);
        QFETCH(QVariant, stored);

        ZUConfiguration c;
        QVERIFY(c.fromJson(head + "\"timeZone\": " + value + "}"));
        QCOMPARE(c.timeZone(), stored);
    }

    void ports_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("warned");

        QTest::newRow("largest") << QByteArray("65535") << 65535 << false;
        QTest::newRow("zero") << QByteArray("0") << 0 << false;
        QTest::newRow("one past the largest") << QByteArray("65536") << 0 << true;
        QTest::newRow("would wrap to a port") << QByteArray("70000") << 0 << true;
        QTest::newRow("negative") << QByteArray("-1") << 0 << true;
    }

    void ports()
    {
        // 16-bit ports: a number out of range is refused with a warning at the value
        // instead of wrapping around to another port.
        QFETCH(QByteArray, value);
        QFETCH(int, port);
        QFETCH(bool, warned);

        const MarkedDocument marked(
            head + "\"LAN\": {\"asudPort\": `" + value
            + "},\n\"inputsOutputs\": {\"DIO2\": {\"type\": \"sitilog\", \"port\": `" + value
            + "}}}");
        ZUConfiguration c;
        QVERIFY(c.fromJson(marked.text));
        QCOMPARE(int(c.networkParameters()->asudPort()), port);
        QCOMPARE(int(c.dios().at(1)->port()), port);
        const QStringList expected { QStringLiteral("{1}'asudPort' attribute has invalid value ")
                                         + QString::fromLatin1(value),
                                     QStringLiteral("{2}'port' attribute has invalid value ")
                                         + QString::fromLatin1(value) };
        QCOMPARE(c.warnings(), warned ? marked.expand(expected) : QStringList());
    }

    void panelPriorityWithoutSource()
    {
        // Without a resolved source the panel's priority goes nowhere; an absent
        // priority leaves the source's own.
        ZUConfiguration c;
        QVERIFY(c.fromJson(
            head
            + "\"controlSources\": [{\"id\": 1, \"priority\": 3}],\n"
              "\"remoteControlPanel\": {\"VPU1\": {\"type\": \"passive\", \"sourceId\": 1}}}"));
        QCOMPARE(c.controlSources().at(0)->priority(), 3);
        QCOMPARE(c.vpu()->source(), c.controlSources().at(0));
    }

    void loadingFlagDuringLoad()
    {
        // Listeners of objectAdded see the flag set for the whole read, so editor
        // upkeep (such as adding a scheduler control source) can wait for the file.
        ZUConfiguration c;
        QList<bool> flags;
        connect(&c, &ZUConfiguration::objectAdded, this, [&c, &flags] { flags << c.loading(); });
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        QVERIFY(flags.size() > 20);
        QVERIFY(!flags.contains(false));
        QVERIFY(!c.loading());
        QCOMPARE(c.controlSources().size(), 3);
    }

    void secondLoadReplacesTheFirst()
    {
        ZUConfiguration c;
        QSignalSpy added(&c, &ZUConfiguration::objectAdded);
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        const int firstCount = added.count();
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        QCOMPARE(added.count(), 2 * firstCount);
        QCOMPARE(c.signalGroups().size(), 5);
        QCOMPARE(c.kmp1()->devices().size(), 3);
    }
};

PROJECT_TEST(TestZUConfigurationLoad);
#include "tst_zuconfigurationload.moc"
