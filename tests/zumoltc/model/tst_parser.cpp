#include "testmain.h"
#include "zumoltc/model/parser.h"

#include <QtTest>

#include <climits>

namespace {

// A compact rendering of a parsed tree with every value's 0-based position:
// i = Integer, d = Double, "..." = String (raw), {name=value,...}, [value,...].
QString dump(const JsonValue &value)
{
    const QString position = QStringLiteral("@%1:%2").arg(value.line()).arg(value.column());
    switch (value.type()) {
    case JsonValue::Null:
        return QStringLiteral("null") + position;
    case JsonValue::Bool:
        return (value.toBool() ? QStringLiteral("true") : QStringLiteral("false")) + position;
    case JsonValue::Integer:
        return QStringLiteral("i%1").arg(value.toInt()) + position;
    case JsonValue::Double:
        return QStringLiteral("d") + QString::number(value.toVariant().toDouble(), 'g', 17)
            + position;
    case JsonValue::String:
        return QLatin1Char('"') + value.toString() + QLatin1Char('"') + position;
    case JsonValue::Array: {
        QStringList items;
        for (const JsonValue &item : value)
            items << dump(item);
        return QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']') + position;
    }
    case JsonValue::Object: {
        QStringList members;
        for (const QString &name : value.memberNames())
            members << name + QLatin1Char('=') + dump(value.member(name.toLatin1().constData()));
        return QLatin1Char('{') + members.join(QLatin1Char(',')) + QLatin1Char('}') + position;
    }
    default:
        return QStringLiteral("undefined");
    }
}

const QByteArray byteOrderMark("\xEF\xBB\xBF");

} // namespace

class TestParser : public QObject
{
    Q_OBJECT
private slots:
    void documents_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected"); // the tree, or the error text

        // Successful parses.
        QTest::newRow("empty object") << QByteArray("{}") << "{}@0:1";
        QTest::newRow("empty array") << QByteArray("[]") << "[]@0:0";
        QTest::newRow("text after root ignored") << QByteArray("{} ] garbage {") << "{}@0:1";
        QTest::newRow("duplicate member, later wins")
            << QByteArray("{\"a\":1,\"a\":2}") << "{a=i2@0:11}@0:1";
        QTest::newRow("members in name order")
            << QByteArray("{\"b\":1, \"a\":2, \"c\":3}") << "{a=i2@0:12,b=i1@0:5,c=i3@0:19}@0:1";
        QTest::newRow("line 2 column 8") << QByteArray("{\n  \"a\": 5}") << "{a=i5@1:7}@0:1";
        QTest::newRow("CR counts as a column")
            << QByteArray("{\"a\":1\r\n,\"b\":2}") << "{a=i1@0:5,b=i2@1:5}@0:1";
        QTest::newRow("byte-order mark counts 3 columns") << byteOrderMark + "{\"a\":1}"
                                                          << "{a=i1@0:8}@0:4";
        QTest::newRow("nested positions")
            << QByteArray("{\"o\":{\"p\":[1, {}]}}") << "{o={p=[i1@0:11,{}@0:15]@0:10}@0:6}@0:1";
        QTest::newRow("literals") << QByteArray("[null,true, false]")
                                  << "[null@0:1,true@0:6,false@0:12]@0:0";
        QTest::newRow("largest integer") << QByteArray("[33554431]") << "[i33554431@0:1]@0:0";
        QTest::newRow("smallest integer") << QByteArray("[-33554431]") << "[i-33554431@0:1]@0:0";
        QTest::newRow("2^25 is double") << QByteArray("[33554432]") << "[d33554432@0:1]@0:0";
        QTest::newRow("-2^25 is double") << QByteArray("[-33554432]") << "[d-33554432@0:1]@0:0";
        QTest::newRow("int max is double") << QByteArray("[2147483647]") << "[d2147483647@0:1]@0:0";
        QTest::newRow("1.0 is double") << QByteArray("[1.0]") << "[d1@0:1]@0:0";
        QTest::newRow("exponent is double")
            << QByteArray("[1e3, 1.5E+2, 25e-1]") << "[d1000@0:1,d150@0:6,d2.5@0:14]@0:0";
        QTest::newRow("zero and minus zero") << QByteArray("[0,-0]") << "[i0@0:1,i0@0:3]@0:0";
        QTest::newRow("fraction without integer part") << QByteArray("[.5]") << "[d0.5@0:1]@0:0";
        QTest::newRow("escaped quote kept raw")
            << QByteArray("[\"a\\\"b\"]") << "[\"a\\\"b\"@0:1]@0:0";
        QTest::newRow("unicode escape kept raw")
            << QByteArray("[\"\\u00e9\"]") << "[\"\\u00e9\"@0:1]@0:0";
        QTest::newRow("unknown escape accepted") << QByteArray("[\"\\x\"]") << "[\"\\x\"@0:1]@0:0";
        QTest::newRow("utf-8 text") << QByteArray("[\"\xC3\xA9t\xC3\xA9\"]")
                                    << QString::fromUtf8("[\"\xC3\xA9t\xC3\xA9\"@0:1]@0:0");
        QTest::newRow("byte-order mark inside a text is kept")
            << byteOrderMark + "[\"" + byteOrderMark + byteOrderMark + "x\"]"
            << QString::fromUtf8("[\"") + QChar(0xFEFF) + QChar(0xFEFF)
                + QStringLiteral("x\"@0:4]@0:0");
        QTest::newRow("line feed in string is no new line")
            << QByteArray("[\"a\nb\", 1]") << "[\"a\nb\"@0:1,i1@0:8]@0:0";

        // Errors, each with the place where parsing stopped.
        QTest::newRow("empty input")
            << QByteArray() << "Line 1, column 1: Invalid begin of document";
        QTest::newRow("blank input")
            << QByteArray("  \n ") << "Line 2, column 2: Invalid begin of document";
        QTest::newRow("letter") << QByteArray("x") << "Line 1, column 2: Invalid begin of document";
        QTest::newRow("letter after mark") << byteOrderMark + "x"
                                           << "Line 1, column 5: Invalid begin of document";
        QTest::newRow("mark alone is read as a byte")
            << byteOrderMark << "Line 1, column 2: Invalid begin of document";
        QTest::newRow("root scalar")
            << QByteArray("1") << "Line 1, column 2: Invalid begin of document";
        QTest::newRow("trailing comma in object")
            << QByteArray("{\"a\":1,}") << "Line 1, column 9: Missing object";
        QTest::newRow("trailing comma in array")
            << QByteArray("[1,]") << "Line 1, column 5: Missing object";
        QTest::newRow("closing brace as value")
            << QByteArray("{\"a\":}") << "Line 1, column 7: Missing object";
        QTest::newRow("comma as value")
            << QByteArray("{\"a\":,}") << "Line 1, column 7: Illegal value";
        QTest::newRow("leading comma in array")
            << QByteArray("[,1]") << "Line 1, column 3: Illegal value";
        QTest::newRow("missing value separator")
            << QByteArray("[1 2]") << "Line 1, column 5: Missing value separator";
        QTest::newRow("leading zero")
            << QByteArray("[01]") << "Line 1, column 4: Missing value separator";
        QTest::newRow("missing name separator")
            << QByteArray("{\"a\" 1}") << "Line 1, column 7: Missing name separator";
        QTest::newRow("name at end")
            << QByteArray("{\"a\" ") << "Line 1, column 6: Missing name separator";
        QTest::newRow("cut true") << QByteArray("{\"a\":true") << "Line 1, column 7: Illegal value";
        QTest::newRow("short true")
            << QByteArray("{\"a\":tru}") << "Line 1, column 7: Illegal value";
        QTest::newRow("misspelt true")
            << QByteArray("{\"a\":trux}") << "Line 1, column 10: Illegal value";
        QTest::newRow("misspelt false")
            << QByteArray("[falsy]") << "Line 1, column 7: Illegal value";
        QTest::newRow("misspelt null")
            << QByteArray("[nil, 1]") << "Line 1, column 6: Illegal value";
        QTest::newRow("termination by number")
            << QByteArray("{\"a\":12") << "Line 1, column 8: Termination by number";
        QTest::newRow("termination in exponent")
            << QByteArray("[1e") << "Line 1, column 4: Termination by number";
        QTest::newRow("lone minus")
            << QByteArray("{\"a\":-}") << "Line 1, column 7: Illegal number";
        QTest::newRow("plus sign")
            << QByteArray("{\"a\":+1}") << "Line 1, column 6: Illegal number";
        QTest::newRow("letter as value") << QByteArray("[x]") << "Line 1, column 2: Illegal number";
        QTest::newRow("exponent without digits")
            << QByteArray("[1e]") << "Line 1, column 4: Illegal number";
        QTest::newRow("string quote is last byte")
            << QByteArray("{\"a\":\"b\"") << "Line 1, column 9: Unterminated string";
        QTest::newRow("string cut")
            << QByteArray("{\"a\":\"b") << "Line 1, column 8: Unterminated string";
        QTest::newRow("name cut") << QByteArray("{\"ab") << "Line 1, column 5: Unterminated string";
        QTest::newRow("short unicode escape")
            << QByteArray("{\"a\":\"\\u12\"}") << "Line 1, column 12: Illegal escape sequence";
        QTest::newRow("unicode escape at end")
            << QByteArray("[\"\\u12") << "Line 1, column 5: Illegal escape sequence";
        QTest::newRow("backslash at end")
            << QByteArray("{\"a\":\"\\") << "Line 1, column 8: Illegal escape sequence";
        QTest::newRow("object without comma")
            << QByteArray("{\"a\":1 \"b\":2}") << "Line 1, column 9: Unterminated object";
        QTest::newRow("object cut after value")
            << QByteArray("{\"a\":1 ") << "Line 1, column 8: Unterminated object";
        QTest::newRow("object cut after brace")
            << QByteArray("{") << "Line 1, column 2: Unterminated object";
        QTest::newRow("object with bare name")
            << QByteArray("{a:1}") << "Line 1, column 3: Unterminated object";
        QTest::newRow("object cut after comma")
            << QByteArray("{\"a\":1,") << "Line 1, column 8: Unterminated object";
        QTest::newRow("object comma then bare name")
            << QByteArray("{\"a\":1,b}") << "Line 1, column 9: Unterminated object";
        QTest::newRow("object cut after colon")
            << QByteArray("{\"a\": ") << "Line 1, column 7: Unterminated object";
        QTest::newRow("array cut") << QByteArray("[") << "Line 1, column 2: Unterminated array";
        QTest::newRow("array cut after item")
            << QByteArray("[1 ") << "Line 1, column 4: Unterminated array";
        QTest::newRow("array cut after CR")
            << QByteArray("[1\r") << "Line 1, column 4: Unterminated array";
        QTest::newRow("array closed by brace at end")
            << QByteArray("{\"a\":[1,2}") << "Line 1, column 11: Unterminated array";
        QTest::newRow("error on later line")
            << QByteArray("{\n\"a\": 1,\n\"b\" 2\n}") << "Line 3, column 6: Missing name separator";
    }

    void documents()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);

        Parser parser;
        QString error = QStringLiteral("untouched");
        const bool ok = parser.parse(input, &error);
        if (ok) {
            QCOMPARE(dump(parser.root()), expected);
            QCOMPARE(error, QStringLiteral("untouched"));
        } else {
            QCOMPARE(error, expected);
            QCOMPARE(parser.root().type(), int(JsonValue::Undefined));
        }
    }

    void nestingLimit_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("error");

        const int limit = Parser::MaxDepth;
        QTest::newRow("arrays at the limit")
            << QByteArray(limit, '[') + QByteArray(limit, ']') << QString();
        QTest::newRow("objects at the limit") << QByteArray("{\"a\":").repeated(limit - 1) + "{}"
                + QByteArray(limit - 1, '}') << QString();
        QTest::newRow("arrays one deeper")
            << QByteArray(limit + 1, '[') + QByteArray(limit + 1, ']')
            << QStringLiteral("Line 1, column %1: Nesting too deep").arg(limit + 2);
        QTest::newRow("objects one deeper")
            << QByteArray("{\"a\":").repeated(limit) + "{}" + QByteArray(limit, '}')
            << QStringLiteral("Line 1, column %1: Nesting too deep").arg(5 * limit + 2);
        QTest::newRow("100000 brackets")
            << QByteArray(100000, '[')
            << QStringLiteral("Line 1, column %1: Nesting too deep").arg(limit + 2);
        QTest::newRow("100000 closed brackets")
            << QByteArray(100000, '[') + QByteArray(100000, ']')
            << QStringLiteral("Line 1, column %1: Nesting too deep").arg(limit + 2);
    }

    void nestingLimit()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, error);

        Parser parser;
        QString actual;
        QCOMPARE(parser.parse(input, &actual), error.isEmpty());
        QCOMPARE(actual, error);
    }

    void stateBetweenParses()
    {
        Parser parser;
        QVERIFY(parser.parse("{\"a\":1}", nullptr));
        const JsonValue kept = parser.root().member("a");

        // A failed parse keeps no root; handles taken earlier stay valid.
        QVERIFY(!parser.parse("{\"a\":", nullptr));
        QCOMPARE(parser.root().type(), int(JsonValue::Undefined));
        QCOMPARE(kept.toInt(), 1);

        QVERIFY(parser.parse("[true]", nullptr));
        QCOMPARE(parser.root().at(0).toBool(), true);
    }

    void accessors()
    {
        Parser parser;
        QVERIFY(parser.parse(
            "{\"i\":7,\"d\":1.9,\"n\":-1.9,\"big\":1e20,\"s\":\"x\",\"b\":true,\"z\":null,"
            "\"a\":[1,2],\"o\":{}}",
            nullptr));
        const JsonValue root = parser.root();
        QCOMPARE(root.member("i").toInt(), 7);
        QCOMPARE(root.member("d").toInt(), 1);
        QCOMPARE(root.member("n").toInt(), -1);
        QCOMPARE(root.member("big").toInt(), INT_MAX);
        QCOMPARE(root.member("s").toInt(), INT_MAX);
        QCOMPARE(root.member("s").toString(), QStringLiteral("x"));
        QCOMPARE(root.member("i").toString(), QString());
        QCOMPARE(root.member("b").toVariant(), QVariant(true));
        QCOMPARE(root.member("d").toVariant(), QVariant(1.9));
        QCOMPARE(root.member("i").toVariant(), QVariant(7));
        QVERIFY(!root.member("z").toVariant().isValid());
        QCOMPARE(root.member("z").type(), int(JsonValue::Null));
        QCOMPARE(root.member("a").size(), 2);
        QCOMPARE(root.member("a").at(1).toInt(), 2);
        QCOMPARE(root.member("a").at(2).type(), int(JsonValue::Undefined));
        QCOMPARE(root.member("a").at(-1).type(), int(JsonValue::Undefined));
        QCOMPARE(root.member("a").toObject().type(), int(JsonValue::Undefined));
        QCOMPARE(root.member("o").toObject().type(), int(JsonValue::Object));
        QCOMPARE(root.member("o").toArray().type(), int(JsonValue::Undefined));
        QCOMPARE(root.member("o").size(), 0);
        QCOMPARE(root.member("missing").type(), int(JsonValue::Undefined));
        QCOMPARE(root.member("i").member("x").type(), int(JsonValue::Undefined));
        QCOMPARE(root.memberCount(), 9);

        const JsonValue null;
        QCOMPARE(null.type(), int(JsonValue::Undefined));
        QCOMPARE(null.toInt(), INT_MAX);
        QCOMPARE(null.toBool(), false);
        QCOMPARE(null.size(), 0);
        QVERIFY(null.begin() == null.end());
        QCOMPARE(null.member("a").type(), int(JsonValue::Undefined));
        QCOMPARE(null.memberNames(), QStringList());

        const JsonValue made = JsonValue::fromInt(42);
        QCOMPARE(made.type(), int(JsonValue::Integer));
        QCOMPARE(made.toInt(), 42);
        QCOMPARE(made.line(), 0);
        QCOMPARE(made.column(), 0);
    }

    void manyNames()
    {
        // More names than the parser keeps decoded at once, coming back in
        // another order: each member keeps its own name, and lookups of names
        // that share a beginning or differ in length only find the right one.
        QByteArray text = "[";
        for (int pass = 0; pass < 2; ++pass) {
            text += pass ? ",{" : "{";
            for (int i = 0; i < 600; ++i) {
                const int n = pass ? 599 - i : i;
                text
                    += (i ? ",\"n" : "\"n") + QByteArray::number(n) + "\":" + QByteArray::number(n);
            }
            text += ",\"\xC3\xBC\":-1,\"a\\u0062\":-2,\"ab\":-3}";
        }
        text += "]";
        Parser parser;
        QString error;
        QVERIFY2(parser.parse(text, &error), qPrintable(error));
        for (int pass = 0; pass < 2; ++pass) {
            const JsonValue object = parser.root().at(pass);
            QCOMPARE(object.memberCount(), 603);
            for (int n : { 0, 1, 10, 59, 255, 256, 599 })
                QCOMPARE(object.member(QByteArray("n" + QByteArray::number(n)).constData()).toInt(),
                         n);
            QCOMPARE(object.member("n600").type(), int(JsonValue::Undefined));
            QCOMPARE(object.member("n").type(), int(JsonValue::Undefined));
            QCOMPARE(object.member("ab").toInt(), -3);
            QCOMPARE(object.member("a\\u0062").toInt(), -2);
            QVERIFY(object.memberNames().contains(QStringLiteral("ü")));
        }
    }

    void offsets()
    {
        Parser parser;
        QVERIFY(parser.parse(byteOrderMark + "{\n \"a\": [7]}", nullptr));
        const JsonValue root = parser.root();
        QCOMPARE(root.offset(), 4);
        QCOMPARE(root.member("a").offset(), 11);
        QCOMPARE(root.member("a").at(0).offset(), 12);
        QCOMPARE(root.member("a").at(0).line(), 1);
        QCOMPARE(root.member("a").at(0).column(), 7);
    }

    // Members no lookup asked for come back as the text of the file, in file
    // order; the value's text ends where the value does, whatever it holds.
    void unaskedMembers_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("number before a brace") << QByteArray("-1.50e+3");
        QTest::newRow("literal") << QByteArray("null");
        QTest::newRow("text with escapes and brackets") << QByteArray("\"a\\\"}]\\\\\"");
        QTest::newRow("nested with texts")
            << QByteArray("{\"x\": [1, {\"y\": \"]}\"}],\n \"z\": {}}");
        QTest::newRow("empty array") << QByteArray("[ ]");
    }

    void unaskedMembers()
    {
        QFETCH(QByteArray, value);
        Parser parser;
        const QByteArray text = "{\"b\": " + value + ", \"known\": 1, \"a\":" + value + "}";
        QVERIFY(parser.parse(text, nullptr));
        const JsonValue root = parser.root();
        QCOMPARE(root.member("known").toInt(), 1);
        const QVector<JsonRawMember> members = root.unaskedMembers();
        QCOMPARE(members.size(), 2);
        QCOMPARE(members.at(0).name, QByteArray("b"));
        QCOMPARE(members.at(0).value, value);
        QCOMPARE(members.at(1).name, QByteArray("a"));
        QCOMPARE(members.at(1).value, value);
        root.member("b");
        QCOMPARE(root.unaskedMembers().size(), 1);
    }
};

PROJECT_TEST(TestParser);
#include "tst_parser.moc"
