// Feeds arbitrary bytes to the parser and the typed reader, reads every member
// with every typed read, and checks that every text (the input itself taken as
// a text, and every text the parser accepted) is written so that it parses
// again and writes back to the same bytes; then reads the input as a
// configuration and checks that what it saves loads again.
#include "fuzzenum.h"
#include "zumoltc/model/jsonreader.h"
#include "zumoltc/model/jsonwriter.h"
#include "zumoltc/model/parser.h"
#include "zumoltc/model/zuconfiguration.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkTextRoundTrip(const QString &text)
{
    JsonWriter writer;
    writer.beginObject();
    writer.writeValue("t", text, true);
    writer.endObject();
    Parser parser;
    QString error;
    if (!parser.parse(writer.data(), &error))
        abort();
    const QString read = parser.root().member("t").toString();
    JsonWriter again;
    again.beginObject();
    again.writeValue("t", read, true);
    again.endObject();
    if (again.data() != writer.data())
        abort();
}

void walk(JsonReader &reader, const JsonValue &value)
{
    if (value.type() == JsonValue::String) {
        checkTextRoundTrip(value.toString());
        return;
    }
    if (value.type() == JsonValue::Array) {
        for (const JsonValue &item : value) {
            reader.enter(item);
            walk(reader, item);
            reader.leave();
        }
        return;
    }
    if (value.type() != JsonValue::Object)
        return;
    reader.enter(value);
    for (const QString &name : value.memberNames()) {
        checkTextRoundTrip(name);
        const QByteArray key = name.toLatin1();
        reader.readInt(key.constData(), true);
        reader.readInt(key.constData(), 0);
        reader.readString(key.constData());
        reader.readBool(key.constData());
        reader.readEnum<fuzz::Kind>(key.constData());
        reader.check(key.constData(), true, JsonValue::Undefined);
        reader.current().toInt();
        reader.current().toVariant();
        walk(reader, reader.readArray(key.constData()));
        if (reader.isObject(key.constData()))
            walk(reader, reader.current());
    }
    reader.leave();
    reader.warnings();
}

} // namespace

// Whatever a file holds, what the configuration then saves must load again
// without a fatal error, and saving that gives the same text once more.
void checkConfigurationRoundTrip(const QByteArray &bytes)
{
    ZUConfiguration configuration;
    QString error;
    if (!configuration.fromJson(bytes, &error))
        return;
    const QByteArray saved = configuration.toJson();
    ZUConfiguration again;
    if (!again.fromJson(saved, &error))
        abort();
    const QByteArray savedAgain = again.toJson();
    ZUConfiguration third;
    if (!third.fromJson(savedAgain, &error) || third.toJson() != savedAgain)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    // The input as a typed text (quotes, backslashes, control characters).
    checkTextRoundTrip(QString::fromUtf8(bytes));

    JsonReader reader;
    QString error;
    if (!reader.load(bytes, &error)) {
        if (error.isEmpty())
            abort();
        return 0;
    }
    if (!error.isEmpty())
        abort();
    walk(reader, reader.context());
    checkConfigurationRoundTrip(bytes);
    return 0;
}
