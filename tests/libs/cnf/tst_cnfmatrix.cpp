#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "formatfixture.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

using Pairs = QList<QPair<int, int>>;

// The pairs of a matrix in list order.
Pairs pairsOf(const CnfMatrix &matrix)
{
    Pairs pairs;
    for (const CnfMatrixCell &cell : matrix.cellsInListOrder())
        pairs << qMakePair(cell.aId, cell.bId);
    return pairs;
}

int renamed(int id, int oldId, int newId)
{
    return id == oldId ? newId : id;
}

// The pairs of every matrix and the timeline groups of every program, in list order.
QList<QVariant> listsOf(const CnfController &controller)
{
    QList<QVariant> lists;
    for (const CnfMatrixPtr &matrix : controller.matrixList()) {
        QVariantList pairs;
        for (const QPair<int, int> &pair : pairsOf(*matrix))
            pairs << QVariant(QVariantList { pair.first, pair.second });
        lists << QVariant(pairs);
    }
    for (const CnfProgramPtr &program : controller.programs()) {
        QVariantList groups;
        for (int group : program->timelineGroups())
            groups << group;
        lists << QVariant(groups);
    }
    return lists;
}

// `lists` (see listsOf) with group `oldId` as `newId`.
QList<QVariant> renamedLists(const QList<QVariant> &lists, int oldId, int newId)
{
    QList<QVariant> result;
    for (const QVariant &list : lists) {
        QVariantList entries;
        for (const QVariant &entry : list.toList()) {
            if (entry.type() == QVariant::List) {
                const QVariantList pair = entry.toList();
                entries << QVariant(QVariantList { renamed(pair.at(0).toInt(), oldId, newId),
                                                   renamed(pair.at(1).toInt(), oldId, newId) });
            } else {
                entries << renamed(entry.toInt(), oldId, newId);
            }
        }
        result << QVariant(entries);
    }
    return result;
}

} // namespace

// The order of a matrix's values and of a program's timeline groups: what a
// file holds stays, a new id changes only the id.
class TestCnfMatrix : public QObject
{
    Q_OBJECT
private slots:
    void newPairsGoInPairOrder()
    {
        CnfMatrix matrix;
        matrix.setReleaf(2, 1, 5.0);
        matrix.setReleaf(1, 2, 4.0);
        matrix.setReleaf(1, 3, 3.0);
        QCOMPARE(pairsOf(matrix), (Pairs { { 1, 2 }, { 1, 3 }, { 2, 1 } }));
        matrix.appendReleaf(0, 1, 2.0);
        QCOMPARE(pairsOf(matrix), (Pairs { { 1, 2 }, { 1, 3 }, { 2, 1 }, { 0, 1 } }));
        matrix.setReleaf(1, 3, std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(pairsOf(matrix), (Pairs { { 1, 2 }, { 2, 1 }, { 0, 1 } }));
    }

    void movedGroupKeepsPlaces_data()
    {
        QTest::addColumn<int>("oldId");
        QTest::addColumn<int>("newId");
        QTest::addColumn<Pairs>("expected");
        QTest::newRow("new id") << 1 << 9 << Pairs { { 9, 2 }, { 2, 3 }, { 3, 9 }, { 9, 9 } };
        // Its value with group 2 does not become a value of 2 with itself.
        QTest::newRow("id of another group, whose values go")
            << 3 << 2 << Pairs { { 2, 1 }, { 1, 1 } };
        QTest::newRow("removed group") << 1 << -1 << Pairs { { 2, 3 } };
    }

    void movedGroupKeepsPlaces()
    {
        QFETCH(int, oldId);
        QFETCH(int, newId);
        QFETCH(Pairs, expected);
        CnfMatrix matrix;
        matrix.appendReleaf(1, 2, 1.0);
        matrix.appendReleaf(2, 3, 2.0);
        matrix.appendReleaf(3, 1, 3.0);
        matrix.appendReleaf(1, 1, 4.0);
        matrix.moveGroup(oldId, newId);
        QCOMPARE(pairsOf(matrix), expected);
        QCOMPARE(matrix.content().size(), expected.size());
        if (newId > 0)
            QCOMPARE(matrix.releaf(renamed(3, oldId, newId), renamed(1, oldId, newId)), 3.0);
    }

    void timelineGroupKeepsPlace()
    {
        CnfProgram program;
        program.appendTimelineData(3, 0, 1);
        program.appendTimelineData(1, 0, 1);
        program.appendTimelineData(2, 0, 1);
        program.setTimelineData(0, 0, 1);
        QCOMPARE(program.timelineGroups(), (QList<int> { 0, 3, 1, 2 }));
        program.moveTimelineGroup(1, 9);
        QCOMPARE(program.timelineGroups(), (QList<int> { 0, 3, 9, 2 }));
        program.moveTimelineGroup(9, 2);
        QCOMPARE(program.timelineGroups(), (QList<int> { 0, 3, 2 }));
        program.moveTimelineGroup(3, -1);
        QCOMPARE(program.timelineGroups(), (QList<int> { 0, 2 }));
    }

    void renamedGroupKeepsPlacesInFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("family");
        QTest::newRow("TIVERK 3.18")
            << TestSupport::examplesPath("tiverk318_intersection.cnf") << "tiverk";
        QTest::newRow("TIVERK II")
            << TestSupport::examplesPath("tiverkii_intersection.json") << "tiverkii";
        QTest::newRow("ZU_MOLT") << TestSupport::examplesPath("zumolt_intersection.json")
                                 << "ZU_MOLT";
    }

    // The group with the lowest id gets an id above all: saved and read back,
    // its values and timeline points are where they were.
    void renamedGroupKeepsPlacesInFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, family);
        QTemporaryDir dir;
        QString error;
        CnfController controller;
        QVERIFY2(FormatFixture::loadFile(path, controller, &error), qPrintable(error));
        QList<int> ids;
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            ids << group->id;
        QVERIFY(!ids.isEmpty());
        const int oldId = *std::min_element(ids.begin(), ids.end());
        const int newId = *std::max_element(ids.begin(), ids.end()) + 10;
        const QList<QVariant> expected = renamedLists(listsOf(controller), oldId, newId);

        QVERIFY2(controller.renameSignalGroup(oldId, newId), qPrintable(controller.lastError()));
        QCOMPARE(listsOf(controller), expected);
        const QString saved = dir.filePath(QStringLiteral("renamed"));
        QVERIFY2(CnfNative::save(saved, controller, family, error), qPrintable(error));
        CnfController reread;
        QVERIFY2(FormatFixture::loadFile(saved, reread, &error), qPrintable(error));
        QCOMPARE(listsOf(reread), expected);

        // The group had values, and id order would have put them elsewhere.
        bool moved = false;
        for (const CnfMatrixPtr &matrix : reread.matrixList()) {
            Pairs sorted = pairsOf(*matrix);
            std::sort(sorted.begin(), sorted.end());
            moved = moved || sorted != pairsOf(*matrix);
        }
        QVERIFY(moved);
    }

    // A file whose matrix holds values of a group it does not have (4): the
    // values are named and kept; no group takes id 4 (a new id, an added
    // group, the free id of a Duplicate) while they are there, or the group
    // would take them over.
    void valuesWithoutGroupKeepTheirId_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("newId");
        QTest::addColumn<QString>("error"); // empty: the new id is taken
        const QString refused = QStringLiteral(
            "Matrix 1 holds values of signal group 4, which does not exist; a group given id 4 "
            "would take them over: choose another id");
        QTest::newRow("group with a value with them") << 3 << 4 << refused;
        QTest::newRow("group with values beside them") << 2 << 4 << refused;
        QTest::newRow("group with values in the other matrix only") << 1 << 4 << refused;
        QTest::newRow("another new id") << 3 << 9 << QString();
    }

    void valuesWithoutGroupKeepTheirId()
    {
        QFETCH(int, group);
        QFETCH(int, newId);
        QFETCH(QString, error);
        const QString path = TestSupport::dataPath("cnf/matrix_values_without_group.cnf");
        QString loadError;
        CnfController controller;
        QVERIFY2(FormatFixture::loadFile(path, controller, &loadError), qPrintable(loadError));
        QCOMPARE(controller.matrixValuesWithoutGroup(),
                 QStringList { "Matrix 1 holds values of signal groups that do not exist: 4; "
                               "they are kept as they are" });
        QCOMPARE(controller.freeSignalGroupId(1), 5);
        QCOMPARE(controller.freeSignalGroupId(3), 5);
        QCOMPARE(controller.freeSignalGroupId(6), 6);
        QVERIFY(!controller.acceptsNewSignalGroupId(4));
        QCOMPARE(controller.lastError(),
                 QStringLiteral("Matrix 1 holds values of signal group 4, which does not exist; "
                                "a group given id 4 would take them over: choose another id"));
        QVERIFY(controller.acceptsNewSignalGroupId(5));
        QVERIFY(!controller.acceptsNewSignalGroupId(3));

        const QList<QVariant> before = listsOf(controller);
        QCOMPARE(controller.renameSignalGroup(group, newId), error.isEmpty());
        if (!error.isEmpty()) {
            QCOMPARE(controller.lastError(), error);
            QCOMPARE(listsOf(controller), before);
            QVERIFY(controller.findSG(group));
            return;
        }
        // The stray values stay where they are, with the renamed group's id.
        QCOMPARE(listsOf(controller), renamedLists(before, group, newId));
        QVERIFY(controller.renameSignalGroup(newId, group));
        QCOMPARE(listsOf(controller), before);
        for (const CnfMatrixPtr &matrix : controller.matrixList()) {
            for (const CnfMatrixCell &cell : matrix->content())
                QVERIFY(cell.aId != cell.bId);
        }
        // A Delete takes the group's values, the stray ones stay.
        QVERIFY(controller.removeSignalGroup(3));
        QCOMPARE(pairsOf(*controller.findMatrix(1)), (Pairs { { 1, 2 }, { 2, 1 }, { 1, 4 } }));
        QCOMPARE(controller.matrixValuesWithoutGroup(),
                 QStringList { "Matrix 1 holds values of signal groups that do not exist: 4; "
                               "they are kept as they are" });
    }
};

PROJECT_TEST(TestCnfMatrix);
#include "tst_cnfmatrix.moc"
