#include "pagefixture.h"
#include "testmain.h"
#include "zumoltc/editors/commonparameterswidget.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

namespace {

constexpr int NotSet = 2147483647;

// A configuration with every common parameter set, shown on a page.
struct Fixture
{
    Fixture()
    {
        configuration.setId(7);
        configuration.setName(QStringLiteral("Crossing"));
        configuration.setDescription(QStringLiteral("Main street\nat the bridge"));
        configuration.setAmberBlink(5);
        configuration.setAllRed(3);
        configuration.setTimeZone(3);
        configuration.setMaxCurrent(1200);
        page.load(&configuration);
        QObject::connect(&page, &CommonParametersWidget::configurationChanged, &page,
                         [this](const char *className) {
                             classNames << (className ? QByteArray(className) : QByteArray("null"));
                         });
    }

    template<typename T = QLineEdit> T *field(const char *name) const
    {
        return page.findChild<T *>(QLatin1String(name));
    }
    QPushButton *apply() const
    {
        return field<QDialogButtonBox>("buttonBox")->button(QDialogButtonBox::Apply);
    }
    void type(const char *name, const QString &text) const { PageFixture::type(field(name), text); }
    void clickApply() const { QTest::mouseClick(apply(), Qt::LeftButton); }

    ZUConfiguration configuration;
    CommonParametersWidget page;
    QList<QByteArray> classNames;
};

} // namespace

class TestCommonParametersWidget : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        Fixture f;
        for (const char *name : { "number", "amberBlink", "allRed", "maxCurrent" }) {
            auto *edit = f.field<IntEdit>(name);
            QVERIFY2(edit, name);
            QVERIFY(edit->isClearButtonEnabled());
        }
        for (const char *name : { "name", "timeZone" })
            QVERIFY(f.field(name)->isClearButtonEnabled());
        QVERIFY(!f.field("timeZone")->validator());
        auto *startup = f.field<QGroupBox>("groupBox_2");
        QCOMPARE(startup->title(), QStringLiteral("Startup period"));
        QCOMPARE(f.field("amberBlink")->parentWidget(), startup);
        QCOMPARE(f.field("allRed")->parentWidget(), startup);
        auto *data = f.field<QWidget>("zu_molt_data");
        QCOMPARE(f.field("timeZone")->parentWidget(), data);
        QCOMPARE(f.field("maxCurrent")->parentWidget(), data);
        QStringList labels;
        for (const QLabel *label : f.page.findChildren<QLabel *>())
            labels << label->text();
        for (const char *text : { "Number:", "Name:", "Description:", "YF time, sec:",
                                  "RR time, sec:", "Time zone:", "Maximum current, mA:" })
            QVERIFY2(labels.contains(QLatin1String(text)), text);
    }

    void load()
    {
        Fixture f;
        QCOMPARE(f.field("number")->text(), QStringLiteral("7"));
        QCOMPARE(f.field("name")->text(), QStringLiteral("Crossing"));
        QCOMPARE(f.field<QTextEdit>("description")->toPlainText(),
                 QStringLiteral("Main street\nat the bridge"));
        QCOMPARE(f.field("amberBlink")->text(), QStringLiteral("5"));
        QCOMPARE(f.field("allRed")->text(), QStringLiteral("3"));
        QCOMPARE(f.field("timeZone")->text(), QStringLiteral("3"));
        QCOMPARE(f.field("maxCurrent")->text(), QStringLiteral("1200"));
        QVERIFY(!f.apply()->isEnabled());

        // A configuration with nothing set shows empty fields.
        ZUConfiguration empty;
        f.page.load(&empty);
        for (const char *name :
             { "number", "name", "amberBlink", "allRed", "timeZone", "maxCurrent" })
            QVERIFY2(f.field(name)->text().isEmpty(), name);
        QVERIFY(!f.apply()->isEnabled());
    }

    // What a typed time zone is stored as.
    void timeZone_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("written");

        QTest::newRow("int to double")
            << QVariant(3) << QStringLiteral("3") << QStringLiteral("3.5") << QVariant(3.5);
        QTest::newRow("double to int")
            << QVariant(3.5) << QStringLiteral("3.5") << QStringLiteral("-4") << QVariant(-4);
        QTest::newRow("text") << QVariant(3) << QStringLiteral("3") << QStringLiteral("-3:30")
                              << QVariant(QStringLiteral("-3:30"));
        QTest::newRow("words stay text")
            << QVariant(QStringLiteral("+03:00")) << QStringLiteral("+03:00")
            << QStringLiteral("inf") << QVariant(QStringLiteral("inf"));
        QTest::newRow("emptied is not set")
            << QVariant(3) << QStringLiteral("3") << QString() << QVariant();
    }

    void timeZone()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QVariant, written);

        Fixture f;
        f.configuration.setTimeZone(stored);
        f.page.load(&f.configuration);
        QCOMPARE(f.field("timeZone")->text(), shown);
        f.type("timeZone", typed);
        f.clickApply();
        const QVariant zone = f.configuration.timeZone();
        QCOMPARE(zone.userType(), written.userType());
        QCOMPARE(zone, written);
        QCOMPARE(f.configuration.maxCurrent(), 1200);
    }

    // Only the changed field is written: values changed in the model meanwhile stay.
    void onlyChangedFieldsWritten()
    {
        Fixture f;
        f.configuration.setId(8);
        f.configuration.setName(QStringLiteral("Elsewhere"));
        f.configuration.setAmberBlink(9);
        f.configuration.setTimeZone(QStringLiteral("+01:00"));
        f.field<QTextEdit>("description")->setPlainText(QStringLiteral("New text"));
        QVERIFY(f.apply()->isEnabled());
        f.clickApply();

        QCOMPARE(f.configuration.description(), QStringLiteral("New text"));
        QCOMPARE(f.configuration.id(), 8);
        QCOMPARE(f.configuration.name(), QStringLiteral("Elsewhere"));
        QCOMPARE(f.configuration.amberBlink(), 9);
        QCOMPARE(f.configuration.allRed(), 3);
        QCOMPARE(f.configuration.timeZone(), QVariant(QStringLiteral("+01:00")));
        QCOMPARE(f.classNames, QList<QByteArray> { QByteArray("null") });
        QVERIFY(!f.apply()->isEnabled());
    }

    void everyFieldWritten()
    {
        Fixture f;
        f.type("number", QStringLiteral("42"));
        f.type("name", QStringLiteral("North"));
        f.type("amberBlink", QStringLiteral("4"));
        f.type("allRed", QStringLiteral("2"));
        f.type("maxCurrent", QString());
        QCOMPARE(f.field("maxCurrent")->text(), QString());
        f.clickApply();
        QCOMPARE(f.configuration.id(), 42);
        QCOMPARE(f.configuration.name(), QStringLiteral("North"));
        QCOMPARE(f.configuration.amberBlink(), 4);
        QCOMPARE(f.configuration.allRed(), 2);
        QCOMPARE(f.configuration.maxCurrent(), NotSet);
        QCOMPARE(f.field("maxCurrent")->text(), QString());
        QCOMPARE(f.classNames.size(), 1);
    }

    // Apply needs the Apply button, a loaded configuration and a change.
    void applyNeedsChangeAndConfiguration()
    {
        CommonParametersWidget page;
        auto *box = page.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        int emitted = 0;
        connect(&page, &CommonParametersWidget::configurationChanged, this,
                [&emitted] { ++emitted; });
        page.findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("x"));
        box->button(QDialogButtonBox::Apply)->setEnabled(true);
        QTest::mouseClick(box->button(QDialogButtonBox::Apply), Qt::LeftButton);
        QCOMPARE(emitted, 0);

        Fixture f;
        f.apply()->setEnabled(true);
        f.clickApply();
        QVERIFY(f.classNames.isEmpty());
        // Cancel is no Apply, and restores the loaded values.
        f.type("number", QStringLiteral("9"));
        auto *cancel = f.field<QDialogButtonBox>("buttonBox")->button(QDialogButtonBox::Cancel);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(f.classNames.isEmpty());
        QCOMPARE(f.field("number")->text(), QStringLiteral("7"));
        QCOMPARE(f.configuration.id(), 7);
    }

    // The description wraps at word boundaries unless it holds a run without a
    // place to break longer than any line; the whole text is shown and kept either way.
    void descriptionWrap_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("wrapMode");

        const int words = QTextOption::WrapAtWordBoundaryOrAnywhere;
        const int anywhere = QTextOption::WrapAnywhere;
        const QString run(1000, QLatin1Char('x'));
        QTest::newRow("empty") << QString() << words;
        QTest::newRow("words") << QStringLiteral("Main street at the bridge") << words;
        QTest::newRow("many words") << QStringLiteral("word ").repeated(5000) << words;
        QTest::newRow("hyphenated run") << QStringLiteral("x-").repeated(2000) << words;
        QTest::newRow("run as long as a line may be") << run << words;
        QTest::newRow("longer run") << run + QLatin1Char('x') << anywhere;
        QTest::newRow("longer run after words")
            << QStringLiteral("Main street ") + run + run << anywhere;
        QTest::newRow("longer run on a later line")
            << QStringLiteral("Main street\n") + run + run + QStringLiteral(" end") << anywhere;
    }

    void descriptionWrap()
    {
        QFETCH(QString, description);
        QFETCH(int, wrapMode);

        Fixture f;
        f.configuration.setDescription(description);
        f.page.load(&f.configuration);
        auto *field = f.field<QTextEdit>("description");
        QCOMPARE(int(field->wordWrapMode()), wrapMode);
        QCOMPARE(field->toPlainText(), description);
        QVERIFY(!f.apply()->isEnabled());

        // Typed at the end, the text is stored whole with the addition.
        field->moveCursor(QTextCursor::End);
        QTest::keyClicks(field, QStringLiteral("!"));
        f.clickApply();
        QCOMPARE(f.configuration.description(), description + QLatin1Char('!'));

        // A short description loaded next wraps at word boundaries again.
        f.configuration.setDescription(QStringLiteral("Main street"));
        f.page.load(&f.configuration);
        QCOMPARE(field->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    // A run longer than the line is broken into the same lines by both wrap modes.
    void longRunWrapsAlikeInBothModes()
    {
        const QString text = QStringLiteral("x").repeated(3000);
        auto lineStarts = [&text](QTextOption::WrapMode mode) {
            QTextLayout layout(text, QFont());
            QTextOption option;
            option.setWrapMode(mode);
            layout.setTextOption(option);
            QList<int> starts;
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(300);
                starts << line.textStart();
            }
            layout.endLayout();
            return starts;
        };
        const QList<int> words = lineStarts(QTextOption::WrapAtWordBoundaryOrAnywhere);
        QVERIFY(words.size() > 2);
        QCOMPARE(lineStarts(QTextOption::WrapAnywhere), words);
    }

    // Loading again after an Apply shows the stored values as the new baseline.
    void reloadAfterApply()
    {
        Fixture f;
        f.type("allRed", QStringLiteral("6"));
        f.clickApply();
        f.page.load(&f.configuration);
        QCOMPARE(f.field("allRed")->text(), QStringLiteral("6"));
        QVERIFY(!f.apply()->isEnabled());
        QVERIFY(!f.page.property("changed").toBool());
    }
};

PROJECT_TEST(TestCommonParametersWidget);
#include "tst_commonparameterswidget.moc"
