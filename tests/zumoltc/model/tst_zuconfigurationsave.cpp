#include "ordinaryuser.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltfixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Saves c, loads the text into a new configuration and returns that one's text.
QByteArray reloaded(ZUConfiguration &c, ZUConfiguration &into)
{
    QString error;
    if (!into.fromJson(c.toJson(), &error))
        qWarning("reload failed: %s", qPrintable(error));
    return into.toJson();
}

// The last line of the text that holds key and a whole value, without its
// indentation.
QString lineOf(const QByteArray &text, const QString &key)
{
    QString found;
    for (const QByteArray &line : text.split('\n')) {
        const QString trimmed = QString::fromUtf8(line).trimmed();
        if (trimmed.startsWith(QLatin1Char('"') + key + QLatin1Char('"'))
            && !trimmed.endsWith(QLatin1Char('[')))
            found = trimmed;
    }
    return found;
}

// Every member name of the document with the names of the objects around it
// ("plans/algorithm/cycle"); array positions are left out.
QSet<QString> memberPaths(const QJsonValue &value, const QString &prefix = QString())
{
    QSet<QString> paths;
    if (value.isArray()) {
        for (const QJsonValue &item : value.toArray())
            paths += memberPaths(item, prefix);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString path = prefix + it.key();
            paths.insert(path);
            paths += memberPaths(it.value(), path + QLatin1Char('/'));
        }
    }
    return paths;
}

QSet<QString> memberPaths(const QByteArray &text)
{
    return memberPaths(QJsonDocument::fromJson(text).object());
}

ZUDayPlan *addDayPlan(ZUConfiguration &c, int id)
{
    auto *plan = new ZUDayPlan(id, QStringLiteral("Day %1").arg(id));
    c.addDayPlan(plan);
    return plan;
}

} // namespace

class TestZUConfigurationSave : public QObject
{
    Q_OBJECT
private slots:
    void emptyConfiguration()
    {
        const QByteArray expected("{\n    \"configVersion\": 1,\n    \"type\": \"ZU_MOLT\",\n    "
                                  "\"KMP1\": {\n\n    }\n}");
        ZUConfiguration c;
        QCOMPARE(c.toJson(), expected);
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        c.reset();
        QCOMPARE(c.toJson(), expected);
    }

    void completeFixture()
    {
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        QCOMPARE(QString::fromUtf8(c.toJson()),
                 QString::fromUtf8(
                     TestSupport::readFile(fixture(QStringLiteral("complete.saved.json")))));
    }

    void saveLoadSaveIsStable_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("complete") << QStringLiteral("complete.json");
        QTest::newRow("complete as saved") << QStringLiteral("complete.saved.json");
        QTest::newRow("alternate forms") << QStringLiteral("alternates.json");
        QTest::newRow("minimal") << QStringLiteral("minimal.json");
        QTest::newRow("week day whose plan has no id") << QStringLiteral("week-day-noid.json");
    }

    void saveLoadSaveIsStable()
    {
        QFETCH(QString, file);
        ZUConfiguration c;
        QVERIFY(c.load(fixture(file)));
        const QByteArray first = c.toJson();
        ZUConfiguration again;
        QCOMPARE(reloaded(c, again), first);
    }

    // Members the reader does not know are written back after the known ones, as
    // they stood; only keys of the format that other values make void are gone.
    void unknownMembersAreKept_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("voidKeys");
        QTest::newRow("at every level")
            << fixture(QStringLiteral("unknown-members.json"))
            << QStringList { QStringLiteral("LAN/lanIP"), QStringLiteral("stages/minTime"),
                             QStringLiteral("plans/algorithm/sequences/sequence/span") };
        QTest::newRow("plivek's sample")
            << TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json"))
            << QStringList();
    }

    void unknownMembersAreKept()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, voidKeys);
        const QByteArray original = TestSupport::readFile(file);
        ZUConfiguration c;
        QString error;
        QVERIFY2(c.fromJson(original, &error), qPrintable(error));
        const QByteArray first = c.toJson();

        QSet<QString> expected = memberPaths(original);
        for (const QString &key : voidKeys)
            QVERIFY2(expected.remove(key), qPrintable(key));
        const QSet<QString> saved = memberPaths(first);
        const QSet<QString> lost = expected - saved;
        QVERIFY2(lost.isEmpty(), qPrintable(QStringList(lost.values()).join(QLatin1String(", "))));
        QCOMPARE(saved - expected, QSet<QString>());

        ZUConfiguration again;
        QVERIFY(again.fromJson(first, &error));
        QCOMPARE(again.warnings(), c.warnings());
        QCOMPARE(again.toJson(), first);
    }

    void unknownMembersKeepTheirText()
    {
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("unknown-members.json"))));
        const QByteArray text = c.toJson();
        // After the known members, in the order of the file; numbers, escapes and
        // nesting as written.
        QVERIFY(
            text.contains("{\"name\": \"G1\", \"id\": 1, \"type\": \"traffic\", \"amberBlink\": 2, "
                          "\"interstate\": {\"yellow\": 1, \"list\": [1, 2.50, -0.0, 1e3]}}"));
        QVERIFY(text.endsWith("\n    },\n    \"vendorNote\": \"kept \\\"as\\\" written\\u0021\",\n"
                              "    \"extraMatrices\": [\n        {\n            \"cells\": [\n     "
                              "           [1, 3, 2.5]\n"
                              "            ]\n        }\n    ]\n}"));
        QVERIFY(text.contains("{\"allRed\": 3, \"mode\": 1}"));
        QVERIFY(text.contains(
            "{\"clearing\": 1, \"entering\": 2, \"time\": 4, \"source\": \"geometry\"}"));
        QVERIFY(text.contains("{\"state\": \"green\", \"point\": 0, \"flash\": false}"));
        QVERIFY(text.contains("{\"attempts\": 3, \"interval\": 60, \"log\": true}"));
    }

    void keptMembersNeverRepeatAKnownKey()
    {
        // Keys the reader passed over because other values made them void are not
        // kept: once the model writes them, they must stand only once.
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("unknown-members.json"))));
        c.networkParameters()->setLanMode(zu::staticIP);
        c.networkParameters()->setLanIP(QStringLiteral("10.0.0.1"));
        c.stages().first()->setMinTime(zu::NotSet);
        const QByteArray text = c.toJson();
        QCOMPARE(text.count("\"lanIP\""), 1);
        QVERIFY(text.contains("\"lanIP\": \"10.0.0.1\""));
        QCOMPARE(text.count("\"minTime\""), 0);
        QCOMPARE(text.count("\"span\""), 0);
        // A reset forgets them with everything else.
        c.reset();
        QVERIFY(!c.toJson().contains("vendorNote"));
    }

    void timesEqualToDefaultsComeBackNotSet()
    {
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        const ZUSignalGroup *main = c.signalGroups().at(0);
        QCOMPARE(main->extRed(), 1);
        QCOMPARE(c.switches().at(0)->lowCurrent(), 10);

        ZUConfiguration again;
        reloaded(c, again);
        const ZUSignalGroup *mainAgain = again.signalGroups().at(0);
        QCOMPARE(mainAgain->extRed(), zu::NotSet);
        QCOMPARE(mainAgain->minGreen(), 10);
        QCOMPARE(again.switches().at(0)->lowCurrent(), zu::NotSet);
        QCOMPARE(again.switches().at(0)->type(), zu::NotSet);
        QCOMPARE(again.switches().at(0)->upCurrent(), 250);
    }

    void weekDaysComeBackOnAllDays()
    {
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        QCOMPARE(c.weekPlans().at(1)->size(), 2);
        ZUConfiguration again;
        reloaded(c, again);
        const ZUWeekPlan *week = again.weekPlans().at(1);
        QCOMPARE(week->size(), 7);
        QCOMPARE(week->value(Qt::Monday), again.dayPlans().at(1)); // Sunday's plan, counting back
        QCOMPARE(week->value(Qt::Saturday), again.dayPlans().at(0)); // Wednesday's plan
    }

    void weekDayWithoutIdKeepsItsPlace()
    {
        // Monday's plan has no id: Monday is written as null, so that Tuesday's
        // plan does not move to Monday, and it reads back as a day without a plan.
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("week-day-noid.json"))));
        const QByteArray text = c.toJson();
        QCOMPARE(lineOf(text, QStringLiteral("days")),
                 QStringLiteral("\"days\": [null, 1, 1, 1, 1, 1, 1]"));
        ZUConfiguration again;
        QCOMPARE(reloaded(c, again), text);
        const ZUWeekPlan *week = again.weekPlans().at(0);
        QCOMPARE(week->size(), 7);
        QVERIFY(week->value(Qt::Monday).isNull());
        QCOMPARE(week->value(Qt::Tuesday), again.dayPlans().at(0));
        // Only the plan's own missing id is worth a warning, not the null day.
        QCOMPARE(again.warnings().filter(QStringLiteral("Object with")), QStringList());
    }

    void repeatedPhaseIdsAreGone()
    {
        ZUConfiguration c;
        auto *stage = new ZUStage;
        stage->setId(1);
        c.addStage(stage);
        auto *plan = new ZUSignalPlan;
        plan->setId(1);
        plan->setType(zu::StageRing);
        plan->addPhase(1, stage, 30, 10, zu::none);
        plan->addPhase(2, stage, 30, 12, zu::none);
        plan->addPhase(1, stage, 99, 99, zu::max);
        c.addSignalPlan(plan);

        const QByteArray text = c.toJson();
        QCOMPARE(text.count("\"minGreen\": 99"), 0);
        QCOMPARE(lineOf(text, QStringLiteral("sequence")),
                 QStringLiteral("\"sequence\": [1, 2, 1]"));

        ZUConfiguration again;
        QCOMPARE(reloaded(c, again), text);
        const QList<QPointer<ZUSignalPlanPhase>> phases = again.signalPlans().at(0)->phases();
        QCOMPARE(QSet<ZUSignalPlanPhase *>(phases.cbegin(), phases.cend()).size(), 2);
        for (const QPointer<ZUSignalPlanPhase> &phase : phases)
            QVERIFY(phase->minGreen() != 99);
    }

    void detectorIntervalsWithoutDetectorsAreGone()
    {
        ZUConfiguration c;
        c.detectorIntervals()->logInterval = 60;
        QVERIFY(!c.toJson().contains("logInterval"));
        ZUConfiguration again;
        reloaded(c, again);
        QCOMPARE(again.detectorIntervals()->logInterval, zu::NotSet);

        c.addDetector(new ZUDetector);
        QVERIFY(c.toJson().contains("\"logInterval\": 60"));
    }

    void weekExpansion_data()
    {
        QTest::addColumn<QList<int>>("assigned"); // weekdays, Monday = 1; day plan d has id 10 + d
        QTest::addColumn<QString>("days");

        QTest::newRow("only Wednesday")
            << QList<int> { 3 } << QStringLiteral("[13, 13, 13, 13, 13, 13, 13]");
        QTest::newRow("only Sunday")
            << QList<int> { 7 } << QStringLiteral("[17, 17, 17, 17, 17, 17, 17]");
        QTest::newRow("Tuesday and Friday")
            << QList<int> { 2, 5 } << QStringLiteral("[15, 12, 12, 12, 15, 15, 15]");
        QTest::newRow("Monday and Saturday")
            << QList<int> { 1, 6 } << QStringLiteral("[11, 11, 11, 11, 11, 16, 16]");
        QTest::newRow("every day")
            << QList<int> { 1, 2, 3, 4, 5, 6, 7 } << QStringLiteral("[11, 12, 13, 14, 15, 16, 17]");
        QTest::newRow("no day") << QList<int> {} << QString();
    }

    void weekExpansion()
    {
        QFETCH(QList<int>, assigned);
        QFETCH(QString, days);

        ZUConfiguration c;
        QList<ZUDayPlan *> plans;
        for (int day = 1; day <= 7; ++day)
            plans << addDayPlan(c, 10 + day);
        auto *week = new ZUWeekPlan(1, QStringLiteral("W"));
        for (int day : assigned)
            week->insert(Qt::DayOfWeek(day), plans.at(day - 1));
        c.addWeekPlan(week);

        const QString line = lineOf(c.toJson(), QStringLiteral("days"));
        QCOMPARE(line, days.isEmpty() ? QString() : QStringLiteral("\"days\": ") + days);
    }

    void deadReferencesAreLeftOutButStageIdKeepsItsPlace()
    {
        ZUConfiguration c;
        QList<ZUStage *> stages;
        for (int id = 1; id <= 3; ++id) {
            auto *stage = new ZUStage;
            stage->setId(id);
            c.addStage(stage);
            stages << stage;
        }
        auto *group = new ZUSignalGroup;
        group->setId(7);
        c.addSignalGroup(group);
        auto *sw = new ZUSwitch;
        sw->setId(1);
        sw->setSignalGroup(group);
        c.addSwitch(sw);
        ZUVPU *vpu = c.vpu();
        vpu->setType(zu::passive);
        for (ZUStage *stage : stages)
            vpu->addStage(stage);

        QVERIFY(c.toJson().contains("{\"id\": 1, \"signalGroup\": 7}"));
        delete stages.at(1);
        delete group;
        const QByteArray text = c.toJson();
        QCOMPARE(lineOf(text, QStringLiteral("stageId")),
                 QStringLiteral("\"stageId\": [1, null, 3]"));
        QVERIFY(text.contains("{\"id\": 1}"));

        ZUConfiguration again;
        QCOMPARE(reloaded(c, again), text);
        QCOMPARE(again.vpu()->stages().size(), 3);
        QVERIFY(again.vpu()->stages().at(1).isNull());
    }

    // Removing an object takes along whatever cannot stand without it, so what is
    // saved afterwards loads again without a warning and saves to the same text.
    void removalSavesAFileThatLoadsCleanly_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("id");
        QTest::addColumn<QByteArray>("gone"); // a line of the first save the removal takes out

        QTest::newRow("stage a stage-ring plan runs")
            << "ZUStage" << 1 << QByteArray("\"sequence\": [1, 3, 2]");
        QTest::newRow("stage of a step that a condition names and calls itself")
            << "ZUStage" << 2 << QByteArray("\"phase\": 2,");
        QTest::newRow("stage of the last step") << "ZUStage" << 3 << QByteArray("\"call\": 1,");
        QTest::newRow("signal group a stage and a timeline plan use")
            << "ZUSignalGroup" << 1 << QByteArray("\"group\": 1,");
        QTest::newRow("signal group of the matrix, a switch and a countdown board")
            << "ZUSignalGroup" << 3 << QByteArray("\"clearing\": 3,");
        QTest::newRow("detector a plan condition names")
            << "ZUDetector" << 1 << QByteArray("\"detector\": 1");
        QTest::newRow("detector a plan condition shows")
            << "ZUDetector" << 2 << QByteArray("\"indicator\": 2");
        QTest::newRow("stage-ring plan the scheduler runs")
            << "ZUSignalPlan" << 1 << QByteArray("\"program\": 1,");
        QTest::newRow("day plan of the weeks and the scheduler's default")
            << "ZUDayPlan" << 1 << QByteArray("\"dayPlan\": 1");
    }

    void removalSavesAFileThatLoadsCleanly()
    {
        QFETCH(QString, className);
        QFETCH(int, id);
        QFETCH(QByteArray, gone);

        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        QCOMPARE(c.warnings(), QStringList());
        QVERIFY(c.toJson().contains(gone));
        ZUBaseObject *removed = nullptr;
        for (ZUBaseObject *object : c.findChildren<ZUBaseObject *>()) {
            if (QLatin1String(object->metaObject()->className()) == className && object->id() == id)
                removed = object;
        }
        QVERIFY(removed);
        delete removed;

        const QByteArray text = c.toJson();
        QVERIFY(!text.contains(gone));
        ZUConfiguration again;
        QString error;
        QVERIFY2(again.fromJson(text, &error), qPrintable(error));
        QCOMPARE(again.warnings().join(QLatin1Char('\n')), QString());
        QCOMPARE(again.toJson(), text);
    }

    void switchControlSurvivesBesideDefault_data()
    {
        QTest::addColumn<bool>("defaultControl");
        QTest::addColumn<bool>("control");

        QTest::newRow("both on") << true << true;
        QTest::newRow("default on, switch off") << true << false;
        QTest::newRow("default off, switch on") << false << true;
    }

    void switchControlSurvivesBesideDefault()
    {
        QFETCH(bool, defaultControl);
        QFETCH(bool, control);

        ZUConfiguration c;
        c.switchDefaults()->setControl(defaultControl);
        c.switchDefaults()->setUpCurrent(200);
        auto *sw = new ZUSwitch;
        sw->setId(1);
        sw->setControl(control);
        c.addSwitch(sw);

        ZUConfiguration again;
        reloaded(c, again);
        QCOMPARE(again.switches().size(), 1);
        QCOMPARE(again.switches().at(0)->control(), control);
        QCOMPARE(again.switchDefaults()->control(), defaultControl);
    }

    void schedulerWithoutDayPlans_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("week plan") << QStringLiteral("week");
        QTest::newRow("extra period") << QStringLiteral("period");
        QTest::newRow("extra day") << QStringLiteral("day");
    }

    void schedulerWithoutDayPlans()
    {
        QFETCH(QString, kind);

        ZUConfiguration c;
        if (kind == QLatin1String("week")) {
            c.addWeekPlan(new ZUWeekPlan(1, QStringLiteral("W")));
        } else if (kind == QLatin1String("period")) {
            auto *period = new ZUExtraPeriod;
            period->setId(1);
            period->setStart(ZUDayMonth(1, 6));
            c.addExtraPeriod(period);
        } else {
            auto *day = new ZUExtraDay;
            day->setId(1);
            day->setDate(ZUDayMonth(1, 1));
            c.addExtraDay(day);
        }
        QVERIFY(c.toJson().contains("\"scheduler\""));

        ZUConfiguration again;
        reloaded(c, again);
        QCOMPARE(again.weekPlans().size(), c.weekPlans().size());
        QCOMPARE(again.extraPeriods().size(), c.extraPeriods().size());
        QCOMPARE(again.extraDays().size(), c.extraDays().size());
    }

    // Countdown boards and DIO modules are in use before their first board or
    // channel exists; they are written with an empty list and read back whole.
    void devicesInUseWithoutRecordsReadBack_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("line");
        QTest::newRow("countdown boards")
            << QStringLiteral("boards") << QStringLiteral("\"items\": [");
        QTest::newRow("DIO module") << QStringLiteral("dio") << QStringLiteral("\"channels\": [");
    }

    void devicesInUseWithoutRecordsReadBack()
    {
        QFETCH(QString, kind);
        QFETCH(QString, line);

        ZUConfiguration c;
        c.setId(1);
        if (kind == QLatin1String("boards")) {
            c.countdownBoards()->setProtocol(zu::V2);
            c.countdownBoards()->setWarnTime(7);
        } else {
            c.dios().at(1)->setType(zu::DIO::traficamSimple);
            c.dios().at(1)->setCommon(zu::negative);
        }
        const QByteArray text = c.toJson();
        QVERIFY(text.contains(line.toUtf8()));

        ZUConfiguration again;
        QCOMPARE(reloaded(c, again), text);
        QCOMPARE(again.warnings(), QStringList());
        QCOMPARE(again.countdownBoards()->protocol(), c.countdownBoards()->protocol());
        QCOMPARE(again.countdownBoards()->warnTime(), c.countdownBoards()->warnTime());
        QVERIFY(again.countdownBoards()->boards().isEmpty());
        QCOMPARE(again.dios().at(1)->type(), c.dios().at(1)->type());
        QCOMPARE(again.dios().at(1)->common(), c.dios().at(1)->common());
        QVERIFY(again.dios().at(1)->channels().isEmpty());
    }

    void recoveryRecordsUnderTheirKeys()
    {
        // Every record i has attempts i + 1 and interval 10 * (i + 1); the last has
        // a filter, and one with attempts alone is not written at all.
        ZUConfiguration c;
        ZURecoveryParameters::Errors &errors = c.recoveryParameters()->errors();
        for (int i = 0; i < int(errors.size()); ++i) {
            errors[size_t(i)].attempts = i + 1;
            errors[size_t(i)].interval = 10 * (i + 1);
        }
        errors[11].filter = 3;
        errors[4].interval = zu::NotSet;
        const QByteArray expected
            = "    \"recovery\": {\n"
              "        \"errors\": {\n"
              "            \"redError\": {\"attempts\": 1, \"interval\": 10},\n"
              "            \"greenError\": {\"attempts\": 2, \"interval\": 20},\n"
              "            \"mnswProtect\": {\"attempts\": 3, \"interval\": 30},\n"
              "            \"mnswBad\": {\"attempts\": 4, \"interval\": 40},\n"
              "            \"parasitePower/swShort\": {\"attempts\": 6, \"interval\": 60},\n"
              "            \"swBreak\": {\"attempts\": 7, \"interval\": 70},\n"
              "            \"swShort\": {\"attempts\": 8, \"interval\": 80},\n"
              "            \"noLoad\": {\"attempts\": 9, \"interval\": 90},\n"
              "            \"parasitePower\": {\"attempts\": 10, \"interval\": 100},\n"
              "            \"curentLimit\": {\"attempts\": 11, \"interval\": 110},\n"
              "            \"shortCurent\": {\"attempts\": 12, \"interval\": 120, \"filter\": 3}\n"
              "        }\n"
              "    }\n"
              "}";
        const QByteArray text = c.toJson();
        QVERIFY2(text.endsWith(expected), text.constData());

        // Reading puts each record back in its place; the one not written is unset.
        ZUConfiguration again;
        QCOMPARE(reloaded(c, again), text);
        const ZURecoveryParameters::Errors &read = again.recoveryParameters()->errors();
        for (int i = 0; i < int(read.size()); ++i) {
            QCOMPARE(read[size_t(i)].attempts, i == 4 ? zu::NotSet : i + 1);
            QCOMPARE(read[size_t(i)].interval, i == 4 ? zu::NotSet : 10 * (i + 1));
        }
        QCOMPARE(read[11].filter, 3);
    }

    void textsAreWrittenSoTheyLoadAgain()
    {
        ZUConfiguration c;
        c.setName(QString::fromUtf8("\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB5\xD0\xBA\xD1\x80\xD1\x91\xD1"
                                    "\x81\xD1\x82\xD0\xBE\xD0\xBA"));
        c.setDescription(QStringLiteral("Say \"hi\"\\\tC:\\dir\\"));
        const QByteArray text = c.toJson();
        QVERIFY(text.contains("\"name\": "
                              "\"\xD0\x9F\xD0\xB5\xD1\x80\xD0\xB5\xD0\xBA\xD1\x80\xD1\x91\xD1\x81"
                              "\xD1\x82\xD0\xBE\xD0\xBA\""));
        QVERIFY(text.contains("\"description\": \"Say \\\"hi\\\"\\\\\\u0009C:\\\\dir\\\\\""));

        ZUConfiguration again;
        QString error;
        QVERIFY2(again.fromJson(text, &error), qPrintable(error));
        QCOMPARE(again.name(), c.name());
        QCOMPARE(again.toJson(), text);
    }

    void savesTheText()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fileName = dir.filePath(QStringLiteral("c.json"));
        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        QString error = QStringLiteral("untouched");
        QVERIFY(c.save(fileName, &error));
        QCOMPARE(TestSupport::readFile(fileName), c.toJson());
        // Saving again replaces the file; no backup copy is made here.
        c.setName(QStringLiteral("Renamed"));
        QVERIFY(c.save(fileName, &error));
        QCOMPARE(TestSupport::readFile(fileName), c.toJson());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("c.json") });
    }

    void failedSaveLeavesTheFile()
    {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("c.json"));
        QVERIFY(TestSupport::writeFile(fileName, "old content"));
        QVERIFY(QFile::setPermissions(fileName, QFile::ReadOwner));

        bool ran = false;
        const QString error = QString::fromUtf8(TestSupport::runAsOrdinaryUser(
            [&fileName] {
                ZUConfiguration c;
                QString error;
                return c.save(fileName, &error) ? QByteArray() : error.toUtf8();
            },
            { dir.path(), fileName }, &ran));
        QVERIFY(ran);
        QVERIFY2(!error.isEmpty(), "saving over a read-only file fails");
        QVERIFY(!error.startsWith(QLatin1String("Error opening for write")));
        QCOMPARE(TestSupport::readFile(fileName), QByteArray("old content"));
    }

    void writableFileInAFolderClosedToNewFiles_data()
    {
        QTest::addColumn<int>("sizeLimit"); // bytes the process may write to a file; 0: no limit

        QTest::newRow("whole text") << 0;
        QTest::newRow("write fails part way") << 256;
    }

    void writableFileInAFolderClosedToNewFiles()
    {
        // No temporary file can be made beside the file: the save is refused, also
        // when it would have fitted, and the file is never written in place, where
        // a write that fails would leave it cut.
        QFETCH(int, sizeLimit);

        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("closed"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("closed")));
        const QString fileName = folder + QStringLiteral("/c.json");
        QVERIFY(TestSupport::writeFile(fileName, "old content"));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        bool ran = false;
        const QByteArray result = TestSupport::runAsOrdinaryUser(
            [&c, &fileName, sizeLimit] {
                rlimit previous;
                getrlimit(RLIMIT_FSIZE, &previous);
                rlimit limited = previous;
                if (sizeLimit > 0)
                    limited.rlim_cur = rlim_t(sizeLimit);
                const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
                setrlimit(RLIMIT_FSIZE, &limited);
                QString error;
                const bool saved = c.save(fileName, &error);
                setrlimit(RLIMIT_FSIZE, &previous);
                std::signal(SIGXFSZ, previousHandler);
                return saved ? QByteArray("saved") : error.toUtf8();
            },
            { dir.path(), folder, fileName }, &ran);
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(ran);
        QCOMPARE(
            QString::fromUtf8(result),
            QStringLiteral("Cannot save %1: the folder does not allow new files").arg(fileName));
        QCOMPARE(TestSupport::readFile(fileName), QByteArray("old content"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList { QStringLiteral("c.json") });
    }

    void failedWriteLeavesTheFile()
    {
        // A file size limit makes the write fail part way, for any user: the old
        // file must stay whole, and no partial file may be left beside it.
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("c.json"));
        QVERIFY(TestSupport::writeFile(fileName, "old content"));

        ZUConfiguration c;
        QVERIFY(c.load(fixture(QStringLiteral("complete.json"))));
        rlimit previous;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit limited = previous;
        limited.rlim_cur = 256;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        QString error;
        const bool saved = c.save(fileName, &error);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QVERIFY(!error.startsWith(QLatin1String("Error writing to file")));
        QCOMPARE(TestSupport::readFile(fileName), QByteArray("old content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("c.json") });
    }

    void unwritableTargets()
    {
        // Whoever runs the test: a missing folder, and a folder in place of the file.
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        ZUConfiguration c;
        for (const QString &name : { QStringLiteral("missing/c.json"), QStringLiteral("folder") }) {
            QString error;
            QVERIFY2(!c.save(dir.filePath(name), &error), qPrintable(name));
            // The system's reason behind the file it is about.
            const QString prefix = QStringLiteral("Cannot write %1: ").arg(dir.filePath(name));
            QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
        }
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList { QStringLiteral("folder") });
    }
};

PROJECT_TEST(TestZUConfigurationSave);
#include "tst_zuconfigurationsave.moc"
