#include "cellimage.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/datedelegate.h"
#include "plivek/framework/doublespinboxdelegate.h"
#include "plivek/framework/exttextdelegate.h"
#include "plivek/framework/timedelegate.h"
#include "testmain.h"

#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>

namespace {

// Creates the delegate's editor for cell (0, 0) and fills it from the cell.
template<typename Editor> Editor *openEditor(QTableWidget &table, QAbstractItemDelegate &delegate)
{
    const QModelIndex index = table.model()->index(0, 0);
    QWidget *editor = delegate.createEditor(table.viewport(), QStyleOptionViewItem(), index);
    delegate.setEditorData(editor, index);
    return qobject_cast<Editor *>(editor);
}

void commit(QTableWidget &table, QAbstractItemDelegate &delegate, QWidget *editor)
{
    delegate.setModelData(editor, table.model(), table.model()->index(0, 0));
}

} // namespace

class TestItemDelegates : public QObject
{
    Q_OBJECT
private slots:
    void doubleSpinBox_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("stored");

        QTest::newRow("inside the range") << 300.4 << 300.4;
        QTest::newRow("one decimal") << 12.34 << 12.3;
        QTest::newRow("above the maximum") << 70000.0 << 65535.0;
        QTest::newRow("below zero") << -5.0 << 0.0;
    }

    void doubleSpinBox()
    {
        QFETCH(double, typed);
        QFETCH(double, stored);

        QTableWidget table(1, 1);
        DoubleSpinBoxDelegate delegate;
        setTableCellValue(&table, 0, 0, 12.5, true);
        QScopedPointer<QDoubleSpinBox> editor(openEditor<QDoubleSpinBox>(table, delegate));
        QVERIFY(editor);
        QCOMPARE(editor->value(), 12.5);
        QCOMPARE(editor->singleStep(), 0.1);
        editor->setValue(typed);
        commit(table, delegate, editor.data());
        QCOMPARE(tableCellValueAs(&table, 0, 0, QMetaType::Double).toDouble(), stored);
    }

    void readOnlyDoubleHidesItsNumber()
    {
        QTableWidget table(1, 1);
        setTableCellValue(&table, 0, 0, 1234.5, false);
        DoubleSpinBoxDelegate delegate;
        const auto paint = [&] {
            QImage image(60, 20, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            QStyleOptionViewItem option;
            option.rect = image.rect();
            option.state = QStyle::State_Enabled;
            delegate.paint(&painter, option, table.model()->index(0, 0));
            return image;
        };
        const QImage withNumber = paint();
        QCOMPARE(withNumber.pixelColor(30, 10), QColor(Qt::lightGray));
        setTableCellValue(&table, 0, 0, 7, false);
        QCOMPARE(paint(), withNumber);
    }

    void time()
    {
        QTableWidget table(1, 1);
        TimeDelegate delegate(nullptr, QStringLiteral("hh:mm"));
        QCOMPARE(delegate.sizeHint(QStyleOptionViewItem(), QModelIndex()), QSize(50, 23));
        setTableCellValue(&table, 0, 0, QTime(7, 30), true);
        QScopedPointer<QTimeEdit> editor(openEditor<QTimeEdit>(table, delegate));
        QVERIFY(editor);
        QCOMPARE(editor->displayFormat(), QStringLiteral("hh:mm"));
        QCOMPARE(editor->time(), QTime(7, 30));
        editor->setTime(QTime(18, 5));
        commit(table, delegate, editor.data());
        QCOMPARE(tableCellValue(&table, 0, 0), QVariant(QTime(18, 5)));
    }

    void date_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("cellFormat");

        QTest::newRow("every year") << "dd.MM.yyyy" << QDate(1900, 5, 1) << "dd.MM";
        QTest::newRow("one year") << "dd.MM.yyyy" << QDate(2024, 5, 1) << "dd.MM.yyyy";
        QTest::newRow("year written otherwise")
            << "yyyy-MM-dd" << QDate(1900, 5, 1) << "yyyy-MM-dd";
        QTest::newRow("day and month only") << "dd.MM" << QDate(1900, 5, 1) << "dd.MM";
    }

    void date()
    {
        QFETCH(QString, format);
        QFETCH(QDate, date);
        QFETCH(QString, cellFormat);

        QTableWidget table(1, 1);
        DateDelegate delegate(nullptr, format);
        setTableCellValue(&table, 0, 0, date, true);
        QCOMPARE(delegate.cellFormat(table.model()->index(0, 0)), cellFormat);

        QScopedPointer<QDateEdit> editor(openEditor<QDateEdit>(table, delegate));
        QVERIFY(editor);
        QCOMPARE(editor->displayFormat(), cellFormat);
        QVERIFY(editor->calendarPopup());
        QCOMPARE(editor->date(), date);
        editor->setDate(date.addDays(1)); // a date without a year keeps the year 1900
        commit(table, delegate, editor.data());
        QCOMPARE(tableCellValue(&table, 0, 0), QVariant(date.addDays(1)));
    }

    // What the time and date delegates show; a null text means the cell is
    // painted as any other cell.
    void timeAndDatePainting_data()
    {
        QTest::addColumn<bool>("isDate");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("shown");

        QTest::newRow("selected time in the display format")
            << false << "hh:mm" << QVariant(QTime(7, 5)) << true << "07:05";
        // The seconds, which the column does not edit, are not shown either.
        QTest::newRow("time not selected in the display format")
            << false << "hh:mm" << QVariant(QTime(7, 5, 30)) << false << "07:05";
        QTest::newRow("invalid time shows nothing")
            << false << "hh:mm" << QVariant(QTime()) << false << "";
        QTest::newRow("date in 1900 without its year")
            << true << "dd.MM.yyyy" << QVariant(QDate(1900, 5, 1)) << false << "01.05";
        QTest::newRow("selected date in 1900")
            << true << "dd.MM.yyyy" << QVariant(QDate(1900, 5, 1)) << true << "01.05";
        QTest::newRow("date with its year")
            << true << "dd.MM.yyyy" << QVariant(QDate(2024, 5, 1)) << false << "01.05.2024";
        QTest::newRow("year written otherwise stays")
            << true << "yyyy-MM-dd" << QVariant(QDate(1900, 5, 1)) << false << "1900-05-01";
    }

    void timeAndDatePainting()
    {
        QFETCH(bool, isDate);
        QFETCH(QString, format);
        QFETCH(QVariant, value);
        QFETCH(bool, selected);
        QFETCH(QString, shown);

        QScopedPointer<QAbstractItemDelegate> delegate;
        if (isDate)
            delegate.reset(new DateDelegate(nullptr, format));
        else
            delegate.reset(new TimeDelegate(nullptr, format));
        const QImage image = CellImage::paint(*delegate, value, selected);
        if (shown.isNull())
            QCOMPARE(image, CellImage::paint(QItemDelegate(), value, selected));
        else
            QCOMPARE(image, CellImage::paint(CellImage::FixedTextDelegate(shown), value, selected));
        QVERIFY(image != CellImage::paint(CellImage::FixedTextDelegate("x"), value, selected));
    }

    void uniqueText_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("stored");

        QTest::newRow("free text") << "C" << QStringList { "D" } << false << "D";
        QTest::newRow("taken text") << "C" << QStringList { "A" } << true << "C";
        QTest::newRow("taken, then free") << "C" << QStringList { "A", "Ab" } << false << "Ab";
        QTest::newRow("taken, then back to the old text")
            << "C" << QStringList { "A", "C" } << false << "C";
        // A cell whose own text is already taken by another object.
        QTest::newRow("own taken text opens plain") << "A" << QStringList() << false << "A";
        QTest::newRow("own taken text typed back")
            << "A" << QStringList { "B", "A" } << false << "A";
    }

    void uniqueText()
    {
        QFETCH(QString, cell);
        QFETCH(QStringList, typed);
        QFETCH(bool, red);
        QFETCH(QString, stored);

        QTableWidget table(1, 1);
        ExtTextDelegate delegate(nullptr, { "A", "B" });
        setTableCellValue(&table, 0, 0, cell, true);
        QScopedPointer<QLineEdit> editor(openEditor<QLineEdit>(table, delegate));
        QVERIFY(editor);
        QCOMPARE(editor->property("old_text").toString(), cell);
        for (const QString &text : typed)
            editor->setText(text);
        const QBrush base = editor->palette().brush(QPalette::Active, QPalette::Base);
        QCOMPARE(base == QBrush(Qt::red), red);
        QCOMPARE(editor->palette().brush(QPalette::Inactive, QPalette::Base) == QBrush(Qt::red),
                 red);
        commit(table, delegate, editor.data());
        QCOMPARE(tableCellValue(&table, 0, 0).toString(), stored);
    }

    // The owner renews the taken list: the new list decides, the old one is gone.
    void replacedTakenTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QString>("stored");
        QTest::newRow("newly taken") << "D" << true << "C";
        QTest::newRow("no longer taken") << "A" << false << "A";
    }
    void replacedTakenTexts()
    {
        QFETCH(QString, typed);
        QFETCH(bool, red);
        QFETCH(QString, stored);
        QTableWidget table(1, 1);
        ExtTextDelegate delegate(nullptr, { "A", "B" });
        delegate.setTakenTexts({ "B", "D" });
        setTableCellValue(&table, 0, 0, QStringLiteral("C"), true);
        QScopedPointer<QLineEdit> editor(openEditor<QLineEdit>(table, delegate));
        editor->setText(typed);
        QCOMPARE(editor->palette().brush(QPalette::Active, QPalette::Base) == QBrush(Qt::red), red);
        commit(table, delegate, editor.data());
        QCOMPARE(tableCellValue(&table, 0, 0).toString(), stored);
    }

    void nothingTakenNeverColours()
    {
        QTableWidget table(1, 1);
        ExtTextDelegate delegate;
        setTableCellValue(&table, 0, 0, QStringLiteral("C"), true);
        QScopedPointer<QLineEdit> editor(openEditor<QLineEdit>(table, delegate));
        QPalette custom = editor->palette();
        custom.setColor(QPalette::Base, Qt::yellow);
        editor->setPalette(custom);
        editor->setText(QStringLiteral("A"));
        QCOMPARE(editor->palette().color(QPalette::Base), QColor(Qt::yellow));
        commit(table, delegate, editor.data());
        QCOMPARE(tableCellValue(&table, 0, 0).toString(), QStringLiteral("A"));
    }
};

PROJECT_TEST(TestItemDelegates);
#include "tst_itemdelegates.moc"
