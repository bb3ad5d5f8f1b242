#include "core/channel_import.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <new>
#include <span>
#include <stdexcept>
#include <thread>

#include "core/channel_expressions.h"
#include "core/curve_import.h"
#include "core/errors.h"
#include "core/line_count.h"
#include "core/number_text.h"
#include "core/plain_rows.h"
#include "core/text_lines.h"
#include "core/units.h"
#include "formats/large_pages.h"
#include "formats/record_source.h"

namespace qlnx {

namespace {

ImportResult Refused(std::string text) {
    ImportResult result;
    result.Failure = ImportFailure::Refused;
    result.Text = std::move(text);
    return result;
}

int ChannelOf(const std::vector<Channel>& channels, const std::string& reference) {
    const int index = FindChannel(channels, reference);
    if (index < 0) {
        throw Error("No channel is named '" + reference + "'; the channels are " +
                    ChannelList(channels) + ".");
    }
    return index;
}

// The user's units over the file's; each unit must be one the unit system reads.
void ApplyUnits(std::vector<Channel>& channels, const ChannelSettings& settings) {
    for (const auto& [reference, unit] : settings.Units) {
        channels[static_cast<size_t>(ChannelOf(channels, reference))].Unit =
            std::string(BareUnit(unit));
    }
    for (const Channel& channel : channels) {
        if (!channel.Unit.empty() && !ReadUnit(channel.Unit)) {
            throw Error("The unit '" + channel.Unit + "' of channel " + channel.Symbol +
                        " is not known.");
        }
    }
}

// Leaves the samples it makes room for unwritten: the rows are written once, where they go.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <typename U>
    explicit UninitialisedAllocator(const UninitialisedAllocator<U>&) {}
    // The columns of a long record in 2 MB pages: fewer faults as they are first written.
    T* allocate(size_t n) {
        T* p = std::allocator<T>::allocate(n);
        AdviseLargePages(p, n * sizeof(T));
        return p;
    }
    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using SampleColumn = std::vector<double, UninitialisedAllocator<double>>;

// How the samples of the channels read become the curve, in the order of the whole-column
// reading: each channel's calibrations in turn, then the units the expressions are evaluated
// in, then the expressions; the time channel is kept as it is then.
struct BlockPlan {
    std::vector<std::pair<size_t, ChannelScale>> Scales;  // channel, calibration
    struct Conversion {
        size_t Channel;
        std::string From;
        std::string To;
    };
    std::vector<Conversion> Conversions;
    int Time = -1;
};

// One piece's kept rows turned into the curve a block of rows at a time, while the block is
// still in the cache: the displacement, the force and the time are written at the piece's
// place in them, and no whole column of a channel is ever stored.
class CurveBlocks {
public:
    static constexpr size_t kRows = 4096;

    CurveBlocks(const BlockPlan& plan, const std::vector<bool>& read, ChannelExpression disp,
                ChannelExpression force)
        : plan_(plan), disp_(std::move(disp)), force_(std::move(force)) {
        samples_.resize(read.size());
        columns_.assign(read.size(), nullptr);
        for (size_t c = 0; c < read.size(); ++c) {
            if (!read[c]) continue;
            samples_[c].resize(kRows);
            columns_[c] = samples_[c].data();
            used_.push_back(c);
        }
    }

    // Where the piece's first row goes.
    void Aim(double* disp, double* force, double* time) {
        dispOut_ = disp;
        forceOut_ = force;
        timeOut_ = time;
    }

    // Takes a kept row: row holds a sample for every channel read.
    void Put(const double* row) {
        for (const size_t c : used_) samples_[c][filled_] = row[c];
        if (++filled_ == kRows) Flush();
    }

    void Flush() {
        if (filled_ == 0) return;
        for (const auto& [c, scale] : plan_.Scales) {
            for (size_t i = 0; i < filled_; ++i) {
                samples_[c][i] = samples_[c][i] * scale.Factor + scale.Offset;
            }
        }
        for (const BlockPlan::Conversion& conversion : plan_.Conversions) {
            ConvertValues(conversion.From, conversion.To,
                          std::span<double>(samples_[conversion.Channel].data(), filled_));
        }
        disp_.EvaluateBlock(columns_, filled_, dispOut_ + written_);
        force_.EvaluateBlock(columns_, filled_, forceOut_ + written_);
        if (plan_.Time >= 0) {
            const double* time = columns_[static_cast<size_t>(plan_.Time)];
            std::copy(time, time + filled_, timeOut_ + written_);
        }
        written_ += filled_;
        filled_ = 0;
    }

private:
    const BlockPlan& plan_;
    ChannelExpression disp_;
    ChannelExpression force_;
    std::vector<std::vector<double>> samples_;
    std::vector<const double*> columns_;
    std::vector<size_t> used_;
    size_t filled_ = 0;
    size_t written_ = 0;
    double* dispOut_ = nullptr;
    double* forceOut_ = nullptr;
    double* timeOut_ = nullptr;
};

std::atomic<bool> gBlockEvaluation{true};

// The samples of the channels read, one column a channel (empty for those not read), and the
// rows left out.
struct ChannelRows {
    std::vector<SampleColumn> Columns;
    int64_t Skipped = 0;
    std::vector<int64_t> SkippedLines;  // 1-based, in file order
    size_t Rows = 0;
    int64_t EndIndex = 0;  // 0-based number of the line where the reading ended
};

// The 1-based line of kept row k.
int64_t LineOfRow(const ChannelLayout& layout, const ChannelRows& rows, int64_t step, size_t k) {
    int64_t index = 0;  // rows met, kept or not
    size_t kept = 0;
    size_t s = 0;
    while (true) {
        const int64_t line = layout.DataLine + index * step;
        if (s < rows.SkippedLines.size() && rows.SkippedLines[s] == line) {
            ++s;
        } else {
            if (kept == k) return line;
            ++kept;
        }
        ++index;
    }
}

bool RestIsBlank(LineCursor cursor) {
    for (; cursor.Valid(); cursor.Next()) {
        if (!TrimControl(cursor.Line()).empty()) return false;
    }
    return true;
}

// Reads the rows from the line under cursor up to byte end (or the text's end),
// every step-th line, converting the fields of the channels read; a row with a gap in a
// channel of gapsSkip is left out. The kept rows go to blocks when there are blocks, else
// into the columns at out. firstIndex is the 0-based number of the cursor's line: failures and
// skipped rows are told by it. Fills result with the row failure when a row cannot be read.
ChannelRows ReadRows(LineCursor cursor, size_t end, int64_t firstIndex, const ChannelLayout& layout,
                     const std::vector<bool>& read, const std::vector<bool>& gapsSkip, int64_t step,
                     const std::vector<double*>& out, CurveBlocks* blocks, size_t room,
                     ImportResult& result, ProgressStretch& progress, bool& stopped) {
    ChannelRows rows;
    const size_t width = layout.Channels.size();
    const int64_t lastRead = [&] {
        int64_t last = -1;
        for (size_t c = 0; c < width; ++c) {
            if (read[c]) last = static_cast<int64_t>(c);
        }
        return last;
    }();
    std::vector<double> row(width, 0.0);
    // The usual rows (plain numbers, commas and/or blanks, a decimal point) are read in one
    // pass that converts only the fields read; any other row goes to the full rule below.
    const bool plain =
        layout.Format.Separator == FieldSeparator::CommaOrBlank && layout.Format.Decimal == '.';
    const std::unique_ptr<bool[]> readMask(new bool[width]);
    for (size_t c = 0; c < width; ++c) readMask[c] = read[c];
    uint64_t done = 0;
    int64_t index = firstIndex;
    for (; cursor.Valid() && cursor.Begin() < end; index += step) {
        if (!progress.Tick(done++)) {
            stopped = true;
            return rows;
        }
        const std::string_view line = cursor.Line();
        bool gap = false;
        if (plain && ReadPlainChannelRow(line, readMask.get(), width, row.data())) {
            // Every row is a line of the piece, for which out holds room.
            if (rows.Rows == room) throw std::logic_error("more rows than lines");
            if (blocks != nullptr) {
                blocks->Put(row.data());
            } else {
                for (size_t c = 0; c < width; ++c) {
                    if (readMask[c]) out[c][rows.Rows] = row[c];
                }
            }
            ++rows.Rows;
            for (int64_t k = 0; k < step && cursor.Next(); ++k) {
            }
            continue;
        }
        FieldReader reader(line, layout.Format.Separator);
        std::string_view field;
        int64_t count = 0;
        while (reader.Next(field)) {
            const auto c = static_cast<size_t>(count);
            if (c < width && read[c]) {
                const std::string_view trimmed = TrimControl(field);
                if (const auto value = ParseField(trimmed, layout.Format)) {
                    row[c] = *value;
                } else if (IsGapField(trimmed)) {
                    row[c] = std::nan("");
                    if (gapsSkip[c]) gap = true;
                } else {
                    result.Failure = ImportFailure::NotANumber;
                    result.Line = index + 1;
                    result.Field = std::string(trimmed);
                    return rows;
                }
            }
            ++count;
        }
        if (count == 0) {
            // Blank lines after the last row end the reading; one inside is a gap.
            if (RestIsBlank(cursor)) break;
            gap = true;
        } else if (count <= lastRead) {
            result.Failure = ImportFailure::MissingField;
            result.Line = index + 1;
            result.Position = lastRead;
            return rows;
        } else if (count != static_cast<int64_t>(width)) {
            result.Failure = ImportFailure::RaggedRow;
            result.Line = index + 1;
            result.Position = count;
            result.ReferenceLine = layout.DataLine;
            result.ReferenceFields = static_cast<int64_t>(width);
            return rows;
        }
        if (gap) {
            ++rows.Skipped;
            rows.SkippedLines.push_back(index + 1);
        } else {
            if (rows.Rows == room) throw std::logic_error("more rows than lines");
            if (blocks != nullptr) {
                blocks->Put(row.data());
            } else {
                for (size_t c = 0; c < width; ++c) {
                    if (read[c]) out[c][rows.Rows] = row[c];
                }
            }
            ++rows.Rows;
        }
        for (int64_t k = 0; k < step && cursor.Next(); ++k) {
        }
    }
    rows.EndIndex = index;
    return rows;
}

// The curve of a record turned into it block by block: the displacement, the force and the
// time (nullptr when there is none) ReadAllRows sizes and cuts to the rows kept, and the
// blocks of a piece, each with its own expressions.
struct CurveOutput {
    std::vector<double>* Disp = nullptr;
    std::vector<double>* Force = nullptr;
    std::vector<double>* Time = nullptr;
    std::function<std::unique_ptr<CurveBlocks>()> Make;
};

// Reads the rows from the data line on. Read line by line (step 1), a long record is cut at
// line breaks into a piece per core, the pieces read at the same time into the columns, each
// from the place after the lines of the pieces before it, and closed up in file order: the
// rows, the rows left out and the first failure are those of one reading.
ChannelRows ReadAllRows(std::string_view text, const ChannelLayout& layout,
                        const std::vector<bool>& read, const std::vector<bool>& gapsSkip,
                        int64_t step, ImportResult& result, ProgressStretch& progress,
                        bool& stopped, const CurveOutput* curve) {
    LineCursor cursor(text);
    for (int64_t i = 1; i < layout.DataLine && cursor.Valid(); ++i) cursor.Next();
    const int64_t firstIndex = layout.DataLine - 1;
    constexpr size_t kPieceBytes = size_t{1} << 20;
    const size_t begin = cursor.Valid() ? cursor.Begin() : text.size();
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t pieces = step != 1 ? 1 : std::min(cores, (text.size() - begin) / kPieceBytes + 1);
    // Piece k starts at the first line that starts at or after its share of the bytes.
    std::vector<size_t> starts{begin};
    for (size_t k = 1; k < pieces; ++k) {
        size_t at = begin + (text.size() - begin) / pieces * k;
        at = std::max(at, starts.back());
        const size_t nl = text.find('\n', at);
        starts.push_back(nl == std::string_view::npos ? text.size() : nl + 1);
    }
    starts.push_back(text.size());
    // A row is a line: each piece's rows go after the lines of the pieces before it.
    std::vector<size_t> offsets(pieces + 1, 0);
    for (size_t k = 0; k < pieces; ++k) {
        offsets[k + 1] =
            offsets[k] + CountLines(text.substr(starts[k], starts[k + 1] - starts[k])) + 1;
    }
    const size_t width = layout.Channels.size();
    ChannelRows rows;
    rows.Columns.resize(width);
    // The places the rows are written to, closed up below.
    std::vector<double*> places;
    std::vector<std::unique_ptr<CurveBlocks>> blocks(pieces);
    if (curve != nullptr) {
        for (std::vector<double>* values : {curve->Disp, curve->Force, curve->Time}) {
            if (values == nullptr) continue;
            values->resize(offsets[pieces]);
            places.push_back(values->data());
        }
        for (size_t k = 0; k < pieces; ++k) {
            blocks[k] = curve->Make();
            blocks[k]->Aim(curve->Disp->data() + offsets[k], curve->Force->data() + offsets[k],
                           curve->Time != nullptr ? curve->Time->data() + offsets[k] : nullptr);
        }
    } else {
        for (size_t c = 0; c < width; ++c) {
            if (!read[c]) continue;
            rows.Columns[c].resize(offsets[pieces]);
            places.push_back(rows.Columns[c].data());
        }
    }
    const auto outAt = [&](size_t k) {
        std::vector<double*> out(width, nullptr);
        for (size_t c = 0; c < width; ++c) {
            if (!rows.Columns[c].empty()) out[c] = rows.Columns[c].data() + offsets[k];
        }
        return out;
    };
    std::vector<ChannelRows> parts(pieces);
    std::vector<ImportResult> failures(pieces);
    std::vector<char> partStopped(pieces, 0);
    {
        std::vector<std::thread> threads;
        for (size_t k = 1; k < pieces; ++k) {
            threads.emplace_back([&, k] {
                ProgressStretch quiet(ProgressCallback{}, 0, 1, 0);
                bool ignored = false;
                try {
                    parts[k] = ReadRows(LineCursor(text, starts[k], 0), starts[k + 1], 0, layout,
                                        read, gapsSkip, step, outAt(k), blocks[k].get(),
                                        offsets[k + 1] - offsets[k], failures[k], quiet, ignored);
                    if (blocks[k]) blocks[k]->Flush();
                } catch (...) {
                    partStopped[k] = 1;
                }
            });
        }
        bool first = false;
        try {
            parts[0] =
                ReadRows(cursor, starts[1], firstIndex, layout, read, gapsSkip, step, outAt(0),
                         blocks[0].get(), offsets[1], failures[0], progress, first);
            if (blocks[0]) blocks[0]->Flush();
        } catch (...) {
            for (std::thread& t : threads) t.join();
            throw;
        }
        for (std::thread& t : threads) t.join();
        if (first) {
            stopped = true;
            return {};
        }
    }
    for (size_t k = 1; k < pieces; ++k) {
        if (partStopped[k]) throw std::bad_alloc();
    }
    // The pieces in file order, closed up, their lines numbered on from the piece before.
    const auto format = result.Format;
    result = std::move(failures[0]);
    rows.Rows = parts[0].Rows;
    rows.Skipped = parts[0].Skipped;
    rows.SkippedLines = std::move(parts[0].SkippedLines);
    rows.EndIndex = parts[0].EndIndex;
    int64_t offset = rows.EndIndex;
    for (size_t k = 1; k < pieces && result.Failure == ImportFailure::None; ++k) {
        ChannelRows& part = parts[k];
        if (rows.Rows != offsets[k]) {
            for (double* place : places) {
                std::copy(place + offsets[k], place + offsets[k] + part.Rows, place + rows.Rows);
            }
        }
        rows.Rows += part.Rows;
        rows.Skipped += part.Skipped;
        for (const int64_t line : part.SkippedLines) rows.SkippedLines.push_back(line + offset);
        result = std::move(failures[k]);
        if (result.Failure != ImportFailure::None) result.Line += offset;
        offset += part.EndIndex;
        rows.EndIndex = offset;
    }
    result.Format = format;  // how the rows were read, failure or not
    for (SampleColumn& column : rows.Columns) {
        if (!column.empty()) column.resize(rows.Rows);
    }
    if (curve != nullptr) {
        for (std::vector<double>* values : {curve->Disp, curve->Force, curve->Time}) {
            if (values != nullptr) values->resize(rows.Rows);
        }
    }
    return rows;
}

// The unit a channel's samples are brought to before an expression reads them: the output
// unit of its kind, else the unit of the first used channel of that kind.
std::string TargetUnit(UnitKind kind, const ChannelSettings& settings,
                       const std::vector<Channel>& channels, const std::vector<int>& used) {
    if (kind == UnitKind::Length && !settings.LengthUnit.empty()) return settings.LengthUnit;
    if (kind == UnitKind::Force && !settings.ForceUnit.empty()) return settings.ForceUnit;
    for (const int i : used) {
        const auto unit = ReadUnit(channels[static_cast<size_t>(i)].Unit);
        if (unit && unit->Kind == kind) return channels[static_cast<size_t>(i)].Unit;
    }
    return {};
}

UnitKind KindOf(const Channel& channel) {
    const auto unit = ReadUnit(channel.Unit);
    return unit ? unit->Kind : UnitKind::None;
}

// Refuses an expression that adds channels of two kinds (a force plus a length): the
// expression changes with each of them alone but not with both together beyond the sum of
// the two changes, at several points.
void CheckDimensions(const ChannelExpression& expression, std::string_view what,
                     const std::vector<Channel>& channels) {
    const std::vector<int>& used = expression.UsedChannels();
    std::vector<double> base(channels.size(), 0.0);
    for (size_t k = 0; k < used.size(); ++k) {
        base[static_cast<size_t>(used[k])] = 1.37 + 0.61 * static_cast<double>(k);
    }
    for (size_t a = 0; a < used.size(); ++a) {
        for (size_t b = a + 1; b < used.size(); ++b) {
            const Channel& first = channels[static_cast<size_t>(used[a])];
            const Channel& second = channels[static_cast<size_t>(used[b])];
            const UnitKind ka = KindOf(first);
            const UnitKind kb = KindOf(second);
            if (ka == UnitKind::None || kb == UnitKind::None || ka == kb) continue;
            bool additive = true;
            for (const double h : {0.5, 1.3}) {
                std::vector<double> x = base;
                const double f00 = expression.Evaluate(x);
                x[static_cast<size_t>(used[a])] += h;
                const double f10 = expression.Evaluate(x);
                x[static_cast<size_t>(used[b])] += 0.7 * h;
                const double f11 = expression.Evaluate(x);
                x[static_cast<size_t>(used[a])] -= h;
                const double f01 = expression.Evaluate(x);
                const double scale = std::abs(f00) + std::abs(f10) + std::abs(f01) + 1;
                const bool both =
                    std::abs(f10 - f00) > 1e-12 * scale && std::abs(f01 - f00) > 1e-12 * scale;
                if (!both || std::abs(f11 - f10 - f01 + f00) > 1e-9 * scale) additive = false;
            }
            if (additive) {
                throw Error("The " + std::string(what) + " expression adds " +
                            std::string(KindName(ka)) + " (" + first.Symbol + ", " + first.Unit +
                            ") and " + std::string(KindName(kb)) + " (" + second.Symbol + ", " +
                            second.Unit + ").");
            }
        }
    }
}

std::string DefaultExpression(int32_t column) { return "c" + std::to_string(column); }

// The unit of an expression's result: the target unit of the kind it is built from.
std::string ResultUnit(const ChannelExpression& expression, UnitKind kind,
                       const ChannelSettings& settings, const std::vector<Channel>& channels) {
    for (const int i : expression.UsedChannels()) {
        if (KindOf(channels[static_cast<size_t>(i)]) == kind) {
            return TargetUnit(kind, settings, channels, expression.UsedChannels());
        }
    }
    return {};
}

// The output unit asked for must be of the right kind, and the expression must have a
// channel of that kind to convert.
void CheckOutputUnit(const std::string& unit, UnitKind kind, const std::string& resultUnit,
                     std::string_view what) {
    if (unit.empty()) return;
    const auto reading = ReadUnit(unit);
    if (!reading || reading->Kind != kind) {
        throw Error("'" + unit + "' is not " + std::string(KindName(kind)) + " unit.");
    }
    if (resultUnit.empty()) {
        throw Error("The " + std::string(what) + " expression reads no channel with " +
                    std::string(KindName(kind)) + " unit; give its channels their unit to " +
                    "convert to " + unit + ".");
    }
}

// The record's text and layout: a text file's header found in its lines; a workbook's sheet,
// a MATLAB file's variables or a LabVIEW file's segments first read into rows of text, with
// the layout their reader knows (else found as a text file's) and what they tell beside.
struct RecordLayout {
    std::string Text;
    std::optional<ChannelLayout> Layout;
    ImportResult Failure;
    RecordText Source;  // the parts and metadata of a file that is not text (its Text moved)
};

RecordLayout ReadRecordLayout(const std::string& path, const ImportParameters& parameters) {
    RecordLayout record;
    const RecordFormat format = DetectRecordFormat(path);
    if (format == RecordFormat::Text) {
        try {
            record.Text = ReadTextFile(path);
        } catch (const FileError& e) {
            record.Failure.Failure = ImportFailure::CannotOpen;
            record.Failure.Text = e.what();
            return record;
        }
        record.Layout = DetectChannelLayout(record.Text, parameters.FirstLine, parameters.Decimal);
    } else {
        RecordChoice choice;
        choice.Sheet = parameters.Sheet;
        choice.Variable = parameters.Variable;
        try {
            record.Source = ReadRecordText(path, format, choice);
        } catch (const FileError& e) {
            record.Failure.Failure = ImportFailure::CannotOpen;
            record.Failure.Text = e.what();
            return record;
        } catch (const Error& e) {
            record.Failure = Refused(e.what());
            return record;
        }
        record.Text = std::move(record.Source.Text);
        const RecordText& source = record.Source;
        if (!source.Names.empty()) {
            ChannelLayout layout;
            for (size_t i = 0; i < source.Names.size(); ++i) {
                layout.Channels.push_back(Channel{source.Names[i], ChannelSymbol(source.Names[i]),
                                                  i < source.Units.size() ? source.Units[i] : "",
                                                  static_cast<int32_t>(i + 1)});
            }
            layout.DataLine = std::max<int64_t>(source.DataLine, parameters.FirstLine);
            layout.Format.Separator = FieldSeparator::Semicolon;
            layout.Format.SeenSeparator = ';';
            record.Layout = std::move(layout);
        } else {
            // Sheet cells hold numbers with a decimal point, whatever the locale.
            record.Layout =
                DetectChannelLayout(record.Text, parameters.FirstLine, DecimalMode::Point);
        }
        if (record.Layout) {
            auto& metadata = record.Layout->Metadata;
            metadata.insert(metadata.begin(), source.Metadata.begin(), source.Metadata.end());
        }
    }
    if (!record.Layout) {
        record.Failure = Refused("No line from line " + std::to_string(parameters.FirstLine) +
                                 " on reads as a row of numbers.");
    }
    return record;
}

}  // namespace

LayoutReading ReadChannelLayout(const std::string& path, const ImportParameters& parameters,
                                const ChannelSettings& settings) {
    LayoutReading reading;
    RecordLayout record = ReadRecordLayout(path, parameters);
    reading.PartsTitle = record.Source.PartsTitle;
    reading.Parts = record.Source.Parts;
    reading.Chosen = record.Source.Chosen;
    if (!record.Layout) {
        reading.Failure = std::move(record.Failure);
        return reading;
    }
    auto& layout = record.Layout;
    try {
        ApplyUnits(layout->Channels, settings);
    } catch (const Error& e) {
        reading.Failure = Refused(e.what());
        return reading;
    }
    reading.Layout = std::move(layout);
    return reading;
}

std::string ChannelTableText(const LayoutReading& reading) {
    std::string text = reading.Layout ? ChannelTableText(*reading.Layout) : std::string();
    if (!reading.Parts.empty()) {
        text += "\n" + reading.PartsTitle + "\n";
        for (size_t i = 0; i < reading.Parts.size(); ++i) {
            text += std::to_string(i + 1) + "\t" + reading.Parts[i] +
                    (reading.Parts[i] == reading.Chosen ? "\t(read)" : "") + "\n";
        }
    }
    return text;
}

std::string ChannelTableText(const ChannelLayout& layout) {
    std::string text = "Column\tName\tExpression name\tUnit\n";
    for (const Channel& channel : layout.Channels) {
        text += std::to_string(channel.Column) + "\t" + channel.Name + "\t" + channel.Symbol +
                "\t" + channel.Unit + "\n";
    }
    text += "Data from line " + std::to_string(layout.DataLine) + "\n";
    if (!layout.Metadata.empty()) {
        text += "\nMetadata\n";
        for (const auto& [key, value] : layout.Metadata) text += key + "\t" + value + "\n";
    }
    return text;
}

std::string DimensionProblem(std::string_view what, const std::string& text,
                             const std::vector<Channel>& channels) {
    try {
        const ChannelExpression expression(what, text, channels);
        CheckDimensions(expression, what, channels);
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

namespace {

ImportResult StepRefused() {
    return Refused("A record read by its channels is read downwards: the step must be 1 or more.");
}

// The curve and the channel record from the rows of text below layout's header.
ImportResult ReadChannelRows(AnalysisState& state, std::string_view text,
                             std::optional<ChannelLayout> layout,
                             const ImportParameters& parameters, const ChannelSettings& settings,
                             const ProgressCallback& progress) {
    ImportResult result;
    result.Format = layout->Format;
    std::vector<Channel>& channels = layout->Channels;
    ChannelRecord& record = state.Channels;
    record = ChannelRecord{};
    record.Active = true;
    record.Channels = channels;
    record.Metadata = layout->Metadata;
    try {
        ApplyUnits(channels, settings);
        record.Channels = channels;
        record.DisplacementExpression = settings.Displacement.empty()
                                            ? DefaultExpression(parameters.DisplacementColumn)
                                            : settings.Displacement;
        record.ForceExpression =
            settings.Force.empty() ? DefaultExpression(parameters.ForceColumn) : settings.Force;
        ChannelExpression disp("displacement", record.DisplacementExpression, channels);
        ChannelExpression force("force", record.ForceExpression, channels);
        CheckDimensions(disp, "displacement", channels);
        CheckDimensions(force, "force", channels);
        record.DisplacementUnit = ResultUnit(disp, UnitKind::Length, settings, channels);
        record.ForceUnit = ResultUnit(force, UnitKind::Force, settings, channels);
        CheckOutputUnit(settings.LengthUnit, UnitKind::Length, record.DisplacementUnit,
                        "displacement");
        CheckOutputUnit(settings.ForceUnit, UnitKind::Force, record.ForceUnit, "force");
        if (settings.DriftHeight &&
            !(*settings.DriftHeight > 0 && std::isfinite(*settings.DriftHeight))) {
            throw Error("The drift height must be a number above 0.");
        }

        const int time = settings.TimeChannel.empty() ? FindTimeChannel(channels)
                                                      : ChannelOf(channels, settings.TimeChannel);
        std::vector<bool> read(channels.size(), false);
        std::vector<bool> gapsSkip(channels.size(), false);
        for (const ChannelExpression* e : {&disp, &force}) {
            for (const int i : e->UsedChannels()) {
                read[static_cast<size_t>(i)] = true;
                gapsSkip[static_cast<size_t>(i)] = true;
            }
        }
        if (time >= 0) read[static_cast<size_t>(time)] = true;
        std::vector<int> zeroChannels;
        for (const ChannelZero& zero : settings.Zero) {
            if (zero.Samples < 1) throw Error("Zeroing takes 1 sample or more.");
            zeroChannels.push_back(ChannelOf(channels, zero.Channel));
        }
        std::vector<int> scaleChannels;
        for (const ChannelScale& scale : settings.Scale) {
            scaleChannels.push_back(ChannelOf(channels, scale.Channel));
        }

        // Calibration, then zeroing, then the units the expressions are evaluated in.
        BlockPlan plan;
        plan.Time = time;
        for (size_t k = 0; k < settings.Scale.size(); ++k) {
            const auto c = static_cast<size_t>(scaleChannels[k]);
            if (read[c]) plan.Scales.emplace_back(c, settings.Scale[k]);
        }
        std::vector<bool> converted(channels.size(), false);
        for (const ChannelExpression* e : {&disp, &force}) {
            for (const int i : e->UsedChannels()) {
                const auto c = static_cast<size_t>(i);
                const UnitKind kind = KindOf(channels[c]);
                if (converted[c] || (kind != UnitKind::Length && kind != UnitKind::Force)) {
                    continue;
                }
                converted[c] = true;
                const std::string target = TargetUnit(kind, settings, channels, e->UsedChannels());
                if (target != channels[c].Unit) {
                    plan.Conversions.push_back({c, channels[c].Unit, target});
                }
            }
        }
        // Without zeroing, which needs the first samples of a channel before any row can be
        // evaluated, the rows are turned into the curve block by block as they are read.
        std::optional<CurveOutput> curve;
        if (settings.Zero.empty() && gBlockEvaluation.load()) {
            curve.emplace();
            curve->Disp = &state.RawDisp;
            curve->Force = &state.RawForce;
            curve->Time = time >= 0 ? &record.Time : nullptr;
            curve->Make = [&] {
                return std::make_unique<CurveBlocks>(
                    plan, read,
                    ChannelExpression("displacement", record.DisplacementExpression, channels),
                    ChannelExpression("force", record.ForceExpression, channels));
            };
        }

        ProgressStretch stretch(progress, 0.0, 0.9, 0);
        bool stopped = false;
        ChannelRows rows = ReadAllRows(text, *layout, read, gapsSkip, parameters.Step, result,
                                       stretch, stopped, curve ? &*curve : nullptr);
        if (stopped || result.Failure != ImportFailure::None) {
            state.RawDisp.clear();
            state.RawForce.clear();
            record.Time.clear();
        }
        if (stopped) {
            state.FileNameText.clear();
            state.Channels = ChannelRecord{};
            return ImportResult{};
        }
        record.SkippedRows = rows.Skipped;
        record.FirstSkippedLine = rows.SkippedLines.empty() ? 0 : rows.SkippedLines.front();
        record.DataLine = layout->DataLine;
        record.SkippedLines = rows.SkippedLines;
        if (result.Failure != ImportFailure::None) return result;

        if (!curve) {
            for (const auto& [c, scale] : plan.Scales) {
                for (double& v : rows.Columns[c]) v = v * scale.Factor + scale.Offset;
            }
            for (size_t k = 0; k < settings.Zero.size(); ++k) {
                auto& column = rows.Columns[static_cast<size_t>(zeroChannels[k])];
                const size_t n =
                    std::min(column.size(), static_cast<size_t>(settings.Zero[k].Samples));
                if (n == 0) continue;
                double sum = 0;
                for (size_t i = 0; i < n; ++i) sum += column[i];
                const double zero = sum / static_cast<double>(n);
                for (double& v : column) v -= zero;
            }
            for (const BlockPlan::Conversion& conversion : plan.Conversions) {
                ConvertValues(conversion.From, conversion.To, rows.Columns[conversion.Channel]);
            }
            std::vector<const double*> columns(channels.size(), nullptr);
            for (size_t c = 0; c < channels.size(); ++c) columns[c] = rows.Columns[c].data();
            state.RawDisp.resize(rows.Rows);
            state.RawForce.resize(rows.Rows);
            disp.EvaluateRows(columns, rows.Rows, state.RawDisp.data());
            force.EvaluateRows(columns, rows.Rows, state.RawForce.data());
            if (time >= 0) {
                const SampleColumn& samples = rows.Columns[static_cast<size_t>(time)];
                record.Time.assign(samples.begin(), samples.end());
            }
        }
        for (const auto* values : {&state.RawDisp, &state.RawForce}) {
            const auto bad = std::find_if(values->begin(), values->end(),
                                          [](double v) { return !std::isfinite(v); });
            if (bad != values->end()) {
                const auto k = static_cast<size_t>(bad - values->begin());
                const bool isDisp = values == &state.RawDisp;
                const std::string line =
                    std::to_string(LineOfRow(*layout, rows, parameters.Step, k));
                state.RawDisp.resize(k);
                state.RawForce.resize(k);
                record.Time.clear();
                throw Error("Line " + line + ": the " + (isDisp ? "displacement" : "force") +
                            " expression '" +
                            (isDisp ? record.DisplacementExpression : record.ForceExpression) +
                            "' gives no finite number (a division by zero?).");
            }
        }
        if (settings.DriftHeight) {
            for (double& v : state.RawDisp) v = v / *settings.DriftHeight * 100;
            record.DisplacementUnit = "%";
        }
        if (time >= 0) record.TimeUnit = channels[static_cast<size_t>(time)].Unit;
        stretch.Finish();
    } catch (const Error& e) {
        if (state.RawDisp.size() != state.RawForce.size()) {
            state.RawDisp.clear();
            state.RawForce.clear();
        }
        return Refused(e.what());
    } catch (const std::bad_alloc&) {
        state.RawDisp.clear();
        state.RawForce.clear();
        record.Time.clear();
        ImportResult failed;
        failed.Failure = ImportFailure::OutOfMemory;
        failed.Text = "Out of memory";
        return failed;
    }
    return result;
}

}  // namespace

void SetBlockEvaluation(bool on) { gBlockEvaluation.store(on); }

ImportResult ReadChannelFile(AnalysisState& state, const std::string& path,
                             const ImportParameters& parameters, const ChannelSettings& settings,
                             const ProgressCallback& progress) {
    if (parameters.Step <= 0) return StepRefused();
    if (DetectRecordFormat(path) != RecordFormat::Text) {
        // A workbook, a MATLAB or a LabVIEW file: its cells as rows of text with their header.
        RecordLayout source = ReadRecordLayout(path, parameters);
        if (source.Failure.Failure == ImportFailure::CannotOpen) return source.Failure;
        state.FileNameText = path;
        if (!source.Layout) return source.Failure;
        return ReadChannelRows(state, source.Text, std::move(source.Layout), parameters, settings,
                               progress);
    }
    // A regular file is read where it lies.
    FileText file;
    try {
        file = OpenTextFile(path);
    } catch (const FileError& e) {
        ImportResult result;
        result.Failure = ImportFailure::CannotOpen;
        result.Text = e.what();
        return result;
    }
    state.FileNameText = path;
    ImportResult result = ReadChannelText(state, file.Text(), parameters, settings, progress);
    if (file.Changed()) {
        result.ChangedWhileRead = true;
        result.File = path;
    }
    return result;
}

ImportResult ReadChannelText(AnalysisState& state, std::string_view text,
                             const ImportParameters& parameters, const ChannelSettings& settings,
                             const ProgressCallback& progress) {
    if (parameters.Step <= 0) return StepRefused();
    auto layout = DetectChannelLayout(text, parameters.FirstLine, parameters.Decimal);
    if (!layout) {
        return Refused("No line from line " + std::to_string(parameters.FirstLine) +
                       " on reads as a row of numbers.");
    }
    return ReadChannelRows(state, text, std::move(layout), parameters, settings, progress);
}

}  // namespace qlnx
