// Reading a record by its channels: header styles, expressions, gaps, units, zeroing and
// scale, and the refusals with their messages.
#include "core/channel_import.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/curve_import.h"
#include "core/units.h"

namespace qlnx {
namespace {

using Values = std::vector<double>;

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const auto dir =
        std::filesystem::path(testing::TempDir()) / ("qlnx_channels_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

struct Read {
    AnalysisState state;
    ImportResult result;
};

Read Import(const std::string& path, const ChannelSettings& settings,
            ImportParameters parameters = {}) {
    Read read;
    parameters.Channels = &settings;
    read.result = ImportCurveFile(read.state, path, parameters);
    return read;
}

Read ImportText(const std::string& text, const ChannelSettings& settings,
                ImportParameters parameters = {}) {
    return Import(WriteFile("record.csv", text), settings, parameters);
}

std::string Names(const ChannelRecord& record) {
    std::string text;
    for (const Channel& c : record.Channels) {
        text += (text.empty() ? "" : "|") + c.Symbol + "[" + c.Unit + "]";
    }
    return text;
}

TEST(ChannelImport, HeaderStylesExpressionsAndUnits) {
    struct Case {
        const char* name;
        std::string text;
        ChannelSettings settings;
        std::string channels;  // symbol[unit] of each channel
        Values disp;
        Values force;
        std::string dispUnit;
        std::string forceUnit;
    };
    const std::vector<Case> cases = {
        {"brackets, difference",
         "Time [s],LVDT1 [mm],LVDT2 [mm],Load [kN]\n0,1,0.5,10\n1,2,0.5,20\n",
         {"LVDT1 - LVDT2", "Load"},
         "Time[s]|LVDT1[mm]|LVDT2[mm]|Load[kN]",
         {0.5, 1.5},
         {10, 20},
         "mm",
         "kN"},
        {"parentheses, converted to mm and kN",
         "Disp (in),Force (kip)\n1,1\n-2,0.5\n",
         {.LengthUnit = "mm", .ForceUnit = "kN"},
         "Disp[in]|Force[kip]",
         {25.4, -50.8},
         {4.4482216152605, 0.5 * 4.4482216152605},
         "mm",
         "kN"},
        {"kN to kip and mm to in",
         "d [mm];F [kN]\n25,4;4,4482216152605\n",
         {.LengthUnit = "in", .ForceUnit = "kip"},
         "d[mm]|F[kN]",
         {1},
         {1},
         "in",
         "kip"},
        {"separate unit row, sum of two load cells",
         "time,displacement,actuator force 1,actuator force 2\ns,in,lb,lb\n0,1,100,50\n",
         {"displacement", "actuator_force_1 + actuator_force_2"},
         "time[s]|displacement[in]|actuator_force_1[lb]|actuator_force_2[lb]",
         {1},
         {150},
         "in",
         "lb"},
        {"unit row in brackets, units written out",
         "Disp,Force\n[inches],[lbf]\n1,1000\n",
         {.LengthUnit = "mm", .ForceUnit = "kN"},
         "Disp[inches]|Force[lbf]",
         {25.4},
         {4.4482216152605},
         "mm",
         "kN"},
        {"metadata block",
         "Specimen: W1\nOperator\tlab\nTest unit,RS1,\nDisp,Force\nmm,kN\n1,2\n",
         {},
         "Disp[mm]|Force[kN]",
         {1},
         {2},
         "mm",
         "kN"},
        // Three exports as testing machines and loggers write them.
        {"machine export: quoted fields, semicolons, decimal commas",
         "\"Test report\";\"Wall W3, cyclic\"\n\"Date\";\"05.03.2024\"\n\"Operator\";\"lab 2\"\n"
         "\n\"Standard travel\";\"Standard force\";\"Test time\"\n\"mm\";\"kN\";\"s\"\n"
         "\"0,000\";\"0,012\";\"0,00\"\n\"1,250\";\"-3,400\";\"0,10\"\n"
         "\"-0,875\";\"2,5\";\"0,20\"\n",
         {"Standard_travel", "Standard_force"},
         "Standard_travel[mm]|Standard_force[kN]|Test_time[s]",
         {0, 1.25, -0.875},
         {0.012, -3.4, 2.5},
         "mm",
         "kN"},
        {"logger export: tabs, settings block, two transducers averaged",
         "Logger export\nSerial no.\t41502\nStart\t2024-03-05 10:15:02\nSample rate\t10 Hz\n"
         "Time\tLVDT N\tLVDT S\tLoad cell\ns\tmm\tmm\tkN\n"
         "0.0\t0.012\t-0.004\t0.15\n0.1\t2.500\t2.300\t-41.2\n",
         {"(LVDT_N + LVDT_S) / 2", "Load_cell"},
         "Time[s]|LVDT_N[mm]|LVDT_S[mm]|Load_cell[kN]",
         {0.004, 2.4},
         {0.15, -41.2},
         "mm",
         "kN"},
        {"controller export: quoted commas, unit row in parentheses, inch-kip to mm-kN",
         "\"Station\",\"Actuator 1\"\n\"Test file\",\"RS3 cyclic\"\n\"Rate\",\"50 Hz\"\n"
         "\"Running Time\",\"Axial Displacement\",\"Axial Force\"\n\"(sec)\",\"(in)\",\"(kip)\"\n"
         "0.02,0.5,-1\n0.04,-0.25,2\n",
         {.Displacement = "Axial_Displacement",
          .Force = "Axial_Force",
          .LengthUnit = "mm",
          .ForceUnit = "kN"},
         "Running_Time[sec]|Axial_Displacement[in]|Axial_Force[kip]",
         {12.7, -6.35},
         {-4.4482216152605, 2 * 4.4482216152605},
         "mm",
         "kN"},
        {"no header", "1,2\n3,4\n", {}, "c1[]|c2[]", {1, 3}, {2, 4}, "", ""},
        {"no header, cN expressions",
         "1,2,3\n4,5,6\n",
         {"c3 - c1", "c2 * 2"},
         "c1[]|c2[]|c3[]",
         {2, 2},
         {4, 10},
         "",
         ""},
        {"semicolons and decimal commas",
         "Zeit [s];Weg [mm];Kraft [kN]\n0;0,5;1,5\n1;1,5;2,5\n",
         {"Weg", "Kraft"},
         "Zeit[s]|Weg[mm]|Kraft[kN]",
         {0.5, 1.5},
         {1.5, 2.5},
         "mm",
         "kN"},
        {"tabs, a name with a blank",
         "Time\tLVDT 1\tLoad\n0\t1.5\t3\n1\t2.5\t4\n",
         {"LVDT_1", "Load * 4.448"},
         "Time[]|LVDT_1[]|Load[]",
         {1.5, 2.5},
         {3 * 4.448, 4 * 4.448},
         "",
         ""},
        {"mean of two channels",
         "LVDT_N,LVDT_S,F\n1,3,5\n",
         {"0.5 * (LVDT_N + LVDT_S)", "F"},
         "LVDT_N[]|LVDT_S[]|F[]",
         {2},
         {5},
         "",
         ""},
        {"one length in mm minus one in inches",
         "A [mm],B [in],F [kN]\n30.4,0.1,1\n",
         {"A - B", "F"},
         "A[mm]|B[in]|F[kN]",
         {30.4 - 2.54},
         {1},
         "mm",
         "kN"},
        {"drift in percent of a height",
         "d [mm],F [kN]\n16,1\n-8,2\n",
         {.DriftHeight = 1600},
         "d[mm]|F[kN]",
         {1, -0.5},
         {1, 2},
         "%",
         "kN"},
        {"unit given by the user",
         "1,2\n",
         {.Units = {{"c1", "in"}, {"c2", "kip"}}, .LengthUnit = "mm"},
         "c1[in]|c2[kip]",
         {25.4},
         {2},
         "mm",
         "kip"},
        {"zero by the first sample, scale with offset",
         "d,F\n2,1\n3,2\n5,3\n",
         {.Zero = {{"d", 1}}, .Scale = {{"F", 10, 1}}},
         "d[]|F[]",
         {0, 1, 3},
         {11, 21, 31},
         "",
         ""},
        {"zero by the mean of two samples",
         "d,F\n2,1\n4,2\n5,3\n",
         {.Zero = {{"d", 2}, {"F", 1}}},
         "d[]|F[]",
         {-1, 1, 2},
         {0, 1, 2},
         "",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = ImportText(c.text, c.settings);
        EXPECT_TRUE(read.result.Ok()) << read.result.Warning().value_or("");
        const ChannelRecord& record = read.state.Channels;
        EXPECT_TRUE(record.Active);
        EXPECT_EQ(Names(record), c.channels);
        ASSERT_EQ(read.state.RawDisp.size(), c.disp.size());
        for (size_t i = 0; i < c.disp.size(); ++i) {
            EXPECT_NEAR(read.state.RawDisp[i], c.disp[i], 1e-12 * (1 + std::abs(c.disp[i])));
            EXPECT_NEAR(read.state.RawForce[i], c.force[i], 1e-12 * (1 + std::abs(c.force[i])));
        }
        EXPECT_EQ(record.DisplacementUnit, c.dispUnit);
        EXPECT_EQ(record.ForceUnit, c.forceUnit);
    }
}

TEST(ChannelImport, MetadataTimeAndGaps) {
    const Read read = ImportText(
        "Specimen: W1\nOperator\tlab\nTest unit,RS1,\nRun = 3\n\n"
        "Time [s],Disp [mm],Force [kN],Spare\n"
        "0,NaN,1,9\n0.1,,2,9\n0.2,1,3,\n0.3,2,nan,4\n0.4,3,5,5\n",
        {.Displacement = "Disp", .Force = "Force"});
    // A gap in the spare channel, which no expression reads, leaves its row in.
    ASSERT_TRUE(read.result.Ok()) << read.result.Warning().value_or("");
    const ChannelRecord& record = read.state.Channels;
    EXPECT_EQ(
        record.Metadata,
        (Metadata{{"Specimen", "W1"}, {"Operator", "lab"}, {"Test unit", "RS1"}, {"Run", "3"}}));
    EXPECT_EQ(read.state.RawDisp, (Values{1, 3}));
    EXPECT_EQ(read.state.RawForce, (Values{3, 5}));
    EXPECT_EQ(record.Time, (Values{0.2, 0.4}));
    EXPECT_EQ(record.TimeUnit, "s");
    EXPECT_EQ(record.SkippedRows, 3);
    EXPECT_EQ(record.FirstSkippedLine, 7);
}

TEST(ChannelImport, Refusals) {
    struct Case {
        const char* name;
        std::string text;
        ChannelSettings settings;
        std::string warning;
    };
    const std::string lvdt = "LVDT1 [mm],LVDT2 [mm],Load [kN]\n1,1,1\n2,0,4\n";
    const std::vector<Case> cases = {
        {"unknown channel",
         lvdt,
         {"LVDT3 - LVDT1", "Load"},
         "The displacement expression 'LVDT3 - LVDT1': no channel is named 'LVDT3'; the "
         "channels are LVDT1, LVDT2, Load."},
        {"a force plus a length",
         lvdt,
         {"LVDT1", "Load + LVDT2"},
         "The force expression adds a length (LVDT2, mm) and a force (Load, kN)."},
        {"division by zero on a row",
         lvdt,
         {"LVDT1", "Load / LVDT2"},
         "Line 3: the force expression 'Load / LVDT2' gives no finite number (a division by "
         "zero?)."},
        {"text that is not a number",
         "d,F\n1,2\nabc,3\n",
         {},
         "'abc' is not a valid floating point value"},
        {"an unknown unit",
         "d [mm],F [kN]\n1,2\n",
         {.Units = {{"F", "furlongs_per_bar"}}},
         "The unit 'furlongs_per_bar' of channel F is not known."},
        {"an output unit of the wrong kind",
         lvdt,
         {.LengthUnit = "kN"},
         "'kN' is not a length unit."},
        {"conversion without a unit",
         "1,2\n",
         {.ForceUnit = "kN"},
         "The force expression reads no channel with a force unit; give its channels their unit "
         "to convert to kN."},
        {"unknown channel to zero",
         lvdt,
         {.Zero = {{"LVDT9", 1}}},
         "No channel is named 'LVDT9'; the channels are LVDT1, LVDT2, Load."},
        {"an assignment",
         lvdt,
         {"LVDT1 = 3", "Load"},
         "The displacement expression 'LVDT1 = 3': '=' would assign; compare with '=='."},
        {"no data", "a,b\nc,d\n", {}, "No line from line 1 on reads as a row of numbers."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = ImportText(c.text, c.settings);
        EXPECT_EQ(read.result.Warning().value_or(""), c.warning);
    }
}

TEST(ChannelImport, UnitsAgainstHandValues) {
    EXPECT_DOUBLE_EQ(*ConversionFactor("kip", "kN"), 4.4482216152605);
    EXPECT_DOUBLE_EQ(*ConversionFactor("kN", "kip"), 1 / 4.4482216152605);
    EXPECT_DOUBLE_EQ(*ConversionFactor("in", "mm"), 25.4);
    EXPECT_DOUBLE_EQ(*ConversionFactor("mm", "in"), 1 / 25.4);
    EXPECT_DOUBLE_EQ(*ConversionFactor("tf", "kN"), 9.80665);
    EXPECT_DOUBLE_EQ(*ConversionFactor("lb", "N"), 4.4482216152605);
    EXPECT_DOUBLE_EQ(*ConversionFactor("ft", "cm"), 30.48);
    EXPECT_FALSE(ConversionFactor("mm", "kN"));
    EXPECT_FALSE(ConversionFactor("mm", "bogus"));
    for (const auto unit : LengthUnits()) EXPECT_EQ(ReadUnit(unit)->Kind, UnitKind::Length) << unit;
    for (const auto unit : ForceUnits()) EXPECT_EQ(ReadUnit(unit)->Kind, UnitKind::Force) << unit;
}

// A file without a header read by its channels gives the numbers of the two-column import.
TEST(ChannelImport, HeaderlessRecordAsTheTwoColumnImport) {
    const std::string path = std::string(QLNX_SHARED_DATA) + "/clt_wall_TS1_shear.csv";
    AnalysisState plain;
    ASSERT_TRUE(ImportCurveFile(plain, path, ImportParameters{}).Ok());
    const Read read = Import(path, {});
    ASSERT_TRUE(read.result.Ok());
    EXPECT_EQ(read.state.RawDisp, plain.RawDisp);
    EXPECT_EQ(read.state.RawForce, plain.RawForce);
    EXPECT_EQ(read.state.Channels.SkippedRows, 0);
}

TEST(ChannelImport, RealMultiChannelRecords) {
    for (int k = 1; k <= 6; ++k) {
        const std::string path =
            std::string(QLNX_SHARED_DATA) + "/stone_rezaie2020_RS" + std::to_string(k) + ".csv";
        SCOPED_TRACE(path);
        const Read read = Import(path, {"top_displacement", "horizontal_force"});
        ASSERT_TRUE(read.result.Ok()) << read.result.Warning().value_or("");
        const ChannelRecord& record = read.state.Channels;
        EXPECT_EQ(Names(record), "top_displacement[mm]|horizontal_force[kN]|drift[%]");
        EXPECT_EQ(record.Metadata.at(0).first, "Test unit");
        EXPECT_EQ(record.Metadata.at(0).second, "RS" + std::to_string(k));
        EXPECT_GT(record.SkippedRows, 0);
        EXPECT_EQ(record.FirstSkippedLine, 5);
        EXPECT_GT(read.state.RawDisp.size(), 1000u);
    }
    const std::string brfd = std::string(QLNX_SHARED_DATA) + "/brfd_char_1Hz36lb_1in.csv";
    const Read inches = Import(brfd, {"displacement", "friction_force"});
    ASSERT_TRUE(inches.result.Ok()) << inches.result.Warning().value_or("");
    const Read metric = Import(brfd, {.Displacement = "displacement",
                                      .Force = "friction_force",
                                      .LengthUnit = "mm",
                                      .ForceUnit = "kN"});
    ASSERT_TRUE(metric.result.Ok());
    ASSERT_EQ(metric.state.RawDisp.size(), 7169u);
    EXPECT_EQ(metric.state.Channels.Time.size(), 7169u);
    EXPECT_EQ(metric.state.Channels.TimeUnit, "s");
    for (size_t i = 0; i < 7169; i += 1000) {
        EXPECT_DOUBLE_EQ(metric.state.RawDisp[i], inches.state.RawDisp[i] * 25.4);
        EXPECT_DOUBLE_EQ(metric.state.RawForce[i], inches.state.RawForce[i] * 4.4482216152605);
    }
    const Read band = Import(brfd, {.Displacement = "displacement",
                                    .Force = "actuator_force_1 + actuator_force_2",
                                    .ForceUnit = "N"});
    ASSERT_TRUE(band.result.Ok()) << band.result.Warning().value_or("");
    EXPECT_NEAR(band.state.RawForce[0], (49.29723218083382 + 6.530092796310782) * 4.4482216152605,
                1e-9);
}

}  // namespace
}  // namespace qlnx

namespace qlnx {
namespace {

// A record long enough to be read in pieces: the rows, the gaps and the failure's line are
// those of one reading from the top.
TEST(ChannelImport, LongRecordReadInPiecesAsFromTheTop) {
    std::string text = "Specimen: long\nd [mm],F [kN],T\n";
    Values disp;
    Values force;
    constexpr int kRows = 200000;  // about 3 MB
    for (int i = 0; i < kRows; ++i) {
        const bool gap = i % 50000 == 7;
        text += gap ? "NaN," : std::to_string(i) + ".25,";
        text += "-" + std::to_string(i) + ".5,20.125\n";
        if (!gap) {
            disp.push_back(i + 0.25);
            force.push_back(-i - 0.5);
        }
    }
    ChannelSettings settings;
    settings.Displacement = "d";
    settings.Force = "F";
    const Read read = ImportText(text, settings);
    ASSERT_TRUE(read.result.Ok()) << read.result.Warning().value_or("");
    EXPECT_EQ(read.state.RawDisp, disp);
    EXPECT_EQ(read.state.RawForce, force);
    EXPECT_EQ(read.state.Channels.SkippedRows, 4);
    EXPECT_EQ(read.state.Channels.FirstSkippedLine, 3 + 7);
    // A field that is no number near the end is told by its line.
    const Read bad = ImportText(text + "1.5,x,3\n" + "2,2,2\n", settings);
    EXPECT_EQ(bad.result.LineMessage(),
              "Line " + std::to_string(3 + kRows) + ": 'x' is not a number.");
}

TEST(ChannelImport, PlainRowsReadInOnePassAsByTheFullRule) {
    // The same rows with commas (read in one pass, the unused fields passed over) and with
    // semicolons (split into fields and converted one by one): the same bits. Some rows go to
    // the full rule midway: a quoted text in an unused field, a gap, a '+' sign, blanks.
    std::string commas = "t [s],d [mm],x,F [kN],y\n";
    std::string semicolons = "t [s];d [mm];x;F [kN];y\n";
    for (int i = 0; i < 3000; ++i) {
        const std::string t = std::to_string(i) + "e-3";
        const std::string d = (i % 7 == 3 ? "+" : "-") + std::to_string(i * 0.1234567);
        const std::string x = i % 11 == 5 ? "\"a b\"" : "7";
        const std::string f = i % 997 == 1 ? "NaN" : std::to_string(1.0 / (i + 3)) + "E2";
        const std::string blank = i % 13 == 0 ? "  " : "";
        commas += t + "," + blank + d + "," + x + "," + f + ",.5\n";
        semicolons += t + ";" + blank + d + ";" + x + ";" + f + ";.5\n";
    }
    ChannelSettings settings;
    settings.Displacement = "d";
    settings.Force = "F";
    const Read plain = ImportText(commas, settings);
    const Read full = ImportText(semicolons, settings);
    ASSERT_TRUE(plain.result.Ok()) << plain.result.LineMessage().value_or("");
    ASSERT_TRUE(full.result.Ok()) << full.result.Warning().value_or("");
    ASSERT_EQ(plain.state.RawDisp.size(), 2996u);
    const auto bits = [](const std::vector<double>& v) {
        return std::string(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(double));
    };
    EXPECT_EQ(bits(plain.state.RawDisp), bits(full.state.RawDisp));
    EXPECT_EQ(bits(plain.state.RawForce), bits(full.state.RawForce));
    EXPECT_EQ(bits(plain.state.Channels.Time), bits(full.state.Channels.Time));
    EXPECT_EQ(plain.state.Channels.SkippedRows, 4);
    EXPECT_EQ(plain.state.Channels.FirstSkippedLine, full.state.Channels.FirstSkippedLine);
}

// Turning the rows into the curve block by block as they are read gives the bits of reading
// whole columns and evaluating them with muparser afterwards: every form worked out without
// muparser's interpreter and some it evaluates, with channels in inches and kips converted to
// mm and kN, a calibration, gaps, negative zeros, commas and semicolons with decimal commas,
// and a record long enough to be read in pieces. The refusals are the same too.
TEST(ChannelImport, BlocksAsWholeColumns) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> uniform(-50, 50);
    std::string commas = "Time [s],LVDT1 [in],LVDT2 [mm],LC1 [kip],LC2 [kN],Spare\n";
    constexpr int kRows = 24000;  // about 1.6 MB, beyond a piece
    for (int i = 0; i < kRows; ++i) {
        std::string row = std::to_string(i) + "e-3";
        for (int c = 0; c < 4; ++c) {
            char value[40];
            std::snprintf(value, sizeof value, "%.17g", uniform(random));
            const bool gap = i % 5003 == 17 + c;
            row += "," + std::string(gap                         ? (c % 2 == 0 ? "" : "NaN")
                                     : i % 97 == c && c % 2 == 0 ? "-0"
                                                                 : value);
        }
        commas += row + ",7\n";
    }
    std::string semicolons = commas;
    for (char& ch : semicolons) ch = ch == ',' ? ';' : ch == '.' ? ',' : ch;
    const auto bits = [](const std::vector<double>& v) {
        return std::string(reinterpret_cast<const char*>(v.data()), v.size() * sizeof(double));
    };
    const std::vector<std::pair<std::string, std::string>> expressions = {
        {"LVDT1 - LVDT2", "LC1 + LC2"},    {"c2", "LC1 * 4.448"},
        {"LVDT2 * LVDT1", "LC2 / LVDT2"},  {"2 * LVDT1 - 3", "(LC1 + 1) / 4"},
        {"0.5 * (LVDT1 + LVDT2)", "-LC1"}, {"sin(LVDT1) + LVDT2^2", "LC1 - LC1"},
    };
    for (const std::string& text : {commas, semicolons}) {
        const std::string path = WriteFile("blocks.csv", text);
        for (const auto& [d, f] : expressions) {
            ChannelSettings settings;
            settings.Displacement = d;
            settings.Force = f;
            settings.LengthUnit = "mm";
            settings.ForceUnit = "kN";
            settings.Scale = {{"LC2", 1.5, 0.25}};
            SetBlockEvaluation(false);
            const Read columns = Import(path, settings);
            SetBlockEvaluation(true);
            const Read blocks = Import(path, settings);
            SCOPED_TRACE(d + " | " + f + (text == commas ? " commas" : " semicolons"));
            ASSERT_TRUE(columns.result.Ok()) << columns.result.Warning().value_or("");
            ASSERT_TRUE(blocks.result.Ok()) << blocks.result.Warning().value_or("");
            EXPECT_GT(blocks.state.Channels.SkippedRows, 0);
            EXPECT_EQ(bits(blocks.state.RawDisp), bits(columns.state.RawDisp));
            EXPECT_EQ(bits(blocks.state.RawForce), bits(columns.state.RawForce));
            EXPECT_EQ(bits(blocks.state.Channels.Time), bits(columns.state.Channels.Time));
            EXPECT_EQ(blocks.state.Channels.SkippedRows, columns.state.Channels.SkippedRows);
            EXPECT_EQ(blocks.state.Channels.SkippedLines, columns.state.Channels.SkippedLines);
        }
    }
    // A division by zero and a text in a channel read: the same refusal, no curve kept.
    for (const std::string& bad :
         {std::string("9e-3,1,0,3,4,7\n"), std::string("9e-3,1,y,3,4,7\n")}) {
        const std::string path = WriteFile("blocks.csv", commas + bad + "1,1,1,1,1,1\n");
        ChannelSettings settings;
        settings.Displacement = "LVDT1 - LVDT2";
        settings.Force = "LC2 / LVDT2";
        SetBlockEvaluation(false);
        const Read columns = Import(path, settings);
        SetBlockEvaluation(true);
        const Read blocks = Import(path, settings);
        EXPECT_FALSE(blocks.result.Ok());
        EXPECT_EQ(blocks.result.Text, columns.result.Text);
        EXPECT_EQ(blocks.result.LineMessage(), columns.result.LineMessage());
        EXPECT_EQ(blocks.state.RawDisp, columns.state.RawDisp);
        EXPECT_EQ(blocks.state.RawForce, columns.state.RawForce);
        EXPECT_EQ(blocks.state.Channels.Time, columns.state.Channels.Time);
    }
}

}  // namespace
}  // namespace qlnx
