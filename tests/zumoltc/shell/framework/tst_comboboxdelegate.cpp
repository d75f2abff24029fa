#include "testmain.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"

#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QtTest>

namespace {

// What a delegate paints for the cell at row 0 of model.
QImage paintCell(const QAbstractItemDelegate &delegate, const QStandardItemModel &model)
{
    QImage image(120, 24, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = QStyle::State_Enabled;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    delegate.paint(&painter, option, model.index(0, 0));
    return image;
}

// A plain delegate painting this text: what the cell must look like.
QImage expectedCell(const QString &text)
{
    QStandardItemModel model(1, 1);
    if (!text.isNull())
        model.setData(model.index(0, 0), text, Qt::DisplayRole);
    return paintCell(QItemDelegate(), model);
}

QStandardItemModel *cellModel(const QVariant &value, QObject *parent)
{
    auto *model = new QStandardItemModel(1, 1, parent);
    if (value.isValid())
        model->setData(model->index(0, 0), value, Qt::EditRole);
    return model;
}

} // namespace

class TestComboBoxDelegate : public QObject
{
    Q_OBJECT
private slots:
    void constructors()
    {
        const ComboBoxDelegate fromPairs(nullptr,
                                         QList<QPair<QString, int>> { { "off", 0 }, { "on", 1 } });
        QCOMPARE(fromPairs.texts, (QStringList { "off", "on" }));
        QCOMPARE(fromPairs.values, (QVariantList { 0, 1 }));
        QCOMPARE(fromPairs.values.first().userType(), int(QMetaType::Int));

        ComboBoxDelegate lists(nullptr, QStringList { "a" }, QVariantList { QStringLiteral("x") });
        QCOMPARE(lists.values, QVariantList { QStringLiteral("x") });
        lists.clear();
        QVERIFY(lists.texts.isEmpty());
        QVERIFY(lists.values.isEmpty());
    }

    // Painting, opening the editor on the cell and storing a choice.
    void editCell_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<QVariant>("cell");
        QTest::addColumn<QString>("painted");
        QTest::addColumn<int>("editorIndex");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QVariant>("stored");

        const QStringList abc { "a", "b", "c" };
        const QVariantList numbers { 0, 1, 2 };
        QTest::newRow("value shows its text")
            << abc << numbers << QVariant(2) << "c" << 2 << 0 << QVariant(0);
        QTest::newRow("unknown value")
            << abc << numbers << QVariant(7) << "7" << 0 << 1 << QVariant(1);
        QTest::newRow("empty cell")
            << abc << numbers << QVariant() << QString() << 0 << 2 << QVariant(2);
        QTest::newRow("no values: texts")
            << abc << QVariantList() << QVariant("b") << "b" << 1 << 2 << QVariant("c");
        QTest::newRow("text case counts")
            << abc << QVariantList() << QVariant("B") << "B" << 0 << 0 << QVariant("a");
        QTest::newRow("values of another length")
            << abc << QVariantList { 0, 1 } << QVariant("c") << "c" << 2 << 1 << QVariant("b");
    }

    void editCell()
    {
        QFETCH(QStringList, texts);
        QFETCH(QVariantList, values);
        QFETCH(QVariant, cell);
        QFETCH(QString, painted);
        QFETCH(int, editorIndex);
        QFETCH(int, chosen);
        QFETCH(QVariant, stored);

        QObject owner;
        ComboBoxDelegate delegate(&owner, texts, values);
        QStandardItemModel *model = cellModel(cell, &owner);
        QCOMPARE(paintCell(delegate, *model), expectedCell(painted));

        QWidget parent;
        const QModelIndex index = model->index(0, 0);
        auto *editor = qobject_cast<QComboBox *>(
            delegate.createEditor(&parent, QStyleOptionViewItem(), index));
        QVERIFY(editor);
        QCOMPARE(editor->parent(), &parent);
        QCOMPARE(editor->sizeAdjustPolicy(), QComboBox::AdjustToContents);
        QCOMPARE(editor->count(), texts.size());
        QCOMPARE(editor->itemData(2), values.value(2));
        delegate.setEditorData(editor, index);
        QCOMPARE(editor->currentIndex(), editorIndex);

        editor->setCurrentIndex(chosen);
        delegate.setModelData(editor, model, index);
        QCOMPARE(model->data(index, Qt::EditRole), stored);
        QCOMPARE(model->data(index, Qt::EditRole).userType(), stored.userType());
    }

    // Lists refilled after the delegate was made take effect at once.
    void refilledLists()
    {
        QObject owner;
        ComboBoxDelegate delegate(&owner, QStringList(), QVariantList());
        QStandardItemModel *model = cellModel(5, &owner);
        QCOMPARE(paintCell(delegate, *model), expectedCell(QStringLiteral("5")));
        delegate.texts << QStringLiteral("Group 5");
        delegate.values << 5;
        QCOMPARE(paintCell(delegate, *model), expectedCell(QStringLiteral("Group 5")));
    }

    void sizeHint()
    {
        QObject owner;
        ComboBoxDelegate delegate(&owner, QStringList { "a very long text of a value", "b" },
                                  QVariantList { 1, 2 });
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 40, 20);
        QStandardItemModel *model = cellModel(1, &owner);
        const QSize plain = QItemDelegate().sizeHint(option, model->index(0, 0));
        const QSize widened = delegate.sizeHint(option, model->index(0, 0));
        QVERIFY(widened.width() > plain.width());
        QCOMPARE(widened.height(), plain.height());

        model->setData(model->index(0, 0), 9, Qt::EditRole);
        QCOMPARE(delegate.sizeHint(option, model->index(0, 0)),
                 QItemDelegate().sizeHint(option, model->index(0, 0)));

        model->setData(model->index(0, 0), QSize(33, 44), Qt::SizeHintRole);
        QCOMPARE(delegate.sizeHint(option, model->index(0, 0)), QSize(33, 44));
        model->setData(model->index(0, 0), QStringLiteral("no size"), Qt::SizeHintRole);
        QVERIFY(!delegate.sizeHint(option, model->index(0, 0)).isValid());
    }

    void editorGeometry_data()
    {
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<QRect>("geometry");

        QTest::newRow("low row: whole cell") << 24 << QRect(10, 100, 80, 24);
        QTest::newRow("30 pixels: whole cell") << 30 << QRect(10, 100, 80, 30);
        QTest::newRow("40 pixels: centred") << 40 << QRect(10, 105, 80, 30);
        QTest::newRow("odd height rounds down") << 35 << QRect(10, 102, 80, 30);
    }

    void editorGeometry()
    {
        QFETCH(int, rowHeight);
        QFETCH(QRect, geometry);
        ComboBoxDelegate delegate(nullptr, QStringList { "a" }, QVariantList { 1 });
        QWidget parent;
        QComboBox editor(&parent);
        QStyleOptionViewItem option;
        option.rect = QRect(10, 100, 80, rowHeight);
        QStandardItemModel model(1, 1);
        delegate.updateEditorGeometry(&editor, option, model.index(0, 0));
        QCOMPARE(editor.geometry(), geometry);
    }
};

PROJECT_TEST(TestComboBoxDelegate);
#include "tst_comboboxdelegate.moc"
