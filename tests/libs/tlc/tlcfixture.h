#pragma once

#include "../cnf/formatfixture.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/tiverkiiconfig.h"

#include <QVariantList>
#include <QVariantMap>

// A small crossing for the emulator tests, saved as the emulator reads it:
//   group 1 main road, group 2 side road (both: green blink 3 s, amber 3 s,
//   red-amber 2 s from the default group), group 3 pedestrians across the main
//   road (green blink 3 s, no amber, no red-amber of its own);
//   phase 1 "Main" {1}, phase 2 "Side" {2, 3}, phase 3 "Walk" {3};
//   intergreen 1->2 8 s, 1->3 5 s, 2->1 6 s, 3->1 9 s (no value for 2/3);
//   detector 1 on the main road, sensor 1 the push button.
namespace TlcFixture {

inline CnfSignalGroupPtr addGroup(CnfController &c, int id, const QString &name, int type)
{
    auto group = CnfSignalGroupPtr::create();
    group->id = id;
    group->name = name;
    group->setType(type);
    c.addSignalGroup(group);
    return group;
}

inline CnfPhasePtr addPhase(CnfController &c, const QString &id, const QString &name,
                            const QList<int> &groups, int minTime = -1)
{
    auto phase = CnfPhasePtr::create();
    phase->id = id;
    phase->name = name;
    phase->minTime = minTime;
    for (int group : groups)
        phase->signalGroups.append(c.findSG(group));
    c.addPhase(phase);
    return phase;
}

using FormatFixture::addProgram;

// A TIVERK II controller whose default group blinks green 3 s, shows amber
// 3 s and red-amber 2 s.
inline void setDefaultTimes(CnfController &c)
{
    c.setProperty("type", QStringLiteral("tiverkii"));
    c.setProperty("version", QStringLiteral("0.1"));
    auto defaults = CnfSignalGroupPtr::create();
    defaults->setProperty("greenBlink", 3);
    defaults->setProperty("amber", 3);
    defaults->setProperty("redAmber", 2);
    c.setDefaulSignalGroup(defaults);
}

inline void fillCrossing(CnfController &c)
{
    setDefaultTimes(c);
    addGroup(c, 1, QStringLiteral("Main"), CnfSignalGroup::Traffic);
    addGroup(c, 2, QStringLiteral("Side"), CnfSignalGroup::Traffic);
    CnfSignalGroupPtr walk = addGroup(c, 3, QStringLiteral("Walk"), CnfSignalGroup::Pedestrian);
    walk->setProperty("amber", 0);
    walk->setProperty("redAmber", 0);
    addPhase(c, QStringLiteral("1"), QStringLiteral("Main"), { 1 }, 10);
    addPhase(c, QStringLiteral("2"), QStringLiteral("Side"), { 2, 3 });
    addPhase(c, QStringLiteral("3"), QStringLiteral("Walk"), { 3 });
    auto matrix = CnfMatrixPtr::create();
    matrix->setReleaf(1, 2, 8);
    matrix->setReleaf(1, 3, 5);
    matrix->setReleaf(2, 1, 6);
    matrix->setReleaf(3, 1, 9);
    c.addMatrix(matrix, true, true);
    FormatFixture::addDetector(c, 1, QStringLiteral("Main loop"), false);
    FormatFixture::addDetector(c, 1, QStringLiteral("Button"), true);
}

// Fixed time: Main 30 s, Side 30 s (cycle 60 s).
inline CnfProgramPtr addFixedTime(CnfController &c, const QString &id,
                                  int type = CnfProgram::FixedTime)
{
    CnfProgramPtr program = addProgram(c, id, QStringLiteral("Fixed"), type);
    program->appendPhaseFl(c.findPhase(QStringLiteral("1")), 30);
    program->appendPhaseFl(c.findPhase(QStringLiteral("2")), 30);
    return program;
}

inline QVariantMap map(std::initializer_list<std::pair<QString, QVariant>> items)
{
    QVariantMap result;
    for (const auto &item : items)
        result.insert(item.first, item.second);
    return result;
}

// Stage ring: 1 Main (min 10, max 20, passage 3), 2 Side (min 8), 3 Walk
// (min 5, only on demand). Detector 1 prolongs step 1; sensor 1 asks for step 3.
inline CnfProgramPtr addStageRing(CnfController &c, const QString &id)
{
    CnfProgramPtr program = addProgram(c, id, QStringLiteral("Ring"), CnfProgram::Stagering);
    CnfPhaseDefPtr main = program->appendPhase(c.findPhase(QStringLiteral("1")), 10);
    main->setProperty("minGreen", 10);
    main->setProperty("maxGreen", 20);
    main->setProperty("passage", 3);
    main->setProperty("recall", QStringLiteral("min"));
    CnfPhaseDefPtr side = program->appendPhase(c.findPhase(QStringLiteral("2")), 8);
    side->setProperty("minGreen", 8);
    CnfPhaseDefPtr walk = program->appendPhase(c.findPhase(QStringLiteral("3")), 5);
    walk->setProperty("minGreen", 5);
    walk->setProperty("recall", QStringLiteral("none"));
    program->setProperty(
        "conditions",
        QVariantList { map({ { QStringLiteral("phase"), 1 },
                             { QStringLiteral("detector"), 1 },
                             { QStringLiteral("control"), true } }),
                       map({ { QStringLiteral("sensor"), 1 }, { QStringLiteral("call"), 3 } }) });
    return program;
}

inline QByteArray save(const CnfController &c)
{
    TiverkIIConfig writer;
    return writer.save(c);
}

// The crossing of the benchmarks: 16 groups, 8 stages (groups 2p - 1 and 2p
// run in stage p), an intergreen of 5 to 7 s between groups of different
// stages, detector 1; program "1" fixed time with 8 steps of 20 s, program "2"
// a stage ring whose steps detector 1 prolongs.
inline void fillBenchmarkCrossing(CnfController &c)
{
    constexpr int Groups = 16;
    constexpr int Steps = 8;
    setDefaultTimes(c);
    for (int g = 1; g <= Groups; ++g)
        addGroup(c, g, QStringLiteral("G%1").arg(g), CnfSignalGroup::Traffic);
    for (int p = 1; p <= Steps; ++p)
        addPhase(c, QString::number(p), QStringLiteral("Stage %1").arg(p), { 2 * p - 1, 2 * p });
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
        conditions.append(map({ { QStringLiteral("phase"), p },
                                { QStringLiteral("detector"), 1 },
                                { QStringLiteral("control"), true } }));
    ring->setProperty("conditions", conditions);
}

} // namespace TlcFixture
