#include "modalanswerer.h"
#include "signalplanfixture.h"
#include "testmain.h"
#include "windowtesting.h"

#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

using namespace SignalPlanFixture;

namespace {

plotlet::Chart *chart(const Fixture &f)
{
    return field<plotlet::Chart>(f.page, "timeline_chart");
}

// The chart's bars as "from-to@row colour" texts (the pixmap bars as "picture").
QStringList bars(const Fixture &f)
{
    QStringList texts;
    const QList<plotlet::Series *> series = chart(f)->series();
    if (series.isEmpty())
        return texts;
    for (const auto &bar : qobject_cast<plotlet::ColorHBoxSeries *>(series.first())->bars()) {
        QString fill = bar.pixmap.isNull() ? bar.color.name() : QStringLiteral("picture");
        if (bar.color2.isValid())
            fill += QLatin1Char('+') + bar.color2.name();
        texts << QStringLiteral("%1-%2@%3 %4").arg(bar.from).arg(bar.to).arg(bar.row).arg(fill);
    }
    return texts;
}

QString cycleText(const Fixture &f)
{
    return field<IntEdit>(f.page, "timeline_cycle_length")->text();
}

} // namespace

class TestSignalPlanWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { zu::registerDisplayTexts(); }

    void frame()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        QCOMPARE(itemTexts(field<QComboBox>(f.page, "type")),
                 QStringList({ "timeline", "sequence of stages", "special" }));
        QCOMPARE(itemTexts(field<QComboBox>(f.page, "mode")), QStringList({ "AB", "OFF" }));
        auto *stack = field<QStackedWidget>(f.page, "stackedWidget");
        QStringList pages;
        for (int index = 0; index < stack->count(); ++index)
            pages << stack->widget(index)->objectName();
        QCOMPARE(pages,
                 QStringList({ "pageSpecial", "pageTimeline", "pageStageRing", "pageEmpty" }));
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pageTimeline"));
        QVERIFY(field<QPushButton>(f.page, "stagering_show_diagramm")->isHidden());
        QCOMPARE(chart(f)->minGridStepX(), 1.0);
        QVERIFY(!apply(f.page)->isEnabled());

        // The name follows the id while it is not typed by hand.
        QVERIFY(!field<QCheckBox>(f.page, "manualName")->isChecked());
        type(field<IntEdit>(f.page, "id"), QStringLiteral("7"));
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Program.7"));
        // Back at the stored id nothing is left to apply.
        field<IntEdit>(f.page, "id")->setValue(1);
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void severalPlansDisableThePage()
    {
        Fixture f({ 1, 3 });
        QCOMPARE(field<QStackedWidget>(f.page, "stackedWidget")->currentWidget()->objectName(),
                 QStringLiteral("pageEmpty"));
        QVERIFY(allDisabled(f.page));
        QCOMPARE(field<QComboBox>(f.page, "type")->currentIndex(), -1);
        QCOMPARE(field(f.page, "id")->text(), QString());
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void typeSwitchReloadsTheSubPage()
    {
        Fixture f(3);
        auto *types = field<QComboBox>(f.page, "type");
        QCOMPARE(types->currentText(), QStringLiteral("sequence of stages"));
        f.setCell(f.steps(), SignalPlanWidget::PassageRow, 0, 9);
        choose(types, QStringLiteral("timeline"));
        choose(types, QStringLiteral("sequence of stages"));
        // What was typed on the page that was left is gone.
        QCOMPARE(f.steps()->cellData(SignalPlanWidget::PassageRow, 0), QVariant(3));
    }

    void specialWithoutModeAsksBeforeSaving()
    {
        Fixture f(1);
        choose(field<QComboBox>(f.page, "type"), QStringLiteral("special"));
        QCOMPARE(field<QComboBox>(f.page, "mode")->currentIndex(), -1);
        QVERIFY(!f.page.isValid());
        {
            ModalAnswerer answerer;
            answerer.pressButton(QMessageBox::No);
            clickApply(f.page);
            QVERIFY(answerer.answered());
            QCOMPARE(answerer.seenTitle(), QStringLiteral("Invalid data"));
            QCOMPARE(answerer.seenText(),
                     QStringLiteral("Parameters of algorithm contains invalid data. Save anyway?"));
        }
        QCOMPARE(f.plan(1)->type(), int(zu::Timeline));
        QVERIFY(apply(f.page)->isEnabled());

        QList<const char *> classNames;
        connect(&f.page, &SignalPlanWidget::configurationChanged, this,
                [&classNames](const char *name) { classNames << name; });
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        clickApply(f.page);
        QVERIFY(answerer.answered());
        const QJsonObject saved = f.savedPlan(1);
        QCOMPARE(saved.value("type").toString(), QStringLiteral("Special"));
        QCOMPARE(saved.value("mode").toString(), QStringLiteral("AB"));
        QCOMPARE(classNames, QList<const char *>({ ZUSignalPlan::staticMetaObject.className() }));
        QCOMPARE(f.page.windowTitle(), f.plan(1)->text(QString()));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void typeChangeWritesTheWholeStageRing()
    {
        // A timeline plan that still holds the stage-ring phases 5 and 7.
        Fixture f(6);
        f.plan(6)->setType(zu::Timeline);
        f.page.setObjects(&f.configuration, { f.plan(6) });
        QCOMPARE(field<QComboBox>(f.page, "type")->currentText(), QStringLiteral("timeline"));
        choose(field<QComboBox>(f.page, "type"), QStringLiteral("sequence of stages"));
        QCOMPARE(f.steps()->columnCount(), 2);
        QCOMPARE(f.steps()->cellData(SignalPlanWidget::ActivateRow, 1), QVariant(1));
        clickApply(f.page);
        const QJsonObject saved = f.savedPlan(6);
        QCOMPARE(saved.value("type").toString(), QStringLiteral("StageRing"));
        QCOMPARE(saved.value("cycle").toInt(), 90);
        QCOMPARE(saved.value("offset").toInt(), 5);
        QCOMPARE(saved.value("coordinated").toBool(), true);
        // The untouched tables were written: the phases are numbered in step order.
        QCOMPARE(saved.value("sequence").toArray(), QJsonArray({ 1, 2 }));
        const QJsonArray phases = saved.value("phases").toArray();
        QCOMPARE(phases.at(1).toObject().value("call").toInt(), 1);
        QCOMPARE(phases.at(1).toObject().value("stage").toInt(), 2);
        // The timeline data of the plan stays in the model.
        QCOMPARE(f.plan(6)->type(), int(zu::StageRing));
    }

    void timelineLoads()
    {
        Fixture f(1);
        QCOMPARE(f.row(f.timeline(), 0), QStringList({ "green|20", "red|40" }));
        QCOMPARE(f.row(f.timeline(), 1), QStringList({ "red|60", "" }));
        QCOMPARE(f.timeline()->verticalHeaderItem(0)->text(), QStringLiteral("1 (A){60}"));
        QCOMPARE(cycleText(f), QStringLiteral("60"));
        QVERIFY(f.timeline()->autoExtendColumns);
        QVERIFY(f.page.isValid());

        // Without cycle the last interval runs to the not-set value.
        Fixture noCycle(2);
        QCOMPARE(noCycle.row(noCycle.timeline(), 0), QStringList({ "green|20", "red|2147483627" }));
        QCOMPARE(cycleText(noCycle), QString());
    }

    void twoRowExample()
    {
        Fixture f(1);
        f.setTimelineRow(0, { "green|30", "amber|3", "red|27" });
        f.setTimelineRow(1, { "red|40" });
        QCOMPARE(bars(f),
                 QStringList(
                     { "0-30@2 #00ff00", "30-33@2 #ffff00", "33-60@2 #ff0000", "0-40@1 #ff0000" }));
        QCOMPARE(chart(f)->yAxis()->customLabel(2), QStringLiteral("1 (A){60}"));
        QCOMPARE(chart(f)->yAxis()->customLabel(1), QStringLiteral("2 (B){40}"));
        QCOMPARE(f.timeline()->verticalHeaderItem(1)->text(), QStringLiteral("2 (B){40}"));
        QCOMPARE(cycleText(f), QStringLiteral("60"));
        QCOMPARE(chart(f)->error(), QString());

        clickApply(f.page);
        QCOMPARE(f.savedSequence(1, 1), QStringList({ "0 green", "30 amber", "33 red" }));
        QCOMPARE(f.savedSequence(1, 2), QStringList({ "0 red" }));
        QCOMPARE(f.savedPlan(1).value("cycle").toInt(), 60);
    }

    // Only rows that draw bars are labelled: an empty last row leaves no label
    // at a height where nothing is drawn.
    void emptyRowsLabelNothing()
    {
        Fixture f(1);
        f.setTimelineRow(0, { "green|30", "red|30" });
        f.setTimelineRow(1, QStringList());
        QCOMPARE(bars(f), QStringList({ "0-30@2 #00ff00", "30-60@2 #ff0000" }));
        QCOMPARE(chart(f)->yAxis()->customLabels().size(), 1);
        QCOMPARE(chart(f)->yAxis()->customLabel(2), QStringLiteral("1 (A){60}"));
        QCOMPARE(f.timeline()->verticalHeaderItem(1)->text(), QStringLiteral("2 (B)"));
    }

    void otherBars()
    {
        Fixture f(1);
        f.setTimelineRow(0, { "red_amber|2", "green_blink|4" });
        QCOMPARE(bars(f).mid(0, 2), QStringList({ "0-2@2 #ff0000+#ffff00", "2-6@2 picture" }));
    }

    void chartAndValidity_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("cycle");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QStringList>("saved");

        QTest::newRow("length not a number")
            << QStringList({ "green|x" }) << "Table contains invalid data" << false << "60"
            << "1 (A)" << QStringList({ "0 green", "20 red" });
        QTest::newRow("three parts")
            << QStringList({ "green|5|5" }) << "Table contains invalid data" << false << "60"
            << "1 (A)" << QStringList({ "0 green", "20 red" });
        QTest::newRow("stored state out of range") << QStringList({ "black|5", "green|10" })
                                                   << "Table contains invalid data" << true << "60"
                                                   << "1 (A){15}" << QStringList({ "5 green" });
        QTest::newRow("empty row") << QStringList() << "" << true << "60"
                                   << "1 (A)" << QStringList();
    }
    void chartAndValidity()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, error);
        QFETCH(bool, valid);
        QFETCH(QString, cycle);
        QFETCH(QString, header);
        QFETCH(QStringList, saved);

        Fixture f(1);
        f.setTimelineRow(0, cells);
        QCOMPARE(chart(f)->error(), error);
        QCOMPARE(f.page.isValid(), valid);
        QCOMPARE(cycleText(f), cycle);
        QCOMPARE(f.timeline()->verticalHeaderItem(0)->text(), header);
        if (error.isEmpty()) {
            // The empty row keeps its height: B takes the top row.
            QCOMPARE(bars(f), QStringList({ "0-60@2 #ff0000" }));
            QCOMPARE(chart(f)->yAxis()->customLabel(2), QStringLiteral("2 (B){60}"));
        }

        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        clickApply(f.page);
        QCOMPARE(answerer.answered(), !valid);
        if (valid)
            QCOMPARE(f.savedSequence(1, 1), saved);
        else
            QCOMPARE(f.savedSequence(1, 1), QStringList({ "0 green", "20 red" }));
    }

    void planWithoutCycleStaysWithoutCycle()
    {
        Fixture f(2);
        QCOMPARE(cycleText(f), QString());
        // Lengthening the first interval takes the row total past the int range.
        f.setCell(f.timeline(), 0, 0, QStringLiteral("green|30"));
        QCOMPARE(chart(f)->error(), QString());
        QCOMPARE(cycleText(f), QString());
        QVERIFY(f.page.isValid());
        clickApply(f.page);
        QCOMPARE(f.savedSequence(2, 1), QStringList({ "0 green", "30 red" }));
        QVERIFY(!f.savedPlan(2).contains("cycle"));
        QCOMPARE(f.plan(2)->cycle(), int(zu::NotSet));

        // A point of its own at the end of the int range is not stored.
        f.setTimelineRow(0, { "green|2147483647", "red|5" });
        clickApply(f.page);
        QCOMPARE(f.savedSequence(2, 1), QStringList({ "0 green" }));
    }

    void groupMovedWhileOpenKeepsItsIntervals()
    {
        Fixture f(1);
        // B goes to the top of the list while A's row is being edited.
        f.configuration.moveSignalGroup(1, 0);
        f.setCell(f.timeline(), 0, 0, QStringLiteral("green|25"));
        QVERIFY(f.page.isValid());
        clickApply(f.page);
        QCOMPARE(f.savedSequence(1, 1), QStringList({ "0 green", "25 red" }));
        QCOMPARE(f.savedSequence(1, 2), QStringList({ "0 red" }));
    }

    void deletedGroupRowIsNotWritten()
    {
        Fixture f(1);
        delete f.configuration.signalGroups().first().data();
        f.setCell(f.timeline(), 1, 0, QStringLiteral("green|60"));
        QVERIFY(!f.page.isValid());
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(f.savedSequence(1, 2), QStringList({ "0 green" }));
        QCOMPARE(f.plan(1)->sequences().size(), 1);
    }

    void groupAddedRedrawsWithoutRows()
    {
        Fixture f(1);
        {
            // A cell changed behind the chart's back shows at the next redraw.
            const QSignalBlocker blocker(f.timeline());
            f.timeline()->setCellData(1, 0, QStringLiteral("red|90"), true);
        }
        QCOMPARE(cycleText(f), QStringLiteral("60"));
        auto *group = new ZUSignalGroup;
        group->setId(3);
        f.configuration.addSignalGroup(group);
        QCOMPARE(f.timeline()->rowCount(), 2);
        QCOMPARE(cycleText(f), QStringLiteral("90"));
    }

    void openedFromTheTree()
    {
        WindowFixture w(QStringLiteral("plans.json"));
        QVERIFY(w.loaded);
        w.selectObjects({ w.configuration()->findSignalPlan(1) });
        auto *page = w.page<SignalPlanWidget>();
        QVERIFY(page);
        auto *table = page->findChild<ParametersTable *>(QStringLiteral("timeline_table"));
        Fixture::setCell(table, 1, 0, QStringLiteral("red|70"));
        clickApply(*page);
        w.save();
        const QJsonArray plans = w.savedFile().value("plans").toArray();
        const QJsonObject algorithm = plans.at(0).toObject().value("algorithm").toObject();
        QCOMPARE(algorithm.value("cycle").toInt(), 70);
        QCOMPARE(algorithm.value("sequences")
                     .toArray()
                     .at(1)
                     .toObject()
                     .value("sequence")
                     .toArray()
                     .size(),
                 1);
    }
};

PROJECT_TEST(TestSignalPlanWidget);
#include "tst_signalplanwidget.moc"
