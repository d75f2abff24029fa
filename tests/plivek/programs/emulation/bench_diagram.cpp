#include "../../../libs/tlc/processmemory.h"
#include "../../../libs/tlc/tlcfixture.h"
#include "plivek/programs/emulation/tiverk2diagrammdlg.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <log4cxx/logger.h>

// Whole runs of the diagram window over the 16-group crossing of the emulator
// benchmark (8-step fixed time): one emulator step per 100 ms up to the end of
// the display window, the samples turned into bars and stage rectangles.
// Reports the time of one run and the peak memory above the first run, which
// must not grow from run to run nor with the window length.

namespace {

void diagram(benchmark::State &state)
{
    static CnfController controller;
    if (controller.signalGroups().isEmpty())
        TlcFixture::fillBenchmarkCrossing(controller);
    QSettings().setValue(QStringLiteral("Tiverk2Prog/chart_to"), int(state.range(0)));
    Tiverk2DiagrammDlg dlg(nullptr, &controller);
    dlg.setData(controller.findProgram(QStringLiteral("1")), QVariantMap(),
                controller.defaultMatrix());
    const double settled = ProcessMemory::statusKb("VmRSS:");
    ProcessMemory::resetPeak();
    for (auto _ : state)
        dlg.runEmulation();
    state.counters["peak_kB_above_first_run"] = ProcessMemory::statusKb("VmHWM:") - settled;
}

} // namespace

BENCHMARK(diagram)->Arg(3600)->Arg(65535)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // Headless, with settings of its own.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    // A quiet run, as without a log window: only warnings and errors.
    log4cxx::Logger::getRootLogger()->setLevel(log4cxx::Level::getWarn());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
