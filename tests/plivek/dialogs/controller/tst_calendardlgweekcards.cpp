#include "calendarfixture.h"
#include "plivek/framework/comboboxdelegate.h"
#include "testmain.h"

#include <QtTest>

using namespace CalendarFixture;

// The weekly-card page: the single card of TIVERK 3.x, new day records and
// removing records and cards.
class TestCalendarDlgWeekCards : public QObject
{
    Q_OBJECT
private slots:
    // TIVERK 3.x keeps a single week card: neither the action nor the menu
    // adds a second one.
    void singleWeekCard_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("cards");
        QTest::newRow("TIVERK 3.x") << "tiverk" << 1;
        QTest::newRow("adapter") << "adapter" << 2;
    }

    void singleWeekCard()
    {
        QFETCH(QString, family);
        QFETCH(int, cards);

        CnfController controller;
        controller.setProperty("type", family);
        Calendar c(&controller);
        c.trigger("weekcardAdd");
        QCOMPARE(c.weekCards->topLevelItemCount(), 1);
        c.trigger("weekcardAdd");
        QCOMPARE(c.weekCards->topLevelItemCount(), cards);
        QCOMPARE(
            menuNames(c.dialog.contextMenu(c.weekCards)).contains(QStringLiteral("weekcardAdd")),
            cards > 1);
    }

    void weekRecords_data()
    {
        QTest::addColumn<int>("selected"); // -1: the card
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<int>("added");

        QTest::newRow("after Sun") << 1 << QStringList { "Wed", "Sun", "Mon" } << 2;
        QTest::newRow("after Wed") << 0 << QStringList { "Wed", "Thu", "Sun" } << 1;
        QTest::newRow("card with records") << -1 << QStringList { "Wed", "Sun", "Mon" } << 2;
    }

    void weekRecords()
    {
        QFETCH(int, selected);
        QFETCH(QStringList, days);
        QFETCH(int, added);

        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        const CnfDayCardPtr day = addDayCard(controller, QStringLiteral("4"));
        day->addRecord(QTime(0, 0), {}, {}, {});
        addWeekCard(controller, QStringLiteral("1"),
                    { { Qt::Wednesday, day }, { Qt::Sunday, day } });
        Calendar c(&controller);
        QTreeWidgetItem *card = c.weekCards->topLevelItem(0);
        c.weekCards->setCurrentItem(selected < 0 ? card : card->child(selected));
        c.trigger("weekcardItemAdd");
        QCOMPARE(childTexts(card, 2), days);
        QCOMPARE(childTexts(card, 3), (QStringList { "4", "4", "4" }));
        QCOMPARE(c.weekCards->currentItem(), card->child(added));
    }

    void removeWeekCardCascade()
    {
        CnfController controller;
        fillTimetable(controller, QStringLiteral("tiverkii"));
        Calendar c(&controller);

        // A record of a card with more records: only that record.
        QTreeWidgetItem *winter = c.weekCards->topLevelItem(1);
        c.weekCards->setCurrentItem(winter->child(1));
        c.trigger("weekcardRemove");
        QCOMPARE(childTexts(winter, 2), QStringList { "Mon" });
        QCOMPARE(c.seasonPlan->rowCount(), 2);

        // Its last record: the week card and its season plan go too.
        c.weekCards->setCurrentItem(winter->child(0));
        c.trigger("weekcardRemove");
        QCOMPARE(topTexts(c.weekCards), QStringList { "1" });
        QCOMPARE(columnTexts(c.seasonPlan, 0), QStringList { "Warm" });
        QCOMPARE(qobject_cast<ComboBoxDelegate *>(c.seasonPlan->itemDelegateForColumn(3))->texts(),
                 QStringList { "1" });

        // A card row: its season plans go with it.
        c.weekCards->setCurrentItem(c.weekCards->topLevelItem(0));
        c.trigger("weekcardRemove");
        QCOMPARE(c.weekCards->topLevelItemCount(), 0);
        QCOMPARE(c.seasonPlan->rowCount(), 0);
    }
};

PROJECT_TEST(TestCalendarDlgWeekCards);
#include "tst_calendardlgweekcards.moc"
