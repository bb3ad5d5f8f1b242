#include "formats/xlsx_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
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

// What the cell handlers keep between expat's calls.
struct CellState {
    int64_t row = -1;
    int64_t column = -1;
    // The cell's type: 'n' a number (or no type), 's' a shared string, 'b' a boolean, 'e' an
    // error value, 't' any other text (str, inlineStr).
    char type = 'n';
    std::string value;
    bool inValue = false;
    bool inInline = false;
    bool inText = false;
    // Whether the first row met has its number (a piece of a sheet must know where it is).
    int64_t rowsMet = 0;
    bool firstRowNumbered = false;
};

// The handlers that give a worksheet's cells (and its merged header cells) to sheet.
XmlStream::Handlers SheetHandlers(SheetText& sheet, const std::vector<std::string>& strings,
                                  CellState& s) {
    XmlStream::Handlers handlers;
    handlers.Start = [&sheet, &s](std::string_view name, const XmlAttributes& attributes) {
        if (name == "c") {
            const char* reference = attributes.Get("r");
            int64_t r = s.row;
            if (reference == nullptr || !CellReference(reference, s.column, r)) {
                ++s.column;
            } else {
                s.row = r;
            }
            const char* t = attributes.Get("t");
            const std::string_view code = t != nullptr ? t : "n";
            s.type = code == "n" || code == "s" || code == "b" || code == "e" ? code[0] : 't';
            s.value.clear();
        } else if (name == "v") {
            s.inValue = true;
        } else if (name == "is") {
            s.inInline = true;
        } else if (name == "t" && s.inInline) {
            s.inText = true;
        } else if (name == "row") {
            const char* r = attributes.Get("r");
            int64_t number = 0;
            if (r != nullptr) {
                for (const char* p = r; *p >= '0' && *p <= '9' && number < (int64_t{1} << 32);
                     ++p) {
                    number = number * 10 + (*p - '0');
                }
            }
            if (s.rowsMet++ == 0) s.firstRowNumbered = number > 0;
            s.row = number > 0 ? number - 1 : s.row + 1;
            s.column = -1;
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
    handlers.Text = [&s](std::string_view text) {
        if (s.inValue || s.inText) {
            if (s.value.size() + text.size() > (size_t{1} << 24)) {
                throw Error("The workbook is damaged: a cell holds more than 16 MB of text.");
            }
            s.value += text;
        }
    };
    handlers.End = [&sheet, &strings, &s](std::string_view name) {
        if (name == "v") {
            s.inValue = false;
        } else if (name == "t") {
            s.inText = false;
        } else if (name == "is") {
            s.inInline = false;
        } else if (name == "c") {
            if (s.type == 'n') {
                sheet.Cell(s.row, s.column, s.value, true);
            } else if (s.type == 's') {
                size_t index = 0;
                for (const char c : s.value) {
                    if (c < '0' || c > '9' || index > strings.size()) {
                        index = strings.size();
                        break;
                    }
                    index = index * 10 + static_cast<size_t>(c - '0');
                }
                if (s.value.empty() || index >= strings.size()) {
                    throw Error("The workbook is damaged: a cell names shared string " + s.value +
                                " of " + std::to_string(strings.size()) + ".");
                }
                sheet.Cell(s.row, s.column, strings[index], false);
            } else if (s.type == 'b') {
                sheet.Cell(s.row, s.column, s.value == "1" ? "TRUE" : "FALSE", false);
            } else if (s.type != 'e') {  // an error s.value (#N/A, #DIV/0!) is an empty cell
                sheet.Cell(s.row, s.column, s.value, false);
            }
        }
    };
    return handlers;
}

// XML held in memory goes to expat in pieces of this size: expat copies what it is given
// into a buffer of its own, which would otherwise grow to the size of the whole piece.
constexpr size_t kFeedBytes = size_t{1} << 18;

// Where the next row's start tag ("<row " or "<x:row>") begins at or after from; npos when
// none does.
size_t NextRowStart(std::string_view xml, size_t from) {
    while (true) {
        const size_t open = xml.find('<', from);
        if (open == std::string_view::npos) return open;
        size_t at = open + 1;
        size_t local = at;
        while (at < xml.size() &&
               (std::isalnum(static_cast<unsigned char>(xml[at])) != 0 || xml[at] == '_' ||
                xml[at] == '-' || xml[at] == '.' || xml[at] == ':')) {
            if (xml[at] == ':') local = at + 1;
            ++at;
        }
        if (at < xml.size() && xml.substr(local, at - local) == "row" &&
            (xml[at] == ' ' || xml[at] == '>' || xml[at] == '/' || xml[at] == '\t' ||
             xml[at] == '\n' || xml[at] == '\r')) {
            return open;
        }
        from = open + 1;
    }
}

// Whether "<" + mark starts in xml at or after from. The mark is looked for, not the '<': a
// sheet has a '<' every few bytes but seldom a '!' or a '?', so the search runs through the
// bytes at full speed instead of stopping at every tag.
bool HasMarkup(std::string_view xml, char mark, size_t from) {
    for (size_t at = xml.find(mark, from + 1); at != std::string_view::npos;
         at = xml.find(mark, at + 1)) {
        if (xml[at - 1] == '<') return true;
    }
    return false;
}

// Reads the sheet's XML cut at row starts into pieces, one a core, each parsed by its own
// expat parser behind the document's opening (the XML up to the first row). Gives the pieces
// in order, each ended and taking the next; nullopt when the sheet does not lend itself (a
// piece does not parse alone, a row without its number, rows out of order, no numbers in the
// first piece): the caller then reads it in one go, which also gives any message.
std::optional<std::vector<SheetText>> ReadSheetInPieces(std::string_view xml,
                                                        const std::vector<std::string>& strings,
                                                        const RecordChoice& choice, size_t pieces) {
    // Every '<' must open or close an element for a row start to be found by its bytes: a
    // comment, a CDATA section, a document type or a processing instruction past the XML
    // declaration may hide one.
    if (pieces < 2 || HasMarkup(xml, '!', 0) || HasMarkup(xml, '?', 4)) return std::nullopt;
    const size_t first = NextRowStart(xml, 0);
    if (first == std::string_view::npos) return std::nullopt;
    std::vector<size_t> starts{0};
    for (size_t k = 1; k < pieces; ++k) {
        const size_t at = NextRowStart(xml, std::max(starts.back() + 1, xml.size() / pieces * k));
        if (at == std::string_view::npos || at <= first) break;
        starts.push_back(at);
    }
    if (starts.size() < 2) return std::nullopt;
    starts.push_back(xml.size());
    const size_t count = starts.size() - 1;
    std::vector<std::optional<SheetText>> sheets(count);
    std::vector<char> failed(count, 0);
    const std::string_view opening = xml.substr(0, first);
    const auto read = [&](size_t k) {
        try {
            SheetText sheet(choice.MemoryLimit);
            if (k > 0) sheet.StartInBody();
            CellState state;
            XmlStream stream(SheetHandlers(sheet, strings, state), "a piece of the sheet");
            if (k > 0) stream.Feed(opening);
            const std::string_view piece = xml.substr(starts[k], starts[k + 1] - starts[k]);
            for (size_t at = 0; at < piece.size(); at += kFeedBytes) {
                stream.Feed(piece.substr(at, kFeedBytes));
            }
            if (k + 1 == count) stream.Finish();
            if (k > 0 && !state.firstRowNumbered) return;
            sheet.EndPiece();
            sheets[k].emplace(std::move(sheet));
        } catch (...) {
            failed[k] = 1;
        }
    };
    {
        std::vector<std::thread> threads;
        try {
            for (size_t k = 1; k < count; ++k) threads.emplace_back(read, k);
        } catch (const std::system_error&) {
            // No thread to spare: the sheet is read in one go.
            for (std::thread& thread : threads) thread.join();
            return std::nullopt;
        }
        read(0);
        for (std::thread& thread : threads) thread.join();
    }
    std::vector<SheetText> given;
    for (size_t k = 0; k < count; ++k) {
        if (failed[k] != 0 || !sheets[k]) return std::nullopt;
        if (k > 0 && !given.back().Takes(*sheets[k])) return std::nullopt;
        given.push_back(std::move(*sheets[k]));
    }
    return given;
}

// Reads one worksheet into text; true when a cell holds a number. A large sheet is inflated
// whole and read in pieces on every core.
bool ReadSheet(const ZipArchive& archive, const std::string& part,
               const std::vector<std::string>& strings, const RecordChoice& choice,
               std::string& out) {
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    if (cores > 1 && archive.Size(part) >= choice.PiecesFrom) {
        std::string xml = archive.Read(part, choice.MemoryLimit);
        if (xml.size() >= choice.PiecesFrom) {
            std::optional<std::vector<SheetText>> pieces =
                ReadSheetInPieces(xml, strings, choice, std::min<size_t>(cores, 8));
            if (pieces) {
                // The XML goes before the pieces' rows are joined: the memory a large sheet
                // takes is its XML and its rows once, not twice.
                xml = std::string();
                SheetText& sheet = pieces->front();
                for (size_t k = 1; k < pieces->size(); ++k) sheet.Append(std::move((*pieces)[k]));
                out = sheet.Finish();
                return sheet.HasNumber();
            }
        }
        SheetText sheet(choice.MemoryLimit);
        CellState state;
        XmlStream stream(SheetHandlers(sheet, strings, state), "the part " + part);
        for (size_t at = 0; at < xml.size(); at += kFeedBytes) {
            stream.Feed(std::string_view(xml).substr(at, kFeedBytes));
        }
        stream.Finish();
        out = sheet.Finish();
        return sheet.HasNumber();
    }
    SheetText sheet(choice.MemoryLimit);
    CellState state;
    ParsePart(archive, part, choice.MemoryLimit, SheetHandlers(sheet, strings, state));
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
