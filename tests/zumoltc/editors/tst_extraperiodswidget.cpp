#include "modalanswerer.h"
#include "pagetesting.h"
#include "schedulerfixture.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/extraperiodswidget.h"

#include "zumoltc/shell/framework/intedit.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QValidator>
#include <QtTest>

using namespace PageTesting;

namespace {

// The scheduler fixture with extra period 1 "Summer" (01.06 to 31.08, week 1) shown.
struct Fixture : SchedulerFixture<ExtraPeriodsWidget, ZUExtraPeriod>
{
    explicit Fixture(int count = 1)
        : SchedulerFixture(&ZUConfiguration::extraPeriods, count)
    {
    }

    ZUExtraPeriod *period() { return configuration.extraPeriods().first(); }
};

const QString Question
    = QStringLiteral("Parameters of seasonally plan contains invalid data. Save anyway?");

} // namespace

class TestExtraPeriodsWidget : public QObject
{
    Q_OBJECT
private slots:
    void load()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        QCOMPARE(field(f.page, "start")->text(), QStringLiteral("01.06"));
        QCOMPARE(field(f.page, "stop")->text(), QStringLiteral("31.08"));
        QCOMPARE(field<QComboBox>(f.page, "week_plan")->currentText(),
                 QStringLiteral("1 (Normal week)"));
        QCOMPARE(field<QComboBox>(f.page, "week_plan")->sizeAdjustPolicy(),
                 QComboBox::AdjustToContents);
        // One validator object serves both dates.
        QVERIFY(field(f.page, "start")->validator());
        QCOMPARE(field(f.page, "start")->validator(), field(f.page, "stop")->validator());
        QCOMPARE(field(f.page, "start")->validator()->parent(), &f.page);
        QVERIFY(!apply(f.page)->isEnabled());
    }

    // What typing a date keeps: the keystroke that makes an impossible date is refused.
    void typedDates_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("acceptable");

        QTest::newRow("1.5") << "1.5"
                             << "1.5" << true;
        QTest::newRow("01.05") << "01.05"
                               << "01.05" << true;
        QTest::newRow("31.12") << "31.12"
                               << "31.12" << true;
        QTest::newRow("31.2 (no month length)") << "31.2"
                                                << "31.2" << true;
        QTest::newRow("9.5") << "9.5"
                             << "9.5" << true;
        QTest::newRow("32.1") << "32.1"
                              << "3.1" << true;
        QTest::newRow("0.5") << "0.5"
                             << "05" << false;
        QTest::newRow("1.13") << "1.13"
                              << "1.1" << true;
        QTest::newRow("1/5") << "1/5"
                             << "15" << false;
        QTest::newRow("1.5.") << "1.5."
                              << "1.5" << true;
        QTest::newRow("day and dot") << "1."
                                     << "1." << false;
    }

    void typedDates()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, acceptable);

        Fixture f;
        QLineEdit *start = field(f.page, "start");
        type(start, typed);
        QCOMPARE(start->text(), shown);
        QCOMPARE(start->hasAcceptableInput(), acceptable);
    }

    void storedAsTyped()
    {
        Fixture f;
        type(field(f.page, "start"), QStringLiteral("1.5"));
        type(field(f.page, "stop"), QStringLiteral("9.9"));
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        clickApply(f.page);
        QVERIFY(!answerer.answered());
        QCOMPARE(f.period()->start(), ZUDayMonth(1, 5));
        QCOMPARE(f.period()->stop(), ZUDayMonth(9, 9));
        QCOMPARE(f.classNames,
                 QList<const char *>({ ZUExtraPeriod::staticMetaObject.className() }));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("1 (Summer)"));
        f.page.setObjects(&f.configuration, f.configuration.extraPeriods().mid(0, 1));
        QCOMPARE(field(f.page, "start")->text(), QStringLiteral("01.05"));
    }

    // An incomplete date or no week plan asks; No writes nothing, Yes stores it as it is.
    void question_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("clearWeek");

        QTest::newRow("empty stop") << "stop"
                                    << "" << false;
        QTest::newRow("start without month") << "start"
                                             << "4." << false;
        QTest::newRow("no week plan") << ""
                                      << "" << true;
    }

    void question()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, typed);
        QFETCH(bool, clearWeek);

        Fixture f;
        const QByteArray before = f.configuration.toJson();
        if (!fieldName.isEmpty())
            type(field(f.page, fieldName.toLatin1().constData()), typed);
        if (clearWeek)
            choose(field<QComboBox>(f.page, "week_plan"), QString());
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Invalid data"));
        QCOMPARE(answerer.seenText(), Question);
        QCOMPARE(f.configuration.toJson(), before);
        QVERIFY(f.classNames.isEmpty());

        answerer.pressButton(QMessageBox::Yes);
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(f.classNames.size(), 1);
        f.page.setObjects(&f.configuration, f.configuration.extraPeriods().mid(0, 1));
        if (fieldName == QLatin1String("stop")) {
            QVERIFY(!f.period()->stop().isValid());
            QCOMPARE(field(f.page, "stop")->text(), QString());
        } else if (fieldName == QLatin1String("start")) {
            QVERIFY(!f.period()->start().isValid());
        } else {
            QVERIFY(!f.period()->week());
            QCOMPARE(field<QComboBox>(f.page, "week_plan")->currentIndex(), -1);
        }
    }

    // Only the name changed: the check still runs over the dates.
    void nameOnlyStillChecked()
    {
        Fixture f;
        f.period()->setStop(ZUDayMonth());
        f.page.setObjects(&f.configuration, f.configuration.extraPeriods().mid(0, 1));
        type(field(f.page, "name"), QStringLiteral("Summer holidays"));
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        clickApply(f.page);
        QVERIFY(answerer.answered());
        QCOMPARE(f.period()->name(), QStringLiteral("Summer holidays"));
        QCOMPARE(f.period()->start(), ZUDayMonth(1, 6));
    }

    void refillKeepsChoice()
    {
        Fixture f;
        f.configuration.weekPlans().first()->setName(QStringLiteral("Usual"));
        f.page.configurationHasChanged(ZUDayPlan::staticMetaObject.className());
        QCOMPARE(field<QComboBox>(f.page, "week_plan")->currentText(),
                 QStringLiteral("1 (Normal week)"));
        f.page.configurationHasChanged(ZUWeekPlan::staticMetaObject.className());
        QCOMPARE(field<QComboBox>(f.page, "week_plan")->currentText(), QStringLiteral("1 (Usual)"));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void otherIdsAndNames()
    {
        Fixture f;
        type(field<IntEdit>(f.page, "id"), QStringLiteral("2"));
        QVERIFY(!apply(f.page)->isEnabled());
        type(field<IntEdit>(f.page, "id"), QStringLiteral("0"));
        QVERIFY(apply(f.page)->isEnabled());
        type(field(f.page, "name"), QStringLiteral("Winter"));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void severalSelected()
    {
        Fixture f(2);
        const QByteArray before = f.configuration.toJson();
        QVERIFY(allDisabled(f.page));
        for (const char *name : { "name", "start", "stop" })
            QVERIFY2(field(f.page, name)->text().isEmpty(), name);
        QCOMPARE(field<QComboBox>(f.page, "week_plan")->count(), 0);
        clickApply(f.page);
        QCOMPARE(f.configuration.toJson(), before);
        QVERIFY(f.classNames.isEmpty());
    }

    // Through the window: an empty stop asks; after Yes the reopened page shows it empty.
    void inWindow()
    {
        WindowFixture w(QStringLiteral("scheduler.json"));
        QVERIFY(w.loaded);
        ZUExtraPeriod *summer = w.configuration()->extraPeriods().first();
        w.selectObjects({ summer });
        auto *page = w.page<ExtraPeriodsWidget>();
        QVERIFY(page);
        type(field(*page, "stop"), QString());
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        clickApply(*page);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenText(), Question);
        w.save();
        QVERIFY(!w.savedFile()
                     .value("scheduler")
                     .toObject()
                     .value("extraPeriods")
                     .toArray()
                     .first()
                     .toObject()
                     .contains("stop"));
        w.selectObjects({ w.configuration()->extraPeriods().at(1) });
        w.selectObjects({ summer });
        QCOMPARE(field(*page, "stop")->text(), QString());
        QCOMPARE(field(*page, "start")->text(), QStringLiteral("01.06"));

        w.selectObjects({ summer, w.configuration()->extraPeriods().at(1) });
        QVERIFY(allDisabled(*page));
    }
};

PROJECT_TEST(TestExtraPeriodsWidget);
#include "tst_extraperiodswidget.moc"
