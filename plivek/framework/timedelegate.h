#pragma once

#include <QItemDelegate>

// Edits a time of day (a QTime in Qt::EditRole). The display format, such as
// "hh:mm", is used by the editor and to show every cell; empty keeps the
// locale's short format. An invalid time shows as an empty cell.
class TimeDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit TimeDelegate(QObject *parent = nullptr, const QString &displayFormat = QString());
    ~TimeDelegate() override;

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
    QString displayFormat;
};
