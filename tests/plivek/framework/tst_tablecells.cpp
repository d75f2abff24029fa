#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/comboboxdelegate.h"
#include "testmain.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QtTest>

namespace {

QString describe(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("-");
    return QString::fromLatin1(value.typeName()) + QLatin1Char(':') + value.toString();
}

enum class Placement { None, View, Row, Column };

} // namespace

Q_DECLARE_METATYPE(Placement)

class TestTableCells : public QObject
{
    Q_OBJECT
private slots:
    void mapping_data()
    {
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("read");

        QTest::newRow("column delegate: value to text")
            << Placement::Column << QVariant(1) << "QString:green"
            << "int:1";
        QTest::newRow("row delegate") << Placement::Row << QVariant(0) << "QString:red"
                                      << "int:0";
        QTest::newRow("view-wide delegate") << Placement::View << QVariant(1) << "QString:green"
                                            << "int:1";
        QTest::newRow("value not listed shows itself, reads as nothing")
            << Placement::Column << QVariant(7) << "QString:7"
            << "-";
        QTest::newRow("text of a value matches it")
            << Placement::Column << QVariant("1") << "QString:green"
            << "int:1";
        QTest::newRow("no delegate passes values through")
            << Placement::None << QVariant(1.5) << "double:1.5"
            << "double:1.5";
    }

    void mapping()
    {
        QFETCH(Placement, placement);
        QFETCH(QVariant, value);
        QFETCH(QString, shown);
        QFETCH(QString, read);

        ParametersTable table;
        table.setRowCount(2);
        table.setColumnCount(2);
        auto *combo = new ComboBoxDelegate(&table, { "red", "green" }, { 0, 1 });
        if (placement == Placement::View)
            table.setItemDelegate(combo);
        else if (placement == Placement::Row)
            table.setItemDelegateForRow(1, combo);
        else if (placement == Placement::Column)
            table.setItemDelegateForColumn(1, combo);

        QSignalSpy changed(&table, &QTableWidget::itemChanged);
        setTableCellValue(&table, 1, 1, value, false);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(describe(table.item(1, 1)->data(Qt::EditRole)), shown);
        QCOMPARE(describe(tableCellValue(&table, 1, 1)), read);
        QVERIFY(!table.item(1, 1)->flags().testFlag(Qt::ItemIsEditable));
    }

    void viewWideDelegateComesFirst()
    {
        ParametersTable table;
        table.setRowCount(1);
        table.setColumnCount(1);
        table.setItemDelegate(new ComboBoxDelegate(&table, { "on", "off" }, { 1, 0 }));
        table.setItemDelegateForColumn(0, new ComboBoxDelegate(&table, { "yes", "no" }, { 1, 0 }));
        setTableCellValue(&table, 0, 0, 0, true);
        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("off"));
    }

    void setKeepsColoursAndSetsFlag()
    {
        ParametersTable table;
        table.setRowCount(1);
        table.setColumnCount(1);
        table.setCellData(0, 0, 1, false);
        setTableCellValue(&table, 0, 0, 2, true);
        QVERIFY(table.isCellEditable(0, 0));
        QCOMPARE(table.item(0, 0)->background().color(), QColor(Qt::lightGray));
        setTableCellValue(&table, 5, 0, 2, true); // outside the table: ignored
        QCOMPARE(table.rowCount(), 1);
    }

    void valueAs_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("isNull");

        QTest::newRow("text to int") << QVariant("12") << int(QMetaType::Int) << "int:12" << false;
        QTest::newRow("int to double")
            << QVariant(3) << int(QMetaType::Double) << "double:3" << false;
        QTest::newRow("empty cell stays invalid")
            << QVariant() << int(QMetaType::Int) << "-" << true;
        QTest::newRow("failed conversion is a null of the type")
            << QVariant("abc") << int(QMetaType::Int) << "int:0" << true;
    }

    void valueAs()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, type);
        QFETCH(QString, expected);
        QFETCH(bool, isNull);

        QTableWidget table(1, 1);
        if (stored.isValid())
            setTableCellValue(&table, 0, 0, stored, true);
        const QVariant value = tableCellValueAs(&table, 0, 0, type);
        QCOMPARE(describe(value), expected);
        QCOMPARE(value.isNull(), isNull);
    }

    void pasteAndHeaderFillGoThroughTheMapping()
    {
        // In plivek pasted and filled texts pass through setTableCellValue:
        // a value in the clipboard shows as the delegate's text.
        ParametersTable table;
        table.setRowCount(3);
        table.setColumnCount(1);
        table.setItemDelegateForColumn(
            0, new ComboBoxDelegate(&table, { "red", "green" }, { "0", "1" }));
        table.setCurrentCell(0, 0);
        QGuiApplication::clipboard()->setText(QStringLiteral("1\n0\n"));
        table.paste();
        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("green"));
        QCOMPARE(table.item(1, 0)->text(), QStringLiteral("red"));
        QCOMPARE(tableCellValue(&table, 1, 0), QVariant("0"));

        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        table.setCurrentCell(0, 0);
        QHeaderView *header = table.horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::RightButton, {}, QPoint(5, header->height() / 2));
        QCOMPARE(table.item(2, 0)->text(), QStringLiteral("green"));
        QCOMPARE(tableCellValue(&table, 2, 0), QVariant("1"));
    }

    void removeActionByName()
    {
        ParametersTable table;
        table.setRowCount(1);
        table.setColumnCount(1);
        table.setCellData(0, 0, 5, true);
        table.show();
        table.activateWindow();
        table.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&table));

        // The Delete shortcut works while the action is there...
        table.setCurrentCell(0, 0);
        QTest::keyClick(&table, Qt::Key_Delete);
        QVERIFY(!table.cellData(0, 0).isValid());

        // ...and not once it is gone; the action itself survives.
        table.setCellData(0, 0, 5, true);
        QAction *clear = table.findChild<QAction *>(QStringLiteral("clear"));
        ::removeActionByName(&table, "clear");
        QVERIFY(!table.actions().contains(clear));
        QVERIFY(table.findChild<QAction *>(QStringLiteral("clear")));
        table.setCurrentCell(0, 0);
        QTest::keyClick(&table, Qt::Key_Delete);
        QCOMPARE(table.cellData(0, 0), QVariant(5));

        ::removeActionByName(&table, "no such action"); // nothing happens
        QCOMPARE(table.actions().size(), 3);
    }
};

PROJECT_TEST(TestTableCells);
#include "tst_tablecells.moc"
