#pragma once

#include <QAbstractItemModel>

namespace ns
{

class TableView;

// The Qt model behind a table view: one Qt column per table column and one
// row per table row, with values asked from the table (and so from its data
// source). The table draws its rows itself; the model serves Qt's header,
// selection and editing.
class TableModel : public QAbstractItemModel
{
public:
    explicit TableModel(TableView* table) : table_(table) {}

    // Forgets everything and asks the data source again.
    virtual void reload();
    int rows() const { return rows_; }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

protected:
    TableView* table_;

private:
    int rows_ = 0;
};

} // namespace ns
