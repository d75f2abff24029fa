// Parses and writes a configuration of about 10 MB; the parser's throughput is
// reported beside QJsonDocument::fromJson on the same bytes.
#include "zumoltc/model/jsonwriter.h"
#include "zumoltc/model/parser.h"

#include <QJsonDocument>
#include <QTime>

#include <benchmark/benchmark.h>

namespace {

// A configuration-shaped document: signal groups on one line each, plans with
// phases on separate lines, switches; repeated until the text has targetSize bytes.
void writeDocument(JsonWriter &w, int groups, int plans, int switches)
{
    w.setSkipValue(2147483647);
    w.beginObject();
    w.writeValue("configVersion", 1);
    w.writeValue("type", QStringLiteral("ZU_MOLT"));
    w.writeValue("id", 1);
    w.beginObject("signalGroups");
    w.beginArray("items");
    for (int i = 1; i <= groups; ++i) {
        w.beginObject(nullptr, true);
        w.writeValue("name", QStringLiteral("Group \"%1\"").arg(i));
        w.writeValue("id", i);
        w.writeValue("type", QStringLiteral("traffic"));
        w.writeValue("amber", 3);
        w.writeValue("minGreen", 5 + i % 7);
        w.endObject();
    }
    w.endArray();
    w.endObject();
    w.beginArray("plans");
    for (int p = 1; p <= plans; ++p) {
        w.beginObject();
        w.writeValue("name", QString::fromUtf8("Plan \xC3\xA9 %1").arg(p));
        w.writeValue("id", p);
        w.beginObject("algorithm");
        w.writeValue("type", QStringLiteral("StageRing"));
        w.writeValue("cycle", 90);
        w.writeValue("offset", 1.5);
        w.beginArray("phases");
        for (int ph = 1; ph <= 8; ++ph) {
            w.beginObject();
            w.writeValue("id", ph);
            w.writeValue("stage", ph);
            w.writeValue("recall", QStringLiteral("none"));
            w.writeValue("minGreen", 10);
            w.writeValue("maxGreen", 40);
            w.endObject();
        }
        w.endArray();
        w.endObject();
        w.endObject();
    }
    w.endArray();
    w.beginObject("switches");
    w.beginArray("items");
    for (int s = 1; s <= switches; ++s) {
        w.beginObject(nullptr, true);
        w.writeValue("id", s);
        w.writeValue("signalGroup", 1 + s % groups);
        w.writeValue("addr", s);
        w.writeValue("color", QStringLiteral("green"));
        w.writeValue("control", true);
        w.endObject();
    }
    w.endArray();
    w.endObject();
    w.beginObject("scheduler");
    w.beginArray("days");
    w.beginObject();
    w.writeValue("start", QTime(6, 30));
    w.writeValue("stop", QTime(22, 0, 15));
    w.endObject();
    w.endArray();
    w.endObject();
    w.endObject();
}

const int Scale = 1000; // plans; about 10 MB in all

const QByteArray &document()
{
    static const QByteArray text = [] {
        JsonWriter writer;
        writeDocument(writer, 10 * Scale, 2 * Scale, 40 * Scale);
        return writer.data();
    }();
    return text;
}

void parserParse(benchmark::State &state)
{
    const QByteArray &text = document();
    for (auto _ : state) {
        Parser parser;
        QString error;
        if (!parser.parse(text, &error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(parser.root());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
    state.counters["MB"] = double(text.size()) / 1e6;
}
BENCHMARK(parserParse)->Unit(benchmark::kMillisecond);

void qJsonDocumentFromJson(benchmark::State &state)
{
    const QByteArray &text = document();
    for (auto _ : state) {
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(text, &error);
        if (error.error != QJsonParseError::NoError)
            state.SkipWithError(qPrintable(error.errorString()));
        benchmark::DoNotOptimize(parsed);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}
BENCHMARK(qJsonDocumentFromJson)->Unit(benchmark::kMillisecond);

void writerWrite(benchmark::State &state)
{
    int64_t bytes = 0;
    for (auto _ : state) {
        JsonWriter writer;
        writeDocument(writer, 10 * Scale, 2 * Scale, 40 * Scale);
        bytes += writer.data().size();
        benchmark::DoNotOptimize(writer.data());
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(writerWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
