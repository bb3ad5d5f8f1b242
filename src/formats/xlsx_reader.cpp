#include "formats/xlsx_reader.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/errors.h"
#include "formats/sheet_choice.h"
#include "formats/sheet_text.h"
#include "formats/xml_stream.h"

namespace qlnx {

namespace {

constexpr uint64_t kSmallPart = uint64_t{64} << 20;  // content types, workbook, relations

void ParsePart(const ZipArchive& archive, const std::string& name, uint64_t limit,
               XmlStream::Handlers handlers) {
    XmlStream xml(std::move(handlers), "the part " + name);
    archive.Stream(name, limit, [&](std::string_view piece) { xml.Feed(piece); });
    xml.Finish();
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The workbook part named by the content types ("xl/workbook.xml"), or "".
std::string WorkbookPart(const ZipArchive& archive) {
    std::string part;
    if (!archive.Has("[Content_Types].xml")) return part;
    XmlStream::Handlers handlers;
    handlers.Start = [&](std::string_view name, const XmlAttributes& attributes) {
        if (name != "Override") return;
        const char* type = attributes.Get("ContentType");
        const char* partName = attributes.Get("PartName");
        if (type == nullptr || partName == nullptr || !part.empty()) return;
        const std::string_view t(type);
        // .xlsx, .xltx (spreadsheetml), .xlsm, .xltm (ms-excel ...macroEnabled).
        const bool sheet = t.find("spreadsheetml") != std::string_view::npos ||
                           t.find("ms-excel.sheet") != std::string_view::npos ||
                           t.find("ms-excel.template") != std::string_view::npos;
        if (sheet && EndsWith(t, ".main+xml")) {
            part = partName[0] == '/' ? partName + 1 : partName;
        }
    };
    ParsePart(archive, "[Content_Types].xml", kSmallPart, std::move(handlers));
    return part;
}

std::string Directory(const std::string& part) {
    const size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// A relation's target as a part name, from the directory of the part that holds it.
std::string Resolve(const std::string& directory, std::string_view target) {
    if (!target.empty() && target.front() == '/') return std::string(target.substr(1));
    std::string base = directory;
    while (target.substr(0, 3) == "../") {
        target.remove_prefix(3);
        if (!base.empty()) base.pop_back();
        base = Directory(base);
    }
    return base + std::string(target);
}

struct Relation {
    std::string Id, Type, Target;
};

std::vector<Relation> Relations(const ZipArchive& archive, const std::string& part) {
    const std::string directory = Directory(part);
    const std::string name = directory + "_rels/" + part.substr(directory.size()) + ".rels";
    std::vector<Relation> relations;
    if (!archive.Has(name)) return relations;
    XmlStream::Handlers handlers;
    handlers.Start = [&](std::string_view element, const XmlAttributes& attributes) {
        if (element != "Relationship") return;
        const char* id = attributes.Get("Id");
        const char* type = attributes.Get("Type");
        const char* target = attributes.Get("Target");
        const char* mode = attributes.Get("TargetMode");
        if (id == nullptr || type == nullptr || target == nullptr) return;
        if (mode != nullptr && std::string_view(mode) == "External") return;
        relations.push_back({id, type, Resolve(directory, target)});
    };
    ParsePart(archive, name, kSmallPart, std::move(handlers));
    return relations;
}

std::vector<std::string> SharedStrings(const ZipArchive& archive, const std::string& part,
                                       uint64_t limit) {
    std::vector<std::string> strings;
    int inItem = 0;
    int inPhonetic = 0;
    bool inText = false;
    uint64_t used = 0;
    XmlStream::Handlers handlers;
    handlers.Start = [&](std::string_view name, const XmlAttributes&) {
        if (name == "si") {
            strings.emplace_back();
            ++inItem;
        } else if (name == "rPh") {
            ++inPhonetic;
        } else if (name == "t" && inItem > 0 && inPhonetic == 0) {
            inText = true;
        }
    };
    handlers.End = [&](std::string_view name) {
        if (name == "si") {
            --inItem;
        } else if (name == "rPh") {
            --inPhonetic;
        } else if (name == "t") {
            inText = false;
        }
    };
    handlers.Text = [&](std::string_view text) {
        if (!inText) return;
        used += text.size();
        if (used > limit) throw Error("The shared strings of the workbook are too large to read.");
        strings.back() += text;
    };
    ParsePart(archive, part, limit, std::move(handlers));
    return strings;
}

// "BC12" → column 54 (0-based), row 11 (0-based); false when the reference is not one.
bool CellReference(const char* reference, int64_t& column, int64_t& row) {
    int64_t c = 0;
    int64_t r = 0;
    const char* p = reference;
    for (; *p >= 'A' && *p <= 'Z'; ++p) {
        c = c * 26 + (*p - 'A' + 1);
        if (c > (int64_t{1} << 24)) return false;
    }
    if (p == reference) return false;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
        r = r * 10 + (*p - '0');
        if (r > (int64_t{1} << 32)) return false;
    }
    if (p == digits || *p != '\0' || r == 0) return false;
    column = c - 1;
    row = r - 1;
    return true;
}

// Reads one worksheet into text; true when a cell holds a number.
bool ReadSheet(const ZipArchive& archive, const std::string& part,
               const std::vector<std::string>& strings, const RecordChoice& choice,
               std::string& out) {
    SheetText sheet(choice.MemoryLimit);
    int64_t row = -1;
    int64_t column = -1;
    std::string type;
    std::string value;
    bool inValue = false;
    bool inInline = false;
    bool inText = false;
    XmlStream::Handlers handlers;
    handlers.Start = [&](std::string_view name, const XmlAttributes& attributes) {
        if (name == "c") {
            const char* reference = attributes.Get("r");
            int64_t r = row;
            if (reference == nullptr || !CellReference(reference, column, r)) {
                ++column;
            } else {
                row = r;
            }
            const char* t = attributes.Get("t");
            type = t != nullptr ? t : "";
            value.clear();
        } else if (name == "v") {
            inValue = true;
        } else if (name == "is") {
            inInline = true;
        } else if (name == "t" && inInline) {
            inText = true;
        } else if (name == "row") {
            const char* r = attributes.Get("r");
            int64_t number = 0;
            if (r != nullptr) {
                for (const char* p = r; *p >= '0' && *p <= '9' && number < (int64_t{1} << 32);
                     ++p) {
                    number = number * 10 + (*p - '0');
                }
            }
            row = number > 0 ? number - 1 : row + 1;
            column = -1;
        } else if (name == "mergeCell") {
            const char* ref = attributes.Get("ref");
            if (ref == nullptr) return;
            const std::string text(ref);
            const size_t colon = text.find(':');
            if (colon == std::string::npos) return;
            int64_t c0 = 0, r0 = 0, c1 = 0, r1 = 0;
            if (CellReference(text.substr(0, colon).c_str(), c0, r0) &&
                CellReference(text.substr(colon + 1).c_str(), c1, r1)) {
                sheet.Merge(r0, c0, c1);
            }
        }
    };
    handlers.Text = [&](std::string_view text) {
        if (inValue || inText) {
            if (value.size() + text.size() > (size_t{1} << 24)) {
                throw Error("The workbook is damaged: a cell holds more than 16 MB of text.");
            }
            value += text;
        }
    };
    handlers.End = [&](std::string_view name) {
        if (name == "v") {
            inValue = false;
        } else if (name == "t") {
            inText = false;
        } else if (name == "is") {
            inInline = false;
        } else if (name == "c") {
            if (type.empty() || type == "n") {
                sheet.Cell(row, column, value, true);
            } else if (type == "s") {
                size_t index = 0;
                for (const char c : value) {
                    if (c < '0' || c > '9' || index > strings.size()) {
                        index = strings.size();
                        break;
                    }
                    index = index * 10 + static_cast<size_t>(c - '0');
                }
                if (value.empty() || index >= strings.size()) {
                    throw Error("The workbook is damaged: a cell names shared string " + value +
                                " of " + std::to_string(strings.size()) + ".");
                }
                sheet.Cell(row, column, strings[index], false);
            } else if (type == "b") {
                sheet.Cell(row, column, value == "1" ? "TRUE" : "FALSE", false);
            } else if (type != "e") {  // an error value (#N/A, #DIV/0!) is an empty cell
                sheet.Cell(row, column, value, false);
            }
        }
    };
    ParsePart(archive, part, choice.MemoryLimit, std::move(handlers));
    out = sheet.Finish();
    return sheet.HasNumber();
}

}  // namespace

bool IsXlsxWorkbook(const ZipArchive& archive) { return !WorkbookPart(archive).empty(); }

RecordText ReadXlsx(const ZipArchive& archive, const RecordChoice& choice) {
    const std::string workbook = WorkbookPart(archive);
    if (workbook.empty()) {
        throw Error("The zip file is no workbook: it has no spreadsheet part.");
    }
    const std::vector<Relation> relations = Relations(archive, workbook);
    std::vector<std::string> names;
    std::vector<std::string> parts;
    XmlStream::Handlers handlers;
    handlers.Start = [&](std::string_view element, const XmlAttributes& attributes) {
        if (element != "sheet") return;
        const char* name = attributes.Get("name");
        const char* id = attributes.Get("id");
        if (id == nullptr) return;
        for (const Relation& relation : relations) {
            if (relation.Id == id && EndsWith(relation.Type, "/worksheet")) {
                names.emplace_back(name != nullptr ? name : "");
                parts.push_back(relation.Target);
            }
        }
    };
    ParsePart(archive, workbook, kSmallPart, std::move(handlers));
    std::vector<std::string> strings;
    for (const Relation& relation : relations) {
        if (EndsWith(relation.Type, "/sharedStrings") && archive.Has(relation.Target)) {
            strings = SharedStrings(archive, relation.Target, choice.MemoryLimit);
        }
    }
    RecordText record;
    ReadChosenSheet(
        names, choice,
        [&](size_t index, std::string& text) {
            return ReadSheet(archive, parts[index], strings, choice, text);
        },
        record);
    return record;
}

}  // namespace qlnx
