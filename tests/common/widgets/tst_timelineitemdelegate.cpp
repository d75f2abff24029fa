#include "common/widgets/parameterstable.h"
#include "common/widgets/timelineitemdelegate.h"
#include "testmain.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QtTest>

namespace {

const QColor Background(Qt::magenta);
constexpr int CellLeft = 4;
constexpr int CellTop = 10;

// Paints one cell holding this value into an image filled with the background.
QImage paintCell(const QVariant &value, int rowHeight)
{
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), value, Qt::EditRole);
    TimelineItemDelegate delegate;
    QImage image(120, 60, QImage::Format_ARGB32);
    image.fill(Background);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(CellLeft, CellTop, 100, rowHeight);
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    option.palette.setColor(QPalette::Text, Qt::black);
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    delegate.paint(&painter, option, model.index(0, 0));
    return image;
}

// Whether anything but the background was drawn right of the picture.
bool hasText(const QImage &image)
{
    for (int x = CellLeft + 26; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) != Background)
                return true;
    return false;
}

bool isBlank(const QImage &image)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) != Background)
                return false;
    return true;
}

struct Editor
{
    Editor()
    {
        widget = delegate.createEditor(&parent, QStyleOptionViewItem(), model.index(0, 0));
        states = widget->findChild<QComboBox *>();
        duration = widget->findChild<QSpinBox *>();
        // The view filters the editor widget through its delegate.
        widget->installEventFilter(&delegate);
    }

    QStandardItemModel model { 1, 1 };
    TimelineItemDelegate delegate;
    QWidget parent;
    QWidget *widget = nullptr;
    QComboBox *states = nullptr;
    QSpinBox *duration = nullptr;
};

// Shows the table, opens the editor of cell (0, 0) holding red|5 and types
// into its duration field once that field has the focus; null on failure.
QSpinBox *typeIntoFirstStep(QTableWidget &table, const QString &typed)
{
    table.setItem(0, 0, new QTableWidgetItem(QStringLiteral("red|5")));
    table.show();
    if (!QTest::qWaitForWindowExposed(&table))
        return nullptr;
    table.setCurrentCell(0, 0);
    table.editItem(table.item(0, 0));
    QWidget *editor = table.indexWidget(table.model()->index(0, 0));
    auto *duration = editor ? editor->findChild<QSpinBox *>() : nullptr;
    QCoreApplication::processEvents(); // the duration field asks for the focus by a queued call
    if (!duration || !duration->hasFocus())
        return nullptr;
    QTest::keyClicks(duration, typed);
    return duration;
}

} // namespace

class TestTimelineItemDelegate : public QObject
{
    Q_OBJECT
private slots:
    // (x, y) of a picture pixel, relative to the picture's top left corner.
    void paintPicture_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("color");

        QTest::newRow("red") << "red|5" << QPoint(12, 12) << QColor(Qt::red);
        QTest::newRow("amber") << "amber|5" << QPoint(0, 23) << QColor(Qt::yellow);
        QTest::newRow("green") << "green|5" << QPoint(23, 0) << QColor(Qt::darkGreen);
        QTest::newRow("red_amber top") << "red_amber|5" << QPoint(5, 11) << QColor(Qt::red);
        QTest::newRow("red_amber bottom") << "red_amber|5" << QPoint(5, 12) << QColor(Qt::yellow);
        QTest::newRow("green_blink 1st stripe")
            << "green_blink|5" << QPoint(5, 3) << QColor(Qt::darkGreen);
        QTest::newRow("green_blink 2nd stripe")
            << "green_blink|5" << QPoint(6, 3) << QColor(Qt::white);
        QTest::newRow("green_blink 3rd stripe")
            << "green_blink|5" << QPoint(12, 3) << QColor(Qt::darkGreen);
        QTest::newRow("green_blink 4th stripe")
            << "green_blink|5" << QPoint(23, 3) << QColor(Qt::white);
        QTest::newRow("unknown state: no picture") << "blue|5" << QPoint(12, 12) << Background;
        QTest::newRow("case counts") << "Red|5" << QPoint(12, 12) << Background;
    }
    void paintPicture()
    {
        QFETCH(QString, value);
        QFETCH(QPoint, pixel);
        QFETCH(QColor, color);

        const QImage image = paintCell(value, 24);
        QCOMPARE(image.pixelColor(QPoint(CellLeft + 1, CellTop) + pixel), color);
        // The duration is drawn whether or not the state is known.
        QVERIFY(hasText(image));
    }

    // The picture is centred in the row with truncating division.
    void picturePosition_data()
    {
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<int>("pictureTop");
        QTest::newRow("20 pixels: 2 above the cell") << 20 << CellTop - 2;
        QTest::newRow("23 pixels: at the top") << 23 << CellTop;
        QTest::newRow("24 pixels") << 24 << CellTop;
        QTest::newRow("30 pixels") << 30 << CellTop + 3;
    }
    void picturePosition()
    {
        QFETCH(int, rowHeight);
        QFETCH(int, pictureTop);

        const QImage image = paintCell(QStringLiteral("red|5"), rowHeight);
        const QColor red(Qt::red);
        QCOMPARE(image.pixelColor(CellLeft + 1, pictureTop), red);
        QCOMPARE(image.pixelColor(CellLeft + 1, pictureTop + 23), red);
        QCOMPARE(image.pixelColor(CellLeft + 24, pictureTop), red);
        QCOMPARE(image.pixelColor(CellLeft, pictureTop), Background);
        QCOMPARE(image.pixelColor(CellLeft + 1, pictureTop - 1), Background);
        QCOMPARE(image.pixelColor(CellLeft + 1, pictureTop + 24), Background);
    }

    void paintsOnlyTwoParts_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("no separator") << QVariant(QStringLiteral("5"));
        QTest::newRow("three parts") << QVariant(QStringLiteral("a|b|c"));
        QTest::newRow("empty") << QVariant(QString());
        QTest::newRow("invalid") << QVariant();
    }
    void paintsOnlyTwoParts()
    {
        QFETCH(QVariant, value);
        QVERIFY(isBlank(paintCell(value, 24)));
    }

    void sizeHint()
    {
        TimelineItemDelegate delegate;
        const int width
            = QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("655350"));
        QCOMPARE(delegate.sizeHint(QStyleOptionViewItem(), QModelIndex()), QSize(width + 24, 24));
    }

    void editorWidgets()
    {
        Editor e;
        QVERIFY(e.states);
        QVERIFY(e.duration);
        QCOMPARE(e.states->count(), 5);
        const QStringList texts { "(r)", "(y)", "(g)", "(m)", "(b)" };
        const QStringList keys { "red", "amber", "green", "red_amber", "green_blink" };
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(e.states->itemText(i), texts.at(i));
            QCOMPARE(e.states->itemData(i).toString(), keys.at(i));
            QVERIFY(!e.states->itemIcon(i).isNull());
        }
        QCOMPARE(e.states->iconSize(), QSize(24, 24));
        QVERIFY(!e.states->hasFrame());
        QCOMPARE(e.states->sizeAdjustPolicy(), QComboBox::AdjustToContents);
        auto *layout = qobject_cast<QBoxLayout *>(e.widget->layout());
        QVERIFY(layout);
        QCOMPARE(layout->direction(), QBoxLayout::LeftToRight);
        QCOMPARE(layout->spacing(), 1);
        QCOMPARE(layout->contentsMargins(), QMargins());
        QCOMPARE(e.duration->minimum(), 0);
        QCOMPARE(e.duration->maximum(), 65535);
        QCOMPARE(e.duration->buttonSymbols(), QAbstractSpinBox::NoButtons);
    }

    // Opens the editor on a cell and accepts it unchanged.
    void editorRoundTrip_data()
    {
        QTest::addColumn<QVariant>("cell");
        QTest::addColumn<int>("stateIndex");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("written");

        // The editor starts at "amber" and 77; an unreadable cell leaves it so.
        QTest::newRow("green|12") << QVariant("green|12") << 2 << 12 << "green|12";
        QTest::newRow("empty cell") << QVariant() << -1 << 0 << "|0";
        QTest::newRow("unknown state") << QVariant("blue|5") << -1 << 5 << "|5";
        QTest::newRow("duration not a number") << QVariant("red|x") << 0 << 0 << "red|0";
        QTest::newRow("no separator: untouched") << QVariant("5") << 1 << 77 << "amber|77";
        QTest::newRow("three parts: untouched") << QVariant("a|b|c") << 1 << 77 << "amber|77";
    }
    void editorRoundTrip()
    {
        QFETCH(QVariant, cell);
        QFETCH(int, stateIndex);
        QFETCH(int, seconds);
        QFETCH(QString, written);

        Editor e;
        e.states->setCurrentIndex(1);
        e.duration->setValue(77);
        e.model.setData(e.model.index(0, 0), cell, Qt::EditRole);
        e.delegate.setEditorData(e.widget, e.model.index(0, 0));
        QCOMPARE(e.states->currentIndex(), stateIndex);
        QCOMPARE(e.duration->value(), seconds);
        e.delegate.setModelData(e.widget, &e.model, e.model.index(0, 0));
        QCOMPARE(e.model.data(e.model.index(0, 0), Qt::EditRole).toString(), written);
    }

    void setModelDataNeedsBothFields()
    {
        TimelineItemDelegate delegate;
        QStandardItemModel model(1, 1);
        model.setData(model.index(0, 0), QStringLiteral("red|5"));
        QWidget notAnEditor;
        new QSpinBox(&notAnEditor);
        delegate.setModelData(&notAnEditor, &model, model.index(0, 0));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("red|5"));
    }

    // Keys typed anywhere in the editor: letters choose the state, digits the duration.
    void keys_data()
    {
        QTest::addColumn<bool>("intoDuration");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");

        QTest::newRow("M in duration keeps it") << true << "M"
                                                << "red_amber|5";
        QTest::newRow("lower case g") << true << "g"
                                      << "green|5";
        QTest::newRow("Y on the editor") << false << "y"
                                         << "amber|5";
        QTest::newRow("B on the editor") << false << "B"
                                         << "green_blink|5";
        QTest::newRow("R on the editor") << false << "r"
                                         << "red|5";
        QTest::newRow("digits on the editor go to the duration") << false << "42"
                                                                 << "red|42";
        QTest::newRow("digits in the duration") << true << "310"
                                                << "red|310";
        QTest::newRow("other letters change nothing") << false << "x"
                                                      << "red|5";
        QTest::newRow("no value above 65535") << true << "70000"
                                              << "red|7000";
        QTest::newRow("state and duration") << true << "g9"
                                            << "green|9";
    }
    void keys()
    {
        QFETCH(bool, intoDuration);
        QFETCH(QString, typed);
        QFETCH(QString, written);

        Editor e;
        e.model.setData(e.model.index(0, 0), QStringLiteral("red|5"));
        e.delegate.setEditorData(e.widget, e.model.index(0, 0));
        QTest::keyClicks(intoDuration ? static_cast<QWidget *>(e.duration) : e.widget, typed);
        e.delegate.setModelData(e.widget, &e.model, e.model.index(0, 0));
        QCOMPARE(e.model.data(e.model.index(0, 0)).toString(), written);
    }

    // In a table the usual keys close the editor even from the duration field.
    void editingInTable_data()
    {
        QTest::addColumn<int>("closeKey");
        QTest::addColumn<QString>("cell");
        QTest::newRow("Tab commits") << int(Qt::Key_Tab) << "green|30";
        QTest::newRow("Return commits") << int(Qt::Key_Return) << "green|30";
        QTest::newRow("Escape reverts") << int(Qt::Key_Escape) << "red|5";
    }
    void editingInTable()
    {
        QFETCH(int, closeKey);
        QFETCH(QString, cell);

        QTableWidget table(1, 2);
        TimelineItemDelegate delegate;
        table.setItemDelegate(&delegate);
        table.setItem(0, 1, new QTableWidgetItem(QStringLiteral("amber|3")));
        QSpinBox *duration = typeIntoFirstStep(table, QStringLiteral("g30"));
        QVERIFY(duration);
        QTest::keyClick(duration, Qt::Key(closeKey));
        QTRY_VERIFY(!table.indexWidget(table.model()->index(0, 0)));
        QCOMPARE(table.item(0, 0)->text(), cell);
        QCOMPARE(table.item(0, 1)->text(), QStringLiteral("amber|3"));
    }

    // Tab out of a step edits the next cell. In a timeline table, which keeps
    // an empty column at its end, Tab out of the last step appends a column
    // and edits it, and that editor stays open without writing a step.
    void tabEditsTheNextCell_data()
    {
        QTest::addColumn<bool>("autoExtend");
        QTest::addColumn<int>("columns");
        QTest::newRow("plain table") << false << 2;
        QTest::newRow("auto-extending table") << true << 1;
    }
    void tabEditsTheNextCell()
    {
        QFETCH(bool, autoExtend);
        QFETCH(int, columns);
        ParametersTable table;
        table.setRowCount(2);
        table.setColumnCount(columns);
        TimelineItemDelegate delegate;
        table.setItemDelegate(&delegate);
        table.autoExtendColumns = autoExtend;
        QSpinBox *duration = typeIntoFirstStep(table, QStringLiteral("g30"));
        QVERIFY(duration);
        QTest::keyClick(duration, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        QCOMPARE(table.item(0, 0)->text(), QStringLiteral("green|30"));
        QCOMPARE(table.columnCount(), 2);
        QCOMPARE(table.currentColumn(), 1);
        QCOMPARE(table.currentRow(), 0);
        QWidget *next = table.indexWidget(table.model()->index(0, 1));
        QVERIFY(next);
        QVERIFY(next->findChild<QSpinBox *>()->hasFocus());
        QVERIFY(!table.item(0, 1));
    }
};

PROJECT_TEST(TestTimelineItemDelegate);
#include "tst_timelineitemdelegate.moc"
