// The main window with a record of 10M samples in 3000 overlapping loops: "Import Loop" and
// "Analyze Loop" one after the other, drawn, with the rows read in pieces on every core or
// line by line (argument 2: 1), beside the memory the window then holds against its budget
// (the file's size plus 48 bytes per sample). Run one argument alone for the memory figure.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/analysis_state.h"
#include "core/curve_import.h"
#include "gui/chart/series_curve.h"
#include "gui/dialogs/user_dialogs.h"
#include "gui/main_window/tform1.h"

namespace qlnx {
namespace {

QApplication& App() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_gui_window";
    static char* argv[] = {name, nullptr};
    return *new QApplication(argc, argv);
}

struct NoDialogs final : UserDialogs {
    std::optional<QString> openFile(QWidget*, const OpenFileRequest&) override { return {}; }
    std::optional<SaveFileAnswer> saveFile(QWidget*, const SaveFileRequest&) override { return {}; }
    void warning(QWidget*, const QString&, const QString&) override {}
    void error(QWidget*, const QString&, const QString&) override {}
    void information(QWidget*, const QString&, const QString&) override {}
    bool question(QWidget*, const QString&, const QString&) override { return false; }
};

// A record of n samples in `loops` growing cycles, as a logger writes it; removed at exit.
struct RecordFile {
    RecordFile(int n, int loops) {
        path = (std::filesystem::temp_directory_path() /
                ("qlnx_bench_window_" + std::to_string(::getpid()) + ".csv"))
                   .string();
        std::ofstream out(path, std::ios::binary);
        char line[64];
        const double step = 2 * M_PI * loops / n;
        for (int i = 0; i < n; ++i) {
            const double t = i * step;
            const double amp = 1 + 9.0 * i / n;
            const int k =
                std::snprintf(line, sizeof line, "%.6f,%.4f\n", amp * std::sin(t),
                              100 * amp * std::sin(t + 0.3) + 0.5 * std::sin(i * 12.9898));
            out.write(line, k);
        }
    }
    ~RecordFile() { std::filesystem::remove(path); }
    std::string path;
};

// The resident memory of the process now, in MB.
double ResidentMB() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

void BM_WindowImportAndAnalyze(benchmark::State& st) {
    App();
    const int n = static_cast<int>(st.range(0));
    const RecordFile record(n, 3000);
    qlnx::SetImportReading({st.range(1) == 1, 0});
    // Raster 1: the record's dense loop series drawn as the pixels it covers; 0: its decimated
    // copy drawn point by point, as before.
    SeriesCurve::SetRasterAllowed(st.range(2) != 0);
    NoDialogs dialogs;
    double before = 0;
    double after = 0;
    {
        TForm1 form(dialogs);
        form.resize(1100, 760);
        form.show();
        QCoreApplication::processEvents();
        before = ResidentMB();
        for (auto _ : st) {
            form.OpenCurveFile(QString::fromStdString(record.path));
            form.RunAnalysis();
            QCoreApplication::processEvents();
            if (form.State().RawDisp.size() != static_cast<size_t>(n) ||
                form.State().LoopCount == 0) {
                st.SkipWithError("rows or loops missing");
            }
        }
        after = ResidentMB();
    }
    qlnx::SetImportReading({});
    SeriesCurve::SetRasterAllowed(true);
    const double fileMB = static_cast<double>(std::filesystem::file_size(record.path)) / (1 << 20);
    st.counters["windowMB"] = after;
    st.counters["emptyWindowMB"] = before;
    st.counters["budgetMB"] = fileMB + 48.0 * n / (1 << 20);
    st.SetItemsProcessed(st.iterations() * n);
}
BENCHMARK(BM_WindowImportAndAnalyze)
    ->ArgNames({"samples", "lineByLine", "raster"})
    ->ArgsProduct({{10'000'000}, {0, 1}, {1}})
    ->Args({10'000'000, 0, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace qlnx
