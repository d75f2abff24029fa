#include "checkcombomodel.h"

CheckComboModel::CheckComboModel(QObject *parent)
    : QStandardItemModel(0, 1, parent)
{
}

CheckComboModel::~CheckComboModel() = default;

QVariant CheckComboModel::data(const QModelIndex &index, int role) const
{
    QVariant value = QStandardItemModel::data(index, role);
    if (index.isValid() && role == Qt::CheckStateRole && !value.isValid())
        value = int(Qt::Unchecked);
    return value;
}

bool CheckComboModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const bool ok = QStandardItemModel::setData(index, value, role);
    if (ok && role == Qt::CheckStateRole) {
        emit dataChanged(index, index);
        emit checkStateChanged();
    }
    return ok;
}

Qt::ItemFlags CheckComboModel::flags(const QModelIndex &index) const
{
    return QStandardItemModel::flags(index) | Qt::ItemIsUserCheckable;
}
