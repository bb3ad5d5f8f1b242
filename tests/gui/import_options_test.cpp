// Options > Import Options…: the decimal separator and the two columns with a preview of the
// record's first rows, remembered in the settings; the import's line and header suggestion in
// the message bar and how the file was read in the status area.
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include "gui/main_window/message_bar.h"
#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class ImportOptionsTest : public TForm1Test {
protected:
    void TearDown() override { QSettings().clear(); }
    QString BarText() {
        return Find<MessageBar>("MessageBar")->isHidden() ? QString()
                                                          : Find<QLabel>("MessageText")->text();
    }
    // Opens the dialog from the menu and runs script on it while it is shown.
    void WithDialog(const std::function<void(QDialog&)>& script) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = form->findChild<QDialog*>("ImportOptionForm");
            ASSERT_NE(dialog, nullptr);
            script(*dialog);
            ran = true;
        });
        Find<QAction>("ImportOptions1")->trigger();
        EXPECT_TRUE(ran);
    }
    // The preview as rows of cell texts ("" for an empty cell), with the header on top.
    static std::vector<QStringList> Table(QDialog& dialog) {
        auto* grid = dialog.findChild<QTableWidget*>("grdPreview");
        std::vector<QStringList> rows;
        QStringList header;
        for (int c = 0; c < grid->columnCount(); ++c)
            header << grid->horizontalHeaderItem(c)->text();
        rows.push_back(header);
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList row{grid->verticalHeaderItem(r)->text()};
            for (int c = 0; c < grid->columnCount(); ++c) {
                row << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
            }
            rows.push_back(row);
        }
        return rows;
    }

    // A logger's record: a header line, then time, displacement and force with decimal
    // commas, tab-separated.
    static constexpr const char* kLogger =
        "Zeit\tWeg\tKraft\n0,0\t0,5\t1,5\n0,1\t2,5\t-3\n0,2\t-1,25\t2\n";
};

TEST_F(ImportOptionsTest, HeaderSuggestionAppliesTheFirstLineAndTheStatusSaysHowTheFileWasRead) {
    Import(WriteFile("logger.txt", kLogger));
    EXPECT_EQ(dialogs.Shown(), std::vector<std::string>{
                                   "warning Warning: 'Zeit' is not a valid floating point value"});
    EXPECT_EQ(BarText(), "Line 1 looks like a header: the data start at line 2.");
    QTest::mouseClick(Find<QPushButton>("MessageApply"), Qt::LeftButton);
    EXPECT_EQ(Text("edt7"), "2");
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 0.1, 0.2}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{0.5, 2.5, -1.25}));
    EXPECT_EQ(BarText(), "");
    EXPECT_EQ(Find<QLabel>("rzfldsts3")->text(), "3 rows; tab-separated, decimal comma");

    // A bad value further down: the warning as before, its line in the message bar.
    dialogs.boxes.clear();
    SetText("edt7", "1");
    Import(WriteFile("nan.csv", "0,0\n1,1\nNaN,2\n"));
    EXPECT_EQ(dialogs.Shown(), std::vector<std::string>{
                                   "warning Warning: 'NaN' is not a valid floating point value"});
    EXPECT_EQ(BarText(), "Line 3: 'NaN' is not a number.");
    EXPECT_EQ(Find<QLabel>("rzfldsts3")->text(), "2 rows; comma-separated, decimal point");
}

TEST_F(ImportOptionsTest, DialogPreviewsTheChosenColumnsAndIsRemembered) {
    SetText("edt7", "2");
    Import(WriteFile("logger.txt", kLogger));
    ASSERT_TRUE(dialogs.boxes.empty());
    WithDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Import Options");
        EXPECT_EQ(dialog.findChild<QLabel*>("lblFormat")->text(),
                  "Read from line 2: tab-separated, decimal comma.");
        EXPECT_EQ(Table(dialog),
                  (std::vector<QStringList>{
                      {"1 Displacement", "2 Force", "3", "Displacement read", "Force read"},
                      {"2", "0,0", "0,5", "1,5", "0", "0.5"},
                      {"3", "0,1", "2,5", "-3", "0.1", "2.5"},
                      {"4", "0,2", "-1,25", "2", "0.2", "-1.25"},
                  }));
        dialog.findChild<QSpinBox*>("spnDisplacementColumn")->setValue(2);
        dialog.findChild<QSpinBox*>("spnForceColumn")->setValue(3);
        EXPECT_EQ(Table(dialog)[0], (QStringList{"1", "2 Displacement", "3 Force",
                                                 "Displacement read", "Force read"}));
        EXPECT_EQ(Table(dialog)[2], (QStringList{"3", "0,1", "2,5", "-3", "2.5", "-3"}));
        // With a decimal point the commas separate fields again, as the preview shows.
        dialog.findChild<QComboBox*>("cbbDecimal")->setCurrentIndex(1);
        EXPECT_EQ(dialog.findChild<QLabel*>("lblFormat")->text(),
                  "Read from line 2: comma-separated, decimal point.");
        EXPECT_EQ(Table(dialog)[1], (QStringList{"2", "0", "0", "0", "5", "1", "5", "0", "0"}));
        // The same column twice cannot be chosen.
        dialog.findChild<QSpinBox*>("spnForceColumn")->setValue(2);
        EXPECT_FALSE(dialog.findChild<QPushButton*>("btnOK")->isEnabled());
        dialog.findChild<QSpinBox*>("spnForceColumn")->setValue(3);
        dialog.findChild<QComboBox*>("cbbDecimal")->setCurrentIndex(0);
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    EXPECT_EQ(form->CurrentImportOptions(), (ImportOptions{DecimalMode::Auto, 2, 3}));
    Click("btn9");  // ReImport with the new columns
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0.5, 2.5, -1.25}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{1.5, -3, 2}));

    // Cancel keeps them; a new window starts with them.
    WithDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QSpinBox*>("spnDisplacementColumn")->value(), 2);
        dialog.findChild<QComboBox*>("cbbDecimal")->setCurrentIndex(2);
        dialog.findChild<QPushButton*>("btnCancel")->click();
    });
    EXPECT_EQ(form->CurrentImportOptions(), (ImportOptions{DecimalMode::Auto, 2, 3}));
    TForm1 second(dialogs);
    EXPECT_EQ(second.CurrentImportOptions(), (ImportOptions{DecimalMode::Auto, 2, 3}));
    // The settings are the tests' own, never the user's.
    EXPECT_TRUE(QSettings().fileName().startsWith(QDir::tempPath()))
        << QSettings().fileName().toStdString();
}

// Columns past the end of a record's rows: the message bar says where they are set and opens
// Import Options on that record; OK there reads the record again with the columns chosen.
TEST_F(ImportOptionsTest, ColumnsPastTheEndOpenImportOptionsOnTheRecord) {
    WithDialog([](QDialog& dialog) {
        dialog.findChild<QSpinBox*>("spnDisplacementColumn")->setValue(2);
        dialog.findChild<QSpinBox*>("spnForceColumn")->setValue(3);
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    const QString two = WriteFile("two.csv", "0,0\n1,5\n-1,-4\n");
    Import(two);
    EXPECT_EQ(dialogs.Shown(),
              std::vector<std::string>{"warning Warning: List index out of bounds (2)"});
    EXPECT_EQ(BarText(),
              "Line 1 has no field 3: Import Options reads the displacement from "
              "column 2 and the force from column 3.");
    auto* button = Find<QPushButton>("MessageApply");
    EXPECT_EQ(button->text(), "Import Options\u2026");
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = form->findChild<QDialog*>("ImportOptionForm");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->findChild<QLabel*>("lblFormat")->text(),
                  "Read from line 1: comma-separated, decimal point.");
        EXPECT_EQ(Table(*dialog)[1], (QStringList{"1", "0", "0", "Line 1 has no field 3.", ""}));
        dialog->findChild<QSpinBox*>("spnDisplacementColumn")->setValue(1);
        dialog->findChild<QSpinBox*>("spnForceColumn")->setValue(2);
        dialog->findChild<QPushButton*>("btnOK")->click();
        shown = true;
    });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 1, -1}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{0, 5, -4}));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(BarText(), "");
    // The next message bar's button is Apply again.
    Import(WriteFile("header.csv", "Disp,Force\n0,0\n1,5\n"));
    EXPECT_EQ(button->text(), "Apply");

    // Columns chosen while a record is shown read it again at once.
    Import(WriteFile("three.csv", "9,0,0\n9,1,5\n9,-1,-4\n"));
    EXPECT_EQ(State().RawDisp, (std::vector<double>{9, 9, 9}));
    WithDialog([](QDialog& dialog) {
        dialog.findChild<QSpinBox*>("spnDisplacementColumn")->setValue(2);
        dialog.findChild<QSpinBox*>("spnForceColumn")->setValue(3);
        dialog.findChild<QPushButton*>("btnOK")->click();
    });
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 1, -1}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{0, 5, -4}));
}

TEST_F(ImportOptionsTest, PreviewWithoutARecordAndPastTheEnd) {
    WithDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLabel*>("lblFormat")->text(),
                  "Import a record to see here how its first lines are read.");
        EXPECT_EQ(dialog.findChild<QTableWidget*>("grdPreview")->rowCount(), 0);
        dialog.findChild<QPushButton*>("btnCancel")->click();
    });
    Import(WriteFile("short.csv", "0,0\n1,1\n"));
    SetText("edt7", "500");
    WithDialog([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLabel*>("lblFormat")->text(),
                  "The file has 2 lines; line 500 is past its end.");
        dialog.findChild<QPushButton*>("btnCancel")->click();
    });
}

}  // namespace
}  // namespace qlnx::test
