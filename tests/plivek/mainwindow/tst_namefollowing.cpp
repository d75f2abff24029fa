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
            << "These places name detector 1 by its name \"Loop\":\nA channel of Priority\n"
               "Program 5\nDetector 2 has the name \"Loop\" too: they name it as well.\n"
               "Should they follow detector 1 to its new name \"Loop X\"?";
    }

    void follow()
    {
        QFETCH(bool, twin);
        QFETCH(QString, question);
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        for (int id : { 1, 2 }) {
            auto detector = CnfDetectorPtr::create();
            detector->setId(id);
            detector->setName(id == 1 || twin ? QStringLiteral("Loop") : QStringLiteral("Other"));
            controller.addDetector(detector);
        }
        controller.setNativeData(
            QStringLiteral("modules"),
            NativeJson::value("{'Priority': {'channels': [{'detector': 'Loop'}, {'detector': "
                              "1}]}, 'Signal': {'channels': [{'sensor': 'Loop'}]}}"));
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("5");
        program->setProperty("crosswalks", NativeJson::value("[{'detectors': ['Loop', 1]}]"));
        controller.addProgram(program);
        // The dialog has given detector 1 its new name.
        controller.findDetector(1)->setName(QStringLiteral("Loop X"));

        const NameFollowing following(
            controller,
            { CnfReferences::Kind::Detector, QStringLiteral("1"), QStringLiteral("Loop") },
            QStringLiteral("Loop X"));
        QCOMPARE(following.question(), question);
        QCOMPARE(following.follow(controller),
                 QStringList({ "A channel of Priority follows detector 1 to its new name \"Loop "
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
        const auto question
            = [](const char *element, const char *oldName, const char *newName, const char *line) {
                  return QStringLiteral("These places name %1 2 by its name \"%2\":\nA channel of "
                                        "DIO2\n%3\nShould they follow %1 2 to its new name \"%4\"?")
                      .arg(QLatin1String(element), QLatin1String(oldName), QLatin1String(line),
                           QLatin1String(newName));
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
                        "Detector 1 has the id \"1\": with it they would name both.");
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
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverkii"), QString());
        for (int id : { 1, 2 }) {
            auto element = CnfDetectorPtr::create();
            element->setSensor(sensor);
            element->setId(id);
            element->setName(id == 2 ? oldName : QStringLiteral("First"));
            if (sensor)
                controller.addSensor(element);
            else
                controller.addDetector(element);
        }
        const QString key = sensor ? QStringLiteral("sensor") : QStringLiteral("detector");
        controller.setNativeData(
            QStringLiteral("modules"),
            NativeJson::value(QStringLiteral("{'SystemBus': {'devices': {'DIO2': {'channels': "
                                             "[{'channel': 1, '%1': '%2'}]}}}}")
                                  .arg(key, channel)
                                  .toUtf8()));
        const NameFollowing following(controller, { kind, QStringLiteral("2"), oldName }, newName);
        QCOMPARE(following.places().size(), 1);
        QCOMPARE(following.question(), question);
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
                             "detector 74: Program 35",      "sensor 83: A channel of Priority",
                             "sensor 83: Program 35" };
        // The ZU_MOLT fixture with its channel, detector records and board naming by name.
        QTest::newRow("ZU_MOLT") << "zumolt_names.json"
                                 << QStringList { "phase 52: The remote control panel",
                                                  "signal group 61: Countdown board 1",
                                                  "detector 71: A channel of DIO1",
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
