// The evaluation's tables as Qt item models: one model per table, numbers shown to 4
// significant digits for reading with the result files' full number form in the tooltip and in
// what is copied, marked cells with a tint and a tooltip, numbers sorting as numbers.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <map>
#include <utility>

#include "core/evaluation_tables.h"

namespace qlnx {

class EvaluationTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The role that sorts: the number of a numeric cell, else its text.
    static constexpr int kSortRole = Qt::UserRole + 1;
    // The cell in the result files' number form, every digit kept.
    static constexpr int kExactRole = Qt::UserRole + 2;

    explicit EvaluationTableModel(QObject* parent = nullptr);

    void SetTable(EvaluationTable table);
    const EvaluationTable& Table() const { return table_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    EvaluationTable table_;
    std::map<std::pair<size_t, size_t>, EvaluationWarning> marked_;
};

// A sortable view of a table model: numbers by value, nulls after every number.
class EvaluationSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit EvaluationSortModel(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// The rows of a model in their order on the screen (header first), each cell with every digit,
// cells separated by tabs, lines ended by "\n": what pastes into a spreadsheet as one cell per
// value.
QString TabSeparatedText(const QAbstractItemModel& model);

}  // namespace qlnx
