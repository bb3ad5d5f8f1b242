// Helpers of the format tests: a scratch folder, MAT-files written with matio, zip
// containers written with libzip, and importing a record by its channels.
#pragma once

#include <matio.h>
#include <unistd.h>
#include <zip.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../file_bytes.h"
#include "core/channel_import.h"
#include "core/curve_import.h"

namespace qlnx::test {

inline std::filesystem::path ScratchFolder() {
    const auto dir =
        std::filesystem::path(testing::TempDir()) / ("qlnx_formats_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string Fixture(const std::string& name) {
    return std::string(QLNX_TEST_DATA) + "/formats/" + name;
}

inline std::string Scratch(const std::string& name, const std::string& bytes) {
    const std::string path = (ScratchFolder() / name).string();
    WriteBytes(path, bytes);
    return path;
}

// A zip container of the entries (name, content), deflated.
inline std::string WriteZip(const std::string& name,
                            const std::vector<std::pair<std::string, std::string>>& entries) {
    const std::string path = (ScratchFolder() / name).string();
    std::filesystem::remove(path);
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    for (const auto& [entry, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        EXPECT_GE(zip_file_add(archive, entry.c_str(), source, ZIP_FL_OVERWRITE), 0);
    }
    EXPECT_EQ(zip_close(archive), 0);
    return path;
}

// The parts of a one-sheet .xlsx around the sheet's XML.
inline std::vector<std::pair<std::string, std::string>> XlsxParts(const std::string& sheet) {
    return {
        {"[Content_Types].xml",
         R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/></Types>)"},
        {"xl/workbook.xml",
         R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
         R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
         R"(<sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)"},
        {"xl/worksheets/sheet1.xml",
         R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
             sheet + "</sheetData></worksheet>"},
    };
}

// A numeric matrix variable (column-major values) in a MAT-file being written.
inline matvar_t* MatDoubles(const char* name, size_t rows, size_t cols,
                            std::vector<double>& values) {
    size_t dims[2] = {rows, cols};
    return Mat_VarCreate(name, MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, values.data(), 0);
}

struct Imported {
    AnalysisState state;
    ImportResult result;
};

inline Imported ImportRecord(const std::string& path, const ChannelSettings* settings,
                             ImportParameters parameters = {}) {
    Imported imported;
    parameters.Channels = settings;
    imported.result = ImportCurveFile(imported.state, path, parameters);
    return imported;
}

}  // namespace qlnx::test
