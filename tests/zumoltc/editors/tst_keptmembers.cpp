#include "testmain.h"
#include "windowtesting.h"

#include "common/widgets/parameterstable.h"
#include "zumoltc/editors/conflictmatrixview.h"
#include "zumoltc/editors/dayplanwidget.h"
#include "zumoltc/editors/signalplanwidget.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QDialogButtonBox>
#include <QJsonArray>
#include <QToolButton>
#include <QtTest>

#include <functional>

using Edit = std::function<bool(WindowFixture &)>;
Q_DECLARE_METATYPE(Edit)

// Pages that rebuild their records on Apply keep what the file held beside
// the members zumoltc knows: an edit of one cell, applied and saved, leaves
// every unknown member of the page's records in the file.
class TestKeptMembers : public QObject
{
    Q_OBJECT
private slots:
    void applyKeepsUnknownMembers_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QByteArrayList>("kept");

        // Selects the item, then sets one cell of the page's table.
        const auto cell = [](std::function<QTreeWidgetItem *(WindowFixture &)> item,
                             const char *table, int row, int column, QVariant value) {
            return Edit([=](WindowFixture &w) {
                w.select({ item(w) });
                auto *parameters = w.window.findChild<ParametersTable *>(QLatin1String(table));
                if (!parameters || parameters->rowCount() <= row)
                    return false;
                parameters->setCellData(row, column, value, true);
                return true;
            });
        };
        const auto section = [](const char *text) {
            return [text](WindowFixture &w) {
                return w.tree()
                    ->findItems(QLatin1String(text), Qt::MatchExactly | Qt::MatchRecursive, 0)
                    .value(0);
            };
        };
        const auto plan = [](int index) {
            return [index](WindowFixture &w) {
                return w.window.objectItem(w.configuration()->signalPlans().at(index));
            };
        };

        QTest::newRow("conflict points") << Edit([section](WindowFixture &w) {
            w.select({ section("Conflict matrix")(w) });
            auto *view = w.window.findChild<ConflictMatrixView *>(QStringLiteral("matrixTable"));
            return view && view->model()->setData(view->model()->index(1, 0), QStringLiteral("6"));
        }) << QByteArrayList { "\"source\": \"geometry\"" };
        QTest::newRow("countdown boards") << cell(section("Countdown timers"), "cdt_items", 0, 3, 5)
                                          << QByteArrayList { "\"digits\": 2" };
        QTest::newRow("day-plan periods") << cell(
            [](WindowFixture &w) {
                return w.window.objectItem(w.configuration()->dayPlans().first());
            },
            "plansTable", 0, DayplanWidget::StopColumn, QTime(21, 0))
                                          << QByteArrayList { "\"note\": \"rush\"" };
        // The members go with the row the user edited, also when the edit
        // moves the record's start.
        QTest::newRow("day-plan period with a new start") << cell(
            [](WindowFixture &w) {
                return w.window.objectItem(w.configuration()->dayPlans().first());
            },
            "plansTable", 0, DayplanWidget::StartColumn,
            QTime(5, 30)) << QByteArrayList { "\"start\": \"05:30\"", "\"note\": \"rush\"" };
        QTest::newRow("DIO channels")
            << cell(section("DIO1"), "channels", 0, 3, 1) << QByteArrayList { "\"invert\": true" };
        QTest::newRow("timeline sequences")
            << cell(plan(0), "timeline_table", 0, 0, QStringLiteral("green|25"))
            << QByteArrayList { "\"label\": \"main\"", "\"flash\": false" };
        QTest::newRow("timeline point moved by the interval before it")
            << cell(plan(0), "timeline_table", 0, 0, QStringLiteral("green|25"))
            << QByteArrayList { "{\"state\": \"red\", \"point\": 25, \"x_phase\": \"late\"}" };
        QTest::newRow("stage-ring steps and detector records")
            << cell(plan(1), "stagering_table", SignalPlanWidget::PassageRow, 0, 7)
            << QByteArrayList { "\"skip\": true", "\"weight\": 0.5" };
    }

    void applyKeepsUnknownMembers()
    {
        QFETCH(Edit, edit);
        QFETCH(QByteArrayList, kept);
        WindowFixture w(QStringLiteral("unknown-members.json"), QStringLiteral("zumolt"));
        QVERIFY(w.loaded);
        QVERIFY(edit(w));
        QWidget *page = w.tabs()->currentWidget();
        QVERIFY(page && page->property("changed").toBool());
        PageTesting::clickApply(*page);
        QVERIFY(!page->property("changed").toBool());
        w.save();
        const QByteArray saved = w.savedBytes();
        for (const QByteArray &member : kept)
            QVERIFY2(saved.contains(member), member.constData());
    }

    // A day-plan period's members travel with its row when the row moves, and
    // go back with it when the move is cancelled.
    void movedDayPlanRows()
    {
        WindowFixture w(QStringLiteral("unknown-members.json"), QStringLiteral("zumolt"));
        QVERIFY(w.loaded);
        w.select({ w.window.objectItem(w.configuration()->dayPlans().first()) });
        QWidget *page = w.tabs()->currentWidget();
        auto *table = page->findChild<ParametersTable *>(QStringLiteral("plansTable"));
        QVERIFY(table && table->rowCount() == 2);
        const auto savedPeriods = [&w] {
            w.save();
            return w.savedFile()
                .value("scheduler")
                .toObject()
                .value("days")
                .toArray()
                .first()
                .toObject()
                .value("plans")
                .toArray();
        };
        const auto moveSecondUp = [&] {
            table->setCurrentCell(1, DayplanWidget::StopColumn);
            QTest::mouseClick(page->findChild<QToolButton *>(QStringLiteral("move_up")),
                              Qt::LeftButton);
        };

        moveSecondUp();
        PageTesting::button(*page, QDialogButtonBox::Cancel)->click();
        table->setCellData(0, DayplanWidget::StopColumn, QTime(21, 0), true);
        PageTesting::clickApply(*page);
        QJsonArray periods = savedPeriods();
        QCOMPARE(periods.at(0).toObject().value("stop").toString(), QStringLiteral("21:00"));
        QCOMPARE(periods.at(0).toObject().value("note").toString(), QStringLiteral("rush"));
        QVERIFY(periods.at(1).toObject().value("x_quiet").toBool());

        moveSecondUp();
        PageTesting::clickApply(*page);
        periods = savedPeriods();
        QCOMPARE(periods.at(0).toObject().value("start").toString(), QStringLiteral("22:00"));
        QVERIFY(periods.at(0).toObject().value("x_quiet").toBool());
        QVERIFY(!periods.at(0).toObject().contains("note"));
        QCOMPARE(periods.at(1).toObject().value("note").toString(), QStringLiteral("rush"));
    }
};

PROJECT_TEST(TestKeptMembers);
#include "tst_keptmembers.moc"
