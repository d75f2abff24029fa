#include "pagetesting.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/switchdefaultswidget.h"

#include "zumoltc/shell/framework/intedit.h"

#include <QGroupBox>
#include <QToolButton>
#include <QtTest>

using namespace PageTesting;

namespace {

// The switches fixture's default switch (ZU4_SW, bounds 10, 200, 5) shown.
struct Fixture
{
    Fixture()
    {
        error = loadFixture(&configuration, QStringLiteral("switches.json"));
        page.setWindowTitle(QStringLiteral("Power switches"));
        page.load(configuration.switchDefaults());
        QObject::connect(&page, &SwitchDefaultsWidget::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }

    QGroupBox *bounds() const { return field<QGroupBox>(page, "currentBounds"); }
    ZUSwitch *defaults() { return configuration.switchDefaults(); }

    QString error;
    ZUConfiguration configuration;
    SwitchDefaultsWidget page;
    QList<const char *> classNames;
};

} // namespace

class TestSwitchDefaultsWidget : public QObject
{
    Q_OBJECT
private slots:
    void typeHidesBounds()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        auto *type = field<QComboBox>(f.page, "type");
        QCOMPARE(itemTexts(type), QStringList({ "ZU4_SW" }));
        QCOMPARE(type->currentText(), QStringLiteral("ZU4_SW"));
        QCOMPARE(f.bounds()->title(), QStringLiteral("Current control"));
        QVERIFY(!f.bounds()->isCheckable());
        QVERIFY(f.bounds()->isHidden());
        QCOMPARE(field<IntEdit>(f.page, "upCurrent")->text(), QStringLiteral("200"));
        auto *clear = field<QToolButton>(f.page, "clear_type");
        QCOMPARE(clear->toolTip(), QStringLiteral("Clear type"));
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(!f.bounds()->isHidden());
        QVERIFY(apply(f.page)->isEnabled());
        clickApply(f.page);
        QCOMPARE(f.defaults()->type(), zu::NotSet);
        QCOMPARE(f.classNames, QList<const char *>({ nullptr }));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("Power switches"));
        choose(type, QStringLiteral("ZU4_SW"));
        QVERIFY(f.bounds()->isHidden());
        clickApply(f.page);
        QCOMPARE(f.defaults()->type(), int(zu::ZU4_SW));
    }

    void emptiedBoundNotSaved()
    {
        Fixture f;
        type(field<IntEdit>(f.page, "upCurrent"), QString());
        clickApply(f.page);
        QCOMPARE(f.defaults()->upCurrent(), zu::NotSet);
        const QJsonObject saved = PageTesting::saved(&f.configuration)
                                      .value("switches")
                                      .toObject()
                                      .value("default")
                                      .toObject();
        QVERIFY(!saved.contains("upCurrent"));
        QCOMPARE(saved.value("lowCurrent"), QJsonValue(10));
    }

    // A bound edited while shown is applied after the group is hidden again.
    void hiddenBoundStillApplied()
    {
        Fixture f;
        QTest::mouseClick(field<QToolButton>(f.page, "clear_type"), Qt::LeftButton);
        type(field<IntEdit>(f.page, "minCurrent"), QStringLiteral("8"));
        choose(field<QComboBox>(f.page, "type"), QStringLiteral("ZU4_SW"));
        QVERIFY(f.bounds()->isHidden());
        clickApply(f.page);
        QCOMPARE(f.defaults()->minCurrent(), 8);
        QCOMPARE(f.defaults()->type(), int(zu::ZU4_SW));
    }

    void inWindow()
    {
        WindowFixture w(QStringLiteral("switches.json"));
        QVERIFY(w.loaded);
        w.selectSection(QStringLiteral("Power switches"));
        auto *page = w.page<SwitchDefaultsWidget>();
        QVERIFY(page);
        auto *bounds = field<QGroupBox>(*page, "currentBounds");
        QVERIFY(bounds->isHidden());
        QTest::mouseClick(field<QToolButton>(*page, "clear_type"), Qt::LeftButton);
        QVERIFY(!bounds->isHidden());
        type(field<IntEdit>(*page, "upCurrent"), QString());
        clickApply(*page);
        QCOMPARE(w.tabText(page), QStringLiteral("Power switches"));
        w.save();
        QCOMPARE(w.savedFile().value("switches").toObject().value("default").toObject(),
                 QJsonObject({ { "lowCurrent", 10 }, { "minCurrent", 5 } }));
    }
};

PROJECT_TEST(TestSwitchDefaultsWidget);
#include "tst_switchdefaultswidget.moc"
