#include "spreadsheet/chart_objects.h"

#include "spreadsheet/automation_object.h"
#include "spreadsheet/office_codes.h"
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
    enum class Member { RGB, ObjectThemeColor };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::RGB, {"RGB", kPut}},
        {Member::ObjectThemeColor, {"ObjectThemeColor", kPut}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        const AutoValue& v = args.PutValue();
        switch (static_cast<Member>(member)) {
            case Member::RGB: {
                const int64_t rgb =
                    v.Kind() == VarType::UI4 ? static_cast<int64_t>(v.AsUI4()) : args.Int(v);
                if (rgb < 0 || rgb > 0xFFFFFF) args.Fail("must lie between 0 and 16777215");
                color_->rgb = static_cast<uint32_t>(rgb);
                color_->themeColor.reset();
                break;
            }
            case Member::ObjectThemeColor: {
                const int32_t theme = args.Int(v);
                if (theme < kMsoThemeColorFirst || theme > kMsoThemeColorLast) {
                    args.Fail("must be a theme colour from 1 to 16");
                }
                color_->themeColor = theme;
                color_->rgb.reset();
                break;
            }
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
    enum class Member { Visible, ForeColor, Weight };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Visible, {"Visible", kPut}},
        {Member::ForeColor, {"ForeColor", kGet}},
        {Member::Weight, {"Weight", kPut}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Visible: line_->visible = args.Flag(args.PutValue()); return {};
            case Member::ForeColor: return NewObject<ColorFormatObject>(book_, &line_->color);
            case Member::Weight: {
                const double weight = args.Number(args.PutValue());
                if (weight < 0 || weight > 1584) args.Fail("must lie between 0 and 1584 points");
                line_->weight = static_cast<float>(weight);
                return {};
            }
        }
        return {};
    }

    Book book_;
    LineSetting* line_;
};

class FillFormatObject final : public AutomationObject {
public:
    FillFormatObject(Book book, FillSetting* fill)
        : AutomationObject("FillFormat", kMembers), book_(std::move(book)), fill_(fill) {}

private:
    enum class Member { Visible, ForeColor };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Visible, {"Visible", kPut}},
        {Member::ForeColor, {"ForeColor", kGet}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Visible: fill_->visible = args.Flag(args.PutValue()); return {};
            case Member::ForeColor: return NewObject<ColorFormatObject>(book_, &fill_->color);
        }
        return {};
    }

    Book book_;
    FillSetting* fill_;
};

// The format of a series (line and marker fill) or of an axis or the plot area (line).
class ChartFormatObject final : public AutomationObject {
public:
    ChartFormatObject(Book book, LineSetting* line, FillSetting* fill)
        : AutomationObject("ChartFormat", fill != nullptr
                                              ? std::span<const MemberInfo>(kSeriesMembers)
                                              : std::span<const MemberInfo>(kLineMembers)),
          book_(std::move(book)),
          line_(line),
          fill_(fill) {}

private:
    enum class Member { Line, Fill };
    static constexpr auto kSeriesMembers = MembersOf<Member>({
        {Member::Line, {"Line", kGet}},
        {Member::Fill, {"Fill", kGet}},
    });
    static constexpr auto kLineMembers = MembersOf<Member>({{Member::Line, {"Line", kGet}}});

    AutoValue Call(size_t member, uint16_t, const CallArgs&) override {
        switch (static_cast<Member>(member)) {
            case Member::Line: return NewObject<LineFormatObject>(book_, line_);
            case Member::Fill: return NewObject<FillFormatObject>(book_, fill_);
        }
        return {};
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
    enum class Member { Name, XValues, Values, Format, MarkerStyle, MarkerSize };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Name, {"Name", kPut}},
        {Member::XValues, {"XValues", kPut}},
        {Member::Values, {"Values", kPut}},
        {Member::Format, {"Format", kGet}},
        {Member::MarkerStyle, {"MarkerStyle", kPut}},
        {Member::MarkerSize, {"MarkerSize", kPut}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Name: SetName(args); return {};
            case Member::XValues: series_->xValues = Range(args); return {};
            case Member::Values: series_->values = Range(args); return {};
            case Member::Format:
                return NewObject<ChartFormatObject>(book_, &series_->line, &series_->fill);
            case Member::MarkerStyle: {
                const int32_t style = args.Int(args.PutValue());
                if (!KnownMarkerStyle(style)) args.Fail("is not a marker style");
                series_->markerStyle = style;
                return {};
            }
            case Member::MarkerSize: {
                const int32_t size = args.Int(args.PutValue());
                if (size < kMarkerSizeLeast || size > kMarkerSizeMost) {
                    args.Fail("must lie between 2 and 72 points");
                }
                series_->markerSize = size;
                return {};
            }
        }
        return {};
    }

    static bool KnownMarkerStyle(int32_t style) {
        // None, automatic, x, dash, and the numbered codes 1 to 9 (4, 6 and 7 included).
        return style == kXlMarkerStyleNone || style == kXlMarkerStyleAutomatic ||
               style == kXlMarkerStyleX || style == kXlMarkerStyleDash ||
               (style >= kXlMarkerStyleSquare && style <= kXlMarkerStylePlus);
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
            if (!cell || cell->firstRow != cell->lastRow || cell->firstColumn != cell->lastColumn) {
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
    // TickLabels: a Font and a NumberFormat.
    TickLabelsObject(Book book, FontSetting* font, std::string* numberFormat)
        : AutomationObject("TickLabels", kMembers),
          book_(std::move(book)),
          font_(font),
          numberFormat_(numberFormat) {}

private:
    enum class Member { Font, NumberFormat };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Font, {"Font", kGet}},
        {Member::NumberFormat, {"NumberFormat", kPut}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Font: return NewObject<FontObject>(book_, font_);
            case Member::NumberFormat: *numberFormat_ = args.Text(args.PutValue()); return {};
        }
        return {};
    }

    Book book_;
    FontSetting* font_;
    std::string* numberFormat_;
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
    enum class Member { Text, Font };
    static constexpr auto kTextAndFont = MembersOf<Member>({
        {Member::Text, {"Text", kPut}},
        {Member::Font, {"Font", kGet}},
    });
    static constexpr auto kTextOnly = MembersOf<Member>({{Member::Text, {"Text", kPut}}});

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Text: *text_ = args.Text(args.PutValue()); return {};
            case Member::Font: return NewObject<FontObject>(book_, font_);
        }
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
    enum class Member {
        AxisTitle,
        Format,
        CrossesAt,
        MajorTickMark,
        TickLabels,
        Crosses,
        MinimumScale,
        MaximumScale,
        MajorUnit
    };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::AxisTitle, {"AxisTitle", kGet}},
        {Member::Format, {"Format", kGet}},
        {Member::CrossesAt, {"CrossesAt", kPut}},
        {Member::MajorTickMark, {"MajorTickMark", kPut}},
        {Member::TickLabels, {"TickLabels", kGet}},
        {Member::Crosses, {"Crosses", kPut}},
        {Member::MinimumScale, {"MinimumScale", kPut}},
        {Member::MaximumScale, {"MaximumScale", kPut}},
        {Member::MajorUnit, {"MajorUnit", kPut}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::AxisTitle:
                if (!axis_->hasTitle) args.Fail("is not available: the axis has no title");
                return NewObject<TitleObject>("AxisTitle", book_, &axis_->titleText,
                                              &axis_->titleFont);
            case Member::Format: return NewObject<ChartFormatObject>(book_, &axis_->line, nullptr);
            case Member::CrossesAt:
                axis_->crossesAt = args.Number(args.PutValue());
                axis_->crosses.reset();
                return {};
            case Member::MajorTickMark: {
                const int32_t mark = args.Int(args.PutValue());
                if (mark != kXlTickMarkNone && mark != kXlTickMarkInside &&
                    mark != kXlTickMarkOutside && mark != kXlTickMarkCross) {
                    args.Fail("is not a tick mark");
                }
                axis_->majorTickMark = mark;
                return {};
            }
            case Member::TickLabels:
                return NewObject<TickLabelsObject>(book_, &axis_->tickLabelFont,
                                                   &axis_->tickLabelFormat);
            case Member::Crosses: {
                const int32_t crosses = args.Int(args.PutValue());
                const bool atEnd =
                    crosses == kXlAxisCrossesMaximum || crosses == kXlAxisCrossesMinimum;
                if (!atEnd && crosses != kXlAxisCrossesAutomatic &&
                    crosses != kXlAxisCrossesCustom) {
                    args.Fail("is not an axis crossing");
                }
                if (atEnd) {
                    axis_->crosses = crosses;
                    axis_->crossesAt.reset();
                } else {
                    axis_->crosses.reset();
                }
                return {};
            }
            case Member::MinimumScale:
                axis_->minimumScale = args.Number(args.PutValue());
                return {};
            case Member::MaximumScale:
                axis_->maximumScale = args.Number(args.PutValue());
                return {};
            case Member::MajorUnit: {
                const double unit = args.Number(args.PutValue());
                if (!(unit > 0)) args.Fail("is not a step above 0");
                axis_->majorUnit = unit;
                return {};
            }
        }
        return {};
    }

    Book book_;
    AxisData* axis_;
};

class LegendObject final : public AutomationObject {
public:
    LegendObject(Book book, ChartData* chart)
        : AutomationObject("Legend", kMembers), book_(std::move(book)), chart_(chart) {}

private:
    enum class Member { IncludeInLayout, Font };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::IncludeInLayout, {"IncludeInLayout", kPut}},
        {Member::Font, {"Font", kGet}},
    });

    AutoValue Call(size_t member, uint16_t, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::IncludeInLayout:
                chart_->legendIncludeInLayout = args.Flag(args.PutValue());
                return {};
            case Member::Font: return NewObject<FontObject>(book_, &chart_->legendFont);
        }
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
    enum class Member {
        SeriesCollection,
        SetElement,
        Axes,
        HasTitle,
        ChartTitle,
        Legend,
        PlotArea
    };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::SeriesCollection, {"SeriesCollection", kMethod}},
        {Member::SetElement, {"SetElement", kMethod, 1, 1}},
        {Member::Axes, {"Axes", kMethod, 1, 2}},
        {Member::HasTitle, {"HasTitle", kGet | kPut}},
        {Member::ChartTitle, {"ChartTitle", kGet}},
        {Member::Legend, {"Legend", kGet}},
        {Member::PlotArea, {"PlotArea", kGet}},
    });

    AutoValue Call(size_t member, uint16_t kind, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::SeriesCollection: return NewObject<SeriesCollectionObject>(book_, chart_);
            case Member::SetElement: SetElement(args); return {};
            case Member::Axes: return Axis(args);
            case Member::HasTitle:
                if (kind == kGet) return AutoValue::Bool(chart_->hasTitle);
                chart_->hasTitle = args.Flag(args.PutValue());
                return {};
            case Member::ChartTitle:
                if (!chart_->hasTitle) args.Fail("is not available: the chart has no title");
                return NewObject<TitleObject>("ChartTitle", book_, &chart_->titleText, nullptr);
            case Member::Legend:
                if (!chart_->hasLegend) args.Fail("is not available: the chart has no legend");
                return NewObject<LegendObject>(book_, chart_);
            case Member::PlotArea: return NewObject<PlotAreaObject>(book_, chart_);
        }
        return {};
    }

    void SetElement(const CallArgs& args) {
        switch (args.Int(args[0])) {
            case kMsoElementLegendRight:
            case kMsoElementLegendBottom:
                chart_->hasLegend = true;
                chart_->legendAtBottom = args.Int(args[0]) == kMsoElementLegendBottom;
                break;
            case kMsoElementPrimaryCategoryAxisTitle:  // X axis title next to the axis
                chart_->axes[0].hasTitle = true;
                break;
            case kMsoElementPrimaryValueAxisTitle:  // Y axis title next to the axis
                chart_->axes[1].hasTitle = true;
                break;
            default: args.Fail("supports the elements 101, 104, 301 and 307 only");
        }
    }

    AutoValue Axis(const CallArgs& args) {
        const int32_t type = args.Int(args[0]);
        const int32_t group = args.Count() > 1 ? args.Int(args[1]) : kXlPrimary;
        if (type != kXlCategory && type != kXlValue)
            args.Fail("knows the axes 1 (X) and 2 (Y) only");
        if (group != kXlPrimary) args.Fail("knows the primary axis group (1) only");
        return NewObject<AxisObject>(book_, &chart_->axes[type - 1]);
    }

    Book book_;
    ChartData* chart_;
};

}  // namespace

AutoValue NewChartObject(ChartHandle chart) { return NewObject<ChartObject>(std::move(chart)); }

}  // namespace qlnx
