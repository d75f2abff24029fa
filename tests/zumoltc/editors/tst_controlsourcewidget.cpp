#include "pagetesting.h"
#include "testmain.h"
#include "windowtesting.h"
#include "zumoltc/editors/controlsourcewidget.h"

#include "zumoltc/shell/framework/intedit.h"

#include <QtTest>

using namespace PageTesting;

namespace {

// The switches fixture (sources 1 emergency pr=1, 2 scheduler pr=2, 3 RCP pr=3)
// with one source shown.
struct Fixture
{
    explicit Fixture(int first = 1, int count = 1)
    {
        error = loadFixture(&configuration, QStringLiteral("switches.json"));
        page.setObjects(&configuration, configuration.controlSources().mid(first, count));
        QObject::connect(&page, &ControlSourceWidget::configurationChanged, &page,
                         [this](const char *className) { classNames << className; });
    }

    ZUControlSource *source(int index) { return configuration.controlSources().at(index); }
    IntEdit *edit(const char *name) const { return field<IntEdit>(page, name); }
    QComboBox *type() const { return field<QComboBox>(page, "type"); }

    QString error;
    ZUConfiguration configuration;
    ControlSourceWidget page;
    QList<const char *> classNames;
};

} // namespace

class TestControlSourceWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { zu::registerDisplayTexts(); }

    void offersFreeTypesOnly()
    {
        Fixture f;
        QCOMPARE(f.error, QString());
        QCOMPARE(itemTexts(f.type()), QStringList({ "Scheduler", "ITS tiverk" }));
        QCOMPARE(f.type()->currentText(), QStringLiteral("Scheduler"));
        QCOMPARE(f.type()->currentData(), QVariant(int(zu::scheduler)));
        QCOMPARE(f.edit("id")->text(), QStringLiteral("2"));
        QCOMPARE(f.edit("priority")->text(), QStringLiteral("2"));
        QCOMPARE(f.edit("timeout")->text(), QStringLiteral("0"));
        QVERIFY(!apply(f.page)->isEnabled());
    }

    void priority()
    {
        Fixture f;
        IntEdit *priority = f.edit("priority");
        type(priority, QStringLiteral("3"));
        QVERIFY(!apply(f.page)->isEnabled());
        type(priority, QStringLiteral("10000"));
        QCOMPARE(priority->text(), QStringLiteral("1000"));
        type(priority, QStringLiteral("5"));
        QVERIFY(apply(f.page)->isEnabled());
        clickApply(f.page);
        QCOMPARE(f.source(1)->priority(), 5);
        QCOMPARE(f.page.windowTitle(), QStringLiteral("2 (Scheduler) [pr=5]"));
        QCOMPARE(f.classNames,
                 QList<const char *>({ ZUControlSource::staticMetaObject.className() }));
        const QJsonArray saved
            = PageTesting::saved(&f.configuration).value("controlSources").toArray();
        QCOMPARE(saved.at(1).toObject().value("priority"), QJsonValue(5));
        QCOMPARE(saved.at(1).toObject().value("type"), QJsonValue("scheduler"));
    }

    // Another source without a priority forbids an empty one too.
    void notSetPriorityOfAnother()
    {
        Fixture f;
        f.source(0)->setPriority(zu::NotSet);
        f.page.setObjects(&f.configuration, f.configuration.controlSources().mid(1, 1));
        type(f.edit("priority"), QString());
        QVERIFY(!apply(f.page)->isEnabled());
        type(f.edit("priority"), QStringLiteral("1"));
        QVERIFY(apply(f.page)->isEnabled());
    }

    void ids()
    {
        Fixture f;
        type(f.edit("id"), QStringLiteral("3"));
        QVERIFY(!apply(f.page)->isEnabled());
        type(f.edit("id"), QStringLiteral("0"));
        QVERIFY(apply(f.page)->isEnabled());
        clickApply(f.page);
        QCOMPARE(f.source(1)->id(), 0);
        QCOMPARE(f.source(1)->priority(), 2);
    }

    // A type another source also has shows no item and stays until a type is applied.
    void sharedTypeStays()
    {
        Fixture f;
        f.source(0)->setType(zu::scheduler);
        f.page.setObjects(&f.configuration, f.configuration.controlSources().mid(1, 1));
        QCOMPARE(f.type()->currentIndex(), -1);
        QCOMPARE(itemTexts(f.type()), QStringList({ "Emergency", "ITS tiverk" }));
        type(f.edit("timeout"), QStringLiteral("15"));
        clickApply(f.page);
        QCOMPARE(f.source(1)->type(), int(zu::scheduler));
        QCOMPARE(f.source(1)->timeout(), 15);
        choose(f.type(), QStringLiteral("ITS tiverk"));
        clickApply(f.page);
        QCOMPARE(f.source(1)->type(), int(zu::tiverkITS));
    }

    void severalSelected()
    {
        Fixture f(0, 2);
        const QByteArray before = f.configuration.toJson();
        QVERIFY(allDisabled(f.page));
        QVERIFY(!button(f.page, QDialogButtonBox::Apply)->isEnabled());
        QVERIFY(!button(f.page, QDialogButtonBox::Cancel)->isEnabled());
        QVERIFY(field<QDialogButtonBox>(f.page, "buttonBox")->isEnabled());
        QCOMPARE(f.type()->count(), 0);
        for (const char *name : { "id", "priority", "timeout" })
            QVERIFY2(f.edit(name)->text().isEmpty(), name);
        clickApply(f.page);
        QCOMPARE(f.configuration.toJson(), before);
        QVERIFY(f.classNames.isEmpty());
    }

    void inWindow()
    {
        WindowFixture w(QStringLiteral("switches.json"));
        QVERIFY(w.loaded);
        ZUControlSource *scheduler = w.configuration()->controlSources().at(1);
        w.selectObjects({ scheduler });
        auto *page = w.page<ControlSourceWidget>();
        QVERIFY(page);
        QCOMPARE(itemTexts(field<QComboBox>(*page, "type")),
                 QStringList({ "Scheduler", "ITS tiverk" }));
        type(field<IntEdit>(*page, "priority"), QStringLiteral("5"));
        clickApply(*page);
        QCOMPARE(w.tabText(page), QStringLiteral("2 (Scheduler) [pr=5]"));
        w.save();
        QCOMPARE(w.savedFile().value("controlSources").toArray().at(1).toObject().value("priority"),
                 QJsonValue(5));
        w.selectObjects({ scheduler, w.configuration()->controlSources().first() });
        QVERIFY(allDisabled(*page));
    }
};

PROJECT_TEST(TestControlSourceWidget);
#include "tst_controlsourcewidget.moc"
