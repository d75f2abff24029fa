#include "cnf/adapterconfig.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/tiverkiiconfig.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/detector.h"
#include "halm58a/edge.h"
#include "halm58a/granule.h"
#include "halm58a/lane.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"
#include "plivek/document/containerfile.h"
#include "testdata.h"
#include "testmain.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// The sample configurations in examples/ are written by the savers from the
// configurations built here. This test checks that they are still exactly what
// the savers write and that each loads as its family. After a deliberate change
// of a format, run it once with PLIVEK_WRITE_EXAMPLES=1 to write them anew.
namespace {

CnfSignalGroupPtr group(CnfController &c, int id, const QString &name, int type)
{
    auto g = CnfSignalGroupPtr::create();
    g->id = id;
    g->name = name;
    g->setType(type);
    c.addSignalGroup(g);
    return g;
}

CnfPowerDevicePtr device(CnfController &c, int id, int address, const QString &name, int type,
                         int color)
{
    auto d = CnfPowerDevicePtr::create();
    d->id = id;
    d->address = address;
    d->name = name;
    d->type = type;
    d->color = color;
    d->lampsCount = 1;
    c.addPowerDevice(d);
    return d;
}

CnfPhasePtr phase(CnfController &c, const QString &id, const QString &name,
                  const QList<int> &groups, int minTime, int maxTime)
{
    auto p = CnfPhasePtr::create();
    p->id = id;
    p->name = name;
    p->minTime = minTime;
    p->maxTime = maxTime;
    for (int g : groups)
        p->signalGroups.append(c.findSG(g));
    c.addPhase(p);
    return p;
}

void addMatrix(CnfController &c, const QList<QList<int>> &conflicts, double seconds,
               const QString &name)
{
    auto m = CnfMatrixPtr::create();
    m->setId(1);
    m->setName(name);
    for (const QList<int> &pair : conflicts) {
        m->setReleaf(pair.at(0), pair.at(1), seconds);
        m->setReleaf(pair.at(1), pair.at(0), seconds);
    }
    c.addMatrix(m, true, true);
}

// Every program gets the full record its layout describes, holding its
// steps, their lengths and its interstate variant.
void programRecords(CnfController &c)
{
    for (const CnfProgramPtr &program : c.programs())
        program->setData(CnfProgramRecord::create(c, *program));
}

// Day card "1" (workdays) and "2" (weekend), a week card and the defaults.
void timetable(CnfController &c, const CnfProgramPtr &day, const CnfProgramPtr &peak,
               const CnfProgramPtr &night)
{
    auto workday = CnfDayCardPtr::create();
    workday->id = QStringLiteral("1");
    workday->name = QStringLiteral("Workday");
    workday->addRecord(QTime(0, 0), QTime(6, 0), night, CnfProgramPtr());
    workday->addRecord(QTime(6, 0), QTime(7, 30), day, night);
    workday->addRecord(QTime(7, 30), QTime(10, 0), peak, day);
    workday->addRecord(QTime(10, 0), QTime(23, 0), day, night);
    workday->addRecord(QTime(23, 0), QTime(0, 0), night, CnfProgramPtr());
    c.addDayCard(workday);
    auto weekend = CnfDayCardPtr::create();
    weekend->id = QStringLiteral("2");
    weekend->name = QStringLiteral("Weekend");
    weekend->addRecord(QTime(0, 0), QTime(8, 0), night, CnfProgramPtr());
    weekend->addRecord(QTime(8, 0), QTime(0, 0), day, night);
    c.addDayCard(weekend);
    FormatFixture::addWeek(c, workday, weekend);
    FormatFixture::addNewYear(c, QStringLiteral("New Year"), weekend);
    c.setDefaultDayCard(workday);
    c.setDefaultProgram(day);
    c.setReserveProgram(night);
}

// A four-arm TIVERK 3.18 intersection: through traffic and pedestrians on
// both roads, a protected left turn on the main road that leads its green.
void tiverk318(CnfController &c)
{
    c.setProperty("type", QStringLiteral("tiverk"));
    c.setProperty("version", QStringLiteral("3.18"));
    c.setProperty("number", 101);
    c.setProperty("description", QStringLiteral("Main St / Station Rd"));
    const QStringList names = { QStringLiteral("Main N"),      QStringLiteral("Main S"),
                                QStringLiteral("Station E"),   QStringLiteral("Station W"),
                                QStringLiteral("Main left"),   QStringLiteral("Ped Main"),
                                QStringLiteral("Ped Station"), QStringLiteral("Ped diagonal") };
    // Keys take positions 0 to 5 of each key module of eight; a module's first
    // key brings its power (6) and control (7) devices, and a TIVERK 3.x
    // device's id is its address, as the program itself adds them.
    int address = 0;
    const auto key = [&c, &address](int color) {
        if (address % 8 == 6)
            address += 2;
        if (address % 8 == 0) {
            for (const int type : { CnfPowerDevice::ModulePower, CnfPowerDevice::ModuleControl }) {
                auto service = CnfPowerDevicePtr::create();
                service->address = service->id
                    = address + (type == CnfPowerDevice::ModulePower ? 6 : 7);
                service->type = type;
                c.addPowerDevice(service);
            }
        }
        const int at = address++;
        return device(c, at, at, QString(), CnfPowerDevice::Key, color);
    };
    for (int i = 1; i <= 8; ++i) {
        const CnfSignalGroupPtr g = group(c, i, names.at(i - 1),
                                          i <= 4       ? CnfSignalGroup::Traffic
                                              : i == 5 ? CnfSignalGroup::Arrow
                                                       : CnfSignalGroup::Pedestrian);
        // Red, yellow and green keys of vehicle groups; red and green of pedestrian ones.
        g->assignDevice(key(CnfPowerDevice::Red));
        if (i <= 5)
            g->assignDevice(key(CnfPowerDevice::Yellow));
        g->assignDevice(key(CnfPowerDevice::Green));
        g->detectorAddresses = { i <= 4 ? i - 1 : 255 };
        // Arrow and pedestrian groups have no yellow and no red-yellow: the
        // interstates dialog stores them as 0.
        g->setInterstate(1,
                         i <= 4       ? QByteArray("\x00\x03\x03\x02\x02\x00", 6)
                             : i == 5 ? QByteArray("\x00\x03\x00\x02\x00\x00", 6)
                                      : QByteArray("\x00\x04\x00\x03\x00\x00", 6));
    }
    phase(c, QStringLiteral("1"), QStringLiteral("Main road"), { 1, 2, 7 }, 15, 60);
    phase(c, QStringLiteral("2"), QStringLiteral("Main left turn"), { 1, 5 }, 6, 20);
    phase(c, QStringLiteral("3"), QStringLiteral("Station road"), { 3, 4, 6 }, 10, 40);
    phase(c, QStringLiteral("4"), QStringLiteral("All pedestrians"), { 6, 7, 8 }, 8, 15);
    // A conflict is 1, as the conflict-matrix dialog stores a tick.
    const QList<QList<int>> conflicts
        = { { 1, 3 }, { 1, 4 }, { 2, 3 }, { 2, 4 }, { 2, 5 }, { 5, 3 },
            { 5, 4 }, { 5, 6 }, { 1, 6 }, { 2, 6 }, { 3, 7 }, { 4, 7 },
            { 1, 8 }, { 2, 8 }, { 3, 8 }, { 4, 8 }, { 5, 8 } };
    addMatrix(c, conflicts, 1.0, QStringLiteral("Conflicts"));
    for (int i = 1; i <= 4; ++i)
        FormatFixture::addDetector(c, i, QStringLiteral("Loop %1").arg(names.at(i - 1)), false);
    FormatFixture::addDetector(c, 1, QStringLiteral("Button Main"), true);
    FormatFixture::addDetector(c, 2, QStringLiteral("Button Station"), true);

    // The main left arrow leads the main road's green: the south's permissive left turners
    // then end with the oncoming through traffic and are never caught in the junction
    // by traffic that still has green.
    const CnfProgramPtr day = FormatFixture::addProgram(c, QStringLiteral("1"),
                                                        QStringLiteral("Day"), CnfProgram::Tiverk);
    day->kind = 1;
    day->appendPhase(c.findPhase(QStringLiteral("2")), 8);
    day->appendPhase(c.findPhase(QStringLiteral("1")), 35);
    day->appendPhase(c.findPhase(QStringLiteral("3")), 20);
    day->appendPhase(c.findPhase(QStringLiteral("4")), 10);
    const CnfProgramPtr peak = FormatFixture::addProgram(
        c, QStringLiteral("2"), QStringLiteral("Morning peak"), CnfProgram::Tiverk);
    peak->kind = 2;
    peak->appendPhase(c.findPhase(QStringLiteral("2")), 12);
    peak->appendPhase(c.findPhase(QStringLiteral("1")), 50);
    peak->appendPhase(c.findPhase(QStringLiteral("3")), 25);
    peak->setCycleOffset(15);
    const CnfProgramPtr night = FormatFixture::addProgram(
        c, QStringLiteral("3"), QStringLiteral("Night flash"), CnfProgram::Tiverk);
    night->kind = 0;
    programRecords(c);
    timetable(c, day, peak, night);
    c.setInterstate(CnfInterstatePtr::create(1, 1, 1));
    c.setNativeData(QStringLiteral("startup_yf"), 5);
    c.setNativeData(QStringLiteral("dprog_stop"), 3);
}

// A small adapter configuration: two roads, pedestrians with buttons.
void adapter(CnfController &c)
{
    c.setProperty("type", QStringLiteral("adapter"));
    c.setProperty("number", 7);
    c.setProperty("description", QStringLiteral("Mill Lane crossing"));
    for (int i = 1; i <= 4; ++i) {
        const CnfSignalGroupPtr g
            = group(c, i, QString(), i <= 2 ? CnfSignalGroup::Traffic : CnfSignalGroup::Pedestrian);
        // An adapter device's id is its address, as its properties dialog sets it.
        g->assignDevice(
            device(c, i - 1, i - 1, QString(), CnfPowerDevice::Key, CnfPowerDevice::Green));
        // Green blinking, yellow and all-red long enough for the matrix's intergreens.
        g->setInterstate(1,
                         i <= 2 ? QByteArray("\x00\x03\x03\x02\x02\x00", 6)
                                : QByteArray("\x00\x04\x00\x03\x00\x00", 6));
    }
    phase(c, QStringLiteral("1"), QString(), { 1, 4 }, 10, 45);
    phase(c, QStringLiteral("2"), QString(), { 2, 3 }, 10, 30);
    addMatrix(c, { { 1, 2 }, { 1, 3 }, { 2, 4 } }, 4.0, QString());
    FormatFixture::addDetector(c, 1, QStringLiteral("Loop 1"), false);
    FormatFixture::addDetector(c, 1, QStringLiteral("Button"), true);
    const CnfProgramPtr day = FormatFixture::addProgram(c, QStringLiteral("1"),
                                                        QStringLiteral("Day"), CnfProgram::Tiverk);
    day->kind = 1;
    day->appendPhase(c.findPhase(QStringLiteral("1")), 30);
    day->appendPhase(c.findPhase(QStringLiteral("2")), 20);
    const CnfProgramPtr night = FormatFixture::addProgram(
        c, QStringLiteral("2"), QStringLiteral("Night"), CnfProgram::Tiverk);
    night->kind = 0;
    programRecords(c);
    timetable(c, day, day, night);
    c.setNativeData(QStringLiteral("DEVICE"), 0);
    c.setNativeData(QStringLiteral("SCHEDULING"), 1);
}

// A TIVERK II intersection with a fixed-time and a timeline program.
void tiverkII(CnfController &c)
{
    c.setProperty("type", QStringLiteral("tiverkii"));
    c.setProperty("version", QStringLiteral("0.1"));
    c.setProperty("number", 12);
    c.setProperty("description", QStringLiteral("Harbour Rd / Bridge St"));
    auto defaults = CnfSignalGroupPtr::create();
    const QVariantMap times {
        { QStringLiteral("amber"), 3 },    { QStringLiteral("greenBlink"), 3 },
        { QStringLiteral("maxGreen"), 2 }, { QStringLiteral("maxRed"), 2 },
        { QStringLiteral("minGreen"), 2 }, { QStringLiteral("minRed"), 2 },
        { QStringLiteral("redAmber"), 2 }
    };
    for (auto it = times.cbegin(); it != times.cend(); ++it)
        defaults->setProperty(it.key().toLatin1().constData(), it.value());
    c.setDefaulSignalGroup(defaults);
    const QStringList names = { QStringLiteral("Harbour"), QStringLiteral("Bridge"),
                                QStringLiteral("Crossing H"), QStringLiteral("Crossing B") };
    for (int i = 1; i <= 4; ++i) {
        const CnfSignalGroupPtr g = group(
            c, i, names.at(i - 1), i <= 2 ? CnfSignalGroup::Traffic : CnfSignalGroup::Pedestrian);
        g->assignDevice(device(c, i, i - 1, QStringLiteral("K%1").arg(i), CnfPowerDevice::Output,
                               CnfPowerDevice::Green));
        if (i == 1)
            g->setProperty("minGreen", 8);
    }
    phase(c, QStringLiteral("1"), QStringLiteral("Harbour"), { 1, 4 }, 10, 40);
    phase(c, QStringLiteral("2"), QStringLiteral("Bridge"), { 2, 3 }, 8, 30);
    addMatrix(c, { { 1, 2 }, { 1, 3 }, { 2, 4 } }, 5.0, QStringLiteral("default_matrix"));
    FormatFixture::addDetector(c, 1, QStringLiteral("Harbour loop"), false);
    FormatFixture::addDetector(c, 1, QStringLiteral("Bridge button"), true);
    const CnfProgramPtr timer = FormatFixture::addProgram(
        c, QStringLiteral("1"), QStringLiteral("Fixed"), CnfProgram::FixedTime);
    timer->matrix = c.defaultMatrix();
    timer->defaultMatrix = true;
    timer->appendPhaseFl(c.findPhase(QStringLiteral("1")), 35);
    timer->appendPhaseFl(c.findPhase(QStringLiteral("2")), 25);
    const CnfProgramPtr line = FormatFixture::addProgram(
        c, QStringLiteral("2"), QStringLiteral("Timeline"), CnfProgram::Timeline);
    line->cycleLength = 60;
    line->setTimelineData(1, 0, CnfSignalGroup::Green);
    line->setTimelineData(1, 30, CnfSignalGroup::GreenBlink);
    line->setTimelineData(1, 33, CnfSignalGroup::Yellow);
    line->setTimelineData(1, 36, CnfSignalGroup::Red);
    line->setTimelineData(2, 0, CnfSignalGroup::Red);
    line->setTimelineData(2, 38, CnfSignalGroup::RedYellow);
    line->setTimelineData(2, 40, CnfSignalGroup::Green);
    const CnfProgramPtr flash = FormatFixture::addProgram(
        c, QStringLiteral("3"), QStringLiteral("Flash"), CnfProgram::YellowFlash);
    timetable(c, timer, line, flash);
    c.setNativeData(QStringLiteral("sg_defaults"), times);
    c.setNativeData(
        QStringLiteral("controlSources"),
        QVariantList {
            QVariantMap { { QStringLiteral("id"), 1 },
                          { QStringLiteral("name"), QStringLiteral("emergency") },
                          { QStringLiteral("priority"), 9999 } },
            QVariantMap { { QStringLiteral("id"), 2 },
                          { QStringLiteral("name"), QStringLiteral("scheduler") },
                          { QStringLiteral("priority"), 0 } },
            QVariantMap { { QStringLiteral("id"), 3 },
                          { QStringLiteral("name"), QStringLiteral("its") },
                          { QStringLiteral("type"), QStringLiteral("TiverkIts") },
                          { QStringLiteral("url"), QStringLiteral("tcp://localhost:12330/") },
                          { QStringLiteral("priority"), 3 } } });
}

// The ZU_MOLT fixture without the values that only tests need.
void zuMolt(CnfController &c)
{
    FormatFixture::fillZuMolt(c);
    for (const char *key : { "note", "gain", "wholeDouble" })
        c.setNativeData(QLatin1String(key), QVariant());
    c.setProperty("dprog_stop", QVariant());
    // zumoltc keeps a scheduler source beside signal plans and adds one on opening a
    // file without it: the sample has it, so that saving it there changes only the edit.
    QVariantList sources = c.getNativeData(QStringLiteral("controlSources")).toList();
    sources.append(QVariantMap { { QStringLiteral("type"), QStringLiteral("scheduler") },
                                 { QStringLiteral("id"), 3 },
                                 { QStringLiteral("priority"), 0 } });
    c.setNativeData(QStringLiteral("controlSources"), sources);
}

// The road network of the TIVERK 3.18 intersection, drawn for the controller c: Main St
// runs north-south with two lanes each way, Station Rd east-west with one. The approach
// from the north has a through-and-right lane (group 1) and a left-turn lane (group 5),
// the one from the south a through-and-right lane and a left-turn lane (group 2);
// Station Rd's single lanes carry every movement (groups 3 and 4). Crosswalks cross Main
// St on its arms (group 6), Station Rd on its arms (group 7) and the junction on both
// diagonals (group 8). Each approach has a loop of the controller, the controller's
// detectors taken in order. Plane metres around the junction's centre.
void tiverk318Network(const CnfController &c, Halm58a::Network &net)
{
    using namespace Halm58a;
    // A document's network is named after its controller, as when the program saves it.
    net.setObjectName(c.property("number").toString());
    net.setGeoOrigin(30.3276, 60.0034);
    auto *centre = new Node;
    centre->setObjectName(c.property("description").toString());
    centre->setRadius(16);
    net.addItem(centre);

    enum Arm { North, South, East, West };
    const QPointF armAt[] = { { 0, 150 }, { 0, -150 }, { 150, 0 }, { -150, 0 } };
    const QString armName[]
        = { QStringLiteral("Main St north"), QStringLiteral("Main St south"),
            QStringLiteral("Station Rd east"), QStringLiteral("Station Rd west") };
    const double laneWidth[] = { 3.5, 3.5, 3.25, 3.25 };
    const int laneCount[] = { 2, 2, 1, 1 };
    QList<Node *> nodes = { centre };
    QList<Lane *> in[4];
    QList<Lane *> out[4];
    for (int arm = North; arm <= West; ++arm) {
        auto *node = new Node;
        node->setObjectName(armName[arm]);
        node->setPos(armAt[arm]);
        net.addItem(node);
        nodes.append(node);
        auto *inEdge = new Edge(node, centre);
        auto *outEdge = new Edge(centre, node);
        for (int i = 0; i < laneCount[arm]; ++i) {
            in[arm].append(new Lane(inEdge));
            in[arm].last()->setWidth(laneWidth[arm]);
            out[arm].append(new Lane(outEdge));
            out[arm].last()->setWidth(laneWidth[arm]);
        }
        net.addItem(inEdge);
        net.addItem(outEdge);
    }

    // Every movement: lane of the approach, arm and lane it leaves by, signal group.
    struct Movement
    {
        int from;
        int fromLane;
        int to;
        int toLane;
        int group;
    };
    const Movement movements[] = {
        { North, 0, South, 0, 1 }, { North, 0, West, 0, 1 }, { North, 1, East, 0, 5 },
        { South, 0, North, 0, 2 }, { South, 0, East, 0, 2 }, { South, 1, West, 0, 2 },
        { East, 0, West, 0, 3 },   { East, 0, North, 0, 3 }, { East, 0, South, 1, 3 },
        { West, 0, East, 0, 4 },   { West, 0, South, 0, 4 }, { West, 0, North, 1, 4 },
    };
    QMap<int, QList<NetObject *>> driven;
    for (const Movement &m : movements) {
        auto *connection
            = new Connection(in[m.from].at(m.fromLane), out[m.to].at(m.toLane), nullptr);
        net.addItem(connection, centre);
        driven[m.group].append(connection);
    }
    struct Walk
    {
        QPointF from;
        QPointF to;
        int group;
    };
    const Walk walks[] = {
        { { -7.5, 12 }, { 7.5, 12 }, 6 },    { { -7.5, -12 }, { 7.5, -12 }, 6 },
        { { 12, -3.5 }, { 12, 3.5 }, 7 },    { { -12, -3.5 }, { -12, 3.5 }, 7 },
        { { -7.5, 3.5 }, { 7.5, -3.5 }, 8 }, { { -7.5, -3.5 }, { 7.5, 3.5 }, 8 },
    };
    for (const Walk &w : walks) {
        auto *walk = new CrossWalk(nullptr);
        walk->setShape(GeoShape({ w.from, w.to }));
        net.addItem(walk, centre);
        driven[w.group].append(walk);
    }
    const QList<CnfDetectorPtr> loops = c.detectorsList();
    for (int arm = North; arm <= West && arm < loops.size(); ++arm) {
        auto *loop = new Detector(nullptr);
        loop->setObjectName(loops.at(arm)->name());
        loop->setTlId(loops.at(arm)->id());
        loop->setPosition(100);
        net.addItem(loop, in[arm].first());
    }

    auto *granule = new Granule(nodes);
    granule->setTlId(c.property("number").toInt());
    net.addItem(granule);
    for (const CnfSignalGroupPtr &g : c.signalGroups()) {
        auto *group = new SignalGroup(granule);
        group->setTlId(g->id);
        net.addItem(group);
        for (NetObject *object : driven.value(g->id)) {
            if (auto *connection = qobject_cast<Connection *>(object))
                group->addConnection(connection);
            else
                group->addCrossWalk(qobject_cast<CrossWalk *>(object));
        }
    }
}

QByteArray saved(const CnfController &c)
{
    const QString family = c.property("type").toString();
    if (family == QLatin1String("adapter"))
        return AdapterConfig().save(c);
    if (family == QLatin1String("tiverkii"))
        return TiverkIIConfig().save(c);
    if (family == QLatin1String("ZU_MOLT"))
        return ZU_MOLTConfig().save(c);
    return c.save(-1);
}

} // namespace

class TestExamples : public QObject
{
    Q_OBJECT
private slots:
    void examples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("which");
        QTest::newRow("TIVERK 3.18") << QStringLiteral("tiverk318_intersection.cnf") << 0;
        QTest::newRow("adapter") << QStringLiteral("adapter_crossing.txt") << 1;
        QTest::newRow("TIVERK II") << QStringLiteral("tiverkii_intersection.json") << 2;
        QTest::newRow("ZU_MOLT") << QStringLiteral("zumolt_intersection.json") << 3;
    }

    void examples()
    {
        QFETCH(QString, file);
        QFETCH(int, which);
        CnfController controller;
        switch (which) {
        case 0:
            tiverk318(controller);
            break;
        case 1:
            adapter(controller);
            break;
        case 2:
            tiverkII(controller);
            break;
        default:
            zuMolt(controller);
            break;
        }
        const QByteArray bytes = saved(controller);
        QVERIFY(!bytes.isEmpty());
        const QString path = TestSupport::examplesPath(file);
        if (qEnvironmentVariableIsSet("PLIVEK_WRITE_EXAMPLES")) {
            QVERIFY(TestSupport::writeFile(path, bytes));
        }
        QFile in(path);
        QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY2(in.readAll() == bytes,
                 qPrintable(
                     QStringLiteral(
                         "examples/%1 is not what the saver writes now; after a deliberate format "
                         "change run: PLIVEK_WRITE_EXAMPLES=1 tst_libs_cnf tst_examples")
                         .arg(file)));

        // Each sample loads as its own family.
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY2(native, qPrintable(CnfNative::loadError()));
        CnfController loaded;
        QVERIFY2(native->createController(loaded), qPrintable(native->lastError()));
        QCOMPARE(loaded.property("type").toString(), controller.property("type").toString());
        QCOMPARE(loaded.signalGroups().size(), controller.signalGroups().size());
        QCOMPARE(loaded.programs().size(), controller.programs().size());
        // TIVERK 3.x and adapter devices are known by their address; their
        // properties dialog makes the id equal to it, so the samples do too.
        const QString family = loaded.property("type").toString();
        if (family == QLatin1String("tiverk") || family == QLatin1String("adapter")) {
            for (const CnfPowerDevicePtr &device : loaded.powerDevices())
                QCOMPARE(device->id, device->address);
        }
    }

    // The TIVERK 3.18 intersection with its road network, as the program saves a
    // document that has one.
    void exampleWithNetwork()
    {
        CnfController controller;
        tiverk318(controller);
        Halm58a::Network network;
        tiverk318Network(controller, network);
        QMap<QString, QByteArray> custom;
        QTemporaryDir dir;
        const QString written = dir.filePath(QStringLiteral("sample.xcnf"));
        ContainerFile file(controller, &network, custom);
        QVERIFY2(file.write(written), qPrintable(file.errorString()));
        const QByteArray bytes = TestSupport::readFile(written);
        const QString path
            = TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf"));
        if (qEnvironmentVariableIsSet("PLIVEK_WRITE_EXAMPLES")) {
            QVERIFY(TestSupport::writeFile(path, bytes));
        }
        QVERIFY2(TestSupport::readFile(path) == bytes,
                 "examples/tiverk318_intersection.xcnf is not what the saver writes now; after a "
                 "deliberate "
                 "format change run: PLIVEK_WRITE_EXAMPLES=1 tst_libs_cnf tst_examples");

        // It loads whole: every group of the controller is drawn and drives something.
        CnfController loaded;
        Halm58a::Network loadedNetwork;
        ContainerFile in(loaded, &loadedNetwork, custom);
        QVERIFY2(in.read(path), qPrintable(in.errorString()));
        const QList<Halm58a::Granule *> granules = loadedNetwork.findChildren<Halm58a::Granule *>();
        QCOMPARE(granules.size(), 1);
        QCOMPARE(granules.first()->tlId(), loaded.property("number").toInt());
        QCOMPARE(granules.first()->signalGroups().size(), loaded.signalGroups().size());
        for (const Halm58a::SignalGroup *group : granules.first()->signalGroups()) {
            QVERIFY(loaded.findSG(group->tlId()));
            QVERIFY2(group->connectionCount() + group->crossWalkCount() > 0,
                     qPrintable(QString::number(group->tlId())));
        }
        for (const Halm58a::Detector *loop : loadedNetwork.findChildren<Halm58a::Detector *>())
            QVERIFY(loaded.findDetector(loop->tlId()));

        // Saved again as it was read, nothing of it changes.
        const QString again = dir.filePath(QStringLiteral("again.xcnf"));
        QVERIFY2(in.write(again), qPrintable(in.errorString()));
        QCOMPARE(TestSupport::readFile(again), bytes);
    }

    // loadNativeConfig tells the four families apart by content alone.
    void familiesToldApart()
    {
        const QVector<QPair<QString, QString>> files
            = { { QStringLiteral("tiverk318_intersection.cnf"), QStringLiteral("tiverk") },
                { QStringLiteral("adapter_crossing.txt"), QStringLiteral("adapter") },
                { QStringLiteral("tiverkii_intersection.json"), QStringLiteral("tiverkii") },
                { QStringLiteral("zumolt_intersection.json"), QStringLiteral("ZU_MOLT") } };
        for (const auto &file : files) {
            QFile in(TestSupport::examplesPath(file.first));
            QVERIFY(in.open(QIODevice::ReadOnly));
            const QByteArray bytes = in.readAll();
            const CnfNativePtr native = CnfNative::loadNativeConfig(bytes);
            QVERIFY2(native && native->isValid(),
                     qPrintable(file.first + QLatin1String(": ") + CnfNative::loadError()));
            QCOMPARE(bool(native.dynamicCast<AdapterConfig>()),
                     file.second == QLatin1String("adapter"));
            QCOMPARE(bool(native.dynamicCast<TiverkIIConfig>()),
                     file.second == QLatin1String("tiverkii"));
            QCOMPARE(bool(native.dynamicCast<ZU_MOLTConfig>()),
                     file.second == QLatin1String("ZU_MOLT"));
            CnfController controller;
            QVERIFY(native->createController(controller));
            QCOMPARE(controller.property("type").toString(), file.second);

            // Cut anywhere, the file is refused with a reason, never half read;
            // once its family shows, the reason is the object's lastError too.
            for (int cut : { 1, 20, bytes.size() / 3, bytes.size() / 2, bytes.size() - 3 }) {
                const CnfNativePtr part = CnfNative::loadNativeConfig(bytes.left(cut));
                QVERIFY2(!part || !part->isValid(),
                         qPrintable(QStringLiteral("%1 cut at %2").arg(file.first).arg(cut)));
                QVERIFY(!CnfNative::loadError().isEmpty());
                if (part)
                    QCOMPARE(part->lastError(), CnfNative::loadError());
                if (cut >= bytes.size() / 2)
                    QVERIFY2(part,
                             qPrintable(QStringLiteral("%1 cut at %2").arg(file.first).arg(cut)));
            }
        }
    }

    // Cut at every place, or with bytes changed at random, a sample never
    // crashes a reader, and whatever is refused says why.
    void damagedSamples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("TIVERK 3.18") << QStringLiteral("tiverk318_intersection.cnf");
        QTest::newRow("adapter") << QStringLiteral("adapter_crossing.txt");
        QTest::newRow("TIVERK II") << QStringLiteral("tiverkii_intersection.json");
        QTest::newRow("ZU_MOLT") << QStringLiteral("zumolt_intersection.json");
    }

    void damagedSamples()
    {
        QFETCH(QString, file);
        QFile in(TestSupport::examplesPath(file));
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        auto tryLoad = [](const QByteArray &data) {
            const CnfNativePtr native = CnfNative::loadNativeConfig(data);
            if (!native)
                return !CnfNative::loadError().isEmpty();
            CnfController controller;
            return native->createController(controller) || !native->lastError().isEmpty();
        };
        const bool ours = !file.endsWith(QLatin1String(".cnf"));
        for (int cut = 0; cut < bytes.size() - 1; cut += 3) {
            QVERIFY2(tryLoad(bytes.left(cut)), qPrintable(QStringLiteral("cut at %1").arg(cut)));
            if (ours) {
                const CnfNativePtr part = CnfNative::loadNativeConfig(bytes.left(cut));
                QVERIFY2(!part || !part->isValid(),
                         qPrintable(QStringLiteral("cut at %1").arg(cut)));
            }
        }
        QRandomGenerator random(20261209);
        for (int round = 0; round < 400; ++round) {
            QByteArray data = bytes;
            for (int change = 0; change < 3; ++change) {
                const int at = random.bounded(data.size());
                switch (random.bounded(3)) {
                case 0:
                    data[at] = char(random.bounded(256));
                    break;
                case 1:
                    data.remove(at, 1 + random.bounded(8));
                    break;
                default:
                    data.insert(at, "{[\"\\,:]}"[random.bounded(8)]);
                    break;
                }
            }
            QVERIFY2(tryLoad(data), qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }

    void nothingKnown_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("blank") << QByteArray(" \r\n\t ");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe", 5);
        QTest::newRow("text") << QByteArray("hello world\n");
        QTest::newRow("other JSON") << QByteArray("{\"hello\": \"world\"}");
        QTest::newRow("JSON array") << QByteArray("[1, 2, 3]");
        QTest::newRow("brace only") << QByteArray("{");
    }

    void nothingKnown()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!CnfNative::loadNativeConfig(bytes));
        QVERIFY(!CnfNative::loadError().isEmpty());
    }
};

PROJECT_TEST(TestExamples);
#include "tst_examples.moc"
