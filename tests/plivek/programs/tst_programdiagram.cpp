#include "programdiagram.h"
#include "testmain.h"

#include "axis.h"
#include "chart.h"
#include "cnfcontroller.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "cnfsignalgroup.h"
#include "cnftransition.h"
#include "colorhboxseries.h"
#include "rectangleseries.h"

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

        // Into step 2 group 1 loses green: 1 s green, 3 s blinking, 3 s yellow, then red.
        QCOMPARE(row(chart, 2, 20, 64), QStringList({"20-21 #00ff00", "21-24 blink",
                                                     "24-27 #ffff00", "27-34 #ff0000",
                                                     "34-64 #ff0000"}));
        // Group 2 gains it: red up to its red-yellow, which ends when its green starts.
        QCOMPARE(row(chart, 1, 20, 64), QStringList({"20-32 #ff0000", "32-34 #ff0000+#ffff00",
                                                     "34-64 #00ff00"}));
    }

    void stepBeforeTheOffsetMovesByACycle()
    {
        Fixture fixture;
        fixture.program->setCycleOffset(20);
        plotlet::Chart chart;
        ProgramDiagram().draw(&chart, fixture.program, &fixture.controller, true);
        // Cycle 64: step 1's green at 0 - 20 + 64 = 44, step 2's at 34 - 20.
        QCOMPARE(rects(chart)->rects().at(0).rect.left(), 44.0);
        QCOMPARE(rects(chart)->rects().at(1).rect.left(), 14.0);
        QCOMPARE(row(chart, 2, 44, 64), QStringList({"44-64 #00ff00"}));
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
        QCOMPARE(row(chart, 1, 0, 20), QStringList({"0-20 #00ff00"}));
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
};

PROJECT_TEST(TestProgramDiagram);
#include "tst_programdiagram.moc"
