#include "localities/LocalityModel.h"

TLocalityModel::TLocalityModel(const TLocalityDatabase &database, QObject *parent)
    : QAbstractTableModel(parent), FDatabase(database)
{
}

int TLocalityModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FDatabase.Count();
}

int TLocalityModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : LocalityFieldCount;
}

QVariant TLocalityModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= FDatabase.Count())
        return {};
    return FDatabase.List()[index.row()].Field[index.column()];
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
