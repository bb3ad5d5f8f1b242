// Analysis > Calibrate Model: the window over the real main window, driven by object name: a
// fit on its worker thread fills the tables and draws the model over the record, a long run is
// cancelled while the main window goes on working, and the OpenSees text is saved.
#include <qcustomplot.h>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QProgressBar>
#include <QTableWidget>
#include <sstream>

#include "../calibration_records.h"
#include "core/steel01_model.h"
#include "gui/calibration/calibration_window.h"
#include "tform1_fixture.h"

namespace qlnx {
namespace {

class CalibrationWindowTest : public test::TForm1Test {
protected:
    // A bilinear specimen (Fy 10, E0 5, b 0.03) along the cyclic history, without noise,
    // imported and analysed; then the window opened.
    CalibrationWindow* OpenOnBilinearRecord(size_t samples) {
        const std::vector<double> u = test::CyclicHistory(30, samples);
        const std::vector<double> f = test::ModelRecord(Steel01Model({10, 5, 0.03}), u, 0.0);
        std::ostringstream text;
        text.precision(17);
        for (size_t i = 0; i < u.size(); ++i) text << u[i] << ',' << f[i] << '\n';
        Import(WriteFile("bilinear.csv", text.str()));
        Click("btn2");
        EXPECT_GT(State().LoopCount, 10);
        Find<QAction>("CalibrateModel1")->trigger();
        CalibrationWindow* window = form->Calibration();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        return window;
    }
    template <class W>
    W* In(CalibrationWindow* window, const char* name) {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Check(CalibrationWindow* window, const std::vector<const char*>& models) {
        for (const char* name : {"chkSteel01", "chkSteel02", "chkBoucWen", "chkBWBN", "chkSAWS"}) {
            const bool on =
                std::find(models.begin(), models.end(), std::string_view(name)) != models.end();
            In<QCheckBox>(window, name)->setChecked(on);
        }
    }
    static double Cell(QTableWidget* table, int row, int column) {
        return table->item(row, column)->text().toDouble();
    }
};

TEST_F(CalibrationWindowTest, FitsSteel01OnItsWorkerAndShowsTheModelOverTheRecord) {
    CalibrationWindow* window = OpenOnBilinearRecord(1200);
    Check(window, {"chkSteel01"});
    QTest::mouseClick(In<QPushButton>(window, "btnRun"), Qt::LeftButton);
    EXPECT_FALSE(In<QPushButton>(window, "btnRun")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Run().Running(); }, 60000));
    EXPECT_TRUE(In<QPushButton>(window, "btnRun")->isEnabled());
    EXPECT_EQ(In<QProgressBar>(window, "prgFit")->value(), 1000);
    EXPECT_EQ(In<QLabel>(window, "lblStatus")->text(), QStringLiteral("Models fitted: 1."));

    // The comparison: one row, the record fitted to rounding.
    auto* comparison = In<QTableWidget>(window, "tblComparison");
    ASSERT_EQ(comparison->rowCount(), 1);
    EXPECT_EQ(comparison->item(0, 0)->text(), QStringLiteral("Steel01"));
    EXPECT_LT(Cell(comparison, 0, 1), 1e-4);
    EXPECT_NEAR(Cell(comparison, 0, 2), 1.0, 1e-4);
    // The parameters: E0, Fy, b found, every one determined by this record.
    auto* parameters = In<QTableWidget>(window, "tblParameters");
    ASSERT_EQ(parameters->rowCount(), 3);
    const double expected[] = {5, 10, 0.03};
    for (int r = 0; r < 3; ++r) {
        EXPECT_NEAR(Cell(parameters, r, 1), expected[r], 1e-3 * expected[r]) << r;
        EXPECT_EQ(parameters->item(r, 5)->text(), QStringLiteral("yes")) << r;
    }
    // The energy per loop: one row per analysed loop, the model's beside the record's.
    auto* energy = In<QTableWidget>(window, "tblLoopEnergy");
    ASSERT_EQ(energy->rowCount(), State().LoopCount);
    for (int r = 0; r < energy->rowCount(); ++r) {
        EXPECT_NEAR(Cell(energy, r, 2), Cell(energy, r, 1), 1e-3 * (1 + Cell(energy, r, 1))) << r;
    }
    // The plot: the record and the model as two curves, each with its legend entry.
    auto* plot = In<QCustomPlot>(window, "pltFit");
    ASSERT_EQ(plot->plottableCount(), 2);
    EXPECT_EQ(plot->plottable(1)->name(), QStringLiteral("Steel01"));
    EXPECT_EQ(static_cast<size_t>(plot->plottable(1)->interface1D()->dataCount()),
              State().LoopDisp.size());
    EXPECT_TRUE(plot->legend->hasItemWithPlottable(plot->plottable(0)));
    EXPECT_TRUE(plot->legend->hasItemWithPlottable(plot->plottable(1)));

    // Save OpenSees…: the Tcl text through the save dialog, the suffix added.
    const QString target = dir.filePath(QStringLiteral("steel01"));
    dialogs.saveAnswers.push_back(SaveFileAnswer{target, 1});
    QTest::mouseClick(In<QPushButton>(window, "btnSave"), Qt::LeftButton);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].FileName, QStringLiteral("bilinear_Steel01"));
    QFile saved(target + QStringLiteral(".tcl"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(saved.readAll());
    EXPECT_EQ(text, window->OpenSeesTextShown(false));
    EXPECT_TRUE(text.contains(QStringLiteral("\nuniaxialMaterial Steel01 $matTag ")))
        << text.toStdString();
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CalibrationWindowTest, ALongRunIsCancelledWhileTheMainWindowGoesOnWorking) {
    CalibrationWindow* window = OpenOnBilinearRecord(6000);
    Check(window, {"chkSteel02", "chkBoucWen", "chkBWBN", "chkSAWS"});
    QTest::mouseClick(In<QPushButton>(window, "btnRun"), Qt::LeftButton);
    ASSERT_TRUE(window->Run().Running());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return In<QProgressBar>(window, "prgFit")->value() > 0; }, 60000));
    // The main window answers meanwhile: another loop is chosen and drawn.
    Choose("cbb1", 2);
    EXPECT_EQ(State().Chart.GetSeries(ChartModel::SelectedLoopSeries).Title, "Loop_3");
    EXPECT_TRUE(In<QPushButton>(window, "btnCancel")->isEnabled());
    QTest::mouseClick(In<QPushButton>(window, "btnCancel"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Run().Running(); }, 20000));
    EXPECT_TRUE(window->Run().Cancelled());
    EXPECT_LT(In<QProgressBar>(window, "prgFit")->value(), 1000);
    EXPECT_TRUE(In<QLabel>(window, "lblStatus")->text().startsWith(QStringLiteral("Cancelled.")));
    EXPECT_TRUE(In<QPushButton>(window, "btnRun")->isEnabled());
    EXPECT_FALSE(In<QPushButton>(window, "btnCancel")->isEnabled());
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(CalibrationWindowTest, NothingRunsWithoutAModelOrAnAnalysis) {
    Find<QAction>("CalibrateModel1")->trigger();
    CalibrationWindow* window = form->Calibration();
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(In<QPushButton>(window, "btnRun"), Qt::LeftButton);
    EXPECT_FALSE(window->Run().Running());
    EXPECT_EQ(In<QLabel>(window, "lblStatus")->text(),
              QStringLiteral("Analyze the loops of a record before fitting a model."));
    Check(window, {});
    QTest::mouseClick(In<QPushButton>(window, "btnRun"), Qt::LeftButton);
    EXPECT_EQ(In<QLabel>(window, "lblStatus")->text(),
              QStringLiteral("Choose at least one model."));
    EXPECT_FALSE(In<QPushButton>(window, "btnSave")->isEnabled());
    EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace qlnx
