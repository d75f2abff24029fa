#pragma once

#include <QItemDelegate>

// Edits a decimal number from 0 to 65535 in steps of 0.1. A read-only cell
// shows a light grey box instead of its number.
class DoubleSpinBoxDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit DoubleSpinBoxDelegate(QObject *parent = nullptr);
    ~DoubleSpinBoxDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};
