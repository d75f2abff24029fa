#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/tablecells.h"
#include "tablefixture.h"
#include "testmain.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

using namespace TableFixture;

namespace {

enum class Input { DoubleClick, Space, Letter, F2, SingleClick };

// Paints the delegate's cell (0, 0) of the table into a white image.
QImage paintCell(QTableWidget &table, const QAbstractItemDelegate &delegate,
                 QStyle::State state = QStyle::State_Enabled)
{
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = state;
    option.showDecorationSelected = true; // as a table view paints its cells
    delegate.paint(&painter, option, table.model()->index(0, 0));
    return image;
}

bool isRed(const QColor &colour)
{
    return colour.red() > 200 && colour.green() < 120 && colour.blue() < 120;
}

} // namespace

Q_DECLARE_METATYPE(Input)

class TestCheckBoxDelegate : public QObject
{
    Q_OBJECT
private slots:
    void input_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<bool>("readOnlyDelegate");
        QTest::addColumn<bool>("editableCell");
        QTest::addColumn<QVariant>("initial");
        QTest::addColumn<QString>("expected");

        QTest::newRow("double click toggles")
            << Input::DoubleClick << false << true << QVariant(false) << "bool:true";
        QTest::newRow("double click on the text true")
            << Input::DoubleClick << false << true << QVariant("true") << "bool:false";
        QTest::newRow("space toggles")
            << Input::Space << false << true << QVariant(true) << "bool:false";
        QTest::newRow("a letter is swallowed")
            << Input::Letter << false << true << QVariant(true) << "bool:true";
        QTest::newRow("F2 opens no editor")
            << Input::F2 << false << true << QVariant(true) << "bool:true";
        QTest::newRow("a single click changes nothing")
            << Input::SingleClick << false << true << QVariant(false) << "bool:false";
        QTest::newRow("read-only delegate, double click")
            << Input::DoubleClick << true << true << QVariant(false) << "bool:false";
        QTest::newRow("read-only delegate, space")
            << Input::Space << true << true << QVariant(false) << "bool:false";
        QTest::newRow("read-only cell, double click")
            << Input::DoubleClick << false << false << QVariant(false) << "bool:false";
        QTest::newRow("read-only cell, space")
            << Input::Space << false << false << QVariant(false) << "bool:false";
    }

    void input()
    {
        QFETCH(Input, input);
        QFETCH(bool, readOnlyDelegate);
        QFETCH(bool, editableCell);
        QFETCH(QVariant, initial);
        QFETCH(QString, expected);

        QTableWidget table;
        fill(table, 1, { initial });
        if (!editableCell)
            makeReadOnly(table, 0, 0);
        table.setItemDelegate(new CheckBoxDelegate(&table, false, readOnlyDelegate));
        table.setCurrentCell(0, 0);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));

        const QPoint centre = table.visualItemRect(table.item(0, 0)).center();
        switch (input) {
        case Input::DoubleClick: // as a real one: press, release, double click, release
            QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseRelease(table.viewport(), Qt::LeftButton, {}, centre);
            break;
        case Input::SingleClick:
            QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, centre);
            break;
        case Input::Space:
            QTest::keyClick(&table, Qt::Key_Space);
            break;
        case Input::Letter:
            QTest::keyClick(&table, Qt::Key_A);
            break;
        case Input::F2:
            QTest::keyClick(&table, Qt::Key_F2);
            break;
        }
        QCoreApplication::processEvents();

        QCOMPARE(cells(table), QStringList { expected });
        // No editor of any kind came up instead.
        QCOMPARE(table.viewport()->findChildren<QCheckBox *>().size(), 0);
        QCOMPARE(table.viewport()->findChildren<QLineEdit *>().size(), 0);
    }

    void editorRoundTrip()
    {
        QTableWidget table;
        fill(table, 1, { QVariant("true") });
        CheckBoxDelegate delegate;
        const QModelIndex index = table.model()->index(0, 0);
        QScopedPointer<QWidget> editor(delegate.createEditor(table.viewport(), {}, index));
        auto *box = qobject_cast<QCheckBox *>(editor.data());
        QVERIFY(box);
        delegate.setEditorData(box, index);
        QVERIFY(box->isChecked());
        box->setChecked(false);
        delegate.setModelData(box, table.model(), index);
        QCOMPARE(describe(tableCellValue(&table, 0, 0)), QStringLiteral("bool:false"));
    }

    void readOnlyDelegateHasNoEditor()
    {
        QTableWidget table;
        fill(table, 1, { true });
        CheckBoxDelegate delegate(nullptr, false, true);
        QVERIFY(!delegate.createEditor(table.viewport(), {}, table.model()->index(0, 0)));
    }

    void readOnlyMark_data()
    {
        QTest::addColumn<bool>("radioLook");
        QTest::addColumn<bool>("editable");

        QTest::newRow("check box, editable") << false << true;
        QTest::newRow("check box, read-only cell") << false << false;
        QTest::newRow("radio, editable") << true << true;
        QTest::newRow("radio, read-only cell") << true << false;
    }

    void readOnlyMark()
    {
        QFETCH(bool, radioLook);
        QFETCH(bool, editable);

        QTableWidget table;
        fill(table, 1, { false });
        if (!editable)
            makeReadOnly(table, 0, 0);
        const CheckBoxDelegate delegate(nullptr, radioLook, false);
        const QImage image = paintCell(table, delegate);
        QCOMPARE(isRed(image.pixelColor(image.rect().center())), !editable);
        QVERIFY(!isRed(image.pixelColor(1, 1))); // the mark stays on the indicator
    }

    // plivek paints a disabled cell as any other cell, a selected one on the
    // selection panel, and fills the cell with its background over that;
    // zumoltc paints the indicator alone.
    void cellPainting_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QVariant>("background");
        QTest::addColumn<bool>("plain");
        QTest::addColumn<QColor>("corner");

        const int enabled = QStyle::State_Enabled;
        const int selected = enabled | QStyle::State_Selected;
        const QColor highlight
            = QStyleOptionViewItem().palette.color(QPalette::Inactive, QPalette::Highlight);
        const QColor yellow(Qt::yellow);
        QTest::newRow("disabled: plain item painting")
            << int(QStyle::State_None) << QVariant() << true << QColor(Qt::white);
        QTest::newRow("selected: selection panel") << selected << QVariant() << false << highlight;
        QTest::newRow("background brush") << enabled << QVariant(QBrush(yellow)) << false << yellow;
        QTest::newRow("background colour") << enabled << QVariant(yellow) << false << yellow;
        QTest::newRow("background over the selection")
            << selected << QVariant(QBrush(yellow)) << false << yellow;
    }

    void cellPainting()
    {
        QFETCH(int, state);
        QFETCH(QVariant, background);
        QFETCH(bool, plain);
        QFETCH(QColor, corner);
#ifdef COMMON_WIDGETS_ZUMOLTC
        plain = false;
        corner = Qt::white;
#endif

        QTableWidget table;
        fill(table, 1, { true });
        table.item(0, 0)->setData(Qt::BackgroundRole, background);
        const CheckBoxDelegate delegate;
        const QImage image = paintCell(table, delegate, QStyle::State(state));
        QCOMPARE(image == paintCell(table, QItemDelegate(), QStyle::State(state)), plain);
        QCOMPARE(image.pixelColor(0, 0), corner);
#ifndef COMMON_WIDGETS_ZUMOLTC
        if (!plain) // the indicator lies over the panel and the background
            QVERIFY(image.pixelColor(image.rect().center()) != corner);
#endif
    }

    void checkedLook()
    {
        // The text "true" reads as checked, like the bool.
        QTableWidget table;
        fill(table, 1, { QVariant("true") });
        const CheckBoxDelegate delegate;
        const QImage fromText = paintCell(table, delegate);
        table.item(0, 0)->setData(Qt::EditRole, true);
        QCOMPARE(paintCell(table, delegate), fromText);
        table.item(0, 0)->setData(Qt::EditRole, false);
        QVERIFY(paintCell(table, delegate) != fromText);
    }
};

PROJECT_TEST(TestCheckBoxDelegate);
#include "tst_checkboxdelegate.moc"
