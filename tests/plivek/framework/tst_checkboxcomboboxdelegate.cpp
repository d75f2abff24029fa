#include "plivek/framework/checkboxcomboboxdelegate.h"
#include "plivek/framework/checkcombobox.h"
#include "testmain.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QtTest>

namespace {
const QStringList Directions { QStringLiteral("North"), QStringLiteral("South"),
                               QStringLiteral("East") };
}

class TestCheckBoxComboBoxDelegate : public QObject
{
    Q_OBJECT
private slots:
    // Open the editor on a cell, optionally tick rows, write back.
    void roundTrip_data()
    {
        QTest::addColumn<QList<QVariant>>("values");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("checkedOnOpen");
        QTest::addColumn<QList<int>>("toggleRows");
        QTest::addColumn<QString>("written");

        const QList<QVariant> numbers { 1, 2, 3 };
        QTest::newRow("values back in row order")
            << numbers << QStringLiteral("2,1")
            << QStringList { QStringLiteral("North"), QStringLiteral("South") } << QList<int>()
            << QStringLiteral("1,2");
        QTest::newRow("unknown value checks nothing")
            << numbers << QStringLiteral("7") << QStringList() << QList<int>() << QString();
        QTest::newRow("empty cell")
            << numbers << QString() << QStringList() << QList<int> { 2 } << QStringLiteral("3");
        QTest::newRow("ticking adds a value")
            << numbers << QStringLiteral("3") << QStringList { QStringLiteral("East") }
            << QList<int> { 0 } << QStringLiteral("1,3");
        QTest::newRow("without values texts are stored")
            << QList<QVariant>() << QStringLiteral("East,North")
            << QStringList { QStringLiteral("North"), QStringLiteral("East") } << QList<int> { 1 }
            << QStringLiteral("North,South,East");
        QTest::newRow("text values")
            << QList<QVariant> { QStringLiteral("n"), QStringLiteral("s"), QStringLiteral("e") }
            << QStringLiteral("e") << QStringList { QStringLiteral("East") } << QList<int>()
            << QStringLiteral("e");
        QTest::newRow("fewer values than texts")
            << QList<QVariant> { 1 } << QString() << QStringList() << QList<int> { 0, 2 }
            << QStringLiteral("1,");
    }
    void roundTrip()
    {
        QFETCH(QList<QVariant>, values);
        QFETCH(QString, cell);
        QFETCH(QStringList, checkedOnOpen);
        QFETCH(QList<int>, toggleRows);
        QFETCH(QString, written);

        QStandardItemModel model(1, 1);
        model.setData(model.index(0, 0), cell);
        CheckBoxComboBoxDelegate delegate(nullptr, Directions, values);
        QWidget parent;
        QStyleOptionViewItem option;
        QWidget *editor = delegate.createEditor(&parent, option, model.index(0, 0));
        auto *box = qobject_cast<CheckComboBox *>(editor);
        QVERIFY(box);
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->view()->minimumHeight(), 100);

        delegate.setEditorData(editor, model.index(0, 0));
        QVERIFY(box->view()->isVisible()); // the list opens with the editor
        QCOMPARE(box->checkedItems(), checkedOnOpen);
        for (int row : toggleRows)
            box->toggleCheckState(row);
        delegate.setModelData(editor, &model, model.index(0, 0));
        QCOMPARE(model.data(model.index(0, 0), Qt::EditRole).toString(), written);
    }

    void addItem()
    {
        CheckBoxComboBoxDelegate delegate(nullptr, { QStringLiteral("North") }, { 1 });
        delegate.addItem(QStringLiteral("South"), 2);
        delegate.addItem(QStringLiteral("Centre")); // null value: not stored
        QStandardItemModel model(1, 1);
        QWidget parent;
        auto *box = qobject_cast<CheckComboBox *>(
            delegate.createEditor(&parent, QStyleOptionViewItem(), model.index(0, 0)));
        QCOMPARE(box->count(), 3);
        box->setCheckedItems({ QStringLiteral("South"), QStringLiteral("Centre") });
        delegate.setModelData(box, &model, model.index(0, 0));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("2,"));
    }

    void sizeHintFitsTheLongestText()
    {
        CheckBoxComboBoxDelegate shortTexts(nullptr, { QStringLiteral("N") });
        CheckBoxComboBoxDelegate longTexts(nullptr, { QStringLiteral("N") });
        longTexts.addItem(QStringLiteral("A much longer direction name"));
        const QSize small = shortTexts.sizeHint(QStyleOptionViewItem(), QModelIndex());
        const QSize large = longTexts.sizeHint(QStyleOptionViewItem(), QModelIndex());
        QVERIFY(small.isValid());
        QVERIFY(large.width() > small.width());
    }

    // Committing the editor fills it again from the changed cell, just before
    // the view closes it: that must not open the list of a closing editor.
    void closingTheEditorLeavesNoListOpen()
    {
        QTableWidget table(1, 1);
        table.setItem(0, 0, new QTableWidgetItem(QStringLiteral("2")));
        table.setItemDelegate(new CheckBoxComboBoxDelegate(&table, Directions, { 1, 2, 3 }));
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        table.setCurrentCell(0, 0);
        table.editItem(table.item(0, 0));
        QPointer<CheckComboBox> box = table.findChild<CheckComboBox *>();
        QVERIFY(box);
        QVERIFY(box->view()->isVisible());
        box->toggleCheckState(0);
        QTest::keyClick(box->view(), Qt::Key_Return); // closes the list only
        QVERIFY(!box->view()->isVisible());

        QTest::keyClick(box, Qt::Key_Return); // commits and closes the editor
        QCoreApplication::processEvents();
        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("1,2"));
        QVERIFY(box);
        QVERIFY(!box->isVisible());
        QVERIFY(!box->view()->isVisible());
        QVERIFY(!QApplication::activePopupWidget());
    }

    void editorGeometry_data()
    {
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QRect>("editor");
        QTest::newRow("low cell") << QRect(10, 20, 80, 24) << QRect(10, 20, 80, 24);
        QTest::newRow("30 pixels") << QRect(10, 20, 80, 30) << QRect(10, 20, 80, 30);
        QTest::newRow("high cell centred") << QRect(10, 20, 80, 41) << QRect(10, 25, 80, 30);
    }
    void editorGeometry()
    {
        QFETCH(QRect, cell);
        QFETCH(QRect, editor);
        CheckBoxComboBoxDelegate delegate(nullptr, Directions);
        QWidget parent;
        QWidget child(&parent);
        QStyleOptionViewItem option;
        option.rect = cell;
        delegate.updateEditorGeometry(&child, option, QModelIndex());
        QCOMPARE(child.geometry(), editor);
    }
};

PROJECT_TEST(TestCheckBoxComboBoxDelegate);
#include "tst_checkboxcomboboxdelegate.moc"
