#pragma once

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfinterstate.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfpowerdevice.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"
#include "cnf/cnfweekcard.h"

#include <QStringList>

// A configuration that uses every list, every default and a native tree of
// maps, lists, ints, long ints, doubles, booleans, texts and non-ASCII text.
// `scale` multiplies the number of programs and native entries.
namespace CnfTestConfig {

inline void fill(CnfController &c, int scale = 1)
{
    c.setProperty("type", QStringLiteral("tiverk"));
    c.setProperty("version", QStringLiteral("3.18"));
    c.setProperty("number", 1042);
    c.setProperty("description", QStringLiteral("Перекрёсток Ленина – Мира"));
    c.setProperty("dprog_stop", true);
    c.setInterstate(CnfInterstatePtr::create(1, 1, 0));

    for (int i = 1; i <= 4; ++i) {
        auto device = CnfPowerDevicePtr::create();
        device->id = i;
        device->address = i - 1;
        device->name = QStringLiteral("K%1").arg(i);
        device->type = CnfPowerDevice::Key;
        device->color = i % 4;
        device->lampsCount = 2;
        device->burnoutControl = 1;
        c.addPowerDevice(device);
    }
    for (int i = 1; i <= 4; ++i) {
        auto group = CnfSignalGroupPtr::create();
        group->id = i;
        group->name = i == 1 ? QStringLiteral("Север") : QString();
        group->setType(i == 2 ? CnfSignalGroup::Pedestrian : CnfSignalGroup::Traffic);
        group->assignDevice(c.findPowerDevice(i));
        group->detectorAddresses = { i, 255 };
        group->setInterstate(1, QByteArray("\x01\x03\x03\x02\x02\x00", 6));
        group->setInterstate(2, QByteArray("\x00\x02\x03\x01\x01\x00", 6));
        group->setProperty("minGreen", 5 + i);
        group->setProperty("tClusterId", QStringLiteral("T%1").arg(i));
        c.addSignalGroup(group);
    }
    auto defaults = CnfSignalGroupPtr::create();
    defaults->setProperty("minGreen", 7);
    defaults->setProperty("amber", 3.5);
    c.setDefaulSignalGroup(defaults);

    for (int i = 1; i <= 3; ++i) {
        auto detector = CnfDetectorPtr::create();
        detector->setId(i);
        detector->setName(QStringLiteral("Loop %1").arg(i));
        detector->setProperty("pulse", i * 100);
        c.addDetector(detector);
        auto sensor = CnfDetectorPtr::create();
        sensor->setId(i);
        sensor->setName(QStringLiteral("Button %1").arg(i));
        sensor->setProperty("messages",
                            QStringList { QStringLiteral("on"), QStringLiteral("вкл") });
        c.addSensor(sensor);
    }

    for (int i = 1; i <= 3; ++i) {
        auto phase = CnfPhasePtr::create();
        phase->id = QString::number(i);
        phase->name = QStringLiteral("Phase %1").arg(i);
        phase->minTime = 10;
        phase->maxTime = 60;
        phase->signalGroups = { c.findSG(i), c.findSG(i == 3 ? 4 : i + 1) };
        if (i == 2) {
            auto transition = CnfTransitionPtr::create();
            transition->greenEnd.insert(1, 3);
            transition->greenStart.insert(3, 6);
            transition->length = 6;
            phase->transitions.insert(QStringLiteral("1"), transition);
        }
        c.addPhase(phase);
    }

    auto conflicts = CnfMatrixPtr::create();
    conflicts->setId(1);
    conflicts->setName(QStringLiteral("conflicts"));
    conflicts->setReleaf(c.findSG(1), c.findSG(3), 1.0);
    conflicts->setReleaf(c.findSG(3), c.findSG(1), 1.0);
    c.addMatrix(conflicts, true, true);
    auto intergreen = CnfMatrixPtr::create();
    intergreen->setId(2);
    intergreen->setName(QStringLiteral("intergreen"));
    intergreen->setReleaf(1, 4, 4.25);
    c.addMatrix(intergreen, false, false);

    for (int i = 1; i <= 3 * scale; ++i) {
        auto program = CnfProgramPtr::create(&c);
        program->id = QString::number(i);
        program->name = QStringLiteral("Program %1").arg(i);
        switch (i % 3) {
        case 1:
            program->type = CnfProgram::Tiverk;
            program->kind = 2;
            program->setData(QByteArray(64, '\xff'));
            break;
        case 2:
            program->type = CnfProgram::Coordinated;
            program->setCycleOffset(15);
            program->matrix = intergreen;
            break;
        default:
            program->type = CnfProgram::Timeline;
            program->cycleLength = 90;
            program->defaultMatrix = true;
            program->setTimelineData(c.findSG(1), 0, CnfSignalGroup::Green);
            program->setTimelineData(c.findSG(1), 30, CnfSignalGroup::Yellow);
            program->setTimelineData(c.findSG(2), 0, CnfSignalGroup::Red);
            program->setProperty("pattern", QVariantMap { { QStringLiteral("sequence"), 2 } });
            break;
        }
        program->interstateVariant = 1 + i % 2;
        for (int p = 1; p <= 3; ++p) {
            CnfPhaseDefPtr step = program->appendPhase(c.findPhase(QString::number(p)), 10 + p);
            step->setFileStart(p * 20);
            step->setProperty("recall", p % 2 == 0);
        }
        c.addProgram(program);
    }

    auto day = CnfDayCardPtr::create();
    day->id = QStringLiteral("1");
    day->name = QStringLiteral("Weekday");
    day->addRecord(QTime(6, 0), QTime(), c.findProgram(QStringLiteral("1")),
                   c.findProgram(QStringLiteral("2")));
    day->addRecord(QTime(22, 30), QTime(23, 59, 59), c.findProgram(QStringLiteral("3")), {});
    c.addDayCard(day);
    auto week = CnfWeekCardPtr::create();
    week->id = QStringLiteral("1");
    week->name = QStringLiteral("Normal week");
    for (int d = Qt::Monday; d <= Qt::Sunday; ++d)
        week->days.insert(d, day);
    c.addWeekCard(week);
    auto season = CnfSeasonPlanPtr::create();
    season->from = QDate(2026, 4, 1);
    season->to = QDate(2026, 10, 31);
    season->name = QStringLiteral("Summer");
    season->weekCard = week;
    c.addSeasonPlan(season);
    auto holiday = CnfSpecialDayPtr::create();
    holiday->id = QStringLiteral("1");
    holiday->name = QStringLiteral("New year");
    holiday->dayCard = day;
    c.addSpecialDay(QDate(2027, 1, 1), holiday);
    c.setDefaultDayCard(day);
    c.setDefaultProgram(c.findProgram(QStringLiteral("1")));
    c.setReserveProgram(c.findProgram(QStringLiteral("2")));

    VObject root = c.nativeData();
    root["maxCurrent"] = 12;
    root["ratio"] = 0.1;
    root["big"] = qlonglong(1) << 42;
    root["is_enabled"] = true;
    root["name"] = QStringLiteral("Светофорный объект №5 – «центр»");
    root["escapes"]
        = QStringLiteral("</Controller><Network id=\"1\"/> & \"quotes\"\r\nline\ttab\x01");
    root["notSet"] = 0;
    root["notSet"] = QVariant(); // a stored not-set value
    root["modules"]["SystemBus"]["devices"]["DIO1"]["channels"].append(
        QVariantMap { { QStringLiteral("channel"), 1 }, { QStringLiteral("detector"), 2 } });
    root["emptyMap"] = VObject::map();
    root["emptyList"] = VObject::list();
    for (int i = 0; i < 20 * scale; ++i) {
        VObject entry;
        entry["id"] = i;
        entry["name"] = QStringLiteral("Источник %1").arg(i);
        entry["weight"] = i / 4.0;
        entry["tags"]
            = QVariantList { QStringLiteral("a"), i, 2.5, QVariant(), QVariantList { 1, 2 } };
        root["controlSources"].append(entry);
    }
}

} // namespace CnfTestConfig
