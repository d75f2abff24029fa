#pragma once

#include <QItemDelegate>
#include <QList>
#include <QSize>
#include <QStringList>
#include <QVariant>

// Edits a table cell with a CheckComboBox. The cell holds the values of the
// checked items joined by "," (their texts when the delegate has no values),
// written back in item order. The value at position i belongs to the text at i.
class CheckBoxComboBoxDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    CheckBoxComboBoxDelegate(QObject *parent, const QStringList &texts,
                             const QList<QVariant> &values = QList<QVariant>());
    ~CheckBoxComboBoxDelegate() override;

    // Appends a choice; a null value is not stored.
    void addItem(const QString &text, const QVariant &value = QVariant());

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    void updateSizeHint();

    QStringList m_texts;
    QList<QVariant> m_values;
    QSize m_sizeHint;
};
