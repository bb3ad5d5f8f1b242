#include "formats/sheet_choice.h"

#include <algorithm>
#include <charconv>

#include "core/errors.h"

namespace qlnx {

namespace {

std::string NameList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "'" : ", '") + name + "'";
    return list;
}

}  // namespace

void ReadChosenSheet(std::vector<std::string> names, const RecordChoice& choice,
                     const std::function<bool(size_t, std::string&)>& read, RecordText& record) {
    // A sheet the file gives no name (legal in an OpenDocument table, written by some tools)
    // goes by its number, as the sheet tabs of a spreadsheet application would show it.
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty()) names[i] = "Sheet " + std::to_string(i + 1);
    }
    record.PartsTitle = "Sheets";
    record.Parts = names;
    if (names.empty()) throw Error("The workbook has no sheet.");
    size_t index = names.size();
    if (!choice.Sheet.empty()) {
        const auto named = std::find(names.begin(), names.end(), choice.Sheet);
        if (named != names.end()) {
            index = static_cast<size_t>(named - names.begin());
        } else {
            size_t number = 0;
            const char* end = choice.Sheet.data() + choice.Sheet.size();
            const auto [ptr, error] = std::from_chars(choice.Sheet.data(), end, number);
            if (error == std::errc() && ptr == end && number >= 1 && number <= names.size()) {
                index = number - 1;
            }
        }
        if (index == names.size()) {
            throw Error("The workbook has no sheet '" + choice.Sheet + "'; its sheets are " +
                        NameList(names) + ".");
        }
        if (!read(index, record.Text)) {
            throw Error("The sheet '" + names[index] + "' holds no column of numbers.");
        }
    } else {
        for (index = 0; index < names.size(); ++index) {
            record.Text.clear();
            if (read(index, record.Text)) break;
        }
        if (index == names.size()) {
            throw Error("No sheet of the workbook holds a column of numbers (sheets " +
                        NameList(names) + ").");
        }
    }
    record.Chosen = names[index];
    record.Metadata.emplace_back("Sheet", names[index]);
}

}  // namespace qlnx
