#include "tlc/qtlc.h"
#include "tlcfixture.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>
#include <log4cxx/logger.h>

// Emulation runs of a 16-group crossing, one step per 100 ms as the diagram
// window steps it: an 8-step fixed-time program and a stage ring with a
// detector transit every 10 s, over 1, 4 and 16 hours. Reports steps per
// second and the peak memory above the loaded emulator, which must not grow
// with the run length.

namespace {

constexpr int Groups = 16;
constexpr int Steps = 8;

QByteArray description()
{
    using namespace TlcFixture;
    CnfController c;
    setDefaultTimes(c);
    for (int g = 1; g <= Groups; ++g)
        addGroup(c, g, QStringLiteral("G%1").arg(g), CnfSignalGroup::Traffic);
    for (int p = 1; p <= Steps; ++p)
        addPhase(c, QString::number(p), QStringLiteral("Stage %1").arg(p), {2 * p - 1, 2 * p});
    auto matrix = CnfMatrixPtr::create();
    for (int a = 1; a <= Groups; ++a) {
        for (int b = 1; b <= Groups; ++b) {
            if ((a - 1) / 2 != (b - 1) / 2)
                matrix->setReleaf(a, b, 5 + (a + b) % 3);
        }
    }
    c.addMatrix(matrix, true, true);
    FormatFixture::addDetector(c, 1, QString(), false);

    CnfProgramPtr fixed = addProgram(c, QStringLiteral("1"), QString(), CnfProgram::FixedTime);
    CnfProgramPtr ring = addProgram(c, QStringLiteral("2"), QString(), CnfProgram::Stagering);
    for (int p = 1; p <= Steps; ++p) {
        fixed->appendPhaseFl(c.findPhase(QString::number(p)), 20);
        CnfPhaseDefPtr step = ring->appendPhase(c.findPhase(QString::number(p)), 10);
        step->setProperty("minGreen", 10);
        step->setProperty("maxGreen", 30);
        step->setProperty("passage", 2);
    }
    QVariantList conditions;
    for (int p = 1; p <= Steps; ++p)
        conditions.append(map({{QStringLiteral("phase"), p}, {QStringLiteral("detector"), 1}, {QStringLiteral("control"), true}}));
    ring->setProperty("conditions", conditions);
    return save(c);
}

// Kilobytes of a line of /proc/self/status ("VmRSS", "VmHWM").
double statusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key)) + 1).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

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
                QMetaObject::invokeMethod(detector, "emulateTransit", Qt::AutoConnection, Q_ARG(qint64, 500));
            tlc.step(t + 100);
            benchmark::DoNotOptimize(first->primitive());
        }
        state.PauseTiming();
        peakAbove = qMax(peakAbove, statusKb("VmHWM:") - loaded);
        state.ResumeTiming();
    }
    state.counters["steps/s"] = benchmark::Counter(double(steps) * state.iterations(), benchmark::Counter::kIsRate);
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
