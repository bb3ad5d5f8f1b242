// Settings that belong to a record: the band, direction and first line applied to one record
// come back with it from Recent Records and never reach a record opened for the first time;
// a first line below the data's start says how many rows it left unread.
#include <QAction>
#include <QComboBox>
#include <QLabel>

#include "gui/main_window/message_bar.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class RecordSettingsTest : public TForm1Test {
protected:
    QString BarText() {
        return Find<MessageBar>("MessageBar")->isHidden() ? QString()
                                                          : Find<QLabel>("MessageText")->text();
    }
};

// Two numeric lines, a header, then dither by 0.001 around 0 and two and a half cycles of
// amplitude 1 towards negative displacements first: 12 loops plain, 3 with a band of 0.02.
std::string NumbersHeaderThenDither() {
    std::string text = "5,5\n6,6\nDisp,Force\n0,0\n";
    for (int k = 1; k <= 20; ++k) text += k % 2 ? "0.001,1\n" : "-0.001,-1\n";
    return text + "-1,-5\n1,5\n-1,-5\n1,5\n-1,-5\n0,0\n";
}

TEST_F(RecordSettingsTest, BandDirectionAndFirstLineStayWithTheirRecord) {
    const QString a = WriteFile("a.csv", NumbersHeaderThenDither());
    const QString b = WriteFile("b.csv", NumbersHeaderThenDither().substr(19));
    SetText("edt7", "4");
    Import(a);
    EXPECT_EQ(State().RawDisp.size(), 27u);
    EXPECT_TRUE(StatusText().endsWith("; 2 numeric lines above line 4 were not read"))
        << StatusText().toStdString();
    Click("btn2");
    ASSERT_EQ(Text("edt6"), "12");
    QTest::mouseClick(Find<QPushButton>("MessageApply"), Qt::LeftButton);
    ASSERT_EQ(Text("edtNoiseBand"), "0.02");
    ASSERT_EQ(Text("edt6"), "3");
    QTest::mouseClick(Find<QPushButton>("MessageApply"), Qt::LeftButton);
    ASSERT_EQ(Find<QComboBox>("cbb4")->currentIndex(), 1);

    // Never opened: the defaults, so the record is read whole and its band suggested again.
    Import(b);
    EXPECT_EQ(Text("edt7"), "1");
    EXPECT_EQ(Text("edtNoiseBand"), "0");
    EXPECT_EQ(Find<QComboBox>("cbb4")->currentIndex(), 0);
    EXPECT_EQ(State().RawDisp.size(), 27u);
    EXPECT_FALSE(StatusText().contains("numeric")) << StatusText().toStdString();
    Click("btn2");
    EXPECT_EQ(Text("edt6"), "12");
    EXPECT_TRUE(BarText().contains("A noise band of 0.02 merges them.")) << BarText().toStdString();

    // A first line the user sets for the current record is kept on reading it again.
    SetText("edt7", "2");
    Import(b);
    EXPECT_EQ(State().RawDisp.size(), 26u);
    EXPECT_TRUE(StatusText().endsWith("; 1 numeric line above line 2 was not read"))
        << StatusText().toStdString();

    // Back from Recent Records: a's own settings, and b's after it.
    Find<QAction>("RecentRecord2")->trigger();
    EXPECT_EQ(Text("edt5"), a);
    EXPECT_EQ(Text("edt7"), "4");
    EXPECT_EQ(Text("edtNoiseBand"), "0.02");
    EXPECT_EQ(Find<QComboBox>("cbb4")->currentIndex(), 1);
    EXPECT_EQ(State().RawDisp.size(), 27u);
    Find<QAction>("RecentRecord2")->trigger();
    EXPECT_EQ(Text("edt5"), b);
    EXPECT_EQ(Text("edt7"), "2");
    EXPECT_EQ(Text("edtNoiseBand"), "0");
    EXPECT_TRUE(dialogs.boxes.empty());
}

// A first line typed but never read with, or one whose reading failed, is not kept for the
// record: it comes back with the first line it was last read whole with.
TEST_F(RecordSettingsTest, OnlyTheLinesARecordWasReadWithStayWithIt) {
    const QString a = WriteFile("a.csv", NumbersHeaderThenDither());
    const QString b = WriteFile("b.csv", NumbersHeaderThenDither().substr(19));
    SetText("edt7", "4");
    Import(a);
    SetText("edt7", "9");
    Click("btn2");  // analyses a, read from line 4
    SetText("edt7", "1000");
    Click("btn9");  // past the end: a warning, and nothing kept
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    dialogs.boxes.clear();
    SetText("edt7", "1000");
    Import(b);  // the box the user changed stays: b is read from line 1000
    EXPECT_EQ(Text("edt7"), "1000");
    dialogs.boxes.clear();
    SetText("edt7", "1");
    Import(b);
    SetText("edt7", "1");  // as b's was read: a's own comes back
    Import(a);
    EXPECT_EQ(Text("edt7"), "4");
    EXPECT_EQ(State().RawDisp.size(), 27u);
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace qlnx::test
