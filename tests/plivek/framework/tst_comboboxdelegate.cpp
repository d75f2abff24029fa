#include "cellimage.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/comboboxdelegate.h"
#include "testmain.h"

#include <QComboBox>
#include <QTableWidget>
#include <QtTest>

class TestComboBoxDelegate : public QObject
{
    Q_OBJECT
private slots:
    void lookups_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("valueOfText");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("textOfValue");

        const QVariantList none;
        const QVariantList numbers { 0, 1 };
        QTest::newRow("listed text and value")
            << numbers << "two" << QVariant(1) << QVariant(0) << "one";
        QTest::newRow("unlisted text, unlisted value")
            << numbers << "three" << QVariant() << QVariant(5) << "5";
        QTest::newRow("text of a value compares equal")
            << numbers << "TWO" << QVariant() << QVariant("1") << "two";
        QTest::newRow("no values: texts stand for themselves")
            << none << "anything" << QVariant("anything") << QVariant(1) << "1";
        QTest::newRow("no values: empty text is nothing")
            << none << "" << QVariant() << QVariant("one") << "one";
        QTest::newRow("fewer values than texts")
            << QVariantList { 10 } << "two" << QVariant() << QVariant(10) << "one";
    }

    void lookups()
    {
        QFETCH(QVariantList, values);
        QFETCH(QString, text);
        QFETCH(QVariant, valueOfText);
        QFETCH(QVariant, value);
        QFETCH(QString, textOfValue);

        const ComboBoxDelegate delegate(nullptr, { "one", "two" }, values);
        const QVariant found = delegate.valueForText(text);
        QCOMPARE(found.isValid(), valueOfText.isValid());
        if (valueOfText.isValid())
            QCOMPARE(found, valueOfText);
        QCOMPARE(delegate.textForValue(value), textOfValue);
    }

    void addItemSkipsNullValues()
    {
        ComboBoxDelegate delegate(nullptr, { "one" }, { 1 });
        delegate.addItem(QStringLiteral("two"), 2);
        delegate.addItem(QStringLiteral("three"));
        QCOMPARE(delegate.texts(), (QStringList { "one", "two", "three" }));
        QCOMPARE(delegate.values(), (QVariantList { 1, 2 }));
        QVERIFY(!delegate.valueForText(QStringLiteral("three")).isValid());
        QCOMPARE(delegate.valueForText(QStringLiteral("two")), QVariant(2));
    }

    // After clear() the list is filled anew; no old value answers for a new text.
    void clearEmptiesTextsAndValues()
    {
        ComboBoxDelegate delegate(nullptr, { "1", "2", "3" }, { 1, 2, 3 });
        delegate.clear();
        QVERIFY(delegate.texts().isEmpty());
        QVERIFY(delegate.values().isEmpty());
        delegate.addItem(QStringLiteral("one"), 10);
        QCOMPARE(delegate.valueForText(QStringLiteral("one")), QVariant(10));
        QCOMPARE(delegate.textForValue(1), QStringLiteral("1"));
    }

    void editorRoundTrip_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("openedAt");

        QTest::newRow("listed value") << QVariant(1) << 1;
        QTest::newRow("text not among the texts") << QVariant("purple") << 0;
    }

    void editorRoundTrip()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, openedAt);

        QTableWidget table(1, 1);
        auto *delegate = new ComboBoxDelegate(&table, { "red", "green", "blue" }, { 0, 1, 2 });
        table.setItemDelegate(delegate);
        setTableCellValue(&table, 0, 0, stored, true);
        const QString shown = table.item(0, 0)->text();

        const QModelIndex index = table.model()->index(0, 0);
        QScopedPointer<QWidget> editor(delegate->createEditor(table.viewport(), {}, index));
        auto *box = qobject_cast<QComboBox *>(editor.data());
        QVERIFY(box);
        QCOMPARE(box->count(), 3);
        delegate->setEditorData(box, index);
        QCOMPARE(box->currentIndex(), openedAt);
        QCOMPARE(table.item(0, 0)->text(), shown); // opening leaves the cell's own text

        box->setCurrentIndex(2);
        delegate->setModelData(box, table.model(), index);
        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("blue"));
        QCOMPARE(tableCellValue(&table, 0, 0), QVariant(2));
    }

    // A cell may hold a value instead of its text: it is shown as the text.
    void painting_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QVariant>("cell");
        QTest::addColumn<QString>("shown");

        const QVariantList numbers { 0, 1 };
        QTest::newRow("value shows its text") << numbers << QVariant(1) << "green";
        QTest::newRow("text shows itself") << numbers << QVariant("green") << "green";
        QTest::newRow("unlisted value shows itself") << numbers << QVariant(7) << "7";
        QTest::newRow("fewer values than texts: no mapping")
            << QVariantList { 1 } << QVariant(1) << "1";
        QTest::newRow("empty cell shows nothing") << numbers << QVariant() << "";
    }

    void painting()
    {
        QFETCH(QVariantList, values);
        QFETCH(QVariant, cell);
        QFETCH(QString, shown);

        const ComboBoxDelegate delegate(nullptr, { "red", "green" }, values);
        const QImage image = CellImage::paint(delegate, cell);
        QCOMPARE(image, CellImage::paint(CellImage::FixedTextDelegate(shown), cell));
        QCOMPARE(image == CellImage::paint(delegate, QVariant()), shown.isEmpty());
    }

    void editorGeometry_data()
    {
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QRect>("editor");

        QTest::newRow("tall cell") << QRect(10, 100, 80, 50) << QRect(10, 110, 80, 30);
        QTest::newRow("odd height") << QRect(0, 0, 80, 35) << QRect(0, 2, 80, 30);
        QTest::newRow("low cell") << QRect(0, 0, 80, 20) << QRect(0, 0, 80, 20);
    }

    void editorGeometry()
    {
        QFETCH(QRect, cell);
        QFETCH(QRect, editor);

        const ComboBoxDelegate delegate(nullptr, { "a" });
        QWidget widget;
        QStyleOptionViewItem option;
        option.rect = cell;
        delegate.updateEditorGeometry(&widget, option, QModelIndex());
        QCOMPARE(widget.geometry(), editor);
    }
};

PROJECT_TEST(TestComboBoxDelegate);
#include "tst_comboboxdelegate.moc"
