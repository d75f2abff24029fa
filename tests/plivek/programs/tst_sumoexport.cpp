#include "plivek/document/containerfile.h"
#include "plivek/programs/programdiagram.h"
#include "plivek/programs/signalplans.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "halm58a/connection.h"
#include "halm58a/edge.h"
#include "halm58a/granule.h"
#include "halm58a/lane.h"
#include "halm58a/network.h"
#include "halm58a/signalgroup.h"
#include "halm58a/sumowriter.h"

#include "testdata.h"
#include "testmain.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// The elements of an XML document with their attributes, in document order.
QVector<QPair<QString, QXmlStreamAttributes>> elements(const QByteArray &bytes)
{
    QVector<QPair<QString, QXmlStreamAttributes>> found;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            found.append({xml.name().toString(), xml.attributes()});
    }
    return found;
}

QString attribute(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toString();
}

QString linkKey(const QXmlStreamAttributes &a)
{
    return QStringList({attribute(a, "from"), attribute(a, "to"), attribute(a, "fromLane"), attribute(a, "toLane")})
        .join(QLatin1Char(' '));
}

// SUMO's letter for a colour of the program diagram.
QChar letter(int state)
{
    switch (state) {
    case CnfSignalGroup::Green:
    case CnfSignalGroup::GreenBlink: return QLatin1Char('G');
    case CnfSignalGroup::Yellow: return QLatin1Char('y');
    case CnfSignalGroup::RedYellow: return QLatin1Char('u');
    case CnfSignalGroup::Red: return QLatin1Char('r');
    default: return QLatin1Char('?');
    }
}

// Runs a SUMO program in the folder; its output (both channels) or the failure.
bool run(const QString &program, const QStringList &arguments, const QString &folder, QString *output)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Lines of SUMO's output that are errors or that speak of the traffic light.
QStringList complaints(const QString &output)
{
    QStringList found;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Error")) || line.contains(QLatin1String("tlLogic"), Qt::CaseInsensitive)
            || line.contains(QLatin1String("traffic light"), Qt::CaseInsensitive)
            || line.contains(QLatin1String("tls"), Qt::CaseInsensitive)
            || line.contains(QLatin1String("yellow"), Qt::CaseInsensitive))
            found.append(line);
    }
    return found;
}

// The TIVERK 3.18 sample with its network, exported for SUMO into a folder.
struct SampleExport
{
    CnfController controller;
    Halm58a::Network network;
    QMap<QString, QByteArray> custom;
    QTemporaryDir dir;
    QString base;
    QStringList notes;
    QString error;

    SampleExport()
    {
        ContainerFile file(controller, &network, custom);
        if (!file.read(TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf")))) {
            error = file.errorString();
            return;
        }
        base = controller.property("number").toString();
        Halm58a::SumoWriter writer(network, base.toInt());
        writer.setPlans(signalPlansOf(controller, base.toInt()));
        if (!writer.write(dir.path()))
            error = writer.errorString();
        notes = writer.notes();
    }

    QString path(const char *suffix) const { return QDir(dir.path()).filePath(base + QLatin1String(suffix)); }
    QByteArray file(const char *suffix) const { return TestSupport::readFile(path(suffix)); }

    // Per link index the key of its connection, from the program file.
    QStringList links() const
    {
        QMap<int, QString> keys;
        for (const auto &e : elements(file(".tll.xml"))) {
            if (e.first == QLatin1String("connection"))
                keys.insert(attribute(e.second, "linkIndex").toInt(), linkKey(e.second));
        }
        return keys.values();
    }

    // The controller's group that drives the connection of a link key; 0 for none.
    int groupOf(const QString &key) const
    {
        for (const Halm58a::Connection *c : network.findChildren<Halm58a::Connection *>()) {
            const QString own = QStringList({QString::number(c->fromLane()->edge()->id()),
                                             QString::number(c->toLane()->edge()->id()),
                                             QString::number(c->fromLane()->index()),
                                             QString::number(c->toLane()->index())})
                                    .join(QLatin1Char(' '));
            if (own == key)
                return c->signalGroups().isEmpty() ? 0 : c->signalGroups().first()->tlId();
        }
        return -1;
    }
};

// The complaints less SUMO's warning of a green that ends without yellow on a
// link whose group has no yellow in its interstates (an arrow): that group
// does go from green to red, as the diagram draws it.
QStringList complaintsBesidesNoYellow(const QString &output, const SampleExport &sample)
{
    static const QRegularExpression missingYellow(
        QStringLiteral("Missing yellow phase .* tl-index (\\d+) "));
    const QStringList links = sample.links();
    QStringList found;
    for (const QString &line : complaints(output)) {
        const QRegularExpressionMatch match = missingYellow.match(line);
        const CnfSignalGroupPtr group = match.hasMatch()
            ? sample.controller.findSG(sample.groupOf(links.value(match.captured(1).toInt())))
            : CnfSignalGroupPtr();
        if (!group || group->yellow(1) != 0)
            found.append(line);
    }
    return found;
}

} // namespace

class TestSumoExport : public QObject
{
    Q_OBJECT
private slots:
    // Fixed-time programs of every family become plans, in the program's own time (the
    // diagram's seconds moved back by the offset); other programs give the reason.
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
        QTest::newRow("timeline") << int(CnfProgram::Timeline) << 0 << true << "\"Timeline\" is not a fixed-time program";
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
        for (int id : {1, 2}) {
            for (int second = 0; second < plan.cycle; ++second) {
                QCOMPARE(QString(letter(drawn.value(id).at((second - 10 + plan.cycle) % plan.cycle))),
                         QString(Halm58a::SumoWriter::stateLetter(plan.colours.value(id).at(second))));
            }
        }
        // A group that no step runs stays red.
        QCOMPARE(plan.colours.value(3), QVector<Halm58a::SignalPlan::Colour>(plan.cycle, Halm58a::SignalPlan::Red));
    }

    // The five files hang together: every edge between written nodes, every
    // connection between written lanes, the link indices 0..n-1 each once, and every
    // phase a state per link, the phases of a program filling its cycle.
    void sampleExportIsWhole()
    {
        SampleExport sample;
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
            QVERIFY2(nodes.contains(attribute(e.second, "from")), qPrintable(attribute(e.second, "id")));
            QVERIFY2(nodes.contains(attribute(e.second, "to")), qPrintable(attribute(e.second, "id")));
            lanes.insert(attribute(e.second, "id"), attribute(e.second, "numLanes").toInt());
        }
        QCOMPARE(lanes.size(), 8);
        QVector<int> indices;
        int movements = 0;
        for (const auto &e : elements(sample.file(".con.xml"))) {
            if (e.first != QLatin1String("connection") || attribute(e.second, "to").isEmpty())
                continue;
            ++movements;
            QVERIFY(attribute(e.second, "fromLane").toInt() < lanes.value(attribute(e.second, "from")));
            QVERIFY(attribute(e.second, "toLane").toInt() < lanes.value(attribute(e.second, "to")));
            QCOMPARE(attribute(e.second, "tl"), sample.base);
            indices.append(attribute(e.second, "linkIndex").toInt());
        }
        QCOMPARE(movements, 12);
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
        QCOMPARE(programs, QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QCOMPARE(sample.notes.size(), 1);
        QVERIFY2(sample.notes.first().startsWith(QLatin1String("Program 3 ")), qPrintable(sample.notes.first()));
    }

    // netconvert builds the network with the exported link indices, SUMO runs every
    // program without complaint, and the light shows at each second what the program
    // diagram draws for the driving group at the same point of the cycle.
    void sumoRunsTheSampleAsTheDiagramDrawsIt()
    {
        const QString netconvert = QStandardPaths::findExecutable(QStringLiteral("netconvert"));
        const QString sumo = QStandardPaths::findExecutable(QStringLiteral("sumo"));
        if (netconvert.isEmpty() || sumo.isEmpty())
            QSKIP("SUMO is not installed (scripts/install-deps.sh installs it)");
        SampleExport sample;
        QVERIFY2(sample.error.isEmpty(), qPrintable(sample.error));
        QString output;
        QVERIFY2(run(netconvert, {QStringLiteral("-c"), sample.path(".netccfg"), QStringLiteral("-X"), QStringLiteral("never")},
                     sample.dir.path(), &output),
                 qPrintable(output));
        QVERIFY2(!output.contains(QLatin1String("Error")), qPrintable(output));
        const QString net = sample.path(".net.xml");
        QVERIFY(QFile::exists(net));

        const QStringList links = sample.links();
        for (const auto &e : elements(TestSupport::readFile(net))) {
            if (e.first == QLatin1String("connection") && !attribute(e.second, "tl").isEmpty())
                QCOMPARE(attribute(e.second, "linkIndex").toInt(), links.indexOf(linkKey(e.second)));
        }

        const int end = 600;
        QVERIFY2(run(sumo, {QStringLiteral("-n"), net, QStringLiteral("--end"), QString::number(end),
                            QStringLiteral("-X"), QStringLiteral("never"), QStringLiteral("--no-step-log")},
                     sample.dir.path(), &output),
                 qPrintable(output));
        const QStringList found = complaintsBesidesNoYellow(output, sample);
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
            const QString additional = QDir(sample.dir.path()).filePath(QStringLiteral("run%1.add.xml").arg(id));
            const QString states = QDir(sample.dir.path()).filePath(QStringLiteral("states%1.xml").arg(id));
            QVERIFY(TestSupport::writeFile(
                additional,
                QStringLiteral("<additional>\n"
                               "    <WAUT id=\"w\" refTime=\"0\" startProg=\"%1\"/>\n"
                               "    <wautJunction wautID=\"w\" junctionID=\"%2\"/>\n"
                               "    <timedEvent type=\"SaveTLSStates\" source=\"%2\" dest=\"%3\"/>\n"
                               "</additional>\n")
                    .arg(id, sample.base, states)
                    .toUtf8()));
            QVERIFY2(run(sumo, {QStringLiteral("-n"), net, QStringLiteral("-a"), additional, QStringLiteral("--end"),
                                QString::number(end), QStringLiteral("-X"), QStringLiteral("never"),
                                QStringLiteral("--no-step-log")},
                         sample.dir.path(), &output),
                     qPrintable(output));
            const QStringList found = complaintsBesidesNoYellow(output, sample);
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

            QString error;
            const QMap<int, QVector<int>> drawn = diagram.secondStates(*program, &sample.controller, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            const int cycle = program->cycle(true);
            const int offset = program->cycleOffset(0);
            for (const auto &e : elements(TestSupport::readFile(states))) {
                if (e.first != QLatin1String("tlsState"))
                    continue;
                QCOMPARE(attribute(e.second, "programID"), id);
                const int t = qRound(attribute(e.second, "time").toDouble());
                // SUMO starts the cycle at the offset; the diagram draws it moved left by it.
                const int second = ((t - 2 * offset) % cycle + cycle) % cycle;
                QString expected;
                for (const QString &link : links) {
                    const int group = sample.groupOf(link);
                    expected += drawn.contains(group) ? letter(drawn.value(group).at(second))
                                : sample.controller.findSG(group) ? QLatin1Char('r')
                                                                  : QLatin1Char('O');
                }
                QVERIFY2(attribute(e.second, "state") == expected,
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
