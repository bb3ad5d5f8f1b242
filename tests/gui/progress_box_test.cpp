// The progress box of the program: shown only for work that runs a while, closed at the end,
// and its Cancel button stops the work.
#include "gui/dialogs/progress_box.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "test_application.h"

namespace qlnx::test {
namespace {

QProgressDialog* BoxOf(QWidget& parent) { return parent.findChild<QProgressDialog*>(); }

// Reports rising fractions between from and to, as a long operation does, until the box
// shows (or a generous limit passes on a machine that stalls); no result depends on how many
// reports fit into some time.
bool WorkUntilShown(ProgressBox& box, QWidget& parent, double from, double to) {
    QElapsedTimer clock;
    clock.start();
    bool goOn = true;
    for (int step = 0; goOn && clock.elapsed() < 30000; ++step) {
        const QProgressDialog* dialog = BoxOf(parent);
        if (dialog != nullptr && dialog->isVisible()) break;
        goOn = box.Update(from + (to - from) * (1.0 - 1.0 / (1.0 + step / 100.0)));
        QTest::qSleep(2);
    }
    return goOn;
}

TEST(ProgressBox, AppearsForLongWorkAndItsCancelStopsIt) {
    TestApplication();
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    {
        ProgressBox box(&window, "QLNX", "Reading big.csv");
        EXPECT_EQ(BoxOf(window), nullptr);  // nothing before the first report
        EXPECT_TRUE(box.Update(0.0));
        ASSERT_NE(BoxOf(window), nullptr);
        EXPECT_FALSE(BoxOf(window)->isVisible());
        EXPECT_TRUE(WorkUntilShown(box, window, 0.0, 0.3));
        QProgressDialog* dialog = BoxOf(window);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        EXPECT_TRUE(box.Update(0.4));
        EXPECT_EQ(dialog->windowTitle(), "QLNX");
        EXPECT_EQ(dialog->labelText(), "Reading big.csv");
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(dialog->value(), 400);

        QPushButton* cancel = dialog->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        cancel->click();
        EXPECT_FALSE(box.Update(0.5));
        EXPECT_EQ(BoxOf(window), nullptr);
        EXPECT_FALSE(box.Update(0.6));  // stays cancelled
    }
    {
        // Work that ends at once never shows the box, and its end closes it.
        ProgressBox box(&window, "QLNX", "Writing");
        EXPECT_TRUE(box.Update(0.0));
        EXPECT_TRUE(box.Update(1.0));
        EXPECT_EQ(BoxOf(window), nullptr);
        QTest::qWait(700);
        EXPECT_EQ(BoxOf(window), nullptr);
    }
}

}  // namespace
}  // namespace qlnx::test
