#include "testmain.h"
#include "zumoltc/model/jsonreader.h"

#include <QtTest>

namespace readertest {
Q_NAMESPACE
enum Kind { traffic, pedestrian, always_ON };
Q_ENUM_NS(Kind)
} // namespace readertest

class TestJsonReader : public QObject
{
    Q_OBJECT
private slots:
    void load_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("error");

        QTest::newRow("object") << QByteArray("{\"a\":1}") << true << QString();
        QTest::newRow("array root")
            << QByteArray("[]") << false << QStringLiteral("Configuration must be JSON Object");
        QTest::newRow("parse error") << QByteArray("{\"a\" 1}") << false
                                     << QStringLiteral("Line 1, column 7: Missing name separator");
    }

    void load()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, ok);
        QFETCH(QString, error);

        JsonReader reader;
        QString actual;
        QCOMPARE(reader.load(data, &actual), ok);
        QCOMPARE(actual, error);
        QCOMPARE(reader.context().type(), int(ok ? JsonValue::Object : JsonValue::Undefined));
    }

    void typedReads()
    {
        JsonReader reader;
        QVERIFY(reader.load("{\n"
                            "\"i\": 5,\n"
                            "\"s\": \"abc\",\n"
                            "\"b\": true,\n"
                            "\"f\": false,\n"
                            "\"d\": 40000000,\n"
                            "\"z\": null,\n"
                            "\"a\": [1],\n"
                            "\"o\": {\"x\": 1},\n"
                            "\"w\": 5.0}",
                            nullptr));

        QCOMPARE(reader.readInt("i"), 5);
        QCOMPARE(reader.readString("s"), QStringLiteral("abc"));
        QCOMPARE(reader.readBool("b"), true);
        QCOMPARE(reader.readBool("f"), false);
        QCOMPARE(reader.readArray("a").size(), 1);
        QVERIFY(reader.isObject("o"));
        QVERIFY(reader.check("z", true, JsonValue::Undefined)); // any type accepted
        QCOMPARE(reader.warnings(), QStringList());

        // Wrong types: a warning at the value, and the default.
        QCOMPARE(reader.readInt("s"), JsonReader::NotSet);
        QCOMPARE(reader.current().toString(),
                 QStringLiteral("abc")); // current keeps the mistyped value
        QCOMPARE(reader.readInt("d", 0), 0);
        QCOMPARE(reader.readInt("w"), JsonReader::NotSet);
        QCOMPARE(reader.readString("z"), QString());
        QCOMPARE(reader.readString("a"), QString());
        QCOMPARE(reader.readBool("i"), false);
        QVERIFY(reader.readArray("o").type() == JsonValue::Undefined);
        QCOMPARE(reader.warnings(),
                 QStringList({
                     QStringLiteral("Line 3, column 6: 's' value abc has invalid type String (must "
                                    "be Integer). Value ignored"),
                     QStringLiteral("Line 6, column 6: 'd' value 4e+07 has invalid type Double "
                                    "(must be Integer). Value ignored"),
                     QStringLiteral("Line 10, column 6: 'w' value 5 has invalid type Double (must "
                                    "be Integer). Value ignored"),
                     QStringLiteral("Line 7, column 6: 'z' value  has invalid type Null (must be "
                                    "String). Value ignored"),
                     QStringLiteral("Line 8, column 6: 'a' value  has invalid type Array (must be "
                                    "String). Value ignored"),
                     QStringLiteral("Line 2, column 6: 'i' value 5 has invalid type Integer (must "
                                    "be Bool). Value ignored"),
                     QStringLiteral("Line 9, column 7: 'o' value  has invalid type Object (must be "
                                    "Array). Value ignored"),
                 }));
    }

    void missingAttributes()
    {
        JsonReader reader;
        QVERIFY(reader.load("{\"configVersion\":1,\"type\":\"ZU_MOLT\"}", nullptr));
        QCOMPARE(reader.readInt("name"), JsonReader::NotSet);
        QCOMPARE(reader.readInt("maxCurrent", 0), 0);
        QCOMPARE(reader.warnings(), QStringList());
        QCOMPARE(reader.readInt("id", true), JsonReader::NotSet);
        QCOMPARE(reader.warnings(),
                 QStringList { QStringLiteral("Line 1, column 2: Attribute 'id' not defined") });
    }

    void contexts()
    {
        JsonReader reader;
        QVERIFY(reader.load(
            "{\"id\": 1, \"inner\": {\"id\": 2}, \"empty\": {}, \"items\": [{}, 7]}", nullptr));

        // Leaving without entering keeps the root.
        reader.leave();
        QCOMPARE(reader.readInt("id"), 1);

        const JsonValue inner = reader.context().member("inner");
        QCOMPARE(reader.readInt("id", false, inner), 2);
        // An object without members stands for the context.
        QCOMPARE(reader.readInt("id", false, reader.context().member("empty")), 1);

        reader.enter(inner);
        QCOMPARE(reader.readInt("id"), 2);
        reader.leave();
        QCOMPARE(reader.readInt("id"), 1);

        // Entering an array element, even an empty object or a number, never
        // reads the enclosing object's attributes; the warning points at the element.
        for (const JsonValue &item : reader.readArray("items")) {
            reader.enter(item);
            QCOMPARE(reader.readInt("id"), JsonReader::NotSet);
            QCOMPARE(reader.readInt("id", true), JsonReader::NotSet);
            reader.leave();
        }
        QCOMPARE(reader.warnings(),
                 QStringList({ QStringLiteral("Line 1, column 55: Attribute 'id' not defined"),
                               QStringLiteral("Line 1, column 58: Attribute 'id' not defined") }));
        QCOMPARE(reader.readInt("id"), 1);
    }

    void enumerations_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("warning");

        QTest::newRow("key") << QByteArray("{\"type\": \"pedestrian\"}")
                             << int(readertest::pedestrian) << QString();
        QTest::newRow("key with underscore")
            << QByteArray("{\"type\": \"always_ON\"}") << int(readertest::always_ON) << QString();
        QTest::newRow("wrong case")
            << QByteArray("{\"type\": \"Traffic\"}") << JsonReader::NotSet
            << QStringLiteral("Line 1, column 10: 'type' attribute has invalid value Traffic");
        QTest::newRow("empty text")
            << QByteArray("{\"type\": \"\"}") << JsonReader::NotSet
            << QStringLiteral("Line 1, column 10: 'type' attribute has invalid value ");
        QTest::newRow("scoped key")
            << QByteArray("{\"type\": \"readertest::traffic\"}") << JsonReader::NotSet
            << QStringLiteral(
                   "Line 1, column 10: 'type' attribute has invalid value readertest::traffic");
        // What shows nothing is shown escaped, so that the user sees why the key is wrong.
        QTest::newRow("key after U+FEFF")
            << QByteArray("{\"type\": \"\xEF\xBB\xBFtraffic\"}") << JsonReader::NotSet
            << QStringLiteral(
                   "Line 1, column 10: 'type' attribute has invalid value \\ufefftraffic");
        QTest::newRow("long key, a pair across 40 units")
            << QByteArray("{\"type\": \"") + QByteArray(39, 'k') + "\xF0\x9F\x9A\xA6k\"}"
            << JsonReader::NotSet
            << QStringLiteral("Line 1, column 10: 'type' attribute has invalid value ")
                + QString(39, QLatin1Char('k')) + QString::fromUcs4(U"\U0001F6A6")
                + QStringLiteral("...");
        QTest::newRow("number") << QByteArray("{\"type\": 0}") << JsonReader::NotSet
                                << QStringLiteral("Line 1, column 10: 'type' value 0 has invalid "
                                                  "type Integer (must be String). Value ignored");
        QTest::newRow("absent") << QByteArray("{}") << JsonReader::NotSet << QString();
    }

    void enumerations()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, value);
        QFETCH(QString, warning);

        JsonReader reader;
        QVERIFY(reader.load(data, nullptr));
        QCOMPARE(reader.readEnum<readertest::Kind>("type"), value);
        QCOMPARE(reader.warnings(), warning.isEmpty() ? QStringList() : QStringList { warning });
        if (value != JsonReader::NotSet) {
            // The found value replaces current as an Integer.
            QCOMPARE(reader.current().type(), int(JsonValue::Integer));
            QCOMPARE(reader.current().toInt(), value);
        }
    }

    void warningsWithoutPosition()
    {
        JsonReader reader;
        QVERIFY(reader.load("{\"a\": 1}", nullptr));
        reader.addWarning(QStringLiteral("no place"), JsonValue());
        reader.readInt("a");
        reader.addWarning(QStringLiteral("at current"));
        QCOMPARE(reader.warnings(),
                 QStringList({ QStringLiteral("no place"),
                               QStringLiteral("Line 1, column 7: at current") }));
        QCOMPARE(JsonReader::typeName(99), QStringLiteral("Unknown"));
    }
};

PROJECT_TEST(TestJsonReader);
#include "tst_jsonreader.moc"
