#include "pagetesting.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/schedulerwidget.h"

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

using namespace PageTesting;

namespace {

// The scheduler fixture (plans 1 Day, 2 Peak, 3 Night; day plans 1 Workday,
// 2 Holiday; no defaults) shown on the page.
struct Fixture
{
    Fixture()
    {
        error = loadFixture(&configuration, QStringLiteral("scheduler.json"));
        page.load(&configuration);
        QObject::connect(&page, &SchedulerWidget::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }

    QComboBox *combo(const char *name) const { return field<QComboBox>(page, name); }

    QString error;
    ZUConfiguration configuration;
    SchedulerWidget page;
    QList<const char *> classNames;
};

} // namespace

class TestSchedulerWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        auto *defaults = field<QGroupBox>(f.page, "defaults");
        QCOMPARE(defaults->title(), QStringLiteral("Defaults"));
        const struct
        {
            const char *combo, *label, *clear, *tip;
        } rows[] = {
            { "prog", "Program:", "clear_prog", "Clear program" },
            { "spare_prog", "Spare program:", "clear_spare_prog", "Clear spare program" },
            { "dayplan", "Daily plan:", "clear_dayplan", "Clear daily plan" },
        };
        for (const auto &row : rows) {
            QComboBox *combo = f.combo(row.combo);
            QVERIFY2(combo && defaults->isAncestorOf(combo), row.combo);
            QVERIFY(!combo->isEditable());
            QCOMPARE(combo->sizeAdjustPolicy(), QComboBox::AdjustToContents);
            QCOMPARE(field<QLabel>(f.page, QByteArray(QByteArray(row.combo) + "Label").constData())
                         ->text(),
                     QLatin1String(row.label));
            auto *clear = field<QToolButton>(f.page, row.clear);
            QCOMPARE(clear->toolTip(), QLatin1String(row.tip));
            QVERIFY(clear->text().isEmpty() || clear->toolButtonStyle() == Qt::ToolButtonIconOnly);
        }
        QCOMPARE(itemTexts(f.combo("prog")), QStringList({ "1 (Day)", "2 (Peak)", "3 (Night)" }));
        QCOMPARE(itemTexts(f.combo("spare_prog")), itemTexts(f.combo("prog")));
        QCOMPARE(itemTexts(f.combo("dayplan")), QStringList({ "1 (Workday)", "2 (Holiday)" }));
        QCOMPARE(f.combo("prog")->itemData(1), QVariant(2));
        // No defaults in the file: nothing chosen, nothing to apply.
        for (const char *name : { "prog", "spare_prog", "dayplan" })
            QCOMPARE(f.combo(name)->currentIndex(), -1);
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void applySavesAndClears()
    {
        Fixture f;
        choose(f.combo("prog"), QStringLiteral("2 (Peak)"));
        choose(f.combo("spare_prog"), QStringLiteral("3 (Night)"));
        choose(f.combo("dayplan"), QStringLiteral("1 (Workday)"));
        QVERIFY(apply(f.page)->isEnabled());
        clickApply(f.page);
        QCOMPARE(f.classNames, QList<const char *>({ nullptr }));
        QCOMPARE(saved(&f.configuration).value("scheduler").toObject().value("default").toObject(),
                 QJsonObject({ { "dayPlan", 1 }, { "program", 2 }, { "spareProgram", 3 } }));
        QVERIFY(!apply(f.page)->isEnabled());

        QTest::mouseClick(field<QToolButton>(f.page, "clear_prog"), Qt::LeftButton);
        QCOMPARE(f.combo("prog")->currentIndex(), -1);
        clickApply(f.page);
        QCOMPARE(saved(&f.configuration).value("scheduler").toObject().value("default").toObject(),
                 QJsonObject({ { "dayPlan", 1 }, { "spareProgram", 3 } }));

        // Loading again shows what is stored.
        SchedulerWidget again;
        again.load(&f.configuration);
        QCOMPARE(field<QComboBox>(again, "prog")->currentIndex(), -1);
        QCOMPARE(field<QComboBox>(again, "spare_prog")->currentText(), QStringLiteral("3 (Night)"));
        QCOMPARE(field<QComboBox>(again, "dayplan")->currentText(), QStringLiteral("1 (Workday)"));
    }

    // A default changed elsewhere meanwhile survives an Apply of another combo.
    void onlyChangedWritten()
    {
        Fixture f;
        choose(f.combo("spare_prog"), QStringLiteral("1 (Day)"));
        f.configuration.setDefaultProgram(f.configuration.findSignalPlan(3));
        clickApply(f.page);
        QCOMPARE(f.configuration.defaultProgram(), f.configuration.findSignalPlan(3));
        QCOMPARE(f.configuration.defaultSpareProgram(), f.configuration.findSignalPlan(1));
        QVERIFY(!f.configuration.defaultDayPlan());
    }

    void refill()
    {
        Fixture f;
        choose(f.combo("prog"), QStringLiteral("2 (Peak)"));
        choose(f.combo("spare_prog"), QStringLiteral("3 (Night)"));
        choose(f.combo("dayplan"), QStringLiteral("2 (Holiday)"));
        clickApply(f.page);

        // A notice of another kind changes nothing.
        f.configuration.findSignalPlan(2)->setName(QStringLiteral("Rush"));
        f.configuration.findDayPlan(2)->setName(QStringLiteral("Sunday"));
        f.page.configurationHasChanged(ZUStage::staticMetaObject.className());
        f.page.configurationHasChanged(nullptr);
        QCOMPARE(f.combo("prog")->currentText(), QStringLiteral("2 (Peak)"));
        QCOMPARE(f.combo("dayplan")->currentText(), QStringLiteral("2 (Holiday)"));

        // Signal plans: both plan lists follow, the choice is kept by id.
        f.page.configurationHasChanged(ZUSignalPlan::staticMetaObject.className());
        QCOMPARE(f.combo("prog")->currentText(), QStringLiteral("2 (Rush)"));
        QCOMPARE(f.combo("spare_prog")->currentText(), QStringLiteral("3 (Night)"));
        QCOMPARE(itemTexts(f.combo("spare_prog")),
                 QStringList({ "1 (Day)", "2 (Rush)", "3 (Night)" }));
        QCOMPARE(f.combo("dayplan")->currentText(), QStringLiteral("2 (Holiday)"));
        QVERIFY(!apply(f.page)->isEnabled());

        f.page.configurationHasChanged(ZUDayPlan::staticMetaObject.className());
        QCOMPARE(f.combo("dayplan")->currentText(), QStringLiteral("2 (Sunday)"));

        // A vanished plan leaves no choice.
        delete f.configuration.findSignalPlan(2).data();
        f.page.configurationHasChanged(ZUSignalPlan::staticMetaObject.className());
        QCOMPARE(f.combo("prog")->currentIndex(), -1);
        QCOMPARE(itemTexts(f.combo("prog")), QStringList({ "1 (Day)", "3 (Night)" }));
    }

    // Through the window: the section opens the page, Save writes the defaults.
    void inWindow()
    {
        WindowFixture w(QStringLiteral("scheduler.json"));
        QVERIFY(w.loaded);
        w.selectSection(QStringLiteral("Scheduler"));
        auto *page = w.page<SchedulerWidget>();
        QVERIFY(page);
        QCOMPARE(w.tabText(page), QStringLiteral("Scheduler"));
        choose(field<QComboBox>(*page, "prog"), QStringLiteral("2 (Peak)"));
        choose(field<QComboBox>(*page, "spare_prog"), QStringLiteral("3 (Night)"));
        choose(field<QComboBox>(*page, "dayplan"), QStringLiteral("1 (Workday)"));
        QVERIFY(!w.tree()->isEnabled());
        clickApply(*page);
        QVERIFY(w.tree()->isEnabled());
        w.save();
        QCOMPARE(w.savedFile().value("scheduler").toObject().value("default").toObject(),
                 QJsonObject({ { "dayPlan", 1 }, { "program", 2 }, { "spareProgram", 3 } }));
        QTest::mouseClick(field<QToolButton>(*page, "clear_prog"), Qt::LeftButton);
        clickApply(*page);
        w.save();
        QCOMPARE(w.savedFile().value("scheduler").toObject().value("default").toObject(),
                 QJsonObject({ { "dayPlan", 1 }, { "spareProgram", 3 } }));
    }
};

PROJECT_TEST(TestSchedulerWidget);
#include "tst_schedulerwidget.moc"
