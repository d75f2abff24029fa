#include "modalanswerer.h"
#include "signalplanfixture.h"
#include "testmain.h"

#include "plotlet/chart.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QAction>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace SignalPlanFixture;

namespace {

using Row = SignalPlanWidget::StepRow;
using SourceRow = SignalPlanWidget::SourceRow;

QString cellText(const QVariant &value)
{
    return value.isValid() && !value.isNull() ? value.toString() : QStringLiteral("-");
}

// One row of a table as "a b -" (an empty cell as "-").
QString rowText(const ParametersTable *table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells << cellText(table->cellData(row, column));
    return cells.join(QLatin1Char(' '));
}

QStringList actionNames(const ParametersTable *table)
{
    QStringList names;
    for (const QAction *action : table->actions())
        names << action->text();
    return names;
}

// The saved phases of a plan as "id:stage>called stage" in ring order.
QStringList savedRing(const QJsonObject &algorithm)
{
    QMap<int, QJsonObject> byId;
    for (const QJsonValue &phase : algorithm.value("phases").toArray())
        byId.insert(phase.toObject().value("id").toInt(), phase.toObject());
    QStringList ring;
    for (const QJsonValue &id : algorithm.value("sequence").toArray()) {
        const QJsonObject phase = byId.value(id.toInt());
        const QJsonValue call = phase.value("call");
        ring << QStringLiteral("%1:%2>%3")
                    .arg(id.toInt())
                    .arg(phase.value("stage").toInt())
                    .arg(call.isUndefined()
                             ? QStringLiteral("-")
                             : QString::number(byId.value(call.toInt()).value("stage").toInt()));
    }
    return ring;
}

} // namespace

class TestSignalPlanWidgetStageRing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { zu::registerDisplayTexts(); }

    void form()
    {
        Fixture f(3);
        QCOMPARE(f.error, QString());
        QStringList headers;
        for (int row = 0; row < f.steps()->rowCount(); ++row)
            headers << f.steps()->verticalHeaderItem(row)->text();
        QCOMPARE(headers,
                 QStringList({ "Stage", "Recall", "Passage, sec", "Activate step",
                               "Min. green, sec", "Max. green, sec", "Countdown board mode" }));
        headers.clear();
        for (int row = 0; row < f.sources()->rowCount(); ++row)
            headers << f.sources()->verticalHeaderItem(row)->text();
        QCOMPARE(headers,
                 QStringList({ "On step", "Source", "Allow prolongation", "Activate step",
                               "Deactivate step", "Indicator" }));
        QCOMPARE(field<QToolButton>(f.page, "insert_step_before")->toolTip(),
                 QStringLiteral("Insert step before current"));
        QCOMPARE(field<QToolButton>(f.page, "add_detector")->toolTip(),
                 QStringLiteral("Insert call source"));

        // One step-number delegate serves every step reference.
        QAbstractItemDelegate *numbers = f.steps()->itemDelegateForRow(Row::ActivateRow);
        for (int row :
             { SourceRow::OnStepRow, SourceRow::SourceActivateRow, SourceRow::DeactivateRow })
            QCOMPARE(f.sources()->itemDelegateForRow(row), numbers);
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(numbers)->texts, QStringList({ "1", "2", "3" }));
        QCOMPARE(
            qobject_cast<ComboBoxDelegate *>(f.steps()->itemDelegateForRow(Row::RecallRow))->texts,
            QStringList({ "none", "maximum", "minimum", "soft" }));
        QCOMPARE(
            qobject_cast<ComboBoxDelegate *>(f.steps()->itemDelegateForRow(Row::StageRow))->values,
            QList<QVariant>({ 1, 2, 3 }));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(
                     f.sources()->itemDelegateForRow(SourceRow::IndicatorRow))
                     ->values,
                 QList<QVariant>({ 1, 2 }));

        QCOMPARE(actionNames(f.steps()),
                 QStringList({ "Insert step", "Insert step before current", "Copy", "Paste",
                               "Remove", "Remove step" }));
        QCOMPARE(actionNames(f.sources()),
                 QStringList({ "Insert call source", "Insert call source before current", "Copy",
                               "Paste", "Remove", "Remove call source" }));
        for (const ParametersTable *table : { f.steps(), f.sources() }) {
            QCOMPARE(table->actions().at(0)->objectName(), QStringLiteral("ins_after"));
            QCOMPARE(table->actions().at(1)->objectName(), QStringLiteral("ins_before"));
        }
        QCOMPARE(f.steps()->actions().first()->shortcut(), QKeySequence(Qt::Key_Insert));
        QCOMPARE(f.steps()->actions().last()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    }

    void loadShowsStepNumbers()
    {
        Fixture f(3);
        QCOMPARE(rowText(f.steps(), Row::StageRow), QStringLiteral("1 2 3"));
        QCOMPARE(rowText(f.steps(), Row::RecallRow), QStringLiteral("1 - -"));
        QCOMPARE(rowText(f.steps(), Row::ActivateRow), QStringLiteral("3 3 2"));
        QCOMPARE(rowText(f.steps(), Row::CountdownRow), QStringLiteral("- 1 -"));
        QCOMPARE(rowText(f.sources(), SourceRow::OnStepRow), QStringLiteral("2 3 1"));
        QCOMPARE(rowText(f.sources(), SourceRow::ProlongationRow),
                 QStringLiteral("true false false"));
        QCOMPARE(field<IntEdit>(f.page, "stagering_cycle_length")->text(), QStringLiteral("80"));

        // A ring stored as 1, 3, 2 shows the positions of the phases it calls.
        Fixture shuffled(4);
        QCOMPARE(rowText(shuffled.steps(), Row::StageRow), QStringLiteral("1 3 2"));
        QCOMPARE(rowText(shuffled.steps(), Row::ActivateRow), QStringLiteral("2 3 1"));
        QCOMPARE(rowText(shuffled.sources(), SourceRow::OnStepRow), QStringLiteral("2"));
        QCOMPARE(rowText(shuffled.sources(), SourceRow::SourceActivateRow), QStringLiteral("3"));
        QVERIFY(shuffled.page.isValid());
    }

    void selectionEnablesTheTools()
    {
        Fixture f(3);
        auto *before = field<QToolButton>(f.page, "insert_step_before");
        auto *remove = field<QToolButton>(f.page, "remove_step");
        QVERIFY(!before->isEnabled());
        QVERIFY(!remove->isEnabled());
        QVERIFY(!f.steps()->actions().at(1)->isEnabled());
        Fixture::clickColumn(f.steps(), 1);
        QVERIFY(before->isEnabled());
        QVERIFY(remove->isEnabled());
        QVERIFY(f.steps()->actions().at(1)->isEnabled());
        QVERIFY(!field<QToolButton>(f.page, "remove_detector")->isEnabled());
        Fixture::clickColumn(f.sources(), 0);
        QVERIFY(field<QToolButton>(f.page, "remove_detector")->isEnabled());
    }

    void insertBeforeStepTwo()
    {
        Fixture f(3);
        Fixture::clickColumn(f.steps(), 1);
        QTest::mouseClick(field<QToolButton>(f.page, "insert_step_before"), Qt::LeftButton);
        QCOMPARE(rowText(f.steps(), Row::StageRow), QStringLiteral("1 - 2 3"));
        QCOMPARE(rowText(f.steps(), Row::ActivateRow), QStringLiteral("4 - 4 3"));
        QCOMPARE(rowText(f.sources(), SourceRow::OnStepRow), QStringLiteral("3 4 1"));
        QCOMPARE(rowText(f.sources(), SourceRow::SourceActivateRow), QStringLiteral("4 1 -"));
        QCOMPARE(rowText(f.sources(), SourceRow::DeactivateRow), QStringLiteral("1 - 3"));
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(f.steps()->itemDelegateForRow(Row::ActivateRow))
                     ->texts.size(),
                 4);
        QVERIFY(apply(f.page)->isEnabled());

        // "Insert step" goes after the selection, and to the end without one.
        Fixture::clickColumn(f.steps(), 0);
        f.steps()->actions().first()->trigger();
        QCOMPARE(rowText(f.steps(), Row::StageRow), QStringLiteral("1 - - 2 3"));
        f.steps()->clearSelection();
        QTest::mouseClick(field<QToolButton>(f.page, "add_step"), Qt::LeftButton);
        QCOMPARE(f.steps()->columnCount(), 6);
        QCOMPARE(rowText(f.steps(), Row::ActivateRow), QStringLiteral("5 - - 5 4 -"));
    }

    void removeStepTwo()
    {
        Fixture f(3);
        Fixture::clickColumn(f.steps(), 1);
        QTest::mouseClick(field<QToolButton>(f.page, "remove_step"), Qt::LeftButton);
        QCOMPARE(rowText(f.steps(), Row::StageRow), QStringLiteral("1 3"));
        QCOMPARE(rowText(f.steps(), Row::ActivateRow), QStringLiteral("2 -"));
        QCOMPARE(rowText(f.sources(), SourceRow::OnStepRow), QStringLiteral("2 1"));
        QCOMPARE(rowText(f.sources(), SourceRow::SourceActivateRow), QStringLiteral("1 -"));
        QCOMPARE(rowText(f.sources(), SourceRow::DeactivateRow), QStringLiteral("- -"));
        QVERIFY(f.page.isValid());

        clickApply(f.page);
        const QJsonObject saved = f.savedPlan(3);
        QCOMPARE(savedRing(saved), QStringList({ "1:1>3", "2:3>-" }));
        const QJsonArray sources = saved.value("detectors").toArray();
        QCOMPARE(sources.size(), 2);
        QCOMPARE(sources.at(0).toObject().value("phase").toInt(), 2);
        QCOMPARE(sources.at(0).toObject().value("call").toInt(), 1);
        QCOMPARE(sources.at(0).toObject().value("detector").toInt(), 2);
        QCOMPARE(sources.at(1).toObject().value("phase").toInt(), 1);
        QVERIFY(!sources.at(1).toObject().contains("redirect"));
        QCOMPARE(sources.at(1).toObject().value("indicator").toInt(), 1);
    }

    void removeStepsOneAndThree_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("1 then 3") << 0 << 2;
        QTest::newRow("3 then 1") << 2 << 0;
    }
    void removeStepsOneAndThree()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        Fixture f(3);
        Fixture::clickColumn(f.steps(), first);
        Fixture::clickColumn(f.steps(), second, Qt::ControlModifier);
        f.steps()->actions().last()->trigger();
        QCOMPARE(rowText(f.steps(), Row::StageRow), QStringLiteral("2"));
        QCOMPARE(rowText(f.steps(), Row::ActivateRow), QStringLiteral("-"));
        QCOMPARE(rowText(f.sources(), SourceRow::OnStepRow), QStringLiteral("1"));
        QCOMPARE(rowText(f.sources(), SourceRow::SourceDetectorRow), QStringLiteral("1"));
        QCOMPARE(rowText(f.sources(), SourceRow::SourceActivateRow), QStringLiteral("-"));
        QCOMPARE(rowText(f.sources(), SourceRow::DeactivateRow), QStringLiteral("-"));
    }

    void removeWithoutSelectionChangesNothing()
    {
        Fixture f(3);
        f.steps()->actions().last()->trigger();
        QCOMPARE(f.steps()->columnCount(), 3);
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void callSources()
    {
        Fixture f(3);
        Fixture::clickColumn(f.sources(), 0);
        QTest::mouseClick(field<QToolButton>(f.page, "insert_detector_before"), Qt::LeftButton);
        QCOMPARE(rowText(f.sources(), SourceRow::OnStepRow), QStringLiteral("- 2 3 1"));
        Fixture::clickColumn(f.sources(), 3);
        Fixture::clickColumn(f.sources(), 1, Qt::ControlModifier);
        QTest::mouseClick(field<QToolButton>(f.page, "remove_detector"), Qt::LeftButton);
        QCOMPARE(rowText(f.sources(), SourceRow::OnStepRow), QStringLiteral("- 3"));
        clickApply(f.page);
        // The new source names no step and is dropped with its empty phase.
        QCOMPARE(f.plan(3)->detectors().size(), 1);
        QCOMPARE(f.plan(3)->detectors().first().phase->id(), 3);
    }

    void validity_data()
    {
        QTest::addColumn<bool>("sourceTable");
        QTest::addColumn<int>("row");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("valid");

        QTest::newRow("activate step 0") << false << int(Row::ActivateRow) << QVariant(0) << false;
        QTest::newRow("activate step N + 1")
            << false << int(Row::ActivateRow) << QVariant(4) << false;
        QTest::newRow("activate step N") << false << int(Row::ActivateRow) << QVariant(3) << true;
        QTest::newRow("activate step empty")
            << false << int(Row::ActivateRow) << QVariant() << true;
        QTest::newRow("no such stage") << false << int(Row::StageRow) << QVariant(9) << false;
        QTest::newRow("empty stage") << false << int(Row::StageRow) << QVariant() << true;
        QTest::newRow("recall not examined") << false << int(Row::RecallRow) << QVariant(7) << true;
        QTest::newRow("on step 0") << true << int(SourceRow::OnStepRow) << QVariant(0) << false;
        QTest::newRow("source activates N + 1")
            << true << int(SourceRow::SourceActivateRow) << QVariant(4) << false;
        QTest::newRow("source deactivates N + 1")
            << true << int(SourceRow::DeactivateRow) << QVariant(4) << false;
        QTest::newRow("source deactivates 1")
            << true << int(SourceRow::DeactivateRow) << QVariant(1) << true;
    }
    void validity()
    {
        QFETCH(bool, sourceTable);
        QFETCH(int, row);
        QFETCH(QVariant, value);
        QFETCH(bool, valid);
        Fixture f(3);
        QVERIFY(f.page.isValid());
        Fixture::setCell(sourceTable ? f.sources() : f.steps(), row, 0, value);
        QCOMPARE(f.page.isValid(), valid);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        clickApply(f.page);
        QCOMPARE(answerer.answered(), !valid);
    }

    void cellsThatDoNotConvertAreNotSet()
    {
        Fixture f(3);
        Fixture::setCell(f.steps(), Row::RecallRow, 0, 7);
        Fixture::setCell(f.steps(), Row::CountdownRow, 1, 2);
        Fixture::setCell(f.steps(), Row::PassageRow, 0, QStringLiteral("x"));
        clickApply(f.page);
        const QJsonObject first = f.savedPlan(3).value("phases").toArray().at(0).toObject();
        QVERIFY(!first.contains("recall"));
        QVERIFY(!first.contains("passage"));
        QCOMPARE(first.value("minGreen").toInt(), 5);
        const QJsonObject second = f.savedPlan(3).value("phases").toArray().at(1).toObject();
        QCOMPARE(second.value("countdownBoard").toString(), QStringLiteral("conditional"));
    }

    void shuffledRingKeepsItsCalls()
    {
        Fixture f(4);
        const QStringList before = savedRing(f.savedPlan(4));
        QCOMPARE(before, QStringList({ "1:1>3", "3:3>2", "2:2>1" }));
        // An edit elsewhere in the step table rewrites every phase.
        Fixture::setCell(f.steps(), Row::PassageRow, 0, 4);
        QVERIFY(f.page.isValid());
        clickApply(f.page);
        const QJsonObject saved = f.savedPlan(4);
        QCOMPARE(savedRing(saved), QStringList({ "1:1>3", "2:3>2", "3:2>1" }));
        // The call source stays on the step of stage 3 and calls the step of stage 2.
        const QJsonObject source = saved.value("detectors").toArray().at(0).toObject();
        QCOMPARE(source.value("phase").toInt(), 2);
        QCOMPARE(source.value("call").toInt(), 3);
    }

    void stageAppliedRefillsTheStageItems()
    {
        Fixture f(3);
        f.configuration.stages().first()->setName(QStringLiteral("Morning"));
        auto *stages
            = qobject_cast<ComboBoxDelegate *>(f.steps()->itemDelegateForRow(Row::StageRow));
        QCOMPARE(stages->texts.first(), QStringLiteral("1 (Stage.1)"));
        f.page.configurationHasChanged(ZUDetector::staticMetaObject.className());
        QCOMPARE(stages->texts.first(), QStringLiteral("1 (Stage.1)"));
        f.page.configurationHasChanged(ZUStage::staticMetaObject.className());
        QCOMPARE(stages->texts.first(), QStringLiteral("1 (Morning)"));
    }

    void diagramDialog()
    {
        Fixture f(3);
        auto *show = field<QPushButton>(f.page, "stagering_show_diagramm");
        show->click();
        auto *dialog = f.page.findChild<QDialog *>(QStringLiteral("chart_dlg"));
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->findChild<plotlet::Chart *>());
        QVERIFY(!apply(f.page)->isEnabled());
        show->click();
        QVERIFY(!f.page.findChild<QDialog *>(QStringLiteral("chart_dlg")));
    }
};

PROJECT_TEST(TestSignalPlanWidgetStageRing);
#include "tst_signalplanwidgetstagering.moc"
