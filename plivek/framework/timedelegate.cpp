#include "timedelegate.h"

#include <QTime>
#include <QTimeEdit>

TimeDelegate::TimeDelegate(QObject *parent, const QString &displayFormat)
    : QItemDelegate(parent)
    , displayFormat(displayFormat)
{
}

TimeDelegate::~TimeDelegate() = default;

void TimeDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    if (!option.state.testFlag(QStyle::State_Selected)) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    drawBackground(painter, option, index);
    drawDisplay(painter, option, option.rect,
                index.data(Qt::DisplayRole).toTime().toString(displayFormat));
    drawFocus(painter, option, option.rect);
}

QSize TimeDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(50, 23);
}

QWidget *TimeDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &) const
{
    auto *editor = new QTimeEdit(parent);
    if (!displayFormat.isEmpty())
        editor->setDisplayFormat(displayFormat);
    return editor;
}

void TimeDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QTimeEdit *>(editor))
        edit->setTime(index.data(Qt::EditRole).toTime());
}

void TimeDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QTimeEdit *>(editor))
        model->setData(index, edit->time(), Qt::EditRole);
}

void TimeDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                        const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
