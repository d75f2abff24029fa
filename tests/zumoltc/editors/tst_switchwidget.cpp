#include "common/widgets/parameterstable.h"
#include "pagetesting.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/signalgroupwidget.h"
#include "zumoltc/editors/switchwidget.h"

#include "zumoltc/shell/framework/intedit.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using namespace PageTesting;

namespace {

// The switches fixture: switch 3 "K.3" at 2 (group 1, red, control on, lower
// bound 20), 4 "Lamp" at 3 (group 2, control off, 2 heads), 5 "K.5" at 9
// (group 2, green, ZU4_SW, lower bound 20); the default ZU4_SW with bounds 10,
// 200, 5. The given switches are shown.
struct Fixture
{
    explicit Fixture(const QList<int> &shown = { 0 })
    {
        Prefixes::setPrefix(Prefixes::Switch, QStringLiteral("K."));
        error = loadFixture(&configuration, QStringLiteral("switches.json"));
        show(shown);
        QObject::connect(&page, &SwitchWidget::configurationChanged, &page,
                         [this](const char *className) {
                             classNames << className;
                             changedAtSignal = page.property("changed").toBool();
                         });
    }

    void show(const QList<int> &shown)
    {
        QList<QPointer<ZUSwitch>> objects;
        for (int index : shown)
            objects << configuration.switches().at(index);
        page.setObjects(&configuration, objects);
    }
    ZUSwitch *sw(int index) { return configuration.switches().at(index); }
    IntEdit *edit(const char *name) const { return field<IntEdit>(page, name); }
    QCheckBox *box(const char *name) const { return field<QCheckBox>(page, name); }
    QComboBox *combo(const char *name) const { return field<QComboBox>(page, name); }
    QRadioButton *radio(const char *name) const { return field<QRadioButton>(page, name); }
    QStringList checkedColors() const
    {
        QStringList names;
        for (const char *name : { "color_red", "color_yellow", "color_green", "color_white" }) {
            if (radio(name)->isChecked())
                names << QLatin1String(name);
        }
        return names;
    }

    QString error;
    ZUConfiguration configuration;
    SwitchWidget page;
    QList<const char *> classNames;
    bool changedAtSignal = false;
};

} // namespace

class TestSwitchWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        QCOMPARE(itemTexts(f.combo("type")), QStringList({ "ZU4_SW" }));
        QCOMPARE(itemTexts(f.combo("signalGroup")),
                 QStringList({ "1 (Main street)", "2 (Side street)", "3 (P1)" }));
        QCOMPARE(field<QToolButton>(f.page, "clear_type")->toolTip(), QStringLiteral("Clear type"));
        QCOMPARE(field<QToolButton>(f.page, "clear_sg")->toolTip(),
                 QStringLiteral("Clear signal group"));
        QCOMPARE(field<QGroupBox>(f.page, "colorGroup")->title(), QStringLiteral("Color"));
        const QStringList texts = { "red", "yellow", "green", "white" };
        const char *names[] = { "color_red", "color_yellow", "color_green", "color_white" };
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f.radio(names[i])->text(), texts.at(i));
        QCOMPARE(f.box("control")->text(), QStringLiteral("Load control"));
        QCOMPARE(f.box("manualAddress")->text(), QStringLiteral("Address:"));
    }

    // Name and address follow the channel while their boxes are off.
    void derive_data()
    {
        QTest::addColumn<QString>("channel");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("applicable");

        QTest::newRow("7") << "7"
                           << "K.7"
                           << "6" << true;
        QTest::newRow("1") << "1"
                           << "K.1"
                           << "0" << true;
        QTest::newRow("empty") << ""
                               << "K."
                               << "0" << true;
        QTest::newRow("0 refused") << "0"
                                   << "K.0"
                                   << "0" << false;
        QTest::newRow("another switch's") << "4"
                                          << "K.4"
                                          << "3" << false;
    }

    void derive()
    {
        QFETCH(QString, channel);
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(bool, applicable);

        Fixture f;
        QVERIFY(!f.box("manualName")->isChecked());
        QVERIFY(!f.box("manualAddress")->isChecked());
        type(f.edit("id"), channel);
        QCOMPARE(field(f.page, "name")->text(), name);
        QCOMPARE(f.edit("addr")->text(), address);
        QCOMPARE(apply(f.page)->isEnabled(), applicable);
    }

    void loadTicksManualBoxes()
    {
        Fixture f;
        QVERIFY(field(f.page, "name")->isReadOnly());
        QVERIFY(f.edit("addr")->isReadOnly());
        QCOMPARE(f.edit("addr")->text(), QStringLiteral("2"));

        f.show({ 1 });
        QVERIFY(f.box("manualName")->isChecked());
        QVERIFY(!field(f.page, "name")->isReadOnly());
        QVERIFY(!f.box("manualAddress")->isChecked());
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("Lamp"));
        // Unticking derives again.
        f.box("manualName")->setChecked(false);
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("K.4"));
        QVERIFY(field(f.page, "name")->isReadOnly());

        f.show({ 2 });
        QVERIFY(!f.box("manualName")->isChecked());
        QVERIFY(f.box("manualAddress")->isChecked());
        QVERIFY(!f.edit("addr")->isReadOnly());
        QCOMPARE(f.edit("addr")->text(), QStringLiteral("9"));
        f.box("manualAddress")->setChecked(false);
        QCOMPARE(f.edit("addr")->text(), QStringLiteral("4"));
        QVERIFY(f.edit("addr")->isReadOnly());
    }

    void addressRules()
    {
        Fixture f;
        f.box("manualAddress")->setChecked(true);
        type(f.edit("addr"), QStringLiteral("9"));
        QVERIFY(!apply(f.page)->isEnabled());
        type(f.edit("addr"), QString());
        QVERIFY(!apply(f.page)->isEnabled());
        type(f.edit("addr"), QStringLiteral("12"));
        QVERIFY(apply(f.page)->isEnabled());
        type(field(f.page, "name"), QString());
        f.box("manualName")->setChecked(true);
        type(field(f.page, "name"), QStringLiteral("Lamp"));
        QVERIFY(!apply(f.page)->isEnabled());
        type(field(f.page, "name"), QStringLiteral("Lamp 2"));
        clickApply(f.page);
        QCOMPARE(f.sw(0)->addr(), 12);
        QCOMPARE(f.sw(0)->name(), QStringLiteral("Lamp 2"));
        QCOMPARE(f.page.windowTitle(), QStringLiteral("3 (Lamp 2)"));
        QCOMPARE(f.classNames, QList<const char *>({ ZUSwitch::staticMetaObject.className() }));
        // The change is announced before the page takes its new baseline.
        QVERIFY(f.changedAtSignal);
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void inheritedType()
    {
        Fixture f;
        QCOMPARE(f.combo("type")->currentText(), QStringLiteral("ZU4_SW"));
        QVERIFY(field<QGroupBox>(f.page, "currentBounds")->isHidden());
        type(f.edit("heads"), QStringLiteral("3"));
        clickApply(f.page);
        QCOMPARE(f.sw(0)->heads(), 3);
        QCOMPARE(f.sw(0)->type(), zu::NotSet);
        // Choosing the default's type stores none of its own.
        f.show({ 1 });
        QTest::mouseClick(field<QToolButton>(f.page, "clear_type"), Qt::LeftButton);
        QVERIFY(!field<QGroupBox>(f.page, "currentBounds")->isHidden());
        choose(f.combo("type"), QStringLiteral("ZU4_SW"));
        clickApply(f.page);
        QCOMPARE(f.sw(1)->type(), zu::NotSet);
        QVERIFY(!PageTesting::saved(&f.configuration)
                     .value("switches")
                     .toObject()
                     .value("items")
                     .toArray()
                     .at(1)
                     .toObject()
                     .contains("type"));
    }

    void inheritedBounds()
    {
        Fixture f;
        QCOMPARE(f.edit("lowCurrent")->text(), QStringLiteral("20"));
        QCOMPARE(f.edit("lowCurrent")->placeholderText(), QStringLiteral("10"));
        QVERIFY(f.edit("upCurrent")->text().isEmpty());
        QCOMPARE(f.edit("upCurrent")->placeholderText(), QStringLiteral("200"));
        QCOMPARE(f.edit("minCurrent")->placeholderText(), QStringLiteral("5"));
        // The default's lower bound typed in is stored as not set.
        type(f.edit("lowCurrent"), QStringLiteral("10"));
        type(f.edit("upCurrent"), QStringLiteral("150"));
        clickApply(f.page);
        QCOMPARE(f.sw(0)->lowCurrent(), zu::NotSet);
        QCOMPARE(f.sw(0)->upCurrent(), 150);
        f.show({ 0 });
        QVERIFY(f.edit("lowCurrent")->text().isEmpty());
        QCOMPARE(f.edit("lowCurrent")->placeholderText(), QStringLiteral("10"));

        // Differing values keep the merge's placeholder.
        f.show({ 0, 1 });
        QVERIFY(f.edit("upCurrent")->text().isEmpty());
        QCOMPARE(f.edit("upCurrent")->placeholderText(), QStringLiteral("150"));
    }

    void severalGroups()
    {
        Fixture f({ 0, 1 });
        for (const char *name : { "id", "name", "manualName", "addr", "manualAddress" })
            QVERIFY2(!field<QWidget>(f.page, name)->isEnabled(), name);
        QCOMPARE(f.combo("signalGroup")->currentIndex(), -1);
        choose(f.combo("signalGroup"), QStringLiteral("3 (P1)"));
        clickApply(f.page);
        QCOMPARE(f.sw(0)->signalGroup()->id(), 3);
        QCOMPARE(f.sw(1)->signalGroup()->id(), 3);
        // Channel, name and address are never written to several switches.
        QCOMPARE(f.sw(0)->id(), 3);
        QCOMPARE(f.sw(1)->name(), QStringLiteral("Lamp"));
        QCOMPARE(f.sw(1)->addr(), 3);
        f.show({ 0, 1 });
        QCOMPARE(f.combo("signalGroup")->currentText(), QStringLiteral("3 (P1)"));
        QTest::mouseClick(field<QToolButton>(f.page, "clear_sg"), Qt::LeftButton);
        clickApply(f.page);
        QVERIFY(!f.sw(0)->signalGroup());
        QVERIFY(!f.sw(1)->signalGroup());
    }

    void severalColors_data()
    {
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("red first") << QList<int>({ 0, 1 });
        QTest::newRow("unset first") << QList<int>({ 1, 0 });
    }

    void severalColors()
    {
        QFETCH(QList<int>, shown);

        Fixture f(shown);
        QCOMPARE(f.checkedColors(), QStringList());
        QTest::mouseClick(f.radio("color_green"), Qt::LeftButton);
        clickApply(f.page);
        QCOMPARE(f.sw(0)->color(), int(zu::Color::green));
        QCOMPARE(f.sw(1)->color(), int(zu::Color::green));
        f.show(shown);
        QCOMPARE(f.checkedColors(), QStringList({ "color_green" }));
    }

    void colorOfOne()
    {
        Fixture f;
        QCOMPARE(f.checkedColors(), QStringList({ "color_red" }));
        QTest::mouseClick(f.radio("color_yellow"), Qt::LeftButton);
        clickApply(f.page);
        QCOMPARE(f.sw(0)->color(), int(zu::Color::amber));
        f.show({ 2 });
        QCOMPARE(f.checkedColors(), QStringList({ "color_green" }));
        f.show({ 1 });
        QCOMPARE(f.checkedColors(), QStringList());
    }

    void severalControl()
    {
        Fixture f({ 0, 1 });
        QVERIFY(f.box("control")->isTristate());
        QCOMPARE(f.box("control")->checkState(), Qt::PartiallyChecked);
        QCOMPARE(f.edit("heads")->text(), QString());
        type(f.edit("heads"), QStringLiteral("4"));
        clickApply(f.page);
        QVERIFY(f.sw(0)->control());
        QVERIFY(!f.sw(1)->control());
        QCOMPARE(f.sw(0)->heads(), 4);
        QCOMPARE(f.sw(1)->heads(), 4);

        // Equal values: two states shown, and written when changed.
        f.show({ 1 });
        QVERIFY(!f.box("control")->isTristate());
        QCOMPARE(f.box("control")->checkState(), Qt::Unchecked);
        QTest::mouseClick(f.box("control"), Qt::LeftButton);
        clickApply(f.page);
        QVERIFY(f.sw(1)->control());
    }

    void refillGroups()
    {
        Fixture f;
        f.configuration.findSignalGroup(1)->setName(QStringLiteral("High street"));
        f.page.configurationHasChanged(ZUStage::staticMetaObject.className());
        QCOMPARE(f.combo("signalGroup")->currentText(), QStringLiteral("1 (Main street)"));
        f.page.configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
        QCOMPARE(f.combo("signalGroup")->currentText(), QStringLiteral("1 (High street)"));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    // Through the window; a signal-group change announced by the window refills the groups.
    void inWindow()
    {
        WindowFixture w(QStringLiteral("switches.json"));
        QVERIFY(w.loaded);
        QList<QPointer<ZUSwitch>> &switches = w.configuration()->switches();
        w.selectObjects({ switches.at(0), switches.at(1) });
        auto *page = w.page<SwitchWidget>();
        QVERIFY(page);
        QCOMPARE(w.tabText(page), QStringLiteral("Power switches (2)"));
        choose(field<QComboBox>(*page, "signalGroup"), QStringLiteral("3 (P1)"));
        clickApply(*page);
        w.save();
        const QJsonArray saved
            = w.savedFile().value("switches").toObject().value("items").toArray();
        QCOMPARE(saved.at(0).toObject().value("signalGroup"), QJsonValue(3));
        QCOMPARE(saved.at(1).toObject().value("signalGroup"), QJsonValue(3));

        w.selectObjects({ switches.at(0) });
        QCOMPARE(field<QComboBox>(*page, "signalGroup")->currentText(), QStringLiteral("3 (P1)"));
        w.configuration()->findSignalGroup(3)->setName(QStringLiteral("Crossing"));
        w.window.configuration_changed(ZUSignalGroup::staticMetaObject.className());
        QCOMPARE(field<QComboBox>(*page, "signalGroup")->currentText(),
                 QStringLiteral("3 (Crossing)"));
        QVERIFY(!apply(*page)->isEnabled());
    }

    // An open signal-group page follows a switch Apply on the page beside it: the switch
    // given to its group joins its keys table, ticked.
    void signalGroupPageFollowsSwitchApply()
    {
        WindowFixture w(QStringLiteral("switches.json"));
        QVERIFY(w.loaded);
        ZUSwitch *lamp = w.configuration()->switches().at(1);
        w.selectObjects({ w.configuration()->findSignalGroup(3), lamp });
        auto *groupPage = w.page<SignalGroupWidget>();
        auto *switchPage = w.page<SwitchWidget>();
        QVERIFY(groupPage);
        QVERIFY(switchPage);
        auto keyOf = [groupPage](const QString &name) {
            auto *keys = field<ParametersTable>(*groupPage, "keysTable");
            for (int row = 0; row < keys->rowCount(); ++row) {
                if (keys->cellData(row, SignalGroupWidget::Name).toString() == name)
                    return keys->cellData(row, SignalGroupWidget::Assigned);
            }
            return QVariant();
        };
        QVERIFY(!keyOf(lamp->name()).toBool());

        choose(field<QComboBox>(*switchPage, "signalGroup"), QStringLiteral("3 (P1)"));
        clickApply(*switchPage);
        QCOMPARE(keyOf(lamp->name()), QVariant(true));
        QVERIFY(!apply(*groupPage)->isEnabled());
    }
};

PROJECT_TEST(TestSwitchWidget);
#include "tst_switchwidget.moc"
