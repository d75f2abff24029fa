#pragma once

#include <QStandardItemModel>

// Item model of a CheckComboBox: every item is user-checkable, an item without
// a check state reads as unchecked, and each successful check-state change is
// announced by checkStateChanged.
class CheckComboModel : public QStandardItemModel
{
    Q_OBJECT
public:
    explicit CheckComboModel(QObject *parent = nullptr);
    ~CheckComboModel() override;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void checkStateChanged();
};
