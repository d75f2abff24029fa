#include "pagetesting.h"
#include "schedulerfixture.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/weekplanwidget.h"

#include "common/widgets/parameterstable.h"
#include "zumoltc/editors/dayplanwidget.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QtTest>

using namespace PageTesting;

namespace {

// The scheduler fixture with week plan 1 (Monday to Friday Workday, the
// weekend Holiday) shown on the page.
struct Fixture : SchedulerFixture<WeekPlanWidget, ZUWeekPlan>
{
    Fixture()
        : SchedulerFixture(&ZUConfiguration::weekPlans, -1)
    {
    }

    ParametersTable *table() const { return field<ParametersTable>(page, "day_plans"); }
    ZUWeekPlan *week() { return configuration.weekPlans().first(); }
    void setDay(int row, const QVariant &value) const
    {
        table()->model()->setData(table()->model()->index(row, 0), value, Qt::EditRole);
    }
    QJsonValue savedDays()
    {
        return saved(&configuration)
            .value("scheduler")
            .toObject()
            .value("weeks")
            .toArray()
            .first()
            .toObject()
            .value("days");
    }
};

} // namespace

class TestWeekPlanWidget : public QObject
{
    Q_OBJECT
private slots:
    void formAndLoad()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        ParametersTable *table = f.table();
        QCOMPARE(table->columnCount(), 1);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Daily plan"));
        QVERIFY(table->horizontalHeader()->stretchLastSection());
        QStringList days;
        for (int row = 0; row < table->rowCount(); ++row)
            days << table->verticalHeaderItem(row)->text();
        QCOMPARE(days,
                 QStringList({ "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
                               "Sunday" }));
        auto *delegate = qobject_cast<ComboBoxDelegate *>(table->itemDelegateForColumn(0));
        QVERIFY(delegate);
        QCOMPARE(delegate->texts, QStringList({ "1 (Workday)", "2 (Holiday)" }));
        QList<QVariant> cells;
        for (int row = 0; row < 7; ++row)
            cells << table->cellData(row, 0);
        QCOMPARE(cells, QList<QVariant>({ 1, 1, 1, 1, 1, 2, 2 }));
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Normal week"));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    // A new week plan: only Monday set is stored as the one entry.
    void onlyMonday()
    {
        Fixture f;
        auto *fresh = new ZUWeekPlan(2, QStringLiteral("Weekly.2"));
        f.configuration.addWeekPlan(fresh);
        f.page.setObjects(&f.configuration, { fresh });
        for (int row = 0; row < 7; ++row)
            QVERIFY(!f.table()->cellData(row, 0).isValid());
        QVERIFY(!field<QCheckBox>(f.page, "manualName")->isChecked());
        f.setDay(0, 2);
        clickApply(f.page);
        QCOMPARE(fresh->keys(), QList<Qt::DayOfWeek>({ Qt::Monday }));
        QCOMPARE(fresh->value(Qt::Monday).data(), f.configuration.findDayPlan(2).data());
        QCOMPARE(f.classNames, QList<const char *>({ ZUWeekPlan::staticMetaObject.className() }));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("2 (Weekly.2)"));
        QVERIFY(f.configuration.toJson().contains("Weekly.2"));
    }

    // A cell whose id names no day plan any more leaves its day empty.
    void vanishedIdLeavesDayEmpty()
    {
        Fixture f;
        f.setDay(6, 1);
        f.configuration.findDayPlan(2)->setId(5);
        clickApply(f.page);
        QCOMPARE(f.week()->keys(),
                 QList<Qt::DayOfWeek>({ Qt::Monday, Qt::Tuesday, Qt::Wednesday, Qt::Thursday,
                                        Qt::Friday, Qt::Sunday }));
    }

    // With the week page and a day plan open together, a day plan renumbered on
    // its page leaves the week alone when the week page applies only its name.
    void nameOnlyKeepsDays()
    {
        Fixture f;
        DayplanWidget dayPage;
        dayPage.setObjects(&f.configuration, f.configuration.dayPlans().mid(1, 1));
        QObject::connect(&dayPage, &DayplanWidget::configurationChanged, &f.page,
                         &WeekPlanWidget::configurationHasChanged);
        type(field<IntEdit>(dayPage, "id"), QStringLiteral("9"));
        clickApply(dayPage);
        QCOMPARE(f.configuration.findDayPlan(9).data(), f.configuration.dayPlans().at(1).data());
        auto *delegate = qobject_cast<ComboBoxDelegate *>(f.table()->itemDelegateForColumn(0));
        QCOMPARE(delegate->texts, QStringList({ "1 (Workday)", "9 (Holiday)" }));

        field<QCheckBox>(f.page, "manualName")->setChecked(true);
        type(field(f.page, "name"), QStringLiteral("School week"));
        clickApply(f.page);
        QCOMPARE(f.week()->name(), QStringLiteral("School week"));
        QCOMPARE(f.week()->size(), 7);
        QCOMPARE(f.week()->value(Qt::Sunday)->id(), 9);
        QCOMPARE(f.savedDays(), QJsonValue(QJsonArray({ 1, 1, 1, 1, 1, 9, 9 })));
    }

    void severalSelected()
    {
        Fixture f;
        f.configuration.addWeekPlan(new ZUWeekPlan(2, QStringLiteral("Other")));
        f.page.setObjects(&f.configuration, f.configuration.weekPlans());
        const QByteArray before = f.configuration.toJson();
        QVERIFY(allDisabled(f.page));
        QVERIFY(field(f.page, "name")->text().isEmpty());
        for (int row = 0; row < 7; ++row)
            QVERIFY(!f.table()->cellData(row, 0).isValid());
        clickApply(f.page);
        QCOMPARE(f.configuration.toJson(), before);
        QVERIFY(f.classNames.isEmpty());
    }

    // Through the window, with the week page and a day plan page open together.
    void inWindow()
    {
        WindowFixture w(QStringLiteral("scheduler.json"));
        QVERIFY(w.loaded);
        ZUWeekPlan *week = w.configuration()->weekPlans().first();
        ZUDayPlan *holiday = w.configuration()->dayPlans().at(1);
        w.selectObjects({ holiday, week });
        auto *weekPage = w.page<WeekPlanWidget>();
        auto *dayPage = w.page<DayplanWidget>();
        QVERIFY(weekPage && dayPage);
        type(field<IntEdit>(*dayPage, "id"), QStringLiteral("9"));
        clickApply(*dayPage);
        field<QCheckBox>(*weekPage, "manualName")->setChecked(true);
        type(field(*weekPage, "name"), QStringLiteral("School week"));
        clickApply(*weekPage);
        QCOMPARE(w.tabText(weekPage), QStringLiteral("1 (School week)"));
        w.save();
        const QJsonObject saved = w.savedFile()
                                      .value("scheduler")
                                      .toObject()
                                      .value("weeks")
                                      .toArray()
                                      .first()
                                      .toObject();
        QCOMPARE(saved.value("name"), QJsonValue("School week"));
        QCOMPARE(saved.value("days"), QJsonValue(QJsonArray({ 1, 1, 1, 1, 1, 9, 9 })));

        // Only Monday set on a new week plan saves one entry.
        auto *fresh = new ZUWeekPlan(2, QStringLiteral("Weekly.2"));
        w.configuration()->addWeekPlan(fresh);
        w.selectObjects({ fresh });
        auto *table = field<ParametersTable>(*weekPage, "day_plans");
        table->model()->setData(table->model()->index(0, 0), 1, Qt::EditRole);
        clickApply(*weekPage);
        QCOMPARE(fresh->keys(), QList<Qt::DayOfWeek>({ Qt::Monday }));
    }
};

PROJECT_TEST(TestWeekPlanWidget);
#include "tst_weekplanwidget.moc"
