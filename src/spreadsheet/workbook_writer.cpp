#include "spreadsheet/workbook_writer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "core/chart_series.h"
#include "core/errors.h"
#include "core/safe_write.h"
#include "spreadsheet/office_codes.h"
#include "spreadsheet/package_check.h"

namespace qlnx {

namespace {

// Pixels of a default column and row (the chart anchor is counted in these).
constexpr double kColumnPixels = 64;
constexpr double kRowPixels = 20;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
// A chart's default size, points; its size is written as a scale of it.
constexpr double kDefaultChartWidthPt = 360;
constexpr double kDefaultChartHeightPt = 216;

// Colours of the default Office theme by theme colour index (kMsoThemeColorFirst = dark 1 ...
// kMsoThemeColorLast = background 2), 0xRRGGBB; kMsoThemeColorText1 is the text colour.
constexpr uint32_t kThemeColors[kMsoThemeColorLast + 1] = {
    0,        0x000000, 0xFFFFFF, 0x44546A, 0xE7E6E6, 0x4472C4, 0xED7D31, 0xA5A5A5, 0xFFC000,
    0x5B9BD5, 0x70AD47, 0x0563C1, 0x954F72, 0x000000, 0xFFFFFF, 0x44546A, 0xE7E6E6,
};

// libxlsxwriter reads colour 0 as "not set": black has its own value.
lxw_color_t LxwColor(uint32_t rrggbb) {
    return rrggbb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rrggbb;
}

// A colour of the object model (0x00BBGGRR or a theme index) as 0xRRGGBB, if any.
std::optional<lxw_color_t> ColorOf(const ColorSetting& c) {
    if (c.rgb) {
        const ColorBytes b = BytesOf(*c.rgb);
        return LxwColor((uint32_t{b.Red} << 16) | (uint32_t{b.Green} << 8) | b.Blue);
    }
    if (c.themeColor && *c.themeColor >= kMsoThemeColorFirst &&
        *c.themeColor <= kMsoThemeColorLast) {
        return LxwColor(kThemeColors[*c.themeColor]);
    }
    return std::nullopt;
}

// The line as libxlsxwriter takes it; false when nothing about it was set.
bool LineOf(const LineSetting& s, lxw_chart_line& line) {
    line = lxw_chart_line{};
    if (s.visible && !*s.visible) {
        line.none = LXW_TRUE;
        return true;
    }
    bool any = s.visible.has_value();
    if (auto c = ColorOf(s.color)) {
        line.color = *c;
        any = true;
    }
    if (s.weight) {
        // libxlsxwriter writes widths in steps of 0.25 pt and reads 0 as "default width";
        // a weight below the first step (0 is the thinnest line) goes as that step.
        line.width = std::max(*s.weight, 0.25f);
        any = true;
    }
    return any;
}

uint8_t MarkerType(int32_t style) {
    switch (style) {
        case kXlMarkerStyleNone: return LXW_CHART_MARKER_NONE;
        case kXlMarkerStyleSquare: return LXW_CHART_MARKER_SQUARE;
        case kXlMarkerStyleDiamond: return LXW_CHART_MARKER_DIAMOND;
        case kXlMarkerStyleTriangle: return LXW_CHART_MARKER_TRIANGLE;
        // 4, 6 and 7 have no name in the object model: they draw as x, short dash and
        // long dash.
        case 4:
        case kXlMarkerStyleX: return LXW_CHART_MARKER_X;
        case kXlMarkerStyleStar: return LXW_CHART_MARKER_STAR;
        case 6:
        case kXlMarkerStyleDash: return LXW_CHART_MARKER_SHORT_DASH;
        case 7: return LXW_CHART_MARKER_LONG_DASH;
        case kXlMarkerStyleCircle: return LXW_CHART_MARKER_CIRCLE;
        case kXlMarkerStylePlus: return LXW_CHART_MARKER_PLUS;
        default: return LXW_CHART_MARKER_AUTOMATIC;
    }
}

uint8_t TickMark(int32_t mark) {
    switch (mark) {
        case kXlTickMarkNone: return LXW_CHART_AXIS_TICK_MARK_NONE;
        case kXlTickMarkInside: return LXW_CHART_AXIS_TICK_MARK_INSIDE;
        case kXlTickMarkOutside: return LXW_CHART_AXIS_TICK_MARK_OUTSIDE;
        case kXlTickMarkCross: return LXW_CHART_AXIS_TICK_MARK_CROSSING;
        default: return LXW_CHART_AXIS_TICK_MARK_DEFAULT;
    }
}

uint8_t ChartType(int32_t type) {
    switch (type) {
        case kXlXYScatter: return LXW_CHART_SCATTER;
        case kXlXYScatterSmoothNoMarkers: return LXW_CHART_SCATTER_SMOOTH;
        case kXlXYScatterLines: return LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS;
        case kXlXYScatterLinesNoMarkers: return LXW_CHART_SCATTER_STRAIGHT;
        default: return LXW_CHART_SCATTER_SMOOTH_WITH_MARKERS;
    }
}

lxw_chart_font Font(double size) {
    lxw_chart_font font{};
    font.size = size;
    return font;
}

void SetRange(lxw_chart_series* series, const CellRange& r, bool categories) {
    const auto firstRow = static_cast<lxw_row_t>(r.firstRow - 1);
    const auto lastRow = static_cast<lxw_row_t>(r.lastRow - 1);
    const auto firstCol = static_cast<lxw_col_t>(r.firstColumn - 1);
    const auto lastCol = static_cast<lxw_col_t>(r.lastColumn - 1);
    if (categories) {
        chart_series_set_categories(series, r.sheet.c_str(), firstRow, firstCol, lastRow, lastCol);
        // The cached point count is 16 bits wide: leave the cache out, the reader takes
        // the points from the cells.
        series->categories->ignore_cache = LXW_TRUE;
    } else {
        chart_series_set_values(series, r.sheet.c_str(), firstRow, firstCol, lastRow, lastCol);
        series->values->ignore_cache = LXW_TRUE;
    }
}

void AddSeries(lxw_chart* chart, const SeriesData& data) {
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    if (data.xValues) SetRange(series, *data.xValues, true);
    SetRange(series, *data.values, false);
    if (data.nameCell) {
        chart_series_set_name_range(series, data.nameCell->sheet.c_str(),
                                    static_cast<lxw_row_t>(data.nameCell->firstRow - 1),
                                    static_cast<lxw_col_t>(data.nameCell->firstColumn - 1));
    } else if (data.nameText && !data.nameText->empty()) {
        chart_series_set_name(series, data.nameText->c_str());
    }
    lxw_chart_line line;
    const bool hasLine = LineOf(data.line, line);
    if (hasLine) chart_series_set_line(series, &line);
    if (data.markerStyle) chart_series_set_marker_type(series, MarkerType(*data.markerStyle));
    if (data.markerSize) {
        chart_series_set_marker_size(series, static_cast<uint8_t>(*data.markerSize));
    }
    // The series' line format draws the marker borders as well.
    if (hasLine && !line.none) chart_series_set_marker_line(series, &line);
    lxw_chart_fill fill{};
    bool hasFill = false;
    if (data.fill.visible && !*data.fill.visible) {
        fill.none = LXW_TRUE;
        hasFill = true;
    } else if (auto c = ColorOf(data.fill.color)) {
        fill.color = *c;
        hasFill = true;
    }
    if (hasFill) chart_series_set_marker_fill(series, &fill);
}

void FormatAxis(lxw_chart_axis* axis, const AxisData& data) {
    if (data.hasTitle) {
        chart_axis_set_name(axis, data.titleText.c_str());
        if (data.titleFont.size) {
            lxw_chart_font font = Font(*data.titleFont.size);
            chart_axis_set_name_font(axis, &font);
        }
    }
    lxw_chart_line line;
    if (LineOf(data.line, line)) chart_axis_set_line(axis, &line);
    // The value of this axis at which the other axis crosses it.
    if (data.crossesAt) chart_axis_set_crossing(axis, *data.crossesAt);
    if (data.crosses == kXlAxisCrossesMinimum) chart_axis_set_crossing_min(axis);
    if (data.crosses == kXlAxisCrossesMaximum) chart_axis_set_crossing_max(axis);
    if (data.majorTickMark) chart_axis_set_major_tick_mark(axis, TickMark(*data.majorTickMark));
    if (data.minimumScale) chart_axis_set_min(axis, *data.minimumScale);
    if (data.maximumScale) chart_axis_set_max(axis, *data.maximumScale);
    if (data.majorUnit) chart_axis_set_major_unit(axis, *data.majorUnit);
    if (!data.tickLabelFormat.empty())
        chart_axis_set_num_format(axis, data.tickLabelFormat.c_str());
    if (data.tickLabelFont.size) {
        lxw_chart_font font = Font(*data.tickLabelFont.size);
        chart_axis_set_num_font(axis, &font);
    }
}

// Adds the chart with every series whose values were set; false when there is none.
bool AddChart(lxw_workbook* workbook, lxw_worksheet* sheet, const ChartData& data) {
    bool anySeries = false;
    for (const SeriesData& s : data.series) anySeries = anySeries || s.values.has_value();
    if (!anySeries) return false;
    lxw_chart* chart = workbook_add_chart(workbook, ChartType(data.chartType));
    for (const SeriesData& s : data.series) {
        if (s.values) AddSeries(chart, s);
    }
    FormatAxis(chart->x_axis, data.axes[0]);
    FormatAxis(chart->y_axis, data.axes[1]);
    if (data.hasLegend) {
        // The file format has no legend over the plot at the bottom: there it always takes
        // its own room.
        const auto position = data.legendAtBottom          ? LXW_CHART_LEGEND_BOTTOM
                              : data.legendIncludeInLayout ? LXW_CHART_LEGEND_RIGHT
                                                           : LXW_CHART_LEGEND_OVERLAY_RIGHT;
        chart_legend_set_position(chart, position);
        if (data.legendFont.size) {
            lxw_chart_font font = Font(*data.legendFont.size);
            chart_legend_set_font(chart, &font);
        }
    } else {
        chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    }
    lxw_chart_line line;
    if (LineOf(data.plotAreaLine, line)) chart_plotarea_set_line(chart, &line);
    if (data.hasTitle) {
        chart_title_set_name(chart, data.titleText.c_str());
    } else {
        chart_title_off(chart);
    }
    // Anchor: the cell under the shape's top-left corner and the offset into it.
    const double x = data.left * kPixelsPerPoint;
    const double y = data.top * kPixelsPerPoint;
    const double column = std::floor(x / kColumnPixels);
    const double row = std::floor(y / kRowPixels);
    lxw_chart_options options{};
    options.x_offset = static_cast<int32_t>(std::lround(x - column * kColumnPixels));
    options.y_offset = static_cast<int32_t>(std::lround(y - row * kRowPixels));
    options.x_scale = data.width / kDefaultChartWidthPt;
    options.y_scale = data.height / kDefaultChartHeightPt;
    worksheet_insert_chart_opt(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                               chart, &options);
    return true;
}

// Rows written between two progress reports, and the share of the progress range the rows
// take; compressing the parts into the file takes the rest (measured at a million rows: the
// compression takes about 1.3 times as long as the rows).
constexpr int32_t kRowsPerReport = 4096;
constexpr double kRowsShare = 0.45;
constexpr double kCloseToRowsTime = 1.3;

// What closing the workbook gave: the library's code and the system's error number of the
// failure (errno of the closing thread, read at once, since the library keeps none).
struct CloseResult {
    lxw_error Error = LXW_NO_ERROR;
    int SystemError = 0;
};

CloseResult CloseNow(lxw_workbook* workbook) {
    errno = 0;
    CloseResult result;
    result.Error = workbook_close(workbook);
    result.SystemError = result.Error == LXW_NO_ERROR ? 0 : errno;
    return result;
}

// Compresses the parts into the file, which libxlsxwriter does in one call without reports.
// With someone to tell, the call runs on a helper thread while this one reports an estimate
// of its progress from the time the rows took, so that the window keeps painting; the
// answers do not count, since the file is all but written.
CloseResult CloseWorkbook(lxw_workbook* workbook, const ProgressCallback& progress,
                          std::chrono::duration<double> rowsTime) {
    if (!progress) return CloseNow(workbook);
    std::future<CloseResult> closing;
    try {
        closing = std::async(std::launch::async, [workbook] { return CloseNow(workbook); });
    } catch (const std::system_error&) {
        return CloseNow(workbook);
    }
    const auto start = std::chrono::steady_clock::now();
    const double estimate = std::max(kCloseToRowsTime * rowsTime.count(), 0.05);
    while (closing.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        const double part = std::min(spent.count() / estimate, 0.98);
        progress(kRowsShare + (1.0 - kRowsShare) * part);
    }
    return closing.get();
}

// The system's error behind a failed close. The library reports a failed write of the package
// only as a zip error; errno then holds the cause (no space, file too large, I/O error).
int SystemErrorOf(const CloseResult& result) {
    if (result.SystemError != 0) return result.SystemError;
    return result.Error == LXW_ERROR_MEMORY_MALLOC_FAILED ? ENOMEM : EIO;
}

// libxlsxwriter reports its failures as "[ERROR]..." and "[WARNING]..." lines on standard
// error, where a user of the program would read them beside the program's own message. While
// this object lives, standard error goes to an in-memory file; at its end every other line
// goes on to standard error, so messages of the rest of the program are not lost.
class LibraryLogFilter {
public:
    LibraryLogFilter() {
        std::fflush(stderr);
        capture_ = ::memfd_create("qlnx-library-log", MFD_CLOEXEC);
        if (capture_ < 0) return;
        saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (saved_ < 0 || ::dup2(capture_, STDERR_FILENO) < 0) Restore();
    }
    ~LibraryLogFilter() {
        std::fflush(stderr);
        if (!Restore()) return;
        std::string text;
        char buffer[4096];
        ::lseek(capture_, 0, SEEK_SET);
        for (ssize_t n; (n = ::read(capture_, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<size_t>(n));
        }
        ::close(capture_);
        std::string kept;
        for (size_t start = 0; start < text.size();) {
            const size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
            const std::string_view line(text.data() + start, end - start);
            if (line.rfind("[ERROR]", 0) != 0 && line.rfind("[WARNING]", 0) != 0) kept += line;
            start = end;
        }
        if (!kept.empty()) {
            const ssize_t ignored = ::write(STDERR_FILENO, kept.data(), kept.size());
            static_cast<void>(ignored);
        }
    }
    LibraryLogFilter(const LibraryLogFilter&) = delete;
    LibraryLogFilter& operator=(const LibraryLogFilter&) = delete;

private:
    // Puts standard error back; false when it was never redirected.
    bool Restore() {
        const bool redirected = saved_ >= 0 && capture_ >= 0;
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(std::exchange(saved_, -1));
        }
        if (!redirected && capture_ >= 0) ::close(std::exchange(capture_, -1));
        return redirected;
    }

    int capture_ = -1;
    int saved_ = -1;
};

// A private file in the temporary folder for a workbook bound for a target written in place
// (a device or a pipe), since the library needs a file it can seek in; gone with the object.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& target) : target_(target) {
        std::error_code ec;
        std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
        if (ec) folder = "/tmp";
        path_ = (folder / "qlnx-workbook-XXXXXX").string();
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0) throw FileError(CannotCreateFileText(target_, errno));
    }
    ~ScratchFile() {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& Path() const { return path_; }
    int Descriptor() const { return fd_; }

private:
    std::string target_;
    std::string path_;
    int fd_ = -1;
};

// Whether the package the library wrote reads back whole (see PackageFault).
bool PackageIsWhole(const std::string& libraryFile, const std::vector<uint64_t>& sheetRows) {
    const int fd = ::open(libraryFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool whole = PackageFault(fd, sheetRows).empty();
    ::close(fd);
    return whole;
}

// The reason for a package that came out incomplete although the library reported success:
// one of its temporary files could not be written, and the library dropped the error number.
// Past a file size limit that is "File too large", else almost always a full disk.
int SilentWriteError() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) return EFBIG;
    return ENOSPC;
}

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& reason) {
    throw FileError("Cannot write the workbook \"" + file.string() + "\": " + reason);
}

}  // namespace

void WriteWorkbookFile(const WorkbookData& book, const std::filesystem::path& file,
                       const ProgressCallback& progress, const WriteGuard& guard) {
    // The library writes a file by its name: the temporary file that replaces the target, or
    // a scratch file whose bytes then go to a target written in place.
    SafeFileWrite target(file.string(), guard);
    std::optional<ScratchFile> scratch;
    if (target.InPlace()) scratch.emplace(target.Path());
    const std::string libraryFile = scratch ? scratch->Path() : target.TemporaryPath();

    lxw_error firstError = LXW_NO_ERROR;
    std::vector<uint64_t> sheetRows;  // the rows that reached each sheet, for the check
    CloseResult closed;
    bool stopped = false;
    {
        const LibraryLogFilter quiet;
        const WriteSignalHold hold;
        lxw_workbook_options options{};
        // Rows go straight to disk in ascending order: a million cells take a few MB, and the
        // chart ranges get no point cache (whose count is only 16 bits wide).
        options.constant_memory = LXW_TRUE;
        lxw_workbook* workbook = workbook_new_opt(libraryFile.c_str(), &options);
        if (workbook == nullptr) target.Fail(errno != 0 ? errno : ENOMEM);
        uint64_t totalRows = 0;
        for (const WorksheetData& sheetData : book.sheets) {
            totalRows += static_cast<uint64_t>(sheetData.cells.RowCount());
        }
        ProgressStretch rows(progress, 0.0, kRowsShare, totalRows, kRowsPerReport);
        const auto rowsStart = std::chrono::steady_clock::now();
        uint64_t rowsDone = 0;
        for (const WorksheetData& sheetData : book.sheets) {
            lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetData.name.c_str());
            if (sheet == nullptr) {
                firstError = LXW_ERROR_SHEETNAME_ALREADY_USED;
                break;
            }
            uint64_t& rowsInSheet = sheetRows.emplace_back(0);
            int32_t lastRow = 0;
            const auto write = [&](int32_t row, int32_t column, const CellValue& cell) {
                const auto r = static_cast<lxw_row_t>(row - 1);
                const auto c = static_cast<lxw_col_t>(column - 1);
                lxw_error e = LXW_NO_ERROR;
                switch (cell.kind) {
                    case CellValue::Number:
                        e = worksheet_write_number(sheet, r, c, cell.number, nullptr);
                        break;
                    case CellValue::Text: {
                        const std::string text(sheetData.cells.TextOf(cell));
                        e = worksheet_write_string(sheet, r, c, text.c_str(), nullptr);
                        break;
                    }
                    case CellValue::Boolean:
                        e = worksheet_write_boolean(sheet, r, c, cell.number != 0, nullptr);
                        break;
                    case CellValue::Blank: break;
                }
                if (e != LXW_NO_ERROR && firstError == LXW_NO_ERROR) firstError = e;
                if (cell.kind != CellValue::Blank && row != lastRow) {
                    lastRow = row;
                    ++rowsInSheet;
                }
            };
            // Blocks of rows, with a report between two blocks.
            const int32_t last = sheetData.cells.RowCount();
            for (int32_t first = 1; first <= last && !rows.Stopped(); first += kRowsPerReport) {
                if (!rows.Tick(rowsDone)) break;
                const int32_t blockLast = std::min(last, first + (kRowsPerReport - 1));
                sheetData.cells.ForEachInRows(first, blockLast, write);
                rowsDone += static_cast<uint64_t>(blockLast - first + 1);
            }
            for (const ChartData& chart : sheetData.charts) AddChart(workbook, sheet, chart);
        }
        if (!rows.Stopped()) rows.Finish();
        stopped = rows.Stopped();
        closed = CloseWorkbook(workbook, progress, std::chrono::steady_clock::now() - rowsStart);
    }
    // Any failure leaves the old file as it was: the target is replaced only on Commit.
    if (closed.Error != LXW_NO_ERROR) target.Fail(SystemErrorOf(closed));
    if (firstError != LXW_NO_ERROR) Fail(file, lxw_strerror(firstError));
    if (!PackageIsWhole(libraryFile, sheetRows)) target.Fail(SilentWriteError());
    if (scratch) target.CopyFrom(scratch->Descriptor());
    target.Commit();
    if (progress && !stopped) progress(1.0);
}

}  // namespace qlnx
