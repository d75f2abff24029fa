#include "plivek/framework/tiverkedittable.h"
#include "testmain.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QtTest>

namespace {

// The table's cells as text rows, "-" for a cell that is not set.
QStringList cells(const TiverkEditTable &table)
{
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QVariant value = table.cellValue(row, column);
            fields << (value.isValid() ? value.toString() : QStringLiteral("-"));
        }
        rows << fields.join(QLatin1Char(' '));
    }
    return rows;
}

// A 3 x 3 table holding 1 .. 9, row by row.
void fillNumbers(TiverkEditTable &table)
{
    table.setRowCount(3);
    table.setColumnCount(3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            table.setCellValue(row, column, row * 3 + column + 1);
}

} // namespace

class TestTiverkEditTable : public QObject
{
    Q_OBJECT
private slots:
    void actions()
    {
        TiverkEditTable table;
        QCOMPARE(table.contextMenuPolicy(), Qt::ActionsContextMenu);
        const QList<QAction *> actions = table.actions();
        QCOMPARE(actions.size(), 3);
        const QStringList names { "copy", "copy_all", "paste" };
        const QStringList texts { "Copy", "Copy all with titles", "Paste" };
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(actions.at(i)->objectName(), names.at(i));
            QCOMPARE(actions.at(i)->text(), texts.at(i));
            QCOMPARE(actions.at(i)->shortcutContext(), Qt::WidgetShortcut);
        }
        QCOMPARE(actions.at(1)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+C")));
        QCOMPARE(actions.at(2)->shortcut(), QKeySequence(QKeySequence::Paste));
    }

    // The clipboard text is pasted with cell (0, 1) current and selected into
    // a 3 x 3 table of the numbers 1 .. 9.
    void paste_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("asIs");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("semicolons fill three cells")
            << "7;8" << true << QStringList { "1 7 8", "4 5 6", "7 8 9" };
        QTest::newRow("tab, and fields beyond the last column dropped")
            << "a\tb\tc" << true << QStringList { "1 a b", "4 5 6", "7 8 9" };
        QTest::newRow("two semicolons clear the cell between")
            << "0;;" << true << QStringList { "1 0 -", "4 5 6", "7 8 9" };
        QTest::newRow("trailing line feeds fill no rows")
            << "10\n11\n\n\n"
            << true << QStringList { "1 10 3", "4 11 6", "7 8 9" };
        QTest::newRow("an empty line inside clears")
            << "10\n\n12" << true << QStringList { "1 10 3", "4 - 6", "7 12 9" };
        QTest::newRow("lines beyond the last row dropped")
            << "a\nb\nc\nd" << true << QStringList { "1 a 3", "4 b 6", "7 c 9" };
        QTest::newRow("255 clears") << "255" << true << QStringList { "1 - 3", "4 5 6", "7 8 9" };
        QTest::newRow("words kept as they are")
            << "true;yes" << true << QStringList { "1 true yes", "4 5 6", "7 8 9" };
        QTest::newRow("bool mode: true and false")
            << "true;false" << false << QStringList { "1 1 -", "4 5 6", "7 8 9" };
        QTest::newRow("bool mode: yes and a number")
            << "yes\n5" << false << QStringList { "1 - 3", "4 5 6", "7 8 9" };
        QTest::newRow("bool mode: a negative number is no digit")
            << "-5;12" << false << QStringList { "1 - 12", "4 5 6", "7 8 9" };
        QTest::newRow("nothing to paste") << "\n\n"
                                          << true << QStringList { "1 2 3", "4 5 6", "7 8 9" };
    }

    void paste()
    {
        QFETCH(QString, clipboard);
        QFETCH(bool, asIs);
        QFETCH(QStringList, expected);

        TiverkEditTable table;
        fillNumbers(table);
        table.setPasteTextAsIs(asIs);
        table.setCurrentCell(0, 1);
        QGuiApplication::clipboard()->setText(clipboard);
        table.paste();
        QCOMPARE(cells(table), expected);
    }

    void pasteStartsAtTheSelectionCorner()
    {
        TiverkEditTable table;
        fillNumbers(table);
        table.setCurrentCell(0, 0);
        table.clearSelection();
        table.item(2, 2)->setSelected(true);
        table.item(1, 1)->setSelected(true);
        QGuiApplication::clipboard()->setText(QStringLiteral("x;y"));
        table.paste();
        QCOMPARE(cells(table), (QStringList { "1 2 3", "4 x y", "7 8 9" }));
    }

    void pasteSkipsReadOnlyCells()
    {
        TiverkEditTable table;
        fillNumbers(table);
        table.item(0, 1)->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table.setCurrentCell(0, 0);
        QGuiApplication::clipboard()->setText(QStringLiteral("a;b;c"));
        table.paste();
        QCOMPARE(cells(table).first(), QStringLiteral("a 2 c"));
    }

    // Without a selection or a current cell the paste starts at the first
    // cell instead of outside the table; a current cell without an item is
    // where the paste starts.
    void pasteWithoutCurrentCell()
    {
        TiverkEditTable table(nullptr);
        table.setRowCount(2);
        table.setColumnCount(2);
        QVERIFY(!table.currentIndex().isValid());
        QGuiApplication::clipboard()->setText(QStringLiteral("1;2\n3;4\n"));
        table.paste();
        QCOMPARE(cells(table), (QStringList { "1 2", "3 4" }));

        TiverkEditTable empty;
        empty.setRowCount(2);
        empty.setColumnCount(2);
        empty.setCurrentCell(1, 1);
        empty.clearSelection();
        QVERIFY(!empty.currentItem());
        empty.paste();
        QCOMPARE(cells(empty), (QStringList { "- -", "- 1" }));
    }

    void deleteKey_data()
    {
        QTest::addColumn<bool>("asIs");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("diagonal kept") << true << QStringList { "1 - -", "- 5 6", "- - 9" };
        QTest::newRow("diagonal cleared") << false << QStringList { "- - -", "- - 6", "- - -" };
    }

    // Delete over the whole table; cell (1, 2) is read-only.
    void deleteKey()
    {
        QFETCH(bool, asIs);
        QFETCH(QStringList, expected);

        TiverkEditTable table;
        fillNumbers(table);
        table.item(1, 2)->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table.setPasteTextAsIs(asIs);
        table.selectAll();
        QTest::keyClick(&table, Qt::Key_Delete);
        QCOMPARE(cells(table), expected);
        QVERIFY(table.selectedItems().isEmpty());
    }

    void setCellValue()
    {
        TiverkEditTable table;
        table.setCellValue(2, 3, 255);
        QCOMPARE(table.rowCount(), 3);
        QCOMPARE(table.columnCount(), 4);
        QVERIFY(table.item(2, 3));
        QVERIFY(!table.cellValue(2, 3).isValid());
        QVERIFY(!table.cellValue(0, 0).isValid());
        table.setCellValue(0, 0, QStringLiteral("255"));
        QVERIFY(!table.cellValue(0, 0).isValid());
        table.setCellValue(0, 0, 254);
        QCOMPARE(table.cellValue(0, 0), QVariant(254));

        table.item(0, 0)->setFlags(Qt::ItemIsEnabled);
        table.setCellValue(0, 0, 3);
        QCOMPARE(table.cellValue(0, 0), QVariant(254));
    }

    void unsetEntry_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("unset");
        QTest::newRow("int 255") << QVariant(255) << true;
        QTest::newRow("real 255") << QVariant(255.0) << true;
        QTest::newRow("float 255") << QVariant(255.0f) << true;
        QTest::newRow("text 255") << QVariant(QStringLiteral("255")) << true;
        QTest::newRow("real 254.5") << QVariant(254.5) << false;
        QTest::newRow("real 255.3") << QVariant(255.3) << false;
        QTest::newRow("real 255.49") << QVariant(255.49) << false;
        QTest::newRow("text 255.3") << QVariant(QStringLiteral("255.3")) << false;
        QTest::newRow("int 256") << QVariant(256) << false;
        QTest::newRow("long 2^32 + 255") << QVariant(Q_INT64_C(4294967551)) << false;
    }

    // A value that only rounds to 255 stays as it is.
    void unsetEntry()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, unset);
        TiverkEditTable table;
        table.setCellValue(0, 0, value);
        QCOMPARE(table.cellValue(0, 0), unset ? QVariant() : value);
    }

    void tableData()
    {
        TiverkEditTable table;
        table.setColumnCount(2);
        table.setProperty("tableData", QVariantList { 1, 2, 3 });
        QCOMPARE(cells(table), (QStringList { "1 -", "2 -", "3 -" }));
        const QVariantList rows = table.property("tableData").toList();
        QCOMPARE(rows.size(), 3);
        for (const QVariant &row : rows)
            QCOMPARE(row.toList().size(), 2);

        // Shorter data leaves the rest; the table never shrinks.
        table.setProperty("tableData", QVariantList { QVariantList { 9, 255, 8 } });
        QCOMPARE(cells(table), (QStringList { "9 - 8", "2 - -", "3 - -" }));

        TiverkEditTable copy;
        copy.setProperty("tableData", table.property("tableData"));
        QCOMPARE(cells(copy), cells(table));
    }

    void copy()
    {
        TiverkEditTable table;
        fillNumbers(table);
        table.item(0, 0)->setSelected(true);
        table.item(1, 2)->setSelected(true);
        table.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1\t\t\n\t\t6\n"));

        table.clearSelection();
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        table.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    }

    void copyAll()
    {
        TiverkEditTable table;
        table.setRowCount(1);
        table.setColumnCount(2);
        table.setHorizontalHeaderLabels({ "A", "B" });
        table.verticalHeader()->hide();
        table.setCellValue(0, 0, 5);
        table.findChild<QAction *>(QStringLiteral("copy_all"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\tA\tB\n5\t\n"));
    }
};

PROJECT_TEST(TestTiverkEditTable);
#include "tst_tiverkedittable.moc"
