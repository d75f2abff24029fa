#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfreferences.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "cnf/zu_moltconfig.h"
#include "nativejson.h"
#include "recordprogram.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zudetector.h"
#include "zumoltc/model/zusignalgroup.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/model/zustage.h"

#include <QtTest>

using Kind = CnfReferences::Kind;
using Note = CnfReferences::Note;

Q_DECLARE_METATYPE(CnfReferences::Kind)

namespace {

// The element in question is number 7 (named "Seven"); the new id is 9.
CnfReferences::Element seven(Kind kind)
{
    return { kind, QStringLiteral("7"), QStringLiteral("Seven") };
}

// What else names phase or program 7 beside the native data.
enum class Holder {
    None,
    SequenceProgram, // TIVERK II program 3 runs "sequence" [7, 2]
    CallRecord, // TIVERK 3.18 program 4 of kind 4 calls phase 7 (byte 5)
    OwnRecord // TIVERK 3.18 program 7's record, byte 0 its number
};

// Phases 7 and 2 and, for a program row, program 7, with the holder and the
// native data's members.
void fillNumbered(CnfController &controller, const QString &family, Kind kind, Holder holder,
                  const QByteArray &native)
{
    CnfNative::initController(
        controller, family, family == QLatin1String("tiverk") ? QStringLiteral("3.18") : QString());
    for (const char *id : { "7", "2" }) {
        auto phase = CnfPhasePtr::create();
        phase->id = QString::fromLatin1(id);
        controller.addPhase(phase);
    }
    if (holder == Holder::OwnRecord) {
        addRecordProgram(controller, QStringLiteral("7"), 1, {});
    } else if (kind == Kind::Program) {
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("7");
        controller.addProgram(program);
    }
    if (holder == Holder::SequenceProgram) {
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("3");
        program->type = CnfProgram::Sequence;
        program->setProperty("sequence", QVariantList { 7, 2 });
        controller.addProgram(program);
    }
    if (holder == Holder::CallRecord)
        addRecordProgram(controller, QStringLiteral("4"), 4, { { 5, 7 } });
    const QVariantMap root = NativeJson::map(native);
    for (auto it = root.cbegin(); it != root.cend(); ++it)
        controller.setNativeData(it.key(), it.value());
}

bool renameElement(CnfController &controller, Kind kind, const QString &id, const QString &newId)
{
    return kind == Kind::Phase ? controller.renamePhase(id, newId)
                               : controller.renameProgram(id, newId);
}

// The element that zumoltc finds at the place of a row of zuMoltNameFollowed:
// its id and its name as zumoltc holds it (as written); empty when none.
QString zumoltcFinds(ZUConfiguration &zu, const QString &place)
{
    const ZUBaseObject *found = nullptr;
    if (place == QLatin1String("panel")) {
        if (zu.vpu()->stages().size() > 1)
            found = zu.vpu()->stages().at(1);
    } else if (place == QLatin1String("DIO channel")) {
        if (!zu.dios().isEmpty() && !zu.dios().first()->channels().isEmpty())
            found = zu.dios().first()->channels().first().detector;
    } else if (place == QLatin1String("countdown board")) {
        if (!zu.countdownBoards()->boards().isEmpty())
            found = zu.countdownBoards()->boards().first().group;
    } else {
        for (const QPointer<ZUSignalPlan> &plan : zu.signalPlans()) {
            if (plan && plan->id() == 14 && !plan->detectors().isEmpty()) {
                const ZUSignalPlan::DetectorControl &record = plan->detectors().first();
                found = place == QLatin1String("record detector") ? record.detector
                                                                  : record.indicator;
            }
        }
    }
    return found ? QStringLiteral("%1 %2").arg(found->id()).arg(found->name()) : QString();
}

// The place of a row of zuMoltTextIsAName in plivek's controller: plan 14's
// first detector record ("record detector", "record indicator"), sensor 81's
// link, or a value of the native data.
VObject nativePlace(const CnfController &controller, const QString &place)
{
    const VObject root = controller.nativeData();
    if (place == QLatin1String("panel"))
        return root["remoteControlPanel"]["VPU1"]["stageId"][1];
    if (place == QLatin1String("DIO channel"))
        return root["inputsOutputs"]["DIO1"]["channels"][0]["detector"];
    return root["countdownBoards"]["items"][0]["id"];
}

QVariant placeValue(const CnfController &controller, const QString &place)
{
    if (place.startsWith(QLatin1String("record ")))
        return controller.findProgram(QStringLiteral("14"))
            ->property("detectors")
            .toList()
            .value(0)
            .toMap()
            .value(place.mid(7));
    if (place == QLatin1String("linked sensor"))
        return controller.findSensor(81)->property("detector");
    return nativePlace(controller, place).toVariant();
}

void setPlace(CnfController &controller, const QString &place, const QVariant &value)
{
    if (place.startsWith(QLatin1String("record "))) {
        const CnfProgramPtr plan = controller.findProgram(QStringLiteral("14"));
        QVariantList records = plan->property("detectors").toList();
        QVariantMap record = records.value(0).toMap();
        record.insert(place.mid(7), value);
        records[0] = record;
        plan->setProperty("detectors", records);
    } else if (place == QLatin1String("linked sensor")) {
        controller.findSensor(81)->setProperty("detector", value);
    } else {
        nativePlace(controller, place) = value;
    }
}

// What a row of zuMoltTextIsAName does to an element.
enum class Edit { NewId, Delete, NewName };

// The element's new id in those rows: four more, which no element of the fixture has.
QString newIdOf(const QString &id)
{
    return QString::number(id.toInt() + 4);
}

// The edit, as the element tables and dialogs make it.
bool edited(CnfController &controller, Kind kind, const QString &id, Edit edit)
{
    const int number = id.toInt();
    const QString renamed = QStringLiteral("Renamed");
    switch (edit) {
    case Edit::NewId:
        if (kind == Kind::Phase)
            return controller.renamePhase(id, newIdOf(id));
        if (kind == Kind::SignalGroup)
            return controller.renameSignalGroup(number, newIdOf(id).toInt());
        CnfReferences::rename(controller, CnfReferences::of(*controller.findDetector(number)),
                              newIdOf(id));
        controller.findDetector(number)->setId(newIdOf(id).toInt());
        return true;
    case Edit::Delete:
        if (kind == Kind::Phase)
            return controller.removePhase(id);
        if (kind == Kind::SignalGroup)
            return controller.removeSignalGroup(number);
        return controller.removeDetector(number);
    case Edit::NewName: {
        QString oldName;
        if (kind == Kind::Phase) {
            oldName = controller.findPhase(id)->name;
            controller.findPhase(id)->name = renamed;
        } else if (kind == Kind::SignalGroup) {
            oldName = controller.findSG(number)->name;
            controller.findSG(number)->name = renamed;
        } else {
            oldName = controller.findDetector(number)->name();
            controller.findDetector(number)->setName(renamed);
        }
        CnfReferences::takeName(controller, { kind, id, oldName }, renamed);
        return true;
    }
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Holder)
Q_DECLARE_METATYPE(Edit)

// The places inside TIVERK II program parameters and the countdown and
// indication places of the native data: what a new id and a Delete do to
// each, and which line of the question names them.
class TestCnfReferencePlaces : public QObject
{
    Q_OBJECT
private slots:
    void programParameters_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("renamed");
        QTest::addColumn<QByteArray>("cleared");

        QTest::newRow("condition detector, number and text")
            << Kind::Detector << QByteArray("conditions")
            << QByteArray("[{'phase': 1, 'detector': 7, 'call': 2}, {'detector': '7'}, "
                          "{'detector': 8, 'sensor': 7}]")
            << QByteArray("[{'phase': 1, 'detector': 9, 'call': 2}, {'detector': '9'}, "
                          "{'detector': 8, 'sensor': 7}]")
            << QByteArray("[{'phase': 1, 'call': 2}, {'detector': 8, 'sensor': 7}]");
        QTest::newRow("condition sensor, the last value")
            << Kind::Sensor << QByteArray("conditions") << QByteArray("[{'sensor': 7}]")
            << QByteArray("[{'sensor': 9}]") << QByteArray();
        QTest::newRow("crosswalk groups and pedestrians, by name too")
            << Kind::SignalGroup << QByteArray("crosswalks")
            << QByteArray("[{'groups': [7, 8], 'pedestrians': ['Seven', 7], 'minGreen': 7}, "
                          "{'groups': [7]}]")
            << QByteArray("[{'groups': [9, 8], 'pedestrians': ['Seven', 9], 'minGreen': 7}, "
                          "{'groups': [9]}]")
            << QByteArray("[{'groups': [8], 'minGreen': 7}, {}]");
        QTest::newRow("crosswalk detectors, a text is a name")
            << Kind::Detector << QByteArray("crosswalks")
            << QByteArray("[{'detectors': [7, '7'], 'sensors': [7]}]")
            << QByteArray("[{'detectors': [9, '7'], 'sensors': [7]}]")
            << QByteArray("[{'detectors': ['7'], 'sensors': [7]}]");
        QTest::newRow("sequence phase stays on Delete")
            << Kind::Phase << QByteArray("sequence") << QByteArray("[7, 8, 7]")
            << QByteArray("[9, 8, 9]") << QByteArray("[7, 8, 7]");
    }

    void programParameters()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, property);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, renamed);
        QFETCH(QByteArray, cleared);
        for (bool remove : { false, true }) {
            CnfController controller;
            CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
            auto program = CnfProgramPtr::create(&controller);
            program->id = QStringLiteral("3");
            controller.addProgram(program);
            program->setProperty(property.constData(), NativeJson::value(before));

            const QList<CnfReferences::Place> places
                = CnfReferences::places(controller, seven(kind));
            QCOMPARE(CnfReferences::owners(
                         places, kind == Kind::Phase ? Note::ProgramUse : Note::ProgramParameter),
                     QStringList({ "3" }));
            if (remove) {
                CnfReferences::clear(controller, places);
                QCOMPARE(
                    NativeJson::text(program->property(property.constData())),
                    NativeJson::text(cleared.isEmpty() ? QVariant() : NativeJson::value(cleared)));
            } else {
                CnfReferences::rename(controller, seven(kind), QStringLiteral("9"));
                QCOMPARE(NativeJson::text(program->property(property.constData())),
                         NativeJson::text(NativeJson::value(renamed)));
            }
        }
    }

    void countdownsAndIndication_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("renamed");
        QTest::addColumn<QByteArray>("cleared");
        QTest::addColumn<QStringList>("notes");

        QTest::newRow("TIVERK 3.x displays, number and text")
            << QByteArray("{'countDownTable': [{'sg': 7, 'count': 2}, {'sg': '7'}, {'sg': 8}]}")
            << QByteArray("{'countDownTable': [{'sg': 9, 'count': 2}, {'sg': '9'}, {'sg': 8}]}")
            << QByteArray("{'countDownTable': [{'sg': 8}]}") << QStringList({ "7" });
        QTest::newRow("TIVERK II boards: the last item takes the list along")
            << QByteArray("{'modules': {'Countdowns': {'protocol': 'V1', 'items': [{'id': 7, "
                          "'addr': 2}]}, 'SystemBus': {'devices': {'KTV1': {'items': [{'id': 8}, "
                          "{'id': 7}]}}}}}")
            << QByteArray("{'modules': {'Countdowns': {'protocol': 'V1', 'items': [{'id': 9, "
                          "'addr': 2}]}, 'SystemBus': {'devices': {'KTV1': {'items': [{'id': 8}, "
                          "{'id': 9}]}}}}}")
            << QByteArray("{'modules': {'Countdowns': {'protocol': 'V1'}, 'SystemBus': "
                          "{'devices': {'KTV1': {'items': [{'id': 8}]}}}}}")
            << QStringList({ "7" });
        QTest::newRow("ZU_MOLT boards")
            << QByteArray("{'countdownBoards': {'items': [{'id': 7, 'boards': 2}]}}")
            << QByteArray("{'countdownBoards': {'items': [{'id': 9, 'boards': 2}]}}")
            << QByteArray("{'countdownBoards': {'items': []}}") << QStringList({ "7" });
        QTest::newRow("indication rows keep their other cells")
            << QByteArray("{'modules': {'Indication': [{'type': 'wait', 'signalGroup': 7, "
                          "'red': 7}, {'signalGroup': 8}]}}")
            << QByteArray("{'modules': {'Indication': [{'type': 'wait', 'signalGroup': 9, "
                          "'red': 7}, {'signalGroup': 8}]}}")
            << QByteArray("{'modules': {'Indication': [{'type': 'wait', 'red': 7}, "
                          "{'signalGroup': 8}]}}")
            << QStringList();
    }

    void countdownsAndIndication()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, renamed);
        QFETCH(QByteArray, cleared);
        QFETCH(QStringList, notes);
        for (bool remove : { false, true }) {
            CnfController controller;
            CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
            const QVariantMap root = NativeJson::map(before);
            for (auto it = root.cbegin(); it != root.cend(); ++it)
                controller.setNativeData(it.key(), it.value());
            const QList<CnfReferences::Place> places
                = CnfReferences::places(controller, seven(Kind::SignalGroup));
            QCOMPARE(CnfReferences::owners(places, Note::Countdown), notes);
            if (remove)
                CnfReferences::clear(controller, places);
            else
                CnfReferences::rename(controller, seven(Kind::SignalGroup), QStringLiteral("9"));
            QVariantMap after;
            for (auto it = root.cbegin(); it != root.cend(); ++it)
                after.insert(it.key(), controller.nativeData()[it.key()].toVariant());
            QCOMPARE(NativeJson::text(after),
                     NativeJson::text(NativeJson::map(remove ? cleared : renamed)));
        }
    }

    // Every place that names a phase or a program by its number: a text id
    // (or a number the place cannot hold) is refused with the places named
    // and changes nothing; a number follows, and the old number given back
    // gives the saved file back byte for byte. A place holding the id as a
    // text takes a text id, and back.
    void numericPlaces_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<Holder>("holder");
        QTest::addColumn<QByteArray>("native");
        QTest::addColumn<QString>("refused"); // a number the places cannot hold
        QTest::addColumn<QString>("refusal"); // empty: the text id is taken

        const QString panelPhase = QStringLiteral(
            "The remote control panel names phase 7 by its number: the id must be a whole number");
        const QString panelProgram
            = QStringLiteral("The remote control panel names program 7 by its number: the id "
                             "must be a whole number");
        QTest::newRow("phase: TIVERK 3.x panel \"vpu_phases\", a number")
            << "tiverk" << Kind::Phase << Holder::None << QByteArray("{'vpu_phases': [7, 2, 7]}")
            << QString() << panelPhase;
        QTest::newRow("phase: TIVERK 3.x panel \"vpu_phases\", the id as text")
            << "tiverk" << Kind::Phase << Holder::None << QByteArray("{'vpu_phases': ['7', 2]}")
            << QString() << QString();
        QTest::newRow("phase: ZU_MOLT panel \"stageId\"")
            << "ZU_MOLT" << Kind::Phase << Holder::None
            << QByteArray("{'remoteControlPanel': {'VPU1': {'stageId': [7, null, 2]}}}")
            << QString()
            << "A ZU_MOLT file writes the id of phase 7 as a number; the remote control panel "
               "names phase 7 by its number: the id must be a number from 1 to 65535";
        QTest::newRow("phase: TIVERK II sequence program")
            << "tiverkii" << Kind::Phase << Holder::SequenceProgram << QByteArray() << QString()
            << "Program 3 lists phase 7 in its sequence by its number: the id must be a whole "
               "number";
        QTest::newRow("phase: TIVERK 3.x kind-4 call phase")
            << "tiverk" << Kind::Phase << Holder::CallRecord << QByteArray() << "255"
            << "Program 4 calls phase 7 by its number: the id must be a number from 0 to 254";
        QTest::newRow("phase: TIVERK 3.x central-system phase of LFR/TSCTM")
            << "tiverk" << Kind::Phase << Holder::None << QByteArray("{'mgr_tsku_phase': 7}")
            << "100"
            << "The central-system link names phase 7 by its number: the id must be a number "
               "from 0 to 99";
        QTest::newRow("phase: several places, the narrowest range")
            << "tiverk" << Kind::Phase << Holder::CallRecord
            << QByteArray("{'vpu_phases': [7], 'mgr_tsku_phase': 7}") << QString()
            << "Program 4 calls phase 7 by its number; the remote control panel names phase 7 "
               "by its number; the central-system link names phase 7 by its number: the id "
               "must be a number from 0 to 99";
        QTest::newRow("program: TIVERK 3.x panel \"vpu_programs\", a number")
            << "tiverk" << Kind::Program << Holder::None << QByteArray("{'vpu_programs': [7, 2]}")
            << QString() << panelProgram;
        QTest::newRow("program: TIVERK 3.x panel \"vpu_programs\", the id as text")
            << "tiverk" << Kind::Program << Holder::None
            << QByteArray("{'vpu_programs': ['7', '2']}") << QString() << QString();
        QTest::newRow("program: ZU_MOLT panel \"programId\"")
            << "ZU_MOLT" << Kind::Program << Holder::None
            << QByteArray("{'remoteControlPanel': {'VPU1': {'programId': [7, 2]}}}") << QString()
            << panelProgram;
        QTest::newRow("program: TIVERK II indication \"plans\"")
            << "tiverkii" << Kind::Program << Holder::None
            << QByteArray("{'modules': {'Indication': [{'plans': [33, 7]}, {'plans': 'Seven'}, "
                          "{'plans': 7}]}}")
            << QString()
            << "Indication rows 1,3 name program 7 by its number: the id must be a whole number";
        QTest::newRow("program: TIVERK II indication \"plans\" by name only")
            << "tiverkii" << Kind::Program << Holder::None
            << QByteArray("{'modules': {'Indication': [{'plans': ['Seven', 33]}]}}") << QString()
            << QString();
        QTest::newRow("program: TIVERK 3.x record's own number")
            << "tiverk" << Kind::Program << Holder::OwnRecord << QByteArray() << "255"
            << "The record of program 7 holds its number: the id must be a number from 0 to 254";
    }

    void numericPlaces()
    {
        QFETCH(QString, family);
        QFETCH(Kind, kind);
        QFETCH(Holder, holder);
        QFETCH(QByteArray, native);
        QFETCH(QString, refused);
        QFETCH(QString, refusal);
        CnfController controller;
        fillNumbered(controller, family, kind, holder, native);
        const QByteArray before = controller.save(1);
        const QString seven = QStringLiteral("7");

        for (const QString &newId : { QStringLiteral("A7"), QStringLiteral("07"), refused }) {
            if (newId.isEmpty() || (refusal.isEmpty() && newId != QLatin1String("A7")))
                continue;
            if (refusal.isEmpty()) {
                QVERIFY(renameElement(controller, kind, seven, newId));
                QVERIFY(renameElement(controller, kind, newId, seven));
            } else {
                QVERIFY2(!renameElement(controller, kind, seven, newId), qPrintable(newId));
                QCOMPARE(controller.lastError(), refusal);
            }
            QCOMPARE(controller.save(1), before);
        }

        QVERIFY(renameElement(controller, kind, seven, QStringLiteral("8")));
        QVERIFY(controller.save(1) != before);
        QVERIFY(renameElement(controller, kind, QStringLiteral("8"), seven));
        QCOMPARE(controller.save(1), before);
    }

    // The places that name a signal group, detector, sensor or output by
    // its number (or the number's text): a new number and the old one back
    // give the saved file back byte for byte, each value in its own form
    // (int, double, text), names left as they are. Their ids are whole
    // numbers, so no text id reaches them.
    void numberAndBack_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("native");
        QTest::addColumn<QByteArray>("parameters"); // of TIVERK II program 3, a stage-ring one

        QTest::newRow("group: TIVERK 3.x countdown displays")
            << "tiverk" << Kind::SignalGroup
            << QByteArray("{'countDownTable': [{'sg': 7}, {'sg': '7'}, {'sg': 7.0}]}")
            << QByteArray();
        QTest::newRow("group: TIVERK II countdowns, KTV1 and indication")
            << "tiverkii" << Kind::SignalGroup
            << QByteArray("{'modules': {'Countdowns': {'items': [{'id': 7}]}, 'SystemBus': "
                          "{'devices': {'KTV1': {'items': [{'id': '7'}]}}}, 'Indication': "
                          "[{'signalGroup': 7, 'plans': [7]}]}}")
            << QByteArray();
        QTest::newRow("group: ZU_MOLT countdown boards")
            << "ZU_MOLT" << Kind::SignalGroup
            << QByteArray("{'countdownBoards': {'items': [{'id': 7, 'boards': 2}]}}")
            << QByteArray();
        QTest::newRow("group: TIVERK II crosswalks")
            << "tiverkii" << Kind::SignalGroup << QByteArray()
            << QByteArray("{'crosswalks': [{'groups': [7, 2], 'pedestrians': ['Seven', 7]}]}");
        QTest::newRow("detector: board, keyboard, Signal and camera channels")
            << "tiverkii" << Kind::Detector
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'detector': 7}]}, 'DIO4': {'channels': [{'detector': '7', 'out': "
                          "3}]}}}, 'Keyboard': {'channels': [{'detector': 7.0}]}, 'Signal': "
                          "{'channels': [{'detector': 7}, {'detector': 'Seven'}]}, 'TrafiCam': "
                          "[{'channels': [{'detector': 7}]}], 'Priority': {'channels': "
                          "[{'detector': 'Seven'}]}}}")
            << QByteArray();
        QTest::newRow("detector: ZU_MOLT inputs")
            << "ZU_MOLT" << Kind::Detector
            << QByteArray("{'inputsOutputs': {'DIO1': {'channels': [{'detector': 7}, "
                          "{'detector': 'Seven'}]}}}")
            << QByteArray();
        QTest::newRow("detector and sensor: stage-ring conditions, crosswalks")
            << "tiverkii" << Kind::Detector << QByteArray()
            << QByteArray("{'conditions': [{'phase': 1, 'detector': 7, 'call': 2}, {'detector': "
                          "'7'}], 'crosswalks': [{'detectors': [7, 'Seven']}]}");
        QTest::newRow("sensor: board channel, conditions")
            << "tiverkii" << Kind::Sensor
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO1': {'channels': "
                          "[{'sensor': '7'}]}}}}}")
            << QByteArray("{'conditions': [{'sensor': 7}], 'crosswalks': [{'sensors': [7]}]}");
        QTest::newRow("output: board channels and indication colours")
            << "tiverkii" << Kind::Output
            << QByteArray("{'outputs': [{'id': 7, 'name': 'Seven'}], 'modules': {'SystemBus': "
                          "{'devices': {'DIO3': {'channels': [{'out': 7}, {'output': 'Seven'}]}}}, "
                          "'Indication': [{'red': 7, 'green': '7', 'amber': 'Seven'}]}}")
            << QByteArray();
    }

    void numberAndBack()
    {
        QFETCH(QString, family);
        QFETCH(Kind, kind);
        QFETCH(QByteArray, native);
        QFETCH(QByteArray, parameters);
        CnfController controller;
        fillNumbered(controller, family, kind, Holder::None, native);
        if (!parameters.isEmpty()) {
            auto program = CnfProgramPtr::create(&controller);
            program->id = QStringLiteral("3");
            program->type = CnfProgram::Stagering;
            const QVariantMap members = NativeJson::map(parameters);
            for (auto it = members.cbegin(); it != members.cend(); ++it)
                program->setProperty(it.key().toLatin1().constData(), it.value());
            controller.addProgram(program);
        }
        const QByteArray before = controller.save(1);
        QVERIFY(CnfReferences::rename(controller, seven(kind), QStringLiteral("8")) > 0);
        QVERIFY(controller.save(1) != before);
        CnfReferences::rename(controller, { kind, QStringLiteral("8"), QStringLiteral("Seven") },
                              QStringLiteral("7"));
        QCOMPARE(controller.save(1), before);
    }

    // The one rule of the places naming an element by id: a number names the
    // id it equals, a text the id it spells; a new id keeps the form (and
    // the number type) the place held, and a number takes only a whole
    // number. Shown on the remote control panel's list.
    void idRule()
    {
        CnfController controller;
        fillNumbered(controller, QStringLiteral("tiverk"), Kind::Phase, Holder::None, {});
        const QVariantList before {
            7, qlonglong(7), 7.0, QStringLiteral("7"), QStringLiteral("07"), 7.5, true
        };
        controller.setNativeData(QStringLiteral("vpu_phases"), before);
        const CnfReferences::Element phase { Kind::Phase, QStringLiteral("7"), QString() };
        QCOMPARE(CnfReferences::places(controller, phase).size(), 4);
        for (const char *refused : { "A7", "07", "2147483648" })
            QCOMPARE(
                CnfReferences::refusing(controller, phase, QString::fromLatin1(refused)).size(), 3);
        QCOMPARE(CnfReferences::rename(controller, phase, QStringLiteral("9")), 4);
        const QVariantList after = controller.getNativeData(QStringLiteral("vpu_phases")).toList();
        const QVariantList expected {
            9, qlonglong(9), 9.0, QStringLiteral("9"), QStringLiteral("07"), 7.5, true
        };
        QCOMPARE(after, expected);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(after.at(i).userType(), expected.at(i).userType());
    }

    // The central-system link's phase of LFR/TSCTM names a phase by its
    // number: it follows a new id, becomes not set when the phase goes (the
    // question's line), and is left by anything else.
    void centralSystemPhase()
    {
        CnfController controller;
        fillNumbered(controller, QStringLiteral("tiverk"), Kind::Phase, Holder::None,
                     "{'mgr_tsku_phase': 7}");
        const VObject value = controller.nativeData()[QStringLiteral("mgr_tsku_phase")];
        QVERIFY(CnfReferences::contains(
            CnfReferences::places(controller, { Kind::Phase, QStringLiteral("7"), QString() }),
            Note::CentralSystem));
        QVERIFY(controller.renamePhase(QStringLiteral("7"), QStringLiteral("12")));
        QCOMPARE(value.toVariant(), QVariant(12));
        QVERIFY(controller.removePhase(QStringLiteral("2")));
        QCOMPARE(value.toVariant(), QVariant(12));
        QVERIFY(controller.removePhase(QStringLiteral("12")));
        QVERIFY(!controller.nativeData().contains(QStringLiteral("mgr_tsku_phase")));

        // Only TIVERK 3.x and adapter controllers have the link's parameters.
        fillNumbered(controller, QStringLiteral("tiverkii"), Kind::Phase, Holder::None,
                     "{'mgr_tsku_phase': 7}");
        QVERIFY(CnfReferences::places(controller, { Kind::Phase, QStringLiteral("7"), QString() })
                    .isEmpty());
    }

    // A "DetectorySensor" sensor names its detector by id (a number, or the
    // number as text) or by name: a new id follows an id in its form and
    // leaves a name; a Delete clears either link, so that the next detector
    // given the id or the name does not take the sensor over.
    void linkedSensor_data()
    {
        QTest::addColumn<QVariant>("link");
        QTest::addColumn<QVariant>("renamed");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("by id") << QVariant(7) << QVariant(9) << true;
        QTest::newRow("by id as text") << QVariant("7") << QVariant("9") << true;
        QTest::newRow("by name") << QVariant("Seven") << QVariant("Seven") << true;
        QTest::newRow("another detector") << QVariant(8) << QVariant(8) << false;
        QTest::newRow("another name") << QVariant("Eight") << QVariant("Eight") << false;
    }

    void linkedSensor()
    {
        QFETCH(QVariant, link);
        QFETCH(QVariant, renamed);
        QFETCH(bool, cleared);
        for (bool remove : { false, true }) {
            CnfController controller;
            CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
            for (int id : { 7, 8 }) {
                auto detector = CnfDetectorPtr::create();
                detector->setId(id);
                detector->setName(id == 7 ? QStringLiteral("Seven") : QStringLiteral("Eight"));
                controller.addDetector(detector);
            }
            auto sensor = CnfDetectorPtr::create();
            sensor->setId(1);
            sensor->setProperty("type", QStringLiteral("DetectorySensor"));
            sensor->setProperty("detector", link);
            controller.addSensor(sensor);
            const CnfReferences::Element detector = seven(Kind::Detector);
            if (remove) {
                QVERIFY(controller.removeDetector(7));
                QCOMPARE(sensor->property("detector"), cleared ? QVariant() : link);
            } else {
                CnfReferences::rename(controller, detector, QStringLiteral("9"));
                QCOMPARE(sensor->property("detector"), renamed);
                QCOMPARE(sensor->property("detector").userType(), renamed.userType());
            }
        }
    }

    // A text that names two detectors (or sensors, or outputs), one by its id
    // and one by its name, or two of one name, stays when either goes: it
    // still names the other, which the place tells. A text naming only the
    // one that goes goes as ever. Elements 7 ("Seven") and 8 (`name8`).
    void textNamingTwo_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("name8");
        QTest::addColumn<QByteArray>("modules");
        QTest::addColumn<QVariant>("link"); // a linked sensor's detector, for a detector
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("alsoNames");
        QTest::addColumn<QByteArray>("after");
        const QByteArray dio2 = "{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 1, "
                                "'detector': '7'}, {'channel': 2, 'detector': 9}]}}}}";
        QTest::newRow("detector 8 named as 7's id goes")
            << Kind::Detector << "7" << dio2 << QVariant() << 8 << "7" << dio2;
        QTest::newRow("detector 7, whose id the text is, goes")
            << Kind::Detector << "7" << dio2 << QVariant() << 7 << "8" << dio2;
        QTest::newRow("the text names only the one that goes")
            << Kind::Detector << "Eight" << dio2 << QVariant() << 7 << ""
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 2, "
                          "'detector': 9}]}}}}");
        const QByteArray twoOfOneName
            = "{'Keyboard': {'channels': [{'keyCode': 513, 'detector': 'Seven'}]}}";
        QTest::newRow("two detectors of one name")
            << Kind::Detector << "Seven" << twoOfOneName << QVariant() << 8 << "7" << twoOfOneName;
        // On the Signal module a text names a detector by its name only.
        QTest::newRow("Signal: the text names the one named by it only")
            << Kind::Detector << "7"
            << QByteArray("{'Signal': {'channels': [{'channel': 1, 'detector': '7'}]}}")
            << QVariant() << 8 << "" << QByteArray("{'Signal': {'channels': []}}");
        const QByteArray priority = "{'Priority': {'channels': [{'sensor': '7'}]}}";
        QTest::newRow("sensor: Priority")
            << Kind::Sensor << "7" << priority << QVariant() << 7 << "8" << priority;
        QTest::newRow("a linked sensor") << Kind::Detector << "7" << QByteArray("{}")
                                         << QVariant("7") << 8 << "7" << QByteArray("{}");
        QTest::newRow("a linked sensor naming only the one that goes")
            << Kind::Detector << "Eight" << QByteArray("{}") << QVariant("7") << 7 << ""
            << QByteArray("{}");
        const QByteArray indication = "{'Indication': [{'red': '7', 'green': 9}]}";
        QTest::newRow("output: an indication colour")
            << Kind::Output << "7" << indication << QVariant() << 8 << "7" << indication;
        const QByteArray board
            = "{'SystemBus': {'devices': {'DIO1': {'channels': [{'channel': 1, 'output': "
              "'Seven'}]}}}}";
        QTest::newRow("output: a board channel naming two of one name")
            << Kind::Output << "Seven" << board << QVariant() << 8 << "7" << board;
    }

    void textNamingTwo()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, name8);
        QFETCH(QByteArray, modules);
        QFETCH(QVariant, link);
        QFETCH(int, removed);
        QFETCH(QString, alsoNames);
        QFETCH(QByteArray, after);
        const bool sensors = kind == Kind::Sensor;
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(QStringLiteral("modules"), NativeJson::value(modules));
        if (kind == Kind::Output) {
            // Outputs are entries of the native data, removed before their
            // places are cleared.
            controller.setNativeData(
                QStringLiteral("outputs"),
                QVariantList { QVariantMap { { "id", 7 }, { "name", "Seven" } },
                               QVariantMap { { "id", 8 }, { "name", name8 } } });
            const CnfReferences::Element goes { kind, QString::number(removed),
                                                removed == 7 ? QStringLiteral("Seven") : name8 };
            VObject outputs = controller.nativeData()[QStringLiteral("outputs")];
            outputs.removeAt(removed == 7 ? 0 : 1);
            const QList<CnfReferences::Place> places = CnfReferences::places(controller, goes);
            QCOMPARE(places.size(), 1);
            QCOMPARE(places.first().alsoNames, alsoNames);
            CnfReferences::clear(controller, places);
            QCOMPARE(
                NativeJson::text(controller.nativeData()[QStringLiteral("modules")].toVariant()),
                NativeJson::text(NativeJson::value(after)));
            return;
        }
        for (int id : { 7, 8 }) {
            auto element = CnfDetectorPtr::create();
            element->setId(id);
            element->setName(id == 7 ? QStringLiteral("Seven") : name8);
            if (sensors)
                controller.addSensor(element);
            else
                controller.addDetector(element);
        }
        auto sensor = CnfDetectorPtr::create();
        if (link.isValid()) {
            sensor->setId(1);
            sensor->setProperty("type", QStringLiteral("DetectorySensor"));
            sensor->setProperty("detector", link);
            controller.addSensor(sensor);
        }
        const CnfDetectorPtr goes
            = sensors ? controller.findSensor(removed) : controller.findDetector(removed);
        const QList<CnfReferences::Place> places
            = CnfReferences::places(controller, CnfReferences::of(*goes));
        QCOMPARE(places.size(), 1);
        QCOMPARE(places.first().alsoNames, alsoNames);
        QVERIFY(sensors ? controller.removeSensor(removed) : controller.removeDetector(removed));
        QCOMPARE(NativeJson::text(controller.nativeData()[QStringLiteral("modules")].toVariant()),
                 NativeJson::text(NativeJson::value(after)));
        QCOMPARE(sensor->property("detector"), alsoNames.isEmpty() ? QVariant() : link);
    }

    // The plans of an indication row name programs by number or by name: a
    // number follows, a name stays, and a Delete keeps both.
    void indicationPlans()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(QStringLiteral("modules"),
                                 NativeJson::value("{'Indication': [{'plans': [7, 'Seven', 8]}, "
                                                   "{'plans': 7}]}"));
        const CnfReferences::Element program = seven(Kind::Program);
        const QList<CnfReferences::Place> places = CnfReferences::places(controller, program);
        QCOMPARE(CnfReferences::owners(places, Note::Indication), QStringList({ "1", "2" }));
        QCOMPARE(CnfReferences::clear(controller, places), 0);
        CnfReferences::rename(controller, program, QStringLiteral("9"));
        QCOMPARE(NativeJson::text(controller.nativeData()[QStringLiteral("modules")].toVariant()),
                 NativeJson::text(NativeJson::value("{'Indication': [{'plans': [9, 'Seven', 8]}, "
                                                    "{'plans': 9}]}")));
    }

    // --- names: the places naming an element by its name

    // One rule decides for every finder whether a value names an element by
    // its name: a text equal to it, exactly; an empty name names nothing.
    void nameRule_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("names");
        QTest::newRow("the name") << QVariant("Seven") << "Seven" << true;
        QTest::newRow("another case") << QVariant("seven") << "Seven" << false;
        QTest::newRow("a space more") << QVariant("Seven ") << "Seven" << false;
        QTest::newRow("a number") << QVariant(7) << "7" << false;
        QTest::newRow("an empty name, an empty text") << QVariant("") << "" << false;
        QTest::newRow("an empty name, no value") << QVariant() << "" << false;
    }

    void nameRule()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, name);
        QFETCH(bool, names);
        QCOMPARE(CnfReferences::namesName(value, name), names);
        // The channels, the Signal module's text for a detector included.
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        controller.setNativeData(
            QStringLiteral("modules"),
            QVariantMap { { QStringLiteral("Signal"),
                            QVariantMap { { QStringLiteral("detector"), value } } } });
        const VObject reference
            = controller.nativeData()[QStringLiteral("modules")][QStringLiteral("Signal")]
                                     [QStringLiteral("detector")];
        const CnfReferences::Element detector { Kind::Detector, QStringLiteral("8"), name };
        QCOMPARE(CnfReferences::channelNames(reference, detector), names);
        QCOMPARE(CnfReferences::channelNames(reference, detector, true), names);
    }

    // Every place that names an element by its name takes its new name, one
    // place each; what names it by id, or names another element, is left;
    // the old name back gives the saved file back byte for byte.
    void newName_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("native");
        QTest::addColumn<QByteArray>("parameters"); // of program 3
        QTest::addColumn<int>("places");

        QTest::newRow("detector: channels of every module")
            << "tiverkii" << Kind::Detector
            << QByteArray("{'modules': {'SystemBus': {'devices': {'DIO2': {'channels': "
                          "[{'detector': 'Seven'}, {'detector': 7}]}, 'DIO4': {'channels': "
                          "[{'detector': 'Seven', 'out': 3}]}}}, 'Keyboard': {'channels': "
                          "[{'detector': 'Seven', 'sensor': \"Seven\"}]}, 'Signal': {'channels': "
                          "[{'detector': 'Seven'}, {'detector': 'Eleven'}]}, 'TrafiCam': "
                          "[{'channels': [{'detector': 'Seven'}]}], 'Priority': {'channels': "
                          "[{'detector': 'Seven'}]}, 'AzimuthSSE': [{'sensors': [{'channels': "
                          "[{'detector': 'Seven'}]}]}], 'SmartMicro': {'sensors': [{'channels': "
                          "[{'detector': 'Seven'}]}]}}}")
            << QByteArray() << 8;
        QTest::newRow("detector: crosswalks and conditions")
            << "tiverkii" << Kind::Detector << QByteArray()
            << QByteArray("{'conditions': [{'detector': 7}], 'crosswalks': [{'detectors': "
                          "['Seven', 7, 'Eleven']}, {'detectors': ['Seven']}]}")
            << 1;
        QTest::newRow("detector: ZU_MOLT inputs and plan events")
            << "ZU_MOLT" << Kind::Detector
            << QByteArray("{'inputsOutputs': {'DIO1': {'channels': [{'detector': 'Seven'}, "
                          "{'detector': 7}]}}}")
            << QByteArray("{'detectors': [{'detector': 'Seven', 'indicator': 7}, {'indicator': "
                          "'Seven'}]}")
            << 3;
        QTest::newRow("sensor: channels and crosswalks")
            << "tiverkii" << Kind::Sensor
            << QByteArray("{'modules': {'Priority': {'channels': [{'sensor': 'Seven'}]}, "
                          "'Signal': {'channels': [{'detector': \"Seven\", 'sensor': 'Seven'}]}}}")
            << QByteArray("{'crosswalks': [{'sensors': ['Seven'], 'detectors': [\"Seven\"]}]}")
            << 3;
        QTest::newRow("group: crosswalks")
            << "tiverkii" << Kind::SignalGroup << QByteArray()
            << QByteArray("{'crosswalks': [{'groups': ['Seven', 7], 'pedestrians': ['Seven']}, "
                          "{'pedestrians': ['Eleven']}]}")
            << 1;
        QTest::newRow("program: indication plans")
            << "tiverkii" << Kind::Program
            << QByteArray("{'modules': {'Indication': [{'plans': ['Seven', 7]}, {'plans': "
                          "'Seven'}, {'plans': ['Eleven']}]}}")
            << QByteArray() << 2;
        QTest::newRow("group: ZU_MOLT countdown boards")
            << "ZU_MOLT" << Kind::SignalGroup
            << QByteArray("{'countdownBoards': {'items': [{'id': 'Seven', 'boards': 2}, {'id': "
                          "7}, {'id': 'Eleven'}]}}")
            << QByteArray() << 1;
        QTest::newRow("phase: ZU_MOLT panel")
            << "ZU_MOLT" << Kind::Phase
            << QByteArray("{'remoteControlPanel': {'VPU1': {'stageId': [7, 'Seven', null, "
                          "'Eleven']}}}")
            << QByteArray() << 1;
        QTest::newRow("output: board channels and indication colours")
            << "tiverkii" << Kind::Output
            << QByteArray("{'outputs': [{'id': 7, 'name': 'Seven'}], 'modules': {'SystemBus': "
                          "{'devices': {'DIO3': {'channels': [{'out': 7}, {'output': 'Seven'}]}}}, "
                          "'Indication': [{'red': 7, 'green': 'Seven', 'amber': 'Seven'}]}}")
            << QByteArray() << 3;
    }

    void newName()
    {
        QFETCH(QString, family);
        QFETCH(Kind, kind);
        QFETCH(QByteArray, native);
        QFETCH(QByteArray, parameters);
        QFETCH(int, places);
        // The same controller, with every 'Seven' given the new name: what
        // the places must hold afterwards (the output's own entry aside).
        // "Seven" in double quotes is the name of an element of another
        // kind (a sensor's name in a sensor's place), which stays.
        const auto filled = [&](CnfController &controller, const QByteArray &name) {
            fillNumbered(controller, family, kind, Holder::None,
                         QByteArray(native).replace("'Seven'", name));
            if (parameters.isEmpty())
                return;
            auto program = CnfProgramPtr::create(&controller);
            program->id = QStringLiteral("3");
            program->type = CnfProgram::Stagering;
            const QVariantMap members
                = NativeJson::map(QByteArray(parameters).replace("'Seven'", name));
            for (auto it = members.cbegin(); it != members.cend(); ++it)
                program->setProperty(it.key().toLatin1().constData(), it.value());
            controller.addProgram(program);
        };
        CnfController controller;
        filled(controller, "'Seven'");
        CnfController expected;
        filled(expected, "'Eight'");
        if (kind == Kind::Output)
            expected.nativeData()[QStringLiteral("outputs")][0][QStringLiteral("name")]
                = QStringLiteral("Seven");
        const QByteArray before = controller.save(1);
        const CnfReferences::Element element = seven(kind);
        QCOMPARE(CnfReferences::namedPlaces(controller, element).size(), places);
        QCOMPARE(CnfReferences::takeName(controller, element, QStringLiteral("Eight")).size(),
                 places);
        QCOMPARE(QString::fromUtf8(controller.save(1)), QString::fromUtf8(expected.save(1)));
        QCOMPARE(CnfReferences::takeName(controller,
                                         { kind, QStringLiteral("7"), QStringLiteral("Eight") },
                                         QStringLiteral("Seven"))
                     .size(),
                 places);
        QCOMPARE(QString::fromUtf8(controller.save(1)), QString::fromUtf8(before));
    }

    // A new name of an element that a place of a ZU_MOLT file names by its
    // name: the place is written in the form of the element's own name, so
    // that the save succeeds and stays JSON, zumoltc (which compares names as
    // written) finds the element there, and plivek reads the same letters
    // (also in a sensor's link to its detector, which zumoltc keeps unread).
    void zuMoltNameFollowed_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QByteArray>("from"); // the fixture's bytes that the row's file changes
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<CnfReferences::Kind>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QByteArray>("written"); // the new name as the file writes it
        const struct
        {
            const char *place;
            QByteArray from;
            QByteArray to;
            Kind kind;
            const char *id;
            QString oldName;
        } places[] = {
            { "panel", QByteArray(), QByteArray(), Kind::Phase, "52", QStringLiteral("Stage 2") },
            { "DIO channel", "\"type\": \"full\",\n                    \"detector\": 71",
              "\"type\": \"full\",\n                    \"detector\": \"D1\"", Kind::Detector, "71",
              QStringLiteral("D1") },
            { "record detector", "\"detector\": 71,", "\"detector\": \"D1\",", Kind::Detector, "71",
              QStringLiteral("D1") },
            { "record indicator", "\"indicator\": 72", "\"indicator\": \"D2\"", Kind::Detector,
              "72", QStringLiteral("D2") },
            { "countdown board", "\"id\": 61,\n                \"addr\"",
              "\"id\": \"\xD0\x93"
              "1\",\n                \"addr\"",
              Kind::SignalGroup, "61", QStringLiteral("\u04131") },
            // plivek's own: zumoltc keeps the sensors without reading them.
            { "linked sensor", "\"id\": 81,\n            \"name\": \"Button\"",
              "\"detector\": \"D1\",\n            \"id\": 81,\n            \"name\": "
              "\"Button\",\n            \"type\": \"DetectorySensor\"",
              Kind::Detector, "71", QStringLiteral("D1") },
        };
        const struct
        {
            const char *form;
            QString letters;
            QByteArray written;
        } forms[] = {
            { "quote and backslash", QStringLiteral("Side \"A\" \\ B"), "Side \\\"A\\\" \\\\ B" },
            { "backslash", QStringLiteral("Nm\\x"), "Nm\\\\x" },
            { "control character", QStringLiteral("Bell\a"), "Bell\\u0007" },
            { "not ASCII", QStringLiteral("\u0422\u0435\u0441\u0442 \u00e9"),
              "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xC3\xA9" },
        };
        for (const auto &place : places) {
            for (const auto &form : forms)
                QTest::addRow("%s, %s", place.place, form.form)
                    << QString::fromLatin1(place.place) << place.from << place.to << place.kind
                    << QString::fromLatin1(place.id) << place.oldName << form.letters
                    << form.written;
        }
    }

    void zuMoltNameFollowed()
    {
        QFETCH(QString, place);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(CnfReferences::Kind, kind);
        QFETCH(QString, id);
        QFETCH(QString, oldName);
        QFETCH(QString, newName);
        QFETCH(QByteArray, written);
        QByteArray input = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("references/zumolt_filled.json")));
        if (!from.isEmpty()) {
            QCOMPARE(input.count(from), 1);
            input.replace(from, to);
        }
        ZU_MOLTConfig config;
        CnfController controller;
        QVERIFY2(config.loadData(input) && config.createController(controller),
                 qPrintable(config.lastError()));
        const QByteArray untouched = config.save(controller);
        QVERIFY2(!untouched.isEmpty(), qPrintable(config.lastError()));
        // The element's own name and the place.
        const QByteArray quotedOld = '"' + oldName.toUtf8() + '"';
        QCOMPARE(untouched.count(quotedOld), 2);
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(untouched, &error), qPrintable(error));
        const bool zumoltcReads = place != QLatin1String("linked sensor");
        if (zumoltcReads)
            QCOMPARE(zumoltcFinds(zu, place), id + QLatin1Char(' ') + oldName);

        // The element's dialog gives it the name; the places follow.
        switch (kind) {
        case Kind::Phase:
            controller.findPhase(id)->name = newName;
            break;
        case Kind::SignalGroup:
            controller.findSG(id.toInt())->name = newName;
            break;
        default:
            controller.findDetector(id.toInt())->setName(newName);
            break;
        }
        QCOMPARE(CnfReferences::takeName(controller, { kind, id, oldName }, newName).size(), 1);
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));
        QByteArray expected = untouched;
        expected.replace(quotedOld, '"' + written + '"');
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(expected));

        ZUConfiguration afterwards;
        QVERIFY2(afterwards.fromJson(saved, &error), qPrintable(error));
        QCOMPARE(afterwards.warnings(), zu.warnings());
        if (zumoltcReads)
            QCOMPARE(zumoltcFinds(afterwards, place),
                     id + QLatin1Char(' ') + QString::fromUtf8(written));

        // plivek reads the same letters at both, and writes the same file again.
        ZU_MOLTConfig again;
        CnfController reopened;
        QVERIFY2(again.loadData(saved) && again.createController(reopened),
                 qPrintable(again.lastError()));
        QCOMPARE(CnfReferences::namedPlaces(reopened, { kind, id, newName }).size(), 1);
        QCOMPARE(QString::fromUtf8(again.save(reopened)), QString::fromUtf8(saved));
    }

    // In a ZU_MOLT file a text names an element by its name only and a
    // number by its id only, as zumoltc reads them: a place whose text is
    // element A's id names element B, which has that name. A new id, a Delete
    // or a new name of A leaves it naming B; those of B do to it what they do
    // to a place naming B by its id, but for a new id, which a name stays
    // through, and a new name, which it follows. The save is exactly that of
    // the same edit of the file whose place names B by its id, the place
    // written as B's name where B still has it; zumoltc finds B there with no
    // new warning, and plivek reopens the save as it saved it.
    void zuMoltTextIsAName_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QByteArray>("from"); // the fixture's bytes of the place
        QTest::addColumn<QByteArray>("text"); // the place naming B by the text of A's id
        QTest::addColumn<QByteArray>("number"); // the place naming B by B's id
        QTest::addColumn<QByteArray>("name"); // B's name in the fixture, which becomes A's id
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("editB"); // the edit is B's, else A's
        QTest::addColumn<Edit>("edit");
        const QByteArray in16 = "\n                ";
        const QByteArray in20 = "\n                    ";
        const QByteArray sensor = "\"id\": 81,\n            \"name\": \"Button\"";
        const QByteArray linkedSensor = ",\n            \"type\": \"DetectorySensor\"";
        const struct
        {
            const char *place;
            QByteArray from;
            QByteArray text;
            QByteArray number;
            QByteArray name;
            Kind kind;
            const char *a;
            const char *b;
        } places[] = {
            { "panel", "51," + in16 + "\"Stage 2\",", "51," + in16 + "\"51\",",
              "51," + in16 + "52,", "\"name\": \"Stage 2\"", Kind::Phase, "51", "52" },
            { "DIO channel", "\"type\": \"full\"," + in20 + "\"detector\": 71",
              "\"type\": \"full\"," + in20 + "\"detector\": \"71\"",
              "\"type\": \"full\"," + in20 + "\"detector\": 72", "\"name\": \"D2\"", Kind::Detector,
              "71", "72" },
            { "record detector", "\"detector\": 71,", "\"detector\": \"71\",", "\"detector\": 72,",
              "\"name\": \"D2\"", Kind::Detector, "71", "72" },
            { "record indicator", "\"indicator\": 72", "\"indicator\": \"71\"", "\"indicator\": 72",
              "\"name\": \"D2\"", Kind::Detector, "71", "72" },
            { "countdown board", "\"id\": 61," + in16 + "\"addr\"",
              "\"id\": \"61\"," + in16 + "\"addr\"", "\"id\": 62," + in16 + "\"addr\"",
              "\"name\": \"\xD0\x93\x32\"", Kind::SignalGroup, "61", "62" },
            { "linked sensor", sensor,
              "\"detector\": \"71\",\n            " + sensor + linkedSensor,
              "\"detector\": 72,\n            " + sensor + linkedSensor, "\"name\": \"D2\"",
              Kind::Detector, "71", "72" },
        };
        const struct
        {
            const char *name;
            Edit edit;
        } edits[] = { { "new id", Edit::NewId },
                      { "Delete", Edit::Delete },
                      { "new name", Edit::NewName } };
        for (const auto &place : places) {
            for (const bool editB : { false, true }) {
                for (const auto &edit : edits)
                    QTest::addRow("%s, %s of %s", place.place, edit.name, editB ? "B" : "A")
                        << QString::fromLatin1(place.place) << place.from << place.text
                        << place.number << place.name << place.kind << QString::fromLatin1(place.a)
                        << QString::fromLatin1(place.b) << editB << edit.edit;
            }
        }
    }

    void zuMoltTextIsAName()
    {
        QFETCH(QString, place);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, number);
        QFETCH(QByteArray, name);
        QFETCH(Kind, kind);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, editB);
        QFETCH(Edit, edit);
        const QByteArray fixture = TestSupport::readFile(
            TestSupport::dataPath(QStringLiteral("references/zumolt_filled.json")));
        QCOMPARE(fixture.count(from), 1);
        QCOMPARE(fixture.count(name), 1);
        const auto open
            = [&](ZU_MOLTConfig &config, CnfController &controller, const QByteArray &named) {
                  QByteArray input = fixture;
                  input.replace(from, named).replace(name, "\"name\": \"" + a.toUtf8() + '"');
                  QVERIFY2(config.loadData(input) && config.createController(controller),
                           qPrintable(config.lastError()));
                  QVERIFY2(config.warnings().isEmpty(),
                           qPrintable(config.warnings().join(QLatin1Char('\n'))));
              };
        const bool zumoltcReads = place != QLatin1String("linked sensor");
        // B as it is after the edit: its id and name; none when deleted.
        QString bId = b;
        QString bName = a;
        if (editB && edit == Edit::NewId)
            bId = newIdOf(b);
        else if (editB && edit == Edit::NewName)
            bName = QStringLiteral("Renamed");
        const bool bStays = !(editB && edit == Edit::Delete);

        ZU_MOLTConfig config;
        CnfController controller;
        open(config, controller, text);
        const QByteArray untouched = config.save(controller);
        ZUConfiguration zu;
        QString error;
        QVERIFY2(zu.fromJson(untouched, &error), qPrintable(error));
        if (zumoltcReads)
            QCOMPARE(zumoltcFinds(zu, place), b + QLatin1Char(' ') + a);
        // The place names B by its name.
        const QList<CnfReferences::Place> named
            = CnfReferences::namedPlaces(controller, { kind, b, a });
        QCOMPARE(named.size(), 1);
        QVERIFY(edited(controller, kind, editB ? b : a, edit));
        const QByteArray saved = config.save(controller);
        QVERIFY2(!saved.isEmpty(), qPrintable(config.lastError()));

        ZU_MOLTConfig byIdConfig;
        CnfController byId;
        open(byIdConfig, byId, number);
        QVERIFY(edited(byId, kind, editB ? b : a, edit));
        // Where B's id is left at the place, its name stands there instead.
        const QVariant left = placeValue(byId, place);
        if (left.isValid() && left.userType() != QMetaType::QString && left.toString() == bId)
            setPlace(byId, place, bName);
        QCOMPARE(QString::fromUtf8(saved), QString::fromUtf8(byIdConfig.save(byId)));

        ZUConfiguration afterwards;
        QVERIFY2(afterwards.fromJson(saved, &error), qPrintable(error));
        QCOMPARE(afterwards.warnings(), zu.warnings());
        if (zumoltcReads && bStays)
            QCOMPARE(zumoltcFinds(afterwards, place), bId + QLatin1Char(' ') + bName);

        ZU_MOLTConfig again;
        CnfController reopened;
        QVERIFY2(again.loadData(saved) && again.createController(reopened),
                 qPrintable(again.lastError()));
        QCOMPARE(QString::fromUtf8(again.save(reopened)), QString::fromUtf8(saved));
        if (bStays)
            QCOMPARE(CnfReferences::namedPlaces(reopened, { kind, bId, bName }).size(), 1);
        // A text that is another element's id names that one no more than any
        // other text, so a new name of B asks no question for it.
        QVERIFY(!named.first().textIsId);
    }

    // A ZU_MOLT panel entry may name its stage by the stage's name, as
    // zumoltc reads it: the stage's Delete clears it and its question names
    // the panel; a new id leaves it.
    void panelStageByName()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
        for (const char *id : { "7", "2" }) {
            auto phase = CnfPhasePtr::create();
            phase->id = QString::fromLatin1(id);
            phase->name = id == QByteArray("7") ? QStringLiteral("Seven") : QStringLiteral("Two");
            controller.addPhase(phase);
        }
        controller.setNativeData(QStringLiteral("remoteControlPanel"),
                                 NativeJson::value("{'VPU1': {'stageId': [2, null, 'Seven', "
                                                   "'Two', 'Eleven']}}"));
        const VObject stages
            = controller.nativeData()[QStringLiteral("remoteControlPanel")][QStringLiteral("VPU1")]
                                     [QStringLiteral("stageId")];
        const CnfReferences::Element stage = seven(Kind::Phase);
        QVERIFY(
            CnfReferences::contains(CnfReferences::places(controller, stage), Note::RemoteControl));
        QVERIFY(controller.renamePhase(QStringLiteral("7"), QStringLiteral("9")));
        QCOMPARE(NativeJson::text(stages.toVariant()),
                 NativeJson::text(NativeJson::value("[2, null, 'Seven', 'Two', 'Eleven']")));
        QVERIFY(controller.removePhase(QStringLiteral("9")));
        QCOMPARE(NativeJson::text(stages.toVariant()),
                 NativeJson::text(NativeJson::value("[2, null, null, 'Two', 'Eleven']")));
    }
};

PROJECT_TEST(TestCnfReferencePlaces);
#include "tst_cnfreferenceplaces.moc"
