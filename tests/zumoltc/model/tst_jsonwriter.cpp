#include "testmain.h"
#include "zumoltc/model/jsonwriter.h"
#include "zumoltc/model/parser.h"

#include <QTime>
#include <QtTest>

#include <functional>

using WriterScript = std::function<void(JsonWriter &)>;
Q_DECLARE_METATYPE(WriterScript)

namespace {

constexpr int NotSet = 2147483647;

// Writes a document whose root holds what the script writes.
QByteArray document(const WriterScript &script)
{
    JsonWriter writer;
    writer.setSkipValue(NotSet);
    writer.beginObject();
    script(writer);
    writer.endObject();
    return writer.data();
}

QByteArray nameDocument(const QString &name)
{
    return document([&](JsonWriter &w) { w.writeValue("name", name); });
}

} // namespace

class TestJsonWriter : public QObject
{
    Q_OBJECT
private slots:
    void layouts_data()
    {
        QTest::addColumn<WriterScript>("script");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("empty root") << WriterScript([](JsonWriter &) {}) << QByteArray("{\n\n}");
        QTest::newRow("normal members and empty object")
            << WriterScript([](JsonWriter &w) {
                   w.writeValue("configVersion", 1);
                   w.writeValue("type", QStringLiteral("ZU_MOLT"));
                   w.beginObject("KMP1");
                   w.endObject();
               })
            << QByteArray("{\n    \"configVersion\": 1,\n    \"type\": \"ZU_MOLT\",\n    \"KMP1\": "
                          "{\n\n    }\n}");
        QTest::newRow("inline object")
            << WriterScript([](JsonWriter &w) {
                   w.beginObject("startTime", true);
                   w.writeValue("allRed", 3);
                   w.writeValue("amberBlink", 5);
                   w.endObject();
                   w.writeValue("x", 1);
               })
            << QByteArray(
                   "{\n    \"startTime\": {\"allRed\": 3, \"amberBlink\": 5},\n    \"x\": 1\n}");
        QTest::newRow("empty inline object") << WriterScript([](JsonWriter &w) {
            w.beginObject("e", true);
            w.endObject();
        }) << QByteArray("{\n    \"e\": {}\n}");
        QTest::newRow("single-line object") << WriterScript([](JsonWriter &w) {
            w.beginObject("default");
            w.setSingleLine(true);
            w.writeValue("amber", 3);
            w.writeValue("minRed", NotSet);
            w.writeValue("minGreen", 5);
            w.endObject();
        }) << QByteArray("{\n    \"default\": {\n        \"amber\": 3, \"minGreen\": 5\n    }\n}");
        QTest::newRow("array of inline objects and single-line array")
            << WriterScript([](JsonWriter &w) {
                   w.beginArray("items");
                   w.beginObject(nullptr, true);
                   w.writeValue("name", QStringLiteral("a"));
                   w.writeValue("id", 1);
                   w.endObject();
                   w.beginObject(nullptr, true);
                   w.writeValue("id", 2);
                   w.beginArray("groups", true);
                   w.writeItem(1);
                   w.writeItem(2);
                   w.endArray();
                   w.endObject();
                   w.endArray();
                   w.beginArray("days");
                   w.setSingleLine(true);
                   w.writeItem(3);
                   w.writeItem(4);
                   w.endArray();
               })
            << QByteArray("{\n    \"items\": [\n        {\"name\": \"a\", \"id\": 1},\n"
                          "        {\"id\": 2,             \"groups\": [1, 2]\n        }\n    ],\n"
                          "    \"days\": [\n        3, 4\n    ]\n}");
        QTest::newRow("normal array of objects")
            << WriterScript([](JsonWriter &w) {
                   w.beginArray("phases");
                   w.beginObject();
                   w.writeValue("id", 1);
                   w.writeValue("minGreen", 4);
                   w.endObject();
                   w.endArray();
               })
            << QByteArray("{\n    \"phases\": [\n        {\n            \"id\": 1,\n            "
                          "\"minGreen\": 4\n"
                          "        }\n    ]\n}");
        QTest::newRow("skip value, force and empty texts")
            << WriterScript([](JsonWriter &w) {
                   w.writeValue("notSet", NotSet);
                   w.writeValue("forcedNotSet", NotSet, true);
                   w.writeValue("empty", QString(QLatin1String("")));
                   w.writeValue("nullText", QString());
                   w.writeValue("invalid", QVariant(), true);
                   w.writeValue("forcedEmpty", QString(QLatin1String("")), true);
                   w.writeValue("forcedNull", QVariant(QVariant::Int), true);
                   w.writeValue("false", false);
                   w.writeValue("zero", 0);
                   w.writeValue("double", 1.5);
                   w.writeValue("wholeDouble", 2.0);
               })
            << QByteArray("{\n    \"forcedEmpty\": \"\",\n    \"forcedNull\": null,\n    "
                          "\"false\": false,\n"
                          "    \"zero\": 0,\n    \"double\": 1.5,\n    \"wholeDouble\": 2\n}");
        QTest::newRow("times") << WriterScript([](JsonWriter &w) {
            w.writeValue("start", QTime(7, 5));
            w.writeValue("stop", QTime(7, 5, 30));
            w.writeValue("invalid", QTime());
        }) << QByteArray("{\n    \"start\": \"07:05\",\n    \"stop\": \"07:05:30\"\n}");
        QTest::newRow("closing a nested container ends single-line mode")
            << WriterScript([](JsonWriter &w) {
                   w.beginObject("s");
                   w.setSingleLine(true);
                   w.writeValue("a", 1);
                   w.beginObject("in", true);
                   w.writeValue("x", 1);
                   w.endObject();
                   w.writeValue("b", 2);
                   w.endObject();
               })
            << QByteArray("{\n    \"s\": {\n        \"a\": 1,         \"in\": {\"x\": 1},\n        "
                          "\"b\": 2\n    }\n}");
        QTest::newRow("closing a nested container ends inline mode")
            << WriterScript([](JsonWriter &w) {
                   w.beginObject("o", true);
                   w.writeValue("a", 1);
                   w.beginArray("arr", true);
                   w.writeItem(1);
                   w.endArray();
                   w.writeValue("b", 2);
                   w.endObject();
               })
            << QByteArray(
                   "{\n    \"o\": {\"a\": 1,         \"arr\": [1],\n        \"b\": 2\n    }\n}");
    }

    void layouts()
    {
        QFETCH(WriterScript, script);
        QFETCH(QByteArray, expected);
        QCOMPARE(document(script), expected);
    }

    void withoutSkipValue()
    {
        JsonWriter writer;
        writer.beginObject();
        writer.writeValue("id", NotSet);
        writer.endObject();
        QCOMPARE(writer.data(), QByteArray("{\n    \"id\": 2147483647\n}"));
    }

    void escaping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written"); // between the quotes
        QTest::addColumn<bool>("readsBackSame"); // the text is already in file form

        QTest::newRow("plain") << QStringLiteral("Main street") << QByteArray("Main street")
                               << true;
        QTest::newRow("double quote") << QStringLiteral("a\"b") << QByteArray("a\\\"b") << false;
        QTest::newRow("trailing backslash")
            << QStringLiteral("a\\") << QByteArray("a\\\\") << false;
        QTest::newRow("backslash before letter")
            << QStringLiteral("C:\\dir") << QByteArray("C:\\\\dir") << false;
        QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\u0009b") << false;
        QTest::newRow("line feed") << QStringLiteral("a\nb") << QByteArray("a\\u000ab") << false;
        QTest::newRow("raw escaped quote")
            << QStringLiteral("a\\\"b") << QByteArray("a\\\"b") << true;
        QTest::newRow("raw escapes")
            << QStringLiteral("\\\\ \\/ \\b \\f \\n \\r \\t \\u00e9 \\u00E9")
            << QByteArray("\\\\ \\/ \\b \\f \\n \\r \\t \\u00e9 \\u00E9") << true;
        QTest::newRow("short unicode escape")
            << QStringLiteral("\\u12") << QByteArray("\\\\u12") << false;
        QTest::newRow("unicode escape at end")
            << QStringLiteral("x\\u") << QByteArray("x\\\\u") << false;
        QTest::newRow("quote after escaped backslash")
            << QStringLiteral("\\\\\"") << QByteArray("\\\\\\\"") << false;
        QTest::newRow("non-ascii")
            << QString::fromUtf8("\xC3\xA9t\xC3\xA9") << QByteArray("\xC3\xA9t\xC3\xA9") << true;
    }

    void escaping()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QFETCH(bool, readsBackSame);

        QCOMPARE(JsonWriter::escaped(text), written);

        // Whatever the text, the file loads again, and saving what was read gives
        // the same bytes; a text in file form comes back unchanged.
        const QByteArray first = nameDocument(text);
        Parser parser;
        QString error;
        QVERIFY2(parser.parse(first, &error), qPrintable(error));
        const QString read = parser.root().member("name").toString();
        QCOMPARE(read == text, readsBackSame);
        QCOMPARE(nameDocument(read), first);
    }

    void escapedNames()
    {
        JsonWriter writer;
        writer.beginObject();
        writer.writeValue("a\"b", 1);
        writer.endObject();
        Parser parser;
        QVERIFY(parser.parse(writer.data(), nullptr));
        QCOMPARE(parser.root().memberNames(), QStringList { QStringLiteral("a\\\"b") });
    }
};

PROJECT_TEST(TestJsonWriter);
#include "tst_jsonwriter.moc"
