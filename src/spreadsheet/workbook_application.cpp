#include "spreadsheet/workbook_application.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <system_error>

#include "core/errors.h"
#include "spreadsheet/automation_object.h"
#include "spreadsheet/chart_objects.h"
#include "spreadsheet/document_publisher.h"
#include "spreadsheet/workbook_objects.h"
#include "spreadsheet/workbook_writer.h"

namespace qlnx {

namespace {

class ApplicationObject final : public AutomationObject, public DocumentPublisher {
public:
    explicit ApplicationObject(SpreadsheetUi ui)
        : AutomationObject("Application", kMembers),
          ui_(std::move(ui)),
          data_(std::make_shared<ApplicationData>()) {}

    void PublishDocuments() override {
        for (const std::shared_ptr<WorkbookData>& book : data_->workbooks) {
            if (book->published) continue;
            const bool toGivenFile = !ui_.OutputFile.empty() && !outputFileUsed_;
            const std::filesystem::path file =
                toGivenFile ? ui_.OutputFile : ReserveExportFileName(OutputFolder());
            try {
                WriteWorkbookFile(*book, file, ui_.Progress, ui_.Guard);
            } catch (...) {
                std::error_code ignored;
                if (!toGivenFile) std::filesystem::remove(file, ignored);
                throw;
            }
            book->published = true;
            for (WorksheetData& sheet : book->sheets) sheet.cells.Release();
            if (toGivenFile) {
                outputFileUsed_ = true;
                continue;
            }
            if (ui_.OpenDocument && ui_.OpenDocument(file)) continue;
            if (ui_.Information) {
                ui_.Information("QLNX", "The workbook was saved as\n" + file.string() +
                                            "\nbut no program on this computer opened it.");
            }
        }
    }

private:
    enum class Member { Application, Visible, WorkBooks, ActiveChart };
    static constexpr auto kMembers = MembersOf<Member>({
        {Member::Application, {"Application", kDispatchPropertyGet}},
        {Member::Visible, {"Visible", kDispatchPropertyGet | kDispatchPropertyPut}},
        {Member::WorkBooks, {"WorkBooks", kDispatchPropertyGet}},
        {Member::ActiveChart, {"ActiveChart", kDispatchPropertyGet}},
    });

    AutoValue Call(size_t member, uint16_t kind, const CallArgs& args) override {
        switch (static_cast<Member>(member)) {
            case Member::Application: return AutoValue::Object(DispatchPtr::Share(this));
            case Member::Visible:
                if (kind == kDispatchPropertyGet) return AutoValue::Bool(data_->visible);
                data_->visible = args.Flag(args.PutValue());
                return {};
            case Member::WorkBooks: return NewWorkbooksObject(data_);
            case Member::ActiveChart:
                if (data_->activeChart.chart == nullptr) {
                    args.Fail("is not available: no chart is selected");
                }
                return NewChartObject(data_->activeChart);
        }
        return {};
    }

    std::filesystem::path OutputFolder() const {
        if (!ui_.OutputFolder.empty()) return ui_.OutputFolder;
        std::error_code ec;
        std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
        return ec ? std::filesystem::path("/tmp") : folder;
    }

    SpreadsheetUi ui_;
    std::shared_ptr<ApplicationData> data_;
    bool outputFileUsed_ = false;
};

}  // namespace

DispatchPtr CreateWorkbookApplication(const SpreadsheetUi& ui) {
    return DispatchPtr::Adopt(new ApplicationObject(ui));
}

std::filesystem::path ReserveExportFileName(const std::filesystem::path& folder) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = std::string("QLNX-export-") + stamp;
    for (int n = 1;; ++n) {
        const std::filesystem::path file =
            folder / (base + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".xlsx");
        // "x": create the file only if it does not exist, so two exports never share one.
        if (std::FILE* f = std::fopen(file.c_str(), "wx")) {
            std::fclose(f);
            return file;
        }
        if (errno != EEXIST) {
            throw FileError("Cannot create file \"" + file.string() + "\". " +
                            std::strerror(errno));
        }
    }
}

}  // namespace qlnx
