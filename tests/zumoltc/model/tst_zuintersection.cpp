#include "testmain.h"
#include "zumoltc/model/zudetector.h"
#include "zumoltc/model/zuintergreenmatrix.h"
#include "zumoltc/model/zusignalgroup.h"
#include "zumoltc/model/zustage.h"

#include <QtTest>

using Pairs = QList<QPair<int, int>>;
using Indexes = QList<int>;
Q_DECLARE_METATYPE(Pairs)
Q_DECLARE_METATYPE(Indexes)

class TestZUIntersection : public QObject
{
    Q_OBJECT
private slots:
    void signalGroupTimes()
    {
        ZUSignalGroup group;
        QCOMPARE(group.type(), int(zu::traffic));
        QVERIFY(!group.hasTimes());
        group.setTClusterId(4);
        group.setType(zu::tram);
        QVERIFY(!group.hasTimes());
        group.setMinRed(3);
        QVERIFY(group.hasTimes());

        group.clear();
        QCOMPARE(group.type(), int(zu::traffic));
        QCOMPARE(group.tClusterId(), zu::NotSet);
        QCOMPARE(group.minRed(), zu::NotSet);
        QVERIFY(!group.hasTimes());
    }

    void timesEqual()
    {
        ZUSignalGroup a;
        ZUSignalGroup b;
        QVERIFY(a.timesEqual(&b));
        b.setType(zu::arrow);
        b.setTClusterId(2);
        QVERIFY(a.timesEqual(&b));
        b.setExtGreen2(6);
        QVERIFY(!a.timesEqual(&b));
        a.setExtGreen2(6);
        QVERIFY(a.timesEqual(&b));
        QVERIFY(!a.timesEqual(nullptr));
    }

    void signalGroupCloneCopiesEveryField()
    {
        ZUSignalGroup source;
        source.setType(zu::pedestrian);
        source.setExtRed(1);
        source.setAmber(2);
        source.setGreenBlink(3);
        source.setMaxGreen(4);
        source.setMaxRed(5);
        source.setMinGreen(6);
        source.setMinRed(7);
        source.setRedAmber(8);
        source.setExtGreen1(9);
        source.setExtGreen2(10);
        source.setTClusterId(11);
        ZUSignalGroup clone(source);
        QCOMPARE(clone.type(), int(zu::pedestrian));
        QVERIFY(clone.timesEqual(&source));
        QCOMPARE(clone.extGreen2(), 10);
        QCOMPARE(clone.tClusterId(), 11);
        // The clone's record is its own.
        clone.setAmber(20);
        QCOMPARE(source.amber(), 2);
    }

    void stageGroups()
    {
        QObject owner;
        auto *a = new ZUSignalGroup(&owner);
        auto *b = new ZUSignalGroup(&owner);
        ZUStage stage(&owner);
        stage.addGroup(a);
        stage.addGroup(b);
        stage.addGroup(a);
        stage.addGroup(nullptr);
        QCOMPARE(stage.groups(), QList<QPointer<ZUSignalGroup>>({ a, b }));

        stage.setMinTime(5);
        stage.setMaxTime(30);
        ZUStage clone(stage);
        QCOMPARE(clone.groups(), QList<QPointer<ZUSignalGroup>>({ a, b }));
        QCOMPARE(clone.minTime(), 5);
        QCOMPARE(clone.maxTime(), 30);

        stage.removeGroup(a);
        QCOMPARE(stage.groups(), QList<QPointer<ZUSignalGroup>>({ b }));
        delete b;
        QVERIFY(stage.groups().isEmpty());
        QCOMPARE(clone.groups(), QList<QPointer<ZUSignalGroup>>({ a }));
    }

    void addGroupKeepsOwnerOfStageWithoutParent()
    {
        QObject owner;
        auto *group = new ZUSignalGroup(&owner);
        ZUStage loose;
        loose.addGroup(group);
        QCOMPARE(group->parent(), &owner);
        QObject other;
        ZUStage owned(&other);
        owned.addGroup(group);
        QCOMPARE(group->parent(), &other);
    }

    void detectorClone()
    {
        ZUDetector source;
        source.setReport(true);
        QVERIFY(ZUDetector(source).report());
    }

    void conflictTimeIsUpsert()
    {
        ZUSignalGroup a;
        ZUSignalGroup b;
        ZUIntergreenMatrix matrix;
        QCOMPARE(matrix.conflictTime(&a, &b), zu::NotSet);
        matrix.setConflictTime(&a, &b, 5);
        matrix.setConflictTime(&a, &b, 7);
        QCOMPARE(matrix.points().size(), 1);
        QCOMPARE(matrix.conflictTime(&a, &b), 7);
        QCOMPARE(matrix.conflictTime(&b, &a), zu::NotSet);
        matrix.setConflictTime(&a, &b, zu::NotSet);
        QCOMPARE(matrix.points().size(), 1);
        matrix.setConflictTime(&a, nullptr, 3);
        QCOMPARE(matrix.points().size(), 1);
        matrix.clear();
        QVERIFY(matrix.points().isEmpty());
    }

    // Points are (clearing, entering) pairs of indexes into groups A, B, C, D.
    void conflictingGroups_data()
    {
        QTest::addColumn<Pairs>("points");
        QTest::addColumn<int>("group");
        QTest::addColumn<Indexes>("expected");
        QTest::newRow("both directions") << Pairs({ { 0, 1 }, { 2, 0 } }) << 0 << Indexes({ 1, 2 });
        QTest::newRow("pair both ways once")
            << Pairs({ { 0, 1 }, { 1, 0 } }) << 0 << Indexes({ 1 });
        QTest::newRow("order of first appearance")
            << Pairs({ { 3, 0 }, { 0, 1 }, { 0, 3 } }) << 0 << Indexes({ 3, 1 });
        QTest::newRow("no partner") << Pairs({ { 1, 2 } }) << 0 << Indexes();
        QTest::newRow("entering side") << Pairs({ { 0, 1 }, { 2, 1 } }) << 1 << Indexes({ 0, 2 });
    }
    void conflictingGroups()
    {
        QFETCH(Pairs, points);
        QFETCH(int, group);
        QFETCH(Indexes, expected);
        ZUSignalGroup groups[4];
        ZUIntergreenMatrix matrix;
        for (const auto &point : points)
            matrix.setConflictTime(&groups[point.first], &groups[point.second], 4);
        QList<QPointer<ZUSignalGroup>> expectedGroups;
        for (int index : expected)
            expectedGroups.append(&groups[index]);
        QCOMPARE(matrix.conflictingGroups(&groups[group]), expectedGroups);
    }

    void pointsDropDeadGroups()
    {
        ZUSignalGroup a;
        ZUSignalGroup c;
        auto *b = new ZUSignalGroup;
        ZUIntergreenMatrix matrix;
        matrix.setConflictTime(&a, b, 1);
        matrix.setConflictTime(&c, &a, 2);
        matrix.setConflictTime(b, &c, 3);
        delete b;
        QCOMPARE(matrix.points().size(), 1);
        QCOMPARE(matrix.points().first().time, 2);
        QCOMPARE(matrix.conflictingGroups(&a), QList<QPointer<ZUSignalGroup>>({ &c }));
    }

    // The matrix finds its points through an index: edits made through points() and
    // groups that die (their address possibly taken by a new group) must not fool it.
    void conflictTimeAfterOutsideEditsAndDeadGroups()
    {
        ZUSignalGroup a;
        ZUSignalGroup b;
        ZUIntergreenMatrix matrix;
        matrix.setConflictTime(&a, &b, 1);
        matrix.points().prepend(ZUIntergreenMatrix::Point { &b, &a, 2, {} });
        QCOMPARE(matrix.conflictTime(&b, &a), 2);
        QCOMPARE(matrix.conflictTime(&a, &b), 1);
        matrix.points()[1].entering = &a;
        QCOMPARE(matrix.conflictTime(&a, &b), zu::NotSet);
        QCOMPARE(matrix.conflictTime(&a, &a), 1);

        auto *dying = new ZUSignalGroup;
        matrix.setConflictTime(dying, &a, 3);
        delete dying;
        auto *born = new ZUSignalGroup; // may reuse the dead group's address
        QCOMPARE(matrix.conflictTime(born, &a), zu::NotSet);
        matrix.setConflictTime(born, &a, 4);
        QCOMPARE(matrix.conflictTime(born, &a), 4);
        QCOMPARE(matrix.points().size(), 3);
        delete born;
    }
};

PROJECT_TEST(TestZUIntersection);
#include "tst_zuintersection.moc"
