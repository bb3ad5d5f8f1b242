#include "spreadsheet/chart_objects.h"

#include "spreadsheet/automation_object.h"
#include "spreadsheet/range_formula.h"

namespace qlnx {

namespace {

constexpr uint16_t kGet = kDispatchPropertyGet;
constexpr uint16_t kPut = kDispatchPropertyPut;
constexpr uint16_t kMethod = kDispatchMethod;

// Every object below holds the workbook, which keeps the chart data it points into alive.
using Book = std::shared_ptr<WorkbookData>;

class FontObject final : public AutomationObject {
public:
    FontObject(Book book, FontSetting* font)
        : AutomationObject("Font", kMembers), book_(std::move(book)), font_(font) {}

private:
    static constexpr MemberInfo kMembers[] = {{"Size", kPut}};

    AutoValue Call(size_t, uint16_t, const CallArgs& args) override {
        const double size = args.Number(args.PutValue());
        if (size < 1 || size > 409) args.Fail("must lie between 1 and 409 points");
        font_->size = size;
        return {};
    }

    Book book_;
    FontSetting* font_;
};

class ColorFormatObject final : public AutomationObject {
public:
    ColorFormatObject(Book book, ColorSetting* color)
        : AutomationObject("ColorFormat", kMembers), book_(std::move(book)), color_(color) {}

private:
    static constexpr MemberInfo kMembers[] = {{"RGB", kPut}, {"ObjectThemeColor", kPut}};

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        const AutoValue& v = args.PutValue();
        if (member == 0) {
            const int64_t rgb =
                v.Kind() == VarType::UI4 ? static_cast<int64_t>(v.AsUI4()) : args.Int(v);
            if (rgb < 0 || rgb > 0xFFFFFF) args.Fail("must lie between 0 and 16777215");
            color_->rgb = static_cast<uint32_t>(rgb);
            color_->themeColor.reset();
        } else {
            const int32_t theme = args.Int(v);
            if (theme < 1 || theme > 16) args.Fail("must be a theme colour from 1 to 16");
            color_->themeColor = theme;
            color_->rgb.reset();
        }
        return {};
    }

    Book book_;
    ColorSetting* color_;
};

class LineFormatObject final : public AutomationObject {
public:
    LineFormatObject(Book book, LineSetting* line)
        : AutomationObject("LineFormat", kMembers), book_(std::move(book)), line_(line) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {"Visible", kPut}, {"ForeColor", kGet}, {"Weight", kPut}};

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (member) {
            case 0: line_->visible = args.Flag(args.PutValue()); return {};
            case 1: return NewObject<ColorFormatObject>(book_, &line_->color);
            default: {
                const double weight = args.Number(args.PutValue());
                if (weight < 0 || weight > 1584) args.Fail("must lie between 0 and 1584 points");
                line_->weight = static_cast<float>(weight);
                return {};
            }
        }
    }

    Book book_;
    LineSetting* line_;
};

class FillFormatObject final : public AutomationObject {
public:
    FillFormatObject(Book book, FillSetting* fill)
        : AutomationObject("FillFormat", kMembers), book_(std::move(book)), fill_(fill) {}

private:
    static constexpr MemberInfo kMembers[] = {{"Visible", kPut}, {"ForeColor", kGet}};

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        if (member == 1) return NewObject<ColorFormatObject>(book_, &fill_->color);
        fill_->visible = args.Flag(args.PutValue());
        return {};
    }

    Book book_;
    FillSetting* fill_;
};

// The format of a series (line and marker fill) or of an axis or the plot area (line).
class ChartFormatObject final : public AutomationObject {
public:
    ChartFormatObject(Book book, LineSetting* line, FillSetting* fill)
        : AutomationObject("ChartFormat", fill != nullptr ? std::span<const MemberInfo>(kSeriesMembers)
                                                          : std::span<const MemberInfo>(kLineMembers)),
          book_(std::move(book)),
          line_(line),
          fill_(fill) {}

private:
    static constexpr MemberInfo kSeriesMembers[] = {{"Line", kGet}, {"Fill", kGet}};
    static constexpr MemberInfo kLineMembers[] = {{"Line", kGet}};

    AutoValue Call(size_t member, uint16_t, const CallArgs&) override {
        if (member == 0) return NewObject<LineFormatObject>(book_, line_);
        return NewObject<FillFormatObject>(book_, fill_);
    }

    Book book_;
    LineSetting* line_;
    FillSetting* fill_;
};

class SeriesObject final : public AutomationObject {
public:
    SeriesObject(Book book, SeriesData* series)
        : AutomationObject("Series", kMembers), book_(std::move(book)), series_(series) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {"Name", kPut},        {"XValues", kPut},    {"Values", kPut},
        {"Format", kGet},      {"MarkerStyle", kPut}, {"MarkerSize", kPut},
    };

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (member) {
            case 0: SetName(args); return {};
            case 1: series_->xValues = Range(args); return {};
            case 2: series_->values = Range(args); return {};
            case 3: return NewObject<ChartFormatObject>(book_, &series_->line, &series_->fill);
            case 4: {
                const int32_t style = args.Int(args.PutValue());
                if (!KnownMarkerStyle(style)) args.Fail("is not a marker style");
                series_->markerStyle = style;
                return {};
            }
            default: {
                const int32_t size = args.Int(args.PutValue());
                if (size < 2 || size > 72) args.Fail("must lie between 2 and 72 points");
                series_->markerSize = size;
                return {};
            }
        }
    }

    static bool KnownMarkerStyle(int32_t style) {
        // None, automatic, x, dash, and the codes 1 to 9 (4, 6 and 7 included).
        return style == -4142 || style == -4105 || style == -4168 || style == -4115 ||
               (style >= 1 && style <= 9);
    }

    // A range formula on a sheet of this workbook, one row or one column.
    CellRange Range(const CallArgs& args) const {
        const std::string text = args.Text(args.PutValue());
        std::optional<CellRange> range = ParseRangeFormula(text);
        if (!range) args.Fail("needs a reference such as =Sheet1!$A$2:$A$10, not \"" + text + "\"");
        if (range->firstRow != range->lastRow && range->firstColumn != range->lastColumn) {
            args.Fail("needs one row or one column, not \"" + text + "\"");
        }
        CheckSheet(args, *range, text);
        return *range;
    }

    void SetName(const CallArgs& args) {
        std::string text = args.Text(args.PutValue());
        if (!text.empty() && text.front() == '=') {
            std::optional<CellRange> cell = ParseRangeFormula(text);
            if (!cell || cell->firstRow != cell->lastRow ||
                cell->firstColumn != cell->lastColumn) {
                args.Fail("needs a text or a reference to one cell, not \"" + text + "\"");
            }
            CheckSheet(args, *cell, text);
            series_->nameCell = *cell;
            series_->nameText.reset();
        } else {
            series_->nameText = std::move(text);
            series_->nameCell.reset();
        }
    }

    void CheckSheet(const CallArgs& args, const CellRange& range, const std::string& text) const {
        for (const WorksheetData& sheet : book_->sheets) {
            if (sheet.name == range.sheet) return;
        }
        args.Fail("refers to a sheet the workbook does not have: \"" + text + "\"");
    }

    Book book_;
    SeriesData* series_;
};

class SeriesCollectionObject final : public AutomationObject {
public:
    SeriesCollectionObject(Book book, ChartData* chart)
        : AutomationObject("SeriesCollection", kMembers), book_(std::move(book)), chart_(chart) {}

private:
    static constexpr MemberInfo kMembers[] = {{"NewSeries", kMethod}};

    AutoValue Call(size_t, uint16_t, const CallArgs&) override {
        chart_->series.emplace_back();
        return NewObject<SeriesObject>(book_, &chart_->series.back());
    }

    Book book_;
    ChartData* chart_;
};

class TickLabelsObject final : public AutomationObject {
public:
    // TickLabels: a Font only.
    TickLabelsObject(Book book, FontSetting* font)
        : AutomationObject("TickLabels", kMembers), book_(std::move(book)), font_(font) {}

private:
    static constexpr MemberInfo kMembers[] = {{"Font", kGet}};

    AutoValue Call(size_t, uint16_t, const CallArgs&) override {
        return NewObject<FontObject>(book_, font_);
    }

    Book book_;
    FontSetting* font_;
};

// AxisTitle and ChartTitle: a text, and for the axis title a Font.
class TitleObject final : public AutomationObject {
public:
    TitleObject(std::string_view className, Book book, std::string* text, FontSetting* font)
        : AutomationObject(className, font != nullptr ? std::span<const MemberInfo>(kTextAndFont)
                                                      : std::span<const MemberInfo>(kTextOnly)),
          book_(std::move(book)),
          text_(text),
          font_(font) {}

private:
    static constexpr MemberInfo kTextAndFont[] = {{"Text", kPut}, {"Font", kGet}};
    static constexpr MemberInfo kTextOnly[] = {{"Text", kPut}};

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        if (member == 1) return NewObject<FontObject>(book_, font_);
        *text_ = args.Text(args.PutValue());
        return {};
    }

    Book book_;
    std::string* text_;
    FontSetting* font_;
};

class AxisObject final : public AutomationObject {
public:
    AxisObject(Book book, AxisData* axis)
        : AutomationObject("Axis", kMembers), book_(std::move(book)), axis_(axis) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {"AxisTitle", kGet},     {"Format", kGet},     {"CrossesAt", kPut},
        {"MajorTickMark", kPut}, {"TickLabels", kGet}, {"Crosses", kPut},
    };

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (member) {
            case 0:
                if (!axis_->hasTitle) args.Fail("is not available: the axis has no title");
                return NewObject<TitleObject>("AxisTitle", book_, &axis_->titleText,
                                              &axis_->titleFont);
            case 1: return NewObject<ChartFormatObject>(book_, &axis_->line, nullptr);
            case 2:
                axis_->crossesAt = args.Number(args.PutValue());
                axis_->crosses.reset();
                return {};
            case 3: {
                const int32_t mark = args.Int(args.PutValue());
                // None, inside, outside, cross.
                if (mark != -4142 && (mark < 2 || mark > 4)) args.Fail("is not a tick mark");
                axis_->majorTickMark = mark;
                return {};
            }
            case 4: return NewObject<TickLabelsObject>(book_, &axis_->tickLabelFont);
            default: {
                const int32_t crosses = args.Int(args.PutValue());
                // Automatic, custom (at CrossesAt), maximum, minimum.
                if (crosses != -4105 && crosses != -4114 && crosses != 2 && crosses != 4) {
                    args.Fail("is not an axis crossing");
                }
                if (crosses == 2 || crosses == 4) {
                    axis_->crosses = crosses;
                    axis_->crossesAt.reset();
                } else {
                    axis_->crosses.reset();
                }
                return {};
            }
        }
    }

    Book book_;
    AxisData* axis_;
};

class LegendObject final : public AutomationObject {
public:
    LegendObject(Book book, ChartData* chart)
        : AutomationObject("Legend", kMembers), book_(std::move(book)), chart_(chart) {}

private:
    static constexpr MemberInfo kMembers[] = {{"IncludeInLayout", kPut}, {"Font", kGet}};

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        if (member == 1) return NewObject<FontObject>(book_, &chart_->legendFont);
        chart_->legendIncludeInLayout = args.Flag(args.PutValue());
        return {};
    }

    Book book_;
    ChartData* chart_;
};

class PlotAreaObject final : public AutomationObject {
public:
    PlotAreaObject(Book book, ChartData* chart)
        : AutomationObject("PlotArea", kMembers), book_(std::move(book)), chart_(chart) {}

private:
    static constexpr MemberInfo kMembers[] = {{"Format", kGet}};

    AutoValue Call(size_t, uint16_t, const CallArgs&) override {
        return NewObject<ChartFormatObject>(book_, &chart_->plotAreaLine, nullptr);
    }

    Book book_;
    ChartData* chart_;
};

class ChartObject final : public AutomationObject {
public:
    explicit ChartObject(ChartHandle chart)
        : AutomationObject("Chart", kMembers), book_(std::move(chart.book)), chart_(chart.chart) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {"SeriesCollection", kMethod}, {"SetElement", kMethod, 1, 1},
        {"Axes", kMethod, 1, 2},       {"HasTitle", kGet | kPut},
        {"ChartTitle", kGet},          {"Legend", kGet},
        {"PlotArea", kGet},
    };

    AutoValue Call(size_t member, uint16_t kind, const CallArgs& args) override {
        switch (member) {
            case 0: return NewObject<SeriesCollectionObject>(book_, chart_);
            case 1: SetElement(args); return {};
            case 2: return Axis(args);
            case 3:
                if (kind == kGet) return AutoValue::Bool(chart_->hasTitle);
                chart_->hasTitle = args.Flag(args.PutValue());
                return {};
            case 4:
                if (!chart_->hasTitle) args.Fail("is not available: the chart has no title");
                return NewObject<TitleObject>("ChartTitle", book_, &chart_->titleText, nullptr);
            case 5:
                if (!chart_->hasLegend) args.Fail("is not available: the chart has no legend");
                return NewObject<LegendObject>(book_, chart_);
            default: return NewObject<PlotAreaObject>(book_, chart_);
        }
    }

    void SetElement(const CallArgs& args) {
        switch (args.Int(args[0])) {
            case 101:  // legend at the right
            case 104:  // legend at the bottom
                chart_->hasLegend = true;
                chart_->legendAtBottom = args.Int(args[0]) == 104;
                break;
            case 301:  // X axis title next to the axis
                chart_->axes[0].hasTitle = true;
                break;
            case 307:  // Y axis title next to the axis
                chart_->axes[1].hasTitle = true;
                break;
            default: args.Fail("supports the elements 101, 104, 301 and 307 only");
        }
    }

    AutoValue Axis(const CallArgs& args) {
        const int32_t type = args.Int(args[0]);
        const int32_t group = args.Count() > 1 ? args.Int(args[1]) : 1;
        if (type != 1 && type != 2) args.Fail("knows the axes 1 (X) and 2 (Y) only");
        if (group != 1) args.Fail("knows the primary axis group (1) only");
        return NewObject<AxisObject>(book_, &chart_->axes[type - 1]);
    }

    Book book_;
    ChartData* chart_;
};

}  // namespace

AutoValue NewChartObject(ChartHandle chart) { return NewObject<ChartObject>(std::move(chart)); }

}  // namespace qlnx
