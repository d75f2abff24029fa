#include "fourarmjunction.h"
#include "halm58a/conflictmatrix.h"
#include "testmain.h"

#include <QtTest>

#include <cmath>

using namespace Halm58a;

namespace {

// The conflicting pairs of tlIds, each as "a-b" with a < b, checked symmetric.
QStringList conflictPairs(const ConflictMatrix &matrix, const QList<SignalGroup *> &groups)
{
    QStringList pairs;
    for (int i = 0; i < groups.size(); ++i) {
        for (int j = i + 1; j < groups.size(); ++j) {
            const bool ab = !std::isnan(matrix.releaf(groups.at(i), groups.at(j)));
            const bool ba = !std::isnan(matrix.releaf(groups.at(j), groups.at(i)));
            if (ab != ba)
                return { QStringLiteral("asymmetric %1-%2")
                             .arg(groups.at(i)->tlId())
                             .arg(groups.at(j)->tlId()) };
            if (ab)
                pairs
                    << QStringLiteral("%1-%2").arg(groups.at(i)->tlId()).arg(groups.at(j)->tlId());
        }
    }
    return pairs;
}

} // namespace

class TestConflictMatrix : public QObject
{
    Q_OBJECT
private slots:
    void conflictsOfFourArmJunction_data()
    {
        QTest::addColumn<bool>("crossingsOnly");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("crossings and merges")
            << false << QStringList { "1-2", "1-3", "2-4", "3-4" };
        QTest::newRow("crossings only") << true << QStringList { "1-2", "1-3", "3-4" };
    }

    void conflictsOfFourArmJunction()
    {
        QFETCH(bool, crossingsOnly);
        QFETCH(QStringList, expected);
        Network net;
        FourArmJunction junction(net);
        const QSharedPointer<ConflictMatrix> matrix
            = net.findConflictMatrix(junction.groups, crossingsOnly, true, nullptr);
        QVERIFY2(matrix, qPrintable(net.errorString()));
        QCOMPARE(conflictPairs(*matrix, junction.groups), expected);
        for (const SignalGroup *group : junction.groups)
            QVERIFY(std::isnan(matrix->releaf(group, group)));
        QCOMPARE(matrix->releaf(junction.groups.at(0), junction.groups.at(1)), 1.0);
    }

    void clearanceTimes()
    {
        Network net;
        FourArmJunction junction(net);
        const QList<SignalGroup *> &g = junction.groups;
        const QSharedPointer<ConflictMatrix> matrix
            = net.findConflictMatrix(g, false, false, nullptr);
        QVERIFY(matrix);
        // Pedestrians of 3 ending before vehicles of 1 start: 9.75 m at 1.2 m/s less
        // 18 m at 10 m/s is 6.3 s, so 7. The other way round vehicles clear at once.
        QCOMPARE(matrix->releaf(g.at(0), g.at(2)), 7.0);
        QCOMPARE(matrix->releaf(g.at(2), g.at(0)), 0.0);
        // Crossing through traffic: (11.75 + 6) / 10 less 8.25 / 10 rounds up to 1.
        QCOMPARE(matrix->releaf(g.at(1), g.at(0)), 1.0);
        QVERIFY(std::isnan(matrix->releaf(g.at(0), g.at(3))));
    }

    void seedAddsKnownConflicts()
    {
        Network net;
        FourArmJunction junction(net);
        const QList<SignalGroup *> &g = junction.groups;
        QSharedPointer<ConflictMatrix> seed(new ConflictMatrix);
        seed->setReleaf(g.at(0), g.at(3), 4);
        seed->setReleaf(g.at(0), g.at(1), 99);
        const QSharedPointer<ConflictMatrix> matrix = net.findConflictMatrix(g, false, false, seed);
        QVERIFY(matrix);
        QCOMPARE(matrix->releaf(g.at(0), g.at(3)), 4.0);
        QVERIFY(std::isnan(matrix->releaf(g.at(3), g.at(0))));
        // Where the geometry finds a conflict its own value stands.
        QCOMPARE(matrix->releaf(g.at(0), g.at(1)), 1.0);
    }

    void failures()
    {
        Network net;
        FourArmJunction junction(net);
        QVERIFY(!net.findConflictMatrix({}, false, true, nullptr));
        QCOMPARE(net.errorString(), QStringLiteral("No signal groups given"));

        Network other;
        FourArmJunction foreign(other);
        QVERIFY(!net.findConflictMatrix({ junction.groups.first(), foreign.groups.first() }, false,
                                        true, nullptr));
        QCOMPARE(net.errorString(),
                 QStringLiteral("Signal group 1 does not belong to this network"));

        QVERIFY(
            !net.findConflictMatrix({ junction.groups.first(), nullptr }, false, true, nullptr));
        QVERIFY(!net.errorString().isEmpty());
    }

    void groupWithoutMovementsConflictsWithNothing()
    {
        Network net;
        FourArmJunction junction(net);
        auto *empty = new SignalGroup(junction.granule);
        empty->setTlId(9);
        QList<SignalGroup *> groups = junction.groups;
        groups.append(empty);
        const QSharedPointer<ConflictMatrix> matrix
            = net.findConflictMatrix(groups, false, true, nullptr);
        QVERIFY(matrix);
        for (const SignalGroup *group : junction.groups) {
            QVERIFY(std::isnan(matrix->releaf(empty, group)));
            QVERIFY(std::isnan(matrix->releaf(group, empty)));
        }
    }
};

PROJECT_TEST(TestConflictMatrix);
#include "tst_conflictmatrix.moc"
