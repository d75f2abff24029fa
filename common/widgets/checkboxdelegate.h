#pragma once

#include <QItemDelegate>

// Shows a bool cell (its Qt::EditRole data) as a centred check box or radio
// button. The user toggles it by a double click or Space; every other key is
// swallowed so that no text editor opens. A read-only delegate, or a cell
// without Qt::ItemIsEditable, ignores all input; such a cell carries a
// translucent red mark. The table owns the delegate through its parent.
class CheckBoxDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit CheckBoxDelegate(QObject *parent = nullptr, bool radioLook = false,
                              bool readOnly = false);
    ~CheckBoxDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    bool radioLook;
    bool readOnly;
};
