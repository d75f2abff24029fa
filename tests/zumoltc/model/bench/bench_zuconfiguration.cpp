// Loading and saving a large configuration: 5,000 signal groups, 500 plans and
// 10,000 switches, with the references between them.
#include "zumoltc/model/zuconfiguration.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

void fill(ZUConfiguration &c)
{
    c.setId(1);
    c.setName(QStringLiteral("Large"));
    QList<ZUSignalGroup *> groups;
    for (int i = 1; i <= 5000; ++i) {
        auto *group = new ZUSignalGroup;
        group->setId(i);
        group->setName(QStringLiteral("G%1").arg(i));
        group->setAmber(3);
        group->setMinGreen(5 + i % 10);
        c.addSignalGroup(group);
        groups << group;
    }
    QList<ZUStage *> stages;
    for (int i = 1; i <= 100; ++i) {
        auto *stage = new ZUStage;
        stage->setId(i);
        for (int k = 0; k < 20; ++k)
            stage->addGroup(groups.at((i * 37 + k * 101) % groups.size()));
        stage->setMinTime(10);
        c.addStage(stage);
        stages << stage;
    }
    for (int i = 1; i <= 500; ++i) {
        auto *plan = new ZUSignalPlan;
        plan->setId(i);
        plan->setName(QStringLiteral("Plan %1").arg(i));
        plan->setCycle(90);
        if (i % 2) {
            plan->setType(zu::StageRing);
            for (int p = 1; p <= 8; ++p)
                plan->addPhase(p, stages.at((i + p) % stages.size()), 40, 10, zu::none);
        } else {
            plan->setType(zu::Timeline);
            for (int g = 0; g < 10; ++g)
                plan->setGroupSequence(groups.at((i * 13 + g) % groups.size()),
                                       { { 0, zu::green }, { 30, zu::amber }, { 33, zu::red } });
        }
        c.addSignalPlan(plan);
    }
    for (int i = 1; i <= 10000; ++i) {
        auto *sw = new ZUSwitch;
        sw->setId(i);
        sw->setAddr(i);
        sw->setSignalGroup(groups.at((i * 7) % groups.size()));
        sw->setColor(zu::Color::green);
        sw->setControl(true);
        c.addSwitch(sw);
    }
}

const QByteArray &text()
{
    static const QByteArray saved = [] {
        ZUConfiguration c;
        fill(c);
        return c.toJson();
    }();
    return saved;
}

void loadConfiguration(benchmark::State &state)
{
    const QByteArray &data = text();
    ZUConfiguration c;
    for (auto _ : state) {
        QString error;
        if (!c.fromJson(data, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * data.size());
    state.counters["warnings"] = double(c.warnings().size());
}
BENCHMARK(loadConfiguration)->Unit(benchmark::kMillisecond);

void saveConfiguration(benchmark::State &state)
{
    ZUConfiguration c;
    c.fromJson(text());
    for (auto _ : state)
        benchmark::DoNotOptimize(c.toJson());
    state.SetBytesProcessed(int64_t(state.iterations()) * text().size());
}
BENCHMARK(saveConfiguration)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
