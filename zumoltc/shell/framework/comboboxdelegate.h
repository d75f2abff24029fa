#pragma once

#include <QItemDelegate>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QStringList>
#include <QVariant>

// zumoltc's delegate that edits a table cell by choosing from a fixed list: the
// user sees texts, the cell (Qt::EditRole) stores values. (plivek has a different
// class of this name in plivek/framework; the two programs never share a target.)
//
// texts[i] belongs to values[i]. With two lists of the same, non-zero length the
// delegate is in value mode; otherwise in text mode, where the cell holds the
// text itself. Every operation reads the lists when it runs, so the page that
// owns the delegate may refill them at any time (clear(), then append).
// A value in no entry paints as its own string; an empty cell (a not-set value)
// paints nothing but its background and focus.
class ComboBoxDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    // Texts and int values from (text, value) pairs, as zu::enumItems gives them.
    ComboBoxDelegate(QObject *parent, const QList<QPair<QString, int>> &items);
    ComboBoxDelegate(QObject *parent, const QStringList &texts, const QList<QVariant> &values);
    ~ComboBoxDelegate() override;

    void clear();

    QStringList texts;
    QList<QVariant> values;
    // Where the entries stand for objects: objects[i] is the object that had the
    // id values[i] when the lists were filled, so that a cell follows its object
    // when another page gives it a new id. Empty otherwise.
    QList<QPointer<QObject>> objects;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    // Rows taller than 30 pixels get a 30-pixel editor centred in the cell.
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

private:
    bool valueMode() const;
    // The index of value in values in value mode, else -1.
    int valueIndex(const QVariant &value) const;
};
