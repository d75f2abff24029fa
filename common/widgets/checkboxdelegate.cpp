#include "checkboxdelegate.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

#ifdef COMMON_WIDGETS_ZUMOLTC
constexpr int IndicatorCap = 30;
#else
constexpr int IndicatorCap = 18;
#endif

// A square of at most cap x cap pixels centred on the cell.
QRect indicatorRect(const QRect &cell, int cap)
{
    const int side = std::min(std::min(cell.width(), cap), std::min(cell.height(), cap));
    QRect rect(0, 0, side, side);
    rect.moveCenter(cell.center());
    return rect;
}

const QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

// The mark of a cell that cannot be edited: a translucent red rounded
// square of the indicator's size.
void paintReadOnlyMark(QPainter *painter, const QStyle *style, bool radioLook,
                       const QStyleOptionButton &button, const QPoint &centre)
{
    QRect rect = style->subElementRect(radioLook ? QStyle::SE_RadioButtonIndicator
                                                 : QStyle::SE_CheckBoxIndicator,
                                       &button, nullptr);
    rect.moveCenter(centre);
    QPainterPath path;
    path.addRoundedRect(rect, IndicatorCap, IndicatorCap, Qt::RelativeSize);
    painter->save();
    painter->setOpacity(0.8);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setBrush(QBrush(Qt::red, Qt::SolidPattern));
    painter->drawPath(path);
    painter->restore();
}

} // namespace

CheckBoxDelegate::CheckBoxDelegate(QObject *parent, bool radioLook, bool readOnly)
    : QItemDelegate(parent)
    , radioLook(radioLook)
    , readOnly(readOnly)
{
}

CheckBoxDelegate::~CheckBoxDelegate() = default;

void CheckBoxDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const QStyle *style = styleOf(option);
    const bool checked = index.data(Qt::EditRole).toBool();
    const bool editable = index.flags().testFlag(Qt::ItemIsEditable);

    QStyleOptionButton button;
    button.rect = indicatorRect(option.rect, IndicatorCap);
    button.state = checked ? QStyle::State_On : QStyle::State_Off;
    if (!readOnly)
        button.state |= QStyle::State_Enabled;

#ifdef COMMON_WIDGETS_ZUMOLTC
    if (editable) {
        button.state |= option.state & QStyle::State_Selected;
        style->drawControl(radioLook ? QStyle::CE_RadioButton : QStyle::CE_CheckBox, &button,
                           painter, option.widget);
    } else {
        paintReadOnlyMark(painter, style, radioLook, button, option.rect.center());
    }
#else
    if (!option.state.testFlag(QStyle::State_Enabled)) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    if (option.state.testFlag(QStyle::State_Selected))
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, option.widget);
    painter->fillRect(option.rect, qvariant_cast<QBrush>(index.data(Qt::BackgroundRole)));
    style->drawPrimitive(radioLook ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                         &button, painter, nullptr);
    if (!editable)
        paintReadOnlyMark(painter, style, radioLook, button, button.rect.center());
#endif
}

QWidget *CheckBoxDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &) const
{
    // The view opens an editor for events the delegate does not take; a
    // read-only delegate must not offer one.
    if (readOnly)
        return nullptr;
    auto *editor = new QCheckBox(parent);
#ifdef COMMON_WIDGETS_ZUMOLTC
    editor->setAutoFillBackground(false);
#endif
    return editor;
}

void CheckBoxDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QCheckBox *>(editor))
        box->setChecked(index.data(Qt::EditRole).toBool());
}

void CheckBoxDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QCheckBox *>(editor))
        model->setData(index, box->isChecked(), Qt::DisplayRole);
}

bool CheckBoxDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                   const QStyleOptionViewItem &, const QModelIndex &index)
{
    if (readOnly || !index.flags().testFlag(Qt::ItemIsEditable))
        return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonDblClick)
        toggle = true;
    else if (event->type() == QEvent::KeyPress)
        toggle = static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space;
    else
        return false;
    if (toggle)
        model->setData(index, !index.data(Qt::EditRole).toBool(), Qt::DisplayRole);
    return true; // any other key is swallowed: a bool cell has no text editor
}
