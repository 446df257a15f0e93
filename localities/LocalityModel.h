// The locality list as the grid shows it: one row per record, the column
// titles of the language in force as the header.
#pragma once

#include "localities/LocalityDatabase.h"

#include <QAbstractTableModel>
#include <QStringList>

class TLocalityModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The database must outlive the model.
    TLocalityModel(const TLocalityDatabase &database, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetHeader(const QStringList &titles);

    // Runs a change of the list (load, sort, add, erase) inside a model reset,
    // so that no view reads the list while it changes.
    template <typename F> auto Change(F &&change)
    {
        struct TReset {
            TLocalityModel *model;
            ~TReset() { model->endResetModel(); }
        } reset{this};
        beginResetModel();
        return change();
    }

private:
    const TLocalityDatabase &FDatabase;
    QStringList FHeader;
};
