#include "common/widgets/parameterstable.h"
#include "tablefixture.h"
#include "testmain.h"

#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

using namespace TableFixture;

namespace {

#ifdef COMMON_WIDGETS_ZUMOLTC
constexpr bool Zumoltc = true;
#else
constexpr bool Zumoltc = false;
#endif

// Selects the given cells (x = column, y = row) in this order.
void selectCells(QTableWidget &table, const QList<QPoint> &cells)
{
    table.clearSelection();
    for (const QPoint &cell : cells)
        table.selectionModel()->select(table.model()->index(cell.y(), cell.x()),
                                       QItemSelectionModel::Select);
}

QStringList actionNames(const QWidget &widget)
{
    QStringList names;
    for (const QAction *action : widget.actions())
        names << action->objectName();
    return names;
}

} // namespace

class TestParametersTable : public QObject
{
    Q_OBJECT
private slots:
    void actions()
    {
        ParametersTable table;
        const QStringList expected = Zumoltc ? QStringList { "copy", "paste", "clear" }
                                             : QStringList { "copy", "copy_all", "paste", "clear" };
        QCOMPARE(actionNames(table).mid(0, expected.size()), expected);
        for (const QAction *action : table.actions()) {
            QCOMPARE(action->shortcutContext(), Qt::WidgetShortcut);
            QCOMPARE(action->parent(), &table);
        }
        QCOMPARE(table.actions().first()->shortcut(), QKeySequence(QKeySequence::Copy));
        QCOMPARE(table.actions().last()->text(), QStringLiteral("Remove"));
        QCOMPARE(table.actions().last()->shortcut(), QKeySequence(QKeySequence::Delete));
        QVERIFY(qobject_cast<QHeaderView *>(table.horizontalHeader())->inherits("ParamHeader"));
    }

    // Each table action by its object name: its text, its shortcut, and that
    // the shortcut pressed on the table runs the action. Cell (0, 0) holds the
    // text a and is current and selected; the clipboard holds 7 beforehand.
    void actionByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("cell");

        QTest::newRow("copy") << "copy"
                              << "Copy" << QKeySequence(QKeySequence::Copy)
                              << (Zumoltc ? "\"a\"\n" : "a\n") << "QString:a";
#ifndef COMMON_WIDGETS_ZUMOLTC
        QTest::newRow("copy_all") << "copy_all"
                                  << "Copy all with titles"
                                  << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C) << "\tT\na\n"
                                  << "QString:a";
#endif
        QTest::newRow("paste") << "paste"
                               << "Paste" << QKeySequence(QKeySequence::Paste) << "7"
                               << (Zumoltc ? "int:7" : "QString:7");
        QTest::newRow("clear") << "clear"
                               << "Remove" << QKeySequence(QKeySequence::Delete) << "7"
                               << "-";
    }

    void actionByName()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        QFETCH(QString, clipboard);
        QFETCH(QString, cell);

        ParametersTable table;
        fill(table, 1, { "a" });
        table.setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("T")));
        table.verticalHeader()->hide();
        const auto *action = table.findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->shortcut(), shortcut);
        QVERIFY(table.actions().contains(const_cast<QAction *>(action)));

        table.show();
        table.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&table));
        table.setFocus();
        table.setCurrentCell(0, 0);
        QGuiApplication::clipboard()->setText(QStringLiteral("7"));
        QTest::keySequence(&table, shortcut);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QCOMPARE(cells(table), QStringList { cell });
    }

    void copy_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QList<QPoint>>("selection");
        QTest::addColumn<QString>("zumoltc");
        QTest::addColumn<QString>("plivek");

        const QVariant none;
        QTest::newRow("bounding rectangle of rows 5 and 3")
            << QVariantList { none, none, none, "x", "y", 12 } << 1
            << QList<QPoint> { { 0, 5 }, { 0, 3 } } << "\"x\"\n\n12\n"
            << "x\n\n12\n";
        QTest::newRow("cells side by side")
            << QVariantList { "a", 1.5 } << 2 << QList<QPoint> { { 0, 0 }, { 1, 0 } }
            << "\"a\"\t1.5\n"
            << "a\t1.5\n";
        QTest::newRow("unselected cells inside the rectangle")
            << QVariantList { "a", "b", "c", "d" } << 2 << QList<QPoint> { { 0, 0 }, { 1, 1 } }
            << "\"a\"\t\n\t\"d\"\n"
            << "a\t\n\td\n";
        QTest::newRow("selected cell without item")
            << QVariantList { 1, none } << 2 << QList<QPoint> { { 0, 0 }, { 1, 0 } } << "1\t\n"
            << "1\t\n";
        QTest::newRow("quotes inside a text stay as they are")
            << QVariantList { "say \"hi\"" } << 1 << QList<QPoint> { { 0, 0 } }
            << "\"say \"hi\"\"\n"
            << "say \"hi\"\n";
        QTest::newRow("empty text")
            << QVariantList { QString("") } << 1 << QList<QPoint> { { 0, 0 } } << "\"\"\n"
            << "\n";
        QTest::newRow("bool") << QVariantList { true } << 1 << QList<QPoint> { { 0, 0 } }
                              << "true\n"
                              << "true\n";
    }

    void copy()
    {
        QFETCH(QVariantList, values);
        QFETCH(int, columns);
        QFETCH(QList<QPoint>, selection);
        QFETCH(QString, zumoltc);
        QFETCH(QString, plivek);

        ParametersTable table;
        fill(table, columns, values);
        selectCells(table, selection);
        table.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), Zumoltc ? zumoltc : plivek);
    }

    void copyWithoutSelectionLeavesClipboard()
    {
        ParametersTable table;
        fill(table, 1, { 1 });
        table.clearSelection();
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        table.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    }

    void paste_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QList<QPoint>>("readOnly");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("zumoltc");
        QTest::addColumn<QStringList>("plivek");

        const QVariant none;
        const QVariantList empty1x3 { none, none, none };
        QTest::newRow("quoted text, double and int")
            << empty1x3 << 3 << QList<QPoint>() << QPoint(0, 0) << "\"a\"\t1.5\t7\n"
            << QStringList { "QString:a", "double:1.5", "int:7" }
            << QStringList { "QString:\"a\"", "QString:1.5", "QString:7" };
        QTest::newRow("word without quotes")
            << QVariantList { none } << 1 << QList<QPoint>() << QPoint(0, 0) << "abc"
            << QStringList { "int:0" } << QStringList { "QString:abc" };
        QTest::newRow("lone quote is an empty text")
            << QVariantList { none } << 1 << QList<QPoint>() << QPoint(0, 0) << "\""
            << QStringList { "QString:" } << QStringList { "QString:\"" };
        QTest::newRow("ragged lines")
            << QVariantList { none, none, none, none, none, none, none, none, none } << 3
            << QList<QPoint>() << QPoint(0, 0) << "1\t2\t3\n4\n\t5\n"
            << QStringList { "int:1", "int:2", "int:3", "int:4", "-", "-", "-", "int:5", "-" }
            << QStringList { "QString:1", "QString:2", "QString:3", "QString:4", "-",
                             "-",         "-",         "QString:5", "-" };
        QTest::newRow("read-only cell keeps its value and uses up its column")
            << QVariantList { none, "ro", none } << 3 << QList<QPoint> { { 1, 0 } } << QPoint(0, 0)
            << "1\t2\t3" << QStringList { "int:1", "QString:ro", "int:3" }
            << QStringList { "QString:1", "QString:ro", "QString:3" };
        QTest::newRow("past the bottom and right edges")
            << QVariantList { none, none, none, none } << 2 << QList<QPoint>() << QPoint(1, 1)
            << "1\t2\t3\n4\t5\n6\n"
            << QStringList { "-", "-", "-", "int:1" } << QStringList { "-", "-", "-", "QString:1" };
        QTest::newRow("leading empty lines")
            << QVariantList { none, none } << 1 << QList<QPoint>() << QPoint(0, 1) << "\n\n1\n"
            << QStringList { "-", "int:1" } << QStringList { "-", "-" };
        QTest::newRow("empty lines")
            << empty1x3 << 1 << QList<QPoint>() << QPoint(0, 0) << "1\n\n2\n"
            << QStringList { "int:1", "int:2", "-" }
            << QStringList { "QString:1", "-", "QString:2" };
        QTest::newRow("empty field leaves the cell")
            << QVariantList { 5, none } << 2 << QList<QPoint>() << QPoint(0, 0) << "\t6"
            << QStringList { "int:5", "int:6" } << QStringList { "int:5", "QString:6" };
        QTest::newRow("from the current cell")
            << QVariantList { 0, 0, 0, 0 } << 2 << QList<QPoint>() << QPoint(1, 0) << "7\t8"
            << QStringList { "int:0", "int:7", "int:0", "int:0" }
            << QStringList { "int:0", "QString:7", "int:0", "int:0" };
        QTest::newRow("windows line ends")
            << QVariantList { none, none, none, none } << 2 << QList<QPoint>() << QPoint(0, 0)
            << "1\t2\r\n3\t4\r\n"
            << QStringList { "int:1", "int:2", "int:3", "int:4" }
            << QStringList { "QString:1", "QString:2", "QString:3", "QString:4" };
        QTest::newRow("copied bools and numbers beyond int")
            << empty1x3 << 3 << QList<QPoint>() << QPoint(0, 0) << "true\t1e+20\t3000000000"
            << QStringList { "bool:true", "double:1e+20", "double:3e+09" }
            << QStringList { "QString:true", "QString:1e+20", "QString:3000000000" };
        QTest::newRow("copied times and dates")
            << empty1x3 << 3 << QList<QPoint>() << QPoint(0, 0) << "08:30:00.000\t23:59\t2024-05-01"
            << QStringList { "QTime:08:30:00.000", "QTime:23:59:00.000", "QDate:2024-05-01" }
            << QStringList { "QString:08:30:00.000", "QString:23:59", "QString:2024-05-01" };
        QTest::newRow("not quite times or dates")
            << empty1x3 << 3 << QList<QPoint>() << QPoint(0, 0) << "25:00\t2024-13-01\t-12"
            << QStringList { "int:0", "int:0", "int:-12" }
            << QStringList { "QString:25:00", "QString:2024-13-01", "QString:-12" };
    }

    void paste()
    {
        QFETCH(QVariantList, values);
        QFETCH(int, columns);
        QFETCH(QList<QPoint>, readOnly);
        QFETCH(QPoint, start);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, zumoltc);
        QFETCH(QStringList, plivek);

        ParametersTable table;
        fill(table, columns, values);
        for (const QPoint &cell : readOnly)
            makeReadOnly(table, cell.y(), cell.x());
        const int rows = table.rowCount();
        table.setCurrentCell(start.y(), start.x());
        QGuiApplication::clipboard()->setText(clipboard);
        table.paste();

        QCOMPARE(cells(table), Zumoltc ? zumoltc : plivek);
        QCOMPARE(table.rowCount(), rows);
        QCOMPARE(table.columnCount(), columns);
        for (const QPoint &cell : readOnly)
            QVERIFY(!table.isCellEditable(cell.y(), cell.x()));
    }

    void copyAndPasteRoundTrip()
    {
        // What one table copies, another pastes back to the same cells.
        const QVariantList values {
            "a b", 12,     1.5,  true,         QString(""),      QVariant(),
            -3,    "x\"y", 0.25, QTime(8, 30), QTime(23, 59, 1), QDate(2024, 5, 1)
        };
        ParametersTable source;
        fill(source, 3, values);
        source.selectAll();
        source.copy();

        ParametersTable target;
        fill(target, 3, QVector<QVariant>(values.size()).toList());
        target.setCurrentCell(0, 0);
        target.paste();
        if (Zumoltc) {
            QCOMPARE(cells(target), cells(source));
        } else {
            for (int i = 0; i < values.size(); ++i) {
                const QTableWidgetItem *item = target.item(i / 3, i % 3);
                QCOMPARE(item ? item->text() : QString(),
                         source.item(i / 3, i % 3) ? source.item(i / 3, i % 3)->text() : QString());
            }
        }
    }

    void removeEmptiesSelectedCells()
    {
        ParametersTable table;
        fill(table, 2, { 1, 2, 3, 4 });
        makeReadOnly(table, 0, 1);
        selectCells(table, { { 0, 0 }, { 1, 0 } });
        const QList<QAction *> all = table.actions();
        const auto remove = std::find_if(all.cbegin(), all.cend(), [](const QAction *action) {
            return action->objectName() == QLatin1String("clear");
        });
        QVERIFY(remove != all.cend());
        (*remove)->trigger();

        QCOMPARE(cells(table), (QStringList { "-", "-", "int:3", "int:4" }));
        QVERIFY(table.item(0, 0));
        QVERIFY(table.item(0, 1));
        QVERIFY(!table.isCellEditable(0, 1));
    }

#ifndef COMMON_WIDGETS_ZUMOLTC
    void copyAllWithTitles_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("columnTitles");
        QTest::addColumn<bool>("rowTitles");
        QTest::addColumn<QString>("expected");

        QTest::newRow("both headers") << 2 << true << true << "\tA\t\nr1\t1\tx\n\t\t2.5\n";
        QTest::newRow("column titles only") << 2 << true << false << "\tA\t\n1\tx\n\t2.5\n";
        QTest::newRow("no headers") << 2 << false << false << "1\tx\n\t2.5\n";
        QTest::newRow("no rows") << 0 << true << true << "";
    }

    void copyAllWithTitles()
    {
        QFETCH(int, rows);
        QFETCH(bool, columnTitles);
        QFETCH(bool, rowTitles);
        QFETCH(QString, expected);

        ParametersTable table;
        fill(table, 2, { 1, "x", QVariant(), 2.5 });
        table.setRowCount(rows);
        table.setHorizontalHeaderItem(0, new QTableWidgetItem("A")); // column 1 has no title item
        if (rows > 0)
            table.setVerticalHeaderItem(0, new QTableWidgetItem("r1"));
        table.horizontalHeader()->setVisible(columnTitles);
        table.verticalHeader()->setVisible(rowTitles);
        table.clearSelection(); // the selection does not matter
        table.copy_all();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }
#endif

    void modifiedByEditsAndReset()
    {
        ParametersTable table;
        fill(table, 2, { 1, 2 });
        QVERIFY(table.modified); // filling is a change too; owners reset afterwards
        table.resetModified();
        QVERIFY(!table.modified);
        table.item(0, 1)->setData(Qt::EditRole, 5);
        QVERIFY(table.modified);
    }

    void modifiedReachesParentTable_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("outerModified");
        // 0: the inner table is a child of the outer one; 1: it is a cell
        // widget (its parent is the outer table's viewport); 2: it sits in a
        // container that is the cell widget, out of reach.
        QTest::newRow("parent") << 0 << true;
        QTest::newRow("grandparent") << 1 << true;
        QTest::newRow("three levels up") << 2 << false;
    }

    void modifiedReachesParentTable()
    {
        QFETCH(int, depth);
        QFETCH(bool, outerModified);

        ParametersTable outer;
        fill(outer, 1, { 1 });
        ParametersTable *inner = nullptr;
        if (depth == 0) {
            inner = new ParametersTable(&outer);
        } else if (depth == 1) {
            inner = new ParametersTable;
            outer.setCellWidget(0, 0, inner);
        } else {
            auto *container = new QWidget;
            inner = new ParametersTable(container);
            outer.setCellWidget(0, 0, container);
        }
        fill(*inner, 1, { 1 });
        outer.resetModified();
        inner->resetModified();
        QVERIFY(!outer.modified);

        inner->item(0, 0)->setData(Qt::EditRole, 2);
        QVERIFY(inner->modified);
        QCOMPARE(outer.modified, outerModified);
    }

    void everyChangeReachesParentTable()
    {
        // The outer table is reset on its own while the inner one stays
        // modified: the next inner change must still mark the outer table.
        ParametersTable outer;
        auto *inner = new ParametersTable(&outer);
        fill(*inner, 1, { 1 });
        QVERIFY(inner->modified && outer.modified);
        outer.resetModified();
        QVERIFY(inner->modified);
        inner->item(0, 0)->setData(Qt::EditRole, 2);
        QVERIFY(outer.modified);
    }

    void resetModifiedReachesNestedTables()
    {
        ParametersTable outer;
        fill(outer, 2, { 1, 2, 3, 4 });
        auto *inner = new ParametersTable;
        fill(*inner, 1, { 1 });
        auto *innermost = new ParametersTable;
        fill(*innermost, 1, { 1 });
        inner->setCellWidget(0, 0, innermost);
        outer.setCellWidget(1, 1, inner);
        QVERIFY(outer.modified && inner->modified && innermost->modified);

        outer.resetModified();
        QVERIFY(!outer.modified);
        QVERIFY(!inner->modified);
        QVERIFY(!innermost->modified);
    }

    void autoExtendIsOffByDefault()
    {
        ParametersTable table;
        QVERIFY(!table.autoExtendColumns);
        fill(table, 2, { 1, 2 });
        table.setCurrentCell(0, 1);
        QCOMPARE(table.columnCount(), 2);
    }

    void autoExtendOnCurrentChange_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("columns");

        const QVariant none;
        QTest::newRow("into a filled last column appends one")
            << QVariantList { 1, 2 } << 0 << 1 << 3;
        QTest::newRow("into an empty last column changes nothing")
            << QVariantList { 1, none } << 0 << 1 << 2;
        QTest::newRow("back while two trailing columns are empty")
            << QVariantList { 1, none, none } << 2 << 0 << 2;
        QTest::newRow("back while four trailing columns are empty")
            << QVariantList { 1, none, none, none, none } << 4 << 0 << 2;
        QTest::newRow("into an empty column before the last")
            << QVariantList { 1, none, none, none } << 3 << 2 << 2;
        QTest::newRow("last column holds data") << QVariantList { 1, none, 2 } << 2 << 0 << 3;
        QTest::newRow("all empty leaves one column")
            << QVariantList { none, none, none } << 2 << 0 << 1;
    }

    void autoExtendOnCurrentChange()
    {
        QFETCH(QVariantList, values);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, columns);

        ParametersTable table;
        fill(table, values.size(), values);
        table.setCurrentCell(0, from);
        table.autoExtendColumns = true;
        table.setCurrentCell(0, to);
        QCoreApplication::sendPostedEvents(&table); // empty columns go once the change is through
        QCOMPARE(table.columnCount(), columns);
        QCOMPARE(table.cellData(0, 0), values.first());
    }

    void appendedColumnTakesWidth()
    {
        ParametersTable table;
        fill(table, 2, { 1, 2 });
        table.setColumnWidth(1, 77);
        table.autoExtendColumns = true;
#ifdef COMMON_WIDGETS_ZUMOLTC
        QSignalSpy inserted(&table, &ParametersTable::columnInserted);
        // The signal comes before the width is copied: a listener sees the
        // default width, and the table's own width wins over the listener's.
        int widthSeen = -1;
        connect(&table, &ParametersTable::columnInserted, &table, [&table, &widthSeen](int column) {
            widthSeen = table.columnWidth(column);
            table.setColumnWidth(column, 33);
        });
        table.setCurrentCell(0, 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.first().first().toInt(), 2);
        QCOMPARE(widthSeen, table.horizontalHeader()->defaultSectionSize());
        QCOMPARE(table.columnWidth(2), 77);
#else
        table.setCurrentCell(0, 1);
        QCOMPARE(table.columnWidth(2), table.horizontalHeader()->defaultSectionSize());
#endif
        QCOMPARE(table.columnCount(), 3);
    }

    // Each time an editor in the last column closes: the value typed (none
    // when the edit is left with Escape) and the key that closes it.
    void closingEditorInLastColumn_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("nextEditorOpen");
        QTest::addColumn<QVariant>("stored");
        const QVariant five(QStringLiteral("5"));
        QTest::newRow("typed and committed")
            << QStringList { "5" } << QList<int> { Qt::Key_Return } << 3 << false << five;
        QTest::newRow("typed and left with Tab")
            << QStringList { "5" } << QList<int> { Qt::Key_Tab } << 3 << true << five;
        QTest::newRow("left undone")
            << QStringList { "" } << QList<int> { Qt::Key_Escape } << 2 << false << QVariant();
        QTest::newRow("typed, then undone")
            << QStringList { "5" } << QList<int> { Qt::Key_Escape } << 2 << false << QVariant();
        QTest::newRow("left undone three times")
            << QStringList { "", "", "" }
            << QList<int> { Qt::Key_Escape, Qt::Key_Escape, Qt::Key_Escape } << 2 << false
            << QVariant();
    }
    void closingEditorInLastColumn()
    {
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, keys);
        QFETCH(int, columns);
        QFETCH(bool, nextEditorOpen);
        QFETCH(QVariant, stored);
        ParametersTable table;
        fill(table, 2, { 1, QVariant() });
        table.autoExtendColumns = true;
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        table.setCurrentCell(0, 1);
        for (int i = 0; i < keys.size(); ++i) {
            table.edit(table.model()->index(0, 1));
            auto *editor = table.viewport()->findChild<QLineEdit *>();
            QVERIFY(editor);
            QTest::keyClicks(editor, typed.at(i));
            QTest::keyClick(editor, Qt::Key(keys.at(i)));
            QCoreApplication::processEvents(); // the delegate commits through a queued call
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(table.cellData(0, 1), stored);
        QCOMPARE(table.columnCount(), columns);
        if (Zumoltc && columns > 2)
            QCOMPARE(table.columnWidth(2), table.columnWidth(1));
        // Tab goes on editing the next cell: the table takes the focus back
        // only from an editor that closed for good.
        QCOMPARE(table.viewport()->findChildren<QLineEdit *>().size(), nextEditorOpen ? 1 : 0);
        QCOMPARE(table.cellData(0, 2), QVariant());
    }

    // An edit in the last column left by a click on an earlier cell or by a
    // move to another row still leaves one empty column at the end.
    void leavingTheLastColumnWhileEditing_data()
    {
        QTest::addColumn<bool>("click");
        QTest::newRow("click on an earlier cell") << true;
        QTest::newRow("current cell moved while editing") << false;
    }
    void leavingTheLastColumnWhileEditing()
    {
        QFETCH(bool, click);
        ParametersTable table;
        fill(table, 2, { 1, QVariant(), 2, QVariant() });
        table.autoExtendColumns = true;
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        table.setCurrentCell(0, 1);
        table.edit(table.model()->index(0, 1));
        auto *editor = table.viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("5"));
        if (click)
            QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier,
                              table.visualRect(table.model()->index(1, 0)).center());
        else
            table.setCurrentCell(1, 0);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(table.cellData(0, 1), QVariant(QStringLiteral("5")));
        QCOMPARE(table.columnCount(), 3);
        QCOMPARE(table.cellData(0, 2), QVariant());
    }

    void headerFill_data()
    {
        QTest::addColumn<QList<QPoint>>("selection");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("expected");

        const QStringList untouched { "int:1", "QString:a", "int:2", "QString:b",
                                      "int:3", "QString:c", "int:4", "QString:d" };
        QTest::newRow("right click fills the editable cells")
            << QList<QPoint> { { 1, 1 } } << int(Qt::RightButton) << 1
            << QStringList { "int:1", "QString:b", "int:2", "QString:b",
                             "int:3", "QString:c", "int:4", "QString:b" };
        QTest::newRow("first selected cell of the clicked column")
            << QList<QPoint> { { 0, 0 }, { 1, 3 }, { 1, 0 } } << int(Qt::RightButton) << 1
            << QStringList { "int:1", "QString:d", "int:2", "QString:d",
                             "int:3", "QString:c", "int:4", "QString:d" };
        QTest::newRow("numbers stay numbers")
            << QList<QPoint> { { 0, 2 } } << int(Qt::RightButton) << 0
            << QStringList { "int:3", "QString:a", "int:3", "QString:b",
                             "int:3", "QString:c", "int:3", "QString:d" };
        QTest::newRow("no selected cell in the column fills nothing")
            << QList<QPoint> { { 0, 0 } } << int(Qt::RightButton) << 1 << untouched;
        QTest::newRow("left click fills nothing")
            << QList<QPoint> { { 1, 1 } } << int(Qt::LeftButton) << 1 << untouched;
    }

    void headerFill()
    {
        QFETCH(QList<QPoint>, selection);
        QFETCH(int, button);
        QFETCH(int, column);
        QFETCH(QStringList, expected);

        ParametersTable table;
        fill(table, 2, { 1, "a", 2, "b", 3, "c", 4, "d" });
        makeReadOnly(table, 2, 1);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        selectCells(table, selection);
        const QStringList before = cells(table);
        QList<int> changedRows;
        connect(&table, &QTableWidget::itemChanged, &table,
                [&changedRows](const QTableWidgetItem *item) { changedRows << item->row(); });
        QHeaderView *header = table.horizontalHeader();
        const QPoint inSection(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::MouseButton(button), {}, inSection);
        QCOMPARE(cells(table), expected);
        QVERIFY(!table.isCellEditable(2, 1));

        // Filled from the last row up; zumoltc gives filled cells the editable
        // look, plivek leaves colours alone.
        QVERIFY(std::is_sorted(changedRows.cbegin(), changedRows.cend(), std::greater<int>()));
        if (expected != before)
            QCOMPARE(table.item(0, column)->background() == QBrush(Qt::white), Zumoltc);
    }

    void selectionFunctions()
    {
        ParametersTable table;
        fill(table, 3, { 1, 2, QVariant(), 4, 5, 6 });
        selectCells(table, { { 2, 0 }, { 0, 1 }, { 2, 1 } });
        QCOMPARE(selectedColumns(&table), (QList<int> { 2, 0 }));
        QCOMPARE(table.selectedColumns(), (QList<int> { 2, 0 }));
        QCOMPARE(selectedItemRows(&table), (QList<int> { 1 })); // (0, 2) has no item
    }

    void typingDoesNotMoveTheCurrentCell()
    {
        ParametersTable table;
        fill(table, 1, { "apple", "banana" });
        table.setCurrentCell(0, 0);
        table.keyboardSearch(QStringLiteral("b"));
        QCOMPARE(table.currentRow(), 0);
    }

#ifdef COMMON_WIDGETS_ZUMOLTC
    void moveRows_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QList<int>>("selectedAfter");

        QTest::newRow("down") << "down" << QList<int> { 1 } << QList<int> { 0, 2, 1, 3, 4 }
                              << QList<int> { 2 };
        QTest::newRow("up") << "up" << QList<int> { 3 } << QList<int> { 0, 1, 3, 2, 4 }
                            << QList<int> { 2 };
        QTest::newRow("last row down stays")
            << "down" << QList<int> { 4 } << QList<int> { 0, 1, 2, 3, 4 } << QList<int> { 4 };
        QTest::newRow("first row up stays")
            << "up" << QList<int> { 0 } << QList<int> { 0, 1, 2, 3, 4 } << QList<int> { 0 };
        QTest::newRow("block at the top stays")
            << "up" << QList<int> { 0, 1 } << QList<int> { 0, 1, 2, 3, 4 } << QList<int> { 0, 1 };
        QTest::newRow("block at the bottom stays")
            << "down" << QList<int> { 3, 4 } << QList<int> { 0, 1, 2, 3, 4 } << QList<int> { 3, 4 };
        QTest::newRow("block at the top stays, a row apart moves")
            << "up" << QList<int> { 0, 1, 3 } << QList<int> { 0, 1, 3, 2, 4 }
            << QList<int> { 0, 1, 2 };
        QTest::newRow("rows apart move up together")
            << "up" << QList<int> { 1, 3 } << QList<int> { 1, 0, 3, 2, 4 } << QList<int> { 0, 2 };
        QTest::newRow("block down")
            << "down" << QList<int> { 1, 2 } << QList<int> { 0, 3, 1, 2, 4 } << QList<int> { 2, 3 };
        QTest::newRow("top") << "top" << QList<int> { 2, 3 } << QList<int> { 2, 3, 0, 1, 4 }
                             << QList<int> { 0, 1 };
        QTest::newRow("bottom") << "bottom" << QList<int> { 0 } << QList<int> { 1, 2, 3, 4, 0 }
                                << QList<int> { 4 };
        QTest::newRow("bottom keeps the gap")
            << "bottom" << QList<int> { 0, 2 } << QList<int> { 1, 3, 0, 4, 2 }
            << QList<int> { 2, 4 };
    }

    void moveRows()
    {
        QFETCH(QString, operation);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, order);
        QFETCH(QList<int>, selectedAfter);

        ParametersTable table;
        fill(table, 2, { 0, "r0", 1, "r1", 2, "r2", 3, "r3", 4, "r4" });
        for (int row = 0; row < table.rowCount(); ++row) {
            for (int column = 0; column < 2; ++column)
                table.setCellEditable(row, column, false);
        }
        QList<QPoint> cellsToSelect;
        for (int row : selected)
            cellsToSelect << QPoint(0, row) << QPoint(1, row);
        selectCells(table, cellsToSelect);

        if (operation == QLatin1String("up"))
            table.move_selected_up();
        else if (operation == QLatin1String("down"))
            table.move_selected_down();
        else if (operation == QLatin1String("top"))
            table.move_selected_top();
        else
            table.move_selected_bottom();

        QList<int> rowsNow;
        for (int row = 0; row < table.rowCount(); ++row) {
            rowsNow << table.cellData(row, 0).toInt();
            QCOMPARE(table.cellData(row, 1).toString(), QStringLiteral("r%1").arg(rowsNow.last()));
            // A moved row ends up editable and white; the others keep their look.
            const bool moved = rowsNow.last() != row;
            for (int column = 0; column < 2; ++column) {
                QCOMPARE(table.isCellEditable(row, column), moved);
                QCOMPARE(table.item(row, column)->background().color(),
                         QColor(moved ? Qt::white : Qt::lightGray));
            }
        }
        QCOMPARE(rowsNow, order);
        QList<int> selectedNow = selectedItemRows(&table);
        std::sort(selectedNow.begin(), selectedNow.end());
        QCOMPARE(selectedNow, selectedAfter);
        QCOMPARE(table.selectedItems().size(), 2 * selectedAfter.size());
    }

    void addAndRemoveRows()
    {
        ParametersTable table;
        fill(table, 1, { 0, 1, 2, 3 });
        table.resetModified();
        table.add_row();
        QCOMPARE(table.rowCount(), 5);
        QVERIFY(!table.item(4, 0));
        QVERIFY(table.modified);

        // A fresh row has no items; selecting its cell still selects the row.
        selectCells(table, { { 0, 4 }, { 0, 1 }, { 0, 2 } });
        table.remove_selected_rows();
        QCOMPARE(cells(table), (QStringList { "int:0", "int:3" }));
    }
#endif
};

PROJECT_TEST(TestParametersTable);
#include "tst_parameterstable.moc"
