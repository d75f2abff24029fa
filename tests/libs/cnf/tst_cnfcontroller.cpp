#include "cnftestconfig.h"
#include "testmain.h"

#include <QtTest>

#include <cmath>

class TestCnfController : public QObject
{
    Q_OBJECT

    template<typename Ptr, typename Find, typename List>
    static void checkFirstKept(CnfController &c, const Ptr &first, const Ptr &second,
                               bool (CnfController::*add)(const Ptr &), Find find, List list,
                               const QString &message)
    {
        if (message.contains(QLatin1String("\"\""))) {
            QVERIFY(!(c.*add)(first));
            QCOMPARE(c.lastError(), message);
            QVERIFY(list().isEmpty());
            QVERIFY(!find());
            return;
        }
        QVERIFY((c.*add)(first));
        QVERIFY(!(c.*add)(second));
        QCOMPARE(c.lastError(), message);
        QVERIFY((c.*add)(first));
        QCOMPARE(list(), decltype(list()) { first });
        QCOMPARE(find(), first);
    }

private slots:
    void idEditedInPlaceIsFoundAndKept()
    {
        // Finders go through an index by id; an id changed on a listed element
        // must still be found, and its old id become free.
        CnfController controller;
        for (int id = 1; id <= 3; ++id) {
            auto group = CnfSignalGroupPtr::create();
            group->id = id;
            QVERIFY(controller.addSignalGroup(group));
            auto phase = CnfPhasePtr::create();
            phase->id = QString::number(id);
            QVERIFY(controller.addPhase(phase));
        }
        const CnfSignalGroupPtr edited = controller.findSG(2);
        edited->id = 7;
        controller.findPhase(QStringLiteral("2"))->id = QStringLiteral("7");
        QCOMPARE(controller.findSG(7), edited);
        QVERIFY(!controller.findSG(2));
        QVERIFY(controller.findPhase(QStringLiteral("7")));
        QVERIFY(!controller.findPhase(QStringLiteral("2")));

        auto again = CnfSignalGroupPtr::create();
        again->id = 7;
        QVERIFY(!controller.addSignalGroup(again));
        again->id = 2;
        QVERIFY(controller.addSignalGroup(again));
        QCOMPARE(controller.findSG(2), again);
        QVERIFY(controller.addSignalGroup(again)); // the same element again: kept once
        QCOMPARE(controller.signalGroups().size(), 4);

        // A removal and a reorder leave the index right.
        QVERIFY(controller.removeSignalGroup(7));
        QVERIFY(!controller.findSG(7));
        QList<CnfSignalGroupPtr> groups = controller.signalGroups();
        std::reverse(groups.begin(), groups.end());
        QVERIFY(controller.reorderSignalGroups(groups));
        QCOMPARE(controller.findSG(1)->id, 1);
        QCOMPARE(controller.findSG(2), again);
    }

    void addKeepsTheFirstOfAKey_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        QTest::newRow("program") << "program"
                                 << "5"
                                 << "Program id \"5\" is empty or taken";
        QTest::newRow("program, empty id") << "program"
                                           << ""
                                           << "Program id \"\" is empty or taken";
        QTest::newRow("phase") << "phase"
                               << "5"
                               << "Phase id \"5\" is empty or taken";
        QTest::newRow("phase, empty id") << "phase"
                                         << ""
                                         << "Phase id \"\" is empty or taken";
        QTest::newRow("signal group") << "group"
                                      << "5"
                                      << "Signal group 5 already exists";
        QTest::newRow("signal group 0") << "group"
                                        << "0"
                                        << "Signal group 0 already exists";
        QTest::newRow("device id") << "device"
                                   << "5"
                                   << "Power device with id 5 already exists";
        QTest::newRow("device address") << "address"
                                        << "5"
                                        << "Power device with address 5 already exists";
        QTest::newRow("detector") << "detector"
                                  << "5"
                                  << "Detector 5 already exists";
        QTest::newRow("sensor") << "sensor"
                                << "5"
                                << "Detector 5 already exists";
        QTest::newRow("day card") << "day"
                                  << "5"
                                  << "Day card id \"5\" is empty or taken";
        QTest::newRow("day card, empty id") << "day"
                                            << ""
                                            << "Day card id \"\" is empty or taken";
        QTest::newRow("week card") << "week"
                                   << "5"
                                   << "Week card id \"5\" is empty or taken";
        QTest::newRow("week card, empty id") << "week"
                                             << ""
                                             << "Week card id \"\" is empty or taken";
    }

    void addKeepsTheFirstOfAKey()
    {
        // A second element of a taken key is refused with a message naming it,
        // the same element added again is kept once, and the first stays found.
        // An empty text id is never taken: its element is refused at once.
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(QString, message);
        CnfController c;
        const int number = key.toInt();
        if (kind == QLatin1String("program")) {
            auto first = CnfProgramPtr::create();
            first->id = key;
            auto second = CnfProgramPtr::create();
            second->id = key;
            checkFirstKept(
                c, first, second, &CnfController::addProgram, [&] { return c.findProgram(key); },
                [&] { return c.programs(); }, message);
        } else if (kind == QLatin1String("phase")) {
            auto first = CnfPhasePtr::create();
            first->id = key;
            auto second = CnfPhasePtr::create();
            second->id = key;
            checkFirstKept(
                c, first, second, &CnfController::addPhase, [&] { return c.findPhase(key); },
                [&] { return c.phases(); }, message);
        } else if (kind == QLatin1String("group")) {
            auto first = CnfSignalGroupPtr::create();
            first->id = number;
            auto second = CnfSignalGroupPtr::create();
            second->id = number;
            checkFirstKept(
                c, first, second, &CnfController::addSignalGroup, [&] { return c.findSG(number); },
                [&] { return c.signalGroups(); }, message);
        } else if (kind == QLatin1String("device") || kind == QLatin1String("address")) {
            // The other key differs, so only the one of the row clashes.
            const bool byId = kind == QLatin1String("device");
            auto first = CnfPowerDevicePtr::create();
            first->id = number;
            first->address = number;
            auto second = CnfPowerDevicePtr::create();
            second->id = byId ? number : number + 1;
            second->address = byId ? number + 1 : number;
            checkFirstKept(
                c, first, second, &CnfController::addPowerDevice,
                [&] {
                    return byId ? c.findPowerDevice(number) : c.findPowerDeviceByAddress(number);
                },
                [&] { return c.powerDevices(); }, message);
        } else if (kind == QLatin1String("detector") || kind == QLatin1String("sensor")) {
            const bool sensor = kind == QLatin1String("sensor");
            auto first = CnfDetectorPtr::create();
            first->setId(number);
            auto second = CnfDetectorPtr::create();
            second->setId(number);
            checkFirstKept(
                c, first, second, sensor ? &CnfController::addSensor : &CnfController::addDetector,
                [&] { return sensor ? c.findSensor(number) : c.findDetector(number); },
                [&] { return sensor ? c.sensorsList() : c.detectorsList(); }, message);
            // The other list is another id space.
            QVERIFY(sensor ? !c.findDetector(number) : !c.findSensor(number));
        } else if (kind == QLatin1String("day")) {
            auto first = CnfDayCardPtr::create();
            first->id = key;
            auto second = CnfDayCardPtr::create();
            second->id = key;
            checkFirstKept(
                c, first, second, &CnfController::addDayCard, [&] { return c.findDayCard(key); },
                [&] { return c.dayCards(); }, message);
        } else {
            auto first = CnfWeekCardPtr::create();
            first->id = key;
            auto second = CnfWeekCardPtr::create();
            second->id = key;
            checkFirstKept(
                c, first, second, &CnfController::addWeekCard, [&] { return c.findWeekCard(key); },
                [&] { return c.weekCards(); }, message);
        }
    }

    void saveLoadRoundTrip()
    {
        CnfController original;
        CnfTestConfig::fill(original);
        const QByteArray element = original.save(1);
        QVERIFY2(element.startsWith("<Controller"), element.left(60).constData());
        QVERIFY(element.trimmed().endsWith("</Controller>"));

        CnfController copy;
        QVERIFY2(copy.load(element, true), qPrintable(copy.lastError()));
        QCOMPARE(copy.save(1), element);

        // Links between elements are restored, not only their texts.
        QCOMPARE(copy.property("description"), original.property("description"));
        QCOMPARE(copy.property("number"), QVariant(1042));
        QCOMPARE(copy.findSG(1)->devices.value(0), copy.findPowerDevice(1));
        QCOMPARE(copy.findSG(1)->interstate(1), original.findSG(1)->interstate(1));
        QCOMPARE(copy.findSG(3)->defaultSignalGroup(), copy.defaultSignalGroup());
        QCOMPARE(copy.defaultSignalGroup()->property("amber"), QVariant(3.5));
        QCOMPARE(copy.findPhase(QStringLiteral("2"))->signalGroups.value(0), copy.findSG(2));
        QCOMPARE(copy.findPhase(QStringLiteral("2"))
                     ->findTransition(QStringLiteral("1"))
                     ->greenStart.value(3),
                 6);
        QCOMPARE(copy.findProgram(QStringLiteral("2"))->matrix, copy.findMatrix(2));
        QCOMPARE(copy.findProgram(QStringLiteral("2"))->phaseDefAt(1)->phase(),
                 copy.findPhase(QStringLiteral("2")));
        QCOMPARE(copy.findProgram(QStringLiteral("3"))->property("pattern"),
                 original.findProgram(QStringLiteral("3"))->property("pattern"));
        QCOMPARE(copy.findProgram(QStringLiteral("1"))->data(), QByteArray(64, '\xff'));
        QCOMPARE(copy.safetyMatrix(), copy.findMatrix(1));
        QCOMPARE(copy.conflictMatrix()->releaf(copy.findSG(1), copy.findSG(3)), 1.0);
        QVERIFY(std::isnan(copy.conflictMatrix()->releaf(copy.findSG(1), copy.findSG(2))));
        QCOMPARE(copy.dayCards().first()->records.value(QTime(6, 0)).reserve,
                 copy.findProgram(QStringLiteral("2")));
        QCOMPARE(copy.weekCards().first()->days.value(Qt::Sunday),
                 copy.findDayCard(QStringLiteral("1")));
        QCOMPARE(copy.seasonPlans().first()->weekCard, copy.findWeekCard(QStringLiteral("1")));
        QCOMPARE(copy.specialDays().value(QDate(2027, 1, 1))->dayCard, copy.defaultDayCard());
        QCOMPARE(copy.reserveProgram(), copy.findProgram(QStringLiteral("2")));
        QCOMPARE(copy.sensorsList().first()->property("messages").toStringList(),
                 (QStringList { QStringLiteral("on"), QStringLiteral("вкл") }));
        QVERIFY(copy.sensorsList().first()->isSensor());

        // The native tree keeps its value types and texts exactly.
        VObject root = copy.nativeData();
        QVERIFY(root.dataEqual(original.nativeData()));
        QCOMPARE(root["maxCurrent"].type(), int(QMetaType::Int));
        QCOMPARE(root["big"].type(), int(QMetaType::LongLong));
        QCOMPARE(root["ratio"].type(), int(QMetaType::Double));
        QCOMPARE(root["ratio"].toDouble(), 0.1);
        QCOMPARE(root["name"].toString(), original.nativeData()["name"].toString());
        QCOMPARE(root["escapes"].toString(), original.nativeData()["escapes"].toString());
        QVERIFY(root.contains(QStringLiteral("notSet")));
        QCOMPARE(root["emptyList"].kind(), VObject::List);
        QCOMPARE(root["controlSources"][3]["tags"][4][1].toInt(), 2);
    }

    void removedElementsLeaveAReadableFile()
    {
        // Day cards keep references to deleted programs, and a program may
        // use a matrix of its own: saving must still give a loadable file.
        CnfController original;
        CnfTestConfig::fill(original);
        const CnfProgramPtr two = original.findProgram(QStringLiteral("2"));
        auto own = CnfMatrixPtr::create();
        own->setId(2); // same id as a listed matrix, other content
        own->setReleaf(3, 4, 7.5);
        two->matrix = own;
        original.findProgram(QStringLiteral("3"))->matrix = original.findMatrix(1);
        QVERIFY(original.removeMatrix(1));
        QVERIFY(original.removeProgram(QStringLiteral("1")));
        auto removedCard = CnfDayCardPtr::create();
        removedCard->id = QStringLiteral("2");
        QVERIFY(original.addDayCard(removedCard));
        original.weekCards().first()->days.insert(Qt::Monday, removedCard);
        original.specialDays().first()->dayCard = removedCard;
        QVERIFY(original.removeDayCard(removedCard));

        CnfController copy;
        QVERIFY2(copy.load(original.save(1), true), qPrintable(copy.lastError()));
        const CnfProgramPtr loaded = copy.findProgram(QStringLiteral("2"));
        QVERIFY(loaded->matrix);
        QVERIFY(loaded->matrix != copy.findMatrix(2));
        QCOMPARE(loaded->matrix->releaf(3, 4), 7.5);
        QCOMPARE(copy.findProgram(QStringLiteral("3"))->matrix->releaf(1, 3), 1.0);
        QVERIFY(!copy.weekCards().first()->days.value(Qt::Monday));
        QCOMPARE(copy.weekCards().first()->days.value(Qt::Tuesday),
                 copy.findDayCard(QStringLiteral("1")));
        QVERIFY(!copy.specialDays().first()->dayCard);
        const CnfDayCardRecord morning
            = copy.findDayCard(QStringLiteral("1"))->records.value(QTime(6, 0));
        QVERIFY(!morning.program);
        QCOMPARE(morning.programId(), QStringLiteral("1"));
        QCOMPARE(morning.reserve, copy.findProgram(QStringLiteral("2")));
        QCOMPARE(copy.save(1), original.save(1));
    }

    // References to devices and groups that the controller does not list are left
    // out; those to listed ones keep their order.
    void unlistedDevicesAndGroupsAreNotReferenced()
    {
        CnfController original;
        CnfTestConfig::fill(original);
        auto stray = CnfPowerDevicePtr::create();
        stray->id = 90;
        const CnfSignalGroupPtr group = original.findSG(1);
        group->devices = { stray, original.findPowerDevice(3), original.findPowerDevice(1) };
        auto strayGroup = CnfSignalGroupPtr::create();
        strayGroup->id = 91;
        const CnfPhasePtr phase = original.phases().first();
        phase->signalGroups = { original.findSG(2), strayGroup, original.findSG(1) };

        CnfController copy;
        QVERIFY2(copy.load(original.save(1), true), qPrintable(copy.lastError()));
        const QList<CnfPowerDevicePtr> devices = copy.findSG(1)->devices;
        QCOMPARE(devices.size(), 2);
        QCOMPARE(devices.at(0)->id, 3);
        QCOMPARE(devices.at(1)->id, 1);
        const CnfPhasePtr loaded = copy.findPhase(phase->id);
        QCOMPARE(loaded->signalGroups,
                 (QList<CnfSignalGroupPtr> { copy.findSG(2), copy.findSG(1) }));
    }

    void fullCopyIsADocument()
    {
        CnfController original;
        CnfTestConfig::fill(original);
        const QByteArray full = original.save(-1);
        QVERIFY(full.startsWith("<?xml"));
        CnfController copy;
        QVERIFY2(copy.load(full, true), qPrintable(copy.lastError()));
        QCOMPARE(copy.save(1), original.save(1));
    }

    void containerCutTextsAreEscaped()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        controller.setNativeData(QStringLiteral("</Controller>"), QStringLiteral("<Network>"));
        controller.setProperty("<Network", QStringLiteral("</Controller"));
        controller.findSG(1)->name = QStringLiteral("</Controller><Network");
        const QByteArray element = controller.save(1).trimmed();
        const QByteArray inner = element.mid(1, element.size() - int(qstrlen("</Controller>")) - 1);
        QVERIFY(!inner.contains("</Controller"));
        QVERIFY(!inner.contains("<Network"));
        CnfController copy;
        QVERIFY2(copy.load(element, true), qPrintable(copy.lastError()));
        QCOMPARE(copy.findSG(1)->name, QStringLiteral("</Controller><Network"));
        QCOMPARE(copy.getNativeData(QStringLiteral("</Controller>")),
                 QVariant(QStringLiteral("<Network>")));
    }

    void malformedInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("not xml") << QByteArray("garbage {") << QString();
        QTest::newRow("wrong root") << QByteArray("<Network/>") << QStringLiteral("Network");
        QTest::newRow("truncated")
            << QByteArray("<Controller format=\"1\"><Native><Int key=\"a\">1</In") << QString();
        QTest::newRow("unknown element")
            << QByteArray("<Controller><Gadgets/></Controller>") << QStringLiteral("Gadgets");
        QTest::newRow("unknown value")
            << QByteArray("<Controller><Native><Blob key=\"a\"/></Native></Controller>")
            << QStringLiteral("Blob");
        QTest::newRow("int not a number")
            << QByteArray("<Controller><Native><Int key=\"a\">abc</Int></Native></Controller>")
            << QStringLiteral("abc");
        QTest::newRow("huge int") << QByteArray(
            "<Controller><Native><Int key=\"a\">99999999999999</Int></Native></Controller>")
                                  << QStringLiteral("99999999999999");
        QTest::newRow("huge long")
            << QByteArray("<Controller><Native><Long "
                          "key=\"a\">99999999999999999999999</Long></Native></Controller>")
            << QStringLiteral("Long");
        QTest::newRow("huge double") << QByteArray(
            "<Controller><Native><Double key=\"a\">1e999</Double></Native></Controller>")
                                     << QStringLiteral("1e999");
        QTest::newRow("huge id") << QByteArray("<Controller><SignalGroups><SignalGroup "
                                               "id=\"4294967296\"/></SignalGroups></Controller>")
                                 << QStringLiteral("id");
        QTest::newRow("missing id") << QByteArray(
            "<Controller><PowerDevices><PowerDevice address=\"1\"/></PowerDevices></Controller>")
                                    << QStringLiteral("id");
        QTest::newRow("duplicate group")
            << QByteArray("<Controller><SignalGroups><SignalGroup id=\"1\"/><SignalGroup "
                          "id=\"1\"/></SignalGroups></Controller>")
            << QStringLiteral("1");
        QTest::newRow("dangling device")
            << QByteArray("<Controller><SignalGroups><SignalGroup id=\"1\"><Device "
                          "id=\"9\"/></SignalGroup></SignalGroups></Controller>")
            << QStringLiteral("9");
        QTest::newRow("dangling matrix") << QByteArray(
            "<Controller><Programs><Program id=\"1\" matrix=\"5\"/></Programs></Controller>")
                                         << QStringLiteral("5");
        QTest::newRow("bad program type") << QByteArray(
            "<Controller><Programs><Program id=\"1\" type=\"warp\"/></Programs></Controller>")
                                          << QStringLiteral("warp");
        QTest::newRow("empty program id")
            << QByteArray("<Controller><Programs><Program/></Programs></Controller>")
            << QStringLiteral("Program");
        QTest::newRow("odd hex") << QByteArray(
            "<Controller><Programs><Program "
            "id=\"1\"><Data>abc</Data></Program></Programs></Controller>")
                                 << QStringLiteral("bytes");
        QTest::newRow("short interstate") << QByteArray(
            "<Controller><SignalGroups><SignalGroup id=\"1\"><Interstate variant=\"1\">1 "
            "2</Interstate></SignalGroup></SignalGroups></Controller>")
                                          << QStringLiteral("six");
        QTest::newRow("bad base64")
            << QByteArray("<Controller><Native><Text key=\"a\" "
                          "encoding=\"base64\">!!</Text></Native></Controller>")
            << QStringLiteral("Base64");
        QTest::newRow("newer format")
            << QByteArray("<Controller format=\"99\"/>") << QStringLiteral("99");
        QTest::newRow("map entry without key") << QByteArray(
            "<Controller><Native><Map key=\"m\"><Int>1</Int></Map></Native></Controller>")
                                               << QStringLiteral("key");
        QByteArray deep("<Controller><Native><List key=\"a\">");
        for (int i = 0; i < 300; ++i)
            deep += "<List>";
        for (int i = 0; i < 300; ++i)
            deep += "</List>";
        deep += "</List></Native></Controller>";
        QTest::newRow("too deep") << deep << QStringLiteral("deep");
    }

    void malformedInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, errorPart);
        CnfController controller;
        CnfTestConfig::fill(controller);
        QVERIFY(!controller.load(bytes, true));
        QVERIFY(controller.lastError().startsWith(QStringLiteral("Line ")));
        QVERIFY2(controller.lastError().contains(errorPart), qPrintable(controller.lastError()));
        // A failed load leaves an empty configuration, not half of one.
        QVERIFY(controller.programs().isEmpty());
        QVERIFY(controller.nativeData().keys().isEmpty());
        QVERIFY(controller.dynamicPropertyNames().isEmpty());
    }

    void lenientLoadSkipsUnknownElements()
    {
        CnfController controller;
        QVERIFY(controller.load("<Controller type=\"tiverk\"><Gadgets><x/></Gadgets>"
                                "<Phases><Phase id=\"1\"><Extra/></Phase></Phases></Controller>",
                                false));
        QCOMPARE(controller.property("type"), QVariant(QStringLiteral("tiverk")));
        QVERIFY(controller.findPhase(QStringLiteral("1")));
    }

    void dynamicProgramRoundTrip()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        const CnfProgramPtr original = controller.findProgram(QStringLiteral("2"));
        const QByteArray bytes = controller.createDynamicProgram(original);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(!bytes.startsWith("<Program"));
        const CnfProgramPtr copy = controller.loadDynamicProgram(bytes);
        QVERIFY2(copy, qPrintable(controller.lastError()));
        QCOMPARE(copy->id, original->id);
        QCOMPARE(copy->type, int(CnfProgram::Coordinated));
        QCOMPARE(copy->cycleOffset(-1), 15);
        QCOMPARE(copy->matrix, original->matrix);
        QCOMPARE(copy->phaseCount(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(copy->phaseDefAt(i)->phase(), original->phaseDefAt(i)->phase());
            QCOMPARE(copy->phaseDefAt(i)->length(), original->phaseDefAt(i)->length());
            QCOMPARE(copy->phaseDefAt(i)->property("recall"),
                     original->phaseDefAt(i)->property("recall"));
        }
        QCOMPARE(copy->cycle(true), original->cycle(true));
        QCOMPARE(controller.createDynamicProgram(copy), bytes);
        QCOMPARE(controller.programs().size(), 3); // not added
    }

    void olderExchangeFormLoads()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        const QByteArray converted
            = "<Controller type=\"tiverk\" version=\"3.18\"><Program type=\"coord\" cycle=\"90\">"
              "<Phase length=\"30\" start=\"0\">1</Phase><Phase length=\"25\" "
              "start=\"30\">2</Phase>"
              "</Program></Controller>";
        const CnfProgramPtr program = controller.loadDynamicProgram(converted);
        QVERIFY2(program, qPrintable(controller.lastError()));
        QCOMPARE(program->type, int(CnfProgram::Coordinated));
        QCOMPARE(program->cycleLength, 90);
        QCOMPARE(program->phaseDefAt(0)->phase(), controller.findPhase(QStringLiteral("1")));
        QCOMPARE(program->phaseDefAt(0)->fullLength(), 30);
        QCOMPARE(program->phaseDefAt(1)->fullLength(), 25);
        QVERIFY(!controller.loadDynamicProgram("<Controller/>"));
        QVERIFY(!controller.lastError().isEmpty());
        QVERIFY(!controller.loadDynamicProgram("<Controller><Program type=\"timer\"><Phase>1"));
        QVERIFY(!controller.createDynamicProgram(CnfProgramPtr()).size());
    }

    // A program element without a kind (the older exchange form) runs the kind
    // its type names; a kind the element states stays.
    void programKindFromItsType_data()
    {
        QTest::addColumn<QByteArray>("attributes");
        QTest::addColumn<int>("kind");
        QTest::newRow("timer") << QByteArray("type=\"timer\"") << 1;
        QTest::newRow("coordinated") << QByteArray("type=\"coord\" cycle=\"90\"") << 2;
        QTest::newRow("no type: timer") << QByteArray() << 1;
        QTest::newRow("coordinated of kind 0") << QByteArray("type=\"coord\" kind=\"0\"") << 0;
        QTest::newRow("timer of kind 3") << QByteArray("type=\"timer\" kind=\"3\"") << 3;
        QTest::newRow("tiverk") << QByteArray("type=\"tiverk\"") << 0;
        QTest::newRow("yellow flashing") << QByteArray("type=\"yellow\"") << 0;
    }

    void programKindFromItsType()
    {
        QFETCH(QByteArray, attributes);
        QFETCH(int, kind);
        CnfController controller;
        CnfTestConfig::fill(controller);
        const CnfProgramPtr program = controller.loadDynamicProgram(
            "<Controller type=\"tiverk\" version=\"3.18\"><Program " + attributes
            + "><Phase length=\"30\" start=\"0\">1</Phase></Program></Controller>");
        QVERIFY2(program, qPrintable(controller.lastError()));
        QCOMPARE(program->kind, kind);
        // Written back, the kind is stated.
        const CnfProgramPtr again
            = controller.loadDynamicProgram(controller.createDynamicProgram(program));
        QVERIFY(again);
        QCOMPARE(again->kind, kind);
    }

    void programRawData_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("record") << QStringLiteral("tiverk") << QByteArray(64, '\x01') << true;
        QTest::newRow("shorter record")
            << QStringLiteral("tiverk") << QByteArray(63, '\x01') << true;
        QTest::newRow("too long") << QStringLiteral("adapter") << QByteArray(65, '\x01') << false;
        QTest::newRow("too short") << QStringLiteral("tiverk") << QByteArray(1, '\x01') << false;
        QTest::newRow("other family, long")
            << QStringLiteral("tiverkii") << QByteArray(300, '\x01') << true;
        QTest::newRow("kind not chosen")
            << QStringLiteral("tiverk") << QByteArray(64, '\xff') << true;
    }

    void programRawData()
    {
        QFETCH(QString, family);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        CnfController controller;
        controller.setProperty("type", family);
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("1");
        program->type = CnfProgram::Tiverk;
        QCOMPARE(controller.setProgramRawData(program, bytes), accepted);
        QCOMPARE(program->data(), accepted ? bytes : QByteArray());
        if (accepted)
            QCOMPARE(program->kind, quint8(bytes.at(1)) == 255 ? 0 : 1);
        else
            QVERIFY(!controller.lastError().isEmpty());
        QVERIFY(!controller.setProgramRawData(CnfProgramPtr(), bytes));
    }

    void matrixFlags()
    {
        CnfController controller;
        auto first = CnfMatrixPtr::create();
        first->setId(1);
        QVERIFY(controller.addMatrix(first, false, false));
        QVERIFY(!controller.conflictMatrix());
        QVERIFY(controller.addMatrix(first, true, true));
        QCOMPARE(controller.conflictMatrix(), first);
        // A new object of the same id takes the old one's place and roles.
        auto replacement = CnfMatrixPtr::create();
        replacement->setId(1);
        QVERIFY(controller.addMatrix(replacement, false, false));
        QCOMPARE(controller.matrixList(), QList<CnfMatrixPtr> { replacement });
        QCOMPARE(controller.defaultMatrix(), replacement);
        QCOMPARE(controller.safetyMatrix(), replacement);
        QVERIFY(controller.removeMatrix(1));
        QVERIFY(!controller.defaultMatrix());
        QVERIFY(!controller.safetyMatrix());
        QVERIFY(!controller.removeMatrix(1));
    }

    void listOperations()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        QVERIFY(!controller.findProgram(QString()));
        QVERIFY(!controller.findProgramByName(QString()));
        QVERIFY(!controller.findSG(99));
        auto dup = CnfSignalGroupPtr::create();
        dup->id = 1;
        QVERIFY(!controller.addSignalGroup(dup));
        QVERIFY(!controller.lastError().isEmpty());
        // Reordering needs exactly the stored elements.
        QList<CnfSignalGroupPtr> groups = controller.signalGroups();
        std::reverse(groups.begin(), groups.end());
        QVERIFY(controller.reorderSignalGroups(groups));
        QCOMPARE(controller.signalGroups().first()->id, 4);
        groups.removeLast();
        QVERIFY(!controller.reorderSignalGroups(groups));
        groups.append(groups.first());
        QVERIFY(!controller.reorderSignalGroups(groups));
        // Removing a device unassigns it.
        QCOMPARE(controller.findPowerDeviceSg(controller.findPowerDevice(2)), controller.findSG(2));
        QVERIFY(controller.removePowerDevice(1)); // by address
        QVERIFY(!controller.findPowerDevice(2));
        QVERIFY(controller.findSG(2)->devices.isEmpty());
        // Detectors and sensors have separate id spaces.
        QCOMPARE(controller.findDetector(1)->name(), QStringLiteral("Loop 1"));
        QCOMPARE(controller.findSensor(1)->name(), QStringLiteral("Button 1"));
        // addSensor marks an element made as a plain detector.
        QVERIFY(controller.findSensor(1)->isSensor());
        QVERIFY(!controller.findDetector(1)->isSensor());
        QVERIFY(controller.removeSensor(1));
        QVERIFY(controller.findDetector(1));
        // Removing a program clears the defaults that named it.
        QVERIFY(controller.removeProgram(QStringLiteral("1")));
        QVERIFY(!controller.defaultProgram());
        controller.clear();
        QVERIFY(controller.programs().isEmpty());
        QVERIFY(!controller.property("type").isValid());
    }

    void limits_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QList<int>>("limits");
        QTest::addColumn<int>("programType"); // of a new program
        QTest::newRow("tiverk") << QStringLiteral("tiverk")
                                << QList<int> { 64, 32, 32, 32, 16, 24, 32 }
                                << int(CnfProgram::Tiverk);
        QTest::newRow("adapter") << QStringLiteral("adapter")
                                 << QList<int> { 64, 32, 32, 32, 16, 24, 32 }
                                 << int(CnfProgram::Tiverk);
        QTest::newRow("tiverkii") << QStringLiteral("tiverkii")
                                  << QList<int> { 128, 255, 255, 64, 64, 48, 128 }
                                  << int(CnfProgram::FixedTime);
        QTest::newRow("ZU_MOLT") << QStringLiteral("ZU_MOLT")
                                 << QList<int> { 128, 255, 255, 64, 64, 48, 128 }
                                 << int(CnfProgram::FixedTime);
    }

    // What the family allows, and the type its new programs take.
    void limits()
    {
        QFETCH(QString, family);
        QFETCH(QList<int>, limits);
        QFETCH(int, programType);
        CnfController c;
        c.setProperty("type", family);
        const QList<int> actual { c.getMaxDeviceCount(),    c.getMaxProgramCount(),
                                  c.getMaxPhaseCount(),     c.getMaxSgCount(),
                                  c.getMaxDayCardCount(),   c.getMaxDayCardItems(),
                                  c.getMaxSpecialDayCount() };
        QCOMPARE(actual, limits);
        QCOMPARE(c.newProgramType(), programType);
    }

    void colorStateTexts_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("word"); // as timeline cells and their delegate have it
        QTest::addColumn<QString>("key"); // as stored files have it
        QTest::newRow("off") << int(CnfSignalGroup::Off) << "off"
                             << "off";
        QTest::newRow("red") << int(CnfSignalGroup::Red) << "red"
                             << "red";
        QTest::newRow("red-yellow") << int(CnfSignalGroup::RedYellow) << "red_amber"
                                    << "redYellow";
        QTest::newRow("green") << int(CnfSignalGroup::Green) << "green"
                               << "green";
        QTest::newRow("green blink") << int(CnfSignalGroup::GreenBlink) << "green_blink"
                                     << "greenBlink";
        QTest::newRow("yellow") << int(CnfSignalGroup::Yellow) << "amber"
                                << "yellow";
        QTest::newRow("yellow blink") << int(CnfSignalGroup::YellowBlink) << "amber_blink"
                                      << "yellowBlink";
        QTest::newRow("red blink") << int(CnfSignalGroup::RedBlink) << "red_blink"
                                   << "redBlink";
        QTest::newRow("unknown") << 99 << QString() << QString();
    }

    void colorStateTexts()
    {
        QFETCH(int, state);
        QFETCH(QString, word);
        QFETCH(QString, key);
        QCOMPARE(CnfSignalGroup::colorState2String(state), word);
        QCOMPARE(CnfSignalGroup::colorStateKey(state), key);
        const int expected = word.isEmpty() ? -1 : state;
        QCOMPARE(CnfSignalGroup::string2ColorState(word), expected);
        QCOMPARE(CnfSignalGroup::string2ColorState(key), expected);
        QCOMPARE(CnfSignalGroup::string2ColorState(word.toUpper()), expected);
    }

    void programTypeNames_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        // 0 is the type of ZU_MOLT plans of another algorithm, offered in the program list.
        QTest::newRow("other algorithm") << 0 << "Other algorithm";
        QTest::newRow("yellow flashing") << int(CnfProgram::YellowFlash) << "Yellow flashing";
        QTest::newRow("phase sequence") << int(CnfProgram::Sequence) << "Phase sequence";
        QTest::newRow("beyond the types") << 13 << "Unknown type 13";
        QTest::newRow("negative") << -1 << "Unknown type -1";
    }

    void programTypeNames()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QCOMPARE(CnfProgram::typeName(type, true), name);
        QCOMPARE(CnfProgram::typeName(type, false), name);
    }

    void timelinePointOfNoState()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("3"));
        const QMap<int, int> before = program->getTimelineData(controller.findSG(1));
        program->setTimelineData(controller.findSG(1), 45,
                                 CnfSignalGroup::string2ColorState(QStringLiteral("purple")));
        QCOMPARE(program->getTimelineData(controller.findSG(1)), before);
        for (int mode : { -1, 1 }) {
            CnfController copy;
            QVERIFY2(copy.load(controller.save(mode), true), qPrintable(copy.lastError()));
        }
    }

    void nativeDataAccessors()
    {
        CnfController c;
        c.setNativeData(QStringLiteral("countDownTable"),
                        QVariantList { QVariantMap { { QStringLiteral("sg"), 1 } } });
        QCOMPARE(c.getNativeData(QStringLiteral("countDownTable")).toList().size(), 1);
        QCOMPARE(c.getNativeData(QStringLiteral("absent"), 5), QVariant(5));
        c.nativeData()["notSet"] = 1;
        c.nativeData()["notSet"] = QVariant();
        QCOMPARE(c.getNativeData(QStringLiteral("notSet"), 6), QVariant(6));
        VObject root = c.nativeData();
        c.clearNativeData();
        root["after"] = 1; // the root handle survives clearing
        QCOMPARE(c.getNativeData(QStringLiteral("after")), QVariant(1));
        c.setNativeData(QStringLiteral("node"),
                        QVariant::fromValue(VObject(QVariantMap { { QStringLiteral("k"), 2 } })));
        QCOMPARE(c.nativeData()["node"]["k"].toInt(), 2);
    }

    void transitionsFromInterstates()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("2"));
        program->interstateVariant = 1;
        // Phase 1 runs groups 1 and 2, phase 2 runs 2 and 3: group 1 loses green,
        // group 3 gains it. Variant 1: AG1 1, GF 3, Y 3, AR 2, RY 2: green,
        // blinking included, ends at 1 + 3; green starts after 1 + 3 + 3 + 2 + 2.
        const CnfTransitionPtr transition = program->phaseDefAt(1)->createTransition();
        QVERIFY(transition);
        QCOMPARE(transition->greenEnd, (QMap<int, int> { { 1, 4 } }));
        QCOMPARE(transition->greenStart, (QMap<int, int> { { 3, 11 } }));
        QCOMPARE(program->phaseDefAt(1)->phaseInterstate(), 11);
        QCOMPARE(program->phaseDefAt(1)->fullLength(), 12 + 11);
        QCOMPARE(program->phaseDefAt(1)->previous(), program->phaseDefAt(0));
        QCOMPARE(program->phaseDefAt(0)->previous(), program->phaseDefAt(2));
        QCOMPARE(program->phaseDefAt(1)->findTransition()->greenStart.value(3), 6);
        QCOMPARE(program->phaseDefAt(0)->getSGState(1), int(CnfSignalGroup::Green));
        QCOMPARE(program->phaseDefAt(0)->getSGState(3), int(CnfSignalGroup::Red));
    }

    // The change into a step: green only before ends, green only now begins,
    // green in both or neither is kept; one step alone changes nothing.
    void greenChangeBetweenSteps()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("2"));
        // Phases 1, 2, 3 run groups {1, 2}, {2, 3}, {3, 4}.
        const CnfPhaseDefPtr second = program->phaseDefAt(1);
        QCOMPARE(second->greenChange(1), int(CnfPhaseDef::GreenEnds));
        QCOMPARE(second->greenChange(3), int(CnfPhaseDef::GreenBegins));
        QCOMPARE(second->greenChange(2), int(CnfPhaseDef::GreenKept));
        QCOMPARE(second->greenChange(4), int(CnfPhaseDef::GreenKept));
        const CnfPhaseDefPtr first = program->phaseDefAt(0); // after the last step
        QCOMPARE(first->greenChange(4), int(CnfPhaseDef::GreenEnds));
        QCOMPARE(first->greenChange(1), int(CnfPhaseDef::GreenBegins));

        auto single = CnfProgramPtr::create(&controller);
        single->id = QStringLiteral("9");
        const CnfPhaseDefPtr only
            = single->appendPhase(controller.findPhase(QStringLiteral("1")), 10);
        QCOMPARE(only->greenChange(1), int(CnfPhaseDef::GreenKept));
    }

    void programCloneKeepsIdentity()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("3"));
        // The members its file held as null go with the program and its steps.
        stored->setNullProperties({ QStringLiteral("a") });
        stored->phaseDefAt(0)->setNullProperties({ QStringLiteral("b") });
        auto edited = CnfProgramPtr::create();
        edited->clone(stored);
        QCOMPARE(edited->nullProperties(), QStringList { QStringLiteral("a") });
        QCOMPARE(edited->phaseDefAt(0)->nullProperties(), QStringList { QStringLiteral("b") });
        edited->setNullProperties({});
        edited->name = QStringLiteral("Edited");
        edited->appendPhase(controller.findPhase(QStringLiteral("1")), 5);
        QCOMPARE(stored->phaseCount(), 3);
        stored->clone(edited);
        QCOMPARE(controller.findProgram(QStringLiteral("3")), stored);
        QCOMPARE(stored->name, QStringLiteral("Edited"));
        QCOMPARE(stored->phaseCount(), 4);
        QCOMPARE(stored->phaseDefAt(3)->program(), stored.data());
        QCOMPARE(stored->property("pattern"), edited->property("pattern"));
        QVERIFY(stored->nullProperties().isEmpty());
        QCOMPARE(stored->phaseDefAt(0)->nullProperties(), QStringList { QStringLiteral("b") });
        stored->clear();
        QVERIFY(!stored->property("pattern").isValid());
        QCOMPARE(stored->phaseCount(), 0);
    }

    // An element given a new id takes along everything that names it by id,
    // in memory and through a save and a load; its old id then names nothing.
    void renamedElementsTakeTheirReferences_data()
    {
        QTest::addColumn<bool>("reload");
        QTest::newRow("after the rename") << false;
        QTest::newRow("after save and load") << true;
    }

    void renamedElementsTakeTheirReferences()
    {
        QFETCH(bool, reload);
        CnfController controller;
        CnfTestConfig::fill(controller);
        controller.setNativeData(QStringLiteral("vpu_phases"), QVariantList { "1", 2, 1, "3" });
        controller.setNativeData(QStringLiteral("vpu_programs"), QVariantList { "2", "1", "2" });
        // The ZU_MOLT panel record names them too.
        controller.setNativeData(
            QStringLiteral("remoteControlPanel"),
            QVariantMap {
                { QStringLiteral("VPU1"),
                  QVariantMap { { QStringLiteral("stageId"), QVariantList { 1, 3 } },
                                { QStringLiteral("programId"), QVariantList { "2", 1 } } } } });
        auto call = CnfProgramPtr::create(&controller);
        call->id = QStringLiteral("4");
        call->type = CnfProgram::Tiverk;
        controller.addProgram(call);
        // Kind 4 of 3.18: byte 5 is the call phase, by its id.
        QByteArray record(controller.programRecordSize(), char(255));
        record[0] = 4;
        record[1] = 4;
        record[5] = 1;
        QVERIFY(controller.setProgramRawData(call, record));

        QVERIFY(!controller.renamePhase(QStringLiteral("1"), QStringLiteral("2")));
        QVERIFY(!controller.renamePhase(QStringLiteral("1"), QString()));
        QVERIFY(!controller.renamePhase(QStringLiteral("8"), QStringLiteral("9")));
        QVERIFY(!controller.renameSignalGroup(1, 2));
        QVERIFY(!controller.renameProgram(QStringLiteral("2"), QStringLiteral("3")));
        QCOMPARE(controller.findPhase(QStringLiteral("1"))->id, QStringLiteral("1"));

        QVERIFY(controller.renamePhase(QStringLiteral("1"), QStringLiteral("12")));
        QVERIFY(controller.renameSignalGroup(1, 7));
        QVERIFY(controller.renameProgram(QStringLiteral("2"), QStringLiteral("20")));
        CnfController loaded;
        CnfController &c = reload ? loaded : controller;
        if (reload)
            QVERIFY2(loaded.load(controller.save(1), true), qPrintable(loaded.lastError()));

        QVERIFY(!c.findPhase(QStringLiteral("1")));
        QCOMPARE(c.findProgram(QStringLiteral("1"))->phaseDefAt(0)->id(), QStringLiteral("12"));
        const CnfPhasePtr second = c.findPhase(QStringLiteral("2"));
        QVERIFY(!second->findTransition(QStringLiteral("1")));
        const CnfTransitionPtr transition = second->findTransition(QStringLiteral("12"));
        QVERIFY(transition);
        QCOMPARE(transition->greenEnd, (QMap<int, int> { { 7, 3 } }));
        QCOMPARE(transition->greenStart, (QMap<int, int> { { 3, 6 } }));
        QCOMPARE(c.getNativeData(QStringLiteral("vpu_phases")).toList(),
                 (QVariantList { "12", 2, 12, "3" }));
        QCOMPARE(quint8(c.findProgram(QStringLiteral("4"))->data().at(5)), 12);
        QCOMPARE(c.programsNamingPhase(QStringLiteral("12")), QStringList({ "4" }));
        QVERIFY(c.programsNamingPhase(QStringLiteral("1")).isEmpty());

        const CnfMatrixPtr conflicts = c.findMatrix(1);
        QCOMPARE(conflicts->releaf(7, 3), 1.0);
        QCOMPARE(conflicts->releaf(3, 7), 1.0);
        QVERIFY(std::isnan(conflicts->releaf(1, 3)));
        QCOMPARE(c.findMatrix(2)->releaf(7, 4), 4.25);
        QCOMPARE(c.findPhase(QStringLiteral("12"))->signalGroups.first(), c.findSG(7));
        const CnfProgramPtr timeline = c.findProgram(QStringLiteral("3"));
        // The renamed group keeps its place before group 2.
        QCOMPARE(timeline->timelineGroups(), QList<int>({ 7, 2 }));
        QCOMPARE(timeline->getTimelineData(7).value(30), int(CnfSignalGroup::Yellow));

        QCOMPARE(c.getNativeData(QStringLiteral("vpu_programs")).toList(),
                 (QVariantList { "20", "1", "20" }));
        const VObject panel = c.nativeData()[QStringLiteral("remoteControlPanel")]["VPU1"];
        QCOMPARE(panel["stageId"].toVariant().toList(), (QVariantList { 12, 3 }));
        QCOMPARE(panel["programId"].toVariant().toList(), (QVariantList { "20", 1 }));
        QVERIFY(c.findProgram(QStringLiteral("20")));
        QVERIFY(!c.findProgram(QStringLiteral("2")));
    }

    // A removed phase or signal group leaves no value that the next element
    // given its id would take over: transitions from the phase, the group's
    // matrix values, transition times and timeline go with it.
    void removedElementsLeaveNoValuesForTheirIds()
    {
        CnfController controller;
        CnfTestConfig::fill(controller);
        QVERIFY(controller.removeSignalGroup(1));
        const CnfTransitionPtr transition
            = controller.findPhase(QStringLiteral("2"))->findTransition(QStringLiteral("1"));
        QVERIFY(transition->greenEnd.isEmpty());
        QCOMPARE(transition->greenStart, (QMap<int, int> { { 3, 6 } }));
        QVERIFY(controller.findMatrix(1)->isEmpty());
        QVERIFY(controller.findMatrix(2)->isEmpty());
        QCOMPARE(controller.findProgram(QStringLiteral("3"))->timelineGroups(), QList<int>({ 2 }));

        QVERIFY(controller.removePhase(QStringLiteral("1")));
        auto phase = CnfPhasePtr::create();
        phase->id = QStringLiteral("1");
        QVERIFY(controller.addPhase(phase));
        QVERIFY(!controller.findPhase(QStringLiteral("2"))->findTransition(QStringLiteral("1")));
    }
};

PROJECT_TEST(TestCnfController);
#include "tst_cnfcontroller.moc"
