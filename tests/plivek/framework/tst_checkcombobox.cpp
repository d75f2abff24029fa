#include "plivek/framework/checkcombobox.h"
#include "plivek/framework/checkcombomodel.h"
#include "testmain.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

QStringList letters()
{
    return { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") };
}

void check(CheckComboBox &box, int row)
{
    box.setItemData(row, Qt::Checked, Qt::CheckStateRole);
}

// Clicks the item of this row in the open list.
void clickItem(CheckComboBox &box, int row)
{
    QAbstractItemView *view = box.view();
    const QPoint pos = view->visualRect(box.model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
}

// Shows the box with the three letters, its list open when asked.
bool showBox(CheckComboBox &box, bool openList)
{
    box.addItems(letters());
    box.show();
    if (!QTest::qWaitForWindowExposed(&box))
        return false;
    if (openList)
        box.showPopup();
    return box.view()->isVisible() == openList;
}

} // namespace

class TestCheckComboBox : public QObject
{
    Q_OBJECT
private slots:
    void modelMakesItemsCheckable()
    {
        CheckComboModel model;
        QCOMPARE(model.columnCount(), 1);
        model.appendRow(new QStandardItem(QStringLiteral("a")));
        const QModelIndex index = model.index(0, 0);
        QVERIFY(model.flags(index) & Qt::ItemIsUserCheckable);
        // No check state yet reads as unchecked; other roles stay as they are.
        QCOMPARE(model.data(index, Qt::CheckStateRole), QVariant(int(Qt::Unchecked)));
        QVERIFY(!model.data(index, Qt::ToolTipRole).isValid());
        QVERIFY(!model.data(QModelIndex(), Qt::CheckStateRole).isValid());

        QSignalSpy changed(&model, &CheckComboModel::checkStateChanged);
        QSignalSpy data(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(index, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(changed.count(), 1);
        QVERIFY(data.count() >= 1);
        QVERIFY(model.setData(index, QStringLiteral("x"), Qt::DisplayRole));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!model.setData(model.index(5, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(changed.count(), 1);
    }

    // The line shows the checked items joined by the separator, or the default text.
    void lineText_data()
    {
        QTest::addColumn<QList<int>>("checkedRows");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("line");

        QTest::newRow("none gives default")
            << QList<int>() << QString() << QStringLiteral("(none)");
        QTest::newRow("two") << QList<int> { 0, 1 } << QString() << QStringLiteral("a,b");
        QTest::newRow("row order") << QList<int> { 2, 0 } << QString() << QStringLiteral("a,c");
        QTest::newRow("separator changed")
            << QList<int> { 0, 1 } << QStringLiteral("; ") << QStringLiteral("a; b");
    }
    void lineText()
    {
        QFETCH(QList<int>, checkedRows);
        QFETCH(QString, separator);
        QFETCH(QString, line);

        CheckComboBox box;
        box.addItems(letters());
        box.setDefaultText(QStringLiteral("(none)"));
        for (int row : checkedRows)
            check(box, row);
        if (!separator.isNull()) {
            QCOMPARE(box.property("separator").toString(), QStringLiteral(","));
            box.setProperty("separator", separator);
        }
        QCOMPARE(box.lineEdit()->text(), line);
        QCOMPARE(box.currentText(), line);
    }

    void checkedItemsChangedIsEmitted()
    {
        CheckComboBox box;
        box.addItems(letters());
        QSignalSpy spy(&box, &CheckComboBox::checkedItemsChanged);
        check(box, 1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toStringList(), QStringList { QStringLiteral("b") });
        box.setItemData(1, Qt::Unchecked, Qt::CheckStateRole);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toStringList(), QStringList());
        QCOMPARE(box.property("checkedItems").toStringList(), QStringList());
    }

    void setCheckedItems_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("checked");

        // Row 1 ("b") is checked beforehand and is never unchecked by the call.
        QTest::newRow("names one unchecked item and an unknown one")
            << QStringList { QStringLiteral("c"), QStringLiteral("zz") }
            << QStringList { QStringLiteral("b"), QStringLiteral("c") };
        QTest::newRow("empty list") << QStringList() << QStringList { QStringLiteral("b") };
        QTest::newRow("case counts")
            << QStringList { QStringLiteral("A") } << QStringList { QStringLiteral("b") };
        QTest::newRow("already checked")
            << QStringList { QStringLiteral("b"), QStringLiteral("a") }
            << QStringList { QStringLiteral("a"), QStringLiteral("b") };
    }
    void setCheckedItems()
    {
        QFETCH(QStringList, items);
        QFETCH(QStringList, checked);

        CheckComboBox box;
        box.addItems(letters());
        check(box, 1);
        box.setCheckedItems(items);
        QCOMPARE(box.checkedItems(), checked);
    }

    void toggleCheckState()
    {
        CheckComboBox box;
        box.addItems(letters());
        box.toggleCheckState(0);
        QCOMPARE(box.checkedItems(), QStringList { QStringLiteral("a") });
        box.toggleCheckState(0);
        QCOMPARE(box.checkedItems(), QStringList());
        box.setItemData(2, Qt::PartiallyChecked, Qt::CheckStateRole);
        box.toggleCheckState(2);
        QCOMPARE(box.itemData(2, Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        box.toggleCheckState(7); // no such item: nothing happens
        QCOMPARE(box.checkedItems(), QStringList());
    }

    void lineFollowsCheckedItemsOnly()
    {
        CheckComboBox box;
        box.addItems(letters());
        check(box, 0);
        box.setCurrentIndex(2);
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("a"));
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&box, &wheel);
        QCOMPARE(box.checkedItems(), QStringList { QStringLiteral("a") });
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("a"));
    }

    void lineIgnoresTyping()
    {
        CheckComboBox box;
        box.addItems(letters());
        check(box, 0);
        QVERIFY(box.lineEdit()->isReadOnly());
        QTest::keyClicks(box.lineEdit(), QStringLiteral("xyz"));
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("a"));
        QCOMPARE(box.count(), 3);
    }

    void clicksKeepListOpenAndReturnClosesIt()
    {
        CheckComboBox box;
        QVERIFY(showBox(box, true));
        for (int row = 0; row < 3; ++row) {
            clickItem(box, row);
            QVERIFY(box.view()->isVisible());
        }
        QCOMPARE(box.checkedItems(), letters());
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("a,b,c"));
        clickItem(box, 1);
        QCOMPARE(box.checkedItems(), (QStringList { QStringLiteral("a"), QStringLiteral("c") }));

        // Return closes the list without toggling the current item.
        QTest::keyClick(box.view(), Qt::Key_Return);
        QVERIFY(!box.view()->isVisible());
        QCOMPARE(box.checkedItems(), (QStringList { QStringLiteral("a"), QStringLiteral("c") }));
    }

    void keysOpenAndCloseTheList_data()
    {
        QTest::addColumn<int>("closeKey");
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void keysOpenAndCloseTheList()
    {
        QFETCH(int, closeKey);

        CheckComboBox box;
        QVERIFY(showBox(box, false));
        QTest::keyClick(&box, Qt::Key_Down);
        QTRY_VERIFY(box.view()->isVisible());
        // Nothing was toggled by opening.
        QCOMPARE(box.checkedItems(), QStringList());
        QTest::keyClick(box.view(), Qt::Key(closeKey));
        QVERIFY(!box.view()->isVisible());
        QCOMPARE(box.checkedItems(), QStringList());
    }

    void hideRequestIgnoredUntilAllowed()
    {
        CheckComboBox box;
        QVERIFY(showBox(box, true));
        box.hidePopup();
        QVERIFY(box.view()->isVisible());
        // A click outside the list reaches the popup frame and closes the list.
        QTest::mouseClick(box.view()->window(), Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
        QVERIFY(!box.view()->isVisible());
        QCOMPARE(box.checkedItems(), QStringList());
    }
};

PROJECT_TEST(TestCheckComboBox);
#include "tst_checkcombobox.moc"
