// Workbooks, MATLAB and LabVIEW files read by their channels: each gives the channels and the
// numbers of its CSV twin, bit for bit, and every damaged or unusable file its message.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <functional>

#include "core/errors.h"
#include "format_files.h"
#include "formats/record_source.h"

namespace qlnx {
namespace {

using test::Fixture;
using test::Imported;
using test::ImportRecord;
using test::Scratch;

std::string Number(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
    // Empty vectors may hold no storage at all: memcmp must not see their null pointers.
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

std::string Describe(const Metadata& metadata) {
    std::string text;
    for (const auto& [key, value] : metadata) text += key + "=" + value + "|";
    return text;
}

// t, a row vector disp, a two-column matrix data, a struct test with a field, a single value,
// a text and a shorter vector; written in the order of their names (a v7.3 file lists its
// variables so).
const std::vector<double> kTime = {0, 0.1, 0.2, 0.30000000000000004, 0.4, 0.5};
const std::vector<double> kDisp = {0, 1.0 / 3, -2.5, 1e-300, 123456.789, -0.001};
const std::vector<double> kData = {1.5, -3.25, 2.718281828459045, 0, 7, -7, 10, 20, 30, 40, 50, 60};
const std::vector<double> kAxial = {0.5, 0.25, 0.125, -0.125, -0.25, -0.5};

std::string WriteMat(const std::string& name, mat_ft version, matio_compression compression) {
    const std::string path = (test::ScratchFolder() / name).string();
    std::filesystem::remove(path);
    mat_t* mat = Mat_CreateVer(path.c_str(), nullptr, version);
    EXPECT_NE(mat, nullptr);
    auto data = kData;
    auto disp = kDisp;
    auto time = kTime;
    auto axial = kAxial;
    std::vector<double> height = {1500};
    std::vector<double> shorter = {1, 2, 3};
    // Each variable is written, then freed with what it holds (a struct its fields).
    const auto put = [&](matvar_t* var) {
        Mat_VarWrite(mat, var, compression);
        Mat_VarFree(var);
    };
    put(test::MatDoubles("data", 6, 2, data));
    put(test::MatDoubles("disp", 1, 6, disp));
    put(test::MatDoubles("height", 1, 1, height));
    char text[] = "wall W1";
    size_t textDims[2] = {1, 7};
    put(Mat_VarCreate("note", MAT_C_CHAR, MAT_T_UTF8, 2, textDims, text, 0));
    put(test::MatDoubles("short", 3, 1, shorter));
    put(test::MatDoubles("t", 6, 1, time));
    const char* fields[] = {"axialDef"};
    size_t one[2] = {1, 1};
    matvar_t* structure = Mat_VarCreateStruct("test", 2, one, fields, 1);
    Mat_VarSetStructFieldByName(structure, "axialDef", 0,
                                test::MatDoubles("axialDef", 6, 1, axial));
    put(structure);
    Mat_Close(mat);
    return path;
}

// The .mat's twin: its five channels as a text record with plain names.
std::string MatTwin() {
    std::string text = "d1;d2;disp;t;axialDef\n";
    for (size_t i = 0; i < 6; ++i) {
        text += Number(kData[i]) + ";" + Number(kData[6 + i]) + ";" + Number(kDisp[i]) + ";" +
                Number(kTime[i]) + ";" + Number(kAxial[i]) + "\n";
    }
    return Scratch("mat_twin.csv", text);
}

struct TwinCase {
    const char* name;
    std::function<std::string()> file;
    std::function<std::string()> twin;
    std::string sheet;
    std::string variable;
    Metadata extra;     // what the file tells beyond the twin's metadata, first
    std::string names;  // the file's channel names when the twin's differ
};

TEST(RecordFormats, EachFormatReadsAsItsCsvTwin) {
    const auto fixture = [](const char* name) { return [=] { return Fixture(name); }; };
    const std::string matNames = "data(:,1)|data(:,2)|disp|t|test.axialDef|";
    const Metadata matExtra = {{"Variables", "data, disp, height, note, short, t, test"},
                               {"height", "1500"},
                               {"Left out", "short (3 samples)"}};
    const std::string unitRowNames = "Time|Disp|Force|Stroke|Remark|";
    const TwinCase cases[] = {
        {"xlsx, first sheet with numbers",
         fixture("record.xlsx"),
         fixture("record.csv"),
         "",
         "",
         {{"Sheet", "Test 1"}},
         ""},
        {"xlsx, sheet by name",
         fixture("record.xlsx"),
         [] { return Scratch("test2.csv", "Disp,Force\n1.25,2.5\n-1.25,-2.5\n"); },
         "Test 2",
         "",
         {{"Sheet", "Test 2"}},
         ""},
        {"xlsx, sheet by number",
         fixture("record.xlsx"),
         [] { return Scratch("test2.csv", "Disp,Force\n1.25,2.5\n-1.25,-2.5\n"); },
         "3",
         "",
         {{"Sheet", "Test 2"}},
         ""},
        {"xlsx, merged header",
         fixture("merged.xlsx"),
         fixture("merged.csv"),
         "",
         "",
         {{"Sheet", "Merged"}},
         ""},
        {"xlsm, inline strings",
         fixture("record.xlsm"),
         fixture("record.csv"),
         "",
         "",
         {{"Sheet", "Run"}},
         ""},
        {"ods",
         fixture("record.ods"),
         fixture("record_ods.csv"),
         "",
         "",
         {{"Sheet", "Test 1"}},
         ""},
        {"xls", fixture("record.xls"), fixture("record.csv"), "", "", {{"Sheet", "Test 1"}}, ""},
        // A name row and a unit row wider than the numbers (a channel left unrecorded, a
        // remark column): the names stay names, the units units.
        {"xlsx, unit row apart",
         fixture("unit_rows.xlsx"),
         fixture("unit_rows.csv"),
         "",
         "",
         {{"Sheet", "Units"}},
         unitRowNames},
        {"ods, unit row apart",
         fixture("unit_rows.ods"),
         fixture("unit_rows.csv"),
         "",
         "",
         {{"Sheet", "Units"}},
         unitRowNames},
        {"xls, unit row apart",
         fixture("unit_rows.xls"),
         fixture("unit_rows.csv"),
         "",
         "",
         {{"Sheet", "Units"}},
         unitRowNames},
        {"lvm, two segments, decimal comma",
         fixture("record.lvm"),
         fixture("record_lvm.csv"),
         "",
         "",
         {{"Operator", "lab"}, {"Date", "2024/05/17"}, {"Time", "10:22:31,5"}, {"Segments", "2"}},
         ""},
        {"mat v5", [] { return WriteMat("v5.mat", MAT_FT_MAT5, MAT_COMPRESSION_NONE); }, MatTwin,
         "", "", matExtra, matNames},
        {"mat v7", [] { return WriteMat("v7.mat", MAT_FT_MAT5, MAT_COMPRESSION_ZLIB); }, MatTwin,
         "", "", matExtra, matNames},
        {"mat v7.3", [] { return WriteMat("v73.mat", MAT_FT_MAT73, MAT_COMPRESSION_NONE); },
         MatTwin, "", "", matExtra, matNames},
    };
    for (const TwinCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = c.file();
        const std::string twin = c.twin();
        ImportParameters parameters;
        parameters.Sheet = c.sheet;
        parameters.Variable = c.variable;
        ChannelSettings settings;
        const Imported first = ImportRecord(file, &settings, parameters);
        ASSERT_EQ(first.result.Failure, ImportFailure::None) << first.result.Warning().value_or("");
        const Imported expected = ImportRecord(twin, &settings);
        ASSERT_EQ(expected.result.Failure, ImportFailure::None);
        const auto& channels = first.state.Channels.Channels;
        const auto& twinChannels = expected.state.Channels.Channels;
        ASSERT_EQ(channels.size(), twinChannels.size());
        std::string names;
        for (size_t k = 0; k < channels.size(); ++k) {
            names += channels[k].Name + "|";
            EXPECT_EQ(channels[k].Unit, twinChannels[k].Unit);
            EXPECT_EQ(channels[k].Column, twinChannels[k].Column);
            if (c.names.empty()) {
                EXPECT_EQ(channels[k].Name, twinChannels[k].Name);
            }
        }
        if (!c.names.empty()) {
            EXPECT_EQ(names, c.names);
        }
        Metadata metadata = c.extra;
        for (const auto& entry : expected.state.Channels.Metadata) metadata.push_back(entry);
        EXPECT_EQ(Describe(first.state.Channels.Metadata), Describe(metadata));
        EXPECT_TRUE(SameBits(first.state.Channels.Time, expected.state.Channels.Time));
        // Every channel, as the displacement in turn; a named column without numbers reads
        // no row, as in the twin.
        int read = 0;
        for (size_t k = 1; k <= channels.size(); ++k) {
            ChannelSettings one;
            one.Displacement = "c" + std::to_string(k);
            one.Force = "c1";
            const Imported a = ImportRecord(file, &one, parameters);
            const Imported b = ImportRecord(twin, &one);
            ASSERT_EQ(a.result.Failure, ImportFailure::None) << "channel " << k;
            EXPECT_TRUE(SameBits(a.state.RawDisp, b.state.RawDisp)) << "channel " << k;
            EXPECT_TRUE(SameBits(a.state.RawForce, b.state.RawForce));
            if (!a.state.RawDisp.empty()) ++read;
        }
        EXPECT_GE(read, 2);
    }
}

// The two-column import reads a workbook by its content whatever its name: the column boxes
// pick the columns.
TEST(RecordFormats, ReadByContentWithoutChannelSettings) {
    const std::string renamed = Scratch("record.dat", test::ReadAll(Fixture("record.xls")));
    ImportParameters parameters;
    parameters.DisplacementColumn = 2;
    parameters.ForceColumn = 3;
    const Imported a = ImportRecord(renamed, nullptr, parameters);
    const ChannelSettings columns;
    const Imported b = ImportRecord(Fixture("record.csv"), &columns, parameters);
    ASSERT_EQ(a.result.Failure, ImportFailure::None) << a.result.Warning().value_or("");
    EXPECT_TRUE(SameBits(a.state.RawDisp, b.state.RawDisp));
    EXPECT_TRUE(SameBits(a.state.RawForce, b.state.RawForce));
    EXPECT_EQ(a.state.RawDisp.size(), 7u);
}

// The part of a file with an unreadable part, or bytes patched at an offset.
std::string Patched(const std::string& bytes, size_t at, const std::string& with) {
    std::string patched = bytes;
    patched.replace(at, with.size(), with);
    return patched;
}

// A zip whose one entry states an inflated size of 3 GB: patched in the local header and in
// the central directory.
std::string LyingZip() {
    const std::string path =
        test::WriteZip("lying.xlsx", test::XlsxParts(R"(<row r="1"><c r="A1"><v>1</v></c></row>)"));
    std::string bytes = test::ReadAll(path);
    const std::string sheet = "xl/worksheets/sheet1.xml";
    const char size[4] = {0, 0x5E, static_cast<char>(0xD0), static_cast<char>(0xB2)};  // 3e9
    for (size_t at = bytes.find(sheet); at != std::string::npos; at = bytes.find(sheet, at + 1)) {
        const bool central = bytes.compare(at - 46, 4, "PK\x01\x02") == 0;
        const size_t field = central ? at - 46 + 24 : at - 30 + 22;
        bytes.replace(field, 4, std::string(size, 4));
    }
    return Scratch("lying.xlsx", bytes);
}

struct BadCase {
    const char* name;
    std::function<std::string()> file;
    std::string sheet;
    std::string variable;
    std::string message;
};

TEST(RecordFormats, BadFilesGetTheirMessageAndNothingElse) {
    const std::string xlsx = test::ReadAll(Fixture("record.xlsx"));
    const std::string lvm = test::ReadAll(Fixture("record.lvm"));
    const BadCase cases[] = {
        {"encrypted Office workbook",
         [] {
             std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
             bytes.resize(1024, '\0');
             const std::string name("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
             return Scratch("encrypted.xlsx", Patched(bytes, 512, name));
         },
         "", "", "The workbook is encrypted; save it without a password to read it."},
        {"encrypted OpenDocument",
         [] {
             return test::WriteZip(
                 "encrypted.ods",
                 {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                  {"META-INF/manifest.xml",
                   R"(<m:manifest xmlns:m="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0">)"
                   R"(<m:file-entry m:full-path="content.xml"><m:encryption-data/></m:file-entry></m:manifest>)"},
                  {"content.xml", "\x01\x02 not XML"}});
         },
         "", "", "The workbook is encrypted; save it without a password to read it."},
        {"cut workbook", [&] { return Scratch("cut.xlsx", xlsx.substr(0, xlsx.size() / 2)); }, "",
         "", "The workbook is damaged: Not a zip archive."},
        {"sheet that is not XML",
         [] {
             return test::WriteZip("badxml.xlsx",
                                   test::XlsxParts(R"(<row r="1"><c r="A1"><v>1</v></row>)"));
         },
         "", "",
         "The workbook is damaged: the part xl/worksheets/sheet1.xml is not well-formed XML "
         "(mismatched tag at line 1)."},
        {"zip bomb", LyingZip, "", "",
         "The part xl/worksheets/sheet1.xml of the workbook inflates past 2048 MB; it is not "
         "read."},
        {"zip without a workbook",
         [] {
             return test::WriteZip("other.zip", {{"readme.txt", "hello"}});
         },
         "", "", "The zip file is no workbook: it holds neither an .xlsx nor an .ods sheet."},
        {"sheet without numbers", [] { return Fixture("record.xlsx"); }, "Notes", "",
         "The sheet 'Notes' holds no column of numbers."},
        {"workbook without numbers",
         [] {
             return test::WriteZip(
                 "text.xlsx",
                 test::XlsxParts(
                     R"(<row r="1"><c r="A1" t="inlineStr"><is><t>x</t></is></c></row>)"));
         },
         "", "", "No sheet of the workbook holds a column of numbers (sheets 'S')."},
        {"sheet that does not exist", [] { return Fixture("record.ods"); }, "Test 9", "",
         "The workbook has no sheet 'Test 9'; its sheets are 'Notes', 'Test 1'."},
        {"damaged xls",
         [] {
             std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
             bytes.resize(600, '\x07');
             return Scratch("damaged.xls", bytes);
         },
         "", "", "The workbook is damaged: it is no BIFF workbook FreeXL can read (error -11)."},
        {"text variable", [] { return WriteMat("note.mat", MAT_FT_MAT5, MAT_COMPRESSION_ZLIB); },
         "", "note", "The MATLAB variable 'note' is not numeric: it is text."},
        {"variable that does not exist",
         [] { return WriteMat("none.mat", MAT_FT_MAT73, MAT_COMPRESSION_NONE); }, "", "force",
         "The MATLAB file has no variable 'force'; its variables are data, disp, height, note, "
         "short, t, test."},
        {"HDF5 file that is no MAT-file",
         [] {
             std::string bytes("\x89HDF\r\n\x1a\n", 8);
             bytes.resize(2048, '\0');
             return Scratch("plain.h5", bytes);
         },
         "", "",
         "The HDF5 file is no MATLAB file: it lacks the header a v7.3 MAT-file begins with."},
        {"damaged MAT-file",
         [] {
             std::string bytes = "MATLAB 5.0 MAT-file, written by hand";
             bytes.resize(128, ' ');
             return Scratch("damaged.mat", bytes + "\x01\x02\x03");
         },
         "", "",
         "The MATLAB file cannot be read: it is damaged or of a version matio does not read."},
        {"lvm cut in the file header",
         [&] { return Scratch("cut1.lvm", lvm.substr(0, lvm.find("Date"))); }, "", "",
         "The LabVIEW file is cut in the middle of its header (line 9)."},
        {"lvm cut in a segment header",
         [&] {
             const size_t second = lvm.find("Channels", lvm.find("Channels") + 1);
             return Scratch("cut2.lvm", lvm.substr(0, lvm.find("Delta_X", second)));
         },
         "", "", "The LabVIEW file is cut in the middle of the header of segment 2 (line 32)."},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        ImportParameters parameters;
        parameters.Sheet = c.sheet;
        parameters.Variable = c.variable;
        const Imported imported = ImportRecord(c.file(), nullptr, parameters);
        EXPECT_EQ(imported.result.Failure, ImportFailure::Refused);
        EXPECT_EQ(imported.result.Text, c.message);
        EXPECT_TRUE(imported.state.RawDisp.empty());
        EXPECT_FALSE(imported.state.Channels.Active);
    }
}

// A sheet that inflates past the limit while it is read, whatever its header says.
TEST(RecordFormats, SheetInflatingPastTheLimitStops) {
    std::string rows;
    for (int r = 1; r <= 20000; ++r) {
        rows += "<row r=\"" + std::to_string(r) + "\"><c><v>1.5</v></c><c><v>2.5</v></c></row>";
    }
    const std::string bytes = test::ReadAll(test::WriteZip("big.xlsx", test::XlsxParts(rows)));
    RecordChoice choice;
    choice.MemoryLimit = 256 << 10;
    try {
        ReadWorkbookBytes(bytes, choice);
        FAIL() << "read past the limit";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(),
                     "The part xl/worksheets/sheet1.xml of the workbook inflates past 256 KB; it "
                     "is not read.");
    }
    choice.MemoryLimit = 64 << 20;
    EXPECT_EQ(ReadWorkbookBytes(bytes, choice).Text.size(), 20000u * 8);
}

}  // namespace
}  // namespace qlnx

namespace qlnx {
namespace {

// A table the file gives no name reads under its number, is chosen by it, and is listed so.
TEST(RecordFormats, SheetWithoutNameGoesByItsNumber) {
    const std::string content =
        R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
        R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" )"
        R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>)"
        R"(<table:table table:name="Notes"><table:table-row><table:table-cell office:value-type="string"><text:p>x</text:p></table:table-cell></table:table-row></table:table>)"
        R"(<table:table><table:table-row><table:table-cell office:value-type="float" office:value="1.5"/></table:table-row></table:table>)"
        R"(</office:spreadsheet></office:body></office:document-content>)";
    const std::string ods = test::ReadAll(test::WriteZip(
        "unnamed.ods", {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                        {"content.xml", content}}));
    auto parts = test::XlsxParts(R"(<row r="1"><c r="A1"><v>1.5</v></c></row>)");
    parts[1].second =
        R"(<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
        R"(<sheets><sheet sheetId="1" r:id="rId1"/></sheets></workbook>)";
    const std::string xlsx = test::ReadAll(test::WriteZip("unnamed.xlsx", parts));
    for (const auto& [bytes, number] : {std::pair{ods, "2"}, std::pair{xlsx, "1"}}) {
        const std::string name = std::string("Sheet ") + number;
        SCOPED_TRACE(name);
        for (const std::string& sheet : {std::string(), std::string(number), name}) {
            RecordChoice choice;
            choice.Sheet = sheet;
            const RecordText record = ReadWorkbookBytes(bytes, choice);
            EXPECT_EQ(record.Chosen, name);
            EXPECT_EQ(record.Parts.back(), name);
            EXPECT_EQ(record.Text, "1.5\n");
            ASSERT_EQ(record.Metadata.size(), 1u);
            EXPECT_EQ(record.Metadata[0].second, name);
        }
    }
}

}  // namespace
}  // namespace qlnx

namespace qlnx {
namespace {

// A large sheet is cut at row starts and its pieces read on every core: the rows are those of
// the sheet read in one go, whatever lies where it is cut (blank rows, a row of text among the
// numbers, ragged rows, a merged header); a sheet that cannot be cut safely is read in one go.
TEST(RecordFormats, SheetReadInPiecesGivesTheSameRows) {
    const std::string header =
        R"(<row r="1"><c r="A1" t="inlineStr"><is><t>Title</t></is></c></row>)"
        R"(<row r="2"><c r="A2" t="inlineStr"><is><t>Time</t></is></c>)"
        R"(<c r="B2" t="inlineStr"><is><t>Load</t></is></c></row>)";
    std::string rows;
    for (int r = 3; r <= 400; ++r) {
        const std::string n = std::to_string(r);
        if (r % 97 == 0) continue;  // a row without cells
        if (r % 89 == 0) {
            rows += "<row r=\"" + n + "\"><c r=\"B" + n +
                    "\" t=\"inlineStr\"><is><t>pause</t></is></c></row>";
        } else if (r % 13 == 0) {
            rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\"><v>" + n + "</v></c></row>";
        } else {
            rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\"><v>" + n + ".5</v></c><c r=\"C" + n +
                    "\"><v>-" + n + "e-3</v></c></row>";
        }
    }
    const auto sheet = [&](const std::string& data, const std::string& after) {
        auto parts = test::XlsxParts(data);
        std::string& xml = parts.back().second;
        xml.insert(xml.size() - std::string_view("</worksheet>").size(), after);
        return test::ReadAll(test::WriteZip("pieces.xlsx", parts));
    };
    const std::string merged = R"(<mergeCells><mergeCell ref="B2:C2"/></mergeCells>)";
    const std::string cases[] = {
        sheet(header + rows, ""),
        sheet(header + rows, merged),
        sheet(header + "<!-- <row r=\"300\"><c><v>1</v></c></row> -->" + rows, ""),
        sheet(header + "<?note <row r=\"300\"><c><v>1</v></c></row> ?>" + rows, ""),
        sheet(header + rows + R"(<row><c><v>7</v></c></row>)", ""),
    };
    for (const std::string& bytes : cases) {
        RecordChoice whole;
        RecordChoice pieces;
        pieces.PiecesFrom = 0;
        const std::string expected = ReadWorkbookBytes(bytes, whole).Text;
        EXPECT_EQ(ReadWorkbookBytes(bytes, pieces).Text, expected);
        EXPECT_NE(expected.find("\n\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace qlnx
