#include "gui/evaluation/evaluation_models.h"

#include <QBrush>
#include <QColor>
#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "gui/language/language.h"

namespace qlnx {

namespace {

const QColor kMarkedTint(255, 214, 153);
constexpr int kShownDigits = 4;

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
            if (v.Type == TableValue::Kind::Number && std::isfinite(v.Number)) {
                std::string text = FormatSignificant(v.Number, kShownDigits);
                std::replace(text.begin(), text.end(), '.', DecimalSeparator());
                return QString::fromStdString(text);
            }
            return QString::fromStdString(TableValueText(v, DecimalSeparator(), ""));
        case kExactRole: return QString::fromStdString(TableValueText(v, DecimalSeparator(), ""));
        case kSortRole:
            if (v.IsNumber()) return v.Number;
            return QString::fromStdString(TableValueText(v, '.', ""));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(v.Type == TableValue::Kind::Word
                                           ? Qt::AlignLeft | Qt::AlignVCenter
                                           : Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ToolTipRole:
        case Qt::BackgroundRole: {
            // A number's tooltip holds its every digit; a marked cell's adds why it is marked.
            const QString exact =
                v.Type == TableValue::Kind::Number
                    ? QString::fromStdString(TableValueText(v, DecimalSeparator(), ""))
                    : QString();
            const auto m = marked_.find({r, c});
            if (m == marked_.end()) {
                if (role == Qt::BackgroundRole || exact.isEmpty()) return {};
                return exact;
            }
            if (role == Qt::BackgroundRole) return QBrush(kMarkedTint);
            const std::string_view text = WarningText(m->second);
            const QString reason =
                Translated(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            return exact.isEmpty() ? reason : exact + QLatin1Char('\n') + reason;
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
    // The result files' column name in the language in force; a unit in brackets at its end
    // and a point's " d" and " F" stay as they are.
    QString header = QString::fromStdString(table_.Header[static_cast<size_t>(section)]);
    QString unit;
    if (header.endsWith(QLatin1Char(')'))) {
        const qsizetype open = header.lastIndexOf(QStringLiteral(" ("));
        if (open > 0) {
            unit = header.mid(open);
            header.truncate(open);
        }
    }
    QString part;
    if (header.endsWith(QStringLiteral(" d")) || header.endsWith(QStringLiteral(" F"))) {
        part = header.right(2);
        header.chop(2);
    }
    return Translated(header) + part + unit;
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
            text += model.index(r, c).data(EvaluationTableModel::kExactRole).toString();
        }
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace qlnx
