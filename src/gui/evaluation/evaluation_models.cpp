#include "gui/evaluation/evaluation_models.h"

#include <QBrush>
#include <QColor>

#include "core/number_text.h"

namespace qlnx {

namespace {

const QColor kMarkedTint(255, 214, 153);

}  // namespace

EvaluationTableModel::EvaluationTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void EvaluationTableModel::SetTable(EvaluationTable table) {
    beginResetModel();
    table_ = std::move(table);
    marked_.clear();
    for (const MarkedCell& m : table_.Marked) marked_[{m.Row, m.Column}] = m.Warning;
    endResetModel();
}

int EvaluationTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.Rows.size());
}

int EvaluationTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.Header.size());
}

QVariant EvaluationTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto r = static_cast<size_t>(index.row());
    const auto c = static_cast<size_t>(index.column());
    if (r >= table_.Rows.size() || c >= table_.Rows[r].size()) return {};
    const TableValue& v = table_.Rows[r][c];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(TableValueText(v, DecimalSeparator(), ""));
        case kSortRole:
            if (v.IsNumber()) return v.Number;
            return QString::fromStdString(TableValueText(v, '.', ""));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(v.Type == TableValue::Kind::Word
                                           ? Qt::AlignLeft | Qt::AlignVCenter
                                           : Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ToolTipRole:
        case Qt::BackgroundRole: {
            const auto m = marked_.find({r, c});
            if (m == marked_.end()) return {};
            if (role == Qt::BackgroundRole) return QBrush(kMarkedTint);
            return QString::fromUtf8(WarningText(m->second).data(),
                                     static_cast<qsizetype>(WarningText(m->second).size()));
        }
        default: return {};
    }
}

QVariant EvaluationTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section < 0 || static_cast<size_t>(section) >= table_.Header.size()) return {};
    return QString::fromStdString(table_.Header[static_cast<size_t>(section)]);
}

EvaluationSortModel::EvaluationSortModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(EvaluationTableModel::kSortRole);
}

bool EvaluationSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    const bool an = a.typeId() == QMetaType::Double;
    const bool bn = b.typeId() == QMetaType::Double;
    if (an && bn) return a.toDouble() < b.toDouble();
    if (an != bn) return an;  // numbers before words and empty cells
    return a.toString() < b.toString();
}

QString TabSeparatedText(const QAbstractItemModel& model) {
    QString text;
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c != 0) text += QLatin1Char('\t');
        text += model.headerData(c, Qt::Horizontal).toString();
    }
    text += QLatin1Char('\n');
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            if (c != 0) text += QLatin1Char('\t');
            text += model.index(r, c).data().toString();
        }
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace qlnx
