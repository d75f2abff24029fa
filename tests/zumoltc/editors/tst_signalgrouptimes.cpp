#include "pagefixture.h"
#include "pageswindow.h"
#include "testmain.h"
#include "zumoltc/editors/signalgrouptimes.h"
#include "zumoltc/editors/signalgroupwidget.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QtTest>

using namespace PageFixture;

namespace {

constexpr int NotSet = zu::NotSet;

const char *const timeNames[] = { "redAmber", "greenBlink", "amber",  "minRed",    "maxRed",
                                  "minGreen", "maxGreen",   "extRed", "extGreen1", "extGreen2" };

// The times page of its own, showing the defaults of the fixture.
struct DefaultsPage
{
    DefaultsPage()
        : page(false)
    {
        loaded = loadPages(configuration);
        page.load(configuration.signalGroupDefaults(), nullptr, false);
        QObject::connect(&page, &SignalGroupTimes::configurationChanged, &page,
                         [this](const char *className) {
                             classNames << QByteArray(className ? className : "null");
                         });
    }
    ZUConfiguration configuration;
    SignalGroupTimes page;
    bool loaded = false;
    QList<QByteArray> classNames;
};

} // namespace

class TestSignalGroupTimes : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        DefaultsPage f;
        QVERIFY(f.loaded);
        auto *grid = field<QGridLayout>(f.page, "gridLayout");
        QVERIFY(grid);
        const QList<QPair<int, int>> places = { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 0, 1 },
                                                { 1, 1 }, { 2, 1 }, { 3, 1 }, { 0, 2 }, { 1, 2 } };
        const QStringList labels
            = { "red-amber:",       "green blink:",    "amber:",         "minimum red:",
                "maximum red:",     "minimum green:",  "maximum green:", "extended red:",
                "extended green1:", "extended green2:" };
        for (int i = 0; i < 10; ++i) {
            auto *edit = field<IntEdit>(f.page, timeNames[i]);
            QVERIFY2(edit, timeNames[i]);
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(edit), &row, &column, &rowSpan, &columnSpan);
            QCOMPARE(row, places.at(i).first);
            QCOMPARE(column, places.at(i).second * 2 + 1);
            auto *label = qobject_cast<QLabel *>(grid->itemAtPosition(row, column - 1)->widget());
            QVERIFY(label);
            QCOMPARE(label->text(), labels.at(i));
            QVERIFY(label->alignment() & Qt::AlignRight);
        }
        QVERIFY(button(f.page, QDialogButtonBox::Apply));
        QVERIFY(f.page.findChild<DialogItemValidator *>());
        QCOMPARE(field(f.page, "amber")->text(), QStringLiteral("3"));
        QVERIFY(field(f.page, "redAmber")->text().isEmpty());
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
    }

    // Embedded: no box (not even one waiting for deletion), no spacer, no validator.
    void embedded()
    {
        QWidget host;
        auto *times = new SignalGroupTimes(true, &host);
        QVERIFY(!times->findChild<QDialogButtonBox *>());
        QVERIFY(!times->findChild<DialogItemValidator *>());
        auto *grid = field<QGridLayout>(*times, "gridLayout");
        for (int i = 0; i < grid->count(); ++i)
            QVERIFY(!grid->itemAt(i)->spacerItem()
                    || grid->itemAt(i)->spacerItem()->expandingDirections() != Qt::Vertical);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(times->findChildren<IntEdit *>().size(), 10);
    }

    // The defaults tab: an emptied amber is saved as not set, the rest stays.
    void defaultsEmptied()
    {
        DefaultsPage f;
        type(field(f.page, "amber"), QString());
        QVERIFY(button(f.page, QDialogButtonBox::Apply)->isEnabled());
        clickApply(f.page);
        QCOMPARE(f.classNames, QList<QByteArray> { "null" });
        QCOMPARE(f.configuration.signalGroupDefaults()->amber(), NotSet);
        const QJsonObject defaults
            = saved(f.configuration).value("signalGroups").toObject().value("default").toObject();
        QVERIFY(!defaults.contains("amber"));
        QCOMPARE(defaults.value("minGreen").toInt(), 5);
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
    }

    // Only the changed field is written; a typed 2147483647 is not set; no
    // relation between times is checked.
    void changedOnly()
    {
        DefaultsPage f;
        ZUSignalGroup *defaults = f.configuration.signalGroupDefaults();
        defaults->setMinGreen(9); // changed meanwhile, not on the page
        type(field(f.page, "maxGreen"), QStringLiteral("2"));
        type(field(f.page, "redAmber"), QStringLiteral("2147483647"));
        clickApply(f.page);
        QCOMPARE(defaults->maxGreen(), 2);
        QCOMPARE(defaults->minGreen(), 9);
        QCOMPARE(defaults->redAmber(), NotSet);
        QCOMPARE(defaults->amber(), 3);
    }

    void deadGroupWritesNothing()
    {
        DefaultsPage f;
        auto *group = new ZUSignalGroup;
        group->setAmber(4);
        f.page.load(group, nullptr, false);
        QCOMPARE(field(f.page, "amber")->text(), QStringLiteral("4"));
        delete group;
        f.page.load(QPointer<ZUSignalGroup>(), nullptr, false);
        QVERIFY(field(f.page, "amber")->text().isEmpty());
        type(field(f.page, "amber"), QStringLiteral("6"));
        clickApply(f.page);
        QVERIFY(f.classNames.isEmpty());
    }

    // The signal-group page shows the defaults as placeholders of its times,
    // after the groups' own values are merged.
    void placeholders_data()
    {
        QTest::addColumn<QList<int>>("own"); // amber of A, then of C when two
        QTest::addColumn<int>("inherited"); // default amber
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("placeholder");

        QTest::newRow("own 5, default 3") << QList<int> { 5 } << 3 << "5"
                                          << "3";
        QTest::newRow("own unset, default 3") << QList<int> { NotSet } << 3 << ""
                                              << "3";
        QTest::newRow("no default") << QList<int> { NotSet } << NotSet << ""
                                    << "";
        QTest::newRow("own 5, no default") << QList<int> { 5 } << NotSet << "5"
                                           << "";
        QTest::newRow("two differ") << QList<int> { 5, 7 } << 3 << ""
                                    << "5";
        QTest::newRow("two equal") << QList<int> { 5, 5 } << 3 << "5"
                                   << "3";
        QTest::newRow("two unset") << QList<int> { NotSet, NotSet } << 3 << ""
                                   << "3";
        QTest::newRow("first unset") << QList<int> { NotSet, 7 } << 3 << ""
                                     << "7";
    }

    void placeholders()
    {
        QFETCH(QList<int>, own);
        QFETCH(int, inherited);
        QFETCH(QString, text);
        QFETCH(QString, placeholder);

        ZUConfiguration configuration;
        QVERIFY(loadPages(configuration));
        QList<QPointer<ZUSignalGroup>> groups = { configuration.signalGroups().at(0) };
        if (own.size() > 1)
            groups << configuration.signalGroups().at(2);
        for (int i = 0; i < own.size(); ++i)
            groups.at(i)->setAmber(own.at(i));
        configuration.signalGroupDefaults()->setAmber(inherited);
        SignalGroupWidget page;
        page.setObjects(&configuration, groups);
        QLineEdit *amber = field(page, "amber");
        QCOMPARE(amber->text(), text);
        QCOMPARE(amber->placeholderText(), placeholder);
        QVERIFY(!button(page, QDialogButtonBox::Apply)->isEnabled());
    }

    // Emptying a field with its own value shows the default in its place.
    void emptiedShowsDefault()
    {
        ZUConfiguration configuration;
        QVERIFY(loadPages(configuration));
        SignalGroupWidget page;
        page.setObjects(&configuration, { configuration.signalGroups().at(0) });
        QLineEdit *amber = field(page, "amber");
        type(amber, QString());
        QVERIFY(amber->text().isEmpty());
        QCOMPARE(amber->placeholderText(), QStringLiteral("3"));
    }

    // Two groups with differing own times show empty; a typed value reaches both.
    void typedValueReachesAll()
    {
        ZUConfiguration configuration;
        QVERIFY(loadPages(configuration));
        const QPointer<ZUSignalGroup> a = configuration.signalGroups().at(0);
        const QPointer<ZUSignalGroup> c = configuration.signalGroups().at(2);
        SignalGroupWidget page;
        page.setObjects(&configuration, { a, c });
        QLineEdit *amber = field(page, "amber");
        QVERIFY(amber->text().isEmpty());
        field<QCheckBox>(page, "redefine_times")->setCheckState(Qt::Checked);
        type(amber, QStringLiteral("5"));
        clickApply(page);
        const QJsonObject json = saved(configuration);
        QCOMPARE(savedGroup(json, 1).value("amber").toInt(), 5);
        QCOMPARE(savedGroup(json, 3).value("amber").toInt(), 5);
        QCOMPARE(savedGroup(json, 3).value("type").toString(), QStringLiteral("pedestrian"));
    }

    // Through the window: the "Signal groups" branch opens the defaults tab; an
    // emptied amber is saved without it.
    void defaultsTabInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        w.select({ w.section(QStringLiteral("Signal groups")) });
        auto *page = w.page<SignalGroupTimes>();
        QVERIFY(page);
        QCOMPARE(w.tabText(page), QStringLiteral("Times of signal groups"));
        QCOMPARE(field(*page, "amber")->text(), QStringLiteral("3"));
        type(field(*page, "amber"), QString());
        QVERIFY(!w.tree()->isEnabled());
        clickApply(*page);
        QVERIFY(w.tree()->isEnabled());
        const QJsonObject json = w.save();
        const QJsonObject defaults
            = json.value("signalGroups").toObject().value("default").toObject();
        QVERIFY(!defaults.contains("amber"));
        QCOMPARE(defaults.value("minGreen").toInt(), 5);
    }

    // Through the window: two groups 5 and 7 under default 3 show empty; a typed
    // 5 is saved in both.
    void severalGroupsInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        QList<ZUSignalGroup *> groups
            = { w.configuration()->signalGroups().at(0), w.configuration()->signalGroups().at(2) };
        w.selectObjects(groups);
        auto *page = w.page<SignalGroupWidget>();
        QVERIFY(page);
        QCOMPARE(w.tabText(page), QStringLiteral("Signal groups (2)"));
        QLineEdit *amber = field(*page, "amber");
        QVERIFY(amber->text().isEmpty());
        QCOMPARE(amber->placeholderText(), QStringLiteral("5"));
        field<QCheckBox>(*page, "redefine_times")->setCheckState(Qt::Checked);
        type(amber, QStringLiteral("5"));
        clickApply(*page);
        QCOMPARE(w.tabText(page), QStringLiteral("Signal groups (2)"));
        const QJsonObject json = w.save();
        QCOMPARE(savedGroup(json, 1).value("amber").toInt(), 5);
        QCOMPARE(savedGroup(json, 3).value("amber").toInt(), 5);
        QCOMPARE(savedGroup(json, 3).value("type").toString(), QStringLiteral("pedestrian"));
    }
};

PROJECT_TEST(TestSignalGroupTimes);
#include "tst_signalgrouptimes.moc"
