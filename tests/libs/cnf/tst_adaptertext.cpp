#include "cnfjsonparser.h"
#include "cnfjsonwriter.h"
#include "cnfsectiontext.h"
#include "testmain.h"

#include <QtTest>

// The text layers under the adapter and JSON formats: what they write reads
// back unchanged, and broken input names its line.
class TestAdapterText : public QObject
{
    Q_OBJECT
private slots:
    void sectionTextRoundTrip()
    {
        QVariantMap tree;
        tree.insert(QStringLiteral("int"), 42);
        tree.insert(QStringLiteral("big"), qlonglong(1) << 40);
        tree.insert(QStringLiteral("double"), 3.0);
        tree.insert(QStringLiteral("text"),
                    QStringLiteral("Перекрёсток \"A\" = 1\nnext # not a comment"));
        tree.insert(QStringLiteral("key with.dots"), true);
        tree.insert(QStringLiteral("emptyMap"), QVariantMap());
        tree.insert(QStringLiteral("emptyList"), QVariantList());
        QVariantMap inner;
        inner.insert(QStringLiteral("x"),
                     QVariantList { 1, QStringLiteral("two"),
                                    QVariantMap { { QStringLiteral("y"), 2.5 } } });
        tree.insert(QStringLiteral("nested"), inner);

        CnfSectionText writer;
        writer.comment(QStringLiteral("test"));
        writer.section(QStringLiteral("native"));
        for (auto it = tree.cbegin(); it != tree.cend(); ++it)
            writer.entry(CnfSectionText::pathSegment(it.key()), it.value());
        writer.section(QStringLiteral("item"));
        writer.entry(QStringLiteral("id"), 1);
        writer.section(QStringLiteral("item"));
        writer.entry(QStringLiteral("id"), 2);

        CnfJsonValue root;
        QString error;
        QVERIFY2(CnfSectionText::read(writer.data(),
                                      { { QStringLiteral("item"), QStringLiteral("items") } },
                                      &root, &error),
                 qPrintable(error + QLatin1Char('\n') + QString::fromUtf8(writer.data())));
        QCOMPARE(root.member(QStringLiteral("native")).toVariant().toMap(), tree);
        QCOMPARE(root.member(QStringLiteral("native")).member(QStringLiteral("big")).type(),
                 CnfJsonValue::Integer);
        QCOMPARE(root.member(QStringLiteral("native")).member(QStringLiteral("double")).type(),
                 CnfJsonValue::Double);
        QCOMPARE(root.member(QStringLiteral("items")).size(), 2);
        QCOMPARE(root.member(QStringLiteral("items")).at(1).member(QStringLiteral("id")).line(),
                 writer.data().count('\n'));
    }

    // A value line reads as the same JSON value would, whatever shortcut the
    // reader takes for the common kinds.
    void sectionTextValueKinds_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("integer") << QByteArray("42");
        QTest::newRow("negative") << QByteArray("-7");
        QTest::newRow("leading zeros") << QByteArray("007");
        QTest::newRow("18 digits") << QByteArray("999999999999999999");
        QTest::newRow("19 digits") << QByteArray("9223372036854775807");
        QTest::newRow("past 64 bits") << QByteArray("92233720368547758070");
        QTest::newRow("fraction") << QByteArray("2.5");
        QTest::newRow("exponent") << QByteArray("1e3");
        QTest::newRow("text") << QByteArray("\"Group 1\"");
        QTest::newRow("empty text") << QByteArray("\"\"");
        QTest::newRow("escaped quote") << QByteArray("\"a\\\"b\"");
        QTest::newRow("unicode escape") << QByteArray("\"\\u0041\"");
        QTest::newRow("true") << QByteArray("true");
        QTest::newRow("false") << QByteArray("false");
        QTest::newRow("null") << QByteArray("null");
    }

    void sectionTextValueKinds()
    {
        QFETCH(QByteArray, value);
        CnfJsonParser parser;
        QVERIFY2(parser.parse("[" + value + "]"), qPrintable(parser.error()));
        const CnfJsonValue expected = parser.root().at(0);

        CnfJsonValue root;
        QString error;
        QVERIFY2(CnfSectionText::read("v = " + value + "\n", {}, &root, &error), qPrintable(error));
        const CnfJsonValue read = root.member(QStringLiteral("v"));
        QCOMPARE(read.type(), expected.type());
        QCOMPARE(read.scalar(), expected.scalar());
        QCOMPARE(read.scalar().userType(), expected.scalar().userType());
        QCOMPARE(read.column(), 5);
    }

    void sectionTextErrors_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("no equals")
            << QByteArray("[a]\nx\n")
            << QStringLiteral("Line 2: \"name = value\" or a [section] expected");
        QTest::newRow("bad header")
            << QByteArray("[a\n") << QStringLiteral("Line 1: invalid section header [a");
        QTest::newRow("truncated text")
            << QByteArray("a = \"abc")
            << QStringLiteral("Line 1: a: invalid value \"abc (the document ends inside a text "
                              "(the file is truncated))");
        QTest::newRow("index gap")
            << QByteArray("a[1] = 1\n")
            << QStringLiteral("Line 1: a[1]: list item 1 comes before item 0");
        QTest::newRow("twice") << QByteArray("a = 1\na = 2\n")
                               << QStringLiteral("Line 2: a is given twice");
        QTest::newRow("map and list")
            << QByteArray("a.b = 1\na[0] = 2\n") << QStringLiteral("Line 2: a[0]: not a list");
        QTest::newRow("missing value")
            << QByteArray("a =\n") << QStringLiteral("Line 1: a: value missing");
        QTest::newRow("bare word") << QByteArray("a = hello\n")
                                   << QStringLiteral("Line 1: a: invalid value hello (unexpected "
                                                     "character 'h' where a value is expected)");
        QTest::newRow("huge")
            << QByteArray("a = 1e999\n")
            << QStringLiteral("Line 1: a: invalid value 1e999 (the number 1e999 is out of range)");
        QTest::newRow("bad index")
            << QByteArray("a[x] = 1\n") << QStringLiteral("Line 1: invalid list index in \"a[x]\"");
        QTest::newRow("empty segment")
            << QByteArray("a..b = 1\n") << QStringLiteral("Line 1: empty name in \"a..b\"");
        QTest::newRow("leading dot")
            << QByteArray(".a = 1\n") << QStringLiteral("Line 1: empty name in \".a\"");
        QTest::newRow("no path") << QByteArray(" = 1\n") << QStringLiteral("Line 1: empty name");
        QTest::newRow("name after index")
            << QByteArray("a[0]b = 1\n") << QStringLiteral("Line 1: '.' expected in \"a[0]b\"");
        QTest::newRow("space in name")
            << QByteArray("a b = 1\n") << QStringLiteral("Line 1: '.' expected in \"a b\"");
        QTest::newRow("bad character")
            << QByteArray("a.% = 1\n")
            << QStringLiteral("Line 1: invalid character '%' in \"a.%\"");
        QTest::newRow("bad quoted name")
            << QByteArray("\"a\\q\" = 1\n")
            << QStringLiteral("Line 1: invalid quoted name in \"\"a\\q\"\"");
        QTest::newRow("placeholder in name")
            << QByteArray("\"x%2\" = hello\n")
            << QStringLiteral("Line 1: \"x%2\": invalid value hello (unexpected character 'h' "
                              "where a value is expected)");
        QTest::newRow("quoted twice") << QByteArray("id = 1\n\"id\" = 2\n")
                                      << QStringLiteral("Line 2: \"id\" is given twice");
        QTest::newRow("value then map")
            << QByteArray("a.b = 1\na.b.c = 2\n") << QStringLiteral("Line 2: a.b.c: not a map");
        QTest::newRow("section on value")
            << QByteArray("a = 1\n[a]\n")
            << QStringLiteral("Line 2: section [a] clashes with a value of that name");
    }

    void sectionTextErrors()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        CnfJsonValue root;
        QString message;
        QVERIFY(!CnfSectionText::read(text, {}, &root, &message));
        QCOMPARE(message, error);
    }

    void sectionTextPositions()
    {
        // Columns count from the start of the raw line, indentation included;
        // a place made on the way (a list, a map) takes the line's value column.
        const QByteArray text = "[s]\r\n  \tv  =   42\r\n\tlist[0].\"a b\" = \"x\"\r\n";
        CnfJsonValue root;
        QString error;
        QVERIFY2(CnfSectionText::read(text, {}, &root, &error), qPrintable(error));
        const CnfJsonValue &section = root.member(QStringLiteral("s"));
        QCOMPARE(section.line(), 1);
        const CnfJsonValue &v = section.member(QStringLiteral("v"));
        QCOMPARE(v.line(), 2);
        QCOMPARE(v.column(), 11);
        QCOMPARE(v.scalar(), QVariant(qlonglong(42)));
        const CnfJsonValue &list = section.member(QStringLiteral("list"));
        QCOMPARE(list.type(), CnfJsonValue::Array);
        QCOMPARE(list.line(), 3);
        QCOMPARE(list.column(), 18);
        const CnfJsonValue &item = list.at(0).member(QStringLiteral("a b"));
        QCOMPARE(item.scalar(), QVariant(QStringLiteral("x")));
        QCOMPARE(item.column(), 18);
    }

    void sectionTextLongText()
    {
        // A text of many blocks as the reader decodes them: the lines and columns
        // of values far into it, with names and texts of several bytes a character.
        QByteArray text = "\xEF\xBB\xBF# long\r\n";
        const int count = 6000;
        for (int i = 0; i < count; ++i)
            text += "[item]\r\nname = \"Перекрёсток " + QByteArray::number(i)
                + "\"\r\n\"ключ\" = " + QByteArray::number(i) + "\r\n";
        QVERIFY(text.size() > 4 * 64 * 1024);
        CnfJsonValue root;
        QString error;
        QVERIFY2(CnfSectionText::read(text, { { QStringLiteral("item"), QStringLiteral("items") } },
                                      &root, &error),
                 qPrintable(error));
        const CnfJsonValue &items = root.member(QStringLiteral("items"));
        QCOMPARE(items.size(), count);
        for (int i : { 0, 1234, count - 1 }) {
            const CnfJsonValue &item = items.at(i);
            QCOMPARE(item.line(), 2 + 3 * i);
            QCOMPARE(item.member(QStringLiteral("name")).scalar().toString(),
                     QStringLiteral("Перекрёсток %1").arg(i));
            const CnfJsonValue &key = item.member(QStringLiteral("ключ"));
            QCOMPARE(key.scalar(), QVariant(qlonglong(i)));
            QCOMPARE(key.line(), 4 + 3 * i);
            QCOMPARE(key.column(), 10);
        }

        // Without a line end at the end, and broken on the last line.
        text += "[item]\r\nbroken";
        QVERIFY(!CnfSectionText::read(text, { { QStringLiteral("item"), QStringLiteral("items") } },
                                      &root, &error));
        QCOMPARE(
            error,
            QStringLiteral("Line %1: \"name = value\" or a [section] expected").arg(3 + 3 * count));
    }

    // Only the file's first bytes may be a byte-order mark: a line that begins
    // with U+FEFF reads the same wherever the reader's blocks fall.
    void sectionTextMarkAtTheStartOfABlock()
    {
        const QByteArray line = "\xEF\xBB\xBFnumber = 8\n";
        const QByteArray longLine = "# " + QByteArray(70000, 'x') + '\n';
        CnfJsonValue root;
        QString shortError;
        QVERIFY(!CnfSectionText::read("# short\n" + line, {}, &root, &shortError));
        QString longError;
        QVERIFY(!CnfSectionText::read(longLine + line, {}, &root, &longError));
        QCOMPARE(longError, shortError);
        // The message shows the character it kept, escaped so that the user sees it.
        QCOMPARE(shortError,
                 QStringLiteral("Line 2: invalid character '\\ufeff' in \"\\ufeffnumber\""));

        // A text that begins with U+FEFF keeps it, in a value and in a quoted name.
        const QByteArray text = "\"\xEF\xBB\xBFn\" = \"\xEF\xBB\xBFx\"\n";
        for (const QByteArray &before : { QByteArray(), longLine }) {
            QString error;
            QVERIFY2(CnfSectionText::read(before + text, {}, &root, &error), qPrintable(error));
            QCOMPARE(root.members().size(), 1);
            QCOMPARE(root.members().at(0).first, QChar(0xFEFF) + QStringLiteral("n"));
            QCOMPARE(root.members().at(0).second.scalar().toString(),
                     QChar(0xFEFF) + QStringLiteral("x"));
        }
    }

    void jsonPositionsAndKinds()
    {
        CnfJsonParser parser;
        QVERIFY(parser.parse(
            "{\n  \"a\": 5,\n  \"b\": 5.0, \"c\": 99999999999999999999, \"ü\": \"\\u00e9\\n\"}"));
        const CnfJsonValue &a = parser.root().member(QStringLiteral("a"));
        QCOMPARE(a.type(), CnfJsonValue::Integer);
        QCOMPARE(a.line(), 2);
        QCOMPARE(a.column(), 8);
        QCOMPARE(parser.root().member(QStringLiteral("b")).type(), CnfJsonValue::Double);
        QCOMPARE(parser.root().member(QStringLiteral("c")).type(), CnfJsonValue::Double);
        QCOMPARE(parser.root().member(QStringLiteral("ü")).scalar().toString(),
                 QStringLiteral("é\n"));

        CnfJsonParser verbatim(CnfJsonParser::Verbatim);
        QVERIFY(verbatim.parse("{\"a\": \"x\\\"y\\n\"} trailing"));
        QCOMPARE(verbatim.root().member(QStringLiteral("a")).scalar().toString(),
                 QStringLiteral("x\\\"y\\n"));
    }

    void jsonErrors_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray()
                               << QStringLiteral("Line 1, column 1: the file is empty");
        QTest::newRow("garbage")
            << QByteArray("\x01\x02garbage")
            << QStringLiteral("Line 1, column 1: a JSON document must begin with '{' or '['");
        QTest::newRow("truncated")
            << QByteArray("{\n\"a\": [1, 2")
            << QStringLiteral(
                   "Line 2, column 11: the document ends inside an array (the file is truncated)");
        QTest::newRow("trailing comma")
            << QByteArray("{\"a\": 1,}")
            << QStringLiteral("Line 1, column 9: a member name in double quotes is expected");
        QTest::newRow("deep")
            << QByteArray(300, '[')
            << QStringLiteral(
                   "Line 1, column 258: the document is nested more than 256 levels deep");
        QTest::newRow("after root")
            << QByteArray("{} x")
            << QStringLiteral("Line 1, column 4: unexpected text after the end of the document");
    }

    void jsonErrors()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        CnfJsonParser parser;
        QVERIFY(!parser.parse(text));
        QCOMPARE(parser.error(), error);
    }

    void jsonWriterRoundTrip()
    {
        QVariantMap tree { { QStringLiteral("t"), QStringLiteral("a\"b\\c\td") },
                           { QStringLiteral("d"), 0.1 },
                           { QStringLiteral("l"),
                             QVariantList { 1, 2.0, QVariantMap {}, QVariantList {} } } };
        CnfJsonWriter writer;
        writer.writeValue(QString(), tree);
        CnfJsonParser parser;
        QVERIFY2(parser.parse(writer.data()), qPrintable(parser.error()));
        QCOMPARE(parser.root().toVariant().toMap(), tree);

        CnfJsonWriter verbatim(CnfJsonWriter::Verbatim);
        verbatim.writeValue(QString(),
                            QVariantMap { { QStringLiteral("t"), QStringLiteral("say \"hi\"") } });
        QVERIFY(verbatim.hasError());
        QVERIFY(CnfJsonWriter::verbatimStorable(QStringLiteral("a\\u00e9 \\\" ok")));
        QVERIFY(!CnfJsonWriter::verbatimStorable(QStringLiteral("ends with \\")));
        QVERIFY(!CnfJsonWriter::verbatimStorable(QStringLiteral("\\u12")));
    }
};

PROJECT_TEST(TestAdapterText);
#include "tst_adaptertext.moc"
