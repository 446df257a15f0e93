#include "localities/LocalityModel.h"

TLocalityModel::TLocalityModel(const TLocalityList &list, QObject *parent)
    : QAbstractTableModel(parent), FList(list)
{
}

int TLocalityModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FList.size();
}

int TLocalityModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : LocalityFieldCount;
}

QVariant TLocalityModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= FList.size())
        return {};
    return FList[index.row()].Field[index.column()];
}

QVariant TLocalityModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section < FHeader.size())
        return FHeader[section];
    if (role == Qt::TextAlignmentRole && orientation == Qt::Horizontal)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void TLocalityModel::SetHeader(const QStringList &titles)
{
    FHeader = titles;
    emit headerDataChanged(Qt::Horizontal, 0, LocalityFieldCount - 1);
}

void TLocalityModel::Reset()
{
    beginResetModel();
    endResetModel();
}
