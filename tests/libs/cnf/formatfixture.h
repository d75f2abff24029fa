#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfinterstate.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"
#include "cnf/cnfweekcard.h"
#include "cnf/tiverkiiconfig.h"

#include <QVariantMap>

// Configurations for the file-format tests and the examples: each uses every
// list of the controller and a native tree of maps, lists, ints, doubles,
// texts and non-ASCII text.
namespace FormatFixture {

// A detector, or with sensor a sensor, added to the controller.
inline CnfDetectorPtr addDetector(CnfController &c, int id, const QString &name, bool sensor)
{
    auto d = CnfDetectorPtr::create();
    d->setId(id);
    d->setName(name);
    if (sensor)
        c.addSensor(d);
    else
        c.addDetector(d);
    return d;
}

// A program added to the controller; the caller fills in the rest.
inline CnfProgramPtr addProgram(CnfController &c, const QString &id, const QString &name, int type)
{
    auto p = CnfProgramPtr::create(&c);
    p->id = id;
    p->name = name;
    p->type = type;
    c.addProgram(p);
    return p;
}

// Week card "1" named "Week": workday from Monday to Friday, weekend on
// Saturday and Sunday.
inline CnfWeekCardPtr addWeek(CnfController &c, const CnfDayCardPtr &workday,
                              const CnfDayCardPtr &weekend)
{
    auto week = CnfWeekCardPtr::create();
    week->id = QStringLiteral("1");
    week->name = QStringLiteral("Week");
    for (int d = 1; d <= 7; ++d)
        week->days.insert(d, d <= 5 ? workday : weekend);
    c.addWeekCard(week);
    return week;
}

// Season plan "Summer", June to August, on week.
inline void addSummer(CnfController &c, const CnfWeekCardPtr &week)
{
    auto summer = CnfSeasonPlanPtr::create();
    summer->name = QStringLiteral("Summer");
    summer->from = QDate(2000, 6, 1);
    summer->to = QDate(2000, 8, 31);
    summer->weekCard = week;
    c.addSeasonPlan(summer);
}

// Special day "1" on the first of January that runs card.
inline void addNewYear(CnfController &c, const QString &name, const CnfDayCardPtr &card)
{
    auto holiday = CnfSpecialDayPtr::create();
    holiday->id = QStringLiteral("1");
    holiday->name = name;
    holiday->dayCard = card;
    c.addSpecialDay(QDate(2000, 1, 1), holiday);
}

inline void setNative(CnfController &c, const QVariantMap &native)
{
    for (auto it = native.cbegin(); it != native.cend(); ++it)
        c.setNativeData(it.key(), it.value());
}

inline QVariantMap nativeTree()
{
    QVariantMap modules {
        { QStringLiteral("SystemBus"),
          QVariantMap {
              { QStringLiteral("devices"),
                QVariantMap { { QStringLiteral("VPU1"),
                                QVariantMap { { QStringLiteral("controlSource"), 4 } } } } } } },
        { QStringLiteral("MultiRing"),
          QVariantMap { { QStringLiteral("rings"),
                          QVariantList { QVariantList { 1, 2 }, QVariantList { 3 } } },
                        { QStringLiteral("gain"), 0.75 } } }
    };
    return QVariantMap {
        { QStringLiteral("modules"), modules },
        { QStringLiteral("controlSources"),
          QVariantList { QVariantMap { { QStringLiteral("id"), 1 },
                                       { QStringLiteral("name"), QStringLiteral("emergency") },
                                       { QStringLiteral("priority"), 9999 } },
                         QVariantMap { { QStringLiteral("id"), 2 },
                                       { QStringLiteral("name"), QStringLiteral("scheduler") },
                                       { QStringLiteral("priority"), 0 },
                                       { QStringLiteral("url"),
                                         QStringLiteral("tcp://localhost:12330/") } } } },
        { QStringLiteral("startup_yf"), 3 },
        { QStringLiteral("bigCounter"), qlonglong(1) << 40 },
        { QStringLiteral("ratio"), 2.5 },
        { QStringLiteral("wholeDouble"), 4.0 },
        { QStringLiteral("enabled"), true },
        { QStringLiteral("address"),
          QStringLiteral("Улица Ленина, \"угол\" / 5\\a\nвторая строка") },
        { QStringLiteral("emptyList"), QVariantList() },
        { QStringLiteral("emptyMap"), QVariantMap() }
    };
}

// A configuration of the given family that uses every element kind and field.
inline void fillFull(CnfController &c, const QString &family, const QString &version)
{
    c.clear();
    c.setProperty("type", family);
    c.setProperty("version", version);
    c.setProperty("number", 17);
    c.setProperty("description", QStringLiteral("Площадь Победы — north"));
    c.setProperty("dprog_stop", 2);

    for (int i = 1; i <= 4; ++i) {
        auto device = CnfPowerDevicePtr::create();
        device->id = i;
        device->name = QStringLiteral("K%1").arg(i);
        device->address = i - 1;
        device->type = i == 4 ? CnfPowerDevice::KeyDouble : CnfPowerDevice::Key;
        device->color = i % 4;
        device->lampsCount = i;
        device->burnoutControl = i % 2;
        c.addPowerDevice(device);
    }
    auto defaults = CnfSignalGroupPtr::create();
    defaults->setProperty("amber", 3);
    defaults->setProperty("minGreen", 5);
    c.setDefaulSignalGroup(defaults);
    for (int i = 1; i <= 3; ++i) {
        auto group = CnfSignalGroupPtr::create();
        group->id = i;
        group->name = QStringLiteral("Группа %1").arg(i);
        group->setType(i == 3 ? CnfSignalGroup::Pedestrian : CnfSignalGroup::Traffic);
        group->assignDevice(c.findPowerDevice(i));
        group->detectorAddresses = { i, 255 };
        group->setInterstate(1, QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        group->setProperty("maxGreen", 40 + i);
        c.addSignalGroup(group);
    }
    for (int i = 1; i <= 2; ++i) {
        auto detector = CnfDetectorPtr::create();
        detector->setId(i);
        detector->setName(QStringLiteral("Loop %1").arg(i));
        detector->setProperty(
            "source",
            QVariantMap { { QStringLiteral("board"), i }, { QStringLiteral("channel"), 3 } });
        c.addDetector(detector);
    }
    addDetector(c, 1, QStringLiteral("Button"), true);

    for (int i = 1; i <= 2; ++i) {
        auto phase = CnfPhasePtr::create();
        phase->id = QString::number(i);
        phase->name = QStringLiteral("Phase %1").arg(i);
        phase->minTime = 5 * i;
        phase->maxTime = 30 * i;
        phase->signalGroups = { c.findSG(i) };
        if (i == 2) {
            auto transition = CnfTransitionPtr::create();
            transition->greenEnd = { { 1, 3 } };
            transition->greenStart = { { 2, 6 } };
            transition->length = 6;
            phase->transitions.insert(QStringLiteral("1"), transition);
        }
        c.addPhase(phase);
    }
    auto matrix = CnfMatrixPtr::create();
    matrix->setId(1);
    matrix->setName(QStringLiteral("conflicts"));
    matrix->setReleaf(1, 2, 5.0);
    matrix->setReleaf(2, 1, 4.5);
    c.addMatrix(matrix, true, true);
    auto second = CnfMatrixPtr::create();
    second->setId(2);
    second->setReleaf(1, 3, 7.0);
    c.addMatrix(second, false, false);

    const CnfProgramPtr fixed
        = addProgram(c, QStringLiteral("1"), QStringLiteral("Morning"), CnfProgram::FixedTime);
    fixed->matrix = matrix;
    fixed->interstateVariant = 2;
    fixed->setData(QByteArray("\x01\x03\x10\x20", 4));
    fixed->appendPhase(c.findPhase(QStringLiteral("1")), 20)
        ->setProperty("recall", QStringLiteral("max"));
    fixed->appendPhase(c.findPhase(QStringLiteral("2")), 25);
    fixed->setCycleOffset(7);
    fixed->setProperty("coordinated", true);
    const CnfProgramPtr timeline
        = addProgram(c, QStringLiteral("2"), QStringLiteral("Timeline"), CnfProgram::Timeline);
    timeline->cycleLength = 60;
    timeline->setTimelineData(1, 0, CnfSignalGroup::Green);
    timeline->setTimelineData(1, 30, CnfSignalGroup::Red);
    timeline->setTimelineData(2, 0, CnfSignalGroup::Red);
    timeline->setProperty(
        "params",
        QVariantMap { { QStringLiteral("k"), QVariantList { 1, 2.5, QStringLiteral("x") } } });

    auto day = CnfDayCardPtr::create();
    day->id = QStringLiteral("1");
    day->name = QStringLiteral("Workday");
    day->addRecord(QTime(6, 0), QTime(22, 0), fixed, timeline);
    day->addRecord(QTime(22, 0, 30), QTime(), timeline, CnfProgramPtr());
    c.addDayCard(day);
    addSummer(c, addWeek(c, day, day));
    addNewYear(c, QStringLiteral("New year"), day);
    c.setDefaultDayCard(day);
    c.setDefaultProgram(fixed);
    c.setReserveProgram(timeline);
    c.setInterstate(CnfInterstatePtr::create(1, 1, 0));

    setNative(c, nativeTree());
}

// The native keys of a ZU_MOLT configuration that the controller keeps as they stand.
inline QVariantMap zuMoltNative()
{
    return QVariantMap {
        { QStringLiteral("name"), QStringLiteral("Перекрёсток 1") },
        { QStringLiteral("timeZone"), 3 },
        { QStringLiteral("maxCurrent"), 12000 },
        { QStringLiteral("startTime"),
          QVariantMap { { QStringLiteral("allRed"), 3 }, { QStringLiteral("amberBlink"), 5 } } },
        { QStringLiteral("LAN"),
          QVariantMap { { QStringLiteral("lanMode"), QStringLiteral("staticIP") },
                        { QStringLiteral("lanIP"), QStringLiteral("10.0.0.5") },
                        { QStringLiteral("asudPort"), 5000 } } },
        { QStringLiteral("controlSources"),
          QVariantList {
              QVariantMap { { QStringLiteral("type"), QStringLiteral("emergency") },
                            { QStringLiteral("id"), 1 },
                            { QStringLiteral("priority"), 255 } },
              QVariantMap { { QStringLiteral("type"), QStringLiteral("remoteControlPanel") },
                            { QStringLiteral("id"), 2 },
                            { QStringLiteral("priority"), 7 },
                            { QStringLiteral("timeout"), 60 } } } },
        { QStringLiteral("KMP1"),
          QVariantMap { { QStringLiteral("devices"),
                          QVariantList { QVariantMap {
                              { QStringLiteral("device"), QStringLiteral("VPU1") },
                              { QStringLiteral("addr"), 4 },
                              { QStringLiteral("type"), QStringLiteral("passive") },
                              { QStringLiteral("port"), QStringLiteral("RS485_1") } } } },
                        { QStringLiteral("auto"), 1 } } },
        { QStringLiteral("countdownBoards"),
          QVariantMap { { QStringLiteral("protocol"), QStringLiteral("V1") },
                        { QStringLiteral("warnTime"), 5 },
                        { QStringLiteral("items"),
                          QVariantList { QVariantMap { { QStringLiteral("id"), 1 },
                                                       { QStringLiteral("addr"), 6 },
                                                       { QStringLiteral("boards"), 2 } } } } } },
        { QStringLiteral("inputsOutputs"),
          QVariantMap { { QStringLiteral("DIO1"),
                          QVariantMap { { QStringLiteral("type"), QStringLiteral("dryContact") },
                                        { QStringLiteral("common"), QStringLiteral("positive") },
                                        { QStringLiteral("channels"),
                                          QVariantList { QVariantMap {
                                              { QStringLiteral("channel"), 1 },
                                              { QStringLiteral("type"), QStringLiteral("full") },
                                              { QStringLiteral("detector"), 1 } } } } } } } },
        { QStringLiteral("remoteControlPanel"),
          QVariantMap {
              { QStringLiteral("VPU1"),
                QVariantMap { { QStringLiteral("type"), QStringLiteral("passive") },
                              { QStringLiteral("sourceId"), 2 },
                              { QStringLiteral("priority"), 7 },
                              { QStringLiteral("stageId"), QVariantList { 1, QVariant(), 2 } },
                              { QStringLiteral("passkey"), QStringLiteral("1234") } } } } },
        { QStringLiteral("recovery"),
          QVariantMap {
              { QStringLiteral("defectSwitchRate"), 2 },
              { QStringLiteral("errors"),
                QVariantMap { { QStringLiteral("noLoad/swBreak"),
                                QVariantMap { { QStringLiteral("attempts"), 3 },
                                              { QStringLiteral("interval"), 60 } } } } } } },
        { QStringLiteral("gain"), 0.25 },
        { QStringLiteral("wholeDouble"), 4.0 },
        { QStringLiteral("note"), QStringLiteral("back\\slash and \\u00e9 stay as written\nline") }
    };
}

// A ZU_MOLT configuration with everything that the ZU_MOLT file keeps.
inline void fillZuMolt(CnfController &c)
{
    c.clear();
    c.setProperty("type", QStringLiteral("ZU_MOLT"));
    c.setProperty("version", QStringLiteral("1.0"));
    c.setProperty("number", 21);
    c.setProperty("description", QStringLiteral("Ленина / Мира"));
    c.setProperty("dprog_stop", 1);

    auto defaults = CnfSignalGroupPtr::create();
    defaults->setProperty("amber", 3);
    defaults->setProperty("minGreen", 6);
    defaults->setProperty("extRed", 1);
    c.setDefaulSignalGroup(defaults);
    for (int i = 1; i <= 4; ++i) {
        auto device = CnfPowerDevicePtr::create();
        device->id = i;
        device->name = QStringLiteral("1-%1").arg(i);
        device->address = i - 1;
        device->type = CnfPowerDevice::OutputZuMolt;
        device->color = i - 1;
        device->lampsCount = 1 + i % 2;
        device->burnoutControl = i % 2 ? device->lampsCount : 0;
        c.addPowerDevice(device);
    }
    for (int i = 1; i <= 3; ++i) {
        auto group = CnfSignalGroupPtr::create();
        group->id = i;
        group->name = QStringLiteral("Г%1").arg(i);
        group->setType(i == 3 ? CnfSignalGroup::Pedestrian : CnfSignalGroup::Traffic);
        group->assignDevice(c.findPowerDevice(i));
        group->setProperty("maxGreen", 40 + i);
        group->setProperty("amberBlink", 2); // a plivek timing with no ZU_MOLT key
        if (i == 1)
            group->assignDevice(c.findPowerDevice(4));
        c.addSignalGroup(group);
    }
    for (int i = 1; i <= 2; ++i) {
        auto phase = CnfPhasePtr::create();
        phase->id = QString::number(i);
        phase->name = QStringLiteral("Stage %1").arg(i);
        phase->minTime = 5 * i;
        phase->maxTime = i == 1 ? 40 : -1;
        phase->signalGroups = { c.findSG(i), c.findSG(3) };
        c.addPhase(phase);
    }
    auto igm = CnfMatrixPtr::create();
    igm->setId(1);
    igm->setName(QStringLiteral("IGM"));
    igm->setReleaf(1, 2, 4.0);
    igm->setReleaf(2, 1, 5.0);
    c.addMatrix(igm, true, true);
    auto other = CnfMatrixPtr::create();
    other->setId(2);
    other->setName(QStringLiteral("draft"));
    other->setReleaf(1, 3, 2.5);
    c.addMatrix(other, false, false);
    for (int i = 1; i <= 2; ++i) {
        auto detector = CnfDetectorPtr::create();
        detector->setId(i);
        detector->setName(QStringLiteral("D%1").arg(i));
        if (i == 1)
            detector->setProperty("report", true);
        c.addDetector(detector);
    }
    addDetector(c, 1, QStringLiteral("Button"), true);

    const CnfProgramPtr flash = addProgram(c, QStringLiteral("1"), QStringLiteral("Yellow flash"),
                                           CnfProgram::YellowFlash);
    addProgram(c, QStringLiteral("2"), QStringLiteral("Off"), CnfProgram::Dark);
    const CnfProgramPtr timeline = addProgram(c, QStringLiteral("3"), QStringLiteral("Timeline"),
                                              CnfProgram::CoordinatedTimeline);
    timeline->cycleLength = 60;
    timeline->setCycleOffset(10);
    timeline->setTimelineData(1, 0, CnfSignalGroup::Green);
    timeline->setTimelineData(1, 25, CnfSignalGroup::GreenBlink);
    timeline->setTimelineData(1, 28, CnfSignalGroup::Yellow);
    timeline->setTimelineData(1, 31, CnfSignalGroup::Red);
    timeline->setTimelineData(2, 0, CnfSignalGroup::Red);
    timeline->setTimelineData(2, 32, CnfSignalGroup::RedYellow);
    timeline->setTimelineData(2, 34, CnfSignalGroup::Green);
    const CnfProgramPtr ring
        = addProgram(c, QStringLiteral("4"), QStringLiteral("Adaptive"), CnfProgram::Stagering);
    ring->cycleLength = 90;
    ring->setProperty("coordinated", true);
    const CnfPhaseDefPtr first = ring->appendPhase(c.findPhase(QStringLiteral("1")), 0);
    first->setProperty("recall", QStringLiteral("max"));
    first->setProperty("passage", 3);
    first->setProperty("minGreen", 10);
    first->setProperty("maxGreen", 40);
    first->setProperty("countdownBoard", QStringLiteral("timer"));
    const CnfPhaseDefPtr second = ring->appendPhase(c.findPhase(QStringLiteral("2")), 0);
    second->setProperty("call", 1);
    second->setProperty("recall", QStringLiteral("none"));
    ring->setProperty("detectors",
                      QVariantList { QVariantMap { { QStringLiteral("phase"), 1 },
                                                   { QStringLiteral("call"), 2 },
                                                   { QStringLiteral("control"), true },
                                                   { QStringLiteral("detector"), 1 } } });
    addProgram(c, QStringLiteral("5"), QStringLiteral("Not set"), 0);

    auto workday = CnfDayCardPtr::create();
    workday->id = QStringLiteral("1");
    workday->name = QStringLiteral("Workday");
    workday->addRecord(QTime(6, 0), QTime(22, 0), ring, timeline);
    workday->addRecord(QTime(22, 0), QTime(6, 0, 30), flash, CnfProgramPtr());
    c.addDayCard(workday);
    auto weekend = CnfDayCardPtr::create();
    weekend->id = QStringLiteral("2");
    weekend->name = QStringLiteral("Weekend");
    weekend->addRecord(QTime(0, 0), QTime(0, 0), timeline, CnfProgramPtr());
    c.addDayCard(weekend);
    addSummer(c, addWeek(c, workday, weekend));
    addNewYear(c, QStringLiteral("Новый год"), weekend);
    c.setDefaultDayCard(workday);
    c.setDefaultProgram(ring);
    c.setReserveProgram(flash);
    c.setInterstate(CnfInterstatePtr::create(1, 1, 1));

    setNative(c, zuMoltNative());
}

// Loads the file at path into controller; false with the reason in error.
inline bool loadFile(const QString &path, CnfController &controller, QString *error)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(path);
    if (!native) {
        *error = CnfNative::loadError();
        return false;
    }
    if (!native->createController(controller)) {
        *error = native->lastError();
        return false;
    }
    return true;
}

// Everything a configuration holds, in one comparable text.
inline QByteArray dump(const CnfController &c)
{
    TiverkIIConfig config;
    return config.save(c);
}

} // namespace FormatFixture
