#include "comboboxdelegate.h"

#include <QComboBox>
#include <QPainter>

namespace {

constexpr int EditorHeight = 30;

// The width within which QItemDelegate lays out a cell's text: the cell's own
// width when the text wraps beside the decoration, else practically unbounded.
QRect textLayoutBounds(const QStyleOptionViewItem &option)
{
    constexpr int Unbounded = INT_MAX / 256;
    QRect bounds = option.rect;
    const bool wrap = option.features & QStyleOptionViewItem::WrapText;
    switch (option.decorationPosition) {
    case QStyleOptionViewItem::Left:
    case QStyleOptionViewItem::Right:
        bounds.setWidth(wrap && bounds.isValid() ? bounds.width() : Unbounded);
        break;
    case QStyleOptionViewItem::Top:
    case QStyleOptionViewItem::Bottom:
        bounds.setWidth(wrap ? option.decorationSize.width() : Unbounded);
        break;
    }
    return bounds;
}

} // namespace

ComboBoxDelegate::ComboBoxDelegate(QObject *parent, const QList<QPair<QString, int>> &items)
    : QItemDelegate(parent)
{
    for (const QPair<QString, int> &item : items) {
        texts.append(item.first);
        values.append(item.second);
    }
}

ComboBoxDelegate::ComboBoxDelegate(QObject *parent, const QStringList &texts,
                                   const QList<QVariant> &values)
    : QItemDelegate(parent)
    , texts(texts)
    , values(values)
{
}

ComboBoxDelegate::~ComboBoxDelegate() = default;

void ComboBoxDelegate::clear()
{
    texts.clear();
    values.clear();
    objects.clear();
}

bool ComboBoxDelegate::valueMode() const
{
    return !values.isEmpty() && values.size() == texts.size();
}

int ComboBoxDelegate::valueIndex(const QVariant &value) const
{
    return valueMode() ? values.indexOf(value) : -1;
}

void ComboBoxDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const QStyleOptionViewItem opt = setOptions(index, option);
    drawBackground(painter, opt, index);
    const QVariant value = index.data(Qt::EditRole);
    if (value.isValid()) {
        const int found = valueIndex(value);
        drawDisplay(painter, opt, opt.rect, found >= 0 ? texts.at(found) : value.toString());
    }
    drawFocus(painter, opt, opt.rect);
}

QSize ComboBoxDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant hint = index.data(Qt::SizeHintRole);
    if (hint.isValid())
        return hint.value<QSize>();

    QRect decorationRect = rect(option, index, Qt::DecorationRole);
    QRect displayRect = rect(option, index, Qt::DisplayRole);
    QRect checkRect = rect(option, index, Qt::CheckStateRole);
    // The cell holds the value; what it shows is the text of that value.
    const int found = valueIndex(index.data(Qt::EditRole));
    if (found >= 0) {
        const QFont font = index.data(Qt::FontRole).value<QFont>().resolve(option.font);
        const QRect textRect
            = textRectangle(nullptr, textLayoutBounds(option), font, texts.at(found));
        displayRect.setSize(displayRect.size().expandedTo(textRect.size()));
    }
    doLayout(option, &checkRect, &decorationRect, &displayRect, true);
    return (decorationRect | displayRect | checkRect).size();
}

QWidget *ComboBoxDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &) const
{
    auto *editor = new QComboBox(parent);
    editor->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int i = 0; i < texts.size(); ++i)
        editor->addItem(texts.at(i), i < values.size() ? values.at(i) : QVariant());
    return editor;
}

void ComboBoxDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo)
        return;
    const QVariant value = index.data(Qt::EditRole);
    const bool byValue = valueMode();
    for (int i = 0; i < combo->count(); ++i) {
        if (byValue ? combo->itemData(i) == value : combo->itemText(i) == value.toString()) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

void ComboBoxDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo)
        return;
    if (valueMode())
        model->setData(index, combo->currentData(Qt::UserRole), Qt::EditRole);
    else
        model->setData(index, combo->currentText(), Qt::EditRole);
}

void ComboBoxDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    const QRect cell = option.rect;
    if (cell.height() > EditorHeight) {
        editor->setGeometry(cell.x(), cell.y() + (cell.height() - EditorHeight) / 2, cell.width(),
                            EditorHeight);
    } else {
        QItemDelegate::updateEditorGeometry(editor, option, index);
    }
}
