// Fuzz target: the workbook reader (.xlsx, .xlsm, .ods) on arbitrary bytes. Every input ends
// in rows of text or in a qlnx::Error with its message; nothing else may escape, and the rows
// hold no tab and no line of a sheet beyond the memory limit.
//
// Input: byte 0 chooses the container. 0-127: the rest is the zip file itself. 128-191: the
// rest, split at each "\n==\n", is an .xlsx's first sheet, its shared strings and its second
// sheet, stored in a zip made here with libzip (so that the XML readers see the fuzzer's bytes
// as they are). 192-255: likewise an .ods's content.xml and its manifest. Bit 0 asks for the
// second sheet by number, bit 1 for the sheet named "B". Each input is read twice: as it
// inflates, and whole, cut into pieces read on every core.
#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "formats/record_source.h"
#include "fuzz_check.h"

namespace {

std::vector<std::string> Split(std::string_view text) {
    std::vector<std::string> parts;
    while (true) {
        const size_t at = text.find("\n==\n");
        parts.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + 4);
    }
    return parts;
}

// A zip of the entries, stored uncompressed, made in memory by libzip.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    FUZZ_CHECK(source != nullptr);
    zip_source_keep(source);
    zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    FUZZ_CHECK(archive != nullptr);
    for (const auto& [name, content] : entries) {
        zip_source_t* data = zip_source_buffer(archive, content.data(), content.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), data, 0);
        FUZZ_CHECK(index >= 0);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    FUZZ_CHECK(zip_close(archive) == 0);
    std::string bytes;
    FUZZ_CHECK(zip_source_open(source) == 0);
    char buffer[65536];
    zip_int64_t n = 0;
    while ((n = zip_source_read(source, buffer, sizeof buffer)) > 0) {
        bytes.append(buffer, static_cast<size_t>(n));
    }
    zip_source_close(source);
    zip_source_free(source);
    zip_error_fini(&error);
    return bytes;
}

std::string Xlsx(const std::vector<std::string>& parts) {
    const auto part = [&](size_t i) { return i < parts.size() ? parts[i] : std::string(); };
    return Zip({
        {"[Content_Types].xml",
         R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/></Types>)"},
        {"xl/workbook.xml",
         R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
         R"(<sheets><sheet name="A" r:id="rId1"/><sheet name="B" r:id="rId2"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="sheet1.xml"/>)"
         R"(<Relationship Id="rId2" Type="x/worksheet" Target="/xl/sheet2.xml"/>)"
         R"(<Relationship Id="rId3" Type="x/sharedStrings" Target="strings.xml"/></Relationships>)"},
        {"xl/sheet1.xml", part(0)},
        {"xl/strings.xml", part(1)},
        {"xl/sheet2.xml", part(2)},
    });
}

std::string Ods(const std::vector<std::string>& parts) {
    return Zip({
        {"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
        {"content.xml", parts[0]},
        {"META-INF/manifest.xml", parts.size() > 1 ? parts[1] : std::string("<m/>")},
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mode = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string bytes;
    if (mode < 128) {
        bytes = rest;
    } else if (mode < 192) {
        bytes = Xlsx(Split(rest));
    } else {
        bytes = Ods(Split(rest));
    }
    qlnx::RecordChoice choice;
    choice.MemoryLimit = 4 << 20;
    if ((mode & 1) != 0) choice.Sheet = "2";
    if ((mode & 2) != 0) choice.Sheet = "B";
    // The sheet read in one go, then cut into pieces read on every core: the same rows, or a
    // failure both times.
    std::string text;
    bool read = false;
    try {
        const qlnx::RecordText record = qlnx::ReadWorkbookBytes(bytes, choice);
        FUZZ_CHECK(record.Text.find('\t') == std::string::npos);
        FUZZ_CHECK(record.Text.size() <= 2 * choice.MemoryLimit);
        FUZZ_CHECK(!record.Chosen.empty());
        FUZZ_CHECK(record.Metadata.size() == 1 && record.Metadata[0].first == "Sheet");
        text = record.Text;
        read = true;
    } catch (const qlnx::Error& e) {
        FUZZ_CHECK(std::string_view(e.what()).size() > 10);
    }
    choice.PiecesFrom = 0;
    try {
        const qlnx::RecordText record = qlnx::ReadWorkbookBytes(bytes, choice);
        FUZZ_CHECK(read && record.Text == text);
    } catch (const qlnx::Error&) {
        FUZZ_CHECK(!read);
    }
    return 0;
}
