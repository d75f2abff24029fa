#include "pagefixture.h"
#include "testmain.h"
#include "zumoltc/editors/commonparameterswidget.h"
#include "zumoltc/model/jsonwriter.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/intedit.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
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
    // Shows the page, 600 x 400, with the description; null when it did not appear.
    QTextEdit *showDescription(const QString &text)
    {
        configuration.setDescription(text);
        page.load(&configuration);
        page.resize(600, 400);
        page.show();
        return QTest::qWaitForWindowExposed(&page) ? field<QTextEdit>("description") : nullptr;
    }

    ZUConfiguration configuration;
    CommonParametersWidget page;
    QList<QByteArray> classNames;
};

// Empty when every line of the document begins where its paragraph begins or after
// a blank, else which line begins inside a word; counts the lines that wrapped.
QString lineBeginningInsideAWord(QTextDocument *document, int *wrapped)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        document->documentLayout()->blockBoundingRect(block); // lays the block out
        const QTextLayout *layout = block.layout();
        const QString text = block.text();
        for (int i = 1; i < layout->lineCount(); ++i) {
            const int start = layout->lineAt(i).textStart();
            if (text.at(start - 1) != QLatin1Char(' '))
                return QStringLiteral("line %1 of the paragraph at %2 begins inside a word")
                    .arg(i + 1)
                    .arg(block.position());
            ++*wrapped;
        }
    }
    return QString();
}

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

    // A long description, of words or without a single blank, is shown whole, and an
    // edit of it is applied and saved with the rest of the text unchanged.
    void longDescriptionShownEditedAndSaved_data()
    {
        QTest::addColumn<QString>("description");

        const QString run(5000, QLatin1Char('x'));
        QTest::newRow("words") << QStringLiteral("word ").repeated(5000);
        QTest::newRow("no blank") << run;
        QTest::newRow("no blank between words")
            << QStringLiteral("Main street ") + run + QStringLiteral(" at the bridge");
        QTest::newRow("no blank on a later line")
            << QStringLiteral("Main street\n") + run + QStringLiteral("\nat the bridge");
    }

    void longDescriptionShownEditedAndSaved()
    {
        QFETCH(QString, description);

        Fixture f;
        auto *field = f.showDescription(description);
        QVERIFY(field);
        QCOMPARE(field->toPlainText(), description);
        QVERIFY(!f.apply()->isEnabled());

        field->setFocus();
        field->moveCursor(QTextCursor::End);
        QTest::keyClicks(field, QStringLiteral("!"));
        f.clickApply();
        QCOMPARE(f.configuration.description(), description + QLatin1Char('!'));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("description.json"));
        QString error;
        QVERIFY2(f.configuration.save(path, &error), qPrintable(error));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray value = JsonWriter::escaped(description + QLatin1Char('!'));
        QVERIFY(saved.readAll().contains("\"description\": \"" + value + '"'));
    }

    // Words wrap at word boundaries, also in the paragraph into which a text without
    // blanks, much longer than the line, is pasted, and in the paragraphs around it.
    void wordsWrapAtWordBoundariesBesideAPastedRun_data()
    {
        QTest::addColumn<int>("pasteAt");
        QTest::addColumn<QString>("pasted");

        const QString words = QStringLiteral("Main street at the bridge, ").repeated(20);
        const QString run(3000, QLatin1Char('x'));
        QTest::newRow("paragraph of its own")
            << int(words.size()) << QStringLiteral("\n") + run + QStringLiteral("\n");
        QTest::newRow("between two words") << 12 << run + QLatin1Char(' ');
        QTest::newRow("in front") << 0 << run + QLatin1Char(' ');
    }

    void wordsWrapAtWordBoundariesBesideAPastedRun()
    {
        QFETCH(int, pasteAt);
        QFETCH(QString, pasted);

        const QString words = QStringLiteral("Main street at the bridge, ").repeated(20);
        Fixture f;
        auto *field = f.showDescription(words + QStringLiteral("\n") + words);
        QVERIFY(field);
        field->setFocus();
        QTextCursor cursor = field->textCursor();
        cursor.setPosition(pasteAt);
        field->setTextCursor(cursor);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QString expected = words + QStringLiteral("\n") + words;
        expected.insert(pasteAt, pasted);
        QCOMPARE(field->toPlainText(), expected);

        int wrapped = 0;
        const QString fault = lineBeginningInsideAWord(field->document(), &wrapped);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(wrapped > 2);
    }

    // Typing into a long paragraph of words, in one script or two, keeps every line
    // beginning at a word and within the field, and the field shows the edited text
    // as it shows the same text opened afresh.
    void wordsWrapAtWordBoundariesWhileTyping_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("typeAt");

        const QString latin = QStringLiteral("Main street at the old bridge, tram stop north; ");
        const QString cyrillic = QStringLiteral("\u0443\u043b\u0438\u0446\u0430 "
                                                "\u0443 \u043c\u043e\u0441\u0442\u0430, ");
        const QString greek
            = QStringLiteral("\u03bf\u03b4\u03cc\u03c2 "
                             "\u03c3\u03c4\u03b7 \u03b3\u03ad\u03c6\u03c5\u03c1\u03b1 ");
        QTest::newRow("Latin at the end") << latin.repeated(200) << -1;
        QTest::newRow("Latin in the middle") << latin.repeated(200) << 2705;
        QTest::newRow("Cyrillic at the end") << cyrillic.repeated(250) << -1;
        QTest::newRow("Latin and Cyrillic at the end")
            << QString(latin + cyrillic).repeated(100) << -1;
        QTest::newRow("Latin and Cyrillic in the middle")
            << QString(latin + cyrillic).repeated(100) << 3001;
        QTest::newRow("Greek and Latin at the start") << QString(greek + latin).repeated(100) << 0;
    }

    void wordsWrapAtWordBoundariesWhileTyping()
    {
        QFETCH(QString, words);
        QFETCH(int, typeAt);

        Fixture f;
        auto *field = f.showDescription(words);
        QVERIFY(field);
        field->setFocus();
        QTextCursor cursor = field->textCursor();
        cursor.setPosition(typeAt < 0 ? words.size() : typeAt);
        field->setTextCursor(cursor);
        const QString typed = QStringLiteral("signal \u0441\u0438\u0433\u043d\u0430\u043b ");
        for (const QChar c : typed) {
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
            field->viewport()->repaint(); // the field shows each keystroke
        }
        QString expected = words;
        expected.insert(typeAt < 0 ? words.size() : typeAt, typed);
        QCOMPARE(field->toPlainText(), expected);

        int wrapped = 0;
        const QString fault = lineBeginningInsideAWord(field->document(), &wrapped);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(wrapped > 10);
        const QTextLayout *layout = field->document()->begin().layout();
        for (int i = 0; i < layout->lineCount(); ++i)
            QVERIFY(layout->lineAt(i).naturalTextWidth() <= field->viewport()->width());

        // The same text opened afresh looks the same, scrolled to the same place.
        field->clearFocus();
        Fixture fresh;
        auto *freshField = fresh.showDescription(expected);
        QVERIFY(freshField);
        freshField->setTextCursor(field->textCursor());
        freshField->verticalScrollBar()->setValue(field->verticalScrollBar()->value());
        QCOMPARE(freshField->viewport()->grab().toImage(), field->viewport()->grab().toImage());
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
