#include "plivek/programs/programdiagram.h"
#include "plivek/programs/programdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"
#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "plotlet/rectangleseries.h"

#include "modalanswerer.h"
#include "testdata.h"
#include "testmain.h"

#include <QAction>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using plotlet::ColorHBoxSeries;
using plotlet::RectangleSeries;

namespace {

// A bar as the test reads it: place and what fills it.
QString describe(const ColorHBoxSeries::Bar &bar)
{
    QString fill;
    if (!bar.pixmap.isNull())
        fill = QStringLiteral("blink");
    else if (bar.color2.isValid())
        fill = bar.color.name() + QLatin1Char('+') + bar.color2.name();
    else
        fill = bar.color.name();
    return QStringLiteral("%1-%2 %3").arg(bar.from).arg(bar.to).arg(fill);
}

// A main window stand-in that collects what dialogs report through its slot.
class ErrorSink : public QWidget
{
    Q_OBJECT
public slots:
    void printError(const QString &message) { messages.append(message); }

public:
    QStringList messages;
};

CnfProgramPtr exampleProgram(CnfController &controller)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(
        TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
    if (!native || !native->createController(controller))
        return {};
    return controller.findProgram(QStringLiteral("1"));
}

plotlet::Chart *chartOf(ProgramDlg &dialog)
{
    return dialog.findChild<plotlet::Chart *>(QStringLiteral("chart"));
}

} // namespace

class TestProgramDiagram : public QObject
{
    Q_OBJECT
private:
    // Two traffic groups, 1 in phase "1" and 2 in phase "2", and a program of the steps
    // "1" (20 s) and "2" (30 s). Group 1 clears in AG1 4, GF 3, Y 3, AR 2; group 2 has a
    // red-yellow of 2 s.
    struct Fixture
    {
        CnfController controller;
        CnfProgramPtr program;
        CnfSignalGroupPtr groups[2];

        explicit Fixture(bool withGroups = true)
        {
            for (int i = 0; i < 2; ++i) {
                groups[i] = CnfSignalGroupPtr::create();
                groups[i]->id = i + 1;
                controller.addSignalGroup(groups[i]);
            }
            groups[0]->setInterstate(1, QByteArray("\x04\x03\x03\x02\x00\x00", 6));
            groups[1]->setInterstate(1, QByteArray("\x00\x00\x00\x00\x02\x00", 6));
            program = CnfProgramPtr::create(&controller);
            program->id = QStringLiteral("1");
            for (int i = 0; i < 2; ++i) {
                auto phase = CnfPhasePtr::create();
                phase->id = QString::number(i + 1);
                if (withGroups)
                    phase->signalGroups.append(groups[i]);
                controller.addPhase(phase);
                program->appendPhase(phase, i == 0 ? 20 : 30);
            }
        }
    };

    static const ColorHBoxSeries *bars(const plotlet::Chart &chart)
    {
        const auto all = chart.series();
        return all.isEmpty() ? nullptr : qobject_cast<ColorHBoxSeries *>(all.first());
    }
    static const RectangleSeries *rects(const plotlet::Chart &chart)
    {
        const auto all = chart.series();
        return all.size() < 2 ? nullptr : qobject_cast<RectangleSeries *>(all.at(1));
    }
    // The bars of one row inside [from, to], in time order.
    static QStringList row(const plotlet::Chart &chart, double y, double from, double to)
    {
        QVector<ColorHBoxSeries::Bar> found;
        for (const auto &bar : bars(chart)->bars()) {
            if (bar.row == y && bar.from >= from && bar.to <= to && bar.to > bar.from)
                found.append(bar);
        }
        std::sort(found.begin(), found.end(),
                  [](const auto &a, const auto &b) { return a.from < b.from; });
        QStringList texts;
        for (const auto &bar : found)
            texts.append(describe(bar));
        return texts;
    }

private slots:
    void init() { QSettings().remove(QStringLiteral("chart_save_dir")); }

    void withoutSignalGroupsOnlyPhases()
    {
        Fixture fixture(false);
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QVERIFY(chart.error().isEmpty());
        QVERIFY(bars(chart)->bars().isEmpty());
        QVERIFY(chart.yAxis()->customLabels().isEmpty());
        const auto all = rects(chart)->rects();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.at(0).rect, QRectF(0, 0, 20, 1));
        QCOMPARE(all.at(1).rect, QRectF(20, 0, 30, 1));
        QCOMPARE(all.at(1).caption, QStringLiteral("Phase 2\n30 sec"));
        QCOMPARE(all.at(1).outline, QColor(Qt::black));
        QCOMPARE(all.at(1).fill, QColor(Qt::lightGray));
        QCOMPARE(all.at(1).opacity, 0.6);
    }

    // Nothing clears into step 1, so its green starts at 0; the change into step 2 takes
    // 14 s (group 1 clears in 12, group 2 waits 2 more), so step 2's green starts at 34.
    void changesAreDrawnFromTheInterstates()
    {
        Fixture fixture;
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QVERIFY(chart.error().isEmpty());
        QCOMPARE(chart.yAxis()->customLabel(2), QStringLiteral("1(T)"));
        QCOMPARE(chart.yAxis()->customLabel(1), QStringLiteral("2(T)"));
        QCOMPARE(rects(chart)->rects().at(1).rect, QRectF(34, 0, 30, 3));

        // Into step 2 group 1 loses green: 4 s steady green, 3 s blinking, 3 s yellow,
        // then red (2 s all-red and the 2 s of group 2's red-yellow).
        QCOMPARE(row(chart, 2, 20, 64),
                 QStringList({ "20-24 #00ff00", "24-27 blink", "27-30 #ffff00", "30-34 #ff0000",
                               "34-64 #ff0000" }));
        // Group 2 gains it: red up to its red-yellow, which ends when its green starts.
        QCOMPARE(row(chart, 1, 20, 64),
                 QStringList({ "20-32 #ff0000", "32-34 #ff0000+#ffff00", "34-64 #00ff00" }));
    }

    // The change into step 2 (from second 20) with group 1 leaving green under
    // the record AG1, GF, Y, AR and group 2 entering with its red-yellow. The
    // change lasts AG1 + GF + Y + AR + RY; group 1 blinks after its steady green.
    void clearanceBars_data()
    {
        QTest::addColumn<QByteArray>("leaving");
        QTest::addColumn<int>("redYellow");
        QTest::addColumn<QStringList>("leavingBars");
        QTest::addColumn<QStringList>("enteringBars");
        QTest::newRow("steady, blink, yellow, all-red")
            << QByteArray::fromHex("0403030200") << 2
            << QStringList { "20-24 #00ff00", "24-27 blink", "27-30 #ffff00", "30-34 #ff0000" }
            << QStringList { "20-32 #ff0000", "32-34 #ff0000+#ffff00" };
        QTest::newRow("the samples' vehicle record")
            << QByteArray::fromHex("0003030200") << 2
            << QStringList { "20-23 blink", "23-26 #ffff00", "26-30 #ff0000" }
            << QStringList { "20-28 #ff0000", "28-30 #ff0000+#ffff00" };
        QTest::newRow("pedestrian: blink, no yellow")
            << QByteArray::fromHex("0004000300") << 0
            << QStringList { "20-24 blink", "24-27 #ff0000" } << QStringList { "20-27 #ff0000" };
        QTest::newRow("no blink") << QByteArray::fromHex(
            "0200030100") << 1 << QStringList { "20-22 #00ff00", "22-25 #ffff00", "25-27 #ff0000" }
                                  << QStringList { "20-26 #ff0000", "26-27 #ff0000+#ffff00" };
        QTest::newRow("blink straight into the next green")
            << QByteArray::fromHex("0003000000") << 0 << QStringList { "20-23 blink" }
            << QStringList { "20-23 #ff0000" };
    }

    void clearanceBars()
    {
        QFETCH(QByteArray, leaving);
        QFETCH(int, redYellow);
        QFETCH(QStringList, leavingBars);
        QFETCH(QStringList, enteringBars);
        Fixture fixture;
        fixture.groups[0]->setInterstate(1, leaving + QByteArray(1, '\0'));
        fixture.groups[1]->setInterstate(
            1, QByteArray::fromHex("00000000") + char(redYellow) + QByteArray(1, '\0'));
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QVERIFY(chart.error().isEmpty());
        const int end = 20 + quint8(leaving[0]) + quint8(leaving[1]) + quint8(leaving[2])
            + quint8(leaving[3]) + redYellow;
        QCOMPARE(row(chart, 2, 20, end), leavingBars);
        QCOMPARE(row(chart, 1, 20, end), enteringBars);
    }

    // SVG viewers drop a picture brush: the blink is drawn as its stripes, in its colour.
    void blinkShowsInSvg()
    {
        Fixture fixture;
        plotlet::Chart chart;
        chart.resize(800, 300);
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("diagram.svg"));
        QVERIFY(chart.saveAsSvg(path, QSize(1024, 600), false));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        QVERIFY(svg.contains("<svg"));
        QVERIFY(svg.toLower().contains("#1a6d06"));
    }

    // The steps start at seconds of the controller's cycle (the program's own second plus
    // the offset, modulo the cycle); the diagram draws the program's own seconds from 0 to
    // the cycle, so a step whose start wraps past the cycle's end is drawn a cycle on.
    void stepsAreDrawnAtTheProgramsOwnSeconds_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("start1");
        QTest::addColumn<int>("start2");
        QTest::newRow("no offset") << 0 << 0 << 34;
        QTest::newRow("offset") << 20 << 20 << 54;
        QTest::newRow("second step wraps") << 40 << 40 << 10;
        QTest::newRow("offset of a cycle") << 64 << 0 << 34;
    }

    void stepsAreDrawnAtTheProgramsOwnSeconds()
    {
        QFETCH(int, offset);
        QFETCH(int, start1);
        QFETCH(int, start2);
        Fixture fixture;
        fixture.program->setCycleOffset(offset);
        // Cycle 64: step 1 at 0 (no change into it), step 2 at 20 + 14 s of change.
        QCOMPARE(fixture.program->phaseDefAt(0)->start(), start1);
        QCOMPARE(fixture.program->phaseDefAt(1)->start(), start2);
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QCOMPARE(rects(chart)->rects().at(0).rect.left(), 0.0);
        QCOMPARE(rects(chart)->rects().at(1).rect.left(), 34.0);
        QCOMPARE(row(chart, 2, 0, 64),
                 QStringList({ "0-20 #00ff00", "20-24 #00ff00", "24-27 blink", "27-30 #ffff00",
                               "30-34 #ff0000", "34-64 #ff0000" }));
        const QRectF bounds = bars(chart)->bounds() | rects(chart)->bounds();
        QCOMPARE(bounds.left(), 0.0);
        QCOMPARE(bounds.right(), 64.0);
    }

    void overlappingConflictingGreensGiveARedRectangle()
    {
        Fixture fixture;
        auto matrix = CnfMatrixPtr::create();
        matrix->setReleaf(2, 1, 5);
        fixture.controller.addMatrix(matrix, false, true);
        // Group 2 starts green 2 s before group 1 ends it.
        const ProgramDiagram diagram([](const CnfPhaseDef &def) {
            auto transition = CnfTransitionPtr::create();
            const bool intoSecond = def.id() == QLatin1String("2");
            transition->greenEnd.insert(intoSecond ? 1 : 2, 6);
            transition->greenStart.insert(intoSecond ? 2 : 1, 4);
            return transition;
        });
        plotlet::Chart chart;
        diagram.draw(&chart, fixture.program, &fixture.controller, true);

        QVector<RectangleSeries::Rect> conflicts;
        for (const auto &rect : rects(chart)->rects()) {
            if (rect.fill == QColor(Qt::red))
                conflicts.append(rect);
        }
        QCOMPARE(conflicts.size(), 1);
        const double changeStart = 20; // after step 1's 20 s
        QCOMPARE(conflicts.first().rect, QRectF(changeStart + 4, 1, 2, 1));
        QCOMPARE(conflicts.first().opacity, 0.5);
        QVERIFY(conflicts.first().caption.isEmpty());
    }

    // Second by second, the states are the bars' colours: across the cycle's end, with
    // the offset, and wherever a later bar covers an earlier one.
    void secondStatesAreWhatIsDrawn_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("no offset") << 0;
        QTest::newRow("offset") << 20;
    }

    void secondStatesAreWhatIsDrawn()
    {
        QFETCH(int, offset);
        Fixture fixture;
        fixture.program->setCycleOffset(offset);
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QString error;
        const QMap<int, QVector<int>> states
            = ProgramDiagram().secondStates(*fixture.program, &fixture.controller, &error);
        QVERIFY(error.isEmpty());
        QCOMPARE(states.keys(), QList<int>({ 1, 2 }));
        const int cycle = 64;
        const QHash<int, QString> fills { { CnfSignalGroup::Green, "#00ff00" },
                                          { CnfSignalGroup::Red, "#ff0000" },
                                          { CnfSignalGroup::Yellow, "#ffff00" },
                                          { CnfSignalGroup::RedYellow, "#ff0000+#ffff00" },
                                          { CnfSignalGroup::GreenBlink, "blink" } };
        QMap<int, QVector<QString>> drawn { { 1, QVector<QString>(cycle) },
                                            { 2, QVector<QString>(cycle) } };
        for (const auto &bar : bars(chart)->bars()) {
            const QString fill = describe(bar).section(QLatin1Char(' '), 1);
            for (int second = int(bar.from); second < bar.to; ++second)
                drawn[bar.row == 2 ? 1 : 2][second % cycle] = fill;
        }
        for (int group : { 1, 2 }) {
            QCOMPARE(states.value(group).size(), cycle);
            for (int second = 0; second < cycle; ++second)
                QCOMPARE(fills.value(states.value(group).at(second)),
                         drawn.value(group).at(second));
        }
        // Group 2 gains green through 2 s of red-yellow at the program's own second 32,
        // whatever the offset.
        QCOMPARE(states.value(2).at(31), int(CnfSignalGroup::Red));
        QCOMPARE(states.value(2).at(32), int(CnfSignalGroup::RedYellow));
        QCOMPARE(states.value(2).at(34), int(CnfSignalGroup::Green));

        const ProgramDiagram broken([](const CnfPhaseDef &) { return CnfTransitionPtr(); });
        QVERIFY(broken.secondStates(*fixture.program, &fixture.controller, &error).isEmpty());
        QCOMPARE(error, QStringLiteral("Wrong phase transition 2 -> 1"));
    }

    void errorsReplaceTheSeries_data()
    {
        QTest::addColumn<bool>("supported");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing transition") << true << "Wrong phase transition 1 -> 2";
        QTest::newRow("other family") << false << "not supported";
    }

    void errorsReplaceTheSeries()
    {
        QFETCH(bool, supported);
        QFETCH(QString, error);
        Fixture fixture;
        plotlet::Chart chart;
        const ProgramDiagram diagram([](const CnfPhaseDef &def) {
            return def.id() == QLatin1String("2") ? CnfTransitionPtr() : def.createTransition();
        });
        diagram.draw(&chart, fixture.program, &fixture.controller, true);
        diagram.draw(&chart, fixture.program, &fixture.controller, supported);
        QCOMPARE(chart.error(), error);
        QVERIFY(chart.series().isEmpty());

        // The next good drawing clears the error.
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QVERIFY(chart.error().isEmpty());
        QCOMPARE(chart.series().size(), 2);
    }

    void singleStepFollowsItself()
    {
        Fixture fixture;
        fixture.program->removePhase(1);
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        QVERIFY(chart.error().isEmpty());
        QCOMPARE(chart.yAxis()->customLabels().size(), 1);
        QCOMPARE(row(chart, 1, 0, 20), QStringList({ "0-20 #00ff00" }));
    }

    void nullProgramLeavesTheChartEmpty()
    {
        Fixture fixture;
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        ProgramDiagram().draw(&chart, CnfProgramPtr(), &fixture.controller, true);
        QVERIFY(chart.series().isEmpty());
        QVERIFY(chart.yAxis()->customLabels().isEmpty());
    }

    // The diagram inside the program dialog and its pictures.

    void dialogDrawsTheProgram()
    {
        CnfController controller;
        const CnfProgramPtr program = exampleProgram(controller);
        QVERIFY(program);
        ProgramDlg dialog(nullptr, program, &controller, false);
        plotlet::Chart *chart = chartOf(dialog);
        QVERIFY(chart);
        QVERIFY(chart->error().isEmpty());
        QCOMPARE(chart->series().size(), 2);
        const auto *rects = qobject_cast<plotlet::RectangleSeries *>(chart->series().at(1));
        QVERIFY(rects);
        QCOMPARE(rects->rects().first().caption.left(8), QStringLiteral("Phase 2\n"));
        QCOMPARE(chart->minGridStepX(), 1.0);
    }

    void pictureOnWhiteKeepsTheChartBackground()
    {
        CnfController controller;
        const CnfProgramPtr program = exampleProgram(controller);
        ProgramDlg dialog(nullptr, program, &controller, false);
        const QColor background = chartOf(dialog)->bgColor();
        QVERIFY(background != QColor(Qt::white));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prog_1.png"));
        QVERIFY(dialog.saveDiagramImage(path, QSize(1024, 600)));
        QCOMPARE(QImage(path).pixelColor(1023, 0), QColor(Qt::white));
        QCOMPARE(chartOf(dialog)->bgColor(), background);
    }

    void failedPictureIsReported()
    {
        CnfController controller;
        const CnfProgramPtr program = exampleProgram(controller);
        ErrorSink window;
        ProgramDlg dialog(&window, program, &controller, false);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/prog_1.svg"));
        QVERIFY(!dialog.saveDiagramImage(path, QSize(1024, 600)));
        QCOMPARE(window.messages, QStringList { QStringLiteral("Can't save %1").arg(path) });

        // Without a window (the report writer) the error goes to the log.
        ProgramDlg alone(nullptr, program, &controller, false);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("prog_1.png")));
        QTest::ignoreMessage(
            QtCriticalMsg,
            qPrintable(QStringLiteral("Can't save %1")
                           .arg(dir.filePath(QStringLiteral("missing/prog_1.png")))));
        QVERIFY(!alone.saveDiagramImage(dir.filePath(QStringLiteral("missing/prog_1.png")),
                                        QSize(10, 10)));
    }

    // The context menu saves at the chart's size and remembers the folder as UTF-8.
    void saveAsSvgFromTheContextMenu()
    {
        CnfController controller;
        const CnfProgramPtr program = exampleProgram(controller);
        ProgramDlg dialog(nullptr, program, &controller, false);
        plotlet::Chart *chart = chartOf(dialog);
        chart->resize(640, 300);
        QCOMPARE(chart->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(chart->actions().size(), 1);
        QAction *save = chart->actions().first();
        QCOMPARE(save->text(), QStringLiteral("Save as SVG"));

        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Схемы")));
        const QString folder = dir.filePath(QStringLiteral("Схемы"));
        const QString path = QDir(folder).filePath(QStringLiteral("plan.svg"));
        ModalAnswerer answerer;
        QString caption;
        QStringList filters;
        answerer.answerWith([&](QWidget *modal) {
            auto *files = qobject_cast<QFileDialog *>(modal);
            QVERIFY(files);
            caption = files->windowTitle();
            filters = files->nameFilters();
            files->selectFile(path);
            QMetaObject::invokeMethod(files, "accept");
        });
        save->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(caption, QStringLiteral("Set file name"));
        QCOMPARE(filters,
                 (QStringList { QStringLiteral("SVG files (*.svg)"),
                                QStringLiteral("All files (*.*)") }));
        QVERIFY(TestSupport::readFile(path).contains("width=\"640\" height=\"300\""));

        QSettings settings;
        settings.setIniCodec("UTF-8");
        const QVariant stored = settings.value(QStringLiteral("chart_save_dir"));
        QCOMPARE(stored.type(), QVariant::ByteArray);
        QCOMPARE(QString::fromUtf8(stored.toByteArray()), folder);

        // The next save starts there; an empty answer writes nothing.
        QString startFolder;
        answerer.answerWith([&](QWidget *modal) {
            startFolder = qobject_cast<QFileDialog *>(modal)->directory().absolutePath();
            qobject_cast<QFileDialog *>(modal)->reject();
        });
        QVERIFY(QFile::remove(path));
        save->trigger();
        QCOMPARE(startFolder, folder);
        QVERIFY(!QFile::exists(path));
    }
};

PROJECT_TEST(TestProgramDiagram);
#include "tst_programdiagram.moc"
