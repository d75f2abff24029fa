#pragma once

#include <QItemDelegate>

// Edits a date (a QDate in Qt::EditRole). A date in the year 1900 stands for
// the same day every year: when the display format holds ".yyyy" such a
// date is shown and edited without its year ("dd.MM.yyyy" becomes "dd.MM").
class DateDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit DateDelegate(QObject *parent = nullptr, const QString &displayFormat = QString());
    ~DateDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    // The format for one cell: without the year for a date in 1900.
    QString cellFormat(const QModelIndex &index) const;

private:
    QString displayFormat;
};
