#include "sumosample.h"
#include "testdata.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QtTest>

using namespace SumoSample;

namespace {

// The trips depart in the first half hour.
const int demandEnd = 1800;
// A run with an approach that jams ends this long after the demand: dense demand keeps the
// other approaches queued for up to 75 minutes after it (SUMO 1.15, vehicles inserted late).
const int clearance = 9000;

// Random trips over the junction for half an hour, one every period seconds from the
// seed: SUMO's randomTrips.py (Debian's sumo-tools) with its routes checked by SUMO's
// router, as a SUMO user makes them; without those tools, drawn here from the movements
// the junction has ("from to" edge pairs). The trips file, empty on failure.
QString randomTrips(const SampleExport &sample, const QStringList &movements, int seed, int period,
                    QString *output)
{
    const QString trips = sample.filePath(QStringLiteral("trips%1_%2.xml").arg(seed).arg(period));
    const int end = demandEnd;
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    const QString tool = QDir(sumoHome()).filePath(QStringLiteral("tools/randomTrips.py"));
    if (!python.isEmpty() && QFile::exists(tool)
        && !QStandardPaths::findExecutable(QStringLiteral("duarouter")).isEmpty()) {
        const bool made = run(python,
                              { tool, QStringLiteral("-n"), sample.path(".net.xml"),
                                QStringLiteral("-s"), QString::number(seed), QStringLiteral("-p"),
                                QString::number(period), QStringLiteral("-e"), QString::number(end),
                                QStringLiteral("--fringe-factor"), QStringLiteral("max"),
                                QStringLiteral("--validate"), QStringLiteral("-o"), trips },
                              sample.dir.path(), output);
        return made && QFile::exists(trips) ? trips : QString();
    }
    QRandomGenerator random { quint32(seed) };
    QString text = QStringLiteral("<routes>\n");
    for (int depart = 0, id = 0; depart < end; depart += period, ++id) {
        const QString movement = movements.at(random.bounded(movements.size()));
        text += QStringLiteral("    <trip id=\"%1\" depart=\"%2\" from=\"%3\" to=\"%4\"/>\n")
                    .arg(id)
                    .arg(depart)
                    .arg(movement.section(QLatin1Char(' '), 0, 0),
                         movement.section(QLatin1Char(' '), 1, 1));
    }
    text += QStringLiteral("</routes>\n");
    return TestSupport::writeFile(trips, text.toUtf8()) ? trips : QString();
}

// The trips of a trips file by their id, each with the edge it starts from.
QMap<QString, QString> tripOrigins(const QString &trips)
{
    QMap<QString, QString> origins;
    for (const auto &e : elements(TestSupport::readFile(trips))) {
        if (e.first == QLatin1String("trip"))
            origins.insert(attribute(e.second, "id"), attribute(e.second, "from"));
    }
    return origins;
}

// The ids of the vehicles that arrived, from SUMO's trip information.
QSet<QString> arrivedVehicles(const QString &tripinfo)
{
    QSet<QString> ids;
    for (const auto &e : elements(TestSupport::readFile(tripinfo))) {
        if (e.first == QLatin1String("tripinfo"))
            ids.insert(attribute(e.second, "id"));
    }
    return ids;
}

// The lanes of the list on which SUMO's lane data saw a vehicle, with how many entered.
QStringList usedLanes(const QString &laneData, const QStringList &lanes)
{
    QStringList found;
    for (const auto &e : elements(TestSupport::readFile(laneData))) {
        if (e.first == QLatin1String("lane") && lanes.contains(attribute(e.second, "id"))
            && (attribute(e.second, "entered").toInt() > 0
                || attribute(e.second, "sampledSeconds").toDouble() > 0))
            found.append(QStringLiteral("%1: %2 vehicles entered")
                             .arg(attribute(e.second, "id"), attribute(e.second, "entered")));
    }
    return found;
}

} // namespace

// SUMO runs half an hour of random traffic through the exported sample, with all its signal
// groups and with an approach left without a signal; apart from the export's tests, for its
// runs take the longest. Each test function is an entry of CTest of its own, so that they
// run side by side.
class TestSumoTraffic : public QObject
{
    Q_OBJECT
private slots:
    // Random traffic as a SUMO user first tries it (trips from every arm to every other,
    // dense demand among them), under each fixed-time program, passes safely: every green
    // ends in a way a driver can stop for, no left turner waiting in the junction is
    // caught by traffic that still has green, and in the yellow left turners still give
    // way to the oncoming cars crossing, so no vehicle collides (inside the junction
    // included), brakes or stops in an emergency or is teleported, every vehicle arrives,
    // and SUMO does not miss a yellow.
    void everyGroupSignalled_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("period");
        for (int seed : { 3, 7, 99, 2024 }) {
            for (int period : { 1, 2 })
                QTest::addRow("seed %d, a vehicle every %d s", seed, period) << seed << period;
        }
        // A west left turner meets, in the first second of the yellow, an oncoming car that
        // has just started from the stop line.
        QTest::addRow("seed 2, a vehicle every 2 s") << 2 << 2;
    }

    void everyGroupSignalled()
    {
        QFETCH(int, seed);
        QFETCH(int, period);
        passesSafely(seed, period, 0, 0);
    }

    // With a group deleted or its connections cleared, its links stay red (r): no vehicle of
    // their approach ever passes the stop line into the junction, and no vehicle collides
    // or brakes in an emergency either. Their approach jams, and SUMO teleports the
    // vehicles that wait there too long (one per lane every 300 s): those teleports, and no
    // others, are expected. The jam never clears, so the run ends at a fixed time after the
    // demand (SUMO's --end), when every vehicle of the other approaches has arrived, rather
    // than when SUMO has teleported the last one waiting, one every 300 s (up to the
    // simulated day's end).
    void approachWithoutSignal_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("deletedGroup");
        QTest::addColumn<int>("clearedGroup");
        QTest::addRow("seed 3, a vehicle every 1 s, group 3 deleted") << 3 << 1 << 3 << 0;
        QTest::addRow("seed 7, a vehicle every 2 s, group 3 deleted") << 7 << 2 << 3 << 0;
        // By Delete or by "Clear assigned connections" (which export the same files for
        // group 4): demands under which its drivers, made to give way (o) rather than to
        // stop, ran into signalled traffic or braked hard for it.
        QTest::addRow("seed 2004, a vehicle every 1 s, group 1 deleted") << 2004 << 1 << 1 << 0;
        QTest::addRow("seed 2003, a vehicle every 2 s, group 1 deleted") << 2003 << 2 << 1 << 0;
        QTest::addRow("seed 2001, a vehicle every 2 s, group 2 deleted") << 2001 << 2 << 2 << 0;
        QTest::addRow("seed 2005, a vehicle every 3 s, group 2 deleted") << 2005 << 3 << 2 << 0;
        QTest::addRow("seed 2002, a vehicle every 1 s, group 4 deleted") << 2002 << 1 << 4 << 0;
        QTest::addRow("seed 2003, a vehicle every 1 s, group 4 cleared") << 2003 << 1 << 0 << 4;
    }

    void approachWithoutSignal()
    {
        QFETCH(int, seed);
        QFETCH(int, period);
        QFETCH(int, deletedGroup);
        QFETCH(int, clearedGroup);
        passesSafely(seed, period, deletedGroup, clearedGroup);
    }

private:
    void passesSafely(int seed, int period, int deletedGroup, int clearedGroup)
    {
        const SumoPrograms sumo;
        if (!sumo.installed())
            QSKIP("SUMO is not installed (scripts/install-deps.sh installs it)");
        SampleExport sample(deletedGroup, clearedGroup);
        const QStringList unsignalled = sample.unsignalledApproaches();
        const QString failure = sample.buildFailure(sumo.netconvert);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QString output;
        const QString trips = randomTrips(sample, sample.movements(), seed, period, &output);
        QVERIFY2(!trips.isEmpty(), qPrintable(output));
        const QMap<QString, QString> origins = tripOrigins(trips);
        QVERIFY(!origins.isEmpty());
        const QStringList neverPassed = sample.viaLanes(sample.unsignalledLinks());
        QCOMPARE(neverPassed.size(), sample.unsignalledLinks().size());
        QVERIFY(!neverPassed.contains(QString()));
        QCOMPARE(unsignalled.isEmpty(), deletedGroup == 0 && clearedGroup == 0);

        const QStringList programs = sample.programs();
        QVERIFY(!programs.isEmpty());
        for (const QString &id : programs) {
            const QString statistics = sample.filePath(QStringLiteral("statistics%1.xml").arg(id));
            const QString tripinfo = sample.filePath(QStringLiteral("tripinfo%1.xml").arg(id));
            const QString lanes = sample.filePath(QStringLiteral("lanes%1.xml").arg(id));
            QStringList arguments { QStringLiteral("-n"),
                                    sample.path(".net.xml"),
                                    QStringLiteral("-r"),
                                    trips,
                                    QStringLiteral("--collision.check-junctions"),
                                    QStringLiteral("true"),
                                    QStringLiteral("--statistic-output"),
                                    statistics,
                                    QStringLiteral("-X"),
                                    QStringLiteral("never"),
                                    QStringLiteral("--no-step-log") };
            QString additional;
            if (unsignalled.isEmpty()) {
                additional = sample.programChoice(id, QString());
            } else {
                // What passed the stop lines, and who arrived, until the fixed end.
                additional = sample.programChoice(
                    id,
                    QStringLiteral("    <laneData id=\"junction\" file=\"%1\" withInternal=\"true\""
                                   " excludeEmpty=\"true\"/>\n")
                        .arg(QFileInfo(lanes).fileName()));
                arguments << QStringLiteral("--end") << QString::number(demandEnd + clearance)
                          << QStringLiteral("--tripinfo-output") << tripinfo;
            }
            QVERIFY(!additional.isEmpty());
            arguments << QStringLiteral("-a") << additional;
            QVERIFY2(run(sumo.sumo, arguments, sample.dir.path(), &output), qPrintable(output));
            const QString where = QStringLiteral("program %1:\n").arg(id);
            QStringList found = complaints(output, sample.unsignalledLinks());
            // A vehicle that waits too long on a lane of an approach without a signal is
            // teleported on, for that red never ends; any other teleport is a fault.
            static const QRegularExpression waitedOnLane(
                QStringLiteral("^Warning: Teleporting vehicle '[^']*'; waited too long.*, "
                               "lane='([^':]+)_[0-9]+',"));
            int teleports = 0;
            for (const QString &line : output.split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch waited = waitedOnLane.match(line);
                if (waited.hasMatch() && unsignalled.contains(waited.captured(1)))
                    ++teleports;
                else if (line.contains(QLatin1String("emergency"), Qt::CaseInsensitive)
                         || line.contains(QLatin1String("collision"), Qt::CaseInsensitive)
                         || (line.contains(QLatin1String("teleport"), Qt::CaseInsensitive)
                             && !line.contains(QLatin1String(" ends teleporting "))))
                    found.append(line);
            }
            QVERIFY2(found.isEmpty(), qPrintable(where + found.join(QLatin1Char('\n'))));

            // A link that is red is never passed: its vehicles wait at the stop line (SUMO's
            // o would let them cross whenever the main road leaves them a gap).
            const QStringList passed = usedLanes(lanes, neverPassed);
            QVERIFY2(passed.isEmpty(), qPrintable(where + passed.join(QLatin1Char('\n'))));

            // The vehicles left at the end are those of the jammed approaches.
            int left = 0;
            if (!unsignalled.isEmpty()) {
                const QSet<QString> arrived = arrivedVehicles(tripinfo);
                QStringList late;
                for (auto trip = origins.cbegin(); trip != origins.cend(); ++trip) {
                    if (arrived.contains(trip.key()))
                        continue;
                    if (unsignalled.contains(trip.value()))
                        ++left;
                    else
                        late.append(trip.key());
                }
                QVERIFY2(late.isEmpty(),
                         qPrintable(where + QStringLiteral("not arrived by the end: ")
                                    + late.join(QLatin1Char(' '))));
            }
            const QStringList unsafe
                = unsafeRun(statistics, demandEnd / period / 2, teleports, left);
            QVERIFY2(unsafe.isEmpty(), qPrintable(where + unsafe.join(QLatin1Char('\n'))));
        }
    }
};

PROJECT_TEST(TestSumoTraffic);
#include "tst_sumotraffic.moc"
