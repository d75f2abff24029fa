#include "comboboxdelegate.h"

#include <QComboBox>

namespace {

// Tallest editor a tall cell gets; it sits in the middle of the cell.
constexpr int MaxEditorHeight = 30;

QComboBox *makeComboBox(QWidget *parent, const QStringList &texts)
{
    auto *box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->addItems(texts);
    return box;
}

} // namespace

ComboBoxDelegate::ComboBoxDelegate(QObject *parent, const QStringList &texts,
                                   const QList<QVariant> &values)
    : QItemDelegate(parent)
    , itemTexts(texts)
    , itemValues(values)
{
    updateSizeHint();
}

ComboBoxDelegate::~ComboBoxDelegate() = default;

void ComboBoxDelegate::addItem(const QString &text, const QVariant &value)
{
    itemTexts.append(text);
    if (!value.isNull())
        itemValues.append(value);
    updateSizeHint();
}

void ComboBoxDelegate::clear()
{
    itemTexts.clear();
    itemValues.clear();
    updateSizeHint();
}

void ComboBoxDelegate::setTexts(const QStringList &texts)
{
    itemTexts = texts;
    updateSizeHint();
}

void ComboBoxDelegate::updateSizeHint()
{
    const QScopedPointer<QComboBox> box(makeComboBox(nullptr, itemTexts));
    cachedSizeHint = box->sizeHint();
}

QString ComboBoxDelegate::textForValue(const QVariant &value) const
{
    const int position = itemValues.indexOf(value);
    if (position >= 0 && position < itemTexts.size())
        return itemTexts.at(position);
    return value.toString();
}

QVariant ComboBoxDelegate::valueForText(const QString &text) const
{
    if (itemValues.isEmpty())
        return text.isEmpty() ? QVariant() : QVariant(text);
    const int position = itemTexts.indexOf(text);
    if (position < 0 || position >= itemValues.size())
        return QVariant();
    return itemValues.at(position);
}

void ComboBoxDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    drawBackground(painter, option, index);
    const QVariant data = index.data(Qt::DisplayRole);
    if (!data.isNull()) {
        QString text = data.toString();
        // A cell may hold a value rather than its text.
        if (!itemValues.isEmpty() && itemValues.size() == itemTexts.size()) {
            const int position = itemValues.indexOf(data);
            if (position >= 0)
                text = itemTexts.at(position);
        }
        drawDisplay(painter, option, option.rect, text);
    }
    drawFocus(painter, option, option.rect);
}

QSize ComboBoxDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return cachedSizeHint;
}

QWidget *ComboBoxDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &) const
{
    return makeComboBox(parent, itemTexts);
}

void ComboBoxDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *box = qobject_cast<QComboBox *>(editor);
    if (!box)
        return;
    const int position = box->findText(index.data(Qt::EditRole).toString(),
                                       Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(position >= 0 ? position : 0);
}

void ComboBoxDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor))
        model->setData(index, box->currentText(), Qt::DisplayRole);
}

void ComboBoxDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                            const QModelIndex &) const
{
    QRect rect = option.rect;
    if (rect.height() > MaxEditorHeight) {
        rect.setTop(rect.top() + (rect.height() - MaxEditorHeight) / 2);
        rect.setHeight(MaxEditorHeight);
    }
    editor->setGeometry(rect);
}
