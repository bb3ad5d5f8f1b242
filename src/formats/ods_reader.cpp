#include "formats/ods_reader.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/errors.h"
#include "formats/sheet_choice.h"
#include "formats/sheet_text.h"
#include "formats/xml_stream.h"

namespace qlnx {

namespace {

// Beyond these a repeat count is damage, not a sheet.
constexpr int64_t kMaxColumns = int64_t{1} << 20;
constexpr int64_t kMaxRows = int64_t{1} << 31;

int64_t Count(const XmlAttributes& attributes, std::string_view name) {
    const char* text = attributes.Get(name);
    if (text == nullptr) return 1;
    const long long value = std::strtoll(text, nullptr, 10);
    return value >= 1 ? value : 1;
}

struct OdsCell {
    int64_t Column;
    std::string Text;
    bool Number;
};

// Walks content.xml once: the names of the tables, and the cells of the one table wanted
// (wanted < 0: each table in turn until one holds a number).
class OdsContent {
public:
    OdsContent(const RecordChoice& choice, int64_t wanted) : choice_(choice), wanted_(wanted) {}

    std::vector<std::string> Names;
    int64_t Chosen = -1;  // the table read
    std::string Text;

    XmlStream::Handlers Handlers() {
        XmlStream::Handlers handlers;
        handlers.Start = [this](std::string_view name, const XmlAttributes& a) { Start(name, a); };
        handlers.End = [this](std::string_view name) { End(name); };
        handlers.Text = [this](std::string_view text) {
            if (inCell_ && paragraph_ > 0 && annotation_ == 0) Append(text);
        };
        return handlers;
    }

private:
    bool Active() const { return sheet_ != nullptr; }

    void Append(std::string_view text) {
        if (text_.size() + text.size() > (size_t{1} << 24)) {
            throw Error("The workbook is damaged: a cell holds more than 16 MB of text.");
        }
        text_ += text;
    }

    void Start(std::string_view name, const XmlAttributes& a) {
        if (name == "table" && depth_++ == 0) {
            const char* tableName = a.Get("name");
            Names.emplace_back(tableName != nullptr ? tableName : "");
            const auto index = static_cast<int64_t>(Names.size()) - 1;
            const bool wanted = Chosen < 0 && (wanted_ < 0 || wanted_ == index);
            if (wanted) sheet_ = std::make_unique<SheetText>(choice_.MemoryLimit);
            row_ = 0;
            return;
        }
        if (!Active() || depth_ != 1) return;
        if (name == "table-row") {
            rowRepeat_ = Count(a, "number-rows-repeated");
            column_ = 0;
            cells_.clear();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            inCell_ = true;
            cellRepeat_ = Count(a, "number-columns-repeated");
            span_ = name == "table-cell" ? Count(a, "number-columns-spanned") : 1;
            const char* type = a.Get("value-type");
            const std::string_view t = type != nullptr ? type : "";
            number_ = t == "float" || t == "percentage" || t == "currency";
            const char* value = a.Get("value");
            numberText_ = number_ && value != nullptr ? value : "";
            if (number_ && value == nullptr) number_ = false;
            text_.clear();
            paragraph_ = 0;
            paragraphs_ = 0;
        } else if (inCell_ && name == "annotation") {
            ++annotation_;
        } else if (inCell_ && annotation_ == 0) {
            if (name == "p" || name == "h") {
                if (paragraphs_++ > 0) Append(" ");
                ++paragraph_;
            } else if (name == "s" && paragraph_ > 0) {
                const int64_t spaces = Count(a, "c");
                if (spaces > 1024)
                    throw Error("The workbook is damaged: a run of spaces is too long.");
                Append(std::string(static_cast<size_t>(spaces), ' '));
            } else if ((name == "tab" || name == "line-break") && paragraph_ > 0) {
                Append(" ");
            }
        }
    }

    void End(std::string_view name) {
        if (name == "table" && --depth_ == 0) {
            if (Active()) {
                Text = sheet_->Finish();
                const bool numbers = sheet_->HasNumber();
                sheet_.reset();
                if (numbers || wanted_ >= 0) Chosen = static_cast<int64_t>(Names.size()) - 1;
                if (!numbers && wanted_ >= 0) noNumbers_ = true;
            }
            return;
        }
        if (!Active() || depth_ != 1) return;
        if (name == "table-cell" || name == "covered-table-cell") {
            inCell_ = false;
            const std::string& text = number_ ? numberText_ : text_;
            if (!text.empty()) {
                for (int64_t k = 0; k < cellRepeat_; ++k) {
                    cells_.push_back({column_ + k, text, number_});
                }
                if (!number_ && span_ > 1) merges_.push_back({column_, column_ + span_ - 1});
            }
            column_ += cellRepeat_;
            if (column_ > kMaxColumns) throw Error("The workbook is damaged: a row is too wide.");
        } else if (name == "annotation") {
            --annotation_;
        } else if (name == "p" || name == "h") {
            if (paragraph_ > 0) --paragraph_;
        } else if (name == "table-row") {
            if (!cells_.empty()) {
                for (int64_t k = 0; k < rowRepeat_; ++k) {
                    for (const OdsCell& cell : cells_) {
                        sheet_->Cell(row_ + k, cell.Column, cell.Text, cell.Number);
                    }
                    for (const auto& [first, last] : merges_) sheet_->Merge(row_ + k, first, last);
                }
            }
            merges_.clear();
            row_ += rowRepeat_;
            if (row_ > kMaxRows) throw Error("The workbook is damaged: a table is too long.");
        }
    }

    const RecordChoice& choice_;
    int64_t wanted_;
    int depth_ = 0;  // nesting of tables (a table inside a cell is the cell's content)
    std::unique_ptr<SheetText> sheet_;
    int64_t row_ = 0;
    int64_t rowRepeat_ = 1;
    int64_t column_ = 0;
    std::vector<OdsCell> cells_;
    std::vector<std::pair<int64_t, int64_t>> merges_;
    bool inCell_ = false;
    int64_t cellRepeat_ = 1;
    int64_t span_ = 1;
    bool number_ = false;
    std::string numberText_;
    std::string text_;
    int paragraph_ = 0;
    int paragraphs_ = 0;
    int annotation_ = 0;

public:
    bool noNumbers_ = false;
};

void CheckNotEncrypted(const ZipArchive& archive) {
    if (!archive.Has("META-INF/manifest.xml")) return;
    bool encrypted = false;
    XmlStream::Handlers handlers;
    handlers.Start = [&](std::string_view name, const XmlAttributes&) {
        if (name == "encryption-data") encrypted = true;
    };
    XmlStream xml(std::move(handlers), "the manifest");
    archive.Stream("META-INF/manifest.xml", uint64_t{16} << 20,
                   [&](std::string_view piece) { xml.Feed(piece); });
    xml.Finish();
    if (encrypted) throw Error("The workbook is encrypted; save it without a password to read it.");
}

}  // namespace

bool IsOdsWorkbook(const ZipArchive& archive) {
    if (!archive.Has("mimetype")) return false;
    const std::string type = archive.Read("mimetype", 256);
    return type.rfind("application/vnd.oasis.opendocument.spreadsheet", 0) == 0;
}

RecordText ReadOds(const ZipArchive& archive, const RecordChoice& choice) {
    CheckNotEncrypted(archive);
    // The table names come with the content: a first pass finds them when a sheet is asked
    // for by name.
    const auto walk = [&](int64_t wanted) {
        auto content = std::make_unique<OdsContent>(choice, wanted);
        XmlStream xml(content->Handlers(), "the part content.xml");
        archive.Stream("content.xml", choice.MemoryLimit,
                       [&](std::string_view piece) { xml.Feed(piece); });
        xml.Finish();
        return content;
    };
    std::unique_ptr<OdsContent> content = walk(-1);
    const std::vector<std::string> names = content->Names;
    RecordText record;
    ReadChosenSheet(
        names, choice,
        [&](size_t index, std::string& text) {
            if (choice.Sheet.empty()) {
                // The first walk read the first table with numbers.
                if (content->Chosen != static_cast<int64_t>(index)) return false;
                text = std::move(content->Text);
                return true;
            }
            if (content->Chosen != static_cast<int64_t>(index))
                content = walk(static_cast<int64_t>(index));
            text = std::move(content->Text);
            return !content->noNumbers_;
        },
        record);
    return record;
}

}  // namespace qlnx
