#include "common/widgets/parameterstable.h"
#include "common/widgets/rowdragdrop.h"
#include "testmain.h"

#include <QDataStream>
#include <QMimeData>
#include <QSignalSpy>
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

// A parameter table as the forms that allow row dragging set it up, with
// its drag and drop handlers open to the test.
class DragTable : public ParametersTable
{
public:
    // One row per letter: column 0 the letter, column 1 a read-only grey cell
    // holding the letter in lower case, column 2 empty.
    explicit DragTable(const QString &letters)
    {
        setDragEnabled(true);
        setDragDropMode(QAbstractItemView::DragDrop);
        setDragDropOverwriteMode(false);
        setDefaultDropAction(Qt::CopyAction);
        setColumnCount(3);
        setRowCount(letters.size());
        for (int row = 0; row < letters.size(); ++row) {
            setItem(row, 0, new QTableWidgetItem(letters.at(row)));
            auto *readOnly = new QTableWidgetItem(letters.at(row).toLower());
            readOnly->setFlags(readOnly->flags() & ~Qt::ItemIsEditable);
            readOnly->setBackground(Qt::lightGray);
            setItem(row, 1, readOnly);
        }
        resize(300, 400);
    }

    using ParametersTable::dropEvent;
    using ParametersTable::mimeData;
    using ParametersTable::mimeTypes;
    bool isDragging() const { return state() == DraggingState; }
    bool isIdle() const { return state() == NoState; }

    // Column 0 read top down, then every row checked for moving as a whole.
    QString order() const
    {
        QString letters;
        for (int row = 0; row < rowCount(); ++row) {
            const QString letter = item(row, 0)->text();
            if (item(row, 1)->text() != letter.toLower() || item(row, 2))
                return QStringLiteral("row %1 torn apart").arg(row);
            letters += letter;
        }
        return letters;
    }

    // Drags the rows of these cells, (row, column) in selection order.
    QByteArray dragPayload(const QList<QPoint> &cells) const
    {
        QList<QTableWidgetItem *> items;
        for (const QPoint &cell : cells)
            items << item(cell.x(), cell.y());
        QScopedPointer<QMimeData> data(mimeData(items));
        return data->data(QLatin1String(RowDragDrop::RowsMimeType));
    }

    // Drops a payload on a cell; row -1 means below the last row.
    bool drop(const QByteArray &payload, int row, int column = 0,
              Qt::DropAction proposed = Qt::CopyAction,
              const QString &format = QLatin1String(RowDragDrop::RowsMimeType))
    {
        QMimeData data;
        data.setData(format, payload);
        const QPoint pos = row < 0
            ? QPoint(5, rowViewportPosition(rowCount() - 1) + rowHeight(0) + 5)
            : visualRect(model()->index(row, column)).center();
        QDropEvent event(pos, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
        event.setDropAction(proposed);
        dropEvent(&event);
        lastDropAction = event.dropAction();
        return event.isAccepted();
    }

    Qt::DropAction lastDropAction = Qt::IgnoreAction;
};

} // namespace

class TestRowDragDrop : public QObject
{
    Q_OBJECT
private slots:
    void payloadBytes()
    {
        QTableWidget table(13, 2);
        for (int row : { 12, 3 })
            for (int column = 0; column < 2; ++column)
                table.setItem(row, column, new QTableWidgetItem);
        // Row 12 twice (two cells) and a null item: each row once, in item order.
        const QByteArray payload = RowDragDrop::encodeRows(
            { table.item(12, 0), nullptr, table.item(12, 1), table.item(3, 1) });
        const QByteArray expected = QByteArray::fromHex("00000004"
                                                        "00310032"
                                                        "00000002"
                                                        "0033");
        QCOMPARE(payload, expected);
        QVERIFY(RowDragDrop::encodeRows({}).isEmpty());
        QCOMPARE(QByteArray(RowDragDrop::RowsMimeType), QByteArray("application/rows.text.list"));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QList<int>>("rows");

        QTest::newRow("payload order kept")
            << payloadOf({ "3", "0", "4" }) << QList<int> { 3, 0, 4 };
        QTest::newRow("repeated row once") << payloadOf({ "1", "1", "2" }) << QList<int> { 1, 2 };
        QTest::newRow("not numbers skipped")
            << payloadOf({ "x", "1.5", "", "2" }) << QList<int> { 2 };
        QTest::newRow("out of range skipped")
            << payloadOf({ "-1", "5", "9", "4" }) << QList<int> { 4 };
        QTest::newRow("empty") << QByteArray() << QList<int>();
        QTest::newRow("truncated tail") << payloadOf({ "1", "2" }).left(10) << QList<int> { 1 };
        QTest::newRow("length beyond the data")
            << QByteArray::fromHex("7fffffff0031") << QList<int>();
    }
    void decode()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QList<int>, rows);
        QCOMPARE(RowDragDrop::decodeRows(payload, 5), rows);
    }

    void tableOffersOnlyItsRows()
    {
        DragTable table(QStringLiteral("ABCDE"));
        QCOMPARE(table.mimeTypes(), QStringList { QStringLiteral("application/rows.text.list") });
        QScopedPointer<QMimeData> data(
            table.mimeData({ table.item(3, 1), table.item(3, 0), table.item(1, 0) }));
        QCOMPARE(data->formats(), QStringList { QStringLiteral("application/rows.text.list") });
        QCOMPARE(
            RowDragDrop::decodeRows(data->data(QStringLiteral("application/rows.text.list")), 5),
            (QList<int> { 3, 1 }));
    }

    // Selected cells in selection order are dragged onto a row.
    void reorder_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QList<QPoint>>("dragged");
        QTest::addColumn<int>("dropRow");
        QTest::addColumn<int>("dropColumn");
        QTest::addColumn<QString>("order");

        QTest::newRow("D onto B") << "ABCDE" << QList<QPoint> { { 3, 0 } } << 1 << 0 << "ADBCE";
        QTest::newRow("B onto D") << "ABCDE" << QList<QPoint> { { 1, 0 } } << 3 << 0 << "ACDBE";
        QTest::newRow("A and B below the last row")
            << "ABC" << QList<QPoint> { { 0, 0 }, { 1, 1 } } << -1 << 0 << "CAB";
        QTest::newRow("C and A onto A")
            << "ABC" << QList<QPoint> { { 2, 0 }, { 0, 0 } } << 0 << 0 << "CAB";
        QTest::newRow("a whole row selected")
            << "ABCDE" << QList<QPoint> { { 4, 0 }, { 4, 1 } } << 0 << 1 << "EABCD";
        QTest::newRow("onto itself") << "ABCDE" << QList<QPoint> { { 2, 0 } } << 2 << 0 << "ABCDE";
        QTest::newRow("onto the last row")
            << "ABCDE" << QList<QPoint> { { 0, 0 } } << 4 << 0 << "BCDEA";
        // Over the empty third column of row 1: still row 1, not the end.
        QTest::newRow("onto an empty cell")
            << "ABCDE" << QList<QPoint> { { 3, 0 } } << 1 << 2 << "ADBCE";
    }
    void reorder()
    {
        QFETCH(QString, rows);
        QFETCH(QList<QPoint>, dragged);
        QFETCH(int, dropRow);
        QFETCH(int, dropColumn);
        QFETCH(QString, order);

        DragTable table(rows);
        QSignalSpy changed(&table, &ParametersTable::rowOrderChanged);
        QVERIFY(table.drop(table.dragPayload(dragged), dropRow, dropColumn));
        QCOMPARE(table.order(), order);
        QCOMPARE(changed.count(), 1);
    }

    void itemsMoveWithAllTheirData()
    {
        DragTable table(QStringLiteral("ABCDE"));
        QTableWidgetItem *letter = table.item(3, 0);
        QTableWidgetItem *readOnly = table.item(3, 1);
        QVERIFY(table.drop(table.dragPayload({ { 3, 0 } }), 1));
        QCOMPARE(table.item(1, 0), letter);
        QCOMPARE(table.item(1, 1), readOnly);
        QVERIFY(!(table.item(1, 1)->flags() & Qt::ItemIsEditable));
        QCOMPARE(table.item(1, 1)->background().color(), QColor(Qt::lightGray));
    }

    void payloadFromAnotherTable()
    {
        DragTable source(QStringLiteral("VWXYZ"));
        DragTable target(QStringLiteral("ABCDE"));
        QVERIFY(target.drop(source.dragPayload({ { 4, 0 }, { 0, 0 } }), 2));
        QCOMPARE(target.order(), QStringLiteral("BCEAD"));
        QCOMPARE(source.order(), QStringLiteral("VWXYZ"));
    }

    void payloadWithoutValidRows()
    {
        // Still accepted and announced; the order stays.
        DragTable table(QStringLiteral("ABC"));
        QSignalSpy changed(&table, &ParametersTable::rowOrderChanged);
        QVERIFY(table.drop(payloadOf({ "7", "x", "-1" }), 0));
        QCOMPARE(table.order(), QStringLiteral("ABC"));
        QCOMPARE(changed.count(), 1);
    }

    void emptyOrForeignDataIgnored_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("format");
        QTest::newRow("empty payload")
            << QByteArray() << QStringLiteral("application/rows.text.list");
        QTest::newRow("other type") << payloadOf({ "0" }) << QStringLiteral("text/plain");
    }
    void emptyOrForeignDataIgnored()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, format);

        DragTable table(QStringLiteral("ABC"));
        QSignalSpy changed(&table, &ParametersTable::rowOrderChanged);
        QVERIFY(!table.drop(payload, 2, 0, Qt::CopyAction, format));
        QCOMPARE(table.order(), QStringLiteral("ABC"));
        QCOMPARE(changed.count(), 0);
    }

    void viewRefusesOtherTypes_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("rows") << QStringLiteral("application/rows.text.list") << true;
        QTest::newRow("text") << QStringLiteral("text/plain") << false;
        QTest::newRow("table cells")
            << QStringLiteral("application/x-qabstractitemmodeldatalist") << false;
    }
    void viewRefusesOtherTypes()
    {
        QFETCH(QString, format);
        QFETCH(bool, accepted);

        DragTable table(QStringLiteral("ABC"));
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QMimeData data;
        data.setData(format, payloadOf({ "0" }));
        QDragEnterEvent enter(table.visualRect(table.model()->index(1, 0)).center(), Qt::CopyAction,
                              &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table.viewport(), &enter);
        QCOMPARE(enter.isAccepted(), accepted);
    }

    void dropEndsTheDragState()
    {
        DragTable table(QStringLiteral("ABC"));
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QMimeData data;
        data.setData(QLatin1String(RowDragDrop::RowsMimeType), payloadOf({ "0" }));
        QDragEnterEvent enter(table.visualRect(table.model()->index(1, 0)).center(), Qt::CopyAction,
                              &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table.viewport(), &enter);
        QVERIFY(table.isDragging());
        QVERIFY(table.drop(payloadOf({ "0" }), 2));
        QVERIFY(table.isIdle());
        QCOMPARE(table.order(), QStringLiteral("BCA"));
    }

    void moveDropBecomesCopy()
    {
        // A move would make the dragging table clear the rows it just moved.
        DragTable table(QStringLiteral("ABC"));
        QVERIFY(table.drop(table.dragPayload({ { 0, 0 } }), -1, 0, Qt::MoveAction));
        QCOMPARE(table.lastDropAction, Qt::CopyAction);
        QCOMPARE(table.order(), QStringLiteral("BCA"));
    }
};

PROJECT_TEST(TestRowDragDrop);
#include "tst_rowdragdrop.moc"
