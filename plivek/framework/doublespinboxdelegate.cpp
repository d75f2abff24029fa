#include "doublespinboxdelegate.h"

#include <QDoubleSpinBox>
#include <QPainter>

DoubleSpinBoxDelegate::DoubleSpinBoxDelegate(QObject *parent)
    : QItemDelegate(parent)
{
}

DoubleSpinBoxDelegate::~DoubleSpinBoxDelegate() = default;

void DoubleSpinBoxDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    if (index.flags().testFlag(Qt::ItemIsEditable)) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    drawBackground(painter, option, index);
    painter->fillRect(option.rect.adjusted(1, 1, -1, -1), Qt::lightGray);
    drawFocus(painter, option, option.rect);
}

QWidget *DoubleSpinBoxDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                             const QModelIndex &) const
{
    // Filling and reading the editor is the base's: its "value" property
    // travels to and from Qt::EditRole.
    auto *editor = new QDoubleSpinBox(parent);
    editor->setDecimals(1);
    editor->setSingleStep(0.1);
    editor->setMaximum(65535.0);
    return editor;
}
