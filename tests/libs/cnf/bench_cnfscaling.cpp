#include "cnf/adapterconfig.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/tiverkiiconfig.h"
#include "cnf/vobject.h"
#include "cnf/zu_moltconfig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// How loading and saving grow with the size of the file, for every format of the
// library: configurations of about 4 MB at 1x, 4x and 16x, with many elements of
// each kind (devices, signal groups, detectors, phases, programs), and up to 20,000
// removals from the native tree by handle. Each row gives the save that made the
// bytes and their load, against a plain parse of the same bytes (each the best of
// three runs; at 16x of two, the parse a single run, so that the whole run stays
// within a minute); the last line of each format gives the growth from 1x to 16x.
// Goals: a 16x file loads and saves within 20x the time of the 1x file, and loads
// within 5x a plain parse.
// Run: build with -DBUILD_BENCHMARKS=ON (Release), then build/bench/bench_cnf_scaling
// [base size in MB, 4 by default] [only this format, e.g. adapter].
namespace {

enum Format { NativeXml, Adapter, TiverkII, ZuMolt };

const char *formatName(Format format)
{
    switch (format) {
    case NativeXml:
        return "native .cnf";
    case Adapter:
        return "adapter";
    case TiverkII:
        return "TIVERK II";
    default:
        return "ZU_MOLT";
    }
}

// units of each element kind: devices, groups, detectors and phases, and a quarter
// as many programs with steps and a timeline.
void fill(CnfController &c, Format format, int units)
{
    c.setProperty("type",
                  format == Adapter      ? QStringLiteral("adapter")
                      : format == ZuMolt ? QStringLiteral("ZU_MOLT")
                                         : QStringLiteral("tiverkii"));
    c.setProperty("version", QStringLiteral("1"));
    for (int i = 1; i <= units; ++i) {
        auto device = CnfPowerDevicePtr::create();
        device->id = i;
        device->address = i - 1;
        device->name = QStringLiteral("K%1").arg(i);
        device->lampsCount = 1;
        c.addPowerDevice(device);
        auto group = CnfSignalGroupPtr::create();
        group->id = i;
        group->name = QStringLiteral("Group %1").arg(i);
        group->setType(i % 5 ? CnfSignalGroup::Traffic : CnfSignalGroup::Pedestrian);
        group->assignDevice(device);
        group->setProperty("minGreen", 5 + i % 7);
        c.addSignalGroup(group);
        auto detector = CnfDetectorPtr::create();
        detector->setId(i);
        detector->setName(QStringLiteral("D%1").arg(i));
        c.addDetector(detector);
        auto phase = CnfPhasePtr::create();
        phase->id = QString::number(i);
        phase->name = QStringLiteral("Phase %1").arg(i);
        phase->minTime = 5;
        phase->maxTime = 40;
        phase->signalGroups << group;
        if (i > 1)
            phase->signalGroups << c.findSG(i - 1);
        c.addPhase(phase);
    }
    for (int n = 1; n <= units / 4; ++n) {
        auto program = CnfProgramPtr::create(&c);
        program->id = QString::number(n);
        program->name = QStringLiteral("Program %1").arg(n);
        program->type = n % 2 ? CnfProgram::Timeline : CnfProgram::Stagering;
        program->cycleLength = 90;
        for (int step = 0; step < 4; ++step)
            program->appendPhase(c.findPhase(QString::number(1 + (n * 4 + step) % units)), 20);
        for (int g = 0; g < 3; ++g) {
            const int group = 1 + (n * 3 + g) % units;
            program->setTimelineData(group, 0, CnfSignalGroup::Green);
            program->setTimelineData(group, 30, CnfSignalGroup::Red);
        }
        c.addProgram(program);
    }
}

QByteArray save(Format format, const CnfController &c)
{
    switch (format) {
    case NativeXml:
        return c.save(-1);
    case Adapter:
        return AdapterConfig().save(c);
    case TiverkII:
        return TiverkIIConfig().save(c);
    default:
        return ZU_MOLTConfig().save(c);
    }
}

template<typename Config> bool loadWith(const QByteArray &bytes, CnfController &c)
{
    Config config;
    return config.loadData(bytes) && config.createController(c);
}

bool load(Format format, const QByteArray &bytes, CnfController &c)
{
    switch (format) {
    case NativeXml:
        return c.load(bytes, true);
    case Adapter:
        return loadWith<AdapterConfig>(bytes, c);
    case TiverkII:
        return loadWith<TiverkIIConfig>(bytes, c);
    default:
        return loadWith<ZU_MOLTConfig>(bytes, c);
    }
}

// The cheapest reading of the same bytes: every XML token, a JSON document, or the
// lines of the text.
void plainParse(Format format, const QByteArray &bytes)
{
    if (format == NativeXml) {
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd())
            xml.readNext();
    } else if (format == Adapter) {
        int count = 0;
        for (const QByteArray &line : bytes.split('\n'))
            count += line.trimmed().size();
        if (count < 0)
            std::puts("");
    } else {
        QJsonDocument::fromJson(bytes);
    }
}

// Writes a buffer larger than the processor's caches, so that what was touched
// before is no longer cached.
void evictCaches()
{
    static std::vector<char> buffer(64 << 20);
    for (size_t i = 0; i < buffer.size(); i += 64)
        ++buffer[i];
}

double seconds(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e9;
}

// The best of a few runs: a single run on a busy machine varies by a factor of
// two, and the first one also pays for the memory the process has not used yet.
// Each run starts with cold caches, so that the input of 1x, small enough to stay
// cached from the run before, is read as that of 16x is.
double bestSeconds(const std::function<void()> &run, int runs)
{
    double best = 0;
    for (int i = 0; i < runs; ++i) {
        evictCaches();
        const double time = seconds(run);
        best = i == 0 ? time : std::min(best, time);
    }
    return best;
}

void scaleFormat(Format format, double baseMb)
{
    // The units that give the base size, found from a small configuration.
    CnfController probe;
    fill(probe, format, 1000);
    const double bytesPerUnit = save(format, probe).size() / 1000.0;
    const int baseUnits = std::max(1, int(baseMb * 1024 * 1024 / bytesPerUnit));
    double firstLoad = 0;
    double firstSave = 0;
    double firstParse = 0;
    for (int scale : { 1, 4, 16 }) {
        const int runs = scale == 16 ? 2 : 3;
        QByteArray bytes;
        double saveTime = 0;
        {
            CnfController source;
            fill(source, format, baseUnits * scale);
            saveTime = bestSeconds([&] { bytes = save(format, source); }, runs);
        }
        bool ok = false;
        const double loadTime = bestSeconds(
            [&] {
                CnfController c;
                ok = load(format, bytes, c);
            },
            runs);
        const double parseTime
            = bestSeconds([&] { plainParse(format, bytes); }, scale == 16 ? 1 : runs);
        if (scale == 1) {
            firstLoad = loadTime;
            firstSave = saveTime;
            firstParse = parseTime;
        }
        std::printf("%-12s %2dx %7.1f MB  load %8.3f s  save %8.3f s  plain parse %7.3f s  "
                    "load/parse %5.1f%s\n",
                    formatName(format), scale, bytes.size() / 1048576.0, loadTime, saveTime,
                    parseTime, loadTime / parseTime, ok ? "" : "  (load failed)");
        if (scale == 16) {
            // The plain parse shows how much of the growth the memory of a larger
            // input costs by itself.
            std::printf(
                "%-12s growth 16x/1x: load %.1f, save %.1f (goal: at most 20); plain parse %.1f\n",
                formatName(format), loadTime / firstLoad, saveTime / firstSave,
                parseTime / firstParse);
        }
        std::fflush(stdout);
    }
}

// Removes count entries of a list of count maps through handles, every second from
// the end first, so that removals hit the middle of the list. `base` entries at 1x
// (1,250 at the default size); the best of five runs, each on a new list. Each run
// starts with cold caches: the list of 1x would otherwise still sit in the cache
// after being built, that of 16x not, and the growth would show the cache size
// rather than the cost of a removal.
void scaleRemovals(int base)
{
    double first = 0;
    for (int scale : { 1, 4, 16 }) {
        const int count = base * scale;
        double time = 0;
        for (int run = 0; run < 5; ++run) {
            CnfController c;
            VObject list = c.nativeData()["records"];
            for (int i = 0; i < count; ++i)
                list.append(QVariantMap { { QStringLiteral("id"), i } });
            QList<VObject> handles;
            for (int i = 0; i < count; ++i)
                handles << list[i];
            evictCaches();
            const double runTime = seconds([&] {
                for (int i = count - 1; i >= 0; i -= 2)
                    handles[i].remove();
                for (int i = count - 2; i >= 0; i -= 2)
                    handles[i].remove();
            });
            if (list.size() != 0)
                std::printf("VObject removals left %d entries\n", list.size());
            time = run == 0 ? runTime : std::min(time, runTime);
        }
        if (scale == 1)
            first = time;
        std::printf("VObject removals %7d  %8.4f s\n", count, time);
        if (scale == 16)
            std::printf("VObject removals growth 16x/1x: %.1f (goal: at most 20)\n", time / first);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double baseMb = argc > 1 ? QByteArray(argv[1]).toDouble() : 4.0;
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    for (Format format : { NativeXml, Adapter, TiverkII, ZuMolt }) {
        if (only.isEmpty() || only == formatName(format))
            scaleFormat(format, baseMb);
    }
    scaleRemovals(std::max(1, int(1250 * baseMb / 4.0)));
    return 0;
}
