// The main window under test: a real TForm1 with scripted dialogs, shown offscreen, and
// helpers that find controls by object name and write fixture records.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cmath>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "gui/chart/chart_widget.h"
#include "gui/main_window/tform1.h"
#include "scripted_dialogs.h"
#include "test_application.h"

namespace qlnx::test {

struct Point {
    double x;
    double y;
    TColor color = clTeeColor;
    bool operator==(const Point&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Point& p) {
    return os << "(" << p.x << ", " << p.y << ", 0x" << std::hex << p.color << std::dec << ")";
}

inline std::vector<Point> PointsOf(const ChartSeries& s) {
    std::vector<Point> points;
    for (int i = 0; i < s.Count(); ++i)
        points.push_back({s.GetxValue(i), s.GetyValue(i), s.PointColor(i)});
    return points;
}

class TForm1Test : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApplication();
        SetDecimalSeparator('.');
        // Every window starts from the default settings (in the tests' own folder).
        QSettings().clear();
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<TForm1>(dialogs);
        form->setUrlOpener([this](const QUrl& url) {
            openedUrls.push_back(url);
            return true;
        });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <class W>
    W* Find(const char* name) {
        W* w = form->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString Text(const char* edit) { return Find<QLineEdit>(edit)->text(); }
    void SetText(const char* edit, const QString& text) { Find<QLineEdit>(edit)->setText(text); }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    QStringList Items(const char* combo) {
        QStringList items;
        auto* box = Find<QComboBox>(combo);
        for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
        return items;
    }
    const AnalysisState& State() { return form->State(); }
    // Chooses item index of a drop-down list as a user does (one "activated" choice).
    void Choose(const char* combo, int index) {
        auto* box = Find<QComboBox>(combo);
        ASSERT_LT(index, box->count());
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // The chart pixel of point i of series, after laying the chart out.
    QPoint PixelOf(int series, int i) {
        ChartWidget* chart = Chart();
        chart->replot();
        const ChartSeries& s = State().Chart.GetSeries(series);
        return QPoint(static_cast<int>(std::lround(chart->XValueToScreen(s.GetxValue(i)))),
                      static_cast<int>(std::lround(chart->YValueToScreen(s.GetyValue(i)))));
    }
    ChartWidget* Chart() { return Find<ChartWidget>("cht1"); }
    // The status line: what the last command did.
    QString StatusText() { return Find<QLabel>("rzfldsts3")->text(); }

    // Writes a fixture file into the test's own folder and returns its path.
    QString WriteFile(const char* name, const std::string& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
        return path;
    }
    // Runs "Import Loop" with the open dialog answering path.
    void Import(const QString& path) {
        dialogs.openAnswers.push_back(path);
        Click("btn1");
    }

    // The 6-point record whose loops are worked out by hand in the loop-analysis tests.
    static constexpr const char* kWorkedExample = "0,0\n2,10\n-1,-5\n3,12\n3,12\n-2,-8\n";

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::vector<QUrl> openedUrls;
    std::unique_ptr<TForm1> form;
};

}  // namespace qlnx::test
