#include "calendarfixture.h"
#include "testmain.h"

#include <QtTest>

using namespace CalendarFixture;

// The seasonal timetable and special days pages: removing rows and the
// names of new rows.
class TestCalendarDlgTables : public QObject
{
    Q_OBJECT
private slots:
    // Names already in use push the counter on.
    void defaultNamesCountOn()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("ZU_MOLT"));
        addDayCard(controller, QStringLiteral("1"), QStringLiteral("Daily.2"))
            ->addRecord(QTime(1, 0), {}, {}, {});
        addSpecialDay(controller, QDate(2027, 1, 1), QStringLiteral("1"),
                      QStringLiteral("Special.3"), {});
        Calendar c(&controller);
        c.trigger("daycardAdd");
        c.trigger("specialDaysAdd");
        QCOMPARE(c.dayCards->topLevelItem(1)->text(1), QStringLiteral("Daily.3"));
        QCOMPARE(c.specialDays->item(1, 0)->text(), QStringLiteral("2"));
        QCOMPARE(c.specialDays->item(1, 1)->text(), QStringLiteral("Special.4"));
        c.trigger("seasonPlanAdd");
        c.trigger("seasonPlanAdd");
        QCOMPARE(columnTexts(c.seasonPlan, 0), (QStringList { "Seasonly.1", "Seasonly.2" }));
    }

    void removeTableRows()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        addSpecialDay(controller, QDate(2027, 12, 31), QStringLiteral("3"), QStringLiteral("Eve"),
                      {});
        Calendar c(&controller);
        // Two rows apart: removing the first must not shift the other out of place.
        c.specialDays->setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 3), true);
        c.specialDays->setRangeSelected(QTableWidgetSelectionRange(2, 0, 2, 3), true);
        c.trigger("specialDaysRemove");
        QCOMPARE(columnTexts(c.specialDays, 1), QStringList { "Holiday" });

        c.seasonPlan->selectRow(1);
        c.trigger("seasonPlanRemove");
        QCOMPARE(columnTexts(c.seasonPlan, 0), QStringList { "Warm" });

        // Without a selection the remove actions do nothing.
        c.dayCards->clearSelection();
        c.trigger("daycardRemove");
        c.trigger("daycardItemAdd");
        QCOMPARE(c.dayCards->topLevelItemCount(), 3);
        QCOMPARE(c.dayCards->topLevelItem(0)->childCount(), 2);
    }
};

PROJECT_TEST(TestCalendarDlgTables);
#include "tst_calendardlgtables.moc"
