#include "datedelegate.h"

#include <QDate>
#include <QDateEdit>

namespace {
// The year that stands for "every year".
constexpr int EveryYear = 1900;
} // namespace

DateDelegate::DateDelegate(QObject *parent, const QString &displayFormat)
    : QItemDelegate(parent)
    , displayFormat(displayFormat)
{
}

DateDelegate::~DateDelegate() = default;

QString DateDelegate::cellFormat(const QModelIndex &index) const
{
    if (displayFormat.isEmpty())
        return QString();
    const QDate date = index.data(Qt::EditRole).toDate();
    const int year = displayFormat.indexOf(QLatin1String(".yyyy"));
    if (date.isValid() && date.year() == EveryYear && year >= 0)
        return displayFormat.left(year);
    return displayFormat;
}

void DateDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    drawBackground(painter, option, index);
    drawDisplay(painter, option, option.rect,
                index.data(Qt::DisplayRole).toDate().toString(cellFormat(index)));
    drawFocus(painter, option, option.rect);
}

QWidget *DateDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &index) const
{
    auto *editor = new QDateEdit(parent);
    if (!displayFormat.isEmpty())
        editor->setDisplayFormat(cellFormat(index));
    editor->setCalendarPopup(true);
    return editor;
}

void DateDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QDateEdit *>(editor);
    if (!edit)
        return;
    if (!displayFormat.isEmpty()) // an empty format would leave the editor without sections
        edit->setDisplayFormat(cellFormat(index));
    edit->setDate(index.data(Qt::EditRole).toDate());
}

void DateDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QDateEdit *>(editor))
        model->setData(index, edit->date(), Qt::EditRole);
}
