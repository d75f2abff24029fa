#include "processmemory.h"
#include "tlc/qtlc.h"
#include "tlcfixture.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <log4cxx/logger.h>

// Emulation runs of a 16-group crossing, one step per 100 ms as the diagram
// window steps it: an 8-step fixed-time program and a stage ring with a
// detector transit every 10 s, over 1, 4 and 16 hours. Reports steps per
// second and the peak memory above the loaded emulator, which must not grow
// with the run length.

namespace {

QByteArray description()
{
    CnfController c;
    TlcFixture::fillBenchmarkCrossing(c);
    return TlcFixture::save(c);
}

using ProcessMemory::resetPeak;
using ProcessMemory::statusKb;

void run(benchmark::State &state, int plan)
{
    static const QByteArray bytes = description();
    const qint64 steps = state.range(0) * 36000;
    double peakAbove = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTlc tlc;
        QString error;
        if (!tlc.fromJson(bytes, &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        tlc.setDate(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        tlc.start();
        tlc.setPlan(plan);
        QTlcDetector *detector = tlc.detectors()[1];
        QTlcSignalGroup *first = tlc.signalGroups().at(0);
        const double loaded = statusKb("VmRSS:");
        resetPeak();
        state.ResumeTiming();
        for (qint64 t = 0; t < steps * 100; t += 100) {
            if (t % 10000 == 0 && plan == 2)
                QMetaObject::invokeMethod(detector, "emulateTransit", Qt::AutoConnection,
                                          Q_ARG(qint64, 500));
            tlc.step(t + 100);
            benchmark::DoNotOptimize(first->primitive());
        }
        state.PauseTiming();
        peakAbove = qMax(peakAbove, statusKb("VmHWM:") - loaded);
        state.ResumeTiming();
    }
    state.counters["steps/s"]
        = benchmark::Counter(double(steps) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak_kB_above_loaded"] = peakAbove;
}

void fixedTime(benchmark::State &state)
{
    run(state, 1);
}

void stageRing(benchmark::State &state)
{
    run(state, 2);
}

} // namespace

BENCHMARK(fixedTime)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(stageRing)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // A quiet run, as without a log window: only warnings and errors.
    log4cxx::Logger::getRootLogger()->setLevel(log4cxx::Level::getWarn());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
