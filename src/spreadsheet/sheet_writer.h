// Cells of a worksheet written through libxlsxwriter: texts, table values and whole tables,
// keeping the first error for the workbook's message.
#pragma once

#include <xlsxwriter.h>

#include <cmath>
#include <string>

#include "core/evaluation_tables.h"

namespace qlnx {

class SheetWriter {
public:
    SheetWriter(lxw_worksheet* sheet, lxw_format* bold) : sheet_(sheet), bold_(bold) {}

    void Text(lxw_row_t r, lxw_col_t c, const std::string& text, bool strong = false) {
        Check(worksheet_write_string(sheet_, r, c, text.c_str(), strong ? bold_ : nullptr));
    }
    void Value(lxw_row_t r, lxw_col_t c, const TableValue& v) {
        switch (v.Type) {
            case TableValue::Kind::Null: break;
            case TableValue::Kind::Integer:
                Check(worksheet_write_number(sheet_, r, c, v.Number, nullptr));
                break;
            case TableValue::Kind::Number:
                // A null or a number that is not finite stays an empty cell.
                if (std::isfinite(v.Number))
                    Check(worksheet_write_number(sheet_, r, c, v.Number, nullptr));
                break;
            case TableValue::Kind::Flag:
                Check(worksheet_write_boolean(sheet_, r, c, v.Flag, nullptr));
                break;
            case TableValue::Kind::Word: Text(r, c, v.Word); break;
        }
    }
    // The table's title, header and rows from row r down; returns the row after it.
    lxw_row_t Table(lxw_row_t r, const EvaluationTable& t) {
        Text(r++, 0, t.Title, true);
        for (size_t c = 0; c < t.Header.size(); ++c)
            Text(r, static_cast<lxw_col_t>(c), t.Header[c], true);
        ++r;
        for (const auto& row : t.Rows) {
            for (size_t c = 0; c < row.size(); ++c) Value(r, static_cast<lxw_col_t>(c), row[c]);
            ++r;
        }
        return r;
    }
    lxw_error FirstError() const { return error_; }

private:
    void Check(lxw_error e) {
        if (e != LXW_NO_ERROR && error_ == LXW_NO_ERROR) error_ = e;
    }
    lxw_worksheet* sheet_;
    lxw_format* bold_;
    lxw_error error_ = LXW_NO_ERROR;
};

}  // namespace qlnx
