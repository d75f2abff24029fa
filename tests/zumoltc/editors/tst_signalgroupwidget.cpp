#include "common/widgets/parameterstable.h"
#include "pagefixture.h"
#include "pageswindow.h"
#include "testmain.h"
#include "zumoltc/editors/signalgroupwidget.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QTextDocument>
#include <QtTest>

using namespace PageFixture;

namespace {

constexpr int NotSet = zu::NotSet;

struct Fixture
{
    Fixture()
    {
        loaded = loadPages(configuration);
        QObject::connect(&page, &SignalGroupWidget::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }
    QPointer<ZUSignalGroup> group(int index) { return configuration.signalGroups().at(index); }
    void show(const QList<int> &indexes)
    {
        QList<QPointer<ZUSignalGroup>> groups;
        for (int index : indexes)
            groups << group(index);
        page.setObjects(&configuration, groups);
    }
    ParametersTable *keys() const { return field<ParametersTable>(page, "keysTable"); }
    QCheckBox *redefine() const { return field<QCheckBox>(page, "redefine_times"); }
    QComboBox *typeBox() const { return field<QComboBox>(page, "type"); }
    // The rows of the keys table by switch name: ticked or not.
    QMap<QString, bool> keyRows() const
    {
        QMap<QString, bool> rows;
        for (int row = 0; row < keys()->rowCount(); ++row)
            rows.insert(keys()->cellData(row, SignalGroupWidget::Name).toString(),
                        keys()->cellData(row, SignalGroupWidget::Assigned).toBool());
        return rows;
    }
    int keyRow(const QString &name) const
    {
        for (int row = 0; row < keys()->rowCount(); ++row) {
            if (keys()->cellData(row, SignalGroupWidget::Name).toString() == name)
                return row;
        }
        return -1;
    }
    // Flips an Assigned cell with Space, as the user does.
    void toggleKey(const QString &name)
    {
        keys()->setCurrentCell(keyRow(name), SignalGroupWidget::Assigned);
        QTest::keyClick(keys(), Qt::Key_Space);
    }
    QJsonObject savedSwitch(int id)
    {
        return itemWithId(
            saved(configuration).value("switches").toObject().value("items").toArray(), id);
    }

    ZUConfiguration configuration;
    SignalGroupWidget page;
    bool loaded = false;
    QList<const char *> classNames;
};

} // namespace

class TestSignalGroupWidget : public QObject
{
    Q_OBJECT
private slots:
    // The main window sets the display texts before any page exists.
    void initTestCase() { zu::registerDisplayTexts(); }

    void form()
    {
        Fixture f;
        QVERIFY(f.loaded);
        QCOMPARE(f.typeBox()->count(), 5);
        const QStringList texts = { "traffic", "pedestrian", "arrow", "tram", "always on" };
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(f.typeBox()->itemText(i), texts.at(i));
            QCOMPARE(f.typeBox()->itemData(i).toInt(), i);
        }
        QStringList headers;
        for (int column = 0; column < f.keys()->columnCount(); ++column)
            headers << f.keys()->horizontalHeaderItem(column)->text();
        QCOMPARE(headers,
                 QStringList({ "Assigned", "Address", "Name", "Type", "Load control", "Lamps count",
                               "Color" }));
        QCOMPARE(f.keys()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!field<QFrame>(f.page, "redefined_times")->isEnabled());
        QVERIFY(field(f.page, "name")->isReadOnly());
    }

    // One group: its values, its keys, the T-light row for trams only.
    void oneGroup()
    {
        Fixture f;
        f.show({ 1 }); // B, a tram driven by S3
        QCOMPARE(field(f.page, "id")->text(), QStringLiteral("2"));
        QCOMPARE(field(f.page, "name")->text(), QStringLiteral("B"));
        QVERIFY(field<QCheckBox>(f.page, "manualName")->isChecked());
        QCOMPARE(f.typeBox()->currentData().toInt(), int(zu::tram));
        QVERIFY(field<IntEdit>(f.page, "tClusterId")->isVisibleTo(&f.page));
        QCOMPARE(f.redefine()->checkState(), Qt::Unchecked);
        QVERIFY(!f.redefine()->isTristate());
        QMap<QString, bool> expected { { "S3", true }, { "<b>&", false } };
        QCOMPARE(f.keyRows(), expected);
        // The free switch has no type of its own: the default switch's shows.
        const int free = f.keyRow("<b>&");
        QCOMPARE(f.keys()->cellData(free, SignalGroupWidget::Type).toInt(), int(zu::ZU4_SW));
        QVERIFY(!f.keys()->item(free, SignalGroupWidget::Color)->icon().isNull());
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());

        f.show({ 0 }); // A, traffic
        QVERIFY(!field<IntEdit>(f.page, "tClusterId")->isVisibleTo(&f.page));
        QCOMPARE(f.redefine()->checkState(), Qt::Checked); // amber 5 against the default 3
        QVERIFY(field<QFrame>(f.page, "redefined_times")->isEnabled());
        expected = { { "S1", true }, { "<b>&", false } };
        QCOMPARE(f.keyRows(), expected);
        QVERIFY(field<QCheckBox>(f.page, "manualName")->isChecked()); // "A" is a name by hand
        f.typeBox()->setCurrentIndex(f.typeBox()->findData(int(zu::tram)));
        QVERIFY(field<IntEdit>(f.page, "tClusterId")->isVisibleTo(&f.page));
    }

    // Ticking the free key assigns it on Apply, unticking frees it again.
    void assignKey()
    {
        Fixture f;
        f.show({ 0 });
        f.toggleKey("<b>&");
        QVERIFY(button(f.page, QDialogButtonBox::Apply)->isEnabled());
        clickApply(f.page);
        QCOMPARE(f.classNames.size(), 1);
        QCOMPARE(f.classNames.first(), ZUSignalGroup::staticMetaObject.className());
        QCOMPARE(f.savedSwitch(2).value("signalGroup").toInt(), 1);
        QCOMPARE(f.savedSwitch(3).value("signalGroup").toInt(), 2); // another group's key untouched
        QCOMPARE(f.page.windowTitle(), f.group(0)->text(QStringLiteral("traffic")));

        f.toggleKey("<b>&");
        f.toggleKey("S1");
        clickApply(f.page);
        QVERIFY(!f.savedSwitch(2).contains("signalGroup"));
        QVERIFY(!f.savedSwitch(1).contains("signalGroup"));
    }

    // The strip of assigned keys shows switch names as text, and is whole HTML.
    void assignedKeysEscaped()
    {
        Fixture f;
        f.show({ 0 });
        f.toggleKey("<b>&");
        const QString html = field<QLabel>(f.page, "assignedKeys")->text();
        QVERIFY(html.startsWith("<html><head/><body><table border=\"1\"><tr>"));
        QVERIFY(html.endsWith("</tr></table></body></html>"));
        QVERIFY(html.contains("://images/red_c.png"));
        QVERIFY(html.contains("://images/gray_c.png"));
        QTextDocument document;
        document.setHtml(html);
        QVERIFY2(document.toPlainText().contains(f.configuration.switches().at(1)->text(QString())),
                 qPrintable(document.toPlainText()));
        QVERIFY(document.toPlainText().contains("<b>&"));
    }

    // Unticking "Redefine times" keeps the type and drops the own times.
    void dropOwnTimes()
    {
        Fixture f;
        f.group(2)->setTClusterId(4);
        f.show({ 2 }); // C, pedestrian with amber 7
        QCOMPARE(f.redefine()->checkState(), Qt::Checked);
        QTest::mouseClick(f.redefine(), Qt::LeftButton, {}, QPoint(5, f.redefine()->height() / 2));
        QCOMPARE(f.redefine()->checkState(), Qt::Unchecked);
        clickApply(f.page);
        const QJsonObject c = savedGroup(saved(f.configuration), 3);
        QCOMPARE(c.value("type").toString(), QStringLiteral("pedestrian"));
        QVERIFY(!c.contains("amber"));
        QVERIFY(!f.group(2)->hasTimes());
        QCOMPARE(f.group(2)->tClusterId(), 4);
    }

    // Own times equal to the defaults leave the box unticked; any Apply then
    // drops them.
    void timesLikeDefaults()
    {
        Fixture f;
        f.group(0)->setAmber(3);
        f.group(0)->setMinGreen(5);
        f.show({ 0 });
        QCOMPARE(f.redefine()->checkState(), Qt::Unchecked);
        type(field(f.page, "tClusterId"), QStringLiteral("8"));
        clickApply(f.page);
        QVERIFY(!f.group(0)->hasTimes());
        QCOMPARE(f.group(0)->tClusterId(), 8);
        QCOMPARE(f.group(0)->type(), int(zu::traffic));
    }

    // An embedded time edit enables the page's own Apply.
    void embeddedEditEnablesApply()
    {
        Fixture f;
        f.show({ 0 });
        type(field(f.page, "minRed"), QStringLiteral("4"));
        QVERIFY(button(f.page, QDialogButtonBox::Apply)->isEnabled());
        clickApply(f.page);
        QCOMPARE(f.group(0)->minRed(), 4);
        QCOMPARE(f.group(0)->amber(), 5);
    }

    // Several groups: Apply writes only what the user changed.
    void severalGroups_data()
    {
        QTest::addColumn<Qt::CheckState>("redefine");
        QTest::addColumn<int>("amberA");
        QTest::addColumn<int>("amberC");

        QTest::newRow("partly checked writes no times") << Qt::PartiallyChecked << 5 << 7;
        QTest::newRow("checked writes the changed times") << Qt::Checked << 9 << 9;
        QTest::newRow("unchecked drops the own times") << Qt::Unchecked << NotSet << NotSet;
    }

    void severalGroups()
    {
        QFETCH(Qt::CheckState, redefine);
        QFETCH(int, amberA);
        QFETCH(int, amberC);

        Fixture f;
        f.group(0)->setTClusterId(4);
        f.group(2)->setTClusterId(6);
        f.group(2)->setMinRed(2);
        f.show({ 0, 2 });
        QVERIFY(f.redefine()->isTristate());
        QCOMPARE(f.redefine()->checkState(), Qt::PartiallyChecked);
        QVERIFY(!field(f.page, "id")->isEnabled());
        QVERIFY(!f.keys()->isEnabled());
        QCOMPARE(f.keys()->rowCount(), 2); // S1 of A and the free key; S3 drives B
        QVERIFY(field(f.page, "tClusterId")->text().isEmpty());
        QCOMPARE(f.typeBox()->currentData().toInt(), int(zu::traffic)); // the first group's

        f.redefine()->setCheckState(redefine);
        type(field(f.page, "amber"), QStringLiteral("9"));
        clickApply(f.page);
        QCOMPARE(f.group(0)->amber(), amberA);
        QCOMPARE(f.group(2)->amber(), amberC);
        QCOMPARE(f.group(2)->minRed(), redefine == Qt::Unchecked ? NotSet : 2);
        QCOMPARE(f.group(0)->type(), int(zu::traffic));
        QCOMPARE(f.group(2)->type(), int(zu::pedestrian));
        QCOMPARE(f.group(0)->tClusterId(), 4);
        QCOMPARE(f.group(2)->tClusterId(), 6);
        QCOMPARE(f.group(0)->name(), QStringLiteral("A"));
    }

    // A T-light number typed for several groups reaches all of them.
    void severalGroupsTLight()
    {
        Fixture f;
        f.group(0)->setTClusterId(4);
        f.show({ 0, 2 });
        type(field(f.page, "tClusterId"), QStringLiteral("7"));
        clickApply(f.page);
        QCOMPARE(f.group(0)->tClusterId(), 7);
        QCOMPARE(f.group(2)->tClusterId(), 7);
        QCOMPARE(f.group(2)->amber(), 7);
    }

    // Another group's id or name keeps Apply disabled; id 0 is allowed.
    void forbiddenIdAndName()
    {
        Fixture f;
        f.show({ 0 });
        QLineEdit *id = field(f.page, "id");
        type(id, QStringLiteral("2"));
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
        QCOMPARE(id->palette().color(QPalette::Base), QColor(Qt::red));
        type(id, QStringLiteral("0"));
        QVERIFY(button(f.page, QDialogButtonBox::Apply)->isEnabled());
        type(field(f.page, "name"), QStringLiteral("C"));
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
        type(field(f.page, "name"), QStringLiteral("Zero"));
        clickApply(f.page);
        QCOMPARE(f.group(0)->id(), 0);
        QCOMPARE(f.group(0)->name(), QStringLiteral("Zero"));
    }

    // A type the combo box does not know disables it; the type survives Apply.
    void unknownType()
    {
        Fixture f;
        f.group(0)->setType(NotSet);
        f.show({ 0 });
        QVERIFY(!f.typeBox()->isEnabled());
        QCOMPARE(f.typeBox()->currentText(), QStringLiteral("unknown"));
        type(field(f.page, "minRed"), QStringLiteral("4"));
        clickApply(f.page);
        QCOMPARE(f.group(0)->type(), NotSet);
        f.show({ 1 });
        QVERIFY(f.typeBox()->isEnabled());
        QCOMPARE(f.typeBox()->currentText(), QStringLiteral("tram"));
    }

    // Only an Apply of switches refills the keys table, as the new baseline.
    void keysRefilled()
    {
        Fixture f;
        f.show({ 0 });
        f.configuration.switches().at(1)->setSignalGroup(f.group(1));
        f.page.configurationHasChanged(ZUStage::staticMetaObject.className());
        f.page.configurationHasChanged(nullptr);
        QCOMPARE(f.keys()->rowCount(), 2);
        f.page.configurationHasChanged(ZUSwitch::staticMetaObject.className());
        QMap<QString, bool> expected { { "S1", true } };
        QCOMPARE(f.keyRows(), expected);
        QVERIFY(!f.page.property("changed").toBool());
    }

    // Through the window: one group; the free key assigned and freed again;
    // "Redefine times" unticked; each step saved and read back.
    void oneGroupInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        ZUConfiguration *c = w.configuration();
        w.selectObjects(QList<ZUSignalGroup *> { c->signalGroups().at(1) });
        auto *page = w.page<SignalGroupWidget>();
        QVERIFY(page);
        QVERIFY(field<IntEdit>(*page, "tClusterId")->isVisibleTo(page)); // B is a tram

        w.selectObjects(QList<ZUSignalGroup *> { c->signalGroups().at(2) });
        QCOMPARE(w.page<SignalGroupWidget>(), page); // the same page, reloaded
        QVERIFY(!field<IntEdit>(*page, "tClusterId")->isVisibleTo(page));
        auto *keys = field<ParametersTable>(*page, "keysTable");
        int free = -1;
        for (int row = 0; row < keys->rowCount(); ++row) {
            if (keys->cellData(row, SignalGroupWidget::Name).toString() == QLatin1String("<b>&"))
                free = row;
        }
        QVERIFY(free >= 0);
        keys->setCurrentCell(free, SignalGroupWidget::Assigned);
        QTest::keyClick(keys, Qt::Key_Space);
        QVERIFY(!w.tree()->isEnabled());
        clickApply(*page);
        QCOMPARE(w.tabText(page), c->signalGroups().at(2)->text(QStringLiteral("pedestrian")));
        auto savedSwitch = [&w](int id) {
            return itemWithId(w.save().value("switches").toObject().value("items").toArray(), id);
        };
        QCOMPARE(savedSwitch(2).value("signalGroup").toInt(), 3);

        keys->setCurrentCell(free, SignalGroupWidget::Assigned);
        QTest::keyClick(keys, Qt::Key_Space);
        clickApply(*page);
        QVERIFY(!savedSwitch(2).contains("signalGroup"));

        auto *redefine = field<QCheckBox>(*page, "redefine_times");
        QCOMPARE(redefine->checkState(), Qt::Checked);
        QTest::mouseClick(redefine, Qt::LeftButton, {}, QPoint(5, redefine->height() / 2));
        clickApply(*page);
        const QJsonObject group = savedGroup(w.save(), 3);
        QCOMPARE(group.value("type").toString(), QStringLiteral("pedestrian"));
        QVERIFY(!group.contains("amber"));
        QCOMPARE(group.value("name").toString(), QStringLiteral("C"));
    }

    // Through the window: an untouched merged page writes nothing to several groups.
    void severalGroupsUntouchedInWindow()
    {
        PagesWindow w;
        QVERIFY(w.loaded);
        ZUConfiguration *c = w.configuration();
        c->signalGroups().at(0)->setTClusterId(4);
        const QJsonObject before = w.save();
        w.selectObjects(QList<ZUSignalGroup *> { c->signalGroups().at(0), c->signalGroups().at(1),
                                                 c->signalGroups().at(2) });
        auto *page = w.page<SignalGroupWidget>();
        type(field(*page, "minRed"), QStringLiteral("3")); // partly checked: no times
        clickApply(*page);
        QCOMPARE(w.save().value("signalGroups"), before.value("signalGroups"));
        QCOMPARE(c->signalGroups().at(0)->tClusterId(), 4);
        QCOMPARE(c->signalGroups().at(1)->tClusterId(), int(NotSet));
    }
};

PROJECT_TEST(TestSignalGroupWidget);
#include "tst_signalgroupwidget.moc"
