#include "logcapture.h"
#include "testmain.h"
#include "tlc/qtlc.h"
#include "tlcfixture.h"

#include <QSettings>
#include <QtTest>

#include <stdexcept>

using namespace TlcFixture;

namespace {

// Programs of the test configuration, by number.
enum Plan {
    FixedPlan = 1,
    CoordinatedPlan = 2,
    SequencePlan = 3,
    RingPlan = 4,
    TimelinePlan = 5,
    BlinkPlan = 6,
    DarkPlan = 7,
    ScriptPlan = 8,
    MultiRingPlan = 9,
    CrosswalkPlan = 10
};

QByteArray crossingBytes()
{
    CnfController c;
    fillCrossing(c);
    addFixedTime(c, QString::number(FixedPlan));
    addFixedTime(c, QString::number(CoordinatedPlan), CnfProgram::Coordinated)->setCycleOffset(20);
    addProgram(c, QString::number(SequencePlan), QString(), CnfProgram::Sequence)
        ->setProperty("sequence", QVariantList { 1, 2 });
    addStageRing(c, QString::number(RingPlan));
    CnfProgramPtr timeline
        = addProgram(c, QString::number(TimelinePlan), QString(), CnfProgram::Timeline);
    timeline->cycleLength = 60;
    timeline->setTimelineData(1, 0, CnfSignalGroup::Green);
    timeline->setTimelineData(1, 30, CnfSignalGroup::GreenBlink);
    timeline->setTimelineData(1, 33, CnfSignalGroup::Yellow);
    timeline->setTimelineData(1, 36, CnfSignalGroup::Red);
    timeline->setTimelineData(2, 0, CnfSignalGroup::Red);
    timeline->setTimelineData(2, 38, CnfSignalGroup::RedYellow);
    timeline->setTimelineData(2, 40, CnfSignalGroup::Green);
    addProgram(c, QString::number(BlinkPlan), QString(), CnfProgram::YellowFlash);
    addProgram(c, QString::number(DarkPlan), QString(), CnfProgram::Dark);
    addProgram(c, QString::number(ScriptPlan), QString(), CnfProgram::Script)
        ->setProperty("script", QStringLiteral("extra"));
    addProgram(c, QString::number(MultiRingPlan), QString(), CnfProgram::MultiRing)
        ->setProperty("pattern", 1);
    addProgram(c, QString::number(CrosswalkPlan), QString(), CnfProgram::Pedestrian)
        ->setProperty("crosswalks",
                      QVariantList { map({ { QStringLiteral("groups"), QVariantList { 1 } },
                                           { QStringLiteral("pedestrians"),
                                             QVariantList { QStringLiteral("Walk") } },
                                           { QStringLiteral("minGreen"), 10 },
                                           { QStringLiteral("pedestrianGreen"), 6 },
                                           { QStringLiteral("sensors"), QVariantList { 1 } } }) });
    const QByteArray bytes = save(c);
    Q_ASSERT(!bytes.isEmpty());
    return bytes;
}

// The state after each step, as the emulation run samples it.
struct Sample
{
    QVector<int> primitives;
    int stage = 0; // 0: no stage
    bool established = false;
};

// Events as "d1@9000/1000 s1@12000/500": detector or sensor, id, time and
// duration in ms. Each is sent after the step that ends at its time.
using Events = QString;

QVector<Sample> run(QTlc &tlc, int plan, const QTime &startTime, int seconds,
                    const Events &events = Events(), const QDate &day = QDate(2026, 12, 7))
{
    tlc.setDate(QDateTime(day, startTime));
    tlc.start();
    tlc.setPlan(QVariant(plan));
    QMultiMap<qint64, QString> byTime;
    for (const QString &event : events.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        byTime.insert(
            event.section(QLatin1Char('@'), 1).section(QLatin1Char('/'), 0, 0).toLongLong(), event);
    QVector<Sample> samples;
    for (qint64 t = 0;; t += 100) {
        Sample sample;
        for (QTlcSignalGroup *group : tlc.signalGroups())
            sample.primitives.append(group->primitive());
        if (QTlcStage *stage = tlc.currentStage()) {
            sample.stage = stage->number();
            sample.established = stage->isEstablished();
        }
        samples.append(sample);
        if (t >= seconds * 1000)
            break;
        for (const QString &event : byTime.values(t)) {
            const int id = event.mid(1).section(QLatin1Char('@'), 0, 0).toInt();
            const qint64 ms = event.section(QLatin1Char('/'), 1).toLongLong();
            QObject *target = event.startsWith(QLatin1Char('d'))
                ? static_cast<QObject *>(tlc.detectors()[id])
                : static_cast<QObject *>(tlc.sensors()[id]);
            const char *method = event.startsWith(QLatin1Char('d')) ? "emulateTransit" : "call";
            if (target)
                QMetaObject::invokeMethod(target, method, Qt::AutoConnection, Q_ARG(qint64, ms));
        }
        tlc.step(t + 100);
    }
    return samples;
}

QVector<Sample> run(int plan, const QTime &startTime, int seconds, const Events &events = Events())
{
    QTlc tlc;
    QString error;
    if (!tlc.fromJson(crossingBytes(), &error))
        qFatal("%s", qPrintable(error));
    return run(tlc, plan, startTime, seconds, events);
}

// Stage changes as "ms:stage+" (established) or "ms:stage-" (not yet).
QString stageTrace(const QVector<Sample> &samples)
{
    QStringList changes;
    for (int i = 0; i < samples.size(); ++i) {
        const Sample &s = samples.at(i);
        if (i > 0 && s.stage == samples.at(i - 1).stage
            && s.established == samples.at(i - 1).established)
            continue;
        changes << QStringLiteral("%1:%2%3").arg(i * 100).arg(s.stage).arg(
            s.stage ? (s.established ? "+" : "-") : "");
    }
    return changes.join(QLatin1Char(' '));
}

QString fullTrace(const QVector<Sample> &samples)
{
    QStringList lines;
    for (const Sample &s : samples) {
        QStringList states;
        for (int p : s.primitives)
            states << QString::number(p);
        lines << states.join(QLatin1Char(','))
                + QStringLiteral(" %1%2").arg(s.stage).arg(s.established);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

// The emulator's model: group states and stages of every emulated program
// type, errors of loading and plan selection, and determinism.
class TestTlc : public QObject
{
    Q_OBJECT
private slots:
    void primitives_data()
    {
        QTest::addColumn<int>("plan");
        QTest::addColumn<QTime>("start");
        QTest::addColumn<Events>("events");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("primitive");
        const QTime midnight(0, 0);
        auto row = [&](const char *name, int plan, int group, int ms,
                       QTlcSignalGroup::Primitive primitive, const QTime &start = QTime(0, 0),
                       const Events &events = Events()) {
            QTest::newRow(name) << plan << start << events << group << ms << int(primitive);
        };
        // Fixed time: Main 0-30 s, change into Side at 30 s, back at 60 s.
        row("main green at start", FixedPlan, 1, 0, QTlcSignalGroup::Green);
        row("side red at start", FixedPlan, 2, 0, QTlcSignalGroup::Red);
        row("main green to the change", FixedPlan, 1, 29900, QTlcSignalGroup::Green);
        row("main blinks green", FixedPlan, 1, 30000, QTlcSignalGroup::GreenBlink);
        row("main amber", FixedPlan, 1, 33000, QTlcSignalGroup::Yellow);
        row("main red", FixedPlan, 1, 36000, QTlcSignalGroup::Red);
        row("side red before red-amber", FixedPlan, 2, 35900, QTlcSignalGroup::Red);
        row("side red-amber", FixedPlan, 2, 36000, QTlcSignalGroup::RedYellow);
        row("side green after intergreen 8 s", FixedPlan, 2, 38000, QTlcSignalGroup::Green);
        row("walk waits for intergreen 5 s", FixedPlan, 3, 34900, QTlcSignalGroup::Red);
        row("walk green without red-amber", FixedPlan, 3, 35000, QTlcSignalGroup::Green);
        row("walk blinks green", FixedPlan, 3, 62900, QTlcSignalGroup::GreenBlink);
        row("walk red without amber", FixedPlan, 3, 63000, QTlcSignalGroup::Red);
        row("main waits for the walk's intergreen", FixedPlan, 1, 66900, QTlcSignalGroup::Red);
        row("main red-amber", FixedPlan, 1, 67000, QTlcSignalGroup::RedYellow);
        row("main green again", FixedPlan, 1, 69000, QTlcSignalGroup::Green);
        // Offset 20 s: at 00:00 the cycle stands at 40 s (Side), at 00:00:20 at 0 s.
        row("offset, 00:00: side at start", CoordinatedPlan, 2, 0, QTlcSignalGroup::Green);
        row("offset, 00:00: side leaves at 20 s", CoordinatedPlan, 2, 20000,
            QTlcSignalGroup::GreenBlink);
        row("offset, 00:00: main green at 29 s", CoordinatedPlan, 1, 29000, QTlcSignalGroup::Green);
        row("offset, 00:00:20: main at start", CoordinatedPlan, 1, 0, QTlcSignalGroup::Green,
            QTime(0, 0, 20));
        row("offset, 00:00:20: main leaves at 30 s", CoordinatedPlan, 1, 30000,
            QTlcSignalGroup::GreenBlink, QTime(0, 0, 20));
        // Timeline states at their points; the last one holds to the cycle's end.
        row("timeline green", TimelinePlan, 1, 29900, QTlcSignalGroup::Green);
        row("timeline green blink", TimelinePlan, 1, 30000, QTlcSignalGroup::GreenBlink);
        row("timeline amber", TimelinePlan, 1, 33000, QTlcSignalGroup::Yellow);
        row("timeline red", TimelinePlan, 1, 59900, QTlcSignalGroup::Red);
        row("timeline red-amber", TimelinePlan, 2, 38000, QTlcSignalGroup::RedYellow);
        row("timeline green to the end", TimelinePlan, 2, 59900, QTlcSignalGroup::Green);
        row("timeline wraps", TimelinePlan, 2, 60000, QTlcSignalGroup::Red);
        row("timeline without points is red", TimelinePlan, 3, 10000, QTlcSignalGroup::Red);
        row("yellow flashing", BlinkPlan, 2, 5000, QTlcSignalGroup::AmberBlink);
        row("dark", DarkPlan, 1, 5000, QTlcSignalGroup::Off);
        // Crosswalk: a call at 3 s; the pedestrians come after the vehicles' 10 s.
        const Events button = QStringLiteral("s1@3000/500");
        row("crosswalk: vehicles green", CrosswalkPlan, 1, 9900, QTlcSignalGroup::Green, midnight,
            button);
        row("crosswalk: others red", CrosswalkPlan, 2, 9900, QTlcSignalGroup::Red, midnight,
            button);
        row("crosswalk: vehicles leave", CrosswalkPlan, 1, 10000, QTlcSignalGroup::GreenBlink,
            midnight, button);
        row("crosswalk: walk after intergreen", CrosswalkPlan, 3, 15000, QTlcSignalGroup::Green,
            midnight, button);
        row("crosswalk: walk for 6 s", CrosswalkPlan, 3, 21000, QTlcSignalGroup::GreenBlink,
            midnight, button);
        row("crosswalk: vehicles back", CrosswalkPlan, 1, 30000, QTlcSignalGroup::Green, midnight,
            button);
        row("crosswalk: no call, no walk", CrosswalkPlan, 3, 30000, QTlcSignalGroup::Red);
    }

    void primitives()
    {
        QFETCH(int, plan);
        QFETCH(QTime, start);
        QFETCH(Events, events);
        QFETCH(int, group);
        QFETCH(int, ms);
        QFETCH(int, primitive);
        const QVector<Sample> samples = run(plan, start, ms / 1000 + 1, events);
        QCOMPARE(samples.at(ms / 100).primitives.at(group - 1), primitive);
    }

    void stages_data()
    {
        QTest::addColumn<int>("plan");
        QTest::addColumn<QTime>("start");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<Events>("events");
        QTest::addColumn<QString>("expected");
        const QTime midnight(0, 0);
        QTest::newRow("fixed time") << int(FixedPlan) << midnight << 100 << Events()
                                    << "0:1+ 30000:2- 38000:2+ 60000:1- 69000:1+ 90000:2- 98000:2+";
        QTest::newRow("offset, 00:00") << int(CoordinatedPlan) << midnight << 60 << Events()
                                       << "0:2+ 20000:1- 29000:1+ 50000:2- 58000:2+";
        QTest::newRow("offset, 00:00:20") << int(CoordinatedPlan) << QTime(0, 0, 20) << 59
                                          << Events() << "0:1+ 30000:2- 38000:2+";
        // Minimum time plus the change: 10 + 9 s, then 10 s (unset) + 8 s.
        QTest::newRow("sequence") << int(SequencePlan) << midnight << 50 << Events()
                                  << "0:1+ 19000:2- 27000:2+ 37000:1- 46000:1+";
        QTest::newRow("ring, step 3 skipped")
            << int(RingPlan) << midnight << 60 << Events()
            << "0:1+ 10000:2- 18000:2+ 26000:1- 35000:1+ 45000:2- 53000:2+";
        QTest::newRow("ring, early transit")
            << int(RingPlan) << midnight << 20 << Events(QStringLiteral("d1@5000/1000"))
            << "0:1+ 10000:2- 18000:2+";
        QTest::newRow("ring, transit extends")
            << int(RingPlan) << midnight << 30 << Events(QStringLiteral("d1@9000/1000"))
            << "0:1+ 13000:2- 21000:2+ 29000:1-";
        QTest::newRow("ring, up to max green")
            << int(RingPlan) << midnight << 50
            << Events(QStringLiteral("d1@9000/1000 d1@12000/1000 d1@15000/1000 d1@18000/1000"))
            << "0:1+ 20000:2- 28000:2+ 36000:1- 45000:1+";
        QTest::newRow("ring, transit on another step")
            << int(RingPlan) << midnight << 30 << Events(QStringLiteral("d1@20000/1000"))
            << "0:1+ 10000:2- 18000:2+ 26000:1-";
        QTest::newRow("ring, call brings step 3")
            << int(RingPlan) << midnight << 50 << Events(QStringLiteral("s1@12000/500"))
            << "0:1+ 10000:2- 18000:2+ 26000:3- 32000:3+ 37000:1- 46000:1+";
        QTest::newRow("timeline has no stage")
            << int(TimelinePlan) << midnight << 60 << Events() << "0:0";
        QTest::newRow("flashing has no stage")
            << int(BlinkPlan) << midnight << 10 << Events() << "0:0";
    }

    void stages()
    {
        QFETCH(int, plan);
        QFETCH(QTime, start);
        QFETCH(int, seconds);
        QFETCH(Events, events);
        QFETCH(QString, expected);
        QCOMPARE(stageTrace(run(plan, start, seconds, events)), expected);
    }

    void laterPlanTakesOverThroughAChange()
    {
        QTlc tlc;
        QVERIFY(tlc.fromJson(crossingBytes(), nullptr));
        tlc.start();
        tlc.step(5000);
        for (QTlcSignalGroup *group : tlc.signalGroups())
            QCOMPARE(group->primitive(), QTlcSignalGroup::AmberBlink);
        QVERIFY(!tlc.currentStage());
        tlc.setPlan(FixedPlan);
        QCOMPARE(tlc.currentStage()->number(), 1);
        QVERIFY(!tlc.currentStage()->isEstablished());
        QCOMPARE(tlc.signalGroups().at(0)->primitive(), QTlcSignalGroup::RedYellow);
        QCOMPARE(tlc.signalGroups().at(1)->primitive(), QTlcSignalGroup::Red);
        tlc.step(6900);
        QVERIFY(!tlc.currentStage()->isEstablished());
        tlc.step(7000);
        QVERIFY(tlc.currentStage()->isEstablished());
        QCOMPARE(tlc.signalGroups().at(0)->primitive(), QTlcSignalGroup::Green);
    }

    void refusedPlans_data()
    {
        QTest::addColumn<QVariant>("plan");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown number") << QVariant(99) << "ERROR tlc:plan: plan 99 does not exist";
        QTest::newRow("script") << QVariant(int(ScriptPlan))
                                << "ERROR tlc:plan: plan 8: Script (type 7) is not emulated";
        QTest::newRow("multi-ring")
            << QVariant(int(MultiRingPlan))
            << "ERROR tlc:plan: plan 9: Multi-ring (type 6) is not emulated";
    }

    void refusedPlans()
    {
        QFETCH(QVariant, plan);
        QFETCH(QString, error);
        QTlc tlc;
        QVERIFY(tlc.fromJson(crossingBytes(), nullptr));
        tlc.start();
        LogCapture log;
        QVERIFY_EXCEPTION_THROWN(tlc.setPlan(plan), std::invalid_argument);
        QCOMPARE(log.linesOf(QStringLiteral("ERROR")), QStringList { error });
        tlc.step(3000);
        for (QTlcSignalGroup *group : tlc.signalGroups())
            QCOMPARE(group->primitive(), QTlcSignalGroup::AmberBlink);
        QVERIFY(!tlc.currentStage());

        // A refused plan leaves a running one in force.
        tlc.setPlan(FixedPlan);
        QVERIFY_EXCEPTION_THROWN(tlc.setPlan(plan), std::invalid_argument);
        tlc.step(5000);
        QCOMPARE(tlc.currentStage()->number(), 1);
        QVERIFY(tlc.currentStage()->isEstablished());
        QCOMPARE(tlc.signalGroups().at(0)->primitive(), QTlcSignalGroup::Green);
    }

    void loading()
    {
        QTlc tlc;
        QString error;
        QVERIFY(!tlc.fromJson(
            QByteArray("{\"controller\": {\"type\": \"tiverkii\"},\n\"signalGroups\": [{\"id\": "),
            &error));
        QVERIFY2(error.startsWith(QStringLiteral("Line 2")), qPrintable(error));
        QVERIFY(!tlc.fromJson(QByteArray(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!tlc.start());
        QVERIFY_EXCEPTION_THROWN(tlc.setPlan(1), std::invalid_argument);

        QVERIFY2(tlc.fromJson(crossingBytes(), &error), qPrintable(error));
        QVERIFY(error.isEmpty());
        QCOMPARE(tlc.signalGroups().size(), 3);
        QCOMPARE(tlc.signalGroups().at(2)->objectName(), QStringLiteral("Walk"));
        QCOMPARE(tlc.signalGroups().at(2)->number(), 3);
        // A failed load keeps the description loaded before.
        QVERIFY(!tlc.fromJson(QByteArray("[]"), &error));
        QCOMPARE(tlc.signalGroups().size(), 3);

        // No signal groups is no error.
        CnfController empty;
        empty.setProperty("type", QStringLiteral("tiverkii"));
        QVERIFY2(tlc.fromJson(save(empty), &error), qPrintable(error));
        QVERIFY(tlc.signalGroups().isEmpty());
        QVERIFY(tlc.start());
    }

    void lookupsAndClock()
    {
        QTlc tlc;
        QVERIFY(tlc.fromJson(crossingBytes(), nullptr));
        tlc.start();
        LogCapture log;
        QVERIFY(!tlc.detectors()[99]);
        QVERIFY(!tlc.sensors()[2]);
        QCOMPARE(
            log.linesOf(QStringLiteral("WARN")),
            QStringList({ QStringLiteral("WARN tlc:detector: no detector 99: the event is dropped"),
                          QStringLiteral("WARN tlc:sensor: no sensor 2: the event is dropped") }));
        QCOMPARE(tlc.detectors().size(), 1);
        QCOMPARE(tlc.detectors()[1]->objectName(), QStringLiteral("Main loop"));
        QCOMPARE(tlc.sensors()[1]->objectName(), QStringLiteral("Button"));

        QCOMPARE(tlc.clock(), qint64(0));
        tlc.step(5000);
        QCOMPARE(tlc.clock(), qint64(5000));
        tlc.step(4000);
        QCOMPARE(tlc.clock(), qint64(5000));
        tlc.step(5050);
        QCOMPARE(tlc.clock(), qint64(5050));
        tlc.start();
        QCOMPARE(tlc.clock(), qint64(0));
    }

    void logLines()
    {
        CnfController c;
        fillCrossing(c);
        addStageRing(c, QStringLiteral("4"));
        c.setNativeData(QStringLiteral("modules"),
                        QVariantMap { { QStringLiteral("MultiRing"), QVariantMap() },
                                      { QStringLiteral("Keyboard"), QVariantMap() } });
        QSettings().setValue(QStringLiteral("QTlc/DisabledPlugins"),
                             QStringLiteral("SystemBus,Keyboard"));
        LogCapture log;
        QTlc tlc;
        QVERIFY(tlc.fromJson(save(c), nullptr));
        run(tlc, RingPlan, QTime(6, 30), 20, QStringLiteral("d1@9000/1000"));
        QSettings().remove(QStringLiteral("QTlc"));
        const QStringList expected = {
            "INFO tlc:config: loaded 3 signal groups, 3 stages, 1 programs, 1 detectors, 1 sensors",
            "INFO tlc:config: started at 06:30:00.000",
            "INFO tlc:config: modules not emulated: Keyboard, MultiRing",
            "INFO tlc:config: no plug-in is loaded (disabled: SystemBus,Keyboard)",
            "INFO tlc:plan: plan 4 (Ring): Stage steps",
            "INFO tlc:stage: stage 1 (Main) started",
            "TRACE tlc:sg: group 1: amber blink -> green",
            "TRACE tlc:sg: group 2: amber blink -> red",
            "TRACE tlc:sg: group 3: amber blink -> red",
            "INFO tlc:stage: stage 1 (Main) established",
            "INFO tlc:detector: detector 1: transit of 1000 ms",
            "INFO tlc:stage: stage 2 (Side) started",
            "TRACE tlc:sg: group 1: green -> green blink",
            "TRACE tlc:sg: group 1: green blink -> amber",
            "TRACE tlc:sg: group 3: red -> green",
            "TRACE tlc:sg: group 1: amber -> red",
            "TRACE tlc:sg: group 2: red -> red-amber",
        };
        QCOMPARE(log.lines(), expected);
    }

    void deterministic()
    {
        // The same run twice, and once on another weekday, with every log line.
        const Events events
            = QStringLiteral("d1@9000/1000 s1@12000/500 d1@40000/2000 s1@70000/100");
        QString traces[3];
        QStringList lines[3];
        const QDate days[3] = { QDate(2026, 12, 7), QDate(2026, 12, 7), QDate(2026, 12, 10) };
        for (int i = 0; i < 3; ++i) {
            LogCapture log;
            QTlc tlc;
            QVERIFY(tlc.fromJson(crossingBytes(), nullptr));
            traces[i] = fullTrace(run(tlc, RingPlan, QTime(7, 15, 30), 120, events, days[i]));
            lines[i] = log.lines();
        }
        QVERIFY(lines[0].size() > 20);
        for (int i = 1; i < 3; ++i) {
            QCOMPARE(traces[i], traces[0]);
            QCOMPARE(lines[i], lines[0]);
        }
    }
};

PROJECT_TEST(TestTlc);
#include "tst_tlc.moc"
