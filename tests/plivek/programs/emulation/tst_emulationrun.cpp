#include "../../../libs/tlc/tlcfixture.h"
#include "diagramdriver.h"
#include "messagecapture.h"
#include "plivek/programs/emulation/tiverk2logdlg.h"
#include "plivek/programs/emulation/wappender.h"
#include "plotlet/axis.h"
#include "scriptedtlc.h"
#include "testmain.h"

#include <QCheckBox>
#include <QSettings>
#include <QTextEdit>
#include <QtTest>

#include <log4cxx/logger.h>

using namespace DiagramDriver;

namespace {

// A window over the fixture crossing, in expert mode, running `program`.
struct Window
{
    CnfController controller;
    QWidget parent;
    std::unique_ptr<Tiverk2DiagrammDlg> dlg;
    CnfProgramPtr program;

    explicit Window(int type = CnfProgram::FixedTime)
    {
        QSettings().setValue(QStringLiteral("expert_mode"), true);
        TlcFixture::fillCrossing(controller);
        FormatFixture::addDetector(controller, 2, QStringLiteral("Side loop"), false);
        program = TlcFixture::addFixedTime(controller, QStringLiteral("3"), type);
        dlg = std::make_unique<Tiverk2DiagrammDlg>(&parent, &controller);
    }

    void setRange(int from, int to, bool fromZero = false, bool detailed = false)
    {
        const QSignalBlocker blockFrom(spin("displayFrom"));
        const QSignalBlocker blockTo(spin("displayTo"));
        spin("displayFrom")->setValue(from);
        spin("displayTo")->setValue(to);
        check("xAxisFrom0")->setChecked(fromZero);
        check("displayDetailedTimes")->setChecked(detailed);
    }

    void run() { dlg->setData(program, QVariantMap(), controller.defaultMatrix()); }

    QSpinBox *spin(const char *name) const
    {
        return dlg->findChild<QSpinBox *>(QLatin1String(name));
    }
    QCheckBox *check(const char *name) const
    {
        return dlg->findChild<QCheckBox *>(QLatin1String(name));
    }
};

// The calls between two entries of the scripted emulator's call list.
QStringList callsAround(const QString &before, const QString &after)
{
    const QStringList &calls = ScriptedTlc::calls;
    const int from = calls.indexOf(before);
    const int to = calls.indexOf(after, from);
    if (from < 0 || to < 0)
        return { QStringLiteral("missing") };
    return calls.mid(from + 1, to - from - 1);
}

// Group A green until 10 s, amber until 13 s, then red; B red. Stage "One"
// established until 10 s, then the unnamed stage 2, established from 14 s.
// The emulator enters each state at the end of the step that ends at that
// second, and the chart draws it from there.
void changesScript(ScriptedTlc &tlc, qint64 endMs)
{
    const qint64 t = endMs;
    tlc.setPrimitive(0,
                     t < 10000       ? QTlcSignalGroup::Green
                         : t < 13000 ? QTlcSignalGroup::Yellow
                                     : QTlcSignalGroup::Red);
    tlc.setPrimitive(1, QTlcSignalGroup::Red);
    if (t < 10000)
        tlc.setStage(0, true);
    else
        tlc.setStage(1, t >= 14000);
}

} // namespace

// The emulation run: sampling into bars and stage rectangles, the events of the
// markers, coordination and the failures, with a scripted emulator and with
// the real one.
class TestEmulationRun : public QObject
{
    Q_OBJECT
private slots:
    void init() { beginTest(); }
    void cleanup() { endTest(); }

    void labelsWithoutBars_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("steps");
        // One step at t = 0: its sample only takes the states.
        QTest::newRow("to 0") << 0 << 0 << QStringList { "step 100" };
        QTest::newRow("from above to") << 50 << 10 << QStringList { "step 100" };
    }

    void labelsWithoutBars()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, steps);
        ScriptedTlc::script.groups
            = { { 1, QStringLiteral("A") }, { 7, QStringLiteral("X") }, { 9, QString() } };
        ScriptedTlc::script.onStep = [](ScriptedTlc &tlc, qint64 endMs) {
            tlc.setAll(endMs < 5000 ? QTlcSignalGroup::Red : QTlcSignalGroup::Green);
            tlc.setStage(endMs < 5000 ? 0 : 1, true);
        };
        Window w;
        w.setRange(from, to);
        w.run();
        // Group 1 is the document's "Main"; 7 and 9 are known only to the emulator.
        const QMap<double, QString> labels = chart(*w.dlg)->yAxis()->customLabels();
        QCOMPARE(labels.value(3), QStringLiteral("1(Main)T"));
        QCOMPARE(labels.value(2), QStringLiteral("7(X)"));
        QCOMPARE(labels.value(1), QStringLiteral("9"));
        QCOMPARE(bars(*w.dlg), QStringList());
        QCOMPARE(rects(*w.dlg), QStringList());
        QVERIFY(chart(*w.dlg)->error().isEmpty());
        if (to == 0) {
            QStringList ran = ScriptedTlc::calls.filter(QStringLiteral("step"));
            QCOMPARE(ran, steps);
        }
        QVERIFY(ScriptedTlc::calls.contains(QStringLiteral("plan 3")));
    }

    void windowStart_data()
    {
        QTest::addColumn<bool>("fromZero");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("absolute") << false
                                  << QStringList { "2 10-15 #00ff00", "2 15-20 #ffff00",
                                                   "1 10-20 #ff0000" };
        // The first sample at t = 10000 is x = 0 and draws nothing.
        QTest::newRow("from 0") << true
                                << QStringList { "2 0-5 #00ff00", "2 5-10 #ffff00",
                                                 "1 0-10 #ff0000" };
    }

    void windowStart()
    {
        QFETCH(bool, fromZero);
        QFETCH(QStringList, expected);
        // Group A turns amber at 15 s: after the step that ends at 15000 ms.
        ScriptedTlc::script.onStep = [](ScriptedTlc &tlc, qint64 endMs) {
            tlc.setPrimitive(0, endMs < 15000 ? QTlcSignalGroup::Green : QTlcSignalGroup::Yellow);
            tlc.setPrimitive(1, QTlcSignalGroup::Red);
        };
        Window w;
        w.setRange(10, 20, fromZero);
        w.run();
        QCOMPARE(bars(*w.dlg), expected);
    }

    void barsAndStages_data()
    {
        QTest::addColumn<bool>("detailed");
        QTest::addColumn<QStringList>("expected");
        // A bar ends where its group changes and at the final sample.
        QTest::newRow("changes") << false
                                 << QStringList { "2 0-10 #00ff00", "2 10-13 #ffff00",
                                                  "2 13-20 #ff0000", "1 0-20 #ff0000" };
        // With detailed times every group's bar also ends at each stage event:
        // the end of "One" at 10 s and stage 2 established at 14 s ("One",
        // established from the start, splits nothing).
        QTest::newRow("detailed times")
            << true << QStringList { "2 0-10 #00ff00",  "1 0-10 #ff0000",  "2 10-13 #ffff00",
                                     "2 13-14 #ff0000", "1 10-14 #ff0000", "2 14-20 #ff0000",
                                     "1 14-20 #ff0000" };
    }

    void barsAndStages()
    {
        QFETCH(bool, detailed);
        QFETCH(QStringList, expected);
        ScriptedTlc::script.onStep = changesScript;
        Window w;
        w.setRange(0, 20, false, detailed);
        w.run();
        QCOMPARE(bars(*w.dlg), expected);
        // The stage still established at the end closes at the final sample;
        // an unnamed stage is captioned by its number.
        QCOMPARE(rects(*w.dlg), (QStringList { "0-10 One|10 sec", "14-20 Phase 2|6 sec" }));
        auto *stages = qobject_cast<plotlet::RectangleSeries *>(chart(*w.dlg)->findSeries(2));
        QCOMPARE(stages->rects().first().rect.top(), 0.0);
        QCOMPARE(stages->rects().first().rect.height(), 3.0);
        QCOMPARE(stages->rects().first().outline, QColor(Qt::black));
        QCOMPARE(stages->rects().first().fill, QColor(Qt::lightGray));
        QCOMPARE(stages->rects().first().opacity, 0.6);
    }

    void drawingTable()
    {
        // Every state in turn, one per second, on one group.
        ScriptedTlc::script.groups = { { 1, QStringLiteral("A") } };
        ScriptedTlc::script.onStep = [](ScriptedTlc &tlc, qint64 endMs) {
            tlc.setPrimitive(0, int(endMs / 1000) % 8);
        };
        Window w;
        w.setRange(0, 8);
        w.run();
        QCOMPARE(bars(*w.dlg),
                 (QStringList { "1 0-1 #000000", "1 1-2 #ff0000", "1 2-3 #00ff00", "1 3-4 #ffff00",
                                "1 4-5 image", "1 5-6 image", "1 6-7 #ff0000+#ffff00",
                                "1 7-8 #000000" }));
        auto *series = qobject_cast<plotlet::ColorHBoxSeries *>(chart(*w.dlg)->findSeries(1));
        QVERIFY(series->showLength());
        QCOMPARE(series->bars().at(4).pixmap.toImage().pixelColor(0, 0), QColor(0x1a, 0x6d, 0x06));
        QCOMPARE(series->bars().at(5).pixmap.toImage().pixelColor(0, 0), QColor(0xff, 0xfe, 0x0f));
    }

    void stageCaptions()
    {
        // "One" established from the start to 23.5 s, stage 2 from 23.5 s to the end.
        ScriptedTlc::script.onStep = [](ScriptedTlc &tlc, qint64 endMs) {
            tlc.setStage(endMs < 23500 ? 0 : 1, true);
        };
        Window w;
        w.setRange(0, 1258);
        w.run();
        // Widths in six significant digits, whatever the sums of tenths leave behind.
        QCOMPARE(rects(*w.dlg),
                 (QStringList { "0-23.5 One|23.5 sec", "23.5-1258 Phase 2|1234.5 sec" }));
    }

    void stageNeverEstablished()
    {
        ScriptedTlc::script.onStep = [](ScriptedTlc &tlc, qint64 endMs) {
            tlc.setStage(endMs < 10000 ? 0 : 1, false);
        };
        Window w;
        w.setRange(0, 20);
        w.run();
        QCOMPARE(rects(*w.dlg), QStringList());
        QVERIFY(chart(*w.dlg)->findSeries(2));
    }

    void phasesHidden()
    {
        ScriptedTlc::script.onStep = changesScript;
        Window w;
        w.setRange(0, 20);
        w.check("displayPhases")->setChecked(false);
        w.run();
        QVERIFY(!chart(*w.dlg)->findSeries(2)->isVisible());
        w.check("displayPhases")->setChecked(true);
        QVERIFY(chart(*w.dlg)->findSeries(2)->isVisible());
    }

    void markerInjection()
    {
        Window w;
        w.setRange(0, 30);
        w.run();
        ScriptedTlc::calls.clear();
        QVERIFY(addMarker(*w.dlg, 5.4, true, 0, 500));
        // Sent after the step that ends at 5000 ms, before the one that ends at 5100 ms.
        QCOMPARE(callsAround(QStringLiteral("step 5000"), QStringLiteral("step 5100")),
                 QStringList { "transit 1 500" });

        // Two markers of one key: the one added last first.
        QVERIFY(addMarker(*w.dlg, 8, true, 1, 300));
        ScriptedTlc::calls.clear();
        QVERIFY(addMarker(*w.dlg, 8, false, 0, 200));
        QCOMPARE(callsAround(QStringLiteral("step 8000"), QStringLiteral("step 8100")),
                 (QStringList { "call 1 200", "transit 2 300" }));

        // A marker of no width is sent as 100 ms.
        const QList<plotlet::VLine *> atFive = w.dlg->events().values(5000);
        QCOMPARE(atFive.size(), 1);
        atFive.first()->setWidth(0);
        ScriptedTlc::calls.clear();
        w.dlg->runEmulation();
        QCOMPARE(callsAround(QStringLiteral("step 5000"), QStringLiteral("step 5100")),
                 QStringList { "transit 1 100" });
    }

    void markerOffTheGrid()
    {
        // A dragged marker lies between two steps: it fires before the step it
        // falls in, and the markers after it still fire.
        Window w;
        w.setRange(0, 30);
        w.run();
        QVERIFY(addMarker(*w.dlg, 12, true, 0, 1000));
        QVERIFY(addMarker(*w.dlg, 20, true, 1, 1000));
        ScriptedTlc::calls.clear();
        w.dlg->events().values(12000).first()->move(12.53);
        QCOMPARE(w.dlg->events().keys(), (QList<qint64> { 12530, 20000 }));
        QCOMPARE(callsAround(QStringLiteral("step 12500"), QStringLiteral("step 12600")),
                 QStringList { "transit 1 1000" });
        QCOMPARE(callsAround(QStringLiteral("step 20000"), QStringLiteral("step 20100")),
                 QStringList { "transit 2 1000" });
        QCOMPARE(ScriptedTlc::calls.filter(QStringLiteral("transit")).size(), 2);
    }

    void markerSkipped()
    {
        // A detector the emulator does not know sends nothing; the run goes on.
        ScriptedTlc::script.detectors = { 2 };
        Window w;
        w.setRange(0, 10);
        w.run();
        QVERIFY(addMarker(*w.dlg, 3, true, 0, 500));
        QVERIFY(ScriptedTlc::calls.filter(QStringLiteral("transit")).isEmpty());
        QVERIFY(ScriptedTlc::calls.contains(QStringLiteral("step 10100")));
    }

    void failures_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("error");
        QTest::newRow("no signal groups") << 0 << "No signal groups";
        QTest::newRow("load error") << 1 << "Line 3, column 4: no";
        // An emulator that fails without a word still says why the chart is empty.
        QTest::newRow("load error without text")
            << 2 << "The emulator could not load the configuration";
        QTest::newRow("save error")
            << 3 << "The native data key \"controller\" is a reserved key of the TIVERK II file";
    }

    void failures()
    {
        QFETCH(int, failure);
        QFETCH(QString, error);
        if (failure == 0)
            ScriptedTlc::script.groups.clear();
        ScriptedTlc::script.loads = failure != 1 && failure != 2;
        if (failure == 1)
            ScriptedTlc::script.loadError = QStringLiteral("Line 3, column 4: no");
        Window w;
        if (failure == 3)
            w.controller.setNativeData(QStringLiteral("controller"), 1);
        w.setRange(0, 20);
        w.run();
        QCOMPARE(chart(*w.dlg)->error(), error);
        QVERIFY(chart(*w.dlg)->series().isEmpty());
        QVERIFY(ScriptedTlc::calls.filter(QStringLiteral("step")).isEmpty());
        if (failure == 3)
            return;
        // The next sound run clears the error.
        ScriptedTlc::script = ScriptedTlc::Script();
        w.run();
        QVERIFY(chart(*w.dlg)->error().isEmpty());
        QCOMPARE(chart(*w.dlg)->series().size(), 2);
    }

    void noProgram()
    {
        // Before any data the window has nothing to run and shows no error.
        Window w;
        w.dlg->runEmulation();
        QVERIFY(chart(*w.dlg)->error().isEmpty());
        QVERIFY(chart(*w.dlg)->series().isEmpty());
        QVERIFY(ScriptedTlc::calls.isEmpty());
        QVERIFY(!w.dlg->generatedJson().isEmpty());
    }

    void planRefused()
    {
        ScriptedTlc::script.throwsOnPlan = true;
        ScriptedTlc::script.onStep = changesScript;
        MessageCapture capture;
        Window w;
        w.setRange(0, 20);
        w.run();
        QVERIFY(capture.messages(QtDebugMsg).contains(QStringLiteral("invalid alg")));
        QCOMPARE(bars(*w.dlg).size(), 4);
    }

    void startTime_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("coordinated");
        QTest::addColumn<bool>("sync");
        QTest::addColumn<QTime>("start");
        // Type 4 is coordinated whatever its property says.
        QTest::newRow("type 4, property false")
            << int(CnfProgram::Coordinated) << QVariant(false) << true << QTime(0, 0, 20);
        QTest::newRow("type 3 coordinated")
            << int(CnfProgram::FixedTime) << QVariant(true) << true << QTime(0, 0, 20);
        QTest::newRow("type 3 not coordinated")
            << int(CnfProgram::FixedTime) << QVariant() << true << QTime(0, 0);
        QTest::newRow("not synchronised")
            << int(CnfProgram::Coordinated) << QVariant(true) << false << QTime(0, 0);
    }

    void startTime()
    {
        QFETCH(int, type);
        QFETCH(QVariant, coordinated);
        QFETCH(bool, sync);
        QFETCH(QTime, start);
        Window w(type);
        w.program->setCycleOffset(20);
        w.program->setProperty("coordinated", coordinated);
        w.check("syncCoord")->setChecked(sync);
        w.setRange(0, 1);
        w.run();
        QCOMPARE(ScriptedTlc::lastDate.time(), start);
        QCOMPARE(ScriptedTlc::lastDate.date(), QDate::currentDate());
    }

    void appenderHoldsTheEmulator_data()
    {
        QTest::addColumn<bool>("loads");
        QTest::newRow("run") << true;
        QTest::newRow("failed load") << false;
    }

    void appenderHoldsTheEmulator()
    {
        QFETCH(bool, loads);
        Window w;
        auto *log = new Tiverk2LogDlg(&w.parent);
        log->setObjectName(QStringLiteral("log_dlg"));
        log->findChild<QTextEdit *>()->setPlainText(QStringLiteral("from before"));
        const auto appender = std::dynamic_pointer_cast<WAppender>(
            log4cxx::Logger::getRootLogger()->getAppender(LOG4CXX_STR("plivek")));
        QVERIFY(appender);
        QList<bool> held;
        ScriptedTlc::script.loads = loads;
        ScriptedTlc::script.onLoad = [&](ScriptedTlc &tlc) {
            held << (appender->emulator() == &tlc);
        };
        ScriptedTlc::script.onStep = [&](ScriptedTlc &tlc, qint64) {
            held << (appender->emulator() == &tlc);
        };
        w.setRange(0, 0);
        w.run();
        // While loading, at the start and during the one step.
        QCOMPARE(held, loads ? (QList<bool> { true, true, true }) : QList<bool> { true });
        QVERIFY(!appender->emulator());
        QVERIFY(
            !log->findChild<QTextEdit *>()->toPlainText().contains(QStringLiteral("from before")));
        delete log;
    }

    void realEmulator()
    {
        // The fixture's fixed-time program: Main 30 s, Side 30 s.
        Tiverk2DiagrammDlg::setEmulatorFactory({});
        Window w;
        w.setRange(0, 120);
        w.run();
        QVERIFY2(chart(*w.dlg)->error().isEmpty(), qPrintable(chart(*w.dlg)->error()));
        const QStringList stages = rects(*w.dlg);
        // One rectangle per step, each from its stage's establishment to the
        // change into the next step, so they end one step length (30 s) apart;
        // the first stage is established from the start. The emulator leaves
        // it at 30 s, and the chart draws the change at that second.
        QCOMPARE(stages.size(), 4);
        QCOMPARE(stages.first(), QStringLiteral("0-30 Main|30 sec"));
        const QStringList names { "Main", "Side", "Main", "Side" };
        for (int i = 0; i < stages.size(); ++i) {
            const double end = stages.at(i)
                                   .section(QLatin1Char(' '), 0, 0)
                                   .section(QLatin1Char('-'), 1)
                                   .toDouble();
            QVERIFY2(qFuzzyCompare(end, 30.0 + 30 * i), qPrintable(stages.at(i)));
            QVERIFY2(stages.at(i)
                         .section(QLatin1Char(' '), 1)
                         .startsWith(names.at(i) + QLatin1Char('|')),
                     qPrintable(stages.at(i)));
        }
        // The main road's group (top row 3) turns green and red in turn.
        QStringList mainColours;
        for (const QString &bar : bars(*w.dlg)) {
            if (bar.startsWith(QLatin1String("3 ")))
                mainColours << bar.section(QLatin1Char(' '), 2);
        }
        QStringList greenAndRed;
        for (const QString &colour : qAsConst(mainColours)) {
            if (colour == QLatin1String("#00ff00") || colour == QLatin1String("#ff0000"))
                greenAndRed << colour;
        }
        QCOMPARE(greenAndRed, (QStringList { "#00ff00", "#ff0000", "#00ff00", "#ff0000" }));

        // A second run draws the same.
        const QStringList before = bars(*w.dlg);
        w.dlg->runEmulation();
        QCOMPARE(bars(*w.dlg), before);
        QCOMPARE(rects(*w.dlg), stages);
    }

    void realEmulatorSeconds_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("fromZero");
        QTest::addColumn<QStringList>("mainRow");
        QTest::addColumn<QStringList>("sideRow");
        QTest::addColumn<QStringList>("stages");
        // Main 35 s, Side 43 s (cycle 78 s); the main road clears in 3 s of
        // green blink and 3 s of amber, the side road gets green 8.2 s after
        // the main road's green ended, the main road 9 s after the pedestrians'
        // green ended (red-amber 2 s before each green). So the emulator runs:
        // main road green 0-35, blink 35-38, amber 38-41, red 41-85,
        // red-amber 85-87, green from 87; side road red 0-41.2, red-amber
        // 41.2-43.2, green 43.2-78, blink 78-81, amber 81-84, red from 84;
        // stage Main established 0-35, Side 43.2-78, Main again from 87.
        QTest::newRow("whole cycle")
            << 0 << 100 << false
            << QStringList { "0-35 35", "35-38 3", "38-41 3", "41-85 44", "85-87 2", "87-100 13" }
            << QStringList { "0-41.2 41.2", "41.2-43.2 2", "43.2-78 34.8",
                             "78-81 3",     "81-84 3",     "84-100 16" }
            << QStringList { "0-35 Main|35 sec", "43.2-78 Side|34.8 sec", "87-100 Main|13 sec" };
        QTest::newRow("window from 20")
            << 20 << 90 << false
            << QStringList { "20-35 15", "35-38 3", "38-41 3", "41-85 44", "85-87 2", "87-90 3" }
            << QStringList { "20-41.2 21.2", "41.2-43.2 2", "43.2-78 34.8",
                             "78-81 3",      "81-84 3",     "84-90 6" }
            << QStringList { "20-35 Main|15 sec", "43.2-78 Side|34.8 sec", "87-90 Main|3 sec" };
        // The same seconds with the axis counting from the window's start.
        QTest::newRow("axis from 0")
            << 20 << 90 << true
            << QStringList { "0-15 15", "15-18 3", "18-21 3", "21-65 44", "65-67 2", "67-70 3" }
            << QStringList { "0-21.2 21.2", "21.2-23.2 2", "23.2-58 34.8",
                             "58-61 3",     "61-64 3",     "64-70 6" }
            << QStringList { "0-15 Main|15 sec", "23.2-58 Side|34.8 sec", "67-70 Main|3 sec" };
    }

    void realEmulatorSeconds()
    {
        // Every bar and stage spans the seconds in which the emulator shows
        // that state, and its label reads them.
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, fromZero);
        QFETCH(QStringList, mainRow);
        QFETCH(QStringList, sideRow);
        QFETCH(QStringList, stages);
        Tiverk2DiagrammDlg::setEmulatorFactory({});
        Window w;
        w.program->phaseDefAt(0)->setFullLength(35);
        w.program->phaseDefAt(1)->setFullLength(43);
        w.controller.defaultMatrix()->setReleaf(1, 2, 8.2);
        w.setRange(from, to, fromZero);
        w.run();
        QVERIFY2(chart(*w.dlg)->error().isEmpty(), qPrintable(chart(*w.dlg)->error()));

        // "from-to label" per bar of a row, the label as the chart shows it.
        auto *series = qobject_cast<plotlet::ColorHBoxSeries *>(chart(*w.dlg)->findSeries(1));
        QVERIFY(series);
        const auto row = [series](int number) {
            QStringList result;
            for (const plotlet::ColorHBoxSeries::Bar &bar : series->bars()) {
                if (bar.row == number)
                    result << QStringLiteral("%1-%2 %3")
                                  .arg(bar.from)
                                  .arg(bar.to)
                                  .arg(plotlet::ColorHBoxSeries::lengthText(bar));
            }
            return result;
        };
        QCOMPARE(row(3), mainRow);
        QCOMPARE(row(2), sideRow);
        QCOMPARE(rects(*w.dlg), stages);
    }
};

PROJECT_TEST(TestEmulationRun);
#include "tst_emulationrun.moc"
