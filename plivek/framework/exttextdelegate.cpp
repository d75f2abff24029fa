#include "exttextdelegate.h"

#include <QLineEdit>

namespace {
const char OldTextProperty[] = "old_text";
} // namespace

ExtTextDelegate::ExtTextDelegate(QObject *parent, const QStringList &takenTexts)
    : QItemDelegate(parent)
    , takenTexts(takenTexts)
{
}

ExtTextDelegate::~ExtTextDelegate() = default;

void ExtTextDelegate::setTakenTexts(const QStringList &texts)
{
    takenTexts = texts;
}

void ExtTextDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    if (!option.state.testFlag(QStyle::State_Selected)) {
        QItemDelegate::paint(painter, option, index);
        return;
    }
    drawBackground(painter, option, index);
    drawDisplay(painter, option, option.rect, index.data(Qt::DisplayRole).toString());
    drawFocus(painter, option, option.rect);
}

QWidget *ExtTextDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                       const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    connect(editor, &QLineEdit::textChanged, this, &ExtTextDelegate::textChanged);
    return editor;
}

void ExtTextDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    editor->setProperty(OldTextProperty, text);
    if (auto *edit = qobject_cast<QLineEdit *>(editor))
        edit->setText(text);
}

void ExtTextDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                   const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit || takenTexts.contains(edit->text()))
        return;
    model->setData(index, edit->text(), Qt::DisplayRole);
}

void ExtTextDelegate::textChanged(const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(sender());
    if (!edit || takenTexts.isEmpty())
        return;
    // The fresh palette of a line edit; the cell's own text is never taken,
    // even when it was red a moment ago.
    QPalette palette = QLineEdit().palette();
    if (text != edit->property(OldTextProperty).toString() && takenTexts.contains(text))
        palette.setBrush(QPalette::Base, QBrush(Qt::red, Qt::SolidPattern));
    edit->setPalette(palette);
}
