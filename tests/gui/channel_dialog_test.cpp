// The channels of Options > Import Options…: a lab's record with a name and a unit in each
// header field read by expressions over its channels, units changed in the table and the
// output units, an expression refused as it is typed, and the mapping remembered for the
// same header the next time.
#include <qcustomplot.h>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include "tform1_fixture.h"

namespace qlnx::test {
namespace {

class ChannelDialogTest : public TForm1Test {
protected:
    void TearDown() override { QSettings().clear(); }
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
    template <class W>
    static W* In(QDialog& dialog, const char* name) {
        W* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QStringList Column(QDialog& dialog, int column) {
        auto* table = In<QTableWidget>(dialog, "tblChannels");
        QStringList cells;
        for (int r = 0; r < table->rowCount(); ++r) cells << table->item(r, column)->text();
        return cells;
    }
    static void EditCell(QDialog& dialog, int row, int column, const QString& text) {
        In<QTableWidget>(dialog, "tblChannels")->item(row, column)->setText(text);
    }
    static QString Problem(QDialog& dialog, const char* label) {
        auto* l = In<QLabel>(dialog, label);
        return l->isHidden() ? QString() : l->text();
    }

    // Two displacement transducers (one in inches) and a load cell, semicolons and decimal
    // commas, a metadata line above the header.
    static constexpr const char* kRecord =
        "Specimen: W1\n"
        "Time [s];LVDT top [mm];LVDT base [in];Load [kN]\n"
        "0,0;0,0;0,0;0,0\n"
        "0,1;2,5;0,05;10,0\n"
        "0,2;-1,0;-0,02;-4,5\n";
};

TEST_F(ChannelDialogTest, DifferenceOfTwoChannelsInOutputUnitsRememberedForTheLayout) {
    const QString path = WriteFile("wall.csv", kRecord);
    Import(path);  // read by its two first columns, as designed: the header is refused
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    dialogs.boxes.clear();

    WithDialog([](QDialog& dialog) {
        auto* group = In<QGroupBox>(dialog, "grpChannels");
        EXPECT_TRUE(group->isChecked());  // the record has a name row
        EXPECT_EQ(Column(dialog, 0), (QStringList{"Time", "LVDT_top", "LVDT_base", "Load"}));
        EXPECT_EQ(Column(dialog, 1), (QStringList{"s", "mm", "in", "kN"}));
        EXPECT_EQ(Column(dialog, 2).at(1), "0,0; 2,5; -1,0");
        // Completion of the name being typed, the rest of the expression kept.
        auto* disp = In<QLineEdit>(dialog, "edtDisplacement");
        QTest::keyClicks(disp, "LVDT_top - LVDT_b");
        auto* completer = disp->findChild<QCompleter*>();
        ASSERT_NE(completer, nullptr);
        EXPECT_EQ(completer->completionCount(), 1);
        EXPECT_EQ(completer->currentCompletion(), "LVDT_base");
        emit completer->activated(QStringLiteral("LVDT_base"));
        EXPECT_EQ(disp->text(), "LVDT_top - LVDT_base");
        In<QLineEdit>(dialog, "edtForce")->setText("Load");
        In<QComboBox>(dialog, "cbbForceUnit")->setCurrentText("N");
        EXPECT_EQ(Problem(dialog, "lblDisplacementProblem"), "");
        EXPECT_EQ(Problem(dialog, "lblChannelProblem"), "");
        // The preview plots the rows as they will be read.
        auto* plot = In<QCustomPlot>(dialog, "pltPreview");
        EXPECT_EQ(plot->xAxis->label(), "Displacement (mm)");
        EXPECT_EQ(plot->yAxis->label(), "Force (N)");
        EXPECT_TRUE(In<QPushButton>(dialog, "btnOK")->isEnabled());
        In<QPushButton>(dialog, "btnOK")->click();
    });
    // OK re-read the record: the base slip in inches converted before the difference.
    EXPECT_TRUE(dialogs.Shown().empty());
    ASSERT_EQ(State().RawDisp.size(), 3u);
    EXPECT_DOUBLE_EQ(State().RawDisp[1], 2.5 - 0.05 * 25.4);
    EXPECT_DOUBLE_EQ(State().RawDisp[2], -1.0 + 0.02 * 25.4);
    EXPECT_EQ(State().RawForce, (std::vector<double>{0, 10000, -4500}));
    EXPECT_EQ(Chart()->xAxis->label(), "Displacement (mm)");
    EXPECT_EQ(Chart()->yAxis->label(), "Force (N)");
    EXPECT_EQ(Find<QLabel>("lbl4")->text(), "Max Disp Force 1 (N)");
    EXPECT_EQ(StatusText(),
              "3 rows; semicolon-separated, decimal comma; Displacement (mm), Force (N)");

    // Another record with the same header gets the same mapping at once.
    Import(WriteFile("wall2.csv", std::string(kRecord) + "0,3;4,0;0,0;20,0\n"));
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_EQ(State().RawDisp.size(), 4u);
    EXPECT_EQ(State().RawForce.back(), 20000);
    // A record of bare columns is read as designed, with the designed titles.
    Import(WriteFile("plain.csv", kWorkedExample));
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 2, -1, 3, 3, -2}));
    EXPECT_EQ(Chart()->xAxis->label(), "Disp");
    EXPECT_EQ(Find<QLabel>("lbl4")->text(), "Max Disp Force 1");
    // Recent Records offers the record again, with its mapping.
    Find<QAction>("RecentRecord3")->trigger();
    EXPECT_EQ(State().RawForce, (std::vector<double>{0, 10000, -4500}));
}

TEST_F(ChannelDialogTest, UnitChangedInTheTableAndExpressionsRefusedAsTyped) {
    Import(WriteFile("wall.csv", kRecord));
    dialogs.boxes.clear();
    WithDialog([](QDialog& dialog) {
        auto* disp = In<QLineEdit>(dialog, "edtDisplacement");
        auto* ok = In<QPushButton>(dialog, "btnOK");
        const struct {
            const char* expression;
            const char* problem;
        } refused[] = {
            {"LVDT_top - LVDT_side",
             "The displacement expression 'LVDT_top - LVDT_side': no channel is named "
             "'LVDT_side'; the channels are Time, LVDT_top, LVDT_base, Load."},
            {"LVDT_top + Load",
             "The displacement expression adds a length (LVDT_top, mm) and a force (Load, kN)."},
        };
        for (const auto& r : refused) {
            SCOPED_TRACE(r.expression);
            disp->setText(r.expression);
            EXPECT_EQ(Problem(dialog, "lblDisplacementProblem"), r.problem);
            EXPECT_FALSE(ok->isEnabled());
        }
        // An unknown unit is marked and named.
        disp->setText("LVDT_top - LVDT_base");
        In<QLineEdit>(dialog, "edtForce")->setText("Load");
        EditCell(dialog, 2, 1, "zorkmids");
        EXPECT_EQ(Problem(dialog, "lblChannelProblem"),
                  "The unit 'zorkmids' of channel LVDT_base is not known.");
        EXPECT_FALSE(ok->isEnabled());
        // The base transducer was in mm after all; calibration of the load cell.
        EditCell(dialog, 2, 1, "mm");
        EditCell(dialog, 3, 4, "2");
        EditCell(dialog, 3, 5, "1");
        EXPECT_EQ(Problem(dialog, "lblChannelProblem"), "");
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    EXPECT_EQ(State().RawDisp, (std::vector<double>{0, 2.5 - 0.05, -1.0 + 0.02}));
    EXPECT_EQ(State().RawForce, (std::vector<double>{1, 21, -8}));

    // Unchecked, the channels are forgotten and the two columns read as designed.
    WithDialog([](QDialog& dialog) {
        EXPECT_EQ(Column(dialog, 1), (QStringList{"s", "mm", "mm", "kN"}));
        EXPECT_EQ(Column(dialog, 4).at(3), "2");
        In<QGroupBox>(dialog, "grpChannels")->setChecked(false);
        In<QPushButton>(dialog, "btnOK")->click();
    });
    EXPECT_TRUE(State().RawDisp.empty());
    ASSERT_EQ(dialogs.Shown().size(), 1u);
}

}  // namespace
}  // namespace qlnx::test
