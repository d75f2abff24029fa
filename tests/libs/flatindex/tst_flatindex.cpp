#include "flatindex/flatindex.h"
#include "testmain.h"

#include <QtTest>

// The table behind the element indexes of both configuration models: every
// stored key is found with its value through growth, crowded slots and removals,
// and the first value of a key keeps it.
class TestFlatIndex : public QObject
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
        FlatIndex<int> table;
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

    void removals()
    {
        // Multiples of 64 crowd the same slots, so removals have entries behind
        // them that must move back.
        FlatIndex<int> table;
        const int count = 3000;
        for (int i = 0; i < count; ++i)
            QVERIFY(table.insert(i * 64, i));
        for (int i = 0; i < count; i += 3)
            QVERIFY(table.remove(i * 64));
        QVERIFY(!table.remove(0));
        QVERIFY(!table.remove(1));
        QCOMPARE(table.size(), count - count / 3);
        for (int i = 0; i < count; ++i)
            QCOMPARE(table.value(i * 64), i % 3 ? i : -1);
        for (int i = 0; i < count; i += 3)
            QVERIFY(table.insert(i * 64, count + i));
        QCOMPARE(table.size(), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(table.value(i * 64), i % 3 ? i : count + i);
    }

    void texts()
    {
        FlatIndex<QString> table;
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

PROJECT_TEST(TestFlatIndex);
#include "tst_flatindex.moc"
