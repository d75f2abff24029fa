#include "timedelegate.h"

#include <QLocale>
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
    // Every cell shows the display format, selected or not: the base painting
    // would add the seconds that the column does not edit.
    const QTime time = index.data(Qt::DisplayRole).toTime();
    const QString text = !time.isValid() ? QString()
        : displayFormat.isEmpty()        ? QLocale().toString(time, QLocale::ShortFormat)
                                         : time.toString(displayFormat);
    drawBackground(painter, option, index);
    drawDisplay(painter, option, option.rect, text);
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
