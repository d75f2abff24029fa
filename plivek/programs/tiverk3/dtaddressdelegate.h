#pragma once

#include <QItemDelegate>

// Edits a parameter cell that names up to four consecutive detectors as a comma
// separated list ("3,4,5"). The raw program bytes hold the list as one number:
// the first detector a plus 32 for every further one. A comma typed after a
// number appends the next detector; a list that the number cannot hold shows
// red and is not stored.
class DtAddressDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit DtAddressDelegate(QObject *parent = nullptr);

    // Up to four consecutive numbers of 0-32 that the stored number can bring
    // back: a lone 32 would read back as 0,1 and a list from 0 as 1,2, so both
    // are refused. Empty parts are ignored; an empty list is valid (not set).
    static bool isValidAddressList(const QString &text);
    // The stored number of a valid non-empty list; -1 otherwise.
    static int encodeAddressList(const QString &text);
    // The list a stored number stands for.
    static QString addressListText(int value);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private slots:
    void textChanged(const QString &text);
};
