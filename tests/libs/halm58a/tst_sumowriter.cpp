#include "fourarmjunction.h"
#include "halm58a/sumowriter.h"
#include "testdata.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Halm58a;

namespace {

// A plan of the four-arm junction from runs of colours per group, "G3 F2 y2 r5" =
// 3 s green, 2 s green blinking, 2 s yellow, 5 s red.
SignalPlan plan(const QString &id, int offset, const QMap<int, QString> &runs)
{
    static const QHash<QChar, SignalPlan::Colour> colours {
        { QLatin1Char('G'), SignalPlan::Green },     { QLatin1Char('F'), SignalPlan::GreenBlink },
        { QLatin1Char('y'), SignalPlan::Yellow },    { QLatin1Char('r'), SignalPlan::Red },
        { QLatin1Char('u'), SignalPlan::RedYellow }, { QLatin1Char('O'), SignalPlan::Dark }
    };
    SignalPlan p;
    p.id = id;
    p.offset = offset;
    for (auto it = runs.cbegin(); it != runs.cend(); ++it) {
        QVector<SignalPlan::Colour> seconds;
        for (const QString &run : it.value().split(QLatin1Char(' ')))
            seconds += QVector<SignalPlan::Colour>(run.mid(1).toInt(), colours.value(run.at(0)));
        p.colours.insert(it.key(), seconds);
        p.cycle = seconds.size();
    }
    return p;
}

// "programID offset: duration state, ..." per tlLogic of a .tll.xml.
QStringList phasesOf(const QByteArray &tll)
{
    QStringList logics;
    QXmlStreamReader xml(tll);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("tlLogic"))
            logics.append(a.value(QLatin1String("programID")) + QLatin1Char(' ')
                          + a.value(QLatin1String("offset")) + QLatin1Char(':'));
        else if (xml.name() == QLatin1String("phase"))
            logics.last() += QLatin1Char(' ') + a.value(QLatin1String("duration"))
                + QLatin1Char(' ') + a.value(QLatin1String("state"));
    }
    return logics;
}

} // namespace

class TestSumoWriter : public QObject
{
    Q_OBJECT
private slots:
    // The links are the junction's connections in their order: NS, SN (group 1), EW, WE
    // (group 2), NW (group 4). A run of colours without a change is one phase; blinking
    // green before a yellow is green; a group the plan does not know drives nothing, so its
    // link stays red (r) and a note names it; a yellow
    // that gives way to nothing still passing goes first (Y); the right turn NW yields to the
    // through traffic it merges with while both pass, in its green and in its yellow.
    void programsBecomePhases()
    {
        Network net;
        FourArmJunction junction(net);
        SumoWriter writer(net, 12);
        writer.setPlans(
            { plan(QStringLiteral("7"), 15,
                   { { 1, QStringLiteral("G3 F2 y2 r5") }, { 2, QStringLiteral("r5 u2 G5") } }),
              plan(QStringLiteral("8"), 0,
                   { { 1, QStringLiteral("r4") },
                     { 2, QStringLiteral("G4") },
                     { 4, QStringLiteral("G2 y2") } }) });
        QVERIFY2(writer.prepare(), qPrintable(writer.errorString()));
        QCOMPARE(phasesOf(writer.programs()),
                 QStringList({ QStringLiteral("7 15: 5 GGrrr 2 YYuur 5 rrGGr"),
                               QStringLiteral("8 0: 2 rrGGg 2 rrGGy") }));
        QCOMPARE(writer.notes(),
                 QStringList({ QStringLiteral("Connection %1 (SUMO link 4) has no signal group: "
                                              "in the SUMO export it is red (r) in every phase "
                                              "and never gets green")
                                   .arg(junction.connections.value(QStringLiteral("NW"))->id()) }));
    }

    // Green blinking is SUMO's green where a yellow follows it, and its yellow where the
    // green ends without one, around the end of the cycle too: drivers stop for it if they
    // can. Group 1 drives the links NS and SN; the plan knows no other group, so nothing
    // they give way to passes and their yellow goes first (Y).
    void greenBlinkingWithoutYellowIsYellow_data()
    {
        QTest::addColumn<QString>("runs");
        QTest::addColumn<QString>("phases");
        QTest::newRow("yellow follows") << "G3 F2 y2 r5"
                                        << "5 GGrrr 2 YYrrr 5 rrrrr";
        QTest::newRow("red follows") << "G3 F2 r7"
                                     << "3 GGrrr 2 YYrrr 7 rrrrr";
        QTest::newRow("red follows after the cycle's end") << "F1 r4 G3 F2"
                                                           << "1 YYrrr 4 rrrrr 3 GGrrr 2 YYrrr";
        QTest::newRow("dark follows") << "G2 F2 O4"
                                      << "2 GGrrr 2 YYrrr 4 OOrrr";
        QTest::newRow("green follows: the green goes on") << "G2 F2 G2 y2 r4"
                                                          << "6 GGrrr 2 YYrrr 4 rrrrr";
        QTest::newRow("blinking all the cycle") << "F4"
                                                << "4 GGrrr";
    }

    void greenBlinkingWithoutYellowIsYellow()
    {
        QFETCH(QString, runs);
        QFETCH(QString, phases);
        Network net;
        FourArmJunction junction(net);
        SumoWriter writer(net, 12);
        writer.setPlans({ plan(QStringLiteral("1"), 0, { { 1, runs } }) });
        QVERIFY2(writer.prepare(), qPrintable(writer.errorString()));
        QCOMPARE(phasesOf(writer.programs()), QStringList({ QStringLiteral("1 0: ") + phases }));
    }

    // A link that passes (green or yellow) yields (g, y) to a passing link it crosses or
    // merges into that goes first: through before right turns before left turns; otherwise
    // it goes first (G, Y), so that SUMO keeps the right of way through the yellow for the
    // vehicles still in the junction. Links: NS, SN (group 1), EW, WE (group 2), the right
    // turn NW (group 4) and the left turn SW (group 5), which crosses NS and merges with EW
    // and NW into the western exit. The lights are those of groups 1, 2, 4 and 5.
    void linksYieldToThoseThatGoFirst_data()
    {
        QTest::addColumn<QString>("lights");
        QTest::addColumn<QString>("state");
        QTest::newRow("through alone") << "Grrr"
                                       << "GGrrrr";
        QTest::newRow("crossing throughs: neither goes first") << "GGrr"
                                                               << "GGGGrr";
        QTest::newRow("right turn merging with through") << "rGGr"
                                                         << "rrGGgr";
        QTest::newRow("left turn across oncoming through") << "GrrG"
                                                           << "GGrrrg";
        QTest::newRow("left turn merging with a right turn") << "rrGG"
                                                             << "rrrrGg";
        QTest::newRow("left turn merging with through") << "rGrG"
                                                        << "rrGGrg";
        QTest::newRow("turns alone") << "rrrG"
                                     << "rrrrrG";
        QTest::newRow("through ending alone") << "yrrr"
                                              << "YYrrrr";
        QTest::newRow("left turn ending with the oncoming through") << "yrry"
                                                                    << "YYrrry";
        QTest::newRow("left turn green while the oncoming through ends") << "yrrG"
                                                                         << "YYrrrg";
        QTest::newRow("left turn ending while the oncoming through is green") << "Grry"
                                                                              << "GGrrry";
        QTest::newRow("left turn ending while the oncoming through prepares") << "urry"
                                                                              << "uurrrY";
        QTest::newRow("right turn ending with through") << "ryyr"
                                                        << "rrYYyr";
    }

    void linksYieldToThoseThatGoFirst()
    {
        QFETCH(QString, lights);
        QFETCH(QString, state);
        Network net;
        FourArmJunction junction(net);
        auto *leftTurn = new Connection(junction.in.value(QLatin1Char('S')),
                                        junction.out.value(QLatin1Char('W')), nullptr);
        net.addItem(leftTurn, junction.centre);
        auto *group = new SignalGroup(junction.granule);
        group->setTlId(5);
        net.addItem(group);
        group->addConnection(leftTurn);
        const QList<int> groups { 1, 2, 4, 5 };
        QMap<int, QString> runs;
        for (int i = 0; i < groups.size(); ++i)
            runs.insert(groups.at(i), lights.at(i) + QStringLiteral("3"));
        SumoWriter writer(net, 12);
        writer.setPlans({ plan(QStringLiteral("1"), 0, runs) });
        QVERIFY(writer.prepare());
        QCOMPARE(phasesOf(writer.programs()), QStringList({ QStringLiteral("1 0: 3 ") + state }));
    }

    void plansThatCannotBeWrittenAreNoted()
    {
        Network net;
        FourArmJunction junction(net);
        SumoWriter writer(net, 12);
        SignalPlan actuated;
        actuated.id = QStringLiteral("2");
        actuated.error = QStringLiteral("\"Vehicle actuated\" is not a fixed-time program");
        SignalPlan empty;
        empty.id = QStringLiteral("3");
        writer.setPlans({ actuated,
                          plan(QStringLiteral("1"), 0,
                               { { 1, QStringLiteral("G4") },
                                 { 2, QStringLiteral("r4") },
                                 { 4, QStringLiteral("r4") } }),
                          empty });
        QVERIFY(writer.prepare());
        QCOMPARE(phasesOf(writer.programs()), QStringList({ QStringLiteral("1 0: 4 GGrrr") }));
        // netconvert keeps the link indices of loaded programs only from the program file.
        QVERIFY(writer.programs().contains("linkIndex=\"4\""));
        QCOMPARE(
            writer.notes(),
            QStringList(
                { QStringLiteral(
                      "Program 2 is left out of the SUMO export: \"Vehicle actuated\" is "
                      "not a fixed-time program"),
                  QStringLiteral("Program 3 is left out of the SUMO export: it has no cycle") }));

        // netconvert refuses link indices without a program to use them.
        writer.setPlans({ actuated });
        QVERIFY(writer.prepare());
        QVERIFY(phasesOf(writer.programs()).isEmpty());
        QVERIFY(!writer.programs().contains("linkIndex"));
    }

    // A link that no group of the plans drives (its group's drawing was deleted) is red all
    // the cycle (r), neither giving way (o), which SUMO's right of way would let cross
    // signalled traffic, nor going first as a link without a signal (O), and a note names it
    // once, by name or by number, with its SUMO link index. Links: NS, SN (their
    // group 1's drawing deleted), EW, WE (group 2) and the right turn NW (group 4), which
    // yields to the westbound through traffic.
    void linksWithoutASignalGroupStayRed()
    {
        Network net;
        FourArmJunction junction(net);
        junction.connections.value(QStringLiteral("NS"))->setObjectName(QStringLiteral("north"));
        delete junction.groups.at(0);
        SumoWriter writer(net, 12);
        writer.setPlans({ plan(QStringLiteral("1"), 0,
                               { { 1, QStringLiteral("G4") },
                                 { 2, QStringLiteral("r2 G2") },
                                 { 4, QStringLiteral("G2 y2") } }),
                          plan(QStringLiteral("2"), 5,
                               { { 1, QStringLiteral("r4") },
                                 { 2, QStringLiteral("G4") },
                                 { 4, QStringLiteral("r4") } }) });
        QVERIFY2(writer.prepare(), qPrintable(writer.errorString()));
        QCOMPARE(phasesOf(writer.programs()),
                 QStringList(
                     { QStringLiteral("1 0: 2 rrrrG 2 rrGGy"), QStringLiteral("2 5: 4 rrGGr") }));
        const QString note = QStringLiteral(
            "Connection %1 (SUMO link %2) has no signal group: in the SUMO export it is red (r) in "
            "every phase and never gets green");
        QCOMPARE(writer.notes(),
                 QStringList(
                     { note.arg(QStringLiteral("north")).arg(0),
                       note.arg(junction.connections.value(QStringLiteral("SN"))->id()).arg(1) }));
    }

    // The controller's junction is a traffic light; the arm ends are not. Edges carry
    // their lanes' widths, the program file the junction's links with their indices
    // (SUMO's connection format has no place for them), and edges that lead nowhere say
    // so instead of leaving netconvert to guess. Each file names its SUMO schema, and
    // netconvert's options stand in the sections where its schema has them.
    void networkFiles()
    {
        Network net;
        FourArmJunction junction(net);
        junction.out.value(QLatin1Char('E'))->setWidth(3.25);
        SumoWriter writer(net, 12);
        QVERIFY(writer.prepare());
        const QString nodes = QString::fromUtf8(writer.nodes());
        QVERIFY(nodes.contains(QStringLiteral(
            "<node id=\"1\" x=\"0.00\" y=\"0.00\" type=\"traffic_light\" tl=\"12\"/>")));
        QVERIFY(nodes.contains(QStringLiteral("<node id=\"2\" x=\"0.00\" y=\"100.00\"/>")));
        QCOMPARE(nodes.count(QStringLiteral("<node ")), 5);
        const QString edges = QString::fromUtf8(writer.edges());
        QVERIFY(
            edges.contains(QStringLiteral("<edge id=\"16\" from=\"1\" to=\"11\" numLanes=\"1\">\n"
                                          "        <lane index=\"0\" width=\"3.25\"/>")));
        QCOMPARE(edges.count(QStringLiteral("<edge ")), 8);
        const QString connections = QString::fromUtf8(writer.connections());
        QVERIFY(connections.contains(
            QStringLiteral("<connection from=\"3\" to=\"25\" fromLane=\"0\" toLane=\"0\"/>")));
        QVERIFY(connections.contains(
            QStringLiteral("<connection from=\"3\" to=\"34\" fromLane=\"0\" toLane=\"0\"/>")));
        QVERIFY(connections.contains(QStringLiteral("<connection from=\"7\"/>")));
        QVERIFY(!connections.contains(QStringLiteral("<connection from=\"3\"/>")));
        QVERIFY(!connections.contains(QStringLiteral("linkIndex")));
        writer.setPlans({ plan(QStringLiteral("1"), 0, { { 1, QStringLiteral("G4") } }) });
        const QString programs = QString::fromUtf8(writer.programs());
        QVERIFY(programs.contains(QStringLiteral("<connection from=\"3\" to=\"25\" fromLane=\"0\" "
                                                 "toLane=\"0\" tl=\"12\" linkIndex=\"0\"/>")));
        QVERIFY(programs.contains(QStringLiteral("<connection from=\"3\" to=\"34\" fromLane=\"0\" "
                                                 "toLane=\"0\" tl=\"12\" linkIndex=\"4\"/>")));
        const QString config = QString::fromUtf8(writer.config());
        for (const char *file :
             { "12.nod.xml", "12.edg.xml", "12.con.xml", "12.tll.xml", "12.net.xml" })
            QVERIFY2(config.contains(QLatin1String(file)), file);
        QVERIFY(config.contains(QStringLiteral(
            "<junctions>\n        <no-turnarounds value=\"true\"/>\n    </junctions>")));

        const QList<QPair<QString, QString>> schemas {
            { nodes, QStringLiteral("nodes nodes_file.xsd") },
            { edges, QStringLiteral("edges edges_file.xsd") },
            { connections, QStringLiteral("connections connections_file.xsd") },
            { programs, QStringLiteral("tlLogics tllogic_file.xsd") },
            { config, QStringLiteral("configuration netconvertConfiguration.xsd") }
        };
        for (const auto &file : schemas) {
            QXmlStreamReader xml(file.first);
            xml.readNextStartElement();
            const QString schema
                = xml.attributes()
                      .value(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                             QStringLiteral("noNamespaceSchemaLocation"))
                      .toString();
            QCOMPARE(xml.name().toString() + QLatin1Char(' ')
                         + schema.section(QLatin1Char('/'), -1),
                     file.second);
            QVERIFY2(schema.startsWith(QLatin1String("http://sumo.dlr.de/xsd/")),
                     qPrintable(schema));
        }
    }

    void writesFiveFilesNamedAfterTheJunction()
    {
        Network net;
        FourArmJunction junction(net);
        QTemporaryDir dir;
        SumoWriter writer(net, 12);
        QVERIFY2(writer.write(dir.path()), qPrintable(writer.errorString()));
        QCOMPARE(writer.configPath(), QDir(dir.path()).filePath(QStringLiteral("12.netccfg")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList({ QStringLiteral("12.con.xml"), QStringLiteral("12.edg.xml"),
                               QStringLiteral("12.netccfg"), QStringLiteral("12.nod.xml"),
                               QStringLiteral("12.tll.xml") }));
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("withNetwork");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty network") << false << 12 << ""
                                       << "The network is empty: there is nothing to export";
        QTest::newRow("other controller") << true << 13 << ""
                                          << "The network has no junction of controller 13";
        QTest::newRow("no number")
            << true << -1 << ""
            << "The controller has no number: its junction cannot be found in the network";
        QTest::newRow("missing folder") << true << 12 << "missing"
                                        << "Folder %1 cannot be written";
        QTest::newRow("file as folder") << true << 12 << "file"
                                        << "Folder %1 cannot be written";
    }

    void refusals()
    {
        QFETCH(bool, withNetwork);
        QFETCH(int, number);
        QFETCH(QString, folder);
        QFETCH(QString, error);
        Network net;
        QScopedPointer<FourArmJunction> junction(withNetwork ? new FourArmJunction(net) : nullptr);
        QTemporaryDir dir;
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("file")), "x"));
        const QString target = folder.isEmpty() ? dir.path() : dir.filePath(folder);
        SumoWriter writer(net, number);
        QVERIFY(!writer.write(target));
        if (error.contains(QLatin1String("%1")))
            error = error.arg(QDir::toNativeSeparators(target));
        QCOMPARE(writer.errorString(), error);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({ QStringLiteral("file") }));
    }
};

PROJECT_TEST(TestSumoWriter);
#include "tst_sumowriter.moc"
