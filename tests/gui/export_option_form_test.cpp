// The "Export Options" dialog driven headless through its object names.
#include "gui/dialogs/export_option_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <functional>

#include "core/number_text.h"
#include "test_application.h"

namespace qlnx {
namespace {

class ExportOptionFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApplication();
        SetDecimalSeparator('.');
        InitExcelExportOptions(options);
        QSettings().remove(QStringLiteral("ExportOptions"));
    }
    // What "Update" kept must not reach the windows of other tests.
    void TearDown() override { QSettings().remove(QStringLiteral("ExportOptions")); }

    // Opens the dialog, runs script on it while it is shown, then presses "Cancel".
    void Open(const std::function<void(TExportOptionForm&)>& script) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ASSERT_NE(ExportOptionForm, nullptr);
            EXPECT_TRUE(ExportOptionForm->isVisible());
            script(*ExportOptionForm);
            ran = true;
            if (ExportOptionForm != nullptr) Child<QPushButton>("btn2")->click();
        });
        ShowExportOptionsDialog(options, nullptr,
                                [this](const std::string& m) { errors.push_back(m); });
        EXPECT_TRUE(ran);
        EXPECT_EQ(ExportOptionForm, nullptr);
    }

    template <class W>
    static W* Child(const char* name) {
        W* w = ExportOptionForm->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QString TextOf(const char* name) {
        if (auto* e = ExportOptionForm->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            return e->text();
        }
        return Child<QComboBox>(name)->currentText();
    }
    static bool Ticked(const char* name) {
        if (auto* r = ExportOptionForm->findChild<QRadioButton*>(QString::fromLatin1(name))) {
            return r->isChecked();
        }
        return Child<QCheckBox>(name)->isChecked();
    }
    static void Type(const char* name, const char* text) {
        if (auto* e = ExportOptionForm->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            e->setText(QString::fromUtf8(text));
        } else {
            Child<QComboBox>(name)->setEditText(QString::fromUtf8(text));
        }
    }
    static void Update() { Child<QPushButton>("btn1")->click(); }

    TExcelExportOptions options;
    std::vector<std::string> errors;
};

TEST_F(ExportOptionFormTest, FirstOpeningShowsTheDefaults) {
    Open([](TExportOptionForm& form) {
        EXPECT_EQ(form.windowTitle(), "Export Options");
        // The designed two columns and the "Chart" group in a third.
        EXPECT_EQ(form.size(), QSize(689, 487));
        const struct {
            const char* name;
            const char* text;
        } texts[] = {
            {"edt4", "300"},    {"edt3", "450"},    {"edt6", "-10000"}, {"edt7", "-10000"},
            {"cbb1", "0.5"},    {"cbb2", "8"},      {"cbb3", "4"},      {"edt8", "10"},
            {"edt9", "10"},     {"edt10", "10"},    {"edt11", "10"},    {"edt5", "Graph Title"},
            {"edt1", "X Axis"}, {"edt2", "Y Axis"}, {"cbb4", "Auto"},   {"cbb5", "Auto"},
        };
        for (const auto& t : texts) EXPECT_EQ(TextOf(t.name), t.text) << t.name;
        for (const char* on : {"rb1", "chk3", "chk1", "chk2", "chk6", "chk7"}) {
            EXPECT_TRUE(Ticked(on)) << on;
        }
        for (const char* off : {"rb2", "chk4", "chk5"}) EXPECT_FALSE(Ticked(off)) << off;
        // Captions as the dialog has always shown them.
        EXPECT_EQ(Child<QCheckBox>("chk1")->text(), "Show Maker");
        EXPECT_EQ(Child<QCheckBox>("chk3")->text(), "Show Lengend");
        EXPECT_EQ(Child<QGroupBox>("grp4")->title(), "Lengend");
        EXPECT_EQ(Child<QGroupBox>("grp6")->geometry(), QRect(238, 357, 215, 81));
        EXPECT_EQ(Child<QPushButton>("btn1")->geometry(), QRect(238, 444, 96, 25));
        EXPECT_EQ(Child<QPushButton>("btn2")->geometry(), QRect(340, 444, 113, 25));
        EXPECT_TRUE(Child<QComboBox>("cbb1")->isEditable());
        EXPECT_FALSE(Child<QComboBox>("cbb2")->isEditable());
        EXPECT_EQ(Child<QComboBox>("cbb3")->count(), 9);
        // The chart as the export has always drawn it.
        for (const char* chartBox : {"cbb6", "cbb7", "cbb8", "cbb9", "cbb10", "cbb11", "cbb12"}) {
            EXPECT_EQ(Child<QComboBox>(chartBox)->currentIndex(), 0) << chartBox;
        }
    });
}

TEST_F(ExportOptionFormTest, LineWeightIsStoredAsAFloat) {
    Open([](TExportOptionForm&) {
        Type("cbb1", "0.3");
        Update();
    });
    EXPECT_EQ(options.LineWeight, 0.3f);
    Open([](TExportOptionForm&) {
        EXPECT_EQ(TextOf("cbb1"), "0.300000011920929");
        Type("cbb1", " 1.25 ");
        Update();
    });
    Open([](TExportOptionForm&) { EXPECT_EQ(TextOf("cbb1"), "1.25"); });
    EXPECT_TRUE(errors.empty());
}

TEST_F(ExportOptionFormTest, UpdateStopsAtTheFirstTextThatDoesNotConvert) {
    Open([](TExportOptionForm& form) {
        Type("edt4", "500");
        Type("edt3", " 200");
        Child<QCheckBox>("chk3")->setChecked(false);
        Child<QCheckBox>("chk4")->setChecked(true);
        Type("cbb1", "1");
        Type("cbb3", "7");
        Child<QCheckBox>("chk1")->setChecked(false);
        Child<QComboBox>("cbb2")->setCurrentIndex(2);
        Type("edt8", "abc");
        Type("edt9", "12");
        Type("edt5", "  New title ");
        Child<QRadioButton>("rb2")->setChecked(true);
        Update();
        // The dialog stays open after the error.
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(ExportOptionForm, &form);
    });
    EXPECT_EQ(errors, std::vector<std::string>{"''abc'' is not a valid integer value"});
    // Steps 1 to 8 stored ...
    EXPECT_EQ(options.ChartWidth, 500);
    EXPECT_EQ(options.ChartHeight, 200);
    EXPECT_FALSE(options.ShowLegend);
    EXPECT_TRUE(options.LegendIncludeInLayout);
    EXPECT_EQ(options.LineWeight, 1.0f);
    EXPECT_EQ(options.MarkerSize, 7);
    EXPECT_FALSE(options.ShowMarker);
    EXPECT_EQ(options.MarkerStyle, 3);
    // ... the failing field and all after it kept.
    EXPECT_EQ(options.TickLabelFontSize, 10);
    EXPECT_EQ(options.AxisTitleFontSize, 10);
    EXPECT_EQ(options.TitleText, "Graph Title");
    EXPECT_EQ(options.ExportMode, 0);
}

TEST_F(ExportOptionFormTest, TextsStoredTrimmedOrAsTyped) {
    Open([](TExportOptionForm&) {
        Type("edt5", "  Test 3\t");
        Type("edt1", " Disp (mm) ");
        Type("edt6", "");
        Type("edt7", " -2.7");
        Child<QComboBox>("cbb4")->setCurrentIndex(1);
        Child<QRadioButton>("rb2")->setChecked(true);
        Update();
    });
    EXPECT_EQ(options.TitleText, "Test 3");
    EXPECT_EQ(options.XAxisTitle, " Disp (mm) ");
    EXPECT_EQ(options.XAxisCrossesAt, "");
    EXPECT_EQ(options.YAxisCrossesAt, " -2.7");
    EXPECT_EQ(options.LineColorMode, 1);
    EXPECT_EQ(options.ExportMode, 1);
    Open([](TExportOptionForm&) {
        EXPECT_EQ(TextOf("cbb4"), "Same as Plot Panel");
        EXPECT_TRUE(Ticked("rb2"));
    });
}

TEST_F(ExportOptionFormTest, CancelKeepsWhatUpdateStoredAndDropsTheRest) {
    Open([](TExportOptionForm&) {
        Type("edt4", "640");
        Update();
        Type("edt3", "480");  // typed, never stored
    });
    EXPECT_EQ(options.ChartWidth, 640);
    EXPECT_EQ(options.ChartHeight, 450);
    // A fresh dialog shows the record, not what was typed last time.
    Open([](TExportOptionForm&) {
        EXPECT_EQ(TextOf("edt4"), "640");
        EXPECT_EQ(TextOf("edt3"), "450");
        Type("edt4", "1");
    });
    EXPECT_EQ(options.ChartWidth, 640);
}

// "Report-ready" fills the controls (the axis titles from the window's chart); "Update" keeps
// them, also for the next start of the program.
TEST_F(ExportOptionFormTest, ReportReadyIsStoredAndRemembered) {
    const auto open = [this](const std::function<void(TExportOptionForm&)>& script) {
        QTimer::singleShot(0, [&] {
            script(*ExportOptionForm);
            Child<QPushButton>("btn2")->click();
        });
        ShowExportOptionsDialog(options, nullptr,
                                [this](const std::string& m) { errors.push_back(m); },
                                {QStringLiteral("Disp"), QStringLiteral("Force")});
    };
    open([](TExportOptionForm&) {
        Type("edt4", "640");
        Child<QRadioButton>("rb2")->setChecked(true);
        Child<QPushButton>("btnReportReady")->click();
        EXPECT_EQ(TextOf("edt1"), "Disp");
        EXPECT_EQ(TextOf("edt4"), "480");
        EXPECT_EQ(TextOf("cbb6"), "Straight");
        EXPECT_EQ(TextOf("cbb10"), "Bottom");
        EXPECT_TRUE(Ticked("rb1"));
    });
    // Nothing is stored without "Update".
    EXPECT_EQ(options.LineType, 0);
    EXPECT_EQ(options.XAxisTitle, "X Axis");
    open([](TExportOptionForm&) {
        Child<QPushButton>("btnReportReady")->click();
        Update();
    });
    TExcelExportOptions remembered;
    InitExcelExportOptions(remembered);
    LoadExportOptionsSettings(remembered);
    for (const TExcelExportOptions* o : {&options, &remembered}) {
        EXPECT_EQ(o->LineType, 1);
        EXPECT_EQ(o->SeriesOrder, 1);
        EXPECT_EQ(o->PointSeriesStyle, 2);
        EXPECT_EQ(o->SeriesNames, 1);
        EXPECT_EQ(o->AxisLimits, 1);
        EXPECT_EQ(o->LineColorMode, 1);
        EXPECT_EQ(o->MarkerColorMode, 1);
        EXPECT_EQ(o->LoopSeriesStyle, 1);
        EXPECT_EQ(o->LegendPosition, 1);
        EXPECT_EQ(o->AxisCrossing, 1);
        EXPECT_EQ(o->ChartPlacement, 1);
        EXPECT_EQ(o->ChartWidth, 480);
        EXPECT_EQ(o->ChartHeight, 300);
        EXPECT_TRUE(o->LegendIncludeInLayout);
        EXPECT_EQ(o->XAxisTitle, "Disp");
        EXPECT_EQ(o->YAxisTitle, "Force");
        EXPECT_EQ(o->ExportMode, 0);
        // The rest as it was.
        EXPECT_EQ(o->LineWeight, 0.5f);
        EXPECT_EQ(o->XAxisCrossesAt, "-10000");
        EXPECT_EQ(o->TitleText, "Graph Title");
    }
    EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace qlnx
