#include "cnfpositiontable.h"
#include "testmain.h"

#include <QtTest>

// The table behind the element indexes of a controller: every stored key is
// found at its position through growth and crowded slots, and the first position
// of a key keeps it.
class TestCnfPositionTable : public QObject
{
    Q_OBJECT
private slots:
    void numbers_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("step");
        QTest::newRow("consecutive") << 1 << 1;
        QTest::newRow("multiples of 4096") << 0 << 4096;
        QTest::newRow("negative") << -1 << -7;
    }

    void numbers()
    {
        QFETCH(int, first);
        QFETCH(int, step);
        CnfPositionTable<int> table;
        QCOMPARE(table.value(first), -1);
        const int count = 5000;
        for (int i = 0; i < count; ++i)
            QVERIFY(table.insert(first + i * step, i));
        QCOMPARE(table.size(), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(table.value(first + i * step), i);
        QCOMPARE(table.value(first + count * step), -1);
        QCOMPARE(table.value(first - step), -1);

        QVERIFY(!table.insert(first + 10 * step, 99));
        QCOMPARE(table.value(first + 10 * step), 10);

        table.clear();
        QCOMPARE(table.size(), 0);
        QCOMPARE(table.value(first), -1);
        QVERIFY(table.insert(first, 3));
        QCOMPARE(table.value(first), 3);
    }

    void texts()
    {
        CnfPositionTable<QString> table;
        for (int i = 0; i < 3000; ++i)
            QVERIFY(table.insert(QString::number(i), i));
        QVERIFY(!table.insert(QStringLiteral("17"), 5));
        QCOMPARE(table.value(QStringLiteral("17")), 17);
        QCOMPARE(table.value(QStringLiteral("2999")), 2999);
        QCOMPARE(table.value(QStringLiteral("3000")), -1);
        QCOMPARE(table.value(QString()), -1);
        QVERIFY(table.insert(QString(), 3000));
        QCOMPARE(table.value(QString()), 3000);
    }
};

PROJECT_TEST(TestCnfPositionTable);
#include "tst_cnfpositiontable.moc"
