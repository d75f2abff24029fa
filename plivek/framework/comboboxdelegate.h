#pragma once

#include "common/widgets/cellvaluemapping.h"

#include <QItemDelegate>
#include <QList>
#include <QSize>
#include <QStringList>

// Lets the user pick one of a fixed list of texts; the cell keeps the chosen
// text (Qt::DisplayRole). Beside the texts an optional list of values, in the
// same order, lets code move between the value stored in the configuration
// and the text shown (tableCellValue / setTableCellValue). Without values
// each text stands for itself.
class ComboBoxDelegate : public QItemDelegate, public CellValueMapping
{
    Q_OBJECT
public:
    explicit ComboBoxDelegate(QObject *parent = nullptr, const QStringList &texts = QStringList(),
                              const QList<QVariant> &values = QList<QVariant>());
    ~ComboBoxDelegate() override;

    // Appends a choice; a null value is not appended.
    void addItem(const QString &text, const QVariant &value = QVariant());
    // Removes every choice, texts and values, so that the list can be filled anew.
    void clear();
    QStringList texts() const { return itemTexts; }
    void setTexts(const QStringList &texts);
    QList<QVariant> values() const { return itemValues; }

    QString textForValue(const QVariant &value) const override;
    QVariant valueForText(const QString &text) const override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
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

    QStringList itemTexts;
    QList<QVariant> itemValues;
    QSize cachedSizeHint;
};
