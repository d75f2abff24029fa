#include "rowdragdrop.h"
#include "testmain.h"

#include <QDataStream>
#include <QTableWidget>
#include <QtTest>

namespace {

QByteArray payloadOf(const QStringList &texts)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    for (const QString &text : texts)
        out << text;
    return payload;
}

} // namespace

class TestRowDragDrop : public QObject
{
    Q_OBJECT
private slots:
    void payloadBytes()
    {
        QTableWidget table(13, 2);
        for (int row : {12, 3})
            for (int column = 0; column < 2; ++column)
                table.setItem(row, column, new QTableWidgetItem);
        // Row 12 twice (two cells) and a null item: each row once, in item order.
        const QByteArray payload = RowDragDrop::encodeRows(
            {table.item(12, 0), nullptr, table.item(12, 1), table.item(3, 1)});
        const QByteArray expected = QByteArray::fromHex("00000004" "00310032" "00000002" "0033");
        QCOMPARE(payload, expected);
        QVERIFY(RowDragDrop::encodeRows({}).isEmpty());
        QCOMPARE(QByteArray(RowDragDrop::RowsMimeType), QByteArray("application/rows.text.list"));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QList<int>>("rows");

        QTest::newRow("payload order kept") << payloadOf({"3", "0", "4"}) << QList<int>{3, 0, 4};
        QTest::newRow("repeated row once") << payloadOf({"1", "1", "2"}) << QList<int>{1, 2};
        QTest::newRow("not numbers skipped") << payloadOf({"x", "1.5", "", "2"}) << QList<int>{2};
        QTest::newRow("out of range skipped") << payloadOf({"-1", "5", "9", "4"}) << QList<int>{4};
        QTest::newRow("empty") << QByteArray() << QList<int>();
        QTest::newRow("truncated tail") << payloadOf({"1", "2"}).left(10) << QList<int>{1};
        QTest::newRow("length beyond the data") << QByteArray::fromHex("7fffffff0031") << QList<int>();
    }
    void decode()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QList<int>, rows);
        QCOMPARE(RowDragDrop::decodeRows(payload, 5), rows);
    }
};

PROJECT_TEST(TestRowDragDrop);
#include "tst_rowdragdrop.moc"
