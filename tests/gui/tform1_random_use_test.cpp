// Random use of the main window: a seeded sequence of user commands on the real TForm1 (imports
// of good and bad records by dialog, key or drop, analyses, loop choices, the six skeleton
// methods, thinning, chart editing and view changes with the mouse, result files, chart
// images, workbook exports to a recording target, Cancel in the progress boxes), with the
// analysis state's invariants checked after every step.
//
// QLNX_RANDOM_USE_STEPS sets the number of steps (default 400) and QLNX_RANDOM_USE_SEED the
// seed (default below); a failure prints both with the failing step and the steps before it,
// so it can be replayed.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

#include "../spreadsheet/recording_target.h"
#include "core/node_editing.h"
#include "core/number_text.h"
#include "core/result_files.h"
#include "core/skeleton_file.h"
#include "core/skeleton_methods.h"
#include "cut_texts.h"
#include "spreadsheet/class_registry.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

constexpr uint32_t kDefaultSeed = 20240613;
constexpr int kDefaultSteps = 400;

int64_t EnvInteger(const char* name, int64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return fallback;
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text, text + std::strlen(text), value);
    return ec == std::errc() && *end == '\0' ? value : fallback;
}

// Equal as stored, NaN included.
bool Same(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

bool SameValues(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), Same);
}

// Points equal as stored (NaN included), colours too; the first difference as the message.
::testing::AssertionResult SamePoints(const std::vector<Point>& a, const std::vector<Point>& b) {
    if (a.size() != b.size()) {
        return ::testing::AssertionFailure() << a.size() << " points instead of " << b.size();
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!Same(a[i].x, b[i].x) || !Same(a[i].y, b[i].y) || a[i].color != b[i].color) {
            return ::testing::AssertionFailure()
                   << "point " << i << " is " << a[i] << " instead of " << b[i];
        }
    }
    return ::testing::AssertionSuccess();
}

std::string NumberText(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

// Loop k's frame from the half-cycle starts alone: start S = LoopStart[2k], turn
// T = LoopStart[2k+1] or -1 without that entry, end E = LoopStart[2k+2] or, without that
// entry, the last working-curve index.
struct Frame {
    int32_t S = 0;
    int32_t T = -1;
    int32_t E = 0;
    bool HasTurn() const { return T >= 0; }
};

Frame FrameOf(const AnalysisState& s, int k) {
    const auto& starts = s.LoopStart;
    const auto j = 2 * static_cast<size_t>(k);
    Frame f;
    f.S = starts[j];
    if (j + 1 < starts.size()) f.T = starts[j + 1];
    f.E = j + 2 < starts.size() ? starts[j + 2] : static_cast<int32_t>(s.LoopDisp.size()) - 1;
    return f;
}

// Marks as stored (NaN included) with their colours, in one order for comparing.
std::vector<std::tuple<uint64_t, uint64_t, TColor>> MarkSet(const std::vector<Point>& points) {
    std::vector<std::tuple<uint64_t, uint64_t, TColor>> marks;
    for (const Point& p : points) {
        marks.emplace_back(std::bit_cast<uint64_t>(p.x), std::bit_cast<uint64_t>(p.y), p.color);
    }
    std::sort(marks.begin(), marks.end());
    return marks;
}

// One line of a record file: a data row with its two numbers, or a line the import refuses.
struct Line {
    std::string text;
    bool data = false;
    double d = 0;
    double f = 0;
};

Line Row(double d, double f, const std::string& separator = ",") {
    return {NumberText(d) + separator + NumberText(f), true, d, f};
}
Line Refused(std::string text) { return {std::move(text), false, 0, 0}; }

enum class Encoding { Ascii, AsciiCrLf, Utf16Le };

struct RecordFile {
    std::string name;
    std::vector<Line> lines;
    Encoding encoding = Encoding::Ascii;
    bool exists = true;
    QString path;
};

std::string FileBytes(const RecordFile& file) {
    std::string text;
    for (const Line& line : file.lines) {
        text += line.text;
        text += file.encoding == Encoding::AsciiCrLf ? "\r\n" : "\n";
    }
    if (file.encoding != Encoding::Utf16Le) return text;
    std::string wide = "\xFF\xFE";
    for (char c : text) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

// What an import of file with first line and step must leave: the rows read and whether a
// warning ends it. Lines first, first + step, ...; a refused line, or a step upwards before
// line 1, ends the reading with a warning, and so does a first line past the end.
struct ExpectedImport {
    std::vector<double> disp;
    std::vector<double> force;
    bool warning = false;
};

ExpectedImport SimulateImport(const RecordFile& file, int64_t firstLine, int64_t step) {
    ExpectedImport e;
    if (!file.exists) {
        e.warning = true;
        return e;
    }
    const auto n = static_cast<int64_t>(file.lines.size());
    if (firstLine - 1 >= n) e.warning = true;
    for (int64_t i = firstLine - 1; i < n;) {
        const Line& line = file.lines[static_cast<size_t>(i)];
        if (!line.data) {
            e.warning = true;
            break;
        }
        e.disp.push_back(line.d);
        e.force.push_back(line.f);
        i += step;
        if (i < 0) {
            e.warning = true;
            break;
        }
    }
    return e;
}

// A cyclic test record: loops of growing amplitude around x0, a few points per half-cycle,
// the last point of each half-cycle exactly on x0, with repeated rows and repeated
// displacements here and there; rounded so that the text of every number is exact.
std::vector<Line> CyclicRows(std::mt19937& rng, double x0, int loops, double scale,
                             const std::string& separator, bool endInsideALoop,
                             int pointsPerHalfCycle = 0) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto round = [scale](double v) { return std::round(v / scale * 1000) / 1000 * scale; };
    std::vector<Line> rows{Row(x0, 0, separator)};
    const double stiffness = 5 + 10 * unit(rng);
    for (int k = 0; k < loops; ++k) {
        const double amplitude = scale * (k + 1) * (0.8 + 0.4 * unit(rng));
        for (const double side : {1.0, -1.0}) {
            const int points =
                pointsPerHalfCycle > 0 ? pointsPerHalfCycle : 2 + static_cast<int>(rng() % 6);
            for (int j = 1; j <= points; ++j) {
                const double phase = std::numbers::pi * j / points;
                const double d = j == points ? x0 : round(x0 + side * amplitude * std::sin(phase));
                const double f = round(stiffness * (d - x0) + side * amplitude * (0.5 - unit(rng)));
                rows.push_back(Row(d, f, separator));
                if (rng() % 9 == 0) rows.push_back(Row(d, f, separator));  // a repeated row
                if (rng() % 11 == 0) rows.push_back(Row(d, round(f + scale), separator));
            }
        }
    }
    if (endInsideALoop) {
        for (int j = 1; j <= 3; ++j)
            rows.push_back(Row(round(x0 + scale * j), round(scale * 7 * j), separator));
    }
    return rows;
}

// The records the random imports choose from: first the good ones (read whole at first line 1
// and step 1; goodCount of them), then bad ones (a warning, or nothing read), and last a
// large good one of 120,000 rows.
std::vector<RecordFile> RecordFiles(uint32_t seed, size_t& goodCount) {
    std::mt19937 rng(seed);
    std::vector<RecordFile> files;
    const auto add = [&files](std::string name, std::vector<Line> lines,
                              Encoding encoding = Encoding::Ascii) {
        files.push_back({std::move(name), std::move(lines), encoding, true, {}});
    };
    add("worked.csv", {Row(0, 0), Row(2, 10), Row(-1, -5), Row(3, 12), Row(3, 12), Row(-2, -8)});
    add("cycles.csv", CyclicRows(rng, 0, 4, 1, ",", false));
    add("offset.txt", CyclicRows(rng, 0.5, 3, 2, "\t", true), Encoding::AsciiCrLf);
    add("blanks.txt", CyclicRows(rng, -1.25, 5, 0.001, "   ", false));
    add("kilo.csv", CyclicRows(rng, 0, 6, 1000, " , ", true));
    add("long.csv", CyclicRows(rng, 0, 60, 0.5, ",", true));
    add("wide.txt", CyclicRows(rng, 0, 2, 1, " ", false), Encoding::Utf16Le);
    {
        std::vector<Line> lines{Refused("Disp,Force")};
        for (Line& l : CyclicRows(rng, 0, 3, 1, ",", false)) lines.push_back(l);
        add("header.csv", std::move(lines));
    }
    // Numbers near the ends of the double range: the interpolation of a crossing overflows.
    add("extreme.csv", {Row(0, 0), Row(1e308, 1.7e308), Row(-1.5e308, -1e308),
                        Row(1.7e308, -1.7e308), Row(0, 5e-324), Row(-5e-324, 1e-300),
                        Row(1e300, 1e300), Row(0, 0), Row(-1.7e308, 1.7e308)});
    add("three.csv", {Row(0, 0), Row(1, 1), Row(0, 2)});
    add("four.csv", {Row(0, 0), Row(1, 1), Row(0, 2), Row(-1, -1)});
    add("flat.csv", {Row(1, 1), Row(1, 1), Row(1, 1), Row(1, 2), Row(1, 2)});
    add("monotone.csv", {Row(0, 0), Row(1, 1), Row(2, 2), Row(3, 3), Row(4, 5)});
    // A first line of 100,000 characters: as a number it rounds to 1.
    {
        std::vector<Line> lines{{"1." + std::string(100000, '0') + "1,2", true, 1, 2}};
        for (Line& l : CyclicRows(rng, 1, 2, 1, ",", false)) lines.push_back(l);
        add("longnumber.csv", std::move(lines));
    }

    goodCount = files.size();
    add("empty.csv", {});
    add("text.txt", {Refused("hello world"), Refused("foo,bar")});
    add("nonfinite.csv", {Row(0, 0), Row(1, 10), Refused("nan,1"), Row(2, 3)});
    add("infinite.csv", {Row(0, 0), Refused("1,inf"), Row(2, 3)});
    add("overflow.csv", {Row(0, 0), Row(1, 1), Refused("1e309,0")});
    add("blankline.csv", {Row(0, 0), Row(1, 5), Refused(""), Row(2, 3), Row(0, 1)});
    add("onefield.csv", {Row(0, 0), Refused("1.5"), Row(2, 3)});
    {
        std::vector<Line> lines{Refused(std::string(200000, 'x') + ",1")};
        for (Line& l : CyclicRows(rng, 0, 2, 1, ",", false)) lines.push_back(l);
        add("hugeline.csv", std::move(lines));
    }
    add("binary.dat", {Refused(std::string("\x80\x81"
                                           "abc,\x01\x02"
                                           "def\x7f",
                                           12))});
    files.push_back({"missing.csv", {}, Encoding::Ascii, false, {}});
    // Last, a record long enough for the chart to draw it decimated (chosen rarely).
    add("large.csv", CyclicRows(rng, 0, 20, 10, ",", true, 3000));
    return files;
}

// Values of the first-line and step boxes: mostly the defaults, sometimes other valid
// values, sometimes values the window refuses.
struct ImportBoxes {
    QString firstLine;
    QString step;
};

class TForm1RandomUse : public TForm1Test {
protected:
    void SetUp() override {
        TForm1Test::SetUp();
        if (HasFatalFailure()) return;
        seed = static_cast<uint32_t>(EnvInteger("QLNX_RANDOM_USE_SEED", kDefaultSeed));
        steps = EnvInteger("QLNX_RANDOM_USE_STEPS", kDefaultSteps);
        rng.seed(seed);
        files = RecordFiles(seed, goodFiles);
        for (RecordFile& file : files) {
            file.path = dir.filePath(QString::fromStdString(file.name));
            if (file.exists) WriteFile(file.name.c_str(), FileBytes(file));
        }
        ASSERT_TRUE(QDir(dir.path()).mkdir("results"));
        excel = std::make_unique<ScopedClassRegistration>(
            "Excel.Application", [this](const SpreadsheetUi&) {
                ++applicationsCreated;
                return qlnx::testing::NewRecordingApplication(recorder);
            });
        // Whatever escapes an event handler unguarded shows in the scripted error box too.
        application = dynamic_cast<GuardedApplication*>(&TestApplication());
        ASSERT_NE(application, nullptr);
        application->setDialogs(&dialogs);
        // Most of the chart must be within the mouse's reach.
        const QRect reachable = Reachable();
        ASSERT_GE(reachable.width() * reachable.height(), Chart()->width() * Chart()->height() / 2)
            << "reachable part of the chart: " << reachable.width() << " x " << reachable.height();
    }
    void TearDown() override {
        if (application) application->setDialogs(nullptr);
        excel.reset();
        TForm1Test::TearDown();
    }

    // --- the model the invariants are checked against -------------------------------------

    // A loop point moved on the chart without write-back: the loop series no longer shows
    // the samples it maps to (until the next import).
    bool loopDetached = false;
    // The drag tool as the mode changes left it.
    const ChartSeries* dragSeries = nullptr;
    bool dragWritesBack = false;
    // The first-line and step boxes each record was last read whole with, and those last put
    // in the boxes for a record or read with. Opening another record than the one shown puts
    // that record's own (the defaults for a record never read whole) into each box that still
    // shows what was last put or read; a box the user changed since stays.
    std::map<QString, ImportBoxes> recordBoxes;
    ImportBoxes boxesShown{"1", "1"};

    // The boxes as opening the record at path leaves them.
    ImportBoxes BoxesForRecord(const QString& path, ImportBoxes boxes) {
        const auto stored = recordBoxes.find(path);
        const ImportBoxes own =
            stored == recordBoxes.end() ? ImportBoxes{"1", "1"} : stored->second;
        if (boxes.firstLine == boxesShown.firstLine) boxes.firstLine = own.firstLine;
        if (boxes.step == boxesShown.step) boxes.step = own.step;
        boxesShown = boxes;
        return boxes;
    }

    // Boxes a step may show: warnings and error boxes it expects (exactly), and whether a
    // question may come.
    struct Allowed {
        int warnings = 0;
        int errors = 0;
        bool question = false;
    };

    // --- commands --------------------------------------------------------------------------

    template <class T>
    const T& Pick(const std::vector<T>& v) {
        return v[rng() % v.size()];
    }
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(rng() % static_cast<uint32_t>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }

    ImportBoxes RandomBoxes(bool& valid, int64_t& firstLine, int64_t& step, Allowed& allowed) {
        valid = true;
        firstLine = 1;
        step = 1;
        if (OneIn(2)) return {"1", "1"};
        struct Choice {
            const char* text;
            int64_t value;
            int refusal;  // 0 accepted, 1 warning, 2 error box
        };
        // clang-format off
        static const std::vector<Choice> firstLines = {
            {"1", 1, 0},          {"2", 2, 0},       {" 3 ", 3, 0},         {"5", 5, 0},
            {"2147483647", 2147483647, 0},           {"1000", 1000, 0},     {"0", 0, 1},
            {"-3", -3, 1},        {"abc", 0, 1},     {"", 0, 1},            {"99999999999", 0, 1},
        };
        // clang-format on
        // clang-format off
        static const std::vector<Choice> stepChoices = {
            {"1", 1, 0},   {"2", 2, 0},   {"3", 3, 0},   {"-1", -1, 0},
            {"-2", -2, 0}, {"2147483647", 2147483647, 0}, {"-2147483648", -2147483648LL, 0},
            {"0", 0, 1},   {"x", 0, 2},   {"", 0, 2},
        };
        // clang-format on
        const Choice& f = Pick(firstLines);
        const Choice& s = Pick(stepChoices);
        firstLine = f.value;
        step = s.value;
        // The first line is checked first; a refused one hides the step.
        const int refusal = f.refusal != 0 ? f.refusal : s.refusal;
        valid = refusal == 0;
        if (refusal == 1) allowed.warnings = 1;
        if (refusal == 2) allowed.errors = 1;
        return {QString::fromUtf8(f.text), QString::fromUtf8(s.text)};
    }

    void ExpectImported(const RecordFile& file, const ExpectedImport& e, Allowed& allowed,
                        std::ostream& log) {
        allowed.warnings = e.warning ? 1 : 0;
        log << " -> " << e.disp.size() << " rows" << (e.warning ? ", warning" : "");
        ++stats[e.warning ? "imports ending in a warning" : "imports"];
        if (file.name == "large.csv" && !e.disp.empty()) ++stats["imports of the large record"];
        const AnalysisState& s = State();
        EXPECT_EQ(s.RawDisp, e.disp);
        EXPECT_EQ(s.RawForce, e.force);
        EXPECT_EQ(Text("edt5"), file.exists ? file.path : QString());
        EXPECT_TRUE(s.LoopDisp.empty());
        EXPECT_EQ(s.LoopCount, 0);
        EXPECT_EQ(s.Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Count() +
                      s.Chart.GetSeries(ChartModel::NegativeSkeletonSeries).Count(),
                  0);
        EXPECT_TRUE(s.LoopSeriesSamples.empty());
        loopDetached = false;
    }

    void ImportCommand(std::ostream& log, Allowed& allowed) { Import(log, allowed, false); }
    void ReImportCommand(std::ostream& log, Allowed& allowed) { Import(log, allowed, true); }

    void Import(std::ostream& log, Allowed& allowed, bool reimport) {
        bool valid = false;
        int64_t firstLine = 1, step = 1;
        ImportBoxes boxes = RandomBoxes(valid, firstLine, step, allowed);
        SetText("edt7", boxes.firstLine);
        SetText("edt8", boxes.step);
        log << (reimport ? "reimport" : "import") << " first line '"
            << boxes.firstLine.toStdString() << "' step '" << boxes.step.toStdString() << "'";
        const AnalysisState before = State();
        const QString shownFile = Text("edt5");
        // Now and then the user presses Cancel in the progress box of the reading.
        const bool cancelReading = OneIn(8);
        if (cancelReading) dialogs.cancelAt = {std::uniform_real_distribution<double>(0, 1)(rng)};
        const size_t progressRuns = dialogs.progressRuns.size();
        const RecordFile* file = nullptr;
        if (reimport) {
            for (const RecordFile& f : files) {
                if (f.path == shownFile) file = &f;
            }
            if (shownFile.isEmpty()) {
                log << " (nothing imported)";
                valid = false;
                allowed = {};
            } else {
                ASSERT_NE(file, nullptr) << shownFile.toStdString();
                log << " of " << file->name;
            }
            if (OneIn(2)) {
                Click("btn9");
            } else {
                Keys(QKeyCombination(Qt::Key_F5));
            }
        } else {
            // Good records twice as often as bad ones; the large one now and then.
            const size_t bad = files.size() - 1 - goodFiles;
            file = OneIn(60) ? &files.back()
                   : OneIn(3)
                       ? &files[goodFiles + static_cast<size_t>(Below(static_cast<int>(bad)))]
                       : &files[static_cast<size_t>(Below(static_cast<int>(goodFiles)))];
            // The file comes from the open dialog (button, menu or key), or is dropped on the
            // window, which imports it with the boxes as they are.
            const int how = Below(4);
            const bool cancel = how != 3 && OneIn(12);
            if (valid && how != 3)
                dialogs.openAnswers.push_back(cancel ? std::nullopt : std::optional(file->path));
            log << (cancel ? " cancelled" : " of " + file->name);
            switch (how) {
                case 0: Click("btn1"); break;
                case 1: Find<QAction>("ImportData1")->trigger(); break;
                case 2: Keys(Qt::CTRL | Qt::Key_O); break;
                default:
                    log << " dropped";
                    ++stats["records dropped on the window"];
                    Drop(file->path);
            }
            if (cancel) valid = false;
            // Another record than the one shown brings its own boxes.
            if (valid && file->path != shownFile) {
                const ImportBoxes own = BoxesForRecord(file->path, boxes);
                if (own.firstLine != boxes.firstLine || own.step != boxes.step) {
                    log << " with its boxes '" << own.firstLine.toStdString() << "' '"
                        << own.step.toStdString() << "'";
                    ++stats["records opened with their own boxes"];
                }
                boxes = own;
                firstLine = boxes.firstLine.trimmed().toLongLong();
                step = boxes.step.trimmed().toLongLong();
            }
        }
        EXPECT_EQ(Text("edt7"), boxes.firstLine);
        EXPECT_EQ(Text("edt8"), boxes.step);
        if (!valid) {
            ExpectUnchanged(before);
            EXPECT_EQ(Text("edt5"), shownFile);
            return;
        }
        // A Cancel that comes before the last report stops the reading: nothing read, no name
        // and no message, as for a file that cannot be read.
        if (dialogs.progressRuns.size() > progressRuns && dialogs.progressRuns.back().cancelled &&
            dialogs.progressRuns.back().fractions.back() < 1.0) {
            log << " cancelled at " << dialogs.progressRuns.back().fractions.back();
            ++stats["imports cancelled"];
            RecordFile unreadable = *file;
            unreadable.exists = false;
            ExpectImported(unreadable, {}, allowed, log);
            return;
        }
        const ExpectedImport expected = SimulateImport(*file, firstLine, step);
        ExpectImported(*file, expected, allowed, log);
        // A record read whole keeps the boxes it was read with.
        if (file->exists && !expected.warning) {
            recordBoxes[file->path] = boxes;
            boxesShown = boxes;
        }
    }

    void AnalyzeCommand(std::ostream& log, Allowed& allowed) {
        const AnalysisState before = State();
        log << "analyze " << before.RawDisp.size() << " samples";
        allowed.warnings = before.RawDisp.size() <= 3 ? 1 : 0;
        if (OneIn(3)) {
            Keys(Qt::CTRL | Qt::Key_L);
        } else {
            Click("btn2");
        }
        const AnalysisState& s = State();
        EXPECT_TRUE(SameValues(s.RawDisp, before.RawDisp));
        EXPECT_TRUE(SameValues(s.RawForce, before.RawForce));
        EXPECT_TRUE(SamePoints(PointsOf(s.LoopSeries()), PointsOf(before.LoopSeries())));
        EXPECT_EQ(s.Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Count() +
                      s.Chart.GetSeries(ChartModel::NegativeSkeletonSeries).Count(),
                  0);
        if (before.RawDisp.size() <= 3) {
            EXPECT_EQ(s.LoopCount, 0);
            EXPECT_TRUE(s.LoopDisp.empty());
            return;
        }
        log << " -> " << s.LoopCount << " loops";
        ++stats["analyses"];
        ASSERT_FALSE(s.LoopDisp.empty());
        EXPECT_TRUE(Same(s.LoopDisp[0], s.RawDisp[0])) << "the reference displacement";
        EXPECT_EQ(s.SelectedLoop, 0);
    }

    // Analyses with a text typed into the Noise Band box; a text the box refuses keeps the
    // analysis as it was. Leaves a band the box takes.
    void NoiseBandCommand(std::ostream& log, Allowed& allowed) {
        const std::pair<const char*, bool> texts[] = {
            {"0", true},    {"0.01", true},  {"0.3", true}, {" 1 ", true},
            {"abc", false}, {"-0.2", false}, {"", false}};
        const auto& [text, takes] = texts[Below(static_cast<int>(std::size(texts)))];
        const AnalysisState before = State();
        log << "noise band '" << text << "'";
        SetText("edtNoiseBand", QString::fromLatin1(text));
        allowed.warnings = !takes || before.RawDisp.size() <= 3 ? 1 : 0;
        Click("btn2");
        if (!takes) {
            EXPECT_EQ(State().LoopStart, before.LoopStart);
            EXPECT_EQ(State().LoopCount, before.LoopCount);
            EXPECT_EQ(form->focusWidget(), Find<QLineEdit>("edtNoiseBand"));
        } else if (before.RawDisp.size() > 3) {
            log << " -> " << State().LoopCount << " loops";
            ++stats["analyses with a band"];
        }
        SetText("edtNoiseBand", QString::fromLatin1(OneIn(2) ? "0" : "0.1"));
    }

    // Undo or Redo of the chart edits, by the Edit menu or its keys.
    void UndoRedoCommand(std::ostream& log, Allowed&) {
        const bool back = !OneIn(3);
        auto* action = form->findChild<QAction*>(back ? "Undo1" : "Redo1");
        ASSERT_NE(action, nullptr);
        const bool enabled = action->isEnabled();
        log << (back ? "undo" : "redo")
            << (enabled ? " " + action->text().toStdString() : " (nothing)");
        const AnalysisState before = State();
        if (OneIn(2)) {
            action->trigger();
        } else if (back) {
            Keys(Qt::CTRL | Qt::Key_Z);
        } else {
            Keys(OneIn(2) ? (Qt::CTRL | Qt::Key_Y) : (Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        }
        // The loop analysis is never part of an edit.
        EXPECT_EQ(State().LoopStart, before.LoopStart);
        EXPECT_TRUE(SameValues(State().LoopDisp, before.LoopDisp));
        if (enabled) ++stats[back ? "undos" : "redos"];
    }

    // Carries out or closes the message bar's suggestion, when one is shown.
    void MessageBarCommand(std::ostream& log, Allowed& allowed) {
        auto* bar = Find<QWidget>("MessageBar");
        if (bar->isHidden()) {
            log << "message bar (none)";
            return;
        }
        const QString text = Find<QLabel>("MessageText")->text();
        log << "message bar: " << text.left(60).toStdString();
        auto* apply = Find<QPushButton>("MessageApply");
        // A header line's remedy imports again, with whatever warnings that file brings: the
        // import command checks those; here the bar is closed.
        const bool header = text.contains(QStringLiteral("looks like a header"));
        if (OneIn(4) || apply->isHidden() || header) {
            QTest::mouseClick(Find<QWidget>("MessageClose"), Qt::LeftButton);
            EXPECT_TRUE(bar->isHidden());
            return;
        }
        // A noise band is applied by analysing again, and the record may have lost points on
        // the chart since the band was suggested.
        const bool analyses = text.contains(QStringLiteral("noise band"));
        allowed.warnings = analyses && State().RawDisp.size() <= 3 ? 1 : 0;
        QTest::mouseClick(apply, Qt::LeftButton);
        ++stats["suggestions applied"];
        EXPECT_TRUE(bar->isHidden() || Find<QLabel>("MessageText")->text() != text)
            << "the same suggestion after it was applied";
    }

    void ChooseLoopCommand(std::ostream& log, Allowed&) {
        const int count = Find<QComboBox>("cbb1")->count();
        log << "choose loop";
        if (count == 0) {
            log << " (none)";
            return;
        }
        const AnalysisState before = State();
        const int k = Below(count);
        log << " " << k + 1 << " of " << count;
        Choose("cbb1", k);
        EXPECT_EQ(State().SelectedLoop, k);
        EXPECT_TRUE(SameValues(State().LoopDisp, before.LoopDisp));
        EXPECT_EQ(State().LoopStart, before.LoopStart);
        EXPECT_TRUE(
            SamePoints(PointsOf(State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries)),
                       PointsOf(before.Chart.GetSeries(ChartModel::PositiveSkeletonSeries))));
    }

    void ExtractCommand(std::ostream& log, Allowed&) {
        const auto methods = SkeletonMethods();
        const SkeletonMethodRow& method =
            methods[static_cast<size_t>(Below(static_cast<int>(methods.size())))];
        const std::string button(method.WidgetName);
        const int direction = Below(2);
        const bool keep = OneIn(2);
        Find<QRadioButton>(button.c_str())->click();
        Choose("cbb4", direction);
        if (Find<QCheckBox>("chk1")->isChecked() != keep) Find<QCheckBox>("chk1")->click();
        log << "extract " << method.WidgetName << (direction == 0 ? " positive" : " negative")
            << (keep ? " keeping displacement increasing" : "");
        ASSERT_TRUE(Find<QRadioButton>(button.c_str())->isChecked());
        ASSERT_EQ(Find<QCheckBox>("chk1")->isChecked(), keep);
        const AnalysisState before = State();
        if (OneIn(3)) {
            Keys(Qt::CTRL | Qt::Key_E);
        } else {
            Click("btn5");
        }
        const AnalysisState& s = State();
        EXPECT_TRUE(SameValues(s.LoopDisp, before.LoopDisp));
        EXPECT_TRUE(SamePoints(PointsOf(s.LoopSeries()), PointsOf(before.LoopSeries())));
        const ChartSeries& positive = s.Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
        const ChartSeries& negative = s.Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
        log << " -> " << positive.Count() << " + " << negative.Count() << " nodes";
        if (!s.LoopStart.empty()) ++stats["extractions"];
        if (s.LoopStart.empty()) {
            EXPECT_EQ(positive.Count() + negative.Count(), 0);
            return;
        }
        // Both curves begin at the first working-curve point.
        for (const ChartSeries* series : {&positive, &negative}) {
            ASSERT_GE(series->Count(), 1);
            EXPECT_TRUE(Same(series->GetxValue(0), s.LoopDisp[0]) &&
                        Same(series->GetyValue(0), s.LoopForce[0]));
        }
        // The outward-only methods, and every method with the flag, only append points that go
        // strictly outward.
        if (keep || method.OutwardOnly) {
            for (int i = 1; i < positive.Count(); ++i) {
                EXPECT_GT(positive.GetxValue(i), positive.GetxValue(i - 1))
                    << "positive node " << i;
            }
            for (int i = 1; i < negative.Count(); ++i) {
                EXPECT_LT(negative.GetxValue(i), negative.GetxValue(i - 1))
                    << "negative node " << i;
            }
        }
        // The methods that take their nodes from the working curve.
        if (method.NodesOnCurve) {
            std::set<std::pair<uint64_t, uint64_t>> curve;
            for (size_t k = 0; k < s.LoopDisp.size(); ++k) {
                curve.emplace(std::bit_cast<uint64_t>(s.LoopDisp[k]),
                              std::bit_cast<uint64_t>(s.LoopForce[k]));
            }
            for (const ChartSeries* series : {&positive, &negative}) {
                for (int i = 0; i < series->Count(); ++i) {
                    EXPECT_TRUE(curve.count({std::bit_cast<uint64_t>(series->GetxValue(i)),
                                             std::bit_cast<uint64_t>(series->GetyValue(i))}) != 0)
                        << series->Title << " node " << i << " is no working-curve point";
                }
            }
        }
    }

    // A displacement inside or around the skeleton curves, as box text.
    QString RandomDisplacementText() {
        double lo = -1, hi = 1;
        for (const ChartSeries* series :
             {&State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries),
              &State().Chart.GetSeries(ChartModel::NegativeSkeletonSeries)}) {
            for (double x : series->XValues()) {
                if (std::isfinite(x)) {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
            }
        }
        std::uniform_real_distribution<double> in(lo, hi);
        const double v = std::isfinite(hi - lo) ? in(rng) : (OneIn(2) ? lo : hi);
        return QString::fromStdString(NumberText(v));
    }

    void ThinCommand(std::ostream& log, Allowed& allowed) {
        QString a = RandomDisplacementText(), b = RandomDisplacementText();
        QString tol = OneIn(4) ? "0" : RandomDisplacementText();
        const bool bad = OneIn(15);
        if (bad) (OneIn(2) ? a : tol) = OneIn(2) ? "abc" : "";
        SetText("edt9", a);
        SetText("edt10", b);
        SetText("edt11", tol);
        log << "thin '" << a.toStdString() << "' '" << b.toStdString() << "' tolerance '"
            << tol.toStdString() << "'";
        const AnalysisState before = State();
        Click("btn6");
        if (bad) {
            allowed.errors = 1;
            ExpectUnchanged(before);
            return;
        }
        double lo = a.toDouble(), hi = b.toDouble();
        if (hi < lo) std::swap(lo, hi);
        const double tolerance = std::fabs(tol.toDouble());
        const bool positiveEmpty =
            before.Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Count() == 0;
        for (int series :
             {ChartModel::PositiveSkeletonSeries, ChartModel::NegativeSkeletonSeries}) {
            const std::vector<Point> was = PointsOf(before.Chart.GetSeries(series));
            const std::vector<Point> now = PointsOf(State().Chart.GetSeries(series));
            SCOPED_TRACE(State().Chart.GetSeries(series).Title);
            if (positiveEmpty) {
                EXPECT_TRUE(
                    SamePoints(now, was));  // nothing to thin on the positive curve: both stay
                continue;
            }
            ExpectThinned(was, now, lo, hi, tolerance);
            if (now.size() < was.size()) ++stats["skeleton curves thinned"];
        }
        EXPECT_TRUE(SameValues(State().LoopDisp, before.LoopDisp));
    }

    // now is was thinned: the first point and every point outside (lo, hi) kept, in order;
    // a point kept inside lies more than tol from the point kept before it.
    static void ExpectThinned(const std::vector<Point>& was, const std::vector<Point>& now,
                              double lo, double hi, double tol) {
        const auto same = [](const Point& p, const Point& q) {
            return Same(p.x, q.x) && Same(p.y, q.y);
        };
        size_t j = 0;
        for (size_t i = 0; i < was.size() && j < now.size(); ++i) {
            if (same(was[i], now[j])) ++j;
        }
        EXPECT_EQ(j, now.size()) << "not a subsequence";
        if (was.empty()) return;
        ASSERT_FALSE(now.empty());
        EXPECT_TRUE(same(now[0], was[0]));
        const auto outside = [lo, hi](const std::vector<Point>& points) {
            return std::count_if(points.begin() + 1, points.end(),
                                 [lo, hi](const Point& p) { return !(lo < p.x && p.x < hi); });
        };
        EXPECT_EQ(outside(now), outside(was));
        for (size_t k = 1; k < now.size(); ++k) {
            if (lo < now[k].x && now[k].x < hi) {
                EXPECT_GT(std::fabs(now[k].x - now[k - 1].x), tol) << k;
            }
        }
    }

    void ModeCommand(std::ostream& log, Allowed&) {
        const AnalysisState before = State();
        // Mostly an editing mode and a series to edit.
        if (OneIn(2)) {
            const int mode = OneIn(5) ? kEditNone : 1 + Below(3);
            log << "operation type " << mode;
            Choose("cbb3", mode);
        } else {
            const int object = OneIn(5) ? 0 : 1 + Below(Find<QComboBox>("cbb2")->count() - 1);
            log << "operation object " << object;
            Choose("cbb2", object);
        }
        const int mode = Find<QComboBox>("cbb3")->currentIndex();
        const ChartSeries* target = Target();
        if (mode == kEditDrag) {
            dragSeries = target;
            dragWritesBack = target == &State().LoopSeries();
        } else if (mode == kEditNone) {
            dragWritesBack = false;
        }
        ExpectUnchanged(before);
    }

    // Presses a menu key with the keyboard focus where it happens to be (an edit box claims
    // none of the menu's keys).
    void Keys(QKeyCombination key) {
        ++stats["commands by menu keys"];
        // Keys go to the active window; a closed dialog may have left none active.
        if (!form->isActiveWindow()) {
            form->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : form.get(), key.key(), key.keyboardModifiers());
    }
    // Drops path on the chart as a file manager does; the import runs once the drop is over.
    void Drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = Chart()->mapTo(form.get(), RandomPixel());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &drop);
        QCoreApplication::processEvents();
    }

    // The series the operation-object box chooses (none for "None").
    const ChartSeries* Target() {
        switch (Find<QComboBox>("cbb2")->currentIndex()) {
            case 1: return &State().Chart.GetSeries(ChartModel::PositiveSkeletonSeries);
            case 2: return &State().Chart.GetSeries(ChartModel::NegativeSkeletonSeries);
            case 3: return &State().Chart.GetSeries(ChartModel::LoopSeries);
            default: return nullptr;
        }
    }

    // The chart pixels the mouse can reach: a plain move goes through the cursor, which
    // stays on the screen, and the offscreen screen is smaller than the window.
    QRect Reachable() {
        ChartWidget* chart = Chart();
        const QRect screen = chart->screen()->geometry();
        return chart->rect() & QRect(chart->mapFromGlobal(screen.topLeft()), screen.size());
    }
    QPoint RandomPixel() {
        const QRect r = Reachable();
        return {r.left() + Below(r.width()), r.top() + Below(r.height())};
    }
    // A pixel at a point of series (or near it), when it has points and lies on the chart.
    QPoint PixelNear(const ChartSeries* series) {
        if (series == nullptr || series->Count() == 0 || OneIn(4)) return RandomPixel();
        const int i = Below(series->Count());
        Chart()->replot();
        const double x = Chart()->XValueToScreen(series->GetxValue(i));
        const double y = Chart()->YValueToScreen(series->GetyValue(i));
        const QRect r = Reachable().adjusted(2, 2, -2, -2);
        if (!(x >= r.left() && x <= r.right() && y >= r.top() && y <= r.bottom()))
            return RandomPixel();
        const QPoint jitter = OneIn(2) ? QPoint(0, 0) : QPoint(Below(5) - 2, Below(5) - 2);
        return QPoint(static_cast<int>(x), static_cast<int>(y)) + jitter;
    }

    void DragCommand(std::ostream& log, Allowed&) {
        const AnalysisState before = State();
        const QPoint from = PixelNear(dragSeries), to = RandomPixel();
        log << "drag (" << from.x() << "," << from.y() << ") to (" << to.x() << "," << to.y()
            << ")";
        ChartWidget* chart = Chart();
        const int hit = dragSeries ? chart->GetCursorValueIndex(*dragSeries, from) : -1;
        QTest::mouseMove(chart, from);
        QTest::mousePress(chart, Qt::LeftButton, Qt::NoModifier, from);
        const int moves = 1 + Below(3);
        for (int m = 1; m <= moves; ++m) QTest::mouseMove(chart, from + (to - from) * m / moves);
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, to);
        // Moves with a button held are sent as events and leave the cursor where the press
        // was; put it where the mouse now is, so the next plain move is seen as one.
        QTest::mouseMove(chart, to);
        QCoreApplication::processEvents();

        const AnalysisState& s = State();
        const bool onLegend = chart->legend->visible() && chart->legend->outerRect().contains(from);
        for (int series = 0; series < ChartModel::kSeriesCount; ++series) {
            const ChartSeries& now = s.Chart.GetSeries(series);
            const ChartSeries& was = before.Chart.GetSeries(series);
            ASSERT_EQ(now.Count(), was.Count()) << now.Title;
            std::vector<Point> expected = PointsOf(was);
            if (&now == dragSeries && hit >= 0 && !onLegend) {
                expected[static_cast<size_t>(hit)] = {now.GetxValue(hit), now.GetyValue(hit),
                                                      now.PointColor(hit)};
            }
            EXPECT_TRUE(SamePoints(PointsOf(now), expected)) << now.Title;
        }
        if (dragSeries == nullptr || hit < 0 || onLegend) {
            EXPECT_TRUE(SameValues(s.RawDisp, before.RawDisp));
            EXPECT_TRUE(SameValues(s.RawForce, before.RawForce));
            return;
        }
        log << " point " << hit << " of " << dragSeries->Title;
        ++stats[dragSeries == &s.LoopSeries()
                    ? (dragWritesBack ? "loop points dragged and written back"
                                      : "loop points dragged without write-back")
                    : "skeleton nodes dragged"];
        const bool loop = dragSeries == &s.LoopSeries();
        if (loop && dragWritesBack) {
            const int32_t sample = LoopSampleOfPoint(s, hit);
            ASSERT_GE(sample, 0);
            ASSERT_LT(static_cast<size_t>(sample), s.RawDisp.size());
            EXPECT_TRUE(Same(s.RawDisp[static_cast<size_t>(sample)], dragSeries->GetxValue(hit)));
            EXPECT_TRUE(Same(s.RawForce[static_cast<size_t>(sample)], dragSeries->GetyValue(hit)));
        } else {
            EXPECT_TRUE(SameValues(s.RawDisp, before.RawDisp));
            EXPECT_TRUE(SameValues(s.RawForce, before.RawForce));
            if (loop && !(Same(dragSeries->GetxValue(hit), before.LoopSeries().GetxValue(hit)) &&
                          Same(dragSeries->GetyValue(hit), before.LoopSeries().GetyValue(hit)))) {
                loopDetached = true;
            }
        }
    }

    void DoubleClickCommand(std::ostream& log, Allowed&) {
        const int mode = Find<QComboBox>("cbb3")->currentIndex();
        const ChartSeries* target = Target();
        const QPoint at = PixelNear(target);
        log << "double click (" << at.x() << "," << at.y() << ") in mode " << mode;
        const AnalysisState before = State();
        ChartWidget* chart = Chart();
        QTest::mouseMove(chart, at);
        const int hit = target ? chart->GetCursorValueIndex(*target, at) : -1;
        const double x = chart->XScreenToValue(at.x()), y = chart->YScreenToValue(at.y());
        // A double click as the mouse sends it: press, release, double click, release.
        QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(chart, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(chart, Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::processEvents();

        const AnalysisState& s = State();
        EXPECT_TRUE(SameValues(s.RawDisp, before.RawDisp));
        EXPECT_TRUE(SameValues(s.RawForce, before.RawForce));
        const bool onLegend = chart->legend->visible() && chart->legend->outerRect().contains(at);
        for (int series = 0; series < ChartModel::kSeriesCount; ++series) {
            const ChartSeries& now = s.Chart.GetSeries(series);
            const std::vector<Point> was = PointsOf(before.Chart.GetSeries(series));
            if (&now != target || onLegend || (mode != kEditAdd && mode != kEditDelete)) {
                EXPECT_TRUE(SamePoints(PointsOf(now), was)) << now.Title;
                continue;
            }
            if (mode == kEditDelete) {
                std::vector<Point> expected = was;
                if (hit >= 0) expected.erase(expected.begin() + hit);
                EXPECT_TRUE(SamePoints(PointsOf(now), expected)) << now.Title << " point " << hit;
                log << (hit >= 0 ? " deletes point " + std::to_string(hit) : " deletes nothing");
                if (hit >= 0)
                    ++stats[&now == &s.LoopSeries() ? "loop points deleted"
                                                    : "skeleton nodes deleted"];
            } else {
                // Adding inserts copies of (x, y) and keeps every point in order.
                const std::vector<Point> points = PointsOf(now);
                std::vector<Point> rest;
                for (const Point& p : points) {
                    if (!(Same(p.x, x) && Same(p.y, y))) rest.push_back(p);
                }
                std::vector<Point> wasRest;
                for (const Point& p : was) {
                    if (!(Same(p.x, x) && Same(p.y, y))) wasRest.push_back(p);
                }
                EXPECT_TRUE(SamePoints(rest, wasRest))
                    << now.Title << " was " << ::testing::PrintToString(was) << " is "
                    << ::testing::PrintToString(points) << " after adding (" << x << ", " << y
                    << ")";
                EXPECT_GE(points.size(), was.size());
                log << " adds " << points.size() - was.size();
                if (points.size() > was.size()) ++stats["skeleton nodes added"];
            }
        }
        EXPECT_EQ(s.LoopSeriesSamples.empty() ? s.LoopSeries().Count()
                                              : static_cast<int>(s.LoopSeriesSamples.size()),
                  s.LoopSeries().Count());
    }

    // Zoom with the wheel, pan with the right button, or "Reset zoom" from the chart's menu:
    // the view changes, the state does not.
    void ViewCommand(std::ostream& log, Allowed&) {
        ChartWidget* chart = Chart();
        const AnalysisState before = State();
        const QPoint at = RandomPixel();
        QTest::mouseMove(chart, at);
        const int how = Below(3);
        if (how == 0) {
            const int delta = OneIn(2) ? 120 : -120;
            log << "wheel " << delta << " at (" << at.x() << "," << at.y() << ")";
            QWheelEvent wheel(QPointF(at), chart->mapToGlobal(QPointF(at)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QCoreApplication::sendEvent(chart, &wheel);
        } else if (how == 1) {
            // Moved further than a click, so no menu opens.
            const auto away = [this] { return (OneIn(2) ? 1 : -1) * (10 + Below(40)); };
            const QPoint to = at + QPoint(away(), away());
            log << "pan (" << at.x() << "," << at.y() << ") to (" << to.x() << "," << to.y() << ")";
            QTest::mousePress(chart, Qt::RightButton, Qt::NoModifier, at);
            QTest::mouseMove(chart, (at + to) / 2);
            QTest::mouseMove(chart, to);
            QTest::mouseRelease(chart, Qt::RightButton, Qt::NoModifier, to);
            QTest::mouseMove(chart, to);
        } else {
            log << "reset zoom";
            chart->chartMenu()->findChild<QAction*>("ResetZoom1")->trigger();
        }
        QCoreApplication::processEvents();
        ExpectUnchanged(before);
    }

    // "Save chart as image" from the chart's menu, as PNG or PDF.
    void ChartImageCommand(std::ostream& log, Allowed&) {
        const int type = 1 + Below(2);
        const QString name = dir.filePath("results/chart") + QString::number(Below(3));
        const QString written = name + (type == 1 ? ".png" : ".pdf");
        log << "save chart image " << written.toStdString();
        QFile::remove(written);
        dialogs.saveAnswers.push_back(SaveFileAnswer{name, type});
        const AnalysisState before = State();
        Chart()->chartMenu()->findChild<QAction*>("SaveChartImage1")->trigger();
        QCoreApplication::processEvents();
        ExpectUnchanged(before);
        EXPECT_GT(QFileInfo(written).size(), 0) << written.toStdString();
        ++stats["chart images saved"];
    }

    void LegendCommand(std::ostream& log, Allowed&) {
        ChartWidget* chart = Chart();
        chart->replot();
        const int items = chart->legend->itemCount();
        if (items == 0) return;
        const int item = Below(items);
        log << "legend box " << item;
        const AnalysisState before = State();
        const QPoint at = chart->legend->item(item)->outerRect().center();
        QTest::mouseMove(chart, at);
        QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier, at);
        const AnalysisState& s = State();
        for (int series = 0; series < ChartModel::kSeriesCount; ++series) {
            EXPECT_TRUE(SamePoints(PointsOf(s.Chart.GetSeries(series)),
                                   PointsOf(before.Chart.GetSeries(series))));
        }
    }

    void SaveCommand(std::ostream& log, Allowed& allowed) {
        // btn7, Ctrl+S and the second menu command write the analysis results, the first the
        // working curve, the third (or Ctrl+Shift+S) the skeleton curve.
        const int command = Below(6);
        const bool modified = command == 1;
        const bool skeleton = command >= 4;
        const int filterIndex = 1 + Below(2);
        const bool cancel = OneIn(8);
        const bool badFolder = OneIn(12);
        const QString name =
            (badFolder ? dir.filePath("no such folder/r") : dir.filePath("results/r")) +
            QString::number(Below(4));
        log << (modified   ? "save modified loop "
                : skeleton ? "save skeleton "
                           : "save analysis results ")
            << name.toStdString() << " type " << filterIndex << (cancel ? " cancelled" : "");
        const ResultFileTarget target = ResultTargetOf(name.toStdString(), filterIndex);
        const QString written = QString::fromStdString(target.Path);
        const auto content = [&written] {
            QFile file(written);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const bool existed = QFile::exists(written);
        const QByteArray oldContent = content();
        const bool replace = OneIn(2);
        dialogs.saveAnswers.push_back(cancel ? std::nullopt
                                             : std::optional(SaveFileAnswer{name, filterIndex}));
        dialogs.questionAnswers.push_back(replace);
        // Writing the working curve shows a progress box; now and then the user cancels it.
        if (modified && OneIn(5))
            dialogs.cancelAt = {std::uniform_real_distribution<double>(0, 1)(rng)};
        const AnalysisState before = State();
        if (command == 0) {
            Click("btn7");
        } else if (command == 3) {
            Keys(Qt::CTRL | Qt::Key_S);
        } else if (command == 5) {
            Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
        } else {
            Find<QAction>(modified   ? "ExportModifiedLoop1"
                          : skeleton ? "ExportSkeleton1"
                                     : "ExportResults1")
                ->trigger();
        }
        ExpectUnchanged(before);
        if (skeleton &&
            before.Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Count() +
                    before.Chart.GetSeries(ChartModel::NegativeSkeletonSeries).Count() ==
                0) {
            // Nothing to save: a word in the message bar, no dialog.
            log << " (no skeleton)";
            EXPECT_FALSE(Find<QWidget>("MessageBar")->isHidden());
            EXPECT_EQ(content(), oldContent);
            return;
        }
        if (cancel) return;
        allowed.question = existed;
        if (existed && !replace) {
            EXPECT_EQ(content(), oldContent);
            return;
        }
        // A Cancel before the end writes nothing, and tries nothing that could fail: an old
        // file stays as it was.
        const bool cancelled =
            !dialogs.progressRuns.empty() && dialogs.progressRuns.back().cancelled;
        if (cancelled && dialogs.progressRuns.back().fractions.back() < 1.0) {
            log << " cancelled at " << dialogs.progressRuns.back().fractions.back();
            ++stats["result files cancelled"];
            EXPECT_EQ(content(), oldContent);
            EXPECT_EQ(QFile::exists(written), existed);
            return;
        }
        if (badFolder) {
            allowed.errors = 1;
            return;
        }
        const std::string expected = modified   ? ModifiedLoopFileText(State(), target.Form)
                                     : skeleton ? SkeletonFileText(State(), target.Form)
                                                : AnalysisResultFileText(State(), target.Form);
        if (cancelled && content() == oldContent) return;  // stopped at the last report
        EXPECT_EQ(content().toStdString(), expected);
        ++stats["result files written"];
    }

    void ExportCommand(std::ostream& log, Allowed& allowed) {
        log << "export to the workbook";
        const bool cancel = OneIn(5);
        if (cancel) dialogs.cancelAt = {std::uniform_real_distribution<double>(0, 1)(rng)};
        const AnalysisState before = State();
        const size_t calls = recorder->calls.size();
        const int created = applicationsCreated;
        if (OneIn(2)) {
            Click("btn8");
        } else {
            Find<QAction>("ExportDraw12Excel1")->trigger();
        }
        ExpectUnchanged(before);
        // An axis position that is no number in the 32-bit range ends the export with the
        // error box, after the cells and the chart so far; a Cancel may come before that.
        const auto badPosition = [](const std::string& text) {
            return !text.empty() && text != "-10000" && text != "0" && text != "12.7";
        };
        const TExcelExportOptions& o = form->ExcelExportOptions;
        const bool cancelled =
            !dialogs.progressRuns.empty() && dialogs.progressRuns.back().cancelled;
        const int errors = static_cast<int>(std::count_if(
            dialogs.boxes.begin(), dialogs.boxes.end(),
            [](const ScriptedDialogs::Box& b) { return b.kind == ScriptedDialogs::Kind::Error; }));
        allowed.errors = badPosition(o.XAxisCrossesAt) || badPosition(o.YAxisCrossesAt) ? 1 : 0;
        if (cancelled && errors == 0) allowed.errors = 0;
        if (errors > 0) ++stats["workbook exports ending in the error box"];
        EXPECT_EQ(applicationsCreated, created + 1);
        EXPECT_GT(recorder->calls.size(), calls);
        EXPECT_EQ(recorder->protocolErrors, std::vector<std::string>{});
        // Every handle is released but the application the options keep.
        EXPECT_EQ(recorder->liveObjects, 1);
        EXPECT_TRUE(openedUrls.empty());
        log << " (" << recorder->calls.size() - calls << " calls"
            << (cancel && !dialogs.progressRuns.empty() && dialogs.progressRuns.back().cancelled
                    ? ", cancelled"
                    : "")
            << ")";
        ++stats["workbook exports"];
    }

    // Options > Excel Export Options: the output mode, markers, legend, the chart width and
    // the axis positions, stored with "Update". A width that is no integer is refused with
    // the error box and nothing is stored (the width is stored first).
    void OptionsCommand(std::ostream& log, Allowed& allowed) {
        static const std::vector<const char*> widths = {"300", "450", "1", "0", "-20", "abc"};
        static const std::vector<const char*> crossings = {"-10000", "",      "0",          "12.7",
                                                           "abc",    "1e300", "-2147483649"};
        const bool combined = OneIn(2), markers = OneIn(2), legend = OneIn(3) != 0;
        const std::string width = Pick(widths);
        const bool usual = OneIn(2);
        const std::string x = usual ? "-10000" : Pick(crossings),
                          y = usual ? "-10000" : Pick(crossings);
        log << "export options: " << (combined ? "combined" : "single")
            << (markers ? ", markers" : "") << (legend ? ", legend" : "") << ", width '" << width
            << "', axes at '" << x << "' and '" << y << "'";
        const TExcelExportOptions before = form->ExcelExportOptions;
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = form->findChild<QDialog*>("ExportOptionForm");
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QRadioButton*>(combined ? "rb2" : "rb1")->setChecked(true);
            dialog->findChild<QCheckBox*>("chk1")->setChecked(markers);
            dialog->findChild<QCheckBox*>("chk3")->setChecked(legend);
            dialog->findChild<QLineEdit*>("edt4")->setText(QString::fromStdString(width));
            dialog->findChild<QLineEdit*>("edt6")->setText(QString::fromStdString(x));
            dialog->findChild<QLineEdit*>("edt7")->setText(QString::fromStdString(y));
            dialog->findChild<QPushButton*>("btn1")->click();  // Update
            dialog->findChild<QPushButton*>("btn2")->click();  // Cancel closes it
            ran = true;
        });
        Find<QAction>("ExcelExportOptions1")->trigger();
        EXPECT_TRUE(ran);
        const TExcelExportOptions& now = form->ExcelExportOptions;
        if (width == "abc") {
            allowed.errors = 1;
            ++stats["export options refused"];
            EXPECT_EQ(now.ChartWidth, before.ChartWidth);
            EXPECT_EQ(now.ExportMode, before.ExportMode);
            EXPECT_EQ(now.XAxisCrossesAt, before.XAxisCrossesAt);
            return;
        }
        EXPECT_EQ(now.ChartWidth, std::stoi(width));
        EXPECT_EQ(now.ExportMode, combined ? 1 : 0);
        EXPECT_EQ(now.XAxisCrossesAt, x);
        EXPECT_EQ(now.YAxisCrossesAt, y);
    }

    // The state a refused or cancelled command leaves: everything as before.
    void ExpectUnchanged(const AnalysisState& before) {
        const AnalysisState& s = State();
        EXPECT_TRUE(SameValues(s.RawDisp, before.RawDisp));
        EXPECT_TRUE(SameValues(s.RawForce, before.RawForce));
        EXPECT_TRUE(SameValues(s.LoopDisp, before.LoopDisp));
        EXPECT_TRUE(SameValues(s.LoopForce, before.LoopForce));
        EXPECT_EQ(s.LoopStart, before.LoopStart);
        EXPECT_EQ(s.LoopCount, before.LoopCount);
        EXPECT_EQ(s.SelectedLoop, before.SelectedLoop);
        EXPECT_EQ(s.LoopSeriesSamples, before.LoopSeriesSamples);
        for (int series = 0; series < ChartModel::kSeriesCount; ++series) {
            EXPECT_TRUE(SamePoints(PointsOf(s.Chart.GetSeries(series)),
                                   PointsOf(before.Chart.GetSeries(series))))
                << s.Chart.GetSeries(series).Title;
        }
    }

    // --- the invariants of the analysis state ------------------------------------------------

    void CheckInvariants() {
        // No caption, list choice or read-out of the controls is drawn cut off.
        QList<QWidget*> controls = Find<QScrollArea>("ControlColumn")->findChildren<QWidget*>();
        for (const char* name : {"lbl12", "cbb3", "lbl13", "cbb2"}) controls << Find<QWidget>(name);
        const QStringList cut = CutTexts(controls);
        ASSERT_TRUE(cut.isEmpty()) << "cut: " << cut.join(QStringLiteral("; ")).toStdString();

        const AnalysisState& s = State();
        ASSERT_EQ(s.RawDisp.size(), s.RawForce.size());
        ASSERT_EQ(s.LoopDisp.size(), s.LoopForce.size());

        // The loop series and the samples it shows.
        const ChartSeries& loop = s.LoopSeries();
        const auto& samples = s.LoopSeriesSamples;
        if (samples.empty()) {
            // Point i shows sample i; or every point has been deleted.
            if (loop.Count() != 0) {
                ASSERT_EQ(static_cast<size_t>(loop.Count()), s.RawDisp.size());
            }
        } else {
            ASSERT_EQ(samples.size(), static_cast<size_t>(loop.Count()));
            ASSERT_LE(samples.size(), s.RawDisp.size());
        }
        for (int i = 0; i < loop.Count(); ++i) {
            const int32_t sample = LoopSampleOfPoint(s, i);
            ASSERT_GE(sample, 0);
            ASSERT_LT(static_cast<size_t>(sample), s.RawDisp.size());
            if (i > 0) {
                ASSERT_GT(sample, LoopSampleOfPoint(s, i - 1));
            }
            if (!loopDetached) {
                ASSERT_TRUE(Same(loop.GetxValue(i), s.RawDisp[static_cast<size_t>(sample)]) &&
                            Same(loop.GetyValue(i), s.RawForce[static_cast<size_t>(sample)]))
                    << "loop point " << i << " does not show sample " << sample;
            }
        }

        // The loop table.
        const auto& starts = s.LoopStart;
        if (s.LoopDisp.empty()) {
            ASSERT_TRUE(starts.empty());
            ASSERT_EQ(s.LoopCount, 0);
        } else {
            ASSERT_FALSE(starts.empty());
            ASSERT_EQ(starts[0], 0);
            for (size_t j = 1; j < starts.size(); ++j) {
                ASSERT_GT(starts[j], starts[j - 1]);
                ASSERT_LT(static_cast<size_t>(starts[j]), s.LoopDisp.size());
                ASSERT_TRUE(Same(s.LoopDisp[static_cast<size_t>(starts[j])], s.LoopDisp[0]))
                    << "crossing point " << j << " off the reference displacement";
            }
            // The loop count by the half-cycles: one loop for up to two entries, else the
            // complete pairs plus an incomplete last loop when the curve goes on.
            const size_t m = starts.size();
            int count = 1;
            if (m > 2) {
                count = static_cast<int>((m - 1) / 2);
                if (static_cast<size_t>(starts.back()) != s.LoopDisp.size() - 1) ++count;
            }
            ASSERT_EQ(s.LoopCount, count);
        }

        // Per-loop extremes: only a last loop without a turn lacks the first, and a last loop
        // whose second half-cycle is empty the second.
        const size_t n1 = s.MaxDispIndex1.size(), n2 = s.MaxDispIndex2.size();
        ASSERT_EQ(s.MaxDisp1.size(), n1);
        ASSERT_EQ(s.MaxDispForce1.size(), n1);
        ASSERT_EQ(s.MaxDisp2.size(), n2);
        ASSERT_EQ(s.MaxDispForce2.size(), n2);
        ASSERT_LE(n2, n1);
        ASSERT_LE(n1, static_cast<size_t>(s.LoopCount));
        if (s.LoopCount > 0) {
            const Frame last = FrameOf(s, s.LoopCount - 1);
            const size_t count = static_cast<size_t>(s.LoopCount);
            ASSERT_EQ(n1, last.HasTurn() ? count : count - 1);
            ASSERT_EQ(n2, last.HasTurn() && last.T < last.E ? count : count - 1);
        }
        for (size_t k = 0; k < n1; ++k) {
            const Frame f = FrameOf(s, static_cast<int>(k));
            const int32_t i1 = s.MaxDispIndex1[k];
            ASSERT_TRUE(i1 >= f.S && i1 <= f.T) << "loop " << k;
            ASSERT_TRUE(Same(s.MaxDisp1[k], s.LoopDisp[static_cast<size_t>(i1)]));
            ASSERT_TRUE(Same(s.MaxDispForce1[k], s.LoopForce[static_cast<size_t>(i1)]));
            if (k < n2) {
                const int32_t i2 = s.MaxDispIndex2[k];
                ASSERT_TRUE(i2 >= f.T && i2 <= f.E) << "loop " << k;
                ASSERT_TRUE(Same(s.MaxDisp2[k], s.LoopDisp[static_cast<size_t>(i2)]));
                ASSERT_TRUE(Same(s.MaxDispForce2[k], s.LoopForce[static_cast<size_t>(i2)]));
            }
        }

        // The Loop No. box and the loop count box.
        auto* cbb1 = Find<QComboBox>("cbb1");
        ASSERT_EQ(cbb1->count(), s.LoopCount);
        for (int k = 0; k < cbb1->count(); ++k) {
            ASSERT_EQ(cbb1->itemText(k).toStdString(), LoopItemText(k));
        }
        ASSERT_EQ(Text("edt6"), s.LoopCount > 0 ? QString::number(s.LoopCount) : QString());
        ASSERT_EQ(cbb1->currentIndex(), s.SelectedLoop);

        // The chosen loop: read-outs, its series and its marks.
        const QStringList readouts{Text("edt1"), Text("edt2"), Text("edt3"), Text("edt4")};
        const ChartSeries& selected = s.Chart.GetSeries(ChartModel::SelectedLoopSeries);
        const ChartSeries& marks = s.Chart.GetSeries(ChartModel::pntsrsSeries1);
        const ChartSeries& extremes = s.Chart.GetSeries(ChartModel::pntsrsSeries2);
        if (s.LoopCount == 0) {
            ASSERT_EQ(readouts, QStringList({"", "", "", ""}));
            ASSERT_EQ(selected.Count() + marks.Count() + extremes.Count(), 0);
        } else {
            const int k = s.SelectedLoop;
            ASSERT_TRUE(k >= 0 && k < s.LoopCount);
            const auto index = static_cast<size_t>(k);
            // Each read-out: its value with 6 significant digits, in fixed notation unless
            // that would not fit the box, shown whole, with every digit in the tooltip.
            const bool first = index < n1, second = index < n2;
            const std::pair<bool, double> values[] = {
                {first, first ? s.MaxDisp1[index] : 0},
                {second, second ? s.MaxDisp2[index] : 0},
                {first, first ? s.MaxDispForce1[index] : 0},
                {second, second ? s.MaxDispForce2[index] : 0}};
            const char* const boxes[] = {"edt1", "edt2", "edt3", "edt4"};
            for (size_t i = 0; i < std::size(boxes); ++i) {
                const auto* box = Find<QLineEdit>(boxes[i]);
                const auto [has, v] = values[i];
                if (!has) {
                    ASSERT_EQ(readouts[static_cast<qsizetype>(i)], "--") << boxes[i];
                    continue;
                }
                const QString fixed = QString::fromStdString(FormatSignificantFixed(v, 6));
                const bool fixedFits =
                    box->fontMetrics().horizontalAdvance(fixed) <= TextRoom(*box);
                ASSERT_EQ(readouts[static_cast<qsizetype>(i)],
                          fixedFits ? fixed : QString::fromStdString(FormatSignificant(v, 6)))
                    << boxes[i];
                ASSERT_TRUE(ShowsWholeText(*box))
                    << boxes[i] << " cut: " << box->text().toStdString();
                if (box->text() != QString::fromStdString(FormatGeneral15(v))) {
                    ASSERT_TRUE(box->toolTip().endsWith(QLatin1Char('\n') +
                                                        QString::fromStdString(FormatGeneral15(v))))
                        << boxes[i];
                }
            }
            const Frame f = FrameOf(s, k);
            ASSERT_EQ(selected.Title, LoopItemText(k));
            ASSERT_EQ(selected.Count(), f.E - f.S + 1);
            for (int i = 0; i < selected.Count(); ++i) {
                const auto at = static_cast<size_t>(f.S + i);
                ASSERT_TRUE(Same(selected.GetxValue(i), s.LoopDisp[at]) &&
                            Same(selected.GetyValue(i), s.LoopForce[at]))
                    << "point " << i << " of the chosen loop";
            }
            // Start yellow, turn red (when the loop has one), end lime; the extremes aqua.
            const auto point = [&](int32_t i, TColor color) {
                return Point{s.LoopDisp[static_cast<size_t>(i)],
                             s.LoopForce[static_cast<size_t>(i)], color};
            };
            std::vector<Point> frameMarks = {point(f.S, clYellow), point(f.E, clLime)};
            if (f.HasTurn()) frameMarks.push_back(point(f.T, clRed));
            ASSERT_EQ(MarkSet(PointsOf(marks)), MarkSet(frameMarks));
            std::vector<Point> extremeMarks;
            if (first) extremeMarks.push_back({s.MaxDisp1[index], s.MaxDispForce1[index], clAqua});
            if (second) extremeMarks.push_back({s.MaxDisp2[index], s.MaxDispForce2[index], clAqua});
            ASSERT_EQ(MarkSet(PointsOf(extremes)), MarkSet(extremeMarks));
        }
        ASSERT_EQ(marks.Active, selected.Active);
        ASSERT_EQ(extremes.Active, selected.Active);

        // The editing boxes and the tools they set.
        const int mode = Find<QComboBox>("cbb3")->currentIndex();
        auto* cbb2 = Find<QComboBox>("cbb2");
        const std::vector<std::string> objects = EditObjectItems(mode);
        ASSERT_EQ(cbb2->count(), static_cast<int>(objects.size()));
        ASSERT_TRUE(cbb2->currentIndex() >= 0 && cbb2->currentIndex() < cbb2->count());
        ASSERT_EQ(Chart()->cursorActive(), mode == kEditAdd);
        ASSERT_EQ(loop.PointerVisible, mode != kEditNone && cbb2->currentIndex() == 3);
        ASSERT_EQ(Chart()->dragSeries(), dragSeries);
        ASSERT_EQ(Chart()->hasOnDrag(), dragWritesBack);
    }

    // The commands and how often each comes; the stage of the state shifts the weights
    // toward the command that leads on (an import, an analysis, an extraction).
    using Command = void (TForm1RandomUse::*)(std::ostream&, Allowed&);
    struct CommandEntry {
        const char* name;
        Command command;
        int weight;
    };
#define QLNX_COMMAND(name, weight) CommandEntry{#name, &TForm1RandomUse::name, weight}
    std::vector<CommandEntry> Commands() {
        const AnalysisState& s = State();
        const bool imported = !s.RawDisp.empty(), analysed = s.LoopCount > 0;
        const bool extracted = s.Chart.GetSeries(ChartModel::PositiveSkeletonSeries).Count() +
                                   s.Chart.GetSeries(ChartModel::NegativeSkeletonSeries).Count() >
                               0;
        return {
            QLNX_COMMAND(ImportCommand, imported ? 5 : 30),
            QLNX_COMMAND(ReImportCommand, 2),
            QLNX_COMMAND(AnalyzeCommand, imported && !analysed ? 30 : 4),
            QLNX_COMMAND(ChooseLoopCommand, 6),
            QLNX_COMMAND(ExtractCommand, analysed && !extracted ? 25 : 8),
            QLNX_COMMAND(ThinCommand, 6),
            QLNX_COMMAND(ModeCommand, 10),
            QLNX_COMMAND(DragCommand, 16),
            QLNX_COMMAND(DoubleClickCommand, 16),
            QLNX_COMMAND(ViewCommand, 4),
            QLNX_COMMAND(ChartImageCommand, 1),
            QLNX_COMMAND(LegendCommand, 2),
            QLNX_COMMAND(SaveCommand, 4),
            QLNX_COMMAND(ExportCommand, 4),
            QLNX_COMMAND(OptionsCommand, 1),
            QLNX_COMMAND(NoiseBandCommand, 3),
            QLNX_COMMAND(MessageBarCommand, 3),
            QLNX_COMMAND(UndoRedoCommand, 8),
        };
    }
#undef QLNX_COMMAND

    // Runs one random command and checks what it showed.
    void Step(std::ostream& log) {
        Allowed allowed;
        const size_t boxesBefore = dialogs.boxes.size();
        const std::vector<CommandEntry> commands = Commands();
        int total = 0;
        for (const CommandEntry& c : commands) total += c.weight;
        int pick = Below(total);
        for (const CommandEntry& c : commands) {
            if (pick < c.weight) {
                ++commandsRun[c.name];
                (this->*c.command)(log, allowed);
                break;
            }
            pick -= c.weight;
        }

        int warnings = 0, errors = 0, questions = 0;
        for (size_t b = boxesBefore; b < dialogs.boxes.size(); ++b) {
            const ScriptedDialogs::Box& box = dialogs.boxes[b];
            if (box.kind == ScriptedDialogs::Kind::Warning) ++warnings;
            if (box.kind == ScriptedDialogs::Kind::Error) ++errors;
            if (box.kind == ScriptedDialogs::Kind::Question) ++questions;
            const std::string shown = dialogs.Shown()[b];
            log << "\n    shown: " << shown.substr(0, 160) << (shown.size() > 160 ? "..." : "");
        }
        EXPECT_EQ(warnings, allowed.warnings) << "warnings shown";
        EXPECT_EQ(errors, allowed.errors) << "error boxes shown";
        EXPECT_LE(questions, allowed.question ? 1 : 0) << "questions asked";
        // Progress boxes report rising fractions from 0 to 1.
        for (const ScriptedDialogs::ProgressRun& run : dialogs.progressRuns) {
            EXPECT_TRUE(std::is_sorted(run.fractions.begin(), run.fractions.end()))
                << run.label.toStdString();
            for (double fraction : run.fractions) {
                EXPECT_TRUE(fraction >= 0 && fraction <= 1)
                    << run.label.toStdString() << " " << fraction;
            }
        }
        dialogs.progressRuns.clear();
        dialogs.cancelAt.clear();
        dialogs.boxes.clear();
        dialogs.openAnswers.clear();
        dialogs.saveAnswers.clear();
        dialogs.questionAnswers.clear();
        CheckInvariants();
    }

    // How often the commands did something, for the closing line.
    std::map<std::string, int> stats;
    // How often each command of the table ran.
    std::map<std::string, int> commandsRun;
    uint32_t seed = kDefaultSeed;
    int64_t steps = kDefaultSteps;
    std::mt19937 rng;
    std::vector<RecordFile> files;
    size_t goodFiles = 0;  // the good records come first in files
    std::shared_ptr<qlnx::testing::CallRecorder> recorder =
        std::make_shared<testing::CallRecorder>();
    int applicationsCreated = 0;
    std::unique_ptr<ScopedClassRegistration> excel;
    GuardedApplication* application = nullptr;
};

TEST_F(TForm1RandomUse, EveryStepKeepsTheAnalysisStateConsistent) {
    std::deque<std::string> recent;
    for (int64_t step = 1; step <= steps; ++step) {
        std::ostringstream log;
        Step(log);
        recent.push_back("step " + std::to_string(step) + ": " + log.str());
        if (recent.size() > 25) recent.pop_front();
        if (HasFailure()) {
            std::string history;
            for (const std::string& line : recent) history += "  " + line + "\n";
            FAIL() << "random use failed at step " << step << " of seed " << seed
                   << " (replay: QLNX_RANDOM_USE_SEED=" << seed << " QLNX_RANDOM_USE_STEPS=" << step
                   << ")\n"
                   << history;
        }
    }
    std::string done;
    for (const auto& [what, count] : stats) done += ", " + std::to_string(count) + " " + what;
    done += "; commands run:";
    for (const auto& [name, count] : commandsRun) done += " " + name + " " + std::to_string(count);
    std::printf("random use: seed %u, %lld steps%s\n", seed, static_cast<long long>(steps),
                done.c_str());
    // A run of the full length tries every kind of command at least once; a command the
    // weights never reach would otherwise go untested without a sign.
    if (steps >= kDefaultSteps) {
        for (const CommandEntry& c : Commands()) {
            EXPECT_GT(commandsRun[c.name], 0)
                << c.name << " never ran (replay: QLNX_RANDOM_USE_SEED=" << seed
                << " QLNX_RANDOM_USE_STEPS=" << steps << ")";
        }
    }
}

}  // namespace
}  // namespace qlnx::test
