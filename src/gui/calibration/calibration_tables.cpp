#include "gui/calibration/calibration_tables.h"

#include <QBrush>
#include <QHeaderView>
#include <QTableWidget>

#include "core/calibration_fit.h"
#include "gui/language/language.h"

namespace qlnx {

namespace {

QString Number(double v) { return QString::number(v, 'g', 6); }

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

TextTable ComparisonTable(const std::vector<TimedFit>& fits) {
    TextTable t;
    t.Header = {QStringLiteral("Model"),        QStringLiteral("J_F"),
                QStringLiteral("Energy ratio"), QStringLiteral("Evaluations"),
                QStringLiteral("Time (s)"),     QStringLiteral("Undetermined"),
                QStringLiteral("Parameters"),   QStringLiteral("Warnings")};
    for (const TimedFit& fit : fits) {
        const CalibrationResult& r = fit.Result;
        QStringList undetermined;
        for (const std::string& name : UndeterminedNames(r)) undetermined << Utf8(name);
        QStringList arguments;
        for (const NamedValue& v : r.OpenSees) arguments << Utf8(v.Name) + '=' + Number(v.Value);
        QStringList warnings;
        for (const std::string& w : r.Warnings) warnings << Utf8(w);
        t.Rows.push_back({Utf8(CalibrationModelRowOf(r.Model).Command), Number(r.NRMSE),
                          Number(r.EnergyRatio), QString::number(r.Evaluations),
                          QString::number(fit.Seconds, 'f', 2), undetermined.join(", "),
                          arguments.join("  "), warnings.join(' ')});
        t.Marked.push_back(false);
    }
    return t;
}

TextTable ParameterTable(const CalibrationResult& result) {
    TextTable t;
    t.Header = {QStringLiteral("Parameter"),
                QStringLiteral("Value"),
                QStringLiteral("Lower"),
                QStringLiteral("Upper"),
                QStringLiteral("Change for +10 % J_F"),
                QStringLiteral("Determined")};
    for (size_t j = 0; j < result.Parameters.size(); ++j) {
        const FitParameter& p = result.Parameters[j];
        const ParameterSensitivity* s =
            j < result.Sensitivity.size() ? &result.Sensitivity[j] : nullptr;
        QString change;
        QString determined;
        if (p.Fixed) {
            determined = QStringLiteral("fixed");
        } else if (s != nullptr) {
            if (s->RelativeChange >= 0)
                change = QString::number(100 * s->RelativeChange, 'g', 3) + " %";
            determined = s->AtBound        ? QStringLiteral("undetermined (at a bound)")
                         : s->Undetermined ? QStringLiteral("undetermined")
                                           : QStringLiteral("yes");
        }
        t.Rows.push_back({Utf8(p.Name), Number(j < result.Theta.size() ? result.Theta[j] : p.Start),
                          Number(p.Lower), Number(p.Upper), change, Translated(determined)});
        t.Marked.push_back(s != nullptr && s->Undetermined);
    }
    return t;
}

TextTable LoopEnergyTable(const std::vector<LoopEnergyPair>& rows) {
    TextTable t;
    t.Header = {QStringLiteral("Loop"), QStringLiteral("Record"), QStringLiteral("Model"),
                QStringLiteral("Model / Record")};
    for (const LoopEnergyPair& r : rows) {
        t.Rows.push_back({QString::number(r.Loop), Number(r.Record), Number(r.Model),
                          r.Record != 0 ? Number(r.Model / r.Record) : QString()});
        t.Marked.push_back(false);
    }
    return t;
}

void ShowTable(QTableWidget* view, const TextTable& table) {
    view->clearContents();
    view->setColumnCount(static_cast<int>(table.Header.size()));
    view->setRowCount(static_cast<int>(table.Rows.size()));
    QStringList header;
    for (const QString& h : table.Header) header << Translated(h);
    view->setHorizontalHeaderLabels(header);
    view->setProperty("qlnxDesignedHeader", table.Header);
    const QBrush mark(QColor(255, 220, 170));
    for (size_t r = 0; r < table.Rows.size(); ++r) {
        const QStringList& row = table.Rows[r];
        for (qsizetype c = 0; c < row.size(); ++c) {
            auto* item = new QTableWidgetItem(row[c]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (table.Marked[r]) item->setBackground(mark);
            view->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    view->resizeColumnsToContents();
}

}  // namespace qlnx
