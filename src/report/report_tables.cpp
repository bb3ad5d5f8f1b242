#include "report/report_tables.h"

#include <qcustomplot.h>

#include <QFontMetricsF>
#include <algorithm>
#include <map>
#include <vector>

#include "core/evaluation_units.h"
#include "core/number_text.h"

namespace qlnx {

namespace {

constexpr double kFontSize = 7;
constexpr double kPadding = 3;

struct Column {
    size_t Index = 0;
    QString Name;
    QString Unit;
    double Width = 0;
    bool Numeric = false;
};

// The letter of each warning the table's cells carry, in the order they first appear.
std::map<std::pair<size_t, size_t>, QChar> MarkLetters(const EvaluationTable& table,
                                                       std::vector<EvaluationWarning>& order) {
    std::map<std::pair<size_t, size_t>, QChar> letters;
    for (const MarkedCell& m : table.Marked) {
        auto at = std::find(order.begin(), order.end(), m.Warning);
        if (at == order.end()) at = order.insert(order.end(), m.Warning);
        letters[{m.Row, m.Column}] = QChar('a' + static_cast<int>(at - order.begin()));
    }
    return letters;
}

// Blocks of columns that fit the width, each led by the key columns.
std::vector<std::vector<Column>> Blocks(const std::vector<Column>& columns, size_t keyColumns,
                                        double width) {
    keyColumns = std::min(keyColumns, columns.size());
    const std::vector<Column> keys(columns.begin(),
                                   columns.begin() + static_cast<std::ptrdiff_t>(keyColumns));
    double keyWidth = 0;
    for (const Column& c : keys) keyWidth += c.Width;
    std::vector<std::vector<Column>> blocks;
    std::vector<Column> block = keys;
    double used = keyWidth;
    for (size_t i = keyColumns; i < columns.size(); ++i) {
        if (block.size() > keys.size() && used + columns[i].Width > width) {
            blocks.push_back(block);
            block = keys;
            used = keyWidth;
        }
        block.push_back(columns[i]);
        used += columns[i].Width;
    }
    if (block.size() > keys.size() || blocks.empty()) blocks.push_back(block);
    return blocks;
}

}  // namespace

QString ReportCellText(const TableValue& value, const ReportPages& pages) {
    switch (value.Type) {
        case TableValue::Kind::Null: return QStringLiteral("–");
        case TableValue::Kind::Integer:
            return QString::number(static_cast<long long>(value.Number));
        case TableValue::Kind::Number:
            if (!std::isfinite(value.Number)) return QStringLiteral("–");
            return QString::fromStdString(FormatSignificant(value.Number, kReportDigits));
        case TableValue::Kind::Flag: return pages.Text(value.Flag ? "yes" : "no");
        case TableValue::Kind::Word: return pages.Text(value.Word);
    }
    return {};
}

void DrawReportTable(ReportPages& pages, const QString& title, const EvaluationTable& table,
                     std::string_view displacementUnit, std::string_view forceUnit,
                     size_t keyColumns) {
    QCPPainter& painter = pages.Painter();
    const QFont font = pages.Font(kFontSize);
    const QFont bold = pages.Font(kFontSize, true);
    const QFont small = pages.Font(kFontSize * 0.75);
    const QFontMetricsF metrics(font, painter.device());
    const QFontMetricsF boldMetrics(bold, painter.device());
    const double rowHeight = metrics.height() * 1.2;
    std::vector<EvaluationWarning> warnings;
    const auto letters = MarkLetters(table, warnings);

    // The cells' texts, once; the columns as wide as their widest text.
    std::vector<Column> columns(table.Header.size());
    for (size_t c = 0; c < columns.size(); ++c) {
        Column& column = columns[c];
        column.Index = c;
        column.Name = pages.Text(table.Header[c]);
        const std::string unit =
            UnitOfDimension(DimensionOfColumn(table.Header[c]), displacementUnit, forceUnit);
        if (!unit.empty()) column.Unit = QStringLiteral("(%1)").arg(QString::fromStdString(unit));
        column.Width = std::max(boldMetrics.horizontalAdvance(column.Name),
                                boldMetrics.horizontalAdvance(column.Unit));
    }
    std::vector<std::vector<QString>> cells(table.Rows.size());
    for (size_t r = 0; r < table.Rows.size(); ++r) {
        const auto& row = table.Rows[r];
        cells[r].reserve(row.size());
        for (size_t c = 0; c < row.size() && c < columns.size(); ++c) {
            cells[r].push_back(ReportCellText(row[c], pages));
            double width = metrics.horizontalAdvance(cells[r].back());
            if (letters.contains({r, c})) width += metrics.horizontalAdvance(QStringLiteral(" a"));
            columns[c].Width = std::max(columns[c].Width, width);
            if (row[c].Type == TableValue::Kind::Number || row[c].Type == TableValue::Kind::Integer)
                columns[c].Numeric = true;
        }
    }
    for (Column& column : columns) column.Width += 2 * kPadding;

    const auto blocks = Blocks(columns, keyColumns, pages.Width());
    const bool hasUnits = std::any_of(columns.begin(), columns.end(),
                                      [](const Column& c) { return !c.Unit.isEmpty(); });
    const double headerHeight = boldMetrics.height() * (hasUnits ? 2.2 : 1.2);
    for (size_t b = 0; b < blocks.size(); ++b) {
        const auto& block = blocks[b];
        QString heading = title;
        if (blocks.size() > 1)
            heading += QStringLiteral(" (%1)")
                           .arg(pages.Text("part %1 of %2"))
                           .arg(b + 1)
                           .arg(blocks.size());
        pages.Heading(heading, 10);
        const auto drawHeader = [&] {
            const double y = pages.Y();
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(230, 234, 240));
            double total = 0;
            for (const Column& c : block) total += c.Width;
            painter.drawRect(QRectF(pages.Left(), y, total, headerHeight));
            painter.setBrush(Qt::NoBrush);
            painter.setPen(Qt::black);
            painter.setFont(bold);
            double x = pages.Left();
            for (const Column& c : block) {
                const QRectF cell(x + kPadding, y, c.Width - 2 * kPadding, headerHeight);
                const Qt::Alignment side = c.Numeric ? Qt::AlignRight : Qt::AlignLeft;
                painter.drawText(cell, side | Qt::AlignTop,
                                 c.Unit.isEmpty() ? c.Name : c.Name + '\n' + c.Unit);
                x += c.Width;
            }
            painter.setPen(QPen(Qt::black, 0.5));
            painter.drawLine(QPointF(pages.Left(), y + headerHeight),
                             QPointF(pages.Left() + total, y + headerHeight));
            pages.Advance(headerHeight + 1);
        };
        pages.Reserve(headerHeight + 3 * rowHeight);
        drawHeader();
        painter.setPen(Qt::black);
        for (size_t r = 0; r < cells.size(); ++r) {
            if (pages.Room() < rowHeight) {
                pages.NewPage();
                pages.Heading(heading + QStringLiteral(" (%1)").arg(pages.Text("continued")), 9);
                drawHeader();
            }
            painter.setPen(Qt::black);
            painter.setFont(font);
            double x = pages.Left();
            for (const Column& c : block) {
                if (c.Index < cells[r].size()) {
                    const QRectF cell(x + kPadding, pages.Y(), c.Width - 2 * kPadding, rowHeight);
                    const auto letter = letters.find({r, c.Index});
                    QRectF textCell = cell;
                    if (letter != letters.end()) {
                        // The warning's letter, small, after the value.
                        const double room = metrics.horizontalAdvance(QStringLiteral(" a"));
                        textCell.setRight(cell.right() - room);
                        painter.setFont(small);
                        painter.setPen(QColor(190, 30, 30));
                        painter.drawText(cell, Qt::AlignRight | Qt::AlignTop, letter->second);
                        painter.setPen(Qt::black);
                        painter.setFont(font);
                    }
                    painter.drawText(
                        textCell, (c.Numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                        cells[r][c.Index]);
                }
                x += c.Width;
            }
            pages.Advance(rowHeight);
        }
        pages.Advance(4);
    }
    // What each letter warns of, in words, under the table.
    for (size_t w = 0; w < warnings.size(); ++w) {
        pages.Paragraph(QStringLiteral("%1: %2")
                            .arg(QChar('a' + static_cast<int>(w)))
                            .arg(pages.Text(std::string(WarningText(warnings[w])))),
                        7);
    }
    pages.Advance(6);
}

}  // namespace qlnx
