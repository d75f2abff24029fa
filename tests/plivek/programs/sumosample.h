#pragma once

#include "plivek/document/containerfile.h"
#include "plivek/programs/signalplans.h"

#include "cnf/cnfcontroller.h"
#include "halm58a/connection.h"
#include "halm58a/edge.h"
#include "halm58a/lane.h"
#include "halm58a/network.h"
#include "halm58a/signalgroup.h"
#include "halm58a/sumowriter.h"

#include "testdata.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <tuple>

// The sample exported for SUMO and the runs of SUMO's programs on it, for the tests of the
// SUMO export and of the traffic SUMO runs through it.
namespace SumoSample {

// The elements of an XML document with their attributes, in document order.
inline QVector<QPair<QString, QXmlStreamAttributes>> elements(const QByteArray &bytes)
{
    QVector<QPair<QString, QXmlStreamAttributes>> found;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            found.append({ xml.name().toString(), xml.attributes() });
    }
    return found;
}

inline QString attribute(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toString();
}

inline QString linkKey(const QXmlStreamAttributes &a)
{
    return QStringList({ attribute(a, "from"), attribute(a, "to"), attribute(a, "fromLane"),
                         attribute(a, "toLane") })
        .join(QLatin1Char(' '));
}

// Where SUMO keeps its data: SUMO_HOME, which Debian's login profile sets to the
// folder its packages install.
inline QString sumoHome()
{
    const QString home = qEnvironmentVariable("SUMO_HOME");
    return home.isEmpty() ? QStringLiteral("/usr/share/sumo") : home;
}

// SUMO's XML schemas (Debian package sumo-tools).
inline QString schemaFolder()
{
    return QDir(sumoHome()).filePath(QStringLiteral("data/xsd"));
}

// Runs a SUMO program in the folder; its output (both channels) or the failure. SUMO
// finds the schemas the files name under SUMO_HOME.
inline bool run(const QString &program, const QStringList &arguments, const QString &folder,
                QString *output)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SUMO_HOME"), sumoHome());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Lines of SUMO's output that are errors or that speak of the traffic light, but for
// SUMO's warning that a link of neverGreen (link indices) has no green phase: those links
// are red on purpose.
inline QStringList complaints(const QString &output, const QVector<int> &neverGreen = {})
{
    static const QRegularExpression missingGreen(
        QStringLiteral("^Warning: Missing green phase in tlLogic .* for tl-index ([0-9]+)\\.$"));
    QStringList found;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch missing = missingGreen.match(line);
        if (missing.hasMatch() && neverGreen.contains(missing.captured(1).toInt()))
            continue;
        if (line.startsWith(QLatin1String("Error"))
            || line.contains(QLatin1String("tlLogic"), Qt::CaseInsensitive)
            || line.contains(QLatin1String("traffic light"), Qt::CaseInsensitive)
            || line.contains(QLatin1String("tls"), Qt::CaseInsensitive)
            || line.contains(QLatin1String("yellow"), Qt::CaseInsensitive))
            found.append(line);
    }
    return found;
}

// SUMO's programs on the path; empty when SUMO is not installed.
struct SumoPrograms
{
    QString netconvert = QStandardPaths::findExecutable(QStringLiteral("netconvert"));
    QString sumo = QStandardPaths::findExecutable(QStringLiteral("sumo"));
    bool installed() const { return !netconvert.isEmpty() && !sumo.isEmpty(); }
};

// The TIVERK 3.18 sample with its network, exported for SUMO into a folder; with a group
// deleted first as the signal-group table's Delete does (the group and its drawing go, its
// links stay in the network without a signal), or with a group's connections cleared as its
// "Clear assigned connections" does (the group stays in the programs and drives no link).
struct SampleExport
{
    CnfController controller;
    Halm58a::Network network;
    QMap<QString, QByteArray> custom;
    QTemporaryDir dir;
    QString base;
    QStringList notes;
    QString error;

    explicit SampleExport(int deletedGroup = 0, int clearedGroup = 0)
    {
        ContainerFile file(controller, &network, custom);
        if (!file.read(TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf")))) {
            error = file.errorString();
            return;
        }
        if (deletedGroup) {
            controller.removeSignalGroup(deletedGroup);
            delete network.findChild<Halm58a::SignalGroup *>(QString::number(deletedGroup));
        }
        if (clearedGroup) {
            auto *drawing
                = network.findChild<Halm58a::SignalGroup *>(QString::number(clearedGroup));
            for (Halm58a::Connection *connection : drawing->connections())
                drawing->removeConnection(connection);
        }
        base = controller.property("number").toString();
        Halm58a::SumoWriter writer(network, base.toInt());
        writer.setPlans(signalPlansOf(controller, base.toInt()));
        if (!writer.write(dir.path()))
            error = writer.errorString();
        notes = writer.notes();
    }

    QString path(const char *suffix) const
    {
        return QDir(dir.path()).filePath(base + QLatin1String(suffix));
    }
    QString filePath(const QString &name) const { return QDir(dir.path()).filePath(name); }
    QByteArray file(const char *suffix) const { return TestSupport::readFile(path(suffix)); }

    // Builds the SUMO network with netconvert, without validating the files; what went
    // wrong (an error, or a complaint about the traffic light), empty on success.
    QString buildFailure(const QString &netconvert) const
    {
        if (!error.isEmpty())
            return error;
        QString output;
        const bool built = run(netconvert,
                               { QStringLiteral("-c"), path(".netccfg"), QStringLiteral("-X"),
                                 QStringLiteral("never") },
                               dir.path(), &output);
        return built && complaints(output).isEmpty() && QFile::exists(path(".net.xml"))
            ? QString()
            : output + QStringLiteral("\nnetconvert failed");
    }

    // An additional file that runs a program of the junction from time 0, with more
    // lines inside the element.
    QString programChoice(const QString &id, const QString &more) const
    {
        const QString additional = filePath(QStringLiteral("run%1.add.xml").arg(id));
        const bool written = TestSupport::writeFile(
            additional,
            QStringLiteral("<additional>\n"
                           "    <WAUT id=\"w\" refTime=\"0\" startProg=\"%1\"/>\n"
                           "    <wautJunction wautID=\"w\" junctionID=\"%2\"/>\n"
                           "%3"
                           "</additional>\n")
                .arg(id, base, more)
                .toUtf8());
        return written ? additional : QString();
    }

    // The ids of the programs in the program file.
    QStringList programs() const
    {
        QStringList ids;
        for (const auto &e : elements(file(".tll.xml"))) {
            if (e.first == QLatin1String("tlLogic"))
                ids.append(attribute(e.second, "programID"));
        }
        return ids;
    }

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

    // The movements of the controller's links, "from to" by edge, each once.
    QStringList movements() const
    {
        QStringList found;
        for (const QString &link : links()) {
            const QString movement = link.section(QLatin1Char(' '), 0, 1);
            if (!found.contains(movement))
                found.append(movement);
        }
        return found;
    }

    // The link indices that no signal group drives.
    QVector<int> unsignalledLinks() const
    {
        QVector<int> found;
        const QStringList keys = links();
        for (int i = 0; i < keys.size(); ++i) {
            if (groupOf(keys.at(i)) == 0)
                found.append(i);
        }
        return found;
    }

    // The edges that the links no signal group drives come from, each once: the approaches
    // left without a signal.
    QStringList unsignalledApproaches() const
    {
        QStringList found;
        const QStringList keys = links();
        for (int i : unsignalledLinks()) {
            const QString edge = keys.at(i).section(QLatin1Char(' '), 0, 0);
            if (!found.contains(edge))
                found.append(edge);
        }
        return found;
    }

    // The lanes inside the junction that the links with these indices take, from the
    // network netconvert built: a vehicle on one of them has passed the link's stop line.
    QStringList viaLanes(const QVector<int> &linkIndices) const
    {
        QStringList found;
        for (const auto &e : elements(TestSupport::readFile(path(".net.xml")))) {
            if (e.first == QLatin1String("connection") && attribute(e.second, "tl") == base
                && linkIndices.contains(attribute(e.second, "linkIndex").toInt()))
                found.append(attribute(e.second, "via"));
        }
        return found;
    }

    // The controller's group that drives the connection of a link key; 0 for none.
    int groupOf(const QString &key) const
    {
        for (const Halm58a::Connection *c : network.findChildren<Halm58a::Connection *>()) {
            const QString own = QStringList({ QString::number(c->fromLane()->edge()->id()),
                                              QString::number(c->toLane()->edge()->id()),
                                              QString::number(c->fromLane()->index()),
                                              QString::number(c->toLane()->index()) })
                                    .join(QLatin1Char(' '));
            if (own == key)
                return c->signalGroups().isEmpty() ? 0 : c->signalGroups().first()->tlId();
        }
        return -1;
    }
};

// What SUMO's statistics of a run hold against it: fewer vehicles loaded than asked
// for, vehicles that were never inserted or did not arrive (but for the left ones, which a
// run that ends at a fixed time may leave on the road or still to be inserted), other
// teleports than the expected ones, collisions and emergency stops. Empty for a whole and
// safe run.
inline QStringList unsafeRun(const QString &statistics, int fewestVehicles, int teleports = 0,
                             int left = 0)
{
    QMap<QString, QXmlStreamAttributes> summary;
    for (const auto &e : elements(TestSupport::readFile(statistics)))
        summary.insert(e.first, e.second);
    const QXmlStreamAttributes vehicles = summary.value(QStringLiteral("vehicles"));
    QStringList found;
    if (attribute(vehicles, "loaded").toInt() < fewestVehicles)
        found << QStringLiteral("vehicles loaded: ") + attribute(vehicles, "loaded");
    const int waiting = attribute(vehicles, "waiting").toInt();
    if (attribute(vehicles, "inserted").toInt() + waiting != attribute(vehicles, "loaded").toInt())
        found << QStringLiteral("vehicles inserted: ") + attribute(vehicles, "inserted");
    if (attribute(vehicles, "running").toInt() + waiting != left)
        found << QStringLiteral("vehicles running: %1, waiting to be inserted: %2, expected %3")
                     .arg(attribute(vehicles, "running"), attribute(vehicles, "waiting"))
                     .arg(left);
    const QList<std::tuple<const char *, const char *, int>> counts {
        { "teleports", "total", teleports },
        { "safety", "collisions", 0 },
        { "safety", "emergencyStops", 0 }
    };
    for (const auto &count : counts) {
        const QString value
            = attribute(summary.value(QLatin1String(std::get<0>(count))), std::get<1>(count));
        if (value != QString::number(std::get<2>(count)))
            found << QStringLiteral("%1 %2: %3")
                         .arg(QLatin1String(std::get<0>(count)), QLatin1String(std::get<1>(count)),
                              value);
    }
    return found;
}

} // namespace SumoSample
