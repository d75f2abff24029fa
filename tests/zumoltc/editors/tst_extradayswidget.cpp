#include "modalanswerer.h"
#include "pagetesting.h"
#include "schedulerfixture.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/extradayswidget.h"

#include "zumoltc/shell/framework/intedit.h"

#include <QMessageBox>
#include <QValidator>
#include <QtTest>

using namespace PageTesting;

namespace {

// The scheduler fixture with extra day 1 "New year" (01.01, day plan 2) shown.
struct Fixture : SchedulerFixture<ExtraDaysWidget, ZUExtraDay>
{
    explicit Fixture(int count = 1)
        : SchedulerFixture(&ZUConfiguration::extraDays, count)
    {
    }

    ZUExtraDay *day() { return configuration.extraDays().first(); }
    QComboBox *dayPlan() const { return field<QComboBox>(page, "day_plan"); }
};

const QString Question
    = QStringLiteral("Parameters of specially day contains invalid data. Save anyway?");

} // namespace

class TestExtraDaysWidget : public QObject
{
    Q_OBJECT
private slots:
    void load()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        QCOMPARE(field(f.page, "date")->text(), QStringLiteral("01.01"));
        QCOMPARE(itemTexts(f.dayPlan()), QStringList({ "1 (Workday)", "2 (Holiday)" }));
        QCOMPARE(f.dayPlan()->currentText(), QStringLiteral("2 (Holiday)"));
        QVERIFY(field(f.page, "date")->validator());
        QVERIFY(!apply(f.page)->isEnabled());

        // A day without a day plan right after one with a plan shows none.
        f.configuration.extraDays().at(1)->setDayPlan(nullptr);
        f.page.setObjects(&f.configuration, f.configuration.extraDays().mid(1, 1));
        QCOMPARE(f.dayPlan()->currentIndex(), -1);
        QCOMPARE(field(f.page, "date")->text(), QStringLiteral("01.05"));
    }

    void typedDates_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");

        QTest::newRow("9.5") << "9.5"
                             << "09.05";
        QTest::newRow("09.05") << "09.05"
                               << "09.05";
        QTest::newRow("31.2") << "31.2"
                              << "31.02";
    }

    void typedDates()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);

        Fixture f;
        type(field(f.page, "date"), typed);
        QCOMPARE(field(f.page, "date")->text(), typed);
        clickApply(f.page);
        QCOMPARE(f.day()->date().toString(), shown);
        QCOMPARE(f.classNames, QList<const char *>({ ZUExtraDay::staticMetaObject.className() }));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("1 (New year)"));
        f.page.setObjects(&f.configuration, f.configuration.extraDays().mid(0, 1));
        QCOMPARE(field(f.page, "date")->text(), shown);
    }

    void question_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("clearPlan");

        QTest::newRow("empty date") << "" << false;
        QTest::newRow("no day plan") << "02.01" << true;
    }

    void question()
    {
        QFETCH(QString, date);
        QFETCH(bool, clearPlan);

        Fixture f;
        const QByteArray before = f.configuration.toJson();
        type(field(f.page, "date"), date);
        if (clearPlan)
            choose(f.dayPlan(), QString());
        ModalAnswerer answerer;
        answerer.reject();
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Invalid data"));
        QCOMPARE(answerer.seenText(), Question);
        QCOMPARE(f.configuration.toJson(), before);

        answerer.pressButton(QMessageBox::Yes);
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(f.day()->date().isValid(), !date.isEmpty());
        QCOMPARE(f.day()->dayPlan().isNull(), clearPlan);
    }

    void refillKeepsChoice()
    {
        Fixture f;
        f.configuration.findDayPlan(2)->setName(QStringLiteral("Sunday"));
        f.page.configurationHasChanged(ZUDayPlan::staticMetaObject.className());
        QCOMPARE(f.dayPlan()->currentText(), QStringLiteral("2 (Sunday)"));
        delete f.configuration.findDayPlan(2).data();
        f.page.configurationHasChanged(ZUDayPlan::staticMetaObject.className());
        QCOMPARE(f.dayPlan()->currentIndex(), -1);
    }

    void severalSelected()
    {
        Fixture f(2);
        const QByteArray before = f.configuration.toJson();
        QVERIFY(allDisabled(f.page));
        QVERIFY(field(f.page, "date")->text().isEmpty());
        QVERIFY(field<IntEdit>(f.page, "id")->text().isEmpty());
        QCOMPARE(f.dayPlan()->count(), 0);
        clickApply(f.page);
        QCOMPARE(f.configuration.toJson(), before);
        QVERIFY(f.classNames.isEmpty());
    }

    void inWindow()
    {
        WindowFixture w(QStringLiteral("scheduler.json"));
        QVERIFY(w.loaded);
        ZUExtraDay *may = w.configuration()->extraDays().at(1);
        w.selectObjects({ may });
        auto *page = w.page<ExtraDaysWidget>();
        QVERIFY(page);
        QCOMPARE(field(*page, "date")->text(), QStringLiteral("01.05"));
        type(field(*page, "date"), QStringLiteral("9.5"));
        clickApply(*page);
        w.save();
        QCOMPARE(w.savedFile()
                     .value("scheduler")
                     .toObject()
                     .value("extraDays")
                     .toArray()
                     .at(1)
                     .toObject()
                     .value("date"),
                 QJsonValue("09.05"));
        w.selectObjects({ w.configuration()->extraDays().first(), may });
        QVERIFY(allDisabled(*page));
        const QByteArray before = w.savedBytes();
        clickApply(*page);
        w.save();
        QCOMPARE(w.savedBytes(), before);
    }
};

PROJECT_TEST(TestExtraDaysWidget);
#include "tst_extradayswidget.moc"
