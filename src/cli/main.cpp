// qlnx-batch: the window's import and loop analysis on a file, without a window.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/batch_options.h"
#include "cli/batch_run.h"

#ifdef QLNX_REPORT
#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include "report/report_document.h"
#include "report/series_report.h"

namespace {

// The report's charts are widgets never shown: they need an application object, which is made
// only for a run that writes a report. Without a display it draws offscreen.
std::unique_ptr<QApplication> ReportApplication(int& argc, char** argv) {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The toolkit's own notes (a runtime folder it had to choose) are no messages of the run.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toLocal8Bit().constData() << '\n';
    });
    return std::make_unique<QApplication>(argc, argv);
}

// The report's language: English as designed, or Chinese through the window's catalogue.
qlnx::ReportLanguage LanguageOf(const qlnx::BatchOptions& options) {
    qlnx::ReportLanguage language;
    if (!options.ReportChinese) return language;
    static QTranslator catalogue;
    if (!catalogue.load(QStringLiteral(":/i18n/qlnx_zh_CN.qm"))) {
        std::cerr << "--report-language zh: the Chinese catalogue is not built in\n";
        return language;
    }
    language.Chinese = true;
    language.Translate = [](const std::string& designed) {
        const QString text = catalogue.translate("QLNX", designed.c_str(), nullptr, -1);
        return text.isEmpty() ? designed : text.toStdString();
    };
    return language;
}

}  // namespace
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::string program = argc > 0 ? argv[0] : "qlnx-batch";
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const qlnx::ParsedCommandLine parsed = qlnx::ParseBatchCommandLine(arguments);
    if (!parsed.Options) {
        std::cerr << program << ": " << parsed.Error << "\n" << qlnx::BatchUsage(program);
        return qlnx::kExitUsage;
    }
    if (parsed.Options->Help) {
        std::cout << qlnx::BatchUsage(program);
        return qlnx::kExitDone;
    }
    qlnx::ReportWriters reports;
#ifdef QLNX_REPORT
    std::unique_ptr<QApplication> application;
    if (!parsed.Options->ReportFile.empty()) {
        application = ReportApplication(argc, argv);
        const qlnx::ReportLanguage language = LanguageOf(*parsed.Options);
        reports.Record = [language](const qlnx::RecordReport& report) {
            const QByteArray pdf =
                qlnx::RecordReportPdf(report, qlnx::PaperOfLocale(QLocale::system()), language);
            return pdf.toStdString();
        };
        reports.Series = [language](const qlnx::SeriesReport& report) {
            const QByteArray pdf =
                qlnx::SeriesReportPdf(report, qlnx::PaperOfLocale(QLocale::system()), language);
            return pdf.toStdString();
        };
    }
#endif
    return qlnx::RunBatch(*parsed.Options, std::cout, std::cerr, reports);
}
