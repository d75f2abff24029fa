#include "checkboxcomboboxdelegate.h"

#include "checkcombobox.h"

#include <QAbstractItemView>

namespace {
constexpr int EditorHeight = 30;
constexpr int ListMinimumHeight = 100;
} // namespace

CheckBoxComboBoxDelegate::CheckBoxComboBoxDelegate(QObject *parent, const QStringList &texts,
                                                   const QList<QVariant> &values)
    : QItemDelegate(parent)
    , m_texts(texts)
    , m_values(values)
{
    updateSizeHint();
}

CheckBoxComboBoxDelegate::~CheckBoxComboBoxDelegate() = default;

void CheckBoxComboBoxDelegate::addItem(const QString &text, const QVariant &value)
{
    m_texts.append(text);
    if (!value.isNull())
        m_values.append(value);
    updateSizeHint();
}

void CheckBoxComboBoxDelegate::updateSizeHint()
{
    CheckComboBox box;
    box.addItems(m_texts);
    m_sizeHint = box.sizeHint();
}

QSize CheckBoxComboBoxDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return m_sizeHint;
}

QWidget *CheckBoxComboBoxDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                                const QModelIndex &) const
{
    auto *box = new CheckComboBox(parent);
    box->addItems(m_texts);
    box->view()->setMinimumHeight(ListMinimumHeight);
    return box;
}

void CheckBoxComboBoxDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *box = qobject_cast<CheckComboBox *>(editor);
    if (!box)
        return;
    QStringList texts;
    const QStringList parts = index.data(Qt::EditRole).toString().split(QLatin1Char(','));
    for (const QString &part : parts) {
        QString text = part;
        if (!m_values.isEmpty()) {
            // QVariant comparison, so the text 2 matches the value 2 of any type.
            for (int i = 0; i < m_values.size(); ++i) {
                if (QVariant(part) == m_values.at(i)) {
                    if (i < m_texts.size())
                        text = m_texts.at(i);
                    break;
                }
            }
        }
        texts.append(text);
    }
    // The list opens with the editor. The view fills an editor on screen again
    // whenever its cell changes, also on the commit just before it closes the
    // editor: such a refill leaves the list as it is.
    if (!box->isVisible())
        box->showPopup();
    box->setCheckedItems(texts);
}

void CheckBoxComboBoxDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                            const QModelIndex &index) const
{
    auto *box = qobject_cast<CheckComboBox *>(editor);
    if (!box)
        return;
    QStringList values;
    const QStringList checked = box->checkedItems();
    for (const QString &text : checked) {
        if (m_values.isEmpty()) {
            values.append(text);
            continue;
        }
        const int i = m_texts.indexOf(text);
        values.append(i >= 0 && i < m_values.size() ? m_values.at(i).toString() : QString());
    }
    model->setData(index, values.join(QLatin1Char(',')), Qt::DisplayRole);
}

void CheckBoxComboBoxDelegate::updateEditorGeometry(QWidget *editor,
                                                    const QStyleOptionViewItem &option,
                                                    const QModelIndex &) const
{
    QRect rect = option.rect;
    if (rect.height() > EditorHeight) {
        rect.setTop(option.rect.top() + (option.rect.height() - EditorHeight) / 2);
        rect.setHeight(EditorHeight);
    }
    editor->setGeometry(rect);
}
