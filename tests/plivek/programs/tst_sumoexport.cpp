#include "plivek/programs/programdiagram.h"
#include "plivek/programs/signalplans.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "halm58a/sumowriter.h"

#include "sumosample.h"
#include "testdata.h"
#include "testmain.h"

#include <QDir>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

using namespace SumoSample;

namespace {

// SUMO's letter for a colour of the program diagram. The green blinking of a group
// without a yellow ends its green: SUMO shows it as yellow.
QChar letter(int state, bool hasYellow)
{
    switch (state) {
    case CnfSignalGroup::Green:
        return QLatin1Char('G');
    case CnfSignalGroup::GreenBlink:
        return QLatin1Char(hasYellow ? 'G' : 'y');
    case CnfSignalGroup::Yellow:
        return QLatin1Char('y');
    case CnfSignalGroup::RedYellow:
        return QLatin1Char('u');
    case CnfSignalGroup::Red:
        return QLatin1Char('r');
    default:
        return QLatin1Char('?');
    }
}

} // namespace

class TestSumoExport : public QObject
{
    Q_OBJECT
private slots:
    // Fixed-time programs of every family become plans, in the program's own time (the
    // diagram's seconds); other programs give the reason.
    void plansOfTheControllersPrograms_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("steps");
        QTest::addColumn<QString>("error");
        QTest::newRow("local fixed time") << int(CnfProgram::Tiverk) << 1 << true << "";
        QTest::newRow("coordinated fixed time") << int(CnfProgram::Tiverk) << 2 << true << "";
        QTest::newRow("fixed-time stages") << int(CnfProgram::FixedTime) << 0 << true << "";
        QTest::newRow("coordinated stages") << int(CnfProgram::Coordinated) << 0 << true << "";
        QTest::newRow("vehicle actuated") << int(CnfProgram::Tiverk) << 3 << true
                                          << "\"Vehicle actuated\" is not a fixed-time program";
        QTest::newRow("timeline") << int(CnfProgram::Timeline) << 0 << true
                                  << "\"Timeline\" is not a fixed-time program";
        QTest::newRow("no steps") << int(CnfProgram::FixedTime) << 0 << false << "it has no steps";
    }

    void plansOfTheControllersPrograms()
    {
        QFETCH(int, type);
        QFETCH(int, kind);
        QFETCH(bool, steps);
        QFETCH(QString, error);
        CnfController controller;
        for (int id = 1; id <= 3; ++id) {
            auto group = CnfSignalGroupPtr::create();
            group->id = id;
            group->setInterstate(1, QByteArray("\x00\x03\x03\x02\x02\x00", 6));
            controller.addSignalGroup(group);
        }
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("4");
        program->type = type;
        program->kind = kind;
        program->setCycleOffset(10);
        for (int id = 1; id <= 2 && steps; ++id) {
            auto phase = CnfPhasePtr::create();
            phase->id = QString::number(id);
            phase->signalGroups.append(controller.findSG(id));
            controller.addPhase(phase);
            program->appendPhase(phase, 20);
        }
        controller.addProgram(program);

        controller.setProperty("number", 5);
        QVERIFY(signalPlansOf(controller, 6).isEmpty());
        const QList<Halm58a::SignalPlan> plans = signalPlansOf(controller, 5);
        QCOMPARE(plans.size(), 1);
        const Halm58a::SignalPlan &plan = plans.first();
        QCOMPARE(plan.id, QStringLiteral("4"));
        QCOMPARE(plan.error, error);
        if (!error.isEmpty()) {
            QVERIFY(plan.colours.isEmpty());
            return;
        }
        QCOMPARE(plan.offset, 10);
        QCOMPARE(plan.cycle, program->cycle(true));
        const QMap<int, QVector<int>> drawn = ProgramDiagram().secondStates(*program, &controller);
        for (int id : { 1, 2 }) {
            const QString letters = Halm58a::SumoWriter::stateLetters(plan.colours.value(id));
            QCOMPARE(letters.size(), plan.cycle);
            for (int second = 0; second < plan.cycle; ++second)
                QCOMPARE(letters.at(second), letter(drawn.value(id).at(second), true));
        }
        // A group that no step runs stays red.
        QCOMPARE(plan.colours.value(3),
                 QVector<Halm58a::SignalPlan::Colour>(plan.cycle, Halm58a::SignalPlan::Red));
    }

    // The five files hang together: every edge between written nodes, every
    // connection between written lanes, the program file's links each a connection
    // with the link indices 0..n-1 each once, and every phase a state per link, the
    // phases of a program filling its cycle. The notes name the program that cannot be
    // written and every link left without a signal group.
    void sampleExportIsWhole_data()
    {
        QTest::addColumn<int>("deletedGroup");
        QTest::addColumn<int>("clearedGroup");
        QTest::addColumn<QStringList>("unsignalled");
        QTest::newRow("sample") << 0 << 0 << QStringList();
        const QString note = QStringLiteral("Connection %1 (SUMO link %2) has no signal group: in "
                                            "the SUMO export it is red (r) in every phase and "
                                            "never gets green");
        // Group 1 drives the north's through and right turn; its left turn has an arrow.
        QTest::newRow("group 1 deleted")
            << 1 << 0 << QStringList({ note.arg(50).arg(0), note.arg(51).arg(1) });
        QTest::newRow("group 2 deleted")
            << 2 << 0
            << QStringList({ note.arg(53).arg(3), note.arg(54).arg(4), note.arg(55).arg(5) });
        QTest::newRow("group 3 deleted")
            << 3 << 0
            << QStringList({ note.arg(56).arg(6), note.arg(57).arg(7), note.arg(58).arg(8) });
        const QStringList west { note.arg(59).arg(9), note.arg(60).arg(10), note.arg(61).arg(11) };
        QTest::newRow("group 4 deleted") << 4 << 0 << west;
        QTest::newRow("group 4 cleared") << 0 << 4 << west;
    }

    void sampleExportIsWhole()
    {
        QFETCH(int, deletedGroup);
        QFETCH(int, clearedGroup);
        QFETCH(QStringList, unsignalled);
        SampleExport sample(deletedGroup, clearedGroup);
        QVERIFY2(sample.error.isEmpty(), qPrintable(sample.error));

        QSet<QString> nodes;
        for (const auto &e : elements(sample.file(".nod.xml"))) {
            if (e.first == QLatin1String("node"))
                nodes.insert(attribute(e.second, "id"));
        }
        QHash<QString, int> lanes;
        for (const auto &e : elements(sample.file(".edg.xml"))) {
            if (e.first != QLatin1String("edge"))
                continue;
            QVERIFY2(nodes.contains(attribute(e.second, "from")),
                     qPrintable(attribute(e.second, "id")));
            QVERIFY2(nodes.contains(attribute(e.second, "to")),
                     qPrintable(attribute(e.second, "id")));
            lanes.insert(attribute(e.second, "id"), attribute(e.second, "numLanes").toInt());
        }
        QCOMPARE(lanes.size(), 8);
        QSet<QString> connections;
        for (const auto &e : elements(sample.file(".con.xml"))) {
            if (e.first != QLatin1String("connection") || attribute(e.second, "to").isEmpty())
                continue;
            QVERIFY(attribute(e.second, "fromLane").toInt()
                    < lanes.value(attribute(e.second, "from")));
            QVERIFY(attribute(e.second, "toLane").toInt() < lanes.value(attribute(e.second, "to")));
            connections.insert(linkKey(e.second));
        }
        QVector<int> indices;
        int movements = 0;
        for (const auto &e : elements(sample.file(".tll.xml"))) {
            if (e.first != QLatin1String("connection"))
                continue;
            ++movements;
            QVERIFY2(connections.contains(linkKey(e.second)), qPrintable(linkKey(e.second)));
            QCOMPARE(attribute(e.second, "tl"), sample.base);
            indices.append(attribute(e.second, "linkIndex").toInt());
        }
        QCOMPARE(movements, 12);
        QCOMPARE(connections.size(), movements);
        std::sort(indices.begin(), indices.end());
        for (int i = 0; i < indices.size(); ++i)
            QCOMPARE(indices.at(i), i);
        QCOMPARE(sample.links().size(), movements);

        QStringList programs;
        int sum = 0;
        QString programId;
        auto closeProgram = [&]() {
            if (!programId.isEmpty())
                QCOMPARE(sum, sample.controller.findProgram(programId)->cycle(true));
        };
        for (const auto &e : elements(sample.file(".tll.xml"))) {
            if (e.first == QLatin1String("tlLogic")) {
                closeProgram();
                programId = attribute(e.second, "programID");
                programs.append(programId);
                QCOMPARE(attribute(e.second, "offset").toInt(),
                         sample.controller.findProgram(programId)->cycleOffset(0));
                sum = 0;
            } else if (e.first == QLatin1String("phase")) {
                QCOMPARE(attribute(e.second, "state").size(), movements);
                sum += attribute(e.second, "duration").toInt();
            }
        }
        closeProgram();
        // The night program flashes yellow: it has no phases to write, and says so.
        QCOMPARE(programs, QStringList({ QStringLiteral("1"), QStringLiteral("2") }));
        QCOMPARE(sample.notes.size(), 1 + unsignalled.size());
        QVERIFY2(sample.notes.first().startsWith(QLatin1String("Program 3 ")),
                 qPrintable(sample.notes.first()));
        QCOMPARE(sample.notes.mid(1), unsignalled);
    }

    // The light of every link in every phase of the sample's programs. Links 0-2 come
    // from the north (through, right, left), 3-5 from the south, 6-8 from the east and
    // 9-11 from the west. A left turn that is green or yellow with the through traffic
    // opposite yields (g, y); a left turn whose opposite is red, and through and right-turn
    // traffic, go first (G, and Y in their yellow, so that a through car still in the
    // junction keeps its right of way over the left turners opposite). Both programs step through
    // the same states, in this order around the cycle; each starts at its own and gives each its
    // own length. The links of a deleted group, or of a group whose connections were cleared,
    // are red all the cycle (r); the left turn opposite, no longer opposed by a passing through
    // movement, goes first, and states that no longer differ become one phase; a deleted
    // group's red-yellow leaves the cycle, as in the program diagram.
    void linkStatesOfTheSamplesPhases_data()
    {
        QTest::addColumn<int>("deletedGroup");
        QTest::addColumn<int>("clearedGroup");
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("first");
        QTest::addColumn<QList<int>>("durations");
        QTest::addColumn<QStringList>("states");
        const QStringList signalled {
            "rrrrrrrrrrrr", // all red
            "uuGrrrrrrrrr", // the north prepares; its left arrow (no red-yellow) goes first
            "GGGrrrrrrrrr", // the north with its arrow
            "GGYrrrrrrrrr", // the arrow blinks: no yellow follows, so its blinking is one
            "GGrrrrrrrrrr", // the north alone
            "GGruuurrrrrr", // the south prepares
            "GGrGGgrrrrrr", // north and south; the south left turn yields
            "YYrYYyrrrrrr", // north and south end together: no left turner is caught
            "rrrrrrrrrrrr", // all red
            "rrrrrruuuuuu", // east and west prepare
            "rrrrrrGGgGGg", // east and west; both left turns yield
            "rrrrrrYYyYYy", // east and west end; the left turns still yield
        };
        const QList<int> one { 7, 2, 8, 3, 2, 2, 38, 3, 2, 2, 23, 3, 12 };
        const QList<int> two { 3, 3, 2, 2, 12, 3, 2, 2, 53, 3, 2, 2, 25 };
        QTest::newRow("program 1") << 0 << 0 << "1" << 0 << one << signalled;
        QTest::newRow("program 2") << 0 << 0 << "2" << 10 << two << signalled;
        // Without group 1 only the north's left arrow shows, the north's red-yellow leaves the
        // cycle (the arrow has none), and the south left turn goes first. The coordinated
        // program 2 keeps its cycle: the step after the shorter change runs longer.
        const QStringList withoutTheNorth {
            "rrrrrrrrrrrr", "rrGrrrrrrrrr", "rrYrrrrrrrrr", "rrrrrrrrrrrr",
            "rrruuurrrrrr", "rrrGGGrrrrrr", "rrrYYYrrrrrr", "rrrrrrrrrrrr",
            "rrrrrruuuuuu", "rrrrrrGGgGGg", "rrrrrrYYyYYy",
        };
        QTest::newRow("program 1, group 1 deleted")
            << 1 << 0 << "1" << 0 << QList<int> { 7, 8, 3, 2, 2, 38, 3, 2, 2, 23, 3, 12 }
            << withoutTheNorth;
        QTest::newRow("program 2, group 1 deleted")
            << 1 << 0 << "2" << 9 << QList<int> { 3, 3, 2, 14, 3, 2, 2, 53, 3, 2, 2, 25 }
            << withoutTheNorth;
        // Without group 2 the north runs on alone through the south's green, and the south's
        // red-yellow leaves the cycle.
        const QStringList withoutTheSouth {
            "rrrrrrrrrrrr", "uuGrrrrrrrrr", "GGGrrrrrrrrr", "GGYrrrrrrrrr", "GGrrrrrrrrrr",
            "YYrrrrrrrrrr", "rrrrrrrrrrrr", "rrrrrruuuuuu", "rrrrrrGGgGGg", "rrrrrrYYyYYy",
        };
        QTest::newRow("program 1, group 2 deleted")
            << 2 << 0 << "1" << 0 << QList<int> { 7, 2, 8, 3, 40, 3, 2, 2, 23, 3, 12 }
            << withoutTheSouth;
        QTest::newRow("program 2, group 2 deleted")
            << 2 << 0 << "2" << 8 << QList<int> { 3, 3, 2, 2, 12, 3, 57, 3, 2, 2, 25 }
            << withoutTheSouth;
        // Without group 3 (the east) or 4 (the west) only the states of east and west change.
        const QStringList withoutTheEast
            = signalled.mid(0, 9) + QStringList { "rrrrrrrrruuu", "rrrrrrrrrGGG", "rrrrrrrrrYYY" };
        QTest::newRow("program 1, group 3 deleted") << 3 << 0 << "1" << 0 << one << withoutTheEast;
        QTest::newRow("program 2, group 3 deleted") << 3 << 0 << "2" << 10 << two << withoutTheEast;
        // Group 4's connections cleared: the group still runs in the programs, but drives no
        // link, as though it were deleted.
        const QStringList withoutTheWest
            = signalled.mid(0, 9) + QStringList { "rrrrrruuurrr", "rrrrrrGGGrrr", "rrrrrrYYYrrr" };
        QTest::newRow("program 1, group 4 deleted") << 4 << 0 << "1" << 0 << one << withoutTheWest;
        QTest::newRow("program 2, group 4 deleted") << 4 << 0 << "2" << 10 << two << withoutTheWest;
        QTest::newRow("program 1, group 4 cleared") << 0 << 4 << "1" << 0 << one << withoutTheWest;
        QTest::newRow("program 2, group 4 cleared") << 0 << 4 << "2" << 10 << two << withoutTheWest;
    }

    void linkStatesOfTheSamplesPhases()
    {
        QFETCH(int, deletedGroup);
        QFETCH(int, clearedGroup);
        QFETCH(QString, program);
        QFETCH(int, first);
        QFETCH(QList<int>, durations);
        QFETCH(QStringList, states);
        QStringList phases;
        for (int i = 0; i < durations.size(); ++i)
            phases.append(QString::number(durations.at(i)) + QLatin1Char(' ')
                          + states.at((first + i) % states.size()));
        SampleExport sample(deletedGroup, clearedGroup);
        QVERIFY2(sample.error.isEmpty(), qPrintable(sample.error));
        QStringList written;
        QString current;
        for (const auto &e : elements(sample.file(".tll.xml"))) {
            if (e.first == QLatin1String("tlLogic"))
                current = attribute(e.second, "programID");
            else if (e.first == QLatin1String("phase") && current == program)
                written.append(attribute(e.second, "duration") + QLatin1Char(' ')
                               + attribute(e.second, "state"));
        }
        QCOMPARE(written, phases);
    }

    // Every file validates against the SUMO schema it names, and netconvert, which
    // validates each input against the schema it names, builds the network without a
    // warning. (SUMO 1.15 under "-X always" knows no schema for plain input files and
    // refuses every one of them, its own output too; "local" validates each that names
    // its schema.)
    void sampleFilesPassSumosSchemas()
    {
        const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
        if (xmllint.isEmpty() || !QFileInfo(schemaFolder()).isDir())
            QSKIP("xmllint or SUMO's schemas are not installed (scripts/install-deps.sh installs "
                  "them)");
        SampleExport sample;
        QVERIFY2(sample.error.isEmpty(), qPrintable(sample.error));
        const QList<QPair<const char *, QString>> files {
            { ".nod.xml", QStringLiteral("nodes_file.xsd") },
            { ".edg.xml", QStringLiteral("edges_file.xsd") },
            { ".con.xml", QStringLiteral("connections_file.xsd") },
            { ".tll.xml", QStringLiteral("tllogic_file.xsd") },
            { ".netccfg", QStringLiteral("netconvertConfiguration.xsd") }
        };
        QString output;
        for (const auto &file : files) {
            QXmlStreamReader xml(sample.file(file.first));
            xml.readNextStartElement();
            QCOMPARE(xml.attributes()
                         .value(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                                QStringLiteral("noNamespaceSchemaLocation"))
                         .toString(),
                     QStringLiteral("http://sumo.dlr.de/xsd/") + file.second);
            QVERIFY2(run(xmllint,
                         { QStringLiteral("--noout"), QStringLiteral("--nonet"),
                           QStringLiteral("--schema"), QDir(schemaFolder()).filePath(file.second),
                           sample.path(file.first) },
                         sample.dir.path(), &output),
                     qPrintable(output));
        }

        const QString netconvert = QStandardPaths::findExecutable(QStringLiteral("netconvert"));
        if (netconvert.isEmpty())
            QSKIP("SUMO is not installed (scripts/install-deps.sh installs it)");
        QVERIFY2(run(netconvert,
                     { QStringLiteral("-c"), sample.path(".netccfg"), QStringLiteral("-X"),
                       QStringLiteral("local") },
                     sample.dir.path(), &output),
                 qPrintable(output));
        QVERIFY2(!output.contains(QLatin1String("Error"))
                     && !output.contains(QLatin1String("Warning")),
                 qPrintable(output));
        QVERIFY(QFile::exists(sample.path(".net.xml")));
    }

    // Random traffic on every movement of the sample, through, right and left on every
    // approach, under each fixed-time program: every vehicle arrives, none collides
    // (inside the junction included), is teleported or brakes in an emergency, and
    // the left turns wait inside the junction for the oncoming traffic, as they do at
    // the junction itself. (Were they given way to, they would not stop there at all.)
    void trafficOnEveryMovementPassesSafely()
    {
        const SumoPrograms sumo;
        if (!sumo.installed())
            QSKIP("SUMO is not installed (scripts/install-deps.sh installs it)");
        SampleExport sample;
        const QString failure = sample.buildFailure(sumo.netconvert);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QString output;

        // About 7 vehicles per movement over two cycles: what the single-lane approaches
        // clear in a few cycles even with their left turns waiting.
        const QStringList movements = sample.movements();
        QCOMPARE(movements.size(), 12);
        QString flows;
        for (int i = 0; i < movements.size(); ++i) {
            flows += QStringLiteral(
                         "    <flow id=\"m%1\" from=\"%2\" to=\"%3\" begin=\"0\" end=\"220\" "
                         "probability=\"0.03\" departLane=\"best\"/>\n")
                         .arg(i)
                         .arg(movements.at(i).section(QLatin1Char(' '), 0, 0),
                              movements.at(i).section(QLatin1Char(' '), 1, 1));
        }
        const QString routes = sample.filePath(QStringLiteral("traffic.rou.xml"));
        QVERIFY(TestSupport::writeFile(
            routes,
            (QStringLiteral("<routes>\n") + flows + QStringLiteral("</routes>\n")).toUtf8()));

        for (const QString &id : sample.programs()) {
            const QString statistics = sample.filePath(QStringLiteral("statistics%1.xml").arg(id));
            const QString edges = sample.filePath(QStringLiteral("edges%1.xml").arg(id));
            const QString additional = sample.programChoice(
                id,
                QStringLiteral("    <edgeData id=\"e\" file=\"%1\" withInternal=\"true\" "
                               "excludeEmpty=\"true\"/>\n")
                    .arg(edges));
            QVERIFY(!additional.isEmpty());
            QVERIFY2(run(sumo.sumo,
                         { QStringLiteral("-n"), sample.path(".net.xml"), QStringLiteral("-r"),
                           routes, QStringLiteral("-a"), additional, QStringLiteral("--seed"),
                           QStringLiteral("1"), QStringLiteral("--collision.check-junctions"),
                           QStringLiteral("true"), QStringLiteral("--statistic-output"), statistics,
                           QStringLiteral("-X"), QStringLiteral("never"),
                           QStringLiteral("--no-step-log") },
                         sample.dir.path(), &output),
                     qPrintable(output));
            const QStringList found = complaints(output);
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
            QVERIFY2(!output.contains(QLatin1String("emergency braking")),
                     qPrintable(id + QLatin1Char('\n') + output));

            const QStringList unsafe = unsafeRun(statistics, 61);
            QVERIFY2(unsafe.isEmpty(),
                     qPrintable(id + QLatin1Char('\n') + unsafe.join(QLatin1Char('\n'))));

            // Seconds vehicles stood on the junction's own lanes: only yielding left
            // turns wait there.
            double waiting = 0;
            for (const auto &e : elements(TestSupport::readFile(edges))) {
                if (e.first == QLatin1String("edge")
                    && attribute(e.second, "id").startsWith(QLatin1Char(':')))
                    waiting += attribute(e.second, "waitingTime").toDouble();
            }
            QVERIFY2(waiting >= 30,
                     qPrintable(QStringLiteral("program %1: %2 s waiting inside the junction")
                                    .arg(id)
                                    .arg(waiting)));
        }
    }

    // netconvert builds the network with the exported link indices, SUMO runs every
    // program without complaint, and the light shows at each second what the program
    // diagram draws for the driving group at the same point of the cycle; the green
    // blinking of a group without a yellow (the arrow) shows as SUMO's yellow. The links of
    // a deleted group, or of a group whose connections were cleared, are red all the time
    // (SUMO only warns that they miss a green phase).
    void sumoRunsTheSampleAsTheDiagramDrawsIt_data()
    {
        QTest::addColumn<int>("deletedGroup");
        QTest::addColumn<int>("clearedGroup");
        QTest::newRow("sample") << 0 << 0;
        for (int group : { 1, 2, 3, 4 })
            QTest::addRow("group %d deleted", group) << group << 0;
        QTest::newRow("group 4 cleared") << 0 << 4;
    }

    void sumoRunsTheSampleAsTheDiagramDrawsIt()
    {
        QFETCH(int, deletedGroup);
        QFETCH(int, clearedGroup);
        const SumoPrograms sumoPrograms;
        if (!sumoPrograms.installed())
            QSKIP("SUMO is not installed (scripts/install-deps.sh installs it)");
        SampleExport sample(deletedGroup, clearedGroup);
        const QString failure = sample.buildFailure(sumoPrograms.netconvert);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const QString sumo = sumoPrograms.sumo;
        const QString net = sample.path(".net.xml");
        QString output;

        const QStringList links = sample.links();
        for (const auto &e : elements(TestSupport::readFile(net))) {
            if (e.first == QLatin1String("connection") && !attribute(e.second, "tl").isEmpty())
                QCOMPARE(attribute(e.second, "linkIndex").toInt(),
                         links.indexOf(linkKey(e.second)));
        }

        const int end = 600;
        QVERIFY2(
            run(sumo,
                { QStringLiteral("-n"), net, QStringLiteral("--end"), QString::number(end),
                  QStringLiteral("-X"), QStringLiteral("never"), QStringLiteral("--no-step-log") },
                sample.dir.path(), &output),
            qPrintable(output));
        const QStringList found = complaints(output, sample.unsignalledLinks());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

        QStringList programs;
        for (const auto &e : elements(sample.file(".tll.xml"))) {
            if (e.first == QLatin1String("tlLogic"))
                programs.append(attribute(e.second, "programID"));
        }
        QVERIFY(!programs.isEmpty());
        const ProgramDiagram diagram;
        int compared = 0;
        for (const QString &id : qAsConst(programs)) {
            const CnfProgramPtr program = sample.controller.findProgram(id);
            const QString additional
                = QDir(sample.dir.path()).filePath(QStringLiteral("run%1.add.xml").arg(id));
            const QString states
                = QDir(sample.dir.path()).filePath(QStringLiteral("states%1.xml").arg(id));
            QVERIFY(TestSupport::writeFile(
                additional,
                QStringLiteral(
                    "<additional>\n"
                    "    <WAUT id=\"w\" refTime=\"0\" startProg=\"%1\"/>\n"
                    "    <wautJunction wautID=\"w\" junctionID=\"%2\"/>\n"
                    "    <timedEvent type=\"SaveTLSStates\" source=\"%2\" dest=\"%3\"/>\n"
                    "</additional>\n")
                    .arg(id, sample.base, states)
                    .toUtf8()));
            QVERIFY2(run(sumo,
                         { QStringLiteral("-n"), net, QStringLiteral("-a"), additional,
                           QStringLiteral("--end"), QString::number(end), QStringLiteral("-X"),
                           QStringLiteral("never"), QStringLiteral("--no-step-log") },
                         sample.dir.path(), &output),
                     qPrintable(output));
            const QStringList found = complaints(output, sample.unsignalledLinks());
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

            QString error;
            const QMap<int, QVector<int>> drawn
                = diagram.secondStates(*program, &sample.controller, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            const int cycle = program->cycle(true);
            const int offset = program->cycleOffset(0);
            for (const auto &e : elements(TestSupport::readFile(states))) {
                if (e.first != QLatin1String("tlsState"))
                    continue;
                QCOMPARE(attribute(e.second, "programID"), id);
                const int t = qRound(attribute(e.second, "time").toDouble());
                // SUMO starts the cycle at the offset; the diagram draws the program's own seconds.
                const int second = ((t - offset) % cycle + cycle) % cycle;
                QString expected;
                for (const QString &link : links) {
                    const int group = sample.groupOf(link);
                    const CnfSignalGroupPtr driver = sample.controller.findSG(group);
                    expected += drawn.contains(group)
                        ? letter(drawn.value(group).at(second), driver && driver->yellow(1) != 0)
                        : QLatin1Char('r');
                }
                // A green that yields is green all the same, a yellow that goes first yellow.
                const QString shown = attribute(e.second, "state")
                                          .replace(QLatin1Char('g'), QLatin1Char('G'))
                                          .replace(QLatin1Char('Y'), QLatin1Char('y'));
                QVERIFY2(shown == expected,
                         qPrintable(QStringLiteral("program %1 at %2 s: SUMO %3, diagram %4")
                                        .arg(id)
                                        .arg(t)
                                        .arg(attribute(e.second, "state"), expected)));
                ++compared;
            }
        }
        QCOMPARE(compared, programs.size() * end);
    }
};

PROJECT_TEST(TestSumoExport);
#include "tst_sumoexport.moc"
