// The locality list as the grid shows it: one row per record, the column
// titles of the language in force as the header.
#pragma once

#include "localities/LocalityFile.h"

#include <QAbstractTableModel>
#include <QStringList>

class TLocalityModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TLocalityModel(const TLocalityList &list, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetHeader(const QStringList &titles);
    // The list changed as a whole (loaded, sorted, a record added or erased).
    void Reset();

private:
    const TLocalityList &FList;
    QStringList FHeader;
};
