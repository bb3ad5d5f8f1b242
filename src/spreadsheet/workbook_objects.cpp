#include "spreadsheet/workbook_objects.h"

#include <array>
#include <cmath>

#include "core/number_text.h"
#include "spreadsheet/automation_error.h"
#include "spreadsheet/automation_object.h"
#include "spreadsheet/chart_objects.h"
#include "spreadsheet/office_codes.h"

namespace qlnx {

namespace {

// Longest text a cell holds, in UTF-16 units.
constexpr size_t kMaxCellText = 32767;
// Largest size of a shape, points.
constexpr double kMaxShapeSize = 169056;

// The text as a number when it reads as one with the program's decimal separator, as a
// spreadsheet stores typed numbers (blanks around it allowed, as when typing).
std::optional<double> NumberFromText(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    std::array<char, 64> small{};
    std::string large;
    char* buf = small.data();
    if (text.size() > small.size()) {
        large.resize(text.size());
        buf = large.data();
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0x80) return std::nullopt;
        buf[i] = static_cast<char>(text[i]);
    }
    return ParseFloat(std::string_view(buf, text.size()), DecimalSeparator());
}

class RangeObject final : public AutomationObject {
public:
    RangeObject(std::shared_ptr<WorkbookData> book, WorksheetData* sheet, int32_t row,
                int32_t column)
        : AutomationObject("Range", kMembers),
          book_(std::move(book)),
          sheet_(sheet),
          row_(row),
          column_(column) {}

private:
    enum class Member { Value, Left, Top };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Value, {"Value", kDispatchPropertyPut}},
        {Member::Left, {"Left", kDispatchPropertyGet}},
        {Member::Top, {"Top", kDispatchPropertyGet}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Value: SetValue(args); return {};
            case Member::Left: return AutoValue::R8((column_ - 1) * kDefaultColumnWidthPt);
            case Member::Top: return AutoValue::R8((row_ - 1) * kDefaultRowHeightPt);
        }
        return {};
    }

    void SetValue(const CallArgs& args) {
        if (book_->published) args.Fail("cannot change a workbook that was already written");
        const AutoValue& v = args.PutValue();
        CellStore& cells = sheet_->cells;
        switch (v.Kind()) {
            case VarType::Empty:
            case VarType::Null: cells.SetBlank(row_, column_); return;
            case VarType::Bool: cells.SetBoolean(row_, column_, v.AsBool() != 0); return;
            case VarType::Bstr: {
                const std::u16string& text = v.AsBstr();
                if (text.empty()) {
                    cells.SetBlank(row_, column_);
                } else if (auto number = NumberFromText(text)) {
                    cells.SetNumber(row_, column_, *number);
                } else if (text.size() > kMaxCellText) {
                    args.Fail("takes at most 32767 characters");
                } else {
                    cells.SetText(row_, column_, NarrowToUtf8(text));
                }
                return;
            }
            case VarType::Dispatch: args.Fail("cannot hold an object");
            default: cells.SetNumber(row_, column_, args.Number(v)); return;
        }
    }

    std::shared_ptr<WorkbookData> book_;
    WorksheetData* sheet_;
    int32_t row_;
    int32_t column_;
};

class ShapeObject final : public AutomationObject {
public:
    ShapeObject(std::shared_ptr<ApplicationData> app, ChartHandle chart)
        : AutomationObject("Shape", kMembers), app_(std::move(app)), chart_(std::move(chart)) {}

private:
    static constexpr uint16_t kProperty = kDispatchPropertyGet | kDispatchPropertyPut;
    enum class Member { Left, Top, Width, Height, Select };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Left, {"Left", kProperty}},
        {Member::Top, {"Top", kProperty}},
        {Member::Width, {"Width", kProperty}},
        {Member::Height, {"Height", kProperty}},
        {Member::Select, {"Select", kDispatchMethod, 0, 1}},
    });

    AutoValue Call(size_t member, uint16_t kind, const CallArgs& args) override {
        ChartData& chart = *chart_.chart;
        switch (static_cast<Member>(member)) {
            case Member::Left: return Place(&chart.left, kind, args);
            case Member::Top: return Place(&chart.top, kind, args);
            case Member::Width: return Size(&chart.width, kind, args);
            case Member::Height: return Size(&chart.height, kind, args);
            case Member::Select: app_->activeChart = chart_; return {};
        }
        return {};
    }

    // A position (from 0 on) or a size (above 0), read or set.
    static AutoValue Place(double* field, uint16_t kind, const CallArgs& args) {
        if (kind == kDispatchPropertyGet) return AutoValue::R8(*field);
        const double v = args.Number(args.PutValue());
        if (v < 0) args.Fail("cannot be negative");
        *field = v;
        return {};
    }
    static AutoValue Size(double* field, uint16_t kind, const CallArgs& args) {
        if (kind == kDispatchPropertyGet) return AutoValue::R8(*field);
        const double v = args.Number(args.PutValue());
        if (v <= 0 || v > kMaxShapeSize) args.Fail("must lie above 0 and at most 169056 points");
        *field = v;
        return {};
    }

    std::shared_ptr<ApplicationData> app_;
    ChartHandle chart_;
};

class ShapesObject final : public AutomationObject {
public:
    ShapesObject(std::shared_ptr<ApplicationData> app, std::shared_ptr<WorkbookData> book,
                 WorksheetData* sheet)
        : AutomationObject("Shapes", kMembers),
          app_(std::move(app)),
          book_(std::move(book)),
          sheet_(sheet) {}

private:
    // AddChart2(Style, XlChartType, Left, Top, Width, Height, NewLayout)
    static constexpr MemberInfo kMembers[] = {{"AddChart2", kDispatchMethod, 0, 7}};

    AutoValue Call(size_t, uint16_t, const CallArgs& args) override {
        if (book_->published) args.Fail("cannot change a workbook that was already written");
        ChartData chart;
        chart.style = args.Count() > 0 ? args.Int(args[0]) : -1;
        chart.chartType = args.Count() > 1 ? args.Int(args[1]) : 0;
        // The XY scatter family: markers only, smoothed lines with and without markers,
        // straight lines with and without markers.
        switch (chart.chartType) {
            case kXlXYScatter:
            case kXlXYScatterSmooth:
            case kXlXYScatterSmoothNoMarkers:
            case kXlXYScatterLines:
            case kXlXYScatterLinesNoMarkers: break;
            default: args.Fail("makes XY scatter charts only (chart types -4169 and 72 to 75)");
        }
        double* fields[] = {&chart.left, &chart.top, &chart.width, &chart.height};
        for (size_t i = 2; i < args.Count() && i < 6; ++i) {
            const double v = args.Number(args[i]);
            if (i >= 4 && (v <= 0 || v > kMaxShapeSize)) {
                args.Fail("needs a size above 0 and at most 169056 points");
            }
            *fields[i - 2] = v;
        }
        sheet_->charts.push_back(std::move(chart));
        return NewObject<ShapeObject>(app_, ChartHandle{book_, &sheet_->charts.back()});
    }

    std::shared_ptr<ApplicationData> app_;
    std::shared_ptr<WorkbookData> book_;
    WorksheetData* sheet_;
};

class WorksheetObject final : public AutomationObject {
public:
    WorksheetObject(std::shared_ptr<ApplicationData> app, std::shared_ptr<WorkbookData> book,
                    WorksheetData* sheet)
        : AutomationObject("Worksheet", kMembers),
          app_(std::move(app)),
          book_(std::move(book)),
          sheet_(sheet) {}

private:
    enum class Member { Cells, Shapes };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Cells, {"Cells", kDispatchPropertyGet, 2, 2}},
        {Member::Shapes, {"Shapes", kDispatchPropertyGet}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Cells: return Cell(args);
            case Member::Shapes: return NewObject<ShapesObject>(app_, book_, sheet_);
        }
        return {};
    }

    AutoValue Cell(const CallArgs& args) {
        const int32_t row = args.Int(args[0]);
        const int32_t column = args.Int(args[1]);
        if (row < 1 || row > kWorksheetRows || column < 1 || column > kWorksheetColumns) {
            args.Fail("lies outside the worksheet (rows 1 to 1048576, columns 1 to 16384)");
        }
        return NewObject<RangeObject>(book_, sheet_, row, column);
    }

    std::shared_ptr<ApplicationData> app_;
    std::shared_ptr<WorkbookData> book_;
    WorksheetData* sheet_;
};

class WorkbookObject final : public AutomationObject {
public:
    WorkbookObject(std::shared_ptr<ApplicationData> app, std::shared_ptr<WorkbookData> book)
        : AutomationObject("Workbook", kMembers), app_(std::move(app)), book_(std::move(book)) {}

private:
    static constexpr MemberInfo kMembers[] = {{"Sheets", kDispatchPropertyGet, 1, 1}};

    AutoValue Call(size_t, uint16_t, const CallArgs& args) override {
        const std::string name = args.Text(args[0]);
        for (WorksheetData& sheet : book_->sheets) {
            if (sheet.name == name) return NewObject<WorksheetObject>(app_, book_, &sheet);
        }
        args.Fail("has no sheet named \"" + name + "\"");
    }

    std::shared_ptr<ApplicationData> app_;
    std::shared_ptr<WorkbookData> book_;
};

class WorkbooksObject final : public AutomationObject {
public:
    explicit WorkbooksObject(std::shared_ptr<ApplicationData> app)
        : AutomationObject("Workbooks", kMembers), app_(std::move(app)) {}

private:
    static constexpr MemberInfo kMembers[] = {{"Add", kDispatchMethod}};

    AutoValue Call(size_t, uint16_t, const CallArgs&) override {
        auto book = std::make_shared<WorkbookData>();
        book->sheets.emplace_back().name = "Sheet1";
        app_->workbooks.push_back(book);
        return NewObject<WorkbookObject>(app_, std::move(book));
    }

    std::shared_ptr<ApplicationData> app_;
};

}  // namespace

AutoValue NewWorkbooksObject(std::shared_ptr<ApplicationData> app) {
    return NewObject<WorkbooksObject>(std::move(app));
}

}  // namespace qlnx
