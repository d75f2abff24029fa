// How loading and saving a ZU_MOLT configuration grow with its size: about 4 MB
// at 1x, 4x and 16x, with many elements of each kind (signal groups, stages,
// detectors, plans, day plans, switches), each row beside QJsonDocument::fromJson
// of the same bytes. Goals: the 16x file loads within 18x the time of the 1x file,
// and load + save of the 4x file (about 16 MB) take at most 3x fromJson.
// Run: build with -DBUILD_BENCHMARKS=ON (Release), then
// build/bench/bench_zumoltc_scaling [base size in MB, 4 by default].
#include "zumoltc/model/zuconfiguration.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// units signal groups, stages, detectors and switches; a quarter as many plans and
// day plans.
void fill(ZUConfiguration &c, int units)
{
    c.setId(1);
    c.setName(QStringLiteral("Large"));
    QList<ZUSignalGroup *> groups;
    QList<ZUStage *> stages;
    for (int i = 1; i <= units; ++i) {
        auto *group = new ZUSignalGroup;
        group->setId(i);
        group->setName(QStringLiteral("G%1").arg(i));
        group->setAmber(3);
        group->setMinGreen(5 + i % 10);
        c.addSignalGroup(group);
        groups << group;
        auto *stage = new ZUStage;
        stage->setId(i);
        stage->addGroup(group);
        if (i > 1)
            stage->addGroup(groups.at(i - 2));
        stage->setMinTime(10);
        c.addStage(stage);
        stages << stage;
        auto *detector = new ZUDetector;
        detector->setId(i);
        detector->setName(QStringLiteral("D%1").arg(i));
        c.addDetector(detector);
        auto *sw = new ZUSwitch;
        sw->setId(i);
        sw->setAddr(i);
        sw->setSignalGroup(group);
        sw->setColor(zu::Color::green);
        c.addSwitch(sw);
    }
    for (int i = 1; i <= units / 4; ++i) {
        auto *plan = new ZUSignalPlan;
        plan->setId(i);
        plan->setName(QStringLiteral("Plan %1").arg(i));
        plan->setCycle(90);
        if (i % 2) {
            plan->setType(zu::StageRing);
            for (int p = 1; p <= 4; ++p)
                plan->addPhase(p, stages.at((i * 4 + p) % stages.size()), 40, 10, zu::none);
        } else {
            plan->setType(zu::Timeline);
            for (int g = 0; g < 3; ++g)
                plan->setGroupSequence(groups.at((i * 3 + g) % groups.size()),
                                       { { 0, zu::green }, { 30, zu::amber }, { 33, zu::red } });
        }
        c.addSignalPlan(plan);
        auto *day = new ZUDayPlan(i, QStringLiteral("Day %1").arg(i));
        c.addDayPlan(day);
    }
}

double seconds(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double baseMb = argc > 1 ? QByteArray(argv[1]).toDouble() : 4.0;
    ZUConfiguration probe;
    fill(probe, 1000);
    const int baseUnits = int(baseMb * 1024 * 1024 / (probe.toJson().size() / 1000.0));
    double first = 0;
    for (int scale : { 1, 4, 16 }) {
        QByteArray bytes;
        {
            ZUConfiguration source;
            fill(source, baseUnits * scale);
            bytes = source.toJson();
        }
        // The best of three runs each: a single run on a busy machine varies by a
        // factor of two, and the first one also pays for memory not used before.
        double load = 0, save = 0, parse = 0;
        bool ok = true;
        QByteArray saved;
        for (int run = 0; run < 3; ++run) {
            ZUConfiguration c;
            QString error;
            bool loaded = false;
            const double loadTime = seconds([&] { loaded = c.fromJson(bytes, &error); });
            const double saveTime = seconds([&] { saved = c.toJson(); });
            const double parseTime = seconds([&] { QJsonDocument::fromJson(bytes); });
            ok = ok && loaded && saved == bytes;
            load = run ? std::min(load, loadTime) : loadTime;
            save = run ? std::min(save, saveTime) : saveTime;
            parse = run ? std::min(parse, parseTime) : parseTime;
        }
        if (scale == 1)
            first = load;
        std::printf("ZU_MOLT model %2dx %7.1f MB  load %8.3f s  save %7.3f s  fromJson %7.3f s  "
                    "(load+save)/fromJson %5.1f%s\n",
                    scale, bytes.size() / 1048576.0, load, save, parse, (load + save) / parse,
                    ok ? "" : "  (load failed or saved other bytes)");
        if (scale == 16)
            std::printf("ZU_MOLT model load growth 16x/1x: %.1f (goal: under 18)\n", load / first);
        std::fflush(stdout);
    }
    return 0;
}
