#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

// The operations of one list kind, seen through ZUBaseObject.
struct ListKind
{
    std::function<ZUBaseObject *()> create;
    std::function<void(ZUConfiguration &, ZUBaseObject *)> add;
    std::function<void(ZUConfiguration &, ZUBaseObject *, ZUBaseObject *)> insert;
    std::function<void(ZUConfiguration &, int, int)> move;
    std::function<QList<ZUBaseObject *>(ZUConfiguration &)> list;
};

template<typename T>
ListKind makeKind(void (ZUConfiguration::*add)(QPointer<T>),
                  void (ZUConfiguration::*insert)(QPointer<T>, QPointer<T>),
                  void (ZUConfiguration::*move)(int, int),
                  QList<QPointer<T>> &(ZUConfiguration::*list)())
{
    ListKind kind;
    kind.create = [] {
        return new T;
    };
    kind.add = [add](ZUConfiguration &c, ZUBaseObject *obj) {
        (c.*add)(qobject_cast<T *>(obj));
    };
    kind.insert = [insert](ZUConfiguration &c, ZUBaseObject *obj, ZUBaseObject *after) {
        (c.*insert)(qobject_cast<T *>(obj), qobject_cast<T *>(after));
    };
    kind.move = [move](ZUConfiguration &c, int from, int to) {
        (c.*move)(from, to);
    };
    kind.list = [list](ZUConfiguration &c) {
        QList<ZUBaseObject *> objects;
        for (const QPointer<T> &object : (c.*list)())
            objects.append(object.data());
        return objects;
    };
    return kind;
}

// The object pointer a signal carried, read without touching the object (it may be gone).
ZUBaseObject *carried(const QVariant &argument)
{
    return *static_cast<ZUBaseObject *const *>(argument.constData());
}

using Objects = QList<ZUBaseObject *>;

} // namespace

Q_DECLARE_METATYPE(ListKind)

class TestZUConfiguration : public QObject
{
    Q_OBJECT
private:
    void addEveryKind()
    {
        QTest::addColumn<ListKind>("kind");
        QTest::addColumn<bool>("once"); // listed at most once by its adder
        using C = ZUConfiguration;
        QTest::newRow("signal groups") << makeKind<ZUSignalGroup>(
            &C::addSignalGroup, &C::insertSignalGroup, &C::moveSignalGroup, &C::signalGroups)
                                       << true;
        QTest::newRow("stages") << makeKind<ZUStage>(&C::addStage, &C::insertStage, &C::moveStage,
                                                     &C::stages)
                                << true;
        QTest::newRow("detectors") << makeKind<ZUDetector>(&C::addDetector, &C::insertDetector,
                                                           &C::moveDetector, &C::detectors)
                                   << true;
        QTest::newRow("signal plans") << makeKind<ZUSignalPlan>(
            &C::addSignalPlan, &C::insertSignalPlan, &C::moveSignalPlan, &C::signalPlans)
                                      << true;
        QTest::newRow("day plans")
            << makeKind<ZUDayPlan>(&C::addDayPlan, &C::insertDayPlan, &C::moveDayPlan, &C::dayPlans)
            << true;
        QTest::newRow("week plans") << makeKind<ZUWeekPlan>(&C::addWeekPlan, &C::insertWeekPlan,
                                                            &C::moveWeekPlan, &C::weekPlans)
                                    << false;
        QTest::newRow("extra periods") << makeKind<ZUExtraPeriod>(
            &C::addExtraPeriod, &C::insertExtraPeriod, &C::moveExtraPeriod, &C::extraPeriods)
                                       << false;
        QTest::newRow("extra days") << makeKind<ZUExtraDay>(&C::addExtraDay, &C::insertExtraDay,
                                                            &C::moveExtraDay, &C::extraDays)
                                    << false;
        QTest::newRow("control sources")
            << makeKind<ZUControlSource>(&C::addControlSource, &C::insertControlSource,
                                         &C::moveControlSource, &C::controlSources)
            << false;
        QTest::newRow("switches") << makeKind<ZUSwitch>(&C::addSwitch, &C::insertSwitch,
                                                        &C::moveSwitch, &C::switches)
                                  << false;
    }

private slots:
    void additions_data() { addEveryKind(); }
    void additions()
    {
        QFETCH(ListKind, kind);
        QFETCH(bool, once);
        ZUConfiguration configuration;
        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        ZUBaseObject *a = kind.create();
        ZUBaseObject *b = kind.create();
        kind.add(configuration, a);
        kind.add(configuration, b);
        QCOMPARE(kind.list(configuration), Objects({ a, b }));
        QCOMPARE(added.count(), 2);
        QCOMPARE(carried(added.at(1).at(0)), b);
        QCOMPARE(added.at(1).at(1).toInt(), 1);
        QCOMPARE(a->parent(), &configuration);

        kind.add(configuration, nullptr);
        ZUBaseObject *dead = kind.create();
        QPointer<ZUBaseObject> deadReference(dead);
        delete dead;
        kind.add(configuration, deadReference.data());
        QCOMPARE(added.count(), 2);

        kind.add(configuration, a);
        if (once) {
            QCOMPARE(kind.list(configuration), Objects({ a, b }));
            QCOMPARE(added.count(), 2);
        } else {
            QCOMPARE(kind.list(configuration), Objects({ a, b, a }));
            QCOMPARE(added.count(), 3);
            QCOMPARE(added.last().at(1).toInt(), 2);
        }
    }

    void insertions_data() { addEveryKind(); }
    void insertions()
    {
        QFETCH(ListKind, kind);
        ZUConfiguration configuration;
        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        ZUBaseObject *first = kind.create();
        kind.insert(configuration, first, nullptr);
        QCOMPARE(added.last().at(1).toInt(), 0);

        ZUBaseObject *last = kind.create();
        kind.insert(configuration, last, first);
        ZUBaseObject *middle = kind.create();
        kind.insert(configuration, middle, first);
        QCOMPARE(kind.list(configuration), Objects({ first, middle, last }));
        QCOMPARE(added.last().at(1).toInt(), 1);
        QCOMPARE(middle->parent(), &configuration);

        ZUBaseObject *afterNull = kind.create();
        kind.insert(configuration, afterNull, nullptr);
        QCOMPARE(added.last().at(1).toInt(), 3);
        std::unique_ptr<ZUBaseObject> foreign(kind.create());
        ZUBaseObject *afterForeign = kind.create();
        kind.insert(configuration, afterForeign, foreign.get());
        QCOMPARE(kind.list(configuration),
                 Objects({ first, middle, last, afterNull, afterForeign }));
        QCOMPARE(added.last().at(1).toInt(), 4);

        kind.insert(configuration, middle, afterForeign); // already listed
        kind.insert(configuration, nullptr, first);
        QCOMPARE(added.count(), 5);
        QCOMPARE(kind.list(configuration).size(), 5);
    }

    void moves_data() { addEveryKind(); }
    void moves()
    {
        QFETCH(ListKind, kind);
        ZUConfiguration configuration;
        ZUBaseObject *a = kind.create();
        ZUBaseObject *b = kind.create();
        ZUBaseObject *c = kind.create();
        for (ZUBaseObject *object : { a, b, c })
            kind.add(configuration, object);
        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        kind.move(configuration, 0, 3);
        kind.move(configuration, -1, 1);
        kind.move(configuration, 1, -1);
        kind.move(configuration, 3, 0);
        QCOMPARE(kind.list(configuration), Objects({ a, b, c }));
        kind.move(configuration, 0, 2);
        QCOMPARE(kind.list(configuration), Objects({ b, c, a }));
        kind.move(configuration, 2, 1);
        QCOMPARE(kind.list(configuration), Objects({ b, a, c }));
        QCOMPARE(added.count(), 0);
    }

    void removals_data() { addEveryKind(); }
    void removals()
    {
        QFETCH(ListKind, kind);
        ZUConfiguration configuration;
        ZUBaseObject *a = kind.create();
        ZUBaseObject *b = kind.create();
        kind.add(configuration, a);
        kind.add(configuration, b);
        // A receiver already sees the list without the object.
        Objects seen;
        ZUBaseObject *announced = nullptr;
        connect(&configuration, &ZUConfiguration::objectDestroyed, this, [&](ZUBaseObject *obj) {
            announced = obj;
            seen = kind.list(configuration);
        });
        delete a;
        QCOMPARE(announced, a);
        QCOMPARE(seen, Objects({ b }));
        QCOMPARE(kind.list(configuration), Objects({ b }));
    }

    void switchListedTwiceGoesTwice()
    {
        ZUConfiguration configuration;
        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        QSignalSpy destroyed(&configuration, &ZUConfiguration::objectDestroyed);
        auto *output = new ZUSwitch;
        configuration.addSwitch(output);
        configuration.addSwitch(output);
        QCOMPARE(added.at(0).at(1).toInt(), 0);
        QCOMPARE(added.at(1).at(1).toInt(), 1);
        delete output;
        QVERIFY(configuration.switches().isEmpty());
        QCOMPARE(destroyed.count(), 2);
    }

    void unlistedKindIsAnnouncedOnly()
    {
        // An object of another class connected by hand still gets its objectDestroyed.
        ZUConfiguration configuration;
        auto *group = new ZUSignalGroup;
        configuration.addSignalGroup(group);
        QSignalSpy destroyed(&configuration, &ZUConfiguration::objectDestroyed);
        auto *device = new ZUKMPDevice;
        connect(device, SIGNAL(beforeDestroyed(ZUBaseObject *)), &configuration,
                SLOT(beforeDestroyed(ZUBaseObject *)));
        delete device;
        QCOMPARE(destroyed.count(), 1);
        QCOMPARE(configuration.signalGroups().size(), 1);
    }

    void defaultDayPlan()
    {
        ZUConfiguration configuration;
        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        auto *unlisted = new ZUDayPlan;
        configuration.setDefaultDayPlan(unlisted);
        QCOMPARE(added.count(), 1);
        QCOMPARE(configuration.dayPlans(), QList<QPointer<ZUDayPlan>>({ unlisted }));
        QCOMPARE(configuration.defaultDayPlan(), QPointer<ZUDayPlan>(unlisted));

        auto *listed = new ZUDayPlan;
        configuration.addDayPlan(listed);
        configuration.setDefaultDayPlan(listed);
        QCOMPARE(added.count(), 2);
        QCOMPARE(configuration.defaultDayPlan(), QPointer<ZUDayPlan>(listed));
        configuration.setDefaultDayPlan(nullptr);
        QVERIFY(configuration.defaultDayPlan().isNull());
        QCOMPARE(configuration.dayPlans().size(), 2);

        auto *program = new ZUSignalPlan;
        configuration.setDefaultProgram(program);
        QVERIFY(configuration.signalPlans().isEmpty());
        delete program;
    }

    void kmpForwarding()
    {
        ZUConfiguration configuration;
        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        QSignalSpy destroyed(&configuration, &ZUConfiguration::objectDestroyed);
        auto *first = new ZUKMPDevice;
        auto *second = new ZUKMPDevice;
        configuration.kmp1()->addDevice(first);
        configuration.kmp1()->insertDevice(second, nullptr);
        QCOMPARE(added.count(), 2);
        QCOMPARE(carried(added.at(1).at(0)), second);
        QCOMPARE(added.at(1).at(1).toInt(), 1);
        delete first;
        QCOMPARE(destroyed.count(), 1);
        QCOMPARE(carried(destroyed.first().first()), first);
    }

    void freshConfiguration()
    {
        ZUConfiguration configuration;
        QCOMPARE(configuration.configVersion(), 1);
        QCOMPARE(configuration.dios().size(), 5);
        for (const QPointer<ZUDIO> &dio : configuration.dios())
            QCOMPARE(dio->parent(), &configuration);
        QVERIFY(configuration.signalGroupDefaults());
        QVERIFY(configuration.switchDefaults());
        QCOMPARE(configuration.intergreenMatrix()->id(), 1);
        QCOMPARE(configuration.intergreenMatrix()->name(), QStringLiteral("Conflict matrix"));
        QCOMPARE(configuration.detectorIntervals()->logInterval, zu::NotSet);
        QVERIFY(!configuration.loading());
    }

    void resetSignals()
    {
        ZUConfiguration configuration;
        configuration.addSignalGroup(new ZUSignalGroup);
        configuration.addStage(new ZUStage);
        configuration.addSwitch(new ZUSwitch);
        configuration.addControlSource(new ZUControlSource);
        auto *day1 = new ZUDayPlan;
        auto *day2 = new ZUDayPlan;
        auto *week = new ZUWeekPlan;
        auto *extraDay = new ZUExtraDay;
        auto *extraPeriod = new ZUExtraPeriod;
        configuration.addExtraDay(extraDay);
        configuration.addDayPlan(day1);
        configuration.addWeekPlan(week);
        configuration.addExtraPeriod(extraPeriod);
        configuration.addDayPlan(day2);
        configuration.kmp1()->addDevice(new ZUKMPDevice);

        QSignalSpy added(&configuration, &ZUConfiguration::objectAdded);
        QSignalSpy destroyed(&configuration, &ZUConfiguration::objectDestroyed);
        configuration.reset();
        QCOMPARE(added.count(), 0);
        Objects order;
        for (const QList<QVariant> &arguments : destroyed)
            order.append(carried(arguments.first()));
        QCOMPARE(order, Objects({ day1, day2, week, extraPeriod, extraDay }));
    }

    void resetOfSignalGroupsIsSilent()
    {
        ZUConfiguration configuration;
        QPointer<ZUSignalGroup> group = new ZUSignalGroup;
        configuration.addSignalGroup(group);
        // An editor page listening to the group is cut off before the deletion.
        int pageHeard = 0;
        connect(group.data(), &ZUBaseObject::beforeDestroyed, this, [&pageHeard] { ++pageHeard; });
        QSignalSpy destroyed(&configuration, &ZUConfiguration::objectDestroyed);
        configuration.reset();
        QVERIFY(group.isNull());
        QCOMPARE(destroyed.count(), 0);
        QCOMPARE(pageHeard, 0);
        QVERIFY(configuration.signalGroups().isEmpty());
    }

    void resetIdentities()
    {
        ZUConfiguration configuration;
        const QPointer<ZUSignalGroup> groupDefaults = configuration.signalGroupDefaults();
        const QPointer<ZUSwitch> switchDefaults = configuration.switchDefaults();
        const QList<QPointer<ZUDIO>> dios = configuration.dios();
        ZUIntergreenMatrix *matrix = configuration.intergreenMatrix();
        matrix->setId(7);
        matrix->setName(QStringLiteral("Mine"));
        groupDefaults->setAmber(3);
        switchDefaults->setType(zu::ZU4_SW);

        configuration.reset();
        QVERIFY(groupDefaults.isNull());
        QVERIFY(switchDefaults.isNull());
        QVERIFY(configuration.signalGroupDefaults());
        QCOMPARE(configuration.signalGroupDefaults()->parent(), &configuration);
        QVERIFY(!configuration.signalGroupDefaults()->hasTimes());
        QCOMPARE(configuration.switchDefaults()->type(), zu::NotSet);
        QCOMPARE(configuration.dios(), dios);
        QCOMPARE(configuration.intergreenMatrix(), matrix);
        QCOMPARE(matrix->id(), 1);
        QCOMPARE(matrix->name(), QStringLiteral("Conflict matrix"));
    }

    void resetValues()
    {
        ZUConfiguration configuration;
        configuration.setId(4);
        configuration.setName(QStringLiteral("Crossing"));
        configuration.setConfigVersion(2);
        configuration.setDescription(QStringLiteral("d"));
        configuration.setTimeZone(3);
        configuration.setMaxCurrent(1);
        configuration.setAllRed(2);
        configuration.setAmberBlink(3);
        configuration.detectorIntervals()->logIntervalASUDD = 60;
        configuration.warnings().append(QStringLiteral("w"));
        auto *group = new ZUSignalGroup;
        configuration.addSignalGroup(group);
        configuration.intergreenMatrix()->setConflictTime(group, group, 3);
        configuration.countdownBoards()->setProtocol(zu::V1);
        configuration.dios().at(2)->setType(zu::DIO::sitilog);
        configuration.vpu()->setType(zu::passive);
        configuration.recoveryParameters()->setDefectSwitchRate(5);
        auto *program = new ZUSignalPlan;
        configuration.addSignalPlan(program);
        configuration.setDefaultProgram(program);
        configuration.setDefaultSpareProgram(program);
        configuration.setDefaultDayPlan(new ZUDayPlan);
        configuration.kmp1()->setAuto(0);

        configuration.reset();
        QCOMPARE(configuration.id(), zu::NotSet);
        QVERIFY(configuration.name().isEmpty());
        QCOMPARE(configuration.configVersion(), 1);
        QVERIFY(configuration.description().isEmpty());
        QVERIFY(!configuration.timeZone().isValid());
        QCOMPARE(configuration.maxCurrent(), zu::NotSet);
        QCOMPARE(configuration.allRed(), zu::NotSet);
        QCOMPARE(configuration.amberBlink(), zu::NotSet);
        QCOMPARE(configuration.detectorIntervals()->logIntervalASUDD, zu::NotSet);
        QVERIFY(configuration.warnings().isEmpty());
        QVERIFY(configuration.intergreenMatrix()->points().isEmpty());
        QCOMPARE(configuration.countdownBoards()->protocol(), zu::NotSet);
        QCOMPARE(configuration.dios().at(2)->type(), zu::NotSet);
        QCOMPARE(configuration.vpu()->type(), zu::NotSet);
        QVERIFY(!configuration.recoveryParameters()->hasValues());
        QVERIFY(configuration.defaultProgram().isNull());
        QVERIFY(configuration.defaultSpareProgram().isNull());
        QVERIFY(configuration.defaultDayPlan().isNull());
        QCOMPARE(configuration.kmp1()->autoDetect(), 1);
    }

    void resetClearsTimeServer()
    {
        ZUConfiguration configuration;
        ZUNetworkParameters *network = configuration.networkParameters();
        network->setAllowed(true);
        network->setSrvName(QStringLiteral("center"));
        network->setSntpIP(QStringLiteral("10.1.1.1"));
        network->setSntpName(QStringLiteral("time.local"));
        configuration.reset();
        QVERIFY(!network->allowed());
        QVERIFY(network->srvName().isEmpty());
        QVERIFY(network->sntpIP().isEmpty());
        QVERIFY(network->sntpName().isEmpty());
    }

    void resetDeletesKmpDevicesSilently()
    {
        ZUConfiguration configuration;
        QPointer<ZUKMPDevice> device = new ZUKMPDevice;
        configuration.kmp1()->addDevice(device);
        QSignalSpy destroyed(&configuration, &ZUConfiguration::objectDestroyed);
        configuration.reset();
        QVERIFY(device.isNull());
        QVERIFY(configuration.kmp1()->devices().isEmpty());
        QCOMPARE(destroyed.count(), 0);
    }

    void resetBetweenDocumentsLeavesNoOrphans()
    {
        // New after New after New: the configuration keeps only its fixed objects.
        ZUConfiguration configuration;
        for (int i = 0; i < 3; ++i) {
            configuration.addSignalGroup(new ZUSignalGroup);
            configuration.kmp1()->addDevice(new ZUKMPDevice);
            configuration.setDefaultDayPlan(new ZUDayPlan);
            configuration.reset();
        }
        // The matrix and the two defaults objects.
        QCOMPARE(configuration.findChildren<ZUBaseObject *>().size(), 3);
        QCOMPARE(configuration.findChildren<ZUDIO *>().size(), 5);
    }

    void lookups_data()
    {
        QTest::addColumn<QVariant>("key");
        QTest::addColumn<int>(
            "found"); // index into [id 3 "Main", 5 "3", 3 "Dup", 8 "", 0 "Zero"], -1 none
        QTest::newRow("int id") << QVariant(3) << 0;
        QTest::newRow("double id") << QVariant(3.0) << 0;
        QTest::newRow("unsigned id") << QVariant(5u) << 1;
        QTest::newRow("64-bit id") << QVariant(qlonglong(8)) << 3;
        QTest::newRow("numeric text is a name") << QVariant(QStringLiteral("3")) << 1;
        QTest::newRow("name") << QVariant(QStringLiteral("Dup")) << 2;
        QTest::newRow("name is case-sensitive") << QVariant(QStringLiteral("main")) << -1;
        QTest::newRow("empty name") << QVariant(QString()) << 3;
        QTest::newRow("bool") << QVariant(true) << -1;
        QTest::newRow("invalid") << QVariant() << -1;
        QTest::newRow("null number is no id") << QVariant(QVariant::Int) << -1;
        QTest::newRow("list") << QVariant(QVariantList { 3 }) << -1;
        QTest::newRow("no such id") << QVariant(4) << -1;
        QTest::newRow("id out of int range") << QVariant(1e12) << -1;
        QTest::newRow("64-bit beyond int does not wrap")
            << QVariant(qlonglong((1LL << 32) + 3)) << -1;
        QTest::newRow("unsigned 64-bit beyond int") << QVariant(qulonglong((1ULL << 32) + 5)) << -1;
        QTest::newRow("double beyond int does not wrap") << QVariant(4294967299.0) << -1;
        QTest::newRow("NaN") << QVariant(qQNaN()) << -1;
    }
    void lookups()
    {
        QFETCH(QVariant, key);
        QFETCH(int, found);
        ZUConfiguration configuration;
        const QList<QPair<int, QString>> stages
            = { { 3, "Main" }, { 5, "3" }, { 3, "Dup" }, { 8, "" }, { 0, "Zero" } };
        for (const auto &record : stages) {
            auto *stage = new ZUStage;
            stage->setId(record.first);
            stage->setName(record.second);
            configuration.addStage(stage);
        }
        const QPointer<ZUStage> expected = found < 0 ? nullptr : configuration.stages().at(found);
        QCOMPARE(configuration.findStage(key), expected);
    }

    void lookupsByKind()
    {
        ZUConfiguration configuration;
        auto *group = new ZUSignalGroup;
        group->setName(QStringLiteral("A"));
        configuration.addSignalGroup(group);
        auto *source = new ZUControlSource(zu::scheduler, 1, 2);
        configuration.addControlSource(source);
        auto *week = new ZUWeekPlan(6, QStringLiteral("W"));
        configuration.addWeekPlan(week);
        QCOMPARE(configuration.findSignalGroup(QStringLiteral("A")),
                 QPointer<ZUSignalGroup>(group));
        QCOMPARE(configuration.findControlSource(1), QPointer<ZUControlSource>(source));
        QCOMPARE(configuration.findWeekPlan(6), QPointer<ZUWeekPlan>(week));
        QVERIFY(configuration.findDetector(1).isNull());
        QVERIFY(configuration.findSignalPlan(QStringLiteral("A")).isNull());
        QVERIFY(configuration.findDayPlan(6).isNull());
    }

    void switchByAddress_data()
    {
        QTest::addColumn<QVariant>("key");
        QTest::addColumn<int>(
            "found"); // index into [addr 4, addr not set, addr 9, addr 4], -1 none
        QTest::newRow("int") << QVariant(9) << 2;
        QTest::newRow("earliest of two") << QVariant(4) << 0;
        QTest::newRow("invalid key never meets a not-set address") << QVariant() << -1;
        QTest::newRow("not set") << QVariant(zu::NotSet) << 1;
        QTest::newRow("no such address") << QVariant(5) << -1;
    }
    void switchByAddress()
    {
        QFETCH(QVariant, key);
        QFETCH(int, found);
        ZUConfiguration configuration;
        for (int addr : { 4, int(zu::NotSet), 9, 4 }) {
            auto *output = new ZUSwitch;
            output->setAddr(addr);
            configuration.addSwitch(output);
        }
        const QPointer<ZUSwitch> expected
            = found < 0 ? nullptr : configuration.switches().at(found);
        QCOMPARE(configuration.findSwitchByAddr(key), expected);
    }
};

PROJECT_TEST(TestZUConfiguration);
#include "tst_zuconfiguration.moc"
