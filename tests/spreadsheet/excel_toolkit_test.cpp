// Cell references, typed wrappers and the fixed call sequences of single operations.
#include "spreadsheet/excel_toolkit.h"

#include <gtest/gtest.h>

#include "recording_target.h"
#include "spreadsheet/automation_calls.h"
#include "spreadsheet/automation_error.h"

namespace qlnx::testing {
namespace {

TEST(ColumnLetters, BijectiveBase26) {
    const std::pair<int, const char*> cases[] = {
        {1, "A"},   {2, "B"},   {25, "Y"},   {26, "Z"},    {27, "AA"},
        {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"},
    };
    for (const auto& [column, letters] : cases) EXPECT_EQ(ColumnLetters(column), letters) << column;
}

TEST(CellReference, MarkerLettersMarkerRow) {
    EXPECT_EQ(CellReference(12, 2, "$"), "$B$12");
    EXPECT_EQ(CellReference(1, 28, "$"), "$AB$1");
    EXPECT_EQ(CellReference(1048577, 12, "$"), "$L$1048577");
    EXPECT_EQ(CellReference(3, 1, ""), "A3");
}

class Toolkit : public ::testing::Test {
protected:
    std::shared_ptr<CallRecorder> recorder = std::make_shared<CallRecorder>();
    DispatchPtr object = NewRecordingApplication(recorder);
    const std::vector<std::string>& calls() const { return recorder->calls; }
    void TearDown() override { EXPECT_TRUE(recorder->protocolErrors.empty()); }
};

TEST_F(Toolkit, WrappersSendTheirValueKinds) {
    SetBoolProperty(object, "Visible", false);
    SetIntProperty(object, "MarkerSize", -7);
    SetUIntProperty(object, "RGB", 0xFFFFFFu);
    SetFloatProperty(object, "Weight", 0.75f);
    SetTextProperty(object, "Text", "Kraft 力");
    CallInt(object, "Axes", 2);
    CallIntInt(object, "Axes", 1, 2);
    GetCell(object, 5, 3);
    GetCellShort(object, 7, 9);
    EXPECT_EQ(calls(), (std::vector<std::string>{
                           "put App.Visible = BOOL 0",
                           "put App.MarkerSize = I4 -7",
                           "put App.RGB = UI4 16777215",
                           "put App.Weight = R4 0.75",
                           "put App.Text = BSTR \"Kraft 力\"",
                           "call App.Axes(I4 2) -> Axes#1",
                           "call App.Axes(I4 1, I4 2) -> Axes#2",
                           "get App.Cells(I4 5, I4 3) -> Cells#3",
                           "get App.Cells(I2 7, I2 9) -> Cells#4",
                       }));
    // Every call made its own lookup; the returned handles were dropped.
    EXPECT_EQ(recorder->lookups, 9);
    EXPECT_EQ(recorder->liveObjects, 1);
}

TEST_F(Toolkit, SetCellTextRowsAndEmptyText) {
    SetCellText(object, 32767, 2, "");
    SetCellText(object, 32768, 2, "x");
    EXPECT_EQ(calls(), (std::vector<std::string>{
                           "get App.Cells(I2 32767, I2 2) -> Cells#1",
                           "put Cells#1.Value = BSTR \"\"",
                           "get App.Cells(I4 32768, I4 2) -> Cells#2",
                           "put Cells#2.Value = BSTR \"x\"",
                       }));
}

TEST_F(Toolkit, ChartTitleTextOnlyWhenTheChartHasATitle) {
    recorder->hasTitle = false;
    SetChartTitleText(object, "T");
    EXPECT_EQ(calls(), (std::vector<std::string>{"get App.HasTitle() -> BOOL 0"}));
    recorder->hasTitle = true;
    SetChartTitleText(object, "T");
    EXPECT_EQ(calls().size(), 4u);
    EXPECT_EQ(calls()[3], "put ChartTitle#1.Text = BSTR \"T\"");
}

TEST_F(Toolkit, MarkerNoneSetsTheStyleOnly) {
    SetSeriesMarker(object, kXlMarkerStyleNone, 2);
    SetSeriesMarker(object, 5, 9);
    EXPECT_EQ(calls(), (std::vector<std::string>{
                           "put App.MarkerStyle = I4 -4142",
                           "put App.MarkerStyle = I4 5",
                           "put App.MarkerSize = I4 9",
                       }));
}

TEST_F(Toolkit, HiddenAxisLineGetsNoColour) {
    ShowXAxisLine(object, false);
    ShowYAxisLine(object, true);
    EXPECT_EQ(calls(), (std::vector<std::string>{
                           "call App.Axes(I4 1, I4 1) -> Axes#1",
                           "get Axes#1.Format() -> Format#2",
                           "get Format#2.Line() -> Line#3",
                           "put Line#3.Visible = BOOL 0",
                           "call App.Axes(I4 2, I4 1) -> Axes#4",
                           "get Axes#4.Format() -> Format#5",
                           "get Format#5.Line() -> Line#6",
                           "put Line#6.Visible = BOOL -1",
                           "get Line#6.ForeColor() -> ForeColor#7",
                           "put ForeColor#7.ObjectThemeColor = I4 13",
                       }));
}

TEST_F(Toolkit, ColourComponentsTakeTheirLowBytes) {
    SetSeriesMarkerFillColor(object, 0x1FF, 0x180, 0x7F);
    EXPECT_EQ(calls().back(), "put ForeColor#3.RGB = UI4 8356095");  // 0xFF + 0x80<<8 + 0x7F<<16
    EXPECT_EQ(calls()[1], "get Format#1.Fill() -> Fill#2");
}

TEST_F(Toolkit, UnknownNameFailsAtTheLookupAndReleasesTheWayThere) {
    recorder->unknownNames = {"Weight"};
    try {
        SetSeriesLineWeight(object, 2);
        FAIL() << "no error";
    } catch (const AutomationError& e) {
        EXPECT_STREQ(e.what(), "Unknown name \"Weight\"");
    }
    // Format, Line and Visible were invoked; Weight was only looked up.
    EXPECT_EQ(calls().size(), 3u);
    EXPECT_EQ(recorder->lookups, 4);
    EXPECT_EQ(recorder->liveObjects, 1);
}

TEST_F(Toolkit, FailedInvocationReleasesIntermediateHandles) {
    recorder->failAtMember = "RGB";
    EXPECT_THROW(SetSeriesLineColor(object, 1, 2, 3), AutomationError);
    EXPECT_EQ(recorder->liveObjects, 1);
    EXPECT_THROW(PropertyGet(DispatchPtr(), "Left"), AutomationError);
}

}  // namespace
}  // namespace qlnx::testing
