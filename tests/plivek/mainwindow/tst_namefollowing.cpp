#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "nativejson.h"
#include "plivek/document/project.h"
#include "plivek/mainwindow/namefollowing.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QtTest>

Q_DECLARE_METATYPE(CnfReferences::Kind)

namespace {

// A TIVERK II controller with elements 1 and 2 of the kind (detectors, or
// sensors with `sensors`) named `first` and `second`, the native "modules"
// and program 5 with the crosswalks.
void fill(CnfController &controller, bool sensors, const QString &first, const QString &second,
          const QByteArray &modules, const QByteArray &crosswalks = "[]")
{
    CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
    for (int id : { 1, 2 }) {
        auto element = CnfDetectorPtr::create();
        element->setSensor(sensors);
        element->setId(id);
        element->setName(id == 1 ? first : second);
        if (sensors)
            controller.addSensor(element);
        else
            controller.addDetector(element);
    }
    controller.setNativeData(QStringLiteral("modules"), NativeJson::value(modules));
    auto program = CnfProgramPtr::create(&controller);
    program->id = QStringLiteral("5");
    program->setProperty("crosswalks", NativeJson::value(crosswalks));
    controller.addProgram(program);
}

} // namespace

// A new name of an element and the places naming it by its name: the lines
// of the message table, and the question when another element of the kind
// has the old name too (the places name it as well).
class TestNameFollowing : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { WindowTesting::actAsPlivek(dir); }

    void follow_data()
    {
        QTest::addColumn<bool>("twin"); // detector 2 is also named "Loop"
        QTest::addColumn<QString>("question");
        QTest::newRow("the only one of the name") << false << QString();
        QTest::newRow("a twin of the old name")
            << true
            << "These places name detector 1 by its name \"Loop\":\nChannel 1 of Priority\n"
               "Program 5\nDetector 2 has the name \"Loop\" too: they name it as well.\n"
               "Should they follow detector 1 to its new name \"Loop X\"?";
    }

    void follow()
    {
        QFETCH(bool, twin);
        QFETCH(QString, question);
        CnfController controller;
        fill(controller, false, QStringLiteral("Loop"),
             twin ? QStringLiteral("Loop") : QStringLiteral("Other"),
             "{'Priority': {'channels': [{'detector': 'Loop'}, {'detector': 1}]}, 'Signal': "
             "{'channels': [{'sensor': 'Loop'}]}}",
             "[{'detectors': ['Loop', 1]}]");
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("5"));
        // The dialog has given detector 1 its new name.
        controller.findDetector(1)->setName(QStringLiteral("Loop X"));

        const NameFollowing following(
            controller,
            { CnfReferences::Kind::Detector, QStringLiteral("1"), QStringLiteral("Loop") },
            QStringLiteral("Loop X"));
        QCOMPARE(following.question(), question);
        QCOMPARE(following.follow(controller),
                 QStringList({ "Channel 1 of Priority follows detector 1 to its new name \"Loop "
                               "X\" (it was \"Loop\")",
                               "Program 5 follows detector 1 to its new name \"Loop X\" (it was "
                               "\"Loop\")" }));
        QCOMPARE(NativeJson::text(controller.nativeData()[QStringLiteral("modules")].toVariant()),
                 NativeJson::text(NativeJson::value(
                     "{'Priority': {'channels': [{'detector': 'Loop X'}, {'detector': 1}]}, "
                     "'Signal': {'channels': [{'sensor': 'Loop'}]}}")));
        QCOMPARE(NativeJson::text(program->property("crosswalks")),
                 NativeJson::text(NativeJson::value("[{'detectors': ['Loop X', 1]}]")));
    }

    // A channel reads a text as an id too: a text that is one element's name
    // and another's id names both, so a new name asks first, as for a name
    // that two elements share.
    void textThatIsAnId_data()
    {
        QTest::addColumn<CnfReferences::Kind>("kind");
        QTest::addColumn<QString>("channel"); // DIO2's channel names the element by this text
        QTest::addColumn<QString>("oldName"); // element 2's name
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("question");
        const auto question = [](const char *element, const char *oldName, const char *newName,
                                 const char *line, const char *no = "") {
            return QStringLiteral("These places name %1 2 by its name \"%2\":\nChannel 1 of "
                                  "DIO2\n%3\nShould they follow %1 2 to its new name \"%4\"?%5")
                .arg(QLatin1String(element), QLatin1String(oldName), QLatin1String(line),
                     QLatin1String(newName), QLatin1String(no));
        };
        QTest::newRow("detector: the old name is an id")
            << CnfReferences::Kind::Detector << "1"
            << "1"
            << "Loop X"
            << question("detector", "1", "Loop X",
                        "Detector 1 has the id \"1\": they name it as well.");
        QTest::newRow("sensor: the old name is an id")
            << CnfReferences::Kind::Sensor << "1"
            << "1"
            << "Button X"
            << question("sensor", "1", "Button X",
                        "Sensor 1 has the id \"1\": they name it as well.");
        QTest::newRow("detector: the new name is an id")
            << CnfReferences::Kind::Detector << "Loop"
            << "Loop"
            << "1"
            << question("detector", "Loop", "1",
                        "Detector 1 has the id \"1\": with it they would name both.",
                        "\nNo: they keep \"Loop\", which then names no element.");
        QTest::newRow("detector: a name that is no id") << CnfReferences::Kind::Detector << "Loop"
                                                        << "Loop"
                                                        << "Loop X" << QString();
    }

    void textThatIsAnId()
    {
        QFETCH(CnfReferences::Kind, kind);
        QFETCH(QString, channel);
        QFETCH(QString, oldName);
        QFETCH(QString, newName);
        QFETCH(QString, question);
        const bool sensor = kind == CnfReferences::Kind::Sensor;
        const QString key = sensor ? QStringLiteral("sensor") : QStringLiteral("detector");
        CnfController controller;
        fill(controller, sensor, QStringLiteral("First"), oldName,
             QStringLiteral("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 1, "
                            "'%1': '%2'}]}}}}")
                 .arg(key, channel)
                 .toUtf8());
        const NameFollowing following(controller, { kind, QStringLiteral("2"), oldName }, newName);
        QCOMPARE(following.places().size(), 1);
        QCOMPARE(following.question(), question);
    }

    // How the question and the lines word what they name: a channel by its
    // number (its place in the list where it has none), what No leaves
    // naming no element, and a name with a character that shows nothing as
    // its escape sequence.
    void wording_data()
    {
        QTest::addColumn<QString>("oldName"); // detector 1's
        QTest::addColumn<QString>("otherName"); // detector 2's
        QTest::addColumn<QByteArray>("modules");
        QTest::addColumn<QByteArray>("crosswalks"); // program 5's
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("lines");
        const auto line = [](const char *place, const QString &newName, const char *oldName) {
            return QStringLiteral("%1 follows detector 1 to its new name \"%2\" (it was \"%3\")")
                .arg(QLatin1String(place), newName, QLatin1String(oldName));
        };
        QTest::newRow("two channels of one board, and Priority's by its place")
            << "Loop"
            << "Other"
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 1, "
                          "'detector': 'Loop'}, {'channel': 3, 'detector': 'Loop'}]}}}, "
                          "'Priority': {'channels': [{'sensor': 'Loop'}, {'detector': 'Loop'}]}}")
            << QByteArray("[]") << "2"
            << "These places name detector 1 by its name \"Loop\":\nChannel 1 of DIO2\n"
               "Channel 3 of DIO2\nChannel 2 of Priority\nDetector 2 has the id \"2\": with it "
               "they would name both.\nShould they follow detector 1 to its new name \"2\"?\n"
               "No: they keep \"Loop\", which then names no element."
            << QStringList { line("Channel 1 of DIO2", "2", "Loop"),
                             line("Channel 3 of DIO2", "2", "Loop"),
                             line("Channel 2 of Priority", "2", "Loop") };
        // Keeping the old name "2", the channel names detector 2 by its id;
        // the crosswalk reads a text as a name only, and names nothing.
        QTest::newRow("No leaves some naming no element")
            << "2"
            << "Other"
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 4, "
                          "'detector': '2'}]}}}}")
            << QByteArray("[{'detectors': ['2']}]") << "Loop"
            << "These places name detector 1 by its name \"2\":\nChannel 4 of DIO2\n"
               "Program 5\nDetector 2 has the id \"2\": they name it as well.\n"
               "Should they follow detector 1 to its new name \"Loop\"?\nNo: they keep \"2\", "
               "and these then name no element:\nProgram 5"
            << QStringList { line("Channel 4 of DIO2", "Loop", "2"),
                             line("Program 5", "Loop", "2") };
        QTest::newRow("No leaves them naming the other of the name")
            << "Loop"
            << "Loop"
            << QByteArray("{'SystemBus': {'devices': {'DIO2': {'channels': [{'channel': 4, "
                          "'detector': 'Loop'}]}}}}")
            << QByteArray("[]") << "Loop X"
            << "These places name detector 1 by its name \"Loop\":\nChannel 4 of DIO2\n"
               "Detector 2 has the name \"Loop\" too: they name it as well.\nShould they "
               "follow detector 1 to its new name \"Loop X\"?"
            << QStringList { line("Channel 4 of DIO2", "Loop X", "Loop") };
        QTest::newRow("a tab and a bell in the new name")
            << "Loop"
            << "Loop" << QByteArray("{'Priority': {'channels': [{'detector': 'Loop'}]}}")
            << QByteArray("[]") << "Loop\tX\a"
            << "These places name detector 1 by its name \"Loop\":\nChannel 1 of Priority\n"
               "Detector 2 has the name \"Loop\" too: they name it as well.\nShould they "
               "follow detector 1 to its new name \"Loop\\u0009X\\u0007\"?"
            << QStringList { line("Channel 1 of Priority", "Loop\\u0009X\\u0007", "Loop") };
    }

    void wording()
    {
        QFETCH(QString, oldName);
        QFETCH(QString, otherName);
        QFETCH(QByteArray, modules);
        QFETCH(QByteArray, crosswalks);
        QFETCH(QString, newName);
        QFETCH(QString, question);
        QFETCH(QStringList, lines);
        CnfController controller;
        fill(controller, false, newName, otherName, modules, crosswalks);

        // The dialog has given detector 1 its new name.
        const NameFollowing following(
            controller, { CnfReferences::Kind::Detector, QStringLiteral("1"), oldName }, newName);
        QCOMPARE(following.question(), question);
        QCOMPARE(following.follow(controller), lines);
    }

    // Every place that names an element by its name in the fixtures (which
    // fill every place of their family): a new name gives each place one line
    // of the message table, which names the place and its owner.
    void everyPlaceGetsItsLine_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("places"); // how the lines name the places, as found
        QTest::newRow("TIVERK II")
            << "tiverkii_filled.json"
            << QStringList { "program 36: Indication row 3", "signal group 62: Program 35",
                             "signal group 64: Program 35",  "detector 72: Sensor 84",
                             "detector 74: Program 35",      "sensor 83: Channel 1 of Priority",
                             "sensor 83: Program 35" };
        // The ZU_MOLT fixture with its channel, detector records and board naming by name.
        QTest::newRow("ZU_MOLT") << "zumolt_names.json"
                                 << QStringList { "phase 52: The remote control panel",
                                                  "signal group 61: Countdown board 1",
                                                  "detector 71: Channel 1 of DIO1",
                                                  "detector 71: Program 14",
                                                  "detector 72: Program 14" };
    }

    void everyPlaceGetsItsLine()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, places);
        const QString path = TestSupport::dataPath(QStringLiteral("references/") + fixture);
        Project project;
        QVERIFY2(project.load(path), qPrintable(project.lastError()));
        QList<CnfReferences::Element> elements;
        const CnfController &controller = project.controller();
        using Kind = CnfReferences::Kind;
        for (const CnfPhasePtr &phase : controller.phases())
            elements.append({ Kind::Phase, phase->id, phase->name });
        for (const CnfProgramPtr &program : controller.programs())
            elements.append({ Kind::Program, program->id, program->name });
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            elements.append({ Kind::SignalGroup, QString::number(group->id), group->name });
        for (const CnfDetectorPtr &detector : controller.detectorsList())
            elements.append(CnfReferences::of(*detector));
        for (const CnfDetectorPtr &sensor : controller.sensorsList())
            elements.append(CnfReferences::of(*sensor));
        const VObject outputs = controller.nativeData()[QStringLiteral("outputs")];
        for (int i = 0; i < outputs.size(); ++i)
            elements.append({ Kind::Output, outputs[i][QStringLiteral("id")].toString(),
                              outputs[i][QStringLiteral("name")].toString() });
        QStringList found;
        for (const CnfReferences::Element &element : qAsConst(elements)) {
            // Each element on a fresh copy, so that no follow moves another's places.
            Project fresh;
            QVERIFY(fresh.load(path));
            const QString newName = element.name + QStringLiteral(" X");
            const NameFollowing following(fresh.controller(), element, newName);
            const QStringList lines = following.follow(fresh.controller());
            QCOMPARE(lines.size(), following.places().size());
            for (int i = 0; i < lines.size(); ++i) {
                const CnfReferences::Place &place = following.places().at(i);
                const QString text = NameFollowing::placeText(place);
                QVERIFY2(lines.at(i).startsWith(text + QStringLiteral(" follows ")),
                         qPrintable(lines.at(i)));
                QVERIFY2(!text.startsWith(QStringLiteral("A place")), qPrintable(lines.at(i)));
                // An owner that is the element itself (a countdown board's group) is
                // named by the line already.
                QVERIFY2(place.owner.isEmpty() || place.owner == element.id
                             || text.contains(place.owner),
                         qPrintable(lines.at(i)));
                found << QStringLiteral("%1: %2").arg(NameFollowing::elementText(element), text);
            }
        }
        QCOMPARE(found, places);
    }
};

PROJECT_TEST(TestNameFollowing);
#include "tst_namefollowing.moc"
